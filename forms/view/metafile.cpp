#include "forms/view/metafile.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "data/message_service.h"
#include "platform/cp1252.h"

namespace forms {

namespace {

// Past this many objects a picture is not one of ours; the table is not grown further.
constexpr std::size_t kMaxObjects = 4096;
constexpr int kMaxSavedStates = 64;

// What a page picture may ask of one play. The page pictures draw rules, frames and captions; a
// figure far beyond these is a damaged picture and would hold the page view for seconds on every
// repaint (a filled figure whose edges cross each other costs the square of its points).
constexpr std::size_t kMaxFigurePoints = 256;      // one polygon or polyline
constexpr std::size_t kMaxPicturePoints = 1 << 18;  // every figure of the picture together
constexpr std::size_t kMaxTextBytes = 512;          // one text
constexpr std::size_t kMaxPictureText = 1 << 18;    // every text of the picture together
constexpr std::size_t kMaxRecords = 1 << 18;        // records played

// Keeps one play within those bounds: what lies beyond them is left out, and the picture is
// then a damaged one.
class PlayBudget {
 public:
  // Whether `op` is played; a text beyond its bound is played cut (`*textBytes`).
  bool Admit(const wmf::Op& op, std::size_t* textBytes = nullptr) {
    if (++records_ > kMaxRecords) return Refuse();
    switch (op.fn) {
      case wmf::Fn::Polygon:
      case wmf::Fn::Polyline:
        if (op.points.size() > kMaxFigurePoints) return Refuse();
        points_ += op.points.size();
        if (points_ > kMaxPicturePoints) return Refuse();
        return true;
      case wmf::Fn::TextOut:
      case wmf::Fn::ExtTextOut: {
        std::size_t n = op.text.size();
        if (n > kMaxTextBytes) {
          damaged_ = true;
          n = kMaxTextBytes;
        }
        if (text_ + n > kMaxPictureText) return Refuse();
        text_ += n;
        if (textBytes) *textBytes = n;
        return true;
      }
      case wmf::Fn::SaveDC:
        if (++depth_ > kMaxSavedStates) return Refuse();
        return true;
      case wmf::Fn::RestoreDC:
        if (depth_ > 0) --depth_;
        return true;
      default: return true;
    }
  }
  bool Damaged() const { return damaged_; }

 private:
  bool Refuse() {
    damaged_ = true;
    return false;
  }
  std::size_t records_ = 0, points_ = 0, text_ = 0;
  int depth_ = 0;
  bool damaged_ = false;
};

QColor ColorOf(std::uint32_t ref) {
  return QColor(static_cast<int>(ref & 255), static_cast<int>(ref >> 8 & 255), static_cast<int>(ref >> 16 & 255));
}

// The Liberation face that stands for a named face: by name, else by the font's family bits.
QString LiberationFace(const wmf::Font& f) {
  const QString face = QString::fromStdString(platform::Cp1252ToUtf8(f.face)).trimmed().toLower();
  static const char* const kSerif[] = {"times new roman", "times", "ms serif", "roman", "serif", "tms rmn"};
  static const char* const kMono[] = {"courier new", "courier", "lucida console", "fixedsys", "mono", "terminal"};
  for (const char* s : kSerif)
    if (face == QLatin1String(s)) return QStringLiteral("Liberation Serif");
  for (const char* s : kMono)
    if (face == QLatin1String(s)) return QStringLiteral("Liberation Mono");
  if (face.isEmpty()) {
    const int family = f.pitchAndFamily & 0xF0;
    if (family == 0x10) return QStringLiteral("Liberation Serif");
    if (family == 0x30) return QStringLiteral("Liberation Mono");
  }
  return QStringLiteral("Liberation Sans");
}

struct Object {
  enum class Kind { Pen, Brush, Font } kind = Kind::Pen;
  wmf::Op op;
};

// What the records change as the picture plays.
struct State {
  const Object* pen = nullptr;
  const Object* brush = nullptr;
  const Object* font = nullptr;
  QPointF position;
  std::uint16_t textAlign = 0;
  QColor textColor = Qt::black;
  QColor bkColor = Qt::white;
  bool opaque = true;
  Qt::FillRule fill = Qt::OddEvenFill;
  wmf::Point origin{0, 0};
  wmf::Point extent{0, 0};
};

class Player {
 public:
  Player(QPainter& p, const wmf::Picture& picture, const QRect& target)
      : p_(p), picture_(picture), target_(target), base_(p.transform()) {
    objects_.resize(std::min<std::size_t>(picture.objects, kMaxObjects));
    if (picture.placeable) {
      state_.origin = {picture.placeable->left, picture.placeable->top};
      state_.extent = {static_cast<std::int16_t>(picture.placeable->right - picture.placeable->left),
                       static_cast<std::int16_t>(picture.placeable->bottom - picture.placeable->top)};
    } else {
      state_.extent = {790, 1100};
    }
  }

  void Run() {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    p_.setClipRect(target_, Qt::IntersectClip);
    Map();
    PlayBudget budget;
    for (const wmf::Op& op : picture_.ops) {
      std::size_t textBytes = 0;
      if (!budget.Admit(op, &textBytes)) continue;
      Do(op, textBytes);
    }
    p_.restore();
  }

