// Page 6 of form 100: attributed and imputed income. The position -> field table, the links the
// row boxes hand their annexes, which boxes take input, the 40 % rule of the withheld amounts and
// the continuation sheets.
#include "forms/pages/ord006.h"
#include "page_rows_fixture.h"
#include "support/ui_helpers.h"
#include "ui/annex_dlg.h"

namespace formstest {
namespace {

using forms::CBoxesORD006;
constexpr std::size_t kF1 = f100::SectionF1.offset, kF2 = f100::SectionF2.offset, kS = f100::Summary.offset;

constexpr ui::ControlDef kMarkControls[] = {{.id = ui::IDOK, .kind = ui::Ctl::Ok, .textId = 61, .row = 0, .col = 0}};
constexpr ui::DialogTemplate kMarkTemplate{.id = 1844, .captionId = 0, .controls = kMarkControls};
// Stands in for the annexes' transparency dialog, which this test program does not link.
class MarkStandIn : public ui::CAnnexDlg {
 public:
  explicit MarkStandIn(const ui::AnnexArgs& a) : CAnnexDlg(kMarkTemplate, 1, a) {}
};

class Ord006 : public RowPageTest {
 protected:
  Ord006() : RowPageTest(206) {}
  forms::ORD006& Page() { return static_cast<forms::ORD006&>(*view); }
  std::uint8_t* Entity(int i) { return At(kF1 + 184 * static_cast<std::size_t>(i)); }
  std::uint8_t* Imputation(int i) { return At(kF2 + 216 * static_cast<std::size_t>(i)); }
  const std::vector<std::string>& Codes() { return host->coded.codes; }
};

struct Field {
  int position;
  std::size_t offset;
};

TEST_F(Ord006, BindsEveryBoxToItsFieldOrRowCell) {
  forms::CFormView& page = Show();
  EXPECT_EQ(page.GetPageClassName(), "ORD006");
  ASSERT_EQ(page.GetBoxCount(), 137);
  for (const Field& f : {Field{55, kF1 + 1104}, Field{61, kF1 + 1344}, Field{62, kS + 8872}, Field{105, kF2 + 1296},
                         Field{106, kS + 8912}, Field{107, kS + 8952}, Field{120, f100::SectionF3.offset + 192},
                         Field{134, f100::SectionF5.offset + 192}, Field{136, f100::Family.offset + 105}})
    EXPECT_EQ(Data(f.position), At(f.offset)) << f.position;
  struct RowCell {
    int position, table, row, cell;
  };
  for (const RowCell& c : {RowCell{4, 167, 0, 0}, RowCell{7, 167, 0, 3}, RowCell{8, 167, 0, 5}, RowCell{13, 167, 0, 10},
                           RowCell{14, 167, 0, 12}, RowCell{20, 167, 0, 18}, RowCell{54, 167, 2, 18},
                           RowCell{63, 168, 0, 10}, RowCell{65, 168, 0, 12}, RowCell{71, 168, 0, 18},
                           RowCell{72, 168, 0, 20}, RowCell{74, 168, 0, 23}, RowCell{108, 169, 0, 20},
                           RowCell{119, 169, 2, 23}, RowCell{121, 170, 0, 10}, RowCell{124, 170, 0, 13},
                           RowCell{125, 171, 0, 0}, RowCell{133, 171, 2, 2}})
    EXPECT_EQ(Data(c.position), Page().Table(c.table)->GetCell(c.row, c.cell)) << c.position;
  forms::CScrollRowTable* entities = Page().Table(167);
  forms::CScrollRowTable* imputations = Page().Table(168);
  EXPECT_EQ(Option(7), entities->GetCell(0, 4));
  EXPECT_EQ(Option(71), imputations->GetCell(0, 19));
  EXPECT_EQ(Option(124), Page().Table(170)->GetCell(0, 502));
  const auto* activity = static_cast<const ui::AnnexPointerList*>(Option(30));
  ASSERT_NE(activity, nullptr);
  EXPECT_EQ(activity->block, entities->GetCell(1, 11));
  EXPECT_EQ(activity->value, 1);
  EXPECT_EQ(activity->size, 24);
  const auto* imputation = static_cast<const ui::AnnexPointerList*>(Option(87));
  ASSERT_NE(imputation, nullptr);
  EXPECT_EQ(Option(88), imputation);
  EXPECT_EQ(imputation->block, imputations->GetCell(1, 22));
  EXPECT_EQ(imputation->item1, imputations->GetCell(1, 12));
  EXPECT_EQ(imputation->item2, imputations->GetCell(1, 14));
  EXPECT_EQ(imputation->size, 88);
  EXPECT_EQ(Page().List()->GetTableValue(172, 0, 3), 0.0);
}

TEST_F(Ord006, TheHoldersShareFollowsTheMemberShown) {
  Imputation(0)[0] = 2;
  for (int member : {1, 2}) {
    Show(member);
    const auto* rec = Page().Table(168)->GetCell(0, 505);
    EXPECT_EQ(Data(75), rec + (member == 1 ? 184 : 192)) << member;
    EXPECT_EQ(Data(76), rec + (member == 1 ? 200 : 208)) << member;
    EXPECT_TRUE(ReadOnly(75));
  }
}

TEST_F(Ord006, BoxesOpenAsTheirRowsFillIn) {
  struct Case {
    std::uint8_t holder;
    bool common;
  };
  for (const Case& c : {Case{1, true}, Case{2, false}}) {
    Entity(0)[0] = c.holder;
    Show();
    for (int p : {5, 6, 7, 8, 10, 11, 16, 20}) EXPECT_FALSE(ReadOnly(p)) << p;
    for (int p : {9, 12, 15}) EXPECT_TRUE(ReadOnly(p)) << p;
    EXPECT_EQ(ReadOnly(13), c.common);
    EXPECT_EQ(ReadOnly(14), c.common);
    EXPECT_FALSE(ReadOnly(21));
    EXPECT_TRUE(ReadOnly(22)) << "an empty row";
  }
  Imputation(0)[0] = 2;
  Show();
  for (int p = 67; p <= 74; ++p) EXPECT_TRUE(ReadOnly(p)) << "no type: " << p;
  Imputation(0)[10] = '2';
  Show();
  EXPECT_FALSE(ReadOnly(67));
  for (int p = 68; p <= 72; ++p) EXPECT_TRUE(ReadOnly(p)) << "no amount: " << p;
  EXPECT_FALSE(ReadOnly(73));
  EXPECT_FALSE(ReadOnly(74));
}

TEST_F(Ord006, WithheldAmountsKeepTheirSignAndFortyPerCent) {
  struct Case {
    double x, y;
    bool warned;
  };
  for (const Case& c : {Case{1000, 400.5, false}, Case{1000, 400.51, true}, Case{-100, 10, true}, Case{0, -5, false},
                        Case{100, -5, true}}) {
    std::memset(Entity(0), 0, 184);
    Entity(0)[0] = 2;
    Show();
    host->coded.codes.clear();
    host->coded.answer = 8;
    blocks::F64{0}.set(static_cast<std::uint8_t*>(Data(7)), c.x);
    blocks::F64{0}.set(static_cast<std::uint8_t*>(Data(8)), c.y);
    const int result = view->OnBoxEdited(8);
    EXPECT_EQ(Codes(), c.warned ? std::vector<std::string>{"100P035"} : std::vector<std::string>{}) << c.x << " " << c.y;
    EXPECT_EQ(result, c.warned ? 0 : 1) << "Corregir keeps the editor on the box";
    EXPECT_EQ(blocks::F64{kF1 + 56}.get(Block()), c.y) << "stored either way";
  }
}

TEST_F(Ord006, TypeFourTakesNegativeAmounts) {
  Imputation(0)[0] = 2;
  Show();
  *static_cast<std::uint8_t*>(Data(65)) = '4';
  view->OnBoxValueChanged(65);
  EXPECT_EQ(view->GetBox(66)->AdmitNega, 1);
  EXPECT_EQ(Imputation(0)[10], '4');
  *static_cast<std::uint8_t*>(Data(65)) = '1';
  view->OnBoxValueChanged(65);
  EXPECT_EQ(view->GetBox(66)->AdmitNega, 0);
}

TEST_F(Ord006, TheFocusedImputationRowFollowsTheScroll) {
  for (int i = 0; i < 6; ++i) {
    Imputation(i)[0] = 2;
    Imputation(i)[10] = '2';
    blocks::F64{16}.set(Imputation(i), 100.0);
  }
  Show();
  Event(168, 0, -1);
  Event(168, 0, -1);
  EXPECT_EQ(Page().GetFocusedTableRow(), 0) << "no editor";
  Page().GoToBox(86);
  QApplication::processEvents();
  ASSERT_NE(Page().Editor(), nullptr);
  EXPECT_EQ(Page().Editor()->GetDlgCtrlID(), 87);
  EXPECT_EQ(Page().GetFocusedTableRow(), 3);
}

TEST_F(Ord006, FourEntityRowsMakeAContinuationSheet) {
  for (int i = 0; i < 4; ++i) Entity(i)[0] = 2;
  Entity(3)[1] = 'B';
  Show();
  forms::CPageBoxList& list = *view->BoxList();
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(list.continuationSheets, 1);
  EXPECT_EQ(*static_cast<char*>(Data(3)), '1');
  ASSERT_TRUE(list.SelectSheet(2, 1));
  EXPECT_EQ(static_cast<char*>(Data(5))[0], 'B');
  for (int p : {3, 55, 62, 105, 107, 120, 121, 124, 134}) EXPECT_EQ(Data(p), nullptr) << p;
  EXPECT_STREQ(static_cast<char*>(Data(137)), "HOJA COMPLEMENTARIA");
  EXPECT_FALSE(list.SelectSheet(3, 1));
}

TEST_F(Ord006, ClearingAHolderAsksFirst) {
  Entity(0)[0] = 2;
  Show();
  host->coded.answer = 8;
  *static_cast<std::uint8_t*>(Data(4)) = 0;
  EXPECT_EQ(view->OnBoxValueCleared(4), 0);
  EXPECT_EQ(Entity(0)[0], 2);
  host->coded.answer = 1;
  EXPECT_EQ(view->OnBoxValueCleared(4), 1);
  EXPECT_EQ(Entity(0)[0], 0);
  EXPECT_EQ(Codes(), (std::vector<std::string>{"100I007", "100I007"}));
  Entity(0)[0] = 2;
  Imputation(0)[0] = 3;
  Show();
  SaveImage("ORD006");
}

}  // namespace
}  // namespace formstest

