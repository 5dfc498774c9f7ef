// A chosen business activity carried into a row of section E4, and the yield the calculation
// library computes for it.
#include <vector>

#include "blocks/form100.h"
#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "modules/activity_rows.h"
#include "modules/module_db.h"
#include "modules_fixture.h"
#include "platform/strings.h"
#include "tallyvex.h"

namespace {

using namespace modules;
namespace e4 = f100::sec_e4;
namespace mod = f100::sec_e4::module;

class CarryIntoE4 : public modtest::ModulesDbTest {
 protected:
  CarryIntoE4() : section(f100::SectionE4.size, 0) {}
  CDatosMod Chosen(double id, std::string_view epigraph) {
    CDatosMod d;
    LoadActivityModules(conn(), ModuleTableSet::ForLanguage('e'), kBusinessRegime, id, epigraph, d);
    return d;
  }
  unsigned char* row() { return section.data(); }
  std::vector<unsigned char> section;
};

TEST_F(CarryIntoE4, ShopkeeperRowAndItsYield) {
  platform::SetLanguage('e');
  e4::Holder.set(row(), 2);
  ASSERT_EQ(WriteBusinessActivity(Chosen(30, "647.1"), row()), kRowWritten);
  EXPECT_EQ(e4::Epigraph.raw(row()), "647.1");
  EXPECT_EQ(e4::Activity.get(row()), 30);
  EXPECT_EQ(e4::Label.str(row()), "");
  EXPECT_EQ(e4::ExcessThreshold.get(row()), 20000.0);
  EXPECT_EQ(e4::moduleKind(0, 0).get(row()), 1);
  EXPECT_EQ(e4::moduleText(mod::ShortName, 0, 0).raw(row()), std::string("Personal asalariado") + std::string(5, '\0'));
  EXPECT_EQ(e4::moduleText(mod::Description15, 0, 1).raw(row()), "PERS.NO ASALAR.");
  EXPECT_EQ(e4::moduleField(mod::AmountPerUnit, 0, 2).get(row()), 40.5);
  EXPECT_EQ(e4::moduleKind(0, 3).get(row()), 0);
  EXPECT_EQ(e4::SinglePremises.get(row()), 255);
  EXPECT_EQ(e4::HeavyVehicle.get(row()), 255);

  // One non-salaried person and 50 m2, nobody salaried.
  e4::moduleField(mod::Hours1, 0, 1).set(row(), 1800);
  e4::moduleField(mod::Units, 0, 2).set(row(), 50);
  Calculos100E4(section.data());
  EXPECT_DOUBLE_EQ(e4::moduleField(mod::Yield, 0, 1).get(row()), 9000.25);
  EXPECT_DOUBLE_EQ(e4::moduleField(mod::Yield, 0, 2).get(row()), 2025.00);
  EXPECT_DOUBLE_EQ(e4::PreviousNet.get(row()), 11025.25);
  EXPECT_DOUBLE_EQ(e4::ActivityNet.get(row()), 11025.25);
  EXPECT_DOUBLE_EQ(e4::NetYields.get(section.data(), 1), 11025.25);
}

TEST_F(CarryIntoE4, SameChoiceAnotherEpigraphAndAnotherActivity) {
  ASSERT_EQ(WriteBusinessActivity(Chosen(30, "647.1"), row()), kRowWritten);
  EXPECT_EQ(WriteBusinessActivity(Chosen(30, "647.1"), row()), kRowUnchanged);
  EXPECT_EQ(WriteBusinessActivity(Chosen(30, "647.1"), row(), true), kRowWritten);

  e4::moduleField(mod::Units, 0, 2).set(row(), 50);
  e4::StartYear.set(row(), 2003);
  ASSERT_EQ(WriteBusinessActivity(Chosen(30, "647.2"), row()), kRowWritten);
  EXPECT_EQ(e4::Epigraph.raw(row()), "647.2");
  EXPECT_EQ(e4::moduleField(mod::Units, 0, 2).get(row()), 50.0);  // the same activity keeps its units
  EXPECT_EQ(e4::StartYear.get(row()), 2003.0);

  ASSERT_EQ(WriteBusinessActivity(Chosen(143, "659.4"), row()), kRowWritten);
  EXPECT_EQ(e4::Label.str(row()), "QUIOSCOS");
  EXPECT_EQ(e4::moduleField(mod::Units, 0, 2).get(row()), 0.0);  // another activity clears the modules
  EXPECT_EQ(e4::moduleKind(0, 2).get(row()), 0);
  EXPECT_EQ(e4::StartYear.get(row()), 0.0);
  EXPECT_EQ(e4::ExcessThreshold.get(row()), 15000.0);
}

TEST_F(CarryIntoE4, NothingChosenLeavesTheRowAlone) {
  const std::vector<unsigned char> before = section;
  EXPECT_EQ(WriteBusinessActivity(CDatosMod{}, row()), kRowUnchanged);
  EXPECT_EQ(WriteBusinessActivity(Chosen(30, ""), row()), kRowUnchanged);     // no epigraph
  EXPECT_EQ(WriteBusinessActivity(Chosen(30, "6 . "), row()), kRowUnchanged);  // nothing after the first character
  EXPECT_EQ(WriteBusinessActivity(Chosen(50, "651.1"), row()), kRowUnchanged);  // not an income-tax activity
  CDatosMod noPart;
  noPart.iae = std::make_unique<CDatosIae>();
  noPart.iae->SetIdIae(77);
  noPart.iae->SetEpigrafe("699.1");
  EXPECT_EQ(WriteBusinessActivity(noPart, row()), kRowUnchanged);  // no income-tax part: no threshold to take
  noPart.irpf = std::make_unique<CDatosIrpf>();
  noPart.irpf->modules.emplace(e4::kModuleCount + 1);
  EXPECT_EQ(WriteBusinessActivity(noPart, row()), kRowUnchanged);  // more modules than the row holds
  EXPECT_EQ(section, before);
}

TEST(ActivityLabels, ByIdentifierInTheInterfaceLanguage) {
  platform::SetLanguage('e');
  EXPECT_EQ(ActivityLabel(143), "QUIOSCOS");
  EXPECT_EQ(ActivityLabel(85), "POR ENCARGO");
  EXPECT_EQ(ActivityLabel(168), "CALZADO");
  EXPECT_EQ(ActivityLabel(169), "OTROS");
  EXPECT_EQ(ActivityLabel(100), "");
  platform::SetLanguage('c');
  EXPECT_EQ(ActivityLabel(168), "CAL\xC7" "AT");  // cp1252, as the row stores it
  platform::SetLanguage('e');
}

}  // namespace

