// Start-up and shutdown: one running copy, the introduction, the databases and the index.
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/sections_bar.h"
#include "app/single_instance.h"
#include "app_fixture.h"
#include "data/db/ado.h"
#include "data/settings/ini_file.h"

using namespace apptest;

TEST_F(AppTest, StartsToTheIndexWithTheMainWindowAndCreatesTheDeclarationsDatabase) {
  ASSERT_FALSE(std::filesystem::exists(data.Path() / "DatRed.db"));
  app::CRentaApp& a = Start();

  EXPECT_EQ(index.runs, 1);
  EXPECT_FALSE(index.lastNewFlag);
  EXPECT_EQ(introRuns, 1);  // shown by default
  EXPECT_TRUE(std::filesystem::exists(data.Path() / "DatRed.db"));
  EXPECT_TRUE(a.Databases().Declarations().IsOpen());
  EXPECT_TRUE(a.Databases().Local().IsOpen());
  EXPECT_TRUE(a.Databases().Modules().IsOpen());
  app::CMainFrame* f = a.MainFrame();
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(f->windowTitle(), QStringLiteral("QUILDEXAN"));
  EXPECT_EQ(f->menuBar()->actions().size(), 5);
  EXPECT_FALSE(f->SectionsBar()->isVisible());
  EXPECT_EQ(f->PaneText(1), QString());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(a.HelpFile(), QString::fromStdString(shipped) + QStringLiteral("quildxae.hlp"));
}

TEST_F(AppTest, TickingTheIntroductionTurnsItOffForLaterStarts) {
  tickIntro = true;
  Start();
  EXPECT_EQ(introRuns, 1);
  settings::IniFile ini(config.Str() + "QUILDXAN.INI");
  ini.Load();
  EXPECT_EQ(ini.GetString("Inicio", "Introduccion", ""), "FALSE");
  apps.back()->ExitInstance(0);
  apps.clear();
  Start();
  EXPECT_EQ(introRuns, 1);
}

TEST_F(AppTest, AnyIntroductionTextButTRUEShowsNoIntroduction) {
  WriteProfile("[Inicio]\nIntroduccion=true\n");
  Start();
  EXPECT_EQ(introRuns, 0);
}

TEST_F(AppTest, ASecondStartHandsOverToTheFirstAndEnds) {
  app::AppOptions o = Options();
  app::CRentaApp& first = MakeApp(o);
  ASSERT_EQ(first.InitInstance(), app::CRentaApp::Start::Running);
  int activations = 0;
  QObject::connect(first.Instance(), &app::SingleInstance::activationRequested, [&] { ++activations; });
  first.MainFrame()->showMinimized();

  app::CRentaApp& second = MakeApp(o);
  EXPECT_EQ(second.InitInstance(), app::CRentaApp::Start::HandedOver);
  EXPECT_EQ(second.MainFrame(), nullptr);
  QElapsedTimer t;
  t.start();
  while (activations == 0 && t.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(activations, 1);
  EXPECT_FALSE(first.MainFrame()->isMinimized());
  EXPECT_EQ(index.runs, 1);  // only the first copy showed the index

  // Once the first copy has ended, a new start runs on its own.
  first.ExitInstance(0);
  app::CRentaApp& third = MakeApp(o);
  EXPECT_EQ(third.InitInstance(), app::CRentaApp::Start::Running);
}

// One store, one writer: a copy started with another profile (another user, or another machine
// that reaches the store folder as remote mode does) on the store a running copy holds is told
// so and ends without opening it; once the first has ended, it starts.
TEST_F(AppTest, ASecondCopyOnTheSameStoreFromAnotherProfileIsRefused) {
  app::CRentaApp& first = Start();
  ASSERT_TRUE(first.Databases().Declarations().IsOpen());
  for (const char* remote : {"0", "1"}) {
    SCOPED_TRACE(remote);
    TempDir otherConfig, otherData;
    std::ofstream(otherConfig.Path() / "QUILDXAN.INI")
        << "[Inicio]\nIntroduccion=FALSE\n[Remota]\nRemota=" << remote << "\n[Directorios]\nDirBDRed=" << data.Str() << "\n";
    app::AppOptions o = Options();
    o.profilePath = otherConfig.Str() + "QUILDXAN.INI";
    o.folders.userData = otherData.Str();
    messages.clear();
    const int runs = index.runs;
    app::CRentaApp& second = MakeApp(o);
    EXPECT_EQ(second.InitInstance(), app::CRentaApp::Start::Failed);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, app::Text(app::kStrNoHandOver, 'e'));
    EXPECT_FALSE(second.Databases().Declarations().IsOpen());
    EXPECT_EQ(index.runs, runs);
    second.ExitInstance(1);
    if (std::string(remote) == "1") {
      first.ExitInstance(0);
      app::CRentaApp& later = MakeApp(o);
      EXPECT_EQ(later.InitInstance(), app::CRentaApp::Start::Running);
      EXPECT_EQ(later.Databases().Declarations().Path(), data.Str() + db::kDeclarationsFile);
      later.ExitInstance(0);
    }
  }
}

