// The pending-balance dialogs, opened through the launch table on the pending groups of a fixture
// declaration.
#include <QLabel>

#include "annex/salpen_dlg.h"
#include "annex/salpencartuja_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace q = f100::sec_q;
namespace f = annex::salpen;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};

struct Family {
  const char* name;
  const q::PendingGroup& group;
  std::vector<int> holders;              // row 1, row 2
  std::vector<std::vector<int>> years;   // per year: row 1, row 2
  bool keepsLegend;
};
const Family kFamilies[] = {
    {"IDD_SALPEN95", q::PendingGroup2, {1303, 1322}, {{2210, 2211}, {2212, 2213}}, false},
    {"IDD_SALPENEMPLEO", q::PendingGroup3, {1901, 1903}, {{2210, 2211}, {2212, 2213}, {2214, 2215}}, false},
    {"IDD_ANEXOC1", q::PendingGroup1, {1303, 1322},
     {{24627, 24629}, {24628, 24630}, {2214, 2216}, {2215, 2217}, {2218, 2219}}, true},
};

class Pending : public AnnexTest {
 protected:
  std::size_t At(const Family& f) const { return f100::SectionQ.offset + f.group.row0; }
  std::uint8_t* Row(const Family& f, int r) { return declaration.at(At(f) + f.group.rowSize * r); }
  void Clear(const Family& f) { std::fill_n(declaration.at(At(f)), f.group.rowSize * 2, 0); }
  qxtest::MemberView view{1, kCouple};
  annextest::FixtureDeclaration declaration;
};

TEST_F(Pending, OkWritesTheHolderAndEveryYearOfTheRowAndCancelNothing) {
  for (const Family& fam : kFamilies) {
    SCOPED_TRACE(fam.name);
    Clear(fam);
    const std::vector<std::uint8_t> before = declaration.bytes;
    auto typeAll = [&](CTemplateDlg& d) {
      TypeInto(d, fam.holders[0], QStringLiteral("C"));
      for (std::size_t y = 0; y < fam.years.size(); ++y) TypeInto(d, fam.years[y][0], QString::number(100 * (y + 1)));
    };
    Launch(fam.name, declaration.at(At(fam)), [&](CTemplateDlg& d) {
      typeAll(d);
      Press(d, ui::IDCANCEL);
    });
    EXPECT_EQ(declaration.bytes, before);
    Launch(fam.name, declaration.at(At(fam)), [&](CTemplateDlg& d) {
      typeAll(d);
      Press(d, ui::IDOK);
    });
    std::vector<std::uint8_t> expected = before;
    f::Holder.set(expected.data() + At(fam), 3);
    for (std::size_t y = 0; y < fam.years.size(); ++y)
      f::Year(static_cast<int>(y)).set(expected.data() + At(fam), 100.0 * static_cast<double>(y + 1));
    EXPECT_EQ(declaration.bytes, expected);
  }
}

