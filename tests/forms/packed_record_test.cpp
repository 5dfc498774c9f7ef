#include <gtest/gtest.h>

#include <string>

#include "forms/print/packed_record.h"

namespace {

using namespace forms::packed;

std::string FilingText(std::size_t n) {
  std::string t;
  for (std::size_t i = 0; t.size() < n; ++i) t += "<T10001" + std::to_string(i % 97) + ">\xD1 0000123400 ";
  t.resize(n);
  return t;
}

TEST(PackedRecord, HeaderFieldsOfForm100) {
  const std::string text = FilingText(100);
  const BuildResult r = BuildPackedBarcodeRecord(text, 100, "12345678Z");
  ASSERT_EQ(r.error, BuildError::None);
  const char* rec = r.record.data();
  EXPECT_EQ(kTag.raw(rec), "10020031E1");
  EXPECT_EQ(kTotalLength.raw(rec), std::string(6 - std::to_string(r.record.size()).size(), '0') +
                                       std::to_string(r.record.size()));
  EXPECT_EQ(kNif.raw(rec), "12345678Z");
  EXPECT_EQ(kBlockCount.raw(rec), "01");
  // The single block: its length, then exactly that many bytes to the end.
  const std::string len(kBlockLength.raw(rec + kHeaderSize));
  EXPECT_EQ(kHeaderSize + kBlockHeaderSize + std::stoul(len), r.record.size());
}

TEST(PackedRecord, NifIsPrintedAsNineCharactersRightAligned) {
  EXPECT_EQ(FormatNif("1234"), "     1234");
  EXPECT_EQ(FormatNif("123456789AB"), "123456789");
  EXPECT_EQ(FormatNif(std::string("12\0" "45", 5)), "       12");
  const BuildResult r = BuildPackedBarcodeRecord("x", 714, "X1234567L");
  EXPECT_EQ(kTag.raw(r.record.data()), "71420031E1");
}

TEST(PackedRecord, RoundTripAndBlockCounts) {
  struct Case {
    std::size_t length;
    int blocks;
  };
  for (const Case c : {Case{1, 1}, Case{4095, 1}, Case{4096, 1}, Case{4097, 2}, Case{8192, 2}, Case{12289, 4}}) {
    const std::string text = FilingText(c.length);
    const BuildResult r = BuildPackedBarcodeRecord(text, 100, "00000000T");
    ASSERT_EQ(r.error, BuildError::None) << c.length;
    EXPECT_EQ(r.blocks, c.blocks) << c.length;
    EXPECT_EQ(std::stoi(std::string(kBlockCount.raw(r.record.data()))), c.blocks);
    const auto back = UnpackBarcodeRecord(r.record);
    ASSERT_TRUE(back.has_value()) << c.length;
    EXPECT_EQ(back->form, 100);
    EXPECT_EQ(back->nif, "00000000T");
    EXPECT_EQ(back->text, text);
  }
}

TEST(PackedRecord, RefusedInputs) {
  EXPECT_EQ(BuildPackedBarcodeRecord("", 100, "1").error, BuildError::EmptyText);
  EXPECT_EQ(BuildPackedBarcodeRecord("x", 200, "1").error, BuildError::UnknownForm);
  // The block count has two digits: a text of more than 99 slices cannot be described.
  EXPECT_EQ(BuildPackedBarcodeRecord(FilingText(99 * kSliceSize + 1), 100, "1").error, BuildError::TooLong);
  EXPECT_EQ(BuildPackedBarcodeRecord(FilingText(99 * kSliceSize), 100, "1").error, BuildError::None);
}

TEST(PackedRecord, DamagedRecordsAreRefused) {
  const std::string good = BuildPackedBarcodeRecord(FilingText(5000), 714, "12345678Z").record;
  ASSERT_TRUE(UnpackBarcodeRecord(good).has_value());
  auto edited = [&](std::size_t at, std::string_view with) {
    std::string s = good;
    s.replace(at, with.size(), with);
    return s;
  };
  const std::string firstLen(kBlockLength.raw(good.data() + kHeaderSize));
  const std::size_t secondBlock = kHeaderSize + kBlockHeaderSize + std::stoul(firstLen);
  const std::string damaged[] = {
      std::string(),
      good.substr(0, kHeaderSize - 1),
      good.substr(0, good.size() - 1),                     // cut short
      good + "X",                                          // trailing bytes
      edited(0, "99920031E1"),                             // unknown tag
      edited(kTotalLength.off, "00001x"),                  // not digits
      edited(kBlockCount.off, "00"),                       // no blocks
      edited(kBlockCount.off, "03"),                       // more blocks announced than present
      edited(kBlockCount.off, "01"),                       // fewer
      edited(kHeaderSize, "999999"),                       // block longer than the record
      edited(kHeaderSize, "000000"),                       // empty block
      edited(kHeaderSize + kBlockHeaderSize + 4, "\x01\x02\x03"),  // packed bytes damaged
      edited(secondBlock, "-00001"),
  };
  for (const std::string& bad : damaged) EXPECT_FALSE(UnpackBarcodeRecord(bad).has_value()) << bad.size();
}

}  // namespace