// A declarations file that is empty, not a database, or another program's database is no store:
// the start-up names it and stops, and the file keeps every byte (nothing is created in it).
TEST_F(AppTest, AnUnreadableDeclarationsDatabaseShowsItsMessageAndStops) {
  const std::string store = (data.Path() / "DatRed.db").string();
  auto bytesOf = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  struct Case {
    const char* what;
    std::function<void()> write;
  } cases[] = {
      {"zero bytes", [&] { std::ofstream(store, std::ios::binary | std::ios::trunc); }},
      {"not a database", [&] { std::ofstream(store, std::ios::binary | std::ios::trunc) << std::string(4096, 'x'); }},
      {"another program's database",
       [&] {
         std::filesystem::remove(store);
         db::CAdoConnection other;
         ASSERT_TRUE(other.Open(store, db::OpenMode::Create));
         ASSERT_TRUE(other.Execute("CREATE TABLE AGENDA (NOMBRE TEXT); INSERT INTO AGENDA VALUES ('ANA');"));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.write();
    const std::string before = bytesOf(store);
    messages.clear();
    const int runsBefore = index.runs;
    app::CRentaApp& a = MakeApp(Options());
    EXPECT_EQ(a.InitInstance(), app::CRentaApp::Start::Failed);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, app::Text(app::kStrStoreNotOurs, 'e').arg(QString::fromStdString(store)));
    EXPECT_EQ(messages.back().icon, app::kIconStop);
    EXPECT_EQ(index.runs, runsBefore);
    EXPECT_FALSE(a.Databases().Declarations().IsOpen());
    EXPECT_FALSE(a.Databases().Local().IsOpen());
    EXPECT_EQ(bytesOf(store), before) << "the file was left as it was";
    a.ExitInstance(1);
  }
}

// A database the engine cannot open at all still gets the engine's report and the shipped text.
TEST_F(AppTest, AnUnopenableDeclarationsDatabaseShowsItsMessageAndStops) {
  std::filesystem::create_directory(data.Path() / "DatRed.db");  // a folder where the file should be
  app::CRentaApp& a = MakeApp(Options());
  EXPECT_EQ(a.InitInstance(), app::CRentaApp::Start::Failed);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().text, QStringLiteral("Imposible inicializar la Base de Datos RED"));
  EXPECT_EQ(messages.back().icon, app::kIconStop);
  EXPECT_EQ(index.runs, 0);
  EXPECT_FALSE(a.Databases().Local().IsOpen());
}

TEST_F(AppTest, AMissingLocalDatabaseStopsBeforeTheModulesDatabase) {
  TempDir emptyShipped;
  shipped = emptyShipped.Str();
  app::CRentaApp& a = MakeApp(Options());
  EXPECT_EQ(a.InitInstance(), app::CRentaApp::Start::Failed);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().text, app::Text(app::kStrDbLocal, 'e'));
  EXPECT_FALSE(a.Databases().Modules().IsOpen());
}

