// The code edit with description lookup: the user types the digits of a code (a municipality, a
// country, a tax office); a changed code is looked up in its table through the catalogue, a code the
// table does not hold is refused and the old one comes back, and the row's description is written
// into the description field the page attached (the link's target, 18 characters).
#pragma once

#include <string>

#include "ui/edit_ex.h"
#include "ui/lookup_catalogue.h"

namespace db {
class CAdoConnection;
}

class CCodigoDescripcion : public CEditEx {
  Q_OBJECT
 public:
  static constexpr std::size_t kDescriptionWidth = 18;
  CCodigoDescripcion(CBoxField* box, db::CAdoConnection* connection, QWidget* parent = nullptr);

  int BindData(void* field) override;
  unsigned GetEditStyle() const override { return CEditEx::GetEditStyle() | kStyleRight; }
  void SetLookupTable(const std::string& table) override;
  int IsNumeric() const override { return 1; }
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int CheckText(const QString& text) override;
  int StoreToData() override;
  // 1 found (the description written to the link's target), 0 not found (message shown).
  virtual int LookUpKey(const std::string& key);

  const ui::CatalogueRow& Catalogue() const { return catalogue_; }

 private:
  void ReadCatalogue();
  ui::LookupLink* Link() const { return box_ ? static_cast<ui::LookupLink*>(box_->option) : nullptr; }
  db::CAdoConnection* connection_;
  ui::CatalogueRow catalogue_;
};
