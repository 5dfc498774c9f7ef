#include "forms/view/form_views.h"

#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <map>

#include "data/doc/active_declaration.h"
#include "platform/cp1252.h"
#include "platform/strings.h"
#include "ui/box_edit.h"
#include "ui/edit_ex.h"

namespace forms {

namespace {

std::map<std::string, PageFactory>& PageClasses() {
  static std::map<std::string, PageFactory> classes;
  return classes;
}

// Form 100: names of the boxes that hold free text (they may be emptied in a member view).
constexpr const char* kTextFieldNames[] = {
    "ZDELEG", "ZADMON", "ZDNID", "ZAPED1", "ZAPED2", "ZNOMD", "ZNOMC", "ZDNIC", "ZAPEC1", "ZAPEC2", "ZTELED",
    "ZDNIH1", "ZAPENH1", "ZDNIH2", "CALLED", "ZVIAPD", "ZNUMD", "ZESD", "ZPID", "ZPRTD", "ZMUNID", "ZPROVD",
    "ZCODPD", "ZVIAPC", "ZNUMC", "ZESC", "ZPIC", "ZPRTC", "ZMUNIC", "ZPROVC", "ZCODPC", "ZAPENH2", "ZVIAP",
    "ZNUME", "ZMUNI", "ZPROV", "ZCODP", "ZDNIR", "ZAPENR", "ZVIAPR", "ZNUMR", "ZMUNIR", "ZPROVR", "ZCODPR",
    "P00", "Z8", "Z9", "ZDNIU1", "ZAPENU1", "ZPARU1", "ZANOU1", "ZDNIU2", "ZAPENU2", "ZPARU2", "ZANOU2",
    "ZDNIU3", "ZAPENU3", "ZPARU3", "ZANOU3", "ZDNIU4", "ZAPENU4", "ZPARU4", "ZANOU4", "ZDNIO1", "ZAPENO1",
    "ZPARO1", "ZANOO1", "ZDNIO2", "ZAPENO2", "ZPARO2", "ZANOO2", "ZDNIO3", "ZAPENO3", "ZPARO3", "ZANOO3",
    "ZDNIO4", "ZAPENO4", "ZPARO4", "ZANOO4", "ZCOMPLE1", "ZCOMPLE2", "ZSOST1", "ZSOST2", "VRI", "VDA", "Y01",
    "Y02", "Y40", "Y41", "Y11", "Y21", "Y61", "Y71", "Y31E", "Y31S", "Y31C", "Y31N", "Y51E", "Y51S", "Y51C",
    "Y51N", "Y81E", "Y81S", "Y81C", "Y81N", "Z61", "Z71", "Z81", "Z91", "MUNIDECLAR", "RCMD", "RCMC", "RCM1",
    "RCM2", "RCM3", "RCM4", "RCM5", "DNID", "APED1", "APED2", "NOMD", "VIAPD", "NUMD", "ESD", "PID", "PRTD",
    "MUNID", "PROVD", "CODPD", "ESTCIVIL1", "ESTCIVIL2", "ESTCIVIL3", "ESTCIVIL4", "ZANOD", "TELED1", "TELED2",
    "DNIC", "APEC1", "APEC2", "NOMC", "VIAPC", "NUMC", "ESC", "PIC", "PRTC", "MUNIC", "PROVC", "CODPC", "ANOC",
    "DNIAS1", "APENAS1", "ANOAS1", "PCTMINAS1", "VINAS1", "CONVAS1", "DNIAS2", "APENAS2", "ANOAS2", "PCTMINAS2",
    "VINAS2", "CONVAS22", "CIN", "CCON", "TIN", "IG1", "OF1", "IG22", "OF2", "IG", "OF", "ENT1", "SUC1", "DC1",
    "CC1", "ENT2", "SUC2", "DC2", "CC2", "DDDECLAR", "MMDECLAR", "AADECLAR", "XDNID", "XAPED1", "XAPED2",
    "XXNOMD", "XVIAPD", "XNUMD", "XESD", "XPID", "XPRTD", "XMUNID", "XPROVD", "XCODPD", "XNIF", "ANOD",
    "TELEC1", "TELEC2", "ZCAMBDOMD", "ZCAMBDOMC", "ZCONYNORES", "ZRECTIF", "ZCOMPENS", "ZTELEC", "CALLEC",
    "POBLAC", "DDPOBL", "LUGARDECLA"};

// X002 .. X052 are text fields too.
bool IsNumberedTextField(const std::string& name) {
  if (name.size() != 4 || name[0] != 'X') return false;
  if (!std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  const int n = std::atoi(name.c_str() + 1);
  return n >= 2 && n <= 52;
}

}  // namespace

std::string PageClassName(int pageCode) {
  if (pageCode == 222) return "PAGPDF";
  if (pageCode == 290) return "CFirma";
  char name[16];
  std::snprintf(name, sizeof name, "%s%03d", pageCode >= 300 ? "PAT" : "ORD", pageCode % 100);
  return name;
}

void RegisterPageClass(const std::string& name, PageFactory factory) { PageClasses()[name] = std::move(factory); }
void UnregisterPageClass(const std::string& name) { PageClasses().erase(name); }

CFormView* CreatePageView(IPageHost& host, int kind, int pageCode, QWidget* parent) {
  if (auto it = PageClasses().find(PageClassName(pageCode)); it != PageClasses().end()) return it->second(host, parent);
  doc::CProg32Doc* d = host.PageDocument();
  std::span<std::uint8_t> block = d ? d->Block() : std::span<std::uint8_t>();
  auto list = std::make_unique<CBindingTableList>(pageCode, block);
  if (kind == 3) return new CGenericPage714(host, pageCode, std::move(list), parent);
  return new CGenericPage100(host, pageCode, std::move(list), parent);
}

// ---------------------------------------------------------------- binding tables

CBindingTableList::CBindingTableList(int pageCode, std::span<std::uint8_t> block, int memberIndex,
                                     std::span<const RowArea> rowAreas)
    : CHolderPageBoxList(memberIndex), bindings_(PageBindings(pageCode)), block_(block), rowAreas_(rowAreas) {}

bool CBindingTableList::IsRowBox(int position) const {
  return std::any_of(rowAreas_.begin(), rowAreas_.end(), [&](const RowArea& a) {
    return std::any_of(a.boxes.begin(), a.boxes.end(), [&](const RowBoxBinding& b) { return b.position == position; });
  });
}

void CBindingTableList::ReleasePageData() {
  for (const RowArea& area : rowAreas_)
    for (const RowBoxBinding& b : area.boxes)
      if (CBoxField* box = Position(b.position)) box->data = nullptr;
  tables_.clear();
  spent_.clear();
}

CScrollRowTable* CBindingTableList::Table(int id) const {
  if (tables_.size() == 1) return tables_.front().get();
  for (const auto& t : tables_)
    if (t->Model().tableId == id) return t.get();
  return nullptr;
}

void CBindingTableList::BindRows() {
  for (std::size_t a = 0; a < rowAreas_.size() && a < tables_.size(); ++a)
    for (const RowBoxBinding& b : rowAreas_[a].boxes) {
      CBoxField* box = Position(b.position);
      if (!box) continue;
      box->data = spent_[a] ? nullptr : tables_[a]->GetCell(b.row, b.cell);
      if (!box->data) box->SoloLectur = 1;
    }
}

void CBindingTableList::ApplyHolderMode() {
  const int holder = doc::ShownMember();
  for (auto& t : tables_) t->SetOwnerFilterAndRefresh(static_cast<std::uint8_t>(holder >= 1 ? holder : 1));
  BindRows();
}

int CBindingTableList::OnRowTableEvent(int table, int row, int event, int extra) {
  CScrollRowTable* t = Table(table);
  if (!t) return 0;
  if (event == -2) return t->CanScroll(row != 0 ? 1 : 0) ? 1 : 0;
  const int result = event == -1 ? t->Scroll(row != 0 ? 1 : 0) : t->OnCellChange(row, event, extra);
  BindRows();
  return result;
}

bool CBindingTableList::SelectSheet(int sheet, int /*printing*/) {
  if (sheet < 1) return false;
  BindPageData(1);
  ApplyHolderMode();
  for (int s = 1; s < sheet; ++s) {
    const bool more = std::any_of(tables_.begin(), tables_.end(), [](const auto& t) { return t->HasRowsAfterWindow(); });
    if (!more) return false;
    for (std::size_t a = 0; a < tables_.size(); ++a) {
      // A table with no rows left shows empty rows on the later sheets.
      if (tables_[a]->HasRowsAfterWindow()) tables_[a]->PageDown();
      else spent_[a] = true;
    }
  }
  BindRows();
  RefreshSheet(0);
  return true;
}

void CBindingTableList::ShowSheetTitle(int position, int stringId) {
  sheetTitle_ = platform::Utf8ToCp1252(platform::LoadString(stringId).toStdString());
  if (CBoxField* box = Position(position)) box->data = sheetTitle_.data();
}

void CBindingTableList::ClearSheetTitle(int position) {
  sheetTitle_.clear();
  if (CBoxField* box = Position(position)) box->data = nullptr;
}

void CBindingTableList::BindPageData(int rebind) {
  if (rebind) ReleasePageData();
  const int k = Occurrence();
  for (int i = 0; i < GetSize(); ++i) {
    CBoxField* box = GetAt(i);
    if (IsRowBox(i + 1)) continue;
    auto it = std::find_if(bindings_.begin(), bindings_.end(), [&](const BoxBinding& b) { return b.position == i + 1; });
    // A per-member field of a list fixed to one member starts at that member's slot.
    std::size_t stride = 0;
    switch (box->TypeLetter()) {
      case 'F': case 'M': case 'R': stride = 8; break;
      case 'C': case 'I': stride = 4; break;
      case 'B': case 'T': stride = 1; break;
      default: stride = static_cast<std::size_t>(std::max(box->width, 0));
    }
    const std::size_t offset = it == bindings_.end() ? 0 : it->offset + static_cast<std::size_t>(k) * stride;
    if (it == bindings_.end() || offset + stride > block_.size()) {
      box->data = nullptr;
      box->SoloLectur = 1;
    } else {
      box->data = block_.data() + offset;
    }
    if (it != bindings_.end() && it->annex != BoxBinding::kNoAnnex && it->annex < block_.size())
      box->HandOver(it->annex == 0 ? ui::Handed::DeclarationStart : ui::Handed::Unnamed, block_.data() + it->annex);
  }
  for (const RowArea& area : rowAreas_)
    if (area.model) tables_.push_back(std::make_unique<CScrollRowTable>(*area.model, block_));
  spent_.assign(tables_.size(), false);
  BindRows();
  for (const auto& [position, data] : outside_)
    if (CBoxField* box = Position(position)) box->data = data;
}

// ---------------------------------------------------------------- form views

CFormView::CFormView(IPageHost& host, int pageCode, std::unique_ptr<CPageBoxList> list, QWidget* parent)
    : CProg32View(host, parent), pageCode_(pageCode), list_(std::move(list)) {}

CFormView::~CFormView() {
  UnregisterCheckMarks();
  if (list_) list_->ClearBoxes();
}

bool CFormView::LoadBoxList() {
  if (!list_) return false;
  BoxTables tables;
  tables.local = Host().LocalDatabase();
  tables.language = Host().Language();
  IPageHost* host = &Host();
  tables.report = [host](int id, bool stop) { host->ShowStringMessage(id, stop); };
  list_->SetTables(std::move(tables));
  list_->SetOwningView(this);
  return list_->LoadFromControlX(GetPageCode(), BoxScale());
}

void CFormView::UnregisterCheckMarks() {
  if (!registered_ || !list_) return;
  for (int i = 0; i < list_->GetSize(); ++i) {
    const CBoxField* b = list_->GetAt(i);
    if (b->TypeLetter() == 'B' && b->checkKey != 0) ui::UnregisterBoxEdit(b->checkKey, b->IndNumero, this);
  }
  registered_ = false;
}

void CFormView::ReloadBoxCoordinates(double scale) {
  if (list_) list_->ReloadBoxCoordinates(scale, GetPageCode());
}

bool CFormView::InitPageControls() {
  for (int i = 0; i < GetBoxCount(); ++i) GetBox(i)->UpdateText();
  return true;
}

void CFormView::RepaintBoxes() {
  for (int i = 0; i < GetBoxCount(); ++i) GetBox(i)->UpdateText();
  CProg32View::RepaintBoxes();
}

void CFormView::DrawPageOverlay(QPainter& painter, int x, int y) {
  const int hot = HotBox(), edited = EditedBox();
  const bool accessible = Host().Accessible();
  for (int i = 0; i < GetBoxCount(); ++i) {
    CBoxField* box = GetBox(i);
    if (printing_) {
      if (box->PintarEn == 1) continue;  // screen only
      box->DrawFrame(kFrameNormal, painter, x, y);
      box->UpdateText();
      box->Draw(painter, x, y, 1, false);
      continue;
    }
    if (i == edited && Editor() && box->SoloLectur == 0) {
      box->DrawFrame(kFrameHighlighted, painter, x, y);
      continue;
    }
    box->DrawFrame(i == hot && box->SoloLectur == 0 ? kFrameHighlighted : kFrameEdited, painter, x, y);
    box->UpdateText();
    box->Draw(painter, x, y, 0, accessible);
  }
}

namespace {
// The check-mark boxes are entered in the registry with the number of their spec.
void RegisterCheckMarks(CPageBoxList& list, const QWidget* owner) {
  for (int i = 0; i < list.GetSize(); ++i) {
    CBoxField* b = list.GetAt(i);
    if (b->TypeLetter() != 'B' || b->width == 0) continue;
    b->checkKey = b->width;
    ui::RegisterBoxEdit(b->checkKey, b->IndNumero, owner);
  }
}
}  // namespace

bool CRentaVista::SetUpPage() {
  const bool base = CProg32View::SetUpPage();
  if (!LoadBoxList()) return false;
  if (base) {
    for (int i = 0; i < GetBoxCount(); ++i) GetBox(i)->textFieldFlag = IsTextField(GetBox(i)->Identifica) ? 1 : 0;
    RegisterCheckMarks(*list_, this);
    registered_ = true;
  }
  return base;
}

bool CRentaVista::IsTextField(const std::string& name) const {
  return IsNumberedTextField(name) ||
         std::any_of(std::begin(kTextFieldNames), std::end(kTextFieldNames), [&](const char* n) { return name == n; });
}

void CRentaVista::RecalculateAndRefresh() {
  doc::CProg32Doc* d = GetDocument();
  if (d && d->Kind() == 2) d->Calculate(1);
  int id = 0;
  if (CEditEx* e = Editor()) {
    id = e->GetDlgCtrlID();
    // Committed as when the box is left, so that the declaration knows it changed.
    if (e->IsModifiedEx() && CommitPendingEdit() != 1)
      if (CEditEx* still = Editor()) still->SetModifiedEx(false);
  }
  if (list_) list_->ApplyHolderMode();
  if (id > 0) {
    const int found = FindEditableFrom(id - 1, 0);
    if (CEditEx* e = Editor()) e->LoadFromData(1);
    if (found != id - 1) GoToBox(found);
  }
  viewport()->update();
}

bool C714Vista::SetUpPage() {
  const bool base = CProg32View::SetUpPage();
  const bool loaded = LoadBoxList();
  RegisterCheckMarks(*list_, this);
  registered_ = true;
  return loaded ? base : false;
}

std::string C714Vista::StripPrefixAndDots(const std::string& text) {
  std::string out;
  for (std::size_t i = 6; i < text.size(); ++i)
    if (text[i] != '.') out += text[i];
  return out;
}

// ---------------------------------------------------------------- the generic page

template <class Base>
bool CGenericPage<Base>::Bound() const {
  auto* list = dynamic_cast<const CBindingTableList*>(this->BoxList());
  return list && list->Bound();
}

template <class Base>
bool CGenericPage<Base>::SetUpPage() {
  if (CPageBoxList::PageHasBoxes(this->Host().LocalDatabase(), this->GetPageCode())) return Base::SetUpPage();
  return CProg32View::SetUpPage();
}

template <class Base>
int CGenericPage<Base>::OnBoxEdited(int) {
  if (doc::CProg32Doc* d = this->GetDocument()) d->Calculate(1);
  this->RepaintBoxes();
  return 1;
}

template class CGenericPage<CRentaVista>;
template class CGenericPage<C714Vista>;

}  // namespace forms
