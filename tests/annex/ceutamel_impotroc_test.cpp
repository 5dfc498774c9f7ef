// The Ceuta and Melilla income dialog and the company imputation dialogs, opened as the program
// opens them on blocks of a declaration, typed into with real keys: the joint amounts that follow
// the rows, the parts of the quota the library computes on a copy, the marks and their notices.
#include <QLabel>

#include <cstring>

#include "annex/ceutamel_dlg.h"
#include "annex/impotroc_dlg.h"
#include "annex_fixture.h"
#include "blocks/form100_h.h"
#include "blocks/form100_i.h"
#include "blocks/form100_k.h"
#include "blocks/form100_l.h"
#include "blocks/form100_liquidation.h"
#include "launch_support.h"
#include "platform/help.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;
using annextest::FixtureDeclaration;
using annextest::Launch;
using annextest::OpenDeclaration;
using annextest::Press;
using annextest::TypeInto;
namespace cm = annex::ceutamel;
namespace io = annex::impotroc;
using C = CCeutamelDlg;
using I = CImpotrocDlg;

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

QString Text(CTemplateDlg& d, int id) { return d.Edit(id)->text(); }

// ---------------------------------------------------------------- Ceuta and Melilla

constexpr std::size_t kCeutaAt = f100::SectionO.offset + f100::sec_o::kCeutaRows;

// General base and quota of the general base for the family unit and the declarant.
void SetUpGeneralQuota(std::uint8_t* decl, double base, double quota) {
  for (int k : {0, 1}) {
    f100::sec_i::GeneralBase.set(f100::record(decl, f100::SectionI), k, base);
    f100::summary::StateGeneralQuota.set(f100::record(decl, f100::Summary), k, quota);
  }
}

class Ceutamel : public AnnexTest {};

TEST_F(Ceutamel, TheJointAmountsFollowTheRowsUntilTypedOverAndOkWritesTheBlockOnly) {
  qxtest::MemberView view(1, kCouple);
  for (bool ok : {false, true}) {
    FixtureDeclaration decl;
    std::memset(decl.at(kCeutaAt), 0, cm::kBlockSize);
    const std::vector<std::uint8_t> before = decl.bytes;
    std::vector<QString> joint;
    Launch("IDD_CEUTAMEL", decl.at(kCeutaAt), [&](CTemplateDlg& d) {
      ChooseHolder(d, C::kHolders[0], Qt::Key_D);
      TypeInto(d, C::kGeneral[0], QStringLiteral("1000"));
      ChooseHolder(d, C::kHolders[1], Qt::Key_C);
      TypeInto(d, C::kGeneral[1], QStringLiteral("-500"));
      joint.push_back(Text(d, C::kJointGeneral));
      TypeInto(d, C::kJointGeneral, QStringLiteral("\b\b\b\b\b\b\b\b1200"));
      TypeInto(d, C::kSpecial[0], QStringLiteral("300"));
      joint.push_back(Text(d, C::kJointGeneral));
      joint.push_back(Text(d, C::kJointSpecial));
      for (int id : C::kGeneralParts) EXPECT_FALSE(d.GetDlgItem(id)->isEnabled());
      Press(d, ok ? ui::IDOK : ui::IDCANCEL);
    });
    EXPECT_EQ(joint, (std::vector<QString>{QStringLiteral("500,00"), QStringLiteral("1.200,00"), QStringLiteral("300,00")}));
    EXPECT_EQ(Outside(decl.bytes, kCeutaAt, cm::kBlockSize), Outside(before, kCeutaAt, cm::kBlockSize));
    if (!ok) {
      EXPECT_EQ(decl.bytes, before);
      continue;
    }
    const std::uint8_t* b = decl.at(kCeutaAt);
    EXPECT_EQ(cm::Holder.get(b), 2);
    EXPECT_EQ(cm::General.get(b), 1000.0);
    EXPECT_EQ(cm::Special.get(b), 300.0);
    EXPECT_EQ(cm::Holder.get(b + cm::kRowSize), 3);
    EXPECT_EQ(cm::General.get(b + cm::kRowSize), -500.0);
    EXPECT_EQ(cm::JointGeneral.get(b), 1200.0);
    EXPECT_EQ(cm::JointSpecial.get(b), 300.0);
  }
}

