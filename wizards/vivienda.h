// The main-home sheet "Vivienda habitual": the investment page (amounts paid per holder, housing
// accounts, acquisition data, regional marks) and the compensation page for homes bought before
// 4 May 1998, whose incentives the calculation library computes on scratch copies of the
// declaration. Both pages edit working copies; the opener copies the records back only on OK.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "ui/annex_dlg.h"
#include "ui/gestor.h"
#include "ui/titular_edit.h"
#include "wizards/asistente.h"

namespace housing {

// HousingInvestmentRecord (368 bytes, section O + 528).
namespace inv {
inline constexpr std::size_t kSize = 368;
inline constexpr int kRows = 3;
inline constexpr blocks::U8 CatalunaDeclarant{0}, CatalunaSpouse{1}, MurciaDeclarant{2}, MurciaSpouse{3};
constexpr std::size_t RowAt(int r) { return 8u + 40u * static_cast<std::size_t>(r); }
constexpr blocks::U8 Holder(int r) { return {RowAt(r)}; }
constexpr blocks::F64 FinancedWithin(int r) { return {RowAt(r) + 8}; }
constexpr blocks::F64 FinancedAfter(int r) { return {RowAt(r) + 16}; }
constexpr blocks::F64 Unfinanced(int r) { return {RowAt(r) + 24}; }
constexpr blocks::F64 Construction(int r) { return {RowAt(r) + 32}; }
inline constexpr std::size_t kAccounts = 128, kAccountSize = 48, kAccountBlock = 144;
constexpr std::size_t AccountAt(int r) { return kAccounts + kAccountSize * static_cast<std::size_t>(r); }
constexpr blocks::U8 AccountHolder(int r) { return {AccountAt(r)}; }
constexpr blocks::F64 AccountAmount(int r) { return {AccountAt(r) + 8}; }
inline constexpr std::size_t kInfo = 272, kInfoSize = 48;
constexpr std::size_t InfoAt(int e) { return kInfo + kInfoSize * static_cast<std::size_t>(e); }
constexpr blocks::U8 InfoHolder(int e) { return {InfoAt(e)}; }
constexpr blocks::Text InfoDate(int e) { return {InfoAt(e) + 1, 8}; }
constexpr blocks::F64 InfoValue(int e) { return {InfoAt(e) + 16}; }
constexpr blocks::Text InfoLoan(int e) { return {InfoAt(e) + 24, 20}; }
static_assert(InfoAt(2) == kSize);
static_assert(AccountAt(3) == kInfo);
}  // namespace inv

// HousingCompensationRecord (232 bytes, summary + 8400).
namespace comp {
inline constexpr std::size_t kSize = 232;
inline constexpr int kRows = 2;
constexpr std::size_t RowAt(int r) { return 56u * static_cast<std::size_t>(r); }
constexpr blocks::U8 Holder(int r) { return {RowAt(r)}; }
constexpr blocks::F64 Interest(int r) { return {RowAt(r) + 8}; }
constexpr blocks::F64 Investment(int r) { return {RowAt(r) + 16}; }
constexpr blocks::F64 Cadastral(int r) { return {RowAt(r) + 24}; }
constexpr blocks::U8 Revised(int r) { return {RowAt(r) + 32}; }
constexpr blocks::F64 Days(int r) { return {RowAt(r) + 40}; }
constexpr blocks::F64 PropertyTax(int r) { return {RowAt(r) + 48}; }
// Columns 0 joint, 1 declarant, 2 spouse; items: interest, capital, total, applied, compensation.
inline constexpr std::size_t kIncentives = 112, kIncentiveSize = 40;
inline constexpr blocks::Area Incentives{kIncentives, 3 * kIncentiveSize};
constexpr blocks::F64 Incentive(int column, int item) {
  return {kIncentives + kIncentiveSize * static_cast<std::size_t>(column) + 8u * static_cast<std::size_t>(item)};
}
static_assert(kIncentives + 3 * kIncentiveSize == kSize);
}  // namespace comp

using InvestmentRecord = std::array<std::uint8_t, inv::kSize>;
using CompensationRecord = std::array<std::uint8_t, comp::kSize>;

// Places in Form100Data.
inline constexpr std::size_t kInvestmentAt = f100::SectionO.offset + 528;
inline constexpr std::size_t kCompensationAt = f100::Summary.offset + 8400;
// The regional deduction list that the Murcia marks exclude: 16-byte entries, holder +0, amount +8.
inline constexpr std::size_t kRegionalListAt = 84888;
// The per-member acquisition fields: m = 0 family unit, 1 declarant, 2 spouse.
inline constexpr std::size_t kSlotDateAt = 77432, kSlotValueAt = 77472, kSlotLoanAt = 77512;

// After OK: the acquisition entries of the investment record into the per-member fields.
void CopyAcquisitionSlots(std::uint8_t* block, const std::uint8_t* investment);
// The compensation page's calculation: the library's passes on a scratch copy of the whole
// declaration holding both working records; the incentive block comes back into `compensation`.
void ComputeCompensation(const std::uint8_t* block, const std::uint8_t* investment, std::uint8_t* compensation);

}  // namespace housing

