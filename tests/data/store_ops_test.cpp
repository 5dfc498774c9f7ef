// The declarations store end to end on a temporary database: limits, names, renames moving the
// fiscal rows, export and import, and local copies.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "data/store/store.h"
#include "db_fixture.h"
#include "store_fixture.h"

namespace {

using namespace store;

using Recorder = storetest::MessageRecorder;

class StoreTest : public dbtest::DeclarationsTest {
 protected:
  StoreMessages Messages() { return storetest::RecordedMessages(&rec, &plain); }
  std::string LastCode() const { return rec.codes.empty() ? "" : rec.codes.back(); }
  std::string LastPlain() const { return plain.empty() ? "" : plain.back(); }

  // A form-100 declaration with a recognisable block, print status and fiscal rows.
  void AddForm100(const std::string& key, std::uint8_t fill, int fiscalRows = 0) {
    ASSERT_TRUE(store.Create(key, kKindForm100));
    std::vector<std::uint8_t> block(kForm100Bytes);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(fill + i * 7);
    ASSERT_TRUE(store.WriteRow(key, kKindForm100, 'C', block));
    for (int i = 0; i < fiscalRows; ++i) AddFiscalRow(key, 2 + i, static_cast<std::uint8_t>(fill + i));
  }
  void AddFiscalRow(const std::string& key, int subject, std::uint8_t fill) {
    db::CAdoRecordset rs;
    rs.Open("DATOSFISC", &conn, db::Filter::Eq("CLAVE", key));
    rs.SetDefaultBlockSize(0);
    std::vector<std::uint8_t> yes(100 + subject, fill), no(3, static_cast<std::uint8_t>(fill + 1));
    ASSERT_TRUE(rs.PrepareNewRow() && rs.AddPendingValue("CLAVE", PadKey(key)) &&
                rs.AddPendingInt("SUJETODECLA", subject) &&
                rs.AddPendingInt("TAMANOFICHEROSI", static_cast<std::int64_t>(yes.size())) &&
                rs.AddPendingBlob("FICHEROSI", yes) && rs.AddPendingInt("TAMANOFICHERONO", 3) &&
                rs.AddPendingBlob("FICHERONO", no) && rs.AppendPendingRow());
  }
  int Rows(const char* table, const std::string& key) {
    db::CAdoRecordset rs;
    return rs.Open(table, &conn, db::Filter::Eq("CLAVE", key)) ? rs.GetRecordCount() : 0;
  }

  Recorder rec;
  std::vector<std::string> plain;
  DeclarationStore store{conn, Messages()};
};

TEST_F(StoreTest, FiftyDeclarationsAndTheFiftyFirstRefused) {
  for (int i = 0; i < kMaxDeclarations; ++i)
    ASSERT_TRUE(store.Create(storetest::NumberedKey(i), i % 2 ? kKindForm714 : kKindForm100)) << i;
  EXPECT_EQ(store.Count(), 50);
  EXPECT_FALSE(store.Create("D50", kKindForm100));
  EXPECT_EQ(LastPlain(), "Se ha excedido el máximo de declaraciones que se pueden almacenar (50)");
  EXPECT_FALSE(store.Duplicate("D1"));
  std::vector<std::uint8_t> block(kForm100Bytes);
  EXPECT_FALSE(store.SaveAs("D0", "OTRA", kKindForm100, 0, block));
  EXPECT_EQ(store.Count(), 50);

  // The placeholder rows: padded key, modality "0", zeroed block of the form's size.
  auto d = store.Load("D1");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->key, PadKey("D1"));
  EXPECT_EQ(d->key.size(), 50u);
  EXPECT_EQ(d->modality, "0");
  EXPECT_EQ(d->block, std::vector<std::uint8_t>(kForm714Bytes, 0));
}

TEST_F(StoreTest, CreateRefusesEmptyAndTakenNames) {
  EXPECT_FALSE(store.Create("   ", kKindForm100));
  EXPECT_EQ(LastCode(), "WIN047");
  ASSERT_TRUE(store.Create("O'BRIEN", kKindForm100));  // bound, not pasted into SQL
  EXPECT_FALSE(store.Create("o'brien   ", kKindForm100));
  EXPECT_EQ(LastCode(), "WIN040");
  EXPECT_EQ(NewKeyFromTyped("O'BRIEN\r\nsecond line"), "O´BRIEN");
}

