// The signature page: the summary lines composed for the member of the printed form or the
// filing file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "forms/pages/firma.h"

namespace {

using forms::CBoxesFirma;
constexpr std::size_t kFam = f100::Family.offset, kSum = f100::Summary.offset, kN = f100::SectionN.offset,
                      kQ = f100::SectionQ.offset;

struct Declaration {
  std::vector<std::uint8_t> block = std::vector<std::uint8_t>(f100::kBlockSize, 0);
  void Text(std::size_t off, const char* text) { std::memcpy(block.data() + off, text, std::strlen(text)); }
  void Amount(std::size_t off, double v) { blocks::F64{off}.set(block.data(), v); }
};

bool Starts(const std::string& line, const char* label) { return line.rfind(label, 0) == 0; }

TEST(SignaturePage, APaymentByDebitOfTheDeclarant) {
  Declaration d;
  const int m = 2;
  d.Text(kFam + 476 + 9 * m, "12345678Z");
  d.Amount(kSum + 9264 + 8 * m, 900.0);
  d.Amount(kN + 616 + 8 * m, 750.5);
  d.Amount(kQ + 7984 + 8 * m, 750.5);
  d.block[kQ + 7886 + m] = 1;
  d.Text(kQ + 7888 + 4 * m, "2100");
  d.Text(kQ + 7908 + 4 * m, "0418");
  d.Text(kQ + 7930 + 2 * m, "45");
  d.Text(kQ + 7932 + 10 * m, "0200051332");
  const auto lines = CBoxesFirma::ComposeLines(d.block, m);
  EXPECT_EQ(lines[0], std::string("Primer declarante - NIF:") + std::string(19, ' ') + "12345678Z");
  EXPECT_TRUE(Starts(lines[1], "Total cuota diferencial:"));
  EXPECT_TRUE(Starts(lines[2], "Resultado a ingresar o a devolver:"));
  EXPECT_EQ(lines[3].substr(0, 21), "INDIVIDUAL A INGRESAR");
  EXPECT_EQ(lines[3].size(), CBoxesFirma::kWidth);
  EXPECT_TRUE(Starts(lines[4], "Importe del ingreso:"));
  EXPECT_EQ(lines[5], "Cuenta para el ingreso:" + std::string(52 - 23 - 23, ' ') + "2100-0418-45-0200051332");
  for (const std::string& l : {lines[1], lines[2], lines[4]}) EXPECT_EQ(l.size(), CBoxesFirma::kWidth) << l;
  EXPECT_TRUE(lines[6].empty());
}

TEST(SignaturePage, AZeroResultARefundWaivedAndTheFamilyUnit) {
  Declaration zero;
  EXPECT_NE(CBoxesFirma::ComposeLines(zero.block, 2)[3].find("NEGATIVA"), std::string::npos);

  Declaration refund;
  const int m = 3;
  refund.Amount(kN + 616 + 8 * m, -200.0);
  refund.Amount(kQ + 8288 + 8 * m, 200.0);
  refund.block[kQ + 8183 + m] = 1;
  const auto lines = CBoxesFirma::ComposeLines(refund.block, m);
  EXPECT_NE(lines[3].find("A DEVOLVER"), std::string::npos);
  EXPECT_TRUE(Starts(lines[4], "Importe de la devolucion:"));
  EXPECT_EQ(lines[5], std::string("Renuncia a la devolucion:") + std::string(25, ' ') + "SI");
  EXPECT_TRUE(lines[6].empty()) << "no account line";

  // A refund to an account left empty, or filled in part: every part keeps its width.
  Declaration empty;
  empty.Amount(kN + 616 + 8 * m, -200.0);
  empty.Amount(kQ + 8288 + 8 * m, 200.0);
  const auto noAccount = CBoxesFirma::ComposeLines(empty.block, m);
  EXPECT_EQ(noAccount[5], "Cuenta para la devolucion:" + std::string(52 - 26 - 23, ' ') + "    -    -  -          ");
  empty.Text(kQ + 8190 + 4 * m, "21");
  empty.Text(kQ + 8234 + 10 * m, "1234");
  EXPECT_EQ(CBoxesFirma::ComposeLines(empty.block, m)[5].substr(29), "  21-    -  -      1234");

  Declaration joint;
  joint.Text(kFam + 476 + 9, "11111111H");
  joint.Text(kFam + 1266 + 9, "22222222J");
  const auto family = CBoxesFirma::ComposeLines(joint.block, 1);
  EXPECT_TRUE(Starts(family[1], "Conyuge - NIF:"));
  EXPECT_EQ(family[1].substr(43), "22222222J");
  EXPECT_TRUE(Starts(family[4], "CONJUNTA"));
}

}  // namespace
