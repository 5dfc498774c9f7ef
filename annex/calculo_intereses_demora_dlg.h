// The late-payment interest of the deductions wrongly applied in earlier years, case by case: opened
// by the "Prop." buttons of the late-payment annexes on one breakdown record of a row.
#pragma once

#include "annex/interest_breakdown.h"
#include "ui/annex_dlg.h"

class CCalculoInteresesDemoraDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 198;
  static constexpr int kYears[] = {1704, 1705, 1708, 1709, 1710, 1713, 1716, 1719};
  static constexpr int kAmounts[] = {1556, 1568, 1577, 1586, 1596, 1602, 1606, 1611};
  static constexpr int kKinds[] = {1721, 1723, 1726, 1729, 1731, 1734, 1738, 1772};
  static constexpr int kStarts[] = {1778, 1782, 1787, 1791, 1796, 1798, 1801, 1806};
  static constexpr int kDays[] = {1707, 1746, 1750, 1753, 1756, 1761, 1765, 1767};
  static constexpr int kInterests[] = {1637, 1640, 1642, 1646, 1650, 1658, 1668, 1672};
  static constexpr int kCalculationDate = 1071, kTotal = 1676, kPrompt = 1296;
  explicit CCalculoInteresesDemoraDlg(QWidget* parent);
  // What the opener sets before the run: which years a case may take (1 to 4; any other value
  // takes every year) and the holder of the row broken down.
  int yearMode = 0;
  std::uint8_t holder = 0;
  // Whether a case may take `year` in the year mode.
  bool YearAccepted(std::string_view year) const;

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;
  int OnEditSetFocus(int id) override;

 private:
  static int CaseOf(const int (&ids)[8], int id);
  void ClearCase(int r);
  bool CheckStartDate(int r);
  void RevalidateStartDates();
  void Recalculate();
  void UpdateRowControls();
  void ShowHolderInCaption();
};
