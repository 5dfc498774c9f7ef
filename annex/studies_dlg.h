// Education expenses of descendants: the descendants studying away from their island (per holder,
// with the persons who share the deduction and each spouse's exempt income, checked against the
// income limit for children held in common), and textbooks for up to twelve children.
#pragma once

#include "annex/holder_counts.h"

namespace annex::autonom2ic {
inline constexpr std::size_t kBlockSize = 80;
inline constexpr blocks::F64 Inside[] = {{0}, {8}, {16}};    // common, declarant, spouse
inline constexpr blocks::F64 Outside[] = {{24}, {32}, {40}};
inline constexpr blocks::F64 PersonsDeclarant{48}, PersonsSpouse{56};
inline constexpr blocks::F64 ExemptDeclarant{64}, ExemptSpouse{72};
inline constexpr double kIncomeLimit = 60000.0;
}  // namespace annex::autonom2ic

namespace annex::adqlibros {
inline constexpr std::size_t kRowSize = 16;
inline constexpr int kRows = 12;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Amount{8};
}  // namespace annex::adqlibros

class CAutonom2IcDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 48;
  static constexpr int kInside[] = {24621, 24622, 24623};
  static constexpr int kOutside[] = {24624, 24625, 24626};
  static constexpr int kPersonsDeclarant = 24660, kPersonsSpouse = 24661, kExemptDeclarant = 24632, kExemptSpouse = 392;
  explicit CAutonom2IcDlg(const ui::AnnexArgs& args);

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override;
};

class CAdqlibrosDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 16;
  static constexpr int kHolders[] = {1303, 1322, 1342, 1382, 1401, 1408, 1304, 1323, 1343, 1383, 1402, 1409};
  static constexpr int kAmounts[] = {1169, 1182, 1192, 1207, 1215, 1224, 1250, 1266, 1290, 1315, 1367, 1229};
  explicit CAdqlibrosDlg(const ui::AnnexArgs& args);

 protected:
  int OnEditSetFocus(int) override { return 1; }
};
