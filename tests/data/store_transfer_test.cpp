// Transfer-file layout: exact bytes of the header, the count and the entries, and a reader that
// refuses short, long and damaged files whole.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "data/store/transfer_format.h"
#include "db_fixture.h"

namespace {

using namespace store;

TransferDeclaration Form100(std::string key, std::uint8_t fill, std::vector<FiscalSlot> slots = {}) {
  TransferDeclaration d;
  d.key = std::move(key);
  d.kind = kKindForm100;
  d.modality = 'C';
  d.block.assign(kForm100Bytes, fill);
  d.fiscalSlots = std::move(slots);
  return d;
}

TransferDeclaration Form714(std::string key, std::uint8_t fill) {
  TransferDeclaration d;
  d.key = std::move(key);
  d.kind = kKindForm714;
  d.modality = '0';
  d.block.assign(kForm714Bytes, fill);
  return d;
}

TEST(StoreTransferFormat, HeaderCountAndEntrySizes) {
  std::vector<TransferDeclaration> three{Form100("PEREZ", 1), Form714("GOMEZ", 2), Form100("LOPEZ", 3)};
  auto bytes = EncodeTransferFile(three);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 11), "1.02 (2004)");
  EXPECT_EQ(std::string(bytes->begin() + 11, bytes->begin() + 16), std::string("3\0   ", 5));
  const std::size_t e100 = 72 + 95208 + 4 * 24, e714 = 72 + 22024;
  EXPECT_EQ(bytes->size(), 16 + 2 * e100 + e714);

  // The key record of the first entry: padded key, zero byte, kind at 52, modality at 62.
  const std::uint8_t* rec = bytes->data() + 16;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(rec), 50), "PEREZ" + std::string(45, ' '));
  EXPECT_EQ(rec[50], 0);
  EXPECT_EQ(entry::Kind.get(rec), 2);
  EXPECT_EQ(rec[62], 'C');
  for (std::size_t i : {51u, 56u, 61u, 63u, 71u}) EXPECT_EQ(rec[i], 0) << i;

  auto twelve = EncodeCount(12);
  ASSERT_TRUE(twelve);
  EXPECT_EQ(std::string(twelve->data(), 5), std::string("12\0  ", 5));
  EXPECT_FALSE(EncodeCount(10000));
}

TEST(StoreTransferFormat, RoundTripWithFiscalSlotsAndCp1252Keys) {
  FiscalSlot declarant{2, {1, 2, 3}, {}}, spouse{3, {}, {9, 8}};
  std::vector<TransferDeclaration> in{Form100("PEÑA ´X", 7, {declarant, spouse}), Form714("GOMEZ", 2)};
  auto bytes = EncodeTransferFile(in);
  ASSERT_TRUE(bytes);
  // The key travels in cp1252: Ñ is one byte.
  EXPECT_EQ((*bytes)[16 + 2], 0xD1);
  TransferFileContents out = DecodeTransferFile(*bytes);
  ASSERT_TRUE(out.ok()) << TransferErrorText(out.error);
  ASSERT_EQ(out.entries.size(), 2u);
  EXPECT_EQ(out.entries[0].key, "PEÑA ´X");
  EXPECT_EQ(out.entries[0].block, in[0].block);
  ASSERT_EQ(out.entries[0].fiscalSlots.size(), 4u);
  EXPECT_EQ(out.entries[0].fiscalSlots[0], declarant);
  EXPECT_EQ(out.entries[0].fiscalSlots[1], spouse);
  EXPECT_TRUE(out.entries[0].fiscalSlots[2].Empty());
  EXPECT_EQ(out.entries[1], in[1]);
  // Encoding what was read gives the same bytes.
  EXPECT_EQ(EncodeTransferFile(out.entries), bytes);
}

TEST(StoreTransferFormat, EmptyLocalCopyIsElevenBytes) {
  auto bytes = EncodeTransferFile({}, /*writeCountWhenEmpty=*/false);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 11u);
  auto read = DecodeTransferFile(*bytes);
  EXPECT_TRUE(read.ok());
  EXPECT_TRUE(read.entries.empty());
}

