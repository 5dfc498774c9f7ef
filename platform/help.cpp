#ifdef QT_CORE_LIB
#include "platform/help.h"

#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QTextBrowser>

#include "platform/help_texts.h"
#include "platform/strings.h"

#include <algorithm>
#include <map>
#include <utility>

namespace platform {

namespace {
std::function<void(int)> g_hook;

// Rows of topics.tsv: by topic, by language letter, the title and the text.
using LanguageTexts = std::map<int, std::map<char, std::pair<QString, QString>>>;

const LanguageTexts& Languages() {
  static const LanguageTexts texts = [] {
    LanguageTexts t;
    QFile f(QStringLiteral(":/help/topics.tsv"));
    if (!f.open(QIODevice::ReadOnly)) return t;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
      QString line = lines[i];
      if (line.endsWith(u'\r')) line.chop(1);
      const QStringList cols = line.split(u'\t');
      bool ok = false;
      const int id = cols.value(0).toInt(&ok);
      if (!ok || cols.size() < 4 || cols[1].size() != 1) continue;
      t[id][static_cast<char>(cols[1][0].toLower().unicode())] = {UnescapeTsv(cols[2]), UnescapeTsv(cols[3])};
    }
    return t;
  }();
  return texts;
}

const std::pair<QString, QString>* LanguageRow(int id, char letter) {
  const auto topic = Languages().find(id);
  if (topic == Languages().end()) return nullptr;
  const auto row = topic->second.find(letter ? letter : Language());
  return row == topic->second.end() ? nullptr : &row->second;
}
}  // namespace

QString HelpTitle(int id, char letter) {
  const auto* own = LanguageRow(id, letter);
  if (own && !own->first.isEmpty()) return own->first;
  const HelpTopic* t = HelpIndex::Get().Find(id);
  return t ? t->title : QString();
}

QString HelpHtml(int id, char letter) {
  if (!HelpIndex::Get().Find(id)) return {};
  const auto* own = LanguageRow(id, letter);
  if (own && !own->second.isEmpty()) return own->second;
  if (const auto* castellano = LanguageRow(id, 'e'); castellano && !castellano->second.isEmpty())
    return castellano->second;
  const HelpTopic* t = HelpIndex::Get().Find(id);
  QFile f(QStringLiteral(":/help/") + t->file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

const HelpIndex& HelpIndex::Get() {
  static const HelpIndex index = [] {
    HelpIndex i;
    QFile f(QStringLiteral(":/help/index.tsv"));
    if (f.open(QIODevice::ReadOnly)) i.ParseTsv(QString::fromUtf8(f.readAll()));
    // The topics written inline join the index under their Castellano title.
    QString inline_ = QStringLiteral("id\ttitle\tfile\n");
    for (const auto& [id, languages] : Languages())
      if (const auto e = languages.find('e'); e != languages.end() && !i.Find(id))
        inline_ += QString::number(id) + u'\t' + e->second.first + u'\t' + u'\n';
    i.ParseTsv(inline_);
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
  if (this == &Get()) return HelpHtml(id);
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
  setWindowTitle(LoadString(kHelpCaption));
  auto* lay = new QHBoxLayout(this);
  index_ = new QListWidget(this);
  text_ = new QTextBrowser(this);
  // Titles wrap within the index rather than end cut off at its edge.
  index_->setWordWrap(true);
  index_->setTextElideMode(Qt::ElideNone);
  index_->setResizeMode(QListView::Adjust);
  index_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  index_->viewport()->installEventFilter(this);
  lay->addWidget(index_, 2);
  lay->addWidget(text_, 5);
  for (const HelpTopic& t : HelpIndex::Get().Topics()) {
    auto* item = new QListWidgetItem(HelpTitle(t.id), index_);
    item->setData(Qt::UserRole, t.id);
  }
  connect(index_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* it) { ShowTopic(it->data(Qt::UserRole).toInt()); });
  connect(index_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* it) { ShowTopic(it->data(Qt::UserRole).toInt()); });
  resize(900, 560);
}

// Each title's row is as high as its lines at the index's width.
void HelpViewer::FitTitles() {
  const int width = index_->viewport()->width();
  const QFontMetrics fm(index_->font());
  for (int r = 0; r < index_->count(); ++r) {
    QListWidgetItem* item = index_->item(r);
    const QRect need = fm.boundingRect(QRect(0, 0, std::max(width - 8, 40), 10000), Qt::TextWordWrap, item->text());
    item->setSizeHint(QSize(width, need.height() + 6));
  }
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == index_->viewport() && event->type() == QEvent::Resize) FitTitles();
  return QDialog::eventFilter(watched, event);
}

void HelpViewer::ShowTopic(int id) {
  id = ResolveHelpContext(id);
  current_ = id;
  // The window outlives a change of the interface language: caption and index follow it.
  setWindowTitle(LoadString(kHelpCaption));
  text_->setHtml(HelpHtml(id));
  for (int r = 0; r < index_->count(); ++r) {
    QListWidgetItem* item = index_->item(r);
    item->setText(HelpTitle(item->data(Qt::UserRole).toInt()));
    if (item->data(Qt::UserRole).toInt() == id) index_->setCurrentRow(r);
  }
  FitTitles();
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
