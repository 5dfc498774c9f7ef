// Dialog templates as tables: one row per control (id, kind, text, grid place, group box, editor
// width). One builder turns a table into widgets and grid layouts; every widget keeps its id.
#pragma once

#include <QString>

#include <functional>
#include <span>

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
  Radio,      // radio buttons of one parent form one group
  Edit,       // CEditEx: free text of `width` characters
  Alfa,       // CAlfaEdit: names
  ANum,       // CANumEdit: numeric codes
  Money,      // CMoneda: `width` integer digits, `decimals`
  Double,     // CDoubleEdit
  Date,       // CDateEdit: width 8 (ddmmyyyy) or 6
  Integer,    // CIntegerEdit
  Count,      // CCountEdit
  YesNo,      // CYesNoEdit
  Custom,     // made by the dialog's CreateCustomControl (lookup, holder, selection editors)
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
};

struct DialogTemplate {
  int id = 0;                   // the template id
  const char* caption = nullptr;
  int captionId = 0;
  std::span<const ControlDef> controls;
};

// Makes one control of a table row; null for a kind it does not know (Custom).
QWidget* CreateControl(const ControlDef& def, QWidget* parent);

// Builds the whole table into `host` (which gets a grid layout); `custom` makes Custom rows.
void BuildTemplate(QWidget* host, const DialogTemplate& t,
                   const std::function<QWidget*(const ControlDef&, QWidget* parent)>& custom = {});

// The caption of a row: its string-table text when it names one, else its text.
QString ControlText(const ControlDef& def);

}  // namespace ui
