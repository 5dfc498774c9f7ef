// A wealth-tax return as its taxpayer makes it, through the windows of the assembled program and
// nothing else: the program runs every dialog and message box itself, and each step of the script
// waits for the next modal window, checks that it is the one expected (its title, the texts and
// buttons the user sees) and works it through its widgets. No message, file or dialog of the
// program is replaced; only the printer device is a PDF file.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QCheckBox>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "annex/cambiodomicilio_dlg.h"
#include "annex/pimpextr_dlg.h"
#include "app/app_texts.h"
#include "app/declaration_document.h"
#include "app/intro_dialog.h"
#include "app/main_frame.h"
#include "app/program_assembly.h"
#include "journey_fixture.h"
#include "ui/messages.h"
#include "blocks/form714.h"
#include "blocks/form714_sections.h"
#include "blocks/numtext.h"
#include "data/calc/form714_calculation.h"
#include "data/store/index_controller.h"
#include "forms/filing/filing_dialogs.h"
#include "forms/print/print714_dlg.h"
#include "forms/print/print_selection_dlg.h"
#include "forms/view/form_views.h"
#include "forms/view/goto_page_dlg.h"
#include "platform/strings.h"
#include "print_steps.h"
#include "support/modal_driver.h"
#include "ui/avisos_errores_dlg.h"
#include "ui/lista_edit.h"
#include "ui/controls/file_dialog_ex.h"
#include "ui/edit_host.h"
#include "ui/grid/rejilla_ctrl.h"
#include "ui/lista_edit.h"
#include "ui/message_dlg.h"
#include "ui/store/store_dialogs.h"
#include "ui/store/transfer_dialogs.h"

