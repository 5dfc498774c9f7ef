// A chosen business activity carried into a row of section E4, and the yield the calculation
// library computes for it.
#include <vector>

#include "blocks/form100.h"
#include "blocks/form100_e4.h"
#include "modules/e4_activity.h"
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
