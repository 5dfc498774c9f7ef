// Import of last year's wealth-tax declarations: each chosen form-714 declaration of the
// previous edition's store becomes a new declaration of this year's store that keeps the
// descriptions of its rows (texts, codes, holders) and none of its amounts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/db/ado.h"
#include "data/store/store.h"

namespace store::previous {

// One range carried over: rows of a fixed size followed by a tail (the section's total), at
// this year's and last year's offsets. A section may hold a second run of rows.
struct CarriedRange {
  const char* record;
  std::size_t thisOffset;
  std::size_t lastOffset;
  int rows;
  std::size_t rowSize;  // 72 (one amount at +64) or 64 (amounts at +48 and +56)
  std::size_t tail;     // bytes after the rows (zeroed)
  int rows2 = 0;        // a second run after the first tail
  std::size_t tail2 = 0;
  constexpr std::size_t Bytes() const { return rows * rowSize + tail + rows2 * rowSize + tail2; }
};

inline constexpr CarriedRange kCarried[] = {
    {"Form714SectionB", 1688, 1688, 21, 72, 8},
    {"Form714SectionC", 3216, 3216, 14, 72, 8, 13, 16},
    {"Form714SectionD", 5184, 5184, 14, 72, 8},
    {"Form714SectionE", 6760, 6752, 16, 72, 8},
    {"Form714SectionF1", 7920, 7912, 16, 72, 8},
    {"Form714SectionF2", 9080, 9072, 15, 72, 8},
    {"Form714SectionG1", 10176, 10168, 13, 72, 8},
    {"Form714SectionG2", 11120, 11112, 19, 72, 8},
    {"Form714SectionG3", 12496, 12488, 14, 72, 8},
    {"Form714SectionG4", 13520, 13512, 11, 72, 8},
    {"Form714SectionH1", 14320, 14312, 6, 72, 8},
    {"Form714SectionH2", 14760, 14752, 6, 72, 8},
    {"Form714SectionI", 15200, 15192, 6, 72, 8},
    {"Form714SectionJ", 15640, 15632, 6, 64, 8},
    {"Form714SectionK", 16040, 16032, 14, 72, 8},
    {"Form714SectionL", 17056, 17048, 10, 72, 8},
    {"Form714SectionM", 17784, 17776, 9, 64, 8},
    {"Form714SectionN", 18368, 18360, 7, 72, 8},
    {"Form714SectionO", 18888, 18880, 5, 72, 8},
    {"Form714SectionP", 19256, 19248, 5, 72, 8},
    {"Form714SectionQ", 19624, 19616, 12, 72, 8},
    {"Form714Debts", 20496, 20488, 13, 72, 8},
};
static_assert(kCarried[0].Bytes() == 1520 && kCarried[1].Bytes() == 1968 && kCarried[5].Bytes() == 1088 &&
              kCarried[13].Bytes() == 392 && kCarried[16].Bytes() == 584 && kCarried[17].Bytes() == 512);

// Section A: only the first 57 bytes of each of its 21 rows.
inline constexpr std::size_t kRowsAOffset = 160;
inline constexpr int kRowsA = 21;
inline constexpr std::size_t kRowASize = 72;
inline constexpr std::size_t kRowACarried = 57;
// The two NIFs of Form714Personal (9 characters and a terminator); the second lies one byte
// earlier last year.
inline constexpr std::size_t kNifOffset = 6286, kLastNifOffset = 6286;
inline constexpr std::size_t kSecondNifOffset = 6458, kLastSecondNifOffset = 6457;
inline constexpr std::size_t kNifBytes = 10;

// Zeroes, in last year's block, every row amount and section total of the carried ranges and
// the amounts of section A's rows.
void ClearPreviousAmounts(std::span<std::uint8_t> lastYear);
// This year's block: zeros, then the ranges above copied from last year's block.
void ConvertPreviousBlock(std::span<const std::uint8_t> lastYear, std::span<std::uint8_t> thisYear);

inline constexpr int kCannotOpen = 82;  // string "Imposible inicializar la Base de Datos RED"

class PreviousYearImport {
 public:
  explicit PreviousYearImport(DeclarationStore& current) : current_(current) {}

  // Opens last year's store read-only; a file that is no such store shows kCannotOpen.
  bool Open(const std::string& path);
  // Last year's form-714 keys without trailing blanks, sorted ascending.
  std::vector<std::string> Declarations();
  // FALSE (with the store-full text) when `selected` more would exceed `limit`.
  bool CheckDeclarationLimit(std::size_t selected, int limit = kMaxDeclarations);
  // For a name taken this year: the new name, or nullopt to skip that declaration.
  using ResolveTaken = std::function<std::optional<std::string>(std::string_view name)>;
  // Imports the named declarations in one transaction, the store holding at most `limit`;
  // 1 when every row was written.
  int ImportSelected(std::span<const std::string> names, const ResolveTaken& resolve, int limit = kMaxDeclarations);
  // "&Aceptar": the limit, the import, the success message. FALSE keeps the dialog open.
  bool Confirm(std::span<const std::string> names, const ResolveTaken& resolve, int limit = kMaxDeclarations);

 private:
  DeclarationStore& current_;
  db::CAdoConnection last_{"DatRed 2002"};
};

}  // namespace store::previous
