// What one import of a "datos fiscales" file carries from its transfer pages into the declaration:
// the amounts each page accumulated from its marked rows, the identification values, the pension,
// donation and mortgage totals, and the objects shared by every member imported in one run of the
// entry dialog (the fund table and its counts). The transfer pages fill it; `ApplyFiscalData`
// writes it into the open form-100 declaration. Texts are the file's Windows-1252 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace doc {
class CRentaDoc;
}

namespace fiscal {

// The amounts of one transfer page: index k is the k-th accumulated amount of the page.
struct PageAmounts {
  std::vector<int> used;         // amount indexes in the order first used
  std::string text;              // emptied, not otherwise used
  std::vector<double> amounts;   // grown as indexes appear
  bool hasData = false;

  double At(std::size_t k) const { return k < amounts.size() ? amounts[k] : 0.0; }
  void Add(std::size_t k, double value);  // grows `amounts`, records k in `used` once
  void Clear() { *this = {}; }
};

// The "DI" page: index 1 name, 2 first surname, 3 second surname, 4 street type, 5 street,
// 6 house number, 8 stairs, 9 floor, 10 door, 11 postal code, 12 municipality, 13 province;
// 0 and 7 stay empty.
using Identification = std::array<std::string, 14>;

// Regime rows 1 to 5 (index r - 1) of 13 amounts each.
using PensionPlanMatrix = std::array<std::array<double, 13>, 5>;

struct DisabledContribution {
  double amount = 0;
  std::string nif;  // 9 characters
  int member = 0;
};

struct DonationTotals {
  double stateA = 0, stateB = 0, state10 = 0;
  double community7At10 = 0, community7At15 = 0;
  double community8 = 0, community9 = 0, community10 = 0, community12 = 0;
  double community17At20 = 0, community17At5 = 0, community17At10 = 0;
  double community13Regional = 0, community3 = 0;
  double community5At10 = 0, community5At20 = 0;
  bool any = false;
  bool community3Flag = false, community5Flag = false, community7Flag = false, community8Flag = false,
       community9Flag = false, community10Flag = false, community12Flag = false, community17Flag = false,
       community13Flag = false;
};

struct MortgageTotals {
  double withinTwoYears = 0;       // paid within two years of the acquisition
  double later = 0;                // paid later
  double withoutRequirements = 0;  // acquisition without the financing requirements
  double construction = 0;
  bool hasData = false;
};

struct FundEntry {
  int member = 0;  // 0: free
  std::string nif;
  std::array<double, 5> amounts{};
};

// Shared by every member imported in one run of the entry dialog (DFFundTable, DFFundCount,
// DFDisabledNifCount, DFSpouseRegimeUsed).
struct ImportSession {
  std::array<FundEntry, 16> funds{};
  int fundCount = 0;
  int disabledNifCount = 0;
  bool spouseRegimeUsed = false;

  void ClearFunds() { funds = {}; }
};

inline constexpr int kPageSlots = 20;  // slots 1 to 19; slot 0 not used

// The wizard's data model as far as the declaration needs it.
struct FiscalTransfer {
  int member = 1;           // 1 declarant, 2 spouse, 3 child 1, 4 child 2
  int memberRegion = 0;     // two-digit community code of the member
  int householdRegion = 0;  // of the family unit
  // The record key of the page in slot k; empty for an empty slot (slots after the last page).
  std::array<std::string, kPageSlots> pageKeys{};
  std::array<PageAmounts, kPageSlots> pages{};
  Identification identification{};
  PensionPlanMatrix pensions{};
  bool pensionDataPresent = false;
  bool spouseRegimeMark = false;
  std::array<DisabledContribution, 4> disabled{};
  int disabledCount = 0;
  int fundCount = 0;
  DonationTotals donations{};
  MortgageTotals mortgage{};
  std::vector<std::string> mortgageDates;  // one date text per item of the "PH" page

  // The slot of a key: the first of slots 1..19 that is empty or holds that key; 0 when all 19
  // hold other keys.
  int SlotOf(std::string_view key) const;
};

// Writes the transfer into a form-100 block (the rows and fields of each key), without
// calculating. Pure code over the block's bytes.
void WriteFiscalData(const FiscalTransfer& transfer, const ImportSession& session,
                     std::span<std::uint8_t> block);

// WriteFiscalData into the document's block, then the document's full calculation and the
// carry-over checks of the work-income rows (203, 204, 209, 205).
void ApplyFiscalData(const FiscalTransfer& transfer, const ImportSession& session, doc::CRentaDoc& document);

}  // namespace fiscal
