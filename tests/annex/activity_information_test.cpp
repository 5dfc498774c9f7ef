// The information dialogs of a business activity in objective estimation: one record, five dialogs
// that differ by their row of the kinds table. Driven offscreen with real keys over a fixture
// declaration whose bytes change only where the dialogs say.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "annex/activity_rows.h"
#include "annex/informacion_nuevas_actividades_dlg.h"
#include "annex/informacion_relativa_actividad_dlg.h"
#include "blocks/family_entries.h"
#include "launch_support.h"
#include "render_support.h"
#include "support/member_view.h"

namespace {

namespace ai = annex::activity_info;
namespace rows = annex::activity_rows;
using D = CInformacionRelativaActividadDlg;
using annextest::AnnexTest;
using annextest::FixtureDeclaration;
using annextest::Press;
using annextest::TypeInto;

// The control of the dialog that has (or gets back, once its window is active) the focus.
int Focused(const QDialog& d) { return ui::ControlId(d.focusWidget()); }

// Row 0 of section E4 of the fixture declaration.
std::uint8_t* E4Row(FixtureDeclaration& f, int r) { return rows::Row(f.bytes.data(), rows::kObjective, r); }

class ActivityInformation : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    // Every E4 row a stranger's, without instalments, until a test says otherwise.
    for (int r = 0; r < rows::kRows; ++r) {
      E4Row(declaration, r)[0] = 9;
      rows::Payments(rows::kObjective).set(E4Row(declaration, r), 0.0);
    }
    f100::wizard_personal::DeclarantDeath.set(declaration.at(f100::Personal.offset), "", '\0');
  }
  // A record the kind accepts as complete, the rest of its bytes the fixture's pattern.
  static std::vector<std::uint8_t> Complete(const ai::Kind& k) {
    std::vector<std::uint8_t> r(ai::kSize, 0xA5);
    for (blocks::F64 f : {ai::SeasonDays, ai::StartYear, ai::Vehicles, ai::ClassKey, ai::MaxEmployees,
                          ai::Withholdings, ai::Instalments})
      f.set(r.data(), 0.0);
    ai::StaffIncrease.set(r.data(), 0);
    ai::SinglePremises.set(r.data(), k.premises ? 1 : 0xA5);
    ai::LoadOver1000.set(r.data(), 0xA5);
    if (k.required == ai::Required::Vehicles) ai::Vehicles.set(r.data(), 2.0);
    if (k.classMax > 0) ai::ClassKey.set(r.data(), 1.0);
    return r;
  }
  // The dialog of `className` as the activities page makes it, over `record`, on the screen.
  std::unique_ptr<D> Open(const char* className, const std::vector<std::uint8_t>& record, std::uint8_t holder = 2,
                          int row = 0) {
    std::unique_ptr<ui::IAnnexDialog> made = ui::CreateAnnexDialog(className, {nullptr, doc::ShownMember(), row});
    EXPECT_NE(dynamic_cast<D*>(made.get()), nullptr) << className;
    if (!dynamic_cast<D*>(made.get())) return nullptr;
    std::unique_ptr<D> dlg(static_cast<D*>(made.release()));
    std::memcpy(dlg->AnnexBlock().data(), record.data(), ai::kSize);
    E4Row(declaration, row)[0] = holder;
    dlg->EnsureCreated();
    EXPECT_TRUE(qxtest::ShowActive(dlg.get()));
    return dlg;
  }
  static QString Text(D& d, int id) { return d.Edit(id)->text(); }
  static void Clear(D& d, int id) { TypeInto(d, id, QStringLiteral("\b\b\b\b\b\b\b\b\b\b\b\b")); }
  // The bytes of a record that differ from another's.
  static std::set<std::size_t> Changed(const std::uint8_t* a, const std::vector<std::uint8_t>& b) {
    std::set<std::size_t> at;
    for (std::size_t i = 0; i < ai::kSize; ++i)
      if (a[i] != b[i]) at.insert(i);
    return at;
  }

  qxtest::MemberView view{1, {1, 1, 0, 0, 0}};
  FixtureDeclaration declaration;
};

