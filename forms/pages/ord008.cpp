#include "forms/pages/ord008.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

#include "blocks/dates.h"
#include "blocks/field.h"
#include "blocks/form100.h"
#include "checks/validation_helper.h"
#include "platform/cp1252.h"
#include "platform/strings.h"
#include "ui/edit_ex.h"

namespace forms {

namespace {

constexpr int kContinuationTitle = 97002;
constexpr int kSheetBox = 3, kTitleBox = 121;
// The row buttons sit at the right end of their section's band.
constexpr int kButtonsX = 932;

struct Area {
  int table, first, stride, anchor;
};
constexpr Area kAreas[] = {{CBoxesORD008::kShortGains, 4, 3, 10},  {CBoxesORD008::kShortLosses, 14, 3, 20},
                           {CBoxesORD008::kOtherShort, 24, 4, 32}, {CBoxesORD008::kItems, 37, 18, 74},
                           {CBoxesORD008::kLongGains, 94, 3, 100}, {CBoxesORD008::kLongLosses, 104, 3, 110}};
const Area* AreaOf(int position) {
  for (const Area& a : kAreas)
    if (position >= a.first && position < a.first + 3 * a.stride) return &a;
  return nullptr;
}
const Area& AreaFor(int table) {
  for (const Area& a : kAreas)
    if (a.table == table) return a;
  return kAreas[0];
}

std::vector<RowBoxBinding> RowsOf(int first, int stride) {
  std::vector<RowBoxBinding> out;
  for (int r = 0; r < 3; ++r)
    for (int j = 0; j < stride; ++j) out.push_back({first + stride * r + j, r, j});
  return out;
}

std::span<const RowArea> AreaList() {
  static const std::vector<RowBoxBinding> rows[] = {RowsOf(4, 3),   RowsOf(14, 3), RowsOf(24, 4),
                                                    RowsOf(37, 18), RowsOf(94, 3), RowsOf(104, 3)};
  static const RowArea areas[] = {
      {FindRowTableModel("ORD008A"), rows[0]}, {FindRowTableModel("ORD008B"), rows[1]},
      {FindRowTableModel("ORD008C"), rows[2]}, {FindRowTableModel("ORD008D"), rows[3]},
      {FindRowTableModel("ORD008E"), rows[4]}, {FindRowTableModel("ORD008F"), rows[5]}};
  return areas;
}

bool IsSet(const std::uint8_t* p) { return p && *p != 0 && *p != ' '; }
std::uint8_t HolderOf(CScrollRowTable* t, int row) {
  const std::uint8_t* p = t ? t->GetCell(row, 0) : nullptr;
  return p ? *p : 0;
}
std::string_view DateText(const std::uint8_t* p) { return {reinterpret_cast<const char*>(p), 8}; }
int YearOf(const std::uint8_t* date) {
  int y = 0;
  const char* s = reinterpret_cast<const char*>(date) + 4;
  const auto r = std::from_chars(s, s + 4, y);
  return r.ec == std::errc() && r.ptr == s + 4 ? y : 0;
}
double At(const std::uint8_t* rec, std::size_t off) { return blocks::F64{off}.get(rec); }

// Item layout: dates, values, the dated entries of the acquisition valuation.
constexpr std::size_t kKind = 21, kTransmission = 22, kAcquisition = 30, kTransmissionValue = 40,
                      kAcquisitionValue = 112;
// The values and the valuation amounts that a change of kind would leave meaningless.
constexpr std::size_t kValuedBy[] = {40, 112, 184, 392, 440, 456};
constexpr std::size_t kDated[2][3] = {{136, 144, 152}, {160, 168, 176}};

struct YearLine {
  int year;
  std::size_t tested;
  std::size_t cleared[2];
};
// Yearly entries of the acquisition valuation a later acquisition year leaves outside the holding.
constexpr YearLine kYearLines[] = {
    {1983, 464, {192, 0}},   {1984, 480, {208, 0}},   {1985, 496, {224, 0}}, {1986, 512, {240, 0}},
    {1987, 528, {256, 0}},   {1988, 544, {272, 0}},   {1989, 560, {288, 0}}, {1990, 576, {304, 0}},
    {1991, 592, {320, 0}},   {1992, 616, {344, 0}},   {1993, 632, {360, 184}}, {1994, 400, {400, 392}},
    {1995, 416, {416, 440}}, {1996, 512, {512, 0}},   {1997, 528, {528, 0}}, {1998, 544, {544, 0}},
    {1999, 560, {560, 0}},   {2000, 576, {576, 0}},   {2001, 592, {592, 0}}};

bool HasValues(const std::uint8_t* d) { return At(d, kTransmissionValue) != 0 || At(d, kAcquisitionValue) != 0; }
// The item emptied from one of its dates: that date and everything from the values on.
void EmptyFrom(std::uint8_t* d, std::size_t date) {
  std::memset(d + date, 0, 8);
  std::memset(d + kTransmissionValue, 0, CBoxesORD008::kItemSize - kTransmissionValue);
}
bool HeldOverAYear(const std::uint8_t* d) {
  const std::string from(DateText(d + kAcquisition)), to(DateText(d + kTransmission));
  int years = 0, notAnniversary = 0;
  tv::WholeYearsBetween(from.c_str(), to.c_str(), &years, &notAnniversary);
  return years >= 2 || (years == 1 && notAnniversary != 0);
}
bool WithinHolding(const std::uint8_t* d, std::size_t date) {
  return checks::CValidationHelper::IsDateInRange(DateText(d + date), DateText(d + kAcquisition), DateText(d + kTransmission),
                                          false);
}

}  // namespace

CBoxesORD008::CBoxesORD008(std::span<std::uint8_t> block, int memberIndex)
    : CBindingTableList(ORD008::kCode, block, memberIndex, AreaList()) {}

std::uint8_t* CBoxesORD008::Item(int row) {
  CScrollRowTable* t = Table(kItems);
  const std::span<std::uint8_t> block = Block();
  if (!t) return nullptr;
  const std::size_t at = t->Model().area + kItemSize * static_cast<std::size_t>(t->FirstVisible() + row);
  return at + kItemSize <= block.size() ? block.data() + at : nullptr;
}

void CBoxesORD008::BindPageData(int rebind) {
  continuationSheets = 0;
  CBindingTableList::BindPageData(rebind);
  LinkAndEnable();
  ChooseValueDialogs();
  CountContinuationSheets();
}

void CBoxesORD008::ReleasePageData() {
  for (int r = 0; r < 3; ++r)
    for (int p : {39, 42, 43})
      if (CBoxField* box = Position(p + 18 * r)) box->option = nullptr;
  links_ = {};
  ClearSheetTitle(kTitleBox);
  CBindingTableList::ReleasePageData();
}

void CBoxesORD008::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  LinkAndEnable();
  ChooseValueDialogs();
  CountContinuationSheets();
}

