#include "forms/view/page_view.h"
#include "forms/view/module_editor_hook.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include <cmath>
#include <cstdio>

#include "blocks/numtext.h"
#include "data/doc/active_declaration.h"
#include "ui/box_edit.h"
#include "ui/box_field.h"
#include "ui/codigo_descripcion.h"
#include "ui/date_edit.h"
#include "ui/double_edit.h"
#include "ui/edit_ex.h"
#include "ui/launcher_edit.h"
#include "ui/lista_edit.h"
#include "ui/sel_str_edit.h"
#include "ui/sub_dialog_edit.h"
#include "ui/text_edits.h"
#include "ui/titular_edit.h"

namespace forms {

namespace {

constexpr double kZoomSteps[] = {1.0, 1.25, 1.5, 1.75, 2.0};
constexpr double kBoxPageWidth = 1004.0;

bool Editable(const CBoxField* b) { return b && b->SoloLectur == 0; }
bool Clickable(const CBoxField* b) { return Editable(b) && b->PintarEn != 2; }

}  // namespace

int IPageHost::ScreenWidth() const {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().width() : 1024;
}

CProg32View::CProg32View(IPageHost& host, QWidget* parent) : QAbstractScrollArea(parent), host_(host) {
  setObjectName(QStringLiteral("CProg32View"));
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

CProg32View::~CProg32View() {
  if (followed_) followed_->Unsubscribe(this);
  delete editor_.data();
}

doc::ByteRange BoxRange(const CBoxField& box, std::span<const std::uint8_t> block) {
  const auto* at = static_cast<const std::uint8_t*>(box.data);
  const doc::ByteRange all{0, block.size()};
  if (!at || block.empty() || at < block.data() || at >= block.data() + block.size()) return all;
  std::size_t width = 0;
  switch (box.TypeLetter()) {
    case 'F': case 'M': case 'R': width = 8; break;
    case 'C': case 'I': width = 4; break;
    case 'B': case 'T': width = 1; break;
    default: width = static_cast<std::size_t>(std::max(box.width, 1));
  }
  const std::size_t offset = static_cast<std::size_t>(at - block.data());
  const std::size_t length = std::min(width * static_cast<std::size_t>(std::max(box.occurrences, 1)), block.size() - offset);
  return {offset, length};
}

void CProg32View::OnDeclarationEvent(const doc::DeclarationEvent& event) {
  switch (event.kind) {
    // What the editor holds goes into the member it was typed for, under that member's figures.
    case doc::DeclarationChange::MemberChanging: RecalculateAndRefresh(); break;
    case doc::DeclarationChange::MemberChanged:
      RecalculateAndRefresh();
      RepaintBoxes();
      break;
    case doc::DeclarationChange::Recalculated: RepaintBoxes(); break;
    case doc::DeclarationChange::Closed: followed_ = nullptr; break;
    // The writer repaints what it wrote.
    case doc::DeclarationChange::ValuesChanged:
    case doc::DeclarationChange::ModifiedChanged: break;
  }
}

void CProg32View::AnnounceStored(int boxIndex) {
  doc::CProg32Doc* d = GetDocument();
  if (!d) return;
  const CBoxField* box = boxIndex >= 0 ? GetBox(boxIndex) : nullptr;
  d->Model().Written(box ? BoxRange(*box, d->Block()) : doc::ByteRange{0, d->Block().size()});
}

bool CProg32View::Create() {
  if (!SetUpPage() || !CanCreatePage() || !InitPageControls()) return false;
  if (doc::CProg32Doc* d = GetDocument(); d && host_.FollowsDeclaration() && !followed_) {
    followed_ = &d->Model();
    followed_->Subscribe(this);
  }
  frameTitle_ = QString::fromStdString(definition_.title);
  emit titleChanged(frameTitle_);
  InitPrinterSetup();
  return true;
}

double CProg32View::Zoom() const {
  const doc::CProg32Doc* d = GetDocument();
  return d ? d->Zoom() : 1.0;
}

int CProg32View::AvailableWidth() const {
  return host_.ScreenWidth() - style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

bool CProg32View::SetUpPage() {
  doc::CProg32Doc* d = GetDocument();
  picture_.Clear();
  background_ = QImage();
  if (d && d->ReadPageDefinition(GetPageCode(), definition_)) picture_.Load(definition_.picturePath, host_.Messages());
  // A page without a definition or whose picture failed keeps the page extent, so that it is
  // still laid out and its boxes get their places.
  if (!picture_.IsEmpty()) extent_ = picture_.GetSize();
  RecomputePageGeometry(Zoom());
  CreateBoxFont(Zoom());
  return true;
}

void CProg32View::CreateBoxFont(double zoom) {
  const double horzres = host_.ScreenWidth();
  const int height = static_cast<int>(14.0 * horzres / 1024.0 * zoom);
  const double r = static_cast<double>(extent_.height()) / extent_.width() * 0.7181818181818181;
  QFont f(QStringLiteral("Arial"));
  f.setBold(true);
  f.setPixelSize(std::max(1, static_cast<int>(height * r)));
  f.setStyleStrategy(QFont::PreferQuality);
  boxFont_ = f;
  setFont(f);
}

void CProg32View::RecomputePageGeometry(double zoom) {
  const QPoint old = ScrollPosition();
  const double oldScale = boxScale_;
  const int a = AvailableWidth();
  boxScale_ = a * zoom / kBoxPageWidth;
  pageW_ = static_cast<int>(std::floor(a * zoom));
  pageH_ = static_cast<int>(std::floor(extent_.height() * (static_cast<double>(a) / extent_.width() * zoom)));
  UpdateScrollBars();
  // The same spot of the page stays in view: the old position scaled by the change of zoom.
  if (zoom == 1.0 || oldScale <= 0.0) ScrollTo(QPoint(0, 0));
  else {
    const double ratio = boxScale_ / oldScale;
    ScrollTo(QPoint(static_cast<int>(old.x() * ratio), static_cast<int>(old.y() * ratio)));
  }
}

void CProg32View::UpdateScrollBars() {
  const QSize vp = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, pageW_ - vp.width()));
  verticalScrollBar()->setRange(0, std::max(0, pageH_ - vp.height()));
  horizontalScrollBar()->setPageStep(std::max(1, pageW_ / 5));
  verticalScrollBar()->setPageStep(std::max(1, pageH_ / 5));
  horizontalScrollBar()->setSingleStep(std::max(1, pageW_ / 20));
  verticalScrollBar()->setSingleStep(std::max(1, pageH_ / 20));
}

QPoint CProg32View::ScrollPosition() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CProg32View::ScrollTo(QPoint p) {
  horizontalScrollBar()->setValue(p.x());
  verticalScrollBar()->setValue(p.y());
}

void CProg32View::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateScrollBars();
}

