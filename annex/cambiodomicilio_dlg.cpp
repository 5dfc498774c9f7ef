#include "annex/cambiodomicilio_dlg.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "blocks/form100.h"
#include "data/db/ado.h"
#include "data/doc/active_declaration.h"
#include "platform/cp1252.h"
#include "platform/icons.h"
#include "ui/edit_ex.h"
#include "ui/lista_edit.h"
#include "ui/messages.h"
#include "ui/sel_str_edit.h"

namespace {
using ui::Ctl;
namespace f = annex::address;
using D = CCambiodomicilioDlg;

constexpr unsigned kEdit = ui::kOptMemberEditable;
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 97611, .row = 0, .col = 0},
    {.id = D::kStreetType, .kind = Ctl::Lista, .row = 0, .col = 1, .width = 2, .field = f::StreetType,
     .options = kEdit, .table = "SIGLAS_E.TAB"},
    {.kind = Ctl::Static, .textId = 97612, .row = 0, .col = 2},
    {.id = D::kStreet, .kind = Ctl::Edit, .row = 0, .col = 3, .colSpan = 3, .width = 20, .field = f::Street,
     .options = kEdit},
    {.kind = Ctl::Static, .textId = 97613, .row = 1, .col = 0},
    {.id = D::kNumber, .kind = Ctl::Edit, .row = 1, .col = 1, .width = 5, .field = f::Number, .options = kEdit},
    {.kind = Ctl::Static, .textId = 97614, .row = 1, .col = 2},
    {.id = D::kStairs, .kind = Ctl::Edit, .row = 1, .col = 3, .width = 2, .field = f::Stairs, .options = kEdit},
    {.kind = Ctl::Static, .textId = 97615, .row = 2, .col = 0},
    {.id = D::kFloor, .kind = Ctl::Edit, .row = 2, .col = 1, .width = 2, .field = f::Floor, .options = kEdit},
    {.kind = Ctl::Static, .textId = 97616, .row = 2, .col = 2},
    {.id = D::kDoor, .kind = Ctl::Edit, .row = 2, .col = 3, .width = 2, .field = f::Door, .options = kEdit},
    {.kind = Ctl::Static, .textId = 97619, .row = 3, .col = 0},
    {.id = D::kPostalCode, .kind = Ctl::ANum, .row = 3, .col = 1, .width = 5, .field = f::PostalCode,
     .options = kEdit},
    {.kind = Ctl::Static, .textId = 97617, .row = 3, .col = 2},
    {.id = D::kMunicipality, .kind = Ctl::Custom, .row = 3, .col = 3, .colSpan = 3, .width = 25},
    {.kind = Ctl::Static, .textId = 97618, .row = 4, .col = 0},
    {.id = D::kProvince, .kind = Ctl::Lista, .row = 4, .col = 1, .width = 14, .field = f::Province, .options = kEdit,
     .table = "PROVINCE.TAB"},
    {.kind = Ctl::Static, .textId = 97620, .row = 4, .col = 2},
    {.id = D::kTelephone, .kind = Ctl::ANum, .row = 4, .col = 3, .width = 9, .field = f::Telephone,
     .options = kEdit},
    {.id = D::kCountryCaption, .kind = Ctl::Static, .textId = 97621, .row = 5, .col = 0, .colSpan = 3},
    {.id = D::kCountry, .kind = Ctl::Lista, .row = 5, .col = 3, .width = 3, .field = f::Country, .options = kEdit,
     .table = "PAISES_E.TAB"},
    {.id = D::kTransferQuestion, .kind = Ctl::Static, .textId = 97622, .row = 6, .col = 0, .colSpan = 3},
    {.id = D::kTransfer, .kind = Ctl::YesNo, .row = 6, .col = 3, .field = f::Transfer, .options = kEdit},
    {.kind = Ctl::Static, .textId = 97623, .row = 7, .col = 0, .colSpan = 6},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 8, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 8, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97610, .controls = kControls};

bool IsSet(const std::uint8_t* rec, const blocks::Text& t) { return !t.isAbsent(rec); }

// Letters and digits of the ASCII set, blanks, "-", "(", ")", "Ç" and "Ñ".
bool MunicipalityChar(QChar c) {
  const char16_t u = c.unicode();
  return (u < 0x80 && (std::isalnum(static_cast<int>(u)) || u == ' ' || u == '-' || u == '(' || u == ')')) || u == u'Ç' ||
         u == u'Ñ';
}

// The editable box of the municipalities: its list is read when it takes the focus or drops down.
class MunicipalityCombo : public QComboBox {
 public:
  MunicipalityCombo(D* dialog, QWidget* parent) : QComboBox(parent), dialog_(dialog) {}
  void showPopup() override {
    dialog_->FillMunicipalities();
    QComboBox::showPopup();
  }

