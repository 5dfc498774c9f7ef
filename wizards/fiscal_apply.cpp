// Writing one fiscal-data import into the form-100 block. Every place is a named field of its
// section record; rows are found by their holder byte (0: free).
#include <algorithm>

#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "blocks/form100_b.h"
#include "blocks/form100_g1.h"
#include "blocks/form100_import.h"
#include "blocks/form100_j.h"
#include "blocks/form100_o.h"
#include "blocks/form100_p.h"
#include "checks/field_check.h"
#include "data/doc/renta_doc.h"
#include "wizards/fiscal_transfer.h"

namespace fiscal {

namespace {

using Byte = std::uint8_t;

// A row area: the holder byte of row 0 and the row size; row i's field F is F(i, stride).
struct RowArea {
  blocks::U8 holder;
  std::size_t stride;
  int rows;
  blocks::U8 holderOf(int i) const { return holder(static_cast<std::size_t>(i), stride); }
  blocks::F64 at(blocks::F64 field, int i) const { return field(static_cast<std::size_t>(i), stride); }
  bool isFree(const Byte* rec, int i) const { return holderOf(i).get(rec) == 0; }
  bool isFreeOr(const Byte* rec, int i, Byte h) const {
    const Byte held = holderOf(i).get(rec);
    return held == 0 || held == h;
  }
};

// The first free row. The first four rows are the usual ones; an area with more rows offers its
// further rows only when those are taken, and never hands out a taken row, so an import cannot
// overwrite an entry the user typed.
int FirstFree(const Byte* rec, const RowArea& area) {
  for (int i = 0; i < area.rows; ++i)
    if (area.isFree(rec, i)) return i;
  return -1;
}

int FirstFreeOr(const Byte* rec, const RowArea& area, Byte h) {
  for (int i = 0; i < area.rows; ++i)
    if (area.isFreeOr(rec, i, h)) return i;
  return -1;
}

// The accumulated amounts of a key's page, or none when the key has no page or the page no data.
const PageAmounts* PageWithData(const FiscalTransfer& t, std::string_view key) {
  const int slot = t.SlotOf(key);
  if (slot == 0 || t.pageKeys[static_cast<std::size_t>(slot)] != key) return nullptr;
  const PageAmounts& page = t.pages[static_cast<std::size_t>(slot)];
  return page.hasData ? &page : nullptr;
}

bool HasPage(const FiscalTransfer& t, std::string_view key) {
  const int slot = t.SlotOf(key);
  return slot != 0 && t.pageKeys[static_cast<std::size_t>(slot)] == key;
}

// ---- identification

void CopyIdentity(Byte* family, const f100::family::IdentityTable& table, const Identification& id, int slot) {
  const std::size_t s = static_cast<std::size_t>(slot);
  const std::pair<blocks::Text, std::size_t> fields[] = {
      {table.givenName, 1}, {table.surname1, 2}, {table.surname2, 3}, {table.streetType, 4},
      {table.street, 5},    {table.houseNumber, 6}, {table.stairs, 8}, {table.floor, 9},
      {table.door, 10},     {table.municipality, 12}, {table.province, 13}, {table.postalCode, 11}};
  for (const auto& [field, index] : fields) field(s).set(family, id[index]);
}

void WriteIdentification(const FiscalTransfer& t, Byte* block) {
  if (!HasPage(t, "DI")) return;
  Byte* family = f100::record(block, f100::Family);
  const auto& first = f100::family::FirstIdentity;
  const auto& second = f100::family::SecondIdentity;
  const Identification& id = t.identification;
  switch (t.member) {
    case 1:
      CopyIdentity(family, first, id, 1);
      CopyIdentity(family, first, id, 0);
      CopyIdentity(family, second, id, 2);
      break;
    case 2:
      CopyIdentity(family, second, id, 0);
      CopyIdentity(family, second, id, 1);
      CopyIdentity(family, first, id, 2);
      break;
    case 3:
      CopyIdentity(family, first, id, 3);
      break;
    case 4:
      CopyIdentity(family, first, id, 4);
      break;
    default:
      break;
  }
}

// ---- income from work and prizes

namespace sa = f100::sec_a;
namespace sb = f100::sec_b;
namespace sg = f100::sec_g1;
namespace sj = f100::sec_j;
namespace so = f100::sec_o;
namespace sp = f100::sec_p;

constexpr RowArea kWorkRows{sa::Holder, sa::kRowSize, sa::kRows};

void WriteWork(const PageAmounts& a, Byte h, Byte* rec) {
  const int r = FirstFree(rec, kWorkRows);
  if (r < 0) return;
  kWorkRows.holderOf(r).set(rec, h);
  kWorkRows.at(sa::MoneyPay, r).set(rec, a.At(0));
  kWorkRows.at(sa::MoneyPayWithholding, r).set(rec, a.At(1));
  kWorkRows.at(sa::KindValuation, r).set(rec, a.At(2) - a.At(3) + a.At(4));
  kWorkRows.at(sa::KindPaymentOnAccount, r).set(rec, a.At(3));
  kWorkRows.at(sa::KindPaymentCharged, r).set(rec, a.At(4));
  kWorkRows.at(sa::IrregularReduction, r).set(rec, a.At(6));
  kWorkRows.at(sa::SocialSecurity, r).set(rec, a.At(5));
}

constexpr RowArea kCashPrizes{sg::cash::Holder, sg::cash::kRowSize, sg::cash::kRows};
constexpr RowArea kKindPrizes{sg::kind::Holder, sg::kind::kRowSize, sg::kind::kRows};

void WritePrizes(const PageAmounts& a, Byte h, Byte* rec) {
  if (a.At(0) != 0) {
    const int r = FirstFree(rec, kCashPrizes);
    if (r >= 0) {
      kCashPrizes.holderOf(r).set(rec, h);
      kCashPrizes.at(sg::cash::Gross, r).set(rec, a.At(0));
      kCashPrizes.at(sg::cash::Withholding, r).set(rec, a.At(1));
    }
  }
  if (a.At(2) != 0) {
    const int r = FirstFree(rec, kKindPrizes);
    if (r >= 0) {
      kKindPrizes.holderOf(r).set(rec, h);
      kKindPrizes.at(sg::kind::Valuation, r).set(rec, a.At(2) - a.At(3) + a.At(4));
      kKindPrizes.at(sg::kind::PaymentOnAccount, r).set(rec, a.At(3));
      kKindPrizes.at(sg::kind::PaymentCharged, r).set(rec, a.At(4));
    }
  }
}

// ---- pension plans

constexpr RowArea kPensionRows{{sj::kPensionRows + sj::pension::Holder.off}, sj::kPensionRowSize,
                               sj::kPensionRowCount};
constexpr RowArea kDisabledRows{{sj::kDisabledRows}, sj::kDisabledRowSize, sj::kDisabledRowCount};
constexpr RowArea kSportRows{sj::SportHolder(0), 24, sj::kSportRowCount};

blocks::F64 PensionField(blocks::F64 field) { return {sj::kPensionRows + field.off}; }
blocks::F64 DisabledField(blocks::F64 field) { return {sj::kDisabledRows + field.off}; }

// The promoter contribution of regime r in the work rows; regime 3 has none.
void WriteWorkContribution(const std::array<double, 13>& m, char kind, Byte h, Byte* a) {
  int row = -1;
  for (int i = 0; i < kWorkRows.rows && row < 0; ++i) {
    const Byte held = kWorkRows.holderOf(i).get(a);
    const Byte k = sa::PromoterSchemeKind(static_cast<std::size_t>(i), sa::kRowSize).get(a);
    if (held == 0 || (held == h && (k == 0 || k == ' ' || k == static_cast<Byte>(kind)))) row = i;
  }
  if (row < 0 || m[0] == 0) return;
  kWorkRows.holderOf(row).set(a, h);
  kWorkRows.at(sa::PromoterContributionsAnnex, row).add(a, m[0]);
  sa::PromoterSchemeKind(static_cast<std::size_t>(row), sa::kRowSize).set(a, static_cast<Byte>(kind));
}

void WritePensions(const FiscalTransfer& t, Byte h, Byte* a, Byte* j) {
  static constexpr char kKinds[] = {'1', '2', 0, '4', '3'};
  for (int r = 1; r <= 5; ++r) {
    const auto& m = t.pensions[static_cast<std::size_t>(r - 1)];
    if (r != 3) WriteWorkContribution(m, kKinds[r - 1], h, a);
    switch (r) {
      case 1: {
        const int row = FirstFreeOr(j, kPensionRows, h);
        if (row < 0) break;
        if (m[2] != 0) {
          kPensionRows.holderOf(row).set(j, h);
          kPensionRows.at(PensionField(sj::pension::OwnYearIn), row).set(j, m[2]);
        }
        if (m[11] != 0) {
          kPensionRows.holderOf(row).set(j, h);
          kPensionRows.at(PensionField(sj::pension::PromoterYearIn), row).set(j, m[11]);
        }
        break;
      }
      case 2: {
        const int row = FirstFreeOr(j, kDisabledRows, h);
        if (row >= 0 && m[4] != 0) {
          kDisabledRows.holderOf(row).set(j, h);
          kDisabledRows.at(DisabledField(sj::disabled::Own), row).set(j, m[4]);
        }
        break;
      }
      case 3: {
        std::size_t current = 0;
        for (int row = 0; row < kDisabledRows.rows && current < t.disabled.size(); ++row) {
          if (!kDisabledRows.isFreeOr(j, row, h)) continue;
          const DisabledContribution& slot = t.disabled[current];
          if (slot.amount == 0) continue;
          kDisabledRows.holderOf(row).set(j, h);
          kDisabledRows.at(DisabledField(sj::disabled::Relatives), row).set(j, slot.amount);
          blocks::Text{sj::disabledRow(row) + sj::disabled::Nif.off, sj::disabled::Nif.width}.set(j, slot.nif);
          ++current;
        }
        break;
      }
      case 4: {
        const Byte held = sj::SpouseContributor.get(j);
        if (m[7] != 0 && (held == 0 || held == h)) {
          sj::SpouseContributor.set(j, h == f100::kDeclarant ? f100::kSpouse : f100::kDeclarant);
          sj::SpouseContribution[0].set(j, m[7]);
        }
        break;
      }
      case 5: {
        const int row = FirstFreeOr(j, kSportRows, h);
        if (row < 0) break;
        if (m[9] != 0) {
          kSportRows.holderOf(row).set(j, h);
          sj::SportOwn(row).set(j, m[9]);
        } else if (m[10] != 0) {
          kSportRows.holderOf(row).set(j, h);
          sj::SportPromoter(row).set(j, m[10]);
        }
        break;
      }
      default:
        break;
    }
  }
}

// ---- income from movable capital

constexpr RowArea Group40Rows(const sb::Group40& g) { return {g.holder, sb::kRowSize, sb::kRows}; }
constexpr RowArea kAccountRows = Group40Rows(sb::G1);
constexpr RowArea kDividendRows{sb::g2::Holder, sb::g2::kRowSize, sb::kRows};
constexpr RowArea kGroup3Rows{sb::g3::Holder, sb::g3::kRowSize, sb::kRows};
constexpr RowArea kGroup4Rows = Group40Rows(sb::G4);
constexpr RowArea kGroup5Rows = Group40Rows(sb::G5);
constexpr RowArea kGroup6Rows = Group40Rows(sb::G6);

// One row of a 40-byte group: +8, +16, +24 (when given) and +32.
void WriteGroup40(const sb::Group40& g, const RowArea& area, Byte h, Byte* b, double amount, double withholding,
                  const double* expenses, double reduction) {
  const int r = FirstFree(b, area);
  if (r < 0) return;
  area.holderOf(r).set(b, h);
  area.at(g.amount, r).set(b, amount);
  area.at(g.withholding, r).set(b, withholding);
  if (expenses != nullptr) area.at(g.expenses, r).set(b, *expenses);
  area.at(g.reduction, r).set(b, reduction);
}

void WriteCapital(const FiscalTransfer& t, Byte h, Byte* b) {
  // The accounts row is chosen first: the dividends page adds to it even without an accounts page.
  const int accountRow = FirstFree(b, kAccountRows);
  if (const PageAmounts* a = PageWithData(t, "CB"); a != nullptr && accountRow >= 0) {
    kAccountRows.holderOf(accountRow).set(b, h);
    kAccountRows.at(sb::G1.amount, accountRow).set(b, a->At(2) + a->At(0));
    kAccountRows.at(sb::G1.withholding, accountRow).set(b, a->At(3) + a->At(1));
    kAccountRows.at(sb::G1.reduction, accountRow).set(b, a->At(4));
  }
  if (const PageAmounts* a = PageWithData(t, "LT")) {
    const int r = FirstFree(b, kGroup3Rows);
    if (r >= 0) {
      kGroup3Rows.holderOf(r).set(b, h);
      kGroup3Rows.at(sb::g3::Amount, r).set(b, a->At(1) - a->At(0) - a->At(3));
    }
  }
  if (const PageAmounts* a = PageWithData(t, "RE")) {
    const int r = FirstFree(b, kDividendRows);
    if (r >= 0) {
      kDividendRows.holderOf(r).set(b, h);
      kDividendRows.at(sb::g2::GrossReceived, r).set(b, a->At(0));
      kDividendRows.at(sb::g2::Computable, r).set(b, a->At(1));
      kDividendRows.at(sb::g2::Withholding, r).set(b, a->At(2));
      kDividendRows.at(sb::g2::Expenses, r).set(b, a->At(4));
      kDividendRows.at(sb::g2::QuotaDeduction, r).set(b, a->At(1) - a->At(0));
      kDividendRows.at(sb::g2::Reduction, r).set(b, a->At(3));
    }
    if (accountRow >= 0) {
      kAccountRows.holderOf(accountRow).set(b, h);
      kAccountRows.at(sb::G1.amount, accountRow).add(b, a->At(5));
      kAccountRows.at(sb::G1.withholding, accountRow).add(b, a->At(7));
      kAccountRows.at(sb::G1.reduction, accountRow).add(b, a->At(8));
    }
    WriteGroup40(sb::G6, kGroup6Rows, h, b, a->At(10), a->At(12), nullptr, a->At(13));
  }
  if (const PageAmounts* a = PageWithData(t, "RI")) {
    WriteGroup40(sb::G4, kGroup4Rows, h, b, a->At(0) - a->At(3), a->At(1), nullptr, a->At(2));
  }
  if (const PageAmounts* a = PageWithData(t, "SG")) {
    const double expenses = a->At(2);
    WriteGroup40(sb::G5, kGroup5Rows, h, b, a->At(0), a->At(1), &expenses, a->At(3));
  }
}

// ---- investment funds

constexpr RowArea kFundRows{sg::Holder, sg::kRowSize, sg::kRows};

void WriteFunds(const ImportSession& session, Byte* g) {
  static constexpr blocks::F64 kAmounts[] = {sg::ShortTermValue1, sg::ShortTermValue2, sg::LongTermValue1,
                                             sg::LongTermValue2, sg::Withholding};
  for (int k = 0; k < kFundRows.rows; ++k) {
    const FundEntry& fund = session.funds[static_cast<std::size_t>(k)];
    if (fund.member == 0 || !kFundRows.isFree(g, k)) continue;
    const std::size_t i = static_cast<std::size_t>(k);
    kFundRows.holderOf(k).set(g, static_cast<Byte>(fund.member + 1));
    const blocks::Text nif = sg::FundNif(i, sg::kRowSize);
    nif.set(g, std::string_view(fund.nif).substr(0, nif.width - 1), '\0');
    for (std::size_t n = 0; n < 5; ++n) kFundRows.at(kAmounts[n], k).set(g, fund.amounts[n]);
  }
}

// ---- donations

struct RegionalArea {
  sp::Rows rows;
  bool DonationTotals::*flag;
  double DonationTotals::*amount;
  bool needsAmount;
  bool goOn;
};

const RegionalArea kRegionalAreas[] = {
    {sp::c03::QuotaShareRows, &DonationTotals::community3Flag, &DonationTotals::community3, false, false},
    {sp::c05::Rows1, &DonationTotals::community5Flag, &DonationTotals::community5At10, true, true},
    {sp::c05::Rows2, &DonationTotals::community5Flag, &DonationTotals::community5At20, true, false},
    {sp::c07::SecondShareRows, &DonationTotals::community7Flag, &DonationTotals::community7At10, true, true},
    {sp::c07::FirstShareRows, &DonationTotals::community7Flag, &DonationTotals::community7At15, true, false},
    {sp::c08::FirstShareRows, &DonationTotals::community8Flag, &DonationTotals::community8, false, false},
    {sp::c09::QuotaShareRows, &DonationTotals::community9Flag, &DonationTotals::community9, false, false},
    {sp::c10::FirstShareRows, &DonationTotals::community10Flag, &DonationTotals::community10, false, false},
    {sp::c12::SharedLimitRows, &DonationTotals::community12Flag, &DonationTotals::community12, false, false},
    {sp::c17::TwentyPercentRows, &DonationTotals::community17Flag, &DonationTotals::community17At20, true, true},
    {sp::c17::FivePercentRows, &DonationTotals::community17Flag, &DonationTotals::community17At5, true, true},
    {sp::c17::TenPercentRows, &DonationTotals::community17Flag, &DonationTotals::community17At10, true, false},
    {sp::c13::SharedLimitRows, &DonationTotals::community13Flag, &DonationTotals::community13Regional, false, false},
};
constexpr int kRegionalRows = 3;

void WriteRegionalDonations(const DonationTotals& d, Byte h, Byte* p) {
  bool written[std::size(kRegionalAreas)] = {};
  for (int k = 0; k < kRegionalRows; ++k) {
    for (std::size_t n = 0; n < std::size(kRegionalAreas); ++n) {
      const RegionalArea& area = kRegionalAreas[n];
      const double amount = d.*area.amount;
      if (written[n] || area.rows.code(k).get(p) != 0 || !(d.*area.flag)) continue;
      if (area.needsAmount && amount == 0) continue;
      area.rows.code(k).set(p, h);
      area.rows.f64(k, sp::kRowAmount).set(p, amount);
      if (!area.goOn) return;
      written[n] = true;
    }
  }
}

void WriteDonations(const FiscalTransfer& t, Byte h, Byte* o, Byte* p) {
  const DonationTotals& d = t.donations;
  if (d.stateA != 0 || d.stateB != 0 || d.state10 != 0) {
    for (int n = 0; n < so::kDonationRowCount; ++n) {
      if (so::DonationCode(n).get(o) != 0) continue;
      so::DonationCode(n).set(o, h);
      so::DonationGeneral(n).set(o, d.stateA);
      so::DonationPriority(n).set(o, d.stateB);
      so::DonationOtherEntities(n).set(o, d.state10);
      break;
    }
  }
  WriteRegionalDonations(d, h, p);
}

// ---- mortgage loans

// The last dated entry without its separators, cut to 8 characters; empty when none is dated.
std::string LastMortgageDate(const std::vector<std::string>& dates) {
  for (auto it = dates.rbegin(); it != dates.rend(); ++it) {
    if (it->empty() || it->front() == ' ') continue;
    std::string date;
    for (char c : *it)
      if (c != '/') date.push_back(c);
    return date.substr(0, 8);
  }
  return {};
}

void WriteMortgage(const FiscalTransfer& t, Byte h, Byte* o) {
  int column = -1;
  for (int n = 0; n < so::kHousingColumnCount && column < 0; ++n)
    if (so::HousingCode(n).get(o) == 0) column = n;
  if (column < 0) return;
  const MortgageTotals& m = t.mortgage;
  so::HousingCode(column).set(o, h);
  so::HousingFinancedFirst(column).set(o, m.withinTwoYears);
  so::HousingFinancedLater(column).set(o, m.later);
  so::HousingUnfinanced(column).set(o, m.withoutRequirements);
  so::HousingConstruction(column).set(o, m.construction);
  if (m.withinTwoYears == 0 && m.later == 0 && m.withoutRequirements == 0) return;
  for (int n = 0; n < so::kHousingDateRowCount; ++n) {
    if (so::HousingDateCode(n).get(o) != 0) continue;
    so::HousingDateCode(n).set(o, h);
    const std::string date = LastMortgageDate(t.mortgageDates);
    if (!date.empty()) {
      so::HousingDate(n).set(o, date);
      if (so::HousingFirstDate.raw(o)[0] == 0) so::HousingFirstDate.set(o, date);
      (h == f100::kDeclarant ? so::HousingDeclarantDate : so::HousingSpouseDate).set(o, date);
    }
    break;
  }
}

}  // namespace

void WriteFiscalData(const FiscalTransfer& transfer, const ImportSession& session, std::span<std::uint8_t> block) {
  if (block.size() < f100::kBlockSize || transfer.member < 1 || transfer.member > 4) return;
  Byte* data = block.data();
  const Byte h = static_cast<Byte>(transfer.member + 1);
  Byte* a = f100::record(data, f100::SectionA);
  Byte* b = f100::record(data, f100::SectionB);
  Byte* g = f100::record(data, f100::SectionG1);
  Byte* j = f100::record(data, f100::SectionJ);
  Byte* o = f100::record(data, f100::SectionO);
  Byte* p = f100::record(data, f100::SectionP);

  WriteIdentification(transfer, data);
  if (const PageAmounts* work = PageWithData(transfer, "RTA")) WriteWork(*work, h, a);
  if (const PageAmounts* prizes = PageWithData(transfer, "RTB")) WritePrizes(*prizes, h, g);
  if (transfer.pensionDataPresent) WritePensions(transfer, h, a, j);
  WriteCapital(transfer, h, b);
  WriteFunds(session, g);
  const bool spouses = h == f100::kDeclarant || h == f100::kSpouse;
  if (spouses && HasPage(transfer, "DN") && transfer.donations.any) WriteDonations(transfer, h, o, p);
  if (spouses && HasPage(transfer, "PH") && transfer.mortgage.hasData) WriteMortgage(transfer, h, o);
}

void ApplyFiscalData(const FiscalTransfer& transfer, const ImportSession& session, doc::CRentaDoc& document) {
  std::span<std::uint8_t> block = document.Block();
  if (block.size() < f100::kBlockSize) return;
  WriteFiscalData(transfer, session, block);
  document.Model().WrittenAll();
  document.Calculate(1);
  const bool joint = document.Modality() == 1;
  for (int check : {203, 204, 209, 205}) checks::CarryOverPerHolder(check, block.data(), joint);
}

}  // namespace fiscal
