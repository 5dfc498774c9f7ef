// One text item drawn on a printed form page: the print routine fills a description, builds an
// item from it, scales it to the printer, draws it and deletes it. Which layout integer holds which
// placement value (one of them the text-drawing flags) is the print routine's to decide.
#pragma once

#include <QRect>
#include <QString>

#include <array>

// The description an item is built from, passed whole by value.
struct PrintTextDescription {
  QRect rect;                    // page units before scaling
  int number = 0;
  QString name;
  std::array<int, 6> layout{};   // the six layout integers
  QString formatMask;            // for example "010X"
  QString text;
};

class CPrintTextItem {
 public:
  explicit CPrintTextItem(PrintTextDescription description);

  int number;
  QString name;
  std::array<int, 3> layoutA;  // the first three layout integers
  QString formatMask;
  std::array<int, 2> layoutB;  // the next two
  QString text;
  QRect rect;
  int layoutC;                 // the last one
};
