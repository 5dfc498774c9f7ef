// Row tables over the form-100 block: the window, the member filter, the row events, and a page
// box list paging its rows onto continuation sheets and back.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "blocks/form100.h"
#include "support/member_view.h"
#include "forms/view/form_views.h"
#include "forms/view/row_table.h"

namespace {

using forms::CScrollRowTable;
using forms::FindRowTableModel;
using forms::RowTableModel;

double Amount(const std::uint8_t* p) {
  double v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
void SetAmount(std::uint8_t* p, double v) { std::memcpy(p, &v, sizeof v); }

// A household and a shown member for the program-wide state, restored afterwards.
class Household {
 public:
  Household(std::array<std::uint8_t, 5> members, int shown) : members_(members), shown_(shown) {
    published_.Model().SetHousehold(members_, false);
    published_.Model().SetShownMember(shown_, 0);
  }
  void Show(int member) {
    shown_ = member;
    published_.Model().SetShownMember(shown_, 0);
  }

 private:
  std::array<std::uint8_t, 5> members_;
  int shown_;
  qxtest::PublishedDeclaration published_;
};

class RowTables : public ::testing::Test {
 protected:
  // ORD008A: 15 records of 24 bytes (holder, two amounts at +8 and +16), 3 visible rows.
  const RowTableModel& model = *FindRowTableModel("ORD008A");
  std::vector<std::uint8_t> block = std::vector<std::uint8_t>(f100::kBlockSize);

  std::uint8_t* Record(int i) { return block.data() + model.area + static_cast<std::size_t>(i * model.recordSize); }
  void Fill(int i, std::uint8_t holder, double a, double b) {
    Record(i)[0] = holder;
    SetAmount(Record(i) + 8, a);
    SetAmount(Record(i) + 16, b);
  }
};

TEST(RowTableModels, EveryAreaLiesInsideItsBlockAndCellsInsideTheRecord) {
  ASSERT_EQ(forms::RowTableModels().size(), 21u);
  for (const RowTableModel& m : forms::RowTableModels()) {
    SCOPED_TRACE(std::string(m.name));
    EXPECT_LE(m.area + static_cast<std::size_t>(m.capacity * m.recordSize), f100::kBlockSize);
    EXPECT_LE(m.visibleRows, m.capacity);
    for (const forms::RowCellRange& c : m.cells) EXPECT_LE(c.offset + c.step * (c.count - 1), m.recordSize - 1);
    for (const forms::RowAmountRange& h : m.halved) EXPECT_LE(h.offset + 8 * h.count, m.recordSize);
  }
  EXPECT_EQ(FindRowTableModel("ORD002")->area, 10536u);
  EXPECT_EQ(FindRowTableModel("ORD008D")->area, 49768u);
  EXPECT_EQ(FindRowTableModel("ORD010D")->area, 65688u);
  EXPECT_EQ(FindRowTableModel("ORD099"), nullptr);
}

TEST_F(RowTables, FreshTableShowsTheFirstRowsOfTheWholeArray) {
  Household h({1, 1, 0, 0, 0}, 1);
  Fill(0, 2, 10, 1);
  Fill(4, 2, 40, 4);
  CScrollRowTable t(model, block);
  EXPECT_EQ(t.Count(), 15);
  EXPECT_EQ(t.FirstVisible(), 0);
  EXPECT_EQ(Amount(t.GetCell(0, 1)), 10);
  EXPECT_EQ(t.GetCell(3, 1), nullptr);  // only three visible rows
  EXPECT_EQ(t.GetCell(0, 3), nullptr);  // no such cell
}

TEST_F(RowTables, ScrollMovesOnlyOverFilledRowsAndStopsAtTheEnds) {
  Household h({1, 1, 0, 0, 0}, 1);
  for (int i = 0; i < 4; ++i) Fill(i, 2, i + 1, 0);
  CScrollRowTable t(model, block);
  EXPECT_FALSE(t.CanScroll(1));
  t.Scroll(1);
  EXPECT_EQ(t.FirstVisible(), 0);
  EXPECT_TRUE(t.CanScroll(0));
  t.Scroll(0);
  EXPECT_EQ(t.FirstVisible(), 1);
  EXPECT_EQ(Amount(t.GetCell(0, 1)), 2);
  EXPECT_TRUE(t.CanScroll(0));
  t.Scroll(0);  // the window now ends on the first empty record, where a new item is typed
  EXPECT_FALSE(t.CanScroll(0));
  EXPECT_TRUE(t.CanScroll(1));
  // A full array stops with the window on its last record.
  for (int i = 0; i < 15; ++i) Fill(i, 2, i + 1, 0);
  CScrollRowTable full(model, block);
  for (int k = 0; k < 20; ++k) full.Scroll(0);
  EXPECT_EQ(full.FirstVisible(), 12);
  EXPECT_FALSE(full.CanScroll(0));
}

TEST_F(RowTables, SpouseSeesOwnAndHalvedCommonRecordsPackedAndMarkedAsDeclarant) {
  Household h({1, 1, 1, 1, 0}, 3);
  Fill(0, 2, 100, 10);  // declarant
  Fill(1, 1, 100, 10);  // common
  Fill(2, 3, 50, 6);    // spouse
  Fill(3, 4, 70, 8);    // child 1
  CScrollRowTable t(model, block);
  t.SetOwnerFilterAndRefresh(3);
  EXPECT_EQ(t.Count(), 2);
  EXPECT_EQ(t.GetCell(0, 0)[0], 2);
  EXPECT_EQ(Amount(t.GetCell(0, 1)), 50);  // the common record halved
  EXPECT_EQ(Amount(t.GetCell(0, 2)), 5);
  EXPECT_EQ(Amount(t.GetCell(1, 1)), 50);  // the spouse's own
  EXPECT_EQ(Amount(t.GetCell(1, 2)), 6);
  EXPECT_EQ(t.GetCell(2, 0)[0], 0);
  t.SetOwnerFilterAndRefresh(4);  // a child never sees common records
  EXPECT_EQ(t.Count(), 1);
  EXPECT_EQ(Amount(t.GetCell(0, 1)), 70);
  EXPECT_EQ(Amount(Record(1) + 8), 100);  // the block is untouched
}

TEST_F(RowTables, DeclarantAloneSeesEverythingUnchanged) {
  Household h({1, 1, 0, 0, 0}, 2);
  Fill(0, 1, 100, 10);
  CScrollRowTable t(model, block);
  t.SetOwnerFilterAndRefresh(2);
  EXPECT_EQ(t.Count(), 15);
  EXPECT_EQ(t.GetCell(0, 0)[0], 1);
  EXPECT_EQ(Amount(t.GetCell(0, 1)), 100);
}

TEST_F(RowTables, DeleteOfAnEmptiedRowPacksTheArrayAndWritesEveryRecord) {
  Household h({1, 1, 0, 0, 0}, 1);
  for (int i = 0; i < 15; ++i) Fill(i, 2, i + 1, 0);
  CScrollRowTable t(model, block);
  t.GetCell(0, 0)[0] = 0;  // the user emptied the holder of row 0
  t.OnCellChange(0, 4, 0);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(Amount(Record(i) + 8), i + 2) << i;
  EXPECT_EQ(Record(14)[0], 0);
  EXPECT_EQ(Amount(Record(14) + 8), 0);
  // With a holder the same event deletes nothing.
  t.OnCellChange(0, 4, 0);
  EXPECT_EQ(Amount(Record(0) + 8), 2);
}

TEST_F(RowTables, CommitWritesAndReloadUndoesARow) {
  Household h({1, 1, 0, 0, 0}, 1);
  Fill(0, 2, 1, 0);
  CScrollRowTable t(model, block);
  SetAmount(t.GetCell(0, 1), 9);
  t.OnCellChange(0, 6, 0);  // reload
  EXPECT_EQ(Amount(t.GetCell(0, 1)), 1);
  SetAmount(t.GetCell(0, 1), 9);
  t.OnCellChange(0, 3, 0);  // commit
  EXPECT_EQ(Amount(Record(0) + 8), 9);
}

TEST(RowTableEvents, ClearKeepsTheHolderAndTrimmedTextsLoseTheirLeadingBlanks) {
  Household h({1, 1, 0, 0, 0}, 1);
  std::vector<std::uint8_t> block(f100::kBlockSize);
  const RowTableModel& m3 = *FindRowTableModel("ORD003");
  CScrollRowTable t3(m3, block);
  t3.GetCell(1, 0)[0] = 3;
  SetAmount(t3.GetCell(1, 6), 12);
  t3.OnCellChange(1, 500, 1);  // holder present: cleared, not written
  EXPECT_EQ(t3.GetCell(1, 0)[0], 3);
  EXPECT_EQ(Amount(t3.GetCell(1, 6)), 0);
  EXPECT_EQ(block[m3.area + 288], 0);

  const RowTableModel& m6c = *FindRowTableModel("ORD006C");
  CScrollRowTable t6(m6c, block);
  std::memcpy(t6.GetCell(0, 21), "   ABC", 6);
  t6.OnCellChange(0, 24, 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data() + m6c.area + 1), 4), std::string("ABC\0", 4));
}

