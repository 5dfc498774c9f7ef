#include "wizards/fiscal_listing.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace fiscal_review {

std::vector<std::string> LineCells(std::string_view line) {
  std::vector<std::string> cells;
  if (line.size() <= 2) return cells;
  std::string_view rest = line.substr(2);
  for (std::size_t tab = rest.find('\t'); tab != std::string_view::npos; tab = rest.find('\t')) {
    cells.emplace_back(rest.substr(0, tab));
    rest.remove_prefix(tab + 1);
  }
  return cells;
}

std::vector<std::string_view> ListingLines(std::string_view listing) {
  std::vector<std::string_view> lines;
  while (!listing.empty()) {
    const std::size_t end = listing.find('\n');
    std::string_view line = listing.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) break;
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    listing.remove_prefix(end + 1);
  }
  return lines;
}

Grid BuildGrid(std::string_view listing) {
  Grid g;
  const std::vector<std::string_view> lines = ListingLines(listing);
  if (lines.empty()) return g;
  int run = 0, longest = 0;
  for (std::string_view line : lines) {
    switch (line[0]) {
      case kTitle:
        longest = std::max(longest, run);
        run = 0;
        g.printedLines += 2;
        break;
      case kRecord:
        ++run;
        ++g.printedLines;
        break;
      case kTotals:
        longest = std::max(longest, run);
        run = 0;
        g.hasTotals = true;
        break;
      default: ++g.printedLines;
    }
  }
  longest = std::max(longest, run);
  g.columnCount = longest + 1 + (g.hasTotals ? 1 : 0);

  const auto width = static_cast<std::size_t>(g.columnCount);
  std::size_t firstField = 0;
  int nth = 0;  // place of a record line in its run of record and totals lines
  auto place = [&](const std::vector<std::string>& values, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= width) return;
    for (std::size_t k = 0; k < values.size() && firstField + k < g.cells.size(); ++k)
      g.cells[firstField + k][static_cast<std::size_t>(column)] = values[k];
  };
  for (std::string_view line : lines) {
    const char kind = line[0];
    nth = kind == kRecord || kind == kTotals ? nth + 1 : 0;
    const std::vector<std::string> values = LineCells(line);
    switch (kind) {
      case kTitle:
        for (const std::string& v : values) {
          g.groupRows.push_back(static_cast<int>(g.cells.size()));
          g.cells.emplace_back(width);
          g.cells.back()[0] = v;
        }
        firstField = g.cells.size();
        break;
      case kFieldTitles:
        for (const std::string& v : values) {
          g.fieldRows.push_back(static_cast<int>(g.cells.size()));
          g.cells.emplace_back(width);
          g.cells.back()[0] = "   " + v;
        }
        break;
      case kRecord: place(values, g.hasTotals ? nth + 1 : nth); break;
      case kTotals: place(values, 1); break;
      default: break;
    }
  }
  return g;
}

std::string ListingText(const std::vector<unsigned char>& bytes) {
  return platform::Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace fiscal_review
