#include "modules/agrarian_product_edit.h"
#include "ui/type_ahead_guard.h"

#include <QHideEvent>

#include <cstring>

#include "blocks/form100_e5.h"
#include "data/doc/active_declaration.h"
#include "modules/module_db.h"
#include "modules/module_value_strings.h"
#include "modules/product_yield_dlgs.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/template_dlg.h"

namespace {
namespace e5 = f100::sec_e5;
namespace sid = modules::string_id;
constexpr int kProducts = e5::kGroups;
// A product's detail follows its amount.
constexpr std::size_t kDetailAfterAmount = 8;

bool ValidProduct(int product) { return product >= 1 && product <= kProducts; }
}  // namespace

CAgrarianProductEdit::CAgrarianProductEdit(CBoxField* box, db::CAdoConnection* connection, QWidget* parent)
    : CDoubleEdit(box, parent), binding_(modules::BindingOf(box)), connection_(connection) {}

CAgrarianProductEdit::~CAgrarianProductEdit() {
  DropPopup();
  delete button_.data();
}

const std::uint8_t* CAgrarianProductEdit::ActivityRow() const {
  if (!binding_.record || !ValidProduct(binding_.product)) return nullptr;
  // The binding's record is the product's detail in the row as the page holds it.
  return binding_.record - kDetailAfterAmount - e5::kGroupTable[static_cast<std::size_t>(binding_.product - 1)].off;
}

void CAgrarianProductEdit::showEvent(QShowEvent* e) {
  CDoubleEdit::showEvent(e);
  if (ControlReadOnly()) return;
  if (!button_) {
    button_ = new ui::CCompanionButton(this, ui::CCompanionButton::Look::Dots, sid::kAnyKeyOpens);
    connect(button_, &QToolButton::clicked, this, [this] { OpenProductDialog(); });
  }
  if (!popup_ && parentWidget()) {
    popup_ = new CDescriptionPopupDlg;
    popup_->Create(parentWidget());
    PlacePopup();
    ShowProductDescription(binding_.product);
    setFocus();
  }
}

void CAgrarianProductEdit::hideEvent(QHideEvent* e) {
  DropPopup();
  CDoubleEdit::hideEvent(e);
}

void CAgrarianProductEdit::DropPopup() {
  if (!popup_) return;
  QWidget* parent = popup_->parentWidget();
  const QRect area = popup_->geometry().adjusted(-15, -15, 15, 15);
  delete popup_.data();
  if (parent) parent->update(area);
}

void CAgrarianProductEdit::PlacePopup() {
  if (!popup_ || !parentWidget()) return;
  const QRect edit = geometry();
  int x = edit.right() + 1;
  if (x + popup_->width() > parentWidget()->width()) x = edit.left() - popup_->width();
  popup_->move(x, edit.bottom() + 1);
  popup_->show();
  popup_->raise();
}

void CAgrarianProductEdit::ShowProductDescription(int product) {
  std::string text;
  if (!modules::ReadProductDescription(connection_, platform::Language(), product, text) || text.empty()) return;
  if (popup_) popup_->SetText(QString::fromStdString(text));
}

double CAgrarianProductEdit::GetNetYieldIndex() const {
  const std::uint8_t* row = ActivityRow();
  if (!row) return 0.0;
  return modules::NetYieldIndex(connection_, e5::Activity.get(row), binding_.product);
}

void CAgrarianProductEdit::PrepareDialog(CTemplateDlg& dlg) const {
  if (ValidProduct(binding_.product)) dlg.caption = platform::LoadString(sid::kProductCaption).replace(QStringLiteral("%d"), QString::number(binding_.product));
  dlg.shownMember = doc::ShownMember();
  dlg.hasOtherMembers = HasOtherMembers() ? 1 : 0;
}

template <class Dialog>
int CAgrarianProductEdit::Run(std::size_t bytes, bool withProduct) {
  Dialog dlg;
  std::memcpy(dlg.Data(), binding_.record, bytes);
  dlg.SetNetYieldIndex(GetNetYieldIndex());
  if (const std::uint8_t* row = ActivityRow()) dlg.SetActivity(e5::Activity.get(row));
  if (withProduct) dlg.SetProduct(binding_.product);
  PrepareDialog(dlg);
  const int result = dlg.DoModal();
  if (result == ui::IDOK) std::memcpy(binding_.record, dlg.Data(), bytes);
  return result;
}

int CAgrarianProductEdit::OpenProductDialog() {
  using namespace modules;
  if (doc::ShownMember() != doc::kFamilyUnit && HasOtherMembers())
    ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
  const int product = binding_.product;
  if (!binding_.record || !ValidProduct(product)) return 1;
  const std::uint8_t* row = ActivityRow();
  const bool key9 = row && e5::Type.get(row) == '9';
  const QPointer<CAgrarianProductEdit> self(this);
  int result;
  switch (product) {
    case 1: result = Run<CProducto1Dlg>(CProducto1Dlg::kRecordSize, false); break;
    case 3: case 6: case 8: case 10:
      result = key9 ? Run<CRestoProductosClave9Dlg>(CRestoProductosClave9Dlg::kRecordSize, true)
                    : Run<CRestoProductosTierrasDlg>(CRestoProductosTierrasDlg::kRecordSize, true);
      break;
    default: result = Run<CRestoProductosDlg>(CRestoProductosDlg::kRecordSize, true); break;
  }
  if (result != ui::IDOK || !self) return 1;
  MarkModified();
  LoadFromData(1);
  Notify(ui::kNotifySubDialogValue);
  return 2;
}

int CAgrarianProductEdit::FilterChar(char32_t ch, int, int, bool) {
  if (ch == kChEscape) return kRefuse;
  if (doc::ShownMember() != doc::kFamilyUnit && (doc::HouseholdHas(doc::kSpouse) || doc::HouseholdHas(doc::kChild1)))
    return kRefuse;
  const ui::TypeAheadGuard typedAhead;
  OpenProductDialog();
  return kHandled;
}

int CAgrarianProductEdit::FilterKeyDown(int key, int repeat, int flags) {
  if (key == Qt::Key_Up || key == Qt::Key_Down) return CDoubleEdit::FilterKeyDown(key, repeat, flags);
  return FilterChar(0, repeat, flags, true);
}

bool CAgrarianProductEdit::HandleKey(int key, Qt::KeyboardModifiers mods) { return ui::HandleNoTypingKey(this, key, mods); }

void CAgrarianProductEdit::mouseDoubleClickEvent(QMouseEvent*) { OpenProductDialog(); }