void CBoxesORD008::LinkAndEnable() {
  auto set = [&](int position, bool readOnly) {
    if (CBoxField* box = Position(position); box && box->data) box->SoloLectur = readOnly ? 1 : 0;
  };
  for (const Area& a : kAreas) {
    CScrollRowTable* t = Table(a.table);
    if (!t) continue;
    for (int r = 0; r < 3; ++r) {
      const int b = a.first + a.stride * r;
      set(b, r > 0 && HolderOf(t, r - 1) == 0);
      const bool empty = HolderOf(t, r) == 0;
      if (a.table != kItems) {
        for (int j = 1; j < a.stride; ++j) set(b + j, empty);
        continue;
      }
      const bool kind = IsSet(t->GetCell(r, 2));
      const bool dates = IsSet(t->GetCell(r, 3)) && IsSet(t->GetCell(r, 4));
      set(b + 1, empty);
      set(b + 2, empty);
      set(b + 3, empty || !kind);
      set(b + 4, empty || !kind);
      set(b + 5, empty || !kind || !dates);
      set(b + 6, empty || !kind || !dates);
      for (int j = 7; j <= 17; ++j) set(b + j, true);
      // The valuation annexes edit the whole item, no more: its size goes with the link.
      for (int k = 0; k < 2; ++k) {
        ui::AnnexPointerList& l = links_[static_cast<std::size_t>(2 * r + k)];
        l = {};
        l.block = t->GetCell(r, 22);
        l.value = t->FirstVisible() + r;
        l.holder = static_cast<unsigned char>(k == 0 ? 8 : 0);
        l.size = static_cast<std::int32_t>(kItemSize);
      }
      auto* kindLink = links_[static_cast<std::size_t>(2 * r)].block ? &links_[static_cast<std::size_t>(2 * r)] : nullptr;
      auto* valueLink =
          links_[static_cast<std::size_t>(2 * r + 1)].block ? &links_[static_cast<std::size_t>(2 * r + 1)] : nullptr;
      if (CBoxField* box = Position(b + 2)) box->option = kindLink;
      if (CBoxField* box = Position(b + 5)) box->option = valueLink;
      if (CBoxField* box = Position(b + 6)) box->option = valueLink;
    }
  }
}

