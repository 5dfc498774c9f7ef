// The form-100 page classes on the page view: the class the registry builds for each page, the
// boxes bound to their fields, which boxes take input, and what an edit leads to.
//
// QX_PAGE_IMAGES=<folder> also saves each page as shown at 100 % (docs/images/pages/).
#include <QImage>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "support/member_view.h"
#include "blocks/field.h"
#include "blocks/form100.h"
#include "forms/pages/page100.h"
#include "ui/launcher_edit.h"
#include "page_fixture.h"

namespace formstest {
namespace {

class PageClasses : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    forms::UnregisterPageClass("ORD009");
    forms::UnregisterPageClass("ORD011");
    forms::UnregisterPageClass("ORD012");
    forms::UnregisterPageClass("ORD013");
    forms::UnregisterPageClass("ORD014");
  }
  void SaveImage(const char* name) {
    if (const char* folder = std::getenv("QX_PAGE_IMAGES")) {
      view->resize(view->PageSize() + QSize(24, 24));
      QApplication::processEvents();
      const QImage image = view->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
      ASSERT_TRUE(image.save(QString::fromUtf8(folder) + "/" + name + ".png"));
    }
  }
};

TEST(PageClassList, Form100WalksItsSeventeenPagesInOrder) {
  ASSERT_EQ(std::size(forms::kForm100PageClasses), static_cast<std::size_t>(doc::CRentaDoc::kPages));
  for (int i = 0; i < doc::CRentaDoc::kPages; ++i)
    EXPECT_EQ(forms::PageClassName(201 + i), forms::kForm100PageClasses[i]);
}

struct Bound {
  int position;
  std::size_t offset;
};

TEST_F(PageClasses, Ord009BindsEveryTotalToItsHolderVector) {
  forms::CFormView& page = Open(2, 209);
  EXPECT_EQ(page.GetPageClassName(), "ORD009");
  ASSERT_EQ(page.GetBoxCount(), 45);
  const std::size_t g6 = f100::SectionG6.offset, h = f100::SectionH.offset, i = f100::SectionI.offset,
                    j = f100::SectionJ.offset;
  for (const Bound& b : {Bound{3, g6}, Bound{10, g6 + 280}, Bound{11, h}, Bound{12, h + 40}, Bound{14, h + 152},
                         Bound{15, h + 224}, Bound{20, h + 424}, Bound{21, h + 496}, Bound{22, h + 568},
                         Bound{23, i}, Bound{31, i + 320}, Bound{32, j}, Bound{42, j + 400},
                         Bound{45, f100::Family.offset + 105}})
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
  // The page-foot text is not bound.
  EXPECT_EQ(page.GetBox(42)->data, nullptr);
  // The page header: the NIF and the name of the member shown, kept by the document.
  {
    auto& renta = dynamic_cast<doc::CRentaDoc&>(*document);
    EXPECT_EQ(page.GetBox(0)->data, renta.HeaderIdentificationData());
    EXPECT_EQ(page.GetBox(1)->data, renta.HeaderIdentificationData() + 9);
  }
  // The copy label of the sheet being printed, kept by the document.
  EXPECT_EQ(page.GetBox(43)->data, dynamic_cast<doc::CRentaDoc&>(*document).PrintSheetState().copyLabel.data());
}

TEST_F(PageClasses, Ord009TakesOnlyTheAmountsCarriedFromEarlierYears) {
  forms::CFormView& page = Open(2, 209);
  for (int p = 1; p <= 45; ++p) {
    const bool editable = p == 12 || p == 14 || p == 15 || p == 20 || p == 21;
    EXPECT_EQ(page.GetBox(p - 1)->SoloLectur == 0, editable) << p;
  }
  EXPECT_EQ(page.FindFirstEditableBox(), 11);
  SaveImage("ORD009");
}

