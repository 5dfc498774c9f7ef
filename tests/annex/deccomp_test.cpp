// The complementary-return dialog, opened by the sub-dialog edit of the complementary boxes of
// page 1: the joint and the members' columns excluding each other, the earlier results written into
// the declaration at OK, the payment choices reset only by OK, the checks of OK.
#include "annex/deccomp_dlg.h"
#include "annex_fixture.h"
#include "blocks/form100_payment.h"
#include "render_support.h"
#include "support/member_view.h"
#include "ui/box_field.h"
#include "ui/sub_dialog_edit.h"

namespace {

namespace f = annex::deccomp;
namespace p = f100::payment;
using D = CDeccompDlg;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};

struct DeccompBox {
  explicit DeccompBox(std::uint8_t* block) {
    box.NombreVent = "IDD_DECCOMP";
    box.Identifica = "COMPLEM1";
    box.StrValidac = "B1*5";
    box.ApplyFormatSpec();
    box.option = block + f::kMarks;
    edit = std::make_unique<CSubDialogEdit>(&box);
  }
  CBoxField box;
  std::unique_ptr<CSubDialogEdit> edit;
};

void Type(D& d, int id, const QString& keys) {
  QWidget* e = d.GetDlgItem(id);
  ASSERT_NE(e, nullptr) << id;
  e->setFocus();
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}

void Open(DeccompBox& b, const std::function<void(D&)>& act) {
  qxtest::WhenModal([&](QWidget* m) {
    auto* d = dynamic_cast<D*>(m);
    ASSERT_NE(d, nullptr);
    act(*d);
    if (d->isVisible()) d->Item<QAbstractButton>(ui::IDCANCEL)->click();
  });
  b.edit->OpenSubDialog();
}

class Deccomp : public annextest::AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    decl.block[0] = 1;  // a married couple's declaration
    std::uint8_t* q = decl.block.data() + f100::SectionQ.offset;
    // The declarant pays in two instalments by debit into an account.
    p::FirstPayment(2).set(q, 600.0);
    p::PayInTwo(2).set(q, 1);
    p::SecondByDebit(2).set(q, 1);
    p::SecondInstalment(2).set(q, 400.0);
    p::Account2(2).number.set(q, "1234567890");
  }
  annextest::OpenDeclaration decl;
};

TEST_F(Deccomp, TheJointColumnAndTheMembersColumnsExcludeEachOther) {
  struct Case {
    const char* what;
    int typedInto;
    std::vector<int> marked, disabled;
  };
  const Case cases[] = {
      {"joint a)", D::kEarlier[0], {D::kEarlier[0]}, {D::kEarlier[1], D::kSpecial[1], D::kEarlier[2], D::kSpecial[2]}},
      {"joint b) brings joint a)", D::kSpecial[0], {D::kEarlier[0], D::kSpecial[0]}, {D::kEarlier[1], D::kSpecial[2]}},
      {"declarant b) brings its a)", D::kSpecial[1], {D::kEarlier[1], D::kSpecial[1]}, {D::kEarlier[0], D::kSpecial[0]}},
      {"spouse a)", D::kEarlier[2], {D::kEarlier[2]}, {D::kEarlier[0], D::kSpecial[0]}},
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    DeccompBox b(decl.block.data());
    Open(b, [&](D& d) {
      EXPECT_FALSE(d.GetDlgItem(D::kEarlier[3])->isEnabled()) << "no first child";
      Type(d, c.typedInto, QStringLiteral("x"));
      for (int id : {D::kEarlier[0], D::kSpecial[0], D::kEarlier[1], D::kSpecial[1], D::kEarlier[2], D::kSpecial[2]}) {
        const bool marked = std::find(c.marked.begin(), c.marked.end(), id) != c.marked.end();
        EXPECT_EQ(d.Edit(id)->text().trimmed() == QStringLiteral("X"), marked) << c.what << " " << id;
      }
      for (int id : c.disabled) EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << c.what << " " << id;
    });
  }
}

