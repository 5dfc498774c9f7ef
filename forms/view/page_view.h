// The page view: one form page on screen, its picture with its boxes over it, scrolled, zoomed,
// with tooltips and status-bar prompts, and one in-place editor that moves from box to box
// (click, Tab, Enter, arrows, jumps). The committed value of the box being left goes through the
// page's rules (OnBoxEdited); the form views and page classes override the hooks.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointer>

#include <memory>
#include <string>

#include "data/doc/document.h"
#include "forms/view/metafile.h"
#include "forms/view/printer_setup.h"
#include "ui/edit_ex.h"
#include "ui/edit_host.h"

class CBoxField;
class CEditEx;
class IMessageService;

namespace db {
class CAdoConnection;
}

namespace forms {

// Commands of the page view and its context menu.
enum ViewCommand : int {
  kCmdCopy = 57634, kCmdCut = 57635, kCmdPaste = 57637, kCmdUndo = 57643,
  kCmdCalculator = 2020, kCmdZoomIn = 2022, kCmdZoomOut = 2024, kCmdGoToPage = 2026,
  kCmdFirstPage = 2027, kCmdLastPage = 2028, kCmdNextPage = 2029, kCmdPreviousPage = 2030,
  kCmdGoToTypedPage = 2033, kCmdGoToPageMenu = 2044, kCmdSectionsBar = 134, kCmdHelp = 57669,
  kCmdPrint = 57607,
};

// Update hints sent through the document.
enum UpdateHint : int { kHintRepaintBoxes = 1, kHintZoom = 2, kHintRecalculate = 3, kHintNothing = 5 };

// Frame states of a box.
enum FrameState : int { kFrameNormal = 0, kFrameEdited = 1, kFrameHighlighted = 2 };

// What a page view asks of the program around it.
class IPageHost {
 public:
  virtual ~IPageHost() = default;
  virtual doc::CProg32Doc* PageDocument() = 0;
  virtual db::CAdoConnection* LocalDatabase() = 0;
  // The modules database for a lookup database name; the local one by default.
  virtual db::CAdoConnection* ModulesDatabase(const std::string& /*name*/) { return LocalDatabase(); }
  virtual char Language() const { return 'e'; }
  virtual bool Accessible() const { return false; }
  virtual IMessageService* Messages() { return nullptr; }
  // The open box's editor holds a change not stored yet (the save command applies to it).
  virtual void BoxEditorModified() {}
  // The zoom setting text new documents start from ("%1.2f").
  virtual void WriteZoomSetting(const std::string& /*text*/) {}
  // Pane 0 of the main frame's status bar.
  virtual void ShowPrompt(const QString& /*text*/) {}
  // Commands the view does not handle: they go to the document, the frame and the program.
  virtual void RouteCommand(int /*id*/) {}
  virtual bool CommandEnabled(int /*id*/) { return false; }
  // A plain message box with a string of the table (the loader's failures).
  virtual void ShowStringMessage(int /*stringId*/, bool /*stop*/) {}
  // The calculator without an editor; its result is not used.
  virtual void RunCalculator() {}
  // The text of a command in the menus (the context menu shows it); empty leaves the item out.
  virtual QString MenuText(int /*id*/) const { return {}; }
  // The screen's width in pixels (HORZRES).
  virtual int ScreenWidth() const;
  // Numbered field check `number` of the document's check object on `value`: 1 accepted.
  virtual int RunFieldCheck(int /*number*/, void* /*value*/) { return 1; }
  // Form 100: the personal and family data wizard from its page `startPage`; TRUE when accepted.
  virtual bool EditFamilyData(int /*startPage*/) { return false; }
  // The help topic a page answered in context-help mode.
  virtual void ShowHelpTopic(int /*topic*/) {}
  // The views of the host follow the declaration's changes (member shown, calculation); a print
  // draws its own views, which do not.
  virtual bool FollowsDeclaration() const { return true; }
};

// The bytes of the model's block that a box is bound to; the whole block for a box bound outside it.
doc::ByteRange BoxRange(const CBoxField& box, std::span<const std::uint8_t> block);

class CProg32View : public QAbstractScrollArea, public ui::IEditHost, private doc::IDeclarationListener {
  Q_OBJECT
 public:
  CProg32View(IPageHost& host, QWidget* parent = nullptr);
  ~CProg32View() override;

  // Set-up, CanCreatePage, InitPageControls and the frame title; FALSE: the page cannot be shown.
  bool Create();

  IPageHost& Host() const { return host_; }
  doc::CProg32Doc* GetDocument() const { return host_.PageDocument(); }

