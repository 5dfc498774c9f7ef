#include "forms/view/wmf.h"

#include <algorithm>

namespace wmf {

namespace {

using Bytes = std::span<const std::uint8_t>;

// Reads the parameters of one record; every read is checked against the record's length.
class Params {
 public:
  explicit Params(Bytes p) : p_(p) {}
  std::size_t size() const { return p_.size(); }
  bool has(std::size_t off, std::size_t n) const { return off <= p_.size() && n <= p_.size() - off; }
  std::int16_t i16(std::size_t off) const { return blocks::I16{off}.get(p_.data()); }
  std::uint16_t u16(std::size_t off) const { return blocks::U16{off}.get(p_.data()); }
  std::uint32_t u32(std::size_t off) const { return blocks::U32{off}.get(p_.data()); }
  std::uint8_t u8(std::size_t off) const { return p_[off]; }
  Point yx(std::size_t off) const { return {i16(off + 2), i16(off)}; }
  std::string chars(std::size_t off, std::size_t n) const {
    return std::string(reinterpret_cast<const char*>(p_.data() + off), n);
  }

 private:
  Bytes p_;
};

// Minimum parameter bytes of each function read here; nullopt for an unknown one.
std::optional<std::size_t> MinParams(std::uint16_t fn) {
  switch (static_cast<Fn>(fn)) {
    case Fn::Eof:
    case Fn::SaveDC: return 0;
    case Fn::SetBkMode:
    case Fn::SetMapMode:
    case Fn::SetPolyFillMode:
    case Fn::RestoreDC:
    case Fn::SelectObject:
    case Fn::SetTextAlign:
    case Fn::DeleteObject: return 2;
    case Fn::SetBkColor:
    case Fn::SetTextColor:
    case Fn::SetWindowOrg:
    case Fn::SetWindowExt:
    case Fn::LineTo:
    case Fn::MoveTo: return 4;
    case Fn::CreatePenIndirect: return 10;
    case Fn::CreateFontIndirect: return 18;
    case Fn::CreateBrushIndirect: return 8;
    case Fn::Polygon:
    case Fn::Polyline: return 2;
    case Fn::Rectangle: return 8;
    case Fn::TextOut: return 6;
    case Fn::ExtTextOut: return 8;
  }
  return std::nullopt;
}

// Decodes the parameters of a known function; FALSE when they are too short for what they say.
bool DecodeOp(Fn fn, const Params& p, Op& op) {
  op.fn = fn;
  switch (fn) {
    case Fn::Eof:
    case Fn::SaveDC: return true;
    case Fn::SetBkMode:
    case Fn::SetMapMode:
    case Fn::SetPolyFillMode:
    case Fn::SetTextAlign: op.value = p.u16(0); return true;
    case Fn::RestoreDC:
    case Fn::SelectObject:
    case Fn::DeleteObject: op.index = p.i16(0); return true;
    case Fn::SetBkColor:
    case Fn::SetTextColor: op.value = p.u32(0); return true;
    case Fn::SetWindowOrg:
    case Fn::SetWindowExt:
    case Fn::LineTo:
    case Fn::MoveTo: op.points = {p.yx(0)}; return true;
    case Fn::CreatePenIndirect:
      op.style = p.u16(0);
      op.width = p.i16(2);
      op.value = p.u32(6);
      return true;
    case Fn::CreateBrushIndirect:
      op.style = p.u16(0);
      op.value = p.u32(2);
      return true;
    case Fn::CreateFontIndirect: {
      op.font.height = p.i16(0);
      op.font.width = p.i16(2);
      op.font.escapement = p.i16(4);
      op.font.weight = p.i16(8);
      op.font.italic = p.u8(10);
      op.font.underline = p.u8(11);
      op.font.charset = p.u8(13);
      op.font.pitchAndFamily = p.u8(17);
      std::size_t n = std::min(p.size() - 18, kFaceSize);
      std::string face = p.chars(18, n);
      op.font.face = face.substr(0, face.find('\0'));
      return true;
    }
    case Fn::Polygon:
    case Fn::Polyline: {
      std::int16_t count = p.i16(0);
      if (count < 0 || !p.has(2, static_cast<std::size_t>(count) * 4)) return false;
      op.points.reserve(static_cast<std::size_t>(count));
      for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i)
        op.points.push_back({p.i16(2 + 4 * i), p.i16(4 + 4 * i)});
      return true;
    }
    case Fn::Rectangle: op.points = {{p.i16(6), p.i16(4)}, {p.i16(2), p.i16(0)}}; return true;
    case Fn::TextOut: {
      std::int16_t length = p.i16(0);
      if (length < 0) return false;
      std::size_t padded = (static_cast<std::size_t>(length) + 1) & ~std::size_t{1};
      if (!p.has(2, padded + 4)) return false;
      op.text = p.chars(2, static_cast<std::size_t>(length));
      op.points = {p.yx(2 + padded)};
      return true;
    }
    case Fn::ExtTextOut: {
      op.points = {p.yx(0)};
      std::int16_t length = p.i16(4);
      std::uint16_t options = p.u16(6);
      if (length < 0) return false;
      // ETO_OPAQUE (2) and ETO_CLIPPED (4) add a rectangle, which the pictures do not need.
      std::size_t at = 8 + ((options & 6) != 0 ? 8 : 0);
      if (!p.has(at, static_cast<std::size_t>(length))) return false;
      op.text = p.chars(at, static_cast<std::size_t>(length));
      return true;
    }
  }
  return false;
}

std::optional<Picture> Fail(ReadError* error, ReadError e) {
  if (error) *error = e;
  return std::nullopt;
}

}  // namespace

