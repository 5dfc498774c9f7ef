// Whether the joint return and each member's return complement an earlier return of the year, and
// the results of the earlier returns: to pay, and refunds agreed by the administration.
#pragma once

#include <array>

#include "ui/annex_dlg.h"

namespace annex::deccomp {
// Column k: 0 joint return, 1 declarant, 2 spouse, 3 child 1, 4 child 2.
inline constexpr int kColumns = 5;
// The two mark groups lie side by side in the declaration; the opener copies them in and back.
constexpr blocks::U8 EarlierReturn(int k) { return {static_cast<std::size_t>(k)}; }       // a)
constexpr blocks::U8 SpecialCase(int k) { return {5 + static_cast<std::size_t>(k)}; }     // b)
constexpr blocks::F64 ToPay(int k) { return {10 + 8 * static_cast<std::size_t>(k)}; }
constexpr blocks::F64 Refunded(int k) { return {50 + 8 * static_cast<std::size_t>(k)}; }
inline constexpr std::size_t kBlockBytes = 90;
static_assert(Refunded(kColumns - 1).off + 8 == kBlockBytes);
// Where the declaration keeps them.
inline constexpr std::size_t kMarks = 288 + 5274;  // Form100Family +5274: a) then b)
inline constexpr std::size_t kToPay = 75624;       // Form100Result +0
inline constexpr std::size_t kRefunded = 75624 + 40;
}  // namespace annex::deccomp

class CDeccompDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 12;
  static constexpr std::array<int, 5> kEarlier{24585, 24581, 24582, 24583, 24584};
  static constexpr std::array<int, 5> kSpecial{24590, 24586, 24587, 24588, 24589};
  static constexpr std::array<int, 5> kToPay{1497, 1471, 1475, 1481, 1488};
  static constexpr std::array<int, 5> kRefunded{1498, 1472, 1476, 1482, 1489};
  explicit CDeccompDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override;

 private:
  // The joint column and the members' columns exclude each other; a b) mark brings its a) mark.
  void UpdateColumns();
  void EnableColumn(int k, bool enable);
  // A complementary return is paid at once: the member's payment choices go back to one payment.
  void ResetPaymentOptions(int k);
  std::array<bool, 5> resetPending_{};
};
