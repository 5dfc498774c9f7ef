// The form-100 validator. Offsets are from the start of Form100Data; the record owners (the
// calculation sections of form 100 and the personal and family data) write these fields.
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/include/tallyvex.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "blocks/form100_b.h"
#include "blocks/form100_c.h"
#include "blocks/form100_d.h"
#include "blocks/form100_e1.h"
#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "blocks/form100_f1.h"
#include "blocks/form100_f2.h"
#include "blocks/form100_f3.h"
#include "blocks/form100_f4.h"
#include "blocks/form100_f5.h"
#include "blocks/form100_g1.h"
#include "blocks/form100_g3.h"
#include "blocks/form100_g4.h"
#include "blocks/form100_g6.h"
#include "blocks/form100_h.h"
#include "blocks/form100_j.h"
#include "blocks/form100_k.h"
#include "blocks/form100_liquidation.h"
#include "blocks/form100_n.h"
#include "blocks/form100_p.h"
#include "blocks/form100_payment.h"
#include "blocks/form100_q.h"
#include "blocks/form100_result.h"
#include "checks/validation_helper.h"
#include "checks/validators.h"

namespace checks {

namespace {

using VH = CValidationHelper;
using Vec = std::array<double, 5>;
using std::size_t;

// Read access to the block by offset, through the field descriptors.
struct Blk {
  const unsigned char* p;
  double d(size_t o) const { return blocks::F64{o}.get(p); }
  int i32(size_t o) const { return blocks::I32{o}.get(p); }
  unsigned char b(size_t o) const { return blocks::U8{o}.get(p); }
  char c(size_t o) const { return static_cast<char>(b(o)); }
  bool empty(size_t o) const { return VH::IsCharEmpty(c(o)); }
  std::string_view t(size_t o, size_t n) const { return blocks::Text{o, n}.raw(p); }
  int holder(size_t o) const { return b(o) > 5 ? 0 : b(o); }
  double e(size_t vec, int entry) const { return d(vec + 8u * static_cast<size_t>(entry)); }
};

size_t um(int m) { return static_cast<size_t>(m); }

// Row areas of Form100Data, from the layouts of the records that hold them.
struct Rows {
  size_t start, count, size;
  size_t row(size_t k) const { return start + k * size; }
};
template <class Count>
constexpr Rows rows(const blocks::RecordDef& rec, size_t at, Count count, size_t size) {
  return {rec.offset + at, static_cast<size_t>(count), size};
}
constexpr Rows kE1 = rows(f100::SectionE1, 0, f100::sec_e1::kRows, f100::sec_e1::kRowSize);
constexpr Rows kE4 = rows(f100::SectionE4, 0, f100::sec_e4::kRows, f100::sec_e4::kRowSize);
constexpr Rows kE5 = rows(f100::SectionE5, 0, f100::sec_e5::kRows, f100::sec_e5::kRowSize);
constexpr Rows kF1 = rows(f100::SectionF1, 0, f100::sec_f1::kRows, f100::sec_f1::kRowSize);
constexpr Rows kF2 = rows(f100::SectionF2, 0, f100::sec_f2::kRows, f100::sec_f2::kRowSize);
constexpr Rows kF3 = rows(f100::SectionF3, 0, f100::sec_f3::kRows, f100::sec_f3::kRowSize);
// G1 rows as the validator sees them: from the holder byte.
constexpr Rows kG1 = rows(f100::SectionG1, f100::sec_g1::Holder.off, f100::sec_g1::kRows, f100::sec_g1::kRowSize);
constexpr Rows kDescendants =
    rows(f100::Family, f100::family::kDescendants, f100::family::kDescendantCount, f100::family::kDescendantSize);
constexpr Rows kFurtherPersons = rows(f100::Family, f100::family::FurtherPersons.off, 4, 80);
static_assert(kFurtherPersons.count * kFurtherPersons.size == f100::family::FurtherPersons.size);
constexpr Rows kFamilyRows = rows(f100::SectionC, f100::sec_c::RowTableEntries.off, 3, 40);
static_assert(kFamilyRows.count * kFamilyRows.size == f100::sec_c::RowTableEntries.size);
constexpr Rows kSlotsA =
    rows(f100::SectionJ, f100::sec_j::kPensionRows, f100::sec_j::kPensionRowCount, f100::sec_j::kPensionRowSize);
constexpr Rows kSlotsB =
    rows(f100::SectionJ, f100::sec_j::kDisabledRows, f100::sec_j::kDisabledRowCount, f100::sec_j::kDisabledRowSize);
// The further reductions of section J as the validator sees them: from the byte after the holder.
constexpr Rows kEntriesJ = rows(f100::SectionJ, f100::sec_j::FurtherHolder(0).off + 1, f100::sec_j::kFurtherRowCount,
                                f100::sec_j::FurtherHolder(1).off - f100::sec_j::FurtherHolder(0).off);
static_assert(f100::sec_j::FurtherAmount(0).off == f100::sec_j::FurtherHolder(0).off + 16);
// G3 rows from their kind byte: the validator treats a row without kind as a row without holder.
constexpr size_t kG3Holders = f100::SectionG3.offset + f100::sec_g3::AssetKind.off;
constexpr size_t kG3Size = f100::sec_g3::kRowSize, kG3Count = f100::sec_g3::kRows;
static_assert(f100::sec_g3::TransferValue.off == f100::sec_g3::AssetKind.off + 3 &&
              f100::sec_g3::AcquisitionValue.off == f100::sec_g3::AssetKind.off + 75);
struct Group {
  size_t start, size;
  int box;
};
constexpr Group group(const f100::sec_g4::AmountList& l, int box) {
  return {f100::SectionG4.offset + l.off, l.rowSize, box};
}
constexpr std::array<Group, 5> kG4{{group(f100::sec_g4::ListA, 4), group(f100::sec_g4::ListB, 14),
                                    group(f100::sec_g4::ListC, 24), group(f100::sec_g4::ListE, 94),
                                    group(f100::sec_g4::ListF, 104)}};
constexpr size_t kG4Rows = f100::sec_g4::AmountList::kRows;
static_assert(f100::sec_g4::ListA.amount(0).off == 8 && f100::sec_g4::ListA.counted(0).off == 16);

// Row fields the checks read, within their rows.
namespace e1 = f100::sec_e1;
namespace e4 = f100::sec_e4;
namespace f1 = f100::sec_f1;
namespace f2 = f100::sec_f2::row;
namespace pen = f100::sec_j::pension;
namespace dis = f100::sec_j::disabled;
constexpr size_t e4Module(int k, blocks::F64 f) {
  return e4::kModules + e4::kModuleSize * static_cast<size_t>(k) + f.off;
}
constexpr size_t kF1Counted = f1::ObjectiveEstimationFlag.off - 1;  // not 0: the row counts in F1-a
// The further reductions of section J, from their character (the byte after the holder).
constexpr size_t kEntryJAmount = f100::sec_j::FurtherAmount(0).off - (f100::sec_j::FurtherHolder(0).off + 1);
constexpr size_t kSummary = f100::Summary.offset;

// Single fields and vectors, as offsets from the start of Form100Data.
constexpr size_t at(const blocks::RecordDef& rec, size_t off) { return rec.offset + off; }
namespace fam = f100::family;
// Identification of member m (m - 1 entries of each array).
constexpr size_t kNif = at(f100::Family, fam::HolderNif.off), kGivenName = at(f100::Family, fam::HolderGivenName.off),
                 kSurname1 = at(f100::Family, fam::HolderSurname1.off),
                 kSurname2 = at(f100::Family, fam::HolderSurname2.off);
constexpr size_t kSpouseNif = at(f100::Family, fam::SpouseNif.off),
                 kSpouseGivenName = at(f100::Family, fam::SpouseGivenName.off),
                 kSpouseSurname1 = at(f100::Family, fam::SpouseSurname1.off),
                 kSpouseSurname2 = at(f100::Family, fam::SpouseSurname2.off);
constexpr size_t kSpouseExcluded = at(f100::Family, fam::SpouseExcluded.off);
constexpr size_t kNifSize = fam::HolderNif.width, kNameSize = fam::HolderGivenName.width;
static_assert(fam::SpouseNif.width == kNifSize && fam::HolderSurname1.width == kNameSize);
constexpr size_t resultSelection1(int m) { return at(f100::Family, fam::ResultSelection1(m).off); }
constexpr size_t resultSelection2(int m) { return at(f100::Family, fam::ResultSelection2(m).off); }
// Descendant entry fields, within the entry.
constexpr size_t descendantField(size_t entry0Field) { return entry0Field - fam::kDescendants; }
constexpr size_t kDescAge = descendantField(fam::descendant::Age(0).off),
                 kDescBirth = descendantField(fam::descendant::BirthDate(0).off),
                 kDescAdoption = descendantField(fam::descendant::AdoptionDate(0).off),
                 kDescOwner = descendantField(fam::descendant::Owner(0).off),
                 kDescExclusion = descendantField(fam::descendant::Exclusion1(0).off),
                 kDescChild1Mark = descendantField(fam::descendant::Child1Mark(0).off),
                 kDescChild2Mark = descendantField(fam::descendant::Child2Mark(0).off);
// Work income totals of section A.
constexpr size_t kMoneyPay = at(f100::SectionA, f100::sec_a::MoneyPayTotal.off),
                 kKindValuation = at(f100::SectionA, f100::sec_a::KindValuationTotal.off),
                 kPromoterContributions = at(f100::SectionA, f100::sec_a::PromoterContributionsTotal.off);
// Net yields and balances by holder.
constexpr size_t kWorkNet = at(f100::SectionA, f100::sec_a::NetWorkIncome.off),
                 kCapitalNet = at(f100::SectionB, f100::sec_b::NetBeforeReductions.off),
                 kRealEstateImputed = at(f100::SectionC, f100::sec_c::ImputedIncome.off),
                 kRealEstateNet = at(f100::SectionD, f100::sec_d::NetYield.off),
                 kActivityNet = at(f100::SectionE1, f100::sec_e1::NetYields.off),
                 kImputedBases = at(f100::SectionF2, f100::sec_f2::ImputedBases.off),
                 kF3Amounts = at(f100::SectionF3, f100::sec_f3::Amounts.off),
                 kImageRights = at(f100::SectionF4, f100::sec_f4::AmountToImputeByHolder.off),
                 kF5Amounts = at(f100::SectionF5, f100::sec_f5::Amounts.off),
                 kShortGains = at(f100::SectionG6, f100::sec_g6::ShortGains.off),
                 kShortLosses = at(f100::SectionG6, f100::sec_g6::ShortLosses.off),
                 kLongGains = at(f100::SectionG6, f100::sec_g6::LongGains.off),
                 kLongLosses = at(f100::SectionG6, f100::sec_g6::LongLosses.off),
                 kGeneralIncome = at(f100::SectionH, f100::sec_h::GeneralIncome.off),
                 kGeneralLiquidable = at(f100::SectionK, f100::sec_k::GeneralLiquidable.off),
                 kSpecialLiquidable = at(f100::SectionK, f100::sec_k::SpecialLiquidable.off);
// Liquidation slots of Form100Summary.
namespace sum = f100::summary;
constexpr size_t kReserveCreditState = at(f100::Summary, sum::ReserveCreditState.off),
                 kReserveCreditRegional = at(f100::Summary, sum::ReserveCreditRegional.off),
                 kCanaryGoodsCreditState = at(f100::Summary, sum::CanaryGoodsCreditState.off),
                 kCanaryGoodsCreditRegional = at(f100::Summary, sum::CanaryGoodsCreditRegional.off),
                 kRentDeduction = at(f100::Summary, sum::StateZeduDeduction.off),
                 kDeclarationResult = at(f100::Summary, sum::DeclarationResult.off),
                 kMaternityHolder = at(f100::Summary, f100::sec_li::entries::MaternityHolder.off),
                 kMaternityChildren = at(f100::Summary, f100::sec_li::entries::kMaternityChildren);
// Per member byte from +9880: the suspension request (declarant) and the waiver (spouse).
constexpr size_t kRequestBase = at(f100::Summary, sum::SuspensionRequest.off) - 2;
static_assert(sum::WaiverRequest.off == sum::SuspensionRequest.off + 1);
constexpr size_t landlordNif(int m) { return at(f100::Summary, f100::summary::RentLandlordNif(m - 1).off); }
constexpr size_t kMemberResult = at(f100::Result, f100::result::MemberResult.off),
                 kResultCopy = at(f100::SectionN, f100::section_n::ResultCopy.off),
                 kOtherPayment = at(f100::SectionN, f100::sec_n::OtherPayment.off),
                 kRefund = at(f100::SectionN, f100::sec_n::Refund.off);
// Rent deductions of the communities and the identification behind them (section P).
namespace sp = f100::sec_p;
constexpr size_t kRentByMonths = at(f100::SectionP, sp::c17::RentByMonths.off);
constexpr std::array<size_t, 7> kRents{
    at(f100::SectionP, sp::c17::Rent.off),      at(f100::SectionP, sp::c12::YoungRent.off),
    at(f100::SectionP, sp::c11::YoungRent.off), at(f100::SectionP, sp::c09::Rent.off),
    at(f100::SectionP, sp::c04::YoungRent.off), at(f100::SectionP, sp::c03::Rent.off),
    at(f100::SectionP, sp::c01::Rent.off)};
constexpr size_t counterpartyNif(int m) { return at(f100::SectionP, sp::CounterpartyNif(m - 1).off); }
constexpr size_t secondCounterpartyNif(int m) { return at(f100::SectionP, sp::SecondCounterpartyNif(m - 1).off); }
// Section Q: the line computed from the expenses in each list, and the total applied.
constexpr const f100::sec_q::YearLine& kExpensesLine1 = f100::sec_q::FirstList[1];
constexpr const f100::sec_q::YearLine& kExpensesLine2 = f100::sec_q::SecondList[1];
constexpr size_t kApplied1 = at(f100::SectionQ, kExpensesLine1.applied.off),
                 kApplied2 = at(f100::SectionQ, kExpensesLine2.applied.off),
                 kTotalApplied = at(f100::SectionQ, f100::sec_q::TotalApplied.off);

// Rows considered for member m: every row for the family unit, else those of m or common.
bool considered(int holder, int m) { return m == 1 || holder == m || holder == 1; }

Vec sumaASuTitular(const std::vector<std::pair<int, double>>& items) {
  Vec out{};
  for (auto [code, amount] : items) {
    if (code < 1) continue;
    out[0] += amount;
    if (code == 1) {
      double half = util::RoundToDecimals(amount * 0.5, 2);
      out[1] += half;
      out[2] += half;
    } else if (code <= 5) {
      out[static_cast<size_t>(code - 1)] += amount;
    }
  }
  return out;
}

Vec sumatorio(const std::vector<std::pair<Vec, double>>& terms) {
  Vec out{};
  for (size_t k = 0; k < 5; ++k) {
    double s = 0;
    for (const auto& [v, coef] : terms) s += coef * v[k];
    out[k] = util::RoundToDecimals(s, 2);
  }
  return out;
}

Vec loadVec(const Blk& B, size_t off) { return blocks::Vec5{off}.load(B.p); }

// The F1 rows with a non-zero byte at +104 (F1-a).
Vec f1a(const Blk& B) {
  std::vector<std::pair<int, double>> items;
  for (size_t k = 0; k < kF1.count; ++k)
    if (B.b(kF1.row(k) + kF1Counted) != 0)
      items.push_back({B.holder(kF1.row(k)), B.d(kF1.row(k) + f1::Income3Entered.off)});
  return sumaASuTitular(items);
}

Vec income2(const Blk& B) {
  std::vector<std::pair<int, double>> items;
  for (size_t k = 0; k < kE4.count; ++k) items.push_back({B.holder(kE4.row(k)), B.d(kE4.row(k) + e4::PreviousNet.off)});
  for (size_t k = 0; k < kE5.count; ++k)
    items.push_back({B.holder(kE5.row(k)), B.d(kE5.row(k) + f100::sec_e5::ProductsNet.off)});
  for (size_t k = 0; k < kF1.count; ++k)
    if (B.b(kF1.row(k) + f1::ObjectiveEstimationFlag.off) != 0)
      items.push_back({B.holder(kF1.row(k)), B.d(kF1.row(k) + f1::Income3Entered.off)});
  return sumaASuTitular(items);
}

Vec income3(const Blk& B) {
  std::vector<std::pair<int, double>> items;
  for (size_t k = 0; k < kF2.count; ++k)
    items.push_back(
        {B.holder(kF2.row(k)), B.c(kF2.row(k) + f2::Kind.off) == '1' ? 0.0 : B.d(kF2.row(k) + f2::ImputedBase.off)});
  for (size_t k = 0; k < kF1.count; ++k)
    if (B.b(kF1.row(k) + kF1Counted) != 0 && B.b(kF1.row(k) + f1::ObjectiveEstimationFlag.off) == 0)
      items.push_back({B.holder(kF1.row(k)), B.d(kF1.row(k) + f1::Income3Entered.off)});
  for (size_t k = 0; k < kE1.count; ++k) items.push_back({B.holder(kE1.row(k)), B.d(kE1.row(k) + e1::TotalIncome.off)});
  return sumaASuTitular(items);
}

// The marks of one holder's rows agree: after a mark other than "2" every later row repeats it.
bool marksConsistent(const Blk& B, const Rows& rows, size_t markOff, int m) {
  auto holderOk = [&](int h) {
    char running = '2';
    for (size_t k = 0; k < rows.count; ++k) {
      if (B.holder(rows.row(k)) != h) continue;
      char mark = B.c(rows.row(k) + markOff);
      if (running != '2' && mark != running) return false;
      running = mark;
    }
    return true;
  };
  if (m != 1) return holderOk(m);
  for (int h = 2; h <= 5; ++h)
    if (!holderOk(h)) return false;
  return true;
}

// "Surname1 Surname2, Name": surnames stripped of trailing blanks, the name as stored; 14 characters each.
std::string fullName(const Blk& B, size_t surname1, size_t surname2, size_t name) {
  auto field = [&](size_t o) { return std::string(util::UpToTerminator(B.t(o, 14))); };
  auto trimmed = [&](size_t o) {
    std::string s = field(o);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  };
  return trimmed(surname1) + " " + trimmed(surname2) + ", " + field(name);
}

bool nameFails(const Blk& B, size_t nif, size_t surname1, size_t surname2, size_t name) {
  std::string n(B.t(nif, 9));
  return !VH::CheckNifAndName(n.c_str(), fullName(B, surname1, surname2, name).c_str(), nullptr, 0, 0);
}

// A personal NIF as the validator sees it: checked on a copy, never changed in the block.
bool personalNifValid(std::string_view nif9) {
  std::string copy(nif9);
  return VH::ValidateNif(copy.data(), 9, false);
}

int twoDigitNumber(std::string_view s) {
  int n = 0;
  for (char c : s.substr(0, 2)) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

int CValidator100::Validate(int purpose, int member, int section) {
  Begin();
  const DocumentState& doc = check_.Document();
  block_ = doc.block;
  if (block_ == nullptr || doc.blockSize < f100::kBlockSize) return highest_;
  Blk B{block_};

  if (!doc::overflow_warning::Armed()) Report("WIN022", 0, 0, 1, member, Counted::No);
  if (member == 1 && B.b(kSpouseExcluded) != 0) Report("UFCYGNR", 0, 0, 1, 1, Counted::No);

  bool both = member == 6;
  int m = member == -1 ? doc::ShownMember() : both ? 2 : member;
  if (m < 1 || m > 5) return 1;
  if (B.t(f100::personal::communityCode(m).off, 2) == "99") {
    Report("100R071", 100, -1, 1, m);
    return highest_;
  }
  if (section != -1 && (section < 1 || section > 17)) return 1;
  for (int pass = 0; pass < (both ? 2 : 1); ++pass) {
    int who = pass == 0 ? m : 3;
    if (section == -1) {
      for (int s : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 15, 16, 17}) RunSection(s, purpose, who);
    } else {
      RunSection(section, purpose, who);
    }
  }
  return highest_;
}

void CValidator100::RunSection(int section, int, int m) {
  switch (section) {
    case 1: return Section1(m);
    case 2: return Section2(m);
    case 3: return Section3(m);
    case 4: return Section4(m);
    case 5: return Section5(m);
    case 6: return Section6(m);
    case 7: return Section7(m);
    case 8: return Section8(m);
    case 10: return Section10(m);
    case 11: return Section11(m);
    case 12: return Section12(m);
    case 13: return Section13(m);
    case 15: return Section15(m);
    case 16: return Section16(m);
    case 17: return Section17(m);
    default: return;  // sections 9 and 14 have no checks
  }
}

// Identification data.
void CValidator100::Section1(int m) {
  Blk B{block_};
  const DocumentState& doc = check_.Document();
  bool spouse = doc::HouseholdHas(doc::kSpouse);
  bool joint = doc.joint;
  int mode = B.b(at(f100::Personal, f100::personal::DeclarationMode.off));
  size_t nif = kNif + kNifSize * um(m - 1);

  if (B.empty(nif)) Report("WIN001", 100, 1, 1, m);
  if ((m == 1 || m == 3) && B.t(kSpouseNif, kNifSize) == "X00000000") Report("100R070", 1, 25, 1, m);
  if (m != 4 && m != 5) {
    for (size_t k = 0; k < kDescendants.count; ++k) {
      size_t e = kDescendants.row(k);
      if (B.i32(e + kDescAge) < 16) continue;
      std::string_view n = B.t(e, 9);
      if (VH::IsBlank(n.data(), 9) || n[0] == 'N' || !personalNifValid(n)) {
        Report("100R072", 100, 1, 1, m);
        break;
      }
    }
    for (size_t k = 0; k < kFurtherPersons.count; ++k) {
      size_t e = kFurtherPersons.row(k);
      std::string_view n = B.t(e, 9);
      bool blank = VH::IsBlank(n.data(), 9);
      if (!personalNifValid(n) || (!B.empty(e + 42) && blank)) {
        Report("100R073", 100, 2, 1, m);
        break;
      }
    }
  }
  size_t surname1 = kSurname1 + kNameSize * um(m - 1), name = kGivenName + kNameSize * um(m - 1),
         surname2 = kSurname2 + kNameSize * um(m - 1);
  if (B.empty(surname1) || B.empty(name)) Report("WIN015", 1, 1, 1, m);
  else if (!B.empty(nif) && nameFails(B, nif, surname1, surname2, name)) Report("WIN017", 1, 1, 1, m);

  size_t s1b = kSpouseSurname1 + kNameSize * um(m - 1), nb = kSpouseGivenName + kNameSize * um(m - 1),
         nifb = kSpouseNif + kNifSize * um(m - 1), s2b = kSpouseSurname2 + kNameSize * um(m - 1);
  if (!B.empty(s1b) && !B.empty(nb) && !B.empty(nifb) && nameFails(B, nifb, s1b, s2b, nb))
    Report("WIN017", 1, 26, 1, m);
  if (mode == 1 && m < 4 && spouse && (B.empty(s1b) || B.empty(nb))) Report("100R069", 1, 26, 1, m);
  if (!joint && mode == 1 && m == 2 && (B.empty(kSpouseSurname1 + kNameSize) || B.empty(kSpouseGivenName + kNameSize)))
    Report("100R069", 1, 26, 1, 2);

  bool noNumber = B.empty(1509 + 9 * um(m));
  if (noNumber) Report("100I009", 1, 24, 0, m);
  bool rule11 = noNumber && (B.b(1042 + um(m)) != 0 || B.b(1047 + um(m)) != 0);
  if (rule11) Report("WIN018", 1, 24, 1, m);
  if (!rule11 && m <= 3 && spouse && B.empty(2304 + 9 * um(m)) && (B.b(1832 + um(m)) != 0 || B.b(1837 + um(m)) != 0))
    Report("WIN018", 1, 43, 1, m);

  if (B.empty(1058 + 20 * um(m))) Report("WIN016", 1, 5, 1, m, Counted::AsWarning);
  else if (B.empty(1060 + 3 * um(m)) && B.empty(1344 + 14 * um(m))) Report("WIN019", 1, 5, 1, m, Counted::AsWarning);

  bool r15 = m <= 3 && spouse && B.empty(1853 + 20 * um(m));
  bool r16 = !r15 && B.empty(1855 + 3 * um(m)) && m <= 3 && spouse && B.empty(2139 + 14 * um(m));
  if (r15) Report("100R068", 1, 30, 1, m, Counted::AsWarning);
  else if (r16) Report("WIN019", 1, 30, 1, m, Counted::AsWarning);
  else if (!joint && mode == 1 && m == 2 && B.empty(1861) && B.empty(2167))
    Report("100R068", 1, 30, 1, 2, Counted::AsWarning);

  // The address dialog writes a home in Spain with a blank country code: blanks are no country.
  auto meets87 = [&](size_t number, size_t mark) { return twoDigitNumber(B.t(number, 2)) == 20 && B.empty(mark); };
  auto meets88 = [&](size_t number, size_t mark) { return twoDigitNumber(B.t(number, 2)) != 20 && !B.empty(mark); };
  if (m != 1) {
    size_t number = 4630 + 2 * um(m), mark = 1060 + 3 * um(m);
    if (meets87(number, mark)) Report("100R087", 1, 4, 0, m);
    if (meets88(number, mark)) Report("100R088", 1, 4, 0, m);
  } else {
    for (size_t k = 1; k <= 4; ++k) {
      size_t number = 4634 + 2 * (k - 1), mark = 1066 + 3 * (k - 1);
      if (meets87(number, mark)) {
        Report("100R087", 1, 4, 0, 1);
        break;
      }
      if (meets88(number, mark)) {
        Report("100R088", 1, 4, 0, 1);
        break;
      }
    }
  }

  auto total = [&](int person) {
    return B.e(kMoneyPay, person) + B.e(kKindValuation, person) + B.e(kPromoterContributions, person);
  };
  bool markWithIncome = false;
  if (m == 1) {
    for (int k = 1; k <= 4; ++k)
      if (!B.empty(119 + um(k)) && total(k) != 0) markWithIncome = true;
  } else {
    markWithIncome = !B.empty(118 + um(m)) && total(m - 1) != 0;
  }
  if (markWithIncome) Report("100R074", 100, -1, 1, m);
}

// Family data.
void CValidator100::Section2(int m) {
  Blk B{block_};
  bool anyCode = false, incomplete = false;
  for (size_t k = 0; k < kFamilyRows.count; ++k) {
    size_t r = kFamilyRows.row(k);
    if (B.b(r) == 0) continue;
    anyCode = true;
    if (B.c(r + 16) == ' ' || B.c(r + 16) == 0 || B.d(r + 8) == 0) incomplete = true;
  }
  if (!anyCode || incomplete) Report("100I020", 2, 56, 0, m);

  std::vector<std::pair<int, double>> items;
  for (size_t k = 0; k < 6; ++k) {
    items.push_back({B.holder(kE1.row(k)), B.d(kE1.row(k) + f100::sec_e1::NetYield.off)});
    items.push_back({B.holder(kE4.row(k)), B.d(kE4.row(k) + f100::sec_e4::NetBeforeLastReduction.off)});
    items.push_back({B.holder(kE5.row(k)), B.d(kE5.row(k) + f100::sec_e5::ReducedNet.off)});
    for (size_t a : {f100::sec_f1::Income1.off, f100::sec_f1::Income2.off, f100::sec_f1::Income3.off})
      items.push_back({B.holder(kF1.row(k)), B.d(kF1.row(k) + a)});
  }
  std::vector<std::pair<Vec, double>> terms{{sumaASuTitular(items), 1.0}};
  for (size_t v : {kWorkNet, kCapitalNet, kRealEstateImputed, kRealEstateNet, kImputedBases, kF3Amounts, kImageRights,
                   kF5Amounts, kShortGains, kLongGains})
    terms.push_back({loadVec(B, v), 1.0});
  for (size_t v : {kShortLosses, kLongLosses}) terms.push_back({loadVec(B, v), -1.0});
  Vec income = sumatorio(terms);

  auto anyDescendant = [&](size_t markOff) {
    for (size_t k = 0; k < kDescendants.count; ++k) {
      size_t e = kDescendants.row(k);
      if (B.b(e + kDescExclusion) == 0 && B.b(e + markOff) != 0) return true;
    }
    return false;
  };
  if (income[3] > 8000 && anyDescendant(kDescChild1Mark)) Report("100R077", 100, -1, 1, m);
  if (income[4] > 8000 && anyDescendant(kDescChild2Mark)) Report("100R078", 100, -1, 1, m);
}

// Income from work.
void CValidator100::Section3(int m) {
  Blk B{block_};
  bool r1 = false, r3 = false, r4 = false, r5 = false;
  for (size_t k = 0; k < kE1.count; ++k) {
    size_t r = kE1.row(k);
    if (!considered(B.holder(r), m)) continue;
    char kind = B.c(r + 1);
    if ((kind == '1' || kind == '4' || kind == '5') && B.empty(r + 4)) r1 = true;
    std::string_view code = B.t(r + 4, 5);
    if (B.d(r + e1::RentingWithholdings.off) > 0 && code != "861.1" && code != "861.2" && code != "862  " &&
        code != "     " && code[0] != 0)
      r3 = true;
    double a = B.d(r + e1::NetYield.off), b = B.d(r + e1::Reduction.off);
    if (std::fabs(b) > util::RoundToDecimals(std::fabs(a * 0.4), 2) + 0.5) r4 = true;
    if ((a > 0 && b < 0) || (a < 0 && b > 0)) r5 = true;
  }
  if (r1) Report("100I010", 3, 7, 0, m);
  if (!marksConsistent(B, kE1, 9, m)) Report("100R089", 3, 8, 1, m);
  if (r3) Report("100P024", 3, 7, 0, m);
  if (r4) Report("100P025", 3, 35, 0, m);
  if (r5) Report("100P026", 3, 35, 0, m);
}

// Economic activities.
void CValidator100::Section4(int m) {
  Blk B{block_};
  bool r1 = false, r2 = false;
  for (size_t k = 0; k < kE4.count; ++k) {
    size_t r = kE4.row(k);
    int h = B.holder(r);
    if (considered(h, m)) {
      std::string_view code = util::UpToTerminator(B.t(r + 1, 5));
      double x = B.d(r + e4Module(0, e4::module::Hours2)) + B.d(r + e4Module(0, e4::module::Hours1));
      if (code == "644.1" || code == "644.2" || code == "644.3" || code == "644.6")
        x += B.d(r + e4Module(1, e4::module::Hours2)) + B.d(r + e4Module(1, e4::module::Hours1));
      double a = B.d(r + e4::MaxEmployees.off);
      if ((a != 0 && x == 0) || (a == 0 && x != 0)) r1 = true;
    }
    if ((m == 1 || h == m) && B.d(r + e4::LastReduction.off) != 0 &&
        B.d(r + e4::LastReduction.off) > B.d(r + e4::Added.off) * 0.4 + 0.5)
      r2 = true;
  }
  if (r1) Report("100R090", 4, 7, 1, m);
  if (r2) Report("100P029", 4, 40, 0, m);
}

void CValidator100::Section5(int m) {
  if (!marksConsistent(Blk{block_}, kE5, 8, m)) Report("100R093", 5, 6, 1, m);
}

// Capital income.
void CValidator100::Section6(int m) {
  Blk B{block_};
  bool r1 = false, r2 = false, r3 = false;
  for (size_t k = 0; k < kF1.count; ++k) {
    size_t r = kF1.row(k);
    if (!considered(B.holder(r), m)) continue;
    auto d = [&](size_t o) { return B.d(r + o); };
    const double in1 = d(f1::Income1.off), in2 = d(f1::Income2.off), in3 = d(f1::Income3.off);
    const double stGains = d(f1::ShortTermGains.off), ltGains = d(f1::LongTermGains.off);
    const double withheld = d(f1::Withholdings.off);
    double sum = in1 + in2 + in3 + stGains + d(f1::ShortTermLosses.off) + ltGains + d(f1::LongTermLosses.off);
    if (sum > 0 && (B.empty(r + 1) || d(16) == 0)) r1 = true;
    double a = in1, b = d(f1::Expenses1.off);
    if (0.4 * a < b || (b > 0 && a < 0) || (b < 0 && a > 0) || (a > 0 && withheld == 0)) r2 = true;
    if (withheld > 0) {
      double t1 = std::trunc(ltGains + stGains + in3 + in2);
      double t2 = std::trunc(ltGains + stGains + in1);
      if (in2 > 0) t2 = std::trunc(t2 + in2);
      if (in3 > 0) t2 = std::trunc(t2 + in3);
      if ((t1 == 0 && withheld > 0.15 * in1 + 0.5) || withheld > 0.15 * t2 + 0.5) r3 = true;
    }
  }
  if (r1) Report("100R097", 6, 3, 1, m);
  if (r2) Report("100I011", 6, 19, 0, m);
  if (r3) Report("100I012", 6, 6, 0, m);
  bool r4 = false, r5 = false, r6 = false;
  for (size_t k = 0; k < kF2.count; ++k) {
    size_t r = kF2.row(k);
    int h = B.holder(r);
    if (h == 0 || !considered(h, m)) continue;
    if (B.empty(r + 1)) r4 = true;
    if (B.empty(r + 12)) r5 = true;
  }
  for (size_t k = 0; k < kF3.count; ++k) {
    size_t r = kF3.row(k);
    int h = B.holder(r);
    if (h != 0 && considered(h, m) && B.empty(r + 21)) r6 = true;
  }
  if (r4) Report("100R098", 6, 63, 1, m);
  if (r5) Report("100R099", 6, 65, 1, m);
  if (r6) Report("100R100", 6, 109, 1, m);
}

void CValidator100::Section7(int m) {
  Blk B{block_};
  for (size_t k = 0; k < kG1.count; ++k) {
    size_t r = kG1.row(k);
    if (B.holder(r) != 0 && B.empty(r + 1)) {
      Report("100I013", 7, 8, 0, m);
      break;
    }
  }
  for (size_t k = 0; k < kG3Count; ++k) {
    size_t h = kG3Holders + k * kG3Size;
    if (B.b(h) == 0 && B.d(h + 3) + B.d(h + 75) > 0) {
      Report("100R101", 6, 73, 1, m);
      break;
    }
  }
}

// Capital gains: five groups of rows with amounts a (+8) and b (+16).
void CValidator100::Section8(int m) {
  Blk B{block_};
  auto row = [&](size_t g, size_t k) { return kG4[g].start + k * kG4[g].size; };
  auto a = [&](size_t r) { return B.d(r + 8); };
  auto b = [&](size_t r) { return B.d(r + 16); };
  auto oneZero = [&](size_t r) { return (a(r) == 0) != (b(r) == 0); };
  for (size_t k = 0; k < 6; ++k) {
    size_t r = row(2, k);
    if (B.b(r + 24) == 0 && a(r) + b(r) > 0) {
      Report("100I014", 8, 26, 0, m);
      break;
    }
  }
  if (m == 1) {
    auto firstBox = [&](auto cond) {
      for (size_t k = 0; k < kG4Rows; ++k)
        for (size_t g = 0; g < kG4.size(); ++g)
          if (cond(row(g, k))) return kG4[g].box;
      return -1;
    };
    int box = firstBox([&](size_t r) { return b(r) > a(r); });
    if (box >= 0) Report("100R102", 8, box, 1, 1);
    box = firstBox(oneZero);
    if (box >= 0) Report("100R058", 8, box, 1, 1);
    return;
  }
  bool greater = false, zero = false;
  int box = -1;
  for (size_t g = 0; g < kG4.size(); ++g)
    for (size_t k = 0; k < kG4Rows; ++k) {
      size_t r = row(g, k);
      int h = B.holder(r);
      bool mine = m <= 3 ? (h == m || h == 1) : h == m;
      if (!mine) continue;
      bool gr = b(r) > a(r), z = oneZero(r);
      if ((gr || z) && box < 0) box = kG4[g].box;
      greater = greater || gr;
      zero = zero || z;
    }
  if (greater) Report("100R051", 8, box, 1, m);
  if (zero) Report("100R058", 8, box, 1, m);
}

// Pension plans and community of residence.
void CValidator100::Section10(int m) {
  Blk B{block_};
  bool r1 = false, r2 = false, r3 = false;
  for (size_t k = 0; k < kSlotsB.count; ++k) {
    size_t s = kSlotsB.row(k);
    int h = B.holder(s);
    double a40 = B.d(s + dis::Own.off), a56 = B.d(s + dis::Promoter.off);
    if (h == 2 && (m == 1 || m == 2) && B.c(f100::personal::DisabilityCode(1).off) != '3' && a56 + a40 > 0) r1 = true;
    if (h == 3 && (m == 1 || m == 3) && B.c(f100::personal::DisabilityCode(2).off) != '3' && (a40 > 0 || a56 > 0))
      r1 = true;
    if (h == 4 && (m == 1 || m == 4) && B.c(f100::personal::DisabilityCode(3).off) != '3' && a40 > 0) r1 = true;
    if (h == 5 && (m == 1 || m == 5) && B.c(f100::personal::DisabilityCode(4).off) != '3' && a40 > 0) r1 = true;
    if (B.d(s + dis::Relatives.off) > 0 && B.empty(s + dis::Nif.off)) r2 = true;
    if ((m == 1 || h == m) && a56 + a40 > 0 && B.d(s + dis::Relatives.off) > 0) r3 = true;
  }
  if (r1) Report("100P049", 10, 21, 0, m);
  if (r2) Report("100P062", 10, 20, 0, m);
  if (r3) Report("100P052", 10, 19, 0, m);

  // The pension-plan limit: the age-based amount, doubled when both kinds of contribution exist,
  // never above the overall maximum.
  constexpr double kOverallMaximum = 24250;
  for (size_t k = 0; k < kSlotsA.count; ++k) {
    size_t sa = kSlotsA.row(k);
    int h = B.holder(sa);
    if (h == 0 || (m != 1 && h != m)) continue;
    double limit = DameCuantiaMaximaPlanPensiones(B.i32(at(f100::Personal, f100::personal::Age(h - 1).off)));
    if (B.d(sa + pen::PromoterYearIn.off) + B.d(sa + pen::PromoterExcessIn.off) > 0 &&
        B.d(sa + pen::OwnYearIn.off) + B.d(sa + pen::OwnExcessIn.off) > 0)
      limit = util::RoundToDecimals(2 * limit, 2);
    limit = std::min(limit, kOverallMaximum);
    bool exceeded = false;
    for (size_t j = 0; j < kSlotsB.count; ++j) {
      size_t sb = kSlotsB.row(j);
      if (B.holder(sb) == h &&
          B.d(sa + pen::PromoterReduction.off) + B.d(sa + pen::OwnReduction.off) + B.d(sb + dis::OwnReduction.off) >
              limit)
        exceeded = true;
    }
    if (exceeded) {
      Report("100P075", 10, 3, 0, m);
      break;
    }
  }

  for (size_t k = 0; k < kEntriesJ.count; ++k) {
    size_t e = kEntriesJ.row(k);
    bool hit = m == 1 ? B.d(e + kEntryJAmount) != 0 && B.empty(e) : B.holder(e - 1) == m && B.empty(e);
    if (hit) {
      Report("100R127", 10, 29, 1, m);
      break;
    }
  }

  if (m != 1) return;
  for (int k = 1; k <= 4; ++k)
    if (B.c(f100::personal::communityCode(k + 1).off) == '9') return;
  bool anyIncome = false;
  double best = 0;
  std::vector<int> candidates;
  for (int k = 1; k <= 4; ++k) {
    bool income = false;
    for (size_t v : {kShortGains, kShortLosses, kLongGains, kLongLosses, kGeneralIncome})
      if (B.e(v, k) != 0) income = true;
    if (!income) continue;
    double value = B.e(kGeneralLiquidable, k) + B.e(kSpecialLiquidable, k);
    if (!anyIncome || value > best) {
      candidates.clear();
      best = value;
    }
    if (!anyIncome || value == best) candidates.push_back(k);
    anyIncome = true;
  }
  if (!anyIncome) return;
  std::string_view unitCode = B.t(f100::personal::communityCode(1).off, 2);
  for (int k : candidates)
    if (B.t(f100::personal::communityCode(k + 1).off, 2) == unitCode) return;
  Report("100R024", 100, 4, 1, 1);
}

// Results of the members.
void CValidator100::Section11(int m) {
  Blk B{block_};
  Vec fa = f1a(B);
  constexpr std::pair<blocks::Vec5, blocks::Vec5> kPairs[] = {
      {sum::StateOnlyIncrements, sum::StateInterestTotal},
      {sum::SplitIncrementsState, sum::PastInterestState},
      {sum::SplitIncrementsRegional, sum::PastInterestRegional},
      {sum::RegionalOnlyIncrements, sum::RegionalInterestTotal}};
  auto S = [&](blocks::Vec5 v, int p) { return B.e(kSummary + v.off, p); };
  int first = m == 1 ? 0 : m - 1, last = m == 1 ? 4 : m - 1;
  for (int p = first; p <= last; ++p) {
    bool r1 = false;
    for (auto [x, y] : kPairs)
      if ((S(x, p) == 0) != (S(y, p) == 0)) r1 = true;
    if (r1) {
      Report("100I016", 11, 41, 0, m);
      if (m == 1) return;
    }
    bool noIncome = B.e(kActivityNet, p) + fa[static_cast<size_t>(p)] == 0;
    if (noIncome && S(sum::ReserveCreditState, p) + S(sum::ReserveCreditRegional, p) > 0)
      Report("100I018", 16, 128, 0, m);
    if (noIncome && S(sum::CanaryGoodsCreditState, p) + S(sum::CanaryGoodsCreditRegional, p) > 0)
      Report("100I019", 11, 30, 0, m);
  }
}

void CValidator100::Section12(int m) {
  Blk B{block_};
  if (B.e(kRentDeduction, m - 1) > 0 && B.empty(landlordNif(m))) Report("100R126", 12, 14, 1, m);
  if (B.b(resultSelection1(m)) == 1 && B.e(kMemberResult, m - 1) > 0) Report("100R079", 1, 173, 1, m);

  int kind = B.b(kMaternityHolder);
  int a = 0;
  for (size_t k = 0; k < kDescendants.count; ++k) {
    size_t e = kDescendants.row(k);
    std::string_view date = B.t(e + kDescAdoption, 8);
    if (VH::IsBlank(date.data(), 8)) date = B.t(e + kDescBirth, 8);
    // An entry without a date is not after any date.
    if (VH::IsBlank(date.data(), 8) || !VH::IsDateOnOrAfter(date, "31012000", true)) continue;
    char owner = B.c(e + kDescOwner);
    if ((kind == 2 && (owner == 'D' || owner == 'O')) || (kind == 3 && (owner == 'C' || owner == 'O'))) ++a;
  }
  int b = 0;
  // A child entry of the maternity deduction counts when its months (at +0) are not 0.
  for (size_t j = 0; j < static_cast<size_t>(f100::sec_li::entries::kMaternityChildCount); ++j)
    if (B.d(kMaternityChildren + f100::sec_li::entries::kMaternityChildSize * j) != 0) ++b;
  if (b > a) Report("100R146", 12, 31, 1, m);
}

void CValidator100::Section13(int m) {
  Blk B{block_};
  namespace sn = f100::sec_n;
  auto part = [&](blocks::Text t) { return B.empty(at(f100::SectionN, t.off)); };
  bool accountIncomplete = part(sn::BankEntity(m - 1)) || part(sn::BankOffice(m - 1)) || part(sn::BankControl(m - 1)) ||
                           part(sn::BankAccount(m - 1));
  if (B.b(kRequestBase + um(m)) == 1 && B.e(kDeclarationResult, m - 1) < 0 &&
      !(B.e(kOtherPayment, m - 1) < B.e(kRefund, m - 1)) && accountIncomplete)
    Report("100R115", 13, 15, 1, m);
}

void CValidator100::Section15(int m) {
  Blk B{block_};
  if (B.e(kRentByMonths, m - 1) > 0 && B.empty(secondCounterpartyNif(m))) Report("100R110", 15, 94, 1, m);
  double sum = 0;
  for (size_t o : kRents) sum += B.e(o, m - 1);
  if (sum > 0 && B.empty(counterpartyNif(m))) Report("100R110", 15, 94, 1, m);
}

// Entry pairs of section Q.
void CValidator100::Section16(int m) {
  Blk B{block_};
  Vec fa = f1a(B), inc2 = income2(B), inc3 = income3(B);
  int first = m == 1 ? 0 : m - 1, last = m == 1 ? 4 : m - 1;
  for (int p = first; p <= last; ++p) {
    size_t up = static_cast<size_t>(p);
    if (B.e(kApplied1, p) + B.e(kApplied2, p) < B.e(kTotalApplied, p) && B.e(kActivityNet, p) + fa[up] == 0) {
      Report("100I017", 16, 2, 0, m);
      break;
    }
  }
  struct PairArea {
    size_t entries[2];
    int box;
  };
  constexpr PairArea kPairs[] = {
      {{at(f100::SectionQ, kExpensesLine1.rows[0]), at(f100::SectionQ, kExpensesLine1.rows[1])}, 20},
      {{at(f100::SectionQ, kExpensesLine2.rows[0]), at(f100::SectionQ, kExpensesLine2.rows[1])}, 71}};
  for (size_t amountOff : {16u, 8u}) {
    const Vec& income = amountOff == 16 ? inc2 : inc3;
    const char* code = amountOff == 16 ? "100R059" : "100R060";
    for (const auto& area : kPairs) {
      bool hit = false;
      for (int p = first; p <= last; ++p) {
        int holder = m == 1 ? p + 1 : m;
        for (size_t e : area.entries)
          if (B.holder(e) == holder && B.d(e + amountOff) > 0 && income[static_cast<size_t>(p)] == 0) hit = true;
      }
      if (hit) Report(code, 16, area.box, 1, m);
    }
  }
}

// Result and bank accounts.
void CValidator100::Section17(int m) {
  Blk B{block_};
  size_t M = um(m);
  bool resultSelected = B.b(kRequestBase + M) == 1;
  double v = B.b(resultSelection1(m)) != 0 ? B.e(kMemberResult, m - 1) : B.e(kResultCopy, m - 1);
  if ((m == 2 || m == 3) && resultSelected) {
    double x = B.e(kDeclarationResult, 1), y = B.e(kDeclarationResult, 2);
    if ((x >= 0 && y >= 0) || (x < 0 && y < 0) || B.b(resultSelection1(2)) == 1 || B.b(resultSelection1(3)) == 1)
      Report("WIN032", 17, 19, 0, m);
  }
  if ((m == 1 || m == 2) && resultSelected) Report("100I015", 17, -1, 0, m);

  namespace pay = f100::payment;
  auto q = [](size_t off) { return at(f100::SectionQ, off); };
  auto incomplete = [&](const pay::Account& a) {
    return B.empty(q(a.entity.off)) || B.empty(q(a.branch.off)) || B.empty(q(a.control.off)) ||
           B.empty(q(a.number.off));
  };
  bool acc1 = incomplete(pay::Account1(m));
  bool acc2 = incomplete(pay::Account2(m));
  bool acc3 = incomplete(pay::Account3(m));
  // The choice flags of each account: five member bytes right before its entity codes.
  auto choice = [&](const pay::Account& first) { return B.b(q(first.entity.off) - 5 + (M - 1)); };
  int a1 = choice(pay::Account1(1)), a2 = choice(pay::Account2(1)), b1 = choice(pay::Account3(1));
  int box = -1;
  if (v > 0) {
    if (a1 == 1 && acc1) box = 25;
    else if (a2 == 1 && acc2) box = 31;
    else if (a1 == 0 && B.b(q(pay::Code23Flag(m).off)) == 0)
      box = 25;
  } else if (v < 0) {
    if (b1 == 1 && acc3) box = 38;
    else if (b1 == 0 && B.b(q(pay::RefundWaiverFlag(m).off)) == 0 && B.b(resultSelection1(m)) != 1 &&
             B.b(resultSelection2(m)) != 1)
      box = 38;
    else if (a1 == 1 && acc1) box = 25;
  }
  if (box >= 0) Report("WIN030", 17, box, 1, m);
}

}  // namespace checks
