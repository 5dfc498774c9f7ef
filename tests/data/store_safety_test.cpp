// What the store does with input that would lose or corrupt declarations: the name rule, transfer
// files changed, damaged or odd, files that cannot be written, and the local copies of remote
// mode reloaded into the store they came from or cut short.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "data/store/previous_year.h"
#include "data/store/store.h"
#include "db_fixture.h"
#include "store_fixture.h"

namespace {

using namespace store;
namespace fs = std::filesystem;

class StoreSafetyTest : public dbtest::DeclarationsTest {
 protected:
  StoreMessages Messages() { return storetest::RecordedMessages(&rec, &plain); }
  std::string LastCode() const { return rec.codes.empty() ? "" : rec.codes.back(); }
  std::vector<std::string> Keys() {
    std::vector<std::string> keys;
    db::CAdoRecordset rs;
    if (rs.Open("DATOSDEC", &conn))
      for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) {
        std::string k;
        rs.GetText("CLAVE", k);
        keys.push_back(TrimKey(k));
      }
    return keys;
  }
  static TransferDeclaration Entry(const std::string& key, int kind, std::uint8_t fill) {
    TransferDeclaration d{key, kind, kind == kKindForm714 ? '0' : 'I',
                          std::vector<std::uint8_t>(BlockBytesForKind(kind), fill), {}};
    if (CarriesForm100(kind)) d.fiscalSlots = {FiscalSlot{2, {1, 2, 3}, {4}}};
    return d;
  }
  void WriteTransfer(const std::string& path, const std::vector<TransferDeclaration>& entries) {
    auto bytes = EncodeTransferFile(entries);
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(WriteFileAtomically(path, *bytes));
  }

  storetest::MessageRecorder rec;
  std::vector<std::string> plain;
  DeclarationStore store{conn, Messages()};
};

TEST(StoreNameRule, TypedAndImportedNamesFollowOneRule) {
  struct Case {
    std::string name;
    NameFault fault;
    std::string key;
  };
  const Case cases[] = {
      {"ana garcía", NameFault::None, "ANA GARCÍA"},
      {"O'BRIEN ñúñez  ", NameFault::None, "O'BRIEN ÑÚÑEZ"},
      {std::string(300, 'x'), NameFault::None, std::string(50, 'X')},
      {"   ", NameFault::Empty, ""},
      {"ИВАН", NameFault::NotCp1252, ""},
      {"ANA \xE2\x98\x83", NameFault::NotCp1252, ""},  // a snowman
      {"ANA\tB", NameFault::ControlCharacter, ""},
      {"ANA\nB", NameFault::ControlCharacter, ""},
      {std::string("ANA\0B", 5), NameFault::ControlCharacter, ""},
      {"ANA \xC2\x85", NameFault::NotCp1252, ""},  // a C1 control
  };
  for (const Case& c : cases) {
    CheckedName r = CheckName(c.name);
    EXPECT_EQ(r.fault, c.fault) << c.name;
    if (r.ok()) {
      EXPECT_EQ(r.key, c.key);
    }
  }
}

TEST_F(StoreSafetyTest, NamesOutsideTheRuleAreRefusedWhereTheyAreTyped) {
  for (const char* bad : {"ИВАН", "ДМИТ", "A\tB"}) {
    EXPECT_FALSE(store.Create(bad, kKindForm100)) << bad;
    EXPECT_EQ(LastCode(), msg::kBadName);
  }
  ASSERT_TRUE(store.Create("ana", kKindForm714));
  EXPECT_TRUE(store.Exists("ANA"));
  EXPECT_FALSE(store.Rename("ANA", "ИВАН", false));
  EXPECT_EQ(LastCode(), msg::kBadName);
  EXPECT_FALSE(store.SaveAs("ANA", "ДМИТ", kKindForm714, 0, std::vector<std::uint8_t>(kForm714Bytes)));
  EXPECT_EQ(LastCode(), msg::kBadName);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"ANA"}));
}

// A name already stored outside the rule is not exported as question marks.
TEST_F(StoreSafetyTest, ExportRefusesANameTheFileCannotCarry) {
  ASSERT_TRUE(AddDeclaration("ИВАН", kKindForm714, 1));
  const std::string path = dir.Str() + "x.ren";
  std::vector<std::string> keys{"ИВАН"};
  EXPECT_FALSE(store.Export(path, keys));
  EXPECT_EQ(LastCode(), msg::kBadName);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(plain.empty()) << plain.front();
}

