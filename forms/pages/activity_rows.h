// The base of the two pages of activities in objective estimation (page 4, section E4; page 5,
// section E5): six activity records shown two at a time, a sheet box marked when the member has
// more than two activities, continuation sheets that show the next two under the continuation
// title, an information button per row (icon or F7) and the rows' scroll buttons. What sets the
// pages apart is data (ActivitySection) and each page's own rules.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "data/message_service.h"
#include "forms/pages/page100.h"
#include "forms/pages/row_buttons.h"
#include "forms/pages/row_table_buttons.h"

namespace forms {

struct ActivitySection {
  int pageCode;
  int firstRowBox, boxesPerRow;
  int sheetBox, sheetTitle;
  // Boxes left blank on a continuation sheet.
  std::span<const int> clearedOnContinuation;
  // The sheet box's text, '#' the continuation digit; its validation and filing prefix when the
  // page sets its own (nullptr: the box's).
  const char* sheetMark;
  const char* sheetValidation;
  const char* sheetFilingPrefix;
  // The section's records and where a record keeps its activity (nonzero: the record is used).
  std::size_t section, rowSize;
  int rows;
  std::size_t activityAt;
  // Visible-row box offset of the holder (its F7 and information button).
  int holderBox;
};

class CActivityRowsList : public CBindingTableList {
 public:
  static constexpr int kTableId = 997, kVisibleRows = 2;

  CActivityRowsList(const ActivitySection& section, std::span<std::uint8_t> block, int memberIndex);
  void BindPageData(int rebind) override;
  void ReleasePageData() override;
  void ApplyHolderMode() override;
  bool SelectSheet(int sheet, int printing) override;

  const ActivitySection& Section() const { return section_; }
  std::uint8_t* Cell(int row, int cell) const { return table_ ? table_->GetCell(row, cell) : nullptr; }
  double Amount(int row, int cell) const;
  // The list asks through this (1 when nobody is there to ask).
  std::function<int(std::string_view code, MessageIcon icon)> question;
  // What the list does when a row's information dialog changed a record.
  std::function<void()> onModified;

 protected:
  static int RowIn(int position, int first, int perRow);
  static int BoxIn(int position, int first, int perRow);
  int PositionAt(int row, int box) const { return section_.firstRowBox + section_.boxesPerRow * row + box; }
  virtual std::unique_ptr<CScrollRowTable> MakeTable() = 0;
  virtual void BindRow(int row) = 0;
  virtual void EnableRows(int from) = 0;
  void BindRows() {
    BindRow(0);
    BindRow(1);
  }
  // Scrolling (-1) and whether it can (-2), the events every row table answers the same.
  int ScrollEvent(int row, int event);
  // A member's filtered rows are for display: storing one would overwrite another record.
  bool Filtered() const;
  void SetReadOnly(int position, bool readOnly);
  int Ask(std::string_view code, MessageIcon icon) { return question ? question(code, icon) : 1; }
  void CountSheets();

  std::unique_ptr<CScrollRowTable> table_;

 private:
  const ActivitySection& section_;
  std::array<char, 8> sheetDigit_{};
  int sheetShown_ = 1;
};

class CActivityPage : public CPage100 {
  Q_OBJECT
 public:
  static constexpr int kInfoRow0 = 1002, kInfoRow1 = 1003;
  // `informationEvent`: the list's event that opens a row's information dialog.
  CActivityPage(IPageHost& host, int pageCode, std::unique_ptr<CActivityRowsList> list, int informationEvent,
                std::vector<CRowTableButtons::Pair> pairs, CRowTableButtons::AfterScroll after, QWidget* parent);

  void RecalculateAndRefresh() override;
  bool InitPageControls() override;
  void RepositionPageControls() override;
  bool HandleNavigationKey(int key, Qt::KeyboardModifiers mods) override;

  // The information command of visible row `row` (buttons 1002 / 1003, F7).
  void ShowInformation(int row);
  CRowTableButtons& RowButtons() { return buttons_; }
  const CRowIconButton& InfoButton(int row) const { return row == 0 ? info0_ : info1_; }

 protected:
  CActivityRowsList* Activities() const { return static_cast<CActivityRowsList*>(BoxList()); }
  int Event(int row, int event);
  void Calculate();
  // The declaration recalculated, every view repainted, the document marked modified.
  void Ending();
  int Ask(std::string_view code, MessageIcon icon);
  // After an accepted information dialog: the page's recalculation and the rows reloaded.
  virtual void InformationTaken(int row) = 0;
  // The box the editor goes to after an information dialog.
  virtual int InformationFocus(int row) const = 0;

  CRowTableButtons buttons_;
  CRowIconButton info0_, info1_;

 private:
  int informationEvent_;
};

}  // namespace forms
