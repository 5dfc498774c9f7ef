// The main-home sheet driven offscreen with real keys and clicks through its opener: homes bought
// before and after 4 May 1998 with a loan, the deductions the calculation library computes for the
// same records, the checks of OK, and Cancel leaving the declaration as it was (pictures of both
// pages saved when QX_RENDER_DIR is set).
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <vector>

#include "blocks/family_entries.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "blocks/form100_liquidation.h"
#include "data/calc/form100_calculation.h"
#include "platform/strings.h"
#include "support/local_db.h"
#include "support/ui_helpers.h"
#include "ui/owner_draw_button.h"
#include "wizards/vivienda.h"

namespace {

using namespace housing;
using IV = CInverVivi;
using CA = CCompAdq;
constexpr int kCorregir = 8;

class HousingSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetLanguage('e');
    ui::SetMessageSource(qxtest::AuthoredMessages());
    ui::SetLookupConnection(&qxtest::LocalDatabase::Get());
    block.assign(f100::kBlockSize, 0);
    std::uint8_t* personal = block.data() + f100::Personal.offset;
    f100::wizard_personal::RegionCode(0).set(personal, "01");
    f100::wizard_personal::RegionCode(1).set(personal, "01");
    std::uint8_t* a = block.data() + f100::SectionA.offset;
    f100::sec_a::Holder.set(a, 2);
    f100::sec_a::MoneyPay.set(a, 40000.0);
    Calculate(block);
  }
  void TearDown() override {
    SetSheetRunner({});
    ui::SetLookupConnection(nullptr);
  }

  static void Calculate(std::vector<std::uint8_t>& b) {
    Form100CalcContext c;
    CalculateForm100(b.data(), c);
  }
  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  static void TypeInto(CTemplatePropPg& page, int id, const char* keys) {
    QWidget* e = page.GetDlgItem(id);
    ASSERT_NE(e, nullptr) << id;
    e->setFocus();
    if (auto* line = dynamic_cast<QLineEdit*>(e)) {  // what the edit shows is erased first
      QTest::keyClick(e, Qt::Key_End);
      for (qsizetype i = line->text().size(); i > 0; --i) QTest::keyClick(e, Qt::Key_Backspace);
    }
    qxtest::Type(e, QString::fromLatin1(keys));
    Settle();
  }
  static void Focus(CTemplatePropPg& page, int id) {
    page.GetDlgItem(id)->setFocus();
    Settle();
  }
  static void Click(CVivienda& s, int id) {
    ASSERT_NE(s.FrameButton(id), nullptr) << id;
    QTest::mouseClick(s.FrameButton(id), Qt::LeftButton);
    Settle();
  }
  // Opens the sheet from the investment box (or the compensation box) and lets `act` use it as the
  // user would; what the opener answered.
  int Open(const std::function<void(CVivienda&)>& act, bool fromCompensation = false) {
    SetSheetRunner([&act](CVivienda& s) {
      s.show();
      QApplication::setActiveWindow(&s);
      Settle();
      act(s);
      const int result = s.isVisible() ? 0 : s.result();
      s.hide();
      return result;
    });
    std::uint8_t* annex = block.data() + (fromCompensation ? kCompensationAt : kInvestmentAt);
    return OpenHousingSheet(fromCompensation, 0, annex, block.data());
  }

  // The first page: a declarant's home with a loan, paid `financed` within or after the two years.
  static void TypeLoanHome(CVivienda& s, const char* date, const char* amount, bool withinTwoYears) {
    IV& p = s.InvestmentPage();
    s.SetActivePage(0);
    TypeInto(p, IV::kHolders[0], "D");
    TypeInto(p, withinTwoYears ? IV::kWithin[0] : IV::kAfter[0], amount);
    TypeInto(p, IV::kInfoHolders[0], "D");
    TypeInto(p, IV::kInfoDates[0], date);
    TypeInto(p, IV::kInfoLoans[0], "HIP-2003-77");
    Focus(p, IV::kHolders[0]);
  }
  static void TypeCompensation(CVivienda& s) {
    CA& c = s.CompensationPage();
    s.SetActivePage(1);
    TypeInto(c, CA::kHolders[0], "D");
    TypeInto(c, CA::kInterest[0], "3000");
    TypeInto(c, CA::kInvestment[0], "1000");
    TypeInto(c, CA::kCadastral[0], "50000");
    TypeInto(c, CA::kPropertyTax[0], "300");
    Focus(c, CA::kHolders[0]);
  }

  std::vector<std::uint8_t> block;
  qxtest::MemberView view{ui::kFamilyUnit, {1, 1, 0, 0, 0}};
  qxtest::ScriptedMessages messages;
};