const ai::Kind& General() { return ai::kActivityInfoKinds[0]; }

// The five dialogs side by side: the fields each shows, the class range, the answer each requires
// on OK and on Cancel, the message on the declarant's days, the rows the holder's instalments come
// from, whether the days keep the focus after a change, and the digits of the maximum staff.
TEST_F(ActivityInformation, TheFiveDialogsDifferAsTheirTableSays) {
  struct Case {
    const char* className;
    int templateId;
    bool premises, vehicles, load, classField;
    const char* classOk;
    const char* classRefused;
    const char* classCode;
    const char* okCode;
    int okFocus;
    const char* cancelCode;
    const char* deathCode;
    bool adoptsFromSixthRow;
    bool daysKeepFocus;
    const char* maxEmployeesShown;  // after typing "1234567"
  };
  const Case cases[] = {
      {"CInformacionRelativaActividadDlg221", 221, true, true, true, true, "3", "4", "100R011", "100R010",
       ai::kSinglePremises, "100R010", "100R033", true, false, "123"},
      {"CInformacionRelativaActividadDlg229", 229, true, true, true, true, "5", "6", "100R117", "100R010",
       ai::kSinglePremises, "100R010", "WIN031", false, false, "1.234.567"},
      {"CInformacionRelativaActividadDlg224", 224, false, true, false, false, nullptr, nullptr, nullptr, "100R132",
       ai::kVehicles, "100R132", "100R033", false, false, "1.234.567"},
      {"CInformacionRelativaActividadDlg226", 226, false, false, false, true, "5", "6", "100R117", "100R010",
       ai::kClass, "100R010", "100R033", false, true, "1.234.567"},
      {"CInformacionRelativaActividadDlg81", 81, false, false, false, true, "7", "8", "100R116", "100R131",
       ai::kClass, "100R010", "100R033", false, true, "1.234.567"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className);
    const ai::Kind* kind = nullptr;
    for (const ai::Kind& k : ai::kActivityInfoKinds)
      if (std::string(k.className) == c.className) kind = &k;
    ASSERT_NE(kind, nullptr);
    std::unique_ptr<D> d = Open(c.className, Complete(*kind));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetKind().templateId, c.templateId);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("INFORMACION RELATIVA A LA ACTIVIDAD"));
    for (int id : {ai::kDays, ai::kStartYear, ai::kStaffIncrease, ai::kMaxEmployees, ai::kWithholdings, ai::kInstalments})
      EXPECT_NE(d->GetDlgItem(id), nullptr) << id;
    EXPECT_EQ(d->GetDlgItem(ai::kSinglePremises) != nullptr, c.premises);
    EXPECT_EQ(d->GetDlgItem(ai::kVehicles) != nullptr, c.vehicles);
    EXPECT_EQ(d->GetDlgItem(ai::kLoad) != nullptr, c.load);
    EXPECT_EQ(d->GetDlgItem(ai::kClass) != nullptr, c.classField);

    // The class: the top of the range is taken, one above it refused while typing.
    if (c.classField) {
      messages.shown.clear();
      TypeInto(*d, ai::kClass, QStringLiteral("\b\b\b") + c.classOk);
      EXPECT_TRUE(messages.shown.empty());
      EXPECT_EQ(ai::ClassKey.get(d->Data()), QString::fromLatin1(c.classOk).toDouble());
      d->Edit(ai::kClass)->setFocus();
      QTest::keyClicks(d->Edit(ai::kClass), QStringLiteral("\b\b\b") + c.classRefused);
      EXPECT_EQ(messages.Codes(), std::vector<QString>{QString::fromLatin1(c.classCode)});
      EXPECT_EQ(ai::ClassKey.get(d->Data()), 0.0);
      EXPECT_TRUE(Text(*d, ai::kClass).isEmpty());
    }

    // The maximum staff takes three digits in the general dialog, eight in the others.
    TypeInto(*d, ai::kMaxEmployees, QStringLiteral("1234567"));
    EXPECT_EQ(Text(*d, ai::kMaxEmployees), QString::fromLatin1(c.maxEmployeesShown));

    // The days: a change tested, then either the next field or the days again.
    TypeInto(*d, ai::kDays, QStringLiteral("10"));
    EXPECT_EQ(Focused(*d) == ai::kDays, c.daysKeepFocus);
    if (c.daysKeepFocus) {
      QTest::keyClick(d->Edit(ai::kDays), Qt::Key_Tab);
      EXPECT_NE(Focused(*d), ai::kDays) << "unchanged, it moves on";
    }
    EXPECT_EQ(ai::SeasonDays.get(d->Data()), 10.0);

    // The declarant died on 31 March 2003: 90 days at most on his activity.
    f100::wizard_personal::DeclarantDeath.set(declaration.at(f100::Personal.offset), "31032003");
    messages.shown.clear();
    TypeInto(*d, ai::kDays, QStringLiteral("\b\b\b91"));
    EXPECT_EQ(messages.Codes(), std::vector<QString>{QString::fromLatin1(c.deathCode)});
    EXPECT_EQ(ai::SeasonDays.get(d->Data()), 0.0);
    f100::wizard_personal::DeclarantDeath.set(declaration.at(f100::Personal.offset), "", '\0');

    // OK without the required answer.
    if (c.classField) Clear(*d, ai::kClass);
    if (c.vehicles) Clear(*d, ai::kVehicles);
    messages.shown.clear();
    Press(*d, ui::IDOK);
    EXPECT_TRUE(d->isVisible());
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().code, QString::fromLatin1(c.okCode));
    EXPECT_EQ(Focused(*d), c.okFocus);

    // Cancel from a record that was incomplete at opening, with something entered.
    std::vector<std::uint8_t> incomplete = Complete(*kind);
    ai::ClassKey.set(incomplete.data(), 0.0);
    ai::Vehicles.set(incomplete.data(), 0.0);
    ai::SinglePremises.set(incomplete.data(), 255);
    ai::Withholdings.set(incomplete.data(), 5.0);
    d = Open(c.className, incomplete);
    messages.shown.clear();
    d->Item<QAbstractButton>(ui::IDCANCEL)->setFocus();
    Press(*d, ui::IDCANCEL);
    EXPECT_EQ(messages.Codes(), std::vector<QString>{QString::fromLatin1(c.cancelCode)});
    EXPECT_TRUE(d->isVisible());
    d.reset();

    // The holder's instalments stand only in the sixth row.
    E4Row(declaration, 5)[0] = 2;
    rows::Payments(rows::kObjective).set(E4Row(declaration, 5), 500.0);
    d = Open(c.className, Complete(*kind), 2, 0);
    EXPECT_EQ(Text(*d, ai::kInstalments), c.adoptsFromSixthRow ? QStringLiteral("500,00") : QString());
    EXPECT_EQ(rows::Payments(rows::kObjective).get(E4Row(declaration, 0)), c.adoptsFromSixthRow ? 500.0 : 0.0);
    E4Row(declaration, 5)[0] = 9;
    rows::Payments(rows::kObjective).set(E4Row(declaration, 5), 0.0);
    rows::Payments(rows::kObjective).set(E4Row(declaration, 0), 0.0);
  }
}

