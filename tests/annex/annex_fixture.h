// The annex tests: the local database built from its sources once, opened as the program opens it,
// the authored message tables, the annex classes registered, scripted coded messages.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <memory>

#include "annex/register.h"
#include "support/local_db.h"
#include "support/ui_helpers.h"
#include "ui/lookup_catalogue.h"
#include "ui/message_source.h"

namespace annextest {

using qxtest::LocalDatabase;

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