TEST_F(StoreTest, DuplicateMakesCopiaDeWithoutReferencesAndWithFiscalRows) {
  AddForm100("PEREZ", 5, 2);
  auto copy = store.Duplicate("PEREZ");
  ASSERT_TRUE(copy);
  EXPECT_EQ(TrimKey(*copy), "COPIA DE PEREZ");
  auto src = store.Load("PEREZ"), dup = store.Load("COPIA DE PEREZ");
  ASSERT_TRUE(src && dup);
  EXPECT_EQ(dup->modality, "C");
  EXPECT_EQ(dup->fiscal, src->fiscal);
  for (std::size_t i = 0; i < kForm100Bytes; ++i) {
    bool reference = i >= 288 && i <= 692;
    ASSERT_EQ(dup->block[i], reference ? 0 : src->block[i]) << i;
  }
  EXPECT_FALSE(store.Duplicate("PEREZ"));
  EXPECT_EQ(LastCode(), "WIN040");

  // A key of 45 characters loses its end in the copy's name.
  std::string longKey(45, 'L');
  ASSERT_TRUE(store.Create(longKey, kKindForm714));
  auto c2 = store.Duplicate(longKey);
  ASSERT_TRUE(c2);
  EXPECT_EQ(*c2, "COPIA DE " + std::string(41, 'L'));
}

TEST_F(StoreTest, RenameMovesFiscalRowsAndAsksFirst) {
  AddForm100("PEREZ", 5, 2);
  ASSERT_TRUE(store.Create("GOMEZ", kKindForm714));
  EXPECT_FALSE(store.Rename("PEREZ", "GOMEZ"));
  EXPECT_EQ(LastCode(), "WIN040");
  rec.answer = 2;
  EXPECT_FALSE(store.Rename("PEREZ", "SANZ"));
  EXPECT_EQ(LastCode(), "WIN037");
  EXPECT_TRUE(store.Exists("PEREZ"));
  rec.answer = 1;
  ASSERT_TRUE(store.Rename("PEREZ", "SANZ"));
  EXPECT_FALSE(store.Exists("PEREZ"));
  EXPECT_EQ(Rows("DATOSFISC", "PEREZ"), 0);
  EXPECT_EQ(Rows("DATOSFISC", "SANZ"), 2);
  EXPECT_EQ(store.Load("SANZ")->key, PadKey("SANZ"));
}

TEST_F(StoreTest, DeleteRemovesFiscalRowsOnlyWhenAccepted) {
  AddForm100("PEREZ", 5, 1);
  rec.answer = 2;
  EXPECT_FALSE(store.Delete("PEREZ"));
  EXPECT_TRUE(store.Exists("PEREZ"));
  rec.answer = 1;
  EXPECT_TRUE(store.Delete("PEREZ"));
  EXPECT_FALSE(store.Exists("PEREZ"));
  EXPECT_EQ(Rows("DATOSFISC", "PEREZ"), 0);
  EXPECT_FALSE(store.Delete("PEREZ"));
}

TEST_F(StoreTest, SaveAsCopiesFiscalRowsAndClearsReferences) {
  AddForm100("PEREZ", 5, 1);
  auto d = store.Load("PEREZ");
  ASSERT_TRUE(store.SaveAs("PEREZ", "PEREZ 2", kKindForm100, 1, d->block));
  auto copy = store.Load("PEREZ 2");
  EXPECT_EQ(copy->modality, "C");
  EXPECT_EQ(copy->fiscal, d->fiscal);
  EXPECT_EQ(copy->block[288], 0);
  EXPECT_EQ(copy->block[1000], d->block[1000]);
  EXPECT_FALSE(store.SaveAs("PEREZ", "PEREZ 2", kKindForm100, 1, d->block));
  EXPECT_EQ(LastCode(), "WIN040");
}