// OK stores the fields the dialog shows and the start year, and nothing else of the record: the
// fields of another activity's dialog and the unused bytes keep what the row held.
TEST_F(ActivityInformation, OkWritesExactlyItsFieldsAndCancelLeavesTheBytes) {
  const std::vector<std::uint8_t> before = declaration.bytes;
  for (const ai::Kind& k : ai::kActivityInfoKinds) {
    SCOPED_TRACE(k.className);
    std::vector<std::uint8_t> record = Complete(k);
    // A vehicle count and class left by a former activity.
    if (!k.vehicles) ai::Vehicles.set(record.data(), 3.0);
    if (k.classMax == 0) ai::ClassKey.set(record.data(), 2.0);
    std::unique_ptr<D> d = Open(k.className, record);
    qxtest::WhenModal([](QWidget* m) {
      if (auto* notice = dynamic_cast<CInformacionNuevasActividadesDlg*>(m)) Press(*notice, ui::IDOK);
    });
    TypeInto(*d, ai::kStartYear, QStringLiteral("03"));
    EXPECT_EQ(Text(*d, ai::kStartYear), QStringLiteral("2003"));
    TypeInto(*d, ai::kWithholdings, QStringLiteral("125"));
    Press(*d, ui::IDOK);
    EXPECT_EQ(d->result(), ui::IDOK);
    std::set<std::size_t> changed = Changed(d->Data(), record);
    std::set<std::size_t> allowed;
    for (std::size_t i = 0; i < 8; ++i) {
      allowed.insert(ai::StartYear.off + i);
      allowed.insert(ai::Withholdings.off + i);
    }
    for (int id : {ai::kSinglePremises, ai::kLoad})  // an unreadable yes/no byte is shown as no answer
      if (d->GetDlgItem(id)) allowed.insert(id == ai::kLoad ? ai::LoadOver1000.off : ai::SinglePremises.off);
    for (std::size_t i : changed) EXPECT_TRUE(allowed.count(i)) << "byte " << i;
    EXPECT_EQ(ai::StartYear.get(d->Data()), 2003.0);
    EXPECT_EQ(ai::Withholdings.get(d->Data()), 125.0);
    EXPECT_EQ(ai::Vehicles.get(d->Data()), ai::Vehicles.get(record.data()));
    EXPECT_EQ(ai::ClassKey.get(d->Data()), k.classMax == 0 ? 2.0 : 1.0);
    // Cancel from a complete record drops the changes; the declaration is untouched.
    d = Open(k.className, record);
    TypeInto(*d, ai::kWithholdings, QStringLiteral("77"));
    d->Item<QAbstractButton>(ui::IDCANCEL)->setFocus();
    Press(*d, ui::IDCANCEL);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), ui::IDCANCEL);
  }
  for (int r = 0; r < rows::kRows; ++r) E4Row(declaration, r)[0] = 9;
  EXPECT_TRUE(declaration.bytes == before);
}

