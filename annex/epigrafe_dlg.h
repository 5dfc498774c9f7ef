// The heading of an economic activity: chosen from the drop-down list of the headings of the
// activity's family or found by its number. The selection edit of a page box hands the code and the
// activity kind in and takes the chosen code back after OK.
#pragma once

#include <string>

#include "ui/annex_dlg.h"
#include "ui/lookup_catalogue.h"

class CListaEpigrafe;
class CSelStrEdit;

namespace annex::epigrafe {
// The dialog's own record: the code (up to 4 digits without point on entry, dotted after OK), the
// activity kind '1' to '5' and the description of the heading, blank-padded.
inline constexpr blocks::Text Code{0, 5};
inline constexpr blocks::U8 Kind{5};
inline constexpr blocks::Text Description{6, 47};
inline constexpr std::size_t kBlockSize = 53;
static_assert(Description.off + Description.width == kBlockSize);
}  // namespace annex::epigrafe

class CEpigrafeDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 294;
  enum : int { kCode = 337, kList = 2017, kSearch = 4, kSearchButton = 1531, kTitle = 24547 };
  explicit CEpigrafeDlg(const ui::AnnexArgs& args);
  // The record's code and kind before the run.
  void SetCode(std::string_view code, char kind);
  std::string Code() const;
  // Opens the dialog for a selection edit named "IDD_EPIGRAFE" whose box option is a lookup link
  // {the box's dotted code, its activity kind}: 1 after OK, 2 otherwise.
  static int OpenFor(CSelStrEdit& edit);

 protected:
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  void OnInitAnnex() override;
  bool ValidateOK() override;
  bool OnButton(int id) override;
  int OnEditChange(int id) override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;

 private:
  void OnSearch();
  // 8611 becomes 861.1; a code of three digits, or one that has its point, stays.
  void InsertCodeDot();
  // The description of heading `key` (with or without its point) in the kind's family, or nothing.
  std::string LookUp(const std::string& key);
  CListaEpigrafe* list_ = nullptr;
  db::CAdoConnection* connection_ = ui::LookupConnection();
  ui::LookupLink link_;
  std::string filter_;
};
