// Form 100, the summary sheet (222) printed with the two-dimensional barcode: the identification
// of the member and of the spouse, the accounts for payment or refund, the result and the options
// of the declaration, the reference and the copy label. Printed only; it binds and derives nothing
// but which account it shows and two short texts.
#pragma once

#include <array>

#include "forms/pages/print_page_list.h"

namespace forms {

class CBoxesPAGPDF : public CPrintPageList {
 public:
  static constexpr int kCode = 222;
  static constexpr int kNoAssignmentString = 141, kNoAssignmentStringGalician = 146;
  CBoxesPAGPDF(std::span<std::uint8_t> block, doc::CRentaDoc* document, int memberIndex = -1)
      : CPrintPageList(kCode, block, document, memberIndex) {}
  void BindPageData(int rebind) override;
  void ApplyHolderMode() override;

  // The account the sheet shows for member m: 1 the account of the compensated refund (section N),
  // 2 the payment account, 3 the refund account.
  static int AccountShown(const std::uint8_t* block, int m);
  const char* OptionText() const { return option_.data(); }
  const char* Reference() const { return reference_.data(); }

 private:
  std::array<char, 10> option_{};
  std::array<char, 14> reference_{};
};

class PAGPDF : public CPage100 {
  Q_OBJECT
 public:
  explicit PAGPDF(IPageHost& host, QWidget* parent = nullptr);
};

}  // namespace forms
