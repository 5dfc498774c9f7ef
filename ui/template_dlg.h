// Bases of every data-entry dialog and property page: one look (owner-drawn OK, Cancel and Help
// buttons, Arial edits, pale-yellow disabled edits), one keyboard (Enter and Tab forward, Shift+Tab
// and Up back, Esc cancels), virtual handlers for the notifications of the bound edits, and the
// member-view rule (opened while one member of a household with several is shown: read-only, and
// OK ends with IDCANCEL so nothing is written back).
#pragma once

#include <QDialog>
#include <QFont>
#include <QWidget>

#include "ui/dialog_template.h"
#include "ui/edit_host.h"
#include "ui/owner_draw_button.h"

class CEditEx;

namespace ui {
// Look flags of the dialog base.
enum LookFlag : int { kLookOk = 1, kLookCancel = 2, kLookHelp = 4, kLookFlat = 0x100 };
constexpr int kHelpButtonId = 372;
constexpr int kHolderLegendId = 1294;
// String id of the holder legend for a holder mode and household (0 = empty legend).
int HolderLegendId(int holderMode, bool hasOtherMembers);
QString HolderLegend(int holderMode, bool hasOtherMembers);
}  // namespace ui

// The state that the launcher sets on a dialog or page before its modal run.
struct OpeningState {
  QString caption;           // replaces the window title when not empty
  int occurrences = 0;       // of the box that opened it
  int index = -1;
  int shownMember = 1;       // member shown when it was opened
  int hasOtherMembers = 1;
  int holderMode = 0;        // selects the holder legend
  int extra = 0;
};

// What a data-entry dialog and a property page share: the control table built once into the
// window, control lookup by id, the data-entry font, the holder legend and the dispatch of the
// bound edits' notifications to the virtual handlers.
class CTemplateHost : public ui::IEditHost, public OpeningState {
 public:
  QWidget* GetDlgItem(int id) const { return ui::FindControl(window_, id); }
  template <class T>
  T* Item(int id) const { return dynamic_cast<T*>(GetDlgItem(id)); }
  CEditEx* Edit(int id) const;
  QString GetHolderLegend() const { return ui::HolderLegend(holderMode, hasOtherMembers != 0); }
  const QFont& DialogFont() const { return font_; }

  // Edit handlers, called with the control id.
  virtual int OnEditKillFocus(int id) { return 0; }
  virtual int OnEditValueCleared(int id) { return 0; }
  virtual int OnEditSetFocus(int id) { return 0; }
  virtual int OnEditChange(int id) { return 0; }
  virtual int OnSubDialogValue(int id) { return 0; }
  virtual int OnEditValueChanged(int id) { return 0; }

  bool IsDialogHost() const override { return true; }

 protected:
  CTemplateHost(QWidget* window, const ui::DialogTemplate& tmpl);
  // Builds the table the first time; false when it was built before.
  bool BuildOnce();
  // Makes the Custom rows of the template (lookup, holder and selection editors of other Parts).
  virtual QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) { return nullptr; }
  // Runs the handler of an edit notification; false for any other code.
  bool DispatchEditNotification(int id, int code, int& answer);
  const ui::DialogTemplate& Template() const { return tmpl_; }

 private:
  QWidget* window_;
  const ui::DialogTemplate& tmpl_;
  bool created_ = false;
  QFont font_;
};

class CTemplateDlg : public QDialog, public CTemplateHost {
  Q_OBJECT
 public:
  CTemplateDlg(const ui::DialogTemplate& tmpl, QWidget* parent = nullptr);
  ~CTemplateDlg() override;

  // Creates the controls (once) and initialises the dialog; DoModal and show() call it.
  void EnsureCreated();
  int DoModal();
  int LookFlags() const { return lookFlags_; }

  // A cleared value is accepted unless the dialog says otherwise; Enter in an edit.
  int OnEditValueCleared(int id) override { return 1; }
  virtual int OnEditEnter(int id) { return 0; }

  virtual void OnOK();
  virtual void OnCancel();
  // A button of the dialog's own (not OK or Cancel) was pressed.
  virtual bool OnButton(int id) { return false; }

  // IEditHost
  int OnCommand(int id, int code) override;
  void OnHostKeyDown(int key, Qt::KeyboardModifiers mods) override;
  void OnHostChar(int ch, Qt::KeyboardModifiers mods) override;

  static int LiveCount() { return liveCount_; }
  static bool SharedBrushExists() { return brushExists_; }

 protected:
  virtual void OnInitDialog();
  // Gives button `id` an icon resource at 32 x 32; flat only where asked and the display is not
  // the accessible one.
  void SetButtonIcon(int id, int iconId, bool flat = true);
  void accept() override { OnOK(); }
  void reject() override { OnCancel(); }
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  int lookFlags_ = ui::kLookOk | ui::kLookCancel | ui::kLookHelp | ui::kLookFlat;
  static int liveCount_;
  static bool brushExists_;
};

class CTemplatePropPg : public QWidget, public CTemplateHost {
  Q_OBJECT
 public:
  CTemplatePropPg(const ui::DialogTemplate& tmpl, QWidget* parent = nullptr);
  ~CTemplatePropPg() override;

  void EnsureCreated();

  // Moves every bound edit of `window` into (save) or out of its field in one call.
  static void UpdateChildControls(QWidget* window, bool save);
  // Makes every edit of `window` (id above 0 and not 2) editable (1) or disabled and read-only.
  static void SetChildEditsEnabled(QWidget* window, int enable);

  virtual void ShowHelp();
  virtual int ReservedHook(int id) { return 1; }  // never dispatched
  // The page became the active one of its sheet (the sheet hears of it through `activated`).
  virtual bool OnSetActive();
  // The sheet is about to leave the page (another page, OK); false keeps the page active.
  virtual bool OnKillActive() { return true; }
  // Wizard buttons on this page: -1 keeps the wizard where it is.
  virtual int OnWizardNext() { return 0; }
  virtual int OnWizardBack() { return 0; }
  // Finish on this page: false keeps the wizard open.
  virtual bool OnWizardFinish() { return true; }

  int OnCommand(int id, int code) override;
  void OnHostKeyDown(int key, Qt::KeyboardModifiers mods) override;
  void OnHostChar(int ch, Qt::KeyboardModifiers mods) override;

  static int LiveCount() { return liveCount_; }
  static bool SharedBrushExists() { return brushExists_; }

 signals:
  void activated();

 protected:
  virtual void OnInitDialog();
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  static int liveCount_;
  static bool brushExists_;
};

// The pale-yellow background of disabled bound edits (unless plain colours).
void ApplyEditLook(QWidget* window, const QFont& font);
