// Opening an annex dialog the way the program does: a launcher edit naming its dialog, over a
// fixture declaration whose bytes outside the annex block must never change.
#pragma once

#include <QAbstractButton>
#include <QTest>

#include <cstdint>
#include <functional>
#include <vector>

#include "blocks/form100.h"
#include "support/member_view.h"
#include "support/ui_helpers.h"
#include "ui/launcher_edit.h"
#include "ui/template_dlg.h"

namespace annextest {

// A whole form-100 block, every byte a pattern, published as the open declaration's block.
class FixtureDeclaration {
 public:
  FixtureDeclaration() : bytes(published_.Model().Block()) { std::fill(bytes.begin(), bytes.end(), 0xA5); }
  FixtureDeclaration(const FixtureDeclaration&) = delete;
  FixtureDeclaration& operator=(const FixtureDeclaration&) = delete;
  std::uint8_t* at(std::size_t offset) { return bytes.data() + offset; }

 private:
  qxtest::PublishedDeclaration published_;

 public:
  qxtest::BlockBytes bytes;
};

inline void Press(CTemplateDlg& d, int id) {
  auto* b = d.Item<QAbstractButton>(id);
  ASSERT_NE(b, nullptr) << id;
  b->click();
}

// Runs `act` in the dialog that a launcher edit named `descriptor` opens on `annexPointer` (a block
// or a pointer list); returns what the launcher returned.
inline int Launch(const char* descriptor, void* annexPointer, std::function<void(CTemplateDlg&)> act) {
  CDialogLauncherEdit launcher(8, 2, descriptor);
  launcher.SetOption(annexPointer);
  qxtest::WhenModal([&](QWidget* m) {
    auto* d = dynamic_cast<CTemplateDlg*>(m);
    ASSERT_NE(d, nullptr);
    act(*d);
    if (d->isVisible()) Press(*d, ui::IDCANCEL);
  });
  return launcher.Launch();
}

// Focus, keys, Tab: the edit stores its value as it loses the focus.
inline void TypeInto(CTemplateDlg& d, int id, const QString& keys) {
  QWidget* e = d.GetDlgItem(id);
  ASSERT_NE(e, nullptr) << id;
  e->setFocus();
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}


}  // namespace annextest