// A declarations file cut short opens, but the user hears of it before working on it.
TEST_F(AppTest, ADeclarationsFileCutShortIsReportedAtStartUp) {
  Start().ExitInstance(0);
  apps.clear();
  const auto path = data.Path() / db::kDeclarationsFile;
  ASSERT_TRUE(std::filesystem::exists(path));
  auto hasCut = [this] {
    return std::any_of(messages.begin(), messages.end(),
                       [](const app::ShellMessage& m) { return m.code == QLatin1String("ALM005"); });
  };
  EXPECT_FALSE(hasCut());
  std::filesystem::resize_file(path, std::filesystem::file_size(path) - 100);
  Start();
  EXPECT_TRUE(hasCut());
}

TEST_F(AppTest, EmbeddedStartLeavesTheFrameHiddenWithNoDatabaseAndNoIndex) {
  app::AppOptions o = Options();
  o.embedding = true;
  app::CRentaApp& a = MakeApp(o);
  EXPECT_EQ(a.InitInstance(), app::CRentaApp::Start::Embedded);
  EXPECT_FALSE(a.MainFrame()->isVisible());
  EXPECT_FALSE(a.Databases().Declarations().IsOpen());
  EXPECT_EQ(index.runs, 0);
}

TEST_F(AppTest, ShutdownSavesTheFrameSettingsExceptInRemoteMode) {
  {
    app::CRentaApp& a = Start();
    a.MainFrame()->ToolBar()->hide();
    a.ExitInstance(0);
    EXPECT_FALSE(a.Databases().Declarations().IsOpen());
    settings::IniFile ini(config.Str() + "QUILDXAN.INI");
    ini.Load();
    EXPECT_EQ(ini.GetInt("Aspecto", "BarTool", -1), 0);
  }
  apps.clear();
  WriteProfile("[Remota]\nRemota=1\n[Inicio]\nIntroduccion=FALSE\n");
  int exports = 0;
  app::CRentaApp& r = MakeApp(Options());
  r.SetRemoteExport([&] { ++exports; });
  ASSERT_EQ(r.InitInstance(), app::CRentaApp::Start::Running);
  r.MainFrame()->ToolBar()->hide();
  r.ExitInstance(0);
  EXPECT_EQ(exports, 1);
  settings::IniFile ini(config.Str() + "QUILDXAN.INI");
  ini.Load();
  EXPECT_EQ(ini.GetInt("Aspecto", "BarTool", -1), -1);
}

TEST(CommandLine, OptionsSwitchesAndIgnoredArguments) {
  using app::ParseCommandLine;
  EXPECT_TRUE(ParseCommandLine({"--help"}).help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).version);
  EXPECT_TRUE(ParseCommandLine({"/Embedding"}).embedding);
  EXPECT_TRUE(ParseCommandLine({"-automation"}).embedding);
  const app::CommandLine file = ParseCommandLine({"declaracion.ren"});
  EXPECT_FALSE(file.embedding || file.help || file.version);
  EXPECT_EQ(ParseCommandLine({"--screenshot", "a.png"}).screenshot, QStringLiteral("a.png"));
  EXPECT_FALSE(ParseCommandLine({"--screenshot"}).error.isEmpty());
}

