// The agricultural activity depreciation dialog opened through the launch table on an activity
// row of a fixture declaration: each variant writing its own five fields, the amounts opened by the
// activity's kind, the warning of a use without income, Cancel and the member view.
#include <QLabel>

#include "annex/amortiag_dlg.h"
#include "annex_fixture.h"
#include "capital_support.h"
#include "platform/strings.h"
#include "support/member_view.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::Press;
using annextest::TypeInto;
namespace am = annex::amortiag;
using D = CAmortiagDlg;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
const std::size_t kAt = f100::SectionE5.offset + f100::sec_e5::kRowSize;  // the second activity

class Amortiag : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    Reset();
  }
  void Reset() {
    std::memset(decl.at(kAt), 0, am::kBlockSize);
    Row()[0] = 2;
  }
  std::uint8_t* Row() { return decl.at(kAt); }
  // Every income of the row set, so that no use lacks income.
  void WithIncome() {
    for (std::size_t off = 56; off < 1824; off += 8) blocks::F64{off}.set(Row(), 1.0);
  }
  int Open(const char* descriptor, std::function<void(CTemplateDlg&)> act) {
    return annextest::Launch(descriptor, Row(), std::move(act));
  }
  qxtest::MemberView view{1, kCouple};
  annextest::FixtureDeclaration decl;
};

TEST_F(Amortiag, EachVariantWritesItsOwnFiveAmounts) {
  for (const char* descriptor : {"IDD_AMORTIAG*1", "IDD_AMORTIAG*2", "IDD_AMORTIAG"}) {
    SCOPED_TRACE(descriptor);
    Reset();
    f100::sec_e5::Type.set(Row(), '1');
    WithIncome();
    const std::vector<std::uint8_t> before = decl.bytes;
    const bool consumption = std::string_view(descriptor) == "IDD_AMORTIAG*1";
    QString header;
    Open(descriptor, [&](CTemplateDlg& d) {
      header = d.Item<QLabel>(D::kAgricultureHeader)->text();
      for (std::size_t u = 0; u < D::kAmounts.size(); ++u)
        TypeInto(d, D::kAmounts[u], QString::number(10 * (u + 1)));
      Press(d, ui::IDOK);
    });
    EXPECT_TRUE(messages.Codes().empty());
    EXPECT_EQ(header, consumption ? platform::LoadString(2257) : platform::LoadString(97461));
    std::vector<std::uint8_t> expected = before;
    const auto& fields = consumption ? am::kConsumption : am::kDepreciation;
    for (std::size_t u = 0; u < fields.size(); ++u) fields[u].set(expected.data() + kAt, 10.0 * (u + 1));
    EXPECT_EQ(decl.bytes, expected);
  }
}

TEST_F(Amortiag, TheKindOfActivityOpensTheUses) {
  struct Case {
    char kind;
    bool own, leased, otherWork;
  };
  for (const Case& c : {Case{'1', true, true, true}, Case{'3', false, false, false}, Case{'7', true, true, false},
                        Case{'2', true, false, false}}) {
    SCOPED_TRACE(c.kind);
    f100::sec_e5::Type.set(Row(), static_cast<std::uint8_t>(c.kind));
    Open("IDD_AMORTIAG", [&](CTemplateDlg& d) {
      EXPECT_EQ(d.GetDlgItem(D::kAmounts[0])->isEnabled(), c.own);
      EXPECT_EQ(d.GetDlgItem(D::kAmounts[1])->isEnabled(), c.leased);
      EXPECT_EQ(d.GetDlgItem(D::kAmounts[4])->isEnabled(), c.otherWork);
      EXPECT_TRUE(d.GetDlgItem(D::kAmounts[2])->isEnabled() && d.GetDlgItem(D::kAmounts[3])->isEnabled());
    });
  }
}

TEST_F(Amortiag, ADepreciationForAUseWithoutIncomeIsQuestioned) {
  struct Case {
    const char* amount;
    std::size_t income;  // an income of the own-land list set (0: none)
    int answer;
    std::vector<QString> codes;
    bool closed;
  };
  const QString p031 = QStringLiteral("100P031");
  const Case cases[] = {{"100", 0, kAnsContinuar, {p031}, true},
                        {"100", 0, kAnsCorregir, {p031}, false},
                        {"100", 1376, kAnsCorregir, {}, true},
                        {"0", 0, kAnsCorregir, {}, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.amount << " " << c.income << " " << c.answer);
    Reset();
    f100::sec_e5::Type.set(Row(), '1');
    if (c.income) blocks::F64{c.income}.set(Row(), 5.0);
    qxtest::ScriptedMessages answers({c.answer});
    bool stayed = false;
    Open("IDD_AMORTIAG", [&](CTemplateDlg& d) {
      TypeInto(d, D::kAmounts[0], QString::fromLatin1(c.amount));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(answers.Codes(), c.codes);
    EXPECT_EQ(stayed, !c.closed);
    EXPECT_EQ(am::kDepreciation[0].get(Row()), c.closed && std::string_view(c.amount) == "100" ? 100.0 : 0.0);
  }
}

TEST_F(Amortiag, CancelAndTheMemberViewLeaveTheBytes) {
  f100::sec_e5::Type.set(Row(), '1');
  WithIncome();
  const std::vector<std::uint8_t> before = decl.bytes;
  Open("IDD_AMORTIAG*1", [&](CTemplateDlg& d) {
    TypeInto(d, D::kAmounts[2], QStringLiteral("40"));
    Press(d, ui::IDCANCEL);
  });
  EXPECT_EQ(decl.bytes, before);
  view.Show(3);
  bool editable = true;
  Open("IDD_AMORTIAG", [&](CTemplateDlg& d) {
    editable = d.GetDlgItem(D::kAmounts[2])->isEnabled();
    Press(d, ui::IDOK);
  });
  EXPECT_FALSE(editable);
  EXPECT_EQ(decl.bytes, before);
}

}  // namespace
