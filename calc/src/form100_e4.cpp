// Section E4: activities in objective estimation. An activity's yield is the sum of its modules,
// less the reduction for salaried staff, multiplied by the corrector indices that apply to it.
#include <algorithm>

#include "blocks/form100_e4.h"
#include "holder_rows.h"
#include "tallyvex.h"

namespace {

namespace e4 = f100::sec_e4;
namespace mod = f100::sec_e4::module;

// Staff measured in hours.
constexpr double kFullYearHours = 1800.0;      // agreement hours when none are given; the cap of
                                               // the holder's and the spouse's hours
constexpr double kYoungStaffWeight = 0.6;      // hours of staff under 19, trainees, disabled
constexpr double kFamilyHoursWeight = 0.5;     // spouse and children beside a full-time holder
constexpr double kStaffIncreaseRate = 0.4;     // per person of increased salaried staff

// Staff coefficient: progressive per person, fractions pro rata.
struct StaffBracket {
  double upTo;  // persons
  double rate;
};
constexpr StaffBracket kStaffCoefficient[] = {{1, 0.10}, {3, 0.15}, {5, 0.20}, {8, 0.25}, {1e300, 0.30}};

// Module kinds.
bool IsSalariedStaff(int kind) { return kind == 1 || kind == 15 || kind == 16; }
constexpr int kNonSalariedStaff = 2;

// Activities with a second salaried-staff module (module 1).
bool HasTwoStaffModules(int activity) { return activity >= 119 && activity <= 122; }

// Activity-specific, small-business indices by the class at +64 (exact comparisons).
struct ClassIndex {
  double sizeClass;
  double index;
};
template <std::size_t N>
double IndexOfClass(const ClassIndex (&table)[N], double sizeClass, double otherwise) {
  for (const ClassIndex& c : table)
    if (c.sizeClass == sizeClass) return c.index;
  return otherwise;
}
constexpr ClassIndex kIndex143[] = {{1, 1.00}, {2, 0.95}, {3, 0.80}, {4, 0.80}, {5, 0.80}};
constexpr ClassIndex kIndex174[] = {{5, 0.75}, {4, 0.80}, {3, 0.85}, {2, 0.90}, {1, 1.00}};
constexpr ClassIndex kIndex227[] = {{1, 0.75}, {2, 0.85}, {3, 0.90}, {4, 0.95}, {5, 0.90}, {6, 0.95}, {7, 0.0}};
constexpr double kSingleVehicleIndex = 0.80;  // activities 173, 175 and 178

constexpr ClassIndex kSmallBusiness143[] = {{5, 0.70}, {4, 0.75}, {1, 0.80}, {2, 0.80}, {3, 0.80}};
constexpr ClassIndex kSmallBusiness[] = {{1, 0.70}, {2, 0.75}, {3, 0.80}};
constexpr double kSmallBusinessWithStaff = 0.90;
constexpr double kSmallBusinessMaxEmployees = 2;
bool TakesSmallBusinessIndex(int activity) {
  return activity != 173 && activity != 174 && activity != 175 && activity != 178 && activity != 227;
}

struct SeasonalBracket {
  double upToDays;
  double index;
};
constexpr SeasonalBracket kSeasonal[] = {{60, 1.50}, {120, 1.35}, {180, 1.25}};

constexpr double kExcessIndex = 1.30;
constexpr int kExcessExempt = 174;

constexpr double kNewIn2003 = 0.80;
constexpr double kNewIn2002 = 0.90;

double StaffCoefficient(double persons) {
  double c = 0.0;
  double lower = 0.0;
  for (const StaffBracket& b : kStaffCoefficient) {
    if (persons <= lower) break;
    c += (std::min(persons, b.upTo) - lower) * b.rate;
    lower = b.upTo;
  }
  return c;
}

double SalariedPersons(double adults, double young, double agreementHours) {
  const double h = agreementHours == 0 ? kFullYearHours : agreementHours;
  return tv::Trunc((young * kYoungStaffWeight + adults) / h, 2);
}

double NonSalariedPersons(double holder, double spouse, double children, double maxEmployees) {
  holder = std::min(holder, kFullYearHours);
  spouse = std::min(spouse, kFullYearHours);
  if (maxEmployees <= 1 && holder == kFullYearHours)
    return tv::Trunc((holder + (spouse + children) * kFamilyHoursWeight) / kFullYearHours, 2);
  return tv::Trunc((holder + spouse + children) / kFullYearHours, 2);
}

struct ActivityRow : tv::RowRef {
  int index() const { return static_cast<int>(row); }
  double module(blocks::F64 f, int k) const { return e4::moduleField(f, index(), k).get(rec); }
  void setModule(blocks::F64 f, int k, double v) const { e4::moduleField(f, index(), k).set(rec, v); }
  double previousPersons(int k) const {
    return SalariedPersons(module(mod::PreviousHours1, k), module(mod::PreviousHours2, k), module(mod::PreviousHours3, k));
  }
};

// Step 2: module yields; returns the persons of the last salaried-staff module.
double ModuleYields(const ActivityRow& r) {
  double lastSalaried = 0.0;
  r.set(e4::PreviousNet, 0.0);
  for (int k = 0; k < e4::kModuleCount; ++k) {
    const int kind = e4::moduleKind(r.index(), k).get(r.rec);
    double units;
    if (IsSalariedStaff(kind)) {
      units = SalariedPersons(r.module(mod::Hours1, k), r.module(mod::Hours2, k), r.module(mod::Hours3, k));
      lastSalaried = units;
      r.setModule(mod::Units, k, units);
    } else if (kind == kNonSalariedStaff) {
      units = NonSalariedPersons(r.module(mod::Hours1, k), r.module(mod::Hours2, k), r.module(mod::Hours3, k),
                                 r.get(e4::MaxEmployees));
      r.setModule(mod::Units, k, units);
    } else {
      units = r.module(mod::Units, k);
    }
    r.setModule(mod::Yield, k, tv::Redondea(tv::Trunc(units, 2) * r.module(mod::AmountPerUnit, k), 2));
    r.set(e4::PreviousNet, r.get(e4::PreviousNet) + r.module(mod::Yield, k));
  }
  return lastSalaried;
}

// Step 3: reduction for salaried staff.
double StaffReduction(const ActivityRow& r, int activity, double lastSalaried) {
  const bool increased = r.byte(e4::StaffIncreased) == 1;
  const double a0 = r.module(mod::AmountPerUnit, 0);
  if (!HasTwoStaffModules(activity)) {
    if (!increased) return tv::Redondea(StaffCoefficient(r.module(mod::Units, 0)) * a0, 2);
    const double p = r.previousPersons(0);
    const double increase = lastSalaried - p;
    if (increase > 0) return tv::Redondea((kStaffIncreaseRate * increase + StaffCoefficient(p)) * a0, 2);
    return tv::Redondea(StaffCoefficient(lastSalaried) * a0, 2);
  }
  const double a1 = r.module(mod::AmountPerUnit, 1);
  const double u0 = r.module(mod::Units, 0);
  const double u1 = r.module(mod::Units, 1);
  const double t = u0 + u1;
  if (t == 0) return 0.0;
  double k;
  if (!increased) {
    k = StaffCoefficient(t);
  } else {
    const double p0 = r.previousPersons(0);
    const double p1 = r.previousPersons(1);
    const double increase = t - p0 - p1;
    k = increase > 0 ? kStaffIncreaseRate * increase + StaffCoefficient(p0 + p1) : StaffCoefficient(t);
  }
  return tv::Redondea(k * u0 / t * a0 + k * u1 / t * a1, 2);
}

double ActivityIndex(const ActivityRow& r, int activity) {
  const double sizeClass = r.get(e4::SizeClass);
  const double vehicles = r.get(e4::Vehicles);
  switch (activity) {
    case 143: return IndexOfClass(kIndex143, sizeClass, 1.00);
    case 174: return IndexOfClass(kIndex174, sizeClass, 1.00);
    case 173: return vehicles == 1 ? kSingleVehicleIndex : 0.0;
    case 175:
    case 178:
      return vehicles == 1 && r.module(mod::Hours1, 0) + r.module(mod::Hours2, 0) == 0 ? kSingleVehicleIndex : 0.0;
    case 227: return IndexOfClass(kIndex227, sizeClass, 0.0);
    default: return 0.0;
  }
}

double SmallBusinessIndex(const ActivityRow& r, int activity) {
  if (!TakesSmallBusinessIndex(activity)) return 0.0;
  const double vehicles = r.get(e4::Vehicles);
  const bool applies = r.byte(e4::SinglePremises) == 1 && vehicles <= 1 &&
                       !(vehicles == 1 && r.byte(e4::HeavyVehicle) != 0) &&
                       r.get(e4::MaxEmployees) <= kSmallBusinessMaxEmployees;
  if (!applies) return 0.0;
  double hours = r.module(mod::Hours1, 0) + r.module(mod::Hours2, 0);
  if (HasTwoStaffModules(activity)) hours += r.module(mod::Hours1, 1) + r.module(mod::Hours2, 1);
  if (hours != 0) return kSmallBusinessWithStaff;
  const double sizeClass = r.get(e4::SizeClass);
  return activity == 143 ? IndexOfClass(kSmallBusiness143, sizeClass, 0.0)
                         : IndexOfClass(kSmallBusiness, sizeClass, 0.0);
}

double SeasonalIndex(double days) {
  for (const SeasonalBracket& b : kSeasonal)
    if (days <= b.upToDays) return b.index;
  return 0.0;
}

// Steps 4 to 9: the reduced net yield through the corrector indices into +1352.
void ApplyIndices(const ActivityRow& r, int activity) {
  r.zero({e4::ActivityIndex, e4::SmallBusinessIndex, e4::SeasonalIndex, e4::ExcessIndex, e4::NewActivityIndex});
  r.set(e4::NetAfterIndices, r.get(e4::ReducedNet));
  if (r.get(e4::ReducedNet) < 0) return;  // a negative yield takes no index

  auto multiply = [&](blocks::F64 indexField, double index) {
    r.set(indexField, index);
    if (index != 0) r.set(e4::NetAfterIndices, r.get(e4::NetAfterIndices) * index);
  };
  multiply(e4::ActivityIndex, ActivityIndex(r, activity));
  multiply(e4::SmallBusinessIndex, SmallBusinessIndex(r, activity));
  const double days = r.get(e4::SeasonalDays);
  if (days != 0) multiply(e4::SeasonalIndex, SeasonalIndex(days));

  if (r.get(e4::SmallBusinessIndex) == 0 && activity != kExcessExempt) {
    const double excess = r.get(e4::NetAfterIndices) - r.get(e4::ExcessThreshold);
    if (excess > 0) {
      r.set(e4::ExcessIndex, kExcessIndex);
      r.set(e4::NetAfterIndices, excess * kExcessIndex + r.get(e4::ExcessThreshold));
    }
  }

  if (days == 0) {
    const double start = r.get(e4::StartYear);
    const double index = start == 2003 ? kNewIn2003 : start == 2002 ? kNewIn2002 : 0.0;
    r.set(e4::NewActivityIndex, index);
    if (index != 0) r.set(e4::NetAfterIndices, tv::Redondea(r.get(e4::NetAfterIndices) * index, 2));
  } else {
    r.set(e4::NetAfterIndices, tv::Redondea(r.get(e4::NetAfterIndices), 2));
  }
}

}  // namespace

TALLYVEX_API void Calculos100E4(void* secE4) {
  tv::Vec yields{};
  for (std::size_t i = 0; i < e4::kRows; ++i) {
    const ActivityRow r{{secE4, i, e4::kRowSize}};
    const int activity = e4::Activity(i, e4::kRowSize).get(secE4);
    const double lastSalaried = ModuleYields(r);
    r.set(e4::StaffReduction, StaffReduction(r, activity, lastSalaried));
    r.set(e4::ReducedNet, r.get(e4::PreviousNet) - r.get(e4::StaffReduction) - r.get(e4::FurtherReduction));
    ApplyIndices(r, activity);
    r.set(e4::NetBeforeLastReduction, tv::Redondea(r.get(e4::NetAfterIndices), 2) - r.get(e4::Subtracted1) -
                                          r.get(e4::Subtracted2) + r.get(e4::Added));
    r.set(e4::ActivityNet, r.get(e4::NetBeforeLastReduction) - r.get(e4::LastReduction));

    tv::AddActivityAmount(yields, r.byte(e4::Holder), r.get(e4::ActivityNet));
  }
  e4::NetYields.store(secE4, yields);
}