TEST_F(StoreSafetyTest, ImportLeavesOutUnknownFormsAndBadNames) {
  const std::string path = dir.Str() + "x.ren";
  WriteTransfer(path, {Entry("uno", kKindForm100, 1), Entry("RARA", 5, 0), Entry("A\x01Z", kKindForm714, 2),
                       Entry("DOS", kKindForm714, 3)});
  auto entries = store.ReadTransfer(path);
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[0].key, "UNO");  // the rule's upper case
  EXPECT_EQ((*entries)[1].key, "DOS");
  EXPECT_EQ(rec.Count(msg::kImportUnknownKind), 1);
  EXPECT_EQ(rec.Count(msg::kImportBadNames), 1);

  std::vector<DeclarationStore::ImportChoice> all(2, {true, ""});
  ASSERT_TRUE(store.Import(*entries, all, false));
  EXPECT_EQ(Keys(), (std::vector<std::string>{"UNO", "DOS"}));
  // An unknown form handed in directly is refused as a whole.
  std::vector<TransferDeclaration> odd{Entry("TRES", 7, 0)};
  std::vector<DeclarationStore::ImportChoice> one{{true, ""}};
  EXPECT_FALSE(store.Import(odd, one, false));
  EXPECT_EQ(store.Count(), 2);
}

// What was listed is what is imported: a file changed after it was read changes nothing.
TEST_F(StoreSafetyTest, ImportStoresWhatWasListed) {
  ASSERT_TRUE(store.Create("GARCIA", kKindForm714));
  const auto before = *store.Load("GARCIA");
  const std::string path = dir.Str() + "x.ren";
  WriteTransfer(path, {Entry("NUEVA", kKindForm714, 7)});
  auto entries = store.ReadTransfer(path);
  ASSERT_TRUE(entries);
  WriteTransfer(path, {Entry("GARCIA", kKindForm714, 9)});

  std::vector<DeclarationStore::ImportChoice> all{{true, ""}};
  ASSERT_TRUE(store.Import(*entries, all, false));
  EXPECT_EQ(store.Load("GARCIA")->block, before.block);
  EXPECT_EQ(store.Load("NUEVA")->block, std::vector<std::uint8_t>(kForm714Bytes, 7));
}

// Two chosen entries that land on one key, whatever its case: nothing is imported.
TEST_F(StoreSafetyTest, ImportRefusesTwoEntriesUnderOneKey) {
  ASSERT_TRUE(store.Create("ANA", kKindForm714));
  std::vector<TransferDeclaration> entries{Entry("LUIS", kKindForm714, 1), Entry("PEPE", kKindForm714, 2)};
  std::vector<DeclarationStore::ImportChoice> clash{{true, "BEA"}, {true, "bea  "}};
  EXPECT_FALSE(store.Import(entries, clash, false));
  EXPECT_EQ(LastCode(), msg::kNameTaken);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"ANA"}));
  std::vector<DeclarationStore::ImportChoice> bad{{true, "ИВАН"}, {false, ""}};
  EXPECT_FALSE(store.Import(entries, bad, false));
  EXPECT_EQ(LastCode(), msg::kBadName);
}

