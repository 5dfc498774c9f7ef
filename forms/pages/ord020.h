// Form 100, page 20 (220): page 1 as printed. It prints the identification and family data that
// page 1 edits, with the descendants and ascendants of the member whose declaration is printed.
#pragma once

#include <array>

#include "forms/pages/print_page_list.h"

namespace forms {

class CBoxesORD020 : public CPrintPageList {
 public:
  static constexpr int kCode = 220;
  static constexpr std::size_t kDescendantSize = 148, kAscendantSize = 80;
  static constexpr int kDescendants = 12, kAscendants = 4;
  using Descendants = std::array<std::uint8_t, kDescendantSize * kDescendants>;
  using Ascendants = std::array<std::uint8_t, kAscendantSize * kAscendants>;

  CBoxesORD020(std::span<std::uint8_t> block, doc::CRentaDoc* document, int memberIndex = -1)
      : CPrintPageList(kCode, block, document, memberIndex) {}
  void BindPageData(int rebind) override;
  void ApplyHolderMode() override { BindPageData(1); }
  // The fields of the block, by position (the first member's slot and the member stride).
  static std::span<const FieldBinding> Fields();

  // The descendants and ascendants that belong to member m's declaration, in table order: all of
  // them for the family unit and for a declarant alone in the household; for a declarant with
  // other members and for the spouse those the member is entitled to; none for a child.
  static void FilterDescendants(const std::uint8_t* block, int m, bool severalHolders, Descendants& out);
  static void FilterAscendants(const std::uint8_t* block, int m, bool severalHolders, Ascendants& out);

  const Descendants& DescendantRows() const { return descendants_; }
  const Ascendants& AscendantRows() const { return ascendants_; }

 private:
  Descendants descendants_{};
  Ascendants ascendants_{};
};

class ORD020 : public CPage100 {
  Q_OBJECT
 public:
  explicit ORD020(IPageHost& host, QWidget* parent = nullptr);
};

}  // namespace forms
