// Reading the modules database: the names of its tables in the interface language, the
// activity regimes that restrict which activities are offered, and the loading of one activity
// with its modules into a CDatosMod. Nothing here writes to the database.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "data/db/ado.h"
#include "modules/module_data.h"

namespace modules {

// The nine tables the activity selection works with, in this order.
struct ModuleTableSet {
  enum Index { kActivities, kDescriptions, kEpigraphs, kLimits, kPercentages, kVatModules, kIncomeTaxModules,
               kDefinitions, kMinimumQuotas, kCount };
  std::array<std::string, kCount> names;
  const std::string& operator[](Index i) const { return names[i]; }

  // The names without language letter, as a selection dialog starts with.
  static ModuleTableSet Plain();
  // The variants of an interface language ("e", "c", "g" or "v"; anything else reads Castellano).
  static ModuleTableSet ForLanguage(char language);
};

// Upper-case letter of the language variant of the activities, descriptions and definitions
// tables: C, G or V for "c", "g" and "v", E for any other setting.
char ModuleTableLetter(char language);
// The agricultural products table: "produc_" and the language letter as the setting holds it.
std::string ProductTableName(char language);

// Activity regimes (0 to 6): which activities are offered and which module parts are loaded.
enum ActivityRegime : int {
  kRegimeAll = 0,
  kRegimeVat = 1,
  kRegimeIncomeTaxOrVatModules = 2,
  kRegimeIncomeTax = 3,
  kRegimeAgrarianVat = 4,
  kRegimeAgrarianIncomeTax = 5,
  kRegimeAgrarianModules = 6,
};
inline constexpr int kBusinessRegime = kRegimeIncomeTax;
inline constexpr int kAgrarianRegime = kRegimeAgrarianIncomeTax;

// The filter of a regime on the activities table (every row for 0 and for unknown codes).
db::Filter RegimeFilter(int regime);
// The same test on a row's six flags; 0 accepts every row, an unknown code none.
bool MatchesRegime(int regime, bool modAgr, bool irpf, bool modIva, bool iva, bool ivaAgr, bool irpfAgr);
// Whether a regime loads the income-tax part (2, 3, 5) or the VAT part (1, 2, 4, 6).
bool LoadsIncomeTax(int regime);
bool LoadsVat(int regime);

// The epigraph for which no VAT data is loaded.
inline constexpr std::string_view kEpigraphWithoutVat = "642.4";

// Fills `out` with the activity `id` and the epigraph chosen for it (its first five characters).
// Every table or row missing leaves its record absent. Texts are converted to the single-byte
// code page of the declaration and cut to what each record holds.
void LoadActivityModules(db::CAdoConnection* connection, const ModuleTableSet& tables, int regime, double id,
                         std::string_view epigraph, CDatosMod& out);

// The first description row of an activity (UTF-8), or nothing.
bool ReadActivityDescription(db::CAdoConnection* connection, const ModuleTableSet& tables, double id,
                             std::string& out);

// The name of agricultural product `product` in the interface language (UTF-8), or nothing.
bool ReadProductDescription(db::CAdoConnection* connection, char language, int product, std::string& out);
// The net-yield index of a product in an agricultural activity; 0 when the table has none.
double NetYieldIndex(db::CAdoConnection* connection, int activity, int product);

}  // namespace modules
