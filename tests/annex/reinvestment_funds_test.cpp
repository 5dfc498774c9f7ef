// The main-home reinvestment exemption and the investment-fund transfer dialogs opened through the
// launch table on fixture declarations: OK writing their fields only, the holder that opens and
// clears the exemption, the withholdings warning, Cancel and the member view.
#include <algorithm>

#include "annex/reinvestment_funds_dlg.h"
#include "annex_fixture.h"
#include "capital_support.h"
#include "support/member_view.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::Press;
using annextest::TypeInto;
namespace ex = annex::exencion;
namespace fo = annex::fondos;
using E = CExencionDlg;
using F = CFondosDlg;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
const std::size_t kExemptionAt = f100::SectionG5.offset;
const std::size_t kFundsAt = f100::SectionG1.offset + f100::sec_g1::Holder.off + 4 * f100::sec_g1::kRowSize + fo::kRowOffset;

class Reinvestment : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    std::memset(decl.at(kExemptionAt), 0, ex::kBlockSize);
    std::memset(decl.at(kFundsAt), 0, fo::kBlockSize);
  }
  qxtest::MemberView view{1, kCouple};
  annextest::FixtureDeclaration decl;
};

TEST_F(Reinvestment, TheHolderOpensTheExemptionAndOkWritesItsAmounts) {
  for (bool ok : {true, false}) {
    std::memset(decl.at(kExemptionAt), 0, ex::kBlockSize);
    const std::vector<std::uint8_t> before = decl.bytes;
    bool closedWithoutHolder = false;
    annextest::Launch("IDD_EXENCION*0*2", decl.at(kExemptionAt), [&](CTemplateDlg& d) {
      closedWithoutHolder = true;
      for (int id : E::kAmounts) closedWithoutHolder = closedWithoutHolder && !d.GetDlgItem(id)->isEnabled();
      TypeInto(d, E::kHolder, QStringLiteral("C"));
      for (std::size_t i = 0; i < std::size(E::kAmounts); ++i) {
        EXPECT_TRUE(d.GetDlgItem(E::kAmounts[i])->isEnabled());
        TypeInto(d, E::kAmounts[i], QString::number(1000 * (i + 1)));
      }
      Press(d, ok ? ui::IDOK : ui::IDCANCEL);
    });
    EXPECT_TRUE(closedWithoutHolder);
    if (!ok) {
      EXPECT_EQ(decl.bytes, before);
      continue;
    }
    std::vector<std::uint8_t> expected = before;
    ex::Holder.set(expected.data() + kExemptionAt, 3);
    for (int i = 0; i < ex::kAmounts; ++i) ex::Amount(i).set(expected.data() + kExemptionAt, 1000.0 * (i + 1));
    EXPECT_EQ(decl.bytes, expected);
  }
}

TEST_F(Reinvestment, DeletingTheHolderClearsTheWholeExemption) {
  ex::Holder.set(decl.at(kExemptionAt), 2);
  decl.at(kExemptionAt)[3] = 7;  // a byte the dialog does not show goes too
  for (int i = 0; i < ex::kAmounts; ++i) ex::Amount(i).set(decl.at(kExemptionAt), 50.0);
  bool closed = false;
  annextest::Launch("IDD_EXENCION", decl.at(kExemptionAt), [&](CTemplateDlg& d) {
    QWidget* holder = d.GetDlgItem(E::kHolder);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_Delete);
    closed = !d.GetDlgItem(E::kAmounts[0])->isEnabled();
    EXPECT_EQ(annextest::Shown(d, E::kAmounts[4]), QString());
    Press(d, ui::IDOK);
  });
  EXPECT_TRUE(closed);
  EXPECT_TRUE(std::all_of(decl.at(kExemptionAt), decl.at(kExemptionAt) + ex::kBlockSize, [](std::uint8_t b) { return b == 0; }));
}

TEST_F(Reinvestment, FundWithholdingsAboveTheirShareOfTheGainsAreQuestioned) {
  struct Case {
    const char* shortGains;
    const char* longGains;
    const char* losses;
    const char* withholdings;
    int answer;
    std::vector<QString> codes;
    bool closed;
  };
  const QString p045 = QStringLiteral("100P045");
  const Case cases[] = {{"1000", "", "", "150,50", kAnsCorregir, {}, true},
                        {"1000", "", "", "150,51", kAnsCorregir, {p045}, false},
                        {"1000", "", "", "150,51", kAnsContinuar, {p045}, true},
                        {"400", "600", "", "150,50", kAnsCorregir, {}, true},
                        {"", "", "5000", "0,51", kAnsCorregir, {p045}, false}};  // losses do not count
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.shortGains << " " << c.longGains << " " << c.withholdings << " " << c.answer);
    std::memset(decl.at(kFundsAt), 0, fo::kBlockSize);
    const std::vector<std::uint8_t> before = decl.bytes;
    qxtest::ScriptedMessages answers({c.answer});
    bool stayed = false;
    annextest::Launch("IDD_FONDOS", decl.at(kFundsAt), [&](CTemplateDlg& d) {
      TypeInto(d, F::kShortGains, QString::fromLatin1(c.shortGains));
      TypeInto(d, F::kLongGains, QString::fromLatin1(c.longGains));
      TypeInto(d, F::kLongLosses, QString::fromLatin1(c.losses));
      TypeInto(d, F::kWithholdings, QString::fromLatin1(c.withholdings));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(answers.Codes(), c.codes);
    EXPECT_EQ(stayed, !c.closed);
    if (!c.closed) {
      EXPECT_EQ(decl.bytes, before);
    } else {
      EXPECT_NE(fo::Withholdings.get(decl.at(kFundsAt)), 0.0);
    }
    // Nothing outside the block.
    for (std::size_t i = 0; i < decl.bytes.size(); ++i) {
      if (i < kFundsAt || i >= kFundsAt + fo::kBlockSize) {
        ASSERT_EQ(decl.bytes[i], before[i]) << i;
      }
    }
  }
}

TEST_F(Reinvestment, CancelAndTheMemberViewLeaveTheBytes) {
  const std::vector<std::uint8_t> before = decl.bytes;
  annextest::Launch("IDD_FONDOS", decl.at(kFundsAt), [&](CTemplateDlg& d) {
    TypeInto(d, F::kShortLosses, QStringLiteral("30"));
    Press(d, ui::IDCANCEL);
  });
  EXPECT_EQ(decl.bytes, before);
  view.Show(2);
  for (const char* name : {"IDD_FONDOS", "IDD_EXENCION"}) {
    bool editable = true;
    annextest::Launch(name, decl.at(std::string_view(name) == "IDD_FONDOS" ? kFundsAt : kExemptionAt),
                      [&](CTemplateDlg& d) {
                        editable = d.GetDlgItem(std::string_view(name) == "IDD_FONDOS" ? F::kShortGains : E::kHolder)
                                       ->isEnabled();
                        Press(d, ui::IDOK);
                      });
    EXPECT_FALSE(editable) << name;
    EXPECT_EQ(decl.bytes, before) << name;
  }
}

}  // namespace
