#include "data/doc/renta_doc.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <tuple>

#include "blocks/family_entries.h"
#include "blocks/form100_payment.h"
#include "data/doc/reference.h"
#include "data/util/utilities.h"

namespace doc {

namespace fam = f100::family;

namespace {

// Fields of the declarant that a spouse filing jointly shares: source, width, destinations
// (offsets within Form100Family).
struct SharedField {
  std::size_t from, width;
  std::array<std::size_t, 3> to;
};
constexpr SharedField kSharedWithSpouse[] = {
    {765, 2, {1560, 1562, 769}},   {790, 20, {1585, 1605, 830}},  {890, 5, {1685, 1690, 900}},
    {915, 2, {1710, 1712, 919}},   {925, 2, {1720, 1722, 929}},   {935, 2, {1730, 1732, 939}},
    {945, 25, {1740, 1765, 995}},  {1070, 14, {1865, 1879, 1098}}, {1140, 5, {1935, 1940, 1150}},
};
constexpr blocks::U8 kDeclarantMarker{755}, kSpouseMarker{1555};

// NIFs of Form100Personal.
constexpr blocks::Text kDeclarantNif{80, 9}, kSpouseNif{89, 9}, kChild1Nif{98, 9}, kChild2Nif{107, 9};

// What page 1 shows of each member (one slot per member, family unit first; offsets within
// Form100Family): the civil-status marks in the order of the wizard's codes (single, married,
// widowed, separated or divorced), the own and the other spouse's date of birth with their years.
constexpr std::size_t At(std::size_t blockOffset) { return blockOffset - f100::Family.offset; }
constexpr std::size_t kCivilMarks[4] = {At(753), At(763), At(758), At(768)};
constexpr std::size_t kOwnBirth = At(1473), kOwnBirthYear = At(1453);
constexpr std::size_t kOtherBirth = At(2268), kOtherBirthYear = At(2248);

void SetBirth(std::uint8_t* family, std::size_t date, std::size_t year, int slot, std::string_view birth) {
  const auto k = static_cast<std::size_t>(slot);
  blocks::Text{date + 8 * k, 8}.set(family, birth);
  blocks::Text{year + 4 * k, 4}.set(family, birth.size() >= 8 ? birth.substr(4, 4) : std::string_view{});
}

// Descendant ranking arrays in Form100Family.
constexpr blocks::F64 kFirstNumber{4184};
constexpr blocks::Text kFirstDate{4224, 8};
constexpr blocks::F64 kSecondNumber{4264};
constexpr blocks::Text kSecondDate{4304, 8};

// One holder's identification in a table of holders: the identification tables of
// Form100Family (one slot per member, each field next to the previous member's) or the
// descendant entries (one slot per entry, no NIF).
struct HolderFields {
  blocks::Text nif, given, surname1, surname2;
  std::size_t stride = 0;  // between slots; 0: each field's own width
  blocks::Text slot(const blocks::Text& t, int i) const {
    return t(static_cast<std::size_t>(i), stride != 0 ? stride : t.width);
  }
};
constexpr HolderFields kFirstHolder{fam::HolderNif, fam::HolderGivenName, fam::HolderSurname1, fam::HolderSurname2};
constexpr HolderFields kSecondHolder{fam::SpouseNif, fam::SpouseGivenName, fam::SpouseSurname1, fam::SpouseSurname2};
constexpr HolderFields kDescendantNames{{}, fam::descendant::GivenName(0), fam::descendant::Surname1(0),
                                        fam::descendant::Surname2(0), fam::kDescendantSize};

void CopyHolderName(std::uint8_t* f, const HolderFields& from, int fromSlot, const HolderFields& to, int toSlot) {
  auto copy = [&](const blocks::Text& a, const blocks::Text& b) {
    to.slot(b, toSlot).set(f, std::string(from.slot(a, fromSlot).raw(f)));
  };
  copy(from.given, to.given);
  copy(from.surname1, to.surname1);
  copy(from.surname2, to.surname2);
}

std::string AccountText(const void* q, const f100::payment::Account& a) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%4.4s%4.4s%2.2s%10.10s", std::string(a.entity.str(q)).c_str(),
                std::string(a.branch.str(q)).c_str(), std::string(a.control.str(q)).c_str(),
                std::string(a.number.str(q)).c_str());
  return buf;
}

