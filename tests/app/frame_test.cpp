// The main frame's commands, their enabling rules, the language switch and the dialogs.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "app/about_dialog.h"
#include "app/app_texts.h"
#include "app/sections_bar.h"
#include "app/version_info.h"
#include "app_fixture.h"
#include "ui/controls/link_label.h"

using namespace apptest;

namespace {
bool Enabled(app::CRentaApp& a, int id) {
  a.MainFrame()->UpdateCommandStates();
  return a.MainFrame()->Action(id)->isEnabled();
}
}  // namespace

TEST_F(AppTest, CommandsAreOfferedOnlyWhenAnsweredAndAllowed) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start();
  app::CMainFrame* f = a.MainFrame();
  // Built elsewhere and not connected yet: greyed.
  for (int id : {app::ID_FILE_SAVE, app::ID_FILE_PRINT, app::ID_IMPORT, app::ID_EXPORT, app::ID_FIRST_PAGE,
                 app::ID_ZOOM_IN, app::ID_FILE_SEND, app::ID_ERRORS, app::ID_FOCUS_SWITCH})
    EXPECT_FALSE(Enabled(a, id)) << id;
  for (int id : {app::ID_FILE_NEW, app::ID_FILE_OPEN, app::ID_APP_EXIT, app::ID_APP_ABOUT, app::ID_REORGANIZE,
                 app::ID_WEB_RULES, app::ID_UPDATE_VERSION, app::ID_INTRODUCTION, app::ID_CALCULATOR,
                 app::ID_HELP_FINDER})
    EXPECT_TRUE(Enabled(a, id)) << id;
  EXPECT_FALSE(Enabled(a, app::ID_SECTIONS_BAR));

  int imports = 0, prints = 0;
  f->SetCommandHandler(app::ID_IMPORT, [&] { ++imports; });
  f->SetCommandHandler(app::ID_FILE_PRINT, [&] { ++prints; });
  EXPECT_TRUE(Enabled(a, app::ID_IMPORT));
  EXPECT_FALSE(Enabled(a, app::ID_FILE_PRINT));  // no declaration open
  f->Action(app::ID_IMPORT)->trigger();
  EXPECT_EQ(imports, 1);

  // With a declaration open: import is withdrawn, printing offered.
  index.answer = {app::IndexChoice::Ok, false, "JUAN", false};
  f->Action(app::ID_FILE_OPEN)->trigger();
  ASSERT_NE(a.GetCurrentDocument(), nullptr);
  EXPECT_FALSE(Enabled(a, app::ID_IMPORT));
  EXPECT_TRUE(Enabled(a, app::ID_FILE_PRINT));
  EXPECT_FALSE(Enabled(a, app::ID_SECTIONS_BAR));
  EXPECT_FALSE(f->Action(app::ID_SECTIONS_BAR)->isChecked());
  f->Action(app::ID_IMPORT)->trigger();  // a disabled accelerator does nothing
  EXPECT_EQ(imports, 1);
}

