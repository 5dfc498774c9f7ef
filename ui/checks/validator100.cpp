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
#include "data/blocks/form100.h"
#include "data/blocks/form100_c.h"
#include "data/blocks/form100_e1.h"
#include "data/blocks/form100_e4.h"
#include "data/blocks/form100_e5.h"
#include "data/blocks/form100_f1.h"
#include "data/blocks/form100_f2.h"
#include "data/blocks/form100_f3.h"
#include "data/blocks/form100_g1.h"
#include "data/blocks/form100_g3.h"
#include "data/blocks/form100_g4.h"
#include "data/blocks/form100_j.h"
#include "ui/checks/validation_helper.h"
#include "ui/checks/validators.h"

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
constexpr Rows kDescendants = rows(f100::Family, f100::family::kDescendants, f100::family::kDescendantCount,
                                   f100::family::kDescendantSize);
constexpr Rows kFurtherPersons = rows(f100::Family, f100::family::FurtherPersons.off, 4, 80);
static_assert(kFurtherPersons.count * kFurtherPersons.size == f100::family::FurtherPersons.size);
constexpr Rows kFamilyRows = rows(f100::SectionC, f100::sec_c::RowTableEntries.off, 3, 40);
static_assert(kFamilyRows.count * kFamilyRows.size == f100::sec_c::RowTableEntries.size);
constexpr Rows kSlotsA = rows(f100::SectionJ, f100::sec_j::kPensionRows, f100::sec_j::kPensionRowCount,
                              f100::sec_j::kPensionRowSize);
constexpr Rows kSlotsB = rows(f100::SectionJ, f100::sec_j::kDisabledRows, f100::sec_j::kDisabledRowCount,
                              f100::sec_j::kDisabledRowSize);
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
constexpr Group group(const f100::sec_g4::AmountList& l, int box) { return {f100::SectionG4.offset + l.off, l.rowSize, box}; }
constexpr std::array<Group, 5> kG4{{group(f100::sec_g4::ListA, 4), group(f100::sec_g4::ListB, 14),
                                    group(f100::sec_g4::ListC, 24), group(f100::sec_g4::ListE, 94),
                                    group(f100::sec_g4::ListF, 104)}};
constexpr size_t kG4Rows = f100::sec_g4::AmountList::kRows;
static_assert(f100::sec_g4::ListA.amount(0).off == 8 && f100::sec_g4::ListA.counted(0).off == 16);
constexpr size_t kSummary = f100::Summary.offset;

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
    if (B.b(kF1.row(k) + 104) != 0) items.push_back({B.holder(kF1.row(k)), B.d(kF1.row(k) + 112)});
  return sumaASuTitular(items);
}

Vec income2(const Blk& B) {
  std::vector<std::pair<int, double>> items;
  for (size_t k = 0; k < kE4.count; ++k) items.push_back({B.holder(kE4.row(k)), B.d(kE4.row(k) + 1272)});
  for (size_t k = 0; k < kE5.count; ++k) items.push_back({B.holder(kE5.row(k)), B.d(kE5.row(k) + 1832)});
  for (size_t k = 0; k < kF1.count; ++k)
    if (B.b(kF1.row(k) + 105) != 0) items.push_back({B.holder(kF1.row(k)), B.d(kF1.row(k) + 112)});
  return sumaASuTitular(items);
}