  // --- the view's virtual operations ---
  virtual void RepaintBoxes();
  virtual int GetPendingBoxFocus() { return 0; }
  virtual void RecalculateAndRefresh() {}
  virtual int OnBoxNotify(int id, int code);
  virtual void MoveToAdjacentBox(int forward);
  virtual bool ShowBoxPrompt(bool quiet);
  virtual int GetPageCode() const { return -1; }
  virtual int OnBoxKillFocus(int /*id*/) { return 1; }
  virtual int OnBoxSubDialogValue(int /*id*/) { return 0; }
  virtual int OnBoxValueCleared(int /*id*/) { return 0; }
  virtual int OnBoxUpdate(int /*id*/) { return 0; }
  virtual int OnBoxValueChanged(int /*id*/) { return 0; }
  virtual int OnBoxSetFocus(int /*id*/) { return 0; }
  virtual CBoxField* GetBox(int /*index*/) const { return nullptr; }
  virtual int GetBoxCount() const { return 0; }
  virtual void ReloadBoxCoordinates(double /*scale*/) {}
  virtual int OnBoxEdited(int /*id*/) { return 1; }
  virtual bool IsTextField(const std::string& /*name*/) const { return true; }
  virtual bool SetUpPage();
  virtual bool CanCreatePage() { return true; }
  virtual bool InitPageControls() { return true; }
  virtual void DrawPageOverlay(QPainter& /*painter*/, int /*x*/, int /*y*/) {}
  virtual void RepositionPageControls() {}
  virtual bool HandleNavigationKey(int key, Qt::KeyboardModifiers mods);
  // The name a page class is created by ("ORD001" ...); empty for the bases.
  virtual std::string GetPageClassName() const { return {}; }
  // The help context of a point of the page (viewport coordinates) in context-help mode; the
  // program's first topic for pages that answer none of their own.
  virtual int OnHelpHitTest(QPoint /*point*/) { return 1; }

  // Editing services.
  bool EditHotBox();
  void GoToBox(int index);
  int FindFirstEditableBox() const;
  int FindEditableFrom(int start, int direction) const;
  // Commits the open editor when its text changed: the page's result, 0 when nothing was pending.
  // The one way a box's value reaches the declaration: stored, put through the page's rules, and
  // announced to the model (which moves its revision) when the page accepted it.
  int CommitPendingEdit();
  void DrawBoxState(int state, int index);
  int HitTestBox(QPoint viewportPoint) const;
  int HitTestBoxNumber(QPoint viewportPoint) const;

  // Update hints: 1 repaint boxes, 2 re-layout after a zoom change, 3 recalculate and refresh.
  virtual void OnUpdate(int hint);
  // Commands of the view; FALSE when it does not handle `id`.
  bool OnViewCommand(int id);
  bool ViewCommandEnabled(int id) const;
  void ZoomIn() { StepZoom(+1); }
  void ZoomOut() { StepZoom(-1); }
  // Keeps the view unless the page wants the focus on one of its boxes (then goes there).
  bool CanDestroy();

  CEditEx* Editor() const { return editor_.data(); }
  int EditedBox() const { return edited_; }
  int HotBox() const { return hot_; }
  void SetHotBox(int index) { hot_ = index; }
  double BoxScale() const { return boxScale_; }
  QSize PageSize() const { return QSize(pageW_, pageH_); }
  QSize PageExtent() const { return extent_; }
  QPoint ScrollPosition() const;
  void ScrollTo(QPoint p);
  const QFont& BoxFont() const { return boxFont_; }
  const doc::PageDefinition& Definition() const { return definition_; }
  bool HasPicture() const { return !picture_.IsEmpty(); }
  const QString& FrameTitle() const { return frameTitle_; }
  // The tooltip text at a point of the viewport (the prompt of the box there).
  QString ToolTipAt(QPoint viewportPoint) const;
  // The view's printer set-up, taken when the page is first shown.
  const PrinterSetup& PrinterSettings() const { return printer_; }
  void InitPrinterSetup() { printer_ = DefaultPrinterSetup(); }

  // Renders the whole page as shown (picture and boxes) onto a painter at the view's size.
  void RenderPage(QPainter& painter, QPoint origin);

  // IEditHost
  bool IsDialogHost() const override { return false; }
  int OnCommand(int id, int code) override { return OnBoxNotify(id, code); }
  void OnHostKeyDown(int key, Qt::KeyboardModifiers mods) override;
  void OnHostChar(int ch, Qt::KeyboardModifiers mods) override;
  void ShowFloatingMenu(const QPoint& globalPos) override;

 signals:
  void titleChanged(const QString& title);

 protected:
  // The editor a box's type letter calls for.
  virtual CEditEx* NewBoxEditor(CBoxField& box);
  void CreateBoxEditor(int index);
  void EnsureEditorVisible();
  void RelayoutAfterZoom();
  void RecomputePageGeometry(double zoom);
  double Zoom() const;
  int AvailableWidth() const;
  void CreateBoxFont(double zoom);

  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  bool viewportEvent(QEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void StepZoom(int direction);
  void UpdateScrollBars();
  bool LeaveEditedBox();
  void AnnounceStored(int boxIndex);
  // doc::IDeclarationListener
  void OnDeclarationEvent(const doc::DeclarationEvent& event) override;

  IPageHost& host_;
  doc::DeclarationModel* followed_ = nullptr;
  doc::PageDefinition definition_;
  CMetaFile picture_;
  // The picture played once at the page's size for the screen: replaying its drawing and text
  // on every repaint took most of a repaint's time.
  QImage background_;
  QPainter::RenderHints backgroundHints_;
  QSize extent_{790, 1100};
  int pageW_ = 0, pageH_ = 0;
  double boxScale_ = 0.0;
  QFont boxFont_;
  QPointer<CEditEx> editor_;
  int edited_ = -1;
  int hot_ = -1;
  QString frameTitle_;
  PrinterSetup printer_;
  bool tooltipActive_ = true;
};

}  // namespace forms