struct HomeCase {
  const char* name;
  const char* date;
  bool withinTwoYears;
  bool compensation;
};

class HomesBoughtWithALoan : public HousingSheet, public ::testing::WithParamInterface<HomeCase> {};

TEST_P(HomesBoughtWithALoan, GiveTheDeductionsTheLibraryComputesForTheSameRecords) {
  const HomeCase& k = GetParam();
  double shownCompensation = -1;
  ASSERT_EQ(Open([&](CVivienda& s) {
              TypeLoanHome(s, k.date, "6000", k.withinTwoYears);
              if (k.compensation) {
                TypeCompensation(s);
                EXPECT_DOUBLE_EQ(comp::Days(0).get(s.CompensationPage().Working()), 365.0)
                    << "a cadastral value with no days fills in the whole year";
                shownCompensation = comp::Incentive(1, 2).get(s.CompensationPage().Working());
              }
              Click(s, CVivienda::kIdOk);
            }),
            ui::IDOK)
      << (messages.Codes().empty() ? QString() : messages.Codes().back()).toStdString();

  const std::uint8_t* got = block.data() + kInvestmentAt;
  EXPECT_EQ(inv::Holder(0).get(got), ui::kHolderDeclarant);
  EXPECT_DOUBLE_EQ((k.withinTwoYears ? inv::FinancedWithin(0) : inv::FinancedAfter(0)).get(got), 6000.0);
  EXPECT_EQ(inv::AccountHolder(0).get(got), ui::kHolderDeclarant) << "the account entry follows its row";
  EXPECT_EQ(inv::InfoDate(0).raw(got), k.date);
  EXPECT_EQ(inv::InfoLoan(0).trimmed(got), "HIP-2003-77");
  for (int m : {0, 1})
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(block.data() + kSlotDateAt + 8 * m), 8), k.date)
        << "acquisition date of member slot " << m;

  // The same records written straight into a copy of the declaration.
  std::vector<std::uint8_t> reference = block;
  std::uint8_t* rec = reference.data() + kInvestmentAt;
  std::memset(rec, 0, inv::kSize);
  inv::Holder(0).set(rec, 2);
  inv::AccountHolder(0).set(rec, 2);
  (k.withinTwoYears ? inv::FinancedWithin(0) : inv::FinancedAfter(0)).set(rec, 6000.0);
  EXPECT_EQ(inv::InfoHolder(1).get(got), 0);
  EXPECT_TRUE(inv::InfoDate(1).isAbsent(got) && inv::InfoLoan(1).isAbsent(got)) << "no second entry";
  std::memcpy(rec + inv::InfoAt(0), got + inv::InfoAt(0), 2 * inv::kInfoSize);
  std::uint8_t* c = reference.data() + kCompensationAt;
  std::memcpy(c + comp::kIncentives, block.data() + kCompensationAt + comp::kIncentives, 120);
  if (k.compensation) {
    std::memset(c, 0, comp::kIncentives);
    comp::Holder(0).set(c, 2);
    comp::Interest(0).set(c, 3000.0);
    comp::Investment(0).set(c, 1000.0);
    comp::Cadastral(0).set(c, 50000.0);
    comp::Days(0).set(c, 365.0);
    comp::PropertyTax(0).set(c, 300.0);
  }
  Calculate(block);
  Calculate(reference);
  const auto differs = std::mismatch(block.begin(), block.end(), reference.begin());
  EXPECT_TRUE(differs.first == block.end())
      << "the declaration after the sheet and the records written directly differ at byte "
      << (differs.first - block.begin());
  const std::uint8_t* summary = block.data() + f100::Summary.offset;
  const std::uint8_t* o = block.data() + f100::SectionO.offset;
  EXPECT_GT(blocks::Vec5{488}.get(o, 1) + blocks::Vec5{936}.get(o, 1), 0.0) << "a housing deduction";
  if (k.compensation) {
    // The incentive of the rules before 1999 for the declarant, on the page before OK and after it.
    EXPECT_GT(f100::summary::CompensationField(1, f100::summary::kTotalIncentive).get(summary), 0.0);
    EXPECT_GT(shownCompensation, 0.0);
  }
}