class CVivienda;

// Page 1 (IDD 1789): three holder rows side by side.
class CInverVivi : public CGestorPg {
  Q_OBJECT
 public:
  static constexpr int kIdd = 1789, kHelpTopic = 542;
  static constexpr int kHolders[3] = {1303, 1322, 1342};
  static constexpr int kWithin[3] = {1280, 1282, 1284};
  static constexpr int kAfter[3] = {1286, 1287, 1289};
  static constexpr int kUnfinanced[3] = {1291, 1293, 1275};
  static constexpr int kConstruction[3] = {1295, 1262, 1276};
  static constexpr int kAccounts[3] = {1265, 1268, 1347};
  static constexpr int kInfoHolders[2] = {1304, 1323};
  static constexpr int kInfoDates[2] = {24572, 24573};
  static constexpr int kInfoLoans[2] = {24576, 24577};
  static constexpr int kCataluna[2] = {1540, 1561};
  static constexpr int kMurcia[2] = {395, 396};

  CInverVivi(CVivienda& sheet, int holderMode);
  std::uint8_t* Working() { return working_.data(); }
  const std::uint8_t* Working() const { return working_.data(); }
  const housing::InvestmentRecord& Committed() const { return committed_; }
  void SetRecord(const housing::InvestmentRecord& r) { committed_ = working_ = r; }

  // The check of OK; the working copy becomes the committed one. 0 keeps the sheet open.
  int ApplyChanges();
  int CheckPage();
  // Entries of the regional list that a confirmed "100P079" clears once the sheet is accepted.
  const std::array<bool, 2>& PendingRegionalClear() const { return pendingClear_; }
  void UpdateDependentControls();
  void ShowHelp() override;

  int GetRowOwner(int row) const override;
  void ClearRowData(int row) override;
  void ClearRowControls(int row) override;
  void MoveRow(int destination, int source) override;
  void HandleCommonRow(int row) override;
  void HandleOwnRow(int row) override;
  int OnEditKillFocus(int id) override;
  int OnEditValueCleared(int id) override;
  int OnEditChange(int id) override;
  int OnSubDialogValue(int id) override;
  int OnEditValueChanged(int id) override;

 protected:
  void OnInitDialog() override;

 private:
  void PrepareMemberView();
  void Reload() { binder_.Exchange(false); }
  CVivienda& sheet_;
  int mode_;
  housing::InvestmentRecord committed_{}, working_{};
  std::array<bool, 2> pendingClear_{};
  ui::AnnexBinder binder_;
  bool inKillFocus_ = false;
  bool updating_ = false;
};

