// A start-up of the shell in temporary folders: a profile, a declarations folder, the shipped
// databases of the build, a scripted introduction, scripted messages, and fake index and documents.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>

#include <filesystem>
#include <fstream>

#include "app/application.h"
#include "app/intro_dialog.h"
#include "app/main_frame.h"
#include "app/seams.h"
#include "data/db_fixture.h"  // tests/data: TempDir
#include "support/ui_helpers.h"

namespace apptest {

using dbtest::TempDir;

struct FakeDocument : app::IDeclarationDocument {
  int kind = 2;
  std::string key;
  bool refuseClose = false;
  bool openResult = true;
  int* closed = nullptr;
  std::vector<std::pair<int, int>> goTos;
  Place place;
  Place restored{-1, -1, -1, -1};
  bool OpenDeclaration(const std::string& k, const std::string&, bool) override {
    key = k;
    return openResult;
  }
  bool SaveModified() override {
    if (!refuseClose && closed) ++*closed;
    return !refuseClose;
  }
  bool Save() override { return true; }
  int KindByte() const override { return kind; }
  std::string Key() const override { return key; }
  void SetTitle(const QString&) override {}
  void GoToBox(int page, int box) override { goTos.emplace_back(page, box); }
  Place CurrentPlace() override { return place; }
  void RestorePlace(const Place& p) override { restored = p; }
  void Recalculate() override {}
};

struct FakeIndex : app::IDeclarationsIndex {
  int runs = 0;
  bool lastNewFlag = false;
  app::IndexChoice answer{app::IndexChoice::Cancel, false, {}, false};
  app::IndexChoice Run(QWidget*, bool newFlag) override {
    ++runs;
    lastNewFlag = newFlag;
    return answer;
  }
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Every message, coded or plain, is recorded as the shell would have asked for it.
    answers.observe = [this](const ShownMessage& m) {
      messages.push_back(app::ShellMessage(m.code, QString(), m.icon, m.extra));
    };
    answers.observePlain = [this](const PlainMessage& m) {
      messages.push_back(app::ShellMessage(QString(), QString::fromStdString(m.text), m.icon, QString(),
                                           static_cast<int>(m.buttons)));
    };
  }
  void TearDown() override {
    for (auto& a : apps) a->ExitInstance(0);
    apps.clear();
  }

  void WriteProfile(const std::string& text) { std::ofstream(config.Path() / "QUILDXAN.INI") << text; }

  app::AppOptions Options() {
    app::AppOptions o;
    static int serial = 0;
    o.instanceName = QStringLiteral("qx-app-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    o.profilePath = config.Str() + "QUILDXAN.INI";
    o.folders.userData = data.Str();
    o.folders.shipped = shipped;
    o.runIntroduction = [this](app::CIntroDlg& dlg) {
      ++introRuns;
      if (tickIntro) dlg.findChild<QCheckBox*>()->setChecked(true);
      return true;
    };
    return o;
  }

  app::CRentaApp& MakeApp(app::AppOptions o) {
    apps.push_back(std::make_unique<app::CRentaApp>(std::move(o)));
    app::CRentaApp& a = *apps.back();
    a.SetDeclarationsIndex(&index);
    for (int t : {app::kForm100Template, app::kForm714Template})
      a.SetDocumentFactory(t, [this, t]() -> std::unique_ptr<app::IDeclarationDocument> {
        auto d = std::make_unique<FakeDocument>();
        d->kind = t == app::kForm714Template ? 3 : 2;
        d->closed = &closedDocs;
        d->openResult = !openFails;
        lastDoc = d.get();
        return d;
      });
    return a;
  }

  // Starts with the index answering `choice`.
  app::CRentaApp& Start(app::IndexChoice choice = {app::IndexChoice::Cancel, false, {}, false}) {
    index.answer = choice;
    app::CRentaApp& a = MakeApp(Options());
    EXPECT_EQ(a.InitInstance(), app::CRentaApp::Start::Running);
    return a;
  }

  TempDir config, data;
  std::string shipped = QX_BINARY_DIR "/resources/";
  FakeIndex index;
  // The message service's double: coded messages answered from its script (accept by default),
  // plain ones by its plainAnswer (OK by default).
  qxtest::ScriptedMessages answers;
  std::vector<app::ShellMessage> messages;
  std::vector<std::unique_ptr<app::CRentaApp>> apps;
  FakeDocument* lastDoc = nullptr;
  int closedDocs = 0;
  int introRuns = 0;
  bool tickIntro = false;
  bool openFails = false;  // the documents the factory makes fail to open
};

}  // namespace apptest
