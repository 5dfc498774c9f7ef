// Form 100, page 5 (205): the agricultural, livestock and forestry activities in objective
// estimation, two of the six rows of section E5 at a time. The activity's key decides which of
// its product groups and reductions take input; a row's information dialog (icon button or F7)
// recalculates the section and the declaration. A member with more than two activities gets
// continuation sheets.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string_view>

#include "forms/page_positions.h"
#include "forms/pages/activity_rows.h"

namespace forms {

// The six activity records: commit, reload, delete of a record without key (the emptied records
// keep their unanswered yes/no bytes), and the reset of an activity's data when it changes.
class CRowTableORD005 : public CScrollRowTable {
 public:
  enum : int { kCommit = 77, kDelete = 78, kReload = 80, kReset = 82 };
  explicit CRowTableORD005(std::span<std::uint8_t> block);
  int OnCellChange(int row, int event, int flag) override;
  // `ask`: the change is asked first ("100P001"); declined, the row is reloaded.
  void ResetActivityData(int working, bool ask);
  // Asks a coded question; answers the button (1 when nobody is there to ask).
  std::function<int(std::string_view code)> question;

 protected:
  bool RowCountsAsFilled(int working) const override;
};

class CBoxesORD005 : public CActivityRowsList {
 public:
  static constexpr int kCode = 205;
  static constexpr int kFirstRowBox = boxes::ORD005::E5J00R1, kBoxesPerRow = boxes::ORD005::E5J00R2 - kFirstRowBox;
  static constexpr int kSheetBox = boxes::ORD005::HOJA, kTotals = boxes::ORD005::E5INGRE,
                       kNetYields = boxes::ORD005::E5RENDI, kSheetTitle = boxes::ORD005::HOJACOMP;
  static constexpr int kLinkKinds = 13;
  // Page events besides the table's: the information dialog, a changed holder.
  enum : int { kInformation = 79, kHolderChanged = 81 };
  // Row boxes (offset in the row).
  enum : int { kHolderBox = 0, kKeyBox = 1, kDescriptionBox = 2, kDeductions1Box = 44, kDeductions2Box = 45,
               kReducedNetBox = 57, kFirstReductionBox = 55, kSecondReductionBox = 58 };

  // The second pointer of a product-group box.
  struct RowValueLink {
    std::uint8_t* record = nullptr;  // the group's cell in the working copy
    std::int32_t number = 0;         // the document record
    std::int32_t kind = 0;           // 1-13
  };

  explicit CBoxesORD005(std::span<std::uint8_t> block, int memberIndex = -1);
  int OnRowTableEvent(int table, int row, int event, int extra) override;

  static int RowOf(int position) { return RowIn(position, kFirstRowBox, kBoxesPerRow); }
  static int BoxOf(int position) { return BoxIn(position, kFirstRowBox, kBoxesPerRow); }
  static int PositionOf(int row, int box) { return kFirstRowBox + kBoxesPerRow * row + box; }
  // The table cell a row box shows.
  static int CellOf(int box);
  CRowTableORD005* Rows() const { return static_cast<CRowTableORD005*>(table_.get()); }
  const RowValueLink& Link(int row, int kind) const { return links_[static_cast<std::size_t>(row)][static_cast<std::size_t>(kind)]; }

 private:
  std::unique_ptr<CScrollRowTable> MakeTable() override;
  void BindRow(int row) override;
  void EnableRows(int from) override;
  int ShowActivityInformation(int row);
  int KeyValue(int row) const;

  std::array<std::array<RowValueLink, kLinkKinds + 1>, kVisibleRows> links_{};
};

class ORD005 : public CActivityPage {
  Q_OBJECT
 public:
  static constexpr int kCode = 205;
  explicit ORD005(IPageHost& host, QWidget* parent = nullptr);

  int OnBoxEdited(int position) override;
  int OnBoxValueChanged(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxSubDialogValue(int position) override;

  void ScrollRows(int direction);
  CBoxesORD005* Rows() const { return static_cast<CBoxesORD005*>(BoxList()); }

 protected:
  void InformationTaken(int row) override;
  int InformationFocus(int row) const override { return CBoxesORD005::PositionOf(row, CBoxesORD005::kKeyBox); }

 private:
  void Reload(int first);
};

}  // namespace forms
