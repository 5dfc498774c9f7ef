#include "ui/edit_host.h"

#include <QVariant>
#include <QWidget>

namespace ui {

IEditHost* FindEditHost(const QWidget* w) {
  for (QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
    if (auto* h = dynamic_cast<IEditHost*>(p)) return h;
  return nullptr;
}

int ControlId(const QWidget* w) { return w ? w->property("qx_id").toInt() : 0; }

void SetControlId(QWidget* w, int id) { w->setProperty("qx_id", id); }

QWidget* FindControl(const QWidget* root, int id) {
  if (!root || id == 0) return nullptr;
  for (QWidget* c : root->findChildren<QWidget*>())
    if (ControlId(c) == id) return c;
  return nullptr;
}

}  // namespace ui
