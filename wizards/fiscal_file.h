// The tax authority's "datos fiscales" file (*.df): a text file of record lines whose fields are
// described by the layout tables DFListas<L> / DFcampos<L> of the local database. The reader checks
// every record line against its layout and refuses the whole file at the first fault; it keeps the
// lines as they stand (Windows-1252 bytes) and cuts each into its fields. Pure code: the layout
// comes in as data, so the reader also runs without Qt or a database (fuzzing, benchmarks).
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace fiscal {

// One row of DFcampos<L>: a field of a record key, in the order of the record.
struct FieldLayout {
  int order = 0;
  std::string name;  // column heading (UTF-8)
  char type = 'X';   // 'N' number, 'D' date, 'X' text; any other letter takes no characters
  int length = 0;    // width ('N': integer digits)
  int decimals = 0;  // 'N' only
  bool inFile = true;
  bool transferable = false;
  bool accumulable = false;

  // Characters the field occupies in a record line (0 when it is not in the file).
  int Width() const;
};

// One row of DFListas<L>: a record key, the place of its page and how its items are transferred.
struct ListLayout {
  std::string key;
  int order = 0;
  std::string title;   // UTF-8
  std::string window;  // sub-dialog name, lower case, or empty
  bool transferable = false;
};

// Both tables of one language. Keys compare without regard to case, as the database does.
class Layout {
 public:
  void AddList(ListLayout list);
  void AddField(std::string_view key, FieldLayout field);

  // The fields of a key in `order`, or null when the key has no rows.
  const std::vector<FieldLayout>* Fields(std::string_view key) const;
  const ListLayout* List(std::string_view key) const;
  // The list rows in ascending `order`.
  const std::vector<ListLayout>& Lists() const { return lists_; }

 private:
  std::map<std::string, std::vector<FieldLayout>, std::less<>> fields_;
  std::vector<ListLayout> lists_;
};

// The record key of a "1" or "2" line: "DI" for "1"; for "2" the three characters after the type,
// or the first two of them when the third is a digit. Empty for any other line.
std::string RecordKey(std::string_view line);

// A record line matches its layout: every field in the file has its width and its character class
// ("N" and "D": digits and the letter N), and the fields fill the line exactly.
bool ValidateLine(std::string_view line, const Layout& layout);

enum class ReadStatus {
  kOk,
  kDamaged,       // a line of another type, a key without layout, a field that does not match
  kTooManyPages,  // more runs of records than the import wizard has pages
  kTooLarge,
  kForeign,       // not a text file of this kind (binary bytes, no line of the file's types)
  kOtherYear,     // the header names another tax year
  kUnreadable,    // the file could not be read from disk
};

// One kept record line, cut into its fields.
struct Record {
  std::string key;
  std::string line;                 // without the line end
  int lineNumber = 0;               // 1-based, in the file
  std::vector<std::string> values;  // one per layout field, in order; "" for a field not in the file

  // The value of the field with that `order` (1-based as in the layout), or empty.
  std::string_view Value(const Layout& layout, int order) const;
};

// The records of one key, in file order, wherever they stand in the file: one page of the import
// wizard.
struct Run {
  std::string key;
  std::vector<std::size_t> records;  // indexes into FiscalFile::records
};

struct FiscalFile {
  ReadStatus status = ReadStatus::kOk;
  int faultLine = 0;  // 1-based line that made the file fail (0 when none or not by line)
  std::vector<Record> records;
  std::vector<Run> runs;

  bool ok() const { return status == ReadStatus::kOk; }
  // The taxpayer's NIF: characters 1 to 9 of the identification record, empty without one.
  std::string Nif() const;
};

struct ReadOptions {
  std::size_t maxBytes = 1u << 20;  // a year's file of one taxpayer holds a few kilobytes
  std::size_t maxRuns = 19;         // the import wizard's page slots
  std::string_view year = "2003";   // the header of this edition reads "0DDFF" + year
  // Called after each valid record line with the progress in percent (0 to 100, truncated).
  std::function<void(int)> progress;
};

// Reads a whole file. A refused file gives its status and no records.
FiscalFile ReadFiscalFile(std::string_view bytes, const Layout& layout, const ReadOptions& options = {});

// The runs of a read file that become wizard pages, in page order: for each list row in `order`,
// the run of its key. Runs of a key without a list row are left out.
std::vector<std::size_t> PlacePages(const FiscalFile& file, const Layout& layout);

// The string-table id of the message that tells the user why a file was refused (0 for kOk).
int MessageId(ReadStatus status);

// String ids of the messages.
inline constexpr int kMsgDamaged = 324;
inline constexpr int kMsgUnreadable = 91;
inline constexpr int kMsgTooLarge = 98020;
inline constexpr int kMsgForeign = 98021;
inline constexpr int kMsgOtherYear = 98022;
inline constexpr int kStrFaultLine = 96600;  // names the line a damaged file failed at

}  // namespace fiscal
