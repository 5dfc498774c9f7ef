// A new income-tax return start to finish as the user meets it: the program runs its own windows
// (no hook answers a dialog or a message for it) and every step waits for the next window on
// screen, checks what it shows and acts on it through its widgets: keys typed into its fields,
// clicks on its boxes, lists and buttons. Only the printer stands outside the program: Qt's print
// dialog, driven by its widgets, prints to a PDF file. With QX_SCREENSHOTS set to a folder every
// step leaves a picture of its window there (scripts/screenshots.sh).
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "annex/asignacion_tributaria_dlg.h"
#include "annex/cambiodomicilio_dlg.h"
#include "annex/rdto_trabajo_dlg.h"
#include "annex/resumen_declaraciones_dlg.h"
#include "annex/tipo_captura_datos_dlg.h"
#include "app/declaration_document.h"
#include "app/intro_dialog.h"
#include "app/main_frame.h"
#include "app/program_assembly.h"
#include "journey_fixture.h"
#include "ui/messages.h"
#include "blocks/family_entries.h"
#include "checks/avisos_model.h"
#include "forms/filing/filing_dialogs.h"
#include "forms/print/member_selection_dlg.h"
#include "forms/print/print_selection_dlg.h"
#include "forms/view/form_views.h"
#include "forms/view/goto_page_dlg.h"
#include "platform/strings.h"
#include "print_steps.h"
#include "support/modal_driver.h"
#include "support/ui_helpers.h"
#include "ui/avisos_errores_dlg.h"
#include "ui/box_field.h"
#include "ui/dialog_template.h"
#include "ui/edit_host.h"
#include "ui/grid/rejilla_ctrl.h"
#include "ui/lista_edit.h"
#include "ui/message_dlg.h"
#include "ui/store/store_dialogs.h"
#include "ui/store/transfer_dialogs.h"
#include "wizards/comprobacion_dlg.h"
#include "wizards/datos_fam.h"
#include "wizards/datos_fiscales_dlg148.h"

