// The declarations index rules over a fake window: button states, typing, selection, the store
// commands and the search.
#include <gtest/gtest.h>
#include <cstdio>
#include <algorithm>

#include <map>

#include "data/store/index_controller.h"
#include "db_fixture.h"
#include "store_fixture.h"

namespace {

using namespace store;
namespace id = index_id;

struct FakeView : IIndexView {
  std::map<std::pair<int, int>, std::string> cells;
  std::map<int, bool> enabled;
  std::map<int, std::string> texts;
  int defaultButton = 0, focusRow = -1, focusCol = -1, formChoice = -1;
  std::optional<bool> ended;
  std::optional<std::string> search;
  void SetCell(int r, int c, const std::string& t) override { cells[{r, c}] = t; }
  std::string Cell(int r, int c) const override {
    auto it = cells.find({r, c});
    return it == cells.end() ? "" : it->second;
  }
  void Enable(int i, bool on) override { enabled[i] = on; }
  bool IsEnabled(int i) const override { return enabled.count(i) ? enabled.at(i) : true; }
  void SetDefaultButton(int i) override { defaultButton = i; }
  void SetText(int i, const std::string& t) override { texts[i] = t; }
  std::string Text(int i) const override { return texts.count(i) ? texts.at(i) : ""; }
  void SelectCell(int r, int c) override {
    focusRow = r;
    focusCol = c;
  }
  int FocusedRow() const override { return focusRow; }
  int FocusedColumn() const override { return focusCol; }
  void Focus(int) override {}
  void ShowFormChoice(int c) override { formChoice = c; }
  void EndDialog(bool ok) override { ended = ok; }
  std::optional<std::string> RunSearch() override { return search; }
};

using Recorder = storetest::MessageRecorder;

class IndexTest : public dbtest::DeclarationsTest {
 protected:
  StoreMessages Messages() { return storetest::RecordedMessages(&rec, nullptr); }
  void Type(const std::string& t) {
    view.SetText(id::kKeyField, t);
    index.OnKeyChanged();
  }
  Recorder rec;
  DeclarationStore store{conn, Messages()};
  FakeView view;
  IndexController index{store, view};
};

TEST_F(IndexTest, EmptyStoreEnablesAltaOnlyWhenANameIsTyped) {
  index.OnInit();
  for (int b : {id::kBaja, id::kDuplicar, id::kSeleccionar, id::kAlta, id::kFormRenta, id::kFormPatrimonio})
    EXPECT_FALSE(view.IsEnabled(b)) << b;
  EXPECT_EQ(view.Text(id::kTotal), "0");
  Type("PEREZ");
  EXPECT_TRUE(view.IsEnabled(id::kAlta));
  EXPECT_EQ(view.defaultButton, id::kAlta);
  // With both list filters cleared nothing is listed, yet a typed name still enables Alta.
  index.OnListFilters(false, false);
  Type("PEREZ");
  EXPECT_TRUE(view.IsEnabled(id::kAlta));
}

// The legend's (I): a declaration printed and unchanged since carries the mark; one changed after
// its print, or never printed, does not.
TEST_F(IndexTest, APrintedDeclarationCarriesThePrintedMark) {
  struct Case {
    const char* key;
    int kind;
    std::size_t at;  // the status byte set, 0 none
    std::uint8_t status;
    bool marked;
  };
  const Case cases[] = {{"IMPRESA", kKindForm100, 288 + 1, 1, true},   // the declarant printed
                        {"CAMBIADA", kKindForm100, 288 + 1, 2, false}, // printed, then changed
                        {"NUEVA", kKindForm100, 0, 0, false},
                        {"PATRIMONIO", kKindForm714, 6200, 1, true}};
  for (const Case& c : cases) {
    ASSERT_TRUE(store.Create(c.key, c.kind));
    std::vector<std::uint8_t> block(c.kind == kKindForm714 ? kForm714Bytes : kForm100Bytes);
    if (c.at) block[c.at] = c.status;
    ASSERT_TRUE(store.WriteRow(c.key, c.kind, c.kind == kKindForm714 ? '0' : 'I', block));
  }
  index.OnInit();
  for (int r = 1; r <= 4; ++r) {
    const std::string key = TrimKey(view.Cell(r, 1));
    const Case* c = std::find_if(std::begin(cases), std::end(cases), [&](const Case& x) { return key == x.key; });
    ASSERT_NE(c, std::end(cases)) << key;
    char number[16];
    std::snprintf(number, sizeof number, "%5d", r);
    EXPECT_EQ(view.Cell(r, 0), std::string(number) + (c->marked ? " I" : "")) << key;
  }
}

TEST_F(IndexTest, ListRowsTypingAndSelection) {
  ASSERT_TRUE(store.Create("PEREZ", kKindForm100));
  ASSERT_TRUE(store.WriteRow("PEREZ", 2, 'I', std::vector<std::uint8_t>(kForm100Bytes)));
  ASSERT_TRUE(store.Create("GOMEZ", kKindForm714));
  index.OnInit();
  EXPECT_EQ(view.Cell(1, 0), "    1");
  EXPECT_EQ(view.Cell(1, 1), PadKey("PEREZ"));
  EXPECT_EQ(view.Cell(1, 2), "IRPF");
  EXPECT_EQ(view.Cell(1, 3), "X");
  EXPECT_EQ(view.Cell(2, 2), "714");
  EXPECT_EQ(view.Text(id::kKeyField), "PEREZ");
  EXPECT_TRUE(view.IsEnabled(id::kSeleccionar));

  Type("PEREZA");  // one letter more: a new name
  EXPECT_TRUE(index.NewDeclaration());
  EXPECT_TRUE(view.IsEnabled(id::kAlta));
  EXPECT_TRUE(view.IsEnabled(id::kRenombrar));
  EXPECT_FALSE(view.IsEnabled(id::kDuplicar));
  EXPECT_FALSE(view.IsEnabled(id::kSeleccionar));
  Type("GOMEZ");
  EXPECT_FALSE(index.NewDeclaration());
  EXPECT_FALSE(view.IsEnabled(id::kAlta));

  index.SelectCell(2, 1);
  EXPECT_EQ(view.formChoice, 1);
  index.OnSeleccionar();
  ASSERT_TRUE(view.ended);
  EXPECT_EQ(index.ChosenKey(), "GOMEZ");
  EXPECT_EQ(index.Kind(), 3);

  // Double-clicking the heading or an empty row does nothing.
  view.ended.reset();
  index.OnCellDoubleClick(0, 1);
  index.OnCellDoubleClick(7, 1);
  EXPECT_FALSE(view.ended);
}

TEST_F(IndexTest, AltaDuplicarRenombrarBajaAndSearch) {
  index.OnInit();
  Type("O'NEIL");
  index.OnFormChoice(1);
  index.OnAlta();
  ASSERT_TRUE(view.ended && *view.ended);
  EXPECT_TRUE(index.NewDeclaration());
  EXPECT_EQ(index.ChosenKey(), "O´NEIL");
  EXPECT_EQ(store.Load("O´NEIL")->kind, 3);

  view.ended.reset();
  index.RefreshList();
  index.SelectCell(1, 1);
  index.OnDuplicar();
  EXPECT_TRUE(store.Exists("COPIA DE O´NEIL"));
  index.SelectCell(1, 1);
  index.OnDuplicar();
  EXPECT_EQ(rec.codes.back(), "WIN040");

  index.SelectCell(2, 1);
  view.SetText(id::kKeyField, "SANZ");
  index.OnRenombrar();
  EXPECT_TRUE(store.Exists("SANZ"));
  EXPECT_FALSE(store.Exists("COPIA DE O´NEIL"));

  view.search = "SA";
  index.OnBuscar();
  EXPECT_EQ(view.focusRow, 2);
  EXPECT_EQ(index.ChosenKey(), "SANZ");
  index.OnBaja();
  EXPECT_FALSE(store.Exists("SANZ"));
  EXPECT_EQ(view.Text(id::kTotal), "1");
}

TEST_F(IndexTest, FullStoreDisablesAltaAndDuplicarButAllowsRenombrar) {
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(store.Create(storetest::NumberedKey(i), kKindForm714));
  index.OnInit();
  EXPECT_FALSE(view.IsEnabled(id::kAlta));
  EXPECT_FALSE(view.IsEnabled(id::kDuplicar));
  index.SelectCell(3, 1);
  EXPECT_TRUE(view.IsEnabled(id::kRenombrar));
  EXPECT_FALSE(view.IsEnabled(id::kAlta));
  Type("NUEVA");
  EXPECT_FALSE(view.IsEnabled(id::kAlta));
}

TEST_F(IndexTest, SearchLooksUpExactThenNextKey) {
  ASSERT_TRUE(store.Create("MARTA", kKindForm714));
  auto exact = SearchDeclaration(store, "MARTA", true, true);
  EXPECT_TRUE(exact.found);
  EXPECT_TRUE(exact.acceptEnabled);
  auto before = SearchDeclaration(store, "LUIS", true, true);
  EXPECT_FALSE(before.found);
  EXPECT_TRUE(before.acceptEnabled);
  // Listing only "Renta", a form-714 declaration is found but cannot be accepted.
  auto hidden = SearchDeclaration(store, "MARTA", true, false);
  EXPECT_TRUE(hidden.found);
  EXPECT_FALSE(hidden.acceptEnabled);
  EXPECT_FALSE(SearchDeclaration(store, "ZZZ", true, true).acceptEnabled);
}

}  // namespace
