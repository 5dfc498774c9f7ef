// The rent detail dialogs (young tenants, lessor's NIF, amount and second value), opened through
// the launch table on fixture blocks and typed into with real keys.
#include <QLabel>

#include "annex/zedu_dlg.h"
#include "annex_fixture.h"
#include "launched.h"
#include "platform/help.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace z = annex::zedu;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};

// The first offset where two blocks differ, -1 when they are equal.
long FirstDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  const auto m = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  return m.first == a.end() && m.second == b.end() ? -1 : static_cast<long>(m.first - a.begin());
}

std::string Nif(const std::uint8_t* p) { return std::string(reinterpret_cast<const char*>(p), 9); }

struct Dialog {
  const char* name;
  std::size_t bytes, stride;
  int holder1, amount1, nif1;  // cells of the second row (nif 0: none)
  unsigned amountOff, nifOff;
};
constexpr Dialog kDialogs[] = {
    {"IDD_TIT2DAT4*1", z::kYoungBlock, z::kYoungRow, 1322, 1888, 1625, 16, 24},
    {"IDD_TIT3DATNIF*1", z::kLessorBlock, z::kLessorRow, 1322, 1568, 1310, 8, 16},
    {"IDD_TIT3DAT2*1", z::kMonthsBlock, z::kMonthsRow, 1328, 1336, 0, 8, 0},
};

class Zedu : public AnnexTest, public ::testing::WithParamInterface<Dialog> {};

// The spouse's row first; the second row is typed in; the third record of the young tenants'
// block carries bytes no dialog shows.
std::vector<std::uint8_t> Fixture(const Dialog& c) {
  std::vector<std::uint8_t> b(c.bytes);
  b[0] = 3;
  blocks::F64{c.amountOff}.set(b.data(), 40.0);
  // NIFs are stored blank padded, in free rows too.
  const std::size_t shown = c.bytes == z::kYoungBlock ? 2 : 3;
  for (std::size_t r = 0; c.nifOff && r < shown; ++r)
    std::memset(b.data() + r * c.stride + c.nifOff, ' ', 9);
  if (c.bytes == z::kYoungBlock) {
    z::YoungContractHolders.set(b.data(), 1.0);
    for (std::size_t i = 80; i < 120; ++i) b[i] = static_cast<std::uint8_t>(i);
  }
  return b;
}

TEST_P(Zedu, OkWritesTheRowAndCancelLeavesTheBytes) {
  const Dialog& c = GetParam();
  qxtest::MemberView view(1, kCouple);
  for (bool ok : {false, true}) {
    std::vector<std::uint8_t> block = Fixture(c);
    const std::vector<std::uint8_t> before = block;
    Launch(c.name, block, [&](CTemplateDlg& d) {
      auto* holder = d.GetDlgItem(c.holder1);
      holder->setFocus();
      QTest::keyClick(holder, Qt::Key_D);
      if (c.bytes == z::kYoungBlock) TypeInto(d, 24704, QStringLiteral("2"));
      TypeInto(d, c.amount1, QStringLiteral("300"));
      if (c.nif1) TypeInto(d, c.nif1, QStringLiteral("12345678z"));
      Press(d, ok ? ui::IDOK : ui::IDCANCEL);
    });
    std::vector<std::uint8_t> expected = before;
    if (ok) {
      std::uint8_t* row = expected.data() + c.stride;
      row[0] = 2;
      blocks::F64{c.amountOff}.set(row, 300.0);
      if (c.nifOff) std::memcpy(row + c.nifOff, "12345678Z", 9);
      if (c.bytes == z::kYoungBlock) z::YoungContractHolders.set(row, 2.0);
    }
    EXPECT_EQ(FirstDifference(block, expected), -1) << c.name << (ok ? " OK" : " Cancel");
  }
}

TEST_P(Zedu, TheSpousesViewShowsHalfOfACommonRowAndChangesNothing) {
  const Dialog& c = GetParam();
  qxtest::MemberView view(3, kCouple);
  std::vector<std::uint8_t> block = Fixture(c);
  block[0] = 1;
  const std::vector<std::uint8_t> before = block;
  QString shown;
  Launch(c.name, block, [&](CTemplateDlg& d) {
    shown = d.Edit(c.amount1 == 1888 ? 1887 : c.amount1 == 1568 ? 1556 : 1318)->text();
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(shown, QStringLiteral("20,00")) << c.name;
  EXPECT_EQ(block, before);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, Zedu, ::testing::ValuesIn(kDialogs));

class ZeduRules : public AnnexTest {};

TEST_F(ZeduRules, YoungTenantsRefuseARepeatedHolderAndAnAmountWithoutContractHolders) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block = Fixture(kDialogs[0]);
  block[0] = 2;
  const std::vector<std::uint8_t> third(block.begin() + 80, block.end());
  bool secondFreed = false, stayed = false;
  Launch("IDD_TIT2DAT4", block, [&](CTemplateDlg& d) {
    auto* holder = d.GetDlgItem(1322);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_D);  // the declarant again
    secondFreed = d.Edit(1322)->text().trimmed().isEmpty();
    TypeInto(d, 1886, QStringLiteral("\b\b\b\b\b\b0"));
    Press(d, ui::IDOK);
    stayed = d.isVisible();
    TypeInto(d, 1886, QStringLiteral("1"));
    Press(d, ui::IDOK);
  });
  EXPECT_TRUE(secondFreed);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{QStringLiteral("100R045"), QStringLiteral("100R095")}));
  EXPECT_EQ(block[40], 0);
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin() + 80, block.end()), third) << "the third record goes through";
}

TEST_F(ZeduRules, AWrongLessorNifIsBlankedAsItIsLeft) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block = Fixture(kDialogs[1]);
  QString left;
  Launch("IDD_TIT3DATNIF", block, [&](CTemplateDlg& d) {
    TypeInto(d, 1309, QStringLiteral("12345678A"));
    left = d.Edit(1309)->text().trimmed();
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("WIN004")});
  EXPECT_TRUE(left.isEmpty());
  EXPECT_EQ(Nif(block.data() + 16), std::string(9, ' '));
}

TEST_F(ZeduRules, TheVariantChoosesLabelsHeadingsAndHelp) {
  struct Case {
    const char* descriptor;
    int labelId;             // a label or heading looked at
    const char* text;        // what it shows
    int topic;               // 0: the help button opens nothing
  };
  const Case cases[] = {
      {"IDD_TIT3DATNIF*1", 24641, "1º Contrato ................", 911},
      {"IDD_TIT3DATNIF*3", 24641, "", 1},  // topic 926 is not in the help file: the contents
      {"IDD_TIT3DATNIF*7", 24642, "", 0},
      {"IDD_TIT3DAT2*4", 1125, "Año 2002\\Importe total", 1},
      {"IDD_TIT3DAT2*1", 1124, "Importe satisfecho", 938},
      {"IDD_TIT3DAT2*2", 1125, "Duración en 2003\n(meses)", 1},
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    std::vector<std::uint8_t> block(std::string(c.descriptor).find("NIF") != std::string::npos ? 96 : 72);
    int topic = 0;
    QString text;
    platform::SetHelpHook([&](int t) { topic = t; });
    Launch(c.descriptor, block, [&](CTemplateDlg& d) {
      text = d.Item<QLabel>(c.labelId)->text();
      Press(d, ui::kHelpButtonId);
    });
    platform::SetHelpHook({});
    EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.descriptor;
    EXPECT_EQ(topic, c.topic) << c.descriptor;
  }
}

}  // namespace