 private:
  D* dialog_;
};
}  // namespace

D::CCambiodomicilioDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kRecordBytes, args) {}

QWidget* D::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  if (def.id != kMunicipality) return nullptr;
  auto* box = new MunicipalityCombo(this, parent);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->lineEdit()->setMaxLength(static_cast<int>(f::Municipality.width));
  box->setMinimumContentsLength(static_cast<int>(f::Municipality.width));
  box->installEventFilter(this);
  box->lineEdit()->installEventFilter(this);
  connect(box->lineEdit(), &QLineEdit::textEdited, this, [this] { TypedInMunicipality(); });
  return box;
}

QComboBox* D::MunicipalityBox() const { return Item<QComboBox>(kMunicipality); }

bool D::eventFilter(QObject* watched, QEvent* event) {
  QComboBox* box = MunicipalityBox();
  if (box && (watched == box || watched == box->lineEdit())) {
    if (event->type() == QEvent::FocusIn && !box->view()->isVisible()) FillMunicipalities();
    // Enter in the municipality goes on to the telephone instead of closing the dialog.
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (QWidget* phone = GetDlgItem(kTelephone)) phone->setFocus();
        return true;
      }
    }
  }
  return CAnnexDlg::eventFilter(watched, event);
}

int D::OnCommand(int id, int code) {
  // A button's command while the municipality is being typed: the focus moves on, nothing closes.
  QComboBox* box = MunicipalityBox();
  QWidget* focus = QApplication::focusWidget();
  if (code == ui::kBnClicked && id == ui::IDOK && box && focus && (focus == box || box->isAncestorOf(focus))) {
    if (QWidget* phone = GetDlgItem(kTelephone)) phone->setFocus();
    return 1;
  }
  return CAnnexDlg::OnCommand(id, code);
}

void D::QueryMunicipalities(QComboBox* box) {
  const std::string_view code = f::PostalCode.raw(Data());
  // A field never written holds zero bytes: nothing to look for. The digit 0 begins the codes of
  // provinces 01 to 09 and is looked up like any other.
  if (code != "     " && code[0] == '\0') return;
  auto set = [&](std::size_t i) { return code[i] != 0 && code[i] != ' '; };
  db::Filter filter;
  if (!set(2)) filter = db::Filter::StartsWith("CP", code.substr(0, 2));
  else if (!set(3)) filter = db::Filter::StartsWith("CP", code.substr(0, 3));
  else if (!set(4)) filter = db::Filter::StartsWith("CP", code.substr(0, 4));
  else filter = db::Filter::Eq("CP", std::string(code));
  db::CAdoConnection* conn = connection ? connection : ui::LookupConnection();
  if (!conn) return;
  db::CAdoRecordset rs;
  if (!rs.Open("CPMUNICI", conn, filter, "NOMBRE ASC")) return;
  QString previous;
  for (; !rs.IsEOF(); rs.MoveNext()) {
    std::string name;
    rs.GetText("NOMBRE", name);
    const QString n = QString::fromStdString(name);
    if (n != previous) box->addItem(n);
    previous = n;
  }
  rs.Close();
}

void D::FillMunicipalities() {
  QComboBox* box = MunicipalityBox();
  if (!box) return;
  UpdateAll(true);
  const QString text = box->currentText();
  const QSignalBlocker block(box);
  box->clear();
  QueryMunicipalities(box);
  box->addItem(QStringLiteral(" "));
  extraEntry_ = box->count() - 1;
  box->setEditText(text);
  UpdateAll(false);
}

void D::TypedInMunicipality() {
  QComboBox* box = MunicipalityBox();
  QLineEdit* edit = box->lineEdit();
  const QString typed = edit->text();
  QString kept;
  for (QChar c : typed)
    if (MunicipalityChar(c)) kept += c;
  int caret = edit->cursorPosition();
  const QSignalBlocker block(box);
  if (kept != typed) {
    caret = std::max(0, caret - 1);
    edit->setText(kept);
  }
  // The text typed stays the box's value even when no municipality of the list has it.
  if (extraEntry_ >= 0 && extraEntry_ < box->count() && box->itemText(extraEntry_) != QLatin1String(" "))
    box->removeItem(extraEntry_);
  extraEntry_ = -1;
  const int found = box->findText(kept, Qt::MatchFixedString);
  if (found < 0 && !kept.isEmpty()) {
    box->addItem(kept);
    extraEntry_ = box->count() - 1;
  }
  box->setEditText(kept);
  edit->setCursorPosition(std::min(caret, static_cast<int>(kept.size())));
}

