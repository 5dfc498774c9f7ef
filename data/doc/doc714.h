// The form-714 document: its block, printed flag and references, the declarant's name for the
// first page, and the payment bar code.
#pragma once

#include <array>
#include <string>

#include "blocks/form714.h"
#include "data/doc/document.h"

namespace doc {

class C714Doc : public CProg32Doc {
 public:
  static constexpr int kPages = 11;  // PAT001 .. PAT011

  C714Doc(store::DeclarationStore& store, DocumentHost& host, Calculator calculator = {}, Validator validator = {});

  std::span<std::uint8_t> Block() override { return block_; }
  std::span<const std::uint8_t> Block() const { return block_; }
  int LastPageIndex() const override { return kPages - 1; }

  bool OpenDeclaration(std::string_view key, bool isNew) override;
  bool SaveToDatabase() override;
  void Calculate(int mode) override;
  void ClearDeclarationData() override;
  int ValidateDeclaration(int type) override;
  bool IsPrinted() const override { return f714::personal::Printed.get(Personal()) == 1; }
  void SetPrinted(bool) override;  // marks printed whatever the argument

  // "SURNAME1 SURNAME2, NAME" padded to 48, for page PAT001.
  const std::string& ComposeDeclarantName();
  std::string BuildBarcodeData();
  const std::array<char, 80>& BarcodeArea() const { return barcode_; }
  std::string GetReferenceText() const;

 private:
  std::uint8_t* Personal() { return f714::record(block_.data(), f714::Personal); }
  const std::uint8_t* Personal() const { return f714::record(block_.data(), f714::Personal); }

  std::vector<std::uint8_t> block_;
  Calculator calculator_;
  Validator validator_;
  std::string declarantName_ = std::string(48, ' ');
  std::array<char, 80> barcode_{};
};

}  // namespace doc
