// The signature page (290) of form 100: the declaration summed up in up to 14 text lines (the
// identification numbers, the result, how it is paid or refunded and into which accounts),
// composed from the block for the member of the printed form or of the filing file.
#pragma once

#include <array>
#include <string>

#include "forms/view/form_views.h"

namespace forms {

class CBoxesFirma : public CBindingTableList {
 public:
  static constexpr int kCode = 290;
  static constexpr int kLines = 14;
  static constexpr std::size_t kWidth = 52;
  CBoxesFirma(std::span<std::uint8_t> block, int member) : CBindingTableList(kCode, block, member) {}
  void BindPageData(int rebind) override;
  void ApplyHolderMode() override { BindPageData(1); }
  // Every sheet: the page never limits the continuation sheets itself.
  bool SelectSheet(int, int) override { return true; }
  // The lines composed for `member` (1 family unit .. 5 child 2) from `block`.
  static std::array<std::string, kLines> ComposeLines(std::span<const std::uint8_t> block, int member);

 private:
  std::array<std::array<char, kWidth + 1>, kLines> lines_{};
};

class CFirma : public CRentaVista {
  Q_OBJECT
 public:
  explicit CFirma(IPageHost& host, QWidget* parent = nullptr);
  std::string GetPageClassName() const override { return "CFirma"; }
};

void RegisterSignaturePage();

}  // namespace forms