// Page 2 (IDD 1795): two holder rows and the incentive grid.
class CCompAdq : public CGestorPg {
  Q_OBJECT
 public:
  static constexpr int kIdd = 1795, kHelpTopic = 901;
  static constexpr int kHolders[2] = {1303, 1322};
  static constexpr int kInterest[2] = {1311, 1313};
  static constexpr int kInvestment[2] = {1317, 1319};
  static constexpr int kCadastral[2] = {1318, 1321};
  static constexpr int kRevised[2] = {1323, 1325};
  static constexpr int kDays[2] = {1338, 1340};
  static constexpr int kPropertyTax[2] = {1333, 1335};
  // Items (interest, capital, total, applied, compensation) by column (joint, declarant, spouse).
  static constexpr int kIncentiveIds[5][3] = {
      {1271, 1274, 1281}, {1272, 1275, 1282}, {1273, 1276, 1283}, {1277, 1278, 1284}, {1280, 1285, 1286}};

  CCompAdq(CVivienda& sheet, int holderMode);
  std::uint8_t* Working() { return working_.data(); }
  const housing::CompensationRecord& Committed() const { return committed_; }
  void SetRecord(const housing::CompensationRecord& r) { committed_ = working_ = r; }
  double DaysLimit(int row) const { return limits_[static_cast<std::size_t>(row)]; }

  int ApplyChanges();
  int CheckPage();
  void Recalculate();
  void ShowHelp() override;

  int GetRowOwner(int row) const override;
  void ClearRowData(int row) override;
  void ClearRowControls(int row) override;
  void MoveRow(int destination, int source) override;
  void HandleCommonRow(int row) override;
  void HandleOwnRow(int row) override;
  int OnEditKillFocus(int id) override;
  int OnEditValueCleared(int id) override;
  int OnEditSetFocus(int id) override;

 protected:
  void OnInitDialog() override;

 private:
  // Days owned in 2003 up to the end of the year, or the declarant's death for a declarant row.
  double DaysOwned(int row) const;
  void Reload() { binder_.Exchange(false); }
  CVivienda& sheet_;
  int mode_;
  housing::CompensationRecord committed_{}, working_{};
  std::array<double, 2> limits_{365.0, 365.0};
  ui::AnnexBinder binder_;
  bool initialised_ = false;
  bool inKillFocus_ = false;
};

class CVivienda : public CAsistente {
  Q_OBJECT
 public:
  static constexpr int kGoToPage = 1036;
  static constexpr int kCaptionString = 70;

  // `block`: the open declaration's Form100Data, read by the checks and the calculation.
  CVivienda(const QString& caption, QWidget* parent, int startPage, int holderMode, std::uint8_t* block);
  ~CVivienda() override;

  housing::InvestmentRecord& Investment() { return investment_; }
  housing::CompensationRecord& Compensation() { return compensation_; }
  std::uint8_t* Block() const { return block_; }
  int HolderMode() const { return holderMode_; }
  CInverVivi& InvestmentPage() { return *investmentPage_; }
  CCompAdq& CompensationPage() { return *compensationPage_; }

  int OnCommand(int id, int code) override;
  int OnGoToPage(int page);

 protected:
  void OnInitDialog() override;

 private:
  CCompAdq* compensationPage_;
  CInverVivi* investmentPage_;
  housing::InvestmentRecord investment_{};
  housing::CompensationRecord compensation_{};
  int holderMode_;
  int startPage_;
  std::uint8_t* block_;
};

namespace housing {
// Opens the sheet for the launch entries "IDD_INVERVIVI" (first page) and "IDD_COMPADQ" (second)
// on the open declaration; `annex` is the launching box's record. The sheet's result.
int OpenHousingSheet(bool fromCompensation, int holderMode, std::uint8_t* annex, std::uint8_t* block);
// How the opener runs the sheet (tests script it); DoModal when empty.
void SetSheetRunner(std::function<int(CVivienda&)> runner);
// Makes the launcher edits open the sheet for its two entries.
void RegisterHousingWizard();
}  // namespace housing
