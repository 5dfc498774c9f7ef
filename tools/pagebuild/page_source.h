// The page descriptions of resources/pages/ (format in resources/pages/README.md): one source per
// form page with its code, titles, drawing and boxes in position order. This reads them, checks
// them, and turns them into the rows of the page table and the box-definition table (with their
// language variants) and into the page pictures, one placeable metafile per language.
// Depends on nothing but the standard library and the metafile writer.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pages {

// The interface languages in table order: Castellano, Catalán, Gallego, Valenciano.
inline constexpr std::string_view kLanguages = "ecgv";
inline constexpr int kLanguageCount = 4;
using Texts = std::array<std::string, kLanguageCount>;  // UTF-8, by language

// Page units: the box definitions' page is 1004 wide and (for the 790 x 1100 picture) 1398 high.
inline constexpr int kPageWidth = 1004;
inline constexpr int kPageHeight = 1398;
// The drawing's logical unit is a tenth of a page unit.
inline constexpr int kSubunits = 10;

enum class CaptionAt { Above, Left, Right, None };

struct Box {
  int position = 0;
  std::string id;    // Identifica
  std::string spec;  // StrValidac
  int left = 0, top = 0, right = 0, bottom = 0;
  int help = 0;
  bool readOnly = false;
  int paint = 0;  // PintarEn: 0 screen and print, 1 screen, 2 print
  bool negatives = false;
  bool showZero = false;
  std::string lookup, base, dialog;  // FicheroTab, Base, NombreVent
  std::string filing;                // fminternet
  int filingId = 0;                  // Idinternet
  std::string label;                 // the number printed at the box, empty for none
  CaptionAt captionAt = CaptionAt::Above;
  int captionWidth = 0;  // room for a caption beside the box; 0: the default
  bool frame = true;     // drawn on the picture
  Texts caption;         // drawn beside the box; also the box title
  Texts prompt;          // tooltip and status-bar help; the caption when not given
  int line = 0;          // in the source, for messages
};

enum class ItemKind { Rule, Frame, Band, Section, Text };

struct Item {
  ItemKind kind = ItemKind::Rule;
  int x = 0, y = 0, w = 0, h = 0;  // tenths of a page unit; a rule runs from (x, y) to (x + w, y + h)
  int thick = 0;                   // pen width in tenths, 0 for the style's
  int size = 0;                    // text height in tenths
  bool bold = false;
  int align = 0;  // 0 left, 1 centre, 2 right
  Texts text;
  int line = 0;
};

// A grid of boxes: `rows` rows of the same columns, one box per cell, numbered row by row.
struct Table {
  int first = 0;  // position of the first cell
  int rows = 0;
  int top = 0;    // page units: the first row's top
  int pitch = 0;  // row height
  int head = 0;   // header height above the first row
  struct Column {
    Box box;  // the first row's cell; '#' in its identifier stands for the row number
  };
  std::vector<Column> columns;
  int line = 0;
};

struct Page {
  std::string name;  // ORD001, PAT001 ...
  int code = 0;      // 201 ... 312
  int kind = 0;      // TipoDec: 2 form 100, 3 form 714
  Texts title;
  std::vector<Item> items;
  std::vector<Table> tables;
  std::vector<Box> boxes;  // in position order, the table cells included
};

// Reads one description; FALSE with "file:line: message" in `error`.
bool ParsePage(std::string_view text, const std::string& fileName, Page& page, std::string* error);
bool ReadPageFile(const std::filesystem::path& path, Page& page, std::string* error);

// The picture path the page table stores: its character at index 7 is replaced by the language
// letter ("paginasx/ORD001.wmf" -> "paginase/ORD001.wmf").
std::string PicturePath(const std::string& pageName);
std::string PicturePath(const std::string& pageName, char language);

// The page's picture in one language (index into kLanguages). A text that would not fit its room
// even at its smallest is drawn all the same and named in `problems`.
std::vector<std::uint8_t> DrawPage(const Page& page, int language, std::vector<std::string>* problems = nullptr);

// Text tables in the format of resources/db/README.md, one per table: Paginasx, Paginas{e,c,g,v},
// ControlX, Control{e,c,g,v}; pages in the order given, boxes in position order.
struct TableFile {
  std::string table;
  std::string text;
};
std::vector<TableFile> PageTables(const std::vector<Page>& pages);

// Writes the tables into `rowsDir` and the pictures under `picturesDir`; FALSE with `error`, also
// when a text does not fit its room.
bool WriteOutputs(const std::vector<Page>& pages, const std::filesystem::path& rowsDir,
                  const std::filesystem::path& picturesDir, std::string* error);

// Estimated advance of a UTF-8 text in the drawing's sans face, in the units of `size`.
double TextWidth(std::string_view utf8, double size, bool bold);

}  // namespace pages
