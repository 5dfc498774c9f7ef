// Page 1 of form 100: the identification of the member shown and of the other spouse, kept
// consistent across the members' views; which boxes can be typed by member and household; the
// member's descendants and ascendants; the boxes that open the family data and other dialogs.
#include <QImage>

#include <cstdlib>
#include <cstring>
#include <string>

#include "support/member_view.h"
#include "blocks/field.h"
#include "blocks/form100.h"
#include "forms/pages/ord001.h"
#include "forms/pages/page100.h"
#include "page_fixture.h"
#include "support/ui_helpers.h"
#include "ui/sel_str_edit.h"
#include "ui/sub_dialog_edit.h"

namespace formstest {
namespace {

using namespace forms::ord001;

class Ord001 : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    forms::RegisterForm100Pages();
  }
  void TearDown() override {
    PageTest::TearDown();
    forms::UnregisterPageClass("ORD001");
  }
  // Page 1 open with `member` shown in a household of the family unit, the declarant and, as
  // asked, the spouse and child 1.
  forms::CFormView& Show(int member, bool spouse = true, bool child = true) {
    forms::CFormView& page = view ? *view : Open(2, 201);
    household = {1, 1, static_cast<std::uint8_t>(spouse), static_cast<std::uint8_t>(child), 0};
    qxtest::Publish(household, shown);
    shown = member;
    page.RecalculateAndRefresh();
    return page;
  }
  forms::CBoxesORD001& List() { return *static_cast<forms::CBoxesORD001*>(view->BoxList()); }
  std::string Text(std::size_t offset, std::size_t width) {
    return std::string(blocks::Text{offset, width}.str(Block()));
  }
  void Put(std::size_t offset, std::size_t width, const char* text) {
    std::memset(Block() + offset, 0, width);
    std::memcpy(Block() + offset, text, std::min(width, std::strlen(text)));
  }
  bool ReadOnly(int position) { return view->GetBox(position - 1)->SoloLectur != 0; }
  // The box's editor, open on it.
  CEditEx* EditorOn(int position) {
    view->GoToBox(position - 1);
    QApplication::processEvents();
    return view->EditedBox() == position - 1 ? view->Editor() : nullptr;
  }

  qxtest::HouseholdSlot household{{1, 1, 1, 1, 0}};
  qxtest::ShownSlot shown{2};
};

TEST_F(Ord001, BindsEachBoxToItsFieldAndTheDialogBoxesToWhatTheyEdit) {
  forms::CFormView& page = Show(doc::kDeclarant);
  EXPECT_EQ(page.GetPageClassName(), "ORD001");
  ASSERT_EQ(page.GetBoxCount(), 199);
  struct Bound {
    int position;
    std::size_t offset;
  };
  for (const Bound& b : {Bound{1, 773}, Bound{2, 893}, Bound{4, 818}, Bound{22, 1473}, Bound{26, 1563},
                         Bound{30, 1848}, Bound{44, 2313}, Bound{45, 2357 + 2}, Bound{46, 693}, Bound{47, 2363},
                         Bound{133, 4472}, Bound{161, 4632}, Bound{167, 5037}, Bound{173, 5537}, Bound{175, 5567},
                         Bound{190, 5572}, Bound{192, 5594}, Bound{193, 5604}, Bound{196, 393}, Bound{197, 1843}})
    EXPECT_EQ(page.GetBox(b.position - 1)->data, Block() + b.offset) << b.position;
  EXPECT_EQ(page.GetBox(48)->data, List().descendants.data());
  EXPECT_EQ(page.GetBox(55)->data, List().descendants.data() + kDescendantSize) << "row 2 of the descendants";
  EXPECT_EQ(page.GetBox(136)->data, List().ascendants.data());

  // What each dialog box hands its dialog.
  EXPECT_EQ(page.GetBox(4)->option, Block()) << "street kind: the declaration's block, where the address dialog finds the member";
  EXPECT_EQ(page.GetBox(29)->option, Block()) << "the other spouse's street kind too";
  EXPECT_EQ(page.GetBox(4)->decimals, -1);
  for (int p : {14, 15, 39, 40}) {
    const auto* marks = static_cast<const ui::FieldPair*>(page.GetBox(p - 1)->option);
    ASSERT_NE(marks, nullptr) << p;
    EXPECT_EQ(marks->first, Block() + 1043) << p;
    EXPECT_EQ(marks->second, Block() + 1048) << p;
  }
  const auto* complementary = static_cast<const ui::FieldPair*>(page.GetBox(173)->option);
  EXPECT_EQ(complementary->first, Block() + 5562);
  EXPECT_EQ(complementary->second, Block() + 5567);
  EXPECT_EQ(page.GetBox(161)->option, Block() + 4644) << "the disagreement block";
  EXPECT_EQ(page.GetBox(162)->option, Block() + 5012) << "the church marks";

  // A list fixed to the spouse binds the spouse's values; the place and date are everyone's.
  forms::CBoxesORD001 fixed(201, document->Block(), doc::kSpouse);
  forms::BoxTables tables;
  tables.local = &local;
  fixed.SetTables(tables);
  ASSERT_TRUE(fixed.LoadBoxesNoGeometry(201));
  EXPECT_EQ(fixed.Position(1)->data, Block() + 773 + 18);
  EXPECT_EQ(fixed.Position(45)->data, Block() + 2357 + 3);
  EXPECT_EQ(fixed.Position(190)->data, Block() + 5572);
  EXPECT_EQ(fixed.Position(196)->data, Block() + 393 + 120);
}

