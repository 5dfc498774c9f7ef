// The acquisition value dialogs opened through the launch table on one item of a fixture
// declaration: the entered amounts and what the library updates going into the item only on OK,
// the depreciation rows open by kind and acquisition year, the expense and allowance dates, the
// check of the depreciation against the cost, the depreciation dialogs opened from inside, the
// member view.
#include <QLabel>

#include "annex/acquisition_value_dlg.h"
#include "annex_fixture.h"
#include "capital_support.h"
#include "platform/help.h"
#include "support/member_view.h"
#include "ui/launcher_edit.h"

namespace {

using annextest::AnnexTest;
using annextest::ItemFixture;
using annextest::Press;
using annextest::TypeInto;
namespace g3 = f100::sec_g3;
namespace it = f100::sec_g4::item;
using N2 = CValadquina2Dlg;
using A2 = CValadquia2Dlg;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};

class Acquisition : public AnnexTest {
 protected:
  qxtest::MemberView view{1, kCouple};
};

// ---------------------------------------------------------------- the table with reductions

TEST_F(Acquisition, ShortItemsTakeThreeAmountsAndRefuseDepreciationAboveTheCost) {
  struct Case {
    const char* dialog;
    char kind;
    const char* acquisition;
    const char* expenses;
    const char* depreciation;
    double values[3];  // what the three keys store
    bool depreciationOpen;
    std::vector<QString> codes;
    bool written;
  };
  const QString r036 = QStringLiteral("100R036");
  const Case cases[] = {
      {"IDD_VALADQUINA", '3', "1000", "20", "1020", {1000, 20, 1020}, true, {}, true},
      {"IDD_VALADQUINA", '3', "1000", "20", "1020,01", {}, true, {r036}, false},
      {"IDD_VALADQUINA", '5', "1000", "", "", {1000, 0, 0}, false, {}, true},
      {"IDD_VALADQUIA", '5', "800", "", "800", {800, 0, 800}, true, {}, true},
      {"IDD_VALADQUIA", '1', "800", "", "800,01", {}, true, {r036}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dialog << " " << c.kind << " " << c.depreciation);
    ItemFixture f(false, 4, c.kind);
    const std::vector<std::uint8_t> before = f.decl.bytes;
    bool open = false, stayed = false;
    f.Open(c.dialog, [&](CTemplateDlg& d) {
      TypeInto(d, CValadquiShortDlg::kAcquisition, QString::fromLatin1(c.acquisition));
      TypeInto(d, CValadquiShortDlg::kExpenses, QString::fromLatin1(c.expenses));
      open = d.GetDlgItem(CValadquiShortDlg::kDepreciation)->isEnabled();
      if (open) TypeInto(d, CValadquiShortDlg::kDepreciation, QString::fromLatin1(c.depreciation));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(open, c.depreciationOpen);
    EXPECT_EQ(messages.Codes(), c.codes);
    messages.shown.clear();
    EXPECT_EQ(stayed, !c.written);
    if (!c.written) {
      EXPECT_EQ(f.decl.bytes, before);
      continue;
    }
    std::vector<std::uint8_t> item(before.begin() + f.Offset(), before.begin() + f.Offset() + g3::kRowSize);
    g3::AcquisitionAmount.set(item.data(), c.values[0]);
    g3::AcquisitionExpenses.set(item.data(), c.values[1]);
    g3::Amortisation.set(item.data(), c.values[2]);
    EXPECT_EQ(f.decl.bytes, f.With(item));
  }
}

// ---------------------------------------------------------------- the long-term table

TEST_F(Acquisition, OkWritesTheEntriesWithTheirUpdatedAmountsAndCancelNothing) {
  for (bool ok : {true, false}) {
    ItemFixture f(true, 6, '3', "15031993", "20052003");
    const std::vector<std::uint8_t> before = f.decl.bytes;
    f.Open("IDD_VALADQUINA2", [&](CTemplateDlg& d) {
      TypeInto(d, N2::kAcquisition, QStringLiteral("10000"));
      EXPECT_FALSE(d.GetDlgItem(N2::kExpense1)->isEnabled()) << "no date, no amount";
      TypeInto(d, N2::kDate1, QStringLiteral("01011995"));
      EXPECT_TRUE(d.GetDlgItem(N2::kExpense1)->isEnabled());
      TypeInto(d, N2::kExpense1, QStringLiteral("500"));
      TypeInto(d, N2::kTo1993, QStringLiteral("300"));
      EXPECT_EQ(annextest::Shown(d, N2::kAcquisitionUpdated), QStringLiteral("11.236,00")) << "updated at once";
      Press(d, ok ? ui::IDOK : ui::IDCANCEL);
    });
    if (!ok) {
      EXPECT_EQ(f.decl.bytes, before);
      continue;
    }
    std::vector<std::uint8_t> item(before.begin() + f.Offset(), before.begin() + f.Offset() + f100::sec_g4::kItemSize);
    it::AcquisitionAmount.set(item.data(), 10000.0);
    it::Expense1Date.set(item.data(), "01011995");
    it::Expense1.set(item.data(), 500.0);
    it::DepreciationTo1993.set(item.data(), 300.0);
    EXPECT_EQ(annextest::Differences(f.decl.bytes, f.With(annextest::Recalculated(item, 6)), f.Offset()), std::vector<std::size_t>{});
  }
}

TEST_F(Acquisition, TheDepreciationRowsOpenByKindAndAcquisitionYear) {
  struct Case {
    const char* dialog;
    char kind;
    const char* acquired;
    std::vector<int> open, closed;
  };
  const Case cases[] = {
      {"IDD_VALADQUINA2", '3', "15061995", {N2::k1995, N2::kFrom1996}, {N2::kTo1993, N2::k1994}},
      {"IDD_VALADQUINA2", '3', "15031993", {N2::kTo1993, N2::k1994, N2::k1995, N2::kFrom1996}, {}},
      {"IDD_VALADQUINA2", '5', "15031993", {}, {N2::kTo1993, N2::k1994, N2::k1995, N2::kFrom1996}},
      {"IDD_VALADQUIA2", '1', "10101997", {A2::k1995}, {A2::kTo1993, A2::k1994}},
      {"IDD_VALADQUIA2", '1', "10101994", {A2::k1994, A2::k1995}, {A2::kTo1993}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dialog << " " << c.kind << " " << c.acquired);
    ItemFixture f(true, 0, c.kind, c.acquired, "01032003");
    f.Open(c.dialog, [&](CTemplateDlg& d) {
      for (int id : c.open) EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << id;
      for (int id : c.closed) EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
      if (auto* l = d.Item<CDialogLauncherEdit>(N2::kFrom1996); l && c.kind == '5') {
        EXPECT_TRUE(!l->Button() || !l->Button()->isEnabled()) << "its button opens nothing either";
      }
    });
  }
}

TEST_F(Acquisition, AnExpenseDateOutsideTheHoldingTakesItsAmountAway) {
  struct Case {
    const char* date;
    bool kept;
    std::vector<QString> codes;
  };
  const Case cases[] = {{"15031993", true, {}},
                        {"20052003", true, {}},
                        {"14031993", false, {QStringLiteral("WIN005")}},
                        {"21052003", false, {QStringLiteral("WIN005")}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.date);
    ItemFixture f(true, 2, '3', "15031993", "20052003");
    f.Open("IDD_VALADQUIA2", [&](CTemplateDlg& d) {
      TypeInto(d, A2::kDate2, QString::fromLatin1(c.date));
      if (c.kept) {
        TypeInto(d, A2::kExpense2, QStringLiteral("70"));
      } else {
        EXPECT_FALSE(d.GetDlgItem(A2::kExpense2)->isEnabled());
        EXPECT_EQ(annextest::Shown(d, A2::kDate2), QStringLiteral("/  /"));
      }
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(messages.Codes(), c.codes);
    messages.shown.clear();
    EXPECT_EQ(it::Expense2.get(f.Item()), c.kept ? 70.0 : 0.0);
    if (c.kept) {
      EXPECT_EQ(std::string(it::Expense2Date.raw(f.Item())), c.date);
    } else {
      EXPECT_TRUE(it::Expense2Date.isAbsent(f.Item()));
    }
  }
}

TEST_F(Acquisition, The1994AllowanceDateFollowsItsDepreciation) {
  ItemFixture f(true, 1, '3', "15031990", "20052003");
  f.Open("IDD_VALADQUINA2", [&](CTemplateDlg& d) {
    EXPECT_FALSE(d.GetDlgItem(N2::kAllowance1994)->isEnabled());
    TypeInto(d, N2::k1994, QStringLiteral("40"));
    EXPECT_TRUE(d.GetDlgItem(N2::kAllowance1994)->isEnabled());
    EXPECT_EQ(annextest::Shown(d, N2::kAllowance1994), QStringLiteral("31/12/1994"));
    annextest::Retype(d, N2::kAllowance1994, QStringLiteral("01011995"));
    EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("WIN005")});
    EXPECT_EQ(annextest::Shown(d, N2::kAllowance1994), QStringLiteral("31/12/1994"));
    annextest::Retype(d, N2::kAllowance1994, QStringLiteral("30061994"));
    annextest::Retype(d, N2::k1994, QStringLiteral("0"));
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(messages.Codes().size(), 1u);
  EXPECT_EQ(it::Depreciation1994.get(f.Item()), 0.0);
  EXPECT_TRUE(it::Allowance1994Date.isAbsent(f.Item())) << "no depreciation, no date";
}

TEST_F(Acquisition, DepreciationMayReachTheCostButNotPassIt) {
  for (const char* total : {"1000", "1000,01"}) {
    ItemFixture f(true, 0, '4', "01011990", "01012003");
    bool stayed = false;
    f.Open("IDD_VALADQUINA2", [&](CTemplateDlg& d) {
      TypeInto(d, N2::kAcquisition, QStringLiteral("1000"));
      TypeInto(d, N2::k1995, QString::fromLatin1(total));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    const bool refused = std::string_view(total) != "1000";
    EXPECT_EQ(stayed, refused) << total;
    EXPECT_EQ(messages.Codes(), refused ? std::vector<QString>{QStringLiteral("100R036")} : std::vector<QString>{});
    messages.shown.clear();
  }
}

// The 1996 launcher opens the yearly dialog on the item as the dialog received it; its OK brings
// the years back into the item, the outer Cancel drops everything.
TEST_F(Acquisition, TheYearlyDepreciationComesBackOnlyThroughBothOks) {
  for (bool outerOk : {true, false}) {
    ItemFixture f(true, 9, '3', "15031993", "20052003");
    const std::vector<std::uint8_t> before = f.decl.bytes;
    double seenAcquisition = -1.0;
    f.Open("IDD_VALADQUINA2", [&](CTemplateDlg& d) {
      annextest::NextModal([&](CTemplateDlg& years) {
        seenAcquisition = it::AcquisitionAmount.get(dynamic_cast<ui::IAnnexDialog&>(years).AnnexBlock().data());
        TypeInto(years, 2013, QStringLiteral("25"));  // 2003
        Press(years, ui::IDOK);
      });
      TypeInto(d, N2::kAcquisition, QStringLiteral("900"));
      d.GetDlgItem(N2::kFrom1996)->setFocus();
      QTest::keyClick(d.GetDlgItem(N2::kFrom1996), Qt::Key_Space);
      EXPECT_EQ(annextest::Shown(d, N2::kFrom1996), QStringLiteral("25,00"));
      Press(d, outerOk ? ui::IDOK : ui::IDCANCEL);
    });
    if (!outerOk) {
      EXPECT_EQ(f.decl.bytes, before);
      continue;
    }
    EXPECT_EQ(seenAcquisition, 0.0) << "the non-business dialog hands over the item as it was opened";
    EXPECT_EQ(it::LateYear(7).get(f.Item()), 25.0);
    EXPECT_EQ(it::DepreciationFrom1996.get(f.Item()), 25.0);
    EXPECT_EQ(it::AcquisitionAmount.get(f.Item()), 900.0);
  }
}

// The business dialog hands its depreciation dialogs the item as it stands; what they bring back
// is their years, so an amount just typed here and not yet left is not lost.
TEST_F(Acquisition, BusinessDepreciationDialogsStartFromTheCurrentValuesAndKeepThem) {
  struct Case {
    int launcher;
    int yearControl;
    blocks::F64 yearField;
  };
  const Case cases[] = {{A2::kTo1993, 1991, it::EarlyYear(2)},       // 1985
                        {A2::k1994, 1982, it::Year1994},              // 1994
                        {A2::k1995, 1091, it::LateYear(1)}};          // 1997
  for (const Case& c : cases) {
    SCOPED_TRACE(c.launcher);
    ItemFixture f(true, 5, '1', "15031983", "20052003");
    double seenAcquisition = -1.0;
    f.Open("IDD_VALADQUIA2", [&](CTemplateDlg& d) {
      annextest::NextModal([&](CTemplateDlg& years) {
        seenAcquisition = it::AcquisitionAmount.get(dynamic_cast<ui::IAnnexDialog&>(years).AnnexBlock().data());
        TypeInto(years, c.yearControl, QStringLiteral("100"));
        Press(years, ui::IDOK);
      });
      annextest::KeysOnly(d, A2::kAcquisition, QStringLiteral("5000"));
      auto* launcher = d.Item<CDialogLauncherEdit>(c.launcher);
      ASSERT_TRUE(launcher && launcher->Button());
      launcher->Button()->click();
      Press(d, ui::IDOK);
    });
    EXPECT_EQ(seenAcquisition, 5000.0);
    EXPECT_EQ(it::AcquisitionAmount.get(f.Item()), 5000.0);
    EXPECT_EQ(c.yearField.get(f.Item()), 100.0);
    EXPECT_GT(it::AcquisitionUpdated.get(f.Item()), 5000.0) << "recalculated with the coefficient of 1983";
  }
}

TEST_F(Acquisition, TheMemberViewShowsTheItemAndWritesNothing) {
  view.Show(3);
  for (const char* dialog : {"IDD_VALADQUINA2", "IDD_VALADQUIA2", "IDD_VALADQUINA"}) {
    const bool longTerm = std::string_view(dialog) != "IDD_VALADQUINA";
    ItemFixture f(longTerm, 0, '3', "15031993", "20052003");
    const std::vector<std::uint8_t> before = f.decl.bytes;
    bool editable = true;
    f.Open(dialog, [&](CTemplateDlg& d) {
      editable = d.GetDlgItem(1976)->isEnabled();
      Press(d, ui::IDOK);
    });
    EXPECT_FALSE(editable) << dialog;
    EXPECT_EQ(messages.Codes().front(), QStringLiteral("100R025")) << dialog;
    messages.shown.clear();
    EXPECT_EQ(f.decl.bytes, before) << dialog;
  }
}

TEST_F(Acquisition, HelpOpensTheTopicOfEachTable) {
  std::vector<int> topics;
  platform::SetHelpHook([&](int t) { topics.push_back(t); });
  for (const char* dialog : {"IDD_VALADQUINA2", "IDD_VALADQUIA2", "IDD_VALADQUINA", "IDD_VALADQUIA"}) {
    ItemFixture f(std::string_view(dialog).ends_with('2'), 0, '3', "15031993", "20052003");
    f.Open(dialog, [&](CTemplateDlg& d) { Press(d, ui::kHelpButtonId); });
  }
  platform::SetHelpHook({});
  EXPECT_EQ(topics, (std::vector<int>{442, 442, 433, 433}));
}

}  // namespace