namespace {

using namespace app;
namespace sid = store::index_id;
using Index = ui::store_dlg::CIndiceDeclaracionesDlg;

QString Caption(int id) { return platform::LoadString(id).remove(QLatin1Char('&')); }
QString Plain(QString s) { return s.remove(QLatin1Char('&')).trimmed(); }

// Control `id` of `w`, which the user must see.
QWidget* Visible(QWidget& w, int id) {
  QWidget* c = ui::FindControl(&w, id);
  EXPECT_NE(c, nullptr) << "control " << id << " of " << w.metaObject()->className();
  if (!c) return nullptr;
  EXPECT_TRUE(c->isVisible()) << "control " << id << " of " << w.metaObject()->className() << " is hidden";
  return c;
}
// A click on control `id`, a button that must read `caption` and be enabled.
void Press(QWidget& w, int id, const QString& caption) {
  auto* b = qobject_cast<QAbstractButton*>(Visible(w, id));
  if (!b || !b->isVisible()) {
    ADD_FAILURE() << "no button \"" << caption.toStdString() << "\" on " << w.metaObject()->className();
    if (auto* d = qobject_cast<QDialog*>(&w)) d->reject();
    return;
  }
  EXPECT_EQ(Plain(b->text()), Plain(caption)) << "button " << id;
  EXPECT_TRUE(b->isEnabled()) << "button \"" << caption.toStdString() << "\" is disabled";
  QTest::mouseClick(b, Qt::LeftButton);
}
// The user clicks into field `id` of `w`, replaces what it holds by `keys` and leaves it with Tab.
void Fill(QWidget& w, int id, const QString& keys) {
  QWidget* e = Visible(w, id);
  if (!e) return;
  EXPECT_TRUE(e->isEnabled()) << "field " << id;
  QTest::mouseClick(e, Qt::LeftButton);
  if (auto* l = qobject_cast<QLineEdit*>(e)) l->selectAll();
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}
// The user opens the list of field `id` (Alt+Down) and picks the line that begins with `line`.
void Pick(QWidget& w, int id, const QString& line) {
  auto* field = dynamic_cast<CListaEdit*>(Visible(w, id));
  ASSERT_NE(field, nullptr) << "field " << id << " offers a list";
  QTest::mouseClick(field, Qt::LeftButton);
  QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
  QListWidget* list = field->List();
  ASSERT_TRUE(list && list->isVisible()) << "the list of field " << id << " is open";
  for (int r = 0; r < list->count(); ++r)
    if (list->item(r)->text().startsWith(line)) {
      list->setCurrentRow(r);
      QTest::keyClick(list, Qt::Key_Return);
      return;
    }
  ADD_FAILURE() << "no line " << line.toStdString() << " in the list of field " << id << ": "
                << (list->count() ? list->item(0)->text().toStdString() : std::string()) << " | "
                << (list->count() > 1 ? list->item(1)->text().toStdString() : std::string());
}
std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class Journey714 : public apptest::JourneyTest {
 protected:
  void Start() {
    app::AppOptions o = Options();
    o.runIntroduction = {};  // the introduction runs as it does for the user
    program = std::make_unique<CRentaApp>(std::move(o));
    assembly = std::make_unique<CProgramAssembly>(*program);
    ASSERT_EQ(program->InitInstance(), CRentaApp::Start::Running);
    Settle();
  }
  // Runs the steps the last action left waiting; a step that never came fails.
  void Settle() {
    EXPECT_TRUE(drive.RunUntilDone(20000)) << "the window never came: " << drive.Next();
    QCoreApplication::processEvents();
  }
  // A command from the main frame's menus, as the user picks it.
  void Command(int id) {
    CMainFrame* f = program->MainFrame();
    f->UpdateCommandStates();
    QAction* action = nullptr;
    for (QAction* top : f->menuBar()->actions())
      if (top->menu())
        for (QAction* item : top->menu()->actions())
          if (!action && item->data().toInt() == id) action = item;
    if (action) {
      ASSERT_TRUE(action->isVisible() && action->isEnabled()) << "command " << id;
      action->trigger();
    } else if (QWidget* button = f->ToolBar()->widgetForAction(f->Action(id)); button && button->isVisible()) {
      ASSERT_TRUE(button->isEnabled()) << "command " << id;
      QTest::mouseClick(button, Qt::LeftButton);
    } else {
      // A command that only its keys give.
      QAction* keys = f->Action(id);
      ASSERT_TRUE(keys && !keys->shortcut().isEmpty() && keys->isEnabled()) << "command " << id;
      keys->trigger();
    }
    Settle();
  }
  CDeclarationDocument* Current() { return assembly->CurrentDeclaration(); }
  std::uint8_t* Block() { return Current()->Document().Block().data(); }
  forms::CFormView* Page() { return Current() ? Current()->View() : nullptr; }

  // "Ir a página": the number typed, Enter.
  void GoTo(int page, int code) {
    drive.Expect<forms::CIrPaginaDlg>("go to page", [page](forms::CIrPaginaDlg& d) {
      QWidget* number = Visible(d, forms::CIrPaginaDlg::kIdNumber);
      if (!number) return static_cast<QDialog&>(d).reject();
      QTest::keyClicks(number, QString::number(page));
      QTest::keyClick(number, Qt::Key_Return);
    });
    Command(ID_GO_TO_PAGE);
    ASSERT_NE(Page(), nullptr);
    ASSERT_EQ(Page()->GetPageCode(), code);
    EXPECT_TRUE(Page()->window()->windowTitle().contains(QString::number(page))) << "the title names the page";
  }
  // A click on box `position` of the page shown (scrolled into view first).
  void ClickBox(int position) {
    forms::CFormView* page = Page();
    const QRect area = page->GetBox(position - 1)->Area();
    page->ScrollTo(QPoint(0, std::max(0, area.top() - 40)));
    QApplication::processEvents();
    // Near the box's left edge: a box that opens a dialog has its button on the right.
    const QPoint at(area.left() + std::min(8, area.width() / 4), area.center().y());
    QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, at - page->ScrollPosition());
    ASSERT_EQ(page->EditedBox(), position - 1) << "the click opens box " << position;
  }
  // Box `position` clicked, `keys` typed, Tab.
  void TypeInBox(int position, const QString& keys) {
    ClickBox(position);
    QTest::keyClicks(Page()->Editor(), keys);
    QTest::keyClick(Page()->Editor(), Qt::Key_Tab);
    QApplication::processEvents();
  }
  // The figure box `position` of the page shows, read back as a number.
  double Shown(int position) {
    CBoxField* box = Page()->GetBox(position - 1);
    box->UpdateText();
    const std::string text = box->displayText.trimmed().remove(u'.').replace(u',', u'.').toStdString();
    return text.empty() ? 0.0 : blocks::ParseDecimal(text, nullptr);
  }
  QString ShownText(int position) {
    CBoxField* box = Page()->GetBox(position - 1);
    box->UpdateText();
    return box->displayText.trimmed();
  }
  // The message box that follows, read and closed with its only (or first) button.
  void ExpectMessage(const std::string& what, QString* text = nullptr) {
    drive.Expect(
        what, [](QWidget& w) { return w.inherits("CMessageDlg") || w.inherits("QMessageBox"); },
        [text](QWidget& w) {
          QStringList shown;
          for (QLabel* l : w.findChildren<QLabel*>())
            if (l->isVisible()) shown << l->text();
          if (text) *text = shown.join(QLatin1Char('\n'));
          for (QAbstractButton* b : w.findChildren<QAbstractButton*>())
            if (b->isVisible() && b->isEnabled()) return QTest::mouseClick(b, Qt::LeftButton);
          ADD_FAILURE() << "a message without a button";
          static_cast<QDialog&>(w).reject();
        });
  }

