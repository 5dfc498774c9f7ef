// Dialog and page bases built from tables: member-view rules, row matrices, kill-focus checks.
#include <gtest/gtest.h>

#include <QTest>

#include <cstring>

#include "platform/icons.h"
#include "support/ui_helpers.h"
#include "ui/double_edit.h"
#include "ui/gestor.h"
#include "ui/text_edits.h"

using ui::Ctl;

namespace {

// ---------------------------------------------------------------- single block

constexpr ui::ControlDef kSingle[] = {
    {.id = 10, .kind = Ctl::GroupBox, .text = "Datos", .row = 0, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .text = "Nombre", .row = 0, .col = 0, .group = 10},
    {.id = 1001, .kind = Ctl::Alfa, .row = 0, .col = 1, .group = 10, .width = 20},
    {.kind = Ctl::Static, .text = "Importe", .row = 1, .col = 0, .group = 10},
    {.id = 1002, .kind = Ctl::Money, .row = 1, .col = 1, .group = 10, .width = 11, .decimals = 2},
    {.id = 1, .kind = Ctl::Ok, .text = "&Aceptar", .row = 1, .col = 0},
    {.id = 2, .kind = Ctl::Cancel, .text = "&Cancelar", .row = 1, .col = 1},
    {.id = 372, .kind = Ctl::Help, .text = "Ay&uda", .row = 1, .col = 2},
};
constexpr ui::DialogTemplate kSingleDlg{.id = 9101, .caption = "Anexo", .controls = kSingle};

// A single-block annex dialog: its rule checks the amount when the user leaves it.
class AmountDlg : public CTemplateDlg {
 public:
  AmountDlg() : CTemplateDlg(kSingleDlg) {}
  char name[20];
  double amount = 0;
  int checks = 0;