bool D::Abroad() const {
  if (form714) return abroad714;
  return IsSet(block_.data(), f::Country);
}

void D::LockResidentFields(bool lock) {
  if (lock) {
    f::StreetType.set(Data(), "");
    f::Province.set(Data(), "");
    f::PostalCode.set(Data(), "");
  }
  for (int id : {kStreetType, kProvince, kPostalCode})
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(!lock);
}

bool D::TransferAsked() const {
  if (form714) return false;
  const std::uint8_t* block = doc::Form100Block();
  const bool joint = doc::Form100Joint();
  const unsigned mode = block ? f100::GetDeclarationMode(block) : 0;
  const int shown = doc::ShownMember();
  const unsigned kind = f::Kind.get(block_.data());
  if (!joint && kind == 3) return false;
  if (shown == doc::kDeclarant && !joint && mode == 1) return true;
  if (shown != doc::kDeclarant && shown != doc::kFamilyUnit) return false;
  const bool spouseApart = block && block[f::kSpouseSeparate] == 1;
  return doc::HouseholdHas(doc::kFamilyUnit) && (!spouseApart || doc::HouseholdHas(doc::kChild1)) &&
         (kind == 1 || kind == 2);
}

void D::OnInitAnnex() {
  if (QComboBox* box = MunicipalityBox()) {
    box->setEditText(QString::fromStdString(platform::Cp1252ToUtf8(f::Municipality.trimmed(Data()))));
  }
  provinceLink_ = {.target = Data() + f::PostalCode.off, .targetWidth = f::PostalCode.width};
  if (CEditEx* province = Edit(kProvince)) province->SetOption(&provinceLink_);
  LockResidentFields(Abroad());
  if (form714)
    for (int id : {kCountry, kCountryCaption})
      if (QWidget* w = GetDlgItem(id)) {
        w->setEnabled(false);
        w->hide();
      }
  const bool asked = TransferAsked();
  for (int id : {kTransfer, kTransferQuestion})
    if (QWidget* w = GetDlgItem(id)) {
      w->setEnabled(asked);
      w->setVisible(asked);
    }
}

int D::OnEditValueCleared(int id) {
  if (id == kCountry) {
    LockResidentFields(false);
    UpdateAll(false);
  }
  return 1;
}

int D::OnEditValueChanged(int id) {
  switch (id) {
    case kCountry:
      UpdateAll(true);
      LockResidentFields(IsSet(Data(), f::Country));
      UpdateAll(false);
      break;
    case kProvince: {
      // The lookup has put the province's code at the start of the postal code.
      const QString shown = Edit(kPostalCode) ? Edit(kPostalCode)->text() : QString();
      if (!shown.isEmpty()) {
        f::PostalCode.set(Data(), shown.left(5).toStdString());
      } else {
        std::memset(Data() + f::PostalCode.off + 2, ' ', 3);
        UpdateAll(false);
      }
      break;
    }
    case kPostalCode: UpdateAll(false); break;
    default: break;
  }
  return 1;
}

int D::CheckAddress() {
  UpdateAll(true);
  std::uint8_t* r = Data();
  if (Abroad()) return IsSet(r, f::Street) && IsSet(r, f::Number) && IsSet(r, f::Municipality) ? kAddressOk
                                                                                                  : kIncompleteAbroad;
  f::Country.set(r, "");
  for (const blocks::Text& t : {f::StreetType, f::Street, f::Municipality, f::Province, f::PostalCode, f::Number})
    if (!IsSet(r, t)) return kIncomplete;
  const std::string_view code = f::PostalCode.raw(r);
  if (!std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) return kBadPostalCode;
  int value = 0;
  for (char c : code) value = value * 10 + (c - '0');
  return value >= 1001 && value <= 52999 ? kAddressOk : kBadPostalCode;
}