// The amounts carried from earlier years are entered in their dialogs, one holder row each: the
// box is the dialog's launcher on the pairs after its total, and what the dialog returns
// recalculates the declaration.
TEST_F(PageClasses, Ord009AnnexBoxesOpenTheirDialogOnTheirPairsAndAnnexValueRecalculates) {
  forms::CFormView& page = Open(2, 209);
  const std::size_t h = f100::SectionH.offset;
  for (const Bound& b : {Bound{12, h + 80}, Bound{14, h + 192}, Bound{15, h + 80}, Bound{20, h + 464},
                         Bound{21, h + 536}}) {
    page.GoToBox(b.position - 1);
    QApplication::processEvents();
    auto* launcher = dynamic_cast<CDialogLauncherEdit*>(page.Editor());
    ASSERT_NE(launcher, nullptr) << b.position;
    EXPECT_EQ(launcher->DialogName(), "IDD_TIT2DAT1") << b.position;
    EXPECT_EQ(page.GetBox(b.position - 1)->option, Block() + b.offset) << b.position;
  }
  EXPECT_EQ(page.OnBoxEdited(12), 1);
  document->Model().MarkSaved();
  EXPECT_EQ(page.OnBoxSubDialogValue(12), 0);
  EXPECT_TRUE(document->IsModified());
}

TEST_F(PageClasses, Ord011BindsTheSettlementReadOnlyAndRecalculatesOnAValueChange) {
  forms::CFormView& page = Open(2, 211);
  EXPECT_EQ(page.GetPageClassName(), "ORD011");
  ASSERT_EQ(page.GetBoxCount(), 56);
  const std::size_t s = f100::Summary.offset;
  for (const Bound& b : {Bound{3, s}, Bound{4, s + 88}, Bound{7, s + 240}, Bound{9, s + 320}, Bound{33, s + 1280},
                         Bound{34, s + 1376}, Bound{42, s + 1696}, Bound{43, s + 1784}, Bound{44, s + 3072},
                         Bound{45, s + 3184}, Bound{46, s + 5696}, Bound{50, s + 5856}, Bound{51, s + 5944},
                         Bound{53, s + 7272}, Bound{56, f100::Family.offset + 105}})
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
  // The calculation writes every box; those with an annex record open its dialog.
  for (int p = 1; p <= 56; ++p) {
    const bool annex = p == 3 || p == 4 || p == 33 || (p >= 42 && p <= 45) || p == 50 || p == 51;
    EXPECT_EQ(page.GetBox(p - 1)->SoloLectur == 0, annex) << p;
  }
  EXPECT_EQ(page.GetBox(6)->decimals, 2);  // the average rates
  document->Model().MarkSaved();
  EXPECT_EQ(page.OnBoxValueChanged(5), 0);
  EXPECT_FALSE(document->IsModified());  // the settlement is the calculation's, not an edit
  SaveImage("ORD011");
}

TEST_F(PageClasses, Ord012BindsTheResultAndAnEditRecalculatesAndMarksModified) {
  forms::CFormView& page = Open(2, 212);
  EXPECT_EQ(page.GetPageClassName(), "ORD012");
  ASSERT_EQ(page.GetBoxCount(), 41);
  const std::size_t s = f100::Summary.offset, r = f100::Result.offset;
  for (const Bound& b : {Bound{3, s + 7312}, Bound{11, s + 7728}, Bound{15, s + 8312}, Bound{17, s + 8632},
                         Bound{28, s + 9072}, Bound{29, s + 9144}, Bound{35, s + 9840}, Bound{36, r},
                         Bound{38, r + 80}, Bound{41, f100::Family.offset + 105}})
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
  for (int p = 1; p <= 41; ++p) {
    const bool annex = p == 4 || p == 11 || p == 12 || p == 14 || p == 16 || p == 28 || p == 29 || p == 32 || p == 34;
    EXPECT_EQ(page.GetBox(p - 1)->SoloLectur == 0, annex) << p;
  }
  SaveImage("ORD012");
  document->Model().MarkSaved();
  ASSERT_EQ(page.FindFirstEditableBox(), 3);  // the editor opens on position 4
  page.GoToBox(3);
  QApplication::processEvents();
  auto* launcher = dynamic_cast<CDialogLauncherEdit*>(page.Editor());
  ASSERT_NE(launcher, nullptr) << "the dividends of earlier years are entered in their dialog";
  EXPECT_EQ(launcher->DialogName(), "IDD_DBLIMPDIV");
  EXPECT_EQ(page.GetBox(3)->option, Block() + s + 7392);
  EXPECT_EQ(page.OnBoxSubDialogValue(11), 0);
  EXPECT_TRUE(document->IsModified());
  ASSERT_EQ(host->fieldChecks.size(), 1u);
  EXPECT_EQ(host->fieldChecks[0].first, 207);
  EXPECT_EQ(host->fieldChecks[0].second, Block() + f100::SectionO.offset);
}

