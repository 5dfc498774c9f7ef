// The module value dialogs and the product yield dialogs on fixture records, typed into with real
// keys: what each works out, its checks, OK writes exactly its fields, Cancel leaves the bytes.
// Then the two box editors that open them.
#include <algorithm>
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTest>

#include <functional>
#include <vector>

#include "blocks/family_entries.h"
#include "blocks/form100.h"
#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "modules/agrarian_product_edit.h"
#include "modules/module_value_dlgs.h"
#include "modules/module_value_edit.h"
#include "modules/product_yield_dlgs.h"
#include "modules_fixture.h"
#include "platform/strings.h"
#include "support/member_view.h"
#include "support/ui_helpers.h"
#include "ui/message_source.h"

namespace {

using namespace modules;
namespace mr = module_record;
namespace e4 = f100::sec_e4;
namespace e5 = f100::sec_e5;

using Record = std::vector<std::uint8_t>;

// Runs `d` modally; `script` acts once it is on screen; a dialog left open is cancelled.
int RunModal(CTemplateDlg& d, const std::function<void()>& script) {
  qxtest::WhenModal([&](QWidget*) {
    script();
    if (d.isVisible()) static_cast<QDialog&>(d).reject();
  });
  return d.DoModal();
}

void TypeInto(CTemplateDlg& d, int id, const QString& keys) {
  QWidget* e = d.GetDlgItem(id);
  ASSERT_NE(e, nullptr) << id;
  e->setFocus();
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}

void Press(CTemplateDlg& d, int id) { static_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }

QString Text(const CTemplateDlg& d, int id) {
  if (auto* l = qobject_cast<QLabel*>(d.GetDlgItem(id))) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(d.GetDlgItem(id))) return e->text();
  return {};
}

// A module record as the activity selection leaves it, with a yield per unit and a stale
// detail value where the dialog does not look.
Record ModuleRecord(int kind) {
  Record r(mr::kSize);
  mr::Kind.set(r.data(), static_cast<std::uint8_t>(kind));
  mr::Description15.set(r.data(), "Prueba");
  mr::AmountPerUnit.set(r.data(), 1000.0);
  return r;
}

class ModuleDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetLanguage('e');
    ui::SetMessageSource(qxtest::AuthoredMessages());
  }
  // Opens the dialog on `rec` (season days in byte 144), runs `script`, copies back on OK.
  template <class D>
  int Open(D& d, Record& rec, double season, const std::function<void(D&)>& script) {
    std::memcpy(d.Data(), rec.data(), rec.size());
    mr::SeasonDays.set(d.Data(), season);
    const int r = RunModal(d, [&] { script(d); });
    if (r == ui::IDOK) std::memcpy(rec.data(), d.Data(), rec.size());
    return r;
  }
  qxtest::ScriptedMessages messages;
};

// ------------------------------------------------------------------ by units and days

struct DaysCase {
  const char* name;
  int kind;
  double season;
  const char* units;  // typed into line 1's units
  const char* days;   // typed into line 1's days, or null to leave them to the default
  double expectDays, expectUnits;
};
constexpr DaysCase kDaysCases[] = {
    {"days default to the year", 5, 0, "2", nullptr, 365, 2.00},
    {"days default to the season", 5, 120, "3", nullptr, 120, 0.98},
    {"square decimetres by the hundred", 14, 0, "250", "365", 365, 2.50},
    {"season days themselves are accepted", 6, 100, "4", "100", 100, 1.09},
};

