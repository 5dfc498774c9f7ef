// The maternity deduction: the deduction per child from its months, the contributions and the
// persons; the whole run through the launch entry with the contributions and months dialogs opened
// by keys and buttons; the checks of OK against the family data; the all-months mark; the member view.
#include <QAbstractButton>

#include <cstring>

#include "annex/maternidad_dlg.h"
#include "annex_fixture.h"
#include "blocks/family_entries.h"
#include "launched.h"
#include "render_support.h"
#include "support/member_view.h"
#include "ui/launcher_edit.h"
#include "ui/message_dlg.h"
#include "ui/titular_edit.h"

namespace {

namespace m = annex::maternidad;
using Dlg = CMaternidadDlg;
using annextest::Press;
using annextest::TypeInto;
constexpr std::size_t kGuard = 16;

class Maternidad : public annextest::AnnexTest {
 protected:
  // A descendant of the open declaration: birth date, adoption date (blank for none) and link.
  void Descendant(int i, const char* birth, const char* adoption, char link) {
    namespace de = f100::descendant_entry;
    std::uint8_t* e = decl.block.data() + f100::Family.offset + f100::family_wizard::Descendants.off +
                      de::kSize * static_cast<std::size_t>(i);
    de::BirthDate.set(e, birth);
    de::AdoptionDate.set(e, adoption);
    de::Link.set(e, static_cast<std::uint8_t>(link));
  }
  void Man(int holder) {
    decl.block[f100::Family.offset + f100::family_wizard::Marks.off + f100::family_wizard::kMale +
               static_cast<std::size_t>(holder - 1)] = 1;
  }
  // Runs the launch with `actions` on the open dialog; the launcher's answer.
  int Launch(const std::function<void(Dlg&)>& actions) {
    CDialogLauncherEdit launcher(8, 2, "IDD_MATERNIDAD");
    launcher.SetOption(bytes.data());
    qxtest::WhenModal([&](QWidget* w) {
      auto* d = dynamic_cast<Dlg*>(w);
      ASSERT_NE(d, nullptr);
      actions(*d);
      if (d->isVisible()) Press(*d, ui::IDCANCEL);
    });
    return launcher.Launch();
  }
  // The next modal dialog, of class T, gets `actions`.
  template <class T>
  static void Then(const std::function<void(T&)>& actions) {
    qxtest::WhenModal([actions](QWidget* w) {
      auto* d = dynamic_cast<T*>(w);
      ASSERT_NE(d, nullptr);
      actions(*d);
      if (d->isVisible()) Press(*d, ui::IDCANCEL);
    });
  }

  annextest::OpenDeclaration decl;
  std::vector<std::uint8_t> bytes = [] {
    std::vector<std::uint8_t> b(m::kBlockSize + kGuard, 0);
    std::memset(b.data() + m::kBlockSize, 0xA5, kGuard);
    return b;
  }();
};

TEST_F(Maternidad, TheDeductionPerChildFollowsTheMonthsTheContributionsAndThePersons) {
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});
  struct Case {
    const char* what;
    bool allMonths;
    double persons;
    std::vector<double> monthly;  // January first; the child is marked in these months
    double months, deduction, contributions;
  };
  const Case cases[] = {
      {"all months, one person", true, 0, std::vector<double>(12, 0.0), 12, 1200, 0},
      {"all months, three persons", true, 3, std::vector<double>(12, 0.0), 12, 400, 0},
      {"capped at 100 a month", false, 0, {10, 20, 30, 500}, 4, 400, 560},
      {"the contributions when smaller", false, 0, {10, 20, 30, 40}, 4, 100, 100},
      {"divided, every decimal kept", false, 3, {100, 100, 100, 100}, 4, 400.0 / 3, 400},
  };
  for (const Case& c : cases) {
    Dlg d(ui::AnnexArgs{});
    std::uint8_t* b = d.AnnexBlock().data();
    m::Holder.set(b, ui::kHolderDeclarant);
    m::Persons.set(b, c.persons);
    m::AllMonths.set(b, c.allMonths ? 1 : 0);
    for (int k = 0; k < m::kChildren; ++k) {
      m::ChildContributions(k).set(b, c.allMonths ? 7.0 : 0.0);
      for (std::size_t month = 0; month < c.monthly.size(); ++month) m::Mark(k, static_cast<int>(month)).set(b, 1);
    }
    for (std::size_t month = 0; month < c.monthly.size(); ++month) m::Monthly(static_cast<int>(month)).set(b, c.monthly[month]);
    d.EnsureCreated();
    d.Recalculate();
    for (int k = 0; k < m::kChildren; ++k) {
      EXPECT_EQ(m::Months(k).get(b), c.months) << c.what;
      EXPECT_DOUBLE_EQ(m::Deduction(k).get(b), c.deduction) << c.what;
      EXPECT_DOUBLE_EQ(m::ChildContributions(k).get(b), c.allMonths ? 7.0 : c.contributions) << c.what << ": kept with the mark";
    }
    if (c.persons == 3 && !c.allMonths) {
      EXPECT_EQ(d.Edit(Dlg::kDeductionEdits[0])->text().trimmed(), QStringLiteral("133,33")) << "shown with two decimals";
    }
  }
}

