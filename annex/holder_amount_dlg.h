// Holder and amount details of regional deductions: a short list of rows, each a holder and an
// amount (16 bytes: holder byte, padding, amount), some with one further field below the rows. The
// four dialogs differ only in their tables (ids, rows, caption, help, the field below) and in the
// rules that each class adds.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::holder_amount {
inline constexpr std::size_t kRowBytes = 16;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Amount{8};
// The field below the rows of the three-row dialogs that have one.
inline constexpr blocks::F64 Taxpayers{48};
inline constexpr blocks::U8 ProtectedHome{48};
inline constexpr std::size_t kBlock3 = 48, kBlock4 = 64, kBlockExtra = 56;
static_assert(3 * kRowBytes == kBlock3 && 4 * kRowBytes == kBlock4 && Taxpayers.off + 8 == kBlockExtra);
static_assert(Amount.off + 8 == kRowBytes);
}  // namespace annex::holder_amount

// One holder-row dialog: its control table, block size, row layout, the static that shows the
// holder legend (0: none), its help topic for a variant index (null: the table's; a topic of 0 opens
// nothing) and whether the legend stays when a cell of another column takes the focus.
struct HolderAmountSpec {
  const ui::DialogTemplate& tmpl;
  std::size_t blockBytes;
  ui::RowLayout layout;
  int legendId;
  int (*helpTopic)(int variant);
  bool legendStays = false;
};

class CHolderAmountDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  CHolderAmountDlg(const HolderAmountSpec& spec, const ui::AnnexArgs& args);

 protected:
  int OnCommand(int id, int code) override;
  int OnEditSetFocus(int id) override;
  const HolderAmountSpec& spec_;
};

// Valencian cultural heritage and the other deductions of three holder rows: heading, help and
// one check chosen by the variant index.
class CTit3dat1Dlg : public CHolderAmountDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 170;
  explicit CTit3dat1Dlg(const ui::AnnexArgs& args);
  static int HelpTopic(int variant);

 protected:
  void OnInitAnnex() override;
  // Variant 2 (young people's housing): a row of a member whose home already gave him the
  // regional acquisition deduction of 1998-2000 is refused with "100P081".
  bool ValidateOK() override;
};

// Four holder rows; the caption is the box's title.
class CTit4dat1Dlg : public CHolderAmountDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1814;
  explicit CTit4dat1Dlg(const ui::AnnexArgs& args);
};

// Home investment for relatives' disability: the rows and the number of taxpayers entitled.
class CTit3dat1nDlg : public CHolderAmountDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 44;
  enum : int { kTaxpayers = 24620 };
  explicit CTit3dat1nDlg(const ui::AnnexArgs& args);

 protected:
  bool ValidateOK() override;
};

// Home investment: the rows and the protected-home mark.
class CTit3dat1pDlg : public CHolderAmountDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 76;
  enum : int { kProtectedHome = 24620 };
  explicit CTit3dat1pDlg(const ui::AnnexArgs& args);
};