void CProg32View::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

// ---------------------------------------------------------------- painting

void CProg32View::RenderPage(QPainter& painter, QPoint origin) {
  const QRect page(-origin, QSize(pageW_, pageH_));
  const QPaintDevice* device = painter.device();
  const int kind = device ? device->devType() : 0;
  // Only a raster of the screen's pixels, unscaled, takes the played copy; a printer or a scaled
  // page is drawn from the picture itself.
  const bool raster = (kind == QInternal::Widget || kind == QInternal::Image || kind == QInternal::Pixmap) &&
                      device->devicePixelRatioF() == 1.0 &&
                      painter.worldTransform().type() <= QTransform::TxTranslate && pageW_ > 0 && pageH_ > 0;
  if (raster && !picture_.IsEmpty()) {
    if (background_.size() != page.size() || backgroundHints_ != painter.renderHints()) {
      background_ = QImage(page.size(), QImage::Format_RGB32);
      background_.fill(Qt::white);
      backgroundHints_ = painter.renderHints();
      QPainter p(&background_);
      p.setRenderHints(backgroundHints_);
      picture_.Play(p, QRect(QPoint(0, 0), page.size()), 0);
    }
    painter.drawImage(page.topLeft(), background_);
  } else {
    painter.fillRect(page, Qt::white);
    if (!picture_.IsEmpty()) picture_.Play(painter, page, 0);
  }
  painter.setFont(boxFont_);
  DrawPageOverlay(painter, origin.x(), origin.y());
}