TEST_F(AppTest, AnUnknownLanguageLetterKeepsTheProgramsOwnTexts) {
  WriteProfile("[Idioma]\nIdiomaV=x\n[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.front().text, QStringLiteral("No se ha podido cargar DLL de idioma. \nError: 2"));
  EXPECT_EQ(a.MainFrame()->MenuBarPopup(0)->title(), QStringLiteral("&Archivo"));
  EXPECT_EQ(a.MainFrame()->Action(app::ID_FILE_OPEN)->statusTip(), QStringLiteral("Abrir"));
  // One language throughout: the documents, the message tables and the help file follow the
  // texts shown, not the letter the profile could not give.
  EXPECT_EQ(a.InterfaceLanguage(), 'e');
  EXPECT_EQ(app::TextLanguage(), 'e');
}

// A declarations folder set in the profile is where the user's declarations are: it is read
// whether or not its text ends with a separator, and when the database is not there start-up
// shows string 82 and ends without creating anything (an empty store would hide the
// declarations).
TEST_F(AppTest, AConfiguredDeclarationsFolderIsReadWithOrWithoutItsSeparatorAndNeverCreated) {
  TempDir kept;
  {
    db::CAdoConnection c;
    ASSERT_TRUE(c.Open(kept.Str() + db::kDeclarationsFile, db::OpenMode::Create));
    ASSERT_TRUE(db::CreateDeclarationsSchema(c));
    ASSERT_TRUE(c.Execute("INSERT INTO DATOSDEC (CLAVE, TIPODEC) VALUES ('GUARDADA', 2)"));
  }
  for (const std::string& folder : {kept.Path().string(), kept.Str()}) {
    SCOPED_TRACE(folder);
    WriteProfile("[Inicio]\nIntroduccion=FALSE\n[Directorios]\nDirBDRed=" + folder + "\n");
    app::CRentaApp& a = MakeApp(Options());
    ASSERT_EQ(a.InitInstance(), app::CRentaApp::Start::Running);
    db::CAdoRecordset rs;
    EXPECT_TRUE(rs.Open("DATOSDEC", &a.Databases().Declarations()));
    EXPECT_EQ(rs.GetRecordCount(), 1);
    a.ExitInstance(0);
  }
  EXPECT_FALSE(std::filesystem::exists(kept.Path().string() + db::kDeclarationsFile));  // no sibling
  EXPECT_FALSE(std::filesystem::exists(data.Path() / db::kDeclarationsFile));

  TempDir empty;
  for (const std::string& folder : {empty.Str(), empty.Str() + "missing/"}) {
    SCOPED_TRACE(folder);
    messages.clear();
    WriteProfile("[Inicio]\nIntroduccion=FALSE\n[Directorios]\nDirBDRed=" + folder + "\n");
    const int runsBefore = index.runs;
    app::CRentaApp& a = MakeApp(Options());
    EXPECT_EQ(a.InitInstance(), app::CRentaApp::Start::Failed);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, app::Text(app::kStrDbRed, 'e'));
    EXPECT_EQ(index.runs, runsBefore);
    EXPECT_FALSE(std::filesystem::exists(folder + db::kDeclarationsFile));
    EXPECT_FALSE(std::filesystem::exists(data.Path() / db::kDeclarationsFile));
    a.ExitInstance(1);
  }
  EXPECT_FALSE(std::filesystem::exists(empty.Path() / "missing"));

  // Remote mode refills its store from the local copies in every run: there the store is made.
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n[Remota]\nRemota=1\n[Directorios]\nDirBDRed=" + empty.Str() + "\n");
  app::CRentaApp& r = MakeApp(Options());
  EXPECT_EQ(r.InitInstance(), app::CRentaApp::Start::Running);
  EXPECT_TRUE(std::filesystem::exists(empty.Path() / db::kDeclarationsFile));
}

// An embedded start that no client takes ends by itself after its wait.
TEST_F(AppTest, AnEmbeddedStartWithNoClientEndsAfterItsWait) {
  app::AppOptions o = Options();
  o.embedding = true;
  o.embeddingWaitMs = 10;
  std::vector<int> quits;
  o.quit = [&](int code) { quits.push_back(code); };
  app::CRentaApp& a = MakeApp(o);
  ASSERT_EQ(a.InitInstance(), app::CRentaApp::Start::Embedded);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !quits.empty(); }, 5000));
  EXPECT_EQ(quits, std::vector<int>{0});
  EXPECT_FALSE(a.MainFrame()->isVisible());
}

