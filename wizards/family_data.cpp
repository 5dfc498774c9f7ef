#include "wizards/family_data.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "blocks/form100_p.h"
#include "checks/validation_helper.h"
#include "data/doc/reference.h"
#include "data/doc/renta_doc.h"
#include "data/util/utilities.h"
#include "platform/icons.h"

namespace famwiz {
namespace {

namespace FW = f100::family_wizard;
constexpr int kCorregir = 8;
constexpr const char* kYearEnd = "31122003";

int ReadInt(std::string_view text) { return CUtilities::ParseLeadingInt(text, static_cast<int>(text.size())); }
std::string Str(const void* rec, blocks::Text t) { return std::string(t.raw(rec)); }

bool SpouseActive(const Block& b) {
  return P::CivilStatus.get(Personal(b)) == 1 && work::NonResident.get(b.data()) == 0;
}

// Zeroes holder `holder`'s bytes of the male, female and mobility vectors (and of the
// prolonged-work one when asked).
void ClearMarks(Block& b, int holder, bool prolonged) {
  for (std::size_t v : {FW::kMale, FW::kFemale, FW::kMobility}) work::Mark(v, holder).set(b.data(), 0);
  if (prolonged) work::Mark(FW::kProlonged, holder).set(b.data(), 0);
}

// The code and the first 19 characters of the name.
void ClearRegion(std::uint8_t* p, int k) {
  P::RegionCode(k).clear(p, '\0');
  std::memset(p + P::RegionName(k).off, 0, 19);
}

// Computation codes of one descendant for the family unit, the declarant and the spouse.
void CodeDescendant(std::uint8_t* e, const std::uint8_t* p) {
  const std::uint8_t link = D::Link.get(e), s = D::Situation.get(e);
  const int age = D::Age.get(e);
  const bool income = D::Income.isSet(e), own = D::OwnReturn.isSet(e);
  const bool dead = !D::DeathDate.isAbsent(e);
  auto set = [&](char c1, char c2, char c3) {
    D::Code(0).set(e, static_cast<std::uint8_t>(c1));
    D::Code(1).set(e, static_cast<std::uint8_t>(c2));
    D::Code(2).set(e, static_cast<std::uint8_t>(c3));
  };
  if (link == 'D') {
    set(s == '3' && age > 18 && !income && !own ? ' ' : '1', s == '3' || s == '4' ? ' ' : '1', '2');
  } else if (link == 'C') {
    set('2', '2', '1');
  } else if (link == 'O') {
    const bool q1 = ((age > 17 && s != '2' && s != '4') || s == '1' || dead) && !income && !own;
    const bool q2 = ((age < 18 && s != '1') || s == '2' || s == '4') && !income && !dead;
    std::uint8_t c1 = D::Code(0).get(e);  // kept when no rule applies
    if (q1 || P::CivilStatus.get(p) == 1) c1 = ' ';
    else if (q2) c1 = P::OtherParentDied.get(p) == 0 ? '1' : ' ';
    set(static_cast<char>(c1), ' ', ' ');
  } else {
    set(' ', ' ', ' ');
  }
}

// The disability key against the disabled-worker key.
bool KeysMismatch(std::uint8_t k, std::uint8_t w) {
  return (k == '1' && w == '2') || ((k == '2' || k == '3') && w == '1') || (Blank(k) && (w == '1' || w == '2'));
}

bool HasSex(const Block& b, int holder) {
  return work::Mark(FW::kMale, holder).get(b.data()) != 0 || work::Mark(FW::kFemale, holder).get(b.data()) != 0;
}

bool ChildTooOld(const std::uint8_t* e) {
  const std::uint8_t s = D::Situation.get(e);
  return (D::Age.get(e) > 17 && s != '2' && s != '4') || s == '1';
}

// A living descendant with a year of birth who is a minor (not fostered) or under extended
// parental authority.
bool HasQualifyingDescendant(const Block& b) {
  for (int i = 0; i < D::kCount; ++i) {
    const std::uint8_t* e = DescendantAt(b, i);
    const std::uint8_t s = D::Situation.get(e);
    if (ReadInt(D::BirthYear.raw(e)) != 0 && D::DeathDate.isAbsent(e) &&
        ((D::Age.get(e) < 18 && s != '1') || s == '2' || s == '4'))
      return true;
  }
  return false;
}

// At most 32 characters, leading blanks removed, double blanks squeezed.
std::string NormaliseName(std::string_view raw) {
  std::string s(raw.substr(0, std::min({raw.find('\0'), raw.size(), std::size_t{32}})));
  s.erase(0, std::min(s.find_first_not_of(' '), s.size()));
  for (std::size_t at; (at = s.find("  ")) != std::string::npos;) s.erase(at, 1);
  return s;
}

}  // namespace

int FindChildEntry(const Block& b, int child, int except) {
  const blocks::U8 mark = child == 1 ? D::H1 : D::H2;
  for (int i = 0; i < D::kCount; ++i)
    if (i != except && mark.get(DescendantAt(b, i)) != 0) return i;
  return -1;
}

void CopyChildMembersToPersonal(Block& b) {
  std::uint8_t* p = Personal(b);
  for (int child : {1, 2}) {
    const int i = FindChildEntry(b, child);
    const int person = 1 + child;
    const blocks::Text birth = child == 1 ? P::Child1Birth : P::Child2Birth;
    if (i < 0) {
      P::Age(3 + child).set(p, 0);
      birth.clear(p, '\0');
      P::BirthYear(person).clear(p, '\0');
      P::Disability(person).set(p, 0);
      P::Nif(person).clear(p, '\0');
      P::WorkerKey(person).set(p, 0);
      continue;
    }
    const std::uint8_t* e = DescendantAt(b, i);
    P::Age(3 + child).set(p, D::Age.get(e));
    birth.set(p, D::BirthDate.raw(e));
    P::BirthYear(person).set(p, D::BirthYear.raw(e));
    P::Disability(person).set(p, D::Disability.get(e));
    P::Nif(person).set(p, D::Nif.raw(e));
  }
}

void ClearUnusedMemberData(Block& b, bool additionalShown) {
  std::uint8_t* p = Personal(b);
  const bool spouse = SpouseActive(b);
  if (!spouse) {
    P::BirthYear(1).clear(p, '\0');
    P::SpouseBirth.clear(p, '\0');
    P::Disability(1).set(p, 0);
    ClearRegion(p, 2);
    if (work::NonResident.get(b.data()) == 0) P::Nif(1).clear(p, '\0');
    P::WorkerKey(1).set(p, ' ');
    ClearMarks(b, 3, true);
  }
  const bool h1 = FindChildEntry(b, 1) >= 0, h2 = FindChildEntry(b, 2) >= 0;
  for (int child : {1, 2}) {
    if (child == 1 ? h1 : h2) continue;
    P::Disability(1 + child).set(p, 0);
    ClearRegion(p, 2 + child);
    P::WorkerKey(1 + child).set(p, ' ');
    if (additionalShown) ClearMarks(b, 3 + child, false);
  }
  if (!spouse && !h1 && !h2 && P::MinorChildren.get(p) != 1) ClearRegion(p, 0);
}

bool HasNoDuplicateNifs(const Block& b) {
  std::vector<std::string> nifs{Str(Personal(b), P::Nif(0)), Str(Personal(b), P::Nif(1))};
  for (int i = 0; i < D::kCount; ++i) nifs.push_back(Str(DescendantAt(b, i), D::Nif));
  for (int i = 0; i < A::kCount; ++i) nifs.push_back(Str(AscendantAt(b, i), A::Nif));
  for (std::size_t i = 0; i < nifs.size(); ++i) {
    const char first = nifs[i][0];
    if (first == 0 || first == ' ' || first == 'N') continue;
    for (std::size_t j = i + 1; j < nifs.size(); ++j)
      if (nifs[i] == nifs[j]) return false;
  }
  return true;
}

void ShowRegionNotice(const Block& b, const Context& c) {
  static constexpr std::string_view kRegional[] = {"01", "02", "03", "04", "05", "06", "07", "08",
                                                   "09", "10", "11", "12", "13", "16", "17"};
  for (int k : {0, 1, 2}) {
    const std::string_view code = P::RegionCode(k).raw(Personal(b));
    if (std::find(std::begin(kRegional), std::end(kRegional), code) != std::end(kRegional)) {
      c.show("100I001", platform::kIconAsterisk, {});
      return;
    }
  }
}

bool AscendantRowHasData(const std::uint8_t* e) {
  return !A::BirthDate.isAbsent(e) || !A::Name.isAbsent(e) || A::Cohabitation.get(e) != 0.0 || !A::Nif.isAbsent(e) ||
         A::Disability.get(e) != 0 || !Blank(A::Link.get(e));
}

int CommunityLosingData(const std::uint8_t* block, const Block& b) {
  const std::uint8_t* oldPersonal = f100::record(block, f100::Personal);
  const std::uint8_t* p = f100::record(block, f100::SectionP);
  auto lives = [](const std::uint8_t* personal, int code) {
    for (int k = 0; k < 5; ++k)
      if (ReadInt(P::RegionCode(k).raw(personal)) == code) return true;
    return false;
  };
  for (const f100::sec_p::CommunityBlock& c : f100::sec_p::kCommunities) {
    const std::uint8_t* area = p + c.block.off;
    const bool typed = std::any_of(area, area + c.block.size, [](std::uint8_t x) { return x != 0; });
    if (typed && lives(oldPersonal, c.code) && !lives(Personal(b), c.code)) return c.code;
  }
  return 0;
}

void AdjustBirthYearForDeath(Block& b) {
  std::uint8_t* p = Personal(b);
  if (P::DeclarantDeath.isAbsent(p)) return;
  std::string birth = "01012002", death = "01012002";
  birth.replace(0, 4, P::DeclarantBirth.raw(p).substr(0, 4));
  death.replace(0, 4, P::DeclarantDeath.raw(p).substr(0, 4));
  if (doc::CompareDates(birth.c_str(), death.c_str()) != 1) return;
  P::BirthYear(0).set(p, std::to_string(ReadInt(P::BirthYear(0).raw(p)) + 1));
}

Verdict ValidateFamilyData(Block& b, const Context& c) {
  std::uint8_t* p = Personal(b);
  const Verdict pass{true, -1};
  auto fail = [&](const char* code, int page) {
    c.show(code, platform::kIconHand, {});
    return Verdict{false, page};
  };
  // Advice: only Corregir sends the user to the page.
  auto advise = [&](const char* code, int page) {
    return c.show(code, platform::kIconAsterisk, {}) == kCorregir ? Verdict{false, page} : pass;
  };

  // Derived values first: they stay in the working copies whatever the checks find.
  P::BirthYear(0).set(p, P::DeclarantBirth.raw(p).substr(4, 4));
  P::BirthYear(1).set(p, P::SpouseBirth.raw(p).substr(4, 4));
  const std::string death = P::DeclarantDeath.isAbsent(p) ? std::string(kYearEnd) : Str(p, P::DeclarantDeath);
  P::Age(2).set(p, doc::CRentaDoc::AgeAtDate(Str(p, P::DeclarantBirth).c_str(), death.c_str()));
  P::Age(3).set(p, doc::CRentaDoc::AgeAtDate(Str(p, P::SpouseBirth).c_str(), kYearEnd));
  CopyChildMembersToPersonal(b);
  for (int i = 0; i < D::kCount; ++i) CodeDescendant(DescendantAt(b, i), p);
  for (int i = 0; i < A::kCount; ++i) {
    std::uint8_t* e = AscendantAt(b, i);
    A::Year.set(e, A::BirthDateYear.raw(e));
    const std::uint8_t link = A::Link.get(e);
    const char* codes = link == 'D' ? "112" : link == 'C' ? "221" : "   ";
    for (int k = 0; k < 3; ++k) A::Code(k).set(e, static_cast<std::uint8_t>(codes[k]));
    if (A::Cohabitation.get(e) < 2.0) A::Cohabitation.set(e, 0.0);
  }

  const bool married = P::CivilStatus.get(p) == 1;
  const bool nonResident = work::NonResident.get(b.data()) != 0;
  const bool marriedJoint = married && c.joint;
  if (P::Nif(0).isAbsent(p)) return fail("WIN001", 0);
  if (!nonResident && married && P::Nif(1).isAbsent(p)) return fail("WIN001", 0);
  if (P::Nif(0).raw(p) == P::Nif(1).raw(p)) return fail("WIN014", 0);
  if (!HasNoDuplicateNifs(b)) return fail("WIN014", 0);
  const int declYear = ReadInt(P::BirthYear(0).raw(p)), spouseYear = ReadInt(P::BirthYear(1).raw(p));
  if (declYear == 0) return fail("100R001", 0);
  if (spouseYear == 0 && married && !nonResident) return fail("100R042", 0);

  const int child1 = FindChildEntry(b, 1), child2 = FindChildEntry(b, 2);
  for (int child : {child1, child2}) {
    if (child < 0) continue;
    const std::uint8_t* e = DescendantAt(b, child);
    if (ChildTooOld(e)) return fail("100R081", 1);
    if (!D::DeathDate.isAbsent(e)) return fail("100R123", 1);
  }
  for (int i = 0; i < D::kCount; ++i) {
    const std::uint8_t* e = DescendantAt(b, i);
    if (D::Link.get(e) == 'C' && !marriedJoint) return fail("100R007", 1);
    const std::uint8_t s = D::Situation.get(e);
    if (married && (s == '3' || s == '4')) return fail("100R013", 1);
  }
  for (int person = 0; person < 4; ++person) {
    const int child = person == 2 ? child1 : person == 3 ? child2 : 0;
    if (child < 0) continue;
    const std::uint8_t key = person < 2 ? P::Disability(person).get(p) : D::Disability.get(DescendantAt(b, child));
    if (KeysMismatch(key, P::WorkerKey(person).get(p)))
      if (Verdict v = advise("100P056", 3); !v.ok) return v;
  }
  auto prolonged = [&](int holder) { return work::Mark(FW::kProlonged, holder).get(b.data()) != 0; };
  const int declAge = P::Age(2).get(p), spouseAge = P::Age(3).get(p);
  auto goesOnWithout = [&](int age, int person) {
    const std::uint8_t w = P::WorkerKey(person).get(p);
    return age > 64 && (w == '1' || w == '2') && !prolonged(2 + person);
  };
  if (goesOnWithout(declAge, 0) || goesOnWithout(spouseAge, 1))
    if (Verdict v = advise("100P015", 3); !v.ok) return v;

  // Regions.
  const std::string_view joint = P::RegionCode(0).raw(p), decl = P::RegionCode(1).raw(p);
  const std::string_view spouse = P::RegionCode(2).raw(p);
  const bool spouseBlank = P::RegionCode(2).isAbsent(p);
  if (decl[0] == 0) return fail("WIN006", 4);
  if (marriedJoint && (decl[0] == ' ' || spouseBlank)) return fail("WIN006", 4);
  if (marriedJoint && joint != decl && joint != spouse) return fail("100R024", 4);
  if ((married || P::MinorChildren.get(p) == 1) && c.joint && P::RegionName(0).isAbsent(p)) return fail("WIN006", 4);
  if (c.joint && joint != decl && !P::RegionCode(0).isAbsent(p) && spouseBlank && P::RegionCode(3).isAbsent(p) &&
      P::RegionCode(4).isAbsent(p))
    return fail("100R024", 4);
  for (int child : {1, 2}) {
    if ((child == 1 ? child1 : child2) < 0) continue;
    const std::string_view code = P::RegionCode(2 + child).raw(p);
    if (P::RegionCode(2 + child).isAbsent(p)) return fail("100R023", 4);
    if (code != decl && (spouseBlank || code != spouse)) return fail("100R022", 4);
    if (child == 1 && c.joint && joint != decl && joint != spouse) return fail("100R024", 4);
  }
  if (child2 >= 0 && child1 < 0) return fail("100R055", 1);
  const bool qualifying = HasQualifyingDescendant(b);
  if (P::MinorChildren.get(p) == 1 && !qualifying) return fail("100R018", 1);
  if (P::MinorChildren.get(p) != 1 && qualifying && c.joint && c.stepByStep)
    if (Verdict v = advise("100P005", 0); !v.ok) return v;
  if (c.rank) c.rank(b.data() + work::kDescendants);

  // Ascendants.
  for (int i = 0; i < A::kCount; ++i) {
    std::uint8_t* e = AscendantAt(b, i);
    const bool name = !A::Name.isAbsent(e), year = !A::Year.isAbsent(e), link = !Blank(A::Link.get(e));
    if (name != year || year != link) return fail("100R002", 2);
    const bool data = AscendantRowHasData(e);
    if (data && (!link || ReadInt(A::Year.raw(e)) == 0)) return fail("100R141", 2);
    if (data) {
      const std::string n = NormaliseName(A::Name.raw(e));
      std::vector<char> buffer(A::Name.width + 1, 0);
      if (!checks::CValidationHelper::CheckNifAndName("00000116R", n.c_str(), buffer.data(), 0, static_cast<int>(A::Name.width)))
        return fail("WIN017", 2);
      A::Name.set(e, n, '\0');
    }
    if (A::Age.get(e) < 65 && year && Blank(A::Disability.get(e))) return fail("100R005", 2);
    if (A::Link.get(e) == 'C' && !marriedJoint) {
      A::Link.set(e, ' ');
      return fail("100R082", 2);
    }
  }
  for (int i = 0; i < A::kCount; ++i) {
    const std::uint8_t* e = AscendantAt(b, i);
    const int year = ReadInt(A::Year.raw(e));
    if (A::Link.get(e) == 'D' && year > declYear - 15)
      if (Verdict v = advise("100P038", 2); !v.ok) return v;
    if (A::Link.get(e) == 'C' && year > spouseYear - 15)
      if (Verdict v = advise("100P039", 2); !v.ok) return v;
  }
  if ((declAge < 65 && prolonged(2)) || (spouseAge < 65 && prolonged(3))) return fail("100R019", 3);
  if (!HasSex(b, 2) || (marriedJoint && !HasSex(b, 3)) || (child1 >= 0 && !HasSex(b, 4)) ||
      (child2 >= 0 && !HasSex(b, 5)))
    return fail("100R008", 3);
  const std::uint8_t status = P::CivilStatus.get(p);
  if (status == 0 || status == 3)
    for (int i = 0; i < D::kCount; ++i) {
      const std::uint8_t* e = DescendantAt(b, i);
      if (D::Link.get(e) == 'O' && Blank(D::Situation.get(e))) return advise("100P078", 1);
    }
  return pass;
}

}  // namespace famwiz
