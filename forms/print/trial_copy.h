// The trial copy of a declaration: the screen pages (form 100 pages 1 to 17 with the continuation
// sheets of their row areas for the member shown, form 714 pages 1 to 11), each with its picture
// and boxes, the word "PRUEBA" down the left margin and "EJEMPLAR NO VALIDO PARA SU PRESENTACION"
// in place of the reference and the copy label; no barcode and no dot code.
#pragma once

#include <array>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRect;

namespace forms {

class CPageBoxList;
class IPageHost;

struct TrialSheet {
  int pageCode = 0;  // 201..217 or 301..311
  int sheet = 1;     // the sheet of the page, from 1
  bool operator==(const TrialSheet&) const = default;
};

// The sheets of the trial copy of the open declaration of kind `kind` (2 form 100, 3 form 714).
std::vector<TrialSheet> TrialSheets(IPageHost& host, int kind);

// Draws one trial sheet over `sheet` (device pixels). A page that cannot be set up gets the
// watermark alone.
void DrawTrialSheet(IPageHost& host, int kind, const TrialSheet& sheet, QPainter& painter, const QRect& area);

// "PRUEBA" running down the left margin of the sheet.
void DrawTrialWatermark(QPainter& painter, const QRect& area);

// Every sheet of the trial copy on `device`; FALSE when the device refused to paint.
bool PrintTrialCopy(IPageHost& host, int kind, QPagedPaintDevice& device);

// While it lives, the boxes of `list` that carry marks to be read show none, and the reference
// and copy-label boxes show "EJEMPLAR NO VALIDO PARA SU PRESENTACION"; the boxes get their own
// data back when it goes.
class CTrialSpecialFields {
 public:
  static constexpr int kLabelWidth = 60;
  explicit CTrialSpecialFields(CPageBoxList* list);
  ~CTrialSpecialFields();
  CTrialSpecialFields(const CTrialSpecialFields&) = delete;
  CTrialSpecialFields& operator=(const CTrialSpecialFields&) = delete;

 private:
  CPageBoxList* list_;
  std::vector<std::pair<int, void*>> kept_;  // box index, its own data
  // Five member texts, then the single one: blanks, the label, NUL as the last character.
  std::array<std::array<char, kLabelWidth>, 6> labels_{};
};

}  // namespace forms
