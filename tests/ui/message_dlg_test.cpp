// The coded message dialog: table lookup and parsing, the real dialog's keys, re-entrancy.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <sqlite3.h>

#include "platform/icons.h"
#include "support/ui_helpers.h"

namespace {

class MessageDlg : public ::testing::Test {
 protected:
  void SetUp() override {
    src = std::make_shared<ui::MemoryMessageSource>();
    auto row = [&](const char* code, const char* title, const char* text, double n, const char* buttons) {
      src->Add("ERRORESE", code, {QString::fromUtf8(title), QString::fromUtf8(text), n, QString::fromUtf8(buttons)});
    };
    row("100R042", "AVISO  DE PRUEBA", "Importe %s fuera de límite   ", 2, "ACEPTAR@CORREGIR");
    row("100R043", "AVISO", "Revise el dato", 1, "ACEPTAR@");
    row("100R044", "AVISO", "Al 100% de %s\\nya", 1, "CONTINUAR ");
    row("100R045", "AVISO", "Sin botones", 2, "aceptar@corregir");
    ui::SetMessageSource(src);
    platform::SetLanguage('e');
  }
  void TearDown() override { ui::SetMessageSource(nullptr); }
  std::shared_ptr<ui::MemoryMessageSource> src;
};

TEST_F(MessageDlg, RowsAreParsedIntoTitleTextAndButtons) {
  qxtest::ScriptedMessages script({8});
  EXPECT_EQ(ui::ShowMessage(nullptr, "100R042XYZ", platform::kIconHand, "1.000,00"), kAnsCorregir);  // cut to seven
  const ShownMessage& m = script.shown.at(0);
  EXPECT_EQ(m.title, "AVISO");
  EXPECT_EQ(m.text, QString::fromUtf8("Importe 1.000,00 fuera de límite"));
  EXPECT_EQ(m.buttons, kBtnAceptar | kBtnCorregir);
}

TEST_F(MessageDlg, TextAndButtonCases) {
  struct Case {
    const char* code;
    const char* extra;
    const char* text;
    int buttons;
  } cases[] = {
      {"100R043", "", "Revise el dato", kBtnAceptar},
      {"100R043", "X", "Revise el dato X", kBtnAceptar},                 // no "%s": appended
      {"100R044", "", "Al 100% de %sya", kBtnContinuar},                 // stray "%" shown, "\n" dropped
      {"100R044", "50", "Al 100% de 50ya", kBtnContinuar},
      {"100R045", "", "Sin botones", 0},                                  // lower-case words: no button
      {"NOEXIST", "", "NOEXIST", kBtnAceptar},
      {"NOEXIST", "texto", "texto", kBtnAceptar},
      {"", "solo texto", "solo texto", kBtnAceptar},
      {"", "", "", 0},
  };
  for (const Case& c : cases) {
    qxtest::ScriptedMessages script;
    ui::ShowMessage(nullptr, c.code, platform::kIconAsterisk, QString::fromUtf8(c.extra));
    EXPECT_EQ(script.shown.at(0).text, QString::fromUtf8(c.text)) << c.code << " " << c.extra;
    EXPECT_EQ(script.shown.at(0).buttons, c.buttons) << c.code;
  }
}

// One dialog shown again keeps its first answer, unless "Corregir" sets it anew.
TEST_F(MessageDlg, ResultIsKeptBetweenShows) {
  CMessageDlg dlg;
  qxtest::WhenModal([](QWidget* m) { QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m, Qt::Key_Return); });
  EXPECT_EQ(dlg.Show("100R043", platform::kIconHand), kAnsAceptar);
  qxtest::WhenModal([](QWidget* m) { QTest::keyClick(m, Qt::Key_Escape); });  // no buttons: 2
  EXPECT_EQ(dlg.Show("100R045", platform::kIconHand), kAnsAceptar);        // 2 does not replace it
  qxtest::WhenModal([](QWidget* m) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(dlg.Show("100R042", platform::kIconHand), kAnsCorregir);  // 8 sets it anew
}

TEST_F(MessageDlg, ShowFromInsideAShownMessageReturnsAtOnce) {
  qxtest::ScriptedMessages script({1});
  int inner = 0;
  script.onShow = [&](const ShownMessage&) { inner = ui::ShowMessage(nullptr, "100R043", platform::kIconHand); };
  ui::ShowMessage(nullptr, "100R043", platform::kIconHand);
  EXPECT_EQ(inner, kAnsNone);
  EXPECT_EQ(script.shown.size(), 1u);
}

// The real dialog: Enter and Esc press the focused button; "Co&rregir" answers 8.
TEST_F(MessageDlg, KeysOnTheRealDialog) {
  struct Case {
    std::vector<Qt::Key> keys;
    int answer;
  } cases[] = {
      {{Qt::Key_Return}, kAnsAceptar},
      {{Qt::Key_Escape}, kAnsAceptar},
      {{Qt::Key_Tab, Qt::Key_Return}, kAnsCorregir},
      {{Qt::Key_Tab, Qt::Key_Escape}, kAnsCorregir},
      {{Qt::Key_Tab, Qt::Key_Space}, kAnsCorregir},
  };
  for (const Case& c : cases) {
    CMessageDlg dlg;
    QString caption8;
    qxtest::WhenModal([&](QWidget* m) {
      caption8 = dlg.GetDlgItem(8)->isVisible() ? static_cast<QPushButton*>(dlg.GetDlgItem(8))->text() : QString();
      for (Qt::Key k : c.keys) QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m, k);
    });
    EXPECT_EQ(dlg.Show("100R042", platform::kIconHand, "1"), c.answer);
    EXPECT_EQ(caption8, "Co&rregir");
  }
}

