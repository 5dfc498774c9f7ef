#include "checks/field_check.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "blocks/form100_j.h"
#include "blocks/form100_o.h"
#include "data/store/store.h"
#include "checks/validation_helper.h"

namespace checks {

namespace {

using VH = CValidationHelper;
using Byte = unsigned char;

enum class Outcome { Accept, Refuse, RefuseAsCheck5, RefuseSilently };

// What a refused field becomes.
enum class Refusal {
  Blanks,      // every character a blank
  ZeroBytes,   // every byte 0
  Emptied,     // first character the terminator
  Unchanged,
  ZeroAmount,  // the double becomes 0
  Set365,      // the double becomes 365
  BothZero,    // two consecutive doubles become 0
};

struct CheckRule {
  int number;
  const char* code;  // nullptr: never refused with a message
  int icon;
  Refusal refusal;
  std::size_t width;      // bytes of the field the refusal touches
  bool messageFirst;      // the message comes before the field changes
  Outcome (*test)(CFieldCheck&, Byte* value);
};

std::string_view chars(const Byte* v, std::size_t n) { return {reinterpret_cast<const char*>(v), n}; }
char* text(Byte* v) { return reinterpret_cast<char*>(v); }
double amount(const Byte* v, std::size_t off = 0) { return blocks::F64{off}.get(v); }
Outcome accept(bool ok) { return ok ? Outcome::Accept : Outcome::Refuse; }

Outcome nifEntities(CFieldCheck&, Byte* v) { return accept(VH::ValidateNif(text(v), 9, true)); }
Outcome nifPersons(CFieldCheck&, Byte* v) { return accept(VH::ValidateNif(text(v), 9, false)); }
Outcome nifOrNumberPersons(CFieldCheck&, Byte* v) { return accept(VH::ValidateNifOrNumber(text(v), 9, false)); }
Outcome nifOrNumberEntities(CFieldCheck&, Byte* v) { return accept(VH::ValidateNifOrNumber(text(v), 9, true)); }
Outcome nifEgh(CFieldCheck&, Byte* v) {
  if (!VH::ValidateNifOrNumber(text(v), 9, true)) return Outcome::Refuse;
  char c = text(v)[0];
  return accept(c == 0 || c == 'E' || c == 'G' || c == 'H');
}

Outcome date(CFieldCheck&, Byte* v) { return accept(VH::IsValidDate(chars(v, 8))); }

template <const char* Low>
Outcome dateAfter(CFieldCheck&, Byte* v) {
  if (!VH::IsValidDate(chars(v, 8))) return Outcome::RefuseAsCheck5;
  return accept(VH::IsDateInRange(chars(v, 8), Low, "01012004", true));
}
constexpr char k1998[] = "01011998", k2001[] = "31122001", k2000[] = "31122000", k1999[] = "31121999",
               k2002[] = "31122002";

template <const char* Low, const char* High>
Outcome dateBetween(CFieldCheck&, Byte* v) {
  std::string d(chars(v, 8));
  return accept(VH::CheckDateRange(d.c_str(), Low, High, 1, false));
}
constexpr char kMay2000[] = "01052000", kEnd2000[] = "31122000", kMay2004[] = "03052004", kEnd2004[] = "31122004";

Outcome longDate(CFieldCheck& check, Byte* v) {
  const char* t = text(v);
  if (VH::IsCharEmpty(t[0])) return Outcome::Accept;
  std::string built(t, 2);
  if (VH::IsCharEmpty(t[2])) {
    built += "01";
  } else {
    std::string_view word = util::UpToTerminator(std::string_view(t + 2, 3));
    char lang = static_cast<char>(check.Document().language | 0x20);
    built += lang == 'c' || lang == 'v' ? util::MonthNumberFromCatalan(word)
             : lang == 'g'              ? util::MonthNumberFromGalician(word)
                                        : util::MonthNumberFromSpanish(word);
  }
  built += VH::IsCharEmpty(t[12]) ? std::string("2000") : std::string(t + 12, 4);
  return accept(VH::IsValidDate(built));
}

Outcome province(CFieldCheck&, Byte* v) {
  std::string code(util::UpToTerminator(chars(v, 2)));
  return accept(VH::IsProvinceCode(code.c_str()));
}

Outcome bankAccount(CFieldCheck&, Byte* v) {
  for (std::size_t i = 0; i < 20; ++i)
    if (VH::IsCharEmpty(text(v)[i])) return Outcome::RefuseSilently;
  return accept(util::CheckBankAccountDigits(chars(v, 20)) == 0);
}

Outcome bankAccountIfComplete(CFieldCheck&, Byte* v) {
  for (std::size_t part : {0u, 4u, 8u, 10u})
    if (VH::IsCharEmpty(text(v)[part])) return Outcome::Accept;
  return accept(util::CheckBankAccountDigits(chars(v, 20)) == 0);
}

// Completes a typed year in place: "85" -> "1985", "5" -> "1905", "985" -> "1985".
void completeYear(char* c, char century0, char century1, char singleLead, char thousands) {
  if (c[2] == ' ') {
    if (c[1] == ' ') {
      c[1] = c[0];
      c[0] = singleLead;
    }
    c[2] = c[0];
    c[3] = c[1];
    c[0] = century0;
    c[1] = century1;
  }
  if (c[3] == ' ') {
    c[3] = c[2];
    c[2] = c[1];
    c[1] = c[0];
    c[0] = thousands;
  }
}

int yearNumber(const char* c) {
  int n = 0;
  for (int i = 0; i < 4; ++i) {
    if (c[i] < '0' || c[i] > '9') break;
    n = n * 10 + (c[i] - '0');
  }
  return n;
}

Outcome year101(CFieldCheck&, Byte* v) {
  char* c = text(v);
  if (VH::IsCharEmpty(c[0])) return Outcome::Accept;
  completeYear(c, '1', '9', '0', '1');
  int n = yearNumber(c);
  return accept((n >= 1886 && n <= 2003) || (n == 0 && chars(v, 4) != "0000"));
}
Outcome year16(CFieldCheck&, Byte* v) {
  char* c = text(v);
  if (VH::IsCharEmpty(c[0])) return Outcome::Accept;
  completeYear(c, '2', '0', '0', '2');
  int n = yearNumber(c);
  return accept(n >= 2004 && n <= 2009);
}
Outcome year17(CFieldCheck&, Byte* v) {
  char* c = text(v);
  if (VH::IsCharEmpty(c[0])) return Outcome::Accept;
  completeYear(c, '1', '9', '9', '1');
  int n = yearNumber(c);
  return accept(n >= 1996 && n <= 1999);
}

Outcome percentBelow100(CFieldCheck&, Byte* v) { return accept(amount(v) >= 0 && amount(v) < 100); }
Outcome percentUpTo100(CFieldCheck&, Byte* v) { return accept(amount(v) >= 0 && amount(v) <= 100); }
Outcome daysInYear(CFieldCheck&, Byte* v) { return accept(amount(v) <= 365); }
Outcome zeroOrFrom33(CFieldCheck&, Byte* v) { return accept(amount(v) == 0 || amount(v) >= 33); }
Outcome months1To12(CFieldCheck&, Byte* v) { return accept(amount(v) != 0 && amount(v) <= 12); }
Outcome twoPercentsUpTo100(CFieldCheck&, Byte* v) { return accept(amount(v, 0) + amount(v, 8) <= 100); }
Outcome secondAmountWhenFirst(CFieldCheck&, Byte* v) { return accept(amount(v, 24) == 0 || amount(v, 32) != 0); }
Outcome always(CFieldCheck&, Byte*) { return Outcome::Accept; }

// The numbered checks: number, message, icon, what a refused field becomes.
constexpr CheckRule kChecks[] = {
    {1, "WIN004", kIconExclamation, Refusal::Blanks, 9, false, nifEntities},
    {21, "WIN004", kIconExclamation, Refusal::Blanks, 9, false, nifPersons},
    {2, "DNIE001", kIconExclamation, Refusal::Blanks, 9, false, nifOrNumberPersons},
    {22, "DNIE001", kIconExclamation, Refusal::Blanks, 9, false, nifOrNumberEntities},
    {23, "WIN003", kIconExclamation, Refusal::Blanks, 9, false, nifEgh},
    {5, "WIN008", kIconExclamation, Refusal::Blanks, 8, false, date},
    {11, "WIN008", kIconExclamation, Refusal::Blanks, 8, false, dateAfter<k1998>},
    {12, "WIN008", kIconExclamation, Refusal::Blanks, 8, false, dateAfter<k2001>},
    {13, "WIN008", kIconExclamation, Refusal::Blanks, 8, false, dateAfter<k2000>},
    {14, "WIN008", kIconExclamation, Refusal::Blanks, 8, false, dateAfter<k1999>},
    {15, "WIN005", kIconExclamation, Refusal::Blanks, 8, true, dateAfter<k2002>},
    {6, "WIN008", kIconExclamation, Refusal::Unchanged, 16, false, longDate},
    {8, "CODE001", kIconExclamation, Refusal::Emptied, 2, false, province},
    {9, "WIN012", kIconStop, Refusal::Emptied, 20, false, bankAccount},
    {10, "WIN012", kIconStop, Refusal::Unchanged, 20, false, bankAccountIfComplete},
    {101, "WIN005", kIconStop, Refusal::ZeroBytes, 4, false, year101},
    {16, "WIN007", kIconStop, Refusal::ZeroBytes, 4, false, year16},
    {17, "WIN007", kIconStop, Refusal::ZeroBytes, 4, false, year17},
    {102, "100R130", kIconStop, Refusal::ZeroAmount, 8, false, percentBelow100},
    {103, "100R009", kIconStop, Refusal::ZeroAmount, 8, false, percentUpTo100},
    {104, "WIN1001", kIconStop, Refusal::Set365, 8, false, daysInYear},
    {18, "WIN008", kIconStop, Refusal::ZeroBytes, 8, false, dateBetween<kMay2000, kEnd2000>},
    {19, "WIN008", kIconStop, Refusal::ZeroBytes, 8, false, dateBetween<kMay2004, kEnd2004>},
    {20, "100R158", kIconStop, Refusal::ZeroAmount, 8, false, zeroOrFrom33},
    {24, "100R149", kIconStop, Refusal::ZeroAmount, 8, false, months1To12},
    {3, "PRU001", kIconExclamation, Refusal::BothZero, 16, false, twoPercentsUpTo100},
    {201, "100R012", kIconStop, Refusal::Unchanged, 0, false, secondAmountWhenFirst},
    {4, nullptr, 0, Refusal::Unchanged, 0, false, always},
    {202, nullptr, 0, Refusal::Unchanged, 0, false, always},
    {206, nullptr, 0, Refusal::Unchanged, 0, false, always},
};

const CheckRule* findCheck(int number) {
  for (const auto& r : kChecks)
    if (r.number == number) return &r;
  return nullptr;
}

constexpr bool isCarryOver(int n) { return n == 203 || n == 209 || n == 204 || n == 205; }
constexpr bool isSelection(int n) { return n == 207 || n == 208; }

void applyRefusal(const CheckRule& rule, Byte* v) {
  switch (rule.refusal) {
    case Refusal::Blanks: std::memset(v, ' ', rule.width); break;
    case Refusal::ZeroBytes: std::memset(v, 0, rule.width); break;
    case Refusal::Emptied: v[0] = 0; break;
    case Refusal::Unchanged: break;
    case Refusal::ZeroAmount: blocks::F64{0}.set(v, 0.0); break;
    case Refusal::Set365: blocks::F64{0}.set(v, 365.0); break;
    case Refusal::BothZero:
      blocks::F64{0}.set(v, 0.0);
      blocks::F64{8}.set(v, 0.0);
      break;
  }
}

}  // namespace

void CFieldCheck::SetDeclarationKey(const std::string& key) {
  // Characters, not bytes, as the store pads its keys: a cut inside an accented letter would
  // leave rows that the store's own key never matches.
  key_ = store::PadKey(store::FirstChars(key, kKeyLength));
}

bool CFieldCheck::IsKnownCheck(int number) {
  return findCheck(number) != nullptr || isCarryOver(number) || isSelection(number);
}

std::vector<std::string> CFieldCheck::MessageCodes() {
  std::vector<std::string> codes;
  for (const auto& r : kChecks)
    if (r.code != nullptr && std::find(codes.begin(), codes.end(), r.code) == codes.end()) codes.emplace_back(r.code);
  return codes;
}

int CFieldCheck::ShowCheckMessage(const std::string& code, int icon, const std::string& extra) {
  return messages_.ShowMessage(code, static_cast<MessageIcon>(icon), extra);
}

int CFieldCheck::RunCheck(int number, void* value) {
  value_ = value;
  Byte* v = static_cast<Byte*>(value);
  if (!IsKnownCheck(number)) {
    // A caller asked for a check that does not exist: a program fault, not a user error.
    messages_.Notice("Comprobación de campo desconocida: " + std::to_string(number));
    return 0;
  }
  if (isCarryOver(number)) {
    if (doc_.kind == kForm100 && doc_.block != nullptr && doc_.blockSize >= f100::kBlockSize)
      CarryOverPerHolder(number, doc_.block, doc_.joint);
    return 1;
  }
  if (isSelection(number)) {
    if (v != nullptr) SelectRowsPerMember(number, v);
    return 1;
  }
  const CheckRule& rule = *findCheck(number);
  if (rule.code == nullptr) return 1;
  if (v == nullptr) return 0;

  Outcome outcome = rule.test(*this, v);
  if (outcome == Outcome::Accept) return 1;
  if (outcome == Outcome::RefuseSilently) return 0;
  const CheckRule& refusal = outcome == Outcome::RefuseAsCheck5 ? *findCheck(5) : rule;
  auto show = [&] {
    if (messagesOn_) ShowCheckMessage(refusal.code, refusal.icon, "");
  };
  if (refusal.messageFirst) show();
  applyRefusal(refusal, v);
  if (!refusal.messageFirst) show();
  return 0;
}

bool CFieldCheck::AddCorrection(const std::string& code, int vista, int numcontr, int severidad, int sujetodecl) {
  int member = sujetodecl;
  if (doc_.kind == kForm714) {
    member = 2;
  } else if (member < 1 || member > 5 || (member != doc::ShownMember() && !doc::HouseholdHas(member))) {
    member = doc::ShownMember();
  }
  std::optional<CorrectionRow> found;
  if (!store_.Find(key_, code, member, found)) return false;
  CorrectionRow row{key_, code, 4, vista, severidad, numcontr, member};
  if (found) {
    if (found->severidad > severidad) return true;
    return store_.Update(row);
  }
  return store_.Insert(row);
}

bool CFieldCheck::ClearResults() { return store_.Clear(key_); }

// ---------------------------------------------------------------------------------------------
// Carry-overs from section A rows to the holder slots of section J (offsets in Form100Data).

namespace {

constexpr std::size_t kSectionA = f100::SectionA.offset;
constexpr std::size_t kRowsA = f100::sec_a::kRows, kRowSizeA = f100::sec_a::kRowSize;
constexpr std::size_t kRowKindA = 72;  // the row's kind character, kept by the page
static_assert(f100::sec_a::PromoterContributionsAnnex.off + 8 == kRowKindA);

struct ClearRange {
  std::size_t from, to;  // inclusive
};

struct CarryOver {
  int number;
  char kind;               // row kind character summed
  std::size_t rowAmount;   // amount summed, within the row
  int holders[4];
  int holderCount;
  std::size_t firstSlot;   // block offset
  int slotCount;
  std::size_t slotSize;
  std::size_t slotAmount;  // amount within the slot
  ClearRange clears[3];
  int clearCount;
  bool firstSlotOnly;      // a holder is placed in its first slot only
};

namespace sj = f100::sec_j;
constexpr std::size_t inJ(std::size_t off) { return f100::SectionJ.offset + off; }
constexpr std::size_t kSportRowSize = sj::SportHolder(1).off - sj::SportHolder(0).off;
constexpr CarryOver kCarryOvers[] = {
    {203, '1', f100::sec_a::PromoterContributionsAnnex.off, {2, 3}, 2, inJ(sj::kPensionRows), sj::kPensionRowCount,
     sj::kPensionRowSize, sj::pension::PromoterYearIn.off, {{64, 79}}, 1, false},
    {209, '3', f100::sec_a::PromoterContributions.off, {2, 3}, 2, inJ(sj::kSportRows), sj::kSportRowCount,
     kSportRowSize, sj::SportPromoter(0).off - sj::kSportRows, {{8, 23}}, 1, false},
    {204, '2', f100::sec_a::PromoterContributions.off, {2, 3, 4, 5}, 4, inJ(sj::kDisabledRows), sj::kDisabledRowCount,
     sj::kDisabledRowSize, sj::disabled::Promoter.off, {{1, 9}, {16, 24}, {32, 63}}, 3, true},
};

int holderCode(const Byte* block, std::size_t off) {
  int h = blocks::U8{off}.get(block);
  return h > 5 ? 0 : h;
}

// Per holder code (0..5), the sum of the amounts of section A rows of one kind.
std::array<double, 6> sumRows(const Byte* block, char kind, std::size_t rowAmount) {
  std::array<double, 6> sums{};
  for (std::size_t r = 0; r < kRowsA; ++r) {
    std::size_t row = kSectionA + r * kRowSizeA;
    int h = holderCode(block, row);
    if (h == 0 || blocks::U8{row + kRowKindA}.get(block) != static_cast<Byte>(kind)) continue;
    sums[static_cast<std::size_t>(h)] += blocks::F64{row + rowAmount}.get(block);
  }
  return sums;
}

void carryOver(const CarryOver& c, Byte* block) {
  auto sums = sumRows(block, c.kind, c.rowAmount);
  bool placed[6] = {};
  auto isHolder = [&](int h) {
    for (int i = 0; i < c.holderCount; ++i)
      if (c.holders[i] == h) return true;
    return false;
  };
  for (int s = 0; s < c.slotCount; ++s) {
    std::size_t slot = c.firstSlot + static_cast<std::size_t>(s) * c.slotSize;
    int h = holderCode(block, slot);
    if (h == 0 || !isHolder(h) || (c.firstSlotOnly && placed[h])) continue;
    blocks::F64{slot + c.slotAmount}.set(block, sums[static_cast<std::size_t>(h)]);
    placed[h] = true;
  }
  for (int s = 0; s < c.slotCount; ++s) {
    std::size_t slot = c.firstSlot + static_cast<std::size_t>(s) * c.slotSize;
    if (blocks::U8{slot}.get(block) != 0) continue;
    for (int i = 0; i < c.holderCount; ++i) {
      int h = c.holders[i];
      if (placed[h] || sums[static_cast<std::size_t>(h)] == 0) continue;
      for (int k = 0; k < c.clearCount; ++k)
        blocks::Area{slot + c.clears[k].from, c.clears[k].to - c.clears[k].from + 1}.clear(block);
      blocks::U8{slot}.set(block, static_cast<Byte>(h));
      blocks::F64{slot + c.slotAmount}.set(block, sums[static_cast<std::size_t>(h)]);
      placed[h] = true;
      break;
    }
  }
}

// Check 205: the other spouse's kind-"4" rows of a joint declaration in mode 1.
constexpr blocks::U8 kSpouseSlotHolder{inJ(sj::SpouseContributor.off)};
constexpr blocks::F64 kSpouseSlotSecond{inJ(sj::SpouseContribution[0].off)};
constexpr blocks::F64 kSpouseSlotAmount{inJ(sj::SpouseContribution[1].off)};
constexpr std::size_t kSpouseRowAmount = f100::sec_a::PromoterContributions.off;

void carryOverSpouse(Byte* block, bool joint) {
  if (!joint || f100::GetDeclarationMode(block) != 1) return;
  auto sums = sumRows(block, '4', kSpouseRowAmount);
  int h = kSpouseSlotHolder.get(block);
  if (h == 2 || h == 3) {
    double sum = sums[h == 2 ? 3 : 2];
    if (sum == 0 && kSpouseSlotSecond.get(block) == 0) kSpouseSlotHolder.set(block, 0);
    else kSpouseSlotAmount.set(block, sum);
  }
  if (kSpouseSlotHolder.get(block) == 0) {
    if (sums[2] != 0) {
      kSpouseSlotHolder.set(block, 3);
      kSpouseSlotAmount.set(block, sums[2]);
    } else if (sums[3] != 0) {
      kSpouseSlotHolder.set(block, 2);
      kSpouseSlotAmount.set(block, sums[3]);
    }
  }
}

}  // namespace

void CarryOverPerHolder(int number, unsigned char* block, bool joint) {
  if (number == 205) return carryOverSpouse(block, joint);
  for (const auto& c : kCarryOvers)
    if (c.number == number) carryOver(c, block);
}

// ---------------------------------------------------------------------------------------------
// Row selection per member in section O (offsets within Form100SectionO).

namespace {

struct SelectionSource {
  int number;
  std::size_t rows;       // three rows of 48 bytes
  std::size_t selectors;  // selector byte of row k at selectors + 40k; 0: the row's own code byte
  std::size_t outputShift;
};
namespace so = f100::sec_o;
// Check 207 picks among the housing accounts (selector: the code of the housing column of the same
// index), check 208 among the account deposits; their output sets lie in the page data after each.
constexpr SelectionSource kSelections[] = {{207, so::kHousingAccounts, so::kHousingColumns, 0},
                                           {208, so::kDepositRows, 0, 1108}};
constexpr std::size_t kSelRowSize = so::kHousingAccountSize;
constexpr std::size_t kSelAmount = so::DepositAmount(0).off - so::kDepositRows;
constexpr std::size_t kSelectorStride = so::kHousingColumnSize;
static_assert(so::kDepositRowSize == kSelRowSize &&
              so::HousingAccountAmount(0).off - so::kHousingAccounts == kSelAmount);

// Identification fields of a row and where they go in the first and second output set of member i.
struct IdField {
  std::size_t rowOff, size, firstBase, firstStride, secondBase, secondStride;
};
constexpr IdField kIdFields[] = {
    {16, 8, 1193, 8, 1338, 8},   {24, 4, 1237, 4, 1382, 4},   {28, 4, 1257, 4, 1402, 4},
    {32, 2, 1279, 2, 1424, 2},   {34, 4, 1281, 10, 1426, 10}, {38, 4, 1285, 10, 1430, 10},
    {42, 2, 1289, 10, 1434, 10},
};
constexpr std::size_t kFirstCode = 1195, kSecondCode = 1340;

void writeSet(Byte* rec, const SelectionSource& s, int member, bool second, int row) {
  std::size_t i = static_cast<std::size_t>(member);
  std::size_t codeOff = (second ? kSecondCode : kFirstCode) + i + s.outputShift;
  if (row < 0) {
    blocks::U8{codeOff}.set(rec, 0);
    for (const auto& f : kIdFields)
      blocks::Area{(second ? f.secondBase + f.secondStride * i : f.firstBase + f.firstStride * i) + s.outputShift,
                   f.size}
          .clear(rec);
    return;
  }
  std::size_t rowOff = s.rows + kSelRowSize * static_cast<std::size_t>(row);
  blocks::U8{codeOff}.set(rec, member == 1 ? blocks::U8{rowOff}.get(rec) : Byte{2});
  for (const auto& f : kIdFields) {
    Byte tmp[8];
    blocks::Area{rowOff + f.rowOff, f.size}.copyOut(rec, tmp);
    blocks::Area{(second ? f.secondBase + f.secondStride * i : f.firstBase + f.firstStride * i) + s.outputShift,
                 f.size}
        .copyIn(rec, tmp);
  }
}

}  // namespace

void SelectRowsPerMember(int number, unsigned char* rec) {
  for (const auto& s : kSelections) {
    if (s.number != number) continue;
    for (int member = 1; member <= 3; ++member) {
      double v[3];
      for (int k = 0; k < 3; ++k) {
        std::size_t row = s.rows + kSelRowSize * static_cast<std::size_t>(k);
        double a = blocks::F64{row + kSelAmount}.get(rec);
        int selector = s.selectors ? blocks::U8{s.selectors + kSelectorStride * static_cast<std::size_t>(k)}.get(rec)
                                   : blocks::U8{row}.get(rec);
        v[k] = member == 1 ? a : selector == 1 ? a / 2 : selector == member ? a : 0.0;
      }
      int nonZero[3], n = 0;
      for (int k = 0; k < 3; ++k)
        if (v[k] != 0) nonZero[n++] = k;
      int first = -1, second = -1;
      if (n == 1) {
        first = nonZero[0];
      } else if (n == 2) {
        first = v[nonZero[1]] > v[nonZero[0]] ? nonZero[1] : nonZero[0];
        second = first == nonZero[0] ? nonZero[1] : nonZero[0];
      } else if (n == 3) {
        int drop = (v[0] < v[1] && v[0] < v[2]) ? 0 : (v[1] < v[0] && v[1] < v[2]) ? 1 : 2;
        first = drop == 0 ? 1 : 0;
        second = drop == 2 ? 1 : 2;
      }
      writeSet(rec, s, member, false, first);
      writeSet(rec, s, member, true, second);
    }
  }
}

}  // namespace checks
