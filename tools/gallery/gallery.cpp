// Gallery of the dialog framework: a single-block dialog, a row-matrix dialog and a property page,
// each declared as a table and a few rules. Run with "single", "rows" or "page" (default: all).
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QVBoxLayout>

#include <cstring>

#include "platform/strings.h"
#include "ui/gestor.h"
#include "ui/message_source.h"

using ui::Ctl;

namespace {

constexpr ui::ControlDef kSingle[] = {
    {.id = 10, .kind = Ctl::GroupBox, .text = "Donativo", .row = 0, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .text = "Entidad", .row = 0, .col = 0, .group = 10},
    {.id = 1001, .kind = Ctl::Alfa, .row = 0, .col = 1, .group = 10, .width = 30},
    {.kind = Ctl::Static, .text = "Fecha", .row = 1, .col = 0, .group = 10},
    {.id = 1002, .kind = Ctl::Date, .row = 1, .col = 1, .group = 10, .width = 8},
    {.kind = Ctl::Static, .text = "Importe", .row = 2, .col = 0, .group = 10},
    {.id = 1003, .kind = Ctl::Money, .row = 2, .col = 1, .group = 10, .width = 11, .decimals = 2},
    {.kind = Ctl::Static, .text = "¿Con certificado?", .row = 3, .col = 0, .group = 10},
    {.id = 1004, .kind = Ctl::YesNo, .row = 3, .col = 1, .group = 10},
    {.id = 1, .kind = Ctl::Ok, .textId = 61, .row = 1, .col = 0},
    {.id = 2, .kind = Ctl::Cancel, .textId = 65, .row = 1, .col = 1},
    {.id = 372, .kind = Ctl::Help, .text = "Ay&uda", .row = 1, .col = 2},
};
constexpr ui::DialogTemplate kSingleDlg{.id = 9201, .caption = "Anexo de un bloque", .controls = kSingle};

class SingleDlg : public CTemplateDlg {
 public:
  SingleDlg() : CTemplateDlg(kSingleDlg) {
    std::memset(name, ' ', sizeof name);
    std::memset(date, ' ', sizeof date);
  }
  char name[30];
  char date[8];
  double amount = 0;
  unsigned char certificate = 255;

 protected:
  void OnInitDialog() override {
    CTemplateDlg::OnInitDialog();
    Edit(1001)->BindData(name);
    Edit(1002)->BindData(date);
    Edit(1003)->BindData(&amount);
    Edit(1004)->BindData(&certificate);
    CTemplatePropPg::UpdateChildControls(this, false);
  }
  void OnOK() override {
    CTemplatePropPg::UpdateChildControls(this, true);
    CTemplateDlg::OnOK();
  }
};

constexpr int kRowCount = 4;
constexpr ui::ControlDef kRows[] = {
    {.id = 1294, .kind = Ctl::Legend, .row = 0, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .text = "Titular", .row = 1, .col = 0},
    {.kind = Ctl::Static, .text = "Importe", .row = 1, .col = 1},
    {.id = 1100, .kind = Ctl::ANum, .row = 2, .col = 0, .width = 1},
    {.id = 1101, .kind = Ctl::ANum, .row = 3, .col = 0, .width = 1},
    {.id = 1102, .kind = Ctl::ANum, .row = 4, .col = 0, .width = 1},
    {.id = 1103, .kind = Ctl::ANum, .row = 5, .col = 0, .width = 1},
    {.id = 1200, .kind = Ctl::Money, .row = 2, .col = 1, .width = 11, .decimals = 2},
    {.id = 1201, .kind = Ctl::Money, .row = 3, .col = 1, .width = 11, .decimals = 2},
    {.id = 1202, .kind = Ctl::Money, .row = 4, .col = 1, .width = 11, .decimals = 2},
    {.id = 1203, .kind = Ctl::Money, .row = 5, .col = 1, .width = 11, .decimals = 2},
    {.id = 1, .kind = Ctl::Ok, .textId = 61, .row = 6, .col = 0},
    {.id = 2, .kind = Ctl::Cancel, .textId = 65, .row = 6, .col = 1},
};
constexpr ui::DialogTemplate kRowsDlg{.id = 9202, .caption = "Anexo de filas", .controls = kRows};

// Holder digits 1..5 typed in column 0; a common row is the member's half in a member view.
class RowsDlg : public CGestorDlg {
 public:
  RowsDlg() : CGestorDlg(kRowsDlg) {
    SetMatrix(kRowCount, 2, {1100, 1101, 1102, 1103, 1200, 1201, 1202, 1203});
    rows[0] = {1, 1200};
    rows[1] = {2, 300};
  }
  struct Row {
    char holder = ' ';
    double amount = 0;
  } rows[kRowCount];

