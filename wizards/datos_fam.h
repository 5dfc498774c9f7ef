// The personal and family data wizard: five pages over one working block (personal data,
// descendants, ascendants, additional data, region of residence), run step by step for a new
// form-100 declaration or as a tabbed sheet for an existing one; validated on OK or Finish.
#pragma once

#include <functional>
#include <memory>

#include "ui/annex_dlg.h"
#include "ui/gestor.h"
#include "ui/lookup_catalogue.h"
#include "ui/template_dlg.h"
#include "wizards/asistente.h"
#include "wizards/family_data.h"

namespace famwiz {

class CDatosFam;

// Numbered field checks of the document (5 a date, 15 a date in 2003, 21 a person's NIF, 101 a
// year of birth): 1 accepted, 0 refused (the check has shown its message).
using FieldCheck = std::function<int(int number, void* value)>;

// The open form-100 declaration as the wizard sees it.
struct Declaration {
  std::uint8_t* block = nullptr;  // Form100Data: the marks are written into it on OK or Finish
  bool joint = false;
  int shownMember = 1;
  // Ranks 12 descendant entries into the declaration.
  std::function<void(const std::uint8_t* entries)> rank;
  FieldCheck check;
  // Runs a dialog modally (the program's seam; exec when empty).
  std::function<int(QDialog&)> runModal;
};

// Binds a page's controls into the wizard's working block and moves them in and out.
class PageBinding {
 public:
  PageBinding(QWidget* page, const ui::DialogTemplate& t) : binder_(page, t) {}
  void Bind(Block& b, const ui::RowLayout* rows = nullptr) {
    binder_.SetUpEditors(0);
    binder_.Bind(b.data(), rows);
  }
  void Load() { binder_.Exchange(false); }
  void Store() { binder_.Exchange(true); }

 private:
  ui::AnnexBinder binder_;
};

// Page 0 (IDD 72).
class CDatosFam1 : public CTemplatePropPg {
  Q_OBJECT
 public:
  enum : int {
    kSingle = 1383, kMarried = 413, kWidowed = 432, kSeparated = 514, kOtherParent = 1084,
    kDeclBirth = 1077, kSpouseBirth = 1082, kDeclDisability = 464, kSpouseDisability = 491,
    kDeclNif = 24555, kSpouseNif = 24556, kDeath = 1083, kNonResident = 414, kMinorNo = 1069, kMinorYes = 1647,
  };
  explicit CDatosFam1(CDatosFam& wizard);
  void StoreCivilStatus();
  void RefreshControls();
  bool HasChildMembers() const;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;
  void OnMinorChildrenClicked();

 protected:
  void OnInitDialog() override;

 private:
  void Enable(int id, bool on);
  void Reload() { binding_.Load(); }
  CDatosFam& wizard_;
  PageBinding binding_;
};

// Page 1 (IDD 265): twelve descendants; the name field opens the descendant dialog.
class CDescendientes : public CTemplatePropPg {
  Q_OBJECT
 public:
  static constexpr int kRows = 12, kColumns = 12;
  explicit CDescendientes(CDatosFam& wizard);
  static int IdAt(int column, int row);
  bool OnSetActive() override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;
  void RefreshEnabledRows();
  void EnableRow(int row, bool button, bool edit, bool editable);

 protected:
  void OnInitDialog() override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;

 private:
  CDatosFam& wizard_;
  PageBinding binding_;
};

// The descendant dialog (IDD 71) over one 148-byte entry.
class CDatoshijoDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  enum : int {
    kGiven = 392, kSurname1 = 393, kSurname2 = 394, kNif = 24636, kBirth = 400, kDisability = 401, kLink = 402,
    kSituation = 403, kAdoption = 24637, kIncome = 422, kOwnReturn = 423, kDeath = 404,
  };
  CDatoshijoDlg(QWidget* parent, const std::uint8_t* personal, bool joint, bool editable, FieldCheck check);
  std::array<std::uint8_t, D::kSize>& Entry() { return entry_; }
  void ComputeAge();
  int Validate();
  void OnOK() override;
  int OnEditKillFocus(int id) override;
  int OnEditValueChanged(int id) override;
  // "SURNAME1 SURNAME2, NAME" cut to fit 32 characters.
  static std::string FullName(std::string_view given, std::string_view s1, std::string_view s2);

 protected:
  void OnInitDialog() override;