TEST(RowTableEvents, HalvedAmountsRoundWhereTheModelSays) {
  Household h({1, 1, 1, 0, 0}, 3);
  std::vector<std::uint8_t> block(f100::kBlockSize);
  const RowTableModel& m = *FindRowTableModel("ORD006E");
  block[m.area] = 1;
  SetAmount(block.data() + m.area + 24, 0.05);
  CScrollRowTable t(m, block);
  t.SetOwnerFilterAndRefresh(3);
  EXPECT_DOUBLE_EQ(Amount(t.GetCell(0, 2)), 0.03);
}

TEST(RowTableEvents, ShortBlockGivesAnEmptyTable) {
  std::vector<std::uint8_t> block(100);
  CScrollRowTable t(*FindRowTableModel("ORD003"), block);
  EXPECT_EQ(t.Count(), 0);
  EXPECT_EQ(t.GetCell(0, 0), nullptr);
  EXPECT_EQ(t.OnCellChange(0, 501, 0), 0);
}

// A page list with one row area of ORD008A: positions 1-3 the holders, 4-6 the first amounts.
class RowPageList : public forms::CBindingTableList {
 public:
  static constexpr forms::RowBoxBinding kBoxes[] = {{1, 0, 0}, {2, 1, 0}, {3, 2, 0}, {4, 0, 1}, {5, 1, 1}, {6, 2, 1}};
  explicit RowPageList(std::span<std::uint8_t> block) : CBindingTableList(9208, block, -1, Areas()) {
    for (int i = 0; i < 7; ++i) boxes_.push_back(std::make_unique<CBoxField>());
    BindPageData(0);
  }
  static std::span<const forms::RowArea> Areas() {
    static const forms::RowArea areas[] = {{FindRowTableModel("ORD008A"), kBoxes}};
    return areas;
  }
  double At(int position) const { return Position(position)->data ? Amount(static_cast<std::uint8_t*>(Position(position)->data)) : -1; }
};

