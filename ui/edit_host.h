// How bound edits talk to the window that holds them (a dialog, a property page or the page view):
// notifications with the control id, and the keys that move between fields or boxes.
#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

namespace ui {

// Notification codes; the first three are the platform's edit notifications.
enum EditNotify : int {
  kEnSetFocus = 0x0100,
  kEnKillFocus = 0x0200,
  kEnChange = 0x0300,
  kNotifyValueCleared = 0x401,    // lookup and holder editors
  kNotifySubDialogValue = 0x402,  // sub-dialog and launcher editors
  kNotifyValueStored = 0x403,     // yes/no, holder and lookup editors
  kNotifyEnterTab = 0x404,        // every bound edit, before its validation
  kBnClicked = 0,
};

// Dialog results.
enum DialogResult : int { IDOK = 1, IDCANCEL = 2 };

class IEditHost {
 public:
  virtual ~IEditHost() = default;
  // Dialogs and property pages move between fields on Tab/Up/Down; the page view between boxes.
  virtual bool IsDialogHost() const = 0;
  // A notification from control `id`; answers the handler's result.
  virtual int OnCommand(int id, int code) = 0;
  // A key that the edit passes on (Up, Down, Tab ...).
  virtual void OnHostKeyDown(int key, Qt::KeyboardModifiers mods) = 0;
  // A character that the edit passes on (Enter, Tab, Esc).
  virtual void OnHostChar(int ch, Qt::KeyboardModifiers mods) = 0;
  // The floating menu of the page view (dialogs use the edit's own context menu).
  virtual void ShowFloatingMenu(const QPoint& globalPos) {}
};

// The nearest window above `w` that holds edits.
IEditHost* FindEditHost(const QWidget* w);

// Control ids live on every widget of a dialog as the property "qx_id".
int ControlId(const QWidget* w);
void SetControlId(QWidget* w, int id);
// The child of `root` with that control id (searching the whole tree), or null.
QWidget* FindControl(const QWidget* root, int id);

}  // namespace ui
