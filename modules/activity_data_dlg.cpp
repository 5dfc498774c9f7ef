#include "modules/activity_data_dlg.h"


#include "data/doc/active_declaration.h"
#include "modules/amount_format.h"
#include "modules/module_strings.h"
#include "platform/cp1252.h"
#include "platform/icons.h"
#include "ui/edit_ex.h"
#include "ui/messages.h"

namespace {

namespace sid = modules::string_id;
using ui::Ctl;

// The values the edits show.
constexpr blocks::Text kEpigraph{0, 5};
constexpr blocks::F64 kAmount{8};
constexpr blocks::Text kAmountText{16, 10};
constexpr blocks::Text kQuotaText{26, 10};
static_assert(kQuotaText.off + kQuotaText.width <= 40);

// Epigraphs whose minimum quota the VAT dialog leaves empty.
constexpr std::string_view kNoQuotaEpigraphs[] = {"659.4", "647.1", "647.2", "647.3", "652.2", "652.3", "662.2"};

constexpr ui::ControlDef kIncomeTaxRows[] = {
    {0, Ctl::Static, nullptr, sid::kEpigraphLabel, 0, 0},
    {CDatosActividadDlgBase::kEpigraphEdit, Ctl::Edit, nullptr, 0, 0, 1, 1, 1, 0, 5},
    {0, Ctl::Static, nullptr, sid::kNumberHeader, 1, 0},
    {0, Ctl::Static, nullptr, sid::kDefinitionHeader, 1, 1},
    {0, Ctl::Static, nullptr, sid::kUnitHeader, 1, 2},
    {0, Ctl::Static, nullptr, sid::kYieldPerUnitHeader, 1, 3},
    {CDatosActividadDlgBase::kIncomeTaxList, Ctl::Custom, nullptr, 0, 2, 0, 1, 4},
    {0, Ctl::Static, nullptr, sid::kExcessAmountLabel, 3, 0, 1, 3},
};
constexpr ui::ControlDef kVatRows[] = {
    {0, Ctl::Static, nullptr, sid::kNumberHeader, 4, 0},
    {0, Ctl::Static, nullptr, sid::kDefinitionHeader, 4, 1},
    {0, Ctl::Static, nullptr, sid::kUnitHeader, 4, 2},
    {0, Ctl::Static, nullptr, sid::kQuotaPerUnitHeader, 4, 3},
    {CDatosActividadDlgBase::kVatList, Ctl::Custom, nullptr, 0, 5, 0, 1, 4},
    {0, Ctl::Static, nullptr, sid::kMinimumQuotaLabel, 6, 0, 1, 3},
    {CDatosActividadDlgBase::kQuotaEdit, Ctl::Edit, nullptr, 0, 6, 3, 1, 1, 0, 10},
};
constexpr ui::ControlDef kOkRow{ui::IDOK, Ctl::Ok, nullptr, sid::kAccept, 7, 3};

template <std::size_t N>
struct Rows {
  std::array<ui::ControlDef, N> rows;
};

constexpr auto Dlg67Rows() {
  Rows<std::size(kIncomeTaxRows) + 2> r{};
  std::size_t n = 0;
  for (const auto& d : kIncomeTaxRows) r.rows[n++] = d;
  r.rows[n++] = {CDatosActividadDlgBase::kAmountEdit, Ctl::Double, nullptr, 0, 3, 3, 1, 1, 0, 9, 2};
  r.rows[n++] = kOkRow;
  return r;
}
constexpr auto Dlg69Rows() {
  Rows<std::size(kVatRows) + 3> r{};
  std::size_t n = 0;
  r.rows[n++] = {0, Ctl::Static, nullptr, sid::kEpigraphLabel, 0, 0};
  r.rows[n++] = {CDatosActividadDlgBase::kEpigraphEdit, Ctl::Edit, nullptr, 0, 0, 1, 1, 1, 0, 5};
  for (const auto& d : kVatRows) r.rows[n++] = d;
  r.rows[n++] = kOkRow;
  return r;
}
constexpr auto Dlg1742Rows() {
  Rows<std::size(kIncomeTaxRows) + std::size(kVatRows) + 2> r{};
  std::size_t n = 0;
  for (const auto& d : kIncomeTaxRows) r.rows[n++] = d;
  r.rows[n++] = {CDatosActividadDlgBase::kAmountEdit, Ctl::Edit, nullptr, 0, 3, 3, 1, 1, 0, 10};
  for (const auto& d : kVatRows) r.rows[n++] = d;
  r.rows[n++] = kOkRow;
  return r;
}

constexpr auto kRows67 = Dlg67Rows();
constexpr auto kRows69 = Dlg69Rows();
constexpr auto kRows1742 = Dlg1742Rows();
// The VAT dialog has no template of its own in the program's resources; 1743 is free.
const ui::DialogTemplate kDlg67{67, nullptr, sid::kActivityDataCaption, kRows67.rows};
const ui::DialogTemplate kDlg69{1743, nullptr, sid::kActivityDataCaption, kRows69.rows};
const ui::DialogTemplate kDlg1742{1742, nullptr, sid::kActivityDataCaption, kRows1742.rows};

}  // namespace

