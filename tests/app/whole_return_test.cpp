// A taxpayer's return start to finish in the assembled program, as a user works: the declaration
// created from the index, its data typed on the pages and in the annex dialogs the boxes open,
// calculated, validated with a finding that is followed to its box and corrected, printed to a PDF
// file, written as the filing file, exported and imported back. Every figure the program shows is
// that of the calculation library run on the same data. Modal dialogs take the script's next step.
// Both walks compile but have not yet been run against the assembled program: they stay disabled
// (run them with --gtest_also_run_disabled_tests) until a run has confirmed each step.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "annex/inrega6_dlg.h"
#include "annex/rdto_trabajo_dlg.h"
#include "annex/tipo_captura_datos_dlg.h"
#include "app/declaration_document.h"
#include "app/program_assembly.h"
#include "app_fixture.h"
#include "print_steps.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "blocks/form100_b.h"
#include "blocks/form714.h"
#include "blocks/form714_sections.h"
#include "checks/avisos_model.h"
#include "data/calc/form100_calculation.h"
#include "data/calc/form714_calculation.h"
#include "data/doc/renta_doc.h"
#include "data/doc/active_declaration.h"
#include "blocks/numtext.h"
#include "forms/filing/filing_dialogs.h"
#include "forms/print/declaration_print.h"
#include "forms/print/member_selection_dlg.h"
#include "forms/print/print_selection_dlg.h"
#include "ui/titular_edit.h"
#include "forms/view/form_views.h"
#include "forms/view/goto_page_dlg.h"
#include "support/ui_helpers.h"
#include "ui/avisos_errores_dlg.h"
#include "ui/controls/file_dialog_ex.h"
#include "ui/launcher_edit.h"
#include "ui/lista_edit.h"
#include "ui/store/store_dialogs.h"
#include "ui/store/transfer_dialogs.h"
#include "wizards/comprobacion_dlg.h"
#include "wizards/datos_fam.h"
#include "wizards/datos_fiscales_dlg148.h"
#include "wizards/vivienda.h"

