// The program state's shown member and household for the life of a scope, as an open form-100
// declaration publishes them.
#pragma once

#include <array>
#include <cstdint>

#include "data/program_state.h"

namespace qxtest {

class MemberView {
 public:
  // `household`: family unit, declarant, spouse, child 1, child 2 (non-zero for the members that exist).
  MemberView(int shown, std::array<int, 5> household) : shown_(shown), saved_(doc::State()) {
    for (std::size_t i = 0; i < household_.size(); ++i) household_[i] = household[i] != 0 ? 1 : 0;
    doc::State().shownMember = &shown_;
    doc::State().household = &household_;
  }
  ~MemberView() { doc::State() = saved_; }
  void Show(int member) { shown_ = member; }
  void SetExists(int member, bool exists) { household_[static_cast<std::size_t>(member - 1)] = exists ? 1 : 0; }
  MemberView(const MemberView&) = delete;
  MemberView& operator=(const MemberView&) = delete;

 private:
  int shown_;
  std::array<std::uint8_t, 5> household_{};
  doc::ProgramState saved_;
};

}  // namespace qxtest
