// A check-mark box that stands for a small registered dialog: any key, a double click or its "..."
// button opens the dialog the box names, hands it the box's marks (or block) and takes them back
// when the user confirms.
#pragma once

#include <QPointer>

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "ui/box_edit.h"
#include "ui/companion_button.h"

namespace ui {
// How a registered sub-dialog exchanges its data with the box's option word.
// Block10: two 5-byte groups that lie side by side in the declaration, at the option word.
enum class SubDialogData : unsigned char { OneField5, TwoFields5, Block368, Block72, Block10 };
struct SubDialogEntry {
  const char* name;
  int id;
  const char* className;
  SubDialogData data;
};
std::span<const SubDialogEntry> SubDialogTable();
const SubDialogEntry* FindSubDialog(std::string_view name);
// The option word of a box with two 5-byte fields.
struct FieldPair {
  void* first = nullptr;
  void* second = nullptr;
};
}  // namespace ui

class CSubDialogEdit : public CBoxEdit {
  Q_OBJECT
 public:
  explicit CSubDialogEdit(CBoxField* box, QWidget* parent = nullptr);
  // A field of a dialog: the name serves as dialog name and title.
  CSubDialogEdit(int width, const std::string& dialogName, QWidget* parent = nullptr);
  ~CSubDialogEdit() override;

  void CreateOpenButton();
  // 2 handled, 1 refused (a message was shown).
  int OpenSubDialog();
  const std::string& DialogName() const { return name_; }
  int VariantIndex() const { return n_; }

  int StoreToData() override { return 1; }
  void LoadFromData(int mode) override;
  int IsInputAllowed() const override { return 1; }
  int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) override;
  int FilterKeyDown(int key, int repeat, int flags) override;
  bool HandleKey(int key, Qt::KeyboardModifiers mods) override;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  std::string name_;
  std::string title_;
  int n_ = 0;
  int m_ = 0;
  QPointer<ui::CCompanionButton> button_;
};

// Plain message boxes of the box editors ("No existe dato a editar" ...), by string id, through
// the message service.
namespace ui {
void ShowPlainMessage(QWidget* parent, int stringId);
}  // namespace ui
