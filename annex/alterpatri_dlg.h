// The sale of shares of one row of the share-sales table split into up to three gains or losses:
// for each, the transmission and acquisition amounts, the kind of gain or loss from its lookup
// table, and the losses that may not be imputed because equal shares were bought back.
#pragma once

#include <array>

#include "blocks/form100_g2.h"
#include "ui/annex_dlg.h"
#include "ui/lookup_catalogue.h"

namespace annex::alterpatri {
// The block is the part +40 to +319 of a row of the share-sales table.
inline constexpr std::size_t kRowOffset = 40;
inline constexpr std::size_t kBlockSize = 280;
inline constexpr int kRows = 3;
constexpr blocks::U8 NoLoss(int r) { return {static_cast<std::size_t>(r)}; }
constexpr blocks::F64 Transmission(int r) { return {8 + 8 * static_cast<std::size_t>(r)}; }
constexpr blocks::F64 Acquisition(int r) { return {32 + 8 * static_cast<std::size_t>(r)}; }
constexpr blocks::Text Code(int r) { return {56 + 3 * static_cast<std::size_t>(r), 3}; }
constexpr blocks::Text KindText(int r) { return {65 + 70 * static_cast<std::size_t>(r), 70}; }
static_assert(KindText(kRows - 1).off + 70 + 5 == kBlockSize, "five bytes after the texts are not the dialog's");
static_assert(f100::sec_g2::LossExcluded.off == kRowOffset + NoLoss(0).off);
static_assert(f100::sec_g2::FirstValue.off == kRowOffset + Transmission(0).off);
static_assert(f100::sec_g2::SecondValue.off == kRowOffset + Acquisition(0).off);
static_assert(f100::sec_g2::ClassCode.off == kRowOffset + Code(0).off);
static_assert(kRowOffset + kBlockSize <= f100::sec_g2::GainsGP1.off);
}  // namespace annex::alterpatri

class CAlterpatriDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 78;
  static constexpr int kTransmission[] = {24649, 24650, 24651};
  static constexpr int kAcquisition[] = {24652, 24653, 24654};
  static constexpr int kKind[] = {24655, 24656, 24657};
  static constexpr int kNoLoss[] = {24661, 24662, 24663};
  explicit CAlterpatriDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  // Rows in order: a gain with a loss kind, a loss with a gain kind, amounts without a kind.
  bool ValidateOK() override;
  int OnEditValueCleared(int id) override;
  int OnEditValueChanged(int id) override;

 private:
  int KindRow(int id) const;
  std::array<ui::LookupLink, annex::alterpatri::kRows> links_{};
};
