// The drop-down lookup edit: a bound edit with a square drop button at its right edge and a pop-up
// list of the rows of a lookup table, which table and which columns read from the catalogue TABLAS.
// Typing a letter finds the first row whose description begins with it; a blank or Delete clears.
#pragma once

#include <QPointer>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/edit_ex.h"
#include "ui/companion_button.h"
#include "ui/lookup_catalogue.h"

class QFrame;
class QListWidget;

namespace db {
class CAdoConnection;
}
namespace ui {
constexpr int kLookupListId = 456;
}  // namespace ui

class CListaEdit : public CEditEx {
  Q_OBJECT
 public:
  // Over a box descriptor (the page view's editor of a lookup box).
  CListaEdit(CBoxField* box, db::CAdoConnection* connection, QWidget* parent = nullptr);
  // For dialog fields: owns a text descriptor of `width` characters.
  explicit CListaEdit(int width, db::CAdoConnection* connection = ui::LookupConnection(), QWidget* parent = nullptr);
  ~CListaEdit() override;

  // --- CEditEx ---
  void SetLookupTable(const std::string& table) override;
  void Paste() override {}
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
  bool HandleKey(int key, Qt::KeyboardModifiers mods) override;
  int CheckText(const QString&) override { return kTextValid; }

  // --- the lookup edit's own operations ---
  // The row whose key is `key`: its description and its filter column's value (unchanged when none).
  virtual void LookUpKey(const std::string& key, std::string& description, std::string& filterValue);
  // A typed character (upper case): 0 the value was taken, 1 the caller opens the list.
  virtual int SearchWithFilter(char32_t ch);
  // The selected line becomes the value; 1 normally.
  virtual int ApplySelection();
  // Fills the open list; 0 when the list is refused.
  virtual int LoadTable();

  // Places the drop button (unless read-only) and reads the catalogue row again.
  unsigned SetupControl();
  void ReadCatalogue();
  void ToggleList();
  void CloseList();
  bool ListOpen() const { return popup_ != nullptr; }
  QListWidget* List() const { return list_; }
  ui::CCompanionButton* Button() const { return button_; }
  const ui::CatalogueRow& Catalogue() const { return catalogue_; }
  bool CatalogueRead() const { return catalogueRead_; }
  ui::LookupLink* Link() const { return box_ ? static_cast<ui::LookupLink*>(box_->option) : nullptr; }
  db::CAdoConnection* Connection() const { return connection_; }
  // The item text (the key) of a list line.
  QString ItemText(int line) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  // The table of the interface language.
  std::string TableName() const;
  // The filter of LoadTable; nothing and a message when the list is refused.
  bool BuildFilter(db::Filter& out);
  void AddLine(const QString& text, const QString& item);
  void FitListToContents();
  void EnterChosen();
  // Browsing the open list writes each line it passes over: Escape puts back what the field,
  // the link's target and the edit held when the list opened.
  void KeepBeforeList();
  void RestoreBeforeList();
  // The bound field's text (the shown member's run).
  std::string BoundText() const;
  // Writes `value` (UTF-8) into the link's target, at most its width.
  void WriteTarget(const std::string& value, bool padToWidth);

  db::CAdoConnection* connection_ = nullptr;
  ui::CatalogueRow catalogue_;
  bool catalogueRead_ = false;
  QPointer<ui::CCompanionButton> button_;
  QFrame* popup_ = nullptr;
  QListWidget* list_ = nullptr;
  std::vector<QString> items_;
  bool filling_ = false;
  bool toggling_ = false;
  std::vector<std::uint8_t> fieldBefore_, targetBefore_;
  QString textBefore_;
  bool modifiedBefore_ = false;
  // Set once the user moves in the open list: the row the list makes current when it takes the
  // focus is not a choice.
  bool browsing_ = false;
};

// The lookup edit of the activity-heading dialog: reads on its own connection and, since several
// headings share a number, takes the row of the section that the link's filter source names.
class CListaEpigrafe : public CListaEdit {
  Q_OBJECT
 public:
  CListaEpigrafe(int width, db::CAdoConnection* connection, QWidget* parent = nullptr);
  void LookUpKey(const std::string& key, std::string& description, std::string& filterValue) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
};
