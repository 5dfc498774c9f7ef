#include "forms/pages/activity_rows.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "blocks/field.h"
#include "data/doc/active_declaration.h"
#include "ui/edit_ex.h"

namespace forms {

namespace {
constexpr int kContinuationTitle = 96800;
constexpr int kAnswerOk = 1;
}  // namespace

// ---------------------------------------------------------------- the list

CActivityRowsList::CActivityRowsList(const ActivitySection& section, std::span<std::uint8_t> block, int memberIndex)
    : CBindingTableList(section.pageCode, block, memberIndex), section_(section) {}

int CActivityRowsList::RowIn(int position, int first, int perRow) {
  const int i = position - first;
  return i >= 0 && i < kVisibleRows * perRow ? i / perRow : -1;
}

int CActivityRowsList::BoxIn(int position, int first, int perRow) {
  const int i = position - first;
  return i >= 0 && i < kVisibleRows * perRow ? i % perRow : -1;
}

double CActivityRowsList::Amount(int row, int cell) const {
  const std::uint8_t* p = Cell(row, cell);
  return p ? blocks::F64{0}.get(p) : 0.0;
}

void CActivityRowsList::SetReadOnly(int position, bool readOnly) {
  if (CBoxField* box = Position(position)) box->SoloLectur = readOnly || !box->data ? 1 : 0;
}

bool CActivityRowsList::Filtered() const { return table_ && table_->Filter() != 1 && doc::HouseholdHasSeveralHolders(); }

void CActivityRowsList::CountSheets() {
  continuationSheets = 0;
  const std::span<std::uint8_t> block = Block();
  if (block.size() < section_.section + section_.rowSize * static_cast<std::size_t>(section_.rows)) return;
  const int shown = doc::ShownMember();
  int n = 0;
  for (int i = 0; i < section_.rows; ++i) {
    const std::uint8_t* rec = block.data() + section_.section + static_cast<std::size_t>(i) * section_.rowSize;
    if (blocks::I32{section_.activityAt}.get(rec) > 0 && (shown <= 1 || rec[0] == shown)) ++n;
  }
  continuationSheets = ContinuationSheetsFor(n, kVisibleRows);
}

void CActivityRowsList::BindPageData(int rebind) {
  if (rebind) ReleasePageData();
  sheetShown_ = 1;
  CBindingTableList::BindPageData(0);
  table_ = MakeTable();
  BindRows();
  EnableRows(0);
  CountSheets();
}

void CActivityRowsList::ReleasePageData() {
  for (int r = 0; r < kVisibleRows; ++r)
    for (int j = 0; j < section_.boxesPerRow; ++j)
      if (CBoxField* box = Position(PositionAt(r, j))) {
        box->data = nullptr;
        box->option = nullptr;
      }
  table_.reset();
  ClearSheetTitle(section_.sheetTitle);
  CBindingTableList::ReleasePageData();
}

void CActivityRowsList::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  if (table_) {
    const int holder = doc::ShownMember();
    table_->SetOwnerFilterAndRefresh(static_cast<std::uint8_t>(holder >= 1 ? holder : 1));
  }
  BindRows();
  EnableRows(0);
  CountSheets();
}

int CActivityRowsList::ScrollEvent(int row, int event) {
  int result = 0;
  if (event == -2) {
    result = table_->CanScroll(row != 0 ? 1 : 0) ? 1 : 0;
  } else {
    result = table_->Scroll(row != 0 ? 1 : 0);
    BindRows();
    EnableRows(0);
  }
  CountSheets();
  return result;
}

bool CActivityRowsList::SelectSheet(int sheet, int printing) {
  sheetDigit_ = {};
  if (sheet == 1) {
    BindPageData(1);
    ApplyHolderMode();
    if (continuationSheets > 0) {
      const char digit = continuationSheets == 1 ? '1' : '2';
      for (std::size_t i = 0; section_.sheetMark[i] && i + 1 < sheetDigit_.size(); ++i)
        sheetDigit_[i] = section_.sheetMark[i] == '#' ? digit : section_.sheetMark[i];
      if (CBoxField* box = Position(section_.sheetBox)) {
        box->data = sheetDigit_.data();
        if (section_.sheetValidation) box->StrValidac = section_.sheetValidation;
        if (section_.sheetFilingPrefix) {
          const std::size_t n = std::strlen(section_.sheetFilingPrefix);
          box->fminternet = section_.sheetFilingPrefix + (box->fminternet.size() > n ? box->fminternet.substr(n) : std::string());
        }
      }
    }
    RefreshSheet(0);
    return true;
  }
  if (sheet < 1 || sheet > continuationSheets + 1) {
    ClearSheetTitle(section_.sheetTitle);
    return false;
  }
  if (sheet == sheetShown_) return true;
  if (table_) {
    if (filing || sheet == 2) table_->PageDown();
    else if (sheet == 3) {
      table_->PageDown();
      if (printing == 1) table_->PageDown();
    }
  }
  BindRows();
  for (int p : section_.clearedOnContinuation)
    if (CBoxField* box = Position(p)) box->data = nullptr;
  ShowSheetTitle(section_.sheetTitle, kContinuationTitle);
  sheetShown_ = sheet;
  RefreshSheet(0);
  return true;
}