bool SameAccount(const void* q, const f100::payment::Account& a, const f100::payment::Account& b) {
  return a.entity.raw(q) == b.entity.raw(q) && a.branch.raw(q) == b.branch.raw(q) &&
         a.control.raw(q) == b.control.raw(q) && a.number.raw(q) == b.number.raw(q);
}

}  // namespace

CRentaDoc::CRentaDoc(store::DeclarationStore& store, DocumentHost& host, Calculator calculator, Validator validator)
    : CProg32Doc(store, host, store::kKindForm100, f100::kBlockSize, true),
      calculator_(std::move(calculator)),
      validator_(std::move(validator)),
      header_(57, ' ') {
  header_.append(57, '\0');
  model_.SetShownMember(kFamilyUnit, 0);
  targetMember_ = model_.ShownMember();
  targetView_ = model_.MemberView();
}

CRentaDoc::~CRentaDoc() = default;

void CRentaDoc::ClearDeclarationData() {
  model_.SetModality(0);
  std::span<std::uint8_t> block = Block();
  std::fill(block.begin(), block.end(), 0);
  CProg32Doc::ClearDeclarationData();
}

bool CRentaDoc::LoadFromDatabase() {
  if (!CProg32Doc::LoadFromDatabase()) return false;
  if (newDeclaration_)
    for (int i = 0; i < f100::kMembers; ++i) fam::MemberStatus(i).set(Family(), 0);
  return true;
}

bool CRentaDoc::OpenDeclaration(std::string_view key, bool isNew) {
  if (!CProg32Doc::OpenDeclaration(key, isNew)) return false;
  ClearDeclarationData();
  kind_ = 255;
  if (!LoadFromDatabase()) return false;
  if (isNew) {
    kind_ = 0;
    SaveToDatabase();
    model_.MarkSaved();
    model_.SetModality(host_.AskCaptureType());
    // A declaration whose capture type was not answered is neither individual nor joint: it is
    // not set up, as when the family data are cancelled.
    if (model_.Modality() > 1 || !host_.RunFamilyWizard(*this, true, 0)) {
      UpdateMemberStatusBar(true);
      return false;
    }
    ShowFormPages();
  } else {
    int loadedKind = kind_;
    ComputeHouseholdFlags();
    if (fam::CommunityCodeCopy(2).raw(Family()) == std::string_view("\0\0", 2)) {
      model_.SetHouseholdMember(kSpouse, false);
      std::fill_n(barcode_.begin(), 4, '\0');
    }
    kind_ = 255;
    if (loadedKind == store::kKindForm100) ShowFormPages();
  }
  // The member shown on opening.
  if (model_.Modality() != 1) {
    model_.SetShownMember(kDeclarant, model_.MemberView());
  } else if (f100::personal::OpenOnFamilyUnit.get(Personal()) != 0) {
    model_.SetShownMember(kFamilyUnit, 1);
  } else if (f100::GetDeclarationMode(Data()) != 1 || fam::SpouseExcluded.get(Family()) != 0) {
    model_.SetShownMember(kDeclarant, 0);
  } else {
    model_.SetShownMember(kFamilyUnit, 1);
  }
  return true;
}

void CRentaDoc::ShowFormPages() {
  if (kind_ == store::kKindForm100) return;
  CommitPendingBoxEdit();
  // The block itself is unchanged, but the row's kind moves to that of the pages.
  if (kind_ != 255) model_.WrittenAll();
  kind_ = store::kKindForm100;
  currentPage_ = 0;
  host_.ShowPage(0, 0);
  UpdateMemberStatusBar(false);
}

