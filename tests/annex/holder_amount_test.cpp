// The holder-and-amount detail dialogs, opened through the launch table on fixture blocks and typed
// into with real keys: rows, the field below them, the member views and the taxpayers check.
#include <QLabel>

#include "annex/holder_amount_dlg.h"
#include "blocks/form100.h"
#include "wizards/vivienda.h"
#include "annex_fixture.h"
#include "launched.h"
#include "platform/help.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace ha = annex::holder_amount;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};

struct Dialog {
  const char* name;
  std::size_t bytes;
  int holder1, amount1;  // the second row's cells
  int below;             // the control of the field below the rows (0: none)
};
constexpr Dialog kDialogs[] = {
    {"IDD_TIT3DAT1*3", 48, 1328, 1336, 0},
    {"IDD_TIT4DAT1", 64, 1328, 1336, 0},
    {"IDD_TIT3DAT1N", 56, 1322, 1568, CTit3dat1nDlg::kTaxpayers},
    {"IDD_TIT3DAT1P", 56, 1322, 1568, CTit3dat1pDlg::kProtectedHome},
};

// A block with the spouse's row first and, where there is one, the field below the rows set: only
// the second row may change.
std::vector<std::uint8_t> Fixture(const Dialog& d) {
  std::vector<std::uint8_t> b(d.bytes);
  ha::Holder.set(b.data(), 3);
  ha::Amount.set(b.data(), 40.0);
  if (d.bytes == 56) b[48] = 1, ha::Taxpayers.set(b.data(), 2.0);
  return b;
}

class HolderAmount : public AnnexTest, public ::testing::WithParamInterface<Dialog> {};

TEST_P(HolderAmount, OkWritesTheRowsAndCancelLeavesTheBytes) {
  const Dialog& c = GetParam();
  qxtest::MemberView view(1, kCouple);
  for (bool ok : {false, true}) {
    std::vector<std::uint8_t> block = Fixture(c);
    const std::vector<std::uint8_t> before = block;
    Launch(c.name, block, [&](CTemplateDlg& d) {
      auto* holder = d.GetDlgItem(c.holder1);
      holder->setFocus();
      QTest::keyClick(holder, Qt::Key_D);
      TypeInto(d, c.amount1, QStringLiteral("125,5"));
      Press(d, ok ? ui::IDOK : ui::IDCANCEL);
    });
    if (!ok) {
      EXPECT_EQ(block, before) << c.name;
      continue;
    }
    std::vector<std::uint8_t> expected = before;
    ha::Holder.set(expected.data() + 16, 2);
    ha::Amount.set(expected.data() + 16, 125.5);
    EXPECT_EQ(block, expected) << c.name << ": the second row and nothing else";
  }
}

TEST_P(HolderAmount, TheSpousesViewShowsHalfTheCommonRowAndChangesNothing) {
  const Dialog& c = GetParam();
  qxtest::MemberView view(3, kCouple);
  std::vector<std::uint8_t> block = Fixture(c);
  ha::Holder.set(block.data() + 16, 1);
  ha::Amount.set(block.data() + 16, 100.0);
  const std::vector<std::uint8_t> before = block;
  QString shown;
  bool enabled = true;
  Launch(std::string(c.name).append(std::string(c.name).find('*') == std::string::npos ? "*1*0" : ""), block,
         [&](CTemplateDlg& d) {
           shown = d.Edit(c.amount1)->text();
           enabled = d.GetDlgItem(c.amount1)->isEnabled();
           Press(d, ui::IDOK);
         });
  EXPECT_EQ(messages.Codes().front(), QStringLiteral("100R025"));
  EXPECT_EQ(shown, QStringLiteral("50,00")) << c.name;
  EXPECT_FALSE(enabled);
  EXPECT_EQ(block, before);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, HolderAmount, ::testing::ValuesIn(kDialogs));

class HolderAmountRules : public AnnexTest {};

