// The social-provision contribution dialogs, opened through the launch table on the pension rows
// of a fixture declaration, with the row's holder byte handed along.
#include "annex/plpengen_dlg.h"
#include "annex/plpenmin_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "platform/help.h"
#include "support/member_view.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace pg = annex::plpengen;
namespace pm = annex::plpenmin;
namespace j = f100::sec_j;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
std::size_t PensionRow(int r) { return f100::SectionJ.offset + j::pensionRow(r); }
std::size_t DisabledRow(int r) { return f100::SectionJ.offset + j::disabledRow(r); }

class Pensions : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    for (int r = 0; r < j::kPensionRowCount; ++r) std::fill_n(declaration.at(PensionRow(r)), j::kPensionRowSize, 0);
    for (int r = 0; r < j::kDisabledRowCount; ++r) std::fill_n(declaration.at(DisabledRow(r)), j::kDisabledRowSize, 0);
  }
  void SetAge(int holder, int age) { f100::personal::Age(holder - 1).set(declaration.bytes.data(), age); }
  void SetDisability(int holder, char code) {
    f100::personal::DisabilityCode(holder - 1).set(declaration.bytes.data(), static_cast<std::uint8_t>(code));
  }
  // Opens `name` on the block at `at` of the declaration for a row of `holder`.
  int Open(const char* name, std::size_t at, std::uint8_t holder, std::function<void(CTemplateDlg&)> act) {
    holder_ = holder;
    ui::AnnexPointerList list{declaration.at(at), &holder_, nullptr, 0, 0};
    return Launch(name, &list, std::move(act));
  }
  qxtest::MemberView view{1, kCouple};
  annextest::FixtureDeclaration declaration;
  std::uint8_t holder_ = 0;
};

