// Section E5: agricultural, livestock and forestry activities in objective estimation. The
// products' nets are read as the group sub-annexes keep them; the export adds them up, sorts them
// into five categories, applies the corrector indices and the reductions, and totals by holder.
#include <cstring>

#include "blocks/form100_e5.h"
#include "holder_rows.h"
#include "tallyvex.h"

namespace {

namespace e5 = f100::sec_e5;
using e5::productField;
namespace product = e5::product;

constexpr double kOthersMeansIndex = 0.75;
struct StaffCostBracket {
  double above;  // ratio of staff cost to income, strictly above
  double index;
};
// Highest ratio first; a ratio up to 0.10 takes none.
constexpr StaffCostBracket kStaffCost[] = {{0.4, 0.75}, {0.3, 0.80}, {0.2, 0.85}, {0.1, 0.90}};
constexpr double kRentedLandIndex = 0.90;
constexpr double kFeedIndexR = 0.75;
constexpr double kFeedIndexS = 0.95;
constexpr double kOrganicIndex = 0.95;
constexpr double kForestryIndex = 0.80;
constexpr double kSmallYieldIndex = 0.90;
constexpr double kSmallYieldLimit = 9447.91;  // the holder's previous net yields, all activities
constexpr double kFirstInstallationRate = 0.25;

constexpr unsigned char kYes = 1;
constexpr unsigned char kNotAnswered = 255;

// Order in which the products' indices are compared for the group's index text.
constexpr int kTextOrderS6[] = {5, 6, 1, 2, 3, 4};
constexpr int kTextOrderS6B[] = {4, 5, 6, 1, 2, 3};
constexpr int kTextOrderS3[] = {1, 2, 3};

bool IsType(unsigned char t, const char* types) { return t != 0 && std::strchr(types, t) != nullptr; }
// Types whose deductions are itemised per category and which sort products into P, Q, R, S, T.
bool IsItemised(unsigned char t) { return IsType(t, "137"); }
// Forestry types: corrected only by the forestry index.
bool IsForestry(unsigned char t) { return IsType(t, "268"); }

struct ActivityRow : tv::RowRef {
  int index() const { return static_cast<int>(row); }
  double group(int g, std::size_t at) const { return e5::groupField(index(), g, at).get(rec); }
  double yieldOf(int g) const { return group(g, e5::kGroupTable[static_cast<std::size_t>(g - 1)].shape->yieldTotal); }
  double productNet(int g, int p) const { return productField(index(), g, p, product::Net).get(rec); }
};

// Income and net totals of every group and the group's index text.
void GroupTotals(const ActivityRow& r) {
  for (int g = 1; g <= e5::kGroups; ++g) {
    const e5::Shape& shape = *e5::kGroupTable[static_cast<std::size_t>(g - 1)].shape;
    double income = 0.0, net = 0.0;
    for (int p = 1; p <= shape.products; ++p) {
      income += productField(r.index(), g, p, product::Income).get(r.rec);
      net += productField(r.index(), g, p, product::Net).get(r.rec);
    }
    e5::groupField(r.index(), g, e5::kIncomeTotal).set(r.rec, income);
    e5::groupField(r.index(), g, shape.netTotal).set(r.rec, net);

    auto index = [&](int p) { return productField(r.index(), g, p, product::Index).get(r.rec); };
    const int* order = &shape == &e5::S6 ? kTextOrderS6 : &shape == &e5::S6B ? kTextOrderS6B : kTextOrderS3;
    char text[e5::kIndexTextSize];
    const blocks::Text field = e5::groupIndexText(r.index(), g);
    std::memcpy(text, field.raw(r.rec).data(), sizeof text);
    if (shape.products == 6)
      tv::TextoPorcentaje(text, {index(order[0]), index(order[1]), index(order[2]), index(order[3]), index(order[4]),
                                 index(order[5]), -1.0});
    else
      tv::TextoPorcentaje(text, {index(order[0]), index(order[1]), index(order[2]), -1.0});
    field.set(r.rec, std::string_view(text, sizeof text));
  }
}

struct Categories {
  double p = 0, q = 0, r = 0, s = 0, t = 0;
};

Categories Sort(const ActivityRow& row, unsigned char type) {
  Categories c;
  const std::size_t own = e5::S6B.ownLandTotal, rented = e5::S6B.rentedLandTotal;
  auto y = [&](int g) { return row.yieldOf(g); };
  if (IsItemised(type)) {
    c.p = row.group(3, own) + row.group(6, own) + row.group(8, own) + row.group(10, own) - row.get(e5::Deductions2P) -
          row.get(e5::Deductions1P);
    c.q = row.group(3, rented) + row.group(6, rented) + row.group(8, rented) + row.group(10, rented) -
          row.get(e5::Deductions2Q) - row.get(e5::Deductions1Q);
    c.r = row.productNet(1, 1) + row.productNet(1, 2) + y(4) + y(7) + y(9) + y(12) - row.get(e5::Deductions2R) -
          row.get(e5::Deductions1R);
    c.s = row.productNet(1, 3) + row.productNet(1, 4) + row.productNet(1, 5) + row.productNet(1, 6) -
          row.get(e5::Deductions2S) - row.get(e5::Deductions1S);
    c.t = y(2) + y(5) + y(11) + y(13) - row.get(e5::Deductions2T) - row.get(e5::Deductions1T);
  } else if (type == '4') {
    c.t = y(12) + y(13) - row.get(e5::Deductions2Total) - row.get(e5::Deductions1Total);
  } else if (type == '5' || type == '6') {
    c.t = y(11) + y(13) - row.get(e5::Deductions2Total) - row.get(e5::Deductions1Total);
  } else if (type == '9') {
    // The first set of deductions is not subtracted for this type.
    c.t = y(3) + y(6) + y(8) + y(10) + row.productNet(1, 1) + row.productNet(1, 2) + row.productNet(1, 3) +
          row.productNet(1, 4) + row.productNet(1, 5) + row.productNet(1, 6) + y(2) + y(4) + y(5) + y(7) + y(9) +
          y(12) - row.get(e5::Deductions2Total);
  } else if (type == '2' || type == '8') {
    c.t = y(2) + y(5);
  }
  return c;
}

double Scaled(double x, double index) { return tv::Redondea(x * index, 2); }

// Corrector indices of the non-forestry types, in their order; returns the net after them.
double ApplyIndices(const ActivityRow& row, unsigned char type, Categories c) {
  const unsigned char means = row.byte(e5::OthersMeans);
  if (type == '1' && means == kYes && c.p + c.q > 0) {
    row.set(e5::MeansIndex, kOthersMeansIndex);
    c.p = Scaled(c.p, kOthersMeansIndex);
    c.q = Scaled(c.q, kOthersMeansIndex);
  }

  if (c.r + c.t + c.s > 0 || (c.p + c.q > 0 && row.get(e5::MeansIndex) == 0)) {
    const double income = row.get(e5::TotalIncome);
    const double ratio = income == 0 ? 0.0 : row.get(e5::StaffCost) / income;
    double index = 0.0;
    for (const StaffCostBracket& b : kStaffCost)
      if (ratio > b.above) {
        index = b.index;
        break;
      }
    row.set(e5::StaffCostIndex, index);
    if (index != 0) {
      if ((means == 0 || means == kNotAnswered) && c.p + c.q + c.r + c.t + c.s > 0) {
        c.p = Scaled(c.p, index);
        c.q = Scaled(c.q, index);
        c.r = Scaled(c.r, index);
        c.t = Scaled(c.t, index);
        c.s = Scaled(c.s, index);
      } else if (means != 0 && means != kNotAnswered && c.r + c.t + c.s > 0) {
        c.r = Scaled(c.r, index);
        c.t = Scaled(c.t, index);
        c.s = Scaled(c.s, index);
      }
    }
  }

  if (c.q > 0) {
    row.set(e5::RentedLandIndex, kRentedLandIndex);
    c.q = Scaled(c.q, kRentedLandIndex);
  }

  if (IsItemised(type) && row.byte(e5::BoughtFeed) == kYes && (c.r > 0 || c.s > 0)) {
    const bool onR = c.r > 0, onS = c.s > 0;
    if (onR) c.r = Scaled(c.r, kFeedIndexR);
    if (onS) c.s = Scaled(c.s, kFeedIndexS);
    e5::FeedIndexText(row.row, e5::kRowSize)
        .set(row.rec, onR && onS ? "0,75/0,95" : onR ? "0,75" : "0,95", '\0');
  }

  double organic = 0.0;
  if (row.byte(e5::Organic) == kYes) {
    if (IsItemised(type) && c.p + c.q + c.r + c.s > 0) {
      organic = kOrganicIndex;
      c.p = Scaled(c.p, kOrganicIndex);
      c.q = Scaled(c.q, kOrganicIndex);
      c.r = Scaled(c.r, kOrganicIndex);
      c.s = Scaled(c.s, kOrganicIndex);
    } else if (type == '9' && c.t > 0) {
      organic = kOrganicIndex;
      c.t = Scaled(c.t, kOrganicIndex);
    }
  }
  row.set(e5::OrganicIndex, organic);

  return c.q + c.p + c.r + c.t + c.s;
}

}  // namespace