INSTANTIATE_TEST_SUITE_P(Homes, HomesBoughtWithALoan,
                         ::testing::Values(HomeCase{"Before1998", "15031997", false, true},
                                           HomeCase{"After1998", "10062002", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HousingSheet, CancelLeavesTheDeclarationByteIdentical) {
  // A regional deduction that the Murcia mark would clear, confirmed before the sheet is cancelled.
  f100::wizard_personal::RegionCode(1).set(block.data() + f100::Personal.offset, "13");
  block[kRegionalListAt] = ui::kHolderDeclarant;
  blocks::F64{kRegionalListAt + 8}.set(block.data(), 150.0);
  const std::vector<std::uint8_t> before = block;
  messages.Then(1);  // "100P079": confirmed
  EXPECT_EQ(Open([&](CVivienda& s) {
              TypeLoanHome(s, "15031997", "6000", false);
              TypeInto(s.InvestmentPage(), IV::kMurcia[0], "X");
              // A compensation row without its cadastral value keeps the sheet open after 100P079.
              CA& c = s.CompensationPage();
              s.SetActivePage(1);
              TypeInto(c, CA::kHolders[0], "D");
              TypeInto(c, CA::kInterest[0], "3000");
              Focus(c, CA::kHolders[0]);
              Click(s, CVivienda::kIdOk);
              EXPECT_TRUE(s.isVisible());
              Click(s, CVivienda::kIdCancel);
            }),
            ui::IDCANCEL);
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{"100P079", "100R057"}));
  EXPECT_TRUE(block == before) << "nothing of the sheet, its calculation or its confirmed deletion";
}

TEST_F(HousingSheet, AConfirmedMurciaMarkClearsTheRegionalEntryOnOk) {
  f100::wizard_personal::RegionCode(1).set(block.data() + f100::Personal.offset, "13");
  block[kRegionalListAt + 16] = ui::kHolderCommon;
  blocks::F64{kRegionalListAt + 24}.set(block.data(), 150.0);
  messages.Then(1);
  ASSERT_EQ(Open([&](CVivienda& s) {
              IV& p = s.InvestmentPage();
              EXPECT_FALSE(p.GetDlgItem(IV::kCataluna[0])->isEnabled()) << "Murcia only";
              TypeInto(p, IV::kMurcia[0], "X");
              Click(s, CVivienda::kIdOk);
            }),
            ui::IDOK);
  EXPECT_EQ(block[kRegionalListAt + 16], 0);
  EXPECT_EQ(blocks::F64{kRegionalListAt + 24}.get(block.data()), 0.0);
  EXPECT_EQ(inv::MurciaDeclarant.get(block.data() + kInvestmentAt), 1);
}

struct DateCase {
  const char* date;
  bool accepted;
};
class CompensationDates : public HousingSheet, public ::testing::WithParamInterface<DateCase> {};

TEST_P(CompensationDates, OnlyHomesBoughtBefore4May1998) {
  messages.Then(1);
  const int result = Open(
      [&](CVivienda& s) {
        EXPECT_EQ(s.GetActiveIndex(), 1) << "opened from the compensation box";
        TypeLoanHome(s, GetParam().date, "6000", false);
        TypeCompensation(s);
        Click(s, CVivienda::kIdOk);
        if (s.isVisible()) Click(s, CVivienda::kIdCancel);
      },
      true);
  EXPECT_EQ(result, GetParam().accepted ? ui::IDOK : ui::IDCANCEL);
  if (!GetParam().accepted) {
    EXPECT_EQ(messages.Codes(), (std::vector<QString>{"100R140"}));
  }
}

INSTANTIATE_TEST_SUITE_P(Dates, CompensationDates,
                         ::testing::Values(DateCase{"03051998", true}, DateCase{"04051998", false}));

TEST_F(HousingSheet, DaysAboveTheYearAreCorrectedAndAmountsAboveTheInvestmentRefused) {
  messages.Then(1);
  messages.Then(1);
  EXPECT_EQ(Open([&](CVivienda& s) {
              TypeLoanHome(s, "15031997", "1000", false);
              CA& c = s.CompensationPage();
              s.SetActivePage(1);
              TypeInto(c, CA::kHolders[0], "D");
              TypeInto(c, CA::kCadastral[0], "50000");
              TypeInto(c, CA::kDays[0], "400");
              Focus(c, CA::kInterest[0]);
              EXPECT_DOUBLE_EQ(comp::Days(0).get(c.Working()), 365.0);
              TypeInto(c, CA::kInterest[0], "1000,60");
              Focus(c, CA::kHolders[0]);
              Click(s, CVivienda::kIdOk);
              EXPECT_TRUE(s.isVisible()) << "1.000,60 exceeds 1.000 and its half-unit tolerance";
              Click(s, CVivienda::kIdCancel);
            }),
            ui::IDCANCEL);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].code, "WIN031");
  EXPECT_TRUE(messages.shown[0].text.endsWith(" 365")) << messages.shown[0].text.toStdString();
  EXPECT_EQ(messages.shown[1].code, "100R056");
}