TEST_F(StoreTest, ExportThenImportRoundTripsEveryByte) {
  AddForm100("PEREZ", 5, 2);
  AddForm100("LOPEZ", 9, 0);
  ASSERT_TRUE(store.Create("GOMEZ", kKindForm714));
  std::vector<std::uint8_t> b714(kForm714Bytes);
  for (std::size_t i = 0; i < b714.size(); ++i) b714[i] = static_cast<std::uint8_t>(i * 13);
  ASSERT_TRUE(store.WriteRow("GOMEZ", kKindForm714, '0', b714));
  std::vector<StoredDeclaration> before;
  for (auto k : {"PEREZ", "LOPEZ", "GOMEZ"}) before.push_back(*store.Load(k));

  const std::string path = dir.Str() + "x.ren";
  std::vector<std::string> keys{"PEREZ", "LOPEZ", "GOMEZ"};
  ASSERT_TRUE(store.Export(path, keys));
  EXPECT_EQ(LastPlain(), "Las declaraciones han sido exportadas correctamente");
  auto file = ReadWholeFile(path);
  EXPECT_EQ(file->size(), 16 + 3 * 72 + 2 * (95208 + 96) + 22024 + (102 + 3) + (103 + 3));

  auto index = store.ReadIndex(path);
  ASSERT_TRUE(index);
  EXPECT_EQ(*index, (std::vector<std::string>{"PEREZ", "LOPEZ", "GOMEZ"}));

  rec.answer = 1;
  for (auto k : keys) ASSERT_TRUE(store.Delete(k));
  std::vector<DeclarationStore::ImportChoice> all(3, {true, ""});
  ASSERT_TRUE(store.Import(path, all));
  EXPECT_EQ(LastPlain(), "El fichero ha sido importado con éxito");
  for (const StoredDeclaration& b : before) {
    auto a = store.Load(b.key);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->key, b.key);
    EXPECT_EQ(a->kind, b.kind);
    EXPECT_EQ(a->modality, b.modality);
    EXPECT_EQ(a->block, b.block);
    EXPECT_EQ(a->fiscal, b.fiscal);
  }
  // Exporting again gives the same file, byte for byte.
  ASSERT_TRUE(store.Export(dir.Str() + "y.ren", keys, false));
  EXPECT_EQ(ReadWholeFile(dir.Str() + "y.ren"), file);
}

TEST_F(StoreTest, ImportOverwriteReplacesTheWholeRowAndRenameKeepsBoth) {
  AddForm100("PEREZ", 5, 2);
  const std::string path = dir.Str() + "x.ren";
  std::vector<std::string> keys{"PEREZ"};
  ASSERT_TRUE(store.Export(path, keys, false));
  auto exported = *store.Load("PEREZ");

  // The stored declaration changes: other block, modality, one fiscal row fewer, a new one.
  rec.answer = 1;
  ASSERT_TRUE(store.Delete("PEREZ"));
  ASSERT_TRUE(store.Create("PEREZ", kKindForm714));
  AddFiscalRow("PEREZ", 9, 1);

  std::vector<DeclarationStore::ImportChoice> overwrite{{true, ""}};
  ASSERT_TRUE(store.Import(path, overwrite, false));
  auto now = store.Load("PEREZ");
  EXPECT_EQ(now->kind, kKindForm100);
  EXPECT_EQ(now->modality, exported.modality);
  EXPECT_EQ(now->block, exported.block);
  EXPECT_EQ(now->fiscal, exported.fiscal);
  EXPECT_EQ(store.Count(), 1);

  std::vector<DeclarationStore::ImportChoice> renamed{{true, "PEREZ BIS"}};
  ASSERT_TRUE(store.Import(path, renamed, false));
  EXPECT_EQ(store.Load("PEREZ BIS")->key, PadKey("PEREZ BIS"));
  EXPECT_EQ(store.Load("PEREZ BIS")->fiscal, exported.fiscal);
  EXPECT_EQ(store.Count(), 2);
}

TEST_F(StoreTest, CorruptOrOversizedImportsNothing) {
  AddForm100("PEREZ", 5, 1);
  AddForm100("LOPEZ", 6, 0);
  const std::string path = dir.Str() + "x.ren";
  std::vector<std::string> keys{"PEREZ", "LOPEZ"};
  ASSERT_TRUE(store.Export(path, keys, false));
  auto good = *ReadWholeFile(path);
  rec.answer = 1;
  for (auto& k : keys) ASSERT_TRUE(store.Delete(k));

  std::vector<DeclarationStore::ImportChoice> all(2, {true, ""});
  auto bad = good;
  bad.resize(bad.size() - 10);  // the second entry is cut
  ASSERT_TRUE(WriteFileAtomically(path, bad));
  EXPECT_FALSE(store.Import(path, all));
  EXPECT_EQ(LastPlain(), TransferErrorText(TransferError::Truncated));
  EXPECT_EQ(store.Count(), 0);

  bad = good;
  std::memcpy(bad.data() + 6, "2003", 4);
  ASSERT_TRUE(WriteFileAtomically(path, bad));
  EXPECT_FALSE(store.ReadIndex(path));
  EXPECT_EQ(LastPlain(), "Fichero no correspondiente a declaraciones de Renta/Patrimonio.");
  EXPECT_FALSE(store.Import(path, all));
  EXPECT_EQ(store.Count(), 0);

  EXPECT_FALSE(store.ReadIndex(dir.Str() + "missing.ren"));
  EXPECT_EQ(LastPlain(), "No existe el fichero de datos\n");
}

