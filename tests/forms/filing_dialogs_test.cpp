// The filing dialogs and the filing web address.
#include <QCheckBox>
#include <QLineEdit>

#include <fstream>

#include "data/db_fixture.h"
#include "forms/filing/filing_dialogs.h"
#include "platform/strings.h"
#include "platform/web_address.h"
#include "ui/controls/link_label.h"

namespace {

const QString kServer = QString::fromLatin1(platform::kTaxAuthorityServer);

struct Messages {
  Messages() {
    forms::SetFilingMessageHook([this](QWidget*, const QString& text, bool yesNo) {
      shown.push_back(text);
      return yesNo ? answer : 1;
    });
  }
  ~Messages() { forms::SetFilingMessageHook({}); }
  std::vector<QString> shown;
  int answer = forms::kAnswerYes;
};

TEST(FilingAddress, TemplateKeysInTheirOrder) {
  EXPECT_EQ(platform::TaxAuthorityAddress("100", "2003", "1.00", "NOR"),
            kServer + "/vornes/acceso/servurl.htm?PRG=100&EJE=2003&VER=1.00&URL=NOR&EXT=NADA");
  EXPECT_EQ(platform::FilingWebAddress("714", "2003", "1.00", "/home/ana/12345678.714"),
            kServer + "/vornes/acceso/servurl.htm?PRG=714&EJE=2003&VER=1.00&URL=PIR&EXT=?FIC=/home/ana/12345678.714");
  // Characters that would end the query are encoded; the rest stands as the dialog holds it.
  EXPECT_TRUE(platform::FilingWebAddress("100", "2003", "1.00", "/d/a b&c#1+2%.100")
                  .endsWith("EXT=?FIC=/d/a%20b%26c%231%2B2%25.100"));
}

class PresentationDlg : public ::testing::Test {
 protected:
  PresentationDlg() {
    CLinkLabel::SetOpener([this](const QUrl& url) {
      opened.push_back(url.toString());
      return openWorks;
    });
  }
  ~PresentationDlg() override { CLinkLabel::SetOpener({}); }
  std::vector<QString> opened;
  bool openWorks = true;
  Messages messages;
  dbtest::TempDir dir;
};

TEST_F(PresentationDlg, ModelByTheDeclarationKind) {
  forms::CPresentacionTelematicaDeclaracionDlg form714(3, "1.00");
  form714.fileName = "/d/X.714";
  EXPECT_TRUE(form714.FilingAddress().contains("PRG=714&EJE=2003&VER=1.00"));
  forms::CPresentacionTelematicaDeclaracionDlg form100(2, "1.00");
  EXPECT_TRUE(form100.FilingAddress().contains("PRG=" + platform::LoadString(forms::kStrModel100) + "&EJE="));
}

TEST_F(PresentationDlg, ContinueOpensTheFilingPage) {
  forms::CPresentacionTelematicaDeclaracionDlg dlg(2, "1.00");
  dlg.fileName = "/d/12345678.100";
  dlg.OnOK();
  EXPECT_EQ(dlg.result(), ui::IDOK);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_TRUE(opened[0].endsWith("EXT=?FIC=/d/12345678.100")) << opened[0].toStdString();
  EXPECT_TRUE(messages.shown.empty());

  openWorks = false;  // the browser cannot be started: told, and the dialog still ends with OK
  forms::CPresentacionTelematicaDeclaracionDlg failing(2, "1.00");
  failing.OnOK();
  EXPECT_EQ(failing.result(), ui::IDOK);
  EXPECT_EQ(messages.shown, (std::vector<QString>{platform::LoadString(forms::kStrImmediateFailed)}));
}

TEST_F(PresentationDlg, CancelOffersToDeleteTheFile) {
  const std::string path = dir.Str() + "12345678.100";
  for (int answer : {forms::kAnswerNo, forms::kAnswerYes}) {
    std::ofstream(path) << "x";
    messages.answer = answer;
    forms::CPresentacionTelematicaDeclaracionDlg dlg(2, "1.00");
    dlg.fileName = QString::fromStdString(path);
    dlg.OnCancel();
    EXPECT_EQ(dlg.result(), ui::IDCANCEL);
    EXPECT_EQ(std::filesystem::exists(path), answer == forms::kAnswerNo);
    EXPECT_EQ(messages.shown.back(), platform::LoadString(forms::kStrImmediateCancelled) + dlg.fileName);
  }
  EXPECT_TRUE(opened.empty());
}

class InternetDlg : public ::testing::Test {
 protected:
  QString Folder() const { return QString::fromStdString(dir.Str()); }
  dbtest::TempDir dir;
  Messages messages;
};

TEST_F(InternetDlg, NamesWithoutExtensionGetOneHundred) {
  forms::CDlgInternet dlg("714", "12345678", Folder());
  struct Case {
    const char* typed;
    const char* chosen;
  };
  for (const Case& c : {Case{"/d/decl", "/d/decl.100"}, Case{"/d/decl.714", "/d/decl.714"},
                        Case{"/d/a.b/decl", "/d/a.b/decl.100"}}) {
    EXPECT_FALSE(dlg.OnFileNameOK(c.typed));
    EXPECT_EQ(dlg.GetPathName(), c.chosen);
  }
  EXPECT_FALSE(dlg.TakeSpouseFile());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InternetDlg, PrintCopyAndImmediateFiling) {
  forms::CDlgInternet dlg("100", "12345678", Folder());
  dlg.show();
  EXPECT_EQ(dlg.printCopy, 1);
  auto* print = qobject_cast<QCheckBox*>(dlg.GetDlgItem(forms::kPrintCopyCheck));
  ASSERT_TRUE(print && print->isChecked());
  print->setChecked(false);
  EXPECT_EQ(dlg.printCopy, 0);
  EXPECT_TRUE(dlg.GetDlgItem(forms::kSpouseEdit)->isHidden());
  qobject_cast<QCheckBox*>(dlg.GetDlgItem(forms::kImmediateCheck))->setChecked(true);
  dlg.FileDialog()->selectFile(Folder() + "declaracion");
  QMetaObject::invokeMethod(dlg.FileDialog(), "accept");  // the Save button
  EXPECT_EQ(dlg.result(), ui::IDOK);
  EXPECT_EQ(dlg.GetPathName(), Folder() + "declaracion.100");
  EXPECT_EQ(dlg.immediateFiling, 1);
}

TEST_F(InternetDlg, RemoteModeOffersNoImmediateFiling) {
  forms::CDlgInternet dlg("100", "12345678", Folder(), true);
  dlg.show();
  EXPECT_TRUE(dlg.GetDlgItem(forms::kImmediateCheck)->isHidden());
  EXPECT_FALSE(dlg.OnFileNameOK(Folder() + "12345678"));
  EXPECT_EQ(dlg.immediateFiling, 0);
}

TEST_F(InternetDlg, SpouseFile) {
  forms::CDlgInternet dlg("100", "12345678", Folder());
  dlg.SetSpouseFileName("87654321");
  dlg.show();
  auto* edit = qobject_cast<QLineEdit*>(dlg.GetDlgItem(forms::kSpouseEdit));
  ASSERT_TRUE(edit);
  EXPECT_FALSE(edit->isHidden());
  EXPECT_FALSE(dlg.GetDlgItem(forms::kSpouseLabel)->isHidden());
  EXPECT_EQ(edit->text(), "87654321");

  edit->clear();
  EXPECT_TRUE(dlg.OnFileNameOK(Folder() + "12345678.100"));  // no spouse name: stays open, no message
  EXPECT_TRUE(messages.shown.empty());
  edit->setText("12345678");
  EXPECT_TRUE(dlg.OnFileNameOK(Folder() + "12345678.100"));  // the same name once ".100" is added
  EXPECT_EQ(messages.shown, (std::vector<QString>{platform::LoadString(forms::kStrSameFileNames)}));

  std::ofstream(dir.Str() + "87654321.100") << "old";
  edit->setText("87654321");
  messages.answer = forms::kAnswerNo;
  EXPECT_TRUE(dlg.OnFileNameOK(Folder() + "12345678.100"));
  QString asked = platform::LoadString(forms::kStrSpouseFileExists);
  asked.replace("%%f%%", Folder() + "87654321.100");
  EXPECT_EQ(messages.shown.back(), asked);
  messages.answer = forms::kAnswerYes;
  EXPECT_FALSE(dlg.OnFileNameOK(Folder() + "12345678.100"));
  EXPECT_EQ(dlg.GetPathName(), Folder() + "12345678.100");
  EXPECT_EQ(dlg.SpouseFileName(), Folder() + "87654321.100");
  EXPECT_TRUE(dlg.TakeSpouseFile());
  EXPECT_EQ(dlg.GetPathName(), Folder() + "87654321.100");
  EXPECT_FALSE(dlg.SpouseMode());
}

}  // namespace