void CRentaDoc::Calculate(int mode) {
  if (calculator_) {
    CalcRequest r;
    r.mode = mode;
    r.shownMember = model_.ShownMember();
    r.targetMember = targetMember_;
    r.useTargetMember = targetMemberFlag_;
    r.modality = model_.Modality();
    calculator_(Block(), r);
  }
  overflow_warning::Arm();
}

int CRentaDoc::CommitPendingBoxEdit() {
  int r = CProg32Doc::CommitPendingBoxEdit();
  UpdateMemberStatusAfterEdit();
  return r;
}

bool CRentaDoc::SaveToDatabase() {
  CommitPendingBoxEdit();
  const bool wasModified = IsModified();
  Calculate(1);

  std::uint8_t* f = Family();
  bool need = false, anyChanged = false;
  for (int i = 0; i < f100::kMembers; ++i) {
    std::string_view text = fam::ReferenceText(i).raw(f), number = fam::ReferenceNumber(i).raw(f);
    if (text[0] == 0 || text[0] == ' ' || number[0] == 0 || (number[0] == ' ' && !model_.EditedSincePrinted()))
      need = true;
    if (fam::MemberStatus(i).get(f) == 2) anyChanged = true;
  }
  bool renew;
  if (anyChanged) {
    model_.SetEditedSincePrinted(true);
    renew = true;
  } else {
    model_.SetEditedSincePrinted(false);
    renew = need && !secondPaperCopy_;
  }
  if (renew) {
    bool warned = false;
    for (int i = 0; i < f100::kMembers; ++i) {
      const int m = i + 1;
      const std::string nif(fam::HolderNif(i).str(f));
      const std::uint8_t status = fam::MemberStatus(i).get(f);
      BuildReferenceCode(nif, m);
      if (status != 1) fam::ReferenceText(i).set(f, referenceText_.substr(0, 60));
      std::string n = BuildReferenceNumber(2, yearText_, nif, i, referenceSettings_.clock());
      if (status != 1) fam::ReferenceNumber(i).set(f, n.substr(0, 20), '\0');
      model_.SetEditedSincePrinted(false);
      if (status == 2) {
        if ((m == model_.ShownMember() || model_.ShownMember() == 1) && !warned) {
          store_.Messages().Coded("WIN026", MessageIcon::Warning, ReplaceSheetsText());
          warned = true;
        }
        fam::MemberStatus(i).set(f, 0);
      }
    }
  }
  // A new declaration's row always names its form, never a transient kind.
  const int kind = (kind_ == 0 || kind_ == 255) ? store::kKindForm100 : kind_;
  std::optional<char> modality;
  if (model_.Modality() == 0) modality = 'I';
  else if (model_.Modality() == 1) modality = 'C';
  return WriteBlock(kind, modality, wasModified);
}

int CRentaDoc::ValidateDeclaration(int type) {
  int severity = -1;
  {
    // The old findings go, the declaration is saved and the new findings come in one commit
    // rather than one wait for the disk each; committed before any question is asked.
    db::Transaction batch(store_.Connection());
    store_.DeleteCorrections(key_);
    if (!SaveToDatabase()) {
      batch.Commit();
      return 2;
    }
    // The status command validates both spouses when they ask for suspension and waiver and the
    // declarant's declaration was not printed yet.
    if (type == 3 && f100::summary::SuspensionRequest.get(f100::record(Data(), f100::Summary)) == 1 &&
        (model_.ShownMember() == 2 || model_.ShownMember() == 3) && MemberStatus(2) != 1)
      targetMember_ = 6;
    if (!validator_) {
      batch.Commit();
      return 1;
    }
    severity = validator_(type, targetView_ == 1 ? 1 : targetMember_, -1);
    batch.Commit();
  }
  if (severity >= 0) return 0;
  switch (type) {
    case 0:
    case 1:
    case 2:
      // Both spouses' declarations: each spouse is asked.
      if (targetMember_ == 6)
        return host_.AskTaxAssignmentChoice(2, 0, "DEC") == 0 || host_.AskTaxAssignmentChoice(3, 0, "CON") == 0 ? 2 : 1;
      if (type != 1) return host_.AskTaxAssignmentChoice(targetMember_, 0, "") == 0 ? 2 : 1;
      return host_.AskTaxAssignmentChoice(targetMember_, 1, "") == 0 ? 2 : 1;
  }
  return 1;
}

