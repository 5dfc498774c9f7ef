// Pending balances of research and development and of other modalities: two pairs of records side
// by side, each record a holder and the pending deductions of 1998 to 2001; in a pair the first
// record is filled before the second. The block is the research area of the pending groups of
// section Q.
#pragma once

#include "blocks/form100_q.h"
#include "ui/annex_dlg.h"

namespace annex::salpencartuja {
inline constexpr int kRecords = 4, kYears = 4;
inline constexpr std::size_t kRecordSize = 40;
inline constexpr std::size_t kBlockSize = kRecords * kRecordSize;
inline constexpr blocks::U8 Holder{0};
constexpr blocks::F64 Year(int y) { return {8u + 8u * static_cast<std::size_t>(y)}; }
static_assert(Year(kYears - 1).off + 8 == kRecordSize);
namespace q = f100::sec_q;
static_assert(q::PendingResearchArea.size == kBlockSize && q::PendingGroup8.row0 == q::PendingResearchArea.off &&
              q::PendingGroup9.row0 == q::PendingResearchArea.off + 2 * kRecordSize &&
              q::PendingGroup8.rowSize == kRecordSize && q::PendingGroup8.years == kYears);
}  // namespace annex::salpencartuja

class CSalpencartujaDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 99;
  explicit CSalpencartujaDlg(const ui::AnnexArgs& args);
  // The holder and amount cells of record k (0..3).
  static int HolderCell(int record);
  static int AmountCell(int record, int year);
  // In each pair: the second holder and the first record's amounts only once the first has a
  // holder, the second record's amounts only once it has one.
  void EnableByHolders();
  // A read-only member view keeps the member's records only, moved to the first place of a pair.
  void AdjustToShownMember();

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;

 private:
  std::uint8_t* Record(int k) { return Data() + annex::salpencartuja::kRecordSize * static_cast<std::size_t>(k); }
  void EnableAmounts(int record, bool on);
  void ClearRecord(int record);
  void MoveSecondIntoFirst(int pair);
};
