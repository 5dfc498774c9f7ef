#include "app/sections_bar.h"

#include <QTreeWidgetItemIterator>

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPainter>
#include <QTabBar>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "app/app_texts.h"
#include "app/sections_index.h"
#include "app/seams.h"
#include "data/db/ado.h"
#include "platform/icons.h"
#include "ui/hover_icon_button.h"

namespace app {

namespace {
constexpr int kItemDataRole = Qt::UserRole + 1;
constexpr int kTitleThickness = 17;  // the gripper and buttons strip of a docked bar

QIcon TreeImage(int closed, int open) {
  QIcon icon = platform::ProgramImageIcon(platform::ProgramImageFile(platform::kBitmapTree, closed));
  icon.addFile(platform::ProgramImageFile(platform::kBitmapTree, open), QSize(), QIcon::Selected);
  return icon;
}

// The bar's own connection reports its errors to the user like the program's connections.
struct BarReporter : db::ErrorReporter {
  void Report(const db::DbError& error) override {
    ShowMessage(nullptr, {QString(), QString::fromStdString(error.Text()), kIconStop});
  }
};

QIcon BarImage(int index) { return platform::ProgramImages(platform::kBitmapBarButtons).value(index); }
}  // namespace

BarChildRects SectionsBarLayout(BarSide side, QSize size) {
  const int cx = size.width(), cy = size.height();
  switch (side) {
    case BarSide::Floating: return {QRect(5, 5, cx - 10, cy - 10), QRect(8, 8, cx - 17, cy - 36)};
    case BarSide::Top:
    case BarSide::Bottom: return {QRect(17, 3, cx - 25, cy - 17), QRect(20, 6, cx - 31, cy - 44)};
    case BarSide::Left:
    case BarSide::Right: return {QRect(3, 17, cx - 17, cy - 30), QRect(6, 20, cx - 24, cy - 56)};
  }
  return {};
}

int DockButtonImage(BarSide side) { return (side == BarSide::Left || side == BarSide::Right) ? 1 : 2; }

// The docked bar's strip: two raised gripper lines and the two small buttons.
class CBarraApartados::TitleBar : public QWidget {
 public:
  explicit TitleBar(CBarraApartados* bar) : QWidget(bar), bar_(bar) {}
  QSize sizeHint() const override { return {kTitleThickness, kTitleThickness}; }
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void resizeEvent(QResizeEvent*) override {
    const bool vertical = bar_->features() & QDockWidget::DockWidgetVerticalTitleBar;
    // Top or bottom: buttons at the top of a vertical strip; at a side: at the right end.
    if (vertical) {
      bar_->close_->setGeometry(2, 3, 12, 12);
      bar_->dock_->setGeometry(2, 17, 12, 12);
    } else {
      bar_->close_->setGeometry(width() - 17, 3, 12, 12);
      bar_->dock_->setGeometry(width() - 31, 3, 12, 12);
    }
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QColor light = palette().color(QPalette::Light), dark = palette().color(QPalette::Dark);
    const bool vertical = bar_->features() & QDockWidget::DockWidgetVerticalTitleBar;
    const bool buttons = bar_->close_->isVisible();
    for (int k = 0; k < 2; ++k) {
      QRect strip = vertical ? QRect(4 + 4 * k, buttons ? 33 : 4, 3, height() - (buttons ? 37 : 8))
                             : QRect(4, 6 + 4 * k, width() - (buttons ? 38 : 10), 3);
      p.setPen(light);
      p.drawLine(strip.topLeft(), vertical ? strip.bottomLeft() : strip.topRight());
      p.setPen(dark);
      p.drawLine(strip.bottomRight(), vertical ? strip.topRight() : strip.bottomLeft());
    }
  }

 private:
  CBarraApartados* bar_;
};

// The bar's client: places the tab control and the tree as the bar's side asks.
class CBarraApartados::Body : public QWidget {
 public:
  explicit Body(CBarraApartados* bar) : QWidget(bar), bar_(bar) {}