TEST_F(Ord001, WhichBoxesCanBeTypedFollowsTheMemberTheHouseholdAndTheAddressMarks) {
  struct Case {
    int member;
    bool spouse;
    std::uint8_t apart, common, first;  // bytes 2358, 1843 and 0
    std::vector<int> editable, readOnly;
  };
  const Case cases[] = {
      {1, true, 0, 0, 0, {5, 14, 15, 27, 29, 30, 39, 40, 44, 162, 166, 174, 175}, {18, 20, 22}},
      {1, true, 1, 0, 0, {27, 44}, {30, 39, 40}},
      {1, true, 0, 2, 0, {30, 39}, {}},
      {1, true, 0, 1, 0, {39}, {30}},
      {1, false, 0, 0, 0, {5, 162}, {27, 30, 33, 40, 44}},
      {2, true, 0, 2, 0, {27, 39}, {30, 18}},
      {2, false, 0, 0, 0, {5, 14}, {27, 30, 39, 40, 44}},
      {2, false, 0, 0, 1, {27, 28, 29, 30, 44}, {39, 40}},
      {2, false, 0, 1, 1, {27, 44}, {30}},
      {3, true, 0, 0, 0, {5, 14, 15, 27, 30, 39, 40, 44}, {18, 22, 162, 166, 174, 175}},
      {3, true, 1, 0, 0, {30}, {5}},
      {3, true, 0, 1, 0, {14}, {5, 30}},
      {4, true, 0, 0, 0, {5, 14, 15}, {18, 21, 27, 40, 44, 162, 175, 49, 137}},
      {4, true, 0, 2, 0, {14}, {5}},
      {5, true, 0, 2, 0, {5}, {}},
      {5, true, 0, 1, 0, {15}, {5}},
  };
  for (const Case& c : cases) {
    Show(c.member, c.spouse);
    Block()[2358] = c.apart;
    Block()[1843] = c.common;
    Block()[0] = c.first;
    view->RecalculateAndRefresh();
    for (int p : c.editable) EXPECT_FALSE(ReadOnly(p)) << "member " << c.member << " box " << p;
    for (int p : c.readOnly) EXPECT_TRUE(ReadOnly(p)) << "member " << c.member << " box " << p;
    // The declaration marks of the member shown: joint for the family unit, individual otherwise.
    const auto slot = static_cast<std::size_t>(c.member - 1);
    EXPECT_EQ(Block()[2363 + slot], c.member == 1 ? 0 : 'X') << c.member;
    EXPECT_EQ(Block()[2368 + slot], c.member == 1 ? 'X' : 0) << c.member;
    if (c.member >= 4) {
      EXPECT_EQ(Block()[753 + slot], 1) << "a child is single";
    }
  }
}