TEST_F(ModuleDialogs, UnitsAndDaysGiveTheYearlyAverageAndOkWritesOnlyItsFields) {
  for (const DaysCase& c : kDaysCases) {
    Record rec = ModuleRecord(c.kind);
    const Record before = rec;
    CVentModulos02Dlg d;
    d.SetHolder(doc::kDeclarant);
    d.SetUnitCaptions(QStringLiteral("METROS"));
    const int r = Open<CVentModulos02Dlg>(d, rec, c.season, [&](auto& dlg) {
      EXPECT_EQ(Text(dlg, 1924), "METROS");
      EXPECT_EQ(Text(dlg, CDaysDlgBase::kUnitsLabel).contains("DM2/100"), c.kind == 14) << c.name;
      TypeInto(dlg, 1711, QString::fromLatin1(c.units));
      if (c.days) TypeInto(dlg, 1712, QString::fromLatin1(c.days));
      Press(dlg, ui::IDOK);
    });
    ASSERT_EQ(r, ui::IDOK) << c.name;
    EXPECT_TRUE(messages.Codes().empty()) << c.name;
    Record expected = before;
    mr::Detail(0).set(expected.data(), QString::fromLatin1(c.units).toDouble());
    mr::Detail(1).set(expected.data(), c.expectDays);
    mr::Units.set(expected.data(), c.expectUnits);
    mr::SeasonDays.set(expected.data(), c.season);
    EXPECT_EQ(rec, expected) << c.name;
  }
}

// The declarant who died on 15 March 2003 worked 74 days of the year at most; the spouse's
// activity keeps the whole year.
TEST_F(ModuleDialogs, DaysBeyondTheDeclarantsLifeAreRefusedButNotTheSpouses) {
  qxtest::PublishedDeclaration published;
  std::span<std::uint8_t> declaration = published.Model().Block();
  f100::wizard_personal::DeclarantDeath.set(declaration.data(), "15032003");
  for (std::uint8_t holder : {doc::kDeclarant, doc::kSpouse}) {
    messages.shown.clear();
    Record rec = ModuleRecord(5);
    CVentModulos02Dlg d;
    d.SetHolder(holder);
    Open<CVentModulos02Dlg>(d, rec, 0, [&](auto& dlg) {
      TypeInto(dlg, 1711, "1");
      EXPECT_EQ(Text(dlg, 1712), holder == doc::kDeclarant ? "74" : "365");
      dlg.GetDlgItem(1712)->setFocus();
      QTest::keyClick(dlg.GetDlgItem(1712), Qt::Key_Backspace);
      QTest::keyClick(dlg.GetDlgItem(1712), Qt::Key_Backspace);
      QTest::keyClick(dlg.GetDlgItem(1712), Qt::Key_Backspace);
      TypeInto(dlg, 1712, "80");
      EXPECT_EQ(dlg.MaxDays(), holder == doc::kDeclarant ? 74 : 365);
      Press(dlg, ui::IDOK);
    });
    EXPECT_EQ(messages.Codes(), holder == doc::kDeclarant ? std::vector<QString>{"100R118"} : std::vector<QString>{});
    EXPECT_DOUBLE_EQ(mr::Detail(1).get(rec.data()), 80) << "the days stay as typed; OK is not blocked";
  }
}

TEST_F(ModuleDialogs, SeatsAndTablesAndTheirCancel) {
  {
    Record rec = ModuleRecord(20);
    CVentModulos03Dlg d;
    d.SetHolder(doc::kSpouse);
    d.SetUnitCaptions(QStringLiteral("PLAZAS"));
    Open<CVentModulos03Dlg>(d, rec, 0, [&](auto& dlg) {
      TypeInto(dlg, 1722, "73");  // line 4: its days, then its units
      TypeInto(dlg, 1720, "10");
      Press(dlg, ui::IDOK);
    });
    EXPECT_DOUBLE_EQ(mr::Detail(6).get(rec.data()), 10);
    EXPECT_DOUBLE_EQ(mr::Units.get(rec.data()), 2.0);  // 10 x 73 / 365
  }
  {
    Record rec = ModuleRecord(4);
    CMesasDlg d;
    d.SetHolder(doc::kDeclarant);
    d.SetUnitCaptions(QStringLiteral("CAPACIDAD"), QStringLiteral("MESAS"));
    Open<CMesasDlg>(d, rec, 0, [&](auto& dlg) {
      EXPECT_EQ(Text(dlg, 2016), "CAPACIDAD");
      EXPECT_EQ(Text(dlg, 2018), "MESAS");
      TypeInto(dlg, 1711, "4");
      TypeInto(dlg, 1712, "10");  // leaving the tables fills the days
      EXPECT_EQ(Text(dlg, 1714), "365");
      Press(dlg, ui::IDOK);
    });
    EXPECT_DOUBLE_EQ(mr::Units.get(rec.data()), 10.0);  // 365 / 365 x 4 x 0.25 x 10
  }
  for (int kind : {5, 20, 4}) {
    Record rec = ModuleRecord(kind);
    const Record before = rec;
    std::unique_ptr<CDaysDlgBase> d;
    if (kind == 5) {
      d = std::make_unique<CVentModulos02Dlg>();
    } else if (kind == 20) {
      d = std::make_unique<CVentModulos03Dlg>();
    } else {
      d = std::make_unique<CMesasDlg>();
    }
    std::memcpy(d->Data(), rec.data(), rec.size());
    RunModal(*d, [&] {
      TypeInto(*d, 1711, "7");
      Press(*d, ui::IDCANCEL);
    });
    EXPECT_EQ(rec, before) << kind;
  }
}