namespace {

using namespace app;
namespace sid = store::index_id;
using IndexDlg = ui::store_dlg::CIndiceDeclaracionesDlg;
using Step = std::function<int(QDialog&)>;
using Wizard = famwiz::CDatosFam;

class WholeReturn : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    answers.plainAnswer = [](const PlainMessage& m) {
      return m.buttons == PlainButtons::YesNoCancel ? kPlainYes : kPlainOk;
    };
  }
  void TearDown() override {
    if (program) program->ExitInstance(0);
    assembly.reset();
    program.reset();
    AppTest::TearDown();
  }

  void Start() {
    program = std::make_unique<CRentaApp>(Options());
    assembly = std::make_unique<CProgramAssembly>(*program, [this](QDialog& d) { return RunModal(d); });
    ASSERT_EQ(program->InitInstance(), CRentaApp::Start::Running);
    ASSERT_TRUE(script.empty()) << script.size() << " dialog(s) of the script did not run";
  }
  int RunModal(QDialog& d) {
    if (script.empty()) {
      ADD_FAILURE() << "a dialog the script does not expect: " << d.metaObject()->className();
      return QDialog::Rejected;
    }
    Step step = std::move(script.front());
    script.pop_front();
    return step(d);
  }
  // A command of the main frame, as its menu item gives it.
  void Trigger(int id) {
    CMainFrame* f = program->MainFrame();
    QAction* action = f->Action(id);
    for (QAction* top : f->menuBar()->actions())
      if (!action && top->menu())
        for (QAction* item : top->menu()->actions())
          if (item->data().toInt() == id) action = item;
    ASSERT_NE(action, nullptr) << "command " << id;
    f->UpdateCommandStates();
    ASSERT_TRUE(action->isEnabled()) << "command " << id;
    action->trigger();
    EXPECT_TRUE(script.empty()) << script.size() << " dialog(s) of the script did not run after command " << id;
  }
  CDeclarationDocument* Current() { return assembly->CurrentDeclaration(); }
  std::uint8_t* Block() { return Current()->Document().Block().data(); }
  forms::CFormView* Page() { return Current()->View(); }

  // The declarations index: the name typed, the form chosen, "&Alta".
  static Step Create(const std::string& name, bool wealthTax) {
    return [name, wealthTax](QDialog& d) {
      auto& dlg = dynamic_cast<IndexDlg&>(d);
      dlg.show();
      static_cast<QLineEdit*>(dlg.Control(sid::kKeyField))->setText(QString::fromStdString(name));
      static_cast<QAbstractButton*>(dlg.Control(wealthTax ? sid::kFormPatrimonio : sid::kFormRenta))->click();
      static_cast<QAbstractButton*>(dlg.Control(sid::kAlta))->click();
      dlg.hide();
      return dlg.result();
    };
  }
  // The capture type: "Continuar" without the special-case mark (a joint declaration's capture).
  static Step CaptureJoint() {
    return [](QDialog& d) {
      auto& dlg = dynamic_cast<CTipoCapturaDatosDlg&>(d);
      EXPECT_TRUE(qxtest::ShowActive(&dlg));
      dlg.Item<QAbstractButton>(ui::IDOK)->click();
      dlg.hide();
      return dlg.result();
    };
  }
  static void TypeOn(CTemplatePropPg& page, int id, const char* keys) {
    QWidget* e = page.GetDlgItem(id);
    ASSERT_NE(e, nullptr) << id;
    e->setFocus();
    qxtest::Type(e, QString::fromLatin1(keys));
    QCoreApplication::processEvents();
  }
  static void Pick(QWidget* lookup, const char* key) {
    auto* l = dynamic_cast<CListaEdit*>(lookup);
    ASSERT_NE(l, nullptr);
    l->setFocus();
    l->ToggleList();
    ASSERT_NE(l->List(), nullptr);
    for (int r = 0; r < l->List()->count(); ++r)
      if (l->ItemText(r) == QString::fromLatin1(key)) l->List()->setCurrentRow(r);
    QTest::keyClick(l->List(), Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  // The family wizard of a single declarant (NIF, birth, sex, region), Finish, its summary's OK and
  // "&Cumplimentar directamente la Declaración".
  void FamilyOfOne() {
    script.push_back([](QDialog& d) {
      auto& w = dynamic_cast<Wizard&>(d);
      w.show();
      QApplication::setActiveWindow(&w);
      QCoreApplication::processEvents();
      TypeOn(w.PersonalPage(), famwiz::CDatosFam1::kDeclNif, "12345678Z");
      TypeOn(w.PersonalPage(), famwiz::CDatosFam1::kDeclBirth, "15061970");
      w.SetActivePage(Wizard::kAdditionalPage);
      TypeOn(w.AdditionalPage(), famwiz::CDatosFam2::MarkId(f100::family_wizard::kMale, 2), "X");
      w.SetActivePage(Wizard::kRegionPage);
      Pick(w.RegionPage().GetDlgItem(famwiz::CComauto::kNameIds[1]), "18");
      QTest::mouseClick(w.FrameButton(Wizard::kIdWizFinish), Qt::LeftButton);
      QCoreApplication::processEvents();
      w.hide();
      return w.result();
    });
    script.push_back([](QDialog& d) {
      EXPECT_NE(dynamic_cast<famwiz::CComprobacionDatosFamiliaresDlg*>(&d), nullptr);
      return static_cast<int>(ui::IDOK);
    });
    script.push_back([](QDialog& d) {
      auto& entry = dynamic_cast<CDatosFiscalesDlg148&>(d);
      entry.show();
      QTest::mouseClick(ui::FindControl(&entry, CDatosFiscalesDlg148::kIdDirect), Qt::LeftButton);
      entry.hide();
      return entry.result();
    });
  }

  void GoTo(int page, int code) {
    script.push_back([page](QDialog& d) {
      auto& dlg = dynamic_cast<forms::CIrPaginaDlg&>(d);
      dlg.show();
      QWidget* number = dlg.GetDlgItem(forms::CIrPaginaDlg::kIdNumber);
      QTest::keyClicks(number, QString::number(page));
      QTest::keyClick(number, Qt::Key_Return);
      dlg.hide();
      return 2;
    });
    Trigger(ID_GO_TO_PAGE);
    ASSERT_NE(Page(), nullptr);
    ASSERT_EQ(Page()->GetPageCode(), code);
  }
  static bool Settle(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i) QTest::qWait(5);
    return done();
  }
  // Opens box `position` of the page shown (a click on it, as the user does).
  void OpenBox(int position) {
    forms::CFormView* page = Page();
    page->GoToBox(position - 1);
    ASSERT_TRUE(Settle([&] { return page->EditedBox() == position - 1; })) << "box " << position;
  }
  // The box's amount typed, then Tab.
  void TypeInBox(int position, const QString& keys) {
    OpenBox(position);
    QTest::keyClicks(Page()->Editor(), keys);
    QTest::keyClick(Page()->Editor(), Qt::Key_Tab);
    QCoreApplication::processEvents();
  }
  // Box `position` opens its annex with a double click; `fill` works in the dialog on screen (a
  // dialog opened by a key drops the keys typed on until the user moves in it).
  void InAnnex(int position, std::function<void(QWidget&)> fill) {
    OpenBox(position);
    auto* launcher = dynamic_cast<CDialogLauncherEdit*>(Page()->Editor());
    ASSERT_NE(launcher, nullptr) << "box " << position << " opens a dialog";
    bool opened = false;
    qxtest::WhenModal([&](QWidget* w) {
      opened = true;
      fill(*w);
    });
    QTest::mouseDClick(launcher, Qt::LeftButton);
    ASSERT_TRUE(opened) << "box " << position;
  }
  static void TypeInto(CTemplateDlg& d, int id, const char* keys) {
    QWidget* e = d.GetDlgItem(id);
    ASSERT_NE(e, nullptr) << id;
    e->setFocus();
    QTest::keyClicks(e, QString::fromLatin1(keys));
    QTest::keyClick(e, Qt::Key_Tab);
  }

  // The validation window: its codes, and a jump to the first finding of `code`.
  std::vector<std::string> Validate(const std::string& jumpTo = {}) {
    std::vector<std::string> listed;
    script.push_back([&listed, jumpTo](QDialog& d) {
      auto& dlg = dynamic_cast<checks::CAvisosErroresDlg&>(d);
      int row = 0;
      for (std::size_t i = 0; i < dlg.Model().Rows().size(); ++i) {
        listed.push_back(dlg.Model().Rows()[i].code);
        if (!row && listed.back() == jumpTo) row = static_cast<int>(i) + 1;
      }
      if (row) dlg.OnActivate(row, 0);
      return dlg.result();
    });
    Trigger(ID_ERRORS);
    // The page takes the keys again once its window is active after the findings window.
    if (Page()) {
      QApplication::setActiveWindow(Page()->window());
      QCoreApplication::processEvents();
      if (CEditEx* e = Page()->Editor()) e->setFocus();
      QCoreApplication::processEvents();
    }
    return listed;
  }

  // Printed through the print dialog into a PDF file; its sheets.
  // The sheets a first print of the open declaration draws: every copy of every page in use.
  std::size_t PlannedSheetCount() { return apptest::PlannedSheetCount(*Current()); }

  std::size_t PrintToPdf(const std::string& path) {
    script.push_back(apptest::PrintFlow(script, path));
    Trigger(ID_FILE_PRINT);
    EXPECT_TRUE(script.empty());
    return apptest::PdfSheets(path);
  }
  // The filing command: findings written anyway, the file named in the filing dialog; its text.
  std::string File(const std::string& path) {
    const auto name = [path](QDialog& d) -> int { return apptest::FillFilingDialog(d, path, false); };
    script.push_back([this, name](QDialog& d) -> int {
      if (dynamic_cast<checks::CAvisosErroresDlg*>(&d)) {
        script.push_front(name);
        return checks::kAvisosWriteFile;
      }
      return name(d);
    });
    Trigger(ID_FILE_SEND);
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  // Export of every declaration to `file`, all deleted, import back: the blocks come back whole.
  void ExportAndImport(const std::string& key) {
    store::DeclarationStore& s = assembly->Store();
    const std::vector<std::uint8_t> saved = s.Load(key)->block;
    const std::string file = data.Str() + "copia.ren";
    Trigger(ID_FILE_CLOSE);
    script.push_back([](QDialog& d) {
      auto& list = dynamic_cast<ui::store_dlg::CExportacionDlg&>(d);
      list.SelectAll(true);
      list.accept();
      return list.result();
    });
    script.push_back(FileChosen(file));
    Trigger(ID_EXPORT);
    ASSERT_TRUE(std::filesystem::exists(file));
    ASSERT_TRUE(s.Delete(key, false));
    ASSERT_FALSE(s.Load(key));
    script.push_back(FileChosen(file));
    script.push_back([](QDialog& d) {
      auto& list = dynamic_cast<ui::store_dlg::CImportacionDlg&>(d);
      list.SelectAll(true);
      list.accept();
      return list.result();
    });
    Trigger(ID_IMPORT);
    auto back = s.Load(key);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->block, saved) << "the imported declaration is the exported one";
  }
  static Step FileChosen(const std::string& path) {
    return [path](QDialog& d) {
      dynamic_cast<CFileDialogEx&>(d).selectFile(QString::fromStdString(path));
      return static_cast<int>(QDialog::Accepted);
    };
  }
  // The figure box `position` of the page shows, read back as a number.
  double Shown(int position) {
    CBoxField* box = Page()->GetBox(position - 1);
    box->UpdateText();
    const std::string text = box->displayText.trimmed().remove(u'.').replace(u',', u'.').toStdString();
    return text.empty() ? 0.0 : blocks::ParseDecimal(text, nullptr);
  }

  std::unique_ptr<CRentaApp> program;
  std::unique_ptr<CProgramAssembly> assembly;
  std::deque<Step> script;
  qxtest::ScriptedMessages coded;
};