TEST_F(Ord001, EachSpousesDataReappearInTheOtherMembersViews) {
  Show(doc::kDeclarant);
  // A surname with blanks around it is stored without them, for the family unit too, and as the
  // other spouse's surname in the spouse's view.
  Put(893 + 15, 15, "  GARCIA ");
  EXPECT_EQ(view->OnBoxEdited(2), 1);
  EXPECT_EQ(Text(893 + 15, 15), "GARCIA");
  EXPECT_EQ(Block()[893 + 15 + 6], 0);
  EXPECT_EQ(Text(893, 15), "GARCIA");
  EXPECT_EQ(Text(1683 + 30, 15), "GARCIA");
  EXPECT_EQ(Text(893 + 45, 15), "") << "children's views are not touched";

  // The birth date carries its year beside it, mirrored with the date, and the year is checked.
  Put(1473 + 8, 8, "01021970");
  host->fieldChecks.clear();
  EXPECT_EQ(view->OnBoxEdited(22), 1);
  EXPECT_EQ(Text(1453 + 4, 4), "1970");
  EXPECT_EQ(Text(2268 + 16, 8), "01021970");
  EXPECT_EQ(Text(2248 + 8, 4), "1970");
  ASSERT_EQ(host->fieldChecks.size(), 1u);
  EXPECT_EQ(host->fieldChecks[0].first, kYearCheck);

  // The spouse without a NIF of their own: taken without the check, reaching both other views.
  Show(doc::kSpouse);
  Put(773 + 18, 9, kNoNif);
  host->fieldChecks.clear();
  EXPECT_EQ(view->OnBoxEdited(1), 1);
  EXPECT_TRUE(host->fieldChecks.empty());
  EXPECT_EQ(Text(1563, 9), kNoNif);
  EXPECT_EQ(Text(1563 + 9, 9), kNoNif);

  // A refused NIF stays where the check left it and is not mirrored.
  Show(doc::kFamilyUnit);
  host->checkResult = 0;
  Put(1563, 9, "12345678A");
  EXPECT_EQ(view->OnBoxEdited(26), 0);
  EXPECT_EQ(Text(1563 + 9, 9), kNoNif);
  host->checkResult = 1;

  // A representative typed in the family unit's view is the declarant's.
  Put(5082, 32, "GESTORIA LOPEZ");
  view->OnBoxEdited(168);
  EXPECT_EQ(Text(5082 + 32, 32), "GESTORIA LOPEZ");
}

TEST_F(Ord001, ATelephoneOfZerosIsRefusedAndTheDateOfTheDeclarationChecked) {
  Show(doc::kSpouse);
  Put(1518 + 18, 9, "000000000");
  view->OnBoxEdited(25);
  EXPECT_EQ(host->coded.codes, std::vector<std::string>{"WIN046"});
  EXPECT_EQ(Text(1518 + 18, 9), std::string(9, ' '));
  EXPECT_EQ(Text(2313, 9), std::string(9, ' ')) << "the blanked value is mirrored";

  struct Case {
    int position;
    int refusedCheck;
    std::size_t cleared, width;
  };
  for (const Case& c : {Case{191, kDateCheck, 5592, 2}, Case{192, kDateCheck, 5594, 10},
                        Case{193, kYearTextCheck, 5604, 4}}) {
    Put(5592, 2, "31");
    Put(5594, 10, "JUNIO");
    Put(5604, 4, "2004");
    host->onCheck = [&](int number, void*) { host->checkResult = number == c.refusedCheck ? 0 : 1; };
    EXPECT_EQ(view->OnBoxEdited(c.position), 0) << c.position;
    EXPECT_EQ(Text(c.cleared, c.width), "") << c.position;
  }
  host->onCheck = nullptr;
}

TEST_F(Ord001, AChildsNamesGoToItsDescendantRecordShortenedToTheColumn) {
  Show(doc::kFamilyUnit);
  std::uint8_t* child = Block() + kDescendants + 2 * kDescendantSize;
  child[146] = 1;
  Show(doc::kChild1);
  Put(818 + 45, 15, "MARIA DEL MAR");
  Put(893 + 45, 15, "FERNANDEZ-PEREZ");
  Put(968 + 45, 15, "VILLANUEVA");
  view->OnBoxEdited(4);
  EXPECT_EQ((blocks::Text{57, 15}.str(child)), "MARIA DEL MAR");
  EXPECT_EQ((blocks::Text{72, 15}.str(child)), "FERNANDEZ-PEREZ");
  // "FERNANDEZ-PEREZ VILLANUEVA, MARIA DEL MAR" is 41 characters: the second surname keeps two.
  EXPECT_EQ((blocks::Text{9, 48}.str(child)), "FERNANDEZ-PEREZ VI, MARIA DEL MAR");
}

// The cohabitation of an ascendant is the double the family wizard writes; the page shows its
// digit.
TEST_F(Ord001, ShowsTheAscendantsCohabitationAsItsNumber) {
  Show(doc::kFamilyUnit);
  std::uint8_t* a = Block() + kAscendants;
  std::memcpy(a, "44444444A", 9);
  blocks::F64{72}.set(a, 2.0);
  Show(doc::kFamilyUnit);
  CBoxField* box = view->GetBox(141);
  ASSERT_EQ(box->data, List().ascendants.data() + 72);
  box->UpdateText();
  EXPECT_EQ(box->displayText, QStringLiteral("2"));
  EXPECT_EQ(box->TypeLetter(), 'F');
  EXPECT_NE(box->SoloLectur, 0) << "written by the family wizard only";
}

