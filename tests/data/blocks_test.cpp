#include <gtest/gtest.h>

#include <vector>

#include "blocks/form100.h"
#include "blocks/form714.h"

namespace {

TEST(Form100Data, RecordMapPinned) {
  EXPECT_EQ(f100::kBlockSize, 95208u);
  EXPECT_EQ(f100::kRecords.front().offset, 0u);
  const auto& last = f100::kRecords.back();
  EXPECT_EQ(last.offset + last.size, 95208u);
  EXPECT_EQ(f100::Summary.offset, 65736u);
  EXPECT_EQ(f100::SectionO.offset, 76416u);
  EXPECT_EQ(f100::SectionQ.size, 8336u);
  for (const auto& r : f100::kRecords) EXPECT_EQ(r.offset % 8, 0u) << r.name << " keeps doubles aligned";
}

TEST(Form714Data, RecordMapPinned) {
  EXPECT_EQ(f714::kBlockSize, 22024u);
  EXPECT_EQ(f714::Personal.offset, 6200u);
  EXPECT_EQ(f714::Summary.offset + f714::Summary.size, 22024u);
  EXPECT_EQ(f714::kRecords.size(), 27u);
}

TEST(Form100Data, ApplicationFieldsAndMemberAddressing) {
  std::vector<unsigned char> block(f100::kBlockSize, 0);
  unsigned char* fam = f100::record(block.data(), f100::Family);
  unsigned char* per = f100::record(block.data(), f100::Personal);

  EXPECT_EQ(f100::GetDeclarationMode(block.data()), 0u);
  f100::personal::DeclarationMode.set(per, 1);
  EXPECT_EQ(f100::GetDeclarationMode(block.data()), 1u);

  f100::personal::communityCode(f100::kSpouse).set(per, "99");
  EXPECT_EQ(per[116 + 32 * 2 + 8], '9');
  EXPECT_EQ(per[116 + 32 * 2 + 9], '9');

  // Member m of a 20-character array lies at +5 + 20 (m - 1); 14 characters then zero bytes.
  f100::family::ReferenceNumber(f100::kSpouse - 1).set(fam, "12345678901234", '\0');
  EXPECT_EQ(fam[5 + 20 * 2], '1');
  EXPECT_EQ(fam[5 + 20 * 2 + 13], '4');
  EXPECT_EQ(fam[5 + 20 * 2 + 14], 0);
  EXPECT_EQ(f100::family::ReferenceNumber(2).str(fam), "12345678901234");

  f100::family::MemberStatus(f100::kChild2 - 1).set(fam, 2);
  EXPECT_EQ(fam[4], 2);
  EXPECT_EQ(f100::family::ChurchTaxBox(5).off, 4728u);
  EXPECT_EQ(f100::family::descendant::BirthDate(11).off, 2088u + 148 * 11 + 108);
  EXPECT_EQ(f100::family::descendant::Child2Mark(0).off, 2088u + 147);
  EXPECT_LT(f100::family::descendant::Child2Mark(11).off, f100::Family.size);

  unsigned char* res = f100::record(block.data(), f100::Result);
  f100::result::MemberResult.set(res, 4, -12.5);
  EXPECT_DOUBLE_EQ(f100::result::MemberResult.load(res)[4], -12.5);
  EXPECT_EQ(f100::result::MemberResult.off + 40, 120u);
}

TEST(Fields, TextsRoundTripAndPadding) {
  unsigned char rec[16];
  std::fill(std::begin(rec), std::end(rec), 0xAA);
  const blocks::Text t{2, 6};
  t.set(rec, "AB");
  EXPECT_EQ(t.raw(rec), "AB    ");
  EXPECT_EQ(t.trimmed(rec), "AB");
  EXPECT_EQ(rec[1], 0xAA);
  EXPECT_EQ(rec[8], 0xAA) << "never writes past the width";
  t.set(rec, "ABCDEFGHIJ");
  EXPECT_EQ(t.raw(rec), "ABCDEF");
  t.set(rec, "", '\0');
  EXPECT_TRUE(t.isAbsent(rec));
  EXPECT_EQ(t.trimmed(rec), "");
}

TEST(Fields, NumbersUnaligned) {
  unsigned char rec[24] = {};
  const blocks::F64 d{3};
  const blocks::I32 i{13};
  d.set(rec, 1234.56);
  i.set(rec, -7);
  EXPECT_DOUBLE_EQ(d.get(rec), 1234.56);
  EXPECT_EQ(i.get(rec), -7);
  EXPECT_EQ(rec[13], 0xF9) << "little-endian two's complement";
  EXPECT_EQ(d(1, 10).off, 13u);
}

}  // namespace
