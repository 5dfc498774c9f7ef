#include "forms/filing/filing_writer100.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "blocks/form100.h"
#include "data/util/utilities.h"
#include "platform/cp1252.h"
#include "platform/texts.h"

namespace forms {

namespace {

constexpr int kFirstPage = 201;
constexpr int kLastScreenPage = 217;
constexpr int kResultsPage = 213;
constexpr int kRegistryPage = 205;
constexpr int kProductTitleId = 2090;

// Special positions of the form-100 layout.
enum : int {
  kSecondHolderPosition = -453,
  kRepeatMarkPosition = -15,
  kFamilyMarksPosition = -101,
  kRegistryNumber55 = -90,
  kRegistryNumber115 = -91,
  kRegistryYear55 = -92,
  kRegistryYear115 = -93,
  kResultBoxOfPage213 = 12,
};

// Fields the special values read, relative to their records; `m` is the print member (1..5).
namespace fam {
constexpr blocks::U8 SecondIdentityNif(int m) { return {1554u + static_cast<unsigned>(m)}; }
constexpr blocks::U8 FirstIdentityMark(int m) { return {754u + static_cast<unsigned>(m)}; }
constexpr blocks::U8 FirstIdentitySecondMark(int m) { return {759u + static_cast<unsigned>(m)}; }
constexpr blocks::I32 FamilyMark(int k, int i) { return {4292u + 72u * static_cast<unsigned>(k) + 4u * static_cast<unsigned>(i)}; }
constexpr int kFamilyMarks = 18;
}  // namespace fam
namespace q {
constexpr blocks::Text Entity1(int m) { return {7888u + 4u * static_cast<unsigned>(m), 4}; }
constexpr blocks::Text Branch1(int m) { return {7908u + 4u * static_cast<unsigned>(m), 4}; }
constexpr blocks::Text Control1(int m) { return {7930u + 2u * static_cast<unsigned>(m), 2}; }
constexpr blocks::Text Account1(int m) { return {7932u + 10u * static_cast<unsigned>(m), 10}; }
constexpr blocks::Text Entity2(int m) { return {8038u + 4u * static_cast<unsigned>(m), 4}; }
constexpr blocks::Text Branch2(int m) { return {8058u + 4u * static_cast<unsigned>(m), 4}; }
constexpr blocks::Text Control2(int m) { return {8080u + 2u * static_cast<unsigned>(m), 2}; }
constexpr blocks::Text Account2(int m) { return {8082u + 10u * static_cast<unsigned>(m), 10}; }
constexpr blocks::Text RefundEntity(int m) { return {8190u + 4u * static_cast<unsigned>(m), 4}; }
constexpr blocks::Text RefundBranch(int m) { return {8210u + 4u * static_cast<unsigned>(m), 4}; }
constexpr blocks::Text RefundControl(int m) { return {8232u + 2u * static_cast<unsigned>(m), 2}; }
constexpr blocks::Text RefundAccount(int m) { return {8234u + 10u * static_cast<unsigned>(m), 10}; }
constexpr blocks::F64 RefundAmount(int m) { return {8288u + 8u * static_cast<unsigned>(m)}; }
constexpr blocks::U8 SplitPayment(int m) { return {7876u + static_cast<unsigned>(m)}; }
constexpr blocks::U8 SecondPaymentDeferred(int m) { return {8036u + static_cast<unsigned>(m)}; }
constexpr blocks::U8 RefundRequested(int m) { return {8183u + static_cast<unsigned>(m)}; }
}  // namespace q
namespace n {
constexpr blocks::Text EntityOverride(int m) { return {276u + 4u * static_cast<unsigned>(m), 4}; }
constexpr blocks::Text BranchOverride(int m) { return {296u + 4u * static_cast<unsigned>(m), 4}; }
constexpr blocks::Text ControlOverride(int m) { return {318u + 2u * static_cast<unsigned>(m), 2}; }
constexpr blocks::Text AccountOverride(int m) { return {320u + 10u * static_cast<unsigned>(m), 10}; }
constexpr blocks::F64 Result(int m) { return {616u + 8u * static_cast<unsigned>(m)}; }
}  // namespace n
namespace res {
constexpr blocks::F64 MemberResult(int m) { return {72u + 8u * static_cast<unsigned>(m)}; }
}
namespace sum {
constexpr blocks::F64 DeclarantResult{9848};
constexpr blocks::F64 SpouseResult{9856};
constexpr blocks::U8 Compensation(int m) { return {9879u + static_cast<unsigned>(m)}; }
}  // namespace sum
// Member m's 20-character reference text, counted from the start of Form100Data.
constexpr blocks::Text ReferenceText(int m) { return {273u + 20u * static_cast<unsigned>(m), 20}; }

// Boxes whose value never makes a page worth filing, and boxes from which on nothing does.
constexpr std::array<std::string_view, 9> kSkipped{"ZAPEND",     "LUGARDECLP", "MMDECLARP", "DDDECLARP", "AADECLARP",
                                                   "LUGARDECLN", "MMDECLARN",  "DDDECLARN", "AADECLARN"};
constexpr std::array<std::string_view, 4> kStops{"REFERENCIA", "HOJACOM", "ET_PRUEBAS", "EJEMPLAR"};

bool Listed(std::string_view id, auto const& list) { return std::find(list.begin(), list.end(), id) != list.end(); }
bool Contains(const std::string& name, std::string_view part) { return name.find(part) != std::string::npos; }

// "%w.ws" of a stored text: up to its zero byte, at most w characters, right-aligned in w; then
// blanks as "0".
std::string ZeroFilled(const void* record, const blocks::Text& field) {
  std::string s(field.str(record));
  if (s.size() < field.width) s.insert(0, field.width - s.size(), ' ');
  std::replace(s.begin(), s.end(), ' ', '0');
  return s;
}

std::string OneOrZero(bool on) { return on ? "1" : "0"; }

}  // namespace

std::string LoadProductTitle() { return platform::Text(kProductTitleId); }

CFilingFileWriter100::CFilingFileWriter100(int holder, FilingContext context, std::string /*filter*/)
    : CSheetListWriter("internet", std::move(context)), holder_(holder) {
  SetFilter(UnusedPagesFilter({202, 203, 204, 205, 206, 207, 208, 209, 213, 214, 215, 216}));
}

bool CFilingFileWriter100::SelectPage(int pageCode) {
  if (current_ && pageCode == currentPage_) return true;
  if (current_ && pageCode == kFirstPage) sheets_.clear();
  currentPage_ = pageCode;
  const bool held = (pageCode >= kFirstPage && pageCode <= kLastScreenPage) || pageCode == kSignaturePage;
  current_ = held ? Page(pageCode, holder_) : nullptr;
  if (!current_) return false;
  current_->MarkFiling();
  sheets_ += pageCode == kSignaturePage ? std::string("FIN") : SheetCode(pageCode - 200);

  const int shown = ctx_.showMember ? ctx_.showMember(holder_) : 0;
  current_->ApplyHolderMode();
  current_->SelectSheet(1, 0);
  inUse_ = false;
  for (int i = 2; i < current_->BoxCount() && !inUse_; ++i) {
    const CBoxField* box = current_->BoxAt(i);
    if (!box || box->PintarEn == 1 || Listed(box->Identifica, kSkipped)) continue;
    if (Listed(box->Identifica, kStops)) break;
    inUse_ = BoxHoldsData(*box);
  }
  if (ctx_.showMember) ctx_.showMember(shown);
  return false;
}

bool CFilingFileWriter100::BankOrResultField(const std::string& name, std::string& value, int& length) const {
  const int m = ctx_.member;
  const std::uint8_t* block = ctx_.block.data();
  const std::uint8_t* sq = f100::record(block, f100::SectionQ);
  const std::uint8_t* sn = f100::record(block, f100::SectionN);
  // The refund account: the override of section N, else the refund's own, else the first account.
  const int source = blocks::U8{n::EntityOverride(m).off}.isSet(sn) ? 2 : q::RefundAmount(m).get(sq) != 0.0 ? 1 : 0;
  struct Bank {
    std::string_view name;
    blocks::Text a, b, c;
  };
  const std::array<Bank, 4> first{{{"BF_ENT1", q::Entity1(m), q::RefundEntity(m), n::EntityOverride(m)},
                                   {"BF_SUC1", q::Branch1(m), q::RefundBranch(m), n::BranchOverride(m)},
                                   {"BF_DC1", q::Control1(m), q::RefundControl(m), n::ControlOverride(m)},
                                   {"BF_CCC1", q::Account1(m), q::RefundAccount(m), n::AccountOverride(m)}}};
  for (const Bank& f : first)
    if (Contains(name, f.name)) {
      value = source == 2 ? ZeroFilled(sn, f.c) : ZeroFilled(sq, source == 1 ? f.b : f.a);
      length = static_cast<int>(value.size());
      return true;
    }
  const std::array<std::pair<std::string_view, blocks::Text>, 4> second{
      {{"BF_ENT2", q::Entity2(m)}, {"BF_SUC2", q::Branch2(m)}, {"BF_DC2", q::Control2(m)}, {"BF_CCC2", q::Account2(m)}}};
  for (const auto& [fieldName, field] : second)
    if (Contains(name, fieldName)) {
      value = ZeroFilled(sq, field);
      length = static_cast<int>(value.size());
      return true;
    }
  if (Contains(name, "BF_JUS")) {
    if (ctx_.filingFlag && *ctx_.filingFlag) {
      value = std::string(13, '0');
    } else {
      const std::string_view ref = ReferenceText(m).raw(block);
      value = std::string(ref.substr(0, 12)) + ref[13];
    }
  } else if (Contains(name, "BF_RESUL")) {
    const std::uint8_t* fam = f100::record(block, f100::Family);
    const bool selected = f100::family::ResultSelection1(m).isSet(fam) || f100::family::ResultSelection2(m).isSet(fam);
    value = FormatResultAmount(selected ? res::MemberResult(m).get(f100::record(block, f100::Result))
                                        : n::Result(m).get(sn));
  } else if (Contains(name, "BF_FP")) {
    value = OneOrZero(q::SplitPayment(m).get(sq) != 0);
  } else if (Contains(name, "BF_D2P")) {
    value = OneOrZero(q::SecondPaymentDeferred(m).get(sq) != 0);
  } else {
    return false;
  }
  length = static_cast<int>(value.size());
  return true;
}

std::string CFilingFileWriter100::SplitRegistryNumber(int box, bool afterSlash) const {
  const std::string text = BoundText(CurrentBox(box));
  const auto slash = text.find('/');
  std::string part;
  if (afterSlash)
    part = slash == std::string::npos ? std::string("0000") : text.substr(slash + 1);
  else
    part = text.substr(0, slash);
  part.erase(std::remove(part.begin(), part.end(), ','), part.end());
  if (part.size() < 4) part.insert(0, 4 - part.size(), '0');
  return part;
}

void CFilingFileWriter100::GetSpecialFieldValue(int p, int pageCode, int rowOffset, std::string& value, int& length,
                                                const std::string& name) {
  const int m = ctx_.member;
  const std::uint8_t* block = ctx_.block.data();
  const std::uint8_t* fam = f100::record(block, f100::Family);
  const auto set = [&](std::string v) {
    value = std::move(v);
    length = static_cast<int>(value.size());
  };

  // Steps that end the tests of this page's own fields; the page-201 tail and the repeat mark
  // follow unless a step returns.
  bool tail = true;
  if (p == kSecondHolderPosition && (pageCode == kFirstPage || pageCode == 220)) {
    if (fam::SecondIdentityNif(m).isSet(fam) && fam::FirstIdentityMark(m).isSet(fam))
      set("10");
    else if (fam::SecondIdentityNif(m).isSet(fam) && fam::FirstIdentitySecondMark(m).isSet(fam))
      set("01");
    else
      set("00");
  } else if (p > 0 && pageCode == kSignaturePage) {
    if (!value.empty()) {
      value += '\n';
      ++length;
    }
    tail = false;
  } else if (RecordPlaces(p, length)) {
  } else if (pageCode == kFirstPage && Contains(name, "ZPROV")) {
    std::string code;
    if (Local()) code = CUtilities::LookUpProvinceCode(*Local(), platform::Cp1252ToUtf8(BoundText(CurrentBox(p))));
    set(code.size() == 2 ? code : "00");
  } else if (pageCode == kFirstPage && (Contains(name, "Z61") || Contains(name, "Z71"))) {
    if (f100::family::NoAssignment(m).get(fam) == 1) {
      const bool marked = f100::family::ChurchTaxBox(m).get(fam) != 0 || f100::family::SocialPurposeBox(m).get(fam) != 0;
      set(marked ? " " : "R");
    } else {
      const CBoxField* box = CurrentBox(p);
      const unsigned char b = box && box->data ? *static_cast<const unsigned char*>(box->data) : 0;
      set(b == 1 || b == 'X' ? "X" : " ");
    }
  } else if (p == kLanguagePosition) {
    set(std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(ctx_.language)))));
  } else if (p == kFiscalDataPosition) {
    bool found = false;
    if (ctx_.declarations) {
      db::CAdoRecordset rs;
      found = rs.Open("DATOSFISC", ctx_.declarations, db::Filter::Eq("CLAVE", ctx_.key));
    }
    set(OneOrZero(found));
  } else if (p == kFamilyMarksPosition) {
    for (int i = 0; i < fam::kFamilyMarks && i < static_cast<int>(value.size()); ++i) {
      if (m == 1) {
        bool any = false;
        for (int k = 2; k <= 5; ++k) any = any || fam::FamilyMark(k, i).get(fam) != 0;
        value[static_cast<std::size_t>(i)] = any ? '1' : '0';
      } else {
        value[static_cast<std::size_t>(i)] = static_cast<char>('0' + (fam::FamilyMark(m, i).get(fam) & 0xFF));
      }
    }
  } else if (pageCode == kFirstPage && BankOrResultField(name, value, length)) {
  } else if (pageCode == kRegistryPage && p <= kRegistryNumber55 && p >= kRegistryYear115) {
    const int box = (p == kRegistryNumber55 || p == kRegistryYear55) ? 55 : 115;
    set(SplitRegistryNumber(box, p == kRegistryYear55 || p == kRegistryYear115));
    return;
  } else if (pageCode == kResultsPage && p == kResultBoxOfPage213) {
    const std::uint8_t* summary = f100::record(block, f100::Summary);
    set(FormatResultAmount(m == 2 ? sum::SpouseResult.get(summary) : sum::DeclarantResult.get(summary)));
  }

  if (tail && pageCode == kFirstPage) {
    if (Contains(name, "BF_RD")) set(OneOrZero(q::RefundRequested(m).get(f100::record(block, f100::SectionQ)) != 0));
    if (Contains(name, "BF_CCY")) {
      set(OneOrZero(sum::Compensation(m).get(f100::record(block, f100::Summary)) != 0));
      return;
    }
    if (Contains(name, "REFERENCIA")) {
      if (value.size() > 20) value[20] = ctx_.versionLetter;
      return;
    }
  }
  if (p == kRepeatMarkPosition) {
    SelectPage(pageCode);
    value.assign(1, rowOffset != 0 ? 'C' : ' ');
  }
}

bool CFilingFileWriter100::Generate(std::string& path, int mode) {
  sheets_.clear();
  filePosition_ = 0;
  if (!RunLayout(path, mode)) return false;
  if (!FinishFile(path, mode)) return false;
  if (mode == kFilingTextOnly) {
    if (const auto cut = path.find("<FIRMA"); cut != std::string::npos) path.erase(cut);
  }
  return true;
}

}  // namespace forms
