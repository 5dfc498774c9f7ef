#include "forms/print/trial_copy.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

#include "forms/print/declaration_print.h"
#include "forms/view/form_views.h"
#include "platform/cp1252.h"
#include "platform/strings.h"

namespace forms {

namespace {

constexpr int kStrTrialMark = 99300;   // "PRUEBA"
constexpr int kStrTrialLabel = 99301;  // "EJEMPLAR NO VALIDO PARA SU PRESENTACION"

// The page's screen width and height in the trial view's logical units: the screen width less a
// scroll bar's thumb, by 768.
constexpr double kLogicalWidth = 1024 - 16;
constexpr double kLogicalHeight = 768;

// Form 100 pages whose row areas go on over continuation sheets.
bool HasContinuationSheets(int kind, int pageCode) {
  if (kind != 2) return false;
  const int page = pageCode - 200;
  return page == 1 || (page >= 3 && page <= 8) || page == 10;
}

std::unique_ptr<CFormView> TrialPage(IPageHost& host, int kind, int pageCode) {
  std::unique_ptr<CFormView> view(CreatePageView(host, kind, pageCode));
  if (!view || !view->Create()) return nullptr;
  view->SetPrinting(true);
  return view;
}

}  // namespace

CTrialSpecialFields::CTrialSpecialFields(CPageBoxList* list) : list_(list) {
  const std::string text = platform::Utf8ToCp1252(platform::LoadString(kStrTrialLabel).toStdString());
  for (auto& label : labels_) {
    label.fill(' ');
    std::memcpy(label.data(), text.data(), std::min<std::size_t>(text.size(), 50));
    label.back() = '\0';
  }
  if (!list_) return;
  for (int i = 0; i < list_->GetSize(); ++i) {
    CBoxField* box = list_->GetAt(i);
    const std::string_view name = std::string_view(box->Identifica).substr(0, 10);
    void* data = box->data;
    if (name.starts_with("JUSTIFICAN") || name.starts_with("CODBARR")) data = nullptr;
    else if (name.starts_with("REFERENCIA")) data = labels_[0].data();
    else if (name.starts_with("EJEMPLAR")) data = labels_[5].data();
    else continue;
    kept_.emplace_back(i, box->data);
    box->data = data;
  }
}

CTrialSpecialFields::~CTrialSpecialFields() {
  for (auto [index, data] : kept_) {
    CBoxField* box = list_->GetAt(index);
    box->data = data;
    box->UpdateText();
  }
}

std::vector<TrialSheet> TrialSheets(IPageHost& host, int kind) {
  std::vector<TrialSheet> sheets;
  const int first = kind == 3 ? 301 : 201;
  const int last = kind == 3 ? 311 : 217;
  for (int code = first; code <= last; ++code) {
    sheets.push_back({code, 1});
    if (!HasContinuationSheets(kind, code)) continue;
    std::unique_ptr<CFormView> view = TrialPage(host, kind, code);
    CPageBoxList* list = view ? view->BoxList() : nullptr;
    if (!list) continue;
    for (int s = 2; list->SelectSheet(s, 1); ++s) sheets.push_back({code, s});
  }
  return sheets;
}

void DrawTrialWatermark(QPainter& painter, const QRect& area) {
  const double sx = area.width() / kLogicalWidth;
  const double sy = area.height() / kLogicalHeight;
  painter.save();
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(std::max(1, static_cast<int>(55 * sy)));
  font.setWeight(QFont::Normal);
  painter.setFont(font);
  painter.setPen(Qt::black);
  // The text's cell hangs from (50, 150) and runs downward, turned a quarter clockwise.
  painter.translate(area.left() + 50 * sx, area.top() + 150 * sy);
  painter.rotate(90);
  painter.drawText(QPointF(0, QFontMetricsF(font).ascent()), platform::LoadString(kStrTrialMark));
  painter.restore();
}

void DrawTrialSheet(IPageHost& host, int kind, const TrialSheet& sheet, QPainter& painter, const QRect& area) {
  if (std::unique_ptr<CFormView> view = TrialPage(host, kind, sheet.pageCode)) {
    CPageBoxList* list = view->BoxList();
    if (list && HasContinuationSheets(kind, sheet.pageCode)) list->SelectSheet(sheet.sheet, 1);
    CTrialSpecialFields special(list);
    DrawPageOnSheet(painter, *view, area);
  }
  DrawTrialWatermark(painter, area);
}

bool PrintTrialCopy(IPageHost& host, int kind, QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect area(0, 0, device.width(), device.height());
  bool first = true;
  for (const TrialSheet& s : TrialSheets(host, kind)) {
    if (!first) device.newPage();
    first = false;
    DrawTrialSheet(host, kind, s, painter, area);
  }
  return painter.end();
}

}  // namespace forms