TEST_F(ModuleDialogs, DistanceInKilometresOrKilowattHours) {
  for (int kind : {12, 3}) {
    Record rec = ModuleRecord(kind);
    mr::Detail(5).set(rec.data(), 9.0);  // old detail beyond the two values goes
    CDistanciaRecorridaDlg d;
    d.SetKind(kind);
    const int r = Open<CDistanciaRecorridaDlg>(d, rec, 0, [&](auto& dlg) {
      EXPECT_EQ(Text(dlg, CDistanciaRecorridaDlg::kValueLabel), kind == 3 ? "Kw consumidos" : "Kilómetros recorridos");
      EXPECT_FALSE(dlg.GetDlgItem(CDistanciaRecorridaDlg::kUnits)->isEnabled());
      dlg.GetDlgItem(CDistanciaRecorridaDlg::kValue)->setFocus();
      QTest::keyClicks(dlg.GetDlgItem(CDistanciaRecorridaDlg::kValue), "1234");
      EXPECT_EQ(Text(dlg, CDistanciaRecorridaDlg::kUnits), kind == 3 ? "12,34" : "1,23") << "follows the typing";
      Press(dlg, ui::IDOK);
    });
    ASSERT_EQ(r, ui::IDOK);
    Record expected = ModuleRecord(kind);
    const double units = kind == 3 ? 12.34 : 1.23;
    mr::Detail(0).set(expected.data(), 1234);
    mr::Detail(1).set(expected.data(), units);
    mr::Units.set(expected.data(), units);
    EXPECT_EQ(rec, expected) << kind;
  }
}

// ------------------------------------------------------------------ staff

TEST_F(ModuleDialogs, SalariedStaffFromTheHoursOfOneOrTwoYears) {
  struct Case {
    bool twoYears;
    double agreement;  // 0: none given
    const char* over19;
    const char* under19;
    double units;
  };
  for (const Case& c : {Case{false, 0, "3600", nullptr, 2.0}, Case{false, 0, "1800", "900", 1.3},
                        Case{true, 1750, "2000", nullptr, 1.14}}) {
    Record rec = ModuleRecord(1);
    mr::Detail(2).set(rec.data(), c.agreement);
    mr::Detail(3).set(rec.data(), 1700);  // hours of 2002
    std::unique_ptr<ui::CAnnexDlg> d;
    if (c.twoYears) d = std::make_unique<CVentModulos05Dlg>();
    else d = std::make_unique<CVentModulos01Dlg>();
    std::memcpy(d->Data(), rec.data(), rec.size());
    RunModal(*d, [&] {
      EXPECT_EQ(CDoubleEdit::ParseAmountText(Text(*d, 1714)), c.agreement ? c.agreement : 1800)
          << "no agreement hours stand for 1800";
      if (c.under19) TypeInto(*d, 1712, QString::fromLatin1(c.under19));
      TypeInto(*d, 1711, QString::fromLatin1(c.over19));
      Press(*d, ui::IDOK);
    });
    ASSERT_EQ(d->result(), ui::IDOK);
    std::memcpy(rec.data(), d->Data(), rec.size());
    EXPECT_NEAR(mr::Units.get(rec.data()), c.units, 1e-12);
    EXPECT_EQ(mr::Detail(3).get(rec.data()), c.twoYears ? 1700 : 0) << "one year's dialog drops the 2002 hours";
  }
}