TEST_F(Ceutamel, ThePartOfTheQuotaIsTheIncomesShareOfTheBaseAtMostTheQuota) {
  struct Case {
    const char* income;
    const char* part;
  };
  const Case cases[] = {{"5000", "1.000,00"}, {"30000", "4.000,00"}, {"-100", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.income);
    qxtest::MemberView view(1, kCouple);
    OpenDeclaration decl;
    SetUpGeneralQuota(decl.block.data(), 20000.0, 4000.0);
    const std::vector<std::uint8_t> before = decl.block;
    QString declarant, unit;
    Launch("IDD_CEUTAMEL", decl.block.data() + kCeutaAt, [&](CTemplateDlg& d) {
      ChooseHolder(d, C::kHolders[0], Qt::Key_D);
      TypeInto(d, C::kGeneral[0], QString::fromLatin1(c.income));
      declarant = Text(d, C::kGeneralParts[1]);
      unit = Text(d, C::kGeneralParts[0]);
      EXPECT_EQ(Outside(decl.block, kCeutaAt, cm::kBlockSize), Outside(before, kCeutaAt, cm::kBlockSize))
          << "the summary shares are computed on a copy";
    });
    EXPECT_EQ(declarant, QString::fromLatin1(c.part));
    EXPECT_EQ(unit, QString::fromLatin1(c.part)) << "the joint amount follows the one row";
    EXPECT_EQ(decl.block, before) << "cancelled";
  }
}

