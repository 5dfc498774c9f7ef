// The form-100 document: its block, which members of the household exist and which one is
// shown, the members' print status and printed references, and the records that printing and
// filing derive from the block (page header, payment bar code, reference text, descendant
// ranking).
#pragma once

#include <array>
#include <string>

#include "blocks/form100.h"
#include "data/doc/document.h"

namespace doc {

class CRentaDoc : public CProg32Doc {
 public:
  static constexpr int kPages = 17;  // ORD001 .. ORD017

  CRentaDoc(store::DeclarationStore& store, DocumentHost& host, Calculator calculator = {}, Validator validator = {});
  ~CRentaDoc() override;

  int LastPageIndex() const override { return kPages - 1; }

  bool OpenDeclaration(std::string_view key, bool isNew) override;
  bool LoadFromDatabase() override;
  bool SaveToDatabase() override;
  void Calculate(int mode) override;
  void ClearDeclarationData() override;
  int CommitPendingBoxEdit() override;
  // 0 findings, 1 none, 2 the declaration could not be saved (or the user chose to stop).
  int ValidateDeclaration(int type) override;

  // Command 2060: show the form pages.
  void ShowFormPages();

  // Household and members (the model holds them).
  const std::array<std::uint8_t, 5>& Household() const { return model_.Household(); }
  int ShownMember() const { return model_.ShownMember(); }
  std::uint8_t MemberView() const { return model_.MemberView(); }
  int TargetMember() const { return targetMember_; }
  void SetTargetMember(int member, std::uint8_t view) {
    targetMember_ = member;
    targetView_ = view;
  }
  void ComputeHouseholdFlags();
  // Commands 2061 .. 2065 and their update rules.
  bool CanShowMember(int member) const;
  void ShowMember(int member);
  std::uint8_t MemberStatus(int member) const { return f100::family::MemberStatus(member - 1).get(Family()); }
  void SetMemberStatus(int status);  // the target member's status (1 after printing)
  bool UpdateMemberStatusAfterEdit();
  // The member name for the status bar ("U.FAMILIAR" ...).
  static std::string_view MemberName(int member);
  void UpdateMemberStatusBar(bool clear);
  // Second paper-copy flag: set while printing after a filing; suppresses reference renewal.
  void SetSecondPaperCopy(bool on) { secondPaperCopy_ = on; }

  // Before the family wizard: the names of child 1 and child 2 from the identification tables
  // into the descendant entries that carry their marks.
  void PrepareFamilyWizard();
  // After the family wizard accepted its data (copied back into the block): NIFs, holder names
  // and community codes into the identification tables, the spouse's shared fields, the member
  // to show.
  void ApplyFamilyData(int rememberedMember, bool spouseJustExcluded);

  // Print and filing records.
  // The shown member's holders, NIF and name blank-padded; an unfilled second holder is zeros.
  void FillHeaderIdentification();
  const std::string& HeaderIdentification() const { return header_; }  // 114 characters
  // Where the page headers read the first holder's NIF (9) and, after it, name (48).
  char* HeaderIdentificationData() { return header_.data(); }
  std::string BuildBarcodeData();
  // The dot code's piece count of the last print (symbols drawn; 5 when the record needed more)
  // and the sheet mark beside the dot code that it gives.
  void SetDotCodePieceCount(int count) { dotCodePieces_ = count; }
  int DotCodePieceCount() const { return dotCodePieces_; }
  char SheetMarkChar() const;
  const std::array<char, 80>& BarcodeArea() const { return barcode_; }
  std::array<char, 80>& BarcodeArea() { return barcode_; }
  std::string GetReferenceText(int index) const;
  // What the printing keeps for the boxes of the sheet it prints: the copy kind (1 to 4, 0 when
  // not printing) and its label, the internet-copy flag, the printing language letter and the
  // identification codes of the declarant and the spouse (without "-", zero-terminated).
  struct PrintSheet {
    int copyKind = 0;
    bool internetCopy = false;
    char language = 'e';
    std::array<char, 60> copyLabel{};
    std::array<std::array<char, 6>, 2> identificationCodes{};
  };
  PrintSheet& PrintSheetState() { return printSheet_; }
  void RankDescendants();
  // The same over 12 descendant entries held apart from the block (the family wizard's).
  void RankDescendants(const std::uint8_t* entries);
  static int AgeAtDate(const char* birth, const char* at);
  int FindChildDescendant(int child, int exclude) const;
  // The holder name of the page header: "SURNAME1 SURNAME2, NAME" padded to 48.
  static std::string HolderName(std::string_view given, std::string_view surname1, std::string_view surname2,
                                bool surname1Present);

 private:
  std::uint8_t* Data() { return model_.Block().data(); }
  const std::uint8_t* Data() const { return model_.Block().data(); }
  std::uint8_t* Family() { return f100::record(Data(), f100::Family); }
  const std::uint8_t* Family() const { return f100::record(Data(), f100::Family); }
  const std::uint8_t* Personal() const { return f100::record(Data(), f100::Personal); }
  std::string CommunityCode(int member) const;
  bool MemberExists(int member) const { return model_.HasMember(member); }

  Calculator calculator_;
  Validator validator_;
  int targetMember_ = 1;
  std::uint8_t targetView_ = 0;
  bool secondPaperCopy_ = false;
  bool targetMemberFlag_ = false;
  std::string header_;
  std::array<char, 80> barcode_{};
  PrintSheet printSheet_;
  int dotCodePieces_ = 0;
  double TargetResult(int member) const;
};

}  // namespace doc
