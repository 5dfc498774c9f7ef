#include <gtest/gtest.h>

#include <string>

#include "forms/print/name_code.h"

namespace {

using forms::CNameCode;

TEST(NameCode, NormalisedNames) {
  struct Case {
    const char* name;
    const char* normalised;
  };
  const Case cases[] = {
      {"DE LA FUENTE, JUAN", "FUENTE JUAN"},
      {"de la fuente, juan", "FUENTE JUAN"},
      {"AB", "AB "},
      {"A BC", "A  C"},  // the code reads A, blank, blank
      {"", "   "},
      {"PEREZ FDEZ GARCIA", "PEREZ FERNANDEZ GARCIA"},
      {"PEREZ FDEZ", "PEREZ FDEZ"},                       // the last word is never written out
      {"GRREZ LOPEZ", "GRAMIREZ LOPEZ"},                  // RREZ is written out before GRREZ
      {"FCO RGUEZ SCHEZ", "FRANCISCO RODRIGUEZ SCHEZ"},
      {"CONSTRUCCIONES PEREZ, S.A.", "CONSTRUCCIONES PEREZ S.A."},
      {"PEREZ Y LOPEZ SL", "PEREZ LOPEZ"},
      {"COMPA\xD1IA ANONIMA DEL NORTE", "NORTE"},
      {"O'DONNELL-SMITH", "O  ONNELL SMITH"},  // a one-letter first word blanks the third
      {"MU/OZ PEREZ", "MU\xD1OZ PEREZ"},
      {"  ,  ALBA", "ALBA"},
      {"fern\xE1ndez", "FERN\xC1NDEZ"},  // accented letters upper-cased as well
  };
  for (const Case& c : cases) EXPECT_EQ(CNameCode::NormaliseName(c.name), c.normalised) << c.name;
}

TEST(NameCode, Codes) {
  struct Case {
    const char* name;
    const char* nif;
    const char* code;
  };
  const Case cases[] = {
      // FUE: 06 22 05 -> 62205; 62205 + 12345678 = 12407883, remainder 4 -> G
      {"DE LA FUENTE, JUAN", "12345678Z", "FUE-G"},
      // X = 25 in front: 25070119 + 1234567 (X replaced by 0) = 26304686, remainder 0 -> T
      {"GARCIA", "X1234567L", "GAR-T"},
      // blank, blank, blank: value 000000
      {"", "12345678Z", "   -Z"},
      // A, blank, blank: 010000 -> 10000 = 23 * 434 + 18 -> H
      {"A BC", "00000000T", "A  -H"},
  };
  for (const Case& c : cases) EXPECT_STREQ(CNameCode(c.name, c.nif).GetCode(), c.code) << c.name;
  // Ñ counts 15 in either case: ÑAN = 15 01 14 -> 150114 + 1 = 150115 = 23 * 6526 + 17 -> V
  EXPECT_STREQ(CNameCode("\xF1" "an", "00000001").GetCode(), "\xD1" "AN-V");
}

TEST(NameCode, LetterValues) {
  EXPECT_EQ(CNameCode::LetterValue(' '), 0);
  EXPECT_EQ(CNameCode::LetterValue('A'), 1);
  EXPECT_EQ(CNameCode::LetterValue('N'), 14);
  EXPECT_EQ(CNameCode::LetterValue(0xD1), 15);
  EXPECT_EQ(CNameCode::LetterValue(0xF1), 15);
  EXPECT_EQ(CNameCode::LetterValue('O'), 16);
  EXPECT_EQ(CNameCode::LetterValue('z'), 27);
  EXPECT_EQ(CNameCode::LetterValue('7'), -1);
  EXPECT_EQ(CNameCode::LetterValue('.'), -1);
}

TEST(NameCode, CharactersWithoutValue) {
  // A digit in the name puts "-1" into the digits text ("-10000" for "4  "); with a large NIF
  // the sum stays positive and the code is made.
  const CNameCode positive("4 X", "12345678Z");
  EXPECT_EQ(std::string(positive.GetCode()).size(), 5u);
  // A negative sum has no check letter: the code stays empty rather than reading outside the letters.
  EXPECT_STREQ(CNameCode("4AA", "00000000T").GetCode(), "");
  const std::string code = CNameCode("PEREZ", "1").GetCode();
  ASSERT_EQ(code.size(), 5u);
  EXPECT_EQ(code.substr(0, 4), "PER-");
}

}  // namespace