TEST(StoreTransferFormat, DamagedFilesAreRefusedWhole) {
  FiscalSlot s{2, {1, 2, 3, 4}, {5}};
  auto good = *EncodeTransferFile(std::vector{Form100("A", 1, {s}), Form714("B", 2)});
  const std::size_t slotStart = 16 + 72 + 95208;

  auto mutate = [&](auto f) {
    auto b = good;
    if (b.size() > slotStart) f(b);  // every change lies inside the whole file
    else ADD_FAILURE() << "the encoded file is too short";
    return b;
  };
  auto setDouble = [](std::vector<std::uint8_t>& b, std::size_t at, double v) { std::memcpy(b.data() + at, &v, 8); };
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    TransferError error;
  };
  const Case cases[] = {
      {"empty", {}, TransferError::TooShort},
      {"other year", mutate([](auto& b) { std::memcpy(b.data() + 6, "2003", 4); }), TransferError::WrongVersion},
      {"count not a number", mutate([](auto& b) { b[11] = 'x'; }), TransferError::BadCount},
      {"count above the store", mutate([](auto& b) { std::memcpy(b.data() + 11, "51\0  ", 5); }),
       TransferError::TooManyEntries},
      {"count cut", std::vector<std::uint8_t>(good.begin(), good.begin() + 13), TransferError::Truncated},
      {"one entry more announced", mutate([](auto& b) { b[11] = '3'; }), TransferError::Truncated},
      {"cut inside the last block", std::vector<std::uint8_t>(good.begin(), good.end() - 1), TransferError::Truncated},
      {"cut inside a slot", std::vector<std::uint8_t>(good.begin(), good.begin() + slotStart + 20),
       TransferError::Truncated},
      {"trailing bytes", mutate([](auto& b) { b.push_back(0); }), TransferError::TrailingBytes},
      {"fiscal size beyond the file", mutate([&](auto& b) { setDouble(b, slotStart + 8, 1e6); }),
       TransferError::Truncated},
      {"fiscal size negative", mutate([&](auto& b) { setDouble(b, slotStart + 8, -4); }), TransferError::BadSlot},
      {"fiscal size fractional", mutate([&](auto& b) { setDouble(b, slotStart + 8, 2.5); }), TransferError::BadSlot},
      {"fiscal size not a number", mutate([&](auto& b) { setDouble(b, slotStart + 8, std::nan("")); }),
       TransferError::BadSlot},
      {"subject huge", mutate([&](auto& b) { setDouble(b, slotStart, 1e300); }), TransferError::BadSlot},
  };
  for (const Case& c : cases) {
    auto r = DecodeTransferFile(c.bytes);
    EXPECT_EQ(r.error, c.error) << c.name;
    EXPECT_TRUE(r.entries.empty()) << c.name;
    EXPECT_FALSE(TransferErrorText(r.error).empty()) << c.name;
  }
}

TEST(StoreTransferFormat, CountIsReadLikeTheOriginalReader) {
  auto body = *EncodeTransferFile(std::vector{Form714("B", 2)});
  // Leading blanks, digits without a terminator and an all-blank field (no entries follow).
  auto withCount = [&](const char* field) {
    auto b = body;
    std::memcpy(b.data() + 11, field, 5);
    return b;
  };
  EXPECT_TRUE(DecodeTransferFile(withCount(" 1   ")).ok());
  EXPECT_TRUE(DecodeTransferFile(withCount("00001")).ok());
  auto blank = std::vector<std::uint8_t>(body.begin(), body.begin() + 16);
  std::memcpy(blank.data() + 11, "     ", 5);
  EXPECT_TRUE(DecodeTransferFile(blank).ok());

  // Local copies read up to the room left and ignore what follows.
  DecodeOptions upTo;
  upTo.maxEntries = 0;
  upTo.stopAtMax = true;
  auto r = DecodeTransferFile(body, upTo);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.announced, 1u);
  EXPECT_TRUE(r.entries.empty());
}

TEST(StoreTransferFormat, AtomicWriteReplacesWholeAndLeavesNoTemporary) {
  dbtest::TempDir dir;
  std::string path = dir.Str() + "x.ren";
  std::vector<std::uint8_t> a(1000, 1), b(10, 2);
  ASSERT_TRUE(WriteFileAtomically(path, a));
  ASSERT_TRUE(WriteFileAtomically(path, b));
  EXPECT_EQ(ReadWholeFile(path), b);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  // A folder that does not exist: failure, nothing created.
  EXPECT_FALSE(WriteFileAtomically(dir.Str() + "no/x.ren", a));
  TransferError e{};
  EXPECT_FALSE(ReadWholeFile(dir.Str() + "missing.ren", &e));
  EXPECT_EQ(e, TransferError::Unreadable);
}

}  // namespace