// The whole run with keys: the mother chosen opens the contributions, the first child's month
// button opens its months, OK writes the block and nothing past it.
TEST_F(Maternidad, ADeductionEnteredWithKeysThroughBothSubDialogs) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  Descendant(0, "10052003", "        ", 'D');
  bool monthsEnabled = false;
  const int result = Launch([&](Dlg& d) {
    EXPECT_FALSE(d.GetDlgItem(Dlg::kMonthLaunchers[0])->isEnabled()) << "no mother yet";
    Then<CCotizacionesDevengadasDlg>([](CCotizacionesDevengadasDlg& c) {
      TypeInto(c, CCotizacionesDevengadasDlg::kMonthEdits[5], QStringLiteral("80"));   // June
      TypeInto(c, CCotizacionesDevengadasDlg::kMonthEdits[6], QStringLiteral("150"));  // July
      Press(c, ui::IDOK);
    });
    TypeInto(d, Dlg::kHolder, QStringLiteral("D"));
    monthsEnabled = d.GetDlgItem(Dlg::kMonthLaunchers[0])->isEnabled();
    Then<CMatmesesDlg>([](CMatmesesDlg& months) {
      for (int month : {5, 6}) {
        QWidget* box = months.GetDlgItem(CMatmesesDlg::kMarks[static_cast<std::size_t>(month)]);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_X);
      }
      Press(months, ui::IDOK);
    });
    auto* launcher = d.Item<CDialogLauncherEdit>(Dlg::kMonthLaunchers[0]);
    ASSERT_NE(launcher->Button(), nullptr);
    launcher->Button()->click();
    EXPECT_EQ(launcher->text().trimmed(), QStringLiteral("2"));
    TypeInto(d, Dlg::kAdvance, QStringLiteral("50"));
    Press(d, ui::IDOK);
  });
  EXPECT_TRUE(monthsEnabled);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{}) << "a descendant of 2003 and an advance: nothing to say";
  const std::uint8_t* b = bytes.data();
  EXPECT_EQ(m::Holder.get(b), ui::kHolderDeclarant);
  EXPECT_EQ(m::Monthly(5).get(b), 80.0);
  EXPECT_EQ(m::Monthly(6).get(b), 150.0);
  EXPECT_EQ(m::Mark(0, 5).get(b), 1);
  EXPECT_EQ(m::Mark(0, 6).get(b), 1);
  EXPECT_EQ(m::Months(0).get(b), 2.0);
  EXPECT_EQ(m::ChildContributions(0).get(b), 230.0);
  EXPECT_EQ(m::Deduction(0).get(b), 200.0);  // two months at 100, within the 230 paid
  EXPECT_EQ(m::Advance.get(b), 50.0);
  for (std::size_t i = m::kBlockSize; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], 0xA5) << "byte " << i;
}

