// The filing-file generator. A filing file (".100", ".714") is plain text whose layout lives in a
// table of the local database (`internet`, `internet_patrimonio`): each row, in idinternet order,
// is one step of the file: a constant, the end of a record, the value of one box of one page
// formatted by the row's kind, or the end of a repeated block. The subclasses own the pages,
// decide which pages are in use, fill the special fields and finish the file.
//
// Texts of the file are single-byte (cp1252); the layout's own texts are converted on reading.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/db/ado.h"
#include "forms/filing/filing_page.h"

class IMessageService;

namespace forms {

// Output modes of a pass.
enum FilingMode : int { kFilingCreate = 0, kFilingAppend = 1, kFilingTextOnly = 2 };

// One row of a layout table, as the pass uses it (texts cp1252).
struct LayoutRow {
  std::string page;     // INDICEFICH: " 201"
  std::string number;   // INDNUMERO: the box position, negative for special fields
  char kind = ' ';      // first character of fminternet; ' ' when empty
  int length = 0;       // longitud
  int decimals = 0;     // decimales
  std::string text;     // caracter
  std::string comment;  // comentario (UTF-8: labels and special-field names)
};

// A field row's formatted value and the length it counts for in the file position.
struct FieldText {
  std::string value;
  int length = 0;
  bool ok = true;  // FALSE: the amount does not fit (only kind 'D')
};

// The page filter: blank-separated tokens, "201" (keep that page's rows) or "!202" (leave them
// out). `text` receives the condition as the layout query states it
// ("INDICEFICH = ' 201' and INDICEFICH <> ' 202'").
db::Filter PageFilterCondition(std::string_view pageFilter, std::string* text = nullptr);

// Half away from zero to `decimals`, printed right-aligned in L + d + 1 (L when d is 0) without
// the point; a minus becomes "0" and the first character "N"; zero fill turns blanks into "0";
// the last L + d characters. A value that rounds to 0 is L + d zeros (zero fill) or blanks.
std::string FormatLayoutAmount(double value, int length, int decimals, bool zeroFill);
// "%014.2f" without the point, a minus as "N" in front, the last 13 characters.
std::string FormatResultAmount(double value);
// Kinds 'S' (alignment 0 and 3 left, others right) and 'E' (digits only; 0 left, others right).
std::string FormatLayoutText(std::string_view text, int length, int alignment, std::string_view pad);
std::string FormatLayoutDigits(std::string_view text, int length, int alignment, std::string_view pad);

class CFilingFileWriter {
 public:
  CFilingFileWriter(std::string table, std::string pageFilter, db::CAdoConnection* local, IMessageService* messages);
  virtual ~CFilingFileWriter();
  CFilingFileWriter(const CFilingFileWriter&) = delete;
  CFilingFileWriter& operator=(const CFilingFileWriter&) = delete;

  void SetFilter(std::string pageFilter) { filter_ = std::move(pageFilter); }
  const std::string& GetFilter() const { return filter_; }
  const std::string& TableName() const { return table_; }

  // One pass over the layout. Mode 0 creates (or truncates) `path` and writes the text; mode 1
  // appends it to the existing file; mode 2 writes no file and returns the text in `path`.
  // TRUE when every row was processed. A row that fails removes the file (mode 2: empty text).
  bool RunLayout(std::string& path, int mode);

  // TRUE unless an amount box ('R', 'F') holds a value too wide for it: then its error flag is
  // set and "MAXPERM" is shown.
  virtual bool CheckAmountLimit(CBoxField* box);
  virtual bool Generate(std::string& path, int mode) = 0;

 protected:
  // The subclass may replace the formatted value of a field row and its length.
  virtual void GetSpecialFieldValue(int position, int pageCode, int rowOffset, std::string& value, int& length,
                                    const std::string& name) = 0;
  // Makes the page's list current (TRUE at once when it already is).
  virtual bool SelectPage(int pageCode) = 0;
  // Whether the block that ends in a repeat row named `label` is emitted once more.
  virtual bool ContinueRepeat(const std::string& label, int counter, int count) = 0;

  // The box at `position` of the current page; null without one.
  CBoxField* CurrentBox(int position) const;
  // The box's bound characters up to the first zero byte, at most its width; empty unbound.
  static std::string BoundText(const CBoxField* box);
  // What a digits row ('E') reads: the number of an integer box ('C', 'I'), else the bound text.
  static std::string DigitsText(const CBoxField* box);
  IMessageService* Messages() const { return messages_; }
  db::CAdoConnection* Local() const { return local_; }

  IFilingPage* current_ = nullptr;  // set by SelectPage
  int filePosition_ = 0;            // characters emitted so far in this pass
  long passStart_ = 0;              // the file's length before the pass (mode 1), else 0

 private:
  // The rows of the pass, pointing into the layout returned (null when it cannot be read).
  std::shared_ptr<const void> OpenLayout(std::vector<const LayoutRow*>& rows);
  FieldText FormatFieldRow(const LayoutRow& row, int rowOffset);
  FieldText FormatMark(const LayoutRow& row, const CBoxField* box);

  std::string table_;
  std::string filter_;
  db::CAdoConnection* local_;
  IMessageService* messages_;
  bool markGroup_ = false;
};

}  // namespace forms
