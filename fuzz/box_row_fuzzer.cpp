// Box-definition rows of any content: the format column read as the boxes read it, the amount
// format normalised, the rectangle scaled. Nothing may read or write out of bounds, and the
// normalised amount format is a fixed point.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "ui/box_definition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 17) return 0;
  ui::ControlRow row;
  std::int32_t coor[4];
  std::memcpy(coor, data, sizeof coor);
  for (int i = 0; i < 4; ++i) row.coor[i] = coor[i];
  const double scale = (data[16] % 40 + 1) / 10.0;
  const std::string_view spec(reinterpret_cast<const char*>(data + 17), size - 17);
  row.strValidac = std::string(spec.substr(0, 15));  // the column's width

  const ui::BoxFormat f = ui::ReadFormatSpec(row.strValidac);
  if (f.occurrences < 0 || f.occurrences > 9) std::abort();
  const std::string amount = ui::NormalizedAmountSpec(row.strValidac);
  if (amount.empty() || amount[0] != 'R' || ui::NormalizedAmountSpec(amount) != amount) std::abort();
  const ui::BoxFormat g = ui::ReadFormatSpec(amount);
  if (g.width < 0 || g.decimals < 0) std::abort();
  (void)ui::ScaledRect(row, scale);
  // The whole input as one format too, longer than any column.
  (void)ui::ReadFormatSpec(spec);
  (void)ui::NormalizedAmountSpec(spec);
  return 0;
}
