// Foreign income: the items typed through the launch table, the general and special parts that
// exclude each other, the results of the library's liquidation on a copy of the summary, and the
// member view.
#include <QAbstractButton>

#include <cstring>

#include "annex/renobga_dlg.h"
#include "annex_fixture.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "blocks/form100_k.h"
#include "data/doc/active_declaration.h"
#include "support/member_view.h"
#include "tallyvex.h"
#include "ui/launcher_edit.h"

namespace {

namespace rb = annex::renobga;
using D = CRenobgaDlg;

class Renobga : public annextest::AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    // A declaration with a taxable base, so that the liquidation has rates to give.
    std::uint8_t* sum = f100::record(declaration.data(), f100::Summary);
    for (std::size_t off = 0; off < 7768; off += 8) blocks::F64{off}.set(sum, 1000.0 + static_cast<double>(off));
    for (int m = 0; m < 5; ++m) {
      f100::sec_k::GeneralLiquidable.set(f100::record(declaration.data(), f100::SectionK), m, 20000.0);
      f100::sec_k::SpecialLiquidable.set(f100::record(declaration.data(), f100::SectionK), m, 30000.0);
      f100::sec_a::NetWorkIncome.set(f100::record(declaration.data(), f100::SectionA), m, 25000.0);
    }
  }
  // What the liquidation gives for a working block.
  std::vector<std::uint8_t> Liquidated(std::vector<std::uint8_t> block, bool severalHolders) {
    std::vector<std::uint8_t> decl = declaration;
    std::uint8_t* s = f100::record(decl.data(), f100::Summary);
    std::memcpy(s + rb::kSummaryOffset, block.data(), block.size());
    auto r = [&](const blocks::RecordDef& d) { return static_cast<void*>(f100::record(decl.data(), d)); };
    Calculos100Li(s, r(f100::SectionH), r(f100::SectionQ), r(f100::SectionB), r(f100::SectionF1), r(f100::SectionK),
                  r(f100::SectionD), r(f100::SectionF2), r(f100::SectionE1), r(f100::SectionE4), r(f100::SectionE5),
                  r(f100::SectionC), r(f100::SectionF3), r(f100::SectionF4), r(f100::SectionF5), r(f100::SectionG6),
                  r(f100::SectionI), r(f100::SectionA), r(f100::SectionJ), r(f100::Result), r(f100::Family), 4);
    std::memcpy(block.data(), s + rb::kSummaryOffset, block.size());
    if (!severalHolders) std::memset(block.data() + rb::kResults, 0, rb::kResultSize);
    return block;
  }
  annextest::OpenDeclaration open;
  qxtest::BlockBytes& declaration = open.block;
};

void Click(QWidget* d, int id) { static_cast<QAbstractButton*>(ui::FindControl(d, id))->click(); }
void TypeInto(QWidget* d, int id, const QString& keys) {
  QWidget* e = ui::FindControl(d, id);
  e->setFocus();
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}

