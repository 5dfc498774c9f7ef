#include "annex/epigrafe_dlg.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/lista_edit.h"
#include "ui/messages.h"
#include "ui/sel_str_edit.h"
#include "ui/box_field.h"

namespace {
using ui::Ctl;
namespace f = annex::epigrafe;
using D = CEpigrafeDlg;
constexpr int kSearchBox = 30031;
constexpr int kDefaultTitle = 95423;

constexpr ui::ControlDef kControls[] = {
    {.id = D::kTitle, .kind = Ctl::Legend, .textId = kDefaultTitle, .row = 0, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 95424, .row = 1, .col = 0},
    {.id = D::kCode, .kind = Ctl::Edit, .row = 1, .col = 1, .width = 5, .field = f::Code,
     .options = ui::kOptMemberEditable},
    {.id = D::kList, .kind = Ctl::Custom, .row = 2, .col = 0, .colSpan = 3, .width = 47, .field = f::Description,
     .options = ui::kOptMemberEditable},
    {.id = kSearchBox, .kind = Ctl::GroupBox, .textId = 95421, .row = 3, .col = 0, .colSpan = 3},
    {.id = D::kSearch, .kind = Ctl::Edit, .row = 0, .col = 0, .group = kSearchBox, .width = 5},
    {.id = D::kSearchButton, .kind = Ctl::Button, .textId = 95422, .row = 0, .col = 1, .group = kSearchBox},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 4, .col = 2},
};
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95420, .controls = kControls};

struct Family {
  char kind;
  int title;
  const char* filter;
};
constexpr Family kFamilies[] = {{'1', 312, "1"}, {'2', 312, "1"}, {'3', 312, "1"}, {'4', 311, "3"}, {'5', 313, "2"}};
const Family* FamilyOf(char kind) {
  for (const Family& fam : kFamilies)
    if (fam.kind == kind) return &fam;
  return nullptr;
}

std::string Trimmed(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}
}  // namespace

CEpigrafeDlg::CEpigrafeDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CEpigrafeDlg::SetCode(std::string_view code, char kind) {
  f::Code.set(Data(), code.substr(0, 5), '\0');
  f::Kind.set(Data(), static_cast<std::uint8_t>(kind));
}

std::string CEpigrafeDlg::Code() const { return Trimmed(std::string(f::Code.str(block_.data()))); }

QWidget* CEpigrafeDlg::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  if (def.id != kList) return nullptr;
  list_ = new CListaEpigrafe(def.width, connection_, parent);
  return list_;
}

void CEpigrafeDlg::OnInitAnnex() {
  if (auto* search = Item<QLineEdit>(kSearch)) search->setMaxLength(5);
  if (QWidget* b = GetDlgItem(kSearchButton)) b->setEnabled(false);
  const Family* fam = FamilyOf(static_cast<char>(f::Kind.get(Data())));
  // Without a kind of activity there is no family to list: the dialog shows its texts only.
  if (!fam) {
    for (int id : {kCode, kList}) GetDlgItem(id)->setEnabled(false);
    return;
  }
  filter_ = fam->filter;
  if (auto* title = Item<QLabel>(kTitle)) title->setText(platform::LoadString(fam->title));
  link_ = {Data() + f::Code.off, f::Code.width, filter_.c_str(), filter_.size()};
  if (list_) {
    list_->SetOption(&link_);
    list_->SetLookupTable("EPIGRAFE.TAB");
    list_->SetupControl();
  }
  const std::string code = Code();
  f::Description.set(Data(), std::string(47, ' '));
  if (!code.empty()) f::Description.set(Data(), LookUp(code).substr(0, 47));
  if (ReadOnlyView())
    for (int id : {kCode, kList, kSearch}) GetDlgItem(id)->setEnabled(false);
}

std::string CEpigrafeDlg::LookUp(const std::string& key) {
  const std::string none(47, ' ');
  if (!list_) return none;
  std::string description, filterValue;
  list_->LookUpKey(key + ' ', description, filterValue);
  // The table keeps its headings dotted (861.1); a number typed without its point finds them too.
  if ((description.empty() || description[0] == ' ') && key.size() == 4 && key.find('.') == std::string::npos)
    list_->LookUpKey(key.substr(0, 3) + '.' + key.substr(3) + ' ', description, filterValue);
  if (description.empty() || description[0] == ' ') return none;
  return (description + none).substr(0, 47);
}

