// The information on a business activity in objective estimation by modules: season days, start
// year, staff increase, premises, vehicles and their load, a class from a list (municipality size,
// or the rafts and boats of mussel farming), maximum staff, withholdings and the holder's instalments.
// Five dialogs share one record and one protocol; what sets them apart (fields asked, class range,
// which answer is required, messages) is one row of `kActivityInfoKinds` each. Opened by the
// activities page by class name, chosen by the row's activity.
#pragma once

#include <cstdint>
#include <span>

#include "blocks/form100_e4.h"
#include "ui/annex_dlg.h"

namespace annex::activity_info {

// The record of one activity row: 72 bytes at row offset 24 of section E4, stored with the
// declaration.
inline constexpr std::size_t kSize = 72;
inline constexpr std::size_t kRowOffset = 24;
inline constexpr blocks::F64 SeasonDays{0};     // whole days, at most 180; 0 = not seasonal
inline constexpr blocks::F64 StartYear{8};      // 0, 2002.0 or 2003.0
inline constexpr blocks::U8 StaffIncrease{16};  // 1 yes, 0 no, 255 no answer
inline constexpr blocks::U8 SinglePremises{17};
inline constexpr blocks::F64 Vehicles{24};
inline constexpr blocks::U8 LoadOver1000{32};   // asked only for exactly one vehicle, else 255
inline constexpr blocks::F64 ClassKey{40};      // 0 = not given
inline constexpr blocks::F64 MaxEmployees{48};
inline constexpr blocks::F64 Withholdings{56};
inline constexpr blocks::F64 Instalments{64};   // one amount per holder, in all the holder's rows
static_assert(Instalments.off + 8 == kSize);
static_assert(f100::sec_e4::SeasonalDays.off == kRowOffset + SeasonDays.off &&
              f100::sec_e4::StartYear.off == kRowOffset + StartYear.off &&
              f100::sec_e4::StaffIncreased.off == kRowOffset + StaffIncrease.off &&
              f100::sec_e4::SinglePremises.off == kRowOffset + SinglePremises.off &&
              f100::sec_e4::Vehicles.off == kRowOffset + Vehicles.off &&
              f100::sec_e4::HeavyVehicle.off == kRowOffset + LoadOver1000.off &&
              f100::sec_e4::SizeClass.off == kRowOffset + ClassKey.off &&
              f100::sec_e4::MaxEmployees.off == kRowOffset + MaxEmployees.off &&
              f100::sec_e4::Withholdings.off == kRowOffset + Withholdings.off &&
              f100::sec_e4::InstalmentPayments.off == kRowOffset + Instalments.off);

// Control ids, the same in every dialog that shows the field.
enum : int {
  kDays = 1763, kStartYear = 1766, kStaffIncrease = 1768, kSinglePremises = 1775, kVehicles = 1776,
  kLoad = 1781, kClass = 1784, kMaxEmployees = 1760, kWithholdings = 24639, kInstalments = 392,
  kStaffGroup = 1767
};

// The answer without which a record counts as incomplete (OK refused, Cancel from an incomplete
// record refused).
enum class Required { PremisesLoadAndClass, Vehicles, Class };

// What one of the five dialogs asks and how it differs from the others.
struct Kind {
  int templateId;
  const char* className;
  bool premises, vehicles, load;  // the load question goes with the vehicles and premises
  int classMax;                   // 0: no class field
  int classLabel;                 // string ids of the class field's label and of its lines
  std::span<const int> classLines;
  int staffLabel;
  int employeeDigits;
  int instalmentRows;             // the rows of section E4 looked at for the holder's instalments
  bool daysOnlyWhenModified;      // the days are tested only after a change, and the focus stays
  const char* deathCode;          // days beyond the declarant's death or above 180 (declarant)
  const char* classCode;          // class above its range while typing
  bool classRefocus;              // the class edit keeps the focus after that message
  Required required;
  const char* okCode;
  int okFocus;
  const char* cancelCode;
};

extern const Kind kActivityInfoKinds[5];
// Whether a record carries the answer that the kind requires.
bool IsComplete(const Kind& kind, const std::uint8_t* record);
// Whether nothing at all is entered (the instalments not looked at; a "NO" is nothing).
bool NothingEntered(const std::uint8_t* record);

}  // namespace annex::activity_info

// The shared dialog. Each kind's class below only names its row of the table.
class CInformacionRelativaActividadDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  CInformacionRelativaActividadDlg(const annex::activity_info::Kind& kind, const ui::AnnexArgs& args);
  const annex::activity_info::Kind& GetKind() const { return kind_; }
  // The row's holder code and its index in section E4; without it they come from the row of the
  // open declaration named by the opener's `extra`.
  void SetRow(std::uint8_t holder, int row);
  bool Validate();

 protected:
  void OnInitDialog() override;
  void OnInitAnnex() override;
  bool ValidateOK() override;
  void OnOK() override;
  void OnCancel() override;
  int OnEditKillFocus(int id) override;
  int OnEditChange(int id) override;

 private:
  void ShareHolderInstalments();
  void FollowVehicles(int vehicles);
  void TestDays();
  void TestStartYear();
  void ClassTyped();
  void Reload(int id);
  void FocusOn(int id);
  int Show(const char* code, int icon);

  const annex::activity_info::Kind& kind_;
  std::uint8_t opened_[annex::activity_info::kSize]{};
  std::uint8_t holder_ = 0;
  int row_ = -1;
  bool rowGiven_ = false;
  double openedInstalments_ = 0;
  int guard_ = 0;
};

class CInformacionRelativaActividadDlg221 : public CInformacionRelativaActividadDlg {
  Q_OBJECT
 public:
  explicit CInformacionRelativaActividadDlg221(const ui::AnnexArgs& args = {});
};
class CInformacionRelativaActividadDlg229 : public CInformacionRelativaActividadDlg {
  Q_OBJECT
 public:
  explicit CInformacionRelativaActividadDlg229(const ui::AnnexArgs& args = {});
};
class CInformacionRelativaActividadDlg224 : public CInformacionRelativaActividadDlg {
  Q_OBJECT
 public:
  explicit CInformacionRelativaActividadDlg224(const ui::AnnexArgs& args = {});
};
class CInformacionRelativaActividadDlg226 : public CInformacionRelativaActividadDlg {
  Q_OBJECT
 public:
  explicit CInformacionRelativaActividadDlg226(const ui::AnnexArgs& args = {});
};
class CInformacionRelativaActividadDlg81 : public CInformacionRelativaActividadDlg {
  Q_OBJECT
 public:
  explicit CInformacionRelativaActividadDlg81(const ui::AnnexArgs& args = {});
};

namespace annex {
// Registers the five classes by name for the activities page.
void RegisterActivityInformationDialogs();
}