TEST_F(Maternidad, OkChecksTheFamilyData) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  auto prepared = [&](int children) {
    std::fill(bytes.begin(), bytes.begin() + m::kBlockSize, 0);
    m::Holder.set(bytes.data(), ui::kHolderDeclarant);
    for (int k = 0; k < children; ++k) {
      m::Mark(k, 0).set(bytes.data(), 1);
      m::Months(k).set(bytes.data(), 1.0);
    }
    m::Monthly(0).set(bytes.data(), 100.0);
    m::Advance.set(bytes.data(), 10.0);
  };
  struct Case {
    const char* what;
    std::function<void()> family;
    int children;
    std::vector<int> answers;
    std::vector<QString> codes;
    bool written;
  };
  const Case cases[] = {
      {"born on 15/01/2000 gives no right, 01/02/2000 does", [&] {
         Descendant(0, "15012000", "        ", 'D');
         Descendant(1, "01022000", "        ", 'D');
       }, 2, {}, {QStringLiteral("100P076")}, false},
      {"the adoption date decides", [&] {
         Descendant(0, "15012000", "        ", 'D');
         Descendant(1, "01011995", "01062003", 'D');
       }, 1, {}, {}, true},
      {"a child of both counts for the mother", [&] { Descendant(0, "01032003", "        ", 'O'); }, 1, {}, {}, true},
      {"the spouse's children do not", [&] { Descendant(0, "01032003", "        ", 'C'); }, 1, {},
       {QStringLiteral("100P076")}, false},
      {"a mother marked as a man: Corregir keeps the dialog", [&] {
         Descendant(0, "01032003", "        ", 'D');
         Man(ui::kHolderDeclarant);
       }, 1, {kAnsCorregir}, {QStringLiteral("100P071")}, false},
      {"... and Continuar goes on", [&] {
         Descendant(0, "01032003", "        ", 'D');
         Man(ui::kHolderDeclarant);
       }, 1, {kAnsContinuar}, {QStringLiteral("100P071")}, true},
  };
  for (const Case& c : cases) {
    std::fill(decl.block.begin(), decl.block.end(), 0);
    c.family();
    prepared(c.children);
    const auto before = bytes;
    qxtest::ScriptedMessages scripted({c.answers.begin(), c.answers.end()});
    bool stayed = false;
    Launch([&](Dlg& d) {
      d.Recalculate();
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(scripted.Codes(), c.codes) << c.what;
    EXPECT_EQ(stayed, !c.written) << c.what;
    EXPECT_EQ(bytes != before, c.written) << c.what;
    if (c.written) {
      EXPECT_EQ(m::Deduction(0).get(bytes.data()), 100.0) << c.what;
    }
  }
}

TEST_F(Maternidad, WithoutAnAdvanceOkAsksAndCorregirStays) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  Descendant(0, "01032003", "        ", 'D');
  m::Holder.set(bytes.data(), ui::kHolderDeclarant);
  m::Mark(0, 0).set(bytes.data(), 1);
  m::Monthly(0).set(bytes.data(), 100.0);
  qxtest::ScriptedMessages scripted({kAnsCorregir});
  bool stayed = false;
  Launch([&](Dlg& d) {
    d.Recalculate();
    Press(d, ui::IDOK);
    stayed = d.isVisible();
  });
  EXPECT_EQ(scripted.Codes(), std::vector<QString>{QStringLiteral("100P088")});
  EXPECT_TRUE(stayed);
}

TEST_F(Maternidad, TheAllMonthsMarkAsksBeforeItClearsTheChildrensContributions) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  for (int answer : {kAnsCorregir, kAnsContinuar}) {
    Dlg d(ui::AnnexArgs{});
    std::uint8_t* b = d.AnnexBlock().data();
    m::Holder.set(b, ui::kHolderDeclarant);
    m::Mark(0, 0).set(b, 1);
    m::Monthly(0).set(b, 60.0);
    d.EnsureCreated();
    d.Recalculate();
    ASSERT_EQ(m::ChildContributions(0).get(b), 60.0);
    qxtest::ScriptedMessages scripted({answer});
    bool monthsEnabled = false;
    int result = d.OnContributions([&](QDialog& q) {
      auto& c = dynamic_cast<CCotizacionesDevengadasDlg&>(q);
      c.show();
      QWidget* mark = c.GetDlgItem(CCotizacionesDevengadasDlg::kAllMonths);
      mark->setFocus();
      QTest::keyClick(mark, Qt::Key_X);
      monthsEnabled = c.GetDlgItem(CCotizacionesDevengadasDlg::kMonthEdits[0])->isEnabled();
      const bool marked = m::AllMonths.get(c.AnnexBlock().data()) != 0;
      c.hide();
      return marked ? ui::IDOK : ui::IDCANCEL;
    });
    EXPECT_EQ(scripted.Codes(), std::vector<QString>{QStringLiteral("100P072")});
    if (answer == kAnsCorregir) {
      EXPECT_TRUE(monthsEnabled);
      EXPECT_EQ(result, ui::IDCANCEL) << "the mark stayed clear";
      EXPECT_EQ(m::ChildContributions(0).get(b), 60.0);
    } else {
      EXPECT_FALSE(monthsEnabled);
      EXPECT_EQ(result, ui::IDOK);
      EXPECT_EQ(m::AllMonths.get(b), 1);
      EXPECT_EQ(m::Monthly(0).get(b), 0.0) << "the monthly amounts go with the mark";
      EXPECT_EQ(m::ChildContributions(0).get(b), 0.0);
      EXPECT_EQ(m::Deduction(0).get(b), 100.0) << "one month at 100";
    }
  }
}

