// The filing dialogs and the filing web address.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>

#include "data/db_fixture.h"
#include "forms/filing/filing_dialogs.h"
#include "platform/strings.h"
#include "platform/web_address.h"
#include "support/ui_helpers.h"
#include "ui/controls/link_label.h"

namespace {

const QString kServer = QString::fromLatin1(platform::kTaxAuthorityServer);

// The plain messages of the filing dialogs through the message service's double: their texts, and
// the answer to a Yes/No question.
struct Messages {
  Messages() {
    double_.plainAnswer = [this](const PlainMessage& m) {
      shown.push_back(QString::fromStdString(m.text));
      return m.buttons == PlainButtons::YesNo ? answer : kPlainOk;
    };
  }
  std::vector<QString> shown;
  int answer = forms::kAnswerYes;

 private:
  qxtest::ScriptedMessages double_;
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

// What a user meets: the folder and the proposed name in their fields, Aceptar, Cancelar and the
// browse button; the name typed there, the check boxes clicked, Aceptar.
TEST_F(InternetDlg, FolderAndNameTypedThenAceptar) {
  forms::CDlgInternet dlg("100", "12345678", Folder());
  dlg.show();
  auto* folder = qobject_cast<QLineEdit*>(dlg.GetDlgItem(forms::kFolderEdit));
  auto* name = qobject_cast<QLineEdit*>(dlg.GetDlgItem(forms::kFileNameEdit));
  ASSERT_TRUE(folder && name);
  for (int id : {int(forms::kFolderEdit), int(forms::kFileNameEdit), int(forms::kBrowseButton), int(ui::IDOK),
                 int(ui::IDCANCEL), int(forms::kPrintCopyCheck), int(forms::kImmediateCheck)})
    EXPECT_TRUE(dlg.GetDlgItem(id)->isVisible() && dlg.GetDlgItem(id)->isEnabled()) << id;
  EXPECT_EQ(QDir(folder->text()), QDir(Folder()));
  EXPECT_EQ(name->text(), "12345678");
  EXPECT_EQ(qobject_cast<QAbstractButton*>(dlg.GetDlgItem(ui::IDOK))->text(), platform::LoadString(ui::kStrOkButton));
  EXPECT_LE(dlg.width(), 1280);
  EXPECT_LE(dlg.height(), 800);

  EXPECT_EQ(dlg.printCopy, 1);
  auto* print = qobject_cast<QCheckBox*>(dlg.GetDlgItem(forms::kPrintCopyCheck));
  ASSERT_TRUE(print && print->isChecked());
  print->click();
  EXPECT_EQ(dlg.printCopy, 0);
  EXPECT_TRUE(dlg.GetDlgItem(forms::kSpouseEdit)->isHidden());
  qobject_cast<QAbstractButton*>(dlg.GetDlgItem(forms::kImmediateCheck))->click();
  name->clear();
  QTest::keyClicks(name, "declaracion");
  qobject_cast<QAbstractButton*>(dlg.GetDlgItem(ui::IDOK))->click();
  EXPECT_EQ(dlg.result(), ui::IDOK);
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(dlg.GetPathName(), Folder() + "declaracion.100");
  EXPECT_EQ(dlg.immediateFiling, 1);
  EXPECT_TRUE(messages.shown.empty());
}

// A name without an extension takes the form's, as a save dialog gives it; an empty name keeps
// the dialog open; an existing file is replaced only on Yes; Cancelar ends without a name.
TEST_F(InternetDlg, NamesTheDialogRefusesOrAsksAbout) {
  {
    forms::CDlgInternet dlg("714", "87654321", Folder());
    dlg.show();
    qobject_cast<QAbstractButton*>(dlg.GetDlgItem(ui::IDOK))->click();
    EXPECT_EQ(dlg.GetPathName(), Folder() + "87654321.714");
  }
  forms::CDlgInternet dlg("100", "12345678", Folder());
  dlg.show();
  auto* name = qobject_cast<QLineEdit*>(dlg.GetDlgItem(forms::kFileNameEdit));
  auto* ok = qobject_cast<QAbstractButton*>(dlg.GetDlgItem(ui::IDOK));
  name->setText("   ");
  ok->click();
  EXPECT_TRUE(dlg.isVisible()) << "no name: the dialog stays";
  EXPECT_TRUE(dlg.GetPathName().isEmpty());

  std::ofstream(dir.Str() + "12345678.100") << "old";
  name->setText("12345678");
  messages.answer = forms::kAnswerNo;
  ok->click();
  EXPECT_TRUE(dlg.isVisible()) << "not replaced";
  QString asked = platform::LoadString(forms::kStrSpouseFileExists);
  asked.replace("%%f%%", Folder() + "12345678.100");
  EXPECT_EQ(messages.shown, (std::vector<QString>{asked}));
  messages.answer = forms::kAnswerYes;
  ok->click();
  EXPECT_EQ(dlg.result(), ui::IDOK);
  EXPECT_EQ(dlg.GetPathName(), Folder() + "12345678.100");

  // A full path typed as the name wins over the folder.
  forms::CDlgInternet other("100", "12345678", "/nowhere");
  other.show();
  qobject_cast<QLineEdit*>(other.GetDlgItem(forms::kFileNameEdit))->setText(Folder() + "sub/../x.100");
  qobject_cast<QAbstractButton*>(other.GetDlgItem(ui::IDOK))->click();
  EXPECT_EQ(other.GetPathName(), Folder() + "x.100");

  forms::CDlgInternet cancelled("100", "12345678", Folder());
  cancelled.show();
  qobject_cast<QAbstractButton*>(cancelled.GetDlgItem(ui::IDCANCEL))->click();
  EXPECT_EQ(cancelled.result(), ui::IDCANCEL);
  EXPECT_TRUE(cancelled.GetPathName().isEmpty());
}

// The browse button opens a save dialog; the file chosen there fills the folder and name fields.
TEST_F(InternetDlg, BrowseFillsFolderAndName) {
  std::filesystem::create_directories(dir.Path() / "otra");
  const QString chosenFolder = Folder() + "otra";
  forms::CDlgInternet dlg("100", "12345678", Folder());
  dlg.show();
  bool answered = false;
  QTimer::singleShot(0, [&] {
    auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(files);
    EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
    auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(edit);
    edit->setText(chosenFolder + "/conjunta");
    auto* box = files->findChild<QDialogButtonBox*>();
    ASSERT_TRUE(box);
    box->button(QDialogButtonBox::Save)->click();
    answered = true;
  });
  qobject_cast<QAbstractButton*>(dlg.GetDlgItem(forms::kBrowseButton))->click();
  ASSERT_TRUE(answered);
  EXPECT_EQ(QDir(qobject_cast<QLineEdit*>(dlg.GetDlgItem(forms::kFolderEdit))->text()), QDir(chosenFolder));
  EXPECT_EQ(qobject_cast<QLineEdit*>(dlg.GetDlgItem(forms::kFileNameEdit))->text(), "conjunta.100");
  EXPECT_TRUE(dlg.isVisible()) << "the filing dialog waits for Aceptar";
  qobject_cast<QAbstractButton*>(dlg.GetDlgItem(ui::IDOK))->click();
  EXPECT_EQ(dlg.GetPathName(), chosenFolder + "/conjunta.100");
}

TEST_F(InternetDlg, RemoteModeOffersNoImmediateFiling) {
  forms::CDlgInternet dlg("100", "12345678", Folder(), true);
  dlg.show();
  EXPECT_TRUE(dlg.GetDlgItem(forms::kImmediateCheck)->isHidden());
  // The file goes to the remote folder under the proposed name.
  for (int id : {int(forms::kFolderEdit), int(forms::kFileNameEdit), int(forms::kBrowseButton)})
    EXPECT_FALSE(dlg.GetDlgItem(id)->isEnabled()) << id;
  EXPECT_TRUE(dlg.GetDlgItem(ui::IDOK)->isEnabled());
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