TEST_F(ModuleDialogs, NonSalariedStaffHalvesTheFamilysHoursOfASmallBusiness) {
  struct Case {
    std::uint8_t holder;
    double maxEmployees;
    const char *holderHours, *spouseHours;
    double units;
  };
  for (const Case& c : {Case{2, 1, "1800", "900", 1.25}, Case{2, 2, "1800", "900", 1.5},
                        Case{2, 1, "1700", "900", 1.44}, Case{4, 1, "900", nullptr, 0.5}}) {
    Record rec = ModuleRecord(2);
    if (c.holder == 4) mr::Detail(1).set(rec.data(), 500);  // a child's activity has no spouse's hours
    CPersonalNoAsalariadoDlg d;
    d.SetActivity(c.holder, c.maxEmployees, {1, 1, 1, 1, 0});
    Open<CPersonalNoAsalariadoDlg>(d, rec, 0, [&](auto& dlg) {
      EXPECT_EQ(dlg.GetDlgItem(CPersonalNoAsalariadoDlg::kSpouse)->isEnabled(), c.holder != 4);
      if (c.spouseHours) TypeInto(dlg, CPersonalNoAsalariadoDlg::kSpouse, QString::fromLatin1(c.spouseHours));
      EXPECT_TRUE(Text(dlg, CPersonalNoAsalariadoDlg::kHint).isEmpty()) << "entering a field hides the hint";
      TypeInto(dlg, CPersonalNoAsalariadoDlg::kHolder, QString::fromLatin1(c.holderHours));
      Press(dlg, ui::IDOK);
    });
    EXPECT_DOUBLE_EQ(mr::Units.get(rec.data()), c.units);
    EXPECT_DOUBLE_EQ(mr::Detail(1).get(rec.data()), c.spouseHours ? 900 : 0);
  }
  Record rec = ModuleRecord(2);
  CPersonalNoAsalariadoDlg d;
  d.SetActivity(2, 1, {1, 1, 0, 0, 0});
  Open<CPersonalNoAsalariadoDlg>(d, rec, 0, [&](auto& dlg) {
    TypeInto(dlg, CPersonalNoAsalariadoDlg::kHolder, "2000");
    EXPECT_EQ(Text(dlg, CPersonalNoAsalariadoDlg::kHolder), "");
    EXPECT_TRUE(dlg.GetDlgItem(CPersonalNoAsalariadoDlg::kHolder)->hasFocus());
    Press(dlg, ui::IDOK);
  });
  EXPECT_EQ(messages.Codes(), std::vector<QString>{"100R136"});
  EXPECT_EQ(mr::Detail(0).get(rec.data()), 0);
}

// ------------------------------------------------------------------ product yields

class ProductDialogs : public ModuleDialogs {};

