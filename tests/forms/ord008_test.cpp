// Page 8 of form 100: capital gains and losses of transfers. The position -> field table, the
// asset items' links and boxes, the rules of their two dates and the lists' computable amounts.
#include "forms/pages/ord008.h"
#include "page_rows_fixture.h"

namespace formstest {
namespace {

constexpr std::size_t kG4 = f100::SectionG4.offset, kG5 = f100::SectionG5.offset;
constexpr std::size_t kItems = kG4 + 1320;

class Ord008 : public RowPageTest {
 protected:
  Ord008() : RowPageTest(208) {}
  forms::ORD008& Page() { return static_cast<forms::ORD008&>(*view); }
  std::uint8_t* Item(int i) { return At(kItems + 760 * static_cast<std::size_t>(i)); }
  void SetText(std::uint8_t* p, const char* text) { std::memcpy(p, text, std::strlen(text)); }
  std::string Text(const std::uint8_t* p, std::size_t n) {
    std::string s(reinterpret_cast<const char*>(p), n);
    return s.find_first_not_of(std::string("\0", 1)) == std::string::npos ? std::string() : s;
  }
  // An item of holder 2 and kind '3' with its dates (empty: none) and transfer value.
  void SetItem(const char* transmission, const char* acquisition, double value = 0.0) {
    std::memset(Item(0), 0, 760);
    Item(0)[0] = 2;
    Item(0)[21] = '3';
    SetText(Item(0) + 22, transmission);
    SetText(Item(0) + 30, acquisition);
    blocks::F64{40}.set(Item(0), value);
  }
  // Types `date` into the item's transmission (40) or acquisition (41) box.
  void TypeDate(int position, const char* date) {
    auto* cell = static_cast<std::uint8_t*>(Data(position));
    std::memset(cell, 0, 8);
    SetText(cell, date);
    host->coded.codes.clear();
    view->OnBoxEdited(position);
  }
  const std::vector<std::string>& Codes() { return host->coded.codes; }
};

struct Field {
  int position;
  std::size_t offset;
};

TEST_F(Ord008, BindsEveryBoxToItsFieldOrRowCell) {
  forms::CFormView& page = Show();
  EXPECT_EQ(page.GetPageClassName(), "ORD008");
  ASSERT_EQ(page.GetBoxCount(), 121);
  for (const Field& f : {Field{13, kG4 + 360}, Field{23, kG4 + 760}, Field{36, kG4 + 1280}, Field{91, kG4 + 12720},
                         Field{93, kG4 + 12800}, Field{103, kG4 + 13200}, Field{113, kG4 + 13600}, Field{114, kG5 + 48},
                         Field{118, kG5 + 208}, Field{120, f100::Family.offset + 105}})
    EXPECT_EQ(Data(f.position), At(f.offset)) << f.position;
  for (int p = 114; p <= 118; ++p) EXPECT_EQ(Option(p), At(kG5)) << p;
  struct RowCell {
    int position, table, row, cell;
  };
  for (const RowCell& c : {RowCell{4, 984, 0, 0}, RowCell{12, 984, 2, 2}, RowCell{14, 985, 0, 0}, RowCell{35, 986, 2, 3},
                           RowCell{37, 987, 0, 0}, RowCell{40, 987, 0, 3}, RowCell{43, 987, 0, 6}, RowCell{54, 987, 0, 17},
                           RowCell{90, 987, 2, 17}, RowCell{94, 988, 0, 0}, RowCell{112, 989, 2, 2}})
    EXPECT_EQ(Data(c.position), Page().Table(c.table)->GetCell(c.row, c.cell)) << c.position;
  for (int r = 0; r < 3; ++r) {
    const auto* kind = static_cast<const ui::AnnexPointerList*>(Option(39 + 18 * r));
    const auto* value = static_cast<const ui::AnnexPointerList*>(Option(42 + 18 * r));
    ASSERT_TRUE(kind && value);
    EXPECT_EQ(Option(43 + 18 * r), value);
    EXPECT_EQ(kind->block, Page().Table(987)->GetCell(r, 22));
    EXPECT_EQ(value->block, kind->block);
    EXPECT_EQ(kind->holder, 8);
    EXPECT_EQ(value->holder, 0);
    EXPECT_EQ(value->value, r);
    EXPECT_EQ(value->size, 760);
  }
}

TEST_F(Ord008, AnItemsBoxesOpenWithItsKindAndDates) {
  struct Case {
    const char* kind;
    const char* transmission;
    const char* acquisition;
    bool dates, values;
  };
  for (const Case& c : {Case{"", "", "", false, false}, Case{"3", "15062003", "", true, false},
                        Case{"3", "15062003", "01011990", true, true}}) {
    SetItem(c.transmission, c.acquisition);
    Item(0)[21] = c.kind[0];
    Show();
    EXPECT_FALSE(ReadOnly(38));
    EXPECT_FALSE(ReadOnly(39));
    EXPECT_EQ(ReadOnly(40), !c.dates) << c.kind;
    EXPECT_EQ(ReadOnly(41), !c.dates) << c.kind;
    EXPECT_EQ(ReadOnly(42), !c.values) << c.transmission;
    EXPECT_EQ(ReadOnly(43), !c.values) << c.transmission;
    for (int p = 44; p <= 54; ++p) EXPECT_TRUE(ReadOnly(p)) << p;
  }
  EXPECT_TRUE(ReadOnly(56)) << "an empty row";
}

TEST_F(Ord008, ValueBoxesNameTheAnnexOfTheItemsKind) {
  SetItem("15062003", "01011990");
  Item(0)[21] = '2';
  Show();
  EXPECT_EQ(view->GetBox(41)->NombreVent, "IDD_VALTRANSEA2");
  EXPECT_EQ(view->GetBox(42)->NombreVent, "IDD_VALADQUIA2");
  *static_cast<std::uint8_t*>(Data(39)) = '3';
  view->OnBoxSetFocus(40);
  EXPECT_EQ(view->GetBox(41)->NombreVent, "IDD_VALTRANSENA2");
  EXPECT_EQ(view->GetBox(42)->NombreVent, "IDD_VALADQUINA2");
}

TEST_F(Ord008, TheTwoDatesOfAnItemStayConsistent) {
  struct Case {
    const char* name;
    const char* transmission;
    const char* acquisition;
    double value;
    int position;
    const char* typed;
    int answer;
    const char* message;
    const char* transmissionAfter;
    const char* acquisitionAfter;
  };
  const Case cases[] = {
      {"outside the year, no values", "", "", 0, 40, "15062002", 1, "100R030", "", ""},
      {"outside the year, values, correct", "15062003", "01011990", 5, 40, "15062002", 8, "100P020", "15062003", "01011990"},
      {"held a year or less", "", "10062003", 0, 40, "15062003", 1, "100R031", "", "10062003"},
      {"an exact anniversary is a year", "", "15062002", 0, 40, "15062003", 1, "100R031", "", "15062002"},
      {"before the acquisition", "", "20062003", 0, 40, "15062003", 1, "100R029", "", "20062003"},
      {"before the acquisition, values, correct", "15062003", "01011990", 5, 41, "20062003", 8, "100P021", "15062003",
       "01011990"},
      {"before the acquisition, values, accept", "15062003", "01011990", 5, 41, "20062003", 1, "100P021", "15062003", ""},
      {"acquired after 2002 without transfer", "", "", 0, 41, "15012004", 1, "WIN005", "", ""},
      {"held over a year", "", "14062001", 0, 40, "15062003", 1, nullptr, "15062003", "14062001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetItem(c.transmission, c.acquisition, c.value);
    Show();
    host->coded.answer = c.answer;
    TypeDate(c.position, c.typed);
    EXPECT_EQ(Codes(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(Text(Item(0) + 22, 8), c.transmissionAfter);
    EXPECT_EQ(Text(Item(0) + 30, 8), c.acquisitionAfter);
    if (c.answer == 1 && c.value != 0 && c.message) {
      EXPECT_EQ(blocks::F64{40}.get(Item(0)), c.acquisitionAfter[0] ? c.value : 0.0);
    }
  }
}

TEST_F(Ord008, ADatedValuationEntryOutsideTheHoldingIsCleared) {
  SetItem("", "14062001");
  SetText(Item(0) + 136, "01011999");
  blocks::F64{144}.set(Item(0), 7.0);
  blocks::F64{152}.set(Item(0), 8.0);
  SetText(Item(0) + 160, "01012002");
  blocks::F64{168}.set(Item(0), 9.0);
  Show();
  TypeDate(40, "15062003");
  EXPECT_EQ(Text(Item(0) + 136, 8), "");
  EXPECT_EQ(blocks::F64{144}.get(Item(0)), 0.0);
  EXPECT_EQ(blocks::F64{152}.get(Item(0)), 0.0);
  EXPECT_EQ(Text(Item(0) + 160, 8), "01012002");
  EXPECT_EQ(blocks::F64{168}.get(Item(0)), 9.0);
}

TEST_F(Ord008, ALaterAcquisitionYearClearsTheYearlyEntriesBeforeIt) {
  struct Case {
    const char* from;
    const char* to;
    bool message;
  };
  for (const Case& c : {Case{"01011990", "01011996", true}, Case{"01011996", "01011990", false}}) {
    SetItem("15062003", c.from);
    blocks::F64{416}.set(Item(0), 5.0);  // 1995's entry
    blocks::F64{464}.set(Item(0), 6.0);  // 1983's
    blocks::F64{192}.set(Item(0), 7.0);
    Show();
    TypeDate(41, c.to);
    EXPECT_EQ(Codes(), c.message ? std::vector<std::string>{"100I005"} : std::vector<std::string>{}) << c.to;
    EXPECT_EQ(blocks::F64{416}.get(Item(0)), c.message ? 0.0 : 5.0) << c.to;
    EXPECT_EQ(blocks::F64{192}.get(Item(0)), 0.0) << c.to;
    EXPECT_EQ(blocks::F64{464}.get(Item(0)), 6.0) << "tested, not cleared";
  }
}

TEST_F(Ord008, AComputableAmountAboveTheTotalIsRefused) {
  At(kG4)[0] = 2;
  Show();
  blocks::F64{0}.set(static_cast<std::uint8_t*>(Data(5)), 100.0);
  blocks::F64{0}.set(static_cast<std::uint8_t*>(Data(6)), 150.0);
  view->OnBoxEdited(6);
  EXPECT_EQ(Codes(), std::vector<std::string>{"100R051"});
  EXPECT_EQ(blocks::F64{kG4 + 8}.get(Block()), 100.0);
  EXPECT_EQ(blocks::F64{kG4 + 16}.get(Block()), 0.0);
  ASSERT_NE(Page().Editor(), nullptr);
  QApplication::processEvents();
  EXPECT_EQ(Page().EditedBox(), 5);
}

TEST_F(Ord008, AnotherKindAsksBeforeDroppingTheValuation) {
  for (int answer : {1, 8}) {
    SetItem("15062003", "01011990", 10.0);
    Item(0)[21] = '1';
    blocks::F64{112}.set(Item(0), 20.0);
    blocks::F64{56}.set(Item(0), 3.0);
    blocks::F64{300}.set(Item(0), 4.0);
    Show();
    host->coded.codes.clear();
    host->coded.answer = answer;
    *static_cast<std::uint8_t*>(Data(39)) = '2';
    view->OnBoxSubDialogValue(39);
    EXPECT_EQ(Codes(), std::vector<std::string>{"100P023"});
    EXPECT_EQ(Item(0)[21], answer == 1 ? '2' : '1');
    EXPECT_EQ(blocks::F64{40}.get(Item(0)), 10.0);
    EXPECT_EQ(blocks::F64{112}.get(Item(0)), 20.0);
    EXPECT_EQ(blocks::F64{56}.get(Item(0)), answer == 1 ? 0.0 : 3.0);
    EXPECT_EQ(blocks::F64{300}.get(Item(0)), answer == 1 ? 0.0 : 4.0);
  }
}

TEST_F(Ord008, ClearingAHolderDeletesItsRowOnConsent) {
  for (int i = 0; i < 4; ++i) {
    At(kG4 + 24 * static_cast<std::size_t>(i))[0] = 2;
    blocks::F64{kG4 + 24 * static_cast<std::size_t>(i) + 8}.set(Block(), 10.0 * (i + 1));
  }
  Show();
  host->coded.answer = 8;
  *static_cast<std::uint8_t*>(Data(10)) = 0;
  EXPECT_EQ(view->OnBoxValueCleared(10), 0);
  EXPECT_EQ(At(kG4 + 48)[0], 2);
  host->coded.answer = 1;
  EXPECT_EQ(view->OnBoxValueCleared(10), 1);
  EXPECT_EQ(blocks::F64{kG4 + 48 + 8}.get(Block()), 40.0) << "the later record moved up";
  EXPECT_EQ(At(kG4 + 72)[0], 0);
}

TEST_F(Ord008, ContinuationSheetsAdvanceEveryListTogether) {
  for (int i = 0; i < 7; ++i) Item(i)[0] = 2;
  Item(6)[1] = 'Z';
  Show();
  forms::CPageBoxList& list = *view->BoxList();
  ASSERT_TRUE(list.SelectSheet(1, 1));
  EXPECT_EQ(list.continuationSheets, 2);
  EXPECT_EQ(*static_cast<char*>(Data(3)), '2');
  ASSERT_TRUE(list.SelectSheet(3, 1));
  EXPECT_EQ(Page().Table(987)->FirstVisible(), 6);
  EXPECT_EQ(static_cast<char*>(Data(38))[0], 'Z');
  for (int p : {3, 13, 36, 91, 113, 118}) EXPECT_EQ(Data(p), nullptr) << p;
  EXPECT_STREQ(static_cast<char*>(Data(121)), "HOJA COMPLEMENTARIA");
  EXPECT_FALSE(list.SelectSheet(4, 1));
}

TEST_F(Ord008, RendersWithItsRows) {
  SetItem("15062003", "01011990", 1234.5);
  Item(0)[21] = '2';
  SetText(Item(0) + 1, "PISO CALLE MAYOR");
  At(kG4)[0] = 2;
  Show();
  SaveImage("ORD008");
}

}  // namespace
}  // namespace formstest
