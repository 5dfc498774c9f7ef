#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "checks_fakes.h"
#include "blocks/field.h"
#include "data/db/ado.h"
#include "data/db/databases.h"
#include "checks/avisos_model.h"
#include "checks/validators.h"
#include "support/member_view.h"

using namespace checks;

namespace {

void text(std::vector<unsigned char>& b, std::size_t off, const std::string& s) {
  blocks::Text{off, s.size()}.set(b.data(), s);
}

struct ValidatorFixture : ::testing::Test {
  std::vector<unsigned char> block = std::vector<unsigned char>(95208);
  qxtest::MemberView view{doc::kDeclarant, {1, 1, 0, 0, 0}};
  DocumentState doc;
  RecordingMessages messages;
  InMemoryCorrectionsStore store;
  CFieldCheck check{doc, messages, store};
  CValidator100 v100{check};

  // A declarant with everything the validator asks for.
  void SetUp() override {
    doc.block = block.data();
    doc.blockSize = block.size();
    check.SetDeclarationKey("DECL1");
    text(block, 782, "12345678Z");
    text(block, 833, "JUAN");
    text(block, 908, "GARCIA");
    text(block, 983, "LOPEZ");
    text(block, 1527, "1");
    text(block, 1098, "C");
    block[1066] = 1;
    text(block, 4634, "20");
    block[10536] = 2;
    blocks::F64{10544}.set(block.data(), 100);
    text(block, 10552, "X");
  }
  // A form-714 declarant with a NIF, a name, an office and an address; the validator is pointed at it.
  static constexpr std::size_t P = 6200, R = 6696, S = 21440;
  std::vector<unsigned char> form714() {
    std::vector<unsigned char> b(22024);
    text(b, P + 86, "12345678Z");
    text(b, P + 96, "GARCIA");
    text(b, P + 126, "JUAN");
    b[P + 431] = 'A';
    b[P + 144] = 'C';
    b[P + 141] = 'X';
    return b;
  }
  void use(std::vector<unsigned char>& b) {
    doc.kind = kForm714;
    doc.block = b.data();
    doc.blockSize = b.size();
  }
  std::vector<std::string> codes() {
    std::vector<std::string> c;
    for (const auto& r : store.rows) c.push_back(r.coderror);
    return c;
  }
};

}  // namespace

TEST_F(ValidatorFixture, CleanDeclarationHasNoFinding) {
  EXPECT_EQ(v100.Validate(0, 2, -1), -1);
  EXPECT_TRUE(store.rows.empty()) << ::testing::PrintToString(codes());
}

// Each finding raises the result to the severity of its row, except the ones counted as a warning
// (rows of severity 1 that the filing may go past from the "Avisos y errores" window).
TEST_F(ValidatorFixture, RulesOnSmallFixtures) {
  struct Case {
    const char* name;
    std::function<void(std::vector<unsigned char>&)> mutate;
    const char* code;
    int result;
  } cases[] = {
      {"no NIF", [](auto& b) { text(b, 782, "         "); }, "WIN001", 1},
      {"one-word name", [](auto& b) { text(b, 983, std::string(15, ' ')); text(b, 908, std::string("G").append(14, ' ')); }, "WIN017", 1},
      {"no street", [](auto& b) { b[1098] = 0; }, "WIN016", 0},
      {"no address kind", [](auto& b) { b[1066] = 0; }, "WIN019", 0},
      {"individual mode-1 declaration without the spouse's address",
       [](auto& b) {
         b[0] = 1;
         text(b, 1698, "PEREZ");
         text(b, 1623, "ANA");
       },
       "100R068", 0},
      {"E1 marks 1 then 2",
       [](auto& b) {
         b[11568] = 2; b[11568 + 9] = '1';
         b[11568 + 288] = 2; b[11568 + 288 + 9] = '2';
       },
       "100R089", 1},
      {"E1 withholding 400.6 of 1000",
       [](auto& b) {
         b[11568] = 2;
         blocks::F64{11568 + 264}.set(b.data(), 1000);
         blocks::F64{11568 + 272}.set(b.data(), 400.6);
       },
       "100P025", 0},
      {"gain with one amount 0",
       [](auto& b) { b[48448] = 2; blocks::F64{48448 + 8}.set(b.data(), 50); }, "100R058", 1},
      {"no family rows", [](auto& b) { b[10536] = 0; }, "100I020", 0},
  };
  for (const auto& c : cases) {
    block.assign(block.size(), 0);
    SetUp();
    c.mutate(block);
    int result = v100.Validate(0, 2, -1);
    auto found = codes();
    EXPECT_NE(std::find(found.begin(), found.end(), c.code), found.end()) << c.name << ": " << ::testing::PrintToString(found);
    EXPECT_EQ(result, c.result) << c.name << ": " << ::testing::PrintToString(found);
    for (const auto& r : store.rows) {
      if (r.coderror != c.code) continue;
      EXPECT_EQ(r.severidad, c.code[3] == 'I' || c.code[3] == 'P' ? 0 : 1) << c.name;
    }
  }
}