TEST_F(AppTest, RemoteModeWithdrawsTheWebUpdateAndPrinterCommands) {
  WriteProfile("[Remota]\nRemota=1\nImpExp=0\n[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start();
  a.MainFrame()->SetCommandHandler(app::ID_IMPORT_LAST_YEAR, [] {});
  for (int id : {app::ID_WEB_RULES, app::ID_WEB_FAQ, app::ID_WEB_HOME, app::ID_WEB_CDF, app::ID_FILE_PRINT_SETUP,
                 app::ID_UPDATE_VERSION, app::ID_IMPORT_LAST_YEAR})
    EXPECT_FALSE(Enabled(a, id)) << id;
  app::CAboutDlg about(nullptr, 'e', false, a.RemoteMode());
  EXPECT_FALSE(about.GetDlgItem(app::CAboutDlg::kWebLink)->isEnabled());
  EXPECT_FALSE(about.GetDlgItem(app::CAboutDlg::kMailLink)->isEnabled());
}

TEST_F(AppTest, LanguagesOfferedAndCheckedFollowTheProfile) {
  WriteProfile("[Idioma]\nIdioDisp=1010\nIdiomaV=g\n[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start();
  EXPECT_EQ(a.InterfaceLanguage(), 'g');
  EXPECT_TRUE(Enabled(a, app::ID_LANG_E));
  EXPECT_FALSE(Enabled(a, app::ID_LANG_C));
  EXPECT_TRUE(Enabled(a, app::ID_LANG_G));
  EXPECT_FALSE(Enabled(a, app::ID_LANG_V));
  EXPECT_TRUE(a.MainFrame()->Action(app::ID_LANG_G)->isChecked());
  EXPECT_FALSE(a.MainFrame()->Action(app::ID_LANG_E)->isChecked());
  EXPECT_EQ(a.MainFrame()->MenuBarPopup(0)->title(), QStringLiteral("&Arquivo"));
}

TEST_F(AppTest, SwitchingTheLanguageRetranslatesAndReopensTheDeclarationWhereItWas) {
  WriteProfile("[Idioma]\nIdioDisp=1111\n[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start({app::IndexChoice::Ok, false, "MARTA", false});
  app::CMainFrame* f = a.MainFrame();
  ASSERT_NE(lastDoc, nullptr);
  lastDoc->place = {5, 0, 3, 17};
  FakeDocument* before = lastDoc;

  a.SwitchLanguage('c');
  EXPECT_EQ(a.InterfaceLanguage(), 'c');
  EXPECT_EQ(a.PrintingLanguage(), 'c');
  EXPECT_EQ(f->MenuBarPopup(0)->title(), QStringLiteral("&Arxiu"));
  EXPECT_EQ(f->Action(app::ID_FILE_NEW)->text(), QStringLiteral("&Nova Declaració\tCtrl+N"));
  EXPECT_EQ(f->Action(app::ID_FILE_SAVE)->toolTip(), QStringLiteral("Desar"));
  EXPECT_EQ(a.HelpFile().right(12), QStringLiteral("quildxac.hlp"));
  EXPECT_EQ(a.KeyToReopen(), "MARTA");
  ASSERT_NE(lastDoc, before);
  EXPECT_EQ(lastDoc->key, "MARTA");
  EXPECT_EQ(lastDoc->restored.page, 5);
  EXPECT_EQ(lastDoc->restored.shownMember, 3);
  EXPECT_EQ(lastDoc->restored.box, 17);
  EXPECT_EQ(f->SectionsBar()->Tabs()->tabText(0), QStringLiteral("Dades personals"));

  // The language in use: nothing happens, not even a reopening.
  FakeDocument* current = lastDoc;
  a.SwitchLanguage('c');
  EXPECT_EQ(lastDoc, current);
}

TEST_F(AppTest, ARefusedCloseAbandonsTheLanguageSwitchAndTheIndex) {
  WriteProfile("[Idioma]\nIdioDisp=1111\n[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start({app::IndexChoice::Ok, false, "LUIS", true});
  ASSERT_NE(lastDoc, nullptr);
  EXPECT_EQ(lastDoc->kind, 3);
  lastDoc->refuseClose = true;
  a.SwitchLanguage('v');
  EXPECT_EQ(a.InterfaceLanguage(), 'e');
  a.RunOpenCommand(false);
  EXPECT_EQ(index.runs, 1);  // the index was not shown again
  EXPECT_EQ(a.GetCurrentDocument(), lastDoc);
}

TEST_F(AppTest, HelpTopicsAndTheVersionUpdateWithoutItsService) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start();
  EXPECT_EQ(a.HelpTopicFor(25), 1);  // no declaration open
  std::vector<int> topics;
  a.SetHelpViewer([&](const QString&, int topic) { topics.push_back(topic); });
  index.answer = {app::IndexChoice::Ok, false, "ANA", false};
  a.RunOpenCommand(false);
  EXPECT_EQ(a.HelpTopicFor(25), 25);
  EXPECT_EQ(a.HelpTopicFor(0), 1);
  EXPECT_EQ(a.HelpTopicFor(1000), 1);
  a.WinHelp(1200);
  EXPECT_EQ(topics, std::vector<int>{1});

  messages.clear();
  a.RunVersionUpdate();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, QStringLiteral("CONEXION CON EL SERVIDOR NO DISPONIBLE"));
  QStringList call;
  a.SetUpdateService([] { return 1; }, [&](const QString& form, const QString& year, const QString& version,
                                           const QString&, const QString&) { call = {form, year, version}; });
  a.RunVersionUpdate();
  EXPECT_EQ(call, (QStringList{"100", "2003", app::GetProductVersion()}));
}

TEST_F(AppTest, ReorganizingTheDeclarationsDatabaseReportsAndKeepsItOpen) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start();
  messages.clear();
  a.OnReorganizeData();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].code, QStringLiteral("WIN033"));
  EXPECT_TRUE(a.Databases().Declarations().IsOpen());
}

