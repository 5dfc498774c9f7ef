#include "forms/pages/pat001.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "blocks/form714.h"
#include "data/doc/doc714.h"
#include "data/message_service.h"
#include "data/doc/active_declaration.h"
#include "forms/pages/page714.h"
#include "tallyvex.h"

namespace forms {

namespace {

constexpr std::size_t kP = f714::Personal.offset;
// Offsets inside Form714Personal.
constexpr std::size_t kRealObligation = 81, kPersonalObligation = 82, kResidence = 83, kNif = 86, kSurname1 = 96,
                      kSurname2 = 111, kGivenName = 126, kTelMorning = 256, kTelEvening = 257, kRepresentativeNif = 258,
                      kRepresentativeProvince = 422, kRegime = 428, kRegion = 431, kRegionalMark = 433, kDay = 474,
                      kMonth = 476, kYear = 486;
// The address the obligation marks blank: the street kind, the town and province, the postcode.
constexpr std::pair<std::size_t, std::size_t> kAddress[] = {{141, 3}, {230, 20}, {250, 6}};
constexpr std::size_t kSummaryExemptMark = f714::Summary.offset + 296;
constexpr int kResidenceBox = 2, kStreetKindBox = 8, kRepresentativeProvinceBox = 32, kRegionBox = 37,
              kRegionalMarkBox = 38, kReferenceCodeBox = 51;
constexpr char kPersonalRegion[] = "20", kRegionalRegion[] = "09";

bool Marked(std::uint8_t b) { return b == 1 || b == 'X' || b == 'x'; }
bool RegionIs(const std::uint8_t* p, const char* code) { return std::memcmp(p + kRegion, code, 2) == 0; }

void Editable(CBindingTableList& list, int position, bool on) {
  if (CBoxField* b = list.Position(position)) b->SoloLectur = on ? 0 : 1;
}

void BlankAddress(std::uint8_t* p) {
  for (const auto& [off, width] : kAddress) std::memset(p + off, ' ', width);
}

// A name field as the header takes it: empty when empty or starting with a blank, else its first
// 15 characters without the trailing blanks.
std::string NamePart(const std::uint8_t* field) {
  if (field[0] == 0 || field[0] == ' ') return {};
  std::string s(reinterpret_cast<const char*>(field), 15);
  s = s.substr(0, s.find('\0'));
  return s.substr(0, s.find_last_not_of(' ') + 1);
}

}  // namespace

void CBoxesPAT001::BindPageData(int rebind) {
  CBindingTableList::BindPageData(rebind);
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f714::kBlockSize) return;
  std::uint8_t* p = block.data() + kP;
  representativeProvince_ = {};
  if (CBoxField* b = Position(kRepresentativeProvinceBox)) b->option = &representativeProvince_;
  // The region code and the month are picked from their lists (communities, months), which read
  // and write the boxes' own fields.
  // The street kind is chosen from its list, in the address dialog.
  if (CBoxField* b = Position(kStreetKindBox)) b->decimals = -1;
  if (composeName) composeName();
  if (internetCopy && *internetCopy)
    if (CBoxField* b = Position(kReferenceCodeBox)) b->data = nullptr;
  Editable(*this, kRegionBox, !(p[kPersonalObligation] == 1 || p[kRealObligation] == 1));
  if (RegionIs(p, kRegionalRegion)) {
    Editable(*this, kRegionalMarkBox, true);
  } else {
    p[kRegionalMark] = 0;
    Editable(*this, kRegionalMarkBox, false);
  }
  ApplyResidenceRule();
}

void CBoxesPAT001::ReleasePageData() {
  if (CBoxField* b = Position(kRepresentativeProvinceBox)) b->option = nullptr;
  representativeProvince_ = {};
}

void CBoxesPAT001::ApplyResidenceRule() {
  const std::span<std::uint8_t> block = Block();
  if (block.size() >= f714::kBlockSize) Editable(*this, kResidenceBox, block[kP + kRealObligation] != 0);
}