bool CRentaDoc::UpdateMemberStatusAfterEdit() {
  std::uint8_t* f = Family();
  const int shown = model_.ShownMember();
  if (model_.EditedSincePrinted()) {
    auto promote = [&](int member) {
      if (fam::MemberStatus(member - 1).get(f) == 1) fam::MemberStatus(member - 1).set(f, 2);
    };
    if (shown == 1) {
      for (int m = 1; m <= f100::kMembers; ++m) promote(m);
    } else {
      promote(1);
      promote(shown);
      std::uint8_t d = fam::MemberStatus(1).get(f), s = fam::MemberStatus(2).get(f);
      if (f100::summary::SuspensionRequest.get(f100::record(Data(), f100::Summary)) == 1 && d != s &&
          (d == 2 || s == 2)) {
        fam::MemberStatus(1).set(f, 2);
        fam::MemberStatus(2).set(f, 2);
      }
    }
    model_.SetEditedSincePrinted(false);
  }
  return shown < 1 || shown > 5 || fam::MemberStatus(shown - 1).get(f) != 2;
}

void CRentaDoc::SetMemberStatus(int status) {
  if (targetMember_ >= 1 && targetMember_ <= 5)
    fam::MemberStatus(targetMember_ - 1).set(Family(), static_cast<std::uint8_t>(status));
}

std::string CRentaDoc::CommunityCode(int member) const {
  return std::string(f100::personal::communityCode(member).raw(Personal()));
}

void CRentaDoc::ComputeHouseholdFlags() {
  std::array<std::uint8_t, 5> household{};
  bool familyUnitCopy = false;
  household[1] = 1;
  int shown = kDeclarant;
  if (model_.Modality() == 1) {
    household[2] = f100::GetDeclarationMode(Data()) == 1 ? 1 : 0;
    if (fam::SpouseExcluded.get(Family()) != 0) household[2] = 0;
    for (int i = 0; i < fam::kDescendantCount; ++i) {
      if (fam::descendant::Child1Mark(i).isSet(Family())) household[3] = 1;
      if (fam::descendant::Child2Mark(i).isSet(Family())) household[4] = 1;
    }
    if (household[2] || household[3] || household[4] || f100::personal::OpenOnFamilyUnit.get(Personal()) == 1) {
      household[0] = 1;
      shown = kFamilyUnit;
      familyUnitCopy = true;
    }
  }
  model_.SetHousehold(household, familyUnitCopy);
  model_.SetShownMember(shown, model_.MemberView());
}

bool CRentaDoc::CanShowMember(int member) const {
  const bool joint = model_.Joint();
  switch (member) {
    case 1: return joint && model_.HasMember(kFamilyUnit);
    case 2: return true;
    case 3: return joint && model_.HasMember(kSpouse) && CommunityCode(3) != "99" && fam::SpouseExcluded.get(Family()) == 0;
    case 4:
    case 5: return joint && model_.HasMember(member) && CommunityCode(member) != "99";
  }
  return false;
}

void CRentaDoc::ShowMember(int member) {
  model_.ShowMember(member, member == 1 ? 1 : 0, [this] {
    FillHeaderIdentification();
    UpdateMemberStatusBar(false);
  });
}

