// The box and field descriptor: how a value is typed and shown, and which field of a data block
// it shows. Bound edits, page boxes and dialog fields all work through one.
//
// The bound data is the address of the field's first byte inside a block held as bytes; values
// are read and written only through the descriptors of blocks/field.h (memcpy), member slots
// by the occurrence rules below.
#pragma once

#include <QRect>
#include <QString>

class QPainter;

#include <string>
#include <string_view>

#include "blocks/field.h"
#include "blocks/rounding.h"

namespace ui {
// What a box hands to the dialog it opens, named: a dialog that reads more than the bytes it is
// handed (the address dialog reads the member's slots from the start of the declaration's block)
// takes only the kind it reads, so a page that hands it anything else opens nothing rather than
// have the dialog write beyond what it was given.
enum class Handed : unsigned char {
  Unnamed,           // set through `option` alone
  DeclarationStart,  // the first byte of the declaration's block
};
}  // namespace ui

class CBoxField {
 public:
  CBoxField() = default;

  // Definition (texts are UTF-8 here; the stored field texts are cp1252).
  int pageCode = 0;
  int IndNumero = 0;           // box number: the control id of an in-place editor
  std::string Identifica;      // 10 characters
  std::string StrValidac;      // format spec; first character the type letter
  std::string FicheroTab;      // lookup table name
  std::string NombreVent;      // sub-dialog name
  std::string TituloVent;      // title
  QRect rect;                  // Coor_1..Coor_4 in page pixels at the current zoom
  int SoloLectur = 0;          // read-only
  int errorFlag = 0;           // the last display failed the width or sign check
  std::string prompt;
  int NumeroDeCo = 0;          // help context number
  int PintarEn = 0;
  int AdmitNega = 0;           // negatives allowed
  std::string Base;            // not empty: lookups on the modules database
  QString displayText;
  QString secondText;          // holder boxes: the code in decimal
  int Pintacero = 0;           // show zero
  void* data = nullptr;        // bound field; null = nothing bound
  void* option = nullptr;      // option word: sub-dialog or selection data
  int width = 0;               // characters of a text; integer digits of a number
  int occurrences = 0;         // values per member (2 or more: one per member)
  int decimals = 0;            // decimals; for text types 1 = several lines
  int textFieldFlag = 0;       // editable in member views
  int loadedReadOnly = 0;      // the read-only flag as the definition gave it
  std::string fminternet;      // filing format, kept as read
  int Idinternet = 0;          // filing id, kept as read
  int checkKey = 0;            // check marks: the number of the format, once an editor took it
  int shownDecimals = 0;
  int specParsed = 0;

  char TypeLetter() const { return StrValidac.empty() ? '\0' : StrValidac[0]; }

  // Hands `what` to the box's dialog as `kind`.
  void HandOver(ui::Handed kind, void* what) {
    option = what;
    handed_ = kind;
    handedFor_ = what;
  }
  // What the box hands as `kind`; null when it hands nothing or something else (a later plain
  // `option` names nothing).
  void* HandedAs(ui::Handed kind) const { return handed_ == kind && handedFor_ == option ? option : nullptr; }

  // Display text from the bound value by the type letter; empty when nothing is bound.
  void UpdateText();
  // Normalises an amount spec once ("R%d*%d.%d" or "R%d.%d"), shown decimals 2.
  void ParseFormatSpec();
  // Splits the format text into width, occurrences and decimals (amount formats parsed first).
  void ApplyFormatSpec();
  void FormatText();
  void FormatNumber();
  void FormatInteger();  // "%d"
  void FormatLong();     // "%ld"
  bool HasValue() const;

  // Paints the box's background and text with the page scrolled to (x, y) in the painter's
  // current font; mode 0 screen, 1 print. `accessible` keeps the painter's background.
  void Draw(QPainter& painter, int x, int y, int mode, bool accessible = false) const;
  // Frame states: 0 normal (removes a highlight), 1 edited box, 2 highlighted (double frame).
  void DrawFrame(int state, QPainter& painter, int x, int y) const;
  // The pixels the box covers: `rect` holds left, top, right and bottom as the definition gives
  // them (right and bottom are the first pixels outside the box).
  QRect Area() const { return QRect(rect.left(), rect.top(), rect.right() - rect.left(), rect.bottom() - rect.top()); }

  // Member slots. Numbers, integers and marks: slot (h-1) when occurrences > 1 and a member is
  // shown; -1 for a member beyond the occurrences; 0 otherwise.
  int NumberSlot() const;
  // Texts and dates: byte offset of the shown member's run.
  std::size_t TextOffset() const;
  // The double of the shown member (0 beyond the occurrences).
  double MemberDouble() const;
  std::int32_t MemberInt() const;

 private:
  void FormatIntegerWith(const char* fmt);
  ui::Handed handed_ = ui::Handed::Unnamed;
  void* handedFor_ = nullptr;
};

namespace ui {
// Half away from zero, a fraction within 1e-7 of one half counting as one half.
inline double RoundToDecimals(double value, int decimals) { return blocks::RoundToDecimals(value, decimals); }
// "1234567.50" -> "1.234.567,50": groups of three with ".", decimal comma.
QString GroupThousands(const QString& plainFixed);
}  // namespace ui