TEST_F(ActivityInformation, AnEmptyRecordShowsNoAnswersAndTheLoadFollowsTheVehicles) {
  std::unique_ptr<D> d = Open(General().className, std::vector<std::uint8_t>(ai::kSize, 0));
  for (int id : {ai::kDays, ai::kStartYear, ai::kVehicles, ai::kClass, ai::kMaxEmployees, ai::kWithholdings, ai::kInstalments})
    EXPECT_TRUE(Text(*d, id).isEmpty()) << id;
  EXPECT_EQ(Text(*d, ai::kStaffIncrease), QStringLiteral("NO"));
  EXPECT_EQ(Text(*d, ai::kSinglePremises), QStringLiteral("NO"));
  EXPECT_EQ(Text(*d, ai::kLoad).trimmed(), QString());
  EXPECT_FALSE(d->GetDlgItem(ai::kLoad)->isEnabled());
  EXPECT_EQ(ai::LoadOver1000.get(d->Data()), 255);
  d->Edit(ai::kVehicles)->setFocus();
  QTest::keyClicks(d->Edit(ai::kVehicles), QStringLiteral("1"));
  EXPECT_TRUE(d->GetDlgItem(ai::kLoad)->isEnabled()) << "while typing";
  QTest::keyClicks(d->Edit(ai::kVehicles), QStringLiteral("2"));
  EXPECT_FALSE(d->GetDlgItem(ai::kLoad)->isEnabled());
  // One vehicle and no load answer is incomplete.
  QTest::keyClick(d->Edit(ai::kVehicles), Qt::Key_Backspace);
  QTest::keyClick(d->Edit(ai::kVehicles), Qt::Key_Tab);
  TypeInto(*d, ai::kClass, QStringLiteral("3"));
  messages.shown.clear();
  Press(*d, ui::IDOK);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R010")});
  TypeInto(*d, ai::kLoad, QStringLiteral("s"));
  Press(*d, ui::IDOK);
  EXPECT_EQ(d->result(), ui::IDOK);
  EXPECT_EQ(ai::LoadOver1000.get(d->Data()), 1);
  EXPECT_EQ(ai::Vehicles.get(d->Data()), 1.0);
}

