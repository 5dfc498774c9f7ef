#include "modules/module_db.h"

#include "platform/cp1252.h"

namespace modules {

namespace {

// Identifiers are whole numbers; the tables hold them as doubles or integers.
db::Value IdValue(double id) { return static_cast<std::int64_t>(id); }
db::Filter ById(double id) { return db::Filter::Eq("ID_IAE", IdValue(id)); }

bool Flag(db::CAdoRecordset& rs, std::string_view column) {
  std::int32_t v = 0;
  rs.GetInt(column, v);
  return v != 0;
}

std::string Cp(db::CAdoRecordset& rs, std::string_view column) {
  std::string utf8;
  rs.GetText(column, utf8);
  return platform::Utf8ToCp1252(utf8);
}

double Number(db::CAdoRecordset& rs, std::string_view column) {
  double v = 0.0;
  rs.GetDouble(column, v);
  return v;
}

// The module rows of one part, in the order of `rs`, each with the texts of its definition.
std::vector<CModulo> ReadModules(db::CAdoConnection* connection, const ModuleTableSet& tables,
                                 db::CAdoRecordset& rs, double id, bool checkId) {
  db::CAdoRecordset defs;
  const bool haveDefs = defs.Open(tables[ModuleTableSet::kDefinitions], connection);
  std::vector<CModulo> modules;
  for (bool more = true; more && rs.IsNotAtEnd(); more = rs.MoveNext()) {
    if (checkId) {
      std::int32_t rowId = 0;
      rs.GetInt("id_iae", rowId);
      if (rowId != static_cast<std::int32_t>(id)) continue;
    }
    CModulo& m = modules.emplace_back();
    m.SetIdModulo(Number(rs, "id_modulo"));
    m.SetImporte(Number(rs, "importe"));
    if (haveDefs && defs.Find(db::Filter::Eq("id_modulo", m.IdModulo()), true, true)) {
      namespace f = mods::modulo;
      m.SetText(f::DesLarga, Cp(defs, "des_larga"));
      m.SetText(f::DesCorta, Cp(defs, "des_corta"));
      m.SetText(f::DesA15, Cp(defs, "des_a_15"));
      m.SetText(f::UniLarga, Cp(defs, "uni_larga"));
      m.SetText(f::UniCorta, Cp(defs, "uni_corta"));
    }
  }
  return modules;
}

}  // namespace

ModuleTableSet ModuleTableSet::Plain() {
  return {{"IAEMOD", "EPIMOD", "LISTAMOD", "MAXMOD", "PORMOD", "IVAMOD", "IRPFMOD", "MOD", "CUOTAMIN"}};
}

ModuleTableSet ModuleTableSet::ForLanguage(char language) {
  const std::string l(1, ModuleTableLetter(language));
  return {{"IAEMOD_" + l, "EPIMOD_" + l, "LISTAMOD", "MAXMOD", "PORMOD", "IVAMOD", "IRPFMOD", "MOD____" + l,
           "CUOTAMIN"}};
}

char ModuleTableLetter(char language) {
  switch (language) {
    case 'c': return 'C';
    case 'g': return 'G';
    case 'v': return 'V';
    default: return 'E';
  }
}

std::string ProductTableName(char language) { return db::LanguageTableName("produc_x", 7, language); }

db::Filter RegimeFilter(int regime) {
  auto yes = [](const char* column) { return db::Filter::Eq(column, std::int64_t{1}); };
  switch (regime) {
    case kRegimeVat: return yes("iva");
    case kRegimeIncomeTaxOrVatModules: return yes("irpf") || yes("mod_iva");
    case kRegimeIncomeTax: return yes("irpf");
    case kRegimeAgrarianVat: return yes("iva_agr");
    case kRegimeAgrarianIncomeTax: return yes("irpf_agr");
    case kRegimeAgrarianModules: return yes("mod_agr");
    default: return {};
  }
}

bool MatchesRegime(int regime, bool modAgr, bool irpf, bool modIva, bool iva, bool ivaAgr, bool irpfAgr) {
  switch (regime) {
    case kRegimeAll: return true;
    case kRegimeVat: return iva;
    case kRegimeIncomeTaxOrVatModules: return irpf || modIva;
    case kRegimeIncomeTax: return irpf;
    case kRegimeAgrarianVat: return ivaAgr;
    case kRegimeAgrarianIncomeTax: return irpfAgr;
    case kRegimeAgrarianModules: return modAgr;
    default: return false;
  }
}

bool LoadsIncomeTax(int regime) {
  return regime == kRegimeIncomeTaxOrVatModules || regime == kRegimeIncomeTax || regime == kRegimeAgrarianIncomeTax;
}
bool LoadsVat(int regime) {
  return regime == kRegimeVat || regime == kRegimeIncomeTaxOrVatModules || regime == kRegimeAgrarianVat ||
         regime == kRegimeAgrarianModules;
}

void LoadActivityModules(db::CAdoConnection* connection, const ModuleTableSet& tables, int regime, double id,
                         std::string_view epigraph, CDatosMod& out) {
  out.Clear();
  {
    db::CAdoRecordset rs;
    if (rs.Open(tables[ModuleTableSet::kActivities], connection, ById(id)) &&
        MatchesRegime(regime, Flag(rs, "mod_agr"), Flag(rs, "irpf"), Flag(rs, "mod_iva"), Flag(rs, "iva"),
                      Flag(rs, "iva_agr"), Flag(rs, "irpf_agr"))) {
      auto iae = std::make_unique<CDatosIae>();
      iae->SetIdIae(Number(rs, "id_iae"));
      iae->SetCodSector(Cp(rs, "cod_sector"));
      iae->SetDescripcio(Cp(rs, "descripcio"));
      std::int32_t ivaOp = 0;
      rs.GetInt("iva_op", ivaOp);
      iae->SetIvaOp(ivaOp);
      iae->SetEpigrafe(platform::Utf8ToCp1252(epigraph));
      out.iae = std::move(iae);
    }
  }
  if (LoadsIncomeTax(regime)) {
    db::CAdoRecordset rs;
    if (rs.Open(tables[ModuleTableSet::kIncomeTaxModules], connection, ById(id), "ORDENMOD ASC")) {
      out.irpf = std::make_unique<CDatosIrpf>();
      out.irpf->modules = ReadModules(connection, tables, rs, id, true);
    }
    db::CAdoRecordset limits;
    if (limits.Open(tables[ModuleTableSet::kLimits], connection, ById(id))) {
      if (!out.irpf) out.irpf = std::make_unique<CDatosIrpf>();
      out.irpf->max_import = Number(limits, "max_import");
      limits.GetInt("max_person", out.irpf->max_person);
    }
  }
  if (LoadsVat(regime) && epigraph.substr(0, 5) != kEpigraphWithoutVat) {
    db::CAdoRecordset rs;
    if (rs.Open(tables[ModuleTableSet::kVatModules], connection, ById(id))) {
      out.iva = std::make_unique<CDatosIva>();
      out.iva->modules = ReadModules(connection, tables, rs, id, false);
    }
    db::CAdoRecordset pct;
    if (pct.Open(tables[ModuleTableSet::kPercentages], connection, ById(id))) {
      if (!out.iva) out.iva = std::make_unique<CDatosIva>();
      out.iva->porcentaje = Number(pct, "porcentaje");
    }
    db::CAdoRecordset quota;
    if (quota.Open(tables[ModuleTableSet::kMinimumQuotas], connection, ById(id))) {
      if (!out.iva) out.iva = std::make_unique<CDatosIva>();
      out.iva->cuota = Number(quota, "cuota");
    }
  }
}

bool ReadActivityDescription(db::CAdoConnection* connection, const ModuleTableSet& tables, double id,
                             std::string& out) {
  db::CAdoRecordset rs;
  if (!rs.Open(tables[ModuleTableSet::kDescriptions], connection, ById(id), "ID_IAE ASC")) return false;
  rs.GetText("descripcio", out);
  return true;
}

bool ReadProductDescription(db::CAdoConnection* connection, char language, int product, std::string& out) {
  db::CAdoRecordset rs;
  if (!rs.Open(ProductTableName(language), connection, db::Filter::Eq("ID_PRODUCTO", std::int64_t{product})))
    return false;
  rs.GetText("DESCRIPCION", out);
  return true;
}

double NetYieldIndex(db::CAdoConnection* connection, int activity, int product) {
  db::CAdoRecordset rs;
  if (!rs.Open("PRODACT", connection,
               db::Filter::Eq("ID_IAE", std::int64_t{activity}) && db::Filter::Eq("ID_PRODUCTO", std::int64_t{product})))
    return 0.0;
  return Number(rs, "INDRTONETO");
}

}  // namespace modules
