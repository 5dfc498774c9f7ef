// The records of one activity loaded from the modules database: the activity (CDatosIae), its
// modules (CModulo), its income-tax part (CDatosIrpf) and its VAT part (CDatosIva), gathered in
// CDatosMod. They live only while an activity is being chosen or shown.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "blocks/modules.h"

namespace modules {

// Which part of the module data a module kind selects.
inline constexpr int kVatModules = 0;
inline constexpr int kIncomeTaxModules = 1;

class CDatosIae {
 public:
  double IdIae() const { return mods::iae::IdIae.get(bytes_.data()); }
  std::string_view CodSector() const { return mods::iae::CodSector.str(bytes_.data()); }
  std::string_view Descripcio() const { return mods::iae::Descripcio.str(bytes_.data()); }
  std::string_view Epigrafe() const { return mods::iae::Epigrafe.str(bytes_.data()); }
  std::int32_t IvaOp() const { return mods::iae::IvaOp.get(bytes_.data()); }

  void SetIdIae(double v) { mods::iae::IdIae.set(bytes_.data(), v); }
  // Texts in cp1252, cut to what the record holds.
  void SetCodSector(std::string_view v) { mods::SetZText(bytes_.data(), mods::iae::CodSector, v); }
  void SetDescripcio(std::string_view v) { mods::SetZText(bytes_.data(), mods::iae::Descripcio, v); }
  // The first five characters of the epigraph.
  void SetEpigrafe(std::string_view v) { mods::SetZText(bytes_.data(), {mods::iae::Epigrafe.off, 6}, v.substr(0, 5)); }
  void SetIvaOp(std::int32_t v) { mods::iae::IvaOp.set(bytes_.data(), v); }

  const std::array<unsigned char, mods::iae::kSize>& Bytes() const { return bytes_; }

 private:
  std::array<unsigned char, mods::iae::kSize> bytes_{};
};

class CModulo {
 public:
  double IdModulo() const { return mods::modulo::IdModulo.get(bytes_.data()); }
  double Importe() const { return mods::modulo::Importe.get(bytes_.data()); }
  std::string_view DesLarga() const { return mods::modulo::DesLarga.str(bytes_.data()); }
  std::string_view DesCorta() const { return mods::modulo::DesCorta.str(bytes_.data()); }
  std::string_view DesA15() const { return mods::modulo::DesA15.str(bytes_.data()); }
  std::string_view UniLarga() const { return mods::modulo::UniLarga.str(bytes_.data()); }
  std::string_view UniCorta() const { return mods::modulo::UniCorta.str(bytes_.data()); }

  void SetIdModulo(double v) { mods::modulo::IdModulo.set(bytes_.data(), v); }
  void SetImporte(double v) { mods::modulo::Importe.set(bytes_.data(), v); }
  void SetText(blocks::Text f, std::string_view cp1252) { mods::SetZText(bytes_.data(), f, cp1252); }

  const std::array<unsigned char, mods::modulo::kSize>& Bytes() const { return bytes_; }

 private:
  std::array<unsigned char, mods::modulo::kSize> bytes_{};
};

// The array is absent (nullopt) until the part's module rows are read.
struct CDatosIrpf {
  std::optional<std::vector<CModulo>> modules;
  double max_import = 0.0;
  std::int32_t max_person = 0;
};

struct CDatosIva {
  std::optional<std::vector<CModulo>> modules;
  double porcentaje = 0.0;
  double cuota = 0.0;
};

// Read access answers nothing (nullopt, null, 0) where the record is absent.
class CDatosMod {
 public:
  void Clear() {
    iae.reset();
    irpf.reset();
    iva.reset();
  }

  std::optional<double> GetIdIae() const { return iae ? std::optional(iae->IdIae()) : std::nullopt; }
  std::optional<std::string_view> GetCodSector() const { return iae ? std::optional(iae->CodSector()) : std::nullopt; }
  std::optional<std::string_view> GetDescripcio() const { return iae ? std::optional(iae->Descripcio()) : std::nullopt; }
  std::optional<std::string_view> GetEpigrafe() const { return iae ? std::optional(iae->Epigrafe()) : std::nullopt; }
  std::optional<std::int32_t> GetIvaOp() const { return iae ? std::optional(iae->IvaOp()) : std::nullopt; }

  std::optional<double> GetMaxImport() const { return irpf ? std::optional(irpf->max_import) : std::nullopt; }
  std::optional<std::int32_t> GetMaxPerson() const { return irpf ? std::optional(irpf->max_person) : std::nullopt; }
  std::optional<double> GetPorcentaje() const { return iva ? std::optional(iva->porcentaje) : std::nullopt; }
  std::optional<double> GetCuota() const { return iva ? std::optional(iva->cuota) : std::nullopt; }

  // `kind`: kIncomeTaxModules or kVatModules; any other kind selects nothing.
  bool HasModules(int kind) const { return Modules(kind) != nullptr; }
  int GetModuleCount(int kind) const {
    const auto* m = Modules(kind);
    return m ? static_cast<int>(m->size()) : 0;
  }
  const CModulo* GetModule(int kind, int index) const {
    const auto* m = Modules(kind);
    if (!m || index < 0 || index >= static_cast<int>(m->size())) return nullptr;
    return &(*m)[static_cast<std::size_t>(index)];
  }

  std::unique_ptr<CDatosIae> iae;
  std::unique_ptr<CDatosIrpf> irpf;
  std::unique_ptr<CDatosIva> iva;

 private:
  const std::vector<CModulo>* Modules(int kind) const {
    if (kind == kIncomeTaxModules && irpf && irpf->modules) return &*irpf->modules;
    if (kind == kVatModules && iva && iva->modules) return &*iva->modules;
    return nullptr;
  }
};

}  // namespace modules