 protected:
  void resizeEvent(QResizeEvent*) override { bar_->LayoutChildren(); }

 private:
  CBarraApartados* bar_;
};

CBarraApartados::CBarraApartados(QWidget* parent, std::string localDbPath, std::function<bool()> declarationOpen,
                                 int dockedWidth, int dockedHeight)
    : QDockWidget(parent),
      localDbPath_(std::move(localDbPath)),
      declarationOpen_(std::move(declarationOpen)),
      dockedWidth_(dockedWidth),
      dockedHeight_(dockedHeight) {
  setObjectName(QStringLiteral("CBarraApartados"));
  setAllowedAreas(Qt::AllDockWidgetAreas);
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  setMinimumSize(kMinSize, kMinSize);

  title_ = new TitleBar(this);
  close_ = new CHoverIconButton(title_);
  dock_ = new CHoverIconButton(title_);
  for (CHoverIconButton* b : {close_, dock_}) {
    b->setFixedSize(12, 12);
    b->setFocusPolicy(Qt::NoFocus);
  }
  close_->setObjectName(QStringLiteral("close"));
  dock_->setObjectName(QStringLiteral("dockFloat"));
  close_->setProperty("ctrlId", kCloseButton);
  dock_->setProperty("ctrlId", kDockButton);
  close_->SetIcon(BarImage(0), 13, 13);
  connect(close_, &QPushButton::clicked, this, &QWidget::hide);
  connect(dock_, &QPushButton::clicked, this, [this] { setFloating(!isFloating()); });
  setTitleBarWidget(title_);

  body_ = new Body(this);
  tabs_ = new QTabBar(body_);
  tabs_->setShape(QTabBar::RoundedSouth);
  tabs_->setDrawBase(true);
  tabs_->setExpanding(false);
  tabs_->setProperty("ctrlId", kTabControl);
  QFont f = tabs_->font();
  f.setBold(false);
  tabs_->setFont(f);
  tree_ = new QTreeWidget(body_);
  tree_->setProperty("ctrlId", kTree);
  tree_->setHeaderHidden(true);
  // Long texts scroll sideways rather than being cut.
  tree_->header()->setStretchLastSection(false);
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tree_->setRootIsDecorated(true);
  tree_->setFrameShape(QFrame::StyledPanel);
  tree_->setFrameShadow(QFrame::Sunken);
  tree_->setIconSize(QSize(16, 16));
  tree_->setMouseTracking(true);
  tree_->viewport()->installEventFilter(this);
  tree_->installEventFilter(this);
  setWidget(body_);

  connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
    if (!filling_ && tab >= 0) OnTabChanged(tab);
  });
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { ChooseItem(item); });
  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    tree_->raise();
    if (item) emit prompt(item->text(0));
  });
  connect(this, &QDockWidget::topLevelChanged, this, &CBarraApartados::OnPlacementChanged);
  connect(this, &QDockWidget::dockLocationChanged, this, &CBarraApartados::OnPlacementChanged);
  RetranslateUi();
  OnPlacementChanged();
}

CBarraApartados::~CBarraApartados() = default;

void CBarraApartados::SetLanguage(char letter) {
  letter_ = letter;
  RetranslateUi();
}

void CBarraApartados::RetranslateUi() {
  setWindowTitle(Text(kStrBarTitle, letter_));
  tree_->setToolTip(Text(kStrTreeHint, letter_));
  tree_->setAccessibleName(Text(kStrTreeHint, letter_));
  close_->setToolTip(Text(kStrBarClose, letter_));
  dock_->setToolTip(Text(kStrBarDock, letter_));
}

BarSide CBarraApartados::Side() const {
  if (isFloating()) return BarSide::Floating;
  auto* frame = qobject_cast<QMainWindow*>(parentWidget());
  switch (frame ? frame->dockWidgetArea(const_cast<CBarraApartados*>(this)) : Qt::BottomDockWidgetArea) {
    case Qt::TopDockWidgetArea: return BarSide::Top;
    case Qt::LeftDockWidgetArea: return BarSide::Left;
    case Qt::RightDockWidgetArea: return BarSide::Right;
    default: return BarSide::Bottom;
  }
}