TEST_F(StoreSafetyTest, ExportTellsAMissingFolderAndWritesThroughALink) {
  ASSERT_TRUE(store.Create("ANA", kKindForm714));
  std::vector<std::string> keys{"ANA"};
  EXPECT_FALSE(store.Export(dir.Str() + "no/such/x.ren", keys));
  EXPECT_EQ(LastCode(), msg::kNoSuchFolder);
  EXPECT_TRUE(plain.empty());

  fs::create_directories(dir.Path() / "real");
  std::ofstream(dir.Path() / "real" / "x.ren") << "old";
  fs::create_symlink("real/x.ren", dir.Path() / "link.ren");
  ASSERT_TRUE(store.Export(dir.Str() + "link.ren", keys, false));
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.ren"));
  auto written = ReadWholeFile((dir.Path() / "real" / "x.ren").string());
  ASSERT_TRUE(written);
  EXPECT_EQ(written->size(), 16u + 72 + kForm714Bytes);

  if (::geteuid() != 0) {  // permissions do not hold back the superuser
    fs::create_directories(dir.Path() / "ro");
    fs::permissions(dir.Path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(store.Export(dir.Str() + "ro/x.ren", keys));
    EXPECT_EQ(LastCode(), msg::kCannotWrite);
  }
}

TEST_F(StoreSafetyTest, AFiscalSlotBeyondAnyListingIsRefused) {
  auto bytes = *EncodeTransferFile(std::vector<TransferDeclaration>{Entry("ANA", kKindForm100, 1)});
  // The first slot's yes-size, after the key record and the block.
  const std::size_t at = 16 + 72 + kForm100Bytes + 8;
  double huge = static_cast<double>(kMaxFiscalListingBytes + 1);
  std::memcpy(bytes.data() + at, &huge, 8);
  bytes.resize(bytes.size() + kMaxFiscalListingBytes + 1, 0);
  EXPECT_EQ(DecodeTransferFile(bytes).error, TransferError::BadSlot);
}

// ---- the declarations database and its transactions ----

TEST_F(StoreSafetyTest, ADatabaseFileCutShortIsNoticed) {
  ASSERT_TRUE(store.Create("ANA", kKindForm714));
  EXPECT_TRUE(conn.FileMatchesPageCount());
  const std::string path = conn.Path();
  conn.Close();
  fs::resize_file(path, fs::file_size(path) - 100);
  ASSERT_TRUE(conn.Open(path));
  EXPECT_FALSE(conn.FileMatchesPageCount());
}

// A full disk: the engine has rolled the transaction back itself; one error is reported, not
// three.
TEST_F(StoreSafetyTest, AFullDiskReportsOneError) {
  ASSERT_TRUE(store.Create("ANA", kKindForm714));
  // Room for a few pages more than the file has: not for four form-100 blocks.
  ASSERT_TRUE(conn.Execute("PRAGMA max_page_count = " + std::to_string(fs::file_size(conn.Path()) / 4096 + 5)));
  reporter.errors.clear();
  std::vector<DeclarationStore::ImportChoice> all(4, {true, ""});
  std::vector<TransferDeclaration> entries;
  for (const char* k : {"B", "C", "D", "E"}) entries.push_back(Entry(k, kKindForm100, 3));
  EXPECT_FALSE(store.Import(entries, all, false));
  ASSERT_EQ(reporter.errors.size(), 1u);
  EXPECT_EQ(reporter.errors[0].number, -SQLITE_FULL);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"ANA"}));
  EXPECT_TRUE(sqlite3_get_autocommit(conn.Handle()));
}

// ---- last year's import ----

TEST_F(StoreSafetyTest, LastYearsNamesFollowTheRule) {
  const std::string lastPath = dir.Str() + "DatRed2002.db";
  {
    db::CAdoConnection last;
    ASSERT_TRUE(last.Open(lastPath, db::OpenMode::Create));
    ASSERT_TRUE(db::CreateDeclarationsSchema(last));
    for (const std::string& key : {std::string(300, 'l'), std::string("ИВАН")}) {
      db::CAdoRecordset rs;
      rs.Open("DATOSDEC", &last, db::Filter::Eq("TIPODEC", std::int64_t{-1}));
      ASSERT_TRUE(rs.PrepareNewRow() && rs.AddPendingValue("CLAVE", key) && rs.AddPendingInt("TIPODEC", 3) &&
                  rs.AddPendingBlob("DATOS", std::vector<std::uint8_t>(kForm714Bytes, 1)) && rs.AppendPendingRow());
    }
  }
  previous::PreviousYearImport imp(store);
  ASSERT_TRUE(imp.Open(lastPath));
  auto names = imp.Declarations();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(imp.ImportSelected(names, {}), 1);
  EXPECT_EQ(Keys(), (std::vector<std::string>{std::string(50, 'L')}));
  EXPECT_EQ(rec.Count(msg::kImportBadNames), 1);
}

// ---- remote mode's local copies ----

// The copies written from a store that stays in place come back into it at each start: nothing
// is doubled.
TEST_F(StoreSafetyTest, LocalCopiesOfAStoreInPlaceAddNothing) {
  ASSERT_TRUE(store.Create("GARCIA", kKindForm100));
  ASSERT_TRUE(store.Create("PAT", kKindForm714));
  for (int start = 0; start < 6; ++start) {
    auto loaded = store.LoadLocalCopies(dir.Str());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, 0) << "start " << start;
    ASSERT_TRUE(store.ExportLocalCopies(dir.Str()));
  }
  EXPECT_EQ(Keys(), (std::vector<std::string>{"GARCIA", "PAT"}));
  EXPECT_TRUE(rec.codes.empty());
}