void CProg32View::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
  painter.setBackground(palette().color(QPalette::Base));
  RenderPage(painter, ScrollPosition());
}

void CProg32View::RepaintBoxes() {
  viewport()->update();
  if (editor_) editor_->LoadFromData(1);
}

void CProg32View::DrawBoxState(int, int index) {
  if (const CBoxField* b = GetBox(index)) viewport()->update(b->Area().translated(-ScrollPosition()).adjusted(-1, -1, 1, 1));
}

int CProg32View::HitTestBox(QPoint p) const {
  const QPoint page = p + ScrollPosition();
  for (int i = 0; i < GetBoxCount(); ++i)
    if (GetBox(i)->Area().contains(page)) return i;
  return -1;
}

int CProg32View::HitTestBoxNumber(QPoint p) const {
  const int i = HitTestBox(p);
  return i < 0 ? -1 : GetBox(i)->IndNumero;
}

QString CProg32View::ToolTipAt(QPoint p) const {
  const int n = HitTestBoxNumber(p);
  if (n < 1) return {};
  const CBoxField* b = GetBox(n - 1);
  return b ? QString::fromStdString(b->prompt).left(80) : QString();
}

bool CProg32View::viewportEvent(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    const QString text = tooltipActive_ ? ToolTipAt(help->pos()) : QString();
    if (text.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(help->globalPos(), text, viewport());
    return true;
  }
  // Context-help mode: the page answers the topic of the point clicked.
  if (e->type() == QEvent::QueryWhatsThis) {
    e->accept();
    return true;
  }
  if (e->type() == QEvent::WhatsThis) {
    const int topic = OnHelpHitTest(static_cast<QHelpEvent*>(e)->pos());
    if (topic > 0) host_.ShowHelpTopic(topic);
    return true;
  }
  return QAbstractScrollArea::viewportEvent(e);
}

// ---------------------------------------------------------------- hints and commands

void CProg32View::OnUpdate(int hint) {
  switch (hint) {
    case kHintRepaintBoxes: RepaintBoxes(); break;
    case kHintZoom: RelayoutAfterZoom(); break;
    case kHintRecalculate: RecalculateAndRefresh(); break;
    case kHintNothing: break;
    default: viewport()->update(); break;
  }
}

void CProg32View::StepZoom(int direction) {
  doc::CProg32Doc* d = GetDocument();
  if (!d) return;
  const double z = d->Zoom();
  int at = -1;
  for (int i = 0; i < 5; ++i)
    if (kZoomSteps[i] == z) at = i;
  const int next = at + direction;
  if (at < 0 || next < 0 || next > 4) return;
  d->CommitPendingBoxEdit();
  d->SetZoom(kZoomSteps[next]);
  host_.WriteZoomSetting(blocks::FormatFixed(kZoomSteps[next], 2));
  RelayoutAfterZoom();
}

void CProg32View::RelayoutAfterZoom() {
  const double z = Zoom();
  CreateBoxFont(z);
  RecomputePageGeometry(z);
  ReloadBoxCoordinates(boxScale_);
  if (editor_ && edited_ >= 0) {
    const QPoint o = ScrollPosition();
    editor_->CreateInView(viewport(), o.x(), o.y(), boxFont_);
  }
  host_.WriteZoomSetting(blocks::FormatFixed(z, 2));
  RepositionPageControls();
  EnsureEditorVisible();
  viewport()->update();
  if (editor_) editor_->LoadFromData(1);
}