TEST_F(Ceutamel, AloneTheFamilyUnitHasNoPartsAndDeleteShowsNoneUntilTheNextField) {
  qxtest::MemberView view(1, kAlone);
  OpenDeclaration decl;
  SetUpGeneralQuota(decl.block.data(), 20000.0, 4000.0);
  std::uint8_t* b = decl.block.data() + kCeutaAt;
  cm::Holder.set(b, 2);
  cm::General.set(b, 5000.0);
  cm::JointGeneral.set(b, 5000.0);
  cm::Holder.set(b + cm::kRowSize, 2);
  Launch("IDD_CEUTAMEL", b, [&](CTemplateDlg& d) {
    TypeInto(d, C::kSpecial[0], QString());
    EXPECT_EQ(Text(d, C::kGeneralParts[1]), QStringLiteral("1.000,00"));
    EXPECT_EQ(Text(d, C::kGeneralParts[0]), QString());
    QWidget* holder = d.GetDlgItem(C::kHolders[1]);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_Delete);
    EXPECT_EQ(Text(d, C::kGeneralParts[1]), QString());
    TypeInto(d, C::kSpecial[0], QString());
    EXPECT_EQ(Text(d, C::kGeneralParts[1]), QStringLiteral("1.000,00"));
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(cm::GeneralPart(1).get(b), 1000.0);
  EXPECT_EQ(cm::GeneralPart(0).get(b), 0.0);
}

TEST_F(Ceutamel, TheSpousesViewIsReadOnlyWithoutJointAmountsOrParts) {
  qxtest::MemberView view(3, kCouple);
  FixtureDeclaration decl;
  std::uint8_t* b = decl.at(kCeutaAt);
  std::memset(b, 0, cm::kBlockSize);
  cm::Holder.set(b, 1);
  cm::General.set(b, 800.0);
  cm::JointGeneral.set(b, 800.0);
  cm::GeneralPart(2).set(b, 55.0);
  const std::vector<std::uint8_t> before = decl.bytes;
  Launch("IDD_CEUTAMEL", b, [&](CTemplateDlg& d) {
    EXPECT_EQ(Text(d, C::kGeneral[0]), QStringLiteral("400,00"));
    EXPECT_TRUE(Text(d, C::kHolders[0]).trimmed().startsWith(u'D')) << "the common row as the member's own";
    EXPECT_EQ(Text(d, C::kJointGeneral), QString());
    EXPECT_EQ(Text(d, C::kGeneralParts[2]), QString());
    for (int id : {C::kGeneral[0], int{C::kJointGeneral}, C::kHolders[0]}) EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(decl.bytes, before);
}

// ---------------------------------------------------------------- company imputation

constexpr int kRow = 2;
constexpr std::size_t kRowAt = f100::SectionF2.offset + f100::sec_f2::kRowSize * kRow;

struct ImputationRow {
  std::uint8_t* row;
  ui::AnnexPointerList list;
};

ImputationRow SetUpRow(std::uint8_t* decl, unsigned char kind, std::uint8_t mark, double base) {
  std::uint8_t* row = decl + kRowAt;
  io::row::Holder.set(row, 2);
  io::row::Kind.set(row, kind);
  io::RowMark.set(row, mark);
  io::row::ImputedBase.set(row, base);
  io::WhollyMark.set(row + io::kRowBlock, mark);
  return {row, {row + io::kRowBlock, row + io::row::Kind.off, row + io::row::ImputedBase.off, 0, 0}};
}

class Impotroc : public AnnexTest {};

TEST_F(Impotroc, KindAndMarkDecideTheCorporateFieldsAndWhetherOkAsks) {
  struct Case {
    unsigned char kind;
    std::uint8_t mark;
    double base;
    bool locked;    // 1577 and 1586 disabled and zero
    bool asks;      // "100P042" on OK
    std::uint8_t markAfter;
  };
  const Case cases[] = {
      {'1', 1, 1000, false, true, 0},   // kind 1 takes no mark
      {'1', 0, 0, false, false, 0},     // no imputed base, no question
      {'2', 0, 1000, false, true, 0},
      {'2', 1, 1000, true, false, 1},
      {'3', 1, 1000, true, false, 1},
      {'4', 0, 1000, true, false, 0},
  };
  qxtest::MemberView view(1, kAlone);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, static_cast<char>(c.kind)) + " mark " + std::to_string(c.mark));
    OpenDeclaration decl;
    ImputationRow r = SetUpRow(decl.block.data(), c.kind, c.mark, c.base);
    io::CorporateTaxation.set(r.row + io::kRowBlock, 9.0);
    messages.shown.clear();
    messages.Then(kAnsCorregir);
    messages.Then(kAnsContinuar);
    bool enabled = false, stayedOnCorrect = false;
    const std::vector<std::uint8_t> before = decl.block;
    Launch("IDD_IMPOTROC", &r.list, [&](CTemplateDlg& d) {
      EXPECT_EQ(dynamic_cast<I&>(d).RowIndex(), kRow);
      enabled = d.GetDlgItem(I::kCorporateTaxation)->isEnabled() && d.GetDlgItem(I::kExcess)->isEnabled();
      if (!c.locked) TypeInto(d, I::kCorporateTaxation, QStringLiteral("\b\b\b\b\b\b\b\b0"));
      TypeInto(d, I::kPayments, QStringLiteral("100"));
      Press(d, ui::IDOK);
      stayedOnCorrect = d.isVisible();
      if (stayedOnCorrect) Press(d, ui::IDOK);
    });
    EXPECT_EQ(enabled, !c.locked);
    EXPECT_EQ(stayedOnCorrect, c.asks);
    EXPECT_EQ(messages.shown.size(), c.asks ? 2u : 0u);
    if (c.asks) {
      EXPECT_EQ(messages.Codes().front(), QStringLiteral("100P042"));
    }
    std::uint8_t* b = r.row + io::kRowBlock;
    EXPECT_EQ(io::PaymentsOnAccount.get(b), 100.0);
    EXPECT_EQ(io::CorporateTaxation.get(b), 0.0);
    EXPECT_EQ(io::WhollyMark.get(b), c.markAfter);
    EXPECT_EQ(Outside(decl.block, kRowAt + io::kRowBlock, io::kBlockSize),
              Outside(before, kRowAt + io::kRowBlock, io::kBlockSize));
  }
}