// Cutting "1 " + key to 50 characters can give the key back; the renaming still ends.
TEST_F(StoreSafetyTest, LocalKeyRenamingEndsOnAKeyThatMapsToItself) {
  std::string ones;
  while (ones.size() < 49) ones += ones.empty() ? "1" : " 1";
  ASSERT_EQ(ones.size(), 49u);
  ASSERT_EQ(TrimKey(FirstChars("1 " + ones)), ones);
  ASSERT_TRUE(store.Create(ones, kKindForm714));
  auto key = store.FreeLocalKey(ones);
  ASSERT_TRUE(key);
  EXPECT_FALSE(store.Exists(*key));
  EXPECT_LE(*key, std::string(50, '~'));
}

// A copy cut short: its whole entries are loaded, the user is told, and the file is kept aside
// untouched while a new copy is written at exit.
TEST_F(StoreSafetyTest, ALocalCopyCutShortKeepsItsWholeEntries) {
  ASSERT_TRUE(store.Create("UNO", kKindForm100));
  ASSERT_TRUE(store.Create("DOS", kKindForm100));
  ASSERT_TRUE(store.ExportLocalCopies(dir.Str()));
  const std::string copy = dir.Str() + DeclarationStore::kLocalCopy100;
  auto bytes = *ReadWholeFile(copy);
  bytes.resize(bytes.size() - 10);
  ASSERT_TRUE(WriteFileAtomically(copy, bytes));
  rec.answer = 1;
  ASSERT_TRUE(store.Delete("UNO") && store.Delete("DOS"));
  rec.codes.clear();

  auto loaded = store.LoadLocalCopies(dir.Str());
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, 1);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"UNO"}));
  EXPECT_EQ(rec.codes, (std::vector<std::string>{std::string(msg::kLocalCopyKept)}));
  EXPECT_EQ(ReadWholeFile(copy + ".bak"), bytes);

  ASSERT_TRUE(store.ExportLocalCopies(dir.Str()));
  EXPECT_EQ(ReadWholeFile(copy + ".bak"), bytes);
  EXPECT_TRUE(fs::exists(copy));
}

// A run that ends before its index read the copies (an empty remote store): the copies are
// read in before they are written, not emptied.
TEST_F(StoreSafetyTest, CopiesNotReadInARunAreNotEmptiedAtItsEnd) {
  ASSERT_TRUE(store.Create("UNO", kKindForm714));
  ASSERT_TRUE(store.ExportLocalCopies(dir.Str()));
  rec.answer = 1;
  ASSERT_TRUE(store.Delete("UNO"));

  DeclarationStore nextRun(conn, Messages());
  ASSERT_TRUE(nextRun.ExportLocalCopies(dir.Str()));
  auto copy = DecodeLocalCopy(*ReadWholeFile(dir.Str() + DeclarationStore::kLocalCopy714), kKindForm714, 50);
  ASSERT_EQ(copy.entries.size(), 1u);
  EXPECT_EQ(copy.entries[0].key, "UNO");
}

TEST(LocalCopyReader, WholeEntriesOfTheCopysFormWithinTheRoom) {
  const std::vector<TransferDeclaration> three{
      {"A", kKindForm714, '0', std::vector<std::uint8_t>(kForm714Bytes, 1), {}},
      {"B", kKindForm714, '0', std::vector<std::uint8_t>(kForm714Bytes, 2), {}},
      {"C", kKindForm714, '0', std::vector<std::uint8_t>(kForm714Bytes, 3), {}}};
  const auto bytes = *EncodeTransferFile(three);
  struct Case {
    std::size_t cut;
    int kind;
    std::size_t room;
    std::size_t entries;
    bool whole;
  };
  const Case cases[] = {
      {0, kKindForm714, 50, 3, true},   {1, kKindForm714, 50, 2, false}, {0, kKindForm714, 2, 2, false},
      {0, kKindForm100, 50, 0, false},  {bytes.size() - 16, kKindForm714, 50, 0, false},
      {bytes.size(), kKindForm714, 50, 0, true},
  };
  for (const Case& c : cases) {
    std::span<const std::uint8_t> b(bytes.data(), bytes.size() - c.cut);
    LocalCopyContents r = DecodeLocalCopy(b, c.kind, c.room);
    EXPECT_EQ(r.entries.size(), c.entries) << c.cut << " " << c.room;
    EXPECT_EQ(r.whole, c.whole) << c.cut << " " << c.room;
  }
}

}  // namespace
