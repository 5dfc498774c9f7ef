// The dividends dialog, opened through the launch table on the dividend rows of a fixture
// declaration: the limits of the dividend regime, the reduction note, the member view.
#include <QLabel>

#include "annex/divid6_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "platform/help.h"
#include "support/member_view.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace f = annex::divid6;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
const std::size_t kAt = f100::SectionB.offset + f100::sec_b::g2::Holder.off;
enum : int { kHolder1 = 1303, kGross1 = 1525, kComputable1 = 1543, kReduction1 = 1436, kGross2 = 1532 };

class Dividends : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    std::fill_n(declaration.at(kAt), f::kBlockSize, 0);
  }
  std::uint8_t* Row(int r) { return declaration.at(kAt + f::kRowSize * r); }
  qxtest::MemberView view{1, kCouple};
  annextest::FixtureDeclaration declaration;
};

TEST_F(Dividends, EveryRowMeetsTheLimitsOfTheRegime) {
  struct Case {
    double gross;
    const char* computable;  // typed
    double computableValue, withholding, deduction, reduction;
    std::vector<QString> codes;  // warnings answered "Continuar"
    bool closed;
  };
  const auto q = [](const char* c) { return QString::fromLatin1(c); };
  const Case cases[] = {
      {1000, "1000", 1000, 150, 0, 0, {}, true},
      {1000, "1400,50", 1400.5, 150, 400, 0, {}, true},
      {1000, "1400,51", 1400.51, 150, 400, 0, {q("100R107")}, false},
      {1000, "999,99", 999.99, 150, 0, 0, {q("100R037")}, false},
      {0, "0,01", 0.01, 0, 0, 0, {q("100R112")}, false},
      {1000, "1400,50", 1400.5, 150, 400.5, 0, {}, true},
      {1000, "1400,50", 1400.5, 150, 400.51, 0, {q("100R108")}, false},
      {1000, "1400", 1400, 150, 0, 0, {q("100P033")}, true},
      {1000, "1000", 1000, 150, 1, 0, {q("100P033")}, true},
      {1000, "1000", 1000, 150, 0, 400.5, {}, true},
      {1000, "1000", 1000, 150, 0, 400.51, {q("100R142")}, false},
      {1000, "1400", 1400, 150, 400, 1, {q("100R046")}, false},
      {0.5, "0,50", 0.5, 0, 0, 0, {}, true},
      {0.51, "0,51", 0.51, 0, 0, 0, {q("100P032")}, true},
      {1000, "1000", 1000, 150.5, 0, 0, {}, true},
      {1000, "1000", 1000, 150.51, 0, 0, {q("100P044")}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.gross << " " << c.computable << " " << c.withholding << " " << c.deduction
                                    << " " << c.reduction);
    std::fill_n(declaration.at(kAt), f::kBlockSize, 0);
    // A valid first row: the failing one is the second, and only its first failing check speaks.
    f::Holder.set(Row(0), 3);
    f::Gross.set(Row(0), 10.0);
    f::Computable.set(Row(0), 10.0);
    f::Withholding.set(Row(0), 1.0);
    f::Holder.set(Row(1), 2);
    f::Gross.set(Row(1), c.gross);
    f::Withholding.set(Row(1), c.withholding);
    f::Deduction.set(Row(1), c.deduction);
    f::Reduction.set(Row(1), c.reduction);
    std::vector<std::uint8_t> expected = declaration.bytes;
    f::Computable.set(expected.data() + kAt + f::kRowSize, c.computableValue);
    const std::vector<std::uint8_t> before = declaration.bytes;
    qxtest::ScriptedMessages answers({kAnsContinuar});
    bool stayed = false;
    Launch("IDD_DIVID6", declaration.at(kAt), [&](CTemplateDlg& d) {
      TypeInto(d, 1545, QString::fromLatin1(c.computable));  // row 2's amount to compute
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(answers.Codes(), c.codes);
    EXPECT_EQ(stayed, !c.closed);
    EXPECT_EQ(declaration.bytes, c.closed ? expected : before);
  }
}

TEST_F(Dividends, CorregirOnAWarningKeepsTheDialogOpen) {
  f::Holder.set(Row(0), 2);
  f::Gross.set(Row(0), 1000.0);
  f::Computable.set(Row(0), 1000.0);
  qxtest::ScriptedMessages answers({kAnsCorregir});
  const std::vector<std::uint8_t> before = declaration.bytes;
  Launch("IDD_DIVID6", declaration.at(kAt), [&](CTemplateDlg& d) {
    Press(d, ui::IDOK);
    EXPECT_TRUE(d.isVisible());
  });
  EXPECT_EQ(answers.Codes(), std::vector<QString>{QStringLiteral("100P032")});
  EXPECT_EQ(declaration.bytes, before);
}

TEST_F(Dividends, LeavingAPositiveReductionRemindsEveryTime) {
  qxtest::ScriptedMessages answers({kAnsContinuar, kAnsCorregir});
  Launch("IDD_DIVID6", declaration.at(kAt), [&](CTemplateDlg& d) {
    EXPECT_TRUE(d.Item<QLabel>(CDivid6Dlg::kNote)->text().startsWith(QStringLiteral("(*) Sólo para")));
    TypeInto(d, kHolder1, QStringLiteral("D"));
    TypeInto(d, kReduction1, QString());  // 0: nothing
    EXPECT_TRUE(answers.Codes().empty());
    TypeInto(d, kReduction1, QStringLiteral("5"));
    TypeInto(d, kReduction1, QString());
    EXPECT_EQ(ui::ControlId(QApplication::focusWidget()), kReduction1) << "Corregir: back to the cell";
  });
  EXPECT_EQ(answers.Codes(), (std::vector<QString>{QStringLiteral("100P009"), QStringLiteral("100P009")}));
}

TEST_F(Dividends, TheSpousesViewShowsACommonRowHalvedAsTheDeclarantsAndWritesNothing) {
  view.Show(3);
  f::Holder.set(Row(0), 2);
  f::Gross.set(Row(0), 300.0);
  f::Holder.set(Row(1), 1);
  f::Gross.set(Row(1), 1000.0);
  f::Computable.set(Row(1), 1000.0);
  const std::vector<std::uint8_t> before = declaration.bytes;
  Launch("IDD_DIVID6", declaration.at(kAt), [&](CTemplateDlg& d) {
    EXPECT_EQ(d.Edit(kGross2)->text(), QStringLiteral("500,00"));
    EXPECT_EQ(d.Edit(1322)->text().trimmed(), QStringLiteral("DECLARANTE"));
    EXPECT_EQ(d.Edit(kGross1)->text(), QString()) << "the declarant's row is not shown";
    EXPECT_FALSE(d.GetDlgItem(kGross2)->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(declaration.bytes, before);
}

TEST_F(Dividends, HelpOpensTopic130) {
  int topic = 0;
  platform::SetHelpHook([&](int t) { topic = t; });
  Launch("IDD_DIVID6", declaration.at(kAt), [&](CTemplateDlg& d) { Press(d, ui::kHelpButtonId); });
  platform::SetHelpHook({});
  EXPECT_EQ(topic, 130);
}

}  // namespace
