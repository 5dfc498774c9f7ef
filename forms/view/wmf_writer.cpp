#include "forms/view/wmf_writer.h"

#include <algorithm>

namespace wmf {

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 255));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}

namespace {
void PutPoint(std::vector<std::uint8_t>& out, Point p) {  // y first, as the records store it
  Put16(out, static_cast<std::uint16_t>(p.y));
  Put16(out, static_cast<std::uint16_t>(p.x));
}
}  // namespace

Writer::Writer(Placeable bounds) : bounds_(bounds) {}

void Writer::Record(Fn fn, const std::vector<std::uint8_t>& params) {
  std::vector<std::uint8_t> p = params;
  if (p.size() % 2) p.push_back(0);
  const auto words = static_cast<std::uint32_t>((record::kHeaderSize + p.size()) / 2);
  Put32(records_, words);
  Put16(records_, static_cast<std::uint16_t>(fn));
  records_.insert(records_.end(), p.begin(), p.end());
  maxRecordWords_ = std::max(maxRecordWords_, words);
}

int Writer::Allocate() {
  auto free = std::find(slots_.begin(), slots_.end(), false);
  if (free != slots_.end()) {
    *free = true;
    return static_cast<int>(free - slots_.begin());
  }
  slots_.push_back(true);
  return static_cast<int>(slots_.size() - 1);
}

void Writer::SetWindow(Point origin, Point extent) {
  std::vector<std::uint8_t> p;
  PutPoint(p, origin);
  Record(Fn::SetWindowOrg, p);
  p.clear();
  PutPoint(p, extent);
  Record(Fn::SetWindowExt, p);
}

void Writer::Word(Fn fn, std::uint16_t value) {
  std::vector<std::uint8_t> p;
  Put16(p, value);
  Record(fn, p);
}

void Writer::SetBkMode(std::uint16_t mode) { Word(Fn::SetBkMode, mode); }
void Writer::SetTextAlign(std::uint16_t flags) { Word(Fn::SetTextAlign, flags); }

void Writer::SetTextColor(std::uint32_t color) {
  std::vector<std::uint8_t> p;
  Put32(p, color);
  Record(Fn::SetTextColor, p);
}

int Writer::CreatePen(std::uint16_t style, std::int16_t width, std::uint32_t color) {
  std::vector<std::uint8_t> p;
  Put16(p, style);
  Put16(p, static_cast<std::uint16_t>(width));
  Put16(p, 0);
  Put32(p, color);
  Record(Fn::CreatePenIndirect, p);
  return Allocate();
}

int Writer::CreateBrush(std::uint16_t style, std::uint32_t color) {
  std::vector<std::uint8_t> p;
  Put16(p, style);
  Put32(p, color);
  Put16(p, 0);
  Record(Fn::CreateBrushIndirect, p);
  return Allocate();
}

int Writer::CreateFont(const Font& f) {
  std::vector<std::uint8_t> p;
  Put16(p, static_cast<std::uint16_t>(f.height));
  Put16(p, static_cast<std::uint16_t>(f.width));
  Put16(p, static_cast<std::uint16_t>(f.escapement));
  Put16(p, static_cast<std::uint16_t>(f.escapement));  // orientation
  Put16(p, static_cast<std::uint16_t>(f.weight));
  p.push_back(f.italic);
  p.push_back(f.underline);
  p.push_back(0);  // strike-out
  p.push_back(f.charset);
  p.push_back(0);  // output precision
  p.push_back(0);  // clip precision
  p.push_back(0);  // quality
  p.push_back(f.pitchAndFamily);
  std::string face = f.face.substr(0, kFaceSize - 1);
  p.insert(p.end(), face.begin(), face.end());
  p.push_back(0);
  Record(Fn::CreateFontIndirect, p);
  return Allocate();
}

void Writer::Select(int object) { Word(Fn::SelectObject, static_cast<std::uint16_t>(object)); }

void Writer::Delete(int object) {
  Word(Fn::DeleteObject, static_cast<std::uint16_t>(object));
  if (object >= 0 && static_cast<std::size_t>(object) < slots_.size()) slots_[static_cast<std::size_t>(object)] = false;
}

void Writer::MoveTo(Point at) {
  std::vector<std::uint8_t> p;
  PutPoint(p, at);
  Record(Fn::MoveTo, p);
}

void Writer::LineTo(Point at) {
  std::vector<std::uint8_t> p;
  PutPoint(p, at);
  Record(Fn::LineTo, p);
}

void Writer::Rectangle(Point lt, Point rb) {
  std::vector<std::uint8_t> p;
  Put16(p, static_cast<std::uint16_t>(rb.y));
  Put16(p, static_cast<std::uint16_t>(rb.x));
  Put16(p, static_cast<std::uint16_t>(lt.y));
  Put16(p, static_cast<std::uint16_t>(lt.x));
  Record(Fn::Rectangle, p);
}

namespace {
std::vector<std::uint8_t> PointList(const std::vector<Point>& points) {
  std::vector<std::uint8_t> p;
  Put16(p, static_cast<std::uint16_t>(points.size()));
  for (Point q : points) {
    Put16(p, static_cast<std::uint16_t>(q.x));
    Put16(p, static_cast<std::uint16_t>(q.y));
  }
  return p;
}
}  // namespace

void Writer::Polyline(const std::vector<Point>& points) { Record(Fn::Polyline, PointList(points)); }
void Writer::Polygon(const std::vector<Point>& points) { Record(Fn::Polygon, PointList(points)); }

void Writer::TextOut(Point at, std::string_view text) {
  std::vector<std::uint8_t> p;
  Put16(p, static_cast<std::uint16_t>(text.size()));
  p.insert(p.end(), text.begin(), text.end());
  if (p.size() % 2) p.push_back(0);
  PutPoint(p, at);
  Record(Fn::TextOut, p);
}

std::vector<std::uint8_t> Writer::Finish() {
  std::vector<std::uint8_t> body = records_;
  Put32(body, 3);  // the end record
  Put16(body, static_cast<std::uint16_t>(Fn::Eof));

  std::vector<std::uint8_t> out(placeable::kSize + header::kSize);
  std::uint8_t* ph = out.data();
  placeable::Key.set(ph, kPlaceableKey);
  placeable::Handle.set(ph, 0);
  placeable::Left.set(ph, bounds_.left);
  placeable::Top.set(ph, bounds_.top);
  placeable::Right.set(ph, bounds_.right);
  placeable::Bottom.set(ph, bounds_.bottom);
  placeable::Inch.set(ph, bounds_.inch);
  placeable::Reserved.set(ph, 0);
  placeable::Checksum.set(ph, PlaceableChecksum({ph, placeable::kSize}));

  std::uint8_t* mh = out.data() + placeable::kSize;
  header::Type.set(mh, 2);
  header::HeaderWords.set(mh, header::kSize / 2);
  header::Version.set(mh, header::kVersion);
  header::SizeWords.set(mh, static_cast<std::uint32_t>((header::kSize + body.size()) / 2));
  header::Objects.set(mh, static_cast<std::uint16_t>(slots_.size()));
  header::MaxRecordWords.set(mh, maxRecordWords_);
  header::Members.set(mh, 0);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace wmf
