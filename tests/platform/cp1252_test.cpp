#include <gtest/gtest.h>

#include "platform/cp1252.h"

namespace {

TEST(Cp1252, RoundTripsEveryDefinedByte) {
  std::string all;
  for (int b = 1; b < 256; ++b)
    if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) all.push_back(static_cast<char>(b));
  EXPECT_EQ(platform::Utf8ToCp1252(platform::Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, KnownCharacters) {
  EXPECT_EQ(platform::Cp1252ToUtf8("\xD1"), "Ñ");
  EXPECT_EQ(platform::Cp1252ToUtf8("\x80"), "€");
  EXPECT_EQ(platform::Utf8ToCp1252("PEÑA €"), "PE\xD1" "A \x80");
  EXPECT_EQ(platform::Utf8ToCp1252("日本"), "??");
  EXPECT_EQ(platform::Utf8ToCp1252("a\xC3"), "a?") << "a cut sequence does not read past the end";
  EXPECT_EQ(platform::Cp1252ToUtf8("\x81"), "\xEF\xBF\xBD");
}

TEST(Cp1252, UpperCase) {
  EXPECT_EQ(platform::UpperCp1252(platform::Utf8ToCp1252("peña, josé; çà ÿ ÷ 1º")),
            platform::Utf8ToCp1252("PEÑA, JOSÉ; ÇÀ Ÿ ÷ 1º"));
}

}  // namespace
