#include "wizards/datos_fiscales_incorporados_dlg.h"

#include <QAbstractButton>
#include <QDate>
#include <QHeaderView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableWidget>

#include <algorithm>
#include <charconv>
#include <cmath>

#include "blocks/form100.h"
#include "data/db/ado.h"
#include "data/store/store.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/messages.h"
#include "ui/session.h"

namespace {

using ui::Ctl;
using Dlg = CDatosFiscalesIncorporadosDlg;
constexpr int kStrTitle = 98940, kStrTitleNot = 98941, kStrConcept = 98946, kStrTotals = 98947, kStrDatum = 98948;
constexpr int kStrPageOf = 98949, kStrDocument = 98950;
constexpr int kMissingRow = 0;

const ui::ControlDef kControls[] = {
    {.id = Dlg::kIdList, .kind = Ctl::Custom, .row = 0, .col = 0, .colSpan = 4},
    {.id = Dlg::kIdIncorporated, .kind = Ctl::Radio, .textId = 98942, .row = 1, .col = 0},
    {.id = Dlg::kIdNotIncorporated, .kind = Ctl::Radio, .textId = 98943, .row = 1, .col = 1},
    {.id = Dlg::kIdPrint, .kind = Ctl::Button, .textId = 98944, .row = 1, .col = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 98945, .row = 2, .col = 2},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 2, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{.id = Dlg::kIdd, .captionId = kStrTitle, .controls = kControls};

// A stored length: the decimal text or number the import wrote; -1 when unreadable.
long StoredLength(db::CAdoRecordset& rs, const char* column) {
  const std::string text = rs.GetFieldText(column);
  long value = -1;
  const char* b = text.data();
  while (b < text.data() + text.size() && *b == ' ') ++b;
  const auto [end, ec] = std::from_chars(b, text.data() + text.size(), value);
  if (ec != std::errc() || value < 0) return -1;
  (void)end;
  return value;
}

// The listing of a column: no more bytes than the stored length names, nor than the row holds.
bool ReadListing(db::CAdoRecordset& rs, const char* sizeColumn, const char* column, std::string& out) {
  const long length = StoredLength(rs, sizeColumn);
  if (length < 0) return false;
  out.clear();
  if (length == 0) return true;
  std::vector<std::uint8_t> bytes;
  if (!rs.GetBlob(column, bytes)) return false;
  bytes.resize(std::min(bytes.size(), static_cast<std::size_t>(length)));
  out = fiscal_review::ListingText(std::vector<unsigned char>(bytes.begin(), bytes.end()));
  return true;
}

QFont PrintFont(const char* face, int value, double scale, bool bold) {
  QFont f(QString::fromLatin1(face));
  f.setPixelSize(std::max(1, static_cast<int>(value / scale)));
  f.setBold(bold);
  return f;
}

}  // namespace

// The print state: what the printout is at, the fonts and the page's rectangles (device units).
struct CDatosFiscalesIncorporadosDlg::PrintRun {
  int state = 1, column = 0, row = 0, firstField = 0, lastField = 0;
  int firstWidth = 0, width = 0;
  bool newLine = false;
  int w = 1, h = 1;
  int lines = 1;
  QRect header, body, footer;
  QFont title, page, value, smallValue, group, field;
};

Dlg::CDatosFiscalesIncorporadosDlg(QWidget* parent, db::CAdoConnection* declarations, std::string key)
    : CTemplateDlg(kTemplate, parent), declarations_(declarations), key_(std::move(key)) {}

Dlg::~CDatosFiscalesIncorporadosDlg() = default;

QWidget* Dlg::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  if (def.id != kIdList) return nullptr;
  auto* list = new QTableWidget(parent);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSelectionMode(QAbstractItemView::NoSelection);
  list->verticalHeader()->hide();
  list->setShowGrid(true);
  list->setMinimumSize(640, 320);
  return list;
}