void CBarraApartados::SetDockedSize(int width, int height) {
  dockedWidth_ = std::max(width, kMinSize);
  dockedHeight_ = std::max(height, kMinSize);
}

void CBarraApartados::OnPlacementChanged() {
  const BarSide side = Side();
  const bool floating = side == BarSide::Floating;
  // Docked at the top or bottom the strip runs down the bar's left edge.
  QDockWidget::DockWidgetFeatures f = features();
  f.setFlag(QDockWidget::DockWidgetVerticalTitleBar, side == BarSide::Top || side == BarSide::Bottom);
  setFeatures(f);
  if (floating) {
    if (titleBarWidget() == title_) setTitleBarWidget(nullptr);
    title_->hide();
    close_->hide();
    dock_->hide();
    resize(kFloatWidth, kFloatHeight);
  } else {
    if (titleBarWidget() != title_) setTitleBarWidget(title_);
    title_->show();
    close_->show();
    dock_->show();
    dock_->SetIcon(BarImage(DockButtonImage(side)), 13, 13);
    auto* frame = qobject_cast<QMainWindow*>(parentWidget());
    if (frame && frame->dockWidgetArea(this) != Qt::NoDockWidgetArea) {
      if (side == BarSide::Top || side == BarSide::Bottom)
        frame->resizeDocks({this}, {dockedHeight_}, Qt::Vertical);
      else
        frame->resizeDocks({this}, {dockedWidth_}, Qt::Horizontal);
    }
  }
  LayoutChildren();
}

void CBarraApartados::resizeEvent(QResizeEvent* event) {
  QDockWidget::resizeEvent(event);
  // What the user drags becomes the docked size of that orientation.
  const BarSide side = Side();
  if (side == BarSide::Top || side == BarSide::Bottom) dockedHeight_ = std::max(height(), kMinSize);
  else if (side == BarSide::Left || side == BarSide::Right) dockedWidth_ = std::max(width(), kMinSize);
}

void CBarraApartados::LayoutChildren() {
  const BarSide side = Side();
  // The table is in bar coordinates; the body starts after the strip of a docked bar.
  QPoint origin(0, 0);
  if (side == BarSide::Top || side == BarSide::Bottom) origin = QPoint(kTitleThickness, 0);
  else if (side == BarSide::Left || side == BarSide::Right) origin = QPoint(0, kTitleThickness);
  const QSize barSize = body_->size() + QSize(origin.x(), origin.y());
  BarChildRects r = SectionsBarLayout(side, barSize);
  r.tab.translate(-origin);
  r.tree.translate(-origin);
  const int tabHeight = tabs_->sizeHint().height();
  tabs_->setGeometry(r.tab.left(), std::max(r.tab.top(), r.tab.bottom() - tabHeight + 1), r.tab.width(), tabHeight);
  const int treeBottom = std::min(r.tree.bottom(), tabs_->geometry().top() - 1);
  tree_->setGeometry(QRect(r.tree.topLeft(), QPoint(r.tree.right(), treeBottom)).normalized());
}

bool CBarraApartados::EnsureConnection() {
  if (!connection_) {
    static BarReporter reporter;
    connection_ = std::make_unique<db::CAdoConnection>("DatLocal");
    connection_->SetReporter(&reporter);
    if (!connection_->Open(localDbPath_, db::OpenMode::ReadOnly)) {
      ShowMessage(this, {QString(), Text(kStrNoConnection, letter_) + QString::fromStdString(localDbPath_), kIconStop});
      return false;
    }
  }
  return connection_->IsOpen();
}

