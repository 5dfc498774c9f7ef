// The launch table: every dialog name that a box or a launcher edit may carry, with its dialog id,
// the class that opens it (made by name through the annex registry), the constructor arguments,
// whether the launcher's variant index is handed on, the bytes copied in and back, and what a
// pointer-list annex pointer carries besides the block. Lookup is by exact name, in table order.
#pragma once

#include <span>
#include <string_view>

namespace ui {

enum class LaunchArgs : unsigned char {
  Parent,     // parent
  ParentM,    // parent, holder mode
  ParentM0,   // parent, holder mode, 0
  Parent0,    // parent, 0
  NoParentM,  // no parent, holder mode
  NoParent,   // no parent
  None,       // the entry builds nothing
};

// What a pointer-list annex pointer holds besides the block (item 0).
enum class LaunchList : unsigned char {
  None,           // the annex pointer is the block itself
  RowIndex,       // a 4-byte row index
  ByteAndAmount,  // the address of a byte and of an 8-byte amount
  Holder,         // the holder code of the activity row
  ItemIndex,      // a 4-byte item index 0-14
  Byte,           // the address of a byte
  Value,          // a 4-byte value
  Amount,         // the address of an 8-byte amount
};

enum class LaunchKind : unsigned char {
  Standard,  // the common sequence
  Nothing,   // opens nothing, ends without message or notification
  Wizard,    // the housing wizard on two records of the declaration
};

struct LaunchEntry {
  const char* name;
  int id;
  const char* className;
  LaunchArgs args;
  bool variant;
  int bytes;
  LaunchList list = LaunchList::None;
  LaunchKind kind = LaunchKind::Standard;
};

// The 99 entries in lookup order.
std::span<const LaunchEntry> LaunchTable();
// The id of the first entry named exactly `name`, or -1.
int FindDialogId(std::string_view name);
// The entry of a dialog id, or null.
const LaunchEntry* FindLaunchEntry(int id);

}  // namespace ui