  qxtest::ModalDriver drive;
};

TEST_F(Journey714, AWealthTaxReturnThroughItsWindows) {
  namespace sum = f714::summary;
  const QString key = QStringLiteral("ORTEGA VIDAL, LUIS");

  // Start: the introduction, then the index with a new form-714 declaration.
  drive.Expect<CIntroDlg>("introduction", [](CIntroDlg& d) {
    EXPECT_EQ(d.windowTitle(), Text(kStrIntroCaption));
    qxtest::Click(d, Plain(Text(kStrIntroContinue)));
  });
  drive.Expect<Index>("declarations index", [&key](Index& d) {
    QWidget* name = Visible(d, sid::kKeyField);
    if (!name) return static_cast<QDialog&>(d).reject();
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClicks(name, key);
    Press(d, sid::kFormPatrimonio, platform::LoadString(94013));
    Press(d, sid::kAlta, platform::LoadString(94002));
  });
  Start();
  ASSERT_NE(Current(), nullptr);
  ASSERT_EQ(Current()->KindByte(), 3);
  ASSERT_NE(Page(), nullptr);
  EXPECT_EQ(Page()->GetPageCode(), 301);

  // Page 1: the surnames and name typed; the address box opened by the first key typed in it, the
  // keys typed on while its dialog opens dropped, the address typed in the dialog's fields.
  ClickBox(5);
  for (const char* part : {"ORTEGA", "VIDAL", "LUIS"}) {
    QTest::keyClicks(Page()->Editor(), QString::fromLatin1(part));
    QTest::keyClick(Page()->Editor(), Qt::Key_Tab);
  }
  ASSERT_EQ(Page()->EditedBox(), 7) << "Tab goes on to the address box";
  drive.Expect<CCambiodomicilioDlg>("address", [](CCambiodomicilioDlg& d) {
    using D = CCambiodomicilioDlg;
    // The rest of "CALLE", typed on while the dialog opened, lands in no field.
    QWidget* typedOn = QApplication::focusWidget();
    ASSERT_TRUE(typedOn && d.isAncestorOf(typedOn)) << "the dialog has the keys";
    QTest::keyClicks(typedOn, QStringLiteral("ALLE"));
    for (int id : {D::kStreetType, D::kStreet, D::kNumber, D::kPostalCode}) {
      if (auto* e = qobject_cast<QLineEdit*>(ui::FindControl(&d, id))) {
        EXPECT_TRUE(e->text().trimmed().isEmpty()) << "keys typed on while the dialog opened land in " << id;
      }
    }
    Pick(d, D::kStreetType, QStringLiteral("CALLE"));
    Fill(d, D::kStreet, QStringLiteral("MAYOR"));
    Fill(d, D::kNumber, QStringLiteral("12"));
    Pick(d, D::kProvince, QStringLiteral("Madrid"));
    Fill(d, D::kPostalCode, QStringLiteral("28013"));
    // The municipality of the postal code, picked by its name typed.
    QComboBox* towns = d.MunicipalityBox();
    ASSERT_TRUE(towns && towns->isVisible());
    towns->setFocus(Qt::TabFocusReason);  // Tab from the postal code
    QTest::keyClicks(towns, QStringLiteral("MADRID"));
    EXPECT_EQ(towns->currentText(), QStringLiteral("MADRID"));
    Fill(d, D::kTelephone, QStringLiteral("912345678"));
    Press(d, ui::IDOK, platform::LoadString(ui::kStrOkButton));
  });
  QString reminder;
  ExpectMessage("the address reminder", &reminder);
  // The user starts typing the street type in the box: its first letter opens the dialog.
  QTest::keyClick(Page()->Editor(), Qt::Key_C);
  Settle();
  EXPECT_FALSE(reminder.isEmpty()) << "the reminder to carry the address to the household's declarations";
  EXPECT_EQ(ShownText(8), QStringLiteral("CL"));
  EXPECT_EQ(ShownText(9), QStringLiteral("MAYOR"));
  EXPECT_EQ(ShownText(17), QStringLiteral("28013"));
  EXPECT_EQ(ShownText(5), QStringLiteral("ORTEGA"));
  // The region of residence, picked from the list its drop button opens.
  ClickBox(37);
  auto* region = dynamic_cast<CListaEdit*>(Page()->Editor());
  ASSERT_TRUE(region && region->Button() && region->Button()->isVisible()) << "the region box's drop button";
  QTest::mouseClick(region->Button(), Qt::LeftButton);
  ASSERT_NE(region->List(), nullptr);
  {
    QListWidget* list = region->List();
    int row = -1;
    for (int r = 0; r < list->count(); ++r)
      if (region->ItemText(r) == QStringLiteral("12")) row = r;
    ASSERT_GE(row, 0) << "Madrid in the list of regions";
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
  }
  EXPECT_EQ(ShownText(37), QStringLiteral("12")) << "the region of residence";

  // Assets on the section pages: a click on a row's description, the text, Tab, the amount, Tab.
  const auto typeRow = [&](int position, const char* description, const char* amount) {
    ClickBox(position);
    QTest::keyClicks(Page()->Editor(), QString::fromUtf8(description));
    QTest::keyClick(Page()->Editor(), Qt::Key_Tab);
    ASSERT_EQ(Page()->EditedBox(), position) << "Tab goes on to the amount";
    QTest::keyClicks(Page()->Editor(), QString::fromUtf8(amount));
    QTest::keyClick(Page()->Editor(), Qt::Key_Tab);
    QApplication::processEvents();
  };
  GoTo(2, 302);
  typeRow(119, "CUENTA A LA VISTA", "312450,75");
  GoTo(5, 305);
  typeRow(4, "ACCIONES COTIZADAS", "845000");
  GoTo(8, 308);
  typeRow(51, "PRÉSTAMO HIPOTECARIO", "96000,40");
  EXPECT_NEAR(Shown(52), 96000.40, 0.005);

  // Page 10: the tax paid abroad in the list of its box, opened with a double click.
  GoTo(10, 310);
  ClickBox(21);
  drive.Expect<CPimpextrDlg>("tax paid abroad", [](CPimpextrDlg& d) {
    QTest::mouseClick(Visible(d, CPimpextrDlg::kTaxPaid[0]), Qt::LeftButton);
    Fill(d, CPimpextrDlg::kTaxPaid[0], QStringLiteral("1200"));
    Fill(d, CPimpextrDlg::kNetValue[0], QStringLiteral("50000"));
    Press(d, ui::IDOK, platform::LoadString(ui::kStrOkButton));
  });
  QTest::mouseDClick(Page()->Editor(), Qt::LeftButton);
  Settle();
  const std::uint8_t* liq = f714::record(Block(), f714::Summary);
  EXPECT_DOUBLE_EQ(f714::liq::PaidTax.get(liq), 1200.0);
  EXPECT_DOUBLE_EQ(f714::liq::PaidValue.get(liq), 50000.0);

  // Calculation (the save calculates) against the library run on the same data.
  std::vector<std::uint8_t> expected(Block(), Block() + f714::kBlockSize);
  CalculateForm714(expected.data(), 1, Form714CalcContext{});
  Command(ID_FILE_SAVE);
  const std::uint8_t* s = f714::record(Block(), f714::Summary);
  EXPECT_DOUBLE_EQ(sum::TotalAssets.get(s), 312450.75 + 845000.0);
  EXPECT_DOUBLE_EQ(sum::Debts.get(s), 96000.40);
  for (const blocks::RecordDef& r : {f714::SectionB, f714::SectionG1, f714::Debts, f714::Summary, f714::Result})
    for (std::size_t at = 0; at + 8 <= r.size; at += 8) {
      double e = 0, a = 0;
      std::memcpy(&e, expected.data() + r.offset + at, 8);
      std::memcpy(&a, Block() + r.offset + at, 8);
      // Money to the cent: the order of the program's additions may move the last bit.
      if (std::memcmp(&e, &a, 8) != 0 && !(std::abs(e - a) < 0.005))
        ADD_FAILURE() << r.name << " +" << at << ": the library " << e << ", the program " << a;
    }
  EXPECT_GT(Shown(21), 0.0) << "a deduction for the tax paid abroad";
  // The result paid in cash (page 11's payment mark).
  GoTo(11, 311);
  TypeInBox(22, QStringLiteral("X"));
  EXPECT_EQ(ShownText(22), QStringLiteral("X"));
  GoTo(9, 309);
  EXPECT_NEAR(Shown(22), sum::TotalAssets.get(s), 0.005);
  EXPECT_NEAR(Shown(23), 96000.40, 0.005);
  EXPECT_NEAR(Shown(24), sum::NetWealth.get(s), 0.005);

  // Validation: the missing NIF is listed, a double click on its row goes to its box on page 1,
  // the NIF typed there, gone at the next validation.
  int nifRow = -1;
  QStringList listed;
  drive.Expect<checks::CAvisosErroresDlg>("findings", [&](checks::CAvisosErroresDlg& d) {
    auto* grid = dynamic_cast<CRejillaCtrl*>(d.Control(checks::CAvisosErroresDlg::kIdGrid));
    if (!grid || !grid->isVisible()) {
      ADD_FAILURE() << "the findings window shows no list";
      return d.reject();
    }
    // The codes as the list shows them; a double click on the row of the missing NIF.
    for (int r = grid->GetFixedRowCount(); r < grid->GetRowCount(); ++r)
      for (int c = 0; c < grid->GetColumnCount(); ++c) {
        const QString cell = grid->GetItemText(r, c).trimmed();
        if (cell.startsWith(QLatin1String("WIN")) || cell.startsWith(QLatin1String("PAT"))) listed << cell;
        if (nifRow < 0 && cell == QLatin1String("WIN041")) nifRow = r;
      }
    EXPECT_GE(nifRow, 0) << "the declarant's NIF is missing: " << listed.join(u' ').toStdString();
    if (nifRow < 0) return d.reject();
    grid->EnsureVisible(nifRow, 1);
    QRect cell;
    ASSERT_TRUE(grid->GetCellRect(nifRow, 1, cell));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  });
  Command(ID_ERRORS);
  ASSERT_EQ(Page()->GetPageCode(), 301) << "the finding's page";
  EXPECT_EQ(Page()->EditedBox(), 3) << "the finding's box, the NIF, is open";
  QTest::keyClicks(Page()->Editor(), QStringLiteral("12345678z"));
  QTest::keyClick(Page()->Editor(), Qt::Key_Tab);
  EXPECT_EQ(ShownText(4), QStringLiteral("12345678Z"));
  listed.clear();
  drive.Expect<checks::CAvisosErroresDlg>("findings after the correction", [&](checks::CAvisosErroresDlg& d) {
    auto* grid = dynamic_cast<CRejillaCtrl*>(d.Control(checks::CAvisosErroresDlg::kIdGrid));
    ASSERT_TRUE(grid && grid->isVisible());
    for (int r = grid->GetFixedRowCount(); r < grid->GetRowCount(); ++r)
      for (int c = 0; c < grid->GetColumnCount(); ++c) listed << grid->GetItemText(r, c).trimmed();
    Press(d, checks::CAvisosErroresDlg::kIdCancel, static_cast<QAbstractButton*>(d.Control(checks::CAvisosErroresDlg::kIdCancel))->text());
  });
  Command(ID_ERRORS);
  EXPECT_FALSE(listed.contains(QStringLiteral("WIN041"))) << listed.join(u' ').toStdString();
  EXPECT_FALSE(listed.contains(QStringLiteral("WIN006")) || listed.contains(QStringLiteral("100R080")))
      << listed.join(u' ').toStdString();

  // Printed into a PDF file through the print dialog (a declaration without findings prints
  // straight on); the reminder read.
  const std::string pdf = (data.Path() / "patrimonio.pdf").string();
  drive.Expect<forms::CPrint714Dlg>("print dialog", [&pdf](forms::CPrint714Dlg& d) {
    // The printer list's last line is the PDF file; the file's name typed in its field.
    auto* printers = d.findChild<QComboBox*>(QStringLiteral("printers"));
    ASSERT_TRUE(printers && printers->isVisible() && printers->count() > 0);
    printers->setFocus(Qt::TabFocusReason);
    QTest::keyClick(printers, Qt::Key_End);
    ASSERT_EQ(printers->currentIndex(), printers->count() - 1);
    auto* file = d.findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_TRUE(file && file->isVisible() && file->isEnabled()) << "the PDF file's name";
    QTest::mouseClick(file, Qt::LeftButton);
    file->selectAll();
    QTest::keyClicks(file, QString::fromStdString(pdf));
    qxtest::Click(d, Caption(99317));
  });
  drive.Expect<forms::CAtencion714Dlg>("reminder", [](forms::CAtencion714Dlg& d) {
    Press(d, ui::IDOK, static_cast<QAbstractButton*>(d.GetDlgItem(ui::IDOK))->text());
  });
  const std::size_t planned = apptest::PlannedSheetCount(*Current());
  Command(ID_FILE_PRINT);
  EXPECT_EQ(apptest::PdfSheets(pdf), planned);
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")});
  ASSERT_TRUE(text.waitForFinished(60000));
  EXPECT_TRUE(text.readAllStandardOutput().contains("12345678Z")) << "the NIF on the printed sheets";

  // The filing file named in its dialog.
  const std::string filed = (data.Path() / "12345678.714").string();
  drive.Expect<forms::CDlgInternet>("filing dialog", [&filed](forms::CDlgInternet& d) {
    const QFileInfo target(QString::fromStdString(filed));
    Fill(d, forms::kFolderEdit, target.path());
    Fill(d, forms::kFileNameEdit, target.fileName());
    auto* paper = qobject_cast<QCheckBox*>(Visible(d, forms::kPrintCopyCheck));
    EXPECT_TRUE(paper && paper->isChecked()) << "the paper copy of the filing is offered";
    Press(d, ui::IDOK, platform::LoadString(ui::kStrOkButton));
  });
  // Its paper copy printed through the print dialog into a second PDF file.
  const std::string copyPdf = (data.Path() / "copia-internet.pdf").string();
  drive.Expect<forms::CPrint714Dlg>("print dialog of the paper copy", [&copyPdf](forms::CPrint714Dlg& d) {
    auto* file = d.findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_TRUE(file && file->isVisible() && file->isEnabled()) << "the printer chosen before is the PDF file";
    QTest::mouseClick(file, Qt::LeftButton);
    file->selectAll();
    QTest::keyClicks(file, QString::fromStdString(copyPdf));
    qxtest::Click(d, Caption(99317));
  });
  Command(ID_FILE_SEND);
  EXPECT_GT(apptest::PdfSheets(copyPdf), 0u);
  const std::string file = ReadAll(filed);
  EXPECT_NE(file.find("<P301"), std::string::npos);
  EXPECT_NE(file.find("12345678Z"), std::string::npos);

  // Closed; every declaration exported to a file chosen in the file dialog; reopened from the
  // index, the values found again.
  Command(ID_FILE_CLOSE);
  ASSERT_EQ(Current(), nullptr);
  const std::string copy = data.Str() + "copia.ren";
  drive.Expect<ui::store_dlg::CExportacionDlg>("export list", [](ui::store_dlg::CExportacionDlg& d) {
    qxtest::Click(d, Caption(94031));
    Press(d, ui::IDOK, d.AcceptButton()->text());
  });
  drive.Expect<CFileDialogEx>("export file", [&copy](CFileDialogEx& d) {
    auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(name && name->isVisible());
    name->clear();
    QTest::keyClicks(name, QString::fromStdString(copy));
    QTest::keyClick(name, Qt::Key_Return);
  });
  drive.Expect<QMessageBox>("export done", [](QMessageBox& m) {
    EXPECT_FALSE(m.text().isEmpty());
    EXPECT_EQ(m.icon(), QMessageBox::Information) << "a success says so without a warning";
    QAbstractButton* ok = m.buttons().value(0);
    ASSERT_TRUE(ok && ok->isVisible() && ok->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
  });
  Command(ID_EXPORT);
  EXPECT_TRUE(std::filesystem::exists(copy));

  drive.Expect<Index>("index to reopen", [&key](Index& d) {
    QWidget* name = Visible(d, sid::kKeyField);
    EXPECT_EQ(static_cast<QLineEdit*>(name)->text().trimmed(), key) << "the one declaration is chosen";
    Press(d, sid::kSeleccionar, platform::LoadString(94007));
  });
  Command(ID_FILE_OPEN);
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(ShownText(4), QStringLiteral("12345678Z"));
  EXPECT_EQ(ShownText(9), QStringLiteral("MAYOR"));
  GoTo(2, 302);
  EXPECT_NEAR(Shown(120), 312450.75, 0.005);
  EXPECT_TRUE(drive.Unexpected().empty());
}

}  // namespace