TEST_F(Deccomp, OkWritesMarksAndResultsAndResetsThePaymentCancelLeavesEverything) {
  qxtest::MemberView view(1, kCouple);
  for (bool ok : {false, true}) {
    const std::vector<std::uint8_t> before = decl.block;
    DeccompBox b(decl.block.data());
    Open(b, [&](D& d) {
      Type(d, D::kEarlier[1], QStringLiteral("x"));
      Type(d, D::kToPay[1], QStringLiteral("250"));
      Type(d, D::kRefunded[2], QStringLiteral("120"));
      Type(d, D::kSpecial[2], QStringLiteral("x"));
      if (ok) d.Item<QAbstractButton>(ui::IDOK)->click();
    });
    std::vector<std::uint8_t> expected = before;
    if (ok) {
      std::uint8_t* e = expected.data();
      e[f::kMarks + 1] = 1;      // declarant a)
      e[f::kMarks + 2] = 1;      // spouse a), brought by its b)
      e[f::kMarks + 5 + 2] = 1;  // spouse b)
      blocks::F64{f::kToPay + 8}.set(e, 250.0);
      blocks::F64{f::kRefunded + 16}.set(e, 120.0);
      std::uint8_t* q = e + f100::SectionQ.offset;
      p::PayAtOnce(2).set(q, 1);
      p::PayInTwo(2).set(q, 0);
      p::SecondByDebit(2).set(q, 0);
      p::SecondInstalment(2).set(q, 0.0);
      std::memset(q + p::Account2(2).number.off, 0, 10);
      p::PayAtOnce(3).set(q, 0);  // the spouse had no first payment
    }
    EXPECT_TRUE(decl.block == expected) << (ok ? "OK" : "Cancel");
  }
}

TEST_F(Deccomp, OkAsksForTheEarlierResultsAndRefusesResultsWithoutAMark) {
  struct Case {
    const char* what;
    int mark;              // marked, or 0
    int amount;            // typed 120 into, or 0
    std::deque<int> answers;
    std::vector<QString> codes;
    bool closed;
  };
  const Case cases[] = {
      {"marked without results, Corregir", D::kEarlier[1], 0, {kAnsCorregir}, {QStringLiteral("100P043")}, false},
      {"marked without results, Continuar", D::kEarlier[1], 0, {kAnsContinuar}, {QStringLiteral("100P043")}, true},
      {"a refund without mark", 0, D::kRefunded[2], {}, {QStringLiteral("100R039")}, false},
      {"marked with a result", D::kEarlier[1], D::kToPay[1], {}, {}, true},
  };
  qxtest::MemberView view(1, kCouple);
  for (const Case& c : cases) {
    messages.shown.clear();
    for (int a : c.answers) messages.Then(a);
    DeccompBox b(decl.block.data());
    bool open = false;
    Open(b, [&](D& d) {
      if (c.mark) Type(d, c.mark, QStringLiteral("x"));
      if (c.amount) Type(d, c.amount, QStringLiteral("120"));
      d.Item<QAbstractButton>(ui::IDOK)->click();
      open = d.isVisible();
    });
    EXPECT_EQ(messages.Codes(), c.codes) << c.what;
    EXPECT_EQ(open, !c.closed) << c.what;
    std::fill(decl.block.begin() + f::kMarks, decl.block.begin() + f::kMarks + 10, 0);
    std::fill(decl.block.begin() + f::kToPay, decl.block.begin() + f::kToPay + 80, 0);
  }
}

class DeccompRender : public annextest::LanguageTest {};

TEST_P(DeccompRender, FitsItsTexts) {
  annextest::OpenDeclaration decl;
  decl.block[0] = 1;
  qxtest::MemberView view(1, {1, 1, 1, 1, 0});
  D d({});
  d.EnsureCreated();
  annextest::CheckLayout(d, QStringLiteral("deccomp"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Languages, DeccompRender, ::testing::Values('e', 'c'));

}  // namespace