void CBoxesORD008::ChooseValueDialogs() {
  CScrollRowTable* t = Table(kItems);
  if (!t) return;
  for (int r = 0; r < 3; ++r) {
    const std::uint8_t* kind = t->GetCell(r, 2);
    const bool listed = kind && (*kind == '1' || *kind == '2');
    if (CBoxField* box = Position(42 + 18 * r)) box->NombreVent = listed ? "IDD_VALTRANSEA2" : "IDD_VALTRANSENA2";
    if (CBoxField* box = Position(43 + 18 * r)) box->NombreVent = listed ? "IDD_VALADQUIA2" : "IDD_VALADQUINA2";
  }
}

void CBoxesORD008::CountContinuationSheets() {
  const int m = doc::ShownMember();
  const std::span<std::uint8_t> block = Block();
  int n = 0;
  for (const Area& a : kAreas) {
    const CScrollRowTable* t = Table(a.table);
    if (!t) continue;
    const RowTableModel& model = t->Model();
    int count = 0;
    for (int i = 0; i < model.capacity; ++i) {
      const std::size_t at = model.area + static_cast<std::size_t>(i) * static_cast<std::size_t>(model.recordSize);
      const std::uint8_t h = at < block.size() ? block[at] : 0;
      if ((m == 1 && h != 0) || ((m == 2 || m == 3) && (h == m || h == 1)) || ((m == 4 || m == 5) && h == m)) ++count;
    }
    n = std::max(n, count);
  }
  continuationSheets = ContinuationSheetsFor(n, 3);
}

void CBoxesORD008::ValidateRow(int table, int row, int reload) {
  CScrollRowTable* t = Table(table);
  const std::uint8_t* total = t ? t->GetCell(row, 1) : nullptr;
  const std::uint8_t* counted = t ? t->GetCell(row, 2) : nullptr;
  if (!total || !counted || At(counted, 0) <= At(total, 0)) return;
  CProg32View* view = OwningView();
  if (view)
    if (IMessageService* m = view->Host().Messages()) m->ShowMessage("100R051", MessageIcon::Stop);
  const std::size_t at = t->Model().area + static_cast<std::size_t>(t->Model().recordSize) *
                                               static_cast<std::size_t>(t->FirstVisible() + row) + 16;
  if (at + 8 <= Block().size()) blocks::F64{at}.set(Block().data(), 0.0);
  if (view) view->GoToBox(AreaFor(table).first + AreaFor(table).stride * row + 2 - 1);
  Event(table, row, reload);
}

int CBoxesORD008::OnRowTableEvent(int table, int row, int event, int extra) {
  CScrollRowTable* t = Table(table);
  if (!t || table < kShortGains || table > kLongLosses) return 0;
  if (event == -2) return CBindingTableList::OnRowTableEvent(table, row, event, extra);
  int result = 0;
  const bool holderEmpty = HolderOf(t, row) == 0;
  struct Codes {
    int commit, remove, reload;
  };
  const Codes c = table == kOtherShort ? Codes{4, 5, 7} : table == kItems ? Codes{18, 19, 21} : Codes{3, 4, 6};
  if (event == -1) {
    result = Event(table, row, -1);
  } else if (event == c.commit) {
    Event(table, row, c.commit);
    LinkAndEnable();
    if (table != kItems) ValidateRow(table, row, c.reload);
  } else if (event == c.remove) {
    if (holderEmpty) Event(table, row, c.remove);
  } else if (event == c.reload) {
    Event(table, row, c.reload);
  }
  LinkAndEnable();
  if (table == kItems) ChooseValueDialogs();
  CountContinuationSheets();
  return result;
}

