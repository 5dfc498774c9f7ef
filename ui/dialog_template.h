// Dialog templates as tables: one row per control (id, kind, text, grid place, group box, editor
// width). One builder turns a table into widgets and grid layouts; every widget keeps its id.
#pragma once

#include <QString>

#include <functional>
#include <span>

#include "blocks/field.h"

class QWidget;

namespace ui {

enum class Ctl {
  Static,     // a text label
  Legend,     // a label that the dialog fills at run time (holder legend, totals)
  GroupBox,   // a frame whose members name it in `group`
  Button,     // an owner-drawn push button
  Ok,         // the dialog's OK (id 1), Cancel (id 2) and Help (id 372) buttons
  Cancel,
  Help,
  CheckBox,
  Radio,      // radio buttons of one parent form one group; with a `radioGroup`, that group
  Edit,       // CEditEx: free text of `width` characters
  Alfa,       // CAlfaEdit: names
  ANum,       // CANumEdit: numeric codes
  Money,      // CMoneda: `width` integer digits, `decimals`
  Double,     // CDoubleEdit
  Date,       // CDateEdit: width 8 (ddmmyyyy) or 6
  Integer,    // CIntegerEdit
  Count,      // CCountEdit
  YesNo,      // CYesNoEdit
  Custom,     // made by the dialog's CreateCustomControl
  Box,        // CBoxEdit: a check mark ("X") bound to one byte
  Combo,      // a combo box (list filled by the dialog)
  ListBox,    // a list box (filled by the dialog)
  MultiLine,  // CEditEx of `width` characters on several lines
  Lista,      // CListaEdit of `width` characters over the lookup table `table`
  Titular,    // CTitularEdit: a holder selector (the dialog's holder mode)
  Launcher,   // CDialogLauncherEdit: `width` digits, `decimals`; `table` is its descriptor
};

// Per-control options of a table row.
enum CtlOption : unsigned {
  kOptNegatives = 1u << 0,      // a number edit accepts a minus sign
  kOptNoApostrophe = 1u << 1,   // a text edit refuses the apostrophe
  kOptMemberEditable = 1u << 2, // the edit may be typed in a member view
  kOptDisabled = 1u << 3,       // created disabled
  kOptReadOnly = 1u << 4,       // created read-only
  // One field per member: enabled only when the household has that member (annex dialogs).
  kOptSpouse = 1u << 5,
  kOptChild1 = 1u << 6,
  kOptChild2 = 1u << 7,
};

// The field of an annex block that a control shows: its kind, offset and width in the block (for a
// row dialog, the offset in the first row; the row layout gives the stride).
struct FieldRef {
  enum Kind : unsigned char { None, F64, I32, U8, Text } kind = None;
  unsigned off = 0;
  unsigned width = 0;
  constexpr FieldRef() = default;
  constexpr FieldRef(blocks::F64 f) : kind(F64), off(static_cast<unsigned>(f.off)), width(8) {}
  constexpr FieldRef(blocks::I32 f) : kind(I32), off(static_cast<unsigned>(f.off)), width(4) {}
  constexpr FieldRef(blocks::U8 f) : kind(U8), off(static_cast<unsigned>(f.off)), width(1) {}
  constexpr FieldRef(blocks::Text f)
      : kind(Text), off(static_cast<unsigned>(f.off)), width(static_cast<unsigned>(f.width)) {}
  constexpr bool Bound() const { return kind != None; }
};

// String ids of the common buttons' captions.
enum CommonTextId : int { kStrOkButton = 61, kStrCancelButton = 65 };

struct ControlDef {
  int id = 0;                  // the control id (0 for labels nobody addresses)
  Ctl kind = Ctl::Static;
  const char* text = nullptr;  // UTF-8 caption, or null
  int textId = 0;              // string-table id of the caption (wins over `text` when set)
  int row = 0, col = 0;
  int rowSpan = 1, colSpan = 1;
  int group = 0;               // id of the group box that holds it; 0 = the dialog's grid
  int width = 0, decimals = 0; // editors
  bool hidden = false;
  FieldRef field{};            // the annex field it shows (annex dialogs bind it themselves)
  unsigned options = 0;        // CtlOption bits
  const char* table = nullptr; // lookup table file ("PAISES_E.TAB") or launcher descriptor
  int radioGroup = 0;          // radio buttons: one logical group, whatever their group boxes
  int code = 0;                // radio buttons: the code byte that the button stands for
};

struct DialogTemplate {
  int id = 0;                   // the template id
  const char* caption = nullptr;
  int captionId = 0;
  std::span<const ControlDef> controls;
  int helpTopic = 0;            // the help topic of button 372 (0: the general topic 1)
};

// Makes one control of a table row; null for a kind it does not know (Custom).
QWidget* CreateControl(const ControlDef& def, QWidget* parent);

// The least width at which a control shows what its row says it holds (digits, characters, caption).
void FitToContents(QWidget* w, const ControlDef& d);
// Applies the CtlOption bits of a row to its control.
void ApplyOptions(QWidget* w, unsigned options);

// Builds the whole table into `host` (which gets a grid layout); `custom` makes Custom rows.
void BuildTemplate(QWidget* host, const DialogTemplate& t,
                   const std::function<QWidget*(const ControlDef&, QWidget* parent)>& custom = {});

// The caption of a row: its string-table text when it names one, else its text.
QString ControlText(const ControlDef& def);

}  // namespace ui
