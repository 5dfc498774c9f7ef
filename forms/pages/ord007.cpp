#include "forms/pages/ord007.h"

#include <algorithm>
#include <cstring>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_g1.h"
#include "blocks/form100_g3.h"
#include "checks/validation_helper.h"
#include "platform/cp1252.h"
#include "platform/strings.h"
#include "ui/edit_ex.h"

namespace forms {

namespace {

constexpr int kContinuationTitle = 97002;
constexpr int kSheetBox = 7, kTitleBox = 117;
// The row buttons sit at the right end of their section's band.
constexpr int kButtonsX = 932;

constexpr RowBoxBinding kOffsetBoxes[] = {{3, 0, 0}, {4, 0, 1}, {5, 1, 0}, {6, 1, 1}};
constexpr RowBoxBinding kFundBoxes[] = {
    {8, 0, 0},  {9, 0, 1},  {10, 0, 2}, {11, 0, 3}, {12, 0, 4}, {13, 0, 5}, {14, 1, 0}, {15, 1, 1}, {16, 1, 2},
    {17, 1, 3}, {18, 1, 4}, {19, 1, 5}, {20, 2, 0}, {21, 2, 1}, {22, 2, 2}, {23, 2, 3}, {24, 2, 4}, {25, 2, 5}};
// Per row: cells 0, 1, 2, 4, 5-11.
constexpr int kOtherCells[] = {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11};
// Per row: cells 0, 1, 2, 3, 5, 7-15.
constexpr int kTransferCells[] = {0, 1, 2, 3, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15};

template <std::size_t N>
constexpr std::array<RowBoxBinding, 3 * N> RowsOf(int first, const int (&cells)[N]) {
  std::array<RowBoxBinding, 3 * N> out{};
  for (std::size_t r = 0; r < 3; ++r)
    for (std::size_t j = 0; j < N; ++j)
      out[r * N + j] = {first + static_cast<int>(r * N + j), static_cast<int>(r), cells[j]};
  return out;
}
constexpr auto kOtherBoxes = RowsOf(35, kOtherCells);
constexpr auto kTransferBoxes = RowsOf(72, kTransferCells);

std::span<const RowArea> AreaList() {
  static const RowArea areas[] = {{FindRowTableModel("ORD007A"), kOffsetBoxes},
                                  {FindRowTableModel("ORD007B"), kFundBoxes},
                                  {FindRowTableModel("ORD007C"), kOtherBoxes},
                                  {FindRowTableModel("ORD007D"), kTransferBoxes}};
  return areas;
}

constexpr int kFundAnnexCell = 9, kOtherAnnexCell = 3, kRecordCell = 20;
constexpr std::size_t kTransferRecord = f100::sec_g3::kRowSize;

bool Empty(const std::uint8_t* p) { return !p || *p == 0 || *p == ' '; }
bool Listed(std::uint8_t c) { return c == '1' || c == '2'; }

int Holder(const CScrollRowTable* t, int row) {
  const std::uint8_t* cell = t ? const_cast<CScrollRowTable*>(t)->GetCell(row, 0) : nullptr;
  return cell ? *cell : 0;
}

}  // namespace

CBoxesORD007::CBoxesORD007(std::span<std::uint8_t> block, int memberIndex)
    : CBindingTableList(ORD007::kCode, block, memberIndex, AreaList()) {}

int CBoxesORD007::Record(int table, int row) const {
  const CScrollRowTable* t = Table(table);
  return t ? t->FirstVisible() + row : row;
}

void CBoxesORD007::BindPageData(int rebind) {
  CBindingTableList::BindPageData(rebind);
  LinkAndEnable();
  ChooseValueDialogs();
  CountContinuationSheets();
}

void CBoxesORD007::ReleasePageData() {
  for (int r = 0; r < 3; ++r) {
    for (int j = 2; j <= 5; ++j)
      if (CBoxField* box = Position(8 + 6 * r + j)) box->option = nullptr;
    for (int p : {37, 38})
      if (CBoxField* box = Position(p + 11 * r)) box->option = nullptr;
    for (int p : {74, 75, 76})
      if (CBoxField* box = Position(p + 14 * r)) box->option = nullptr;
  }
  links_ = {};
  ClearSheetTitle(kTitleBox);
  CBindingTableList::ReleasePageData();
}

void CBoxesORD007::ApplyHolderMode() {
  CBindingTableList::ApplyHolderMode();
  LinkAndEnable();
  ChooseValueDialogs();
  CountContinuationSheets();
}

void CBoxesORD007::LinkAndEnable() {
  auto set = [&](int position, bool readOnly) {
    if (CBoxField* box = Position(position); box && box->data) box->SoloLectur = readOnly ? 1 : 0;
  };
  auto option = [&](int position, void* p) {
    if (CBoxField* box = Position(position)) box->option = p;
  };
  if (CScrollRowTable* t = Table(kOffsets))
    for (int r = 0; r < 2; ++r) set(4 + 2 * r, Empty(t->GetCell(r, 0)));
  if (CScrollRowTable* t = Table(kFunds))
    for (int r = 0; r < 3; ++r) {
      const int b = 8 + 6 * r;
      if (r > 0) set(b, Holder(t, r - 1) == 0);
      const bool empty = Holder(t, r) == 0;
      for (int j = 1; j <= 5; ++j) set(b + j, empty);
      for (int j = 2; j <= 5; ++j) option(b + j, t->GetCell(r, kFundAnnexCell));
    }
  if (CScrollRowTable* t = Table(kOther))
    for (int r = 0; r < 3; ++r) {
      const int b = 35 + 11 * r;
      if (r > 0) set(b, Holder(t, r - 1) == 0);
      const bool empty = Holder(t, r) == 0;
      for (int j = 1; j <= 3; ++j) set(b + j, empty);
      for (int j = 4; j <= 10; ++j) set(b + j, true);
      option(b + 2, t->GetCell(r, kOtherAnnexCell));
      option(b + 3, t->GetCell(r, kOtherAnnexCell));
    }
  if (CScrollRowTable* t = Table(kTransfers))
    for (int r = 0; r < 3; ++r) {
      const int b = 72 + 14 * r;
      if (r > 0) set(b, Holder(t, r - 1) == 0);
      const bool empty = Holder(t, r) == 0;
      set(b + 1, empty);
      set(b + 2, empty);
      const bool noClass = empty || Empty(t->GetCell(r, 2));
      set(b + 3, noClass);
      set(b + 4, noClass);
      for (int j = 5; j <= 13; ++j) set(b + j, true);
      // The valuation annexes edit the whole record, no more: its size goes with the link.
      for (int k = 0; k < 2; ++k) {
        ui::AnnexPointerList& l = links_[static_cast<std::size_t>(2 * r + k)];
        l = {};
        l.block = t->GetCell(r, kRecordCell);
        l.value = t->FirstVisible() + r;
        l.holder = static_cast<unsigned char>(k == 0 ? 7 : 0);
        l.size = static_cast<std::int32_t>(kTransferRecord);
      }
      option(b + 2, links_[static_cast<std::size_t>(2 * r)].block ? &links_[static_cast<std::size_t>(2 * r)] : nullptr);
      void* value = links_[static_cast<std::size_t>(2 * r + 1)].block ? &links_[static_cast<std::size_t>(2 * r + 1)] : nullptr;
      option(b + 3, value);
      option(b + 4, value);
    }
}

void CBoxesORD007::ChooseValueDialogs() {
  CScrollRowTable* t = Table(kTransfers);
  if (!t) return;
  for (int r = 0; r < 3; ++r) {
    const std::uint8_t* cls = t->GetCell(r, 2);
    const bool listed = cls && Listed(*cls);
    if (CBoxField* box = Position(75 + 14 * r)) box->NombreVent = listed ? "IDD_VALTRANSEA" : "IDD_VALTRANSENA";
    if (CBoxField* box = Position(76 + 14 * r)) box->NombreVent = listed ? "IDD_VALADQUIA" : "IDD_VALADQUINA";
  }
}

void CBoxesORD007::CountContinuationSheets() {
  const int m = doc::ShownMember();
  const std::span<std::uint8_t> block = Block();
  int n = 0;
  for (int table : {kFunds, kOther, kTransfers}) {
    const CScrollRowTable* t = Table(table);
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

int CBoxesORD007::OnRowTableEvent(int table, int row, int event, int extra) {
  CScrollRowTable* t = Table(table);
  if (!t || table < kOffsets || table > kTransfers) return 0;
  int result = 0;
  if (event == -2) return table == kOffsets ? 0 : CBindingTableList::OnRowTableEvent(table, row, event, extra);
  const bool holderEmpty = Holder(t, row) == 0;
  switch (table) {
    case kOffsets:
      if (event == -3) Event(table, row, 0);
      else if (event == 6) Event(table, row, 2);
      else if (event == 7 && holderEmpty) Event(table, row, 3);
      break;
    case kFunds:
    case kOther: {
      const int commit = table == kFunds ? 6 : 12, remove = table == kFunds ? 7 : 13, reload = table == kFunds ? 10 : 15;
      if (event == -1) result = Event(table, row, -1);
      else if (event == commit || event == reload) Event(table, row, event);
      else if (event == remove && holderEmpty) Event(table, row, remove);
      break;
    }
    case kTransfers:
      if (event == -1) {
        result = Event(table, row, -1);
        ChooseValueDialogs();
      } else if (event == 16 || event == 19) {
        Event(table, row, event);
      } else if (event == 17 && holderEmpty) {
        Event(table, row, 17);
      }
      break;
  }
  LinkAndEnable();
  CountContinuationSheets();
  return result;
}

bool CBoxesORD007::SelectSheet(int sheet, int printing) {
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
  if (sheet > continuationSheets + 1) {
    ClearSheetTitle(kTitleBox);
    return false;
  }
  if (sheet <= 0) return true;
  int pages = 1;
  if (!filing && sheet != 2) {
    pages = (sheet > 2) + (sheet > 3) + (sheet > 4);
    if (sheet >= 3 && sheet <= 5 && printing == 1) ++pages;
  }
  for (int table : {kFunds, kOther, kTransfers})
    if (CScrollRowTable* t = Table(table))
      for (int k = 0; k < pages; ++k) t->PageDown();
  BindRows();
  LinkAndEnable();
  ChooseValueDialogs();
  auto unbind = [&](int from, int to) {
    for (int p = from; p <= to; ++p)
      if (CBoxField* box = Position(p)) box->data = nullptr;
  };
  unbind(3, 6);
  unbind(26, 34);
  unbind(68, 71);
  unbind(114, 116);
  if (CBoxField* box = Position(kSheetBox)) box->data = nullptr;
  ShowSheetTitle(kTitleBox, kContinuationTitle);
  return true;
}

// ---------------------------------------------------------------- view

ORD007::ORD007(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD007>(host.PageDocument() ? host.PageDocument()->Block()
                                                                  : std::span<std::uint8_t>()),
               parent),
      buttons_(*this,
               {{CBoxesORD007::kFunds, 0, kButtonsX, 252, 8, 25},
                {CBoxesORD007::kOther, 0, kButtonsX, 536, 35, 67},
                {CBoxesORD007::kTransfers, 0, kButtonsX, 764, 72, 113}},
               [this](int table, int) {
                 if (table == CBoxesORD007::kTransfers && List()) List()->ChooseValueDialogs();
                 const int anchor = table == CBoxesORD007::kFunds ? 20 : table == CBoxesORD007::kOther ? 57 : 100;
                 GoToBox(anchor - 1);
               }) {}

bool ORD007::InitPageControls() {
  const bool result = CRentaVista::InitPageControls();
  buttons_.Create();
  return result;
}

bool ORD007::HandleNavigationKey(int key, Qt::KeyboardModifiers mods) {
  if (!Editor()) return true;
  buttons_.HandleKey(key);
  if (key == Qt::Key_F3 || key == Qt::Key_F4) return true;
  return CRentaVista::HandleNavigationKey(key, mods);
}

void ORD007::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  RepaintBoxes();
  buttons_.Update();
}

void ORD007::Calculate() {
  if (doc::CProg32Doc* d = GetDocument()) d->Calculate(1);
}

int ORD007::Ask(const char* code, MessageIcon icon) {
  IMessageService* m = Host().Messages();
  return m ? m->ShowMessage(code, icon) : 1;
}

void ORD007::ReloadAllRows() {
  if (CBoxesORD007* list = List())
    for (int r = 0; r < 3; ++r) {
      list->OnRowTableEvent(CBoxesORD007::kFunds, r, 10, 0);
      list->OnRowTableEvent(CBoxesORD007::kOther, r, 15, 0);
      list->OnRowTableEvent(CBoxesORD007::kTransfers, r, 19, 0);
    }
}

int ORD007::OnBoxEdited(int position) {
  CBoxesORD007* list = List();
  doc::CProg32Doc* d = GetDocument();
  if (!list || !d) return EndEdit(position, 1);
  auto ev = [&](int table, int row, int event) { list->OnRowTableEvent(table, row, event, 0); };
  if (position == 4 || position == 6) {
    ev(CBoxesORD007::kOffsets, position == 4 ? 0 : 1, 6);
  } else if (position >= 8 && position <= 25) {
    const int r = (position - 8) / 6, j = (position - 8) % 6;
    ev(CBoxesORD007::kFunds, r, 6);
    if (j == 1) {
      // The entity's NIF: an entity's, normalised, or a blank.
      const std::size_t at = f100::SectionG1.offset + 32 + f100::sec_g1::kRowSize *
                                                               static_cast<std::size_t>(list->Record(CBoxesORD007::kFunds, r)) + 1;
      char* text = reinterpret_cast<char*>(d->Block().data() + at);
      if (!Empty(reinterpret_cast<std::uint8_t*>(text))) {
        std::string normal;
        const int cls = checks::CValidationHelper::ClassifyNif(std::string(text, 9).c_str(), &normal);
        CEditEx* e = Editor();
        if (cls == checks::kNifEntityDigit || cls == checks::kNifEntityLetter || cls == checks::kNifPublicEntityLetter) {
          normal.resize(9, ' ');
          std::memcpy(text, normal.data(), 9);
          if (e) e->setText(QString::fromStdString(normal).trimmed());
        } else {
          Ask("WIN003", MessageIcon::Warning);
          if (e) e->setText(QStringLiteral(" "));
        }
        if (e && e->GetDlgCtrlID() == position) e->StoreToData();
        ev(CBoxesORD007::kFunds, r, 6);
      }
      ev(CBoxesORD007::kFunds, r, 7);
      buttons_.Update();
    }
  } else if (position >= 35 && position <= 67) {
    const int r = (position - 35) / 11, j = (position - 35) % 11;
    ev(CBoxesORD007::kOther, r, 12);
    if (j == 1) {
      ev(CBoxesORD007::kOther, r, 13);
      buttons_.Update();
    }
  } else if (position >= 72 && position <= 113) {
    const int r = (position - 72) / 14, j = (position - 72) % 14;
    if (j == 1) ev(CBoxesORD007::kTransfers, r, 16);
    // A class typed into its box follows the rule of a class chosen in its list.
    if (j == 2) return OnBoxSubDialogValue(position);
  }
  Calculate();
  return EndEdit(position, 1);
}

int ORD007::OnBoxValueChanged(int position) {
  CBoxesORD007* list = List();
  doc::CProg32Doc* d = GetDocument();
  if (!list || !d) return 0;
  auto ev = [&](int table, int row, int event) { list->OnRowTableEvent(table, row, event, 0); };
  if (position == 3 || position == 5) {
    const int r = position == 3 ? 0 : 1;
    RepaintBoxes();
    RepaintBoxes();
    ev(CBoxesORD007::kOffsets, r, 6);
    ev(CBoxesORD007::kOffsets, r, 7);
    std::uint8_t* rec = d->Block().data() + f100::SectionG1.offset;
    if (rec[0] != 0 && rec[0] == rec[16]) {
      Ask("100R045", MessageIcon::Stop);
      std::memset(rec + 16 * r, 0, 16);
      ev(CBoxesORD007::kOffsets, r, -3);
      ev(CBoxesORD007::kOffsets, r, 6);
      ev(CBoxesORD007::kOffsets, r, 7);
    }
  } else if (position == 8 || position == 14 || position == 20) {
    const int r = (position - 8) / 6;
    ev(CBoxesORD007::kFunds, r, 6);
    ev(CBoxesORD007::kFunds, r, 7);
    buttons_.Update();
  } else if (position == 35 || position == 46 || position == 57) {
    const int r = (position - 35) / 11;
    ev(CBoxesORD007::kOther, r, 12);
    ev(CBoxesORD007::kOther, r, 13);
    buttons_.Update();
  } else if (position == 72 || position == 86 || position == 100) {
    const int r = (position - 72) / 14;
    ev(CBoxesORD007::kTransfers, r, 16);
    ev(CBoxesORD007::kTransfers, r, 17);
    buttons_.Update();
  }
  Calculate();
  RepaintBoxes();
  RepaintBoxes();
  return 0;
}

int ORD007::OnBoxValueCleared(int position) {
  CBoxesORD007* list = List();
  doc::CProg32Doc* d = GetDocument();
  if (!list || !d) return 0;
  auto ev = [&](int table, int row, int event) { list->OnRowTableEvent(table, row, event, 0); };
  auto transfer = [&](int r) {
    return d->Block().data() + f100::SectionG3.offset +
           kTransferRecord * static_cast<std::size_t>(list->Record(CBoxesORD007::kTransfers, r));
  };
  if (position == 8 || position == 14 || position == 20) {
    if (Ask("100P023", MessageIcon::Information) != 1) return 0;
    ev(CBoxesORD007::kFunds, (position - 8) / 6, 7);
  } else if (position == 35 || position == 46 || position == 57) {
    if (Ask("100P023", MessageIcon::Information) != 1) return 0;
    ev(CBoxesORD007::kOther, (position - 35) / 11, 13);
  } else if (position == 72 || position == 86 || position == 100) {
    if (Ask("100P023", MessageIcon::Information) != 1) return 0;
    const int r = (position - 72) / 14;
    transfer(r)[1] = 0;
    ev(CBoxesORD007::kTransfers, r, 19);
    ev(CBoxesORD007::kTransfers, r, 17);
  } else if (position == 74 || position == 88 || position == 102) {
    const int r = (position - 74) / 14;
    transfer(r)[f100::sec_g3::AssetKind.off] = 0;
    ev(CBoxesORD007::kTransfers, r, 19);
    ev(CBoxesORD007::kTransfers, r, 17);
  }
  Calculate();
  for (int r = 0; r < 3; ++r) ev(CBoxesORD007::kTransfers, r, 19);
  RepaintBoxes();
  RepaintBoxes();
  return 1;
}

void ORD007::ClassChanged(int row, std::uint8_t before) {
  CBoxesORD007* list = List();
  doc::CProg32Doc* d = GetDocument();
  std::uint8_t* rec = d->Block().data() + f100::SectionG3.offset +
                      kTransferRecord * static_cast<std::size_t>(list->Record(CBoxesORD007::kTransfers, row));
  namespace g3 = f100::sec_g3;
  list->OnRowTableEvent(CBoxesORD007::kTransfers, row, 16, 0);
  const std::uint8_t now = rec[g3::AssetKind.off];
  auto amount = [&](std::size_t off) { return blocks::F64{off}.get(rec); };
  const bool valued = amount(g3::TransferValue.off) != 0 || amount(g3::AcquisitionValue.off) != 0;
  if (!Empty(&before) &&
      ((Listed(before) != Listed(now) && valued) || (amount(g3::Reinvested.off) != 0 && before == '3' && !Listed(now)))) {
    if (Ask("100P023", MessageIcon::Information) == 1) {
      std::memset(rec + 32, 0, 96 - 32);
      std::memset(rec + 104, 0, 128 - 104);
    } else {
      rec[g3::AssetKind.off] = before;
    }
    Calculate();
    list->OnRowTableEvent(CBoxesORD007::kTransfers, row, 19, 0);
  } else if ((now == '5' || now == '6') && amount(g3::Amortisation.off) != 0) {
    if (Ask("100P070", MessageIcon::Information) == 8) rec[g3::AssetKind.off] = before;
    else blocks::F64{g3::Amortisation.off}.set(rec, 0.0);
    Calculate();
    list->OnRowTableEvent(CBoxesORD007::kTransfers, row, 19, 0);
  }
  list->ChooseValueDialogs();
}

int ORD007::OnBoxSubDialogValue(int position) {
  CBoxesORD007* list = List();
  doc::CProg32Doc* d = GetDocument();
  if (!list || !d) return 0;
  auto ev = [&](int table, int row, int event) { list->OnRowTableEvent(table, row, event, 0); };
  bool listed = true;
  if (position >= 10 && position <= 25 && (position - 8) % 6 >= 2) {
    ev(CBoxesORD007::kFunds, (position - 8) / 6, 6);
  } else if (position >= 35 && position <= 67 && ((position - 35) % 11 == 2 || (position - 35) % 11 == 3)) {
    ev(CBoxesORD007::kOther, (position - 35) / 11, 12);
  } else if (position >= 72 && position <= 113 && ((position - 72) % 14 == 3 || (position - 72) % 14 == 4)) {
    ev(CBoxesORD007::kTransfers, (position - 72) / 14, 16);
  } else if (position == 74 || position == 88 || position == 102) {
    const int r = (position - 74) / 14;
    const std::size_t at = f100::SectionG3.offset + f100::sec_g3::AssetKind.off +
                           kTransferRecord * static_cast<std::size_t>(list->Record(CBoxesORD007::kTransfers, r));
    ClassChanged(r, d->Block()[at]);
  } else if (position < 30 || position > 34) {
    listed = false;
  }
  if (!listed) {
    d->Model().WrittenAll();
    return 0;
  }
  Calculate();
  ReloadAllRows();
  RepaintBoxes();
  RepaintBoxes();
  d->Model().WrittenAll();
  return 1;
}

int ORD007::OnBoxSetFocus(int position) {
  const int j = position >= 72 && position <= 113 ? (position - 72) % 14 : -1;
  if (j >= 0 && j <= 4 && List()) List()->ChooseValueDialogs();
  return 1;
}

}  // namespace forms