TEST_F(PageClasses, Ord014BindsTheAccountsByMemberAndCarriesOverAfterAnAnnexValue) {
  forms::CFormView& page = Open(2, 214);
  qxtest::HouseholdSlot household{{1, 1, 1, 0, 0}};
  qxtest::ShownSlot shown{1};
  qxtest::Publish(household, shown);
  EXPECT_EQ(page.GetPageClassName(), "ORD014");
  ASSERT_EQ(page.GetBoxCount(), 68);
  const std::size_t o = f100::SectionO.offset, s = f100::Summary.offset;
  for (const Bound& b : {Bound{3, o}, Bound{11, s + 480}, Bound{24, o + 1096}, Bound{30, o + 1201},
                         Bound{40, o + 1436}, Bound{49, o + 1840}, Bound{54, s + 1536}, Bound{56, o + 2309},
                         Bound{66, o + 2544}, Bound{68, f100::Family.offset + 105}})
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
  for (int p = 1; p <= 68; ++p) {
    const bool annex = p == 3 || p == 6 || p == 15 || p == 17 || p == 21 || p == 25 || p == 27 || p == 41 ||
                       p == 43 || p == 47 || p == 49 || p == 52;
    EXPECT_EQ(page.GetBox(p - 1)->SoloLectur == 0, annex) << p;
  }
  EXPECT_EQ(page.GetBox(48)->NombreVent, "IDD_CEUTAMEL");
  EXPECT_EQ(page.GetBox(48)->option, Block() + o + 1880);
  // The one-byte keys follow the shown member, whatever the list binds.
  shown = 3;
  page.BoxList()->ApplyHolderMode();
  EXPECT_EQ(page.GetBox(28)->data, Block() + o + 1196 + 2);
  EXPECT_EQ(page.GetBox(60)->data, Block() + o + 2449 + 2);
  shown = 1;
  page.BoxList()->ApplyHolderMode();
  EXPECT_EQ(page.GetBox(54)->data, Block() + o + 2304);
  SaveImage("ORD014");
  document->Model().MarkSaved();
  EXPECT_EQ(page.OnBoxSubDialogValue(3), 0);
  EXPECT_TRUE(document->IsModified());
  ASSERT_EQ(host->fieldChecks.size(), 2u);
  EXPECT_EQ(host->fieldChecks[0], std::make_pair(207, static_cast<void*>(Block() + o)));
  EXPECT_EQ(host->fieldChecks[1], std::make_pair(208, static_cast<void*>(Block() + o)));
}

class Ord013 : public PageClasses {
 protected:
  // Page 13 open with the declarant, the spouse and child 1 in the household, `member` shown.
  forms::CFormView& Show(int member) {
    forms::CFormView& page = view ? *view : Open(2, 213);
    qxtest::Publish(household, shown);
    shown = member;
    page.BoxList()->ApplyHolderMode();
    return page;
  }
  void SetElement(std::size_t vector, int member, double v) {
    blocks::F64{f100::SectionN.offset + vector + 8 * static_cast<std::size_t>(member - 1)}.set(Block(), v);
  }
  void Declared(bool on) { blocks::I32{f100::SectionN.offset + 664}.set(Block(), on ? 1 : 0); }
  bool AccountOpen(forms::CFormView& page) {
    bool open = true;
    for (int p = 16; p <= 19; ++p) open = open && page.GetBox(p - 1)->SoloLectur == 0;
    return open;
  }

  qxtest::HouseholdSlot household{{1, 1, 1, 1, 0}};
  qxtest::ShownSlot shown{1};
};

TEST_F(Ord013, BindsTheAmountsAndTheShownMembersAccount) {
  forms::CFormView& page = Show(3);
  EXPECT_EQ(page.GetPageClassName(), "ORD013");
  ASSERT_EQ(page.GetBoxCount(), 27);
  const std::size_t n = f100::SectionN.offset;
  for (const Bound& b : {Bound{3, n + 40}, Bound{8, n + 240}, Bound{12, n + 384}, Bound{21, n + 584},
                         Bound{16, n + 280 + 8}, Bound{17, n + 300 + 8}, Bound{18, n + 320 + 4}, Bound{19, n + 330 + 20},
                         Bound{27, f100::Family.offset + 105}})
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
}