// Bytes [from, to) of two blocks compared as doubles where they differ, for a readable failure.
void ExpectSameRecords(const std::vector<std::uint8_t>& expected, const std::uint8_t* actual,
                       std::initializer_list<blocks::RecordDef> records) {
  for (const blocks::RecordDef& r : records)
    for (std::size_t at = r.offset; at < r.offset + r.size; at += 8)
      if (std::memcmp(expected.data() + at, actual + at, std::min<std::size_t>(8, r.offset + r.size - at)) != 0) {
        double e = 0, a = 0;
        std::memcpy(&e, expected.data() + at, 8);
        std::memcpy(&a, actual + at, 8);
        ADD_FAILURE() << "record at " << r.offset << ", byte +" << at - r.offset << ": expected " << e << ", shown " << a;
      }
}

TEST_F(WholeReturn, AnIncomeTaxReturn) {
  namespace a = f100::sec_a;
  namespace w = annex::rdto_trabajo;
  const std::string key = "GARCIA RUIZ, ELENA";
  script.push_back(Create(key, false));
  script.push_back(CaptureJoint());
  FamilyOfOne();
  Start();
  ASSERT_NE(Current(), nullptr);
  ASSERT_EQ(Current()->KindByte(), 2);

  // Page 2: the salary in the work-income dialog of its box, the bank account's interest in the
  // dialog of the interest box.
  GoTo(2, 202);
  InAnnex(3, [](QWidget& m) {
    auto& d = dynamic_cast<CRdtoTrabajoDlg&>(m);
    TypeInto(d, CRdtoTrabajoDlg::CellId(0, 0), "D");
    TypeInto(d, CRdtoTrabajoDlg::CellId(1, 0), "28000");
    TypeInto(d, CRdtoTrabajoDlg::CellId(2, 0), "4200");
    TypeInto(d, CRdtoTrabajoDlg::CellId(8, 0), "1780,40");
    d.Item<QAbstractButton>(ui::IDOK)->click();
  });
  const std::uint8_t* secA = f100::record(Block(), f100::SectionA);
  EXPECT_EQ(w::Holder.get(secA), ui::kHolderDeclarant);
  EXPECT_DOUBLE_EQ(w::MoneyPay.get(secA), 28000.0);
  EXPECT_DOUBLE_EQ(w::SocialSecurity.get(secA), 1780.40);
  InAnnex(16, [](QWidget& m) {
    auto& d = dynamic_cast<CInrega6Dlg&>(m);
    TypeInto(d, annex::capital40::kHolderCells[0], "D");
    TypeInto(d, annex::capital40::kIncomeCells[0], "1250,80");
    TypeInto(d, annex::capital40::kWithholdingCells[0], "187,62");
    d.Item<QAbstractButton>(ui::IDOK)->click();
  });
  EXPECT_DOUBLE_EQ(annex::inrega6::Income.get(f100::record(Block(), f100::SectionB) + annex::inrega6::kGroup.holder.off),
                   1250.80);

  // Page 14: a donation entered in the dialog of its box; the home bought with a loan in the
  // housing sheet.
  GoTo(14, 214);
  InAnnex(3, [](QWidget& m) {
    auto& d = dynamic_cast<CTemplateDlg&>(m);
    TypeInto(d, 1394, "D");  // the first row's holder and amount
    TypeInto(d, 1318, "600");
    d.Item<QAbstractButton>(ui::IDOK)->click();
  });
  EXPECT_NEAR(Shown(3), 600.0, 0.005) << "the donations at 15 %";
  InAnnex(15, [](QWidget& m) {
    auto& sheet = dynamic_cast<CVivienda&>(m);
    CInverVivi& p = sheet.InvestmentPage();
    TypeOn(p, CInverVivi::kHolders[0], "D");
    TypeOn(p, CInverVivi::kWithin[0], "6000");
    TypeOn(p, CInverVivi::kInfoHolders[0], "D");
    TypeOn(p, CInverVivi::kInfoDates[0], "10062002");
    TypeOn(p, CInverVivi::kInfoLoans[0], "HIP-77");
    p.GetDlgItem(CInverVivi::kHolders[0])->setFocus();
    QCoreApplication::processEvents();
    QTest::mouseClick(sheet.FrameButton(CVivienda::kIdOk), Qt::LeftButton);
  });

  // Calculation (the save calculates) against the library run on the same typed data.
  std::vector<std::uint8_t> expected(Block(), Block() + f100::kBlockSize);
  auto& renta = dynamic_cast<doc::CRentaDoc&>(Current()->Document());
  Form100CalcContext context;
  context.shownMember = renta.ShownMember();
  context.targetMember = renta.TargetMember();
  context.modality = renta.Modality();
  CalculateForm100(expected.data(), context);
  Trigger(ID_FILE_SAVE);
  ExpectSameRecords(expected, Block(),
                    {f100::Summary, f100::SectionA, f100::SectionB, f100::SectionH, f100::SectionK, f100::SectionO,
                     f100::Result});
  EXPECT_DOUBLE_EQ(a::NetWorkIncome.get(f100::record(Block(), f100::SectionA), 1), 28000.0 - 1780.40);
  GoTo(2, 202);
  EXPECT_NEAR(Shown(3), 28000.0, 0.005);
  EXPECT_NEAR(Shown(15), a::NetWorkIncome.get(f100::record(expected.data(), f100::SectionA), 1), 0.005);
  EXPECT_NEAR(Shown(16), 1250.80, 0.005);

  // Validation: the declarant's missing name is followed to its box on page 1 (the first
  // surname), typed there with the second surname and the name, and gone at the next validation.
  std::vector<std::string> found = Validate("WIN015");
  ASSERT_NE(std::find(found.begin(), found.end(), "WIN015"), found.end()) << ::testing::PrintToString(found);
  ASSERT_TRUE(Settle([&] { return Page() && Page()->GetPageCode() == 201 && Page()->EditedBox() == 1; }))
      << "the finding's box is open: page " << (Page() ? Page()->GetPageCode() : 0) << " box "
      << (Page() ? Page()->EditedBox() : -2);
  for (const char* part : {"GARCIA", "RUIZ", "ELENA"}) {
    QTest::keyClicks(Page()->Editor(), QString::fromLatin1(part));
    QTest::keyClick(Page()->Editor(), Qt::Key_Tab);
  }
  EXPECT_EQ(Page()->EditedBox(), 4);
  found = Validate();
  EXPECT_EQ(std::find(found.begin(), found.end(), "WIN015"), found.end()) << ::testing::PrintToString(found);
  EXPECT_FALSE(Current()->IsModified()) << "the validation saved the correction";

  // Printed for the declarant, filed, exported and imported back.
  script.push_back([](QDialog& d) {
    auto& select = dynamic_cast<forms::CSeleccionDeclaracionImprimirDlg&>(d);
    EXPECT_TRUE(qxtest::ShowActive(&select));
    select.Item<QAbstractButton>(ui::IDOK)->click();
    select.hide();
    return select.result();
  });
  EXPECT_EQ(PrintToPdf((data.Path() / "renta.pdf").string()), PlannedSheetCount());
  script.push_back([](QDialog& d) {
    auto& select = dynamic_cast<forms::CSeleccionDeclaracionImprimirDlg&>(d);
    EXPECT_TRUE(qxtest::ShowActive(&select));
    select.Item<QAbstractButton>(ui::IDOK)->click();
    select.hide();
    return select.result();
  });
  const std::string filed = File((data.Path() / "12345678.100").string());
  EXPECT_EQ(filed.substr(0, 5), "<T100");
  EXPECT_NE(filed.find("12345678Z"), std::string::npos);
  const std::size_t p202 = filed.find("\r\n<P202");
  ASSERT_NE(p202, std::string::npos);
  EXPECT_EQ(filed.substr(p202 + 2, 5 + 1 + 15), "<P202 000000002800000") << "the salary, first field of page 2";
  Trigger(ID_FILE_SAVE);
  ExportAndImport(key);
}