 protected:
  void OnInitDialog() override {
    CTemplateDlg::OnInitDialog();
    Edit(1001)->BindData(name);
    Edit(1002)->BindData(&amount);
    UpdateChildControls(false);
  }
  void UpdateChildControls(bool save) { CTemplatePropPg::UpdateChildControls(this, save); }
  int OnEditKillFocus(int id) override {
    QWidget* f = QApplication::focusWidget();
    if (!f || ui::ControlId(f) == ui::IDCANCEL) return 0;  // Cancel runs no check
    if (id != 1002) return 1;
    ++checks;
    Edit(1002)->StoreToData();
    if (amount > 1000) {
      if (ui::ShowMessage(this, "WIN070", platform::kIconExclamation) == kAnsCorregir) Edit(1002)->setFocus();
    }
    return 1;
  }
};

TEST(TemplateDlg, BuildsTheTableWithIdsButtonsAndEditLook) {
  AmountDlg dlg;
  std::memset(dlg.name, ' ', 20);
  dlg.EnsureCreated();
  EXPECT_EQ(dlg.windowTitle(), "Anexo");
  EXPECT_TRUE(dlg.Item<CAlfaEdit>(1001));
  EXPECT_TRUE(dlg.Item<CMoneda>(1002));
  EXPECT_EQ(dlg.Item<CMoneda>(1002)->parentWidget(), dlg.GetDlgItem(10));  // inside its group box
  for (int id : {1, 2, 372}) {
    auto* b = dlg.Item<COwnerDrawButton>(id);
    ASSERT_TRUE(b) << id;
    EXPECT_TRUE(b->HasIcon() && b->IsFlat()) << id;
  }
  EXPECT_EQ(dlg.Edit(1002)->font().pixelSize(), 13);
  EXPECT_EQ(dlg.Edit(1002)->palette().color(QPalette::Disabled, QPalette::Base), QColor(255, 255, 192));
}

TEST(TemplateDlg, MemberViewMakesEditsReadOnlyAndOkEndsWithCancel) {
  struct Case {
    int shown;
    std::array<int, 5> household;
    bool readOnly;
    int okResult;
  } cases[] = {
      {ui::kDeclarant, {1, 1, 1, 0, 0}, true, ui::IDCANCEL},   // declarant, household with spouse
      {ui::kFamilyUnit, {1, 1, 1, 0, 0}, false, ui::IDOK},     // family-unit view
      {ui::kDeclarant, {0, 1, 0, 0, 0}, false, ui::IDOK},      // declarant alone
  };
  for (const Case& c : cases) {
    qxtest::MemberView view(c.shown, c.household);
    AmountDlg dlg;
    std::memset(dlg.name, ' ', 20);
    dlg.shownMember = c.shown;
    dlg.EnsureCreated();
    EXPECT_EQ(!dlg.Edit(1002)->isEnabled(), c.readOnly);
    EXPECT_EQ(dlg.Edit(1002)->isReadOnly(), c.readOnly);
    dlg.OnOK();
    EXPECT_EQ(dlg.result(), c.okResult);
  }
}

TEST(TemplateDlg, HolderLegends) {
  struct Case {
    int mode;
    std::array<int, 5> household;
    int legend;
  } cases[] = {{4, {1, 1, 1, 1, 1}, 46}, {3, {0, 1, 0, 0, 0}, 42}, {0, {1, 1, 1, 1, 0}, 35},
               {0, {1, 1, 0, 1, 1}, 40}, {2, {1, 1, 1, 0, 0}, 43}, {7, {1, 1, 1, 0, 0}, 0}};
  for (const Case& c : cases) {
    qxtest::MemberView view(ui::kFamilyUnit, c.household);
    EXPECT_EQ(ui::HolderLegendId(c.mode, true), c.legend) << c.mode;
  }
  qxtest::MemberView view(ui::kFamilyUnit, {1, 1, 1, 1, 1});
  EXPECT_EQ(ui::HolderLegend(4, true), QString::fromUtf8("(D)eclarante (C)ónyuge Hijo(1) Hijo(2)"));
}

TEST(TemplateDlg, DialogsShareOneBrushWhileAnyLives) {
  {
    AmountDlg a;
    a.EnsureCreated();
    EXPECT_TRUE(CTemplateDlg::SharedBrushExists());
    AmountDlg b;
    b.EnsureCreated();
    EXPECT_EQ(CTemplateDlg::LiveCount(), 2);
  }
  EXPECT_FALSE(CTemplateDlg::SharedBrushExists());
  AmountDlg c;
  c.EnsureCreated();
  EXPECT_TRUE(CTemplateDlg::SharedBrushExists());
}

TEST(TemplateDlg, KillFocusCheckShowsItsMessageOnceAndCancelSkipsIt) {
  ui::SetMessageSource(qxtest::AuthoredMessages());
  qxtest::ScriptedMessages script({kAnsCorregir});
  int nested = 0;
  script.onShow = [&](const ShownMessage&) {
    // While the message is up, another focus change must not show a second message.
    if (ui::ShowMessage(nullptr, "WIN070", platform::kIconHand) == kAnsNone) ++nested;
  };
  AmountDlg dlg;
  std::memset(dlg.name, ' ', 20);
  ASSERT_TRUE(qxtest::ShowActive(&dlg));
  auto* money = dlg.Edit(1002);
  money->setFocus();
  qxtest::Type(money, "5000");
  QTest::keyClick(money, Qt::Key_Tab);
  EXPECT_EQ(dlg.checks, 1);
  EXPECT_EQ(script.Codes(), std::vector<QString>{"WIN070"});
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(QApplication::focusWidget(), money);  // "Corregir" put the focus back
  // Moving to Cancel runs no check.
  dlg.GetDlgItem(ui::IDCANCEL)->setFocus();
  EXPECT_EQ(dlg.checks, 1);
  EXPECT_EQ(script.shown.size(), 1u);
  ui::SetMessageSource(nullptr);
}

// ---------------------------------------------------------------- row matrix

constexpr ui::ControlDef kRows[] = {
    {.id = 1294, .kind = Ctl::Legend, .row = 0, .col = 0, .colSpan = 2},
    {.id = 1100, .kind = Ctl::ANum, .row = 1, .col = 0, .width = 1},
    {.id = 1101, .kind = Ctl::ANum, .row = 2, .col = 0, .width = 1},
    {.id = 1102, .kind = Ctl::ANum, .row = 3, .col = 0, .width = 1},
    {.id = 1200, .kind = Ctl::Money, .row = 1, .col = 1, .width = 11, .decimals = 2},
    {.id = 1201, .kind = Ctl::Money, .row = 2, .col = 1, .width = 11, .decimals = 2},
    {.id = 1202, .kind = Ctl::Money, .row = 3, .col = 1, .width = 11, .decimals = 2},
    {.id = 1, .kind = Ctl::Ok, .text = "&Aceptar", .row = 4, .col = 0},
    {.id = 2, .kind = Ctl::Cancel, .text = "&Cancelar", .row = 4, .col = 1},
};
constexpr ui::DialogTemplate kRowsDlg{.id = 9102, .caption = "Donativos", .controls = kRows};

// Rows of a holder byte and an amount, as the row annexes hold them.
struct Row {
  unsigned char holder = 0;
  double amount = 0;
};

class DonationsDlg : public CGestorDlg {
 public:
  DonationsDlg() : CGestorDlg(kRowsDlg) { SetMatrix(3, 2, {1100, 1101, 1102, 1200, 1201, 1202}); }
  Row rows[3];
  std::vector<std::string> log;