TEST_F(Renobga, TypedItemsGetTheLiquidationsResultsAndOkWritesOnlyTheBlock) {
  struct Case {
    const char* what;
    std::array<int, 5> household;
    bool ok;
  };
  const Case cases[] = {
      {"a couple, OK", {1, 1, 1, 0, 0}, true},
      {"a single holder: no joint results", {1, 1, 0, 0, 0}, true},
      {"Cancel", {1, 1, 1, 0, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qxtest::MemberView view(1, c.household);
    const bool several = c.household[2] != 0;
    std::vector<std::uint8_t> around(rb::kBlockSize + 16, 0xEE);
    std::uint8_t* annexBlock = around.data() + 8;
    std::memset(annexBlock, 0, rb::kBlockSize);
    const std::vector<std::uint8_t> declBefore = declaration;
    CDialogLauncherEdit l(8, 2, "IDD_RENOBGA*0*2");
    l.SetOption(annexBlock);
    std::vector<std::uint8_t> expected(rb::kBlockSize);
    qxtest::WhenModal([&](QWidget* m) {
      auto& d = dynamic_cast<D&>(*m);
      EXPECT_EQ(d.windowTitle(), QStringLiteral("RENTAS OBTENIDAS Y GRAVADAS EN EL EXTRANJERO"));
      TypeInto(&d, D::kHolders[0], QStringLiteral("D"));
      TypeInto(&d, D::kGeneral[0], QStringLiteral("1000"));
      EXPECT_FALSE(d.GetDlgItem(D::kSpecial[0])->isEnabled()) << "a general part excludes the special part";
      TypeInto(&d, D::kTaxPaid[0], QStringLiteral("150,5"));
      if (several) {
        TypeInto(&d, D::kHolders[1], QStringLiteral("C"));
        TypeInto(&d, D::kSpecial[1], QStringLiteral("400"));
        EXPECT_FALSE(d.GetDlgItem(D::kGeneral[1])->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(D::kSpecial[0])->isEnabled() == false);
      }
      for (const auto& line : D::kResultIds)
        for (int id : line) EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
      std::vector<std::uint8_t> items(rb::kBlockSize);
      rb::Holder.set(items.data(), 2);
      rb::General.set(items.data(), 1000.0);
      rb::TaxPaid.set(items.data(), 150.5);
      if (several) {
        rb::Holder.set(items.data() + rb::kRowSize, 3);
        rb::Special.set(items.data() + rb::kRowSize, 400.0);
      }
      expected = Liquidated(items, several);
      EXPECT_TRUE(std::any_of(expected.begin() + rb::kResults, expected.end(), [](std::uint8_t b) { return b != 0; }))
          << "the liquidation gives results";
      for (std::size_t off = 0; off < rb::kBlockSize; off += 8)
        EXPECT_EQ(blocks::F64{off}.get(d.Shown()), blocks::F64{off}.get(expected.data())) << "offset " << off;
      Click(&d, c.ok ? ui::IDOK : ui::IDCANCEL);
    });
    l.Launch();
    std::vector<std::uint8_t> got(annexBlock, annexBlock + rb::kBlockSize);
    EXPECT_EQ(got, c.ok ? expected : std::vector<std::uint8_t>(rb::kBlockSize, 0));
    if (c.ok && !several) {
      for (int k = 0; k < 8; ++k) EXPECT_EQ(blocks::F64{rb::kResults + 8 * static_cast<std::size_t>(k)}.get(annexBlock), 0.0);
    }
    EXPECT_TRUE(std::all_of(around.begin(), around.begin() + 8, [](std::uint8_t b) { return b == 0xEE; }));
    EXPECT_TRUE(std::all_of(around.end() - 8, around.end(), [](std::uint8_t b) { return b == 0xEE; }));
    EXPECT_EQ(declaration, declBefore) << "the declaration itself is not changed";
  }
}

TEST_F(Renobga, AMemberViewShowsNoResultsAndStoresNothing) {
  qxtest::MemberView view(3, {1, 1, 1, 0, 0});
  std::vector<std::uint8_t> block(rb::kBlockSize);
  rb::Holder.set(block.data(), 3);
  rb::General.set(block.data(), 500.0);
  rb::GeneralRate(2).set(block.data(), 21.5);
  const std::vector<std::uint8_t> before = block;
  CDialogLauncherEdit l(8, 2, "IDD_RENOBGA*0*3");
  l.SetOption(block.data());
  qxtest::WhenModal([&](QWidget* m) {
    auto& d = dynamic_cast<D&>(*m);
    EXPECT_EQ(d.Edit(D::kResultIds[0][2])->text(), QString()) << "results shown empty";
    EXPECT_EQ(d.Edit(D::kGeneral[0])->text(), QStringLiteral("500,00"));
    EXPECT_FALSE(d.GetDlgItem(D::kGeneral[0])->isEnabled());
    Click(&d, ui::IDOK);
    EXPECT_EQ(d.result(), ui::IDCANCEL);
  });
  l.Launch();
  EXPECT_EQ(block, before);
  EXPECT_EQ(messages.Codes().front(), QStringLiteral("100R025"));
}

}  // namespace