bool CBoxesORD008::SelectSheet(int sheet, int printing) {
  sheetDigit_ = {' ', ' ', '\0'};
  if (sheet == 1) {
    BindPageData(1);
    ApplyHolderMode();
    if (continuationSheets >= 1) {
      sheetDigit_[0] = static_cast<char>('0' + std::min(continuationSheets, 9));
      if (CBoxField* box = Position(kSheetBox)) box->data = sheetDigit_.data();
    }
    return true;
  }
  if (sheet - 1 > continuationSheets) {
    ClearSheetTitle(kTitleBox);
    return false;
  }
  if (sheet <= 0) return true;
  int pages = 1;
  if (!filing && sheet != 2) {
    pages = (sheet > 2) + (sheet > 3) + (sheet > 4);
    if (sheet >= 3 && sheet <= 5 && printing == 1) ++pages;
  }
  for (const Area& a : kAreas)
    if (CScrollRowTable* t = Table(a.table))
      for (int k = 0; k < pages; ++k) t->PageDown();
  BindRows();
  LinkAndEnable();
  ChooseValueDialogs();
  for (int p : {13, 23, 36, 91, 92, 93, 103, 113, 114, 115, 116, 117, 118, kSheetBox})
    if (CBoxField* box = Position(p)) box->data = nullptr;
  ShowSheetTitle(kTitleBox, kContinuationTitle);
  return true;
}

// ---------------------------------------------------------------- view

ORD008::ORD008(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD008>(host.PageDocument() ? host.PageDocument()->Block()
                                                                  : std::span<std::uint8_t>()),
               parent),
      buttons_(*this,
               {{CBoxesORD008::kShortGains, 0, kButtonsX, 156, 4, 12},
                {CBoxesORD008::kShortLosses, 0, kButtonsX, 268, 14, 22},
                {CBoxesORD008::kOtherShort, 0, kButtonsX, 380, 24, 35},
                {CBoxesORD008::kItems, 0, kButtonsX, 492, 37, 90},
                {CBoxesORD008::kLongGains, 0, kButtonsX, 760, 94, 102},
                {CBoxesORD008::kLongLosses, 0, kButtonsX, 872, 104, 112}},
               [this](int table, int) {
                 if (table == CBoxesORD008::kItems && List()) List()->ChooseValueDialogs();
                 GoToBox(AreaFor(table).anchor - 1);
               }) {}

bool ORD008::InitPageControls() {
  const bool result = CFormView::InitPageControls();
  buttons_.Create();
  return result;
}

bool ORD008::HandleNavigationKey(int key, Qt::KeyboardModifiers mods) {
  if (!Editor()) return true;
  if (key == Qt::Key_F3 || key == Qt::Key_F4) {
    buttons_.HandleKey(key);
    if (List()) List()->ChooseValueDialogs();
  }
  return CRentaVista::HandleNavigationKey(key, mods);
}

void ORD008::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  RepaintBoxes();
  buttons_.Update();
}

void ORD008::Calculate(int mode) {
  if (doc::CProg32Doc* d = GetDocument()) d->Calculate(mode);
}

int ORD008::Ask(const char* code, MessageIcon icon) {
  IMessageService* m = Host().Messages();
  return m ? m->ShowMessage(code, icon) : 1;
}

bool ORD008::CheckDate(std::uint8_t* date) { return Host().RunFieldCheck(kDateCheck, date) != 0; }