TEST_F(ProductDialogs, LinesYieldIncomeTimesIndexAndOkClearsTheIndexesWithoutYield) {
  // Product 2: the database's index on line 1; a reduced index typed on line 2.
  Record rec(CRestoProductosDlg::kRecordSize);
  CRestoProductosDlg d;
  std::memcpy(d.Data(), rec.data(), rec.size());
  d.SetNetYieldIndex(0.13);
  d.SetProduct(2);
  RunModal(d, [&] {
    EXPECT_FALSE(d.GetDlgItem(655)->isEnabled()) << "the database's index cannot be changed";
    TypeInto(d, 1809, "1000");
    TypeInto(d, 701, "0,2");
    TypeInto(d, 1820, "333,33");
    TypeInto(d, 768, "0,333");
    EXPECT_EQ(Text(d, 877), "130,00");
    EXPECT_EQ(Text(d, 974), "111,00");
    Press(d, ui::IDOK);
  });
  ASSERT_EQ(d.result(), ui::IDOK);
  std::memcpy(rec.data(), d.Data(), rec.size());
  Record expected(CRestoProductosDlg::kRecordSize);
  blocks::F64{0}.set(expected.data(), 1000);
  blocks::F64{8}.set(expected.data(), 0.13);
  blocks::F64{16}.set(expected.data(), 130);
  blocks::F64{48}.set(expected.data(), 333.33);
  blocks::F64{56}.set(expected.data(), 0.333);
  blocks::F64{64}.set(expected.data(), 111);
  blocks::F64{72}.set(expected.data(), 241);
  EXPECT_EQ(rec, expected) << "line 2 has no yield: its index goes";
}

TEST_F(ProductDialogs, AnIndexOfOneIsRefused) {
  CRestoProductosDlg d;
  RunModal(d, [&] {
    TypeInto(d, 701, "1");
    EXPECT_EQ(Text(d, 701), "");
    Press(d, ui::IDCANCEL);
  });
  EXPECT_EQ(messages.Codes(), std::vector<QString>{"WIN028"});
}

TEST_F(ProductDialogs, ProductOneClearsTheDatabaseIndexesOfGroupsWithoutIncome) {
  CProducto1Dlg d;
  d.SetNetYieldIndex(0.2);
  RunModal(d, [&] {
    TypeInto(d, 1869, "500");
    EXPECT_EQ(Text(d, 751), "100,00");
    Press(d, ui::IDOK);
  });
  EXPECT_EQ(blocks::F64{8}.get(d.Data()), 0);
  EXPECT_EQ(blocks::F64{56}.get(d.Data()), 0.2);
  EXPECT_EQ(blocks::F64{104}.get(d.Data()), 0);
}

TEST_F(ProductDialogs, LandsAddOwnAndLeasedAndKeyNineShowsTheLeasedBlockOnly) {
  CRestoProductosTierrasDlg lands;
  lands.SetNetYieldIndex(0.5);
  lands.SetProduct(8);
  lands.SetActivity(2);
  RunModal(lands, [&] {
    EXPECT_TRUE(Text(lands, CProductYieldDlgBase::kHint).isEmpty()) << "activity 2 has no reduced rice index";
    TypeInto(lands, 1413, "100");
    TypeInto(lands, 1815, "300");
    EXPECT_EQ(Text(lands, 1422), "50,00");
    EXPECT_EQ(Text(lands, 1022), "150,00");
    EXPECT_EQ(Text(lands, 1018), "200,00");
    Press(lands, ui::IDCANCEL);
  });
  CRestoProductosClave9Dlg key9;
  Record rec(CRestoProductosClave9Dlg::kRecordSize);
  blocks::F64{0}.set(rec.data(), 40);   // own lands: kept, not shown
  blocks::F64{72}.set(rec.data(), 7);
  std::memcpy(key9.Data(), rec.data(), rec.size());
  key9.SetNetYieldIndex(0.5);
  RunModal(key9, [&] {
    TypeInto(key9, 1809, "300");
    EXPECT_EQ(Text(key9, 1018), "150,00");
    Press(key9, ui::IDOK);
  });
  EXPECT_EQ(blocks::F64{0}.get(key9.Data()), 40);
  EXPECT_EQ(blocks::F64{8}.get(key9.Data()), 0) << "the first block's index goes: it has no yield";
  EXPECT_EQ(blocks::F64{72}.get(key9.Data()), 7);
  EXPECT_EQ(blocks::F64{96}.get(key9.Data()), 150);
  EXPECT_EQ(blocks::F64{152}.get(key9.Data()), 0) << "the block total is not touched";
  EXPECT_EQ(blocks::F64{160}.get(key9.Data()), 150);
}

// ------------------------------------------------------------------ the module units edit

