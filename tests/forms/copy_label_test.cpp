#include <gtest/gtest.h>

#include "forms/print/copy_label.h"
#include "platform/cp1252.h"

namespace {

using forms::print::CopyLabelText;

std::string Utf8(const std::string& cp1252) { return platform::Cp1252ToUtf8(cp1252); }

TEST(CopyLabel, KindsAndLanguages) {
  struct Case {
    int kind;
    char letter;
    const char* label;  // UTF-8
  };
  const Case cases[] = {
      {1, 'e', "Ejemplar para la Administración"},
      {1, 'c', "Exemplar per a l'Administració"},
      {1, 'g', "Exemplar para a Administración"},
      {2, 'v', "Exemplar per al contribuent"},
      {3, 'e', "Ejemplar para la Entidad colaboradora - VELM"},
      {3, 'c', "Exemplar per a l'Entitat col·laboradora - VELM"},
      {4, 'e', "Ejemplar para el interesado (INTERNET)"},
      {5, 'g', "Exemplar para o suxeito pasivo"},
      {6, 'e', "Ejemplar para el sujeto pasivo (INTERNET)"},
      {1, 'x', "   "},
      {7, 'e', ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8(CopyLabelText(c.kind, c.letter)), c.label) << c.kind << c.letter;
}

TEST(CopyLabel, FitsTheDocumentField) {
  for (int kind = 1; kind <= 6; ++kind)
    for (char l : {'e', 'c', 'g', 'v'}) {
      const std::string label = CopyLabelText(kind, l);
      EXPECT_FALSE(label.empty());
      EXPECT_LE(label.size(), 59u);
    }
}

}  // namespace