TEST_F(MessageDlg, EmptyDialogWithoutButtonsEndsWithEscape) {
  CMessageDlg dlg;
  qxtest::WhenModal([](QWidget* m) { QTest::keyClick(m, Qt::Key_Escape); });
  EXPECT_EQ(dlg.Show("", platform::kIconHand, ""), kAnsCancelar);
}

// Without a double the message service is the program's: the coded message dialog, and plain
// message boxes with the title, icon and buttons asked for and their answers.
TEST_F(MessageDlg, TheProgramsServiceShowsTheRealDialogs) {
  QString title;
  qxtest::WhenModal([&](QWidget* m) {
    title = m->windowTitle();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m, Qt::Key_Return);
  });
  EXPECT_EQ(ui::ShowMessage(nullptr, "100R043", platform::kIconHand), kAnsAceptar);
  EXPECT_EQ(title, "AVISO");

  struct Case {
    int icon;
    PlainButtons buttons;
    QMessageBox::Icon shownIcon;
    QMessageBox::StandardButtons shownButtons;
    QMessageBox::StandardButton pressed;
    int answer;
  } cases[] = {
      {0, PlainButtons::Ok, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, kPlainOk},
      {platform::kIconHand, PlainButtons::Ok, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok, kPlainOk},
      {platform::kIconExclamation, PlainButtons::Ok, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok, kPlainOk},
      {platform::kIconQuestion, PlainButtons::YesNo, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
       QMessageBox::No, kPlainNo},
      {platform::kIconAsterisk, PlainButtons::YesNoCancel, QMessageBox::Information,
       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes, kPlainYes},
      {platform::kIconAsterisk, PlainButtons::YesNoCancel, QMessageBox::Information,
       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel, kPlainCancel},
  };
  for (const Case& c : cases) {
    QString shownTitle, shownText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    qxtest::WhenModal([&](QWidget* m) {
      auto* box = qobject_cast<QMessageBox*>(m);
      ASSERT_NE(box, nullptr);
      shownTitle = box->windowTitle();
      shownText = box->text();
      icon = box->icon();
      buttons = box->standardButtons();
      box->button(c.pressed)->click();
    });
    EXPECT_EQ(ui::ShowPlain(nullptr, QStringLiteral("QUILDEXAN"), QStringLiteral("Texto"), c.icon, c.buttons), c.answer);
    EXPECT_EQ(shownTitle, "QUILDEXAN");
    EXPECT_EQ(shownText, "Texto");
    EXPECT_EQ(icon, c.shownIcon) << c.icon;
    EXPECT_EQ(buttons, c.shownButtons) << c.icon;
  }
}

TEST_F(MessageDlg, SqliteSourceBindsTheCodeAndReadsTheLanguageTable) {
  QTemporaryDir dir;
  const QString path = dir.filePath("DatLocal.db");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
  sqlite3_exec(db,
               "CREATE TABLE ERRORESC (Coderror TEXT, TituError TEXT, TextError TEXT, numbotones REAL, TextBotone TEXT);"
               "INSERT INTO ERRORESC VALUES ('100R025', 'AVÍS', 'No es pot modificar', 1, 'ACCEPTAR@');",
               nullptr, nullptr, nullptr);
  sqlite3_close(db);
  auto src = std::make_shared<ui::DatabaseMessageSource>(path);
  ASSERT_TRUE(src->IsOpen());
  EXPECT_TRUE(src->Find("ERRORESC", "100r025").has_value());
  EXPECT_FALSE(src->Find("ERRORESC", "x' OR '1'='1").has_value());
  EXPECT_FALSE(src->Find("ERRORESC; DROP TABLE ERRORESC", "100R025").has_value());
  ui::SetMessageSource(src);
  platform::SetLanguage('c');
  qxtest::ScriptedMessages script;
  ui::ShowMessage(nullptr, "100R025", platform::kIconExclamation);
  EXPECT_EQ(script.shown.at(0).title, QString::fromUtf8("AVÍS"));
  EXPECT_EQ(script.shown.at(0).buttons, kBtnAceptar);
  platform::SetLanguage('e');
}

TEST_F(MessageDlg, AuthoredTablesHoldEveryCodeOfTheFrameworkInFourLanguages) {
  auto authored = qxtest::AuthoredMessages();
  for (const char* code : {"WIN070", "100R025", "WIN009", "WIN010", "WIN007", "WIN008", "100R147", "WIN022"})
    for (char l : {'e', 'c', 'g', 'v'}) {
      const auto row = authored->Find(ui::MessageTableName(l), code);
      ASSERT_TRUE(row.has_value()) << code << l;
      ui::SetMessageSource(authored);
      platform::SetLanguage(l);
      CMessageDlg dlg;
      EXPECT_TRUE(dlg.LookUpMessage(code));
      EXPECT_EQ(dlg.Buttons(), kBtnAceptar) << code << l;  // the button word of the language
    }
  platform::SetLanguage('e');
}

}  // namespace