TEST_F(Impotroc, TheEffectiveTaxationOfTheImputedBaseIsComputedOnACopyOfTheDeclaration) {
  qxtest::MemberView view(1, kAlone);
  OpenDeclaration decl;
  ImputationRow r = SetUpRow(decl.block.data(), '1', 0, 1000.0);
  for (int k : {0, 1}) {
    f100::sec_k::GeneralLiquidable.set(f100::record(decl.block.data(), f100::SectionK), k, 10000.0);
    f100::summary::StateGrossQuota.set(f100::record(decl.block.data(), f100::Summary), k, 2000.0);
    f100::summary::StateNetQuota.set(f100::record(decl.block.data(), f100::Summary), k, 2000.0);
    f100::sec_h::GeneralIncome.set(f100::record(decl.block.data(), f100::SectionH), k, 10000.0);
  }
  for (bool ok : {false, true}) {
    const std::vector<std::uint8_t> before = decl.block;
    std::vector<QString> shown;
    Launch("IDD_IMPOTROC", &r.list, [&](CTemplateDlg& d) {
      for (int id : {I::kHolderRate, I::kHolderShare, I::kHolderTax, I::kUnitRate}) {
        shown.push_back(Text(d, id));
        EXPECT_FALSE(d.GetDlgItem(id)->isEnabled());
      }
      TypeInto(d, I::kCorporateTaxation, QStringLiteral("5"));
      Press(d, ok ? ui::IDOK : ui::IDCANCEL);
    });
    EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("20,00"), QStringLiteral("10.000,00"),
                                           QStringLiteral("2.000,00"), QString()}));
    if (!ok) {
      EXPECT_EQ(decl.block, before) << "the declaration's own rows and summary untouched";
      continue;
    }
    std::uint8_t* b = r.row + io::kRowBlock;
    EXPECT_EQ(io::HolderRate.get(b), 20.0);
    EXPECT_EQ(io::HolderTax.get(b), 2000.0);
    EXPECT_EQ(io::UnitTax.get(b), 0.0) << "no joint return without other members";
    EXPECT_EQ(io::CorporateTaxation.get(b), 5.0);
    EXPECT_EQ(Outside(decl.block, kRowAt + io::kRowBlock, io::kBlockSize),
              Outside(before, kRowAt + io::kRowBlock, io::kBlockSize));
  }
}