TEST_F(HolderAmountRules, TaxpayersEntitledAgainstTheHoldersOfTheRows) {
  struct Case {
    std::vector<std::pair<int, double>> rows;
    double taxpayers;
    const char* message;  // null: accepted
  };
  const Case cases[] = {
      {{{1, 100}}, 1, "100R143"},           // a common row needs two
      {{{1, 100}}, 2, nullptr},
      {{{2, 100}, {3, 50}}, 1, "100R143"},  // different holders need two
      {{{2, 100}, {2, 50}}, 1, nullptr},    // one holder twice
      {{{2, 100}}, 0, "100R084"},           // an amount without taxpayers
      {{{2, 100}, {3, 50}}, 2, nullptr},
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    std::vector<std::uint8_t> block(ha::kBlockExtra);
    for (std::size_t r = 0; r < c.rows.size(); ++r) {
      ha::Holder.set(block.data() + 16 * r, static_cast<std::uint8_t>(c.rows[r].first));
      ha::Amount.set(block.data() + 16 * r, c.rows[r].second);
    }
    const std::size_t before = messages.shown.size();
    bool stayed = false;
    Launch("IDD_TIT3DAT1N", block, [&](CTemplateDlg& d) {
      TypeInto(d, CTit3dat1nDlg::kTaxpayers, QString::number(c.taxpayers));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(stayed, c.message != nullptr) << c.taxpayers;
    if (c.message) {
      ASSERT_EQ(messages.shown.size(), before + 1);
      EXPECT_EQ(messages.Codes().back(), QString::fromLatin1(c.message));
    } else {
      EXPECT_EQ(messages.shown.size(), before);
      EXPECT_EQ(ha::Taxpayers.get(block.data()), c.taxpayers);
    }
  }
}

TEST_F(HolderAmountRules, TheMarkBelowTheRowsStaysWhenARowIsFreed) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(ha::kBlockExtra);
  ha::Holder.set(block.data(), 2);
  ha::Amount.set(block.data(), 10.0);
  ha::Holder.set(block.data() + 16, 3);
  ha::Amount.set(block.data() + 16, 20.0);
  Launch("IDD_TIT3DAT1P", block, [&](CTemplateDlg& d) {
    auto* mark = d.GetDlgItem(CTit3dat1pDlg::kProtectedHome);
    mark->setFocus();
    QTest::keyClick(mark, Qt::Key_X);
    auto* holder = d.GetDlgItem(1303);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_Delete);  // the first row goes, the second moves up
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(ha::Holder.get(block.data()), 3);
  EXPECT_EQ(ha::Amount.get(block.data()), 20.0);
  EXPECT_EQ(ha::Holder.get(block.data() + 16), 0);
  EXPECT_EQ(ha::ProtectedHome.get(block.data()), 1);
}

TEST_F(HolderAmountRules, TheVariantChoosesHeadingAndHelpAndTheLegendFollowsTheHolderColumn) {
  struct Case {
    const char* descriptor;
    int topic;
    bool paidHeading;
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : {Case{"IDD_TIT3DAT1*1", 490, false}, Case{"IDD_TIT3DAT1*9", 1, true},
                        Case{"IDD_TIT3DAT1*40", 1, false}}) {
    std::vector<std::uint8_t> block(ha::kBlock3);
    ha::Holder.set(block.data(), 2);  // a used row: its amount takes the focus
    int topic = 0;
    QString heading, legendOnHolder, legendOnAmount;
    platform::SetHelpHook([&](int t) { topic = t; });
    Launch(c.descriptor, block, [&](CTemplateDlg& d) {
      heading = d.Item<QLabel>(1124)->text();
      d.GetDlgItem(1318)->setFocus();
      d.GetDlgItem(1394)->setFocus();
      legendOnHolder = d.Item<QLabel>(1296)->text();
      d.GetDlgItem(1318)->setFocus();
      legendOnAmount = d.Item<QLabel>(1296)->text();
      Press(d, ui::kHelpButtonId);
    });
    platform::SetHelpHook({});
    EXPECT_EQ(topic, c.topic) << c.descriptor;
    EXPECT_EQ(heading.contains(QStringLiteral("Satisfechas")), c.paidHeading) << c.descriptor;
    EXPECT_FALSE(legendOnHolder.isEmpty());
    EXPECT_TRUE(legendOnAmount.isEmpty());
  }
  EXPECT_EQ(CTit3dat1Dlg::HelpTopic(3), 916);
  EXPECT_EQ(CTit3dat1Dlg::HelpTopic(33), 497);
  EXPECT_EQ(CTit3dat1Dlg::HelpTopic(0), 1);
}

// Variant 2: a member whose home gave the regional acquisition deduction of 1998-2000 (the marks
// of the housing sheet's investment page) may hold no row, nor share a common one.
TEST_F(HolderAmountRules, TheEarlierHousingDeductionRefusesThatMembersRowsInVariantTwo) {
  struct Case {
    const char* descriptor;
    bool declarantMarked, spouseMarked;
    int holder;
    bool refused;
  };
  const Case cases[] = {
      {"IDD_TIT3DAT1*2", true, false, 2, true},    // the declarant's own row
      {"IDD_TIT3DAT1*2", true, false, 1, true},    // a common row
      {"IDD_TIT3DAT1*2", true, false, 3, false},   // the spouse is not marked
      {"IDD_TIT3DAT1*2", false, true, 3, true},
      {"IDD_TIT3DAT1*2", false, true, 1, true},
      {"IDD_TIT3DAT1*2", false, true, 2, false},
      {"IDD_TIT3DAT1*2", false, false, 1, false},  // nobody marked
      {"IDD_TIT3DAT1*3", true, true, 1, false},    // another variant does not look
  };
  qxtest::MemberView view(1, kCouple);
  std::span<std::uint8_t> declaration = view.Model().Block();
  std::uint8_t* investment = declaration.data() + housing::kInvestmentAt;
  const char* const keys[] = {"", "O", "D", "C"};
  for (const Case& c : cases) {
    housing::inv::MurciaDeclarant.set(investment, c.declarantMarked ? 1 : 0);
    housing::inv::MurciaSpouse.set(investment, c.spouseMarked ? 1 : 0);
    std::vector<std::uint8_t> block(ha::kBlock3);
    const std::vector<std::uint8_t> before = block;
    const std::size_t shown = messages.shown.size();
    bool stayed = false;
    Launch(c.descriptor, block, [&](CTemplateDlg& d) {
      TypeInto(d, 1394, QString::fromLatin1(keys[c.holder]));
      TypeInto(d, 1318, QStringLiteral("250"));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
      if (stayed) Press(d, ui::IDCANCEL);
    });
    const std::string what = std::string(c.descriptor) + " holder " + keys[c.holder];
    EXPECT_EQ(stayed, c.refused) << what;
    if (c.refused) {
      ASSERT_EQ(messages.shown.size(), shown + 1) << what;
      EXPECT_EQ(messages.Codes().back(), QStringLiteral("100P081"));
      EXPECT_EQ(block, before) << what << ": nothing is written";
    } else {
      EXPECT_EQ(messages.shown.size(), shown) << what;
      EXPECT_EQ(ha::Holder.get(block.data()), c.holder) << what;
      EXPECT_EQ(ha::Amount.get(block.data()), 250.0) << what;
    }
  }
}

}  // namespace
