// Start-up and shutdown: one running copy, the introduction, the databases and the index.
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/sections_bar.h"
#include "app/single_instance.h"
#include "app_fixture.h"
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

TEST_F(AppTest, AnUnreadableDeclarationsDatabaseShowsItsMessageAndStops) {
  std::ofstream(data.Path() / "DatRed.db") << std::string(4096, 'x');
  app::CRentaApp& a = MakeApp(Options());
  EXPECT_EQ(a.InitInstance(), app::CRentaApp::Start::Failed);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().text, QStringLiteral("Imposible inicializar la Base de Datos RED"));
  EXPECT_EQ(messages.back().icon, app::kIconStop);
  EXPECT_GE(messages.size(), 2u);  // the database's own report first
  EXPECT_EQ(index.runs, 0);
  EXPECT_FALSE(a.Databases().Local().IsOpen());
  // The file was left as it was.
  EXPECT_EQ(std::filesystem::file_size(data.Path() / "DatRed.db"), 4096u);
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
}