namespace {

namespace e5 = f100::sec_e5;

class CarryIntoE5 : public modtest::ModulesDbTest {
 protected:
  CarryIntoE5() : row(e5::kRowSize, 0) {}
  CDatosMod Chosen(double id) {
    CDatosMod d;
    LoadActivityModules(conn(), ModuleTableSet::ForLanguage('e'), kAgrarianRegime, id, "", d);
    return d;
  }
  std::vector<unsigned char> row;
};

TEST_F(CarryIntoE5, EmptyRowIsClearedAndItsAnswersLeftOpen) {
  e5::StaffCost.set(row.data(), 500);
  ASSERT_EQ(WriteAgrarianActivity(Chosen(200), row.data()), kRowWritten);
  EXPECT_EQ(e5::Type.get(row.data()), 'A');
  EXPECT_EQ(e5::Activity.get(row.data()), 200);
  EXPECT_EQ(e5::StaffCost.get(row.data()), 0.0);  // no holder yet: the whole row starts again
  for (blocks::U8 a : {e5::OthersMeans, e5::BoughtFeed, e5::Organic, e5::FirstInstallation, e5::LongForestry})
    EXPECT_EQ(a.get(row.data()), 255) << a.off;
}

TEST_F(CarryIntoE5, SameKeyKeepsTheRowAnotherKeyClearsIt) {
  ASSERT_EQ(WriteAgrarianActivity(Chosen(200), row.data()), kRowWritten);
  e5::Holder.set(row.data(), 2);
  e5::StaffCost.set(row.data(), 500);
  e5::Organic.set(row.data(), 1);
  ASSERT_EQ(WriteAgrarianActivity(Chosen(201), row.data()), kRowWritten);  // key "AB": still 'A'
  EXPECT_EQ(e5::Activity.get(row.data()), 201);
  EXPECT_EQ(e5::StaffCost.get(row.data()), 500.0);
  EXPECT_EQ(e5::Organic.get(row.data()), 1);
  ASSERT_EQ(WriteAgrarianActivity(Chosen(202), row.data()), kRowWritten);
  EXPECT_EQ(e5::Type.get(row.data()), 'B');
  EXPECT_EQ(e5::Holder.get(row.data()), 0);
  EXPECT_EQ(e5::StaffCost.get(row.data()), 0.0);
  EXPECT_EQ(e5::Organic.get(row.data()), 255);
  const std::vector<unsigned char> before = row;
  EXPECT_EQ(WriteAgrarianActivity(CDatosMod{}, row.data()), kRowUnchanged);
  EXPECT_EQ(row, before);
}

TEST_F(CarryIntoE5, ProductNamesAndNetYieldIndices) {
  std::string name;
  ASSERT_TRUE(ReadProductDescription(conn(), 'e', 3, name));
  EXPECT_EQ(name, "Producto tres de prueba");
  EXPECT_FALSE(ReadProductDescription(conn(), 'e', 2, name));
  EXPECT_FALSE(ReadProductDescription(conn(), 'c', 3, name));  // the Catalan table has no rows here
  EXPECT_EQ(NetYieldIndex(conn(), 200, 3), 0.26);
  EXPECT_EQ(NetYieldIndex(conn(), 201, 3), 0.5);
  EXPECT_EQ(NetYieldIndex(conn(), 201, 1), 0.0);
  EXPECT_TRUE(modtest::ModulesDbTest::db_->reporter.errors.empty());
}

}  // namespace