void CEpigrafeDlg::OnSearch() {
  auto* search = Item<QLineEdit>(kSearch);
  if (!search || search->text().isEmpty()) return;
  QString digits = search->text();
  digits.remove(u'.');
  if (digits.isEmpty()) return;
  const std::string key = digits.left(5).toStdString();
  const std::string description = LookUp(key);
  if (description[0] == ' ') {
    ui::ShowMessage(this, QStringLiteral("100R139"), platform::kIconExclamation);
    return;
  }
  f::Code.set(Data(), key, '\0');
  f::Description.set(Data(), description.substr(0, 47));
  UpdateAll(false);
}

bool CEpigrafeDlg::OnButton(int id) {
  if (id != kSearchButton) return false;
  OnSearch();
  return true;
}

int CEpigrafeDlg::OnEditChange(int id) {
  if (id != kSearch) return 0;
  auto* search = Item<QLineEdit>(kSearch);
  QString kept;
  for (QChar c : search->text())
    if (c.isDigit() || c == u'.') kept += c;
  if (kept != search->text()) search->setText(kept);
  if (QWidget* b = GetDlgItem(kSearchButton)) b->setEnabled(!kept.isEmpty());
  return 1;
}

int CEpigrafeDlg::OnEditValueChanged(int id) {
  if (id != kList) return 0;
  // The chosen heading's code came through the link; its point is taken out as a typed code has none.
  std::string code = Code();
  if (const auto dot = code.find('.'); dot != std::string::npos) code.erase(dot, 1);
  f::Code.set(Data(), code, '\0');
  UpdateAll(false);
  return 1;
}

int CEpigrafeDlg::OnEditValueCleared(int) {
  f::Code.set(Data(), std::string(), '\0');
  f::Description.set(Data(), std::string(), '\0');
  UpdateAll(false);
  return 1;
}

void CEpigrafeDlg::InsertCodeDot() {
  std::string code(f::Code.str(Data()));
  code.resize(5, '\0');
  if (code[3] == '\0' || code[3] == ' ' || code.find('.') != std::string::npos) return;
  code[4] = code[3];
  code[3] = '.';
  f::Code.set(Data(), code, '\0');
}

bool CEpigrafeDlg::ValidateOK() {
  InsertCodeDot();
  return true;
}

int CEpigrafeDlg::OpenFor(CSelStrEdit& edit) {
  CBoxField* box = edit.Box();
  auto* link = box ? static_cast<ui::LookupLink*>(box->option) : nullptr;
  if (!link || !link->target || !link->filterSource) return 2;
  auto* code = static_cast<char*>(link->target);
  auto* kindByte = static_cast<char*>(const_cast<void*>(link->filterSource));
  const std::size_t width = std::min<std::size_t>(link->targetWidth, 5);
  std::string given(code, width);
  given.resize(5, '\0');
  // The box holds the dotted code: its point (character 3) is left out.
  std::string undotted{given[0], given[1], given[2], given[4]};
  undotted = Trimmed(undotted.substr(0, undotted.find('\0')));
  std::string name = box->Identifica;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  name = Trimmed(name);
  // Professional activities of these boxes are listed among the business headings.
  const bool swapped = (name == "IAE4" || name == "IAE5" || name == "IAE6") && *kindByte == '5';
  CEpigrafeDlg dlg({&edit, 0, edit.VariantIndex()});
  if (edit.Connection()) dlg.connection_ = edit.Connection();
  dlg.shownMember = doc::ShownMember();
  dlg.hasOtherMembers = CEditEx::HasOtherMembers() ? 1 : 0;
  if (dlg.ReadOnlyView()) ui::ShowMessage(&edit, QStringLiteral("100R025"), platform::kIconExclamation);
  dlg.SetCode(undotted, swapped ? '1' : *kindByte);
  const int result = dlg.DoModal();
  if (result != ui::IDOK) return 2;
  const int n = edit.VariantIndex();
  // A box that names no variant (page 3's headings) takes the whole code, as variant 1: the
  // heading chosen must not be lost. Other variants are not used by any box.
  if (n == 0 || n == 1 || n == 3 || n == 2) {
    const std::string chosen(dlg.block_.begin() + static_cast<long>(f::Code.off),
                             dlg.block_.begin() + static_cast<long>(f::Code.off + f::Code.width));
    std::memcpy(code, chosen.data(), std::min<std::size_t>(n == 2 ? 3 : 5, link->targetWidth));
    *kindByte = swapped ? '5' : static_cast<char>(f::Kind.get(dlg.Data()));
  }
  return 1;
}
