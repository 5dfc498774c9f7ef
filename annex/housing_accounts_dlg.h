// The main-home deduction's housing savings accounts (holder, amount deposited, opening date and
// bank account code; variant 2 for accounts opened from 27/04/2003) and the works adapting the main
// home of a disabled person, split by how they were financed.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::cuenvivi {
inline constexpr std::size_t kRowSize = 48;
inline constexpr int kRows = 3;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Amount{8};
inline constexpr blocks::Text Opened{16, 8};
inline constexpr blocks::Text Entity{24, 4}, Office{28, 4}, Control{32, 2}, Number{34, 10};
}  // namespace annex::cuenvivi

namespace annex::obraminu {
inline constexpr std::size_t kRowSize = 32;
inline constexpr int kRows = 3;
inline constexpr std::size_t kBlockSize = 192;  // three rows, then 96 bytes carried through
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 FinancedWithin{8}, FinancedAfter{16}, Unfinanced{24};
}  // namespace annex::obraminu

class CCuenviviDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 231;
  static constexpr int kHolders[] = {1303, 1322, 1342};
  static constexpr int kAmounts[] = {1556, 1568, 1577};
  static constexpr int kDates[] = {1792, 1802, 1807};
  static constexpr int kEntities[] = {1813, 1825, 1855};
  static constexpr int kOffices[] = {1817, 1828, 1858};
  static constexpr int kControls[] = {1822, 1841, 1862};
  static constexpr int kNumbers[] = {1847, 1854, 1863};
  static constexpr int kDateNote = 1310;
  explicit CCuenviviDlg(const ui::AnnexArgs& args);
  bool Validate();

 protected:
  void OnInitAnnex() override;
  void RefreshEnabledRows() override;
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override { return Validate(); }

 private:
  bool CheckDate(int row, int id);
  bool inKillFocus_ = false;
};

class CObraminuDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1786;
  static constexpr int kHolders[] = {1243, 1244, 1246};
  static constexpr int kWithin[] = {1249, 1251, 1252};
  static constexpr int kAfter[] = {1247, 1254, 1255};
  static constexpr int kUnfinanced[] = {1257, 1258, 1260};
  explicit CObraminuDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  void RefreshEnabledRows() override;
  int OnEditChange(int id) override;
  int OnEditValueChanged(int id) override;

 private:
  // The financed and the unfinanced amounts of a row exclude each other.
  void ApplyFinancingRule();
};