std::string_view CRentaDoc::MemberName(int member) {
  switch (member) {
    case 1: return "U.FAMILIAR";
    case 2: return "DECLARANTE";
    case 3: return "CÓNYUGE";
    case 4: return "HIJO 1º";
    case 5: return "HIJO 2º";
  }
  return {};
}

void CRentaDoc::UpdateMemberStatusBar(bool clear) {
  if (clear) host_.SetStatusPanes({}, {});
  else host_.SetStatusPanes(MemberName(model_.ShownMember()), kind_ == 1 ? "SIMPLIFICADA" : "");
}

void CRentaDoc::ApplyFamilyData(int remembered, bool spouseJustExcluded) {
  std::uint8_t* f = Family();
  const std::uint8_t* p = Personal();
  fam::SpouseExcludedCopy.set(f, fam::SpouseExcluded.get(f));
  // Identification tables: holders' NIFs per member.
  auto nif = [&](const blocks::Text& t) { return std::string(t.raw(p)); };
  fam::HolderNif(0).set(f, nif(kDeclarantNif));
  fam::HolderNif(1).set(f, nif(kDeclarantNif));
  fam::SpouseNif(2).set(f, nif(kDeclarantNif));
  fam::SpouseNif(0).set(f, nif(kSpouseNif));
  fam::SpouseNif(1).set(f, nif(kSpouseNif));
  fam::HolderNif(2).set(f, nif(kSpouseNif));
  fam::HolderNif(3).set(f, nif(kChild1Nif));
  fam::HolderNif(4).set(f, nif(kChild2Nif));
  // Names follow the NIFs: the declarant's and the spouse's from their own members, the
  // children's from the descendant entries that carry their marks.
  CopyHolderName(f, kFirstHolder, 1, kFirstHolder, 0);
  CopyHolderName(f, kFirstHolder, 1, kSecondHolder, 2);
  CopyHolderName(f, kFirstHolder, 2, kSecondHolder, 0);
  CopyHolderName(f, kFirstHolder, 2, kSecondHolder, 1);
  for (int child : {1, 2})
    if (int d = FindChildDescendant(child, -1); d >= 0)
      CopyHolderName(f, kDescendantNames, d, kFirstHolder, 2 + child);
  for (int m = 1; m <= f100::kMembers; ++m) fam::CommunityCodeCopy(m - 1).set(f, CommunityCode(m));
  // Page 1 shows the civil status and the dates of birth that the wizard keeps in the personal
  // record: the spouses share the status, the children are single.
  namespace wp = f100::wizard_personal;
  const unsigned status = std::min<unsigned>(wp::CivilStatus.get(p), 3);
  for (std::size_t slot = 0; slot < 5; ++slot)
    for (unsigned code = 0; code < 4; ++code) f[kCivilMarks[code] + slot] = (slot < 3 ? code == status : code == 0) ? 1 : 0;
  const std::string_view declarant = wp::DeclarantBirth.raw(p), spouse = wp::SpouseBirth.raw(p);
  for (const auto& [slot, own, other] : {std::tuple{0, declarant, spouse}, std::tuple{1, declarant, spouse},
                                         std::tuple{2, spouse, declarant}}) {
    SetBirth(f, kOwnBirth, kOwnBirthYear, slot, own);
    SetBirth(f, kOtherBirth, kOtherBirthYear, slot, other);
  }
  SetBirth(f, kOwnBirth, kOwnBirthYear, 3, wp::Child1Birth.raw(p));
  SetBirth(f, kOwnBirth, kOwnBirthYear, 4, wp::Child2Birth.raw(p));
  if (fam::SpouseExcluded.get(f) == 0 && f100::GetDeclarationMode(Data()) == 1 && kDeclarantMarker.isSet(f) &&
      kSpouseMarker.isSet(f)) {
    for (const SharedField& s : kSharedWithSpouse)
      for (std::size_t to : s.to) std::memmove(f + to, f + s.from, s.width);
  }
  model_.WrittenAll();
  Calculate(1);
  ComputeHouseholdFlags();
  int show = 2;
  if (model_.Joint()) {
    show = remembered;
    if (show == 3 && spouseJustExcluded) show = 1;
    if (!MemberExists(show) || CommunityCode(show) == "99") show = model_.HasMember(kFamilyUnit) ? 1 : 2;
  }
  model_.ShowMemberAnew(show, show == 1 ? 1 : 0);
  UpdateMemberStatusBar(false);
}

