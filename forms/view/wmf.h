// Windows metafiles, the page pictures' format: the optional 22-byte placeable header, the 18-byte
// metafile header and the records of the drawing subset the page pictures use. The byte reader
// decodes a file into drawing operations and refuses anything it cannot read whole; it depends on
// nothing but the standard library, so the page generator and the fuzz target use it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "blocks/field.h"

namespace wmf {

inline constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;

// The placeable header in front of the metafile.
namespace placeable {
inline constexpr blocks::U32 Key{0};
inline constexpr blocks::U16 Handle{4};
inline constexpr blocks::I16 Left{6};
inline constexpr blocks::I16 Top{8};
inline constexpr blocks::I16 Right{10};
inline constexpr blocks::I16 Bottom{12};
inline constexpr blocks::U16 Inch{14};
inline constexpr blocks::U32 Reserved{16};
inline constexpr blocks::U16 Checksum{20};
inline constexpr std::size_t kSize = 22;
static_assert(Checksum.off + Checksum.width == kSize);
// The words the checksum covers: every field before it.
inline constexpr std::size_t kChecksummedWords = Checksum.off / 2;
}  // namespace placeable

// The metafile's own header.
namespace header {
inline constexpr blocks::U16 Type{0};         // 1 in memory, 2 on disk
inline constexpr blocks::U16 HeaderWords{2};  // 9
inline constexpr blocks::U16 Version{4};      // 0x0300
inline constexpr blocks::U32 SizeWords{6};    // the whole metafile, header included
inline constexpr blocks::U16 Objects{10};     // size of the object table
inline constexpr blocks::U32 MaxRecordWords{12};
inline constexpr blocks::U16 Members{16};  // 0
inline constexpr std::size_t kSize = 18;
static_assert(Members.off + Members.width == kSize);
inline constexpr std::uint16_t kVersion = 0x0300;
}  // namespace header

// Every record: its size in words (itself included), its function, then its parameters.
namespace record {
inline constexpr blocks::U32 SizeWords{0};
inline constexpr blocks::U16 Function{4};
inline constexpr std::size_t kHeaderSize = 6;
static_assert(Function.off + Function.width == kHeaderSize);
}  // namespace record

// Record functions of the subset read here.
enum class Fn : std::uint16_t {
  Eof = 0x0000,
  SaveDC = 0x001E,
  SetBkMode = 0x0102,
  SetMapMode = 0x0103,
  SetPolyFillMode = 0x0106,
  RestoreDC = 0x0127,
  SelectObject = 0x012D,
  SetTextAlign = 0x012E,
  DeleteObject = 0x01F0,
  SetBkColor = 0x0201,
  SetTextColor = 0x0209,
  SetWindowOrg = 0x020B,
  SetWindowExt = 0x020C,
  LineTo = 0x0213,
  MoveTo = 0x0214,
  CreatePenIndirect = 0x02FA,
  CreateFontIndirect = 0x02FB,
  CreateBrushIndirect = 0x02FC,
  Polygon = 0x0324,
  Polyline = 0x0325,
  Rectangle = 0x041B,
  TextOut = 0x0521,
  ExtTextOut = 0x0A32,
};

// Pen styles, brush styles, background modes and text alignment flags the pictures use.
inline constexpr std::uint16_t kPenSolid = 0, kPenDash = 1, kPenDot = 2, kPenNull = 5;
inline constexpr std::uint16_t kBrushSolid = 0, kBrushNull = 1;
inline constexpr std::uint16_t kTransparent = 1, kOpaque = 2;
inline constexpr std::uint16_t kAlignLeft = 0, kAlignRight = 2, kAlignCenter = 6;
inline constexpr std::uint16_t kAlignTop = 0, kAlignBottom = 8, kAlignBaseline = 24;
inline constexpr std::uint16_t kAlignHorizontalMask = 6, kAlignVerticalMask = 24;
inline constexpr std::uint16_t kFontNormal = 400, kFontBold = 700;
inline constexpr std::size_t kFaceSize = 32;  // the face name field, NUL included

// The checksum of a placeable header: the XOR of its first ten words.
std::uint16_t PlaceableChecksum(std::span<const std::uint8_t> header);

// COLORREF: 0x00BBGGRR.
constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r & 255) | static_cast<std::uint32_t>(g & 255) << 8 |
         static_cast<std::uint32_t>(b & 255) << 16;
}

struct Point {
  std::int16_t x = 0;
  std::int16_t y = 0;
  bool operator==(const Point&) const = default;
};

struct Font {
  std::int16_t height = 0;  // negative: character height; positive: cell height
  std::int16_t width = 0;   // average character width, 0 for the face's own
  std::int16_t escapement = 0;
  std::int16_t weight = 0;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t charset = 0;
  std::uint8_t pitchAndFamily = 0;
  std::string face;  // cp1252
};

// One decoded record. Which members mean something depends on the function:
// points: MoveTo, LineTo, the window origin and extent (one point), Rectangle (left-top,
// right-bottom), Polyline and Polygon (all), texts (the reference point); value: the colour of
// pens, brushes and SetTextColor / SetBkColor, or the mode of the Set...Mode records and the
// alignment flags; style: pen or brush style; width: pen width; index: object of SelectObject /
// DeleteObject, or the saved state of RestoreDC; font: CreateFontIndirect; text: cp1252 bytes.
struct Op {
  Fn fn = Fn::Eof;
  std::vector<Point> points;
  std::uint32_t value = 0;
  std::uint16_t style = 0;
  std::int16_t width = 0;
  std::int16_t index = 0;
  Font font;
  std::string text;
};

struct Placeable {
  std::int16_t left = 0, top = 0, right = 0, bottom = 0;
  std::uint16_t inch = 0;
  std::uint16_t checksum = 0;
};

struct Picture {
  std::optional<Placeable> placeable;
  std::uint16_t objects = 0;  // size of the object table the records may fill
  std::vector<Op> ops;        // in file order, the final Eof left out
};

enum class ReadError {
  None,
  Short,           // fewer bytes than a header needs
  BadType,         // metafile type other than 1 or 2
  BadHeader,       // header size, metafile size or bounding box that cannot be right
  Truncated,       // the file ends before the size the header gives
  RecordOverrun,   // a record runs past the end of the metafile
  UnknownRecord,   // a function outside the subset read here
  BadRecord,       // a record too short for its parameters
  NoEnd,           // no end-of-file record
};
// The message-free name of an error, for tests and the fuzz target.
const char* ReadErrorName(ReadError error);

// Decodes a whole file: placeable header (when the file starts with its key), metafile header,
// records. Nothing is read outside `bytes`.
std::optional<Picture> Decode(std::span<const std::uint8_t> bytes, ReadError* error = nullptr);

// A rectangle with the platform's integer arithmetic (right and bottom exclusive).
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

// Fits `rect` to a picture of w x h: align 1-9 keep the size in a 3 x 3 grid of placements (top
// left to bottom right) and clip to the given rectangle, 10 stretches, 11 keeps the proportions
// as large as fits, centred; other values clip only. Integer divisions truncate toward zero.
void FitRect(Rect& rect, int w, int h, int align);

// The picture's size in tenths of a millimetre: from the placeable header's bounding box and
// units per inch, else 790 x 1100.
struct Size {
  int w = 0, h = 0;
  bool operator==(const Size&) const = default;
};
Size PictureSize(const Picture& picture);

}  // namespace wmf