QTableWidget* Dlg::List() const { return Item<QTableWidget>(kIdList); }

bool Dlg::Load() {
  if (loadTried_) return loaded_;
  loadTried_ = true;
  db::CAdoRecordset rs;
  const bool found = declarations_ && member > kMissingRow &&
                     rs.Open(kTable, declarations_,
                             db::Filter::Eq("CLAVE", store::PadKey(key_)) &&
                                 db::Filter::Eq("SUJETODECLA", static_cast<std::int64_t>(member)));
  loaded_ = found && ReadListing(rs, "TAMANOFICHEROSI", "FICHEROSI", incorporatedText_) &&
            ReadListing(rs, "TAMANOFICHERONO", "FICHERONO", notIncorporatedText_);
  if (rs.IsOpen()) rs.Close();
  if (!loaded_) {
    incorporatedText_.clear();
    notIncorporatedText_.clear();
    ui::ShowMessage(this, QStringLiteral("100R129"), platform::kIconHand);
  }
  return loaded_;
}

void Dlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  SetButtonIcon(kIdPrint, platform::kIconPrint, !ui::CurrentSession().plainColours);
  if (auto* b = Item<QAbstractButton>(kIdIncorporated))
    connect(b, &QAbstractButton::clicked, this, [this] { ShowListing(true); });
  if (auto* b = Item<QAbstractButton>(kIdNotIncorporated))
    connect(b, &QAbstractButton::clicked, this, [this] { ShowListing(false); });
  if (!Load()) QMetaObject::invokeMethod(this, [this] { done(ui::IDCANCEL); }, Qt::QueuedConnection);
  ShowListing(true);
}

QString Dlg::Title() const { return platform::LoadString(incorporated_ ? kStrTitle : kStrTitleNot); }

void Dlg::ShowListing(bool incorporated) {
  incorporated_ = incorporated;
  if (auto* b = Item<QAbstractButton>(incorporated ? kIdIncorporated : kIdNotIncorporated)) b->setChecked(true);
  setWindowTitle(Title());
  grid_ = fiscal_review::BuildGrid(incorporated ? incorporatedText_ : notIncorporatedText_);
  FillList();
}

