#include "modules/activity_rows.h"

#include <cctype>
#include <cstring>

#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "platform/cp1252.h"
#include "platform/strings.h"

namespace modules {

namespace e4 = f100::sec_e4;
namespace mod = f100::sec_e4::module;

int ActivityLabelStringId(int activity) {
  switch (activity) {
    case 85: return 29;
    case 142: return 30;
    case 143: return 31;
    case 168: return 33;
    case 169: return 32;
    case 227: return 341;
    default: return 0;
  }
}

std::string ActivityLabel(int activity) {
  const int id = ActivityLabelStringId(activity);
  return id ? platform::Utf8ToCp1252(platform::LoadString(id).toStdString()) : std::string();
}

namespace {

bool IsAlnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// Equal up to where the chosen epigraph ends (a zero or a blank) and the row's has a blank.
bool SameEpigraph(std::string_view chosen, std::string_view row) {
  for (std::size_t i = 0; i < row.size(); ++i) {
    const char c = i < chosen.size() ? chosen[i] : '\0';
    if ((c == '\0' || c == ' ') && row[i] == ' ') return true;
    if (c != row[i]) return false;
  }
  return true;
}

}  // namespace

int WriteBusinessActivity(const CDatosMod& chosen, unsigned char* row, bool sameCountsAsWritten) {
  const auto epigraph = chosen.GetEpigrafe();
  if (!epigraph) return kRowUnchanged;
  bool hasCode = false;
  for (std::size_t i = 1; i < 5 && i < epigraph->size(); ++i) hasCode |= IsAlnum((*epigraph)[i]);
  if (!hasCode) return kRowUnchanged;
  // The excess threshold and the modules come from the income-tax part: without it the row
  // would keep another activity's figures.
  if (!chosen.irpf || chosen.GetModuleCount(kIncomeTaxModules) > e4::kModuleCount) return kRowUnchanged;

  const int id = static_cast<int>(*chosen.GetIdIae());
  const int previous = e4::Activity.get(row);
  if (id == previous && SameEpigraph(*epigraph, e4::Epigraph.raw(row))) return sameCountsAsWritten ? kRowWritten : kRowUnchanged;

  e4::Epigraph.set(row, *epigraph);
  e4::Activity.set(row, id);
  e4::Label.set(row, ActivityLabel(id), '\0');
  if (id != previous) std::memset(row + e4::kModules, 0, e4::kModuleCount * e4::kModuleSize);
  e4::ExcessThreshold.set(row, *chosen.GetMaxImport());
  for (int k = 0; k < chosen.GetModuleCount(kIncomeTaxModules); ++k) {
    const CModulo& m = *chosen.GetModule(kIncomeTaxModules, k);
    e4::moduleKind(0, k).set(row, static_cast<unsigned char>(static_cast<int>(m.IdModulo())));
    e4::moduleText(mod::ShortName, 0, k).set(row, m.DesCorta(), '\0');
    e4::moduleText(mod::Description15, 0, k).set(row, m.DesA15(), '\0');
    e4::moduleField(mod::AmountPerUnit, 0, k).set(row, m.Importe());
  }
  if (id != previous) {
    e4::StartYear.set(row, 0.0);
    e4::StaffIncreased.set(row, 0);
    e4::SinglePremises.set(row, 255);
    e4::HeavyVehicle.set(row, 255);
  }
  return kRowWritten;
}

int WriteAgrarianActivity(const CDatosMod& chosen, unsigned char* row) {
  namespace e5 = f100::sec_e5;
  const auto code = chosen.GetCodSector();
  if (!code) return kRowUnchanged;
  const unsigned char key = code->empty() ? 0 : static_cast<unsigned char>(code->front());
  if (e5::Type.get(row) != key || e5::Holder.get(row) == 0) {
    std::memset(row, 0, e5::kRowSize);
    for (blocks::U8 answer : {e5::OthersMeans, e5::BoughtFeed, e5::Organic, e5::FirstInstallation, e5::LongForestry})
      answer.set(row, 255);
  }
  e5::Type.set(row, key);
  e5::Activity.set(row, static_cast<std::int32_t>(*chosen.GetIdIae()));
  return kRowWritten;
}

}  // namespace modules