bool CProg32View::ViewCommandEnabled(int id) const {
  const QLineEdit* focus = qobject_cast<const QLineEdit*>(QApplication::focusWidget());
  switch (id) {
    case kCmdZoomIn: return GetDocument() && Zoom() < 2.0;
    case kCmdZoomOut: return GetDocument() && Zoom() > 1.0;
    case kCmdCopy: case kCmdCut: return focus && focus->hasSelectedText();
    case kCmdPaste: {
      const QMimeData* m = QGuiApplication::clipboard()->mimeData();
      return focus && !focus->isReadOnly() && m && m->hasText();
    }
    case kCmdUndo: return focus && focus->isUndoAvailable();
    case kCmdCalculator: return true;
    default: return false;
  }
}

bool CProg32View::OnViewCommand(int id) {
  auto* focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  auto* edit = qobject_cast<CEditEx*>(focus);
  switch (id) {
    case kCmdZoomIn: ZoomIn(); return true;
    case kCmdZoomOut: ZoomOut(); return true;
    case kCmdCopy: if (focus) focus->copy(); return true;
    case kCmdCut:
      if (focus) focus->cut();
      if (edit) edit->SetModifiedEx(true);
      return true;
    case kCmdPaste:
      if (edit) {
        edit->Paste();
        edit->SetModifiedEx(true);
      } else if (focus) {
        focus->paste();
      }
      return true;
    case kCmdUndo:
      if (focus) focus->undo();
      if (edit) edit->SetModifiedEx(true);
      return true;
    case kCmdCalculator:
      if (editor_) editor_->OpenCalculator();
      else host_.RunCalculator();
      return true;
    default: return false;
  }
}

void CProg32View::contextMenuEvent(QContextMenuEvent* e) {
  ShowFloatingMenu(e->reason() == QContextMenuEvent::Keyboard ? viewport()->mapToGlobal(QPoint(5, 5)) : e->globalPos());
}

void CProg32View::ShowFloatingMenu(const QPoint& globalPos) {
  static constexpr int kItems[] = {kCmdUndo,         kCmdCut,        kCmdCopy,         kCmdPaste,    0,
                                   kCmdGoToPageMenu, kCmdFirstPage,  kCmdLastPage,     kCmdNextPage, kCmdPreviousPage, 0,
                                   kCmdZoomIn,       kCmdZoomOut,    0,                kCmdSectionsBar, kCmdCalculator, 0,
                                   kCmdHelp};
  QMenu menu(this);
  for (int id : kItems) {
    if (id == 0) {
      menu.addSeparator();
      continue;
    }
    const QString text = host_.MenuText(id);
    if (text.isEmpty()) continue;
    QAction* a = menu.addAction(text);
    a->setEnabled(ViewCommandEnabled(id) || host_.CommandEnabled(id));
    connect(a, &QAction::triggered, this, [this, id] {
      if (!OnViewCommand(id)) host_.RouteCommand(id);
    });
  }
  menu.exec(globalPos);
}

// ---------------------------------------------------------------- editing

namespace {
ModuleBoxEditorMaker& ModuleMaker() {
  static ModuleBoxEditorMaker maker;
  return maker;
}
}  // namespace

void SetModuleBoxEditorMaker(ModuleBoxEditorMaker maker) { ModuleMaker() = std::move(maker); }

namespace {
ModuleBoxEditorMaker& SelectionMaker() {
  static ModuleBoxEditorMaker maker;
  return maker;
}
}  // namespace

void SetSelectionBoxEditorMaker(ModuleBoxEditorMaker maker) { SelectionMaker() = std::move(maker); }

