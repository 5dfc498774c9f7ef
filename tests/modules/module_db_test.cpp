// Loading an activity and its modules from the modules database.
#include "modules/module_db.h"
#include "modules_fixture.h"

namespace {

using namespace modules;

class LoadActivity : public modtest::ModulesDbTest {
 protected:
  CDatosMod Load(int regime, double id, std::string_view epigraph, char language = 'e') {
    CDatosMod d;
    LoadActivityModules(conn(), ModuleTableSet::ForLanguage(language), regime, id, epigraph, d);
    return d;
  }
};

TEST_F(LoadActivity, ShopkeeperWithItsIncomeTaxModulesInTheirOrder) {
  const CDatosMod d = Load(kRegimeIncomeTax, 30, "647.1 and more");
  ASSERT_TRUE(d.iae);
  EXPECT_EQ(*d.GetIdIae(), 30.0);
  EXPECT_EQ(*d.GetCodSector(), "647");
  EXPECT_EQ(*d.GetDescripcio(), "Tienda de comestibles de prueba");
  EXPECT_EQ(*d.GetEpigrafe(), "647.1");
  EXPECT_EQ(*d.GetIvaOp(), 2);
  ASSERT_EQ(d.GetModuleCount(kIncomeTaxModules), 3);
  struct Want {
    double id, amount;
    const char *shortName, *a15, *unit;
  };
  const Want want[] = {{1, 1500, "Personal asalariado", "PERS.ASALARIADO", "Persona"},
                       {2, 9000.25, "Personal no asalariado", "PERS.NO ASALAR.", "Persona"},
                       {5, 40.5, "Superficie del local", "SUPERFICIE", "m2"}};
  for (int i = 0; i < 3; ++i) {
    const CModulo* m = d.GetModule(kIncomeTaxModules, i);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->IdModulo(), want[i].id) << i;
    EXPECT_EQ(m->Importe(), want[i].amount) << i;
    EXPECT_EQ(m->DesCorta(), want[i].shortName) << i;
    EXPECT_EQ(m->DesA15(), want[i].a15) << i;  // a longer definition is cut to the 15 the record holds
    EXPECT_EQ(m->UniCorta(), want[i].unit) << i;
  }
  EXPECT_EQ(d.GetModule(kIncomeTaxModules, 3), nullptr);
  EXPECT_EQ(*d.GetMaxImport(), 20000.0);
  EXPECT_EQ(*d.GetMaxPerson(), 2);
  EXPECT_FALSE(d.iva);  // regime 3 loads no VAT part
  EXPECT_FALSE(d.GetCuota());
  EXPECT_EQ(d.GetModuleCount(kVatModules), 0);
  EXPECT_EQ(d.GetModuleCount(7), 0);
  EXPECT_TRUE(modtest::ModulesDbTest::db_->reporter.errors.empty());
}

TEST_F(LoadActivity, BothPartsUnderRegimeTwoButNoVatForEpigraph6424) {
  CDatosMod d = Load(kRegimeIncomeTaxOrVatModules, 30, "647.1");
  ASSERT_TRUE(d.iva);
  ASSERT_EQ(d.GetModuleCount(kVatModules), 2);
  EXPECT_EQ(d.GetModule(kVatModules, 1)->Importe(), -0.25);  // the table's order
  EXPECT_EQ(*d.GetPorcentaje(), 2.0);
  EXPECT_EQ(*d.GetCuota(), 12345678.0);
  EXPECT_EQ(d.GetModuleCount(kIncomeTaxModules), 3);

  d = Load(kRegimeIncomeTaxOrVatModules, 40, "642.4");
  EXPECT_TRUE(d.iae);
  EXPECT_EQ(d.GetModuleCount(kIncomeTaxModules), 2);
  EXPECT_EQ(*d.GetMaxImport(), 18000.0);
  EXPECT_FALSE(d.iva);
  d = Load(kRegimeIncomeTaxOrVatModules, 40, "642.1");
  EXPECT_EQ(*d.GetCuota(), 500.0);
}

TEST_F(LoadActivity, ActivityOutsideTheRegimeStillLoadsItsParts) {
  const CDatosMod d = Load(kRegimeIncomeTax, 50, "651.1");
  EXPECT_FALSE(d.iae);
  EXPECT_FALSE(d.GetIdIae());
  const CDatosMod v = Load(kRegimeVat, 30, "647.1");
  EXPECT_TRUE(v.iae);
  EXPECT_FALSE(v.irpf);
  EXPECT_EQ(v.GetModuleCount(kVatModules), 2);
}

TEST_F(LoadActivity, AmountLimitWithoutModulesGivesAPartWithoutArray) {
  const CDatosMod d = Load(kRegimeIncomeTax, 60, "653.1");
  ASSERT_TRUE(d.irpf);
  EXPECT_FALSE(d.HasModules(kIncomeTaxModules));
  EXPECT_EQ(*d.GetMaxImport(), 12345678.0);
}

