// String tables of the interface: texts keyed by the program's string ids, one table per
// interface language letter (e Castellano, c Catalan, g Galician, v Valencian).
#pragma once

#include <QString>

#include <map>

namespace platform {

class StringTable {
 public:
  // Rows "id<TAB>text" after a header line; "\t", "\n" and "\\" inside a text stand for a tab,
  // a line break and a backslash. Answers the number of rows read.
  int ParseTsv(const QString& content);
  bool Has(int id) const { return texts_.count(id) != 0; }
  QString Get(int id) const;
  int Size() const { return static_cast<int>(texts_.size()); }
  void Set(int id, const QString& text) { texts_[id] = text; }

 private:
  std::map<int, QString> texts_;
};

// The table of one language letter, loaded from the embedded resources on first use.
const StringTable& Strings(char letter);

// The interface language letter, lower case; "e" until set. Also puts Qt's own dialogs in that
// language when the system holds Qt's catalogue for it.
void SetLanguage(char letter);
// The name of Qt's catalogue for an interface language letter (lower case), empty when none.
QString QtCatalogueName(char letter);
char Language();

// The text of `id` in the interface language; the Castellano text when that language lacks it
// (as the program's own resources stand behind a language library); empty when neither has it.
QString LoadString(int id);

// Decodes one escaped TSV value ("\t", "\n", "\\", "\N" for NULL read as empty).
QString UnescapeTsv(const QString& value);

}  // namespace platform