TEST_F(Pensions, TheAmountOf2003IsComparedWithTheLimitOfTheHoldersAge) {
  struct Case {
    int holder, age;
    const char* typed;
    double amount;
    bool warned;
  };
  const Case cases[] = {{2, 50, "8000", 8000.0, false},        {2, 50, "8000,01", 8000.01, true},
                        {3, 58, "15500", 15500.0, false},      {3, 58, "15500,01", 15500.01, true},
                        {2, 70, "24250", 24250.0, false},      {2, 70, "24250,01", 24250.01, true},
                        {0, 50, "99999", 99999.0, false}};  // a row without a holder has no limit
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    SetAge(2, c.age);
    SetAge(3, c.age);
    std::fill_n(declaration.at(PensionRow(1)), j::kPensionRowSize, 0);
    const std::vector<std::uint8_t> before = declaration.bytes;
    qxtest::ScriptedMessages answers({kAnsCorregir});
    bool stayed = false;
    Open("IDD_PLPENGEN", PensionRow(1) + 24, static_cast<std::uint8_t>(c.holder), [&](CTemplateDlg& d) {
      EXPECT_EQ(d.windowTitle(), QStringLiteral("APORTACIONES A SISTEMAS DE PREVISIÓN SOCIAL"));
      TypeInto(d, CPlpengenDlg::kExcess, QStringLiteral("30000"));  // never compared
      TypeInto(d, CPlpengenDlg::kYear, QString::fromLatin1(c.typed));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(answers.Codes(), c.warned ? std::vector<QString>{QStringLiteral("100P050")} : std::vector<QString>{});
    EXPECT_EQ(stayed, c.warned) << "Corregir keeps the dialog open; Cancel then leaves the bytes";
    std::vector<std::uint8_t> expected = before;
    if (!c.warned) {
      j::pension::OwnExcessIn.set(expected.data() + PensionRow(1), 30000.0);
      j::pension::OwnYearIn.set(expected.data() + PensionRow(1), c.amount);
    }
    EXPECT_EQ(declaration.bytes, expected);
  }
}

TEST_F(Pensions, ThePromotersAmountOf2003IsReadOnlyAndOnlyTheExcessIsWritten) {
  SetAge(2, 40);
  j::pension::PromoterYearIn.set(declaration.at(PensionRow(0)), 9000.0);  // carried over, above the limit
  std::vector<std::uint8_t> expected = declaration.bytes;
  j::pension::PromoterExcessIn.set(expected.data() + PensionRow(0), 120.0);
  qxtest::ScriptedMessages answers({kAnsContinuar});
  Open("IDD_PLPENGEN2", PensionRow(0) + 64, 2, [&](CTemplateDlg& d) {
    EXPECT_FALSE(d.GetDlgItem(CPlpengen2Dlg::kYear)->isEnabled());
    EXPECT_EQ(d.Edit(CPlpengen2Dlg::kYear)->text(), QStringLiteral("9.000,00"));
    TypeInto(d, CPlpengen2Dlg::kExcess, QStringLiteral("120"));
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(answers.Codes(), std::vector<QString>{QStringLiteral("100P050")}) << "Continuar accepts";
  EXPECT_EQ(declaration.bytes, expected);
}

TEST_F(Pensions, AMemberViewOpensReadOnlyAndChangesNothing) {
  view.Show(3);
  const std::vector<std::uint8_t> before = declaration.bytes;
  struct Case {
    const char* name;
    int excess;
  };
  for (const Case c : {Case{"IDD_PLPENGEN", CPlpengenDlg::kExcess}, Case{"IDD_PLPENGEN2", CPlpengen2Dlg::kExcess}}) {
    Open(c.name, PensionRow(0) + 24, 3, [&](CTemplateDlg& d) {
      EXPECT_FALSE(d.GetDlgItem(c.excess)->isEnabled());
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(messages.Codes().back(), QStringLiteral("100R025"));
  }
  Open("IDD_PLPENMIN", DisabledRow(0) + 16, 3, [&](CTemplateDlg& d) {
    EXPECT_FALSE(d.GetDlgItem(CPlpenminDlg::kRelatives)->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(declaration.bytes, before);
}

TEST_F(Pensions, TheDisabledPersonsChecksSpeakInOrder) {
  struct Case {
    int holder;
    char disability;
    const char *nif, *own, *relatives;
    double promoter;
    std::vector<QString> codes;  // all answered "Continuar"
  };
  const Case cases[] = {
      {3, '3', "", "10000", "", 14250.0, {}},
      {3, '3', "", "10000", "", 14250.01, {QStringLiteral("100R106")}},
      {3, '3', "", "", "8000,01", 0.0, {QStringLiteral("100P062"), QStringLiteral("100P061")}},
      {3, '3', "", "", "8000", 0.0, {QStringLiteral("100P062")}},
      {3, '1', "", "10", "", 0.0, {QStringLiteral("100P049")}},
      {3, '1', "", "", "", 5.0, {QStringLiteral("100P049")}},
      {2, '3', "", "10", "20", 0.0, {QStringLiteral("100P062"), QStringLiteral("100P052")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.own << "/" << c.relatives << "/" << c.promoter);
    SetDisability(c.holder, c.disability);
    std::uint8_t* row = declaration.at(DisabledRow(1));
    std::fill_n(row, j::kDisabledRowSize, 0);
    j::disabled::Holder.set(row, static_cast<std::uint8_t>(c.holder));
    j::disabled::Promoter.set(row, c.promoter);
    qxtest::ScriptedMessages answers({kAnsContinuar, kAnsContinuar, kAnsContinuar});
    Open("IDD_PLPENMIN", DisabledRow(1) + 16, static_cast<std::uint8_t>(c.holder), [&](CTemplateDlg& d) {
      EXPECT_FALSE(d.GetDlgItem(CPlpenminDlg::kPromoter)->isEnabled());
      if (*c.own) TypeInto(d, CPlpenminDlg::kOwn, QString::fromLatin1(c.own));
      if (*c.relatives) TypeInto(d, CPlpenminDlg::kRelatives, QString::fromLatin1(c.relatives));
      Press(d, ui::IDOK);
      EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(answers.Codes(), c.codes);
    EXPECT_EQ(j::disabled::Holder.get(row), c.holder) << "the holder byte lies outside the block";
  }
}

TEST_F(Pensions, CorregirOnAMissingNifPutsTheFocusOnIt) {
  qxtest::ScriptedMessages answers({kAnsCorregir});
  const std::vector<std::uint8_t> before = declaration.bytes;
  Open("IDD_PLPENMIN", DisabledRow(0) + 16, 2, [&](CTemplateDlg& d) {
    TypeInto(d, CPlpenminDlg::kRelatives, QStringLiteral("500"));
    Press(d, ui::IDOK);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(ui::ControlId(QApplication::focusWidget()), CPlpenminDlg::kNif);
  });
  EXPECT_EQ(answers.Codes(), std::vector<QString>{QStringLiteral("100P062")});
  EXPECT_EQ(declaration.bytes, before) << "ended with Cancel";
}

TEST_F(Pensions, ANifThatIsNoPersonsIsRefusedAndBlankedAndAValidOneIsKept) {
  struct Case {
    const char* typed;
    bool refused;
  };
  for (const Case c : {Case{"B12345678", true}, Case{"12345678Z", false}}) {
    SCOPED_TRACE(c.typed);
    qxtest::ScriptedMessages answers;
    Open("IDD_PLPENMIN", DisabledRow(0) + 16, 2, [&](CTemplateDlg& d) {
      TypeInto(d, CPlpenminDlg::kNif, QString::fromLatin1(c.typed));
      if (c.refused) {
        EXPECT_EQ(ui::ControlId(QApplication::focusWidget()), CPlpenminDlg::kNif);
      }
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(answers.Codes(), c.refused ? std::vector<QString>{QStringLiteral("WIN004")} : std::vector<QString>{});
    const std::string stored(j::disabled::Nif.raw(declaration.at(DisabledRow(0))));
    EXPECT_EQ(stored, c.refused ? std::string(9, ' ') : std::string("12345678Z"));
  }
}

TEST_F(Pensions, OwnContributionsOfTheSamePersonInAnotherRowLockTheOwnAmount) {
  j::disabled::Holder.set(declaration.at(DisabledRow(0)), 3);
  j::disabled::Own.set(declaration.at(DisabledRow(0)), 100.0);
  struct Case {
    std::uint8_t holder;
    bool enabled;
  };
  for (const Case c : {Case{3, false}, Case{2, true}}) {
    Open("IDD_PLPENMIN", DisabledRow(1) + 16, c.holder, [&](CTemplateDlg& d) {
      EXPECT_EQ(d.GetDlgItem(CPlpenminDlg::kOwn)->isEnabled(), c.enabled) << int(c.holder);
    });
  }
}

TEST_F(Pensions, HelpOpensEachDialogsTopic) {
  struct Case {
    const char* name;
    int topic;
  };
  for (const Case c : {Case{"IDD_PLPENGEN", 890}, Case{"IDD_PLPENGEN2", 890}, Case{"IDD_PLPENMIN", 893}}) {
    int topic = 0;
    platform::SetHelpHook([&](int t) { topic = t; });
    Open(c.name, PensionRow(0) + 24, 2, [&](CTemplateDlg& d) { Press(d, ui::kHelpButtonId); });
    platform::SetHelpHook({});
    EXPECT_EQ(topic, c.topic) << c.name;
  }
}

}  // namespace