CEditEx* CProg32View::NewBoxEditor(CBoxField& box) {
  const bool subDialog = !box.NombreVent.empty() && box.option;
  // Lookups of a box that names a database read the modules database, else the local one.
  db::CAdoConnection* connection = box.Base.empty() ? host_.LocalDatabase() : host_.ModulesDatabase(box.Base);
  switch (box.TypeLetter()) {
    case 'A': return new CAlfaEdit(&box);
    case 'B': return subDialog ? static_cast<CEditEx*>(new CSubDialogEdit(&box)) : new CBoxEdit(&box);
    case 'C': return new CCountEdit(&box);
    case 'D': return new CDateEdit(&box);
    case 'E': return box.option ? static_cast<CEditEx*>(new CSelEpigraf(&box)) : new CEditEx(&box);
    case 'F': return subDialog ? static_cast<CEditEx*>(new CDialogLauncherEdit(&box)) : new CDoubleEdit(&box);
    case 'G': return new CCodigoDescripcion(&box, connection);
    case 'I': return new CIntegerEdit(&box);
    case 'L': return new CListaEdit(&box, connection);
    case 'Q': case 'Z': return new CANumEdit(&box);
    case 'R': return subDialog ? static_cast<CEditEx*>(new CMoneyLauncherEdit(&box)) : new CMoneda(&box);
    case 'T': return new CTitularEdit(&box);
    case 'M':
      if (ModuleMaker() && box.option)
        if (CEditEx* e = ModuleMaker()(box, connection)) return e;
      return new CDoubleEdit(&box);
    default:
      if (subDialog && box.decimals == -1) {
        db::CAdoConnection* base = box.Base.empty() ? nullptr : connection;
        if (SelectionMaker())
          if (CEditEx* e = SelectionMaker()(box, base)) return e;
        return new CSelStrEdit(&box, base);
      }
      return new CEditEx(&box);
  }
}

void CProg32View::CreateBoxEditor(int index) {
  CBoxField* box = GetBox(index);
  CEditEx* e = NewBoxEditor(*box);
  editor_ = e;
  e->SetModifiedListener([this] { host_.BoxEditorModified(); });
  const QPoint o = ScrollPosition();
  e->CreateInView(viewport(), o.x(), o.y(), boxFont_);
  if (auto* launcher = dynamic_cast<CDialogLauncherEdit*>(e)) launcher->CreateBrowseButton();
  // A list box shows its drop button and reads its table's catalogue row.
  if (box->TypeLetter() == 'L')
    if (auto* list = dynamic_cast<CListaEdit*>(e)) list->SetupControl();
  e->setFocus(Qt::OtherFocusReason);
}

bool CProg32View::LeaveEditedBox() {
  const int p = edited_;
  if (editor_->IsModifiedEx() && CommitPendingEdit() != 1) return false;
  editor_->hide();
  DrawBoxState(kFrameNormal, p);
  DrawBoxState(kFrameEdited, p);
  return true;
}

int CProg32View::CommitPendingEdit() {
  if (!editor_ || !editor_->IsModifiedEx()) return 0;
  editor_->StoreToData();
  doc::overflow_warning::Arm();
  const int r = OnBoxEdited(editor_->GetDlgCtrlID());
  if (r == 1) {
    AnnounceStored(edited_);
    RepaintBoxes();
    editor_->SetModifiedEx(false);
  }
  return r;
}

bool CProg32View::EditHotBox() {
  const int n = GetBoxCount();
  int start;
  if (hot_ < 0) {
    if (editor_) return false;
    start = 0;
  } else {
    if (!editor_) return false;
    if (!LeaveEditedBox()) return false;
    start = hot_;
  }
  if (n == 0) return true;
  int found = -1;
  for (int i = start;;) {
    if (Editable(GetBox(i))) {
      found = i;
      break;
    }
    if (++i == n) {
      if (!editor_) break;
      i = 0;
    }
    if (i == start) {
      delete editor_.data();
      edited_ = -1;
      viewport()->update();
      return true;
    }
  }
  if (found < 0) return true;
  if (CEditEx* old = editor_.data()) {
    editor_ = nullptr;
    old->hide();
    old->deleteLater();
  }
  edited_ = found;
  CreateBoxEditor(found);
  editor_->LoadFromData(1);
  DrawBoxState(kFrameHighlighted, found);
  CBoxField* box = GetBox(found);
  if (box->StrValidac.rfind("Z5", 0) == 0 && editor_->text().size() == 2) editor_->setCursorPosition(2);
  EnsureEditorVisible();
  ShowBoxPrompt(false);
  return true;
}

