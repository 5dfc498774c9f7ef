// Writes placeable Windows metafiles of the drawing subset that forms/view/wmf.h reads: the page
// generator draws the page pictures with it, tests and fuzz seeds build small pictures.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "forms/view/wmf.h"

namespace wmf {

class Writer {
 public:
  // The placeable header's bounding box and units per inch.
  Writer(Placeable bounds);

  void SetWindow(Point origin, Point extent);
  void SetBkMode(std::uint16_t mode);
  void SetTextAlign(std::uint16_t flags);
  void SetTextColor(std::uint32_t color);
  // Objects take the lowest free slot of the object table, as the platform assigns them.
  int CreatePen(std::uint16_t style, std::int16_t width, std::uint32_t color);
  int CreateBrush(std::uint16_t style, std::uint32_t color);
  int CreateFont(const Font& font);
  void Select(int object);
  void Delete(int object);
  void MoveTo(Point p);
  void LineTo(Point p);
  void Rectangle(Point leftTop, Point rightBottom);
  void Polyline(const std::vector<Point>& points);
  void Polygon(const std::vector<Point>& points);
  // `text` in cp1252.
  void TextOut(Point at, std::string_view text);

  // The whole file: placeable header with its checksum, metafile header, records, end record.
  std::vector<std::uint8_t> Finish();

 private:
  void Record(Fn fn, const std::vector<std::uint8_t>& params);
  void Word(Fn fn, std::uint16_t value);  // a record of one word
  int Allocate();

  Placeable bounds_;
  std::vector<std::uint8_t> records_;
  std::vector<bool> slots_;
  std::uint32_t maxRecordWords_ = 3;
};

// Little-endian parameter builders.
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v);
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v);

}  // namespace wmf
