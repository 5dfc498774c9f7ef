// The sportsmen's mutual society and spouse-contribution dialogs, opened through the launch table
// on section J of a fixture declaration.
#include "annex/deportistas_dlg.h"
#include "annex/redapooc_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "support/member_view.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::Launch;
using annextest::Press;
using annextest::TypeInto;
namespace sp = annex::deportistas;
namespace rc = annex::redapooc;
using D = CDeportistasDlg;
using R = CRedapoocDlg;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
const std::size_t kSportAt = f100::SectionJ.offset + f100::sec_j::kSportRows;
const std::size_t kSpouseAt = f100::SectionJ.offset + f100::sec_j::SpouseContributor.off;

class Sportsmen : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    std::fill_n(declaration.at(kSportAt), sp::kBlockSize, 0);
    std::fill_n(declaration.at(kSpouseAt), rc::kBlockSize, 0);
  }
  std::uint8_t* Sport(int r) { return declaration.at(kSportAt + sp::kRowSize * r); }
  qxtest::MemberView view{1, kCouple};
  annextest::FixtureDeclaration declaration;
};

TEST_F(Sportsmen, TheFirstRowAboveTheLimitWarnsOnceAndOkWritesTheWholeBlock) {
  struct Case {
    double promoter1, promoter2;
    std::vector<int> answers;
    std::vector<QString> codes;
    bool closed;
  };
  const Case cases[] = {
      {4250.0, 0.0, {}, {}, true},
      {4250.01, 0.0, {kAnsCorregir}, {QStringLiteral("100P074")}, false},
      {4250.01, 9000.0, {kAnsContinuar}, {QStringLiteral("100P074")}, true},  // no second message
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.promoter1);
    sp::Holder.set(Sport(0), 2);
    sp::Own.set(Sport(0), 0.0);
    sp::Promoter.set(Sport(0), c.promoter1);
    sp::Holder.set(Sport(1), 3);
    sp::Own.set(Sport(1), 20000.0);
    sp::Promoter.set(Sport(1), c.promoter2);
    const std::vector<std::uint8_t> before = declaration.bytes;
    qxtest::ScriptedMessages answers(std::deque<int>(c.answers.begin(), c.answers.end()));
    bool stayed = false;
    Launch("IDD_DEPORTISTAS", declaration.at(kSportAt), [&](CTemplateDlg& d) {
      EXPECT_EQ(d.windowTitle(), QStringLiteral("MUTUALIDAD DE DEPORTISTAS PROFESIONALES"));
      EXPECT_FALSE(d.GetDlgItem(D::kPromoter1)->isEnabled());
      EXPECT_EQ(d.GetDlgItem(D::kHolder1)->isEnabled(), false) << "a row with a promoter amount keeps its holder";
      EXPECT_EQ(d.GetDlgItem(D::kHolder2)->isEnabled(), c.promoter2 == 0.0);
      TypeInto(d, D::kOwn1, QStringLiteral("20000"));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(answers.Codes(), c.codes);
    EXPECT_EQ(stayed, !c.closed);
    std::vector<std::uint8_t> expected = before;
    if (c.closed) sp::Own.set(expected.data() + kSportAt, 20000.0);
    EXPECT_EQ(declaration.bytes, expected);
  }
}

TEST_F(Sportsmen, GivingTheSecondRowTheFirstRowsHolderFreesIt) {
  sp::Holder.set(Sport(0), 2);
  sp::Own.set(Sport(0), 100.0);
  Launch("IDD_DEPORTISTAS", declaration.at(kSportAt), [&](CTemplateDlg& d) {
    TypeInto(d, D::kHolder2, QStringLiteral("C"));
    TypeInto(d, D::kOwn2, QStringLiteral("300"));
    EXPECT_EQ(d.Edit(D::kHolder2)->text().trimmed(), QStringLiteral("CÓNYUGE"));
    QWidget* holder = d.GetDlgItem(D::kHolder2);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_Delete);
    TypeInto(d, D::kHolder2, QStringLiteral("D"));
    EXPECT_EQ(d.Edit(D::kHolder2)->text().trimmed(), QString());
    EXPECT_EQ(d.Edit(D::kOwn2)->text(), QString());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(sp::Holder.get(Sport(1)), 0);
  EXPECT_EQ(sp::Own.get(Sport(1)), 0.0);
  EXPECT_EQ(sp::Holder.get(Sport(0)), 2);
  EXPECT_EQ(sp::Own.get(Sport(0)), 100.0);
}

TEST_F(Sportsmen, TheCommonHolderIsNotOffered) {
  Launch("IDD_DEPORTISTAS", declaration.at(kSportAt), [&](CTemplateDlg& d) {
    TypeInto(d, D::kHolder1, QStringLiteral("O"));
    EXPECT_EQ(d.Edit(D::kHolder1)->text().trimmed(), QString());
  });
}

TEST_F(Sportsmen, SpouseContributionsAbove2000Warn) {
  struct Case {
    const char* personal;
    double amount;
    bool warned;
  };
  for (const Case c : {Case{"1500", 1500.0, false}, Case{"1500,01", 1500.01, true}}) {
    SCOPED_TRACE(c.personal);
    std::fill_n(declaration.at(kSpouseAt), rc::kBlockSize, 0);
    rc::Holder.set(declaration.at(kSpouseAt), 3);
    rc::Promoter.set(declaration.at(kSpouseAt), 500.0);
    std::vector<std::uint8_t> expected = declaration.bytes;
    qxtest::ScriptedMessages answers({kAnsContinuar});
    Launch("IDD_REDAPOOC", declaration.at(kSpouseAt), [&](CTemplateDlg& d) {
      EXPECT_FALSE(d.GetDlgItem(R::kPromoter)->isEnabled());
      EXPECT_FALSE(d.GetDlgItem(R::kHolder)->isEnabled()) << "the promoter amount fixes the holder";
      TypeInto(d, R::kPersonal, QString::fromLatin1(c.personal));
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(answers.Codes(), c.warned ? std::vector<QString>{QStringLiteral("100P051")} : std::vector<QString>{});
    rc::Personal.set(expected.data() + kSpouseAt, c.amount);
    EXPECT_EQ(declaration.bytes, expected);
  }
}

TEST_F(Sportsmen, TheDeclarantsViewShowsACommonSpouseRecordHalvedAndStoresNothing) {
  view.Show(2);
  rc::Holder.set(declaration.at(kSpouseAt), 1);
  rc::Personal.set(declaration.at(kSpouseAt), 1000.0);
  rc::Promoter.set(declaration.at(kSpouseAt), 300.0);
  const std::vector<std::uint8_t> before = declaration.bytes;
  Launch("IDD_REDAPOOC", declaration.at(kSpouseAt), [&](CTemplateDlg& d) {
    EXPECT_EQ(d.Edit(R::kHolder)->text().trimmed(), QStringLiteral("DECLARANTE"));
    EXPECT_EQ(d.Edit(R::kPersonal)->text(), QStringLiteral("500,00"));
    EXPECT_EQ(d.Edit(R::kPromoter)->text(), QStringLiteral("150,00"));
    EXPECT_FALSE(d.GetDlgItem(R::kPersonal)->isEnabled());
    Press(d, ui::IDOK);
  });
  Launch("IDD_DEPORTISTAS", declaration.at(kSportAt), [&](CTemplateDlg& d) {
    EXPECT_FALSE(d.GetDlgItem(D::kHolder1)->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(messages.Codes().back(), QStringLiteral("100R025"));
  EXPECT_EQ(declaration.bytes, before);
}

}  // namespace
