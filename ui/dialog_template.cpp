#include "ui/dialog_template.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <map>

#include "platform/strings.h"
#include "ui/box_edit.h"
#include "ui/date_edit.h"
#include "ui/double_edit.h"
#include "ui/edit_host.h"
#include "ui/launcher_edit.h"
#include "ui/lista_edit.h"
#include "ui/multiline_edit.h"
#include "ui/owner_draw_button.h"
#include "ui/text_edits.h"
#include "ui/titular_edit.h"

namespace ui {

QString ControlText(const ControlDef& def) {
  if (def.textId) return platform::LoadString(def.textId);
  return def.text ? QString::fromUtf8(def.text) : QString();
}

QWidget* CreateControl(const ControlDef& d, QWidget* parent) {
  const QString text = ControlText(d);
  QWidget* w = nullptr;
  switch (d.kind) {
    case Ctl::Static:
    case Ctl::Legend: {
      auto* l = new QLabel(text, parent);
      l->setTextFormat(Qt::PlainText);
      w = l;
      break;
    }
    case Ctl::GroupBox: w = new QGroupBox(text, parent); break;
    case Ctl::Button:
    case Ctl::Ok:
    case Ctl::Cancel:
    case Ctl::Help: w = new COwnerDrawButton(text, parent); break;
    case Ctl::CheckBox: w = new QCheckBox(text, parent); break;
    case Ctl::Edit: w = new CEditEx(d.width, parent); break;
    case Ctl::Alfa: w = new CAlfaEdit(d.width, parent); break;
    case Ctl::ANum: w = new CANumEdit(d.width, parent); break;
    case Ctl::Money: w = new CMoneda(d.width, d.decimals, parent); break;
    case Ctl::Double: w = new CDoubleEdit(d.width, d.decimals, parent); break;
    case Ctl::Date: w = new CDateEdit(d.width ? d.width : 8, parent); break;
    case Ctl::Integer: w = new CIntegerEdit(d.width, parent); break;
    case Ctl::Count: w = new CCountEdit(d.width, parent); break;
    case Ctl::YesNo: w = new CYesNoEdit(parent); break;
    case Ctl::Custom: return nullptr;
    case Ctl::Box: w = new CBoxEdit(1, parent); break;
    case Ctl::Radio: {
      auto* r = new QRadioButton(text, parent);
      // A logical group makes its buttons exclusive across group boxes too (BuildTemplate).
      if (d.radioGroup) r->setAutoExclusive(false);
      r->setProperty("qx_radio_group", d.radioGroup);
      r->setProperty("qx_code", d.code);
      w = r;
      break;
    }
    case Ctl::Combo: {
      auto* c = new QComboBox(parent);
      c->setEditable(d.width > 0);
      if (c->lineEdit()) {
        if (d.width > 0) c->lineEdit()->setMaxLength(d.width);
        QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c, [c] {
          if (IEditHost* h = FindEditHost(c)) h->OnCommand(ControlId(c), kEnChange);
        });
      }
      w = c;
      break;
    }
    case Ctl::ListBox: w = new QListWidget(parent); break;
    case Ctl::MultiLine: w = new CMultiLineEdit(d.width, parent); break;
    case Ctl::Lista: {
      auto* l = new CListaEdit(d.width, LookupConnection(), parent);
      if (d.table) l->SetLookupTable(d.table);
      w = l;
      break;
    }
    case Ctl::Titular: w = new CTitularEdit(0, parent); break;
    case Ctl::Launcher: w = new CDialogLauncherEdit(d.width, d.decimals, d.table ? d.table : "", parent); break;
  }
  SetControlId(w, d.id);
  ApplyOptions(w, d.options);
  FitToContents(w, d);
  return w;
}

namespace {
// Characters beyond which a caption wraps.
constexpr int kLongCaption = 60;

// Pixels of `chars` characters of the data-entry face (Arial, 13 pixels).
int CharsWidth(const QString& sample, int chars) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(13);
  return QFontMetrics(f).horizontalAdvance(sample.repeated(std::max(chars, 1))) + 10;
}
}  // namespace

