// Annex dialogs: a dialog over a copy of one annex block, declared by its control table (each
// control names its field) and, for row dialogs, its row layout. The bases carry the whole
// open / OK / Cancel protocol: the opener copies the block in, the edits are bound to the copy (row
// dialogs: to a working copy beside it), a member view of a household with several members opens
// read-only, row dialogs show only the member's rows, and the opener copies the block back only on
// OK. Annex classes are made by name through the registry, which the program fills at start-up.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/gestor.h"
#include "ui/template_dlg.h"

class QButtonGroup;

namespace ui {

// An annex pointer that is a list: item 0 the block, then what the page or dialog hands along.
struct AnnexPointerList {
  void* block = nullptr;
  void* item1 = nullptr;    // the address of a byte or of an 8-byte amount
  void* item2 = nullptr;    // the address of an 8-byte amount
  std::int32_t value = 0;   // a row index, an item index or a 4-byte value
  unsigned char holder = 0; // the holder code of the row that holds the box
  // The bytes the block holds (0: as many as the dialog's entry copies). A row's record may be
  // shorter than a dialog's annex block: the opener copies no more than both hold.
  std::int32_t size = 0;
};

// What the opener hands the constructor.
struct AnnexArgs {
  QWidget* parent = nullptr;
  int holderMode = 0;
  int extra = 0;
};

class IAnnexDialog {
 public:
  virtual ~IAnnexDialog() = default;
  virtual CTemplateDlg& Dialog() = 0;
  // The dialog's copy of its annex block: filled before the run, read back after OK.
  virtual std::span<std::uint8_t> AnnexBlock() = 0;
  // The further items of a pointer list (never copied back).
  virtual void SetListItems(const AnnexPointerList&) {}
};

using AnnexFactory = std::function<std::unique_ptr<IAnnexDialog>(const AnnexArgs&)>;
void RegisterAnnexClass(std::string_view className, AnnexFactory factory);
bool IsAnnexClassRegistered(std::string_view className);
// The names registered, in name order.
std::vector<std::string> RegisteredAnnexClasses();
// Null when no class of that name is registered.
std::unique_ptr<IAnnexDialog> CreateAnnexDialog(std::string_view className, const AnnexArgs& args);

template <class T>
void RegisterAnnex(std::string_view className) {
  RegisterAnnexClass(className, [](const AnnexArgs& a) -> std::unique_ptr<IAnnexDialog> { return std::make_unique<T>(a); });
}

// The rows of a row dialog: how many, where the first begins, the bytes per row, the holder byte's
// place in a row, and the control ids of the cells in column order (column 0 the holder selectors).
struct RowLayout {
  int rows = 0;
  int columns = 0;
  unsigned first = 0;
  unsigned stride = 0;
  unsigned holder = 0;
  std::span<const int> cells;
  bool workingCopy = true;  // edits bound to a working copy beside the block copy
};

// Binds the controls of a table to the fields they name, sets up the lookup, holder and launcher
// editors, and moves radio groups and multi-line texts in and out of their fields.
class AnnexBinder {
 public:
  AnnexBinder(QWidget* dialog, const DialogTemplate& tmpl) : dialog_(dialog), tmpl_(tmpl) {}
  // Holder mode into the holder selectors; lookup and launcher editors get their buttons.
  void SetUpEditors(int holderMode);
  // Every control with a field bound into `block` (row cells at their row's offset).
  void Bind(std::uint8_t* block, const RowLayout* rows = nullptr);
  // Every bound edit, radio group and multi-line text out of (false) or into (true) its field.
  void Exchange(bool save);
  // The fields of the spouse and the children are enabled only when the household has them.
  void ApplyHousehold();
  // The row of a cell id in the layout, or -1.
  static int RowOfCell(const RowLayout& rows, int id);
  std::uint8_t* BoundBlock() const { return block_; }

 private:
  struct Radio {
    int group;
    std::uint8_t* byte;
  };
  QWidget* dialog_;
  const DialogTemplate& tmpl_;
  std::uint8_t* block_ = nullptr;
  std::vector<Radio> radios_;
};

// A single-block annex dialog.
class CAnnexDlg : public CTemplateDlg, public IAnnexDialog {
  Q_OBJECT
 public:
  CAnnexDlg(const DialogTemplate& tmpl, std::size_t blockBytes, const AnnexArgs& args);
  // Hidden before the block goes: the focused edit stores into it as it loses the focus.
  ~CAnnexDlg() override { hide(); }

  CTemplateDlg& Dialog() override { return *this; }
  std::span<std::uint8_t> AnnexBlock() override { return block_; }
  std::uint8_t* Data() { return block_.data(); }
  // Stores every edit (true) or loads it (false).
  void UpdateAll(bool save) { binder_.Exchange(save); }
  // Opened in a member view of a household with several members: nothing can be changed.
  bool ReadOnlyView() const;

 protected:
  void OnInitDialog() override;
  void OnOK() override;
  // After binding, before loading: the dialog's own set-up.
  virtual void OnInitAnnex() {}
  // The checks of OK, after the edits were stored; false keeps the dialog open.
  virtual bool ValidateOK() { return true; }

  std::vector<std::uint8_t> block_;
  AnnexBinder binder_;
};

// A row annex dialog.
class CAnnexRowsDlg : public CGestorDlg, public IAnnexDialog {
  Q_OBJECT
 public:
  CAnnexRowsDlg(const DialogTemplate& tmpl, std::size_t blockBytes, const RowLayout& layout, const AnnexArgs& args);
  ~CAnnexRowsDlg() override { hide(); }

  CTemplateDlg& Dialog() override { return *this; }
  std::span<std::uint8_t> AnnexBlock() override { return block_; }
  // The copy the edits show (the working copy where there is one).
  std::uint8_t* Shown() { return layout_.workingCopy ? working_.data() : block_.data(); }
  const RowLayout& Layout() const { return layout_; }
  void UpdateAll(bool save) { binder_.Exchange(save); }
  std::uint8_t* Row(int row) { return Shown() + layout_.first + static_cast<std::size_t>(row) * layout_.stride; }

  // Row operations derived from the layout: the holder byte and the fields of the row's cells.
  int GetRowOwner(int row) const override;
  // The row's holder becomes 0.
  void ClearRowData(int row) override;
  // The row's fields become 0 (texts blanks) and its cells empty.
  void ClearRowControls(int row) override;
  // The holder and the fields of the cells go from one row to the other.
  void MoveRow(int destination, int source) override;
  // A common row in a spouse's or declarant's view: each spouse's share is half of every amount.
  void HandleCommonRow(int row) override;
  // The member's own row reads as the declarant's of the member's own return.
  void HandleOwnRow(int row) override;
  // The fields of the cells of the first row (the holder's left out).
  std::vector<FieldRef> RowFields() const;

 protected:
  void OnInitDialog() override;
  void OnOK() override;
  virtual void OnInitAnnex() {}
  virtual bool ValidateOK() { return true; }

  std::vector<std::uint8_t> block_;
  std::vector<std::uint8_t> working_;
  RowLayout layout_;
  const DialogTemplate& table_;
  AnnexBinder binder_;
};

}  // namespace ui