TEST_F(WholeReturn, AWealthTaxReturn) {
  namespace sec = f714::sections;
  namespace sum = f714::summary;
  const std::string key = "ORTEGA VIDAL, LUIS";
  script.push_back(Create(key, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  ASSERT_EQ(Current()->KindByte(), 3);

  // Rows typed on three section pages: a click on the description, the text, Tab, the amount, Tab.
  const auto typeRow = [&](int position, const char* description, const char* amount) {
    forms::CFormView* page = Page();
    const QRect area = page->GetBox(position - 1)->Area();
    page->ScrollTo(QPoint(0, std::max(0, area.top() - 40)));
    QApplication::processEvents();
    QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, area.center() - page->ScrollPosition());
    ASSERT_EQ(page->EditedBox(), position - 1) << "the click opens the description";
    QTest::keyClicks(page->Editor(), QString::fromUtf8(description));
    QTest::keyClick(page->Editor(), Qt::Key_Tab);
    ASSERT_EQ(page->EditedBox(), position) << "Tab goes on to the amount";
    QTest::keyClicks(page->Editor(), QString::fromUtf8(amount));
    QTest::keyClick(page->Editor(), Qt::Key_Tab);
    QApplication::processEvents();
  };
  GoTo(2, 302);
  typeRow(119, "CUENTA A LA VISTA", "312450,75");
  GoTo(5, 305);
  typeRow(4, "ACCIONES COTIZADAS", "845000");
  GoTo(8, 308);
  typeRow(51, "PRÉSTAMO HIPOTECARIO", "96000,40");

  // Calculation (the save calculates) against the library run on the same rows.
  std::vector<std::uint8_t> expected(Block(), Block() + f714::kBlockSize);
  CalculateForm714(expected.data(), 1, Form714CalcContext{});
  Trigger(ID_FILE_SAVE);
  ExpectSameRecords(expected, Block(), {f714::SectionB, f714::SectionG1, f714::Debts, f714::Summary, f714::Result});
  const std::uint8_t* s = f714::record(Block(), f714::Summary);
  EXPECT_DOUBLE_EQ(sum::TotalAssets.get(s), 312450.75 + 845000.0);
  EXPECT_DOUBLE_EQ(sum::Debts.get(s), 96000.40);
  EXPECT_GT(sum::Result.get(s), 0.0) << "a declaration with tax to pay";
  GoTo(9, 309);
  EXPECT_NEAR(Shown(22), sum::TotalAssets.get(s), 0.005);
  EXPECT_NEAR(Shown(23), 96000.40, 0.005);
  EXPECT_NEAR(Shown(24), sum::NetWealth.get(s), 0.005);
  GoTo(10, 310);
  EXPECT_NEAR(Shown(27), blocks::F64{536}.get(s), 0.005);

  // Validation: the missing NIF is followed to its box on the first page, typed, and gone.
  std::vector<std::string> found = Validate("WIN041");
  ASSERT_NE(std::find(found.begin(), found.end(), "WIN041"), found.end()) << "the declarant's NIF is missing";
  ASSERT_TRUE(Settle([&] { return Page() && Page()->GetPageCode() == 301 && Page()->EditedBox() == 3; }))
      << "the finding's box is open: page " << (Page() ? Page()->GetPageCode() : 0) << " box "
      << (Page() ? Page()->EditedBox() : -2);
  QTest::keyClicks(Page()->Editor(), QStringLiteral("12345678z"));
  QTest::keyClick(Page()->Editor(), Qt::Key_Tab);
  EXPECT_EQ(f714::personal::Nif.str(f714::record(Block(), f714::Personal)), "12345678Z");
  found = Validate();
  EXPECT_EQ(std::find(found.begin(), found.end(), "WIN041"), found.end()) << ::testing::PrintToString(found);
  EXPECT_FALSE(Current()->IsModified()) << "the validation saved the correction";

  // Printed, filed, exported and imported back.
  const auto pages = forms::DefinedPages(*Current(), 3);
  EXPECT_EQ(PrintToPdf((data.Path() / "patrimonio.pdf").string()), PlannedSheetCount());
  const std::string filed = File((data.Path() / "12345678.714").string());
  EXPECT_NE(filed.find("<P301"), std::string::npos);
  EXPECT_NE(filed.find("12345678Z"), std::string::npos);
  ExportAndImport(key);
}

}  // namespace