// The country code of the declarant's address against the region of residence "20" (abroad): the
// address dialog leaves a home in Spain with a blank country code, which names no country.
TEST_F(ValidatorFixture, ABlankCountryCodeIsAHomeInSpain) {
  struct Case {
    const char* region;
    std::string country;  // the three bytes of the declarant's country code
    const char* found;    // the finding expected, or null for none of the two
  } cases[] = {
      {"12", "   ", nullptr},
      {"12", std::string(3, '\0'), nullptr},
      {"12", "004", "100R088"},
      {"20", "   ", "100R087"},
      {"20", "004", nullptr},
  };
  for (const Case& c : cases) {
    block.assign(block.size(), 0);
    store.rows.clear();
    SetUp();
    text(block, 4634, c.region);
    std::copy(c.country.begin(), c.country.end(), block.begin() + 1066);
    text(block, 1344 + 14, "28013");
    v100.Validate(0, 2, -1);
    const auto found = codes();
    for (const char* code : {"100R087", "100R088"}) {
      const bool expected = c.found && std::string(c.found) == code;
      EXPECT_EQ(std::find(found.begin(), found.end(), code) != found.end(), expected)
          << c.region << " [" << c.country << "] " << code << ": " << ::testing::PrintToString(found);
    }
  }
}

TEST_F(ValidatorFixture, WithholdingLimitIsRoundedFortyPercentPlusHalf) {
  block[11568] = 2;
  blocks::F64{11568 + 264}.set(block.data(), 1000);
  blocks::F64{11568 + 272}.set(block.data(), 400.4);
  EXPECT_EQ(v100.Validate(0, 2, 3), -1);
  block[11568] = 1;  // common rows count for the spouse too
  view.SetExists(doc::kSpouse, true);
  blocks::F64{11568 + 272}.set(block.data(), 400.6);
  EXPECT_EQ(v100.Validate(0, 3, 3), 0);
  EXPECT_EQ(codes(), std::vector<std::string>{"100P025"});
}

TEST_F(ValidatorFixture, RunRules) {
  text(block, 156, "99");
  text(block, 782, "         ");
  EXPECT_EQ(v100.Validate(0, 2, -1), 1);
  EXPECT_EQ(codes(), std::vector<std::string>{"100R071"});
  text(block, 156, "01");
  EXPECT_EQ(v100.Validate(0, 2, 0), 1);
  EXPECT_TRUE(store.rows.empty());
  EXPECT_EQ(v100.Validate(0, 2, 9), -1);
}