void Dlg::FillList() {
  QTableWidget* list = List();
  if (!list) return;
  list->clear();
  list->setRowCount(0);
  list->setColumnCount(grid_.columnCount);
  QStringList heads;
  for (int c = 0; c < grid_.columnCount; ++c) {
    if (c == 0) heads << platform::LoadString(kStrConcept);
    else if (c == 1 && grid_.hasTotals) heads << platform::LoadString(kStrTotals);
    else heads << QStringLiteral("%1 %2 ").arg(platform::LoadString(kStrDatum)).arg(grid_.hasTotals ? c - 1 : c);
  }
  list->setHorizontalHeaderLabels(heads);
  for (int c = 0; c < grid_.columnCount; ++c)
    if (QTableWidgetItem* h = list->horizontalHeaderItem(c)) h->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  list->setRowCount(static_cast<int>(grid_.cells.size()));
  const bool plain = ui::CurrentSession().plainColours;
  for (int r = 0; r < list->rowCount(); ++r) {
    const bool group = std::find(grid_.groupRows.begin(), grid_.groupRows.end(), r) != grid_.groupRows.end();
    const bool field = std::find(grid_.fieldRows.begin(), grid_.fieldRows.end(), r) != grid_.fieldRows.end();
    for (int c = 0; c < grid_.columnCount; ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(grid_.cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
      if (!plain && group) {
        item->setForeground(QColor(255, 255, 255));
        item->setBackground(QColor(0, 0, 255));
      } else if (!plain && field) {
        item->setBackground(QColor(255, 255, 192));
      }
      list->setItem(r, c, item);
    }
  }
  list->resizeColumnsToContents();
  list->viewport()->update();
}

bool Dlg::OnButton(int id) {
  if (id != kIdPrint) return false;
  OnImprimir();
  return true;
}

QString Dlg::Cell(int row, int column) const {
  if (row < 0 || column < 0 || row >= static_cast<int>(grid_.cells.size()) || column >= grid_.columnCount) return {};
  return QString::fromStdString(grid_.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
}

bool Dlg::OnImprimir() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setFullPage(true);
  QPrintDialog dialog(&printer, this);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  if ((runModal ? runModal(dialog) : dialog.exec()) != QDialog::Accepted) return false;
  return Print(printer);
}

bool Dlg::Print(QPrinter& printer) {
  printed_.clear();
  PrintRun run;
  const int width = printer.width(), height = printer.height();
  if (width <= 0 || height <= 0 || grid_.printedLines <= 0) return false;
  printer.setDocName(platform::LoadString(kStrDocument));
  QPainter p;
  if (!p.begin(&printer)) return false;
  const QFontMetrics metrics(QFont(), p.device());
  const QString sample = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ").left(52);
  run.w = std::max(1, metrics.horizontalAdvance(sample) / 52);
  run.h = std::max(1, metrics.height());
  const double scale = (14031.0 / width) * 0.75;
  run.title = PrintFont("Arial Black", 150, scale, false);
  run.page = PrintFont("Times New Roman", 90, scale, true);
  run.value = PrintFont("Courier New", 100, scale, false);
  run.smallValue = PrintFont("Courier New", 85, scale, false);
  run.group = PrintFont("Courier New", 130, scale, true);
  run.field = PrintFont("Courier New", 100, scale, true);
  run.header = QRect(QPoint(0, 0), QPoint(width - 2 * run.w, run.h));
  run.body = QRect(QPoint(2 * run.w, height / 15), QPoint(width - 2 * run.w, height - height / 15));
  run.footer = QRect(QPoint(2 * run.w, height - run.h), QPoint(width - 2 * run.w, height));
  run.lines = std::max(1, run.body.height() / (2 * run.h));
  const int pages = (grid_.printedLines + run.lines - 1) / run.lines;
  p.setBackgroundMode(Qt::TransparentMode);
  bool ok = true;
  for (int page = 1; page <= pages && ok; ++page) {
    if (page > 1) ok = printer.newPage();
    if (!ok) break;
    PrintHeader(p, run);
    PrintBody(p, run);
    PrintFooter(p, run, page, pages);
  }
  p.end();
  return ok;
}

void Dlg::Draw(QPainter& p, int x, int y, const QString& text) {
  printed_ << text;
  p.drawText(x, y + QFontMetrics(p.font(), p.device()).ascent(), text);
}

void Dlg::PrintHeader(QPainter& p, PrintRun& run) {
  p.setFont(run.title);
  const QString date = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
  const QString title = Title() + QStringLiteral(" - NIF: ") + nif;
  printed_ << date << title;
  p.drawText(run.header, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, date);
  p.drawText(run.header, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, title);
}

void Dlg::PrintFooter(QPainter& p, PrintRun& run, int page, int pages) {
  p.setFont(run.page);
  const QString text = platform::LoadString(kStrPageOf).arg(page).arg(pages);
  printed_ << text;
  p.drawText(run.footer, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
}

void Dlg::PrintBody(QPainter& p, PrintRun& run) {
  p.setFont(run.value);
  p.drawRect(run.body);
  const double rowHeight = static_cast<double>(run.body.height()) / run.lines;
  for (int k = 1; k < run.lines; ++k) {
    const int y = run.body.top() + static_cast<int>(k * rowHeight);
    p.drawLine(run.body.left(), y, run.body.right(), y);
  }
  double y = run.body.top() + (2 * run.h / 3) - run.h / 6;
  int c = 1;
  for (int k = 0; k < run.lines && run.state != 5;) {
    if (run.state == 2 && c == 1) LayOutPrintColumns(run, run.body.width());
    const int x = c == 1 ? run.body.left() + run.w / 2
                         : run.body.left() + run.firstWidth + (c - 1) * run.width + run.w / 2;
    PrintCell(p, run, Cell(run.row, run.column).trimmed(), x, static_cast<int>(y));
    AdvancePrintCell(run);
    if (run.state == 5) break;
    if (run.newLine) {
      ++k;
      c = 1;
      y = std::trunc(y + rowHeight);
    } else {
      ++c;
    }
  }
}

void Dlg::LayOutPrintColumns(PrintRun& run, int width) const {
  int n = 0;
  while (Cell(run.row + n, 0).startsWith(u' ')) ++n;
  run.firstWidth = width * 2 / 33;
  // A group without field titles still gets a column to print in.
  run.width = (width - run.firstWidth) / std::max(1, n);
}

void Dlg::AdvancePrintCell(PrintRun& run) const {
  const int rows = static_cast<int>(grid_.cells.size());
  auto nextGroup = [&run, rows] {
    run.state = 1;
    ++run.row;
    run.column = 0;
    run.newLine = true;
    if (run.row >= rows) run.state = 5;
  };
  switch (run.state) {
    case 1:
      if (!Cell(run.row + 1, 0).startsWith(u' ')) {  // a group without field titles has nothing more
        nextGroup();
        return;
      }
      run.state = 2;
      run.firstField = ++run.row;
      run.newLine = true;
      return;
    case 2:
      if (Cell(run.row + 1, 0).startsWith(u' ')) {
        ++run.row;
        run.newLine = false;
        return;
      }
      run.state = 3;
      run.lastField = run.row;
      run.row = run.firstField;
      run.column += grid_.hasTotals ? 2 : 1;
      run.newLine = true;
      return;
    case 3:
      if (run.row < run.lastField) {
        ++run.row;
        run.newLine = false;
      } else if (!Cell(run.firstField, run.column + 1).isEmpty()) {
        ++run.column;
        run.row = run.firstField;
        run.newLine = true;
      } else if (grid_.hasTotals) {
        run.state = 4;
        run.column = 1;
        run.row = run.firstField;
        run.newLine = true;
      } else {
        nextGroup();
      }
      return;
    case 4:
      if (run.row < run.lastField) {
        ++run.row;
        run.newLine = false;
      } else {
        nextGroup();
      }
      return;
    default: run.state = 5;
  }
}

void Dlg::PrintCell(QPainter& p, PrintRun& run, const QString& text, int x, int y) {
  switch (run.state) {
    case 1:
      p.setFont(run.group);
      Draw(p, x, y, text);
      return;
    case 2:
    case 4:
      p.setFont(run.field);
      Draw(p, x, y, text);
      return;
    default:
      if (text.size() >= 18) {
        p.setFont(run.smallValue);
        Draw(p, x, y - run.h / 3, text.left(18));
        QString rest = text.mid(18);
        while (rest.endsWith(u' ')) rest.chop(1);
        Draw(p, x, y + run.w, rest);
      } else {
        p.setFont(run.value);
        Draw(p, x, y, text.size() <= 5 && !text.contains(u',') ? QStringLiteral("    ") + text : text);
      }
  }
}

namespace fiscal_review {

bool ShowIncorporatedFiscalData(db::CAdoConnection* declarations, const std::string& key, const std::uint8_t* block,
                                int shownMember, const std::function<int(QDialog&)>& runModal) {
  CDatosFiscalesIncorporadosDlg dlg(nullptr, declarations, key);
  dlg.member = shownMember - 1;
  if (block && shownMember >= 2 && shownMember <= 5)
    dlg.nif = QString::fromLatin1(f100::family::HolderNif(shownMember - 1).raw(block + f100::Family.offset)).trimmed();
  dlg.runModal = runModal;
  if (!dlg.Load()) return false;
  dlg.EnsureCreated();
  if (runModal) runModal(dlg);
  else dlg.DoModal();
  return true;
}

}  // namespace fiscal_review
