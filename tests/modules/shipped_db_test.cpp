// The shipped modules database: every table and column the program reads is there, in the type
// the program reads it as, and the program copes with what the tables hold.
#include "tools/dbsource/dbsource.h"
#include "data/db_fixture.h"
#include "modules/module_db.h"

namespace {

using namespace modules;

class ShippedModules : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(db::BuildDatabaseFromSources(QX_SOURCE_DIR "/resources/db/MODULO03", dir.Path() / "MODULO03.db", &error))
        << error;
    conn.SetReporter(&reporter);
    ASSERT_TRUE(conn.Open((dir.Path() / "MODULO03.db").string(), db::OpenMode::ReadOnly));
  }
  dbtest::TempDir dir;
  db::CAdoConnection conn{"MODULO03"};
  dbtest::CapturingReporter reporter;
};

TEST_F(ShippedModules, ColumnsTheProgramReads) {
  using T = db::FieldType;
  struct Column {
    std::string table;
    const char* column;
    T type;
  };
  std::vector<Column> columns;
  for (char l : {'e', 'c', 'g', 'v'}) {
    const ModuleTableSet t = ModuleTableSet::ForLanguage(l);
    for (const char* c : {"irpf", "iva", "mod_iva", "irpf_agr", "iva_agr", "mod_agr"})
      columns.push_back({t[ModuleTableSet::kActivities], c, T::Boolean});
    columns.push_back({t[ModuleTableSet::kActivities], "id_iae", T::Double});
    columns.push_back({t[ModuleTableSet::kActivities], "cod_sector", T::VarWChar});
    columns.push_back({t[ModuleTableSet::kActivities], "descripcio", T::VarWChar});
    columns.push_back({t[ModuleTableSet::kActivities], "iva_op", T::Integer});
    columns.push_back({t[ModuleTableSet::kDescriptions], "descripcio", T::LongVarWChar});
    for (const char* c : {"des_larga", "des_corta", "des_a_15", "uni_larga", "uni_corta"})
      columns.push_back({t[ModuleTableSet::kDefinitions], c, T::VarWChar});
    columns.push_back({t[ModuleTableSet::kDefinitions], "id_modulo", T::Double});
    columns.push_back({ProductTableName(l), "ID_PRODUCTO", T::Integer});
    columns.push_back({ProductTableName(l), "DESCRIPCION", T::VarWChar});
  }
  const std::vector<Column> shared = {
      {"LISTAMOD", "epigrafe", T::VarWChar}, {"IRPFMOD", "id_iae", T::Integer},  {"IRPFMOD", "id_modulo", T::Double},
      {"IRPFMOD", "importe", T::Double},     {"IRPFMOD", "ORDENMOD", T::Integer}, {"IVAMOD", "id_modulo", T::Double},
      {"IVAMOD", "importe", T::Double},      {"MAXMOD", "max_import", T::Double}, {"MAXMOD", "max_person", T::Integer},
      {"PORMOD", "porcentaje", T::Double},   {"CUOTAMIN", "cuota", T::Double},    {"PRODACT", "ID_IAE", T::Integer},
      {"PRODACT", "ID_PRODUCTO", T::Integer}, {"PRODACT", "INDRTONETO", T::Double}};
  columns.insert(columns.end(), shared.begin(), shared.end());
  for (const Column& c : columns) {
    db::CAdoRecordset rs;
    rs.Open(c.table, &conn);
    ASSERT_TRUE(rs.IsOpen()) << c.table;
    EXPECT_EQ(rs.GetFieldType(c.column), c.type) << c.table << "." << c.column;
  }
  EXPECT_TRUE(reporter.errors.empty());
}

TEST_F(ShippedModules, LoadingAnActivityReadsEveryTableWithoutError) {
  for (char l : {'e', 'c', 'g', 'v'})
    for (int regime : {int(kRegimeIncomeTaxOrVatModules), kBusinessRegime, kAgrarianRegime}) {
      CDatosMod d;
      LoadActivityModules(&conn, ModuleTableSet::ForLanguage(l), regime, 143, "659.4", d);
      std::string text;
      ReadActivityDescription(&conn, ModuleTableSet::ForLanguage(l), 143, text);
    }
  for (const auto& e : reporter.errors) ADD_FAILURE() << e.Text();
}

}  // namespace