std::string CRentaDoc::HolderName(std::string_view given, std::string_view s1, std::string_view s2,
                                  bool surname1Present) {
  std::string name = TrimBlanks(s1);
  if (surname1Present) name += ' ';
  name += TrimBlanks(s2);
  name = TrimBlanks(name);
  name += ", " + TrimBlanks(given);
  name.resize(48, ' ');
  return name;
}

void CRentaDoc::PrepareFamilyWizard() {
  std::uint8_t* f = Family();
  for (int child : {1, 2})
    if (int d = FindChildDescendant(child, -1); d >= 0)
      CopyHolderName(f, kFirstHolder, 2 + child, kDescendantNames, d);
}

void CRentaDoc::FillHeaderIdentification() {
  const int m = model_.ShownMember();
  if (m < 1 || m > 5) return;
  const std::uint8_t* f = Family();
  const int i = m - 1;
  // Names are stored followed by a zero byte when shorter than their field; the header holds
  // them blank-padded.
  auto holder = [&](const HolderFields& h) {
    std::string nif(h.slot(h.nif, i).str(f));
    nif.resize(h.nif.width, ' ');
    const blocks::Text surname1 = h.slot(h.surname1, i);
    return nif + HolderName(h.slot(h.given, i).str(f), surname1.str(f), h.slot(h.surname2, i).str(f),
                            surname1.raw(f)[0] != 0);
  };
  header_.assign(114, '\0');
  header_.replace(0, 57, holder(kFirstHolder));
  const bool second = m == 3 || ((m == 1 || m == 2) && model_.HasMember(kSpouse));
  if (second) header_.replace(57, 57, holder(kSecondHolder));
}

double CRentaDoc::TargetResult(int m) const {
  const std::uint8_t* f = Family();
  return (fam::ResultSelection1(m).get(f) == 1 || fam::ResultSelection2(m).get(f) == 1)
             ? f100::result::MemberResult.get(f100::record(Data(), f100::Result), m - 1)
             : f100::section_n::ResultCopy.get(f100::record(Data(), f100::SectionN), m - 1);
}

char CRentaDoc::SheetMarkChar() const {
  const int m = targetMember_ >= 1 && targetMember_ <= 5 ? targetMember_ : 2;
  const std::uint8_t* f = Family();
  const bool marked = fam::ChurchTaxBox(m).get(f) != 0 || fam::SocialPurposeBox(m).get(f) != 0 ||
                      fam::NoAssignment(m).get(f) != 0;
  return SheetMarkChar100(dotCodePieces_, TargetResult(m), marked);
}

