// The children by order of birth dialog through its launch entry: the lives-with-both answer asked
// only while the declarant or the spouse has children, the three checks of OK each said, Cancel
// leaving the bytes, the common and spouse's columns only with a spouse.
#include "annex/nachijosrioja_dlg.h"
#include "annex_fixture.h"
#include "launched.h"
#include "render_support.h"
#include "support/member_view.h"

namespace {

namespace f = annex::nachijosrioja;
using D = CNachijosriojaDlg;
using annextest::Press;
using annextest::TypeInto;
constexpr std::size_t kGuard = 8;

class Nachijosrioja : public annextest::AnnexTest {
 protected:
  std::vector<std::uint8_t> Block() {
    std::vector<std::uint8_t> b(f::kBlockSize + kGuard, 0);
    f::LivesWithBoth.set(b.data(), 255);
    std::fill(b.begin() + f::kBlockSize, b.end(), 0xA5);
    return b;
  }
};

TEST_F(Nachijosrioja, OkRunsEveryCheckAndWritesTheCounts) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  struct Case {
    const char* what;
    std::vector<std::pair<int, const char*>> keys;  // control, keys, in order
    std::vector<int> answers;
    std::vector<QString> codes;
    bool written;
  };
  const Case cases[] = {
      {"two second children", {{D::kSecond[1], "1"}, {D::kSecond[2], "1"}, {D::kLivesWithBoth, "s"}}, {},
       {QStringLiteral("100R121")}, false},
      {"unanswered", {{D::kThirdOn[1], "1"}}, {}, {QStringLiteral("100R085")}, false},
      {"answered NO", {{D::kThirdOn[1], "1"}, {D::kLivesWithBoth, "n"}}, {}, {}, true},
      {"both at once", {{D::kSecond[1], "1"}, {D::kSecond[2], "1"}}, {},
       {QStringLiteral("100R121"), QStringLiteral("100R085")}, false},
      {"a multiple birth alone: Corregir", {{D::kMultiple[0], "2"}}, {kAnsCorregir}, {QStringLiteral("100P083")}, false},
      {"a multiple birth alone: Aceptar", {{D::kMultiple[0], "2"}}, {kAnsAceptar}, {QStringLiteral("100P083")}, true},
  };
  for (const Case& c : cases) {
    auto block = Block();
    const auto before = block;
    qxtest::ScriptedMessages scripted({c.answers.begin(), c.answers.end()});
    bool stayed = false;
    annextest::Launch("IDD_NACHIJOSRIOJA", block, [&](CTemplateDlg& d) {
      for (const auto& [id, keys] : c.keys) TypeInto(d, id, QString::fromLatin1(keys));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(scripted.Codes(), c.codes) << c.what;
    EXPECT_EQ(stayed, !c.written) << c.what;
    EXPECT_EQ(block != before, c.written) << c.what;
    for (std::size_t i = f::kBlockSize; i < block.size(); ++i) EXPECT_EQ(block[i], 0xA5) << c.what << " byte " << i;
  }
  auto block = Block();
  annextest::Launch("IDD_NACHIJOSRIOJA", block, [&](CTemplateDlg& d) {
    TypeInto(d, D::kSecond[1], QStringLiteral("1"));
    TypeInto(d, D::kThirdOn[2], QStringLiteral("0,5"));
    TypeInto(d, D::kLivesWithBoth, QStringLiteral("s"));
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(f::Second(1).get(block.data()), 1.0);
  EXPECT_EQ(f::ThirdOn(2).get(block.data()), 0.5);
  EXPECT_EQ(f::LivesWithBoth.get(block.data()), 1);
}

TEST_F(Nachijosrioja, TheAnswerIsAskedOnlyWithChildrenOfAMemberAndCancelKeepsTheBytes) {
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});  // no spouse
  auto block = Block();
  f::LivesWithBoth.set(block.data(), 1);
  const auto before = block;
  bool askedAtFirst = true, askedAfter = false, spouseColumn = true;
  std::uint8_t answerAtFirst = 0;
  annextest::Launch("IDD_NACHIJOSRIOJA", block, [&](CTemplateDlg& d) {
    askedAtFirst = d.GetDlgItem(D::kLivesWithBoth)->isEnabled();
    answerAtFirst = f::LivesWithBoth.get(static_cast<D&>(d).Data());
    spouseColumn = d.GetDlgItem(D::kSecond[2])->isEnabled() || d.GetDlgItem(D::kSecond[0])->isEnabled();
    TypeInto(d, D::kMultiple[1], QStringLiteral("2"));
    askedAfter = d.GetDlgItem(D::kLivesWithBoth)->isEnabled();
    Press(d, ui::IDCANCEL);
  });
  EXPECT_FALSE(askedAtFirst);
  EXPECT_EQ(answerAtFirst, 255) << "no children: the answer is blank";
  EXPECT_FALSE(spouseColumn);
  EXPECT_TRUE(askedAfter);
  EXPECT_EQ(block, before);
}

class RenderNachijosrioja : public annextest::LanguageTest {};

TEST_P(RenderNachijosrioja, FitsItsTexts) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  auto d = ui::CreateAnnexDialog("CNachijosriojaDlg", ui::AnnexArgs{nullptr, 1, 0});
  ASSERT_NE(d, nullptr);
  d->Dialog().EnsureCreated();
  annextest::CheckLayout(d->Dialog(), QStringLiteral("nachijosrioja"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Languages, RenderNachijosrioja, ::testing::Values('e', 'c'));

}  // namespace