void CProg32View::EnsureEditorVisible() {
  if (!editor_) return;
  const QPoint o = ScrollPosition();
  const QRect r = editor_->geometry().translated(o);
  const QSize vp = viewport()->size();
  int x = o.x(), y = o.y();
  if (r.right() > o.x() + vp.width() || r.left() < o.x()) x = r.left();
  if (r.bottom() > o.y() + vp.height() || r.top() < o.y()) y = r.top();
  if (x == o.x() && y == o.y()) return;
  ScrollTo(QPoint(x, y));
  viewport()->update();
}

void CProg32View::GoToBox(int index) {
  if (index < 0 || index >= GetBoxCount()) return;
  hot_ = index;
  const QRect r = GetBox(index)->Area();
  const QPoint o = ScrollPosition();
  const QSize vp = viewport()->size();
  int x = o.x();
  if (r.right() - 1 > o.x() + vp.width() || r.left() + 1 < o.x()) x = r.left() + 1;
  if (r.bottom() - 1 > o.y() + vp.height() || r.top() + 1 < o.y()) ScrollTo(QPoint(x, r.top() + 1));
  else if (x != o.x()) ScrollTo(QPoint(x, o.y()));
  viewport()->update();
  RepositionPageControls();
  // The click is posted: the editor follows once the queue has run, on the box that is hot then.
  // A dialog opened over the page before that (a box's launcher, a message) has taken the input:
  // replacing the editor under it would destroy the control that runs the dialog, so the click
  // is dropped.
  const QPointer<QWidget> modalAtPost = QApplication::activeModalWidget();
  QMetaObject::invokeMethod(
      this,
      [this, modalAtPost] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != modalAtPost.data() && !modal->isAncestorOf(this)) return;
        if (Clickable(GetBox(hot_))) EditHotBox();
      },
      Qt::QueuedConnection);
}

int CProg32View::FindFirstEditableBox() const {
  for (int i = 0; i < GetBoxCount(); ++i)
    if (Editable(GetBox(i))) return i;
  return -1;
}

int CProg32View::FindEditableFrom(int start, int direction) const {
  const int n = GetBoxCount();
  if (start < 0 || start >= n) return -1;
  if (Editable(GetBox(start))) return start;
  for (int i = start;;) {
    i = direction < 1 ? (i == 0 ? n - 1 : i - 1) : (i + 1 == n ? 0 : i + 1);
    if (i == start) return -1;
    if (Editable(GetBox(i))) return i;
  }
}

void CProg32View::MoveToAdjacentBox(int forward) {
  if (FindFirstEditableBox() == -1) return;
  const int n = GetBoxCount();
  int d = edited_ >= 0 ? edited_ : 0;
  const int step = forward == 1 ? 1 : -1;
  for (;;) {
    d += step;
    if (d < 0) d = n - 1;
    if (d == n) d = 0;
    if (d == edited_) break;
    if (Editable(GetBox(d))) {
      const int previous = hot_;
      hot_ = d;
      EditHotBox();
      hot_ = previous;
      return;
    }
    if (edited_ < 0 && d == 0) return;
  }
  // No other editable box: the value is committed and the editor stays.
  // A value the page refused is kept as typed all the same: the editor stays on it.
  if (editor_ && editor_->IsModifiedEx() && CommitPendingEdit() != 1 && editor_) {
    AnnounceStored(edited_);
    editor_->SetModifiedEx(false);
    RepaintBoxes();
  }
}