void ORD008::TransmissionDateRules(int row) {
  CBoxesORD008* list = List();
  std::uint8_t* d = list ? list->Item(row) : nullptr;
  if (!d) return;
  std::uint8_t old[8];
  std::memcpy(old, d + kTransmission, 8);
  list->OnRowTableEvent(CBoxesORD008::kItems, row, 18, 0);
  auto reload = [&] { list->OnRowTableEvent(CBoxesORD008::kItems, row, 21, 0); };
  auto restoreOrEmpty = [&](const char* code) {
    if (Ask(code, MessageIcon::Stop) == 8) std::memcpy(d + kTransmission, old, 8);
    else EmptyFrom(d, kTransmission);
  };
  const bool values = HasValues(d);
  if (CheckDate(d + kTransmission) && IsSet(d + kTransmission) && CheckDate(d + kTransmission) &&
      YearOf(d + kTransmission) != 2003) {
    if (!values) {
      Ask("100R030", MessageIcon::Warning);
      std::memset(d + kTransmission, 0, 8);
      reload();
      return;
    }
    if (Ask("100P020", MessageIcon::Stop) != 8) {
      EmptyFrom(d, kTransmission);
      reload();
      return;
    }
    std::memcpy(d + kTransmission, old, 8);
  }
  if (IsSet(d + kAcquisition) && IsSet(d + kTransmission) && CheckDate(d + kTransmission)) {
    if (checks::CValidationHelper::IsDateOnOrAfter(DateText(d + kTransmission), DateText(d + kAcquisition), false)) {
      if (HeldOverAYear(d)) {
        for (const auto& entry : kDated)
          if (!WithinHolding(d, entry[0]))
            for (std::size_t off : entry) std::memset(d + off, 0, 8);
      } else if (values) {
        restoreOrEmpty("100P022");
      } else {
        Ask("100R031", MessageIcon::Warning);
        std::memset(d + kTransmission, 0, 8);
      }
    } else if (values) {
      restoreOrEmpty("100P021");
    } else {
      Ask("100R029", MessageIcon::Warning);
      std::memset(d + kTransmission, 0, 8);
    }
  } else if (IsSet(d + kAcquisition)) {
    if (values) restoreOrEmpty("100P021");
    else if (IsSet(d + kTransmission)) std::memcpy(d + kTransmission, old, 8);
  }
  Calculate(1);
  reload();
}

void ORD008::AcquisitionDateRules(int row) {
  CBoxesORD008* list = List();
  std::uint8_t* d = list ? list->Item(row) : nullptr;
  if (!d) return;
  std::uint8_t old[8];
  std::memcpy(old, d + kAcquisition, 8);
  const int oldYear = YearOf(old);
  list->OnRowTableEvent(CBoxesORD008::kItems, row, 18, 0);
  auto reload = [&] { list->OnRowTableEvent(CBoxesORD008::kItems, row, 21, 0); };
  auto restoreOrEmpty = [&](const char* code, MessageIcon icon) {
    if (Ask(code, icon) == 8) std::memcpy(d + kAcquisition, old, 8);
    else EmptyFrom(d, kAcquisition);
  };
  const bool values = HasValues(d);
  if (!CheckDate(d + kAcquisition)) {
    if (values) restoreOrEmpty("100P085", MessageIcon::Information);
    else std::memset(d + kAcquisition, 0, 8);
    reload();
    return;
  }
  if (IsSet(d + kTransmission) && IsSet(d + kAcquisition)) {
    if (checks::CValidationHelper::IsDateOnOrAfter(DateText(d + kTransmission), DateText(d + kAcquisition), false)) {
      if (HeldOverAYear(d)) {
        const int newYear = YearOf(d + kAcquisition);
        bool held = false;
        for (const YearLine& line : kYearLines) {
          if (line.year >= newYear) continue;
          held = held || At(d, line.tested) != 0;
          for (std::size_t off : line.cleared)
            if (off) std::memset(d + off, 0, 8);
        }
        if (held && oldYear <= newYear) Ask("100I005", MessageIcon::Information);
        bool shown = false;
        for (std::size_t e = 0; e < 2; ++e) {
          const std::size_t date = kDated[e][0];
          if (!IsSet(d + date) || WithinHolding(d, date)) continue;
          if (!(e == 1 && shown)) Ask("100I005", MessageIcon::Information);
          shown = e == 0;
          std::memset(d + date, 0, 8);
          std::memset(d + kDated[e][1], 0, 8);
        }
      } else if (values) {
        restoreOrEmpty("100P022", MessageIcon::Stop);
      } else {
        Ask("100R031", MessageIcon::Warning);
        std::memset(d + kAcquisition, 0, 8);
      }
    } else if (values) {
      restoreOrEmpty("100P021", MessageIcon::Stop);
    } else {
      Ask("100R029", MessageIcon::Warning);
      std::memset(d + kAcquisition, 0, 8);
    }
  } else if (IsSet(d + kAcquisition)) {
    if (YearOf(d + kAcquisition) > 2002) {
      Ask("WIN005", MessageIcon::Information);
      std::memset(d + kAcquisition, 0, 8);
    }
  } else if (values) {
    restoreOrEmpty("100P021", MessageIcon::Stop);
  }
  Calculate(1);
  reload();
}