 private:
  int Show(const char* code, int icon, const QString& extra = {});
  void Refuse(const char* code, int focus, int icon = 0);
  std::array<std::uint8_t, D::kSize> entry_{};
  std::array<std::uint8_t, P::kSize> personal_{};
  bool joint_, editable_;
  FieldCheck check_;
  ui::AnnexBinder binder_;
};

// Page 2 (IDD 268): four ascendants typed in the rows.
class CAscendientes : public CRowMatrixPage {
  Q_OBJECT
 public:
  explicit CAscendientes(CDatosFam& wizard);
  bool OnSetActive() override;
  int OnEditKillFocus(int id) override;
  void ClearRow(int row) override;
  void MoveRow(int destination, int source) override;
  void ComputeAge(int row);

 protected:
  void OnInitDialog() override;

 private:
  CDatosFam& wizard_;
  PageBinding binding_;
};

// Page 3 (IDD 1757): sex, prolonged work, disabled worker, geographical mobility per member.
class CDatosFam2 : public CTemplatePropPg {
  Q_OBJECT
 public:
  explicit CDatosFam2(CDatosFam& wizard);
  static int MarkId(std::size_t vector, int holder);  // 0 when the control does not exist
  static int WorkerId(int holder);
  bool OnSetActive() override;
  int OnEditValueChanged(int id) override;
  int OnEditValueCleared(int id) override;
  void EnableFields();

 protected:
  void OnInitDialog() override;

 private:
  void SexRule(int id);
  CDatosFam& wizard_;
  PageBinding binding_;
};

// Page 4 (IDD 17): the five regions of residence.
class CComauto : public CTemplatePropPg {
  Q_OBJECT
 public:
  static constexpr int kNameIds[5] = {716, 1305, 1397, 1458, 1512};
  static constexpr int kCodeIds[5] = {1529, 1283, 1346, 1429, 1484};
  explicit CComauto(CDatosFam& wizard);
  bool OnSetActive() override;
  int OnEditValueChanged(int id) override;
  int OnEditKillFocus(int id) override;
  void CopyJointRegionToMembers();

 protected:
  void OnInitDialog() override;

 private:
  bool LookupEnabled(int k) const;
  CDatosFam& wizard_;
  PageBinding binding_;
  ui::LookupLink links_[5];
};

class CDatosFam : public CAsistente {
  Q_OBJECT
 public:
  enum Page : int { kPersonalPage, kDescendantsPage, kAscendantsPage, kAdditionalPage, kRegionPage };
  static constexpr int kGoToPage = 1036;
  static constexpr int kHelpTopic = 61;

  // Working copies come from the declaration; `isNew` runs it step by step.
  CDatosFam(const QString& caption, QWidget* parent, int startPage, Declaration declaration, bool isNew);
  ~CDatosFam() override;

  Block& Work() { return work_; }
  const Block& Work() const { return work_; }
  bool StepByStep() const { return stepByStep_; }
  bool Joint() const { return joint_; }
  bool NewDeclaration() const { return isNew_; }
  int ShownMember() const { return shownMember_; }
  const FieldCheck& Check() const { return doc_.check; }
  int FindChild1Entry(int except) const { return FindChildEntry(work_, 1, except); }
  int FindChild2Entry(int except) const { return FindChildEntry(work_, 2, except); }
  void ClearUnusedMemberData();
  // Shows a coded message over the wizard; the button pressed.
  int Show(const char* code, int icon, const QString& extra = {});

  int OnCommand(int id, int code) override;
  int OnGoToPage(int page);
  // Copies the accepted working copies back into the declaration's block.
  void CopyBack(std::uint8_t* block) const;

  CDatosFam1& PersonalPage() { return *personal_; }
  CDescendientes& DescendantsPage() { return *descendants_; }
  CAscendientes& AscendantsPage() { return *ascendants_; }
  CDatosFam2& AdditionalPage() { return *additional_; }
  CComauto& RegionPage() { return *region_; }

 private:
  bool Accept(int id);
  Declaration doc_;
  Block work_{};
  bool stepByStep_, joint_, isNew_;
  int shownMember_;
  CDatosFam1* personal_;
  CDescendientes* descendants_;
  CAscendientes* ascendants_;
  CDatosFam2* additional_;
  CComauto* region_;
};

// Registers the descendant dialog as the selection dialog "IDD_DATOSHIJO".
void RegisterFamilyWizard();

}  // namespace famwiz