TEST_F(Impotroc, AMemberViewShowsNothingComputedAndEndsWithCancel) {
  qxtest::MemberView view(2, kCouple);
  FixtureDeclaration decl;
  std::uint8_t* row = decl.at(kRowAt);
  std::memset(row, 0, f100::sec_f2::kRowSize);
  ImputationRow r = SetUpRow(decl.bytes.data(), '1', 0, 1000.0);
  io::HolderTax.set(row + io::kRowBlock, 77.0);
  const std::vector<std::uint8_t> before = decl.bytes;
  Launch("IDD_IMPOTROC", &r.list, [&](CTemplateDlg& d) {
    EXPECT_EQ(Text(d, I::kHolderTax), QString());
    EXPECT_FALSE(d.GetDlgItem(I::kPayments)->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(decl.bytes, before);
}

class TransparenciaFiscal : public AnnexTest {};

TEST_F(TransparenciaFiscal, TheMarkGoesToTheRowAndItsBlockAndAChangeIsNoticed) {
  struct Case {
    std::uint8_t before;
    Qt::Key key;  // 0: left as it is
    double amount80;
    std::uint8_t after;
    bool notice, cleared;
  };
  const Case cases[] = {
      {0, Qt::Key_X, 10.0, 1, true, true},
      {1, Qt::Key_N, 10.0, 0, true, false},
      {1, Qt::Key(0), 10.0, 1, false, false},
      {0, Qt::Key_X, 0.0, 1, false, false},
  };
  qxtest::MemberView view(1, kAlone);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.before) + " -> " + std::to_string(c.after));
    std::vector<std::uint8_t> row(f100::sec_f2::kRowSize);
    io::row::Holder.set(row.data(), 2);
    io::RowMark.set(row.data(), c.before);
    io::RowNoticeAmount.set(row.data(), c.amount80);
    io::CorporateTaxation.set(row.data() + io::kRowBlock, 30.0);
    io::Excess.set(row.data() + io::kRowBlock, 40.0);
    messages.shown.clear();
    qxtest::WhenModal([&](QWidget* m) {
      auto& d = dynamic_cast<CTemplateDlg&>(*m);
      if (c.key) {
        QWidget* mark = d.GetDlgItem(CTransparenciaFiscalDlg::kMark);
        mark->setFocus();
        QTest::keyClick(mark, c.key);
      }
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(CTransparenciaFiscalDlg::OpenForRow(row.data()), 1);
    EXPECT_EQ(io::RowMark.get(row.data()), c.after);
    EXPECT_EQ(io::WhollyMark.get(row.data() + io::kRowBlock), c.after);
    EXPECT_EQ(messages.Codes(), c.notice ? std::vector<QString>{QStringLiteral("100I008")} : std::vector<QString>{});
    EXPECT_EQ(io::CorporateTaxation.get(row.data() + io::kRowBlock), c.cleared ? 0.0 : 30.0);
    EXPECT_EQ(io::Excess.get(row.data() + io::kRowBlock), c.cleared ? 0.0 : 40.0);
  }
  std::vector<std::uint8_t> free(f100::sec_f2::kRowSize);
  EXPECT_EQ(CTransparenciaFiscalDlg::OpenForRow(free.data()), 0) << "a row without holder opens nothing";
}

TEST_F(TransparenciaFiscal, CancelLeavesTheRow) {
  qxtest::MemberView view(1, kAlone);
  std::vector<std::uint8_t> row(f100::sec_f2::kRowSize);
  io::row::Holder.set(row.data(), 2);
  const auto before = row;
  qxtest::WhenModal([&](QWidget* m) {
    auto& d = dynamic_cast<CTemplateDlg&>(*m);
    QTest::keyClick(d.GetDlgItem(CTransparenciaFiscalDlg::kMark), Qt::Key_X);
    Press(d, ui::IDCANCEL);
  });
  EXPECT_EQ(CTransparenciaFiscalDlg::OpenForRow(row.data()), 0);
  EXPECT_EQ(row, before);
}

TEST_F(Impotroc, HelpOpensEachDialogsTopic) {
  struct Case {
    std::function<std::unique_ptr<CTemplateDlg>()> make;
    int topic;
  };
  const Case cases[] = {
      {[] { return std::make_unique<CImpotrocDlg>(ui::AnnexArgs{}); }, 857},
      {[] { return std::make_unique<CCeutamelDlg>(ui::AnnexArgs{}); }, 543},
  };
  for (const Case& c : cases) {
    int topic = 0;
    platform::SetHelpHook([&](int t) { topic = t; });
    auto d = c.make();
    d->EnsureCreated();
    ASSERT_TRUE(qxtest::ShowActive(d.get()));
    Press(*d, ui::kHelpButtonId);
    platform::SetHelpHook({});
    EXPECT_EQ(topic, c.topic);
    EXPECT_FALSE(platform::HelpIndex::Get().Html(c.topic).isEmpty()) << "an authored topic";
  }
}

}  // namespace
