// Bound editors driven by real key sequences inside a table-built dialog.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include <cstring>

#include "platform/help.h"
#include "platform/icons.h"
#include "platform/sound.h"
#include "support/scoped_locale.h"
#include "support/ui_helpers.h"
#include "ui/date_edit.h"
#include "ui/double_edit.h"
#include "ui/template_dlg.h"
#include "ui/text_edits.h"

using ui::Ctl;

namespace {

constexpr ui::ControlDef kEditors[] = {
    {.id = 1001, .kind = Ctl::Edit, .row = 0, .col = 0, .width = 5},
    {.id = 1002, .kind = Ctl::Money, .row = 1, .col = 0, .width = 12, .decimals = 2},
    {.id = 1003, .kind = Ctl::Date, .row = 2, .col = 0, .width = 8},
    {.id = 1004, .kind = Ctl::YesNo, .row = 3, .col = 0},
    {.id = 1005, .kind = Ctl::Count, .row = 4, .col = 0, .width = 5},
    {.id = 1006, .kind = Ctl::Alfa, .row = 5, .col = 0, .width = 10},
    {.id = 1007, .kind = Ctl::Double, .row = 6, .col = 0, .width = 12, .decimals = 0},
    {.id = 1, .kind = Ctl::Ok, .text = "&Aceptar", .row = 7, .col = 0},
    {.id = 2, .kind = Ctl::Cancel, .text = "&Cancelar", .row = 7, .col = 1},
};
constexpr ui::DialogTemplate kEditorsDlg{.id = 9001, .caption = "Editores", .controls = kEditors};

// Records every notification that reaches the dialog.
class RecordingDlg : public CTemplateDlg {
 public:
  RecordingDlg() : CTemplateDlg(kEditorsDlg) {}
  int OnCommand(int id, int code) override {
    notes.push_back({id, code});
    return CTemplateDlg::OnCommand(id, code);
  }
  bool Got(int id, int code) const {
    for (auto [i, c] : notes)
      if (i == id && c == code) return true;
    return false;
  }
  std::vector<std::pair<int, int>> notes;
};

struct Block {
  unsigned char bytes[128] = {};
};

class Editors : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetMessageSource(qxtest::AuthoredMessages());
    dlg.EnsureCreated();
    ASSERT_TRUE(qxtest::ShowActive(&dlg));
  }
  template <class T>
  T* Focus(int id) {
    T* e = dlg.Item<T>(id);
    e->setFocus();
    QApplication::processEvents();
    return e;
  }
  void Key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(w, k, m); }
  // The date field focused over `stored` (eight characters), the caret at `caret`.
  CDateEdit* DateAt(const char* stored, int caret = 0) {
    auto* e = Focus<CDateEdit>(1003);
    std::memcpy(date, stored, 8);
    e->BindData(date);
    e->LoadFromData(0);
    e->setCursorPosition(caret);
    return e;
  }

  // Bound data outlives the dialog: hiding it at the end stores the focused field once more.
  Block b;
  double num[8] = {};
  char date[16] = {};
  unsigned char flag[4] = {};
  double& Num(double v) { return num[0] = v; }
  qxtest::ScriptedMessages messages;
  RecordingDlg dlg;
};

TEST_F(Editors, TextFieldShowsTrimmedRunAndStoresPaddedOnLeaving) {
  auto* e = dlg.Edit(1001);
  std::memcpy(b.bytes, "AB   ", 5);
  e->BindData(b.bytes);
  CTemplatePropPg::UpdateChildControls(&dlg, false);
  EXPECT_EQ(e->text(), "AB");
  Focus<CEditEx>(1001);
  e->end(false);
  qxtest::Type(e, "c");
  EXPECT_EQ(e->text(), "ABC");  // typed letters are shown in capitals
  Key(e, Qt::Key_Tab);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(b.bytes), 5), "ABC  ");
  EXPECT_TRUE(dlg.Got(1001, ui::kNotifyEnterTab));
  EXPECT_TRUE(dlg.Got(1001, ui::kEnKillFocus));
  EXPECT_EQ(QApplication::focusWidget(), dlg.GetDlgItem(1002));  // Tab moved to the next field
}