Vec income3(const Blk& B) {
  std::vector<std::pair<int, double>> items;
  for (size_t k = 0; k < kF2.count; ++k)
    items.push_back({B.holder(kF2.row(k)), B.c(kF2.row(k) + 10) == '1' ? 0.0 : B.d(kF2.row(k) + 16)});
  for (size_t k = 0; k < kF1.count; ++k)
    if (B.b(kF1.row(k) + 104) != 0 && B.b(kF1.row(k) + 105) == 0)
      items.push_back({B.holder(kF1.row(k)), B.d(kF1.row(k) + 112)});
  for (size_t k = 0; k < kE1.count; ++k) items.push_back({B.holder(kE1.row(k)), B.d(kE1.row(k) + 88)});
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

  if (!doc.boxRangeNoticeArmed()) Report("WIN022", 0, 0, 1, member);
  if (member == 1 && B.b(2358) != 0) Report("UFCYGNR", 0, 0, 1, 1);

  bool both = member == 6;
  int m = member == -1 ? doc.shownMember : both ? 2 : member;
  if (m < 1 || m > 5) return 1;
  if (B.t(124 + 32 * um(m - 1), 2) == "99") {
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
  bool spouse = doc.household[2] != 0;
  bool joint = doc.joint;
  int mode = B.b(0);
  size_t nif = 773 + 9 * um(m - 1);

  if (B.empty(nif)) Report("WIN001", 100, 1, 1, m);
  if ((m == 1 || m == 3) && B.t(1563, 9) == "X00000000") Report("100R070", 1, 25, 1, m);
  if (m != 4 && m != 5) {
    for (size_t k = 0; k < kDescendants.count; ++k) {
      size_t e = kDescendants.row(k);
      if (B.i32(e + 104) < 16) continue;
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
  size_t surname1 = 878 + 15 * um(m), name = 803 + 15 * um(m), surname2 = 953 + 15 * um(m);
  if (B.empty(surname1) || B.empty(name)) Report("WIN015", 1, 1, 1, m);
  else if (!B.empty(nif) && nameFails(B, nif, surname1, surname2, name)) Report("WIN017", 1, 1, 1, m);

  size_t s1b = 1668 + 15 * um(m), nb = 1593 + 15 * um(m), nifb = 1554 + 9 * um(m), s2b = 1743 + 15 * um(m);
  if (!B.empty(s1b) && !B.empty(nb) && !B.empty(nifb) && nameFails(B, nifb, s1b, s2b, nb))
    Report("WIN017", 1, 26, 1, m);
  if (mode == 1 && m < 4 && spouse && (B.empty(s1b) || B.empty(nb))) Report("100R069", 1, 26, 1, m);
  if (!joint && mode == 1 && m == 2 && (B.empty(1698) || B.empty(1623))) Report("100R069", 1, 26, 1, 2);

  bool noNumber = B.empty(1509 + 9 * um(m));
  if (noNumber) Report("100I009", 1, 24, 0, m);
  bool rule11 = noNumber && (B.b(1042 + um(m)) != 0 || B.b(1047 + um(m)) != 0);
  if (rule11) Report("WIN018", 1, 24, 1, m);
  if (!rule11 && m <= 3 && spouse && B.empty(2304 + 9 * um(m)) && (B.b(1832 + um(m)) != 0 || B.b(1837 + um(m)) != 0))
    Report("WIN018", 1, 43, 1, m);

  if (B.empty(1058 + 20 * um(m))) Report("WIN016", 1, 5, 1, m);
  else if (B.empty(1060 + 3 * um(m)) && B.empty(1344 + 14 * um(m))) Report("WIN019", 1, 5, 1, m);

  bool r15 = m <= 3 && spouse && B.empty(1853 + 20 * um(m));
  bool r16 = !r15 && B.empty(1855 + 3 * um(m)) && m <= 3 && spouse && B.empty(2139 + 14 * um(m));
  if (r15) Report("100R068", 1, 30, 1, m);
  else if (r16) Report("WIN019", 1, 30, 1, m);
  else if (!joint && mode == 1 && m == 2 && B.empty(1861) && B.empty(2167)) Report("100R068", 1, 30, 1, 2);

  auto meets87 = [&](size_t number, size_t mark) { return twoDigitNumber(B.t(number, 2)) == 20 && B.b(mark) == 0; };
  auto meets88 = [&](size_t number, size_t mark) { return twoDigitNumber(B.t(number, 2)) != 20 && B.b(mark) != 0; };
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

  auto total = [&](int person) { return B.e(6328, person) + B.e(6368, person) + B.e(6528, person); };
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
    items.push_back({B.holder(kE1.row(k)), B.d(kE1.row(k) + 264)});
    items.push_back({B.holder(kE4.row(k)), B.d(kE4.row(k) + 1392)});
    items.push_back({B.holder(kE5.row(k)), B.d(kE5.row(k) + 2032)});
    for (size_t a : {24u, 72u, 96u}) items.push_back({B.holder(kF1.row(k)), B.d(kF1.row(k) + a)});
  }
  std::vector<std::pair<Vec, double>> terms{{sumaASuTitular(items), 1.0}};
  for (size_t v : {6808u, 8640u, 8976u, 11408u, 36968u, 37200u, 37296u, 37552u, 62336u, 62496u})
    terms.push_back({loadVec(B, v), 1.0});
  for (size_t v : {62376u, 62536u}) terms.push_back({loadVec(B, v), -1.0});
  Vec income = sumatorio(terms);

  auto anyDescendant = [&](size_t markOff) {
    for (size_t k = 0; k < kDescendants.count; ++k) {
      size_t e = kDescendants.row(k);
      if (B.b(e + 134) == 0 && B.b(e + markOff) != 0) return true;
    }
    return false;
  };
  if (income[3] > 8000 && anyDescendant(146)) Report("100R077", 100, -1, 1, m);
  if (income[4] > 8000 && anyDescendant(147)) Report("100R078", 100, -1, 1, m);
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
    if (B.d(r + 56) > 0 && code != "861.1" && code != "861.2" && code != "862  " && code != "     " && code[0] != 0)
      r3 = true;
    double a = B.d(r + 264), b = B.d(r + 272);
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
      double x = B.d(r + 152) + B.d(r + 144);
      if (code == "644.1" || code == "644.2" || code == "644.3" || code == "644.6") x += B.d(r + 320) + B.d(r + 312);
      double a = B.d(r + 72);
      if ((a != 0 && x == 0) || (a == 0 && x != 0)) r1 = true;
    }
    if ((m == 1 || h == m) && B.d(r + 1400) != 0 && B.d(r + 1400) > B.d(r + 1384) * 0.4 + 0.5) r2 = true;
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
    double sum = d(24) + d(72) + d(96) + d(144) + d(152) + d(160) + d(168);
    if (sum > 0 && (B.empty(r + 1) || d(16) == 0)) r1 = true;
    double a = d(24), b = d(56);
    if (0.4 * a < b || (b > 0 && a < 0) || (b < 0 && a > 0) || (a > 0 && d(176) == 0)) r2 = true;
    if (d(176) > 0) {
      double t1 = std::trunc(d(160) + d(144) + d(96) + d(72));
      double t2 = std::trunc(d(160) + d(144) + d(24));
      if (d(72) > 0) t2 = std::trunc(t2 + d(72));
      if (d(96) > 0) t2 = std::trunc(t2 + d(96));
      if ((t1 == 0 && d(176) > 0.15 * d(24) + 0.5) || d(176) > 0.15 * t2 + 0.5) r3 = true;
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
    double a40 = B.d(s + 40), a56 = B.d(s + 56);
    if (h == 2 && (m == 1 || m == 2) && B.c(116) != '3' && a56 + a40 > 0) r1 = true;
    if (h == 3 && (m == 1 || m == 3) && B.c(117) != '3' && (a40 > 0 || a56 > 0)) r1 = true;
    if (h == 4 && (m == 1 || m == 4) && B.c(118) != '3' && a40 > 0) r1 = true;
    if (h == 5 && (m == 1 || m == 5) && B.c(119) != '3' && a40 > 0) r1 = true;
    if (B.d(s + 48) > 0 && B.empty(s + 16)) r2 = true;
    if ((m == 1 || h == m) && a56 + a40 > 0 && B.d(s + 48) > 0) r3 = true;
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
    double limit = DameCuantiaMaximaPlanPensiones(B.i32(40 + 4 * um(h)));
    if (B.d(sa + 72) + B.d(sa + 64) > 0 && B.d(sa + 32) + B.d(sa + 24) > 0)
      limit = util::RoundToDecimals(2 * limit, 2);
    limit = std::min(limit, kOverallMaximum);
    bool exceeded = false;
    for (size_t j = 0; j < kSlotsB.count; ++j) {
      size_t sb = kSlotsB.row(j);
      if (B.holder(sb) == h && B.d(sa + 80) + B.d(sa + 40) + B.d(sb + 64) > limit) exceeded = true;
    }
    if (exceeded) {
      Report("100P075", 10, 3, 0, m);
      break;
    }
  }

  for (size_t k = 0; k < kEntriesJ.count; ++k) {
    size_t e = kEntriesJ.row(k);
    bool hit = m == 1 ? B.d(e + 15) != 0 && B.empty(e) : B.holder(e - 1) == m && B.empty(e);
    if (hit) {
      Report("100R127", 10, 29, 1, m);
      break;
    }
  }

  if (m != 1) return;
  for (size_t o : {156u, 188u, 220u, 252u})
    if (B.c(o) == '9') return;
  bool anyIncome = false;
  double best = 0;
  std::vector<int> candidates;
  for (int k = 1; k <= 4; ++k) {
    bool income = false;
    for (size_t v : {62336u, 62376u, 62496u, 62536u, 62768u})
      if (B.e(v, k) != 0) income = true;
    if (!income) continue;
    double value = B.e(65368, k) + B.e(65648, k);
    if (!anyIncome || value > best) {
      candidates.clear();
      best = value;
    }
    if (!anyIncome || value == best) candidates.push_back(k);
    anyIncome = true;
  }
  if (!anyIncome) return;
  std::string_view unitCode = B.t(124, 2);
  for (int k : candidates)
    if (B.t(124 + 32 * um(k), 2) == unitCode) return;
  Report("100R024", 100, 4, 1, 1);
}

// Results of the members.
void CValidator100::Section11(int m) {
  Blk B{block_};
  Vec fa = f1a(B);
  constexpr std::pair<size_t, size_t> kPairs[] = {{1696, 1784}, {5696, 5736}, {5776, 5816}, {5856, 5944}};
  auto S = [&](size_t n, int p) { return B.e(kSummary + n, p); };
  int first = m == 1 ? 0 : m - 1, last = m == 1 ? 4 : m - 1;
  for (int p = first; p <= last; ++p) {
    bool r1 = false;
    for (auto [x, y] : kPairs)
      if ((S(x, p) == 0) != (S(y, p) == 0)) r1 = true;
    if (r1) {
      Report("100I016", 11, 41, 0, m);
      if (m == 1) return;
    }
    bool noIncome = B.e(13296, p) + fa[static_cast<size_t>(p)] == 0;
    if (noIncome && S(1200, p) + S(1240, p) > 0) Report("100I018", 16, 128, 0, m);
    if (noIncome && S(1280, p) + S(1376, p) > 0) Report("100I019", 11, 30, 0, m);
  }
}

void CValidator100::Section12(int m) {
  Blk B{block_};
  if (B.d(73904 + 8 * um(m)) > 0 && B.empty(74039 + 9 * um(m))) Report("100R126", 12, 14, 1, m);
  if (B.b(5561 + um(m)) == 1 && B.d(75696 + 8 * um(m)) > 0) Report("100R079", 1, 173, 1, m);

  int kind = B.b(75088);
  int a = 0;
  for (size_t k = 0; k < kDescendants.count; ++k) {
    size_t e = kDescendants.row(k);
    std::string_view date = B.t(e + 117, 8);
    if (VH::IsBlank(date.data(), 8)) date = B.t(e + 108, 8);
    // An entry without a date is not after any date.
    if (VH::IsBlank(date.data(), 8) || !VH::IsDateOnOrAfter(date, "31012000", true)) continue;
    char owner = B.c(e + 126);
    if ((kind == 2 && (owner == 'D' || owner == 'O')) || (kind == 3 && (owner == 'C' || owner == 'O'))) ++a;
  }
  int b = 0;
  for (size_t j = 0; j < 6; ++j)
    if (B.d(75112 + 40 * j) != 0) ++b;
  if (b > a) Report("100R146", 12, 31, 1, m);
}

void CValidator100::Section13(int m) {
  Blk B{block_};
  bool accountIncomplete = B.empty(76020 + 4 * um(m)) || B.empty(76040 + 4 * um(m)) ||
                           B.empty(76062 + 2 * um(m)) || B.empty(76064 + 10 * um(m));
  if (B.b(75615 + um(m)) == 1 && B.d(75568 + 8 * um(m)) < 0 && !(B.d(76120 + 8 * um(m)) < B.d(76160 + 8 * um(m))) &&
      accountIncomplete)
    Report("100R115", 13, 15, 1, m);
}

void CValidator100::Section15(int m) {
  Blk B{block_};
  if (B.d(86216 + 8 * um(m)) > 0 && B.empty(86812 + 9 * um(m))) Report("100R110", 15, 94, 1, m);
  double sum = 0;
  for (size_t o : {86080u, 84504u, 83888u, 82920u, 80864u, 80144u, 79560u}) sum += B.d(o + 8 * um(m));
  if (sum > 0 && B.empty(86767 + 9 * um(m))) Report("100R110", 15, 94, 1, m);
}

// Entry pairs of section Q.
void CValidator100::Section16(int m) {
  Blk B{block_};
  Vec fa = f1a(B), inc2 = income2(B), inc3 = income3(B);
  int first = m == 1 ? 0 : m - 1, last = m == 1 ? 4 : m - 1;
  for (int p = first; p <= last; ++p) {
    size_t up = static_cast<size_t>(p);
    if (B.e(89280, p) + B.e(92120, p) < B.e(93480, p) && B.e(13296, p) + fa[up] == 0) {
      Report("100I017", 16, 2, 0, m);
      break;
    }
  }
  struct PairArea {
    size_t entries[2];
    int box;
  };
  constexpr PairArea kPairs[] = {{{88000, 88032}, 20}, {{90936, 90968}, 71}};
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
  bool resultSelected = B.b(75615 + M) == 1;
  double v = B.b(5561 + M) != 0 ? B.d(75696 + 8 * M) : B.d(76360 + 8 * M);
  if ((m == 2 || m == 3) && resultSelected) {
    double x = B.d(75584), y = B.d(75592);
    if ((x >= 0 && y >= 0) || (x < 0 && y < 0) || B.b(5563) == 1 || B.b(5564) == 1) Report("WIN032", 17, 19, 0, m);
  }
  if ((m == 1 || m == 2) && resultSelected) Report("100I015", 17, -1, 0, m);

  auto incomplete = [&](size_t entity, size_t branch, size_t control, size_t number) {
    return B.empty(entity + 4 * M) || B.empty(branch + 4 * M) || B.empty(control + 2 * M) || B.empty(number + 10 * M);
  };
  bool acc1 = incomplete(94760, 94780, 94802, 94804);
  bool acc2 = incomplete(94910, 94930, 94952, 94954);
  bool acc3 = incomplete(95062, 95082, 95104, 95106);
  int a1 = B.b(94758 + M), a2 = B.b(94908 + M), b1 = B.b(95060 + M);
  int box = -1;
  if (v > 0) {
    if (a1 == 1 && acc1) box = 25;
    else if (a2 == 1 && acc2) box = 31;
    else if (a1 == 0 && B.b(94753 + M) == 0) box = 25;
  } else if (v < 0) {
    if (b1 == 1 && acc3) box = 38;
    else if (b1 == 0 && B.b(95055 + M) == 0 && B.b(5561 + M) != 1 && B.b(5566 + M) != 1) box = 38;
    else if (a1 == 1 && acc1) box = 25;
  }
  if (box >= 0) Report("WIN030", 17, box, 1, m);
}

}  // namespace checks
