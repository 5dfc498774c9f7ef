// Housing savings accounts and adaptation works: the opening dates by variant, the account codes
// at OK, the member view, and the financing rule.
#include <QLineEdit>

#include <cstring>

#include "annex/housing_accounts_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "support/member_view.h"

namespace {

namespace cv = annex::cuenvivi;
namespace om = annex::obraminu;
using annextest::AnnexTest;

class HousingAccounts : public AnnexTest {
 protected:
  qxtest::MemberView view{1, {1, 1, 1, 0, 0}};
  static void Row(std::vector<std::uint8_t>& b, int r, std::uint8_t holder, double amount, const char* date,
                  const char* account) {
    std::uint8_t* row = b.data() + cv::kRowSize * static_cast<std::size_t>(r);
    row[0] = holder;
    cv::Amount.set(row, amount);
    std::memcpy(row + cv::Opened.off, date, 8);
    std::memcpy(row + cv::Entity.off, account, 20);
  }
};

constexpr char kGood[] = "21000418450200051332";
constexpr char kBadControl[] = "21000418990200051332";

TEST_F(HousingAccounts, OpeningDatesByVariant) {
  struct Case {
    int variant;
    const char* date;
    const char* code;  // null: accepted
  };
  const Case cases[] = {{1, "01011998", "WIN008"}, {1, "02011998", nullptr}, {1, "31122003", nullptr},
                        {1, "01012004", "WIN008"}, {2, "26042003", "WIN005"}, {2, "27042003", nullptr},
                        {2, "15012004", "WIN005"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.date) + " variant " + std::to_string(c.variant));
    messages.shown.clear();
    std::vector<std::uint8_t> block(cv::kRowSize * cv::kRows, ' ');
    for (int r = 0; r < 3; ++r) {
      block[cv::kRowSize * static_cast<std::size_t>(r)] = 0;
      cv::Amount.set(block.data() + cv::kRowSize * static_cast<std::size_t>(r), 0.0);
    }
    Row(block, 0, 2, 100.0, "        ", kGood);
    annextest::Launch(("IDD_CUENVIVI*" + std::to_string(c.variant)).c_str(), block.data(), [&](CTemplateDlg& d) {
      CEditEx* e = d.Edit(CCuenviviDlg::kDates[0]);
      e->setFocus();
      e->setCursorPosition(0);
      qxtest::Type(e, c.date);
      QTest::keyClick(e, Qt::Key_Tab);
      annextest::Press(d, ui::IDCANCEL);
    });
    if (c.code) EXPECT_EQ(messages.Codes(), std::vector<QString>{QString::fromLatin1(c.code)});
    else EXPECT_TRUE(messages.shown.empty());
  }
}

TEST_F(HousingAccounts, OkChecksTheAccountsThenTheDates) {
  struct Case {
    const char* what;
    const char* first;
    const char* date;
    std::vector<QString> codes;
  };
  const Case cases[] = {
      {"empty control digits", "21000418  0200051332", "02032003", {"WIN012"}},
      {"wrong control digits", kBadControl, "02032003", {"WIN012"}},
      {"no opening date", kGood, "        ", {"WIN013"}},
      {"accepted", kGood, "02032003", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages.shown.clear();
    std::vector<std::uint8_t> block(cv::kRowSize * cv::kRows, 0);
    Row(block, 0, 2, 100.0, c.date, c.first);
    Row(block, 1, 2, 50.0, "02032003", kGood);
    annextest::Launch("IDD_CUENVIVI*1", block.data(), [&](CTemplateDlg& d) {
      auto& dlg = dynamic_cast<CCuenviviDlg&>(d);
      EXPECT_EQ(dlg.Validate(), c.codes.empty());
      annextest::Press(d, ui::IDCANCEL);
    });
    EXPECT_EQ(messages.Codes(), c.codes);
  }
}

TEST_F(HousingAccounts, TheSpousesViewShowsHalfACommonAccountAndKeepsTheBlock) {
  qxtest::MemberView spouse(3, {1, 1, 1, 0, 0});
  std::vector<std::uint8_t> block(cv::kRowSize * cv::kRows, 0);
  Row(block, 0, 1, 300.0, "02032003", kGood);
  const std::vector<std::uint8_t> before = block;
  annextest::Launch("IDD_CUENVIVI*2", block.data(), [&](CTemplateDlg& d) {
    EXPECT_EQ(d.Edit(CCuenviviDlg::kAmounts[0])->text(), QStringLiteral("150,00"));
    EXPECT_FALSE(d.GetDlgItem(CCuenviviDlg::kHolders[0])->isEnabled());
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(block, before);
}

TEST_F(HousingAccounts, AdaptationWorksAreFinancedOrNotAndTheTailIsCarried) {
  std::vector<std::uint8_t> block(om::kBlockSize, 0);
  block[0] = 2;
  std::memset(block.data() + 96, 0x5A, 96);
  annextest::Launch("IDD_OBRAMINU", block.data(), [&](CTemplateDlg& d) {
    EXPECT_FALSE(d.GetDlgItem(CObraminuDlg::kWithin[1])->isEnabled()) << "no holder";
    annextest::TypeInto(d, CObraminuDlg::kUnfinanced[0], QStringLiteral("500"));
    EXPECT_FALSE(d.GetDlgItem(CObraminuDlg::kWithin[0])->isEnabled());
    EXPECT_FALSE(d.GetDlgItem(CObraminuDlg::kAfter[0])->isEnabled());
    annextest::TypeInto(d, CObraminuDlg::kUnfinanced[0], QStringLiteral("\b\b\b\b\b\b\b\b\b"));
    EXPECT_TRUE(d.GetDlgItem(CObraminuDlg::kWithin[0])->isEnabled());
    annextest::TypeInto(d, CObraminuDlg::kWithin[0], QStringLiteral("700"));
    annextest::Press(d, ui::IDOK);
  });
  EXPECT_EQ(om::FinancedWithin.get(block.data()), 700.0);
  for (std::size_t i = 96; i < 192; ++i) ASSERT_EQ(block[i], 0x5A) << i;
}

}  // namespace
