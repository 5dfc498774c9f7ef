// The launcher edit: shows the amount that an annex stands for, never takes typed text, and opens
// the annex dialog that its descriptor names (any key, a double click or its "..." button). The
// name is looked up in the launch table; the entry builds the dialog by name, copies the annex
// block in, runs it and copies the block back only on OK, after which the owner hears 0x402.
#pragma once

#include <QPointer>

#include <functional>
#include <string>

#include "ui/companion_button.h"
#include "ui/double_edit.h"

class CTemplateDlg;

namespace ui {
struct LaunchEntry;
// Results of a launch entry besides the dialog's own (1 OK, 2 Cancel).
constexpr int kLaunchNothing = -1;   // the entry opens nothing, silently
constexpr int kLaunchNotBuilt = -2;  // the dialog of the entry is not part of this program yet
// Runs the wizard of a launch entry of kind Wizard on the launcher's annex block, with the
// launcher's holder mode; the wizard's result. The wizards folder sets it at start-up.
using WizardOpener = std::function<int(const LaunchEntry& entry, int holderMode, void* annex)>;
void SetWizardOpener(WizardOpener opener);
}  // namespace ui

class CDialogLauncherEdit : public CDoubleEdit {
  Q_OBJECT
 public:
  // Box form: the box's sub-dialog name and title.
  explicit CDialogLauncherEdit(CBoxField* box, QWidget* parent = nullptr);
  // In-dialog form: "NAME[*n[*m]][;title]".
  CDialogLauncherEdit(int integerDigits, int decimals, const std::string& descriptor, QWidget* parent = nullptr);
  ~CDialogLauncherEdit() override;

  // Splits a name part: NAME, NAME*n or NAME*n*m; `n` and `m` keep their defaults when absent.
  static void ParseNamePart(const std::string& namePart, std::string& name, int& n, int& m);

  void CreateBrowseButton();
  // 1 when a message was shown instead of a dialog, 2 otherwise.
  int Launch();
  // The pre-check on a constructed dialog: opening state, and "100R025" in a member view.
  int PrepareDialog(CTemplateDlg& dlg, bool withOccurrences = true);

  const std::string& DialogName() const { return name_; }
  const std::string& Title() const { return title_; }
  int VariantIndex() const { return n_; }
  int HolderMode() const { return m_; }
  void SetHolderMode(int m) { m_ = m; }
  ui::CCompanionButton* Button() const { return button_; }

  // --- CEditEx ---
  void Paste() override {}
  int IsInputAllowed() const override { return 1; }
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
  bool HandleKey(int key, Qt::KeyboardModifiers mods) override;
  int StoreToData() override { return 1; }
  void LoadFromData(int mode) override;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  // Runs the entry of a dialog id: its result, kLaunchNothing or kLaunchNotBuilt.
  int RunEntry(const ui::LaunchEntry& entry);

 private:
  void InitDescriptor(const std::string& namePart, int defaultN);
  std::string name_;
  std::string title_;
  int n_ = 0;
  int m_ = 0;
  QPointer<ui::CCompanionButton> button_;
};

// The launcher of an amount box: stores its text as the amount editor does.
class CMoneyLauncherEdit : public CDialogLauncherEdit {
  Q_OBJECT
 public:
  explicit CMoneyLauncherEdit(CBoxField* box, QWidget* parent = nullptr) : CDialogLauncherEdit(box, parent) {}
  int StoreToData() override { return CDoubleEdit::StoreToData(); }
};
