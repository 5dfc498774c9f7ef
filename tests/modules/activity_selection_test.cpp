// The activity boxes of pages 4 and 5: their selection edit opens "Seleccionar Actividad" on the
// row's activity and writes the chosen one into the row.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>

#include "blocks/form100_e4.h"
#include "blocks/form100_e5.h"
#include "modules/activity_select_dlg.h"
#include "modules/activity_selection.h"
#include "modules_fixture.h"
#include "platform/strings.h"
#include "support/ui_helpers.h"
#include "ui/box_field.h"
#include "ui/sel_str_edit.h"

namespace {

using Dlg = CSeleccionarActividadDlg;
namespace e4 = f100::sec_e4;
namespace e5 = f100::sec_e5;

class ActivityBox : public modtest::ModulesDbTest {
 protected:
  void SetUp() override { platform::SetLanguage('e'); }
  // The box of a row as the page binds it: the row's first byte as its second pointer.
  void Bind(const char* dialog, unsigned char* row) {
    box.StrValidac = "S5";
    box.ApplyFormatSpec();
    box.NombreVent = dialog;
    box.option = row;
  }
  static QListWidget* List(QDialog& d, int id) { return qobject_cast<QListWidget*>(static_cast<Dlg&>(d).GetDlgItem(id)); }
  static void Click(QListWidget* l, const QString& text) {
    const auto found = l->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    l->scrollToItem(found[0]);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(found[0]).center());
    QApplication::processEvents();
  }
  // Runs the dialog with `script` once it is on screen; the dialog is closed if the script did not.
  static modules::RunDialog Scripted(std::function<void(QDialog&)> script) {
    return [script](QDialog& d) {
      QTimer::singleShot(0, &d, [&d, script] {
        QApplication::processEvents();
        script(d);
        if (d.isVisible()) d.reject();
      });
      return static_cast<Dlg&>(d).DoModal();
    };
  }
  static void Accept(QDialog& d) {
    QTest::mouseClick(qobject_cast<QPushButton*>(static_cast<Dlg&>(d).GetDlgItem(ui::IDOK)), Qt::LeftButton);
  }

  CBoxField box;
};

TEST_F(ActivityBox, TheBusinessActivityBoxWritesTheChosenActivityAndItsModules) {
  std::array<unsigned char, e4::kRowSize> row{};
  Bind("IDD_SELIAE", row.data());
  CSelStrEdit edit(&box, conn());
  const int r = modules::SelectBusinessActivity(edit, Scripted([&](QDialog& d) {
    Click(List(d, Dlg::kSectorListId), "647");
    Click(List(d, Dlg::kEpigraphListId), "647.2");
    Accept(d);
  }));
  EXPECT_EQ(r, ui::IDOK);
  EXPECT_EQ(e4::Activity.get(row.data()), 30);
  EXPECT_EQ(e4::Epigraph.trimmed(row.data()), "647.2");
  EXPECT_GT(e4::module::Kind.get(row.data() + e4::kModules), 0) << "its modules";
  // Opened again, the row's activity is selected; cancelled, the row stays.
  std::string selected;
  const int again = modules::SelectBusinessActivity(edit, Scripted([&](QDialog& d) {
    selected = List(d, Dlg::kEpigraphListId)->currentItem()->text().toStdString();
    d.reject();
  }));
  EXPECT_EQ(again, ui::IDCANCEL);
  EXPECT_EQ(selected, "647.2");
  EXPECT_EQ(e4::Activity.get(row.data()), 30);
}

TEST_F(ActivityBox, TheAgrarianKeyBoxWritesTheChosenKey) {
  std::array<unsigned char, e5::kRowSize> row{};
  Bind("IDD_SELCLAVE", row.data());
  CSelStrEdit edit(&box, conn());
  const int r = modules::SelectAgrarianActivity(edit, Scripted([&](QDialog& d) {
    Click(List(d, Dlg::kSectorListId), "B");
    Accept(d);
  }));
  EXPECT_EQ(r, ui::IDOK);
  EXPECT_EQ(row[1], 'B');
  EXPECT_GT(e5::Activity.get(row.data()), 0);
  EXPECT_EQ(row[16], 255) << "a new activity's questions unanswered";
}

// The registered openers are what the selection edits of the boxes run.
TEST_F(ActivityBox, TheSelectionEditsOpenTheRegisteredSelection) {
  modules::RegisterActivitySelection();
  for (std::string_view name : {modules::kBusinessSelection, modules::kAgrarianSelection})
    EXPECT_TRUE(ui::IsSelectionOpenerRegistered(name)) << name;
  std::array<unsigned char, e5::kRowSize> row{};
  Bind("IDD_SELCLAVE", row.data());
  CSelStrEdit edit(&box, conn());
  bool shown = false;
  qxtest::WhenModal([&](QWidget* modal) {
    auto* d = qobject_cast<Dlg*>(modal);
    shown = d != nullptr;
    if (modal) static_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(edit.OpenSelection(0), ui::IDCANCEL);
  EXPECT_TRUE(shown);
  EXPECT_EQ(row[1], 0);
}

}  // namespace
