// The annex tests: the local database built from its sources once, opened as the program opens it,
// the authored message tables, the annex classes registered, scripted coded messages.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <memory>

#include "annex/register.h"
#include "blocks/form100.h"
#include "support/member_view.h"
#include "data/db/ado.h"
#include "tools/dbsource/dbsource.h"
#include "data/db_fixture.h"
#include "support/local_db.h"
#include "support/ui_helpers.h"
#include "ui/lookup_catalogue.h"
#include "ui/message_source.h"

namespace annextest {

using qxtest::LocalDatabase;

// The data block of an open form-100 declaration, where the dialogs that read the declaration find it.
class OpenDeclaration {
 public:
  OpenDeclaration() : block(published_.Model().Block()) { std::fill(block.begin(), block.end(), 0); }
  OpenDeclaration(const OpenDeclaration&) = delete;
  OpenDeclaration& operator=(const OpenDeclaration&) = delete;
  doc::DeclarationModel& Model() { return published_.Model(); }

 private:
  qxtest::PublishedDeclaration published_;

 public:
  qxtest::BlockBytes block;
};

class AnnexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetMessageSource(qxtest::AuthoredMessages());
    ui::SetLookupConnection(&LocalDatabase::Get());
    annex::RegisterAnnexDialogs();
  }
  void TearDown() override { ui::SetLookupConnection(nullptr); }
  qxtest::ScriptedMessages messages;
};

}  // namespace annextest