void CBoxesPAT001::RefreshBoxStates(int position) {
  const std::span<std::uint8_t> block = Block();
  if (block.size() < f714::kBlockSize) return;
  std::uint8_t* p = block.data() + kP;
  if (position == 1 || position == 3) {
    if (Marked(p[kPersonalObligation])) {
      std::memcpy(p + kRegion, kPersonalRegion, 2);
      Editable(*this, kRegionBox, false);
    } else if (Marked(p[kRealObligation])) {
      std::memset(p + kRegion, 0, 4);
      Editable(*this, kRegionBox, false);
    } else {
      std::memset(p + kRegion, 0, 2);
      Editable(*this, kRegionBox, true);
    }
  } else if (position >= 34 && position <= 36) {
    const std::size_t own = kRegime + static_cast<std::size_t>(position - 34);
    if (p[own] != 1) return;
    for (int other = 34; other <= 36; ++other) {
      if (other == position) continue;
      p[kRegime + static_cast<std::size_t>(other - 34)] = 0;
      if (CBoxField* b = Position(other)) b->UpdateText();
    }
  }
}

PAT001::PAT001(IPageHost& host, QWidget* parent)
    : CGenericPage714(host, kCode, std::make_unique<CBoxesPAT001>(DocumentBlock714(host)), parent) {
  CBoxesPAT001& list = List();
  BindDocumentBoxes714(list, host, kCode);
  if (auto* d = dynamic_cast<doc::C714Doc*>(host.PageDocument())) {
    list.composeName = [d] { d->ComposeDeclarantName(); };
    list.internetCopy = &d->PrintSheetState().internetCopy;
  }
}

bool PAT001::InitPageControls() {
  List().ApplyResidenceRule();
  C714Vista::InitPageControls();
  setMouseTracking(true);  // tooltips over the boxes
  return true;
}

void PAT001::RecalculateAndRefresh() {
  if (doc::CProg32Doc* d = GetDocument()) d->CommitPendingBoxEdit();
}

int PAT001::Recalculate(bool personal) {
  doc::CProg32Doc* d = GetDocument();
  if (!d) return 1;
  if (personal && d->Block().size() >= f714::kBlockSize) Calculos714DP(d->Block().data() + kP);
  d->Calculate(0);
  RepaintBoxes();
  RepaintBoxes();
  return 1;
}

void PAT001::ComposeName(const std::uint8_t* p) {
  auto* d = dynamic_cast<doc::C714Doc*>(GetDocument());
  if (!d) return;
  char text[64];
  std::snprintf(text, sizeof text, "%s %s, %s", NamePart(p + kSurname1).c_str(), NamePart(p + kSurname2).c_str(),
                NamePart(p + kGivenName).c_str());
  d->SetDeclarantName(text);
}

void PAT001::RegionLeft(std::uint8_t* p) {
  if (RegionIs(p, kRegionalRegion)) {
    Editable(List(), kRegionalMarkBox, true);
    return;
  }
  if (p[kRegionalMark] != 0) {
    IMessageService* m = Host().Messages();
    if (m && m->ShowMessage("100P077", MessageIcon::Information) == 8) {
      std::memcpy(p + kRegion, kRegionalRegion, 2);
      Editable(List(), kRegionalMarkBox, true);
      return;
    }
    p[kRegionalMark] = 0;
  }
  Editable(List(), kRegionalMarkBox, false);
}

void PAT001::ResidenceAfterMark(std::uint8_t* p) {
  if (p[kRealObligation] == 0) {
    Editable(List(), kResidenceBox, false);
    std::memset(p + kResidence, 0, 3);
  } else {
    BlankAddress(p);
    Editable(List(), kResidenceBox, true);
  }
}