// An activity row of the open declaration with one module; the box over its units.
class ModuleEdit : public ModuleDialogs {
 protected:
  void SetUp() override {
    ModuleDialogs::SetUp();
    row()[0] = doc::kDeclarant;
  }
  std::uint8_t* row() { return f100::record(declaration.data(), f100::SectionE4); }
  std::uint8_t* module() { return row() + e4::kModules; }
  std::unique_ptr<CModsEmpreEdit> Make(int kind) {
    mr::Kind.set(module(), static_cast<std::uint8_t>(kind));
    mr::Description15.set(module(), "Modulo prueba");
    mr::AmountPerUnit.set(module(), 1000.0);
    binding = {module(), 0, 0};
    box.StrValidac = "M12.2";
    box.ApplyFormatSpec();
    box.data = module() + mr::Units.off;
    box.option = &binding;
    auto e = std::make_unique<CModsEmpreEdit>(&box);
    e->show();
    e->setFocus();
    e->LoadFromData(0);
    return e;
  }
  qxtest::PublishedDeclaration published_;
  std::span<std::uint8_t> declaration = published_.Model().Block();
  ModuleBoxBinding binding;
  CBoxField box;

 private:
};

TEST_F(ModuleEdit, EachKindOpensItsDialog) {
  struct Case {
    int kind;
    std::uint8_t staffIncrease;
    const char* dialog;  // null: none
  };
  for (const Case& c : {Case{1, 0, "CVentModulos01Dlg"}, Case{15, 1, "CVentModulos05Dlg"}, Case{16, 255, "CVentModulos01Dlg"},
                        Case{2, 0, "CPersonalNoAsalariadoDlg"}, Case{3, 0, "CDistanciaRecorridaDlg"},
                        Case{12, 0, "CDistanciaRecorridaDlg"}, Case{4, 0, "CMesasDlg"}, Case{14, 0, "CVentModulos02Dlg"},
                        Case{61, 0, "CVentModulos03Dlg"}, Case{22, 0, nullptr}}) {
    e4::StaffIncreased.set(row(), c.staffIncrease);
    auto e = Make(c.kind);
    QString opened;
    if (c.dialog) {
      qxtest::WhenModal([&](QWidget* w) {
        opened = QString::fromLatin1(w->metaObject()->className()).section("::", -1);
        EXPECT_EQ(w->windowTitle(), "Modulo prueba");
        static_cast<QDialog*>(w)->reject();
      });
    }
    QTest::keyClick(e.get(), Qt::Key_F7);
    EXPECT_EQ(opened, c.dialog ? QString::fromLatin1(c.dialog) : QString()) << c.kind;
    if (!c.dialog) {
      EXPECT_EQ(e->Kind(), -1) << "a kind without dialog becomes a plain units box";
    }
  }
}

TEST_F(ModuleEdit, OkBringsTheRecordBackAndCancelLeavesIt) {
  for (bool ok : {false, true}) {
    auto e = Make(1);
    const std::vector<std::uint8_t> before(declaration.begin(), declaration.end());
    qxtest::WhenModal([&](QWidget* w) {
      auto* d = dynamic_cast<CVentModulos01Dlg*>(w);
      ASSERT_NE(d, nullptr);
      TypeInto(*d, CVentModulos01Dlg::kOver19, "3600");
      Press(*d, ok ? ui::IDOK : ui::IDCANCEL);
    });
    QTest::keyClick(e.get(), Qt::Key_5);  // any key opens the staff dialog
    if (!ok) {
      EXPECT_TRUE(std::ranges::equal(declaration, before));
      continue;
    }
    EXPECT_DOUBLE_EQ(mr::Units.get(module()), 2.0);
    EXPECT_DOUBLE_EQ(mr::Detail(0).get(module()), 3600);
    EXPECT_EQ(e->text(), "2");
    EXPECT_TRUE(e->IsModifiedEx()) << "leaving the box commits it";
  }
}

