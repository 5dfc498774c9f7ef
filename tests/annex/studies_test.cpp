// Studies of descendants and textbooks: the persons rule, the income limit of common children read
// from the declaration, and the textbook rows.
#include "annex/studies_dlg.h"
#include "annex_fixture.h"
#include "blocks/form100.h"
#include "launch_support.h"
#include "support/member_view.h"
#include "ui/message_dlg.h"

namespace {

using annextest::AnnexTest;
using annextest::OpenDeclaration;

class Studies : public AnnexTest {
 protected:
  qxtest::MemberView view{1, {1, 1, 1, 0, 0}};
  OpenDeclaration declaration;
};

TEST_F(Studies, CommonChildrenAgainstTheIncomeLimit) {
  namespace f = annex::autonom2ic;
  struct Case {
    const char* what;
    double declarant, spouse;
    std::vector<int> answers;
    std::vector<QString> codes;
    bool closed;
  };
  const Case cases[] = {
      {"declarant at the limit, Corregir", 60000, 59999, {kAnsCorregir}, {"100R096"}, false},
      {"declarant at the limit, Aceptar", 60000, 59999, {kAnsAceptar}, {"100R096"}, true},
      {"both at the limit", 60000, 70000, {}, {}, true},
      {"spouse at the limit", 10000, 60000, {kAnsCorregir}, {"100R124"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qxtest::ScriptedMessages msgs({c.answers.begin(), c.answers.end()});
    // Part of the declarant's income comes from section I of the declaration.
    blocks::Vec5{120}.set(declaration.block.data() + f100::SectionI.offset, 1, 1000.0);
    std::vector<std::uint8_t> block(f::kBlockSize);
    f::Inside[0].set(block.data(), 1.0);
    f::ExemptDeclarant.set(block.data(), c.declarant - 1000.0);
    f::ExemptSpouse.set(block.data(), c.spouse);
    annextest::Launch("IDD_AUTONOM2_IC", block.data(), [&](CTemplateDlg& d) {
      annextest::Press(d, ui::IDOK);
      EXPECT_EQ(d.isVisible(), !c.closed);
    });
    EXPECT_EQ(msgs.Codes(), c.codes);
  }
}

TEST_F(Studies, ThePersonsFollowTheDeclarantsCounts) {
  namespace f = annex::autonom2ic;
  std::vector<std::uint8_t> block(f::kBlockSize);
  f::Inside[1].set(block.data(), 1.0);
  f::PersonsDeclarant.set(block.data(), 1.0);
  annextest::Launch("IDD_AUTONOM2_IC", block.data(), [&](CTemplateDlg& d) {
    annextest::TypeInto(d, CAutonom2IcDlg::kInside[1], QStringLiteral("\b\b\b\b0"));
    EXPECT_FALSE(d.GetDlgItem(CAutonom2IcDlg::kPersonsDeclarant)->isEnabled());
    annextest::TypeInto(d, CAutonom2IcDlg::kOutside[1], QStringLiteral("1"));
    EXPECT_TRUE(d.GetDlgItem(CAutonom2IcDlg::kPersonsDeclarant)->isEnabled());
    annextest::Press(d, ui::IDOK);
    EXPECT_TRUE(d.isVisible()) << "a count without persons";
    annextest::Press(d, ui::IDCANCEL);
  });
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R084")});
}

TEST_F(Studies, TextbookRowsMoveUpWhenAHolderIsCleared) {
  namespace t = annex::adqlibros;
  std::vector<std::uint8_t> block(t::kRowSize * t::kRows);
  for (int r = 0; r < 4; ++r) {
    block[t::kRowSize * static_cast<std::size_t>(r)] = static_cast<std::uint8_t>(r == 0 ? 1 : 2);
    t::Amount.set(block.data() + t::kRowSize * static_cast<std::size_t>(r), 100.0 * (r + 1));
  }
  annextest::Launch("IDD_ADQLIBROS", block.data(), [&](CTemplateDlg& d) {
    QWidget* third = d.GetDlgItem(CAdqlibrosDlg::kHolders[2]);
    third->setFocus();
    QTest::keyClick(third, Qt::Key_Delete);
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(t::Amount.get(block.data() + 2 * t::kRowSize), 400.0) << "row 4 moved up";
  EXPECT_EQ(block[3 * t::kRowSize], 0);
  // The spouse's view shows half of a common row and keeps the block.
  qxtest::MemberView spouse(3, {1, 1, 1, 0, 0});
  const std::vector<std::uint8_t> before = block;
  annextest::Launch("IDD_ADQLIBROS", block.data(), [&](CTemplateDlg& d) {
    EXPECT_EQ(d.Edit(CAdqlibrosDlg::kAmounts[0])->text(), QStringLiteral("50,00"));
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(block, before);
}

}  // namespace
