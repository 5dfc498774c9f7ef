// The form-714 document: its block, printed flag and references, the declarant's name for the
// first page, and the payment bar code.
#pragma once

#include <array>
#include <string>

#include "blocks/form714.h"
#include "data/doc/document.h"
#include "data/doc/reference.h"

namespace doc {

class C714Doc : public CProg32Doc {
 public:
  static constexpr int kPages = 11;  // PAT001 .. PAT011

  C714Doc(store::DeclarationStore& store, DocumentHost& host, Calculator calculator = {}, Validator validator = {});

  int LastPageIndex() const override { return kPages - 1; }

  bool OpenDeclaration(std::string_view key, bool isNew) override;
  bool SaveToDatabase() override;
  void Calculate(int mode) override;
  void ClearDeclarationData() override;
  int ValidateDeclaration(int type) override;
  bool IsPrinted() const override { return f714::personal::Printed.get(Personal()) == 1; }
  void SetPrinted(bool) override;  // marks printed whatever the argument

  // "SURNAME1 SURNAME2, NAME" padded to 48, for page PAT001.
  std::string ComposeDeclarantName();
  // The composed name as the pages' headers show it: 48 characters and a terminator.
  char* DeclarantNameField() { return declarantName_.data(); }
  void SetDeclarantName(std::string_view name);
  std::string BuildBarcodeData();
  const std::array<char, 80>& BarcodeArea() const { return barcode_; }
  void ClearBarcode() { barcode_.fill(0); }
  std::string GetReferenceText() const;
  // The NIF the identification page accepted last (9 characters and its terminator).
  std::array<char, 10>& HeaderNif() { return headerNif_; }
  // What the pages show outside the block for the sheet being printed: the copy kind (0 when not
  // printing) and its label, whether the taxpayer's paper copy of an internet filing prints, the
  // identification code from the name (without "-") and the page-foot text (empty).
  struct PrintSheet {
    int copyKind = 0;
    bool internetCopy = false;
    std::array<char, 60> copyLabel{};
    std::array<char, 7> identificationCode{};
    std::array<char, 21> footText{};
  };
  PrintSheet& PrintSheetState() { return printSheet_; }
  // The dot code's piece count of the last print and the sheet mark beside the dot code.
  void SetDotCodePieceCount(int count) { dotCodePieces_ = count; }
  int DotCodePieceCount() const { return dotCodePieces_; }
  char SheetMarkChar() const { return SheetMarkChar714(dotCodePieces_); }

 private:
  std::uint8_t* Personal() { return f714::record(Block().data(), f714::Personal); }
  const std::uint8_t* Personal() const { return f714::record(Block().data(), f714::Personal); }

  Calculator calculator_;
  Validator validator_;
  std::array<char, 49> declarantName_{};
  std::array<char, 80> barcode_{};
  std::array<char, 10> headerNif_{};
  PrintSheet printSheet_;
  int dotCodePieces_ = 0;
};

}  // namespace doc