TEST_F(LoadActivity, ModuleWithoutDefinitionKeepsEmptyTexts) {
  const CDatosMod d = Load(kRegimeIncomeTaxOrVatModules, 70, "654.1");
  ASSERT_EQ(d.GetModuleCount(kVatModules), 1);
  const CModulo* m = d.GetModule(kVatModules, 0);
  EXPECT_EQ(m->IdModulo(), 99.0);
  EXPECT_EQ(m->Importe(), 12.0);
  EXPECT_EQ(m->DesLarga(), "");
  EXPECT_EQ(m->UniCorta(), "");
}

TEST_F(LoadActivity, LanguageVariantOfTheActivityTable) {
  EXPECT_EQ(*Load(kRegimeIncomeTax, 30, "647.1", 'g').GetDescripcio(), "Tenda de comestibles de proba");
  EXPECT_EQ(*Load(kRegimeIncomeTax, 30, "647.1", 'x').GetDescripcio(), "Tienda de comestibles de prueba");
  std::string text;
  ASSERT_TRUE(ReadActivityDescription(conn(), ModuleTableSet::ForLanguage('g'), 30, text));
  EXPECT_EQ(text, "Descrición longa de proba");
  EXPECT_FALSE(ReadActivityDescription(conn(), ModuleTableSet::ForLanguage('e'), 50, text));
}

TEST_F(LoadActivity, LoadingAgainLeavesOneSetOfRecords) {
  CDatosMod d;
  LoadActivityModules(conn(), ModuleTableSet::ForLanguage('e'), kRegimeIncomeTaxOrVatModules, 30, "647.1", d);
  LoadActivityModules(conn(), ModuleTableSet::ForLanguage('e'), kRegimeIncomeTax, 40, "642.4", d);
  EXPECT_EQ(*d.GetIdIae(), 40.0);
  EXPECT_EQ(d.GetModuleCount(kIncomeTaxModules), 2);
  EXPECT_FALSE(d.iva);
  LoadActivityModules(conn(), ModuleTableSet::ForLanguage('e'), kRegimeIncomeTax, 999, "", d);
  EXPECT_FALSE(d.iae);
  EXPECT_FALSE(d.irpf);
}

TEST(ActivityRegime, FilterAndFlagTestAgree) {
  // Flags in the order mod_agr, irpf, mod_iva, iva, iva_agr, irpf_agr.
  struct Case {
    int regime;
    std::array<bool, 6> flags;
    bool matches;
  };
  const Case cases[] = {
      {0, {0, 0, 0, 0, 0, 0}, true},  {1, {0, 0, 0, 1, 0, 0}, true},  {1, {0, 1, 1, 0, 0, 0}, false},
      {2, {0, 0, 1, 0, 0, 0}, true},  {2, {0, 1, 0, 0, 0, 0}, true},  {2, {0, 0, 0, 1, 0, 0}, false},
      {3, {0, 1, 0, 0, 0, 0}, true},  {3, {0, 0, 1, 1, 0, 0}, false}, {4, {0, 0, 0, 0, 1, 0}, true},
      {5, {0, 0, 0, 0, 0, 1}, true},  {5, {1, 0, 0, 0, 1, 0}, false}, {6, {1, 0, 0, 0, 0, 0}, true},
      {7, {1, 1, 1, 1, 1, 1}, false},
  };
  for (const Case& c : cases) {
    const auto& f = c.flags;
    EXPECT_EQ(MatchesRegime(c.regime, f[0], f[1], f[2], f[3], f[4], f[5]), c.matches) << c.regime;
  }
  EXPECT_TRUE(RegimeFilter(0).Empty());
  EXPECT_TRUE(RegimeFilter(9).Empty());
  EXPECT_FALSE(RegimeFilter(5).Empty());
  EXPECT_TRUE(LoadsIncomeTax(5) && LoadsIncomeTax(2) && !LoadsIncomeTax(1) && !LoadsIncomeTax(0));
  EXPECT_TRUE(LoadsVat(6) && LoadsVat(4) && !LoadsVat(3) && !LoadsVat(8));
}

TEST(ModuleTables, NamesOfTheLanguageVariants) {
  const ModuleTableSet g = ModuleTableSet::ForLanguage('g');
  EXPECT_EQ(g[ModuleTableSet::kActivities], "IAEMOD_G");
  EXPECT_EQ(g[ModuleTableSet::kDescriptions], "EPIMOD_G");
  EXPECT_EQ(g[ModuleTableSet::kDefinitions], "MOD____G");
  EXPECT_EQ(g[ModuleTableSet::kIncomeTaxModules], "IRPFMOD");
  EXPECT_EQ(ModuleTableSet::ForLanguage('v')[ModuleTableSet::kActivities], "IAEMOD_V");
  EXPECT_EQ(ModuleTableSet::ForLanguage('E')[ModuleTableSet::kActivities], "IAEMOD_E");
  EXPECT_EQ(ModuleTableSet::Plain()[ModuleTableSet::kDefinitions], "MOD");
  EXPECT_EQ(ProductTableName('e'), "produc_e");
  EXPECT_EQ(ProductTableName('c'), "produc_c");
}

}  // namespace