// "WIN022" (a box value did not fit since the flag was last armed) and "UFCYGNR" (the family unit
// of a declaration whose spouse is excluded) are listed without counting; with both spouses they
// are written once, before the members' sections.
TEST_F(ValidatorFixture, OverflowAndExcludedSpouseAreListedNotCounted) {
  struct Case {
    bool armed;
    bool spouseExcluded;
    int member;
    std::vector<std::string> codes;
  } cases[] = {
      {true, false, 1, {}},
      {false, false, 2, {"WIN022"}},
      {true, true, 1, {"UFCYGNR"}},
      {true, true, 2, {}},
      {false, true, 1, {"WIN022", "UFCYGNR"}},
      {false, false, 6, {"WIN022"}},
  };
  for (const Case& c : cases) {
    if (c.armed) doc::overflow_warning::Arm(); else doc::overflow_warning::Disarm();
    block[2358] = c.spouseExcluded ? 1 : 0;
    EXPECT_EQ(v100.Validate(0, c.member, 9), -1) << c.member;
    EXPECT_EQ(codes(), c.codes) << c.member;
    for (const auto& r : store.rows) EXPECT_EQ(r.severidad, 1);
  }
  // Form 714 lists the overflow the same way, on page 9.
  std::vector<unsigned char> b714 = form714();
  use(b714);
  CValidator714 v714{check};
  b714[R + 24] = 1;
  doc::overflow_warning::Disarm();
  EXPECT_EQ(v714.Validate(0, 2, -1), -1);
  ASSERT_EQ(codes(), std::vector<std::string>{"WIN022"});
  EXPECT_EQ(store.rows[0].vista, 9);
}

TEST_F(ValidatorFixture, LostRowCountsAsError) {
  block[10536] = 0;  // a warning only
  store.failWrites = true;
  EXPECT_EQ(v100.Validate(0, 2, 2), 1);
}

TEST_F(ValidatorFixture, Form714) {
  std::vector<unsigned char> b714 = form714();
  use(b714);
  CValidator714 v714{check};
  b714[R + 24] = 1;
  EXPECT_EQ(v714.Validate(0, 2, -1), -1) << ::testing::PrintToString(codes());
  b714[R + 24] = 0;
  EXPECT_EQ(v714.Validate(0, 2, -1), 1);
  EXPECT_EQ(b714[R + 25], 1);
  EXPECT_EQ(codes(), std::vector<std::string>{"100R080"});
  text(b714, R + 26, "21000418450200051332");
  EXPECT_EQ(v714.Validate(0, 5, -1), -1);
  // The other spouse's excluded assets above their net wealth are listed without stopping the filing.
  b714[21440 + 296] = 'C';
  blocks::F64{21440 + 352}.set(b714.data(), 10);
  EXPECT_EQ(v714.Validate(0, 2, -1), -1);
  EXPECT_EQ(codes(), std::vector<std::string>{"714R002"});
  ASSERT_EQ(store.rows.size(), 1u);
  EXPECT_EQ(store.rows[0].severidad, 1);
  text(b714, P + 86, "         ");
  text(b714, P + 96, "AAAB");
  EXPECT_EQ(v714.Validate(0, 4, -1), 1);
  EXPECT_EQ(codes(), (std::vector<std::string>{"WIN041", "WIN015", "714R002"}));
  for (const auto& r : store.rows) EXPECT_EQ(r.sujetodecl, 2);
}

// The nothing-to-pay mark is one byte: what follows it does not decide whether the account is required.
TEST_F(ValidatorFixture, Form714NothingToPayIsOneByte) {
  std::vector<unsigned char> b714 = form714();
  use(b714);
  CValidator714 v714{check};
  struct Case {
    unsigned char mark, next;
    bool accountRequired;
  };
  for (Case c : {Case{0, 0, true}, Case{0, 0x40, true}, Case{1, 0, false}, Case{1, 0x40, false}}) {
    b714[R + 25] = 0;
    b714[S + 552] = c.mark;
    b714[S + 553] = c.next;
    EXPECT_EQ(v714.Validate(0, 2, -1), c.accountRequired ? 1 : -1) << int(c.mark) << "/" << int(c.next);
    EXPECT_EQ(b714[R + 25], c.accountRequired ? 1 : 0);
  }
}

