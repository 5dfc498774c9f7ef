// Opens an annex dialog the way a box does: through a launcher edit named after its launch entry,
// on a fixture block, with a script run on the modal dialog once it is on screen.
#pragma once

#include <QAbstractButton>
#include <QTest>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/ui_helpers.h"
#include "ui/launcher_edit.h"
#include "ui/template_dlg.h"

namespace annextest {

struct Launched {
  int result = 0;         // what the launch returned
  int dialogResult = -1;  // how the dialog ended
};

// `descriptor`: "NAME", "NAME*n" or "NAME*n*m" (variant index n, holder mode m).
inline Launched Launch(const std::string& descriptor, std::vector<std::uint8_t>& block,
                       const std::function<void(CTemplateDlg&)>& script) {
  Launched out;
  CDialogLauncherEdit l(8, 2, descriptor);
  l.SetOption(block.data());
  qxtest::WhenModal([&](QWidget* m) {
    auto* d = dynamic_cast<CTemplateDlg*>(m);
    ASSERT_NE(d, nullptr);
    script(*d);
    out.dialogResult = d->result();
    if (d->isVisible()) static_cast<QAbstractButton*>(d->GetDlgItem(ui::IDCANCEL))->click();
  });
  out.result = l.Launch();
  return out;
}

// Real keys into one edit, then Tab away from it.
inline void TypeInto(CTemplateDlg& d, int id, const QString& keys) {
  QWidget* e = d.GetDlgItem(id);
  ASSERT_NE(e, nullptr) << id;
  e->setFocus();
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}

inline void Press(CTemplateDlg& d, int id) {
  auto* b = qobject_cast<QAbstractButton*>(d.GetDlgItem(id));
  ASSERT_NE(b, nullptr) << id;
  b->click();
}

}  // namespace annextest