void D::OnOK() {
  UpdateAll(true);
  std::uint8_t* r = Data();
  QString municipality = MunicipalityBox() ? MunicipalityBox()->currentText() : QString();
  while (!municipality.isEmpty() && municipality.front().isSpace()) municipality.remove(0, 1);
  f::Municipality.set(r, platform::Utf8ToCp1252(municipality.toStdString()), '\0');
  if (!form714) {
    const std::uint8_t stored = f::Transfer.get(r);
    const std::uint8_t* block = doc::Form100Block();
    const bool spouseApart = block && block[f::kSpouseSeparate] == 1;
    if (!doc::HouseholdHas(doc::kFamilyUnit) || (spouseApart && !doc::HouseholdHas(doc::kChild1)))
      f::Transfer.set(r, 0);
    const bool joint = doc::Form100Joint();
    if (!joint) f::Transfer.set(r, f::Kind.get(r) == 3 ? 0 : stored);
  }
  const int result = CheckAddress();
  std::string_view phone = f::Telephone.raw(r);
  const std::size_t first = phone.find_first_not_of(std::string_view(" \0", 2));
  phone = first == std::string_view::npos ? std::string_view{} : phone.substr(first);
  phone = phone.substr(0, phone.find_last_not_of(std::string_view(" \0", 2)) + 1);
  if (!phone.empty() && phone.find_first_not_of('0') == std::string_view::npos) {
    ui::ShowMessage(this, QStringLiteral("WIN046"), platform::kIconHand);
    if (QWidget* w = GetDlgItem(kTelephone)) w->setFocus();
    return;
  }
  auto refuse = [this](const char* code, int focus) {
    ui::ShowMessage(this, QString::fromLatin1(code), platform::kIconHand);
    if (QWidget* w = GetDlgItem(focus)) w->setFocus();
  };
  switch (result) {
    case kIncomplete: return refuse("WIN019", kStreetType);
    // The postal code's own message: the code the dialog was given names another fault.
    case kBadPostalCode: return refuse("WIN1103", kStreetType);
    case kIncompleteAbroad: return refuse("WIN021", kStreet);
    default: break;
  }
  const bool joint = doc::Form100Joint();
  if (form714 || joint || f::Kind.get(r) != 3) ui::ShowMessage(this, QStringLiteral("100I002"), platform::kIconAsterisk);
  CTemplateDlg::OnOK();
}

// ---------------------------------------------------------------- the opener

namespace {

std::uint8_t* SlotOf(std::uint8_t* block, const f::StoredField& s, int member) {
  return block + s.offset + s.field.width * static_cast<std::size_t>(member - 1);
}

void ReadSlot(std::uint8_t* block, int group, int member, std::uint8_t* rec) {
  for (const f::StoredField& s : f::kForm100Groups[group])
    std::memcpy(rec + s.field.off, SlotOf(block, s, member), s.field.width);
}

void WriteSlot(std::uint8_t* block, int group, int member, const std::uint8_t* rec) {
  for (const f::StoredField& s : f::kForm100Groups[group])
    std::memcpy(SlotOf(block, s, member), rec + s.field.off, s.field.width);
}

void ClearSlot(std::uint8_t* block, int group, int member) {
  for (const f::StoredField& s : f::kForm100Groups[group]) std::memset(SlotOf(block, s, member), 0, s.field.width);
}

// Where a form-100 address goes after OK: the member's own slot and the copies that the household
// shares (first group: the address of each return; second group: the other spouse's address).
void WriteForm100(std::uint8_t* block, int group, int shown, const std::uint8_t* rec, bool joint) {
  const bool shared = f::Transfer.get(rec) == 1;
  const unsigned mode = f100::GetDeclarationMode(block);
  const bool spouseApart = block[f::kSpouseSeparate] != 0;
  const bool spouse = doc::HouseholdHas(doc::kSpouse);
  const bool unitOrDeclarant = shown == doc::kFamilyUnit || shown == doc::kDeclarant;
  const bool child = shown == doc::kChild1 || shown == doc::kChild2;
  if (group == f::kFirstGroup) {
    if (shared) {
      for (int m = doc::kFamilyUnit; m <= doc::kChild2; ++m) {
        if (!doc::HouseholdHas(m) && m != shown) continue;
        if (m == doc::kSpouse && spouseApart) continue;
        WriteSlot(block, f::kFirstGroup, m, rec);
      }
      if (spouse) {
        if (!spouseApart) {
          for (int m : {doc::kFamilyUnit, doc::kDeclarant, doc::kSpouse})
            if (doc::HouseholdHas(m)) WriteSlot(block, f::kSecondGroup, m, rec);
        } else {
          WriteSlot(block, f::kSecondGroup, doc::kSpouse, rec);
        }
      }
      if (!joint && mode == 1 && shown == doc::kDeclarant) WriteSlot(block, f::kSecondGroup, doc::kDeclarant, rec);
    } else if (unitOrDeclarant) {
      WriteSlot(block, f::kFirstGroup, doc::kFamilyUnit, rec);
      WriteSlot(block, f::kFirstGroup, doc::kDeclarant, rec);
      if (spouse && !spouseApart) WriteSlot(block, f::kSecondGroup, doc::kSpouse, rec);
      if (block[f::kSharedFlags] != f::Transfer.get(rec)) {
        ClearSlot(block, f::kSecondGroup, doc::kFamilyUnit);
        ClearSlot(block, f::kSecondGroup, doc::kDeclarant);
        for (int m : {doc::kSpouse, doc::kChild1, doc::kChild2}) ClearSlot(block, f::kFirstGroup, m);
      }
    } else if (shown == doc::kSpouse) {
      WriteSlot(block, f::kSecondGroup, doc::kFamilyUnit, rec);
      WriteSlot(block, f::kSecondGroup, doc::kDeclarant, rec);
      WriteSlot(block, f::kFirstGroup, doc::kSpouse, rec);
    } else if (child) {
      WriteSlot(block, f::kFirstGroup, shown, rec);
    }
    block[f::kSharedFlags] = f::Transfer.get(rec);
    block[f::kSharedFlags + 1] = f::Transfer.get(rec);
    return;
  }
  if (unitOrDeclarant) {
    WriteSlot(block, f::kFirstGroup, doc::kSpouse, rec);
    WriteSlot(block, f::kSecondGroup, doc::kFamilyUnit, rec);
    WriteSlot(block, f::kSecondGroup, doc::kDeclarant, rec);
  } else if (shown == doc::kSpouse) {
    WriteSlot(block, f::kFirstGroup, doc::kFamilyUnit, rec);
    WriteSlot(block, f::kFirstGroup, doc::kDeclarant, rec);
    WriteSlot(block, f::kSecondGroup, doc::kSpouse, rec);
  } else if (child) {
    WriteSlot(block, f::kFirstGroup, shown, rec);
  }
  if (!joint && mode == 1 && shown == doc::kDeclarant && shared) WriteSlot(block, f::kFirstGroup, doc::kDeclarant, rec);
}

}  // namespace