TEST_F(ModuleEdit, TypedUnitsClearTheDetailAndDeleteEmptiesADialogsModule) {
  auto typed = Make(5);
  mr::Detail(0).set(module(), 7);
  mr::Detail(11).set(module(), 7);
  QTest::keyClicks(typed.get(), "3");
  typed->StoreToData();  // as leaving the box does
  for (int i = 0; i < 12; ++i) EXPECT_EQ(mr::Detail(i).get(module()), 0) << i;
  EXPECT_EQ(mr::AmountPerUnit.get(module()), 1000.0);
  EXPECT_EQ(mr::Units.get(module()), 3.0);

  auto dm2 = Make(14);
  mr::Units.set(module(), 2.5);
  mr::Yield.set(module(), 2500);
  mr::Detail(0).set(module(), 250);
  dm2->LoadFromData(0);
  QTest::keyClick(dm2.get(), Qt::Key_Delete);
  EXPECT_EQ(mr::Units.get(module()), 0);
  EXPECT_EQ(mr::Yield.get(module()), 0);
  EXPECT_EQ(mr::Detail(0).get(module()), 0);
  EXPECT_EQ(dm2->text(), "");
}

TEST_F(ModuleEdit, APlainUnitsBoxRefusesDeleteInTheSpousesView) {
  qxtest::MemberView view(doc::kSpouse, {1, 1, 1, 0, 0});
  auto e = Make(40);  // no kind
  mr::Units.set(module(), 4);
  e->LoadFromData(1);
  QTest::keyClick(e.get(), Qt::Key_Delete);
  EXPECT_EQ(messages.Codes(), std::vector<QString>{"100R025"});
  EXPECT_EQ(mr::Units.get(module()), 4);
}

// ------------------------------------------------------------------ the product edit

class ProductEdit : public modtest::ModulesDbTest {
 protected:
  void SetUp() override {
    platform::SetLanguage('e');
    ui::SetMessageSource(qxtest::AuthoredMessages());
  }
  std::uint8_t* row() { return declaration.data(); }
  // A product box of the first row of the section (the row as the page holds it).
  std::unique_ptr<CAgrarianProductEdit> Make(char key, int activity, int product) {
    e5::Type.set(row(), static_cast<std::uint8_t>(key));
    e5::Activity.set(row(), activity);
    const std::size_t group = e5::kGroupTable[static_cast<std::size_t>(product - 1)].off;
    binding = {row() + group + 8, 0, product};
    box.StrValidac = "M12*1.2";
    box.ApplyFormatSpec();
    box.data = row() + group;
    box.option = &binding;
    parent.resize(400, 200);
    auto e = std::make_unique<CAgrarianProductEdit>(&box, conn(), &parent);
    e->setGeometry(300, 10, 80, 20);
    parent.show();
    e->show();
    e->setFocus();
    return e;
  }
  std::vector<std::uint8_t> declaration = std::vector<std::uint8_t>(e5::kRowSize);
  ModuleBoxBinding binding;
  CBoxField box;
  QWidget parent;
  qxtest::ScriptedMessages messages;
};

TEST_F(ProductEdit, AnyKeyOpensTheProductsDialogWithTheDatabaseIndex) {
  struct Case {
    char key;
    int activity, product;
    const char* dialog;
    double index;
  };
  for (const Case& c : {Case{'1', 200, 1, "CProducto1Dlg", 0.13}, Case{'1', 200, 3, "CRestoProductosTierrasDlg", 0.26},
                        Case{'9', 201, 8, "CRestoProductosClave9Dlg", 0}, Case{'1', 200, 2, "CRestoProductosDlg", 0}}) {
    auto e = Make(c.key, c.activity, c.product);
    QString opened, caption;
    double index = -1;
    qxtest::WhenModal([&](QWidget* w) {
      opened = QString::fromLatin1(w->metaObject()->className()).section("::", -1);
      caption = w->windowTitle();
      if (auto* d = dynamic_cast<CProductYieldDlgBase*>(w)) index = blocks::F64{8}.get(d->Data());
      static_cast<QDialog*>(w)->reject();
    });
    QTest::keyClick(e.get(), Qt::Key_7);
    EXPECT_EQ(opened, c.dialog) << c.product;
    EXPECT_EQ(caption, QStringLiteral("PRODUCTO %1").arg(c.product));
    EXPECT_DOUBLE_EQ(index, c.index) << c.product;
    EXPECT_EQ(e->text(), "") << "the key never reaches the text";
  }
}

