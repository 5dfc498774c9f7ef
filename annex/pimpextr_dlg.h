// Wealth tax paid abroad: for up to three asset elements the tax effectively paid abroad and the
// net value of the assets taxed there; no net value, nor their sum, may exceed the taxable base
// that the opening box hands along (never shown, never written back).
#pragma once

#include "blocks/form714_liquidation.h"
#include "ui/annex_dlg.h"

namespace annex::pimpextr {
inline constexpr int kElements = 3;
inline constexpr std::size_t kElementSize = 16;
inline constexpr std::size_t kBlockSize = kElementSize * kElements;
constexpr blocks::F64 TaxPaid(int e) { return {kElementSize * static_cast<std::size_t>(e)}; }
constexpr blocks::F64 NetValue(int e) { return {kElementSize * static_cast<std::size_t>(e) + 8}; }
static_assert(NetValue(kElements - 1).off + 8 == kBlockSize && kBlockSize == 48);
// The second box's block is the liquidation's pairs of tax paid and value.
namespace li = f714::liq;
static_assert(li::PaidValue.off - li::PaidTax.off == NetValue(0).off && li::kPairStride == kElementSize &&
              li::kPairs == kElements);
}  // namespace annex::pimpextr

class CPimpextrDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1840;
  static constexpr int kTaxPaid[] = {1809, 1811, 1820};
  static constexpr int kNetValue[] = {1816, 1827, 1835};
  explicit CPimpextrDlg(const ui::AnnexArgs& args);
  void SetListItems(const ui::AnnexPointerList& list) override;
  double TaxableBase() const { return base_; }

 protected:
  bool ValidateOK() override;

 private:
  double base_ = 0.0;
};