TEST_F(Ord013, AccountOpensOnlyForAWaivedRefundOfASpouse) {
  struct Case {
    int member;
    bool declared;
    double waived;
    bool open;
  };
  for (const Case& c : {Case{2, true, 120, true}, Case{2, true, 0, false}, Case{2, false, 120, false},
                        Case{3, true, 50, true}, Case{4, true, 120, false}, Case{1, true, 120, false}}) {
    Show(1);
    Declared(c.declared);
    SetElement(464, c.member, c.waived);
    forms::CFormView& page = Show(c.member);
    EXPECT_EQ(AccountOpen(page), c.open) << c.member << " " << c.waived;
    SetElement(464, c.member, 0);
  }
  forms::CFormView& page = Show(4);
  for (int p : {6, 8, 15, 21}) EXPECT_EQ(page.GetBox(p - 1)->Pintacero, 0) << p;
  SaveImage("ORD013");
}

TEST_F(Ord013, PlaceAndDateSitOnTheSideTheResultHas) {
  Show(1);
  SetElement(40, 2, 300);
  forms::CFormView& page = Show(2);
  EXPECT_EQ(page.GetBox(8)->data, Block() + f100::Family.offset + 5284);
  EXPECT_EQ(page.GetBox(10)->data, Block() + f100::Family.offset + 5306);
  EXPECT_EQ(page.GetBox(21)->data, nullptr);
  SetElement(40, 2, 0);
  SetElement(424, 2, 80);
  page.BoxList()->RefreshBoxStates(0);
  EXPECT_EQ(page.GetBox(8)->data, nullptr);
  EXPECT_EQ(page.GetBox(21)->data, Block() + f100::Family.offset + 5284);
}

TEST_F(Ord013, RefusedAccountBlanksEachPartFromTheEditedOne) {
  Show(1);
  Declared(true);
  SetElement(464, 2, 120);
  forms::CFormView& page = Show(2);
  const std::size_t n = f100::SectionN.offset + 4;  // the declarant's slot of the entity and the branch
  std::memcpy(Block() + n + 280, "2100", 4);
  std::memcpy(Block() + n + 300, "0418", 4);
  host->checkResult = 0;
  host->fieldChecks.clear();
  EXPECT_EQ(page.OnBoxEdited(17), 0);
  EXPECT_EQ(host->fieldChecks.size(), 3u);  // branch, check digits, account number
  EXPECT_EQ(host->fieldChecks[0].first, 10);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(Block() + n + 280), 4), "2100");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(Block() + n + 300), 4), "    ");
  host->checkResult = 1;
  host->fieldChecks.clear();
  EXPECT_EQ(page.OnBoxEdited(19), 1);
  EXPECT_EQ(host->fieldChecks.size(), 1u);
  EXPECT_EQ(page.OnBoxEdited(3), 1);  // no account part: no check
  EXPECT_EQ(host->fieldChecks.size(), 1u);
}


// Section O +1880 is the Ceuta and Melilla block alone: the lease payments-on-account dialog,
// which has no place of its own there, is named by no box, and no bound page hands a block that
// starts inside the Ceuta block but at its start.
TEST_F(PageClasses, NoBoxOpensAnotherDialogOverTheCeutaAndMelillaBlock) {
  db::CAdoRecordset rs;
  EXPECT_FALSE(rs.Open("ControlX", &local, db::Filter::Eq("NombreVent", std::string("IDD_PGACUINM")), ""));
  const std::size_t first = f100::SectionO.offset + 1880, end = first + 240;
  for (int code = 201; code <= 217; ++code)
    for (const forms::BoxBinding& b : forms::PageBindings(code))
      if (b.annex != forms::BoxBinding::kNoAnnex && b.annex >= first && b.annex < end) {
        EXPECT_TRUE(code == 214 && b.position == 49 && b.annex == first) << code << " " << b.position;
      }
}

}  // namespace
}  // namespace formstest