TEST_F(Maternidad, AMonthWithoutContributionsIsQuestionedOnce) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  m::Holder.set(bytes.data(), ui::kHolderDeclarant);
  m::Monthly(0).set(bytes.data(), 120.0);
  for (int answer : {kAnsCorregir, kAnsContinuar}) {
    std::vector<std::uint8_t> marks(m::kMonths, 0);
    ui::AnnexPointerList link{.block = marks.data(), .item1 = bytes.data(), .item2 = bytes.data() + m::kContributions};
    CDialogLauncherEdit launcher(8, 0, "IDD_MATMESES");
    launcher.SetOption(&link);
    qxtest::ScriptedMessages scripted({answer});
    bool stayed = false;
    qxtest::WhenModal([&](QWidget* w) {
      auto& d = dynamic_cast<CMatmesesDlg&>(*w);
      for (int month : {0, 1, 2}) {  // January paid, February and March not
        QWidget* box = d.GetDlgItem(CMatmesesDlg::kMarks[static_cast<std::size_t>(month)]);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_X);
      }
      Press(d, ui::IDOK);
      stayed = d.isVisible();
      if (stayed) Press(d, ui::IDCANCEL);
    });
    launcher.Launch();
    ASSERT_EQ(scripted.shown.size(), 1u);
    EXPECT_EQ(scripted.shown[0].code, QStringLiteral("100P073"));
    EXPECT_EQ(stayed, answer == kAnsCorregir);
    EXPECT_EQ(marks, (answer == kAnsCorregir ? std::vector<std::uint8_t>(12, 0)
                                                          : std::vector<std::uint8_t>{1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  }
}

TEST_F(Maternidad, ClearingTheMotherEmptiesTheBlockAndCancelKeepsTheBytes) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  m::Holder.set(bytes.data(), ui::kHolderSpouse);
  m::Persons.set(bytes.data(), 2.0);
  m::Mark(1, 3).set(bytes.data(), 1);
  m::Monthly(3).set(bytes.data(), 90.0);
  m::Advance.set(bytes.data(), 20.0);
  const auto before = bytes;
  bool cleared = false, disabled = false;
  Launch([&](Dlg& d) {
    QWidget* holder = d.GetDlgItem(Dlg::kHolder);
    holder->setFocus();
    QTest::keyClick(holder, Qt::Key_Delete);
    QTest::keyClick(holder, Qt::Key_Tab);
    const std::uint8_t* b = d.AnnexBlock().data();
    cleared = m::Holder.get(b) == 0 && m::Persons.get(b) == 0.0 && m::Mark(1, 3).get(b) == 0 &&
              m::Monthly(3).get(b) == 0.0 && m::Advance.get(b) == 0.0;
    disabled = !d.GetDlgItem(Dlg::kPersons)->isEnabled() && !d.GetDlgItem(Dlg::kMonthLaunchers[1])->isEnabled();
    Press(d, ui::IDCANCEL);
  });
  EXPECT_TRUE(cleared);
  EXPECT_TRUE(disabled);
  EXPECT_EQ(bytes, before);
}

TEST_F(Maternidad, TheSpousesViewShowsHerDeductionAsTheDeclarantsAndChangesNothing) {
  qxtest::MemberView view(3, {1, 1, 1, 0, 0});
  m::Holder.set(bytes.data(), ui::kHolderSpouse);
  m::Mark(0, 0).set(bytes.data(), 1);
  m::Months(0).set(bytes.data(), 1.0);
  const auto before = bytes;
  int shownHolder = -1;
  bool editable = true;
  Launch([&](Dlg& d) {
    shownHolder = m::Holder.get(d.AnnexBlock().data());
    editable = d.GetDlgItem(Dlg::kHolder)->isEnabled() || d.GetDlgItem(Dlg::kMonthLaunchers[0])->isEnabled();
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(shownHolder, ui::kHolderDeclarant);
  EXPECT_FALSE(editable);
  EXPECT_EQ(bytes, before);
}

}  // namespace

namespace {

class RenderMaternidad : public annextest::LanguageTest {};

TEST_P(RenderMaternidad, TheThreeDialogsFitTheirTexts) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  for (const char* name : {"CMaternidadDlg", "CMatmesesDlg"}) {
    auto d = ui::CreateAnnexDialog(name, ui::AnnexArgs{nullptr, 1, 0});
    ASSERT_NE(d, nullptr) << name;
    d->Dialog().EnsureCreated();
    annextest::CheckLayout(d->Dialog(), QString::fromLatin1(name).mid(1).chopped(3).toLower(), GetParam());
  }
  CCotizacionesDevengadasDlg contributions(nullptr);
  contributions.EnsureCreated();
  annextest::CheckLayout(contributions, QStringLiteral("cotizacionesdevengadas"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Languages, RenderMaternidad, ::testing::Values('e', 'c'));

}  // namespace