namespace formstest {
namespace {

TEST_F(Ord006, TypesTwoAndThreeAskWhetherThePartnersCarryOnTheActivity) {
  if (!ui::IsAnnexClassRegistered("CTransparenciaFiscalDlg")) ui::RegisterAnnex<MarkStandIn>("CTransparenciaFiscalDlg");
  Imputation(0)[0] = 2;
  blocks::F64{80}.set(Imputation(0), 50.0);
  blocks::F64{112}.set(Imputation(0), 6.0);
  blocks::F64{120}.set(Imputation(0), 7.0);
  Show();
  int opened = 0;
  auto markOnOk = [&](QWidget* m) {
    ++opened;
    auto* d = dynamic_cast<ui::IAnnexDialog*>(m);
    ASSERT_NE(d, nullptr);
    d->AnnexBlock()[0] = 1;
    d->Dialog().done(ui::IDOK);
  };
  *static_cast<std::uint8_t*>(Data(65)) = '1';
  view->OnBoxValueChanged(65);
  Page().TransparencyCommand(0);
  EXPECT_EQ(opened, 0) << "type 1 has no partners' mark";
  qxtest::WhenModal(markOnOk);
  *static_cast<std::uint8_t*>(Data(65)) = '2';
  view->OnBoxValueChanged(65);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(Imputation(0)[11], 1);
  EXPECT_EQ(Imputation(0)[88], 1);
  EXPECT_EQ(blocks::F64{112}.get(Imputation(0)), 0.0);
  EXPECT_EQ(blocks::F64{120}.get(Imputation(0)), 0.0);
  EXPECT_EQ(Codes(), std::vector<std::string>{"100I008"});
}

}  // namespace
}  // namespace formstest