TEST_F(AppTest, AFailedDocumentCreationShowsWIN039AndOpensNothing) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = MakeApp(Options());
  a.SetDocumentFactory(app::kForm100Template, [] { return std::unique_ptr<app::IDeclarationDocument>(); });
  index.answer = {app::IndexChoice::Ok, false, "X", false};
  ASSERT_EQ(a.InitInstance(), app::CRentaApp::Start::Running);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().code, QStringLiteral("WIN039"));
  EXPECT_EQ(a.GetCurrentDocument(), nullptr);
}

TEST_F(AppTest, WebCommandsOpenTheirAddressThroughTheLinkOpener) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start();
  std::vector<QUrl> opened;
  CLinkLabel::SetOpener([&](const QUrl& u) {
    opened.push_back(u);
    return true;
  });
  a.MainFrame()->Action(app::ID_WEB_FAQ)->trigger();
  a.MainFrame()->Action(app::ID_WEB_HOME)->trigger();
  CLinkLabel::SetOpener(nullptr);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0].toString(), app::WebAddress(app::ID_WEB_FAQ, app::GetProductVersion()));
  EXPECT_EQ(opened[1].toString(), QString::fromLatin1(app::kTaxWebServer) + QLatin1Char('/'));
}

TEST(WebAddress, CarriesFormYearVersionAndPage) {
  const QString nor = app::WebAddress(app::ID_WEB_RULES, QStringLiteral("1.00"));
  EXPECT_TRUE(nor.endsWith(QStringLiteral("/vornes/acceso/servurl.htm?PRG=100&EJE=2003&VER=1.00&URL=NOR&EXT=NADA"))) << nor.toStdString();
  EXPECT_TRUE(app::WebAddress(app::ID_WEB_FAQ, QStringLiteral("1.00")).contains(QStringLiteral("URL=FAQ")));
  EXPECT_TRUE(app::WebAddress(app::ID_WEB_CDF, QString()).contains(QStringLiteral("VER=&URL=CDF")));
  EXPECT_TRUE(app::WebAddress(app::ID_FILE_NEW, QStringLiteral("1.00")).isEmpty());
}

TEST(Dialogs, IntroductionFileAndAboutBoxFollowTheLanguage) {
  EXPECT_EQ(app::CIntroDlg::IntroFilePath(QStringLiteral("/opt/qx/"), 'g'), QStringLiteral("/opt/qx/Intro__g.html"));
  EXPECT_EQ(app::CIntroDlg::IntroFilePath(QString(), 'e'), QStringLiteral("Intro__e.html"));
  app::CIntroDlg intro(nullptr, QString(), 'c', false);
  EXPECT_EQ(intro.windowTitle(), QStringLiteral("QUILDEXAN  -  INTRODUCCIÓ"));
  EXPECT_EQ(static_cast<QLabel*>(intro.GetDlgItem(app::CIntroDlg::kVersion))->text(),
            QStringLiteral("Versió ") + app::GetProductVersion());
  app::CAboutDlg about(nullptr, 'v', false, false);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Quant a QUILDEXAN"));
  EXPECT_EQ(about.PaintedName(), QStringLiteral("QUILDEXAN "));  // the first 10 characters
  EXPECT_TRUE(about.GetDlgItem(app::CAboutDlg::kWebLink)->isEnabled());
}

TEST_F(AppTest, ClosingTheMainWindowOverThePreviewOnlyClosesThePreview) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start();
  app::CMainFrame* f = a.MainFrame();
  bool previewShown = true;
  f->SetPrintPreviewCloser([&] {
    const bool was = previewShown;
    previewShown = false;
    return was;
  });
  f->close();
  EXPECT_TRUE(f->isVisible());
  EXPECT_FALSE(previewShown);
  f->close();
  EXPECT_FALSE(f->isVisible());
}

TEST_F(AppTest, TheIdlePromptGivesWayToTheBoxPrompt) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n");
  app::CRentaApp& a = Start();
  app::CMainFrame* f = a.MainFrame();
  f->ShowPrompt(QString());
  EXPECT_EQ(f->PromptShown(), QStringLiteral("Para obtener ayuda presione F1"));
  f->SetBoxPromptProvider([] { return QStringLiteral("Casilla 001: retribuciones dinerarias"); });
  f->ShowPrompt(QString());
  EXPECT_EQ(f->PromptShown(), QStringLiteral("Casilla 001: retribuciones dinerarias"));
}