TEST_F(ProductEdit, ThePopupNamesTheProductAndOkBringsTheDetailBack) {
  auto e = Make('1', 200, 3);
  ASSERT_NE(e->Popup(), nullptr);
  EXPECT_EQ(e->Popup()->Text(), "Producto tres de prueba");
  EXPECT_EQ(e->Popup()->geometry().right(), e->geometry().left() - 1) << "near the right edge: to the lower left";
  qxtest::WhenModal([&](QWidget* w) {
    auto* d = dynamic_cast<CRestoProductosTierrasDlg*>(w);
    ASSERT_NE(d, nullptr);
    TypeInto(*d, 1413, "200");
    Press(*d, ui::IDOK);
  });
  static_cast<QAbstractButton*>(e->Button())->click();
  const std::size_t detail = e5::kGroupTable[2].off + 8;
  EXPECT_DOUBLE_EQ(blocks::F64{detail}.get(row()), 200);
  EXPECT_DOUBLE_EQ(blocks::F64{detail + 16}.get(row()), 52);
  EXPECT_DOUBLE_EQ(blocks::F64{detail + 160}.get(row()), 52);
  QTest::keyClick(e.get(), Qt::Key_Down);  // moves on, opens nothing
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// ------------------------------------------------------------------ layout

// Every caption fits its control in each language; with QX_RENDER_DIR set each dialog is saved as
// a picture there.
TEST(ModuleDialogLayout, CaptionsFitInEveryLanguage) {
  struct Made {
    const char* name;
    std::function<std::unique_ptr<CTemplateDlg>()> make;
  };
  const Made dialogs[] = {
      {"modulos01", [] { return std::make_unique<CVentModulos01Dlg>(); }},
      {"modulos02", [] { return std::make_unique<CVentModulos02Dlg>(); }},
      {"modulos03", [] { return std::make_unique<CVentModulos03Dlg>(); }},
      {"modulos05", [] { return std::make_unique<CVentModulos05Dlg>(); }},
      {"mesas", [] { return std::make_unique<CMesasDlg>(); }},
      {"distancia_recorrida", [] { return std::make_unique<CDistanciaRecorridaDlg>(); }},
      {"personal_no_asalariado", [] { return std::make_unique<CPersonalNoAsalariadoDlg>(); }},
      {"producto1", [] { return std::make_unique<CProducto1Dlg>(); }},
      {"resto_productos", [] { return std::make_unique<CRestoProductosDlg>(); }},
      {"resto_productos_tierras", [] { return std::make_unique<CRestoProductosTierrasDlg>(); }},
  };
  for (char language : {'e', 'c', 'g', 'v'}) {
    platform::SetLanguage(language);
    for (const Made& m : dialogs) {
      std::unique_ptr<CTemplateDlg> d = m.make();
      d->show();
      QApplication::processEvents();
      for (QLabel* l : d->findChildren<QLabel*>()) {
        if (l->text().isEmpty() || !l->isVisible()) continue;
        EXPECT_GE(l->width(), l->minimumSizeHint().width()) << m.name << ": " << l->text().toStdString();
      }
      const QByteArray dir = qgetenv("QX_RENDER_DIR");
      if (!dir.isEmpty() && (language == 'e' || language == 'c')) {
        QDir().mkpath(QString::fromLocal8Bit(dir));
        d->grab().save(QString::fromLocal8Bit(dir) + u'/' + QString::fromLatin1(m.name) + u'_' + QChar(language) +
                       QStringLiteral(".png"));
      }
      d->hide();
    }
  }
  platform::SetLanguage('e');
}

}  // namespace
