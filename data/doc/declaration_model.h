// The open declaration without its windows: its block, the household and the member shown, and a
// revision that every change of the block moves, so that "modified" is the revision against the
// one last saved and never a flag someone has to remember to set. Changes go through Store (or,
// for the editors and page rules that write the bytes they are bound to, are announced with
// Written) and are told to the listeners as typed events.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "blocks/field.h"

namespace doc {

// Members, as the shown member numbers them.
enum Member : int { kNoDeclaration = 0, kFamilyUnit = 1, kDeclarant = 2, kSpouse = 3, kChild1 = 4, kChild2 = 5 };

// Bytes of the block, from its start.
struct ByteRange {
  std::size_t offset = 0;
  std::size_t length = 0;
  bool operator==(const ByteRange&) const = default;
};

enum class DeclarationChange {
  ValuesChanged,    // `range` of the block holds new values
  MemberChanging,   // the shown member is about to change: what the views hold goes in first
  MemberChanged,    // `member` is shown now
  Recalculated,     // the calculation ran over the block
  ModifiedChanged,  // IsModified() flipped
  Closed,           // the declaration goes; the model is being destroyed
};

struct DeclarationEvent {
  DeclarationChange kind;
  ByteRange range{};
  int member = 0;
};

class IDeclarationListener {
 public:
  virtual ~IDeclarationListener() = default;
  virtual void OnDeclarationEvent(const DeclarationEvent& event) = 0;
};

class DeclarationModel {
 public:
  explicit DeclarationModel(std::size_t blockSize);
  ~DeclarationModel();
  DeclarationModel(const DeclarationModel&) = delete;
  DeclarationModel& operator=(const DeclarationModel&) = delete;

  std::span<std::uint8_t> Block() { return block_; }
  std::span<const std::uint8_t> Block() const { return block_; }

  // --- the one write path ---
  // Writes `bytes` at `offset`; a store that changes nothing moves nothing. False (nothing
  // written) when the bytes do not lie inside the block.
  bool Store(std::size_t offset, std::span<const std::uint8_t> bytes);
  // A typed field of a record of the block.
  template <typename Field, typename Value>
  bool Store(const blocks::RecordDef& record, const Field& field, const Value& value) {
    Field local = field;
    local.off = 0;
    std::vector<std::uint8_t> bytes(FieldWidth(field));
    if (record.offset + field.off + bytes.size() > block_.size()) return false;
    std::copy_n(block_.begin() + static_cast<std::ptrdiff_t>(record.offset + field.off), bytes.size(), bytes.begin());
    local.set(bytes.data(), value);
    return Store(record.offset + field.off, bytes);
  }
  // The bytes of `range` were written in place by an editor bound to them or by a page rule: the
  // revision moves and the listeners hear of the range.
  void Written(ByteRange range);
  // The whole block was replaced (a load, a wizard's copy-back, a filing import).
  void WrittenAll() { Written({0, block_.size()}); }

  // --- revision ---
  std::uint64_t Revision() const { return revision_; }
  bool IsModified() const { return revision_ != savedRevision_; }
  // The block as it is now is the stored one.
  void MarkSaved();
  // The stored row is not known to hold the block (a failed write): modified whatever the revision.
  void MarkUnsaved();
  // Edited since the declaration was last printed or saved: the printed references are renewed.
  // Not every change counts (a page decides which of its boxes do), so it is set by hand.
  bool EditedSincePrinted() const { return editedSincePrinted_; }
  void SetEditedSincePrinted(bool edited) { editedSincePrinted_ = edited; }

  // --- household and member ---
  // Non-zero for the members that exist: family unit, declarant, spouse, child 1, child 2.
  const std::array<std::uint8_t, 5>& Household() const { return household_; }
  bool HasMember(int member) const {
    return member >= kFamilyUnit && member <= kChild2 && household_[static_cast<std::size_t>(member - 1)] != 0;
  }
  // The household has a spouse or a first child, or a family-unit copy was made of it.
  bool HasSeveralHolders() const { return HasMember(kSpouse) || HasMember(kChild1) || familyUnitCopy_; }
  bool FamilyUnitCopy() const { return familyUnitCopy_; }
  void SetHousehold(const std::array<std::uint8_t, 5>& household, bool familyUnitCopy) {
    household_ = household;
    familyUnitCopy_ = familyUnitCopy;
  }
  void SetHouseholdMember(int member, bool exists) {
    if (member >= kFamilyUnit && member <= kChild2) household_[static_cast<std::size_t>(member - 1)] = exists ? 1 : 0;
  }
  // The member shown (1..5) and its view (1 for the family unit's).
  int ShownMember() const { return shownMember_; }
  std::uint8_t MemberView() const { return memberView_; }
  // Shows `member`: the listeners hear MemberChanging, then `settle` runs (what the owner derives
  // from the member), then they hear MemberChanged.
  void ShowMember(int member, std::uint8_t view, const std::function<void()>& settle = {});
  // Shows `member` after the household was made anew (the family data): only MemberChanged.
  void ShowMemberAnew(int member, std::uint8_t view);
  // Sets the member shown without telling anyone (opening, before any view exists).
  void SetShownMember(int member, std::uint8_t view) {
    shownMember_ = member;
    memberView_ = view;
  }
  // The filing: 1 jointly, 0 individually.
  std::uint8_t Modality() const { return modality_; }
  bool Joint() const { return modality_ == 1; }
  void SetModality(std::uint8_t modality) { modality_ = modality; }

  // The calculation ran over the block.
  void Recalculated();

  void Subscribe(IDeclarationListener* listener);
  void Unsubscribe(IDeclarationListener* listener);

 private:
  template <typename Field>
  static std::size_t FieldWidth(const Field& field) {
    if constexpr (requires { field.width + 0; }) return field.width;
    else return Field::width;
  }
  void Announce(const DeclarationEvent& event);
  void Moved(bool wasModified);

  std::vector<std::uint8_t> block_;
  std::uint64_t revision_ = 0;
  std::uint64_t savedRevision_ = 0;
  bool editedSincePrinted_ = false;
  std::array<std::uint8_t, 5> household_{};
  bool familyUnitCopy_ = false;
  int shownMember_ = kDeclarant;
  std::uint8_t memberView_ = 0;
  std::uint8_t modality_ = 0;
  std::vector<IDeclarationListener*> listeners_;
};

}  // namespace doc
