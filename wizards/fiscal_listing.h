// The listings that a fiscal-data import stores with the declaration (incorporated and not
// incorporated items), turned into the grid the review shows and prints: each group a title row
// and one row per field, each record of the group a column, the totals in a column of their own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fiscal_review {

// Kinds of a listing line (its first character).
enum LineKind : char { kTitle = '0', kFieldTitles = '1', kRecord = '2', kTotals = '3' };

struct Grid {
  bool hasTotals = false;
  int columnCount = 0;   // "CONCEPTO", ["TOTALES"], then one column per record
  int printedLines = 0;  // lines the printout takes, as the page count reckons them
  // rows x columnCount cells; column 0 the group title or the field title (three blanks first).
  std::vector<std::vector<std::string>> cells;
  std::vector<int> groupRows, fieldRows;
};

// The cells of a line: what follows its first two characters, each cell ended by a tab (text
// after the last tab is no cell).
std::vector<std::string> LineCells(std::string_view line);
// The listing's lines up to the first empty one.
std::vector<std::string_view> ListingLines(std::string_view listing);
// The grid of a listing (UTF-8 text).
Grid BuildGrid(std::string_view listing);
// A stored listing as text: its bytes are cp1252.
std::string ListingText(const std::vector<unsigned char>& bytes);

}  // namespace fiscal_review
