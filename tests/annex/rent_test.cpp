// The rent dialogs of the habitual home (three contracts; three rented homes with the household's
// marks), opened through the launch table on fixture blocks and typed into with real keys.
#include <QLabel>
#include <QLineEdit>

#include "annex/rent_dlg.h"
#include "annex_fixture.h"
#include "launched.h"
#include "platform/help.h"
#include "render_support.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
namespace r = annex::rent;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
constexpr std::array<int, 5> kAlone{0, 1, 0, 0, 0};
constexpr std::size_t kTail = 16;  // bytes after the block that no dialog may touch

void Press(CTemplateDlg& d, int id) { static_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }

void TypeInto(CTemplateDlg& d, int id, const QString& keys) {
  QWidget* e = d.GetDlgItem(id);
  ASSERT_NE(e, nullptr) << id;
  e->setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(e)) {  // what is typed replaces the text
    line->end(false);
    for (qsizetype i = line->text().size(); i > 0; --i) QTest::keyClick(e, Qt::Key_Backspace);
  }
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}

void ChooseHolder(CTemplateDlg& d, int id, Qt::Key key) {
  QWidget* e = d.GetDlgItem(id);
  e->setFocus();
  QTest::keyClick(e, key);
}

// A block with a row for the spouse, blank NIFs, and a patterned tail beyond it.
std::vector<std::uint8_t> Fixture(std::size_t bytes, unsigned nifOff) {
  std::vector<std::uint8_t> b(bytes + kTail, 0);
  for (std::size_t row = 0; row < 3; ++row) std::memset(b.data() + row * 40 + nifOff, ' ', 9);
  b[0] = 3;
  blocks::F64{8}.set(b.data(), 50.0);
  if (bytes == r::kContractBlock) r::ContractSecond.set(b.data(), 6.0);
  else r::HomePersons.set(b.data(), 2.0);
  for (std::size_t i = bytes; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(0xC0 + i);
  return b;
}

struct Entry {
  const char* descriptor;
  std::size_t bytes;
  unsigned nifOff;
  std::vector<std::pair<int, const char*>> typed;  // second row: cell and keys, after its holder
  std::vector<std::pair<unsigned, double>> amounts;  // what OK leaves in the second row
};

class RentDialogs : public AnnexTest, public ::testing::WithParamInterface<Entry> {};

TEST_P(RentDialogs, OkWritesTheTypedRowAndNothingElseCancelLeavesTheBytes) {
  const Entry& c = GetParam();
  qxtest::MemberView view(1, kCouple);
  for (bool ok : {false, true}) {
    std::vector<std::uint8_t> block = Fixture(c.bytes, c.nifOff);
    const std::vector<std::uint8_t> before = block;
    Launch(c.descriptor, block, [&](CTemplateDlg& d) {
      ChooseHolder(d, 1322, Qt::Key_D);
      for (const auto& [id, keys] : c.typed) TypeInto(d, id, QString::fromLatin1(keys));
      TypeInto(d, 1310, QStringLiteral("12345678z"));
      Press(d, ok ? ui::IDOK : ui::IDCANCEL);
    });
    std::vector<std::uint8_t> expected = before;
    if (ok) {
      std::uint8_t* row = expected.data() + 40;
      row[0] = 2;
      for (const auto& [off, value] : c.amounts) blocks::F64{off}.set(row, value);
      std::memcpy(row + c.nifOff, "12345678Z", 9);
    }
    EXPECT_EQ(block, expected) << c.descriptor << (ok ? " OK" : " Cancel");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RentDialogs,
    ::testing::Values(Entry{"IDD_AUTONOM1_G*1", r::kContractBlock, 24, {{1313, "2"}, {1568, "300"}}, {{8, 2.0}, {16, 300.0}}},
                      Entry{"IDD_AUTONOM1_G*2", r::kContractBlock, 24, {{1313, "450"}, {1568, "7"}}, {{8, 450.0}, {16, 7.0}}},
                      Entry{"IDD_AUTONOM4_CA", r::kHomeBlock, 16, {{1568, "300"}, {24661, "1"}}, {{8, 300.0}, {32, 1.0}}}));

class RentRules : public AnnexTest {};

TEST_F(RentRules, ContractsAreRefusedWithoutTheirSecondFigureByVariant) {
  struct Case {
    const char* descriptor;
    const char* typedSecond;  // into the first row's second figure before OK ("" none)
    std::vector<QString> codes;
    bool closed;
  };
  const Case cases[] = {
      {"IDD_AUTONOM1_G*2", "\b\b", {QStringLiteral("100R149"), QStringLiteral("100R113")}, false},
      {"IDD_AUTONOM1_G*2", "13", {QStringLiteral("100R149"), QStringLiteral("100R113")}, false},
      {"IDD_AUTONOM1_G*2", "12", {}, true},
      {"IDD_AUTONOM1_G*1", "\b\b\b\b\b\b", {QStringLiteral("100R095")}, false},
      {"IDD_AUTONOM1_G*3", "\b\b", {QStringLiteral("100R095")}, false},
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    messages.shown.clear();
    std::vector<std::uint8_t> block = Fixture(r::kContractBlock, 24);
    const std::vector<std::uint8_t> before = block;
    double months = -1;
    auto run = Launch(c.descriptor, block, [&](CTemplateDlg& d) {
      TypeInto(d, 1556, QString::fromLatin1(c.typedSecond));
      months = r::ContractSecond.get(dynamic_cast<ui::CAnnexRowsDlg&>(d).Row(0));
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(messages.Codes(), c.codes) << c.descriptor << " " << c.typedSecond;
    EXPECT_EQ(run.dialogResult == ui::IDOK, c.closed) << c.descriptor << " " << c.typedSecond;
    if (!c.closed) {
      EXPECT_EQ(block, before);
    }
    if (c.codes.size() == 2) {
      EXPECT_EQ(months, 0.0) << "a refused month count is cleared";
    }
  }
}

TEST_F(RentRules, TheSpousesViewHalvesTheAmountsOfACommonRowAndChangesNothing) {
  struct Case {
    const char* descriptor;
    std::size_t bytes;
    int firstCell, secondCell;
    const char *first, *second;
  };
  const Case cases[] = {
      {"IDD_AUTONOM1_G*1", r::kContractBlock, 1312, 1556, "25,00", "3,00"},
      {"IDD_AUTONOM1_G*2", r::kContractBlock, 1312, 1556, "25,00", "6"},
      {"IDD_AUTONOM4_CA", r::kHomeBlock, 1556, 24660, "25,00", "2"},
  };
  qxtest::MemberView view(3, kCouple);
  for (const Case& c : cases) {
    std::vector<std::uint8_t> block = Fixture(c.bytes, c.bytes == r::kHomeBlock ? 16 : 24);
    block[0] = 1;
    const std::vector<std::uint8_t> before = block;
    QString first, second, holder;
    Launch(c.descriptor, block, [&](CTemplateDlg& d) {
      holder = d.Edit(1303)->text().trimmed();
      first = d.Edit(c.firstCell)->text();
      second = d.Edit(c.secondCell)->text();
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(holder, QStringLiteral("DECLARANTE")) << c.descriptor;
    EXPECT_EQ(first, QString::fromLatin1(c.first)) << c.descriptor;
    EXPECT_EQ(second, QString::fromLatin1(c.second)) << c.descriptor;
    EXPECT_EQ(block, before) << c.descriptor;
  }
}

TEST_F(RentRules, ACommonHomeNeedsTwoPersonsAndAnAmountNeedsPersons) {
  qxtest::MemberView view(1, kCouple);
  std::vector<std::uint8_t> block = Fixture(r::kHomeBlock, 16);
  block[0] = 1;
  double leftPersons = -1;
  auto run = Launch("IDD_AUTONOM4_CA", block, [&](CTemplateDlg& d) {
    TypeInto(d, 24660, QStringLiteral("1"));  // common home, one person: refused as it is left
    leftPersons = r::HomePersons.get(dynamic_cast<ui::CAnnexRowsDlg&>(d).Row(0));
    Press(d, ui::IDOK);                       // the amount without persons is said first
    TypeInto(d, 24660, QStringLiteral("2"));
    TypeInto(d, 1349, QStringLiteral("x"));
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(leftPersons, 0.0);
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{QStringLiteral("100R128"), QStringLiteral("100R084")}));
  EXPECT_EQ(run.dialogResult, ui::IDOK);
  EXPECT_EQ(r::HomePersons.get(block.data()), 2.0);
  EXPECT_EQ(r::DeclarantUnemployed.get(block.data()), 1);
  EXPECT_EQ(r::SpouseUnemployed.get(block.data()), 0);
}

TEST_F(RentRules, TheSpousesMarkNeedsASpouse) {
  for (const auto& household : {kAlone, kCouple}) {
    qxtest::MemberView view(1, household);
    std::vector<std::uint8_t> block = Fixture(r::kHomeBlock, 16);
    bool enabled = false;
    Launch("IDD_AUTONOM4_CA", block, [&](CTemplateDlg& d) {
      enabled = d.GetDlgItem(CAutonom4CaDlg::kSpouseUnemployed)->isEnabled();
    });
    EXPECT_EQ(enabled, household[2] != 0);
  }
}

TEST_F(RentRules, TheVariantChoosesHeadingsFormatAndHelp) {
  struct Case {
    const char* descriptor;
    int labelId;
    const char* text;
    int topic;  // 0: no help button
  };
  const Case cases[] = {
      {"IDD_AUTONOM1_G*2", 24644, "Importe", 968},
      {"IDD_AUTONOM1_G*2", 24645, "Duración en 2003\n(meses)", 968},
      {"IDD_AUTONOM1_G*2", 24641, "", 968},
      {"IDD_AUTONOM1_G*1", 24641, "", 0},
      {"IDD_AUTONOM1_G*1", 24644, "Nº Titulares del\ncontrato", 0},
      {"IDD_AUTONOM1_G*4", 24642, "2º Contrato ................", 0},
      {"IDD_AUTONOM4_CA", 24643, "Vivienda 3", 941},
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    const bool homes = std::string(c.descriptor).find("CA") != std::string::npos;
    std::vector<std::uint8_t> block = Fixture(homes ? r::kHomeBlock : r::kContractBlock, homes ? 16 : 24);
    int topic = 0;
    QString text;
    bool help = false;
    platform::SetHelpHook([&](int t) { topic = t; });
    Launch(c.descriptor, block, [&](CTemplateDlg& d) {
      text = d.Item<QLabel>(c.labelId)->text();
      help = d.GetDlgItem(ui::kHelpButtonId)->isVisible();
      if (help) Press(d, ui::kHelpButtonId);
    });
    platform::SetHelpHook({});
    EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.descriptor << " " << c.labelId;
    EXPECT_EQ(help, c.topic != 0) << c.descriptor;
    EXPECT_EQ(topic, c.topic) << c.descriptor;
  }
}

class RentRender : public annextest::LanguageTest {};

TEST_P(RentRender, BothDialogsFitTheirTexts) {
  qxtest::MemberView view(1, kCouple);
  {
    CAutonom1GDlg d({nullptr, 1, 0});
    d.index = 2;
    d.AnnexBlock()[0] = 2;
    r::ContractFirst.set(d.AnnexBlock().data(), 4500.0);
    r::ContractSecond.set(d.AnnexBlock().data(), 12.0);
    std::memcpy(d.AnnexBlock().data() + r::ContractNif.off, "12345678Z", 9);
    d.EnsureCreated();
    annextest::CheckLayout(d, QStringLiteral("autonom1g"), GetParam());
  }
  {
    CAutonom4CaDlg d({nullptr, 1, 0});
    d.AnnexBlock()[0] = 1;
    r::HomeAmount.set(d.AnnexBlock().data(), 6000.0);
    r::HomePersons.set(d.AnnexBlock().data(), 2.0);
    std::memcpy(d.AnnexBlock().data() + r::HomeNif.off, "12345678Z", 9);
    d.EnsureCreated();
    annextest::CheckLayout(d, QStringLiteral("autonom4ca"), GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, RentRender, ::testing::Values('e', 'c'));

}  // namespace
