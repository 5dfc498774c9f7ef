// The form-714 section pages: rows bound to their sections, an amount recomputing its section and
// the liquidation, a description recomputing nothing, and page 6's crossed pair; every form-714 page
// drawn with its boxes.
//
// QX_PAGE_IMAGES=<folder> also saves each page at 100 % (docs/images/pages/), page 12 as printed.
#include <QImage>

#include <cstdlib>
#include <string>

#include "blocks/field.h"
#include "blocks/form714.h"
#include "blocks/form714_sections.h"
#include "forms/pages/page714.h"
#include "page_fixture.h"

namespace formstest {
namespace {

namespace sec = f714::sections;

class PatPages : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm714Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    for (const char* name : {"PAT002", "PAT003", "PAT004", "PAT005", "PAT006", "PAT007", "PAT008", "PAT010", "PAT011",
                             "PAT012"})
      forms::UnregisterPageClass(name);
    for (int code = 302; code <= 308; ++code) forms::RegisterPageBindings(code, {});
  }
  // Types `value` into the box at `position` as the page's editor would store it, then ends the edit.
  int Store(forms::CFormView& page, int position, double value) {
    blocks::F64{0}.set(page.GetBox(position - 1)->data, value);
    return page.OnBoxEdited(position);
  }
  // A page printed only is saved as printed.
  void SaveImage(const std::string& name, bool printed = false) {
    if (const char* folder = std::getenv("QX_PAGE_IMAGES")) {
      view->SetPrinting(printed);
      view->resize(view->PageSize() + QSize(24, 24));
      QApplication::processEvents();
      const QImage image = view->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
      ASSERT_TRUE(image.save(QString::fromUtf8(folder) + "/" + QString::fromStdString(name) + ".png"));
      view->SetPrinting(false);
    }
  }
};

TEST_F(PatPages, AnAmountRecomputesItsSectionAndTheLiquidation) {
  forms::CFormView& page = Open(3, 302);
  EXPECT_EQ(page.GetPageClassName(), "PAT002");
  std::uint8_t* a = Block() + f714::SectionA.offset;
  EXPECT_EQ(page.GetBox(113)->data, a + sec::sec_a::Rows.amount(19).off) << "row 19's amount";
  EXPECT_EQ(Store(page, 114, 1000.0), 1);
  EXPECT_EQ(sec::sec_a::Rows.total.get(a), 1000.0);
  EXPECT_EQ(sec::sec_a::Total.get(a), 1000.0);
  EXPECT_EQ(f714::summary::A.get(Block() + f714::Summary.offset), 1000.0) << "published";
  // A description recomputes nothing.
  sec::sec_a::Rows.amount(0).set(a, 50.0);
  EXPECT_EQ(page.OnBoxEdited(18), 1);
  EXPECT_EQ(sec::sec_a::Rows.total.get(a), 1000.0);
}

TEST_F(PatPages, EveryPageOfTheFormIsDrawnWithItsBoxes) {
  for (int code = 301; code <= 312; ++code) {
    SCOPED_TRACE(code);
    forms::CFormView& page = Open(3, code);
    EXPECT_GT(page.GetBoxCount(), 0);
    auto* list = dynamic_cast<forms::CBindingTableList*>(page.BoxList());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->Bound()) << "every page binds its boxes";
    SaveImage(forms::PageClassName(code), code == 312);
  }
}

TEST_F(PatPages, EveryPageBindsItsSectionsTotals) {
  struct Case {
    int code, totalPosition;
    blocks::RecordDef record;
    std::size_t total;
    int amountPosition;
  };
  const Case cases[] = {{303, 56, f714::SectionC, 1008, 7},   {304, 49, f714::SectionE, 1152, 6},
                        {305, 28, f714::SectionG1, 936, 5},   {306, 24, f714::SectionG4, 792, 5},
                        {307, 30, f714::SectionK, 1008, 5},   {308, 77, f714::Debts, 936, 52}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    forms::CFormView& page = Open(3, c.code);
    EXPECT_EQ(page.GetBox(c.totalPosition - 1)->data, Block() + c.record.offset + c.total);
    Store(page, c.amountPosition, 250.0);
    EXPECT_EQ(blocks::F64{c.total}.get(Block() + c.record.offset), 250.0);
  }
}

TEST_F(PatPages, PageSixBindsTheSecondFieldOfRowsOneAndTwoCrosswise) {
  forms::CFormView& page = Open(3, 306);
  const std::uint8_t* j = Block() + f714::SectionJ.offset;
  EXPECT_EQ(page.GetBox(62)->data, j + 2 * 64 + 42) << "position 63: row 2";
  EXPECT_EQ(page.GetBox(66)->data, j + 1 * 64 + 42) << "position 67: row 1";
  EXPECT_EQ(page.GetBox(61)->data, j + 1 * 64) << "position 62: row 1's first field";
}

}  // namespace
}  // namespace formstest
