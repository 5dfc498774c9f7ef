// The module value dialogs: the units of a module worked out from detail values in a working copy
// of its record (units and days in use, tables and days, kilometres or kWh, hours of salaried and
// non-salaried staff). The opener copies the record in and takes it back only after OK.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "blocks/form100_e4.h"
#include "modules/working_record_dlg.h"

namespace modules {

// A module of an activity row (168 bytes); the detail area holds what its dialog asks for.
namespace module_record {
using namespace f100::sec_e4::module;
inline constexpr std::size_t kSize = f100::sec_e4::kModuleSize;
inline constexpr std::size_t kDetailBegin = 48, kDetailEnd = 144;
constexpr blocks::F64 Detail(int i) { return {kDetailBegin + 8 * static_cast<std::size_t>(i)}; }
inline constexpr blocks::F64 SeasonDays{144};  // the activity's, copied in when a dialog opens
}  // namespace module_record

// The ways a module's units follow from lines of units and days.
enum class DaysFormula { UnitsTimesDays, Tables };

// What tells the dialogs by units and days apart: their lines, the column that fills the days when
// left, the unit captions and the formula.
struct DaysDialogShape {
  int templateId;
  int lines;
  int columns;                               // units and days, or capacity, tables and days
  std::array<std::array<int, 3>, 4> ids;     // control of each line and column
  int totalId;
  std::array<int, 2> headingIds;             // statics that take the unit captions
  DaysFormula formula;
};

// "Vent. Modulos 02", "Vent. Modulos 03" and "MESAS": the lines' detail at record byte 48 on, in
// control order, and the units at byte 40.
class CDaysDlgBase : public CWorkingRecordDlg {
  Q_OBJECT
 public:
  static constexpr int kUnitsLabel = 1740;
  CDaysDlgBase(const ui::DialogTemplate& tmpl, const DaysDialogShape& shape, QWidget* parent);
  void SetHolder(std::uint8_t holder) { holder_ = holder; }
  void SetUnitCaptions(const QString& first, const QString& second = QString());
  // Refused (100R118) above the season days or the maximum days.
  bool CheckDays(int days);
  // The days a line may not exceed: 365, or for the declarant's activity the days of 2003 lived.
  double MaxDays() const;
  double Units() const;

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  // The one message guard of each dialog class.
  virtual bool& Guard() = 0;
  // The per-hundred rule of "Vent. Modulos 02".
  virtual double Scale() const { return 1.0; }

 private:
  blocks::F64 Field(int line, int column) const;
  const DaysDialogShape& shape_;
  std::uint8_t holder_ = 0;
  QString captions_[2];
  double maxDays_ = 0;
};

class CVentModulos02Dlg : public CDaysDlgBase {
  Q_OBJECT
 public:
  static constexpr int kId = 204;
  explicit CVentModulos02Dlg(QWidget* parent = nullptr);

 protected:
  void OnInitAnnex() override;
  bool& Guard() override { return guard_; }
  // Kind 14 counts square decimetres by the hundred.
  double Scale() const override;

 private:
  static inline bool guard_ = false;
};

class CVentModulos03Dlg : public CDaysDlgBase {
  Q_OBJECT
 public:
  static constexpr int kId = 207;
  explicit CVentModulos03Dlg(QWidget* parent = nullptr);

 protected:
  bool& Guard() override { return guard_; }

 private:
  static inline bool guard_ = false;
};

class CMesasDlg : public CDaysDlgBase {
  Q_OBJECT
 public:
  static constexpr int kId = 210;
  explicit CMesasDlg(QWidget* parent = nullptr);

 protected:
  bool& Guard() override { return guard_; }

 private:
  static inline bool guard_ = false;
};

// "DISTANCIA RECORRIDA": kilometres (kind 12) or kWh (kind 3) give the units.
class CDistanciaRecorridaDlg : public CWorkingRecordDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 321;
  static constexpr int kValue = 1595, kUnits = 1597, kValueLabel = 1594, kUnitsLabel = 1596;
  explicit CDistanciaRecorridaDlg(QWidget* parent = nullptr);
  void SetKind(int kind) { kind_ = kind; }

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  int OnEditChange(int id) override;

 private:
  void Compute();
  int kind_ = 12;
};

// "Vent. Modulos 01": the hours of 2003 of salaried staff; units untruncated.
class CVentModulos01Dlg : public CWorkingRecordDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 201;
  static constexpr int kOver19 = 1711, kUnder19 = 1712, kAgreement = 1714;
  explicit CVentModulos01Dlg(QWidget* parent = nullptr);

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
};

// "Vent. Modulos 05": the same hours for 2003 and 2002 when the staff increased; units truncated.
class CVentModulos05Dlg : public CWorkingRecordDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 213;
  static constexpr int kOver19 = 1711, kUnder19 = 1712, kAgreement = 1714;
  static constexpr int kOver19Before = 1715, kUnder19Before = 1717, kAgreementBefore = 1718;
  explicit CVentModulos05Dlg(QWidget* parent = nullptr);

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
};

// "PERSONAL NO ASALARIADO": the hours of the holder, the spouse and the children under 18.
class CPersonalNoAsalariadoDlg : public CWorkingRecordDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 216;
  static constexpr int kHolder = 1711, kSpouse = 1712, kChildren = 1714, kHint = 1296;
  explicit CPersonalNoAsalariadoDlg(QWidget* parent = nullptr);
  void SetActivity(std::uint8_t holder, double maxEmployees, std::array<std::uint8_t, 5> household) {
    holder_ = holder;
    maxEmployees_ = maxEmployees;
    household_ = household;
  }
  void ComputeUnits();

 protected:
  void OnInitAnnex() override;
  int OnEditSetFocus(int id) override;
  int OnEditKillFocus(int id) override;

 private:
  std::uint8_t holder_ = 0;
  double maxEmployees_ = 0;
  std::array<std::uint8_t, 5> household_{};
};

}  // namespace modules
