// The records of one activity: fixed blocks whose texts are zero-terminated and cut to their width.
#include <gtest/gtest.h>

#include "modules/module_data.h"

namespace {

using namespace modules;

TEST(ActivityRecords, ActivityFieldsRoundTrip) {
  CDatosIae a;
  a.SetIdIae(143);
  a.SetCodSector(std::string(40, 'S'));
  a.SetDescripcio("Comercio de prueba \xD1");  // cp1252 N with tilde
  a.SetEpigrafe("659.4xyz");
  a.SetIvaOp(-3);
  EXPECT_EQ(a.IdIae(), 143.0);
  EXPECT_EQ(a.CodSector(), std::string(32, 'S'));
  EXPECT_EQ(a.Descripcio(), "Comercio de prueba \xD1");
  EXPECT_EQ(a.Epigrafe(), "659.4");
  EXPECT_EQ(a.IvaOp(), -3);
  // The bytes are where the layout puts them, and every text ends in a zero.
  EXPECT_EQ(a.Bytes()[mods::iae::CodSector.off + 32], 0);
  EXPECT_EQ(a.Bytes()[mods::iae::Epigrafe.off + 5], 0);
  EXPECT_EQ(a.Bytes()[mods::iae::IvaOp.off], 0xFD);
  a.SetCodSector("64");
  EXPECT_EQ(a.CodSector(), "64");  // a shorter text leaves no trace of the longer one
  EXPECT_EQ(a.Bytes()[mods::iae::CodSector.off + 5], 0);
}

TEST(ActivityRecords, ModuleFieldsRoundTrip) {
  CModulo m;
  m.SetIdModulo(5);
  m.SetImporte(40.5);
  m.SetText(mods::modulo::DesLarga, std::string(60, 'L'));
  m.SetText(mods::modulo::DesCorta, "Superficie del local");
  m.SetText(mods::modulo::DesA15, "SUPERFICIE DEL LOCAL");
  m.SetText(mods::modulo::UniLarga, "Metro cuadrado");
  m.SetText(mods::modulo::UniCorta, "m2");
  EXPECT_EQ(m.IdModulo(), 5.0);
  EXPECT_EQ(m.Importe(), 40.5);
  EXPECT_EQ(m.DesLarga(), std::string(43, 'L'));
  EXPECT_EQ(m.DesCorta(), "Superficie del local");
  EXPECT_EQ(m.DesA15(), "SUPERFICIE DEL ");
  EXPECT_EQ(m.UniLarga(), "Metro cuadrado");
  EXPECT_EQ(m.UniCorta(), "m2");
  EXPECT_EQ(m.Bytes()[mods::modulo::UniCorta.off + mods::modulo::UniCorta.width - 1], 0);
}

TEST(ActivityRecords, SetAnswersNothingForAbsentRecords) {
  CDatosMod d;
  EXPECT_FALSE(d.GetIdIae());
  EXPECT_FALSE(d.GetEpigrafe());
  EXPECT_FALSE(d.GetMaxImport());
  EXPECT_FALSE(d.GetCuota());
  EXPECT_FALSE(d.HasModules(kIncomeTaxModules));
  EXPECT_EQ(d.GetModule(kVatModules, 0), nullptr);
  d.irpf = std::make_unique<CDatosIrpf>();
  d.irpf->modules.emplace(2);
  EXPECT_TRUE(d.HasModules(kIncomeTaxModules));
  EXPECT_EQ(d.GetModuleCount(kIncomeTaxModules), 2);
  EXPECT_EQ(d.GetModule(kIncomeTaxModules, -1), nullptr);
  EXPECT_EQ(d.GetModule(kIncomeTaxModules, 2), nullptr);
  d.Clear();
  EXPECT_FALSE(d.irpf);
}

}  // namespace