TEST_F(Pending, ClearingTheFirstHolderMovesTheSecondRowUp) {
  for (const Family& fam : kFamilies) {
    SCOPED_TRACE(fam.name);
    Clear(fam);
    f::Holder.set(Row(fam, 0), 2);
    f::Year(0).set(Row(fam, 0), 10.0);
    f::Holder.set(Row(fam, 1), 3);
    f::Year(1).set(Row(fam, 1), 20.0);
    Launch(fam.name, declaration.at(At(fam)), [&](CTemplateDlg& d) {
      QWidget* holder = d.GetDlgItem(fam.holders[0]);
      holder->setFocus();
      QTest::keyClick(holder, Qt::Key_Delete);
      QTest::keyClick(holder, Qt::Key_Tab);
      EXPECT_EQ(d.Edit(fam.holders[0])->text().trimmed(), QStringLiteral("CÓNYUGE"));
      EXPECT_EQ(d.Edit(fam.years[1][0])->text(), QStringLiteral("20,00"));
      EXPECT_FALSE(d.GetDlgItem(fam.years[0][1])->isEnabled()) << "the second row is free";
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(f::Holder.get(Row(fam, 0)), 3);
    EXPECT_EQ(f::Year(0).get(Row(fam, 0)), 0.0);
    EXPECT_EQ(f::Year(1).get(Row(fam, 0)), 20.0);
    EXPECT_EQ(f::Holder.get(Row(fam, 1)), 0);
  }
}

TEST_F(Pending, TheDeclarantsViewShowsACommonRowHalvedAndChangesNothing) {
  view.Show(2);
  for (const Family& fam : kFamilies) {
    SCOPED_TRACE(fam.name);
    Clear(fam);
    f::Holder.set(Row(fam, 0), 1);
    for (std::size_t y = 0; y < fam.years.size(); ++y) f::Year(static_cast<int>(y)).set(Row(fam, 0), 50.0);
    f::Holder.set(Row(fam, 1), 3);
    f::Year(0).set(Row(fam, 1), 80.0);
    const std::vector<std::uint8_t> before = declaration.bytes;
    Launch(fam.name, declaration.at(At(fam)), [&](CTemplateDlg& d) {
      EXPECT_EQ(d.Edit(fam.holders[0])->text().trimmed(), QStringLiteral("DECLARANTE"));
      for (const std::vector<int>& year : fam.years) EXPECT_EQ(d.Edit(year[0])->text(), QStringLiteral("25,00"));
      EXPECT_EQ(d.Edit(fam.years[0][1])->text(), QString()) << "the spouse's row is not shown";
      EXPECT_FALSE(d.GetDlgItem(fam.years[0][0])->isEnabled());
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(messages.Codes().back(), QStringLiteral("100R025"));
    EXPECT_EQ(declaration.bytes, before);
  }
}

TEST_F(Pending, TheSecondVariantOfTheThreeYearDialogLabelsItsYearsFrom2000) {
  const Family& fam = kFamilies[1];
  Clear(fam);
  struct Case {
    const char* descriptor;
    const char* first;
  };
  for (const Case c : {Case{"IDD_SALPENEMPLEO", "1998"}, Case{"IDD_SALPENEMPLEO*2", "2000"}}) {
    Clear(fam);
    Launch(c.descriptor, declaration.at(At(fam)), [&](CTemplateDlg& d) {
      EXPECT_TRUE(d.Item<QLabel>(24641)->text().endsWith(QLatin1String(c.first))) << c.descriptor;
      EXPECT_TRUE(d.Item<QLabel>(24643)->text().endsWith(QString::number(std::atoi(c.first) + 2)));
      TypeInto(d, fam.holders[0], QStringLiteral("D"));
      TypeInto(d, fam.years[2][0], QStringLiteral("7"));
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(f::Year(2).get(Row(fam, 0)), 7.0) << "the same field in both variants";
  }
}

TEST_F(Pending, TheLegendShowsForAHolderCellAndGoesOrStaysForAnAmount) {
  for (const Family& fam : kFamilies) {
    Clear(fam);
    Launch(fam.name, declaration.at(At(fam)), [&](CTemplateDlg& d) {
      auto* legend = d.Item<QLabel>(annex::CPendingRowsDlg::kLegend);
      d.GetDlgItem(fam.holders[0])->setFocus();
      EXPECT_FALSE(legend->text().isEmpty()) << fam.name;
      TypeInto(d, fam.holders[0], QStringLiteral("D"));
      d.GetDlgItem(fam.years[0][0])->setFocus();
      EXPECT_EQ(legend->text().isEmpty(), !fam.keepsLegend) << fam.name;
    });
  }
}

}  // namespace

// ---------------------------------------------------------------- research and other modalities

namespace {

namespace sc = annex::salpencartuja;
using C = CSalpencartujaDlg;
const std::size_t kResearchAt = f100::SectionQ.offset + f100::sec_q::PendingResearchArea.off;

class PendingPairs : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    std::fill_n(declaration.at(kResearchAt), sc::kBlockSize, 0);
  }
  std::uint8_t* Record(int k) { return declaration.at(kResearchAt + sc::kRecordSize * k); }
  void Give(int k, int holder, double first) {
    sc::Holder.set(Record(k), static_cast<std::uint8_t>(holder));
    sc::Year(0).set(Record(k), first);
  }
  qxtest::MemberView view{1, kCouple};
  annextest::FixtureDeclaration declaration;
};

TEST_F(PendingPairs, TheSecondRecordOfAPairOpensOnlyAfterTheFirstAndOkWritesThem) {
  std::vector<std::uint8_t> expected = declaration.bytes;
  sc::Holder.set(expected.data() + kResearchAt + 2 * sc::kRecordSize, 2);
  sc::Year(3).set(expected.data() + kResearchAt + 2 * sc::kRecordSize, 40.0);
  Launch("IDD_SALPENCARTUJA", declaration.at(kResearchAt), [&](CTemplateDlg& d) {
    EXPECT_FALSE(d.GetDlgItem(C::HolderCell(3))->isEnabled());
    EXPECT_FALSE(d.GetDlgItem(C::AmountCell(2, 0))->isEnabled());
    TypeInto(d, C::HolderCell(2), QStringLiteral("D"));
    EXPECT_TRUE(d.GetDlgItem(C::HolderCell(3))->isEnabled());
    EXPECT_FALSE(d.GetDlgItem(C::AmountCell(3, 0))->isEnabled());
    TypeInto(d, C::AmountCell(2, 3), QStringLiteral("40"));
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(declaration.bytes, expected);
}

TEST_F(PendingPairs, BlankingTheFirstHolderMovesTheSecondRecordUp) {
  Give(0, 2, 10.0);
  Give(1, 3, 30.0);
  Launch("IDD_SALPENCARTUJA", declaration.at(kResearchAt), [&](CTemplateDlg& d) {
    QWidget* holder = d.GetDlgItem(C::HolderCell(0));
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_Delete);
    QTest::keyClick(holder, Qt::Key_Tab);
    EXPECT_EQ(d.Edit(C::HolderCell(0))->text().trimmed(), QStringLiteral("CÓNYUGE"));
    EXPECT_FALSE(d.GetDlgItem(C::HolderCell(1))->isEnabled());
    EXPECT_FALSE(d.GetDlgItem(C::AmountCell(1, 0))->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(sc::Holder.get(Record(0)), 3);
  EXPECT_EQ(sc::Year(0).get(Record(0)), 30.0);
  EXPECT_EQ(sc::Holder.get(Record(1)), 0);
  EXPECT_EQ(sc::Year(0).get(Record(1)), 0.0);
}

TEST_F(PendingPairs, AMemberViewShowsOnlyTheMembersRecordsAndWritesNothing) {
  Give(0, 3, 30.0);  // the spouse's, first place of research
  Give(1, 2, 20.0);  // the declarant's, second place
  Give(2, 2, 22.0);  // the declarant's, first place of other modalities
  Give(3, 3, 33.0);
  const std::vector<std::uint8_t> before = declaration.bytes;
  struct Case {
    int member;
    std::array<const char*, 4> shown;  // the first year of each record
  };
  for (const Case c : {Case{2, {"20,00", "", "22,00", ""}}, Case{3, {"30,00", "", "33,00", ""}}, Case{4, {"", "", "", ""}}}) {
    SCOPED_TRACE(c.member);
    view.Show(c.member);
    view.SetExists(4, true);
    Launch("IDD_SALPENCARTUJA", declaration.at(kResearchAt), [&](CTemplateDlg& d) {
      for (int k = 0; k < sc::kRecords; ++k)
        EXPECT_EQ(d.Edit(C::AmountCell(k, 0))->text(), QString::fromLatin1(c.shown[static_cast<std::size_t>(k)])) << k;
      EXPECT_FALSE(d.GetDlgItem(C::HolderCell(0))->isEnabled());
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(declaration.bytes, before);
  }
}

}  // namespace