std::string CRentaDoc::BuildBarcodeData() {
  namespace pay = f100::payment;
  const int m = targetMember_ >= 1 && targetMember_ <= 5 ? targetMember_ : 2;
  const std::uint8_t* q = f100::record(Data(), f100::SectionQ);
  const double x = CUtilities::RoundToDecimals(TargetResult(m), 2);
  const bool suspension =
      f100::summary::SuspensionRequest.get(f100::record(Data(), f100::Summary)) == 1 && (m == 2 || m == 3);

  char letter;
  if (suspension && x == 0) letter = '2';
  else if (x > 0) letter = '0';
  else if (x < 0) letter = pay::RefundWaiverFlag(m).isSet(q) ? '4' : '1';
  else letter = '3';

  std::string code;
  if (suspension && x == 0) code = "11";
  else if (x < 0) code = "12";
  else if (x == 0) code = "01";
  else if (pay::Code01Flag(m).isSet(q)) code = "01";
  else if (pay::Code02Flag(m).isSet(q)) code = "02";
  else if (pay::Code23Flag(m).isSet(q)) code = "23";
  else if (!SameAccount(q, pay::Account1(m), pay::Account2(m))) code = "13";
  else code = "03";

  std::string account;
  if (pay::Account3(m).entity.raw(q)[0] != 0) account = AccountText(q, pay::Account3(m));
  else if (pay::Account1(m).entity.raw(q)[0] != 0) account = AccountText(q, pay::Account1(m));
  else if (pay::Account2(m).entity.raw(q)[0] != 0) account = AccountText(q, pay::Account2(m));
  else account.assign(20, '0');

  std::string amounts;
  if (x == 0) amounts.assign(22, '0');
  else if (x > 0 && !pay::Code01Flag(m).isSet(q)) amounts = BarcodeAmountDigits(pay::SecondAmount(m).get(q)) + BarcodeAmountDigits(x);
  else amounts = BarcodeAmountDigits(x) + BarcodeAmountDigits(x);

  std::string data = std::string(1, letter) + code + account + amounts + "03" + "0A";
  KeepBarcode(barcode_, data);
  return data;
}

std::string CRentaDoc::GetReferenceText(int index) const {
  int i = index == 0 ? targetMember_ - 1 : index;
  if (i < 0 || i >= f100::kMembers) return {};
  std::string n(fam::ReferenceNumber(i).raw(Family()));
  CUtilities::SqueezeOutBlanks(n);
  n.resize(13);
  return std::string(n.c_str());
}

void CRentaDoc::RankDescendants() {
  std::vector<std::uint8_t> entries(fam::kDescendantSize * fam::kDescendantCount);
  std::memcpy(entries.data(), Family() + fam::kDescendants, entries.size());
  RankDescendants(entries.data());
}

void CRentaDoc::RankDescendants(const std::uint8_t* entries) {
  std::uint8_t* f = Family();
  namespace entry = f100::descendant_entry;
  fam::DescendantRanking.clear(f);
  int declarant = 0, spouse = 0;
  std::array<int, 3> found{};
  auto record = [&](int holder, int number, std::string_view date) {
    if (found[holder] == 0) {
      kFirstNumber(holder).set(f, number);
      kFirstDate(holder).set(f, date);
    } else if (found[holder] == 1) {
      kSecondNumber(holder).set(f, number);
      kSecondDate(holder).set(f, date);
    }
    ++found[holder];
  };
  for (int i = 0; i < fam::kDescendantCount; ++i) {
    const int p = i + 1;
    const std::uint8_t* e = entries + entry::kSize * static_cast<std::size_t>(i);
    const std::uint8_t o = entry::Link.get(e);
    if (o != 'C') ++declarant;
    if (o != 'D') ++spouse;
    if (entry::DeathDate.isAbsent(e)) continue;
    const std::string date(entry::DeathDate.raw(e));
    record(0, p, date);
    if (o != 'C') record(1, declarant, date);
    if (o != 'D') record(2, spouse, date);
  }
}

int CRentaDoc::AgeAtDate(const char* birth, const char* at) {
  if (!birth || birth[0] == 0 || birth[0] == ' ') return 0;
  int years = 0, notAnniversary = 0;
  if (CUtilities::WholeYearsBetween(birth, at, years, notAnniversary) < 0) return 0;
  return years;
}

int CRentaDoc::FindChildDescendant(int child, int exclude) const {
  for (int i = 0; i < fam::kDescendantCount; ++i) {
    if (i == exclude) continue;
    const blocks::U8 mark = child == 1 ? fam::descendant::Child1Mark(i) : fam::descendant::Child2Mark(i);
    if (mark.isSet(Family())) return i;
  }
  return -1;
}

}  // namespace doc