TEST_F(StoreTest, ImportBeyondTheMaximumImportsNothing) {
  for (int i = 0; i < 49; ++i) ASSERT_TRUE(store.Create(storetest::NumberedKey(i), kKindForm714));
  AddForm100("PEREZ", 5, 0);  // the 50th
  const std::string path = dir.Str() + "x.ren";
  std::vector<std::string> keys{"PEREZ", "D0"};
  ASSERT_TRUE(store.Export(path, keys, false));
  // Overwriting both fits; one under a new name does not.
  std::vector<DeclarationStore::ImportChoice> overwrite(2, {true, ""});
  EXPECT_TRUE(store.Import(path, overwrite, false));
  std::vector<DeclarationStore::ImportChoice> renamed{{true, "NUEVA"}, {true, ""}};
  EXPECT_FALSE(store.Import(path, renamed, false));
  EXPECT_EQ(LastPlain(), StoreFullText());
  EXPECT_FALSE(store.Exists("NUEVA"));
  EXPECT_EQ(store.Count(), 50);
}

TEST_F(StoreTest, LocalCopiesRoundTripAndRenameTakenKeys) {
  AddForm100("ABC", 5, 2);
  ASSERT_TRUE(store.Create("PAT", kKindForm714));
  ASSERT_TRUE(store.ExportLocalCopies(dir.Str()));
  EXPECT_EQ(std::filesystem::file_size(dir.Str() + "Decla.100"), 16u + 72 + 95208 + 4 * 24 + (102 + 3) + (103 + 3));
  EXPECT_EQ(std::filesystem::file_size(dir.Str() + "Decla.714"), 16u + 72 + 22024);

  // ABC is taken by another declaration now, and so is "1 ABC": the loaded copy becomes
  // "1 1 ABC". PAT too holds other data than its copy.
  std::vector<std::uint8_t> changed(kForm100Bytes, 0x42);
  ASSERT_TRUE(store.WriteRow("ABC", kKindForm100, 'C', changed));
  ASSERT_TRUE(store.WriteRow("PAT", kKindForm714, 'I', std::vector<std::uint8_t>(kForm714Bytes, 0x42)));
  const auto copiedAbc = *ReadWholeFile(dir.Str() + "Decla.100");
  ASSERT_TRUE(store.Create("1 ABC", kKindForm714));
  std::vector<std::string> captions;
  auto loaded = store.LoadLocalCopies(dir.Str(), [&](std::string_view c) { captions.emplace_back(c); });
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, 2);
  EXPECT_TRUE(store.Exists("1 1 ABC"));
  EXPECT_EQ(Rows("DATOSFISC", "1 1 ABC"), 2);
  EXPECT_TRUE(store.Exists("1 PAT"));
  EXPECT_EQ(store.Load("1 1 ABC")->block,
            std::vector<std::uint8_t>(copiedAbc.begin() + 16 + 72, copiedAbc.begin() + 16 + 72 + kForm100Bytes));
  EXPECT_EQ(captions.front(), "Cargando datos del equipo local (Decla.100)");

  // With no form-714 declaration the copy is the 11-byte header alone.
  rec.answer = 1;
  for (auto k : {"PAT", "1 PAT", "1 ABC"}) ASSERT_TRUE(store.Delete(k));
  ASSERT_TRUE(store.ExportLocalCopies(dir.Str()));
  EXPECT_EQ(std::filesystem::file_size(dir.Str() + "Decla.714"), 11u);
}

TEST_F(StoreTest, OpensOneAndListsAllOfFifty) {
  for (int i = 0; i < 50; ++i) {
    if (i % 2) ASSERT_TRUE(store.Create(storetest::NumberedKey(i), kKindForm714));
    else AddForm100(storetest::NumberedKey(i), static_cast<std::uint8_t>(i), i % 4 == 0 ? 2 : 0);
  }
  auto d = store.Load("D24");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->kind, kKindForm100);
  EXPECT_EQ(d->block.size(), kForm100Bytes);
  EXPECT_EQ(d->block[1], static_cast<std::uint8_t>(24 + 7));
  EXPECT_EQ(store.List().size(), 50u);
}

}  // namespace
