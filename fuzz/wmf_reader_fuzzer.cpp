// The page-picture reader on arbitrary bytes: it must never read outside the input, and what it
// accepts must be whole: every drawing record carries the points it needs and the picture's
// size and placement arithmetic stay defined.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "forms/view/wmf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wmf::ReadError error = wmf::ReadError::None;
  auto picture = wmf::Decode(std::span<const std::uint8_t>(data, size), &error);
  if (!picture) {
    if (error == wmf::ReadError::None) std::abort();  // a refusal always says why
    return 0;
  }
  if (error != wmf::ReadError::None) std::abort();
  for (const wmf::Op& op : picture->ops) {
    switch (op.fn) {
      case wmf::Fn::MoveTo:
      case wmf::Fn::LineTo:
      case wmf::Fn::SetWindowOrg:
      case wmf::Fn::SetWindowExt:
      case wmf::Fn::TextOut:
      case wmf::Fn::ExtTextOut:
        if (op.points.size() != 1) std::abort();
        break;
      case wmf::Fn::Rectangle:
        if (op.points.size() != 2) std::abort();
        break;
      case wmf::Fn::Eof: std::abort();  // the end record is not an operation
      default: break;
    }
    if (op.text.size() > size || op.font.face.size() >= wmf::kFaceSize) std::abort();
  }
  wmf::Size s = wmf::PictureSize(*picture);
  for (int align = 0; align <= 12; ++align) {
    wmf::Rect r{0, 0, 1008, 1403};
    wmf::FitRect(r, s.w, s.h, align);
  }
  return 0;
}
