#include "data/doc/declaration_model.h"

#include <algorithm>
#include <limits>

namespace doc {

namespace {
// A saved revision no block ever has: the stored row is unknown.
constexpr std::uint64_t kUnknownRow = std::numeric_limits<std::uint64_t>::max();
}  // namespace

DeclarationModel::DeclarationModel(std::size_t blockSize) : block_(blockSize, 0) {}

DeclarationModel::~DeclarationModel() { Announce({DeclarationChange::Closed}); }

bool DeclarationModel::Store(std::size_t offset, std::span<const std::uint8_t> bytes) {
  if (offset > block_.size() || bytes.size() > block_.size() - offset) return false;
  const auto at = block_.begin() + static_cast<std::ptrdiff_t>(offset);
  if (std::equal(bytes.begin(), bytes.end(), at)) return true;
  std::copy(bytes.begin(), bytes.end(), at);
  Written({offset, bytes.size()});
  return true;
}

void DeclarationModel::Written(ByteRange range) {
  const bool was = IsModified();
  if (++revision_ == kUnknownRow) revision_ = 0;
  Announce({DeclarationChange::ValuesChanged, range});
  Moved(was);
}

void DeclarationModel::MarkSaved() {
  const bool was = IsModified();
  savedRevision_ = revision_;
  Moved(was);
}

void DeclarationModel::MarkUnsaved() {
  const bool was = IsModified();
  savedRevision_ = kUnknownRow;
  Moved(was);
}

void DeclarationModel::Moved(bool wasModified) {
  if (wasModified != IsModified()) Announce({DeclarationChange::ModifiedChanged});
}

void DeclarationModel::ShowMember(int member, std::uint8_t view, const std::function<void()>& settle) {
  Announce({DeclarationChange::MemberChanging, {}, shownMember_});
  shownMember_ = member;
  memberView_ = view;
  if (settle) settle();
  Announce({DeclarationChange::MemberChanged, {}, member});
}

void DeclarationModel::ShowMemberAnew(int member, std::uint8_t view) {
  shownMember_ = member;
  memberView_ = view;
  Announce({DeclarationChange::MemberChanged, {}, member});
}

void DeclarationModel::Recalculated() { Announce({DeclarationChange::Recalculated, {0, block_.size()}}); }

void DeclarationModel::Subscribe(IDeclarationListener* listener) {
  if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void DeclarationModel::Unsubscribe(IDeclarationListener* listener) { std::erase(listeners_, listener); }

void DeclarationModel::Announce(const DeclarationEvent& event) {
  // A listener may leave while it hears (a view closed by the event): a copy is walked, and a
  // listener gone meanwhile is skipped.
  const std::vector<IDeclarationListener*> now = listeners_;
  for (IDeclarationListener* l : now)
    if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end()) l->OnDeclarationEvent(event);
}

}  // namespace doc
