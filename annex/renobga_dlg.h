// Income obtained and taxed abroad: up to three items, each with its holder, the income included in
// the general or (exclusively) the special part of the taxable base and the tax paid abroad; below
// them, read-only, what the double-taxation deduction needs for the joint return, the declarant and
// the spouse, computed by the library's liquidation on a copy of the declaration's summary.
#pragma once

#include "blocks/form100_liquidation.h"
#include "ui/annex_dlg.h"

namespace annex::renobga {
inline constexpr std::size_t kRowSize = 32;
inline constexpr int kRows = 3;
// Item row.
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 General{8};
inline constexpr blocks::F64 Special{16};
inline constexpr blocks::F64 TaxPaid{24};
static_assert(TaxPaid.off + 8 == kRowSize);
// Result records: joint, declarant, spouse.
inline constexpr std::size_t kResults = kRowSize * kRows;
inline constexpr std::size_t kResultSize = 64;
inline constexpr int kResultColumns = 3;
constexpr blocks::F64 GeneralRate(int c) { return {kResults + kResultSize * static_cast<std::size_t>(c)}; }
constexpr blocks::F64 SpecialRate(int c) { return {kResults + kResultSize * static_cast<std::size_t>(c) + 8}; }
constexpr blocks::F64 GeneralPart(int c, int item) {
  return {kResults + kResultSize * static_cast<std::size_t>(c) + 16 + 8 * static_cast<std::size_t>(item)};
}
constexpr blocks::F64 SpecialPart(int c, int item) {
  return {kResults + kResultSize * static_cast<std::size_t>(c) + 40 + 8 * static_cast<std::size_t>(item)};
}
inline constexpr std::size_t kBlockSize = kResults + kResultSize * kResultColumns;
static_assert(kBlockSize == 288);
// Where the block stands in the summary record.
inline constexpr std::size_t kSummaryOffset = f100::sec_li::entries::ForeignIncome.first;
static_assert(kSummaryOffset == 7768 && kRowSize == f100::sec_li::entries::ForeignIncome.size);
}  // namespace annex::renobga

class CRenobgaDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1793;
  static constexpr int kLegend = 1296;
  static constexpr int kHolders[] = {1303, 1322, 1342};
  static constexpr int kGeneral[] = {1301, 1302, 1304};
  static constexpr int kSpecial[] = {1172, 1184, 1197};
  static constexpr int kTaxPaid[] = {1175, 1186, 1201};
  // Result edits by line (rates, general parts 1-3, special parts 1-3) and column (joint, declarant, spouse).
  static constexpr int kResultIds[8][3] = {{1326, 1327, 1328}, {1329, 1330, 1331}, {2145, 2146, 2147},
                                           {2148, 2149, 2150}, {2151, 2152, 2153}, {1323, 1324, 1325},
                                           {1332, 1333, 1334}, {1335, 1336, 1337}};
  explicit CRenobgaDlg(const ui::AnnexArgs& args);
  // The liquidation on a copy of the open declaration's summary, the working block in it.
  void CalculateResults();

 protected:
  void OnInitAnnex() override;
  void RefreshEnabledRows() override;
  int OnEditChange(int id) override;
  int OnEditKillFocus(int id) override;
  int OnEditValueCleared(int id) override;
  int OnEditValueChanged(int id) override;
  int OnEditSetFocus(int id) override;

 private:
  void ZeroResults();
  // A row with a holder takes either a general-part or a special-part amount, never both.
  void UpdatePartnerCells();
  void Enable(int id, bool on);
};
