#ifdef QT_CORE_LIB
#include "platform/help.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QTextBrowser>

#include "platform/strings.h"

namespace platform {

namespace {
std::function<void(int)> g_hook;
}

const HelpIndex& HelpIndex::Get() {
  static const HelpIndex index = [] {
    HelpIndex i;
    QFile f(QStringLiteral(":/help/index.tsv"));
    if (f.open(QIODevice::ReadOnly)) i.ParseTsv(QString::fromUtf8(f.readAll()));
    return i;
  }();
  return index;
}

int HelpIndex::ParseTsv(const QString& content) {
  const QStringList lines = content.split(u'\n');
  for (qsizetype i = 1; i < lines.size(); ++i) {
    QString line = lines[i];
    if (line.endsWith(u'\r')) line.chop(1);
    const QStringList cols = line.split(u'\t');
    if (cols.size() < 3) continue;
    bool ok = false;
    const int id = cols[0].toInt(&ok);
    if (!ok) continue;
    topics_.push_back({id, UnescapeTsv(cols[1]), cols[2]});
  }
  return static_cast<int>(topics_.size());
}

const HelpTopic* HelpIndex::Find(int id) const {
  for (const HelpTopic& t : topics_)
    if (t.id == id) return &t;
  return nullptr;
}

QString HelpIndex::Html(int id) const {
  const HelpTopic* t = Find(id);
  if (!t) return {};
  QFile f(QStringLiteral(":/help/") + t->file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

int ResolveHelpContext(int context) {
  if (context <= 0 || context >= 1000) context = 1;
  if (!HelpIndex::Get().Find(context)) context = 1;
  return context;
}

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Ayuda"));
  auto* lay = new QHBoxLayout(this);
  index_ = new QListWidget(this);
  text_ = new QTextBrowser(this);
  lay->addWidget(index_, 1);
  lay->addWidget(text_, 3);
  for (const HelpTopic& t : HelpIndex::Get().Topics()) {
    auto* item = new QListWidgetItem(t.title, index_);
    item->setData(Qt::UserRole, t.id);
  }
  connect(index_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* it) { ShowTopic(it->data(Qt::UserRole).toInt()); });
  connect(index_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* it) { ShowTopic(it->data(Qt::UserRole).toInt()); });
  resize(720, 480);
}

void HelpViewer::ShowTopic(int id) {
  id = ResolveHelpContext(id);
  current_ = id;
  text_->setHtml(HelpIndex::Get().Html(id));
  for (int r = 0; r < index_->count(); ++r)
    if (index_->item(r)->data(Qt::UserRole).toInt() == id) index_->setCurrentRow(r);
}

HelpViewer* HelpViewer::Instance() {
  static QPointer<HelpViewer> viewer;
  if (!viewer) {
    viewer = new HelpViewer(nullptr);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
  }
  return viewer;
}

int ShowHelp(int context) {
  const int topic = ResolveHelpContext(context);
  if (g_hook) {
    g_hook(topic);
    return topic;
  }
  HelpViewer* v = HelpViewer::Instance();
  v->ShowTopic(topic);
  v->show();
  v->raise();
  return topic;
}

void SetHelpHook(std::function<void(int)> hook) { g_hook = std::move(hook); }

}  // namespace platform
#endif
