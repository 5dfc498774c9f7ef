// The calculator driven as a user drives it: clicks on its keys and typing into it.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/controls/calculator_dlg.h"
#include "ui/controls/profile_store.h"

namespace {

using D = CCalculadoraDlg;

class CalculatorTest : public ::testing::Test {
 protected:
  void SetUp() override { ui::controls::SetActiveProfile(&profile); }
  void TearDown() override { ui::controls::SetActiveProfile(nullptr); }

  // A calculator on screen, as its modal run leaves it after opening.
  std::unique_ptr<D> Open(int resultUsable = 0) {
    auto dlg = std::make_unique<D>();
    dlg->SetResultUsable(resultUsable);
    dlg->show();
    return dlg;
  }
  static void Click(D& dlg, int id) {
    QAbstractButton* b = dlg.Button(id);
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
  }
  static void Type(D& dlg, const char* keys) { QTest::keyClicks(dlg.Display(), QString::fromLatin1(keys)); }
  static QString Shown(D& dlg) { return dlg.Display()->text(); }

  ui::controls::MemoryProfileStore profile;
};

TEST_F(CalculatorTest, OpensInEurosShowingZero) {
  auto dlg = Open();
  EXPECT_EQ(Shown(*dlg), "0,00");
  EXPECT_TRUE(dlg->ShowsEuros());
  EXPECT_FALSE(dlg->Button(D::IDC_EUROS)->isEnabled());
  EXPECT_TRUE(dlg->Button(D::IDC_PESETAS)->isEnabled());
  EXPECT_FALSE(dlg->Button(D::IDC_COPY_RESULT)->isEnabled());
  // The digit keys are round: squared to the smaller side.
  EXPECT_EQ(dlg->Button(D::IDC_7)->width(), dlg->Button(D::IDC_7)->height());
}

TEST_F(CalculatorTest, ArithmeticTypedIntoTheDisplay) {
  const struct {
    const char* keys;
    const char* shown;
  } cases[] = {
      {"2+3=", "5"},
      {"2+3+", "5"},            // a second operator shows the running result and waits
      {"2+3+4=", "9"},
      {"7/0=", "0"},            // division by zero gives 0
      {"200+10%", "20"},
      {"9-4=", "5"},
      {"-5=", "-5"},            // a leading minus starts from the display's 0
      {"6*7=", "42"},
      {"1,5*2=", "3"},
      {"1.5+1=", "2,5"},        // the point types a comma
      {"0,,5", "0,5"},          // a second comma is ignored
      {"3+*4=", "12"},          // two operators in a row: the last one counts
      {"123456789012345", "12345678901234"},  // a fifteenth digit is ignored
      {"1/3=", "0,333333333333333"},
  };
  for (const auto& c : cases) {
    auto dlg = Open();
    Type(*dlg, c.keys);
    EXPECT_EQ(Shown(*dlg), QString::fromLatin1(c.shown)) << c.keys;
  }
}

TEST_F(CalculatorTest, ClearAndClearEntry) {
  auto dlg = Open();
  Type(*dlg, "8+5");
  QTest::keyClick(dlg->Display(), Qt::Key_Delete);  // CE on release: the 5 goes, the 8 + stays
  EXPECT_EQ(Shown(*dlg), "0.");
  Type(*dlg, "2=");
  EXPECT_EQ(Shown(*dlg), "10");
  QTest::keyClick(dlg->Display(), Qt::Key_Backspace);  // C: everything goes
  EXPECT_EQ(Shown(*dlg), "0.");
  Type(*dlg, "0");
  EXPECT_EQ(Shown(*dlg), "0.");  // a zero on a cleared display is ignored
  Type(*dlg, "4+1=");
  EXPECT_EQ(Shown(*dlg), "5");
  // A character without a key leaves the display as it is.
  Type(*dlg, "a");
  EXPECT_EQ(Shown(*dlg), "5");
}

TEST_F(CalculatorTest, KeysReachingTheDialogPressTheirButtons) {
  auto dlg = Open();
  QWidget* key = dlg->Button(D::IDC_C);  // a key button passes what it gets to the dialog
  QTest::keyClicks(key, "12");
  QTest::keyClick(key, Qt::Key_Plus, Qt::KeypadModifier);
  QTest::keyClick(key, Qt::Key_3, Qt::KeypadModifier);
  QTest::keyClick(key, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Shown(*dlg), "15");
  // Shifted keys of a Spanish keyboard arrive as the characters they produce.
  QTest::keyClick(dlg.get(), Qt::Key_Slash, Qt::ShiftModifier);
  QTest::keyClick(dlg.get(), Qt::Key_2);
  QTest::keyClick(dlg.get(), Qt::Key_Equal, Qt::ShiftModifier);
  EXPECT_EQ(Shown(*dlg), "7,5");
  QTest::keyClick(dlg.get(), Qt::Key_Comma, Qt::KeypadModifier);
  EXPECT_EQ(Shown(*dlg), "0,");
  QTest::keyClick(dlg.get(), Qt::Key_Delete);
  EXPECT_EQ(Shown(*dlg), "0.");
  EXPECT_TRUE(dlg->isVisible());
}

TEST_F(CalculatorTest, PesetasToEurosAndBack) {
  auto dlg = Open();
  Click(*dlg, D::IDC_PESETAS);
  EXPECT_EQ(Shown(*dlg), "0");
  Type(*dlg, "1000");
  Click(*dlg, D::IDC_EUROS);
  EXPECT_EQ(Shown(*dlg), "6,01");
  EXPECT_TRUE(dlg->ShowsEuros());
  Click(*dlg, D::IDC_PESETAS);
  EXPECT_EQ(Shown(*dlg), "1000");
  EXPECT_FALSE(dlg->Button(D::IDC_PESETAS)->isEnabled());
  EXPECT_TRUE(dlg->Button(D::IDC_EUROS)->isEnabled());
}

TEST_F(CalculatorTest, MoreThanTwoDecimalsOfEurosCannotTurnIntoPesetas) {
  auto dlg = Open();
  Type(*dlg, "1,23");
  EXPECT_TRUE(dlg->Button(D::IDC_PESETAS)->isEnabled());
  Type(*dlg, "4");
  EXPECT_FALSE(dlg->Button(D::IDC_PESETAS)->isEnabled());
  QTest::keyClick(dlg->Display(), Qt::Key_Backspace);
  EXPECT_TRUE(dlg->Button(D::IDC_PESETAS)->isEnabled());
}

TEST_F(CalculatorTest, CopyResultOnlyForANumericCallerAndOnlyInEuros) {
  auto fromText = Open(0);
  Click(*fromText, D::IDC_PESETAS);
  Click(*fromText, D::IDC_EUROS);
  EXPECT_FALSE(fromText->Button(D::IDC_COPY_RESULT)->isEnabled());

  auto fromNumber = Open(1);
  EXPECT_TRUE(fromNumber->Button(D::IDC_COPY_RESULT)->isEnabled());
  Click(*fromNumber, D::IDC_PESETAS);
  EXPECT_FALSE(fromNumber->Button(D::IDC_COPY_RESULT)->isEnabled());
  Type(*fromNumber, "1000");
  Click(*fromNumber, D::IDC_EUROS);
  Click(*fromNumber, D::IDC_COPY_RESULT);
  EXPECT_EQ(fromNumber->result(), QDialog::Accepted);
  EXPECT_EQ(fromNumber->GetDisplayText(), "6,01");
}

TEST_F(CalculatorTest, EscapeLeavesWithCancel) {
  auto dlg = Open(1);
  QTest::keyClick(dlg->Display(), Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(CalculatorTest, MemoryLivesInTheProfile) {
  {
    auto dlg = Open();
    EXPECT_EQ(dlg->Memory(), 0.0);
    Type(*dlg, "12,5");
    Click(*dlg, D::IDC_MPLUS);
    Type(*dlg, "2");
    Click(*dlg, D::IDC_MPLUS);
    Type(*dlg, "2");
    Click(*dlg, D::IDC_MMINUS);
    Click(*dlg, D::IDC_EXIT);
  }
  EXPECT_EQ(profile.GetString("CALCULADORA", "Memoria"), "12,500000");
  {
    auto dlg = Open();
    EXPECT_DOUBLE_EQ(dlg->Memory(), 12.5);
    Click(*dlg, D::IDC_MR);
    EXPECT_EQ(Shown(*dlg), "12,5");
    Click(*dlg, D::IDC_MC);
    EXPECT_EQ(dlg->Memory(), 0.0);
  }
  EXPECT_EQ(profile.GetString("CALCULADORA", "Memoria"), "0,000000");
}

TEST_F(CalculatorTest, ACalculatorThatNeverOpenedKeepsTheStoredMemory) {
  profile.SetString("CALCULADORA", "Memoria", "7,250000");
  { D never; }
  EXPECT_EQ(profile.GetString("CALCULADORA", "Memoria"), "7,250000");
}

TEST_F(CalculatorTest, MemoryReadFromAnIniProfile) {
  const QString path = QDir::temp().filePath(QStringLiteral("qx_calc_profile_%1.ini").arg(QCoreApplication::applicationPid()));
  QFile::remove(path);
  {
    // As another program writes it: the comma unquoted.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[CALCULADORA]\nMemoria=-3,750000\n");
  }
  ui::controls::IniProfileStore ini(path);
  ui::controls::SetActiveProfile(&ini);
  {
    auto dlg = Open();
    EXPECT_DOUBLE_EQ(dlg->Memory(), -3.75);
    Click(*dlg, D::IDC_MC);
    dlg->reject();
  }
  EXPECT_EQ(ui::controls::IniProfileStore(path).GetString("CALCULADORA", "Memoria"), "0,000000");
  QFile::remove(path);
}

TEST(CalculatorRounding, RoundDecimals) {
  const struct {
    double value;
    int n;
    double expected;
  } cases[] = {
      {0.0, 2, 0.0},
      {1000 * D::kEurosPerPeseta, 2, 6.01},
      {6.01 * D::kPesetasPerEuro, 0, 1000.0},
      {2.5, 0, 3.0},
      {-2.5, 0, -3.0},
      {-1.234, 2, -1.23},
      {2.675, 2, 2.67},          // its 18-digit print is 2.67499999...
      {12.0, 2, 12.0},
      {1e-7, 2, 0.0},            // printed with an exponent: cut from the fixed print
      {0.00999, 2, 0.01},
      {1e20, 2, 1e20},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(D::RoundDecimals(c.value, c.n), c.expected) << c.value << " " << c.n;
}

}  // namespace