TEST(CorrectionsTable, WriterAndClearerOverTheDeclarationsDatabase) {
  // The table as the program creates it in a new declarations database.
  db::CAdoConnection connection("DatRed");
  struct Errors : db::ErrorReporter {
    std::vector<db::DbError> seen;
    void Report(const db::DbError& e) override { seen.push_back(e); }
  } errors;
  connection.SetReporter(&errors);
  ASSERT_TRUE(connection.Open(":memory:", db::OpenMode::Create));
  ASSERT_TRUE(db::CreateDeclarationsSchema(connection));
  DatabaseCorrectionsStore store(connection);
  qxtest::MemberView view(doc::kDeclarant, {1, 1, 0, 0, 0});
  DocumentState doc;
  RecordingMessages messages;
  CFieldCheck check(doc, messages, store);
  check.SetDeclarationKey("O'BRIEN 2003");
  CFieldCheck other(doc, messages, store);
  other.SetDeclarationKey("O'BRIEN 2003X");
  EXPECT_TRUE(check.AddCorrection("100R042", 3, 7, 1, 2));
  EXPECT_TRUE(check.AddCorrection("100R042", 4, 9, 1, 2));
  EXPECT_TRUE(check.AddCorrection("100R042", 5, 1, 0, 2));  // lower severity: no change
  EXPECT_TRUE(check.AddCorrection("100R042", 6, 6, 1, 3));  // no spouse: the member shown
  view.SetExists(doc::kChild1, true);
  EXPECT_TRUE(check.AddCorrection("100R042", 8, 8, 1, 4));
  EXPECT_TRUE(other.AddCorrection("100R042", 1, 1, 1, 2));
  std::vector<CorrectionRow> rows;
  ASSERT_TRUE(store.List(check.DeclarationKey(), rows));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].clave.size(), 50u);
  EXPECT_EQ(rows[0].sujetodecl, 2);
  EXPECT_EQ(rows[0].vista, 6);
  EXPECT_EQ(rows[0].numcontr, 6);
  EXPECT_EQ(rows[1].sujetodecl, 4);
  EXPECT_TRUE(check.ClearResults());
  ASSERT_TRUE(store.List(check.DeclarationKey(), rows));
  EXPECT_TRUE(rows.empty());
  ASSERT_TRUE(store.List(other.DeclarationKey(), rows));
  EXPECT_EQ(rows.size(), 1u);
  EXPECT_TRUE(errors.seen.empty());
  ASSERT_TRUE(connection.Execute("DROP TABLE CORREGIX"));
  EXPECT_FALSE(check.AddCorrection("100R042", 3, 7, 1, 2)) << "a database error is not a success";
  EXPECT_FALSE(errors.seen.empty()) << "and it is reported";
}

// The check object and the window key a declaration as the store does: 50 characters, so that a
// long accented name is never cut inside a letter and its rows stay the declaration's.
TEST(CorrectionsTable, KeyIsFiftyCharactersAsTheStoreHasIt) {
  DocumentState doc;
  RecordingMessages messages;
  InMemoryCorrectionsStore store;
  CFieldCheck check(doc, messages, store);
  std::string longName;
  for (int i = 0; i < 26; ++i) longName += "É";  // 26 characters, 52 bytes
  longName += std::string(30, 'A');              // 56 characters in all
  check.SetDeclarationKey(longName);
  const std::string expected = std::string(longName, 0, 52) + std::string(24, 'A');
  EXPECT_EQ(check.DeclarationKey(), expected);
  check.SetDeclarationKey("JOSÉ");
  EXPECT_EQ(check.DeclarationKey(), std::string("JOSÉ").append(46, ' '));
  ASSERT_TRUE(check.AddCorrection("100R042", 3, 7, 1, 2));
  struct NoTexts : IMessageTexts {
    bool Lookup(const std::string&, std::string&, std::string&) override { return false; }
  } texts;
  AvisosErroresModel model(store, texts, messages);
  model.SetDeclarationKey("JOSÉ");
  ASSERT_TRUE(model.Load());
  EXPECT_EQ(model.Rows().size(), 1u);
}