int PAT001::OnBoxEdited(int position) {
  doc::CProg32Doc* d = GetDocument();
  if (!d || d->Block().size() < f714::kBlockSize) return 1;
  std::uint8_t* p = d->Block().data() + kP;
  auto refused = [&] {
    d->Calculate(0);
    RepaintBoxes();
    RepaintBoxes();
    return 0;
  };
  switch (position) {
    case 1: case 3:
      List().RefreshBoxStates(position);
      [[fallthrough]];
    case 34: case 35: case 36: case 39:
      doc::MarkEditedSincePrinted();
      return Recalculate(true);
    case 4:
      if (!Host().RunFieldCheck(kNifCheck, p + kNif)) return refused();
      if (auto* d714 = dynamic_cast<doc::C714Doc*>(d)) std::memcpy(d714->HeaderNif().data(), p + kNif, 10);
      doc::MarkEditedSincePrinted();
      return 1;
    case 5: case 6: case 7:
      ComposeName(p);
      return 1;
    case 20:
      return Host().RunFieldCheck(kAnyNifCheck, p + kRepresentativeNif) ? 1 : refused();
    case 33:
      return Host().RunFieldCheck(kProvinceCheck, p + kRepresentativeProvince) ? 1 : refused();
    case 41:
      if (Host().RunFieldCheck(kDateCheck, p + kDay)) return 1;
      std::memset(p + kDay, 0, 2);
      return 0;
    case 42:
      if (Host().RunFieldCheck(kDateCheck, p + kDay)) return 1;
      std::memset(p + kMonth, 0, 10);
      return 0;
    case 43:
      if (Host().RunFieldCheck(kYearCheck, p + kYear) && Host().RunFieldCheck(kDateCheck, p + kDay)) return 1;
      std::memset(p + kYear, 0, 4);
      return 0;
    default: return 1;
  }
}

int PAT001::OnBoxValueChanged(int position) {
  doc::CProg32Doc* d = GetDocument();
  if (!d || d->Block().size() < f714::kBlockSize) return 1;
  std::uint8_t* block = d->Block().data();
  std::uint8_t* p = block + kP;
  switch (position) {
    case 1:
      if (p[kPersonalObligation] == 1) p[kPersonalObligation] = 0;
      else block[kSummaryExemptMark] = 0;
      std::memset(p + kRegion, 0, 2);
      List().RefreshBoxStates(1);
      ResidenceAfterMark(p);
      if (p[kRealObligation] != 0) {
        p[kRegionalMark] = 0;
        Editable(List(), kRegionalMarkBox, false);
      }
      doc::MarkEditedSincePrinted();
      break;
    case 3:
      if (p[kRealObligation] == 1) {
        p[kRealObligation] = 0;
        Editable(List(), kResidenceBox, false);
        std::memset(p + kResidence, 0, 3);
      }
      List().RefreshBoxStates(3);
      if (p[kPersonalObligation] == 1) BlankAddress(p);
      if (p[kPersonalObligation] != 0) {
        p[kRegionalMark] = 0;
        Editable(List(), kRegionalMarkBox, false);
      }
      doc::MarkEditedSincePrinted();
      break;
    case 18: case 19: {
      auto set = [](std::uint8_t b) { return b == 1 || b == 'X'; };
      if (set(p[kTelMorning]) && set(p[kTelEvening])) p[position == 18 ? kTelEvening : kTelMorning] = 0;
      break;
    }
    case 34: case 35: case 36:
      List().RefreshBoxStates(position);
      doc::MarkEditedSincePrinted();
      break;
    case kRegionBox:
      RegionLeft(p);
      doc::MarkEditedSincePrinted();
      break;
    case 39: doc::MarkEditedSincePrinted(); break;
    default: break;
  }
  return Recalculate(true);
}

int PAT001::OnBoxValueCleared(int position) {
  doc::CProg32Doc* d = GetDocument();
  if (!d || d->Block().size() < f714::kBlockSize) return 1;
  std::uint8_t* p = d->Block().data() + kP;
  switch (position) {
    case 1:
      List().RefreshBoxStates(1);
      ResidenceAfterMark(p);
      doc::MarkEditedSincePrinted();
      break;
    case 3:
      List().RefreshBoxStates(3);
      doc::MarkEditedSincePrinted();
      break;
    case 34: case 35: case 36: case 39: doc::MarkEditedSincePrinted(); break;
    case kRegionBox:
      RegionLeft(p);
      doc::MarkEditedSincePrinted();
      break;
    default: break;
  }
  return Recalculate(true);
}

int PAT001::OnBoxSubDialogValue(int) { return Recalculate(false); }

void RegisterPat001() {
  RegisterPageClass("PAT001", [](IPageHost& host, QWidget* parent) -> CFormView* { return new PAT001(host, parent); });
}

}  // namespace forms