TEST_F(ActivityInformation, TheStartYearTakesItsShorthandAndRefusesOtherYears) {
  std::vector<std::uint8_t> record = Complete(General());
  std::unique_ptr<D> d = Open(General().className, record);
  // "Corregir" on the notice: the text stays, the record waits for OK.
  qxtest::WhenModal([](QWidget* m) {
    if (auto* notice = dynamic_cast<CInformacionNuevasActividadesDlg*>(m)) Press(*notice, ui::IDCANCEL);
  });
  TypeInto(*d, ai::kStartYear, QStringLiteral("02"));
  EXPECT_EQ(Text(*d, ai::kStartYear), QStringLiteral("2002"));
  EXPECT_EQ(ai::StartYear.get(d->Data()), 0.0);
  EXPECT_EQ(Focused(*d), ai::kStartYear);
  // Season days with a start year: the second one left is cleared; OK with both refused.
  messages.shown.clear();
  ai::SeasonDays.set(d->Data(), 0.0);
  d->Edit(ai::kDays)->setFocus();
  QTest::keyClicks(d->Edit(ai::kDays), QStringLiteral("30"));
  Press(*d, ui::IDOK);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R034")});
  EXPECT_EQ(Focused(*d), ai::kDays);
  EXPECT_TRUE(d->isVisible());
  Clear(*d, ai::kDays);
  Press(*d, ui::IDOK);
  EXPECT_EQ(d->result(), ui::IDOK);
  EXPECT_EQ(ai::StartYear.get(d->Data()), 2002.0) << "OK reads the text again";

  // A year the record cannot hold is told on leaving and keeps the dialog open on OK.
  d = Open(General().className, record);
  messages.shown.clear();
  TypeInto(*d, ai::kStartYear, QStringLiteral("2001"));
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("WIN007")});
  EXPECT_EQ(Text(*d, ai::kStartYear), QStringLiteral("2001"));
  Press(*d, ui::IDOK);
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(messages.Codes().back(), QStringLiteral("WIN007"));

  // Days first, then a year: the year is cleared.
  d = Open(General().className, record);
  TypeInto(*d, ai::kDays, QStringLiteral("30"));
  messages.shown.clear();
  TypeInto(*d, ai::kStartYear, QStringLiteral("2003"));
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R034")});
  EXPECT_TRUE(Text(*d, ai::kStartYear).isEmpty());
  EXPECT_EQ(ai::StartYear.get(d->Data()), 0.0);
}