 protected:
  void OnInitDialog() override {
    CGestorDlg::OnInitDialog();
    for (auto& r : rows)
      if (r.holder >= 1 && r.holder <= 5) r.holder = static_cast<char>('0' + r.holder);
    ApplyHolderMode();
    for (int r = 0; r < kRowCount; ++r) {
      Edit(GetControlId(0, r))->BindData(&rows[r].holder);
      Edit(GetControlId(1, r))->BindData(&rows[r].amount);
    }
    RefreshEnabledRows();
    if (!IsEditable()) CompactRows();
    CTemplatePropPg::UpdateChildControls(this, false);
  }
  int GetRowOwner(int row) const override {
    const char h = rows[row].holder;
    return h >= '1' && h <= '5' ? h - '0' : 0;
  }
  void ClearRowControls(int row) override { Edit(GetControlId(1, row))->clear(); }
  void ClearRowData(int row) override { rows[row] = Row{}; }
  void MoveRow(int to, int from) override { rows[to] = rows[from]; }
  void HandleCommonRow(int row) override { rows[row].amount *= 0.5; }
  void HandleOwnRow(int row) override { rows[row].holder = '2'; }
  int OnEditKillFocus(int id) override {
    if (!CGestorDlg::OnEditKillFocus(id)) return 0;
    if (GetColumnOfControl(id) == 0) OnEditValueChanged(id);  // a holder typed: rows follow
    return 1;
  }
};

constexpr ui::ControlDef kPage[] = {
    {.kind = Ctl::Static, .text = "Nombre del hijo", .row = 0, .col = 0},
    {.kind = Ctl::Static, .text = "Fecha de nacimiento", .row = 0, .col = 1},
    {.id = 1300, .kind = Ctl::Alfa, .row = 1, .col = 0, .width = 20},
    {.id = 1301, .kind = Ctl::Alfa, .row = 2, .col = 0, .width = 20},
    {.id = 1302, .kind = Ctl::Alfa, .row = 3, .col = 0, .width = 20},
    {.id = 1400, .kind = Ctl::Date, .row = 1, .col = 1, .width = 8},
    {.id = 1401, .kind = Ctl::Date, .row = 2, .col = 1, .width = 8},
    {.id = 1402, .kind = Ctl::Date, .row = 3, .col = 1, .width = 8},
};
constexpr ui::DialogTemplate kPageTmpl{.id = 9203, .caption = "Hijos", .controls = kPage};

class ChildrenPage : public CRowMatrixPage {
 public:
  explicit ChildrenPage(QWidget* sheet) : CRowMatrixPage(kPageTmpl, sheet) {
    SetMatrix(3, 2, {1300, 1301, 1302, 1400, 1401, 1402});
  }

 protected:
  void OnInitDialog() override {
    CRowMatrixPage::OnInitDialog();
    for (int r = 0; r < 3; ++r) Edit(GetControlId(1, r))->setText(QStringLiteral("  /  /    "));
    RefreshEnabledRows();
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  auto messages = std::make_shared<ui::MemoryMessageSource>();
  for (char l : {'E', 'C', 'G', 'V'}) {
    QFile f(QStringLiteral(QX_GALLERY_RESOURCES "/db/DatLocal/ERRORES") + QChar(l) + QStringLiteral(".tsv"));
    if (f.open(QIODevice::ReadOnly)) messages->LoadTsv(QStringLiteral("ERRORES") + QChar(l), QString::fromUtf8(f.readAll()));
  }
  ui::SetMessageSource(messages);
  if (which.isEmpty() || which == "single") SingleDlg().DoModal();
  if (which.isEmpty() || which == "rows") RowsDlg().DoModal();
  if (which.isEmpty() || which == "page") {
    QDialog sheet;
    auto* lay = new QVBoxLayout(&sheet);
    lay->addWidget(new ChildrenPage(&sheet));
    sheet.exec();
  }
  return 0;
}
