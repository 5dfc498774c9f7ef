// The yearly depreciation dialogs opened through the launch table on one long-term item: the years
// open by the acquisition year, OK writing the years with their updated amounts, the 2002
// allowance date, Cancel and the member view writing nothing.
#include "annex/depreciation_dlg.h"
#include "annex_fixture.h"
#include "capital_support.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;
using annextest::ItemFixture;
using annextest::Press;
using annextest::TypeInto;
namespace it = f100::sec_g4::item;
using L96 = CValadq96Dlg;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};

class Depreciation : public AnnexTest {
 protected:
  qxtest::MemberView view{1, kCouple};
};

TEST_F(Depreciation, TheYearsBeforeTheAcquisitionAreClosed) {
  struct Case {
    const char* dialog;
    const char* acquired;
    std::vector<int> openYears;  // the others are closed
    std::span<const DepreciationYear> years;
  };
  const Case cases[] = {
      {"IDD_VALADQ96", "10101999", {1999, 2000, 2001, 2002, 2003}, L96::kYears},
      {"IDD_VALADQ96", "10102003", {2003}, L96::kYears},
      {"IDD_VALADQ96", "10101996", {1996, 1997, 1998, 1999, 2000, 2001, 2002, 2003}, L96::kYears},
      {"IDD_VALADQ96", "10101980", {1996, 1997, 1998, 1999, 2000, 2001, 2002, 2003}, L96::kYears},
      {"IDD_VALADQUIABA2", "01061987", {1987, 1988, 1989, 1990, 1991, 1992, 1993}, CValadquiaba2Dlg::kYears},
      {"IDD_VALADQUIABA2", "01061980", {1983, 1984, 1985, 1986, 1987, 1988, 1989, 1990, 1991, 1992, 1993},
       CValadquiaba2Dlg::kYears},
      {"IDD_VALADQUIABA", "01061995", {1995}, CValadquiabaDlg::kYears},
      {"IDD_VALADQUIABA", "31121994", {1994, 1995}, CValadquiabaDlg::kYears},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dialog << " " << c.acquired);
    ItemFixture f(true, 0, '1', c.acquired, "01032003");
    f.Open(c.dialog, [&](CTemplateDlg& d) {
      for (const DepreciationYear& y : c.years) {
        const bool open = std::find(c.openYears.begin(), c.openYears.end(), y.year) != c.openYears.end();
        EXPECT_EQ(d.GetDlgItem(y.amountId)->isEnabled(), open) << y.year;
        EXPECT_FALSE(d.GetDlgItem(y.updatedId)->isEnabled()) << y.year;
      }
    });
  }
}

TEST_F(Depreciation, OkWritesTheYearsWithTheirUpdatedAmountsAndCancelNothing) {
  struct Case {
    const char* dialog;
    int amountId;
    blocks::F64 field;
  };
  const Case cases[] = {{"IDD_VALADQ96", 1078, it::LateYear(3)},            // 1999
                        {"IDD_VALADQUIABA", 1991, it::Year1995},
                        {"IDD_VALADQUIABA2", 1999, it::EarlyYear(0)}};      // 1983 and before
  for (const Case& c : cases)
    for (bool ok : {true, false}) {
      SCOPED_TRACE(testing::Message() << c.dialog << (ok ? " OK" : " Cancel"));
      ItemFixture f(true, 11, '1', "01061980", "01032003");
      const std::vector<std::uint8_t> before = f.decl.bytes;
      f.Open(c.dialog, [&](CTemplateDlg& d) {
        TypeInto(d, c.amountId, QStringLiteral("1000"));
        Press(d, ok ? ui::IDOK : ui::IDCANCEL);
      });
      if (!ok) {
        EXPECT_EQ(f.decl.bytes, before);
        continue;
      }
      std::vector<std::uint8_t> item(before.begin() + f.Offset(), before.begin() + f.Offset() + f100::sec_g4::kItemSize);
      c.field.set(item.data(), 1000.0);
      const std::vector<std::uint8_t> expected = annextest::Recalculated(item, 11);
      EXPECT_GT(blocks::F64{c.field.off + 8}.get(expected.data()), 1000.0) << "a business asset's year is updated";
      EXPECT_EQ(annextest::Differences(f.decl.bytes, f.With(expected), f.Offset()), std::vector<std::size_t>{});
    }
}

TEST_F(Depreciation, The2002AllowanceDateFollowsItsAmountAndTheAcquisition) {
  ItemFixture f(true, 0, '3', "01062002", "01032003");
  f.Open("IDD_VALADQ96", [&](CTemplateDlg& d) {
    EXPECT_FALSE(d.GetDlgItem(L96::kAllowance2002)->isEnabled());
    TypeInto(d, L96::k2002, QStringLiteral("80"));
    EXPECT_TRUE(d.GetDlgItem(L96::kAllowance2002)->isEnabled());
    EXPECT_EQ(annextest::Shown(d, L96::kAllowance2002), QStringLiteral("31/12/2002"));
    for (const char* refused : {"01062002", "15012001"}) {
      annextest::Retype(d, L96::kAllowance2002, QString::fromLatin1(refused));
      EXPECT_EQ(annextest::Shown(d, L96::kAllowance2002), QStringLiteral("31/12/2002")) << refused;
    }
    EXPECT_EQ(messages.Codes(), (std::vector<QString>{QStringLiteral("WIN005"), QStringLiteral("WIN005")}));
    annextest::Retype(d, L96::kAllowance2002, QStringLiteral("15082002"));
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(messages.Codes().size(), 2u);
  EXPECT_EQ(std::string(it::Allowance2002Date.raw(f.Item())), "15082002");
  EXPECT_EQ(it::LateYear(6).get(f.Item()), 80.0);

  f.Open("IDD_VALADQ96", [&](CTemplateDlg& d) {
    annextest::Retype(d, L96::k2002, QStringLiteral("0"));
    EXPECT_FALSE(d.GetDlgItem(L96::kAllowance2002)->isEnabled());
    Press(d, ui::IDOK);
  });
  EXPECT_TRUE(it::Allowance2002Date.isAbsent(f.Item()));
}

TEST_F(Depreciation, TheMemberViewWritesNothing) {
  view.Show(3);
  for (const char* dialog : {"IDD_VALADQ96", "IDD_VALADQUIABA", "IDD_VALADQUIABA2"}) {
    ItemFixture f(true, 0, '1', "01061980", "01032003");
    const std::vector<std::uint8_t> before = f.decl.bytes;
    bool editable = true;
    f.Open(dialog, [&](CTemplateDlg& d) {
      QWidget* first = d.GetDlgItem(std::string_view(dialog) == "IDD_VALADQ96" ? 1995 : 1991);
      ASSERT_NE(first, nullptr);
      editable = first->isEnabled();
      Press(d, ui::IDOK);
    });
    EXPECT_FALSE(editable) << dialog;
    EXPECT_EQ(f.decl.bytes, before) << dialog;
  }
}

}  // namespace