// ---------------------------------------------------------------- the page

CActivityPage::CActivityPage(IPageHost& host, int pageCode, std::unique_ptr<CActivityRowsList> list, int informationEvent,
                             std::vector<CRowTableButtons::Pair> pairs, CRowTableButtons::AfterScroll after,
                             QWidget* parent)
    : CPage100(host, pageCode, std::move(list), parent),
      buttons_(*this, std::move(pairs), std::move(after)),
      info0_(*this, kInfoRow0),
      info1_(*this, kInfoRow1),
      informationEvent_(informationEvent) {
  info0_.onPress = [this] { ShowInformation(0); };
  info1_.onPress = [this] { ShowInformation(1); };
  Activities()->onModified = [this] {
    if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
  };
  Activities()->question = [this](std::string_view code, MessageIcon icon) { return Ask(code, icon); };
}

int CActivityPage::Ask(std::string_view code, MessageIcon icon) {
  IMessageService* m = Host().Messages();
  return m ? m->ShowMessage(code, icon) : kAnswerOk;
}

int CActivityPage::Event(int row, int event) {
  CActivityRowsList* list = Activities();
  return list ? list->OnRowTableEvent(CActivityRowsList::kTableId, row, event, 0) : 0;
}

void CActivityPage::Calculate() {
  if (doc::CProg32Doc* d = GetDocument()) d->Calculate(1);
}

void CActivityPage::Ending() {
  Calculate();
  RepaintBoxes();
  RepaintBoxes();
  if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
}

void CActivityPage::ShowInformation(int row) {
  if (doc::ShownMember() != doc::kFamilyUnit && CEditEx::HasOtherMembers()) Ask("100R025", MessageIcon::Warning);
  if (Event(row, informationEvent_) != 1) return;
  if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
  InformationTaken(row);
  buttons_.Update();
  RepaintBoxes();
  RepaintBoxes();
  GoToBox(InformationFocus(row) - 1);
}

void CActivityPage::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  RepaintBoxes();
  buttons_.Update();
}

bool CActivityPage::InitPageControls() {
  const bool base = CPage100::InitPageControls();
  if (!buttons_.Create() || !info0_.Create() || !info1_.Create()) {
    Ask("WIN025", MessageIcon::Warning);
    return false;
  }
  RepositionPageControls();
  buttons_.Update();
  return base;
}

void CActivityPage::RepositionPageControls() {
  buttons_.Reposition();
  const ActivitySection& s = Activities()->Section();
  for (int row = 0; row < CActivityRowsList::kVisibleRows; ++row)
    if (CBoxField* anchor = GetBox(s.firstRowBox + s.boxesPerRow * row + s.holderBox - 1))
      (row == 0 ? info0_ : info1_).Place(anchor->Area());
}

bool CActivityPage::HandleNavigationKey(int key, Qt::KeyboardModifiers mods) {
  CEditEx* e = Editor();
  if (key != Qt::Key_F3 && key != Qt::Key_F4 && key != Qt::Key_F7) return CPage100::HandleNavigationKey(key, mods);
  if (!e) return true;
  const int position = e->GetDlgCtrlID();
  if (key == Qt::Key_F7) {
    const ActivitySection& s = Activities()->Section();
    const int row = position == s.firstRowBox + s.holderBox                     ? 0
                    : position == s.firstRowBox + s.boxesPerRow + s.holderBox ? 1
                                                                               : -1;
    if (row < 0) return CPage100::HandleNavigationKey(key, mods);
    QToolButton* b = InfoButton(row).Button();
    if (b && b->isEnabled()) ShowInformation(row);
    if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
    Calculate();
    if (CEditEx* now = Editor()) now->LoadFromData(1);
    RepaintBoxes();
    return true;
  }
  buttons_.HandleKey(key);
  return CPage100::HandleNavigationKey(key, mods);
}

}  // namespace forms