TEST_F(HousingSheet, ExclusiveFinancingAndTheSecondEntryMovingUp) {
  Open([&](CVivienda& s) {
    IV& p = s.InvestmentPage();
    TypeInto(p, IV::kHolders[0], "D");
    TypeInto(p, IV::kUnfinanced[0], "500");
    EXPECT_FALSE(p.GetDlgItem(IV::kWithin[0])->isEnabled());
    EXPECT_FALSE(p.GetDlgItem(IV::kAfter[0])->isEnabled());
    TypeInto(p, IV::kInfoHolders[0], "D");
    TypeInto(p, IV::kInfoHolders[1], "D");
    TypeInto(p, IV::kInfoDates[1], "01022001");
    Focus(p, IV::kInfoLoans[1]);
    QWidget* first = p.GetDlgItem(IV::kInfoHolders[0]);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Delete);
    Settle();
    EXPECT_EQ(inv::InfoHolder(0).get(p.Working()), ui::kHolderDeclarant);
    EXPECT_EQ(inv::InfoDate(0).raw(p.Working()), "01022001") << "entry 2 moved into entry 1";
    EXPECT_EQ(inv::InfoHolder(1).get(p.Working()), 0);
    TypeInto(p, IV::kInfoDates[0], "01012004");
    Focus(p, IV::kInfoLoans[0]);
    EXPECT_TRUE(inv::InfoDate(0).isAbsent(p.Working())) << "a date from 2004 on is refused and cleared";
    Click(s, CVivienda::kIdCancel);
  });
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{"WIN008"}));
}

TEST_F(HousingSheet, BothPagesAreTabsOfOneSheet) {
  Open([&](CVivienda& s) {
    EXPECT_EQ(s.InvestmentPage().windowTitle(), "INVERSIÓN EN VIVIENDA HABITUAL (1)");
    EXPECT_EQ(s.CompensationPage().windowTitle(), "COMPENSACIÓN POR DEDUCCIÓN VIVIENDA HABITUAL (2)");
    EXPECT_EQ(s.windowTitle(), "Vivienda habitual");
    EXPECT_EQ(s.FrameButton(CVivienda::kIdWizNext), nullptr) << "a sheet, not a wizard";
    const QByteArray dir = qgetenv("QX_RENDER_DIR");
    const char* names[] = {"housing_investment", "housing_compensation"};
    for (int page = 0; page < 2; ++page) {
      s.SetActivePage(page);
      Settle();
      if (!dir.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(dir));
        s.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/%1.png").arg(QLatin1String(names[page])));
      }
    }
    Click(s, CVivienda::kIdCancel);
  });
}

TEST_F(HousingSheet, AMemberViewOfAHouseholdIsReadOnlyAndShowsTheMembersShare) {
  view.SetExists(ui::kSpouse, true);
  view.Show(ui::kSpouse);
  std::uint8_t* rec = block.data() + kInvestmentAt;
  inv::Holder(0).set(rec, ui::kHolderCommon);
  inv::Unfinanced(0).set(rec, 800.0);
  inv::Holder(1).set(rec, ui::kHolderDeclarant);
  inv::Unfinanced(1).set(rec, 500.0);
  const std::vector<std::uint8_t> before = block;
  Open([&](CVivienda& s) {
    IV& p = s.InvestmentPage();
    EXPECT_FALSE(p.IsEditable());
    EXPECT_EQ(inv::Holder(0).get(p.Working()), ui::kHolderDeclarant);
    EXPECT_DOUBLE_EQ(inv::Unfinanced(0).get(p.Working()), 400.0) << "the spouse's half of the common home";
    EXPECT_EQ(inv::Holder(1).get(p.Working()), 0) << "the declarant's own home is not the spouse's";
    Click(s, CVivienda::kIdOk);
  });
  EXPECT_EQ(messages.Codes().front(), "100R025");
  EXPECT_TRUE(std::equal(before.begin() + kInvestmentAt, before.begin() + kInvestmentAt + inv::kSize,
                         block.begin() + kInvestmentAt))
      << "a member view writes nothing back";
}

}  // namespace