namespace {

// The declarations index as the program runs it: a modal dialog that only a user ends.
struct ModalIndex : app::IDeclarationsIndex {
  int runs = 0;
  int paints = 0;  // of the index window itself
  struct PaintCount : QObject {
    int* paints;
    explicit PaintCount(int* p) : paints(p) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++*paints;
      return false;
    }
  };
  app::IndexChoice Run(QWidget* parent, bool) override {
    ++runs;
    QDialog d(parent);
    d.setModal(true);
    PaintCount count(&paints);
    d.installEventFilter(&count);
    const bool ok = d.exec() == QDialog::Accepted;
    return {ok ? app::IndexChoice::Ok : app::IndexChoice::Cancel, false, {}, false};
  }
};

}  // namespace

// The start-up timing and the screenshots run unattended on a fresh profile: the introduction
// is not waited for, the run's action comes once the index has been painted, and then start-up
// ends.
TEST_F(AppTest, AnUnattendedStartReachesTheIndexRunsItsActionAndEnds) {
  struct Case {
    const char* name;
    bool modalIndex;
  };
  for (const Case& c : {Case{"modal index", true}, Case{"index that returns at once", false}}) {
    SCOPED_TRACE(c.name);
    TempDir freshConfig;
    ModalIndex modal;
    app::AppOptions o = Options();
    o.profilePath = freshConfig.Str() + "QUILDXAN.INI";
    o.runIntroduction = nullptr;  // no one scripts it: it would wait for a user
    int actions = 0;
    bool fromInsideTheIndex = false;
    int paintsBefore = 0;
    o.atIndex = [&] {
      ++actions;
      fromInsideTheIndex = QApplication::activeModalWidget() != nullptr;
      paintsBefore = modal.paints;
    };
    app::CRentaApp& a = MakeApp(o);
    if (c.modalIndex) a.SetDeclarationsIndex(&modal);
    // A start-up that blocks regardless is ended here, and that is the failure.
    bool blocked = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
      blocked = true;
      for (QWidget* w; (w = QApplication::activeModalWidget()) && w->close();) {
      }
    });
    watchdog.start(20000);
    EXPECT_EQ(a.InitInstance(), app::CRentaApp::Start::Running);
    EXPECT_FALSE(blocked);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(fromInsideTheIndex, c.modalIndex);
    // The index is on the screen when the action runs: a timing that ends there counts its painting.
    if (c.modalIndex) {
      EXPECT_GE(paintsBefore, 1);
    }
    EXPECT_EQ(c.modalIndex ? modal.runs : index.runs, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(introRuns, 0);
    a.ExitInstance(0);
    index.runs = 0;
  }
}

// A store the program can only read is said once at start-up, before anything is typed; the
// program runs on (declarations can still be looked at).
TEST_F(AppTest, AReadOnlyStoreIsReportedOnceAtStartUp) {
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n");
  Start();
  apps.back()->ExitInstance(0);
  apps.clear();
  namespace fs = std::filesystem;
  const fs::path store = data.Path() / "DatRed.db";
  fs::permissions(store, fs::perms::owner_read);
  fs::permissions(data.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  messages.clear();
  index.runs = 0;
  app::CRentaApp& a = Start();
  fs::permissions(data.Path(), fs::perms::owner_all);
  fs::permissions(store, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(a.Databases().Declarations().IsOpen());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages.front().text, app::Text(app::kStrStoreReadOnly, 'e'));
  EXPECT_EQ(index.runs, 1);
}

// A config folder the program cannot write is said once in a run, not at every save.
TEST_F(AppTest, AnUnwritableConfigFolderIsSaidOnce) {
  std::ofstream(config.Path() / "notafolder") << "x";
  app::AppOptions o = Options();
  o.profilePath = config.Str() + "notafolder/QUILDXAN.INI";
  app::CRentaApp& a = MakeApp(o);
  ASSERT_EQ(a.InitInstance(), app::CRentaApp::Start::Running);
  a.ExitInstance(0);
  int said = 0;
  for (const app::ShellMessage& m : messages) said += m.text == app::Text(app::kStrProfileUnwritable, 'e');
  EXPECT_EQ(said, 1);
}