int D::OpenFor(CSelStrEdit& edit) {
  CBoxField* box = edit.Box();
  auto* block = box ? static_cast<std::uint8_t*>(box->HandedAs(ui::Handed::DeclarationStart)) : nullptr;
  if (!block) return 2;
  CCambiodomicilioDlg dlg({&edit, 0, 0});
  // The window keeps its own title: the address boxes are titled after their first field ("Sigla").
  dlg.index = edit.VariantIndex();
  std::uint8_t* rec = dlg.Data();
  // The address boxes hand the start of their declaration's block: a form-100 block is the one
  // the open form-100 document publishes.
  dlg.form714 = block != doc::Form100Block();
  if (dlg.form714) {
    f::Kind.set(rec, 2);
    for (const f::StoredField& s : f::kForm714Address) std::memcpy(rec + s.field.off, block + s.offset, s.field.width);
    dlg.abroad714 = block[f::kForm714Abroad[0]] != 0 || block[f::kForm714Abroad[1]] != 0;
    if (dlg.DoModal() != ui::IDOK) return 2;
    for (const f::StoredField& s : f::kForm714Address) std::memcpy(block + s.offset, rec + s.field.off, s.field.width);
    for (std::size_t at : f::kForm714Terminators) block[at] = 0;
    return 1;
  }
  std::string id = box->Identifica;
  id.erase(id.find_last_not_of(' ') + 1);
  const int group = id == "CALLED" ? f::kFirstGroup : f::kSecondGroup;
  const int shown = std::clamp(doc::ShownMember(), static_cast<int>(doc::kFamilyUnit), static_cast<int>(doc::kChild2));
  const bool joint = doc::Form100Joint();
  const unsigned mode = f100::GetDeclarationMode(block);
  const bool spouseApart = block[f::kSpouseSeparate] == 1;
  f::Kind.set(rec, group == f::kFirstGroup ? 2 : 3);
  ReadSlot(block, group, shown, rec);
  std::uint8_t shared = 0;
  if (group == f::kFirstGroup) {
    if (shown >= doc::kSpouse) shared = block[f::kSharedFlags];
    else if (!joint && mode == 1 && spouseApart) shared = 1;
    else if (block[1] == 0 && (mode != 1 || spouseApart)) shared = 0;
    else if (f::Number.isAbsent(rec)) shared = 1;
    else shared = block[f::kSharedFlags + static_cast<std::size_t>(shown - 1)];
    dlg.transferAllowed = shown == doc::kFamilyUnit || (shown == doc::kDeclarant && doc::HouseholdHas(doc::kFamilyUnit));
  } else {
    shared = !joint && mode == 1 ? 1 : 0;
    dlg.transferAllowed = 0;
  }
  f::Transfer.set(rec, shared);
  if (dlg.DoModal() != ui::IDOK) return 2;
  WriteForm100(block, group, shown, rec, joint);
  return 1;
}
