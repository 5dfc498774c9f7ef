// Form 100, page 15 (215): the deductions of the autonomous communities. Only the boxes of the
// communities the member shown lives in can be typed (every member's community for the family
// unit); a value stored by an annex dialog recalculates the declaration.
#pragma once

#include <string>
#include <vector>

#include "forms/pages/page100.h"

namespace forms {

class CBoxesORD015 : public CBindingTableList {
 public:
  using CBindingTableList::CBindingTableList;
  void ApplyHolderMode() override;
  // The two-character community codes that count for the member shown.
  std::vector<std::string> CommunitiesShown() const;
};

class ORD015 : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kCode = 215;
  explicit ORD015(IPageHost& host, QWidget* parent = nullptr);
  // After the refresh the editor goes to the first box that can be typed, or closes when none can.
  void RecalculateAndRefresh() override;
  int OnBoxSubDialogValue(int position) override;
  int OnBoxValueChanged(int position) override;
  bool InitPageControls() override;
};

namespace ord015 {
// The boxes of one community, by its code.
struct CommunityGroup {
  const char* code;
  int positions[16];  // up to the first 0
};
std::span<const CommunityGroup> CommunityGroups();
}  // namespace ord015

}  // namespace forms