int ORD008::OnBoxEdited(int position) {
  CBoxesORD008* list = List();
  const Area* a = AreaOf(position);
  if (list && a) {
    const int r = (position - a->first) / a->stride, j = (position - a->first) % a->stride;
    if (a->table != CBoxesORD008::kItems) {
      if (j != 0) list->OnRowTableEvent(a->table, r, a->table == CBoxesORD008::kOtherShort ? 4 : 3, 0);
    } else if (j == 1) {
      list->OnRowTableEvent(a->table, r, 18, 0);
    } else if (j == 2) {
      // A kind typed into its box follows the rule of a kind chosen in its list.
      OnBoxSubDialogValue(position);
    } else if (j == 3) {
      TransmissionDateRules(r);
    } else if (j == 4) {
      AcquisitionDateRules(r);
    }
  }
  Calculate(1);
  return EndEdit(position, 1);
}

int ORD008::OnBoxValueChanged(int position) {
  CBoxesORD008* list = List();
  const Area* a = AreaOf(position);
  if (!list || !a) return 0;
  const int r = (position - a->first) / a->stride, j = (position - a->first) % a->stride;
  const bool other = a->table == CBoxesORD008::kOtherShort;
  const bool items = a->table == CBoxesORD008::kItems;
  if (j == 0) {
    list->OnRowTableEvent(a->table, r, other ? 4 : items ? 18 : 3, 0);
    list->OnRowTableEvent(a->table, r, other ? 5 : items ? 19 : 4, 0);
    buttons_.Update();
  } else if (other && j == 3) {
    list->OnRowTableEvent(a->table, r, 4, 0);
    list->OnRowTableEvent(a->table, r, 5, 0);
  } else {
    return 0;
  }
  Calculate(1);
  RepaintBoxes();
  RepaintBoxes();
  return 1;
}

int ORD008::OnBoxValueCleared(int position) {
  CBoxesORD008* list = List();
  const Area* a = AreaOf(position);
  if (!list || !a || (position - a->first) % a->stride != 0) return 0;
  if (Ask("100P023", MessageIcon::Information) != 1) return 0;
  const int r = (position - a->first) / a->stride;
  const int remove = a->table == CBoxesORD008::kOtherShort ? 5 : a->table == CBoxesORD008::kItems ? 19 : 4;
  list->OnRowTableEvent(a->table, r, remove, 0);
  Calculate(1);
  RepaintBoxes();
  RepaintBoxes();
  return 1;
}

int ORD008::OnBoxSubDialogValue(int position) {
  CBoxesORD008* list = List();
  doc::CProg32Doc* d = GetDocument();
  if (!list || !d) return 0;
  const bool itemBox = position >= 37 && position <= 90;
  const int r = itemBox ? (position - 37) / 18 : 0, j = itemBox ? (position - 37) % 18 : -1;
  if (j == 2) {
    std::uint8_t* item = list->Item(r);
    const std::uint8_t old = item ? item[kKind] : 0;
    list->OnRowTableEvent(CBoxesORD008::kItems, r, 18, 0);
    if (item && old != 0 && item[kKind] != old &&
        std::any_of(std::begin(kValuedBy), std::end(kValuedBy), [&](std::size_t off) { return At(item, off) != 0; })) {
      if (Ask("100P023", MessageIcon::Information) == 1) {
        std::memset(item + 48, 0, 112 - 48);
        std::memset(item + 120, 0, 672 - 120);
      } else {
        item[kKind] = old;
      }
      Calculate(0);
      list->OnRowTableEvent(CBoxesORD008::kItems, r, 21, 0);
    }
  } else if (j == 5 || j == 6) {
    list->OnRowTableEvent(CBoxesORD008::kItems, r, 18, 0);
  } else if (position < 114 || position > 118) {
    d->Model().WrittenAll();
    return 0;
  }
  Calculate(1);
  for (int k = 0; k < 3; ++k) list->OnRowTableEvent(CBoxesORD008::kItems, k, 21, 0);
  RepaintBoxes();
  RepaintBoxes();
  d->Model().WrittenAll();
  return 1;
}

int ORD008::OnBoxSetFocus(int position) {
  if (position >= 37 && position <= 90 && (position - 37) % 18 <= 4 && List()) List()->ChooseValueDialogs();
  return 1;
}

}  // namespace forms
