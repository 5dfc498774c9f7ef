// Form 100, page 18 (218): the second sheet of the payment or refund document, printed only. It
// shows what page 17 shows and derives, as stored, without the mark of payment in two instalments.
#pragma once

#include "forms/pages/print_page_list.h"

namespace forms {

class CBoxesORD018 : public CPrintPageList {
 public:
  static constexpr int kCode = 218;
  CBoxesORD018(std::span<std::uint8_t> block, doc::CRentaDoc* document, int memberIndex = -1)
      : CPrintPageList(kCode, block, document, memberIndex) {}
  void BindPageData(int rebind) override;
  void ApplyHolderMode() override {}
  // The fields of the block, by position (the first member's slot and the member stride).
  static std::span<const FieldBinding> Fields();
};

class ORD018 : public CPage100 {
  Q_OBJECT
 public:
  explicit ORD018(IPageHost& host, QWidget* parent = nullptr);
};

}  // namespace forms