  void OnInitDialog() override {
    CGestorDlg::OnInitDialog();
    ApplyHolderMode();
    for (int r = 0; r < 3; ++r) Edit(GetControlId(1, r))->BindData(&rows[r].amount);
    RefreshEnabledRows();
    if (!IsEditable()) CompactRows();
    CTemplatePropPg::UpdateChildControls(this, false);
  }
  int GetRowOwner(int row) const override { return rows[row].holder; }
  void ClearRowControls(int row) override { Edit(GetControlId(1, row))->clear(); }
  void ClearRowData(int row) override { rows[row] = Row{}; }
  void MoveRow(int to, int from) override {
    log.push_back("move " + std::to_string(from) + "->" + std::to_string(to));
    rows[to] = rows[from];
  }
  // A common row is the member's half; the member's own rows are shown as the declarant's.
  void HandleCommonRow(int row) override { rows[row].amount = rows[row].amount * 0.5; }
  void HandleOwnRow(int row) override { rows[row].holder = 2; }
};

TEST(GestorDlg, SpouseViewKeepsOwnRowsHalvesCommonOnesAndCompacts) {
  qxtest::MemberView view(ui::kSpouse, {1, 1, 1, 0, 0});
  DonationsDlg dlg;
  dlg.rows[0] = {2, 100};  // declarant's: blanked
  dlg.rows[1] = {1, 300};  // common: halved
  dlg.rows[2] = {3, 50};   // spouse's
  dlg.shownMember = ui::kSpouse;
  dlg.EnsureCreated();
  EXPECT_FALSE(dlg.IsEditable());
  EXPECT_EQ(dlg.rows[0].holder, 2);
  EXPECT_DOUBLE_EQ(dlg.rows[0].amount, 150.0);
  EXPECT_DOUBLE_EQ(dlg.rows[1].amount, 50.0);
  EXPECT_EQ(dlg.rows[2].holder, 0);
  EXPECT_FALSE(dlg.Edit(1200)->isEnabled());
  dlg.OnOK();
  EXPECT_EQ(dlg.result(), ui::IDCANCEL);
}

TEST(GestorDlg, ClearingAHolderCompactsTheRows) {
  qxtest::MemberView view(ui::kFamilyUnit, {1, 1, 1, 0, 0});
  DonationsDlg dlg;
  dlg.rows[0] = {2, 10};
  dlg.rows[2] = {3, 30};
  dlg.EnsureCreated();
  EXPECT_TRUE(dlg.IsEditable());
  EXPECT_FALSE(dlg.Edit(1201)->isEnabled());
  dlg.rows[0].holder = 0;  // the holder editor cleared row 0 and stored it
  dlg.log.clear();
  EXPECT_EQ(dlg.OnCommand(1100, ui::kNotifyValueStored), 1);
  EXPECT_EQ(dlg.log, std::vector<std::string>{"move 2->0"});
  EXPECT_EQ(dlg.rows[0].holder, 3);
  EXPECT_DOUBLE_EQ(dlg.rows[0].amount, 30.0);
  EXPECT_EQ(dlg.rows[2].holder, 0);
  EXPECT_EQ(dlg.Edit(1200)->text(), "30,00");  // display format outside editing
  EXPECT_TRUE(dlg.Edit(1200)->isEnabled());
  EXPECT_FALSE(dlg.Edit(1202)->isEnabled());
  EXPECT_EQ(dlg.OnCommand(4242, ui::kNotifyValueStored), 0);  // outside the matrix
}

TEST(GestorDlg, HolderColumnShowsTheLegendAndIdsMapToCells) {
  qxtest::MemberView view(ui::kFamilyUnit, {1, 1, 1, 0, 0});
  DonationsDlg dlg;
  dlg.holderMode = 0;
  dlg.EnsureCreated();
  dlg.OnCommand(1101, ui::kEnSetFocus);
  EXPECT_EQ(dlg.Item<QLabel>(1294)->text(), QString::fromUtf8("C(o)mún (D)eclarante (C)ónyuge"));
  EXPECT_EQ(dlg.GetRowOfControl(1202), 2);
  EXPECT_EQ(dlg.GetColumnOfControl(1202), 1);
  EXPECT_EQ(dlg.GetControlId(2, 0), 0);
  EXPECT_EQ(dlg.GetRowOfControl(77), -1);
}

TEST(GestorDlg, HasAlnumBefore) {
  EXPECT_FALSE(HasAlnumBefore(nullptr, 3));
  EXPECT_FALSE(HasAlnumBefore("", 3));
  EXPECT_FALSE(HasAlnumBefore("A  ", 3));  // position 0 is not examined
  EXPECT_TRUE(HasAlnumBefore("  1", 3));
}

// ---------------------------------------------------------------- property page

constexpr ui::ControlDef kPageRows[] = {
    {.id = 1300, .kind = Ctl::Alfa, .row = 0, .col = 0, .width = 10},
    {.id = 1301, .kind = Ctl::Alfa, .row = 1, .col = 0, .width = 10},
    {.id = 1302, .kind = Ctl::Alfa, .row = 2, .col = 0, .width = 10},
    {.id = 1303, .kind = Ctl::Alfa, .row = 3, .col = 0, .width = 10},
    {.id = 1304, .kind = Ctl::Alfa, .row = 4, .col = 0, .width = 10},
    {.id = 1400, .kind = Ctl::Date, .row = 0, .col = 1, .width = 8},
    {.id = 1401, .kind = Ctl::Date, .row = 1, .col = 1, .width = 8},
    {.id = 1402, .kind = Ctl::Date, .row = 2, .col = 1, .width = 8},
    {.id = 1403, .kind = Ctl::Date, .row = 3, .col = 1, .width = 8},
    {.id = 1404, .kind = Ctl::Date, .row = 4, .col = 1, .width = 8},
};
constexpr ui::DialogTemplate kChildrenPage{.id = 9103, .caption = "Hijos", .controls = kPageRows};

class ChildrenPage : public CRowMatrixPage {
 public:
  ChildrenPage(QWidget* sheet) : CRowMatrixPage(kChildrenPage, sheet) {
    SetMatrix(5, 2, {1300, 1301, 1302, 1303, 1304, 1400, 1401, 1402, 1403, 1404});
  }
  void OnInitDialog() override {
    CRowMatrixPage::OnInitDialog();
    for (int r = 0; r < 5; ++r) Edit(GetControlId(1, r))->setText("  /  /    ");
    RefreshEnabledRows();
  }
};

TEST(RowMatrixPage, RowsOpenOneAfterTheOtherAsTheyAreFilled) {
  qxtest::MemberView view(ui::kFamilyUnit, {1, 1, 0, 1, 0});
  QWidget sheet;
  auto* page = new ChildrenPage(&sheet);
  page->EnsureCreated();
  ASSERT_TRUE(qxtest::ShowActive(&sheet));
  EXPECT_TRUE(page->Edit(1300)->isEnabled());
  EXPECT_FALSE(page->Edit(1301)->isEnabled());
  EXPECT_EQ(page->LastEnabledRow(), 0);
  page->Edit(1300)->setFocus();
  qxtest::Type(page->Edit(1300), "ana");
  QTest::keyClick(page->Edit(1300), Qt::Key_Tab);  // to the row's date
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_TRUE(page->Edit(1301)->isEnabled());
  EXPECT_FALSE(page->Edit(1302)->isEnabled());
  EXPECT_EQ(page->LastEnabledRow(), 1);
}

}  // namespace
