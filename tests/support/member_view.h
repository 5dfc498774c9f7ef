// A form-100 declaration model published as the open one for the life of a scope, as an open
// form-100 document publishes its own. The helpers that set parts of it (the member shown and the
// household, the block) share one model: the first one in a scope makes it, the others use it.
#pragma once

#include <array>
#include <cstdint>
#include <algorithm>
#include <memory>
#include <span>
#include <vector>

#include "blocks/form100.h"
#include "data/doc/active_declaration.h"

namespace qxtest {

// The bytes of a published declaration's block, compared and copied as the tests' byte vectors.
// Not copied: `auto before = decl.bytes` must not compile into a second view of the same bytes.
struct BlockBytes : std::span<std::uint8_t> {
  BlockBytes(std::span<std::uint8_t> bytes) : std::span<std::uint8_t>(bytes) {}
  BlockBytes(const BlockBytes&) = delete;
  BlockBytes& operator=(const std::vector<std::uint8_t>& from) {
    std::copy_n(from.begin(), std::min(from.size(), size()), begin());
    return *this;
  }
  operator std::vector<std::uint8_t>() const { return {begin(), end()}; }
  friend bool operator==(const BlockBytes& a, const BlockBytes& b) { return std::ranges::equal(a, b); }
  friend bool operator==(const BlockBytes& a, const std::vector<std::uint8_t>& b) { return std::ranges::equal(a, b); }
};

class PublishedDeclaration {
 public:
  PublishedDeclaration() {
    if (!doc::ActiveForm100()) {
      own_ = std::make_unique<doc::DeclarationModel>(f100::kBlockSize);
      scope_ = std::make_unique<doc::ActiveDeclarationScope>(*own_, true);
    }
    model_ = doc::ActiveForm100();
  }
  ~PublishedDeclaration() {
    scope_.reset();
    own_.reset();
  }
  PublishedDeclaration(const PublishedDeclaration&) = delete;
  PublishedDeclaration& operator=(const PublishedDeclaration&) = delete;
  doc::DeclarationModel& Model() { return *model_; }
  bool Owned() const { return own_ != nullptr; }

 private:
  std::unique_ptr<doc::DeclarationModel> own_;
  std::unique_ptr<doc::ActiveDeclarationScope> scope_;
  doc::DeclarationModel* model_ = nullptr;
};

class MemberView {
 public:
  // `household`: family unit, declarant, spouse, child 1, child 2 (non-zero for the members that exist).
  MemberView(int shown, std::array<int, 5> household)
      : saved_(published_.Model().Household()),
        savedUnitCopy_(published_.Model().FamilyUnitCopy()),
        savedShown_(published_.Model().ShownMember()),
        savedView_(published_.Model().MemberView()) {
    std::array<std::uint8_t, 5> h{};
    for (std::size_t i = 0; i < h.size(); ++i) h[i] = household[i] != 0 ? 1 : 0;
    published_.Model().SetHousehold(h, false);
    published_.Model().SetShownMember(shown, savedView_);
  }
  ~MemberView() {
    published_.Model().SetHousehold(saved_, savedUnitCopy_);
    published_.Model().SetShownMember(savedShown_, savedView_);
  }
  void Show(int member) { published_.Model().SetShownMember(member, published_.Model().MemberView()); }
  void SetExists(int member, bool exists) { published_.Model().SetHouseholdMember(member, exists); }
  doc::DeclarationModel& Model() { return published_.Model(); }
  MemberView(const MemberView&) = delete;
  MemberView& operator=(const MemberView&) = delete;

 private:
  PublishedDeclaration published_;
  std::array<std::uint8_t, 5> saved_;
  bool savedUnitCopy_;
  int savedShown_;
  std::uint8_t savedView_;
};

// A test's shown member and household, kept beside the open form-100 declaration's model:
// assigning one shows it there at once, and Publish puts both into a model opened meanwhile.
class ShownSlot {
 public:
  explicit ShownSlot(int value = 1) : value_(value) {}
  ShownSlot& operator=(int value) {
    value_ = value;
    if (doc::DeclarationModel* m = doc::ActiveForm100()) m->SetShownMember(value, m->MemberView());
    return *this;
  }
  operator int() const { return value_; }

 private:
  int value_;
};

class HouseholdSlot {
 public:
  explicit HouseholdSlot(std::array<std::uint8_t, 5> value = {}) : value_(value) {}
  HouseholdSlot& operator=(const std::array<std::uint8_t, 5>& value) {
    value_ = value;
    if (doc::DeclarationModel* m = doc::ActiveForm100()) m->SetHousehold(value, m->FamilyUnitCopy());
    return *this;
  }
  const std::array<std::uint8_t, 5>& Value() const { return value_; }
  std::uint8_t operator[](std::size_t i) const { return value_[i]; }

 private:
  std::array<std::uint8_t, 5> value_;
};

inline void Publish(const HouseholdSlot& household, const ShownSlot& shown) {
  if (doc::DeclarationModel* m = doc::ActiveForm100()) {
    m->SetHousehold(household.Value(), m->FamilyUnitCopy());
    m->SetShownMember(shown, m->MemberView());
  }
}

}  // namespace qxtest