TEST_F(RowTables, PageListPagesRowsOntoContinuationSheetsAndBack) {
  Household h({1, 1, 0, 0, 0}, 1);
  for (int i = 0; i < 7; ++i) Fill(i, 2, i + 1, 0);
  RowPageList list(block);
  EXPECT_EQ(list.At(4), 1);
  EXPECT_EQ(list.Position(7)->SoloLectur, 1);  // named by nothing
  EXPECT_EQ(list.Position(4)->SoloLectur, 0);
  ASSERT_TRUE(list.SelectSheet(2, 1));
  EXPECT_EQ(list.At(4), 4);
  ASSERT_TRUE(list.SelectSheet(3, 1));
  EXPECT_EQ(list.At(4), 7);
  EXPECT_EQ(list.At(5), 0);
  EXPECT_FALSE(list.SelectSheet(4, 1));  // no records after the third sheet
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(list.At(4), 1);
  EXPECT_EQ(list.At(6), 3);
}

TEST_F(RowTables, PageListScrollsFiltersAndRebindsAfterRowEvents) {
  Household h({1, 1, 1, 0, 0}, 1);
  for (int i = 0; i < 4; ++i) Fill(i, static_cast<std::uint8_t>(i == 1 ? 3 : 2), i + 1, 0);
  RowPageList list(block);
  EXPECT_EQ(list.OnRowTableEvent(984, 0, -2, 0), 1);
  list.OnRowTableEvent(984, 0, -1, 0);
  EXPECT_EQ(list.At(4), 2);
  list.OnRowTableEvent(984, 1, -1, 0);
  EXPECT_EQ(list.At(4), 1);
  // A deleted row moves the following ones up under the same boxes.
  *static_cast<std::uint8_t*>(list.Position(1)->data) = 0;
  list.OnRowTableEvent(984, 0, 4, 0);
  EXPECT_EQ(list.At(4), 2);
  h.Show(3);
  list.ApplyHolderMode();
  EXPECT_EQ(list.At(4), 2);   // the spouse's record
  EXPECT_EQ(list.At(5), 0);
  EXPECT_EQ(list.OnRowTableEvent(984, 0, -2, 0), 0);
}

}  // namespace
