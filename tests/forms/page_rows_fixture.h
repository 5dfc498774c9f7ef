// The form-100 pages with row areas on the page view: a household of declarant, spouse and child 1
// with the member shown chosen by the test, the page's row boxes, and the page saved as shown at
// 100 % when QX_PAGE_IMAGES names a folder (docs/images/pages/).
#pragma once

#include <QImage>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/member_view.h"
#include "blocks/field.h"
#include "blocks/form100.h"
#include "forms/pages/page100.h"
#include "ui/edit_ex.h"
#include "page_fixture.h"

namespace formstest {

class RowPageTest : public PageTest {
 protected:
  explicit RowPageTest(int code) : code_(code) {}
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
    Open(2, code_);
  }
  void TearDown() override {
    PageTest::TearDown();
  }
  // The page (open from the start) rebound with `member` shown, its rows filtered for that member.
  forms::CFormView& Show(int member = 1) {
    forms::CFormView& page = *view;
    qxtest::Publish(household, shown);
    shown = member;
    page.BoxList()->BindPageData(1);
    page.BoxList()->ApplyHolderMode();
    return page;
  }
  bool ReadOnly(int position) const { return view->GetBox(position - 1)->SoloLectur != 0; }
  void* Data(int position) const { return view->GetBox(position - 1)->data; }
  void* Option(int position) const { return view->GetBox(position - 1)->option; }
  std::uint8_t* At(std::size_t offset) { return Block() + offset; }
  void SetAmount(std::size_t offset, double v) { blocks::F64{offset}.set(Block(), v); }
  int Event(int table, int row, int event) { return view->BoxList()->OnRowTableEvent(table, row, event, 0); }
  // Stores `text` into the row box's working cell as the editor would, then the page's hook.
  int TypeText(int position, const char* text, std::size_t width) {
    auto* cell = static_cast<char*>(Data(position));
    std::memset(cell, ' ', width);
    std::memcpy(cell, text, std::min(width, std::strlen(text)));
    return view->OnBoxEdited(position);
  }
  int TypeHolder(int position, std::uint8_t holder) {
    *static_cast<std::uint8_t*>(Data(position)) = holder;
    return view->OnBoxValueChanged(position);
  }
  void SaveImage(const char* name) {
    if (const char* folder = std::getenv("QX_PAGE_IMAGES")) {
      view->resize(view->PageSize() + QSize(24, 24));
      QApplication::processEvents();
      const QImage image = view->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
      ASSERT_TRUE(image.save(QString::fromUtf8(folder) + "/" + name + ".png"));
    }
  }

  int code_;
  qxtest::HouseholdSlot household{{1, 1, 1, 1, 0}};
  qxtest::ShownSlot shown{1};
};

}  // namespace formstest
