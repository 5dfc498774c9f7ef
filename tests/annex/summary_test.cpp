// The declaration summary: it recalculates the declaration, shows each member's results in its
// column, the two deduction rows it adds up, and leaves blank the columns of absent members.
#include "annex/resumen_declaraciones_dlg.h"
#include "annex_fixture.h"
#include "blocks/form100.h"
#include "data/db/databases.h"
#include "data/doc/renta_doc.h"
#include "data/store/store.h"
#include "ui/edit_ex.h"

namespace {

using annextest::AnnexTest;

constexpr std::size_t kGeneralBase = 65368, kResult = 75576, kStatePart = 66216, kShared = 66936;
constexpr std::size_t kRegionalPart = 66256;

class Summary : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    ASSERT_TRUE(conn.Open((dir.Path() / "DatRed.db").string(), db::OpenMode::Create));
    ASSERT_TRUE(db::CreateDeclarationsSchema(conn));
  }
  // A calculation that leaves known figures: member c's general base 1000 * (c + 1).
  doc::Calculator Calc() {
    return [this](std::span<std::uint8_t> b, const doc::CalcRequest&) {
      ++calculations;
      for (int c = 0; c < 5; ++c) {
        blocks::Vec5{kGeneralBase}.set(b.data(), c, 1000.0 * (c + 1));
        blocks::Vec5{kResult}.set(b.data(), c, -10.0 * (c + 1));
        blocks::Vec5{kStatePart}.set(b.data(), c, 1.0);
        blocks::Vec5{kRegionalPart}.set(b.data(), c, 2.0);
        blocks::Vec5{kShared}.set(b.data(), c, 0.5);
      }
    };
  }
  dbtest::TempDir dir;
  db::CAdoConnection conn{"DatRed"};
  store::DeclarationStore store{conn};
  doc::DocumentHost host;
  int calculations = 0;
};

TEST_F(Summary, ColumnsOfTheJointReturnAndOfEachMember) {
  // The document publishes its own household; the view stands for the household computed.
  doc::CRentaDoc d(store, host, Calc());
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  std::uint8_t* b = d.Block().data();
  blocks::Text{220, 2}.set(b, "99");  // child 1 absent
  blocks::Text{252, 2}.set(b, "99");  // child 2 absent
  CResumenDeclaracionesDlg dlg(d);
  dlg.EnsureCreated();
  EXPECT_EQ(calculations, 1) << "opening the summary recalculates";
  auto cell = [&](int row, int column) { return dlg.Edit(CResumenDeclaracionesDlg::ControlAt(row, column))->text(); };
  EXPECT_EQ(cell(0, 0), QStringLiteral("1.000,00"));
  EXPECT_EQ(cell(0, 1), QStringLiteral("2.000,00"));
  EXPECT_EQ(cell(0, 2), QStringLiteral("3.000,00"));
  EXPECT_EQ(cell(0, 3), QString()) << "child 1 is absent";
  EXPECT_EQ(cell(8, 1), QStringLiteral("-20,00"));
  // The state part has 1 + the shared 0.5, the regional part 2 + the shared 0.5.
  EXPECT_DOUBLE_EQ(dlg.StateDeduction(1), 1.5);
  EXPECT_DOUBLE_EQ(dlg.RegionalDeduction(1), 2.5);
  EXPECT_EQ(cell(4, 1), QStringLiteral("1,50"));
  EXPECT_FALSE(dlg.Edit(CResumenDeclaracionesDlg::ControlAt(0, 1))->isEnabled()) << "nothing can be typed";
}

TEST_F(Summary, ASingleHolderShowsNoJointColumnAndASeparateSpouseNoSpouseColumn) {
  // The document publishes its own household; the view stands for the household computed.
  doc::CRentaDoc d(store, host, Calc());
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});
  blocks::U8{2358}.set(d.Block().data(), 1);
  CResumenDeclaracionesDlg dlg(d);
  dlg.EnsureCreated();
  auto cell = [&](int row, int column) { return dlg.Edit(CResumenDeclaracionesDlg::ControlAt(row, column))->text(); };
  EXPECT_EQ(cell(0, 0), QString());
  EXPECT_EQ(cell(0, 1), QStringLiteral("2.000,00"));
  EXPECT_EQ(cell(0, 2), QString()) << "the spouse filing separately";
  EXPECT_EQ(dlg.StateDeduction(0), 0.0) << "no joint column of a single holder";
}

}  // namespace
