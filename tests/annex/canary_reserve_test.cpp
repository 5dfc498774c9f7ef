// The Canary Islands dialogs opened through the launch table on their blocks of a patterned
// declaration: the reserve allowances of earlier years with their checks and keys, and the 2003
// reserve and goods income with the parts the first liquidation pass computes.
#include <QLabel>
#include <QListWidget>

#include <cstring>

#include "annex/canary_income_dlg.h"
#include "annex/resinvcan_dlg.h"
#include "annex_fixture.h"
#include "blocks/form100_h.h"
#include "blocks/form100_l.h"
#include "launch_support.h"
#include "platform/icons.h"
#include "support/member_view.h"
#include "ui/lista_edit.h"

namespace {

using annextest::AnnexTest;
using annextest::FixtureDeclaration;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace rc = annex::resinvcan;
namespace q = f100::sec_q;
namespace bi = annex::bicoca;
namespace r4 = annex::resinvcan4;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
constexpr std::array<int, 5> kAlone{1, 1, 0, 0, 0};

std::vector<std::uint8_t> Outside(const std::vector<std::uint8_t>& all, std::size_t at, std::size_t size) {
  std::vector<std::uint8_t> out(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(at));
  out.insert(out.end(), all.begin() + static_cast<std::ptrdiff_t>(at + size), all.end());
  return out;
}

void ChooseHolder(CTemplateDlg& d, int id, Qt::Key key) {
  QWidget* w = d.GetDlgItem(id);
  w->setFocus();
  QTest::keyClick(w, key);
  QTest::keyClick(w, Qt::Key_Tab);
}

// Opens the key list of a lookup cell and chooses its row `row` (the keys in order: A, B, C, D).
void ChooseKey(CTemplateDlg& d, int id, int row) {
  auto* e = dynamic_cast<CListaEdit*>(d.GetDlgItem(id));
  ASSERT_NE(e, nullptr);
  e->setFocus();
  ASSERT_NE(e->Button(), nullptr);
  QTest::mouseClick(e->Button(), Qt::LeftButton);
  ASSERT_TRUE(e->ListOpen());
  EXPECT_EQ(e->List()->count(), 4);
  e->List()->setCurrentRow(row);
  QTest::keyClick(e->List(), Qt::Key_Return);
  QTest::keyClick(e, Qt::Key_Tab);
}

// ---------------------------------------------------------------- earlier years

struct Cell {
  int ids[2];  // row 0, row 1
  blocks::F64 field;
};
struct Reserve {
  const char* name;
  std::size_t at;  // in section Q
  std::size_t size, stride;
  std::vector<Cell> amounts;
  std::size_t keyAt;
};
using B = CResinvcanBaseDlg;
using R = CResinvcanDlg;
using R3 = CResinvcan3Dlg;
using R5 = CResinvcan5Dlg;
#define QX_CELL(ids, f) Cell{{(ids)[0], (ids)[1]}, (f)}

const Reserve kReserves[] = {
    {"IDD_RESINVCAN", q::ReserveBlock2000.row0, rc::kBlockSize, rc::kRowSize,
     {QX_CELL(R::kAllowance, rc::Allowance), QX_CELL(R::kMaterialised, rc::Materialised)}, rc::Key.off},
    {"IDD_RESINVCAN3", q::ReserveBlock2001.row0, rc::kBlockSize3, rc::kRowSize3,
     {QX_CELL(R3::kAllowance, rc::Allowance), QX_CELL(R3::kMaterialised, rc::Materialised),
      QX_CELL(R3::kPending, rc::Pending)},
     rc::Key.off},
    {"IDD_RESINVCAN5", q::EarlyInvestments.row0, rc::kBlockSize5, rc::kRowSize5,
     {QX_CELL(R5::kInvestment, rc::Investment)}, rc::Key5.off},
};
#undef QX_CELL

class EarlierReserve : public AnnexTest, public ::testing::WithParamInterface<Reserve> {};

TEST_P(EarlierReserve, OkWritesTheTypedRowIntoItsBlockOnlyAndCancelNothing) {
  const Reserve& c = GetParam();
  qxtest::MemberView view(1, kCouple);
  for (bool ok : {false, true}) {
    FixtureDeclaration decl;
    std::uint8_t* block = decl.at(f100::SectionQ.offset + c.at);
    std::memset(block, 0, c.size);
    rc::Holder.set(block, 3);  // the spouse's row, then a free one
    c.amounts.front().field.set(block, 7.0);
    block[c.keyAt] = 'A';
    const std::vector<std::uint8_t> before = decl.bytes;
    Launch(c.name, block, [&](CTemplateDlg& d) {
      EXPECT_FALSE(d.GetDlgItem(c.amounts.front().ids[1])->isEnabled()) << "a free row";
      ChooseHolder(d, B::kHolders[1], Qt::Key_D);
      // The allowance first: what is materialised and pending stays within it.
      for (const Cell& a : c.amounts) TypeInto(d, a.ids[1], &a == &c.amounts.front() ? QStringLiteral("300") : QStringLiteral("100"));
      ChooseKey(d, B::kKeys[1], 1);
      Press(d, ok ? ui::IDOK : ui::IDCANCEL);
    });
    const std::size_t at = f100::SectionQ.offset + c.at;
    EXPECT_EQ(Outside(decl.bytes, at, c.size), Outside(before, at, c.size)) << c.name;
    if (!ok) {
      EXPECT_EQ(decl.bytes, before) << c.name;
      continue;
    }
    std::vector<std::uint8_t> expected(before.begin() + static_cast<std::ptrdiff_t>(at),
                                       before.begin() + static_cast<std::ptrdiff_t>(at + c.size));
    rc::Holder.set(expected.data() + c.stride, 2);
    for (const Cell& a : c.amounts) a.field.set(expected.data() + c.stride, &a == &c.amounts.front() ? 300.0 : 100.0);
    expected[c.stride + c.keyAt] = 'B';
    for (std::size_t i = 0; i < c.size; ++i) EXPECT_EQ(block[i], expected[i]) << c.name << " byte " << i;
  }
}

TEST_P(EarlierReserve, TheSameHolderTwiceEmptiesTheRowJustChosen) {
  const Reserve& c = GetParam();
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(c.size);
  rc::Holder.set(block.data(), 2);
  c.amounts.front().field.set(block.data(), 5.0);
  Launch(c.name, block.data(), [&](CTemplateDlg& d) {
    ChooseHolder(d, B::kHolders[1], Qt::Key_D);
    EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R045")});
    EXPECT_EQ(messages.shown.front().icon, platform::kIconHand);
    EXPECT_EQ(d.Edit(B::kHolders[1])->text().trimmed(), QString());
    EXPECT_FALSE(d.GetDlgItem(c.amounts.front().ids[1])->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(rc::Holder.get(block.data() + c.stride), 0) << c.name;
  EXPECT_EQ(rc::Holder.get(block.data()), 2) << c.name;
}

TEST_P(EarlierReserve, VariantThreeLocksTheKeysOfTheAllowancesOnly) {
  const Reserve& c = GetParam();
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(c.size);
  rc::Holder.set(block.data(), 2);
  block[c.keyAt] = 'A';
  const std::string descriptor = std::string(c.name) + "*3";
  Launch(descriptor.c_str(), block.data(), [&](CTemplateDlg& d) {
    EXPECT_EQ(d.Edit(B::kKeys[0])->text(), QStringLiteral("A"));
    const bool readOnly = d.Edit(B::kKeys[0])->isReadOnly();
    EXPECT_EQ(readOnly, std::string(c.name) != "IDD_RESINVCAN5");
    if (readOnly) TypeInto(d, B::kKeys[0], QStringLiteral("C"));
    else ChooseKey(d, B::kKeys[0], 2);
    Press(d, ui::IDOK);
  });
  const bool locks = std::string(c.name) != "IDD_RESINVCAN5";
  EXPECT_EQ(block[c.keyAt], locks ? 'A' : 'C') << c.name;
}

TEST_P(EarlierReserve, TheSpousesViewShowsHalfTheCommonRowAndChangesNothing) {
  const Reserve& c = GetParam();
  qxtest::MemberView view(3, kCouple);
  std::vector<std::uint8_t> block(c.size);
  rc::Holder.set(block.data(), 1);
  c.amounts.front().field.set(block.data(), 100.0);
  const auto before = block;
  Launch(c.name, block.data(), [&](CTemplateDlg& d) {
    EXPECT_EQ(d.Edit(c.amounts.front().ids[0])->text(), QStringLiteral("50,00"));
    EXPECT_FALSE(d.GetDlgItem(c.amounts.front().ids[0])->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(block, before);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, EarlierReserve, ::testing::ValuesIn(kReserves));

class EarlierReserveChecks : public AnnexTest {};

TEST_F(EarlierReserveChecks, MaterialisedAndPendingAgainstTheAllowance) {
  struct Case {
    const char* name;
    const char* materialised;
    const char* pending;  // null: no such column
    const char* message;  // null: accepted
  };
  const Case cases[] = {
      {"IDD_RESINVCAN3", "600", "400", nullptr},
      {"IDD_RESINVCAN3", "600", "400,01", "100R062"},
      {"IDD_RESINVCAN", "1000", nullptr, nullptr},
      {"IDD_RESINVCAN", "1000,01", nullptr, "100R061"},
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.materialised);
    std::vector<std::uint8_t> block(std::string(c.name) == "IDD_RESINVCAN" ? rc::kBlockSize : rc::kBlockSize3);
    rc::Holder.set(block.data(), 2);
    rc::Allowance.set(block.data(), 1000.0);
    messages.shown.clear();
    messages.Then(kAnsCorregir);
    bool stayed = false;
    const int result = Launch(c.name, block.data(), [&](CTemplateDlg& d) {
      TypeInto(d, CResinvcan3Dlg::kMaterialised[0], QString::fromLatin1(c.materialised));
      if (c.pending) TypeInto(d, CResinvcan3Dlg::kPending[0], QString::fromLatin1(c.pending));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(stayed, c.message != nullptr);
    if (c.message) {
      ASSERT_EQ(messages.Codes(), std::vector<QString>{QString::fromLatin1(c.message)});
      EXPECT_EQ(messages.shown.front().icon,
                std::string(c.message) == "100R061" ? platform::kIconAsterisk : platform::kIconHand);
      EXPECT_EQ(rc::Materialised.get(block.data()), 0.0);
    } else {
      EXPECT_EQ(result, 2);
      EXPECT_TRUE(messages.shown.empty());
    }
  }
}

TEST_F(EarlierReserveChecks, TheKeyListOffersTheLookupKeys) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block(rc::kBlockSize5);
  rc::Holder.set(block.data(), 2);
  Launch("IDD_RESINVCAN5", block.data(), [&](CTemplateDlg& d) {
    ChooseKey(d, CResinvcanBaseDlg::kKeys[0], 3);
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(rc::Key5.get(block.data()), 'D');
}

// ---------------------------------------------------------------- the 2003 reserve and goods income

// A declaration whose first liquidation pass has: base (section H +0 and +112), quota (summary
// +160 and +200) and average rate (summary +240 and +280) for the family unit and the declarant.
void SetUpLiquidation(std::uint8_t* decl, double base, double quota, double rate) {
  std::uint8_t* h = f100::record(decl, f100::SectionH);
  std::uint8_t* s = f100::record(decl, f100::Summary);
  for (int k : {0, 1}) {
    f100::sec_h::ShortPositive.set(h, k, 0.0);
    f100::sec_h::GeneralIncome.set(h, k, base);
    f100::summary::StateGeneralQuota.set(s, k, quota);
    f100::summary::StateAverageRate.set(s, k, rate);
  }
}

class CanaryQuota : public AnnexTest {};

TEST_F(CanaryQuota, ReserveDeductionBeforeAndWithinTheLimitAndNothingOutsideTheBlock) {
  struct Case {
    const char* income;
    double limit, deduction;
  };
  const Case cases[] = {{"15000", 2400.0, 2500.0}, {"40000", 4800.0, 2500.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.income);
    qxtest::MemberView view(1, kAlone);
    annextest::OpenDeclaration decl;
    SetUpLiquidation(decl.block.data(), 30000.0, 6000.0, 25.0);
    const std::size_t at = f100::SectionQ.offset + r4::kSectionOffset;
    const std::vector<std::uint8_t> before = decl.block;
    std::vector<QString> shown;
    Launch("IDD_RESINVCAN4", decl.block.data() + at, [&](CTemplateDlg& d) {
      ChooseHolder(d, CResinvcan4Dlg::kHolders[0], Qt::Key_D);
      TypeInto(d, CResinvcan4Dlg::kAllowance[0], QStringLiteral("10000"));
      TypeInto(d, CResinvcan4Dlg::kIncome[0], QString::fromLatin1(c.income));
      for (int id : {CResinvcan4Dlg::kRates[1], CResinvcan4Dlg::kBeforeLimit[2], CResinvcan4Dlg::kLimits[2],
                     CResinvcan4Dlg::kRates[0], CResinvcan4Dlg::kBeforeLimit[0]}) {
        shown.push_back(d.Edit(id)->text());
        EXPECT_FALSE(d.GetDlgItem(id)->isEnabled());
      }
      EXPECT_EQ(Outside(decl.block, at, r4::kBlockSize), Outside(before, at, r4::kBlockSize)) << "while open";
      Press(d, ui::IDOK);
    });
    const QString limit = c.limit == 2400.0 ? QStringLiteral("2.400,00") : QStringLiteral("4.800,00");
    EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("25,00"), QStringLiteral("2.500,00"), limit, QString(), QString()}));
    const std::uint8_t* b = decl.block.data() + at;
    EXPECT_EQ(r4::Rate(1).get(b), 25.0);
    EXPECT_EQ(r4::BeforeLimit(2).get(b), c.deduction);
    EXPECT_EQ(r4::Limit(2).get(b), c.limit);
    EXPECT_EQ(r4::Rate(0).get(b), 0.0) << "no joint return without other members";
    EXPECT_EQ(Outside(decl.block, at, r4::kBlockSize), Outside(before, at, r4::kBlockSize));
  }
}

TEST_F(CanaryQuota, GoodsIncomePartOfTheQuotaAndCancelLeavesTheDeclaration) {
  qxtest::MemberView view(1, kAlone);
  annextest::OpenDeclaration decl;
  SetUpLiquidation(decl.block.data(), 25000.0, 5000.0, 20.0);
  const std::size_t at = f100::Summary.offset + bi::kSummaryOffset;
  for (bool ok : {false, true}) {
    const std::vector<std::uint8_t> before = decl.block;
    QString part, joint;
    Launch("IDD_BICOCA", decl.block.data() + at, [&](CTemplateDlg& d) {
      ChooseHolder(d, CBicocaDlg::kHolders[0], Qt::Key_D);
      TypeInto(d, CBicocaDlg::kIncome[0], QStringLiteral("1000"));
      part = d.Edit(CBicocaDlg::kParts[1])->text();
      joint = d.Edit(CBicocaDlg::kParts[0])->text();
      Press(d, ok ? ui::IDOK : ui::IDCANCEL);
    });
    EXPECT_EQ(part, QStringLiteral("200,00"));
    EXPECT_EQ(joint, QString()) << "the declarant alone has no joint return";
    if (!ok) {
      EXPECT_EQ(decl.block, before) << "what the dialog computed stays in the dialog";
      continue;
    }
    EXPECT_EQ(Outside(decl.block, at, bi::kBlockSize), Outside(before, at, bi::kBlockSize));
    std::uint8_t* b = decl.block.data() + at;
    EXPECT_EQ(bi::Holder.get(b), 2);
    EXPECT_EQ(bi::Income.get(b), 1000.0);
    EXPECT_EQ(bi::Part(1).get(b), 200.0);
    EXPECT_EQ(bi::Part(0).get(b), 0.0);
  }
}

TEST_F(CanaryQuota, DeleteShowsEveryPartAsZeroUntilTheNextFieldIsLeft) {
  qxtest::MemberView view(1, kAlone);
  annextest::OpenDeclaration decl;
  SetUpLiquidation(decl.block.data(), 25000.0, 5000.0, 20.0);
  std::uint8_t* block = decl.block.data() + f100::Summary.offset + bi::kSummaryOffset;
  bi::Holder.set(block, 2);
  bi::Income.set(block, 1000.0);
  bi::Holder.set(block + bi::kRowSize, 2);
  Launch("IDD_BICOCA", block, [&](CTemplateDlg& d) {
    EXPECT_EQ(d.Edit(CBicocaDlg::kParts[1])->text(), QStringLiteral("200,00")) << "computed on opening";
    QWidget* holder = d.GetDlgItem(CBicocaDlg::kHolders[1]);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_Delete);
    EXPECT_EQ(d.Edit(CBicocaDlg::kParts[1])->text(), QString());
    TypeInto(d, CBicocaDlg::kIncome[0], QStringLiteral("\b\b\b\b\b\b\b\b500"));
    EXPECT_EQ(d.Edit(CBicocaDlg::kParts[1])->text(), QStringLiteral("100,00"));
  });
}

TEST_F(CanaryQuota, AMemberViewShowsNoPartsAndChangesNothing) {
  qxtest::MemberView view(2, kCouple);
  annextest::OpenDeclaration decl;
  SetUpLiquidation(decl.block.data(), 30000.0, 6000.0, 25.0);
  std::uint8_t* block = decl.block.data() + f100::SectionQ.offset + r4::kSectionOffset;
  r4::Holder.set(block, 2);
  r4::Allowance.set(block, 10000.0);
  r4::CanaryIncome.set(block, 15000.0);
  const std::vector<std::uint8_t> before = decl.block;
  Launch("IDD_RESINVCAN4", block, [&](CTemplateDlg& d) {
    EXPECT_EQ(d.Edit(CResinvcan4Dlg::kBeforeLimit[2])->text(), QString());
    EXPECT_FALSE(d.GetDlgItem(CResinvcan4Dlg::kAllowance[0])->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(decl.block, before);
}

}  // namespace