// ---------------------------------------------------------------- module list

CModulosListBox::CModulosListBox(QWidget* parent) : QListWidget(parent) {
  QFont fixed(QStringLiteral("Courier New"));
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFixedPitch(true);
  setFont(fixed);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setUniformItemSizes(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  const QFontMetrics fm(font());
  setMinimumWidth(fm.horizontalAdvance(QString(modules::kLineAmountColumn + modules::kLineAmountWidth + 2, 'M')) +
                  verticalScrollBar()->sizeHint().width());
}

int CModulosListBox::AddLine(const std::string& cp1252Line) {
  bool overflowed = false;
  const std::string line = modules::ReformatLineAmount(cp1252Line, &overflowed);
  if (overflowed && doc::overflow_warning::TakeArmed()) {
    ui::ShowMessage(this, QStringLiteral("WIN022"), platform::kIconExclamation);
  }
  auto* item = new QListWidgetItem(QString::fromStdString(platform::Cp1252ToUtf8(line)));
  item->setData(Qt::UserRole, QByteArray::fromStdString(line));
  addItem(item);
  return row(item);
}

std::string CModulosListBox::Line(int index) const {
  const QListWidgetItem* it = item(index);
  return it ? it->data(Qt::UserRole).toByteArray().toStdString() : std::string();
}

int CModulosListBox::FillModules(const modules::CDatosMod* data, int kind) {
  if (!data || !data->HasModules(kind)) return 0;
  for (int i = 0; i < data->GetModuleCount(kind); ++i) AddLine(modules::RawModuleLine(i + 1, *data->GetModule(kind, i)));
  return 1;
}

// ---------------------------------------------------------------- dialogs

CDatosActividadDlgBase::CDatosActividadDlgBase(const ui::DialogTemplate& tmpl, const modules::CDatosMod& owner,
                                               QWidget* parent)
    : CTemplateDlg(tmpl, parent), owner_(owner) {}

QWidget* CDatosActividadDlgBase::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  if (def.id == kIncomeTaxList || def.id == kVatList) return new CModulosListBox(parent);
  return nullptr;
}

void CDatosActividadDlgBase::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  for (int id : {int(kEpigraphEdit), int(kAmountEdit), int(kQuotaEdit)})
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);

  unsigned char* v = values_.data();
  const std::string_view epigraph = owner_.GetEpigrafe().value_or(std::string_view{}).substr(0, 5);
  kEpigraph.set(v, epigraph);
  if (CEditEx* e = Edit(kEpigraphEdit)) e->Bind(v, kEpigraph);
  if (const auto amount = owner_.GetMaxImport()) {
    if (AmountAsNumber()) kAmount.set(v, *amount);
    else kAmountText.set(v, modules::WholeAmountText(*amount));
  }
  if (CEditEx* e = Edit(kAmountEdit)) {
    if (AmountAsNumber()) e->Bind(v, kAmount);
    else e->Bind(v, kAmountText);
  }
  if (const auto quota = owner_.GetCuota(); quota && ShowsQuota(epigraph))
    kQuotaText.set(v, modules::WholeAmountText(*quota));
  if (CEditEx* e = Edit(kQuotaEdit)) e->Bind(v, kQuotaText);

  if (auto* list = Item<CModulosListBox>(kIncomeTaxList)) list->FillModules(&owner_, modules::kIncomeTaxModules);
  if (auto* list = Item<CModulosListBox>(kVatList)) list->FillModules(&owner_, modules::kVatModules);
  CTemplatePropPg::UpdateChildControls(this, false);
}

CDatosActividadDlg67::CDatosActividadDlg67(const modules::CDatosMod& owner, QWidget* parent)
    : CDatosActividadDlgBase(kDlg67, owner, parent) {}

CDatosActividadDlg69::CDatosActividadDlg69(const modules::CDatosMod& owner, QWidget* parent)
    : CDatosActividadDlgBase(kDlg69, owner, parent) {}

bool CDatosActividadDlg69::ShowsQuota(std::string_view epigraph) const {
  for (std::string_view e : kNoQuotaEpigraphs)
    if (epigraph == e) return false;
  return true;
}

CDatosActividadDlg1742::CDatosActividadDlg1742(const modules::CDatosMod& owner, QWidget* parent)
    : CDatosActividadDlgBase(kDlg1742, owner, parent) {}
