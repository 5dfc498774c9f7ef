#include "forms/pages/row_table_buttons.h"

#include <QScrollBar>

#include "data/doc/document.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/edit_ex.h"

namespace forms {

namespace {
constexpr int kGap = 22;
}  // namespace

CRowTableButtons::CRowTableButtons(CFormView& view, std::vector<Pair> pairs, AfterScroll after)
    : view_(view), after_(std::move(after)) {
  for (const Pair& p : pairs) made_.push_back({p, nullptr, nullptr, false, {}, {}});
}

bool CRowTableButtons::Create() {
  const QIcon nextIcon = platform::NamedBitmap("IDB_SIGU"), previousIcon = platform::NamedBitmap("IDB_PREVU");
  if (nextIcon.isNull() || previousIcon.isNull()) return false;
  for (Made& m : made_) {
    auto make = [&](const QIcon& icon, int tip, int direction) {
      auto* b = new QToolButton(view_.viewport());
      b->setIcon(icon);
      b->setIconSize(QSize(kSide - 4, kSide - 4));
      b->setToolTip(platform::LoadString(tip));
      b->setFixedSize(kSide, kSide);
      b->setFocusPolicy(Qt::NoFocus);
      const int table = m.pair.table;
      QObject::connect(b, &QToolButton::clicked, &view_, [this, table, direction] { Press(table, direction); });
      b->show();
      return b;
    };
    m.previous = make(previousIcon, kPreviousTip, 1);
    m.next = make(nextIcon, kNextTip, 0);
  }
  Reposition();
  Update();
  return true;
}

void CRowTableButtons::Update() {
  CPageBoxList* list = view_.BoxList();
  for (Made& m : made_) {
    if (m.next) m.next->setEnabled(list && list->OnRowTableEvent(m.pair.table, 0, -2, 0) != 0);
    if (m.previous) m.previous->setEnabled(list && list->OnRowTableEvent(m.pair.table, 1, -2, 0) != 0);
  }
}

void CRowTableButtons::Place(QPoint next, QPoint previous) {
  if (made_.empty()) return;
  made_.front().placed = true;
  made_.front().nextAt = next;
  made_.front().previousAt = previous;
  Reposition();
}

void CRowTableButtons::Reposition() {
  const QPoint scroll = view_.ScrollPosition();
  const doc::CProg32Doc* d = view_.GetDocument();
  const int left = d && d->Zoom() > 1.0 ? 5 : 0;
  for (Made& m : made_) {
    if (!m.previous || !m.next) continue;
    if (m.placed) {
      m.previous->move(m.previousAt - scroll);
      m.next->move(m.nextAt - scroll);
      continue;
    }
    if (m.pair.anchor == 0) {
      const double scale = view_.BoxScale();
      const int x = static_cast<int>(m.pair.dx * scale) - scroll.x();
      const int y = static_cast<int>(m.pair.dy * scale) - scroll.y();
      m.previous->move(x, y);
      m.next->move(x + kGap, y);
      continue;
    }
    const CBoxField* anchor = view_.GetBox(m.pair.anchor - 1);
    if (!anchor) continue;
    const QRect r = anchor->rect;
    const int x = r.right() + (r.bottom() - r.top()) + m.pair.dx - left - scroll.x();
    const int y = r.top() + m.pair.dy - scroll.y();
    m.previous->move(x, y);
    m.next->move(x + kGap, y);
  }
}

QToolButton* CRowTableButtons::Button(int table, int direction) const {
  for (const Made& m : made_)
    if (m.pair.table == table) return direction == 0 ? m.next.data() : m.previous.data();
  return nullptr;
}

void CRowTableButtons::Press(int table, int direction) {
  QToolButton* b = Button(table, direction);
  CPageBoxList* list = view_.BoxList();
  if (!b || !b->isEnabled() || !list) return;
  if (onPress) {
    onPress(table, direction);
    return;
  }
  CEditEx* editor = view_.Editor();
  if (editor && editor->IsModifiedEx()) {
    if (view_.CommitPendingEdit() != 1) return;
    if (doc::CProg32Doc* d = view_.GetDocument()) d->Model().WrittenAll();
  }
  list->OnRowTableEvent(table, direction, -1, 0);
  Update();
  view_.RepaintBoxes();
  if (editor) {
    editor->setFocus();
    const int position = editor->GetDlgCtrlID();
    const CBoxField* box = view_.GetBox(position - 1);
    if (box && box->SoloLectur && after_) after_(table, position);
  }
}

bool CRowTableButtons::HandleKey(int key) {
  if (key != Qt::Key_F3 && key != Qt::Key_F4) return false;
  const CEditEx* editor = view_.Editor();
  if (!editor) return false;
  const int position = editor->GetDlgCtrlID();
  for (const Made& m : made_)
    if (position >= m.pair.firstPosition && position <= m.pair.lastPosition) {
      Press(m.pair.table, key == Qt::Key_F4 ? 0 : 1);
      return true;
    }
  return false;
}

}  // namespace forms
