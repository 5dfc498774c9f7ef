#include "forms/pages/ord016.h"

namespace forms {

ORD016::ORD016(IPageHost& host, QWidget* parent)
    : CPage100(host, kCode,
               std::make_unique<CBoxesORD016>(kCode, host.PageDocument() ? host.PageDocument()->Block()
                                                                          : std::span<std::uint8_t>()),
               parent) {}

bool ORD016::InitPageControls() {
  CRentaVista::InitPageControls();
  setMouseTracking(true);  // tooltips over the boxes
  return true;
}

void ORD016::RecalculateAndRefresh() {
  CRentaVista::RecalculateAndRefresh();
  RepaintBoxes();
}

int ORD016::OnBoxSubDialogValue(int /*position*/) {
  RecalculateDeclaration(true);
  return 0;
}

}  // namespace forms