std::uint16_t PlaceableChecksum(std::span<const std::uint8_t> header) {
  std::uint16_t sum = 0;
  for (std::size_t i = 0; i < placeable::kChecksummedWords && 2 * i + 2 <= header.size(); ++i)
    sum ^= blocks::U16{2 * i}.get(header.data());
  return sum;
}

const char* ReadErrorName(ReadError error) {
  switch (error) {
    case ReadError::None: return "none";
    case ReadError::Short: return "short";
    case ReadError::BadType: return "bad type";
    case ReadError::BadHeader: return "bad header";
    case ReadError::Truncated: return "truncated";
    case ReadError::RecordOverrun: return "record overrun";
    case ReadError::UnknownRecord: return "unknown record";
    case ReadError::BadRecord: return "bad record";
    case ReadError::NoEnd: return "no end";
  }
  return "?";
}

std::optional<Picture> Decode(std::span<const std::uint8_t> bytes, ReadError* error) {
  if (error) *error = ReadError::None;
  Picture picture;
  if (bytes.size() < 4) return Fail(error, ReadError::Short);
  std::size_t start = 0;
  if (placeable::Key.get(bytes.data()) == kPlaceableKey) {
    if (bytes.size() < placeable::kSize) return Fail(error, ReadError::Short);
    Placeable h;
    h.left = placeable::Left.get(bytes.data());
    h.top = placeable::Top.get(bytes.data());
    h.right = placeable::Right.get(bytes.data());
    h.bottom = placeable::Bottom.get(bytes.data());
    h.inch = placeable::Inch.get(bytes.data());
    h.checksum = placeable::Checksum.get(bytes.data());
    // A bounding box without area would give a picture of no size, or a negative one.
    if (h.inch != 0 && (h.right <= h.left || h.bottom <= h.top)) return Fail(error, ReadError::BadHeader);
    picture.placeable = h;
    start = placeable::kSize;
  }
  Bytes meta = bytes.subspan(start);
  if (meta.size() < header::kSize) return Fail(error, ReadError::Short);
  std::uint16_t type = header::Type.get(meta.data());
  if (type != 1 && type != 2) return Fail(error, ReadError::BadType);
  std::uint64_t sizeBytes = std::uint64_t{header::SizeWords.get(meta.data())} * 2;
  if (header::HeaderWords.get(meta.data()) != header::kSize / 2 || sizeBytes < header::kSize + 6)
    return Fail(error, ReadError::BadHeader);
  if (sizeBytes > meta.size()) return Fail(error, ReadError::Truncated);
  meta = meta.first(static_cast<std::size_t>(sizeBytes));
  picture.objects = header::Objects.get(meta.data());

  std::size_t at = header::kSize;
  while (true) {
    if (meta.size() - at < record::kHeaderSize) return Fail(error, at == meta.size() ? ReadError::NoEnd : ReadError::RecordOverrun);
    std::uint64_t size = std::uint64_t{record::SizeWords.get(meta.data() + at)} * 2;
    std::uint16_t fn = record::Function.get(meta.data() + at);
    if (size < record::kHeaderSize || size > meta.size() - at) return Fail(error, ReadError::RecordOverrun);
    auto need = MinParams(fn);
    if (!need) return Fail(error, ReadError::UnknownRecord);
    Params params(meta.subspan(at + record::kHeaderSize, static_cast<std::size_t>(size) - record::kHeaderSize));
    if (params.size() < *need) return Fail(error, ReadError::BadRecord);
    Op op;
    if (!DecodeOp(static_cast<Fn>(fn), params, op)) return Fail(error, ReadError::BadRecord);
    at += static_cast<std::size_t>(size);
    if (op.fn == Fn::Eof) break;
    picture.ops.push_back(std::move(op));
  }
  return picture;
}

void FitRect(Rect& r, int w, int h, int align) {
  const Rect given = r;
  if (align == 10) return;
  if (align == 11) {
    if (w <= 0 || h <= 0) return;
    // In 64 bits: page rectangles times picture sizes overflow an int at high zoom.
    const long long rw = r.right - r.left, rh = r.bottom - r.top;
    if (rw * h > rh * w) {
      int width = static_cast<int>(rh * w / h);
      r.left = (r.left + r.right - width) / 2;
      r.right = r.left + width;
    } else {
      int height = static_cast<int>(rw * h / w);
      r.top = (r.top + r.bottom - height) / 2;
      r.bottom = r.top + height;
    }
    return;
  }
  if (align >= 1 && align <= 9) {
    const int row = (align - 1) / 3, column = (align - 1) % 3;
    if (row == 0) r.bottom = r.top + h;
    else if (row == 1) {
      r.top = (r.top + r.bottom - h) / 2;
      r.bottom = r.top + h;
    } else r.top = r.bottom - h;
    if (column == 0) r.right = r.left + w;
    else if (column == 1) {
      r.left = (r.left + r.right - w) / 2;
      r.right = r.left + w;
    } else r.left = r.right - w;
  }
  r.left = std::max(r.left, given.left);
  r.top = std::max(r.top, given.top);
  r.right = std::min(r.right, given.right);
  r.bottom = std::min(r.bottom, given.bottom);
}

Size PictureSize(const Picture& picture) {
  if (!picture.placeable || picture.placeable->inch == 0) return {790, 1100};
  const Placeable& h = *picture.placeable;
  return {(h.right - h.left) * 254 / h.inch, (h.bottom - h.top) * 254 / h.inch};
}

}  // namespace wmf