void CBarraApartados::SetForm(int formPageCode) {
  form_ = formPageCode;
  filling_ = true;
  while (tabs_->count() > 0) tabs_->removeTab(0);
  tree_->clear();
  filling_ = false;
  // No form has no sections: the local database is not opened for it (start-up sets this).
  if (form_ == 0) {
    update();
    return;
  }
  FillTabs();
  FillTree(0);
  if (QTreeWidgetItem* first = tree_->topLevelItem(0)) first->setExpanded(true);
  update();
}

void CBarraApartados::OnTabChanged(int tab) {
  tree_->clear();
  FillTree(tab);
  if (QTreeWidgetItem* first = tree_->topLevelItem(0)) first->setExpanded(true);
}

void CBarraApartados::FillTabs() {
  if (!EnsureConnection()) return;
  if (declarationOpen_ && !declarationOpen_()) return;
  filling_ = true;
  for (const IndexRow& row : ReadIndexRows(*connection_, form_, letter_, -1))
    tabs_->addTab(QString::fromStdString(row.texto));
  tabs_->setCurrentIndex(tabs_->count() > 0 ? 0 : -1);
  filling_ = false;
}

void CBarraApartados::FillTree(int tab) {
  if (!EnsureConnection()) return;
  QTreeWidgetItem* last[7] = {};
  for (const IndexRow& row : ReadIndexRows(*connection_, form_, letter_, tab)) {
    const int parentKind = ParentKind(row.nivel);
    if (parentKind < 0) continue;
    QTreeWidgetItem* item = nullptr;
    if (parentKind == 0) {
      item = new QTreeWidgetItem(tree_);
      item->setIcon(0, TreeImage(0, 0));
    } else {
      if (!last[parentKind]) continue;  // no entry of the parent's kind yet
      item = new QTreeWidgetItem(last[parentKind]);
      item->setIcon(0, TreeImage(row.imagenCer, row.imagenAbi));
    }
    item->setText(0, QString::fromStdString(row.texto));
    item->setData(0, kItemDataRole, row.ItemData());
    if (IsBoldKind(row.nivel)) {
      QFont f = item->font(0);
      f.setBold(true);
      item->setFont(0, f);
    }
    last[row.nivel] = item;
  }
}

void CBarraApartados::ChooseItem(QTreeWidgetItem* item) {
  if (!item) return;
  emit prompt(item->text(0));
  const unsigned data = item->data(0, kItemDataRole).toUInt();
  if (data > 65535u) {
    const int page = static_cast<int>(data / 65536u), box = static_cast<int>(data % 65536u);
    QTimer::singleShot(0, this, [this, page, box] { emit goToBox(page, box); });
  }
  tree_->raise();
}

void CBarraApartados::FollowPage(int page) {
  if (form_ == 0 || page < 1 || !EnsureConnection()) return;
  if (QTreeWidgetItem* current = tree_->currentItem();
      current && static_cast<int>(current->data(0, kItemDataRole).toUInt() / 65536u) == page)
    return;  // the entry chosen already stands for the page
  for (int tab = 0; tab < tabs_->count(); ++tab) {
    bool found = false;
    for (const IndexRow& row : ReadIndexRows(*connection_, form_, letter_, tab))
      if (row.nivel > 0 && row.pagina == page) {
        found = true;
        break;
      }
    if (!found) continue;
    if (tabs_->currentIndex() != tab) tabs_->setCurrentIndex(tab);
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
      if (static_cast<int>((*it)->data(0, kItemDataRole).toUInt() / 65536u) != page) continue;
      for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent()) up->setExpanded(true);
      tree_->setCurrentItem(*it);
      tree_->scrollToItem(*it);
      return;
    }
    return;
  }
}

bool CBarraApartados::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tree_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
    ChooseItem(tree_->currentItem());
    return true;
  }
  if (watched == tree_->viewport() && event->type() == QEvent::MouseMove) {
    if (isFloating()) QToolTip::hideText();
    emit prompt(Text(kStrTreeHover, letter_));
  }
  return QDockWidget::eventFilter(watched, event);
}

}  // namespace app
