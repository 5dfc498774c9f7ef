// The current address of the member shown (form 100) or of the declarant (form 714): street type,
// street, number, stairs, floor, door, municipality chosen by postal code, province, postal code,
// telephone or, abroad, the country; and whether the address also goes to the spouse and the
// descendants. The selection edit of the address boxes opens it and writes the address back.
#pragma once

#include "ui/annex_dlg.h"
#include "ui/lookup_catalogue.h"

class CSelStrEdit;
class QComboBox;

namespace db {
class CAdoConnection;
}

namespace annex::address {
// The dialog's address record.
inline constexpr std::size_t kRecordBytes = 92;
inline constexpr blocks::U8 Kind{1};  // 2: form 714 or the first address group, 3: the second group
inline constexpr blocks::Text StreetType{2, 2};
inline constexpr blocks::Text Country{4, 3};
inline constexpr blocks::Text Street{7, 20};
inline constexpr blocks::Text Number{27, 5};
inline constexpr blocks::Text Stairs{32, 2};
inline constexpr blocks::Text Floor{34, 2};
inline constexpr blocks::Text Door{36, 2};
inline constexpr blocks::Text Municipality{38, 25};
inline constexpr blocks::Text Province{63, 14};
inline constexpr blocks::Text PostalCode{77, 5};
inline constexpr blocks::Text Telephone{82, 9};
inline constexpr blocks::U8 Transfer{91};  // 1 "SI", 0 "NO", 255 blank
static_assert(Transfer.off + 1 == kRecordBytes);

// The address fields of a declaration: where each lies, as (record field, block offset, width).
struct StoredField {
  blocks::Text field;
  std::size_t offset;
};
// Form 100 keeps two address groups with one slot per member (slot m at offset + width * (m - 1)).
inline constexpr int kFirstGroup = 0, kSecondGroup = 1;
inline constexpr StoredField kForm100Groups[2][11] = {
    {{StreetType, 1053}, {Country, 1063}, {Street, 1078}, {Number, 1178}, {Stairs, 1203}, {Floor, 1213},
     {Door, 1223}, {Municipality, 1233}, {Province, 1358}, {PostalCode, 1428}, {Telephone, 1518}},
    {{StreetType, 1848}, {Country, 1858}, {Street, 1873}, {Number, 1973}, {Stairs, 1998}, {Floor, 2008},
     {Door, 2018}, {Municipality, 2028}, {Province, 2153}, {PostalCode, 2223}, {Telephone, 2313}},
};
inline constexpr std::size_t kSharedFlags = 1843;      // + (m - 1): the address is the household's
inline constexpr std::size_t kSpouseSeparate = 2358;   // the spouse lives elsewhere
// Form 714: the declarant's address in Form714Personal; the three texts end with a zero byte.
inline constexpr StoredField kForm714Address[] = {
    {StreetType, 6341}, {Street, 6344}, {Number, 6372}, {Stairs, 6377}, {Floor, 6380},
    {Door, 6383},       {Telephone, 6386}, {Municipality, 6396}, {Province, 6430}, {PostalCode, 6450}};
inline constexpr std::size_t kForm714Terminators[] = {6364, 6421, 6444};
inline constexpr std::size_t kForm714Abroad[] = {6281, 6282};
}  // namespace annex::address

class CCambiodomicilioDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 269;
  enum : int {
    kStreetType = 2224, kCountry = 24580, kStreet = 2197, kNumber = 405, kStairs = 404, kFloor = 358, kDoor = 361,
    kProvince = 369, kPostalCode = 400, kMunicipality = 2201, kTelephone = 377, kTransfer = 2200,
    kTransferQuestion = 24610, kCountryCaption = 24612
  };
  enum CheckResult : int { kAddressOk = 0, kIncomplete = 1, kBadPostalCode = 2, kIncompleteAbroad = 3 };

  explicit CCambiodomicilioDlg(const ui::AnnexArgs& args);

  // The selection edit's opener: reads the address from the open declaration, runs the dialog and
  // writes it back after OK (1 OK, 2 cancelled).
  static int OpenFor(CSelStrEdit& edit);

  // A form-714 address (the declarant's; no country), and whether that declaration says abroad.
  bool form714 = false;
  bool abroad714 = false;
  int transferAllowed = 1;
  db::CAdoConnection* connection = nullptr;

  int CheckAddress();
  // The municipalities of the postal code into the box, one blank entry after them.
  void FillMunicipalities();
  QComboBox* MunicipalityBox() const;

 protected:
  void OnInitAnnex() override;
  void OnOK() override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;
  int OnCommand(int id, int code) override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Abroad() const;
  void LockResidentFields(bool lock);
  void QueryMunicipalities(QComboBox* box);
  void TypedInMunicipality();
  // The transfer question is asked only where its answer can be carried out.
  bool TransferAsked() const;

  ui::LookupLink provinceLink_;
  int extraEntry_ = -1;
};