bool CProg32View::ShowBoxPrompt(bool quiet) {
  if (quiet || !editor_ || edited_ < 0) return false;
  host_.ShowPrompt(QString::fromStdString(GetBox(edited_)->prompt));
  return true;
}

int CProg32View::OnBoxNotify(int id, int code) {
  int r = 0;
  switch (code) {
    case ui::kEnSetFocus:
      ShowBoxPrompt(false);
      return OnBoxSetFocus(id);
    case ui::kEnKillFocus: return OnBoxKillFocus(id);
    case 0x400: return OnBoxUpdate(id);
    case ui::kNotifyValueCleared: r = OnBoxValueCleared(id); break;
    case ui::kNotifySubDialogValue: r = OnBoxSubDialogValue(id); break;
    case ui::kNotifyValueStored: r = OnBoxValueChanged(id); break;
    default: return 0;
  }
  if (r == 1) RepaintBoxes();
  // The recalculation after a dialog may have made the box's editor anew: the keys go back to it.
  if (code == ui::kNotifySubDialogValue && editor_ && editor_->isVisible()) editor_->setFocus(Qt::OtherFocusReason);
  return r;
}

bool CProg32View::HandleNavigationKey(int key, Qt::KeyboardModifiers) {
  switch (key) {
    case Qt::Key_PageUp: verticalScrollBar()->setValue(verticalScrollBar()->value() - pageH_ / 5); return true;
    case Qt::Key_PageDown: verticalScrollBar()->setValue(verticalScrollBar()->value() + pageH_ / 5); return true;
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_Insert: return true;
    case Qt::Key_Up: MoveToAdjacentBox(0); return true;
    case Qt::Key_Down: MoveToAdjacentBox(1); return true;
    default: return false;
  }
}

void CProg32View::OnHostKeyDown(int key, Qt::KeyboardModifiers mods) { HandleNavigationKey(key, mods); }

void CProg32View::OnHostChar(int ch, Qt::KeyboardModifiers mods) {
  if (ch == '\t') MoveToAdjacentBox((mods & Qt::ShiftModifier) ? 0 : 1);
  else if (ch == '\r') MoveToAdjacentBox(1);
}

void CProg32View::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
    OnHostChar('\t', e->key() == Qt::Key_Backtab ? (e->modifiers() | Qt::ShiftModifier) : e->modifiers());
    return;
  }
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    OnHostChar('\r', e->modifiers());
    return;
  }
  if (!HandleNavigationKey(e->key(), e->modifiers())) QAbstractScrollArea::keyPressEvent(e);
}

bool CProg32View::focusNextPrevChild(bool) { return false; }

void CProg32View::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  if (editor_) editor_->setFocus();
  else EditHotBox();
  ShowBoxPrompt(false);
}

void CProg32View::mouseMoveEvent(QMouseEvent* e) {
  const int n = HitTestBox(e->position().toPoint());
  if (n != hot_) {
    if (hot_ >= 0 && hot_ != edited_) DrawBoxState(kFrameNormal, hot_);
    hot_ = n;
    if (n >= 0) DrawBoxState(Editable(GetBox(n)) ? kFrameHighlighted : kFrameNormal, n);
    tooltipActive_ = true;
    // The I-beam over a box that can be typed in.
    viewport()->setCursor(Clickable(GetBox(n)) ? Qt::IBeamCursor : Qt::ArrowCursor);
  } else if (hot_ == -1) {
    tooltipActive_ = false;
  }
}

void CProg32View::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  hot_ = HitTestBox(e->position().toPoint());
  if (Clickable(GetBox(hot_))) EditHotBox();
}

bool CProg32View::CanDestroy() {
  // A page without an editor (no editable box) can always go: keeping it would lock the page
  // navigation on it.
  if (!editor_) return true;
  const int n = GetPendingBoxFocus();
  if (n < 1) return true;
  GoToBox(n - 1);
  return false;
}

}  // namespace forms
