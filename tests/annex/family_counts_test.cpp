// Children with a disability, foster care and the care of young children: the persons rule, the
// answer rule, the one-mark rule and their checks, opened through the launch table.
#include <QLabel>

#include "annex/aragon1_dlg.h"
#include "annex/family_counts_dlg.h"
#include "data/doc/active_declaration.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "platform/strings.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;

class FamilyCounts : public AnnexTest {
 protected:
  qxtest::MemberView view{1, {1, 1, 1, 0, 0}};
};

TEST_F(FamilyCounts, DisabledChildrenNeedTheirPersonsAndOneFirstChild) {
  namespace f = annex::dec3cruz6imp2;
  struct Case {
    const char* what;
    double common, declarantFirst, declarantLater, persons;
    std::vector<QString> codes;
  };
  const Case cases[] = {
      {"one common and one declarant first child", 1, 1, 0, 1, {"100R148"}},
      {"one first and two later", 0, 1, 2, 1, {}},
      {"a declarant count without persons", 0, 1, 0, 0, {"100R084"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages.shown.clear();
    std::vector<std::uint8_t> block(f::kBlockSize);
    f::First[0].set(block.data(), c.common);
    f::First[1].set(block.data(), c.declarantFirst);
    f::Later[1].set(block.data(), c.declarantLater);
    f::PersonsDeclarant.set(block.data(), c.persons);
    annextest::Launch("IDD_DEC3CRUZ6IMP2", block.data(), [&](CTemplateDlg& d) {
      EXPECT_EQ(d.GetDlgItem(CDec3cruz6imp2Dlg::kPersonsDeclarant)->isEnabled(), c.declarantFirst + c.declarantLater > 0);
      annextest::Press(d, ui::IDOK);
      EXPECT_EQ(d.isVisible(), !c.codes.empty());
    });
    EXPECT_EQ(messages.Codes(), c.codes);
  }
}

TEST_F(FamilyCounts, FosterCareAsksTheAnswerByVariant) {
  namespace f = annex::dec3imp9;
  for (const auto& [descriptor, code] : {std::pair{"IDD_DEC3IMP9*2", "100R105"}, std::pair{"IDD_DEC3IMP9*1", "100R085"},
                                         std::pair{"IDD_DEC3IMP9*3", "100R085"}}) {
    SCOPED_TRACE(descriptor);
    messages.shown.clear();
    std::vector<std::uint8_t> block(f::kBlockSize);
    f::Declarant[0].set(block.data(), 1.0);
    f::Answer.set(block.data(), 255);
    annextest::Launch(descriptor, block.data(), [&](CTemplateDlg& d) {
      EXPECT_TRUE(d.GetDlgItem(CDec3imp9Dlg::kAnswer)->isEnabled());
      if (std::string(descriptor).back() == '1') {
        EXPECT_EQ(d.Item<QLabel>(CDec3imp9Dlg::kFirst)->text(), platform::LoadString(215));
      }
      annextest::Press(d, ui::IDOK);
    });
    EXPECT_EQ(messages.Codes(), std::vector<QString>{QString::fromLatin1(code)});
  }
  // Two first minors: refused at once.
  messages.shown.clear();
  std::vector<std::uint8_t> block(f::kBlockSize);
  f::Common[0].set(block.data(), 1.0);
  f::Spouse[0].set(block.data(), 1.0);
  f::Answer.set(block.data(), 1);
  annextest::Launch("IDD_DEC3IMP9*1", block.data(), [&](CTemplateDlg& d) { annextest::Press(d, ui::IDOK); });
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R086")});
}

TEST_F(FamilyCounts, OneCareMarkAtATime) {
  namespace f = annex::dec3num2;
  std::vector<std::uint8_t> block(f::kBlockSize);
  f::PersonsDeclarant.set(block.data(), 2.0);
  annextest::Launch("IDD_DEC3NUM2", block.data(), [&](CTemplateDlg& d) {
    QWidget* spouse = d.GetDlgItem(CDec3num2Dlg::kSpouseMark);
    spouse->setFocus();
    QTest::keyClick(spouse, Qt::Key_X);
    EXPECT_FALSE(d.GetDlgItem(CDec3num2Dlg::kCommonMark)->isEnabled());
    EXPECT_FALSE(d.GetDlgItem(CDec3num2Dlg::kDeclarantMark)->isEnabled());
    EXPECT_TRUE(d.GetDlgItem(CDec3num2Dlg::kPersonsSpouse)->isEnabled());
    QTest::keyClick(spouse, Qt::Key_N);
    QWidget* declarant = d.GetDlgItem(CDec3num2Dlg::kDeclarantMark);
    declarant->setFocus();
    QTest::keyClick(declarant, Qt::Key_X);
    annextest::Press(d, ui::IDOK);
    EXPECT_TRUE(d.isVisible()) << "the declarant marked without persons";
  });
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R084")});
  EXPECT_EQ(f::PersonsDeclarant.get(block.data()), 2.0) << "cancelled: the block as it was";
}

}  // namespace

namespace {

class Aragon : public annextest::AnnexTest {};

TEST_F(Aragon, PersonsFollowTheCountsAndTheFamilyBaseIsNotForAJointReturn) {
  namespace f = annex::aragon1;
  namespace hc = annex::holder_counts;
  for (const std::uint8_t joint : {0, 1}) {
    SCOPED_TRACE(static_cast<int>(joint));
    qxtest::MemberView view(1, {1, 1, 1, 0, 0});
    const std::uint8_t saved = view.Model().Modality();
    view.Model().SetModality(joint);
    messages.shown.clear();
    std::vector<std::uint8_t> block(f::kBlockSize);
    hc::Declarant.set(block.data(), 1.0);
    f::PersonsDeclarant.set(block.data(), 2.0);
    annextest::Launch("IDD_ARAGON1", block.data(), [&](CTemplateDlg& d) {
      EXPECT_EQ(d.GetDlgItem(CAragon1Dlg::kFamilyBase)->isEnabled(), joint == 0);
      EXPECT_TRUE(d.GetDlgItem(CAragon1Dlg::kPersonsDeclarant)->isEnabled());
      EXPECT_FALSE(d.GetDlgItem(CAragon1Dlg::kPersonsSpouse)->isEnabled()) << "no spouse count";
      annextest::TypeInto(d, hc::kDeclarant, QStringLiteral("\b\b\b\b0"));
      EXPECT_FALSE(d.GetDlgItem(CAragon1Dlg::kPersonsDeclarant)->isEnabled());
      annextest::TypeInto(d, hc::kDeclarant, QStringLiteral("\b\b\b\b1"));
      annextest::Press(d, ui::IDOK);
      EXPECT_TRUE(d.isVisible()) << "the persons were cleared with the count";
      annextest::Press(d, ui::IDCANCEL);
    });
    EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R084")});
    view.Model().SetModality(saved);
  }
}

}  // namespace
