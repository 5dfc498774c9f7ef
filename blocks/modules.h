// Records of one activity of the modules database while it is being chosen or shown: the
// activity and each of its modules, held as fixed blocks of zero-terminated single-byte texts
// (the widths are those of the receiving buffers; a text keeps at most width - 1 characters).
// They live in memory only; what the declaration keeps is copied out of them.
#pragma once

#include <string_view>

#include "blocks/field.h"

namespace mods {

// Writes a zero-terminated text: at most width - 1 bytes, zero bytes after them.
inline void SetZText(void* rec, blocks::Text f, std::string_view v) {
  blocks::Text{f.off, f.width - 1}.set(rec, v, '\0');
  *blocks::at(rec, f.off + f.width - 1) = 0;
}

// The activity (CDatosIae).
namespace iae {
inline constexpr std::size_t kSize = 144;
inline constexpr blocks::F64 IdIae{0};
inline constexpr blocks::Text CodSector{8, 33};
inline constexpr blocks::Text Descripcio{41, 86};
inline constexpr blocks::Text Epigrafe{127, 9};  // the chosen epigraph: five characters are used
inline constexpr blocks::I32 IvaOp{136};
static_assert(CodSector.off == IdIae.off + 8 && Descripcio.off == CodSector.off + CodSector.width);
static_assert(Epigrafe.off == Descripcio.off + Descripcio.width && IvaOp.off == Epigrafe.off + Epigrafe.width);
static_assert(IvaOp.off + 4 + 4 == kSize, "four bytes of padding keep the record 8-aligned");
}  // namespace iae

// One module of an activity (CModulo).
namespace modulo {
inline constexpr std::size_t kSize = 144;
inline constexpr blocks::F64 IdModulo{0};
inline constexpr blocks::F64 Importe{8};  // income tax: net yield per unit; VAT: accrued quota per unit
inline constexpr blocks::Text DesLarga{16, 44};
inline constexpr blocks::Text DesCorta{60, 26};
inline constexpr blocks::Text DesA15{86, 16};
inline constexpr blocks::Text UniLarga{102, 24};
inline constexpr blocks::Text UniCorta{126, 18};
static_assert(DesCorta.off == DesLarga.off + DesLarga.width && DesA15.off == DesCorta.off + DesCorta.width);
static_assert(UniLarga.off == DesA15.off + DesA15.width && UniCorta.off == UniLarga.off + UniLarga.width);
static_assert(UniCorta.off + UniCorta.width == kSize);
}  // namespace modulo

}  // namespace mods