namespace {

using namespace app;

constexpr int kAddressCaption = 97610;  // "DOMICILIO ACTUAL"

using JourneyBase = apptest::JourneyTest;


// The text of a PDF file as pdftotext reads it.
std::string PdfText(const std::string& pdf) {
  const std::string txt = pdf + ".txt";
  const std::string command = "pdftotext -layout '" + pdf + "' '" + txt + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(txt);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
// A window of the road fits a 1280x800 screen. With QX_SCREENSHOTS set to a folder, it is also
// saved there as form100-NN-<step>.png.
void Shot(QWidget& w, const char* step) {
  static int number = 0;
  const QSize size = w.window()->frameGeometry().size();
  EXPECT_TRUE(size.width() <= 1280 && size.height() <= 800)
      << step << ": " << size.width() << "x" << size.height() << " does not fit a 1280x800 screen";
  const QString folder = qEnvironmentVariable("QX_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QCoreApplication::processEvents();
  const QString name = QStringLiteral("%1/form100-%2-%3.png").arg(folder).arg(++number, 2, 10, QLatin1Char('0')).arg(QString::fromLatin1(step));
  EXPECT_TRUE(w.window()->grab().save(name)) << name.toStdString();
}
// The window on screen becomes the active one, as the window manager makes it.
void Front(QWidget& w) {
  if (QApplication::activeWindow() == w.window()) return;
  QApplication::setActiveWindow(w.window());
  // Offscreen, a main window left without a child may not report the activation: go on anyway.
  (void)QTest::qWaitForWindowActive(w.window(), 200);
}
// The control `id` of window `w`, visible and enabled as the user finds it.
QWidget* Control(QWidget& w, int id) {
  Front(w);
  QWidget* c = ui::FindControl(&w, id);
  EXPECT_TRUE(c && c->isVisible() && c->isEnabled()) << "control " << id << " of " << w.metaObject()->className();
  return c;
}
// A click into the field, the keys typed, Tab.
void TypeIn(QWidget& w, int id, const QString& keys, bool tab = true) {
  QWidget* c = Control(w, id);
  if (!c) return;
  QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(4, c->height() / 2));
  c->setFocus();
  qxtest::Type(c, keys);
  if (tab) QTest::keyClick(c, Qt::Key_Tab);
  QCoreApplication::processEvents();
}
// Opens the list of the lookup box `id` and picks the line that reads `item`.
void ChooseFromList(QWidget& w, int id, const QString& item) {
  auto* box = dynamic_cast<CListaEdit*>(Control(w, id));
  ASSERT_NE(box, nullptr) << id;
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
  QListWidget* list = box->List();
  ASSERT_NE(list, nullptr) << id;
  const auto found = list->findItems(item, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << item.toStdString();
  // The arrow keys' work: the line becomes the current one, Enter takes it.
  list->setCurrentItem(found[0]);
  QTest::keyClick(list, Qt::Key_Return);
  QCoreApplication::processEvents();
}
// A mouse click on the button `caption` (the press takes the focus, as the user's click does).
void Press(QWidget& w, const QString& caption) {
  Front(w);
  QAbstractButton* b = qxtest::ButtonNamed(w, caption);
  ASSERT_NE(b, nullptr) << "no button " << caption.toStdString() << " on " << w.metaObject()->className();
  ASSERT_TRUE(b->isEnabled()) << caption.toStdString();
  QTest::mouseClick(b, Qt::LeftButton);
}
QString OkCaption() { return QString(platform::LoadString(ui::kStrOkButton)).remove(QLatin1Char('&')); }

// The tax-assignment question answered "No deseo marcar ninguna".
void NoTaxAssignment(CAsignacionTributariaDlg& d) {
  Shot(d, "asignacion");
  QList<QWidget*> choices;
  for (QLineEdit* e : d.findChildren<QLineEdit*>())
    if (e->isVisible()) choices.append(e);
  ASSERT_EQ(choices.size(), 3);
  EXPECT_FALSE(qxtest::ButtonNamed(d, OkCaption())->isEnabled()) << "nothing chosen yet";
  QTest::mouseClick(choices[1], Qt::LeftButton);
  choices[1]->setFocus();
  QTest::keyClicks(choices[1], QStringLiteral("X"));
  Press(d, OkCaption());
}

class JourneyForm100 : public JourneyBase {
 protected:
  qxtest::ModalDriver* road = nullptr;
  CDeclarationDocument* Current() { return assembly->CurrentDeclaration(); }
  forms::CFormView* Page() { return Current() ? Current()->View() : nullptr; }
  static bool Settle(const std::function<bool()>& done) {
    for (int i = 0; i < 400 && !done(); ++i) QTest::qWait(5);
    return done();
  }
  // A command as the user gives it: its toolbar button when it has one, else its menu item.
  void Command(int id) {
    CMainFrame* f = program->MainFrame();
    Front(*f);
    if (Page() && !QApplication::focusWidget()) Page()->setFocus();
    f->UpdateCommandStates();
    QAction* action = f->Action(id);
    if (action && f->ToolBar() && f->ToolBar()->isVisible())
      if (auto* button = qobject_cast<QAbstractButton*>(f->ToolBar()->widgetForAction(action))) {
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << "toolbar button of command " << id;
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
        return;
      }
    action = nullptr;
    for (QMenu* menu : f->findChildren<QMenu*>())
      for (QAction* item : menu->actions())
        if (!action && item->data().toInt() == id) action = item;
    if (!action && f->Action(id) && !f->Action(id)->shortcut().isEmpty()) {
      // Its keys, pressed where the user is.
      const QKeyCombination keys = f->Action(id)->shortcut()[0];
      QWidget* at = QApplication::focusWidget() ? QApplication::focusWidget() : f;
      QTest::keyClick(at, keys.key(), keys.keyboardModifiers());
      QCoreApplication::processEvents();
      return;
    }
    ASSERT_NE(action, nullptr) << "command " << id << " is in no menu";
    ASSERT_TRUE(action->isEnabled()) << "command " << id;
    action->trigger();
    QCoreApplication::processEvents();
  }
  // The findings window: the codes it lists; the row of `review` (when given) clicked and
  // "Revisar" pressed, else "Cancelar".
  std::vector<std::string> Findings(const std::string& review = {}) {
    std::vector<std::string> listed;
    road->Expect<checks::CAvisosErroresDlg>("findings", [&listed, review](checks::CAvisosErroresDlg& d) {
      Shot(d, review.empty() ? "avisos-final" : "avisos");
      int row = 0;
      for (std::size_t i = 0; i < d.Model().Rows().size(); ++i) {
        listed.push_back(d.Model().Rows()[i].code);
        if (!row && listed.back() == review) row = static_cast<int>(i) + 1;
      }
      if (review.empty()) return Press(d, QStringLiteral("Cancelar"));
      auto* grid = d.findChild<CRejillaCtrl*>();
      ASSERT_NE(grid, nullptr);
      ASSERT_GT(row, 0) << review << " is not listed: " << ::testing::PrintToString(listed);
      QRect cell;
      ASSERT_TRUE(grid->GetCellRect(row, 1, cell));
      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
      Press(d, QStringLiteral("Revisar"));
    });
    Command(ID_ERRORS);
    EXPECT_TRUE(road->RunUntilDone(5000));
    return listed;
  }
  // "Ir a página": the number typed, Enter.
  void GoToPage(int number) {
    qxtest::ModalDriver& drive = *road;
    drive.Expect<forms::CIrPaginaDlg>("go to page", [number](forms::CIrPaginaDlg& d) {
      TypeIn(d, forms::CIrPaginaDlg::kIdNumber, QString::number(number), false);
      QTest::keyClick(ui::FindControl(&d, forms::CIrPaginaDlg::kIdNumber), Qt::Key_Return);
    });
    Command(ID_GO_TO_PAGE);
    ASSERT_TRUE(drive.RunUntilDone(5000));
    ASSERT_EQ(Page()->GetPageCode(), 200 + number);
  }
  // Box `position` clicked, `keys` typed, Tab.
  void TypeInBox(int position, const QString& keys) {
    ClickBox(position);
    qxtest::Type(Page()->Editor(), keys);
    QTest::keyClick(Page()->Editor(), Qt::Key_Tab);
    QCoreApplication::processEvents();
  }
  // A click on box `position` (1-based) of the page shown.
  void ClickBox(int position) {
    forms::CFormView* page = Page();
    ASSERT_NE(page, nullptr);
    Front(*page);
    const QRect area = page->GetBox(position - 1)->Area();
    page->ScrollTo(QPoint(0, std::max(0, area.top() - 40)));
    QCoreApplication::processEvents();
    QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, area.center() - page->ScrollPosition());
    ASSERT_TRUE(Settle([&] { return page->EditedBox() == position - 1; }))
        << "box " << position << (page->GetBox(position - 1)->SoloLectur ? " (read-only)" : "") << " not open; open: "
        << page->EditedBox() + 1;
  }
};

TEST_F(JourneyForm100, ANewIncomeTaxReturnThroughTheWindowsTheUserSees) {
  qxtest::ModalDriver drive;
  road = &drive;
  drive.Expect<CIntroDlg>("introduction", [](CIntroDlg& w) {
    Shot(w, "introduccion");
    Press(w, QStringLiteral("Continuar"));
  });
  // The index: the name typed where the cursor stands, the form chosen, "Alta".
  drive.Expect<ui::store_dlg::CIndiceDeclaracionesDlg>("index", [](ui::store_dlg::CIndiceDeclaracionesDlg& w) {
    Front(w);
    EXPECT_FALSE(qxtest::ButtonNamed(w, QStringLiteral("Alta"))->isEnabled()) << "no name yet";
    QWidget* name = QApplication::focusWidget();
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QStringLiteral("GARCÍA LÓPEZ, MARÍA"));
    QRadioButton* income = nullptr;
    for (QRadioButton* r : w.findChildren<QRadioButton*>())
      if (r->isVisible() && QString(r->text()).remove(QLatin1Char('&')) == QStringLiteral("Renta")) income = r;
    ASSERT_NE(income, nullptr);
    QTest::mouseClick(income, Qt::LeftButton, {}, QPoint(6, income->height() / 2));
    EXPECT_TRUE(income->isChecked());
    Shot(w, "indice-alta");
    Press(w, QStringLiteral("Alta"));
  });
  drive.Expect<CTipoCapturaDatosDlg>("capture type", [](CTipoCapturaDatosDlg& w) {
    Shot(w, "tipo-captura");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TIPO DE CAPTURA DE DATOS"));
    Press(w, QStringLiteral("Continuar"));
  });
  drive.Expect<famwiz::CDatosFam>("wizard", [](famwiz::CDatosFam& w) {
    using P = famwiz::CDatosFam1;
    // Each page tells its step in the title; Finalizar only on the last one.
    const auto step = [&w](int n) {
      QCoreApplication::processEvents();
      EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral("Paso %1 de 5").arg(n))) << w.windowTitle().toStdString();
      EXPECT_EQ(qxtest::ButtonNamed(w, QStringLiteral("Finalizar")) != nullptr, n == 5) << n;
      EXPECT_EQ(qxtest::ButtonNamed(w, QStringLiteral("Siguiente")) != nullptr, n < 5) << n;
      Shot(w, qPrintable(QStringLiteral("asistente-paso%1").arg(n)));
    };
    step(1);
    TypeIn(w, P::kDeclNif, QStringLiteral("12345678Z"));
    TypeIn(w, P::kDeclBirth, QStringLiteral("15061970"));
    Press(w, QStringLiteral("Siguiente"));
    step(2);
    Press(w, QStringLiteral("Siguiente"));
    step(3);
    Press(w, QStringLiteral("Siguiente"));
    step(4);
    TypeIn(w, famwiz::CDatosFam2::MarkId(f100::family_wizard::kMale, 2), QStringLiteral("X"));
    Press(w, QStringLiteral("Siguiente"));
    step(5);
    ChooseFromList(w, famwiz::CComauto::kNameIds[1], QStringLiteral("MADRID"));
    auto* region = qobject_cast<QLineEdit*>(Control(w, famwiz::CComauto::kNameIds[1]));
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->text(), QStringLiteral("MADRID"));
    Press(w, QStringLiteral("Finalizar"));
  });
  drive.Expect<CMessageDlg>("regional deductions notice", [](CMessageDlg& m) {
    Shot(m, "aviso-autonomica");
    Press(m, OkCaption());
  });
  drive.Expect<famwiz::CComprobacionDatosFamiliaresDlg>("family summary", [](famwiz::CComprobacionDatosFamiliaresDlg& d) {
    Shot(d, "comprobacion");
    bool single = false;
    for (QLabel* l : d.findChildren<QLabel*>()) single = single || l->text() == QStringLiteral("SOLTERO");
    EXPECT_TRUE(single) << "the civil status typed";
    Press(d, OkCaption());
  });
  drive.Expect<CDatosFiscalesDlg148>("fiscal data", [](CDatosFiscalesDlg148& d) {
    Shot(d, "datos-fiscales");
    Press(d, QStringLiteral("Cumplimentar directamente la Declaración"));
  });
  app::AppOptions o = Options();
  o.runIntroduction = {};
  program = std::make_unique<CRentaApp>(std::move(o));
  assembly = std::make_unique<CProgramAssembly>(*program);
  program->InitInstance();
  EXPECT_TRUE(drive.RunUntilDone(5000));
  ASSERT_NE(Current(), nullptr);
  ASSERT_EQ(Page()->GetPageCode(), 201);
  EXPECT_EQ(Page()->GetBox(0)->displayText.trimmed(), QStringLiteral("12345678Z")) << "the wizard's NIF on page 1";
  Shot(*program->MainFrame(), "pagina1");
  // The address: F7 on its box opens the dialog.
  ClickBox(5);
  drive.Expect<CCambiodomicilioDlg>("address", [](CCambiodomicilioDlg& d) {
    using D = CCambiodomicilioDlg;
    EXPECT_EQ(d.windowTitle(), platform::LoadString(kAddressCaption));
    ChooseFromList(d, D::kStreetType, QStringLiteral("CALLE"));
    TypeIn(d, D::kStreet, QStringLiteral("MAYOR"));
    TypeIn(d, D::kNumber, QStringLiteral("12"));
    TypeIn(d, D::kPostalCode, QStringLiteral("28013"));
    QComboBox* town = d.MunicipalityBox();
    ASSERT_NE(town, nullptr);
    QTest::keyClicks(town->lineEdit(), QStringLiteral("MADRID"));
    TypeIn(d, D::kTelephone, QStringLiteral("915550000"));
    ChooseFromList(d, D::kProvince, QStringLiteral("Madrid"));
    EXPECT_EQ(d.Edit(D::kPostalCode)->text(), QStringLiteral("28013"));
    Shot(d, "domicilio");
    Press(d, OkCaption());
  });
  drive.Expect<CMessageDlg>("address notice", [](CMessageDlg& m) { Press(m, OkCaption()); });
  QTest::keyClick(Page()->Editor(), Qt::Key_F7);
  EXPECT_TRUE(drive.RunUntilDone(5000));
  EXPECT_EQ(Page()->GetBox(4)->displayText.trimmed(), QStringLiteral("CL"));
  GoToPage(2);
  ClickBox(3);
  drive.Expect<CRdtoTrabajoDlg>("work income", [](CRdtoTrabajoDlg& d) {
    TypeIn(d, CRdtoTrabajoDlg::CellId(0, 0), QStringLiteral("D"));
    TypeIn(d, CRdtoTrabajoDlg::CellId(1, 0), QStringLiteral("28000"));
    TypeIn(d, CRdtoTrabajoDlg::CellId(2, 0), QStringLiteral("4200"));
    TypeIn(d, CRdtoTrabajoDlg::CellId(8, 0), QStringLiteral("1780,40"));
    Shot(d, "rendimientos-trabajo");
    Press(d, OkCaption());
  });
  QTest::mouseDClick(Page()->Editor(), Qt::LeftButton);
  EXPECT_TRUE(drive.RunUntilDone(5000));
  EXPECT_EQ(Page()->GetBox(2)->displayText.trimmed(), QStringLiteral("28.000"));
  EXPECT_EQ(Page()->GetBox(14)->displayText.trimmed(), QStringLiteral("26.219,6")) << "net work income";
  Shot(*program->MainFrame(), "pagina2");
  GoToPage(15);
  ClickBox(69);
  drive.Expect<CTemplateDlg>("regional", [](CTemplateDlg& d) {
    TypeIn(d, 1394, QStringLiteral("D"));
    TypeIn(d, 1318, QStringLiteral("1000"));
    Shot(d, "deduccion-autonomica");
    Press(d, OkCaption());
  });
  QTest::keyClick(Page()->Editor(), Qt::Key_F7);
  EXPECT_TRUE(drive.RunUntilDone(5000));
  EXPECT_EQ(Page()->GetBox(68)->displayText.trimmed(), QStringLiteral("150")) << "15 % of the donation";
  Shot(*program->MainFrame(), "pagina15");
  drive.Expect<CResumenDeclaracionesDlg>("results summary", [](CResumenDeclaracionesDlg& d) {
    Shot(d, "resumen");
    Press(d, OkCaption());
  });
  Command(ID_RESULTS_SUMMARY);
  ASSERT_TRUE(drive.RunUntilDone(5000));

  // The findings: the declarant's missing name, reviewed; its box is open on page 1.
  std::vector<std::string> listed = Findings("WIN015");
  ASSERT_TRUE(Settle([&] { return Page() && Page()->GetPageCode() == 201 && Page()->EditedBox() == 1; }))
      << "page " << (Page() ? Page()->GetPageCode() : 0) << " box " << (Page() ? Page()->EditedBox() : -2);
  Front(*Page());
  for (const char* part : {"García", "López", "María"}) {
    Page()->Editor()->setFocus();
    qxtest::Type(Page()->Editor(), QString::fromUtf8(part));
    QTest::keyClick(Page()->Editor(), Qt::Key_Tab);
  }
  EXPECT_EQ(Page()->GetBox(1)->displayText.trimmed(), QStringLiteral("GARCIA")) << "the accent folded, nothing dropped";
  EXPECT_EQ(Page()->GetBox(2)->displayText.trimmed(), QStringLiteral("LOPEZ"));
  EXPECT_EQ(Page()->GetBox(3)->displayText.trimmed(), QStringLiteral("MARIA"));
  Shot(*program->MainFrame(), "corregido");
  listed = Findings("WIN030");
  EXPECT_EQ(std::find(listed.begin(), listed.end(), "WIN015"), listed.end()) << "gone once corrected";
  // Tax to pay, debited at once: the account typed on page 17.
  ASSERT_EQ(Page()->GetPageCode(), 217);
  EXPECT_EQ(Page()->GetBox(21)->displayText, QStringLiteral("X")) << "paid at once";
  EXPECT_EQ(Page()->GetBox(25)->displayText, QStringLiteral("X")) << "by direct debit";
  TypeInBox(27, QStringLiteral("2100"));
  TypeInBox(28, QStringLiteral("0418"));
  TypeInBox(29, QStringLiteral("45"));
  TypeInBox(30, QStringLiteral("0200051332"));
  Shot(*program->MainFrame(), "cuenta");
  listed = Findings();
  drive.Expect<forms::CSeleccionDeclaracionImprimirDlg>("print choice", [](forms::CSeleccionDeclaracionImprimirDlg& d) {
    Shot(d, "imprimir-seleccion");
    Press(d, OkCaption());
  });
  drive.Expect<checks::CAvisosErroresDlg>("findings before the print", [](checks::CAvisosErroresDlg& d) {
    Press(d, QStringLiteral("Imprimir"));
  });
  drive.Expect<CAsignacionTributariaDlg>("tax assignment question", NoTaxAssignment);
  drive.Expect<forms::CSeleccionDeclaracionImprimirDlg>("print choice, the member settled", [](forms::CSeleccionDeclaracionImprimirDlg& d) {
    Press(d, OkCaption());
  });
  // Qt's print dialog, in Castellano: the PDF printer, the file name typed, "Imprimir".
  const std::string pdf = (data.Path() / "renta.pdf").string();
  drive.Expect<QPrintDialog>("print dialog", [&pdf](QPrintDialog& d) {
    Shot(d, "imprimir");
    auto* printer = d.findChild<QComboBox*>();
    ASSERT_NE(printer, nullptr);
    EXPECT_TRUE(printer->currentText().contains(QStringLiteral("PDF"))) << printer->currentText().toStdString();
    QLineEdit* file = nullptr;
    for (QLineEdit* e : d.findChildren<QLineEdit*>())
      if (e->isVisible() && e->isEnabled()) file = e;
    ASSERT_NE(file, nullptr);
    QTest::mouseClick(file, Qt::LeftButton);
    file->selectAll();
    QTest::keyClick(file, Qt::Key_Backspace);
    QTest::keyClicks(file, QString::fromStdString(pdf));
    Press(d, QStringLiteral("Imprimir"));
  });
  drive.Expect<forms::CAtencion100Dlg>("reminder", [](forms::CAtencion100Dlg& d) {
    Shot(d, "atencion");
    Press(d, OkCaption());
  });
  const std::size_t planned = apptest::PlannedSheetCount(*Current());
  Command(ID_FILE_PRINT);
  ASSERT_TRUE(drive.RunUntilDone(10000));
  ASSERT_TRUE(std::filesystem::exists(pdf));
  EXPECT_EQ(apptest::PdfSheets(pdf), planned);
  EXPECT_NE(PdfText(pdf).find("GARCIA LOPEZ"), std::string::npos) << "the name on the printed sheets";

  // The filing file: the member, the findings' "Escribir", the folder and name typed, Aceptar.
  drive.Expect<forms::CSeleccionDeclaracionImprimirDlg>("filing choice", [](forms::CSeleccionDeclaracionImprimirDlg& d) {
    Shot(d, "fichero-seleccion");
    Press(d, OkCaption());
  });
  drive.Expect<checks::CAvisosErroresDlg>("findings before the file", [](checks::CAvisosErroresDlg& d) {
    Press(d, QStringLiteral("Escribir"));
  });
  drive.Expect<CAsignacionTributariaDlg>("tax assignment question again", NoTaxAssignment);
  const std::filesystem::path filed = data.Path() / "envio" / "12345678.100";
  std::filesystem::create_directories(filed.parent_path());
  drive.Expect<forms::CDlgInternet>("filing dialog", [&filed](forms::CDlgInternet& d) {
    Shot(d, "fichero");
    auto* folder = qobject_cast<QLineEdit*>(Control(d, forms::kFolderEdit));
    ASSERT_NE(folder, nullptr);
    folder->selectAll();
    QTest::keyClick(folder, Qt::Key_Backspace);
    QTest::keyClicks(folder, QString::fromStdString(filed.parent_path().string()));
    auto* name = qobject_cast<QLineEdit*>(Control(d, forms::kFileNameEdit));
    ASSERT_NE(name, nullptr);
    QTest::mouseClick(name, Qt::LeftButton);
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClicks(name, QString::fromStdString(filed.filename().string()));
    // The paper copy was printed already.
    auto* paper = qobject_cast<QCheckBox*>(Control(d, forms::kPrintCopyCheck));
    ASSERT_NE(paper, nullptr);
    if (paper->isChecked()) QTest::mouseClick(paper, Qt::LeftButton, {}, QPoint(6, paper->height() / 2));
    EXPECT_FALSE(paper->isChecked());
    Press(d, OkCaption());
  });
  Command(ID_FILE_SEND);
  ASSERT_TRUE(drive.RunUntilDone(10000));
  ASSERT_TRUE(std::filesystem::exists(filed)) << filed;
  {
    std::ifstream in(filed, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.substr(0, 5), "<T100");
    EXPECT_NE(text.find("12345678Z"), std::string::npos);
    EXPECT_NE(text.find("GARCIA"), std::string::npos);
  }

  // Closed, the changes saved.
  drive.Expect<QMessageBox>("save question", [](QMessageBox& m) {
    Shot(m, "guardar");
    EXPECT_TRUE(m.text().contains(QStringLiteral("GARCÍA LÓPEZ, MARÍA"))) << m.text().toStdString();
    Press(m, QStringLiteral("Sí"));
  });
  Command(ID_FILE_CLOSE);
  ASSERT_TRUE(drive.RunUntilDone(5000));
  ASSERT_TRUE(Settle([&] { return Current() == nullptr; })) << "the declaration closed";

  // Exported: every declaration chosen, the file named in the file dialog.
  drive.Expect<ui::store_dlg::CExportacionDlg>("export list", [](ui::store_dlg::CExportacionDlg& d) {
    Shot(d, "exportar");
    EXPECT_FALSE(qxtest::ButtonNamed(d, OkCaption())->isEnabled()) << "nothing chosen yet";
    Press(d, QStringLiteral("Seleccionar todas"));
    Press(d, OkCaption());
  });
  const std::string exported = (data.Path() / "copia.ren").string();
  drive.Expect<QFileDialog>("export file", [&exported](QFileDialog& d) {
    Shot(d, "exportar-fichero");
    QLineEdit* name = nullptr;
    for (QLineEdit* e : d.findChildren<QLineEdit*>())
      if (e->isVisible()) name = e;
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QString::fromStdString(exported));
    Press(d, QStringLiteral("Guardar"));
  });
  drive.Expect<QMessageBox>("export done", [](QMessageBox& m) {
    Shot(m, "exportado");
    EXPECT_EQ(m.icon(), QMessageBox::Information);
    Press(m, OkCaption());
  });
  Command(ID_EXPORT);
  ASSERT_TRUE(drive.RunUntilDone(10000));
  EXPECT_TRUE(std::filesystem::exists(exported));

  // Reopened from the index: its row chosen, "Seleccionar"; the values are there.
  drive.Expect<ui::store_dlg::CIndiceDeclaracionesDlg>("index again", [](ui::store_dlg::CIndiceDeclaracionesDlg& d) {
    CRejillaCtrl* grid = d.Grid();
    ASSERT_NE(grid, nullptr);
    QRect cell;
    ASSERT_TRUE(grid->GetCellRect(1, 1, cell));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    Shot(d, "indice");
    Press(d, QStringLiteral("Seleccionar"));
  });
  Command(ID_FILE_OPEN);
  ASSERT_TRUE(drive.RunUntilDone(10000));
  ASSERT_TRUE(Settle([&] { return Current() != nullptr; })) << "the declaration opened";
  EXPECT_EQ(Current()->Key(), "GARCÍA LÓPEZ, MARÍA");
  ASSERT_NE(Page(), nullptr);
  EXPECT_EQ(Page()->GetBox(1)->displayText.trimmed(), QStringLiteral("GARCIA"));
  GoToPage(2);
  EXPECT_EQ(Page()->GetBox(2)->displayText.trimmed(), QStringLiteral("28.000"));
  GoToPage(15);
  EXPECT_EQ(Page()->GetBox(68)->displayText.trimmed(), QStringLiteral("150"));
  Shot(*program->MainFrame(), "reabierta");
}

}  // namespace
