// Form 100, page 4 (204): the business activities in objective estimation, two of the six rows of
// section E4 at a time. A row names its activity (chosen from the modules database), its holder,
// the seven modules with their units and yields and the activity's totals; the holder and the
// activity decide which units and reductions take input. Every accepted change recomputes the
// section and the declaration. A member with more than two activities gets continuation sheets.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string_view>

#include "forms/page_positions.h"
#include "forms/pages/activity_rows.h"

namespace forms {

// The six activity records: reload, delete of a record without activity text, and the changes of
// activity (a different activity resets the modules' values after a question).
class CRowTableORD004 : public CScrollRowTable {
 public:
  enum : int { kCommit = 78, kDelete = 79, kReset = 81, kReload = 83 };
  explicit CRowTableORD004(std::span<std::uint8_t> block);
  int OnCellChange(int row, int event, int flag) override;
  // `ask`: the working record's values are cleared after "100P001" (declined: the row is
  // reloaded); otherwise the stored record's totals are cleared without a question.
  void ResetActivityData(int working, bool ask);
  std::function<int(std::string_view code)> question;

 protected:
  bool RowCountsAsFilled(int working) const override;
  void AfterFilter() override;
};

class CBoxesORD004 : public CActivityRowsList {
 public:
  static constexpr int kCode = 204;
  static constexpr int kFirstRowBox = boxes::ORD004::E4J00R1, kBoxesPerRow = boxes::ORD004::E4J00R2 - kFirstRowBox;
  static constexpr int kSheetBox = boxes::ORD004::HOJA, kNetYields = boxes::ORD004::E4RENDI,
                       kSheetTitle = boxes::ORD004::HOJACOMP;
  static constexpr int kBlocks = 7;
  // Page events besides the table's: the activity information, a changed holder.
  enum : int { kInformation = 80, kHolderChanged = 82 };
  // Row boxes (offset in the row). Module b: text 3 + 3b, units 4 + 3b, yield 5 + 3b (module 7's
  // yield is box 23).
  enum : int {
    kCodeBox = 0, kLabelBox = 1, kHolderBox = 2, kFirstModuleBox = 3, kFurtherReductionBox = 26,
    kExtraordinaryBox = 34, kOtherReceiptsBox = 35, kNetBeforeBox = 36, kIrregularReductionBox = 37,
    kReducedNetBox = 38
  };
  static constexpr int UnitsBox(int block) { return kFirstModuleBox + 1 + 3 * block; }
  // A box of the modules' units (typed or valued in the module's dialog).
  static constexpr bool IsUnitsBox(int box) {
    return box >= UnitsBox(0) && box <= UnitsBox(kBlocks - 1) && (box - UnitsBox(0)) % 3 == 0;
  }

  // The second pointer of a module's units box.
  struct ModuleLink {
    std::uint8_t* block = nullptr;  // the module's first byte in the working copy
    std::int32_t number = 0;        // the document record
    std::int32_t zero = 0;
  };

  explicit CBoxesORD004(std::span<std::uint8_t> block, int memberIndex = -1);
  int OnRowTableEvent(int table, int row, int event, int extra) override;

  static int RowOf(int position) { return RowIn(position, kFirstRowBox, kBoxesPerRow); }
  static int BoxOf(int position) { return BoxIn(position, kFirstRowBox, kBoxesPerRow); }
  static int PositionOf(int row, int box) { return kFirstRowBox + kBoxesPerRow * row + box; }
  // The table cell a row box shows.
  static int CellOf(int box);
  CRowTableORD004* Rows() const { return static_cast<CRowTableORD004*>(table_.get()); }
  const ModuleLink& Link(int row, int block) const {
    return links_[static_cast<std::size_t>(row)][static_cast<std::size_t>(block)];
  }
  // Whether two records of the same activity have the same holder; a duplicate is refused
  // ("100R035") and the row's activity emptied. FALSE for a duplicate.
  bool CheckDuplicate(int row);
  // "100R090" when the maximum staff (+72) and the staff modules disagree.
  void CheckStaffConsistency(int row);
  // Set by the duplicate test when the refused row lost its holder.
  bool rowEmptied = false;
  // How the list tells that a dialog is missing.
  std::function<void(std::string_view dialog)> notBuilt;

 private:
  std::unique_ptr<CScrollRowTable> MakeTable() override;
  void BindRow(int row) override;
  void EnableRows(int from) override;
  int ShowActivityInformation(int row);
  int ApplyActivityInformation(int row, const std::uint8_t* info);

  std::array<std::array<ModuleLink, kBlocks>, kVisibleRows> links_{};
};

class ORD004 : public CActivityPage {
  Q_OBJECT
 public:
  static constexpr int kCode = 204;
  explicit ORD004(IPageHost& host, QWidget* parent = nullptr);

  int OnBoxEdited(int position) override;
  int OnBoxValueChanged(int position) override;
  int OnBoxValueCleared(int position) override;
  int OnBoxSubDialogValue(int position) override;
  CBoxesORD004* Rows() const { return static_cast<CBoxesORD004*>(BoxList()); }

 protected:
  void InformationTaken(int row) override;
  int InformationFocus(int row) const override { return CBoxesORD004::PositionOf(row, CBoxesORD004::kCodeBox); }

 private:
  // Commit, the section's calculation, reload: after every change of a row's values.
  void SectionStep(int row);
};

}  // namespace forms
