// The frame of every multi-page sequence: a sheet of CTemplatePropPg pages that runs either as a
// wizard (Back, Next, Finish, the title telling the step) or as a tabbed sheet (OK, Cancel). The
// program's owner-drawn buttons carry the standard buttons' ids, so subclasses handle a click in
// OnCommand by id, before letting the frame do its own handling. The frame adds no pages.
#pragma once

#include <QDialog>
#include <QString>

#include <map>
#include <vector>

#include "ui/edit_host.h"

class COwnerDrawButton;
class CTemplatePropPg;
class QHBoxLayout;
class QStackedWidget;
class QTabBar;

class CAsistente : public QDialog, public ui::IEditHost {
  Q_OBJECT
 public:
  // Header flags: either wizard flag gives wizard mode.
  static constexpr unsigned kPshWizard = 0x20;
  static constexpr unsigned kPshWizard97 = 0x2000;
  // The page-activated message of the pages (WM_USER + 5).
  static constexpr int kWmPageActivated = 1029;
  // Ids of the standard buttons, which the frame's buttons keep.
  static constexpr int kIdOk = 1, kIdCancel = 2, kIdHelp = 9;
  static constexpr int kIdApplyNow = 12321, kIdWizBack = 12323, kIdWizNext = 12324, kIdWizFinish = 12325;

  CAsistente(const QString& caption, QWidget* parent = nullptr, int startPage = 0);
  ~CAsistente() override;

  // Pages are shown in the order added; the sheet holds them as child widgets.
  void AddPage(CTemplatePropPg* page);
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CTemplatePropPg* GetPage(int index) const;
  int GetActiveIndex() const { return active_; }
  CTemplatePropPg* GetActivePage() const { return GetPage(active_); }
  // Leaves the active page (whose OnKillActive may refuse) and shows page `index`.
  bool SetActivePage(int index);

  unsigned& HeaderFlags() { return flags_; }
  bool IsWizardMode() const { return (flags_ & (kPshWizard | kPshWizard97)) != 0; }

  // Builds the window once (pages, buttons row, start page); DoModal and show() call it.
  void EnsureCreated();
  // The modal run: Finish (12325) or Cancel (2) in wizard mode, OK (1) or Cancel (2) as a sheet.
  int DoModal();

  bool ButtonsCreated() const { return buttonsCreated_; }
  // The frame's button with that id (null before the first page activation).
  COwnerDrawButton* FrameButton(int id) const;

  // A button of the frame or a notification of a page: subclasses handle their ids first and end
  // with this, which does the frame's own handling of the buttons.
  int OnCommand(int id, int code) override;
  bool IsDialogHost() const override { return true; }
  void OnHostKeyDown(int key, Qt::KeyboardModifiers mods) override;
  void OnHostChar(int ch, Qt::KeyboardModifiers mods) override;

  // A page became active (posted by the page): buttons and, in wizard mode, the step title.
  virtual int OnPageActivated(int wParam, int lParam);

 protected:
  virtual void OnInitDialog();
  virtual void CreateWizardButtons();
  virtual void CreateSheetButtons();

  void accept() override { OnCommand(IsWizardMode() ? kIdWizFinish : kIdOk, ui::kBnClicked); }
  void reject() override { OnCommand(kIdCancel, ui::kBnClicked); }
  void setVisible(bool visible) override;

 private:
  struct ButtonDef;
  void CreateButtons(const ButtonDef* defs, int count);
  void ShowButton(int id, bool shown);
  void ShowPage(int index);
  void RemoveSystemMenu();
  void PageDestroyed(QObject* page);

  QString caption_;
  int startPage_;
  unsigned flags_ = 0;
  bool created_ = false;
  bool buttonsCreated_ = false;
  int active_ = -1;
  std::vector<CTemplatePropPg*> pages_;  // a page deleted while the sheet lives leaves it
  QTabBar* tabs_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QHBoxLayout* buttonRow_ = nullptr;
  std::map<int, COwnerDrawButton*> buttons_;
};