TEST_F(ActivityInformation, SeasonDaysAreLimitedByTheHolderAndTheDeclarantsDeath) {
  struct Case {
    const char* death;
    std::uint8_t holder;
    const char* days;
    const char* code;  // nullptr: accepted
  };
  const Case cases[] = {
      {"31032003", 2, "90", nullptr},  {"31032003", 2, "91", "100R033"}, {"31032003", 3, "91", nullptr},
      {"31122003", 2, "181", "100R033"}, {"", 3, "181", "100R032"},       {"", 2, "180", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.death) + " " + c.days);
    f100::wizard_personal::DeclarantDeath.set(declaration.at(f100::Personal.offset), c.death, '\0');
    std::unique_ptr<D> d = Open(General().className, Complete(General()), c.holder);
    messages.shown.clear();
    TypeInto(*d, ai::kDays, QString::fromLatin1(c.days));
    EXPECT_EQ(messages.Codes(), c.code ? std::vector<QString>{QString::fromLatin1(c.code)} : std::vector<QString>{});
    EXPECT_EQ(ai::SeasonDays.get(d->Data()), c.code ? 0.0 : QString::fromLatin1(c.days).toDouble());
  }
  // Straight to Cancel, nothing is tested.
  std::unique_ptr<D> d = Open(General().className, Complete(General()));
  messages.shown.clear();
  d->Edit(ai::kDays)->setFocus();
  QTest::keyClicks(d->Edit(ai::kDays), QStringLiteral("200"));
  d->Item<QAbstractButton>(ui::IDCANCEL)->setFocus();
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ActivityInformation, TheHoldersInstalmentsAreAdoptedAtOnceAndAChangeIsTold) {
  E4Row(declaration, 2)[0] = 2;
  rows::Payments(rows::kObjective).set(E4Row(declaration, 2), 500.0);
  E4Row(declaration, 3)[0] = 3;
  rows::Payments(rows::kObjective).set(E4Row(declaration, 3), 70.0);
  std::unique_ptr<D> d = Open(General().className, Complete(General()), 2, 1);
  EXPECT_EQ(Text(*d, ai::kInstalments), QStringLiteral("500,00"));
  d->Item<QAbstractButton>(ui::IDCANCEL)->setFocus();
  Press(*d, ui::IDCANCEL);
  EXPECT_EQ(rows::Payments(rows::kObjective).get(E4Row(declaration, 1)), 500.0) << "kept after Cancel";
  EXPECT_EQ(rows::Payments(rows::kObjective).get(E4Row(declaration, 3)), 70.0) << "another holder's";
  // A change away from the instalments at opening is told, each time.
  d = Open(General().className, Complete(General()), 2, 1);
  messages.shown.clear();
  TypeInto(*d, ai::kInstalments, QStringLiteral("\b\b\b\b\b\b\b\b\b600"));
  TypeInto(*d, ai::kInstalments, QStringLiteral("\b\b\b\b\b\b\b\b\b700"));
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{QStringLiteral("100I006"), QStringLiteral("100I006")}));
}

TEST_F(ActivityInformation, CancelOfAnIncompleteRecordWaitsUntilEverythingIsCleared) {
  std::vector<std::uint8_t> record(ai::kSize, 0);
  ai::SinglePremises.set(record.data(), 255);
  std::unique_ptr<D> d = Open(General().className, record);
  TypeInto(*d, ai::kMaxEmployees, QStringLiteral("2"));
  messages.shown.clear();
  d->Item<QAbstractButton>(ui::IDCANCEL)->setFocus();
  Press(*d, ui::IDCANCEL);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R010")});
  EXPECT_TRUE(d->isVisible());
  Clear(*d, ai::kMaxEmployees);
  d->Item<QAbstractButton>(ui::IDCANCEL)->setFocus();
  Press(*d, ui::IDCANCEL);
  EXPECT_FALSE(d->isVisible());
  // A vehicle count left by a former activity is something entered, though this dialog hides it.
  ai::Vehicles.set(record.data(), 3.0);
  d = Open(ai::kActivityInfoKinds[3].className, record);
  messages.shown.clear();
  d->Item<QAbstractButton>(ui::IDCANCEL)->setFocus();
  Press(*d, ui::IDCANCEL);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R010")});
  EXPECT_TRUE(d->isVisible());
  // In one member's view of a household with several, OK closes as cancelled.
  qxtest::MemberView spouse(3, {1, 1, 1, 0, 0});
  d = Open(General().className, Complete(General()));
  Press(*d, ui::IDOK);
  EXPECT_EQ(d->result(), ui::IDCANCEL);
}

// The five dialogs laid out in Castellano and Catalan.
class ActivityInformationRender : public annextest::LanguageTest {};

TEST_P(ActivityInformationRender, EveryDialogFitsItsTexts) {
  for (const ai::Kind& k : ai::kActivityInfoKinds) {
    std::unique_ptr<ui::IAnnexDialog> d = ui::CreateAnnexDialog(k.className, {});
    ASSERT_NE(d, nullptr);
    d->Dialog().EnsureCreated();
    annextest::CheckLayout(d->Dialog(), QStringLiteral("infactividad%1").arg(k.templateId), GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ActivityInformationRender, ::testing::Values('e', 'c'));

}  // namespace