void FitToContents(QWidget* w, const ControlDef& d) {
  const int square = 22;  // the companion button of lookup and launcher edits
  switch (d.kind) {
    case Ctl::Money:
    case Ctl::Double:
    case Ctl::Launcher: {
      // Digits with their thousands points, the decimal comma and decimals, and a sign.
      const int chars = d.width + (d.width - 1) / 3 + (d.decimals > 0 ? d.decimals + 1 : 0) + 1;
      w->setMinimumWidth(CharsWidth(QStringLiteral("0"), chars) + (d.kind == Ctl::Launcher ? square : 0));
      break;
    }
    case Ctl::Date: w->setMinimumWidth(CharsWidth(QStringLiteral("0"), 10)); break;
    case Ctl::Box:
    case Ctl::YesNo: w->setFixedWidth(CharsWidth(QStringLiteral("W"), d.kind == Ctl::Box ? 1 : 2)); break;
    case Ctl::Titular: w->setMinimumWidth(CharsWidth(QStringLiteral("D"), 10) + square); break;
    case Ctl::Lista: w->setMinimumWidth(CharsWidth(QStringLiteral("n"), std::min(d.width, 30)) + square); break;
    case Ctl::Edit:
    case Ctl::Alfa:
    case Ctl::ANum:
    case Ctl::Integer:
    case Ctl::Count: w->setMinimumWidth(CharsWidth(QStringLiteral("n"), std::min(d.width, 30))); break;
    case Ctl::Ok:
    case Ctl::Cancel:
    case Ctl::Help: w->setMinimumWidth(std::max(w->sizeHint().width() + 44, 104)); break;
    default: break;
  }
}

void ApplyOptions(QWidget* w, unsigned options) {
  if (auto* e = dynamic_cast<CEditEx*>(w)) {
    if (options & kOptNegatives) e->Box()->AdmitNega = 1;
    if (options & kOptNoApostrophe) e->SetAllowApostrophe(false);
    if (options & kOptMemberEditable) e->SetEditableInMemberView(true);
    if (options & kOptReadOnly) e->setReadOnly(true);
  } else if (auto* m = dynamic_cast<CMultiLineEdit*>(w)) {
    if (options & kOptReadOnly) m->setReadOnly(true);
  }
  if (options & kOptDisabled) w->setEnabled(false);
}

void BuildTemplate(QWidget* host, const DialogTemplate& t,
                   const std::function<QWidget*(const ControlDef&, QWidget*)>& custom) {
  if (t.captionId) host->setWindowTitle(platform::LoadString(t.captionId));
  else if (t.caption) host->setWindowTitle(QString::fromUtf8(t.caption));
  auto* grid = new QGridLayout(host);
  std::map<int, QGridLayout*> groups;
  // Group boxes first, so that their members can be placed whatever the order of the table. A
  // title too long for one line (a frame title cannot wrap) becomes a wrapped line at the top of
  // the frame, so that the window keeps within the smallest screen.
  for (const ControlDef& d : t.controls) {
    if (d.kind != Ctl::GroupBox) continue;
    auto* box = static_cast<QGroupBox*>(CreateControl(d, host));
    if (box->title().size() > kLongCaption) {
      auto* column = new QVBoxLayout(box);
      auto* title = new QLabel(box->title(), box);
      title->setTextFormat(Qt::PlainText);
      title->setWordWrap(true);
      box->setAccessibleName(box->title());
      box->setTitle(QString());
      column->addWidget(title);
      auto* members = new QGridLayout;
      column->addLayout(members);
      groups[d.id] = members;
    } else {
      groups[d.id] = new QGridLayout(box);
    }
  }
  for (const ControlDef& d : t.controls) {
    QWidget* w;
    if (d.kind == Ctl::GroupBox) {
      w = FindControl(host, d.id);
    } else {
      QWidget* parent = host;
      if (auto g = groups.find(d.group); g != groups.end()) parent = g->second->parentWidget();
      w = d.kind == Ctl::Custom ? (custom ? custom(d, parent) : nullptr) : CreateControl(d, parent);
      if (!w) continue;
      if (d.kind == Ctl::Custom) SetControlId(w, d.id);
    }
    QGridLayout* into = grid;
    if (d.kind != Ctl::GroupBox)
      if (auto g = groups.find(d.group); g != groups.end()) into = g->second;
    // Texts across several columns, and long ones, wrap rather than widen the window.
    if (auto* l = qobject_cast<QLabel*>(w)) {
      if (d.colSpan > 1 || l->text().size() > kLongCaption) l->setWordWrap(true);
      // A caption of several lines keeps them all when the layout is short of height.
      else if (!l->text().isEmpty()) l->setMinimumHeight(l->sizeHint().height());
    }
    into->addWidget(w, d.row, d.col, d.rowSpan, d.colSpan);
    if (d.hidden) w->hide();
    if (d.kind == Ctl::Radio && d.radioGroup) {
      // One logical group per radioGroup, whatever group box holds each button.
      const QString name = QStringLiteral("qx_radio_%1").arg(d.radioGroup);
      auto* group = host->findChild<QButtonGroup*>(name, Qt::FindDirectChildrenOnly);
      if (!group) {
        group = new QButtonGroup(host);
        group->setObjectName(name);
        group->setExclusive(true);
      }
      group->addButton(static_cast<QAbstractButton*>(w));
    }
  }
}

}  // namespace ui
