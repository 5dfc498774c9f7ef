// The page picture: a placeable Windows metafile read from its file (forms/view/wmf.h) and played
// onto a painter into a rectangle, the picture's window mapped onto it, with the platform's
// placements of the picture inside the rectangle. The named faces are drawn with the Liberation
// faces of the same metrics.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "forms/view/wmf.h"

class QPainter;
class IMessageService;

namespace forms {

// Shown when a page picture cannot be read.
inline constexpr const char* kPictureMessage = "WIN025";
// Shown when a page picture asks for more than a page ever draws (figures of too many points,
// texts too long, too many records): it is drawn without what lies beyond.
inline constexpr const char* kDamagedPictureMessage = "ALM009";

class CMetaFile {
 public:
  CMetaFile() = default;

  // Reads the picture in `path`. A file that cannot be opened or read whole leaves the picture
  // as it was (an owner loading another page clears it first) and shows WIN025 with the path
  // when `messages` is given.
  bool Load(const std::string& path, IMessageService* messages = nullptr);
  // Reads a picture from bytes; FALSE, the previous picture kept, when they are not one.
  bool Read(std::span<const std::uint8_t> bytes);

  // Plays the picture into `rect` (device coordinates of the painter), fitted with FitRect by
  // `align` when the picture has units per inch, else stretched. FALSE without a picture.
  bool Play(QPainter& painter, const QRect& rect, int align) const;
  // `rect` as left, top, right (exclusive), bottom (exclusive), fitted to `size`.
  static void FitRect(QRect& rect, QSize size, int align);

  // The picture on white, `width` pixels wide and as high as its size's proportions give; a null
  // image without a picture.
  QImage Render(int width) const;

  // The size in tenths of a millimetre; 0 x 0 without a picture.
  QSize GetSize() const;
  bool IsEmpty() const { return !picture_; }
  // Forgets the picture and zeroes the placeable header.
  void Clear();

  // Why the last read failed.
  wmf::ReadError LastError() const { return error_; }
  // The picture read holds more than a play draws: it plays without the excess.
  bool Damaged() const { return damaged_; }
  const wmf::Placeable& Header() const { return header_; }

 private:
  std::optional<wmf::Picture> picture_;
  wmf::Placeable header_;
  wmf::ReadError error_ = wmf::ReadError::None;
  bool damaged_ = false;
};

}  // namespace forms
