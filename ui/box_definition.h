// A box-definition row of ControlX as the page loaders read it, and what a box takes from it:
// its format spec's width, occurrences and decimals, and its rectangle at a zoom. Qt Core only,
// so that the fuzz targets can build it without the widget layer.
#pragma once

#include <QRect>

#include <string>
#include <string_view>
#include <vector>

namespace ui {

// One box-definition row as the loaders take it (texts cut to their column widths).
struct ControlRow {
  std::string page, number, fminternet, identifica, strValidac, ficheroTab, base, nombreVent;
  int idinternet = 0, numeroDeCo = 0, soloLectur = 0, pintarEn = 0, admitNega = 0, pintacero = 0;
  int coor[4] = {0, 0, 0, 0};
};
struct ControlText {
  std::string number, title, prompt;
};
using ControlRows = std::vector<ControlRow>;
using ControlTexts = std::vector<ControlText>;

// What a format spec ("F12*5.2", "S9", "R13.2-x") says of a box; the part from a '-' on is a
// comment.
struct BoxFormat {
  int width = 0;
  int occurrences = 0;  // 0 or 1 to 9
  int decimals = 0;
};
BoxFormat ReadFormatSpec(std::string_view spec);

// An amount spec ("R...") as an amount box keeps it, "R<width>[*<occurrences>].<decimals>",
// every number at least 0.
std::string NormalizedAmountSpec(std::string_view spec);

// Page units to device pixels, rounded outwards.
QRect ScaledRect(const ControlRow& row, double scale);

}  // namespace ui
