// The working copies of the personal and family data wizard as one block, and its rules that need
// no window: the child members, the clearing of members that no longer exist, the duplicate NIFs,
// the region notice and the whole validation run on OK or Finish.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "blocks/family_entries.h"

namespace famwiz {

namespace P = f100::wizard_personal;
namespace D = f100::descendant_entry;
namespace A = f100::ascendant_entry;

// Where the working copies lie in the wizard's block; the pages bind their controls here.
namespace work {
inline constexpr std::size_t kPersonal = 0;
inline constexpr blocks::U8 NonResident{P::kSize};  // the wizard's non-resident spouse mark
inline constexpr std::size_t kMarks = P::kSize + 1;  // male, female, prolonged work, mobility: 4 x 5
constexpr blocks::U8 Mark(std::size_t vector, int holder) {
  return {kMarks + vector + static_cast<std::size_t>(holder - 1)};
}
// The personal page's own data: its copy of the non-resident mark, the four civil-status marks and
// the minor-children answer.
inline constexpr blocks::U8 PageNonResident{kMarks + 20};
constexpr blocks::U8 CivilMark(int status) { return {kMarks + 21 + static_cast<std::size_t>(status)}; }
inline constexpr blocks::U8 MinorAnswer{kMarks + 25};
inline constexpr std::size_t kDescendants = 312;
inline constexpr std::size_t kAscendants = kDescendants + D::kSize * D::kCount;
inline constexpr std::size_t kSize = kAscendants + A::kSize * A::kCount;
static_assert(MinorAnswer.off < kDescendants);
static_assert(kSize == 2408);
}  // namespace work

using Block = std::array<std::uint8_t, work::kSize>;

// A field of a descendant or ascendant entry in the wizard's block.
inline std::uint8_t* DescendantAt(Block& b, int i) { return b.data() + work::kDescendants + D::kSize * static_cast<std::size_t>(i); }
inline const std::uint8_t* DescendantAt(const Block& b, int i) {
  return b.data() + work::kDescendants + D::kSize * static_cast<std::size_t>(i);
}
inline std::uint8_t* AscendantAt(Block& b, int i) { return b.data() + work::kAscendants + A::kSize * static_cast<std::size_t>(i); }
inline const std::uint8_t* AscendantAt(const Block& b, int i) {
  return b.data() + work::kAscendants + A::kSize * static_cast<std::size_t>(i);
}
inline std::uint8_t* Personal(Block& b) { return b.data() + work::kPersonal; }
inline const std::uint8_t* Personal(const Block& b) { return b.data() + work::kPersonal; }

// A one-character field is blank when it holds 0 or a space.
inline bool Blank(std::uint8_t c) { return c == 0 || c == ' '; }

// What the rules need from outside: the declaration's kind, the wizard's mode, the messages.
struct Context {
  bool joint = false;
  bool stepByStep = false;
  // Shows a coded message with an icon and returns the button pressed (8 Corregir).
  std::function<int(const char* code, int icon, const std::string& extra)> show;
  // Ranks the descendants of the given 12 entries into the open declaration.
  std::function<void(const std::uint8_t* entries)> rank;
};

// The first descendant carrying the child-1 (child 2) mark, skipping `except`; -1 when none.
int FindChildEntry(const Block& b, int child, int except = -1);
void CopyChildMembersToPersonal(Block& b);
// `additionalShown`: the additional-data page has a window (its child bytes are cleared only then).
void ClearUnusedMemberData(Block& b, bool additionalShown = true);
bool HasNoDuplicateNifs(const Block& b);
// Shows "100I001" when a region of the joint, declarant's or spouse's declaration is one of the
// communities with regional deductions.
void ShowRegionNotice(const Block& b, const Context& c);
// The ascendant row holds something the user typed.
bool AscendantRowHasData(const std::uint8_t* entry);

// The result of a validation: passed, or the page to show.
struct Verdict {
  bool ok = true;
  int page = -1;
};
Verdict ValidateFamilyData(Block& b, const Context& c);

// The community whose regional-deduction data (Form100SectionP of `block`) the next calculation
// would erase because no member lives there any more with the regions of the working block; 0 when
// none would be lost.
int CommunityLosingData(const std::uint8_t* block, const Block& b);

// A declarant who died before the birthday of 2003 counts a year fewer: the year of birth moves on.
void AdjustBirthYearForDeath(Block& b);

}  // namespace famwiz