TEST_F(Editors, PerMemberTextUsesTheShownMembersRun) {
  qxtest::MemberView view(ui::kSpouse, {1, 1, 1, 0, 0});
  CEditEx e(10, &dlg);
  e.Box()->occurrences = 5;
  e.SetEditableInMemberView(true);
  std::memset(b.bytes, ' ', 50);
  std::memcpy(b.bytes + 20, "MARIA", 5);
  e.BindData(b.bytes);
  e.LoadFromData(1);
  EXPECT_EQ(e.text(), "MARIA");
  e.setText("LUISA");
  e.StoreToData();
  EXPECT_EQ(std::string(reinterpret_cast<char*>(b.bytes + 20), 10), "LUISA     ");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(b.bytes), 20), std::string(20, ' '));
}

TEST_F(Editors, MemberViewRefusesTypingWithMessage100R025) {
  auto* e = Focus<CEditEx>(1001);
  {
    qxtest::MemberView declarant(ui::kDeclarant, {1, 1, 1, 0, 0});
    const int beeps = platform::BeepCount();
    qxtest::Type(e, "a");
    EXPECT_EQ(e->text(), "");
    EXPECT_EQ(platform::BeepCount(), beeps + 1);
    ASSERT_EQ(messages.Codes(), std::vector<QString>{"100R025"});
    EXPECT_EQ(messages.shown[0].icon, platform::kIconExclamation);
    e->SetEditableInMemberView(true);
    qxtest::Type(e, "a");
    EXPECT_EQ(e->text(), "A");
  }
  e->SetEditableInMemberView(false);
  qxtest::MemberView unit(ui::kFamilyUnit, {1, 1, 1, 0, 0});
  qxtest::Type(e, "b");
  EXPECT_EQ(e->text(), "AB");
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(Editors, TextFilterFoldsAccentsAndOptionallyRefusesTheApostrophe) {
  auto* e = Focus<CEditEx>(1001);
  qxtest::Type(e, QString::fromUtf8("ñá'"));
  EXPECT_EQ(e->text(), QString::fromUtf8("ÑA'"));
  e->SetAllowApostrophe(false);
  qxtest::Type(e, "'");
  EXPECT_EQ(e->text(), QString::fromUtf8("ÑA'"));
}

// A surname typed or pasted with accents keeps every letter: the accented vowels become their
// plain vowels, Ñ and Ç stay.
TEST_F(Editors, NameBoxFoldsAccentedVowelsAndKeepsEnyeAndCedilla) {
  struct Case {
    const char* typed;
    const char* shown;
  };
  for (const Case& c : {Case{"García", "GARCIA"}, Case{"López", "LOPEZ"}, Case{"Ñandú", "ÑANDU"},
                        Case{"Güell", "GUELL"}, Case{"Çàèì", "ÇAEI"}, Case{"ÁÉÍÓÚÜ", "AEIOUU"}}) {
    auto* e = Focus<CAlfaEdit>(1006);
    e->clear();
    qxtest::Type(e, QString::fromUtf8(c.typed));
    EXPECT_EQ(e->text(), QString::fromUtf8(c.shown)) << c.typed << " typed";
    e->clear();
    QApplication::clipboard()->setText(QString::fromUtf8(c.typed));
    e->Paste();
    EXPECT_EQ(e->text(), QString::fromUtf8(c.shown)) << c.typed << " pasted";
  }
  // Composed through an input method (a dead key and its vowel) it is folded the same way.
  auto* e = Focus<CAlfaEdit>(1006);
  e->clear();
  QInputMethodEvent composed;
  composed.setCommitString(QString::fromUtf8("é"));
  QApplication::sendEvent(e, &composed);
  EXPECT_EQ(e->text(), QStringLiteral("E"));
}

TEST_F(Editors, AmountTypedWithPointIsEditedWithCommaAndShownGrouped) {
  auto* e = Focus<CMoneda>(1002);
  double& v = Num(0);
  e->BindData(&v);
  EXPECT_EQ(e->EditWidth(), 16);
  qxtest::Type(e, "1234.5");
  EXPECT_EQ(e->text(), "1234,5");
  Key(e, Qt::Key_Tab);
  EXPECT_DOUBLE_EQ(v, 1234.5);
  EXPECT_EQ(e->text(), "1.234,50");
  Focus<CMoneda>(1002);
  EXPECT_EQ(e->text(), "1234,5");
}

// Under the users' own locale printf and strtod write and read a comma: the amount must not
// depend on it.
TEST_F(Editors, AmountTypedWithCommaUnderTheSpanishLocale) {
  qxtest::ScopedLocale spanish(qxtest::kSpanishLocale);
  if (!spanish.Active()) GTEST_SKIP() << qxtest::kSpanishLocale << " is not installed";
  const QLocale savedDefault;
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
  struct Case {
    const char* typed;
    double stored;
    const char* shown;
  } cases[] = {{"1234,5", 1234.5, "1.234,50"}, {"0,75", 0.75, "0,75"}, {"1234.5", 1234.5, "1.234,50"}};
  for (const Case& c : cases) {
    auto* e = Focus<CMoneda>(1002);
    double& v = Num(0);
    e->BindData(&v);
    e->setText("");
    qxtest::Type(e, c.typed);
    Key(e, Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(v, c.stored) << c.typed;
    EXPECT_EQ(e->text(), c.shown) << c.typed;
    Focus<CMoneda>(1002);
    EXPECT_EQ(e->text(), QString::fromLatin1(c.typed).replace(u'.', u',')) << c.typed;
  }
  QLocale::setDefault(savedDefault);
}

TEST_F(Editors, AmountRefusesDigitsBeyondTheFieldAndASecondComma) {
  auto* e = Focus<CMoneda>(1002);
  double& v = Num(0);
  e->BindData(&v);
  qxtest::Type(e, "1234567890123");  // 13 integer digits into 12
  EXPECT_EQ(e->text(), "123456789012");
  qxtest::Type(e, ",456,");
  EXPECT_EQ(e->text(), "123456789012,45");
  e->setCursorPosition(0);
  qxtest::Type(e, "9");
  EXPECT_EQ(e->text(), "123456789012,45");
}

TEST_F(Editors, AmountSignTogglesOnlyWhenNegativesAreAllowed) {
  auto* e = Focus<CMoneda>(1002);
  qxtest::Type(e, "125");
  const int beeps = platform::BeepCount();
  qxtest::Type(e, "-");
  EXPECT_EQ(e->text(), "125");
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
  e->Box()->AdmitNega = 1;
  qxtest::Type(e, "-");
  EXPECT_EQ(e->text(), "-125");
  qxtest::Type(e, "-");
  EXPECT_EQ(e->text(), "125");
}

TEST_F(Editors, AmountEditingFormats) {
  struct Case {
    int id;
    double value;
    const char* edited;
  } cases[] = {{1002, 7.10, "7,1"}, {1002, 7.00, "7"}, {1002, 0.0, ""}, {1007, 15.7, "16"}};
  for (const Case& c : cases) {
    double& v = Num(c.value);
    auto* e = dlg.Item<CDoubleEdit>(c.id);
    e->BindData(&v);
    e->LoadFromData(0);
    EXPECT_EQ(e->text(), c.edited) << c.value;
  }
  auto* e = Focus<CMoneda>(1002);
  double& v = Num(99);
  e->BindData(&v);
  e->setText("");
  e->SetModifiedEx(true);
  Key(e, Qt::Key_Tab);
  EXPECT_EQ(v, 0.0);
}

TEST_F(Editors, AmountWithOccurrencesUsesTheShownMembersDouble) {
  qxtest::MemberView view(ui::kSpouse, {1, 1, 1, 0, 0});
  CBoxField box;
  box.StrValidac = "R12*5.2";
  box.textFieldFlag = 1;
  box.ApplyFormatSpec();
  CMoneda e(&box, &dlg);
  double* v = num;
  for (int i = 0; i < 5; ++i) v[i] = i + 1;
  e.BindData(v);
  e.LoadFromData(0);
  EXPECT_EQ(e.text(), "3");
  e.setText("44,5");
  e.StoreToData();
  EXPECT_DOUBLE_EQ(v[2], 44.5);
  EXPECT_DOUBLE_EQ(v[1], 2.0);
}

TEST_F(Editors, DateTypedDigitByDigitJumpsOverSlashes) {
  auto* e = DateAt("        ");
  char* field = date;
  qxtest::Type(e, "311");
  EXPECT_EQ(e->cursorPosition(), 4);  // after the month's first digit, the "/" skipped
  qxtest::Type(e, "22003");
  EXPECT_EQ(e->text(), "31/12/2003");
  EXPECT_EQ(std::string(field, 8), "31122003");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Editors, DateRefusesDay32AndKeepsTheCaret) {
  auto* e = DateAt("        ");
  qxtest::Type(e, "32");
  EXPECT_EQ(messages.Codes(), std::vector<QString>{"WIN009"});
  EXPECT_EQ(messages.shown[0].icon, platform::kIconHand);
  EXPECT_EQ(e->cursorPosition(), 2);
  EXPECT_EQ(QApplication::focusWidget(), e);
}

TEST_F(Editors, DateTwoDigitYearsAreCompletedOnTab) {
  struct Case {
    const char* typed;
    const char* stored;
  } cases[] = {{"010305", "01032005"}, {"010398", "01031998"}, {"010310", "01031910"}};
  for (const Case& c : cases) {
    auto* e = DateAt("        ");
    char* field = date;
    qxtest::Type(e, c.typed);
    Key(e, Qt::Key_Tab);
    EXPECT_EQ(std::string(field, 8), c.stored) << c.typed;
    EXPECT_NE(QApplication::focusWidget(), e) << c.typed;  // Tab in the year leaves the date
  }
}

TEST_F(Editors, DateDigitOnAFullYearPositionIsInsertedWhenTheLastIsBlank) {
  auto* e = DateAt("010320  ", 6);
  qxtest::Type(e, "1");
  EXPECT_EQ(e->text(), "01/03/120 ");
}

TEST_F(Editors, EmptyDateIsLeftWithTabWithoutMessage) {
  auto* e = DateAt("        ");
  Key(e, Qt::Key_Tab);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(QApplication::focusWidget(), dlg.GetDlgItem(1004));
}

TEST_F(Editors, YesNoByte) {
  auto* e = Focus<CYesNoEdit>(1004);
  unsigned char& yn = flag[0];
  yn = 7;
  e->BindData(&yn);
  e->LoadFromData(0);
  EXPECT_EQ(e->text(), "");
  qxtest::Type(e, "n");
  EXPECT_EQ(e->text(), "NO");
  EXPECT_EQ(yn, 0);
  EXPECT_TRUE(dlg.Got(1004, ui::kNotifyValueStored));
  qxtest::Type(e, "S");
  EXPECT_EQ(yn, 1);
  qxtest::Type(e, " ");
  EXPECT_EQ(yn, 255);
  const int beeps = platform::BeepCount();
  qxtest::Type(e, "x");
  Key(e, Qt::Key_Delete);
  EXPECT_EQ(platform::BeepCount(), beeps + 2);
  EXPECT_EQ(yn, 255);
}

TEST_F(Editors, CountBackspaceTakesTheLastCharacter) {
  auto* e = Focus<CCountEdit>(1005);
  qxtest::Type(e, "123");
  e->setCursorPosition(1);
  Key(e, Qt::Key_Backspace);
  EXPECT_EQ(e->text(), "12");
  qxtest::Type(e, ".a");
  EXPECT_EQ(e->text(), "12");
}

TEST_F(Editors, NameEditRefusesDigits) {
  auto* e = Focus<CAlfaEdit>(1006);
  qxtest::Type(e, "o'neil 2");
  EXPECT_EQ(e->text(), "O'NEIL ");
}

TEST_F(Editors, ShiftTabAndEnterMoveBetweenFields) {
  auto* e = Focus<CMoneda>(1002);
  Key(e, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), dlg.GetDlgItem(1001));
  Key(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), dlg.GetDlgItem(1002));
}

TEST_F(Editors, F1OpensTheFieldsHelpTopic) {
  int topic = 0;
  platform::SetHelpHook([&](int t) { topic = t; });
  auto* e = Focus<CMoneda>(1002);
  e->Box()->NumeroDeCo = 3;
  Key(e, Qt::Key_F1);
  EXPECT_EQ(topic, 3);
  e->Box()->NumeroDeCo = 1200;  // beyond the help's numbers: the contents
  Key(e, Qt::Key_F1);
  EXPECT_EQ(topic, 1);
  platform::SetHelpHook({});
}

TEST_F(Editors, EscapeInAFieldCancelsTheDialog) {
  auto* e = Focus<CMoneda>(1002);
  Key(e, Qt::Key_Escape);
  EXPECT_EQ(dlg.result(), ui::IDCANCEL);
  EXPECT_FALSE(dlg.isVisible());
}

}  // namespace