 private:
  // The picture's window onto the target rectangle.
  void Map() {
    if (state_.extent.x == 0 || state_.extent.y == 0) return;
    sx_ = static_cast<double>(target_.width()) / state_.extent.x;
    sy_ = static_cast<double>(target_.height()) / state_.extent.y;
    QTransform m(sx_, 0, 0, sy_, target_.left() - state_.origin.x * sx_, target_.top() - state_.origin.y * sy_);
    p_.setTransform(m * base_);
  }

  static QPointF Pt(wmf::Point q) { return QPointF(q.x, q.y); }
  static QPolygonF Polygon(const wmf::Op& op) {
    QPolygonF poly;
    for (wmf::Point q : op.points) poly << Pt(q);
    return poly;
  }

  void Store(wmf::Op op, Object::Kind kind) {
    // The platform puts a new object into the lowest free slot.
    for (auto& slot : objects_)
      if (!slot) {
        slot = Object{kind, std::move(op)};
        return;
      }
    if (objects_.size() < kMaxObjects) objects_.push_back(Object{kind, std::move(op)});
  }

  const Object* At(std::int16_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= objects_.size() || !objects_[static_cast<std::size_t>(index)])
      return nullptr;
    return &*objects_[static_cast<std::size_t>(index)];
  }

  QPen Pen() const {
    if (!state_.pen) return QPen(Qt::black, 0);
    const wmf::Op& o = state_.pen->op;
    const std::uint16_t style = o.style & 0x0F;
    if (style == wmf::kPenNull) return Qt::NoPen;
    QPen pen(ColorOf(o.value));
    // Never thinner than one device pixel, as the platform draws a zero-width pen.
    const double device = o.width * std::min(std::abs(sx_), std::abs(sy_));
    if (device < 1.0) {
      pen.setCosmetic(true);
      pen.setWidthF(1.0);
    } else pen.setWidthF(o.width);
    pen.setStyle(style == wmf::kPenDash ? Qt::DashLine : style == wmf::kPenDot ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
  }

  QBrush Brush() const {
    if (!state_.brush) return QBrush(Qt::white);
    const wmf::Op& o = state_.brush->op;
    if (o.style != wmf::kBrushSolid) return Qt::NoBrush;
    return QBrush(ColorOf(o.value));
  }

  QFont Font() const {
    QFont font(QStringLiteral("Liberation Sans"));
    int size = 12;
    if (state_.font) {
      const wmf::Font& f = state_.font->op.font;
      font = QFont(LiberationFace(f));
      // A negative height is the character height; a positive one the cell, about 1.15 of it.
      size = f.height < 0 ? -f.height : f.height > 0 ? f.height * 87 / 100 : 12;
      font.setWeight(f.weight >= 600 ? QFont::Bold : QFont::Normal);
      font.setItalic(f.italic != 0);
      font.setUnderline(f.underline != 0);
    }
    // A glyph a few screens high is a damaged picture, not a page: keep the painting cheap.
    const double largest = std::min(1e6, 4000.0 / std::max(std::abs(sy_), 1e-9));
    font.setPixelSize(std::clamp(size, 1, std::max(1, static_cast<int>(largest))));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
  }

  void Text(QPointF at, const std::string& cp1252) {
    const QString text = QString::fromStdString(platform::Cp1252ToUtf8(cp1252));
    const QFont font = Font();
    const QFontMetricsF m(font);
    const double width = m.horizontalAdvance(text);
    const std::uint16_t h = state_.textAlign & wmf::kAlignHorizontalMask;
    const std::uint16_t v = state_.textAlign & wmf::kAlignVerticalMask;
    double x = at.x(), y = at.y();
    if (h == wmf::kAlignCenter) x -= width / 2;
    else if (h == wmf::kAlignRight) x -= width;
    if (v == wmf::kAlignTop) y += m.ascent();
    else if (v == wmf::kAlignBottom) y -= m.descent();
    if (state_.opaque) p_.fillRect(QRectF(x, y - m.ascent(), width, m.height()), state_.bkColor);
    p_.setFont(font);
    p_.setPen(state_.textColor);
    p_.drawText(QPointF(x, y), text);
  }

  void Do(const wmf::Op& op, std::size_t textBytes) {
    using wmf::Fn;
    switch (op.fn) {
      case Fn::Eof: break;
      case Fn::SaveDC:
        if (saved_.size() < kMaxSavedStates) saved_.push_back(state_);
        break;
      case Fn::RestoreDC: {
        // -n goes back n states; a positive index names one from the bottom.
        long n = op.index < 0 ? static_cast<long>(saved_.size()) + op.index : op.index - 1;
        if (n >= 0 && static_cast<std::size_t>(n) < saved_.size()) {
          state_ = saved_[static_cast<std::size_t>(n)];
          saved_.resize(static_cast<std::size_t>(n));
          Map();
        }
        break;
      }
      case Fn::SetBkMode: state_.opaque = op.value == wmf::kOpaque; break;
      case Fn::SetMapMode: break;  // the window always maps onto the target rectangle
      case Fn::SetPolyFillMode: state_.fill = op.value == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
      case Fn::SetTextAlign: state_.textAlign = static_cast<std::uint16_t>(op.value); break;
      case Fn::SetBkColor: state_.bkColor = ColorOf(op.value); break;
      case Fn::SetTextColor: state_.textColor = ColorOf(op.value); break;
      case Fn::SetWindowOrg: state_.origin = op.points[0]; Map(); break;
      case Fn::SetWindowExt: state_.extent = op.points[0]; Map(); break;
      case Fn::CreatePenIndirect: Store(op, Object::Kind::Pen); break;
      case Fn::CreateBrushIndirect: Store(op, Object::Kind::Brush); break;
      case Fn::CreateFontIndirect: Store(op, Object::Kind::Font); break;
      case Fn::SelectObject:
        if (const Object* o = At(op.index)) {
          if (o->kind == Object::Kind::Pen) state_.pen = o;
          else if (o->kind == Object::Kind::Brush) state_.brush = o;
          else state_.font = o;
        }
        break;
      case Fn::DeleteObject:
        if (const Object* o = At(op.index)) {
          if (state_.pen == o) state_.pen = nullptr;
          if (state_.brush == o) state_.brush = nullptr;
          if (state_.font == o) state_.font = nullptr;
          for (State& s : saved_) {
            if (s.pen == o) s.pen = nullptr;
            if (s.brush == o) s.brush = nullptr;
            if (s.font == o) s.font = nullptr;
          }
          objects_[static_cast<std::size_t>(op.index)].reset();
        }
        break;
      case Fn::MoveTo: state_.position = Pt(op.points[0]); break;
      case Fn::LineTo:
        p_.setPen(Pen());
        p_.drawLine(state_.position, Pt(op.points[0]));
        state_.position = Pt(op.points[0]);
        break;
      case Fn::Rectangle: {
        QRectF r(Pt(op.points[0]), Pt(op.points[1]));
        r = r.normalized();
        p_.setPen(Pen());
        p_.setBrush(Brush());
        p_.drawRect(r);
        break;
      }
      case Fn::Polyline:
        p_.setPen(Pen());
        p_.drawPolyline(Polygon(op));
        break;
      case Fn::Polygon:
        p_.setPen(Pen());
        p_.setBrush(Brush());
        p_.drawPolygon(Polygon(op), state_.fill);
        break;
      case Fn::TextOut:
      case Fn::ExtTextOut: Text(Pt(op.points[0]), op.text.substr(0, textBytes)); break;
    }
  }

  QPainter& p_;
  const wmf::Picture& picture_;
  QRect target_;
  QTransform base_;
  double sx_ = 1, sy_ = 1;
  std::deque<std::optional<Object>> objects_;  // a deque: selected objects stay where they are
  State state_;
  std::vector<State> saved_;
};

}  // namespace

bool CMetaFile::Load(const std::string& path, IMessageService* messages) {
  QFile file(QString::fromStdString(path));
  bool ok = file.open(QIODevice::ReadOnly);
  if (ok) {
    const QByteArray bytes = file.readAll();
    ok = Read({reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
  } else {
    error_ = wmf::ReadError::Short;
  }
  if (!ok && messages) messages->ShowMessage(kPictureMessage, MessageIcon::Warning, path);
  // Said once, when the page is read: every repaint draws what it can.
  if (ok && damaged_ && messages) messages->ShowMessage(kDamagedPictureMessage, MessageIcon::Warning, path);
  return ok;
}

bool CMetaFile::Read(std::span<const std::uint8_t> bytes) {
  auto picture = wmf::Decode(bytes, &error_);
  if (!picture) return false;
  header_ = picture->placeable.value_or(wmf::Placeable{});
  PlayBudget budget;
  for (const wmf::Op& op : picture->ops) budget.Admit(op);
  damaged_ = budget.Damaged();
  picture_ = std::move(picture);
  return true;
}

void CMetaFile::FitRect(QRect& rect, QSize size, int align) {
  wmf::Rect r{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
  wmf::FitRect(r, size.width(), size.height(), align);
  rect = QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool CMetaFile::Play(QPainter& painter, const QRect& rect, int align) const {
  if (!picture_) return false;
  QRect target = rect;
  if (header_.inch != 0) FitRect(target, GetSize(), align);
  if (target.width() <= 0 || target.height() <= 0) return true;
  Player(painter, *picture_, target).Run();
  return true;
}

QImage CMetaFile::Render(int width) const {
  const QSize size = GetSize();
  if (!picture_ || width <= 0 || size.width() <= 0) return {};
  const int height = static_cast<int>(static_cast<long long>(size.height()) * width / size.width());
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  Play(painter, QRect(0, 0, width, height), 0);
  return image;
}

QSize CMetaFile::GetSize() const {
  if (!picture_) return {0, 0};
  wmf::Size s = wmf::PictureSize(*picture_);
  return {s.w, s.h};
}

void CMetaFile::Clear() {
  picture_.reset();
  header_ = {};
  damaged_ = false;
}

}  // namespace forms
