#include "forms/pages/firma.h"

#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "data/doc/active_declaration.h"
#include "ui/box_field.h"

namespace forms {

namespace {

constexpr std::size_t kFam = f100::Family.offset, kSum = f100::Summary.offset, kRes = f100::Result.offset,
                      kN = f100::SectionN.offset, kQ = f100::SectionQ.offset;

// An amount as an amount box shows it with the format "R8.2".
std::string Amount(double value) {
  CBoxField box;
  box.StrValidac = "R8.2";
  box.ApplyFormatSpec();
  double v = value;
  box.data = &v;
  box.UpdateText();
  return box.displayText.toStdString();
}
// A value line: the label, blanks, the value ending in column 52.
std::string ValueLine(std::string_view label, const std::string& value) {
  std::string line(label);
  const std::size_t room = CBoxesFirma::kWidth > value.size() ? CBoxesFirma::kWidth - value.size() : 0;
  if (line.size() < room) line.append(room - line.size(), ' ');
  line.append(value);
  line.resize(std::min(line.size(), CBoxesFirma::kWidth));
  return line;
}
std::string FlagLine(std::string_view label) {
  std::string line(label);
  line.resize(50, ' ');
  line.append("SI");
  return line;
}
std::string Text(std::span<const std::uint8_t> b, std::size_t off, std::size_t width) {
  std::string s(reinterpret_cast<const char*>(b.data() + off), width);
  return s.substr(0, s.find('\0'));
}
bool Set(std::span<const std::uint8_t> b, std::size_t off) { return b[off] != 0 && b[off] != ' '; }
double D(std::span<const std::uint8_t> b, std::size_t off) { return blocks::F64{off}.get(b.data()); }
std::string AccountText(std::span<const std::uint8_t> b, std::size_t e, std::size_t o, std::size_t c, std::size_t n) {
  std::string s;
  s.reserve(24);
  const std::pair<std::size_t, std::size_t> parts[] = {{e, 4}, {o, 4}, {c, 2}, {n, 10}};
  // Every part keeps its width, blank-padded on the left: an account left empty still reads as
  // an account of 20 places rather than as three dashes.
  for (const auto& [off, width] : parts) {
    if (!s.empty()) s.push_back('-');
    const std::string part = Text(b, off, width);
    s.append(width - part.size(), ' ');
    s.append(part);
  }
  return s;
}

}  // namespace

std::array<std::string, CBoxesFirma::kLines> CBoxesFirma::ComposeLines(std::span<const std::uint8_t> b, int m) {
  std::array<std::string, kLines> lines{};
  if (b.size() < f100::kBlockSize || m < 1 || m > 5) return lines;
  const std::size_t um = static_cast<std::size_t>(m);
  std::size_t k = 0;
  auto add = [&](std::string line) {
    if (k < lines.size()) lines[k++] = std::move(line);
  };
  auto nifLine = [&](std::string_view label, std::size_t off) {
    std::string line(label);
    line.resize(43, ' ');
    line.append(Text(b, off, 9));
    return line;
  };
  add(nifLine("Primer declarante - NIF:", kFam + 476 + 9 * um));
  if (m == 1) add(nifLine("Conyuge - NIF:", kFam + 1266 + 9 * um));
  const bool complementary = Set(b, kFam + 5273 + um) || Set(b, kFam + 5278 + um);
  double result = 0;
  if (complementary) {
    result = D(b, kRes + 72 + 8 * um);
    add(ValueLine("Resultado declaracion complementaria:", Amount(result)));
  } else {
    add(ValueLine("Total cuota diferencial:", Amount(D(b, kSum + 9264 + 8 * um))));
    result = D(b, kN + 616 + 8 * um);
    add(ValueLine("Resultado a ingresar o a devolver:", Amount(result)));
  }
  std::string status(m == 1 ? "CONJUNTA" : "INDIVIDUAL");
  status.push_back(' ');
  status.append(result > 0 ? "A INGRESAR" : result == 0 ? "NEGATIVA" : "A DEVOLVER");
  status.push_back(' ');
  if (complementary) status.append("COMPLEMENTARIA");
  else if (Set(b, kSum + 9879 + um)) status.append("CON COMPENSACION");
  status.resize(kWidth, ' ');
  add(status);
  const double payment = D(b, kQ + 7984 + 8 * um);
  if (payment > 0) {
    add(ValueLine("Importe del ingreso:", Amount(payment)));
    if (Set(b, kQ + 7886 + um))
      add(ValueLine("Cuenta para el ingreso:",
                    AccountText(b, kQ + 7888 + 4 * um, kQ + 7908 + 4 * um, kQ + 7930 + 2 * um, kQ + 7932 + 10 * um)));
    if (Set(b, kQ + 7876 + um)) {
      add(FlagLine("Fracciona el pago:"));
      add(ValueLine("Plazo 2 - Importe:", Amount(D(b, kN + 616 + 8 * um) - payment)));
      if (Set(b, kQ + 8036 + um)) {
        add(FlagLine("Plazo 2 - Domicilia:"));
        add(ValueLine("Plazo 2 - Domic. en cuenta:",
                      AccountText(b, kQ + 8038 + 4 * um, kQ + 8058 + 4 * um, kQ + 8080 + 2 * um, kQ + 8082 + 10 * um)));
      }
    }
  } else if (const double refund = D(b, kQ + 8288 + 8 * um); refund > 0) {
    add(ValueLine("Importe de la devolucion:", Amount(refund)));
    if (Set(b, kQ + 8183 + um))
      add(FlagLine("Renuncia a la devolucion:"));
    else
      add(ValueLine("Cuenta para la devolucion:",
                    AccountText(b, kQ + 8190 + 4 * um, kQ + 8210 + 4 * um, kQ + 8232 + 2 * um, kQ + 8234 + 10 * um)));
  }
  return lines;
}

void CBoxesFirma::BindPageData(int rebind) {
  if (rebind) ReleasePageData();
  const int m = fixedMember && memberIndex >= 1 && memberIndex <= 5 ? memberIndex : std::max(1, doc::ShownMember());
  const std::array<std::string, kLines> lines = ComposeLines(Block(), m);
  for (int i = 0; i < kLines; ++i) {
    auto& buffer = lines_[static_cast<std::size_t>(i)];
    buffer.fill('\0');
    std::memcpy(buffer.data(), lines[static_cast<std::size_t>(i)].data(), std::min(kWidth, lines[static_cast<std::size_t>(i)].size()));
    if (CBoxField* box = Position(i + 1)) {
      box->data = buffer.data();
      box->SoloLectur = 1;
    }
  }
}

CFirma::CFirma(IPageHost& host, QWidget* parent)
    : CRentaVista(host, CBoxesFirma::kCode,
                  std::make_unique<CBoxesFirma>(host.PageDocument() ? host.PageDocument()->Block()
                                                                     : std::span<std::uint8_t>(),
                                                -1),
                  parent) {}

void RegisterSignaturePage() {
  RegisterPageClass(PageClassName(CBoxesFirma::kCode),
                    [](IPageHost& host, QWidget* parent) -> CFormView* { return new CFirma(host, parent); });
}

}  // namespace forms