TEST_F(Ord001, EachMemberSeesItsOwnDescendantsAndAscendants) {
  Show(doc::kFamilyUnit);
  auto descendant = [&](std::size_t r) { return Block() + kDescendants + r * kDescendantSize; };
  auto ascendant = [&](std::size_t r) { return Block() + kAscendants + r * kAscendantSize; };
  std::memcpy(descendant(0), "11111111H", 9);
  descendant(0)[128] = '1';  // the declarant's, considered as an adult not in studies
  std::memcpy(descendant(1), "22222222J", 9);
  descendant(1)[128] = '2';
  descendant(1)[129] = '1';  // the spouse's
  std::memcpy(descendant(2), "33333333P", 9);
  std::memcpy(descendant(2) + 112, "1990", 4);
  descendant(2)[132] = '2';
  descendant(2)[134] = 1;  // not considered for a spouse's view
  std::memcpy(ascendant(0), "44444444A", 9);
  ascendant(0)[63] = '1';
  std::memcpy(ascendant(1), "55555555K", 9);
  ascendant(1)[64] = '1';
  struct Case {
    int member;
    bool spouse;
    std::vector<std::string> descendants, ascendants;
  };
  const Case cases[] = {
      {1, true, {"11111111H", "22222222J", "33333333P"}, {"44444444A", "55555555K"}},
      {2, true, {"11111111H"}, {"44444444A"}},
      {2, false, {"11111111H", "22222222J", "33333333P"}, {"44444444A", "55555555K"}},
      {3, true, {"11111111H", "22222222J"}, {"55555555K"}},
      {4, true, {}, {}},
  };
  for (const Case& c : cases) {
    Show(c.member, c.spouse, c.spouse);
    auto rows = [](const std::uint8_t* buffer, std::size_t size, std::size_t count) {
      std::vector<std::string> nifs;
      for (std::size_t r = 0; r < count; ++r)
        if (buffer[r * size]) nifs.emplace_back(blocks::Text{r * size, 9}.str(buffer));
      return nifs;
    };
    EXPECT_EQ(rows(List().descendants.data(), kDescendantSize, kDescendantRows), c.descendants) << c.member;
    EXPECT_EQ(rows(List().ascendants.data(), kAscendantSize, kAscendantRows), c.ascendants) << c.member;
    // The member's own flag column shows the member's flag.
    EXPECT_EQ(view->GetBox(53)->data, List().descendants.data() + 127 + static_cast<std::size_t>(c.member - 1));
  }
}

TEST_F(Ord001, SingleAndMarriedExcludeEachOther) {
  Show(doc::kDeclarant);
  Block()[763 + 1] = 1;
  Block()[753 + 1] = 1;
  EXPECT_EQ(view->OnBoxValueChanged(18), 0);
  EXPECT_EQ(Block()[763 + 1], 0);
  Block()[763 + 1] = 1;
  view->OnBoxValueChanged(20);
  EXPECT_EQ(Block()[753 + 1], 0);
}

TEST_F(Ord001, TheTablesOpenTheFamilyDataAndUnbuiltDialogsSaySo) {
  Show(doc::kFamilyUnit);
  qxtest::ScriptedMessages messages;
  // The descendants and the ascendants: the family data on their page of the wizard.
  for (int p : {49, 137}) {
    CEditEx* e = EditorOn(p);
    ASSERT_NE(dynamic_cast<CSelStrEdit*>(e), nullptr) << p;
    QTest::keyClick(e, Qt::Key_F7);
    QApplication::processEvents();
  }
  EXPECT_EQ(host->familyWizardPages, (std::vector<int>{kWizardDescendants, kWizardAscendants}));
  EXPECT_TRUE(messages.shown.empty());
  // The address of the member and the complementary declaration: dialogs still to come.
  CEditEx* street = EditorOn(5);
  ASSERT_NE(dynamic_cast<CSelStrEdit*>(street), nullptr);
  QTest::keyClick(street, Qt::Key_F7);
  CEditEx* complementary = EditorOn(174);
  ASSERT_NE(dynamic_cast<CSubDialogEdit*>(complementary), nullptr);
  QTest::keyClick(complementary, Qt::Key_X);
  QApplication::processEvents();
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{QStringLiteral("WIN1102"), QStringLiteral("WIN1102")}));

  // QX_PAGE_IMAGES=<folder> saves the page as shown at 100 % (docs/images/pages/).
  if (const char* folder = std::getenv("QX_PAGE_IMAGES")) {
    view->resize(view->PageSize() + QSize(24, 24));
    QApplication::processEvents();
    const QImage image = view->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    ASSERT_TRUE(image.save(QString::fromUtf8(folder) + "/ORD001.png"));
  }
}

}  // namespace
}  // namespace formstest
