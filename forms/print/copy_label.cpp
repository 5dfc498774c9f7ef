#include "forms/print/copy_label.h"

#include "platform/cp1252.h"
#include "platform/strings.h"

namespace forms::print {
namespace {

struct LabelIds {
  int e, c, g, v;
  bool internet;
};
// Copy kinds 1 to 6.
constexpr LabelIds kLabels[6] = {
    {51, 167, 168, 169, false}, {166, 166, 166, 166, false}, {92, 170, 171, 172, false},
    {49, 173, 174, 175, true},  {45, 179, 180, 181, false},  {45, 179, 180, 181, true},
};

}  // namespace

std::string CopyLabelText(int kind, char letter) {
  if (kind < 1 || kind > 6) return {};
  const LabelIds& ids = kLabels[kind - 1];
  int id = 0;
  switch (letter) {
    case 'e': id = ids.e; break;
    case 'c': id = ids.c; break;
    case 'g': id = ids.g; break;
    case 'v': id = ids.v; break;
    default: return "   ";
  }
  std::string label = platform::Utf8ToCp1252(platform::Strings(letter).Get(id).toStdString());
  if (ids.internet) label += " (INTERNET)";
  if (label.size() > kCopyLabelWidth - 1) label.resize(kCopyLabelWidth - 1);
  return label;
}

}  // namespace forms::print
