// Row tables: the model between a fixed array of records in the form-100 block and the few rows
// of a page that show it. The table keeps a working copy of the whole array (the row boxes edit
// it), a window of visible rows over it that scrolls by one record or advances by one sheet, and
// a filter by the shown member (a spouse also sees the records common to both, at half amounts).
// Rows go back to the block only through the row events the page sends.
//
// Every table is one `CScrollRowTable` over a `RowTableModel`: the record, its cells, which
// amounts are halved, and the row events, all as data. A page whose table needs more than the
// shared event kinds derives from `CScrollRowTable` and overrides `OnCellChange`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace forms {

// Cell ids first .. first + count - 1 lie at offset, offset + step, ...
struct RowCellRange {
  int first;
  int count;
  int offset;
  int step = 8;
};

// `count` amounts (doubles) 8 bytes apart from `offset`.
struct RowAmountRange {
  int offset;
  int count = 1;
};

// The shared kinds of row event.
enum class RowEventKind : std::uint8_t {
  kCommit,  // write the working record over the stored one
  kReload,  // undo the row's edits from the stored record
  kDelete,  // when the condition holds: drop the record and pack the array up to its last record
  kClear,   // when the condition holds: zero the record but its holder byte
};

// When a delete or clear applies.
enum class RowCondition : std::uint8_t {
  kAlways,
  kHolderZero,
  kHolderSet,
  kHolderBlank,            // holder byte 0 or a blank
  kHolderBlankOrTextEmpty, // holder blank, or the text at `textOffset` empty
  kTextEmpty,              // the text at `textOffset` empty (0 or a blank first character)
};

struct RowEventDef {
  int code;
  RowEventKind kind;
  RowCondition when = RowCondition::kAlways;
  bool commit = true;  // a clear also writes the record
};

struct RowTableModel {
  std::string_view name;  // "ORD006A" ...
  int tableId;            // how the page addresses this table among its tables
  std::size_t area;       // offset of record 0 in the form-100 block
  int recordSize;
  int capacity;
  int visibleRows;
  std::span<const RowCellRange> cells;
  std::span<const RowAmountRange> halved;  // amounts halved in a spouse's view of a common record
  bool roundHalved = false;                // ... then rounded to 2 decimals
  bool commonRows = true;                  // false: a common record leaves an empty working row
  int trimText = 0;                        // > 0: the commit strips the leading blanks of the text at +1
  int textOffset = 0;                      // the key text of the delete/clear conditions
  std::span<const RowEventDef> events;
};

class CScrollRowTable {
 public:
  // `area`: the block the table works on (from offset 0); the model's area lies inside it.
  CScrollRowTable(const RowTableModel& model, std::span<std::uint8_t> block);
  virtual ~CScrollRowTable() = default;
  CScrollRowTable(const CScrollRowTable&) = delete;
  CScrollRowTable& operator=(const CScrollRowTable&) = delete;

  const RowTableModel& Model() const { return model_; }
  int Capacity() const { return model_.capacity; }
  int VisibleRows() const { return model_.visibleRows; }
  int Count() const { return count_; }
  int FirstVisible() const { return first_; }
  std::uint8_t Filter() const { return filter_; }

  // A row event of the page on visible row `row`; 0.
  virtual int OnCellChange(int row, int event, int flag);
  std::uint8_t GetRecordOwner(int record) const;
  std::uint8_t GetRowOwnerInput(int working) const;
  // The cell `id` of the record visible row `row` shows; null for an unknown id or row.
  std::uint8_t* GetCell(int row, int id);
  // Copies stored record `record` over working record `working`; 0 when out of range.
  int ShowRecord(int working, int record);
  void ShowCommonRecord(int working, int record);
  void CommitRow(int working);
  void ClearVisibleRows();

  void Reload();
  // Shows the member's records (1: all of them); 1.
  int SetOwnerFilter(std::uint8_t holder);
  int SetOwnerFilterAndRefresh(std::uint8_t holder) { return SetOwnerFilter(holder); }
  // 0 moves to later records, 1 back; 0.
  int Scroll(int direction);
  bool CanScroll(int direction) const;
  // The next sheet of rows; the window never passes the last record.
  int PageDown();
  // Back to the first sheet.
  void PageTop() { first_ = 0; }
  // Whether records follow the window (a continuation sheet has something to show).
  bool HasRowsAfterWindow() const;

 protected:
  // Whether a visible row without holder still counts as filled for CanScroll.
  virtual bool RowCountsAsFilled(int /*working*/) const { return false; }
  virtual void AfterFilter();
  std::uint8_t* Working(int index) { return working_.data() + static_cast<std::size_t>(index) * Size(); }
  const std::uint8_t* Working(int index) const { return working_.data() + static_cast<std::size_t>(index) * Size(); }
  std::uint8_t* Stored(int index) { return block_.data() + model_.area + static_cast<std::size_t>(index) * Size(); }
  const std::uint8_t* Stored(int index) const {
    return block_.data() + model_.area + static_cast<std::size_t>(index) * Size();
  }
  std::size_t Size() const { return static_cast<std::size_t>(model_.recordSize); }
  bool Holds(RowCondition when, int working) const;
  // Drops working record `working`, packing the array and writing every moved record.
  void DeleteRecord(int working);

  const RowTableModel& model_;
  std::span<std::uint8_t> block_;
  std::vector<std::uint8_t> working_;
  int count_ = 0;
  int first_ = 0;
  std::uint8_t filter_ = 1;
};

// The models of the form-100 pages; null for an unknown name.
const RowTableModel* FindRowTableModel(std::string_view name);
std::span<const RowTableModel> RowTableModels();

}  // namespace forms