TALLYVEX_API void Calculos100E5(void* secE5) {
  tv::Vec incomes{}, nets{};
  double previousByHolder[6] = {};  // by holder code 2 to 5

  for (std::size_t i = 0; i < e5::kRows; ++i) {
    const ActivityRow row{{secE5, i, e5::kRowSize}};
    row.zero({e5::TotalIncome, e5::MeansIndex, e5::StaffCostIndex, e5::RentedLandIndex, e5::SmallYieldIndex,
              e5::ForestryIndex, e5::ActivityNet});
    e5::FeedIndexText(i, e5::kRowSize).clear(secE5, '\0');

    GroupTotals(row);
    double income = 0.0, net = 0.0;
    for (int g = 1; g <= e5::kGroups; ++g) {
      income += row.group(g, e5::kIncomeTotal);
      net += row.group(g, e5::kGroupTable[static_cast<std::size_t>(g - 1)].shape->netTotal);
    }
    row.set(e5::TotalIncome, income);
    row.set(e5::ProductsNet, tv::Redondea(net, 2));

    const unsigned char type = row.byte(e5::Type);
    if (IsItemised(type)) {
      row.set(e5::Deductions1Total, row.get(e5::Deductions1P) + row.get(e5::Deductions1Q) + row.get(e5::Deductions1S) +
                                        row.get(e5::Deductions1R) + row.get(e5::Deductions1T));
      row.set(e5::Deductions2Total, row.get(e5::Deductions2P) + row.get(e5::Deductions2Q) + row.get(e5::Deductions2S) +
                                        row.get(e5::Deductions2R) + row.get(e5::Deductions2T));
    }
    row.set(e5::PreviousNet, row.get(e5::ProductsNet) - row.get(e5::Deductions2Total) - row.get(e5::Deductions1Total));

    const Categories c = Sort(row, type);
    const int code = row.byte(e5::Holder);
    if (IsForestry(type)) {
      if (row.byte(e5::LongForestry) == kYes && row.get(e5::PreviousNet) > 0) {
        row.set(e5::NetAfterIndices, tv::Redondea(kForestryIndex * c.t + row.yieldOf(13), 2));
        row.set(e5::ForestryIndex, kForestryIndex);
      } else {
        row.set(e5::NetAfterIndices, row.get(e5::PreviousNet));
        row.set(e5::ForestryIndex, 0.0);
      }
    } else {
      row.set(e5::NetAfterIndices, ApplyIndices(row, type, c));
      if (code >= 2 && code <= 5) previousByHolder[code] += row.get(e5::PreviousNet);
    }
    tv::AddActivityAmount(incomes, code, row.get(e5::TotalIncome));
  }

  for (std::size_t i = 0; i < e5::kRows; ++i) {
    const ActivityRow row{{secE5, i, e5::kRowSize}};
    const int code = row.byte(e5::Holder);
    const unsigned char installation = row.byte(e5::FirstInstallation);
    if (code >= 2 && code <= 5 && previousByHolder[code] > 0 && previousByHolder[code] <= kSmallYieldLimit &&
        (installation == 0 || installation == kNotAnswered) && row.get(e5::TotalIncome) != 0 &&
        !IsForestry(row.byte(e5::Type))) {
      row.set(e5::SmallYieldIndex, kSmallYieldIndex);
      row.set(e5::NetAfterIndices, Scaled(row.get(e5::NetAfterIndices), kSmallYieldIndex));
    }
    double reduction = 0.0;
    if (installation == kYes) {
      reduction = tv::Redondea(row.get(e5::NetAfterIndices) * kFirstInstallationRate, 2);
      if (reduction < 0) reduction = 0.0;
    }
    row.set(e5::InstallationReduction, reduction);
    row.set(e5::ReducedNet, row.get(e5::NetAfterIndices) - row.get(e5::FirstReduction) - row.get(e5::InstallationReduction));
    row.set(e5::ActivityNet, row.get(e5::ReducedNet) - row.get(e5::SecondReduction));
    tv::AddActivityAmount(nets, code, row.get(e5::ActivityNet));
  }
  e5::TotalIncomes.store(secE5, incomes);
  e5::NetYields.store(secE5, nets);
}
