// The program assembled as the user starts it, on temporary folders: the declarations index, both
// forms' documents, calculation on save, validation and its window, coded messages from the
// message tables, database errors, the transfer files and remote mode's local copies. Modal
// dialogs are scripted: each one the program runs takes the next step of the script.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QListWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTest>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <deque>
#include <map>
#include <set>

#include <QImage>
#include <QPainter>
#include <set>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>

#if defined(QX_HAVE_ZXING)
#include <ZXing/ReadBarcode.h>
#endif

#include "app/declaration_document.h"
#include "annex/asignacion_tributaria_dlg.h"
#include "annex/informacion_relativa_actividad_dlg.h"
#include "annex/cambiodomicilio_dlg.h"
#include "annex/certificado_dlg.h"
#include "annex/pcuotint_dlg.h"
#include "annex/rtonetatrentas_dlg.h"
#include "blocks/form100_f1.h"
#include "ui/companion_button.h"
#include "ui/launch_table.h"
#include "platform/strings.h"
#include "annex/ceutamel_dlg.h"
#include "annex/impotroc_dlg.h"
#include "annex/pimpextr_dlg.h"
#include "blocks/form714_liquidation.h"
#include "forms/pages/ord006.h"
#include "forms/pages/pat010.h"
#include "annex/maternidad_dlg.h"
#include "blocks/form100_result.h"
#include "ui/launcher_edit.h"
#include "ui/titular_edit.h"
#include "annex/resumen_declaraciones_dlg.h"
#include "annex/tipo_captura_datos_dlg.h"
#include "app/program_assembly.h"
#include "app/store_commands.h"
#include "app_fixture.h"
#include "print_steps.h"
#include "blocks/form100_a.h"
#include "blocks/form100_k.h"
#include "blocks/form100_n.h"
#include "blocks/form714.h"
#include "data/doc/doc714.h"
#include "blocks/form714_sections.h"
#include "blocks/numtext.h"
#include "tallyvex.h"
#include "forms/pages/ord004.h"
#include "forms/pages/ord005.h"
#include "forms/pages/ord017.h"
#include "blocks/form100_e4.h"
#include "modules/activity_select_dlg.h"
#include "modules/activity_edits.h"
#include "annex/cambiodomicilio_dlg.h"
#include "annex/epigrafe_dlg.h"
#include "blocks/form100_e1.h"
#include "tools/dbsource/dbsource.h"
#include "forms/pages/ord003.h"
#include "ui/message_dlg.h"
#include <QComboBox>
#include <QLabel>
#include "modules/module_value_dlgs.h"
#include "modules/module_value_edit.h"
#include "modules/agrarian_product_edit.h"
#include "modules/product_yield_dlgs.h"
#include "blocks/form100_e5.h"
#include "ui/sel_str_edit.h"
#include "forms/filing/filing_dialogs.h"
#include "forms/filing/filing_pages.h"
#include "forms/filing/filing_writer100.h"
#include "forms/filing/filing_writer714.h"
#include "data/doc/reference.h"
#include "platform/seal.h"
#include "forms/print/member_selection_dlg.h"
#include "forms/print/declaration_print.h"
#include "forms/print/packed_record.h"
#include "forms/print/barcodes.h"
#include "forms/print/copy_label.h"
#include "forms/print/print_selection_dlg.h"
#include "forms/print/name_code.h"
#include "forms/print/print714_dlg.h"
#include "forms/print/trial_preview.h"
#include "ui/mapped_bitmap_button.h"
#include "data/doc/renta_doc.h"
#include "checks/avisos_model.h"
#include "ui/avisos_errores_dlg.h"
#include "data/doc/renta_doc.h"
#include "data/doc/active_declaration.h"
#include "forms/view/form_views.h"
#include "forms/view/goto_page_dlg.h"
#include "platform/texts.h"
#include "support/ui_helpers.h"
#include "ui/sub_dialog_edit.h"
#include "wizards/disconformidad_dlg.h"
#include "ui/box_field.h"
#include "ui/double_edit.h"
#include "ui/avisos_errores_dlg.h"
#include "ui/controls/file_dialog_ex.h"
#include "ui/controls/profile_store.h"
#include "ui/edit_ex.h"
#include "ui/lookup_catalogue.h"
#include "ui/message_source.h"
#include "ui/store/store_dialogs.h"
#include "ui/store/transfer_dialogs.h"
#include "wizards/asistente_datos_fiscales.h"
#include "wizards/datos_fiscales_dlg148.h"
#include "wizards/df_trabajo.h"
#include "wizards/fiscal_transfer_dialogs.h"
#include "wizards/obtencion_datos_fiscales_dlg.h"
#include "ui/lista_edit.h"
#include "ui/owner_draw_button.h"
#include "ui/sel_str_edit.h"
#include "wizards/comprobacion_dlg.h"
#include "wizards/datos_fam.h"
#include "wizards/datos_fiscales_incorporados_dlg.h"
#include "wizards/vivienda.h"

namespace {

using namespace app;
namespace sid = store::index_id;
using IndexDlg = ui::store_dlg::CIndiceDeclaracionesDlg;
using Step = std::function<int(QDialog&)>;

const std::string kWealth = "D'ÁLVAREZ ÑÚÑEZ";    // typed: the index stores the apostrophe as "´"
const std::string kWealthStored = "D´ÁLVAREZ ÑÚÑEZ";
const std::string kIncome = "JOSÉ LÓPEZ PEÑA";
const std::string kRenamed = "O'BRIEN ÁÉÍÓÚ";     // renaming keeps the apostrophe

class WiringTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // Every message is recorded (the fixture's double); coded ones are read from the message table
    // and answered from the script (accept), the save question by `saveAnswer`.
    answers.plainAnswer = [this](const PlainMessage& m) {
      if (m.buttons != PlainButtons::YesNoCancel) return kPlainOk;
      ++saveQuestions;
      return saveAnswer;
    };
  }
  void TearDown() override {
    if (program) program->ExitInstance(0);
    assembly.reset();
    program.reset();
    ui::store_dlg::CIndiceDeclaracionesDlg::ResetLocalCopiesLoaded();
    AppTest::TearDown();
  }

  CRentaApp& Start() {
    program = std::make_unique<CRentaApp>(Options());
    assembly = std::make_unique<CProgramAssembly>(*program, [this](QDialog& d) { return RunModal(d); });
    EXPECT_EQ(program->InitInstance(), CRentaApp::Start::Running);
    return *program;
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

  // Prints the open declaration through the print dialog into a PDF file at `path`, the reminder
  // after it read; its sheets. `choose` makes the other choices of the dialog.
  std::size_t PrintToPdf(const std::string& path, std::function<void(QPrintDialog&)> choose = {}) {
    script.push_back(apptest::PrintFlow(script, path, std::move(choose)));
    Trigger(ID_FILE_PRINT);
    EXPECT_TRUE(script.empty());
    return apptest::PdfSheets(path);
  }

  // The open income-tax declaration made a married couple's filing jointly (the capture question
  // answered "joint"; `more` writes the rest of its data), saved, closed (`whileClosed` looks at
  // the program then) and opened again.
  void ReopenAsCouple(const std::function<void(std::uint8_t* block)>& more = {},
                      const std::function<void()>& whileClosed = {}) {
    std::uint8_t* block = Current()->Document().Block().data();
    f100::personal::DeclarationMode.set(f100::record(block, f100::Personal), 1);
    f100::family::CommunityCodeCopy(doc::kSpouse - 1).set(f100::record(block, f100::Family), "01");
    if (more) more(block);
    Current()->Document().Model().WrittenAll();
    Trigger(ID_FILE_SAVE);
    Trigger(ID_FILE_CLOSE);
    if (whileClosed) whileClosed();
    script.push_back(Choose(kIncome));
    Trigger(ID_FILE_OPEN);
  }

  // The filing dialog of the filing command: findings, if any, written anyway; the file named
  // `path`, a paper copy asked for or not; OK, or Cancel when `accept` is false.
  Step FilingNamed(const std::string& path, bool paperCopy = false, bool accept = true) {
    const auto name = [path, paperCopy, accept](QDialog& d) -> int {
      return apptest::FillFilingDialog(d, path, paperCopy, accept);
    };
    return [this, name](QDialog& d) -> int {
      if (!dynamic_cast<checks::CAvisosErroresDlg*>(&d)) return name(d);
      script.push_front(name);
      return checks::kAvisosWriteFile;
    };
  }

  // The filing file of the open declaration as the filing writers make it for `member` (form
  // 100; 0 for form 714) while a filing is under way: the record the filing command writes.
  std::string FilingFileBuilt(int member) {
    app::CDeclarationDocument& d = *Current();
    forms::FilingContext c;
    c.local = d.LocalDatabase();
    c.declarations = &assembly->Store().Connection();
    c.messages = d.Messages();
    c.block = d.Document().Block();
    c.key = d.Key();
    c.member = member;
    int filing = 1;
    c.filingFlag = &filing;
    if (doc::CRentaDoc* renta = d.RentaDocument())
      c.showMember = [renta](int m) {
        const int before = renta->ShownMember();
        renta->ShowMember(m);
        return before;
      };
    c.language = d.Language();
    c.versionLetter = doc::GetWindowsVersionCode();
    c.pages = forms::BindingTableFilingPages({d.LocalDatabase(), d.Language(), {}}, d.Document().Block());
    c.seal = [](const std::string& file, char* seal, int position) { return platform::SelloPos(file, seal, position); };
    std::string path = (data.Path() / "built.tmp").string();
    bool written = false;
    if (member == 0) {
      forms::CFilingFileWriter714 writer(std::move(c));
      written = writer.Generate(path, forms::kFilingCreate);
    } else {
      forms::CFilingFileWriter100 writer(member, std::move(c));
      written = writer.Generate(path, forms::kFilingCreate);
    }
    EXPECT_TRUE(written);
    std::string text = ReadText(path);
    std::filesystem::remove(path);
    return text;
  }
  static std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  // Where the field named `comment` of the form-100 layout's first record begins in the file.
  std::size_t LayoutPlace(const std::string& comment) {
    db::CAdoRecordset rs;
    EXPECT_TRUE(rs.Open("internet", Current()->LocalDatabase(), {}, "[idinternet] ASC"));
    std::size_t at = 0;
    for (; rs.IsNotAtEnd(); rs.MoveNext()) {
      std::string kind, text, name;
      std::int32_t length = 0, decimals = 0;
      rs.GetText("fminternet", kind);
      rs.GetText("caracter", text);
      rs.GetText("comentario", name);
      rs.GetInt("longitud", length);
      rs.GetInt("decimales", decimals);
      if (name == comment) return at;
      if (kind == "R") ADD_FAILURE() << comment << " is not in the first record";
      at += kind == "C" ? std::max<std::size_t>(text.size(), static_cast<std::size_t>(length))
                        : static_cast<std::size_t>(length + (kind == "D" ? decimals : 0));
    }
    ADD_FAILURE() << comment << " is not in the layout";
    return 0;
  }

  // The sheets a first print of the open declaration draws: every copy of every page in use.
  std::size_t PlannedSheetCount(bool extraCopy = false) { return apptest::PlannedSheetCount(*Current(), extraCopy); }
  // A step on the member dialog of a form-100 print: OK on what it proposes.
  static Step MemberProposed() {
    return [](QDialog& d) {
      auto& select = dynamic_cast<forms::CSeleccionDeclaracionImprimirDlg&>(d);
      EXPECT_TRUE(qxtest::ShowActive(&select));
      select.Item<QAbstractButton>(ui::IDOK)->click();
      select.hide();
      return select.result();
    };
  }

  // A step on the go-to-page dialog: the page number typed and Enter.
  static Step GoToPage(const QString& page) {
    return [page](QDialog& d) {
      auto& dlg = dynamic_cast<forms::CIrPaginaDlg&>(d);
      dlg.show();
      QWidget* number = dlg.GetDlgItem(forms::CIrPaginaDlg::kIdNumber);
      QTest::keyClicks(number, page);
      QTest::keyClick(number, Qt::Key_Return);
      dlg.hide();
      return 2;
    };
  }

  // A step on the declarations index: the actions run on the shown dialog; the answer is how they
  // ended it (Rejected when they did not).
  static Step Index(std::function<void(IndexDlg&)> actions) {
    return [actions](QDialog& d) {
      auto& dlg = dynamic_cast<IndexDlg&>(d);
      dlg.show();
      actions(dlg);
      dlg.hide();
      return dlg.result();
    };
  }
  static void Type(IndexDlg& dlg, const std::string& name) {
    static_cast<QLineEdit*>(dlg.Control(sid::kKeyField))->setText(QString::fromStdString(name));
  }
  static void Click(IndexDlg& dlg, int id) {
    auto* b = static_cast<QAbstractButton*>(dlg.Control(id));
    ASSERT_TRUE(b->isEnabled()) << "button " << id;
    b->click();
  }
  static int RowOf(IndexDlg& dlg, const std::string& key) {
    for (int r = 1; r <= store::kIndexRows; ++r)
      if (store::TrimKey(dlg.Cell(r, 1)) == key) return r;
    return -1;
  }
  static void Select(IndexDlg& dlg, const std::string& key) {
    const int row = RowOf(dlg, key);
    ASSERT_GT(row, 0) << key << " is not listed";
    dlg.Controller().SelectCell(row, 1);
  }
  static Step Choose(const std::string& key) {
    return Index([key](IndexDlg& dlg) {
      Select(dlg, key);
      Click(dlg, sid::kSeleccionar);
    });
  }
  // "&Alta" of a declaration of either form under `name`.
  static Step Create(const std::string& name, bool wealthTax) {
    return Index([name, wealthTax](IndexDlg& dlg) {
      Type(dlg, name);
      // The form choice follows the focused row until the user picks one.
      Click(dlg, wealthTax ? sid::kFormPatrimonio : sid::kFormRenta);
      Click(dlg, sid::kAlta);
    });
  }
  static Step Cancel() { return Index([](IndexDlg& dlg) { Click(dlg, sid::kCancelar); }); }
  // The capture-type question of a new income-tax declaration, answered with the keys and the
  // button a user presses: the special-case mark typed or not, then "Continuar" (or the close box).
  enum class Capture { Joint, Individual, Closed };
  static Step CaptureAnswer(Capture answer) {
    return [answer](QDialog& d) {
      auto& dlg = dynamic_cast<CTipoCapturaDatosDlg&>(d);
      EXPECT_TRUE(qxtest::ShowActive(&dlg));
      if (answer == Capture::Individual) {
        QWidget* mark = dlg.GetDlgItem(CTipoCapturaDatosDlg::kMark);
        mark->setFocus();
        QTest::keyClick(mark, Qt::Key_X);
      }
      if (answer == Capture::Closed) dlg.close();
      else dlg.Item<QAbstractButton>(ui::IDOK)->click();
      dlg.hide();
      return dlg.result();
    };
  }
  // "&Alta" of an income-tax declaration, the answer to its capture type and, unless that
  // question is closed, the family wizard filled by `fill`.
  void CreateIncome(const std::string& name, Capture answer = Capture::Joint,
                    std::function<void(famwiz::CDatosFam&)> fill = SingleDeclarant, int finish = 0) {
    script.push_back(Create(name, false));
    script.push_back(CaptureAnswer(answer));
    if (answer != Capture::Closed) script.push_back(Family(std::move(fill), finish));
  }
  // The personal and family data wizard: `fill` types on its pages, then the button `finish`
  // ends it (Finish when 0).
  using Wizard = famwiz::CDatosFam;
  // Finish asks for confirmation with the summary dialog; `check` looks at it before its OK.
  Step Family(std::function<void(Wizard&)> fill, int finish = 0,
              std::function<void(famwiz::CComprobacionDatosFamiliaresDlg&)> check = {}) {
    return [this, fill, finish, check](QDialog& d) {
      auto& w = dynamic_cast<Wizard&>(d);
      w.show();
      QApplication::setActiveWindow(&w);
      QCoreApplication::processEvents();
      fill(w);
      const int id = finish ? finish : (w.IsWizardMode() ? Wizard::kIdWizFinish : Wizard::kIdOk);
      if (id == Wizard::kIdWizFinish) {
        // A new declaration's family data are followed by the fiscal-data entry dialog.
        std::vector<Step> after = afterFamily.empty() ? std::vector<Step>{FillDirectly()} : std::move(afterFamily);
        afterFamily.clear();
        for (auto it = after.rbegin(); it != after.rend(); ++it) script.push_front(std::move(*it));
        script.push_front([check](QDialog& c) {
          auto& confirm = dynamic_cast<famwiz::CComprobacionDatosFamiliaresDlg&>(c);
          if (check) check(confirm);
          return static_cast<int>(ui::IDOK);
        });
      }
      if (w.isVisible()) QTest::mouseClick(w.FrameButton(id), Qt::LeftButton);
      QCoreApplication::processEvents();
      w.hide();
      return w.result();
    };
  }
  // "&Cumplimentar directamente la Declaración" on the fiscal-data entry dialog.
  static Step FillDirectly() {
    return [](QDialog& d) {
      auto& entry = dynamic_cast<CDatosFiscalesDlg148&>(d);
      entry.show();
      QTest::mouseClick(ui::FindControl(&entry, CDatosFiscalesDlg148::kIdDirect), Qt::LeftButton);
      entry.hide();
      return entry.result();
    };
  }
  // What the script answers after a new declaration's family data (the entry dialog first).
  std::vector<Step> afterFamily;
  static void TypeOn(CTemplatePropPg& page, int id, const char* keys) {
    QWidget* e = page.GetDlgItem(id);
    ASSERT_NE(e, nullptr) << id;
    e->setFocus();
    qxtest::Type(e, QString::fromLatin1(keys));
    QCoreApplication::processEvents();
  }
  // Picks the line of `key` from a lookup edit's drop-down list, as a click on it does.
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
  static void Show(Wizard& w, int page) {
    w.SetActivePage(page);
    QCoreApplication::processEvents();
  }
  // A single declarant: NIF, date of birth, sex, region.
  static void SingleDeclarant(Wizard& w) {
    TypeOn(w.PersonalPage(), famwiz::CDatosFam1::kDeclNif, "12345678Z");
    TypeOn(w.PersonalPage(), famwiz::CDatosFam1::kDeclBirth, "15061970");
    Show(w, Wizard::kAdditionalPage);
    TypeOn(w.AdditionalPage(), famwiz::CDatosFam2::MarkId(f100::family_wizard::kMale, 2), "X");
    Show(w, Wizard::kRegionPage);
    Pick(w.RegionPage().GetDlgItem(famwiz::CComauto::kNameIds[1]), "18");
  }
  static Step FileChosen(const std::string& path) {
    return [path](QDialog& d) {
      auto& fd = dynamic_cast<CFileDialogEx&>(d);
      fd.selectFile(QString::fromStdString(path));
      return static_cast<int>(QDialog::Accepted);
    };
  }

  // A command of the main frame, as a menu item or a toolbar button gives it.
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
    EXPECT_TRUE(script.empty()) << script.size() << " dialog(s) of the script did not run";
  }
  bool Enabled(int id) {
    program->MainFrame()->UpdateCommandStates();
    return program->MainFrame()->Action(id)->isEnabled();
  }

  CDeclarationDocument* Current() { return assembly->CurrentDeclaration(); }
  std::vector<std::string> StoredKeys() {
    std::vector<std::string> keys;
    for (const auto& r : assembly->Store().List()) keys.push_back(store::TrimKey(r.key));
    return keys;
  }
  std::vector<std::uint8_t> StoredBlock(const std::string& key) {
    auto d = assembly->Store().Load(key);
    return d ? d->block : std::vector<std::uint8_t>{};
  }
  // Runs the program's queued work until `done` holds.
  static bool Settle(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i) QTest::qWait(5);
    return done();
  }

  std::unique_ptr<CRentaApp> program;
  std::unique_ptr<CProgramAssembly> assembly;
  std::deque<Step> script;
  qxtest::ScriptedMessages coded;
  int saveAnswer = kAnswerYes;
  int saveQuestions = 0;
};

// The whole round of a user's session: create a declaration of each form, save (calculating),
// close, find them again, rename, duplicate, delete.
TEST_F(WiringTest, DeclarationsOfBothFormsFromTheIndexToTheStoreAndBack) {
  // Start-up: the index creates a wealth-tax declaration.
  script.push_back(Create(kWealth, true));
  CRentaApp& a = Start();
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(Current()->KindByte(), 3);
  EXPECT_EQ(Current()->Key(), kWealthStored);
  ASSERT_NE(Current()->Frame(), nullptr);
  EXPECT_EQ(a.MainFrame()->MdiArea()->subWindowList().size(), 1);
  ASSERT_NE(Current()->View(), nullptr) << "the declaration opens on its first page";
  EXPECT_EQ(Current()->View()->GetPageCode(), 301);
  EXPECT_TRUE(Enabled(ID_FILE_SAVE)) << "a new wealth-tax declaration is modified";
  EXPECT_FALSE(Enabled(ID_EXPORT)) << "not offered while a declaration is open";
  Trigger(ID_FILE_SAVE);
  EXPECT_FALSE(Enabled(ID_FILE_SAVE));

  // New: the saved declaration closes without a question, the index creates an income-tax one.
  CreateIncome(kIncome);
  Trigger(ID_FILE_NEW);
  EXPECT_EQ(saveQuestions, 0);
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(Current()->KindByte(), 2);
  EXPECT_EQ(Current()->Key(), kIncome);
  EXPECT_EQ(a.MainFrame()->MdiArea()->subWindowList().size(), 1) << "the other declaration's frame went";
  EXPECT_EQ(a.MainFrame()->PaneText(1), QStringLiteral("DECLARANTE"));

  // Saving calculates: the salary less its expenses is the net work income.
  {
    std::uint8_t* secA = f100::record(Current()->Document().Block().data(), f100::SectionA);
    f100::sec_a::Holder.set(secA, 2);
    f100::sec_a::MoneyPay.set(secA, 24000.0);
    f100::sec_a::SocialSecurity.set(secA, 1500.0);
    f100::sec_a::UnionDues.set(secA, 120.0);
  }
  Trigger(ID_FILE_SAVE);
  std::vector<std::uint8_t> stored = StoredBlock(kIncome);
  ASSERT_EQ(stored.size(), f100::kBlockSize);
  EXPECT_EQ(f100::sec_a::NetWorkIncome.get(f100::record(stored.data(), f100::SectionA), 1), 22380.0);

  Trigger(ID_FILE_CLOSE);
  EXPECT_EQ(a.GetCurrentDocument(), nullptr);
  EXPECT_TRUE(a.MainFrame()->MdiArea()->subWindowList().isEmpty());
  EXPECT_EQ(a.MainFrame()->PaneText(1), QString());

  // Open: both are listed with their forms; the wealth-tax one opens and calculates on save.
  script.push_back(Index([](IndexDlg& dlg) {
    EXPECT_EQ(dlg.Text(sid::kTotal), "2");
    EXPECT_EQ(dlg.Cell(RowOf(dlg, kWealthStored), 2), "714");
    EXPECT_EQ(dlg.Cell(RowOf(dlg, kIncome), 2), "IRPF");
    Select(dlg, kWealthStored);
    Click(dlg, sid::kSeleccionar);
  }));
  Trigger(ID_FILE_OPEN);
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(Current()->KindByte(), 3);
  EXPECT_EQ(Current()->Key(), kWealthStored);
  std::uint8_t* result = f714::record(Current()->Document().Block().data(), f714::Result);
  f714::result::Option24.set(result, 7);  // the calculation's final step resets it
  Current()->Document().Model().WrittenAll();
  Trigger(ID_FILE_SAVE);
  stored = StoredBlock(kWealthStored);
  ASSERT_EQ(stored.size(), f714::kBlockSize);
  EXPECT_EQ(f714::result::Option24.get(f714::record(stored.data(), f714::Result)), 0);

  // The index renames (keeping the apostrophe), duplicates and deletes, asking with the message
  // table's questions; a taken name is no new name.
  script.push_back(Index([](IndexDlg& dlg) {
    Select(dlg, kIncome);
    Type(dlg, kRenamed);
    Click(dlg, sid::kRenombrar);
    Select(dlg, kRenamed);
    Click(dlg, sid::kDuplicar);
    EXPECT_GT(RowOf(dlg, "COPIA DE " + kRenamed), 0);
    Select(dlg, "COPIA DE " + kRenamed);
    Click(dlg, sid::kBaja);
    EXPECT_EQ(RowOf(dlg, "COPIA DE " + kRenamed), -1);
    Select(dlg, kWealthStored);
    Type(dlg, kRenamed);
    EXPECT_FALSE(dlg.IsEnabled(sid::kRenombrar)) << "a taken name is no new name";
    Click(dlg, sid::kCancelar);
  }));
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(StoredKeys(), (std::vector<std::string>{kWealthStored, kRenamed}));
  std::vector<QString> codes = coded.Codes();
  EXPECT_NE(std::find(codes.begin(), codes.end(), QStringLiteral("WIN037")), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), QStringLiteral("WIN002")), codes.end());
  for (const ShownMessage& m : coded.shown)
    if (m.code == QStringLiteral("WIN002")) {
      EXPECT_TRUE(m.text.contains(QStringLiteral("borrar"))) << m.text.toStdString();
      EXPECT_EQ(m.buttons, kBtnAceptar | kBtnCancelar);
    }

  // The renamed declaration is found under its name with the apostrophe.
  script.push_back(Choose(kRenamed));
  Trigger(ID_FILE_OPEN);
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(Current()->Key(), kRenamed);
  EXPECT_EQ(f100::sec_a::NetWorkIncome.get(f100::record(Current()->Document().Block().data(), f100::SectionA), 1),
            22380.0);
}

// A save that cannot write (another copy holds the store's write lock, or the database refuses
// the row as a full disk would) keeps the declaration open with its edits and says so; the row
// stays as last saved, and once the cause has gone the next save stores the edits.
TEST_F(WiringTest, AFailedSaveKeepsTheDeclarationOpenWithItsEdits) {
  struct Failure {
    const char* name;
    std::function<void(CRentaApp&)> begin, end;
  };
  db::CAdoConnection other("otra copia");
  const std::string path = (data.Path() / "DatRed.db").string();
  auto lockedBy = [&](const char* begin) {
    return [&, begin](CRentaApp&) { ASSERT_TRUE(other.Open(path) && other.Execute(begin)); };
  };
  auto unlock = [&](CRentaApp&) {
    ASSERT_TRUE(other.Execute("ROLLBACK"));
    other.Close();
  };
  const Failure failures[] = {
      // Held beyond the busy timeout: the row cannot even be read.
      {"exclusive lock of another connection", lockedBy("BEGIN EXCLUSIVE"), unlock},
      // The row is read, its write waits out the timeout.
      {"write lock of another connection", lockedBy("BEGIN IMMEDIATE"), unlock},
      {"row refused by the database",
       [](CRentaApp& a) {
         ASSERT_TRUE(a.Databases().Declarations().Execute(
             "CREATE TRIGGER refuse BEFORE UPDATE ON DATOSDEC BEGIN SELECT RAISE(ABORT, 'disco lleno'); END"));
       },
       [](CRentaApp& a) { ASSERT_TRUE(a.Databases().Declarations().Execute("DROP TRIGGER refuse")); }},
  };
  CreateIncome(kIncome);
  CRentaApp& a = Start();
  ASSERT_NE(Current(), nullptr);
  Trigger(ID_FILE_SAVE);
  double pay = 100.0;
  for (const Failure& f : failures) {
    SCOPED_TRACE(f.name);
    const std::vector<std::uint8_t> saved = StoredBlock(kIncome);
    CDeclarationDocument* doc = Current();
    ASSERT_NE(doc, nullptr);
    pay += 100.0;
    f100::sec_a::MoneyPay.set(f100::record(doc->Document().Block().data(), f100::SectionA), pay);
    doc->Document().Model().WrittenAll();
    f.begin(a);
    messages.clear();
    coded.shown.clear();
    Trigger(ID_FILE_SAVE);
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.front().text.contains(QStringLiteral("\nError : -"))) << messages.front().text.toStdString();
    ASSERT_FALSE(coded.shown.empty());
    EXPECT_EQ(coded.shown.back().code, QString::fromLatin1(doc::kSaveFailedCode));
    EXPECT_TRUE(coded.shown.back().text.contains(QStringLiteral("sigue abierta"))) << coded.shown.back().text.toStdString();
    // Nothing queued closes it.
    QTest::qWait(20);
    ASSERT_EQ(Current(), doc);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(Enabled(ID_FILE_SAVE));
    EXPECT_EQ(a.MainFrame()->MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(f100::sec_a::MoneyPay.get(f100::record(doc->Document().Block().data(), f100::SectionA)), pay);
    f.end(a);
    EXPECT_EQ(StoredBlock(kIncome), saved) << "nothing half-written";

    Trigger(ID_FILE_SAVE);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(f100::sec_a::MoneyPay.get(f100::record(StoredBlock(kIncome).data(), f100::SectionA)), pay);
  }
  EXPECT_EQ(saveQuestions, 0);
}

// The status command validates the declaration and lists the findings in "Avisos y errores";
// jumping to one goes to its page through the main frame.
TEST_F(WiringTest, ValidationWithAFindingOpensTheWindowAndJumpsToItsPage) {
  script.push_back(Create(kWealth, true));
  CRentaApp& a = Start();
  ASSERT_NE(Current(), nullptr);
  Current()->Document().NavigatePage(99, 0);
  ASSERT_EQ(Current()->Document().CurrentPage(), 10);

  std::vector<std::string> listed;
  script.push_back([&](QDialog& d) {
    auto& dlg = dynamic_cast<checks::CAvisosErroresDlg&>(d);
    EXPECT_FALSE(dlg.Control(checks::CAvisosErroresDlg::kIdPrint)->isEnabled()) << "an error: nothing can be printed";
    int row = 0;
    for (std::size_t i = 0; i < dlg.Model().Rows().size(); ++i) {
      listed.push_back(dlg.Model().Rows()[i].code);
      if (listed.back() == "WIN041") row = static_cast<int>(i) + 1;
    }
    EXPECT_GT(row, 0);
    dlg.OnActivate(row, 0);
    return dlg.result();
  });
  Trigger(ID_ERRORS);
  EXPECT_NE(std::find(listed.begin(), listed.end(), "WIN041"), listed.end()) << "the declarant's NIF is missing";
  EXPECT_EQ(Current()->LastValidation(), 1);
  EXPECT_EQ(Current()->Document().CurrentPage(), 0) << "the finding's box is on the first page";
  std::optional<checks::CorrectionRow> row;
  checks::DatabaseCorrectionsStore corrections(a.Databases().Declarations());
  ASSERT_TRUE(corrections.Find(store::PadKey(kWealthStored), "WIN041", 2, row));
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->vista, 1);
  EXPECT_EQ(row->numcontr, 3);

  // Deleting the declaration takes its findings with it.
  a.CloseAllDeclarations();
  ASSERT_TRUE(assembly->Store().Delete(kWealthStored, false));
  ASSERT_TRUE(corrections.Find(store::PadKey(kWealthStored), "WIN041", 2, row));
  EXPECT_FALSE(row.has_value());
}

// Save as writes the declaration under the new name and opens that one in its place; the row
// under the old name stays as it was last saved. Closing the frame closes the declaration.
TEST_F(WiringTest, SaveAsOpensTheCopyInPlaceAndClosingTheFrameClosesIt) {
  CreateIncome(kIncome);
  CRentaApp& a = Start();
  Trigger(ID_FILE_SAVE);
  f100::sec_a::MoneyPay.set(f100::record(Current()->Document().Block().data(), f100::SectionA), 1000.0);
  script.push_back([](QDialog& d) {
    auto& dlg = dynamic_cast<ui::store_dlg::CGuardarComoDlg&>(d);
    EXPECT_EQ(dlg.NameEdit()->text().toStdString(), kIncome);
    dlg.NameEdit()->setText(QString::fromStdString(kRenamed));
    dlg.accept();
    return dlg.result();
  });
  Trigger(ID_FILE_SAVE_AS);
  ASSERT_TRUE(Settle([&] { return Current() && Current()->Key() == kRenamed; }));
  EXPECT_EQ(a.MainFrame()->MdiArea()->subWindowList().size(), 1);
  EXPECT_EQ(StoredKeys(), (std::vector<std::string>{kIncome, kRenamed}));
  EXPECT_EQ(f100::sec_a::MoneyPay.get(f100::record(StoredBlock(kRenamed).data(), f100::SectionA)), 1000.0);
  EXPECT_EQ(f100::sec_a::MoneyPay.get(f100::record(StoredBlock(kIncome).data(), f100::SectionA)), 0.0);

  // Closing the declaration's frame asks first; Cancel keeps it open, No closes it unsaved.
  Current()->Document().Model().WrittenAll();
  saveAnswer = kAnswerCancel;
  Current()->Frame()->close();
  ASSERT_TRUE(Settle([&] { return saveQuestions == 1; }));
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(a.MainFrame()->MdiArea()->subWindowList().size(), 1);
  saveAnswer = kAnswerNo;
  Current()->Frame()->close();
  ASSERT_TRUE(Settle([&] { return a.GetCurrentDocument() == nullptr; }));
  EXPECT_EQ(saveQuestions, 2);
  EXPECT_TRUE(a.MainFrame()->MdiArea()->subWindowList().isEmpty());
}

// Export to a transfer file and import back, through the commands and their dialogs.
TEST_F(WiringTest, ExportAndImportThroughTheCommands) {
  script.push_back(Cancel());
  CRentaApp& a = Start();
  store::DeclarationStore& s = assembly->Store();
  ASSERT_TRUE(s.Create(kIncome, store::kKindForm100));
  ASSERT_TRUE(s.Create(kRenamed, store::kKindForm714));
  const std::string file = data.Str() + "copia.ren";

  script.push_back([](QDialog& d) {
    auto& list = dynamic_cast<ui::store_dlg::CExportacionDlg&>(d);
    list.SelectAll(true);
    list.accept();
    return list.result();
  });
  script.push_back(FileChosen(file));
  Trigger(ID_EXPORT);
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(a.LastTransferPath(), QString::fromStdString(file));
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().text.toStdString(), platform::Text(store::text::kExported));
  EXPECT_EQ(messages.back().icon, app::kIconInfo) << "a success is no warning";

  ASSERT_TRUE(s.Delete(kIncome, false));
  ASSERT_TRUE(s.Delete(kRenamed, false));
  script.push_back(FileChosen(file));
  script.push_back([](QDialog& d) {
    auto& list = dynamic_cast<ui::store_dlg::CImportacionDlg&>(d);
    list.SelectAll(true);
    list.accept();
    return list.result();
  });
  Trigger(ID_IMPORT);
  EXPECT_EQ(StoredKeys(), (std::vector<std::string>{kIncome, kRenamed}));
  EXPECT_EQ(messages.back().text.toStdString(), platform::Text(store::text::kImported));
}

// The success of an export is told in the message box the program really shows, with the
// information icon (the program's own message service stands over the recording double for it).
TEST_F(WiringTest, TheExportsSuccessShowsTheInformationIcon) {
  script.push_back(Cancel());
  Start();
  ASSERT_TRUE(assembly->Store().Create(kIncome, store::kKindForm100));
  const std::string file = data.Str() + "exito.ren";
  script.push_back([](QDialog& d) {
    auto& list = dynamic_cast<ui::store_dlg::CExportacionDlg&>(d);
    list.SelectAll(true);
    list.accept();
    return list.result();
  });
  script.push_back(FileChosen(file));
  ui::CDialogMessages programs;
  ui::ScopedMessageService realBoxes(programs);
  QString shown;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    shown = box->text();
    icon = box->icon();
    box->accept();
  });
  watch.start(5);
  Trigger(ID_EXPORT);
  watch.stop();
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(shown.toStdString(), platform::Text(store::text::kExported));
  EXPECT_EQ(icon, QMessageBox::Information) << "a success is no warning";
}

// Remote mode: the store goes to the local copies at the end of a run and comes back at the
// first index of the next run.
TEST_F(WiringTest, RemoteModeCarriesTheDeclarationsInItsLocalCopies) {
  WriteProfile("[Remota]\nRemota=1\n");
  script.push_back(Cancel());
  Start();
  ASSERT_TRUE(assembly->Store().Create(kRenamed, store::kKindForm714));
  program->ExitInstance(0);
  assembly.reset();
  program.reset();
  const std::filesystem::path copies = app::MachineCopiesFolder(data.Str(), {});
  EXPECT_TRUE(std::filesystem::exists(copies / "Decla.100"));
  ASSERT_TRUE(std::filesystem::exists(copies / "Decla.714"));

  std::filesystem::remove(data.Path() / "DatRed.db");
  ui::store_dlg::CIndiceDeclaracionesDlg::ResetLocalCopiesLoaded();  // a new run of the program
  script.push_back(Index([](IndexDlg& dlg) {
    EXPECT_GT(RowOf(dlg, kRenamed), 0) << "loaded from the local copy";
    Click(dlg, sid::kCancelar);
  }));
  Start();
}

// Two machines in remote mode on one store, with one data folder (a roaming home): each keeps
// its own local copies; the second machine's end of run leaves the first one's copies as they were,
// and each machine's next run reads back its own.
TEST_F(WiringTest, RemoteModeKeepsEachMachinesLocalCopiesApart) {
  WriteProfile("[Remota]\nRemota=1\n");
  const auto ReadFile = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const auto run = [&](const char* machine, const std::function<void()>& during) {
    ui::store_dlg::CIndiceDeclaracionesDlg::ResetLocalCopiesLoaded();  // a new run of the program
    app::AppOptions o = Options();
    o.machine = machine;
    program = std::make_unique<CRentaApp>(std::move(o));
    assembly = std::make_unique<CProgramAssembly>(*program, [this](QDialog& d) { return RunModal(d); });
    ASSERT_EQ(program->InitInstance(), CRentaApp::Start::Running);
    during();
    program->ExitInstance(0);
    assembly.reset();
    program.reset();
  };
  const std::filesystem::path a = app::MachineCopiesFolder(data.Str(), "PUESTO-A");
  const std::filesystem::path b = app::MachineCopiesFolder(data.Str(), "PUESTO-B");
  ASSERT_NE(a, b);
  script.push_back(Cancel());
  run("PUESTO-A", [&] { ASSERT_TRUE(assembly->Store().Create("GARCIA", store::kKindForm100)); });
  const std::string copyOfA = ReadFile((a / "Decla.100").string());
  ASSERT_FALSE(copyOfA.empty());

  script.push_back(Cancel());
  run("PUESTO-B", [&] {
    ASSERT_TRUE(assembly->Store().Create("LOPEZ", store::kKindForm100));
    ASSERT_TRUE(assembly->Store().Delete("GARCIA", false));
  });
  EXPECT_EQ(ReadFile((a / "Decla.100").string()), copyOfA) << "the first machine's copy is untouched";
  ASSERT_TRUE(std::filesystem::exists(b / "Decla.100"));
  EXPECT_NE(ReadFile((b / "Decla.100").string()).find("LOPEZ"), std::string::npos);
  EXPECT_EQ(ReadFile((b / "Decla.100").string()).find("GARCIA"), std::string::npos);

  // The store lost: each machine's next run brings back what that machine last carried.
  std::filesystem::remove(data.Path() / "DatRed.db");
  script.push_back(Cancel());
  run("PUESTO-A", [&] { EXPECT_EQ(StoredKeys(), (std::vector<std::string>{"GARCIA"})); });
  std::filesystem::remove(data.Path() / "DatRed.db");
  script.push_back(Cancel());
  run("PUESTO-B", [&] { EXPECT_EQ(StoredKeys(), (std::vector<std::string>{"LOPEZ"})); });
}

// Remote mode with the default folders: the local copies lie in the folder of the store they were
// written from. Each start finds the copies' declarations stored already and adds nothing.
TEST_F(WiringTest, RemoteModeWithTheStoreInPlaceKeepsOneRowOverSixStarts) {
  WriteProfile("[Remota]\nRemota=1\n");
  for (int start = 0; start < 6; ++start) {
    ui::store_dlg::CIndiceDeclaracionesDlg::ResetLocalCopiesLoaded();  // a new run of the program
    script.push_back(Cancel());
    Start();
    if (start == 0) {
      ASSERT_TRUE(assembly->Store().Create("GARCIA", store::kKindForm100));
    }
    EXPECT_EQ(StoredKeys(), (std::vector<std::string>{"GARCIA"})) << "start " << start + 1;
    program->ExitInstance(0);
    assembly.reset();
    program.reset();
  }
}

// A new income-tax declaration asks how its data are captured and is kept individual or joint as
// answered; a question closed unanswered sets nothing up and leaves no row behind.
TEST_F(WiringTest, ANewIncomeTaxDeclarationIsIndividualOrJointAsItsCaptureTypeIsAnswered) {
  struct Case {
    std::string name;
    Capture answer;
    bool opened;
    std::uint8_t modality;
    const char* stored;
  };
  const Case cases[] = {
      {"CAPTURA CONJUNTA", Capture::Joint, true, 1, "C"},
      {"CAPTURA INDIVIDUAL", Capture::Individual, true, 0, "I"},
      {"CAPTURA CERRADA", Capture::Closed, false, 0, nullptr},
  };
  script.push_back(Cancel());
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.answer == Capture::Individual) coded.Then(kAnsContinuar);
    CreateIncome(c.name, c.answer);
    Trigger(ID_FILE_NEW);
    if (!c.opened) {
      EXPECT_EQ(Current(), nullptr);
      EXPECT_FALSE(std::ranges::count(StoredKeys(), c.name)) << "the new row is not kept";
      continue;
    }
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->Document().Modality(), c.modality);
    Current()->Document().Model().WrittenAll();
    Trigger(ID_FILE_SAVE);
    const auto rows = assembly->Store().List();
    const auto row = std::ranges::find_if(rows, [&](const auto& r) { return store::TrimKey(r.key) == c.name; });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ(row->modality, c.stored);
    Trigger(ID_FILE_CLOSE);
  }
  EXPECT_EQ(coded.Codes(), std::vector<QString>{QStringLiteral("100P002")}) << "asked only for the special case";
}

// The calculator keeps its memory in the program's profile; its hook opens the calculator.
TEST_F(WiringTest, CalculatorMemoryLivesInTheSettingsProfile) {
  script.push_back(Cancel());
  CRentaApp& a = Start();
  ui::controls::ActiveProfile().SetString(QStringLiteral("CALCULADORA"), QStringLiteral("Memoria"),
                                          QStringLiteral("12,500000"));
  EXPECT_EQ(a.Profile().CalculatorMemory(), "12,500000");
  EXPECT_EQ(ui::controls::ActiveProfile().GetString(QStringLiteral("CALCULADORA"), QStringLiteral("Memoria")),
            QStringLiteral("12,500000"));
}

// Typing in a box offers the save command at once, with no menu opened and no page changed:
// Ctrl+G (and the toolbar's button) right after the keys stores what was typed.
TEST_F(WiringTest, CtrlGRightAfterTypingSavesTheTypedBox) {
  script.push_back(Create(kWealth, true));
  CRentaApp& a = Start();
  ASSERT_NE(Current(), nullptr);
  Trigger(ID_FILE_SAVE);
  QAction* save = a.MainFrame()->Action(ID_FILE_SAVE);
  ASSERT_FALSE(save->isEnabled());
  // A shortcut reaches only the active window: the frame is shown anew so that the offscreen
  // platform exposes it and can make it active.
  a.MainFrame()->hide();
  a.MainFrame()->showNormal();
  ASSERT_TRUE(qxtest::ShowActive(a.MainFrame()));
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  page->GoToBox(3);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == 3; }));
  QTest::keyClicks(page->Editor(), QStringLiteral("12345678z"));
  EXPECT_TRUE(save->isEnabled()) << "offered as soon as the box holds a change";
  QTest::keyClick(page->Editor(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_FALSE(Current()->IsModified());
  EXPECT_FALSE(save->isEnabled()) << "nothing left to save";
  const std::vector<std::uint8_t> stored = StoredBlock(kWealthStored);
  ASSERT_FALSE(stored.empty());
  EXPECT_EQ(f714::personal::Nif.str(f714::record(stored.data(), f714::Personal)), "12345678Z");
}

// Form 714's region code (page 1) and months (pages 1 and 11) are picked from lists of the lookup
// tables: the box's drop button opens the list, a clicked line and Enter write the box and the
// record, Escape closes the list and leaves the declaration's bytes as they were.
TEST_F(WiringTest, TheWealthTaxRegionAndMonthBoxesPickFromTheirLists) {
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  const std::size_t size = Current()->Document().Block().size();
  std::uint8_t* personal = f714::record(block, f714::Personal);
  // Opens the box's list with its drop button; the list, or null.
  const auto openList = [&](forms::CFormView* page, int position) -> CListaEdit* {
    page->GoToBox(position - 1);
    if (!Settle([&] { return page->EditedBox() == position - 1; })) return nullptr;
    auto* edit = dynamic_cast<CListaEdit*>(page->Editor());
    if (!edit || !edit->Button() || !edit->Button()->isVisible()) return nullptr;
    QTest::mouseClick(edit->Button(), Qt::LeftButton);
    return edit->List() ? edit : nullptr;
  };
  const auto pick = [&](CListaEdit* edit, const QString& item) {
    QListWidget* list = edit->List();
    int row = -1;
    for (int r = 0; r < list->count(); ++r)
      if (edit->ItemText(r) == item) row = r;
    ASSERT_GE(row, 0) << item.toStdString();
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(edit->ListOpen());
  };
  const auto escapeLeavesTheBytes = [&](forms::CFormView* page, int position) {
    SCOPED_TRACE(testing::Message() << "box " << position);
    const std::vector<std::uint8_t> before(block, block + size);
    CListaEdit* edit = openList(page, position);
    ASSERT_NE(edit, nullptr);
    EXPECT_GT(edit->List()->count(), 0);
    QApplication::processEvents();
    EXPECT_TRUE(std::equal(before.begin(), before.end(), block)) << "opening the list chooses nothing";
    QTest::keyClick(edit->List(), Qt::Key_Down);  // browsing the list
    QTest::keyClick(edit->List(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(edit->ListOpen());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), block)) << "Escape changes nothing";
    EXPECT_EQ(page->GetBox(position - 1)->displayText, edit->text());
  };

  forms::CFormView* page = Current()->View();
  ASSERT_EQ(page->GetPageCode(), 301);
  escapeLeavesTheBytes(page, 37);
  CListaEdit* region = openList(page, 37);
  ASSERT_NE(region, nullptr);
  // The communities of the lookup table, by name.
  EXPECT_EQ(region->List()->count(), 17);
  if (const char* out = std::getenv("QX_UPDATE_IMAGES")) {
    QPixmap shot = page->grab();
    QPainter(&shot).drawPixmap(page->mapFromGlobal(region->List()->window()->pos()), region->List()->window()->grab());
    shot.save(QString::fromLocal8Bit(out) + QStringLiteral("/region_list.png"));
  }
  pick(region, QStringLiteral("09"));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(personal + 431), 2), "09");
  EXPECT_EQ(page->GetBox(36)->displayText, QStringLiteral("09"));
  EXPECT_EQ(page->GetBox(37)->SoloLectur, 0) << "Cataluña's mark can be set";
  Trigger(ID_FILE_SAVE);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(f714::record(StoredBlock(kWealthStored).data(), f714::Personal) + 431), 2),
            "09");

  escapeLeavesTheBytes(page, 42);
  CListaEdit* month = openList(page, 42);
  ASSERT_NE(month, nullptr);
  ASSERT_EQ(month->List()->count(), 12);
  EXPECT_EQ(month->List()->item(0)->text(), QStringLiteral("ENERO")) << "in the months' order";
  pick(month, QStringLiteral("MAYO"));
  EXPECT_EQ(blocks::Text(476, 10).trimmed(personal), "MAYO");
  EXPECT_EQ(page->GetBox(41)->displayText, QStringLiteral("MAYO"));

  script.push_back(GoToPage(QStringLiteral("11")));
  Trigger(ID_GO_TO_PAGE);
  page = Current()->View();
  ASSERT_EQ(page->GetPageCode(), 311);
  EXPECT_EQ(page->GetBox(29)->displayText, QStringLiteral("MAYO")) << "page 11 shows the same month";
  escapeLeavesTheBytes(page, 30);
  month = openList(page, 30);
  ASSERT_NE(month, nullptr);
  pick(month, QStringLiteral("DICIEMBRE"));
  EXPECT_EQ(blocks::Text(476, 10).trimmed(personal), "DICIEMBRE");
  EXPECT_EQ(page->GetBox(29)->displayText, QStringLiteral("DICIEMBRE"));
}

// The main road: a declaration opens on its first page, the user fills a box and moves on with
// Tab, pages through the declaration with the frame's commands and the go-to-page dialog, and
// zooms; the box prompt stands in the status bar.
TEST_F(WiringTest, ADeclarationOpensOnItsFirstPageAndIsFilledBoxByBox) {
  script.push_back(Create(kWealth, true));
  CRentaApp& a = Start();
  ASSERT_NE(Current(), nullptr);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetPageCode(), 301);
  EXPECT_EQ(Current()->Frame()->widget(), page);
  ASSERT_EQ(page->EditedBox(), 0) << "the first editable box is open";
  EXPECT_FALSE(page->GetBox(0)->prompt.empty());
  EXPECT_EQ(a.MainFrame()->statusBar()->currentMessage(), QString::fromStdString(page->GetBox(0)->prompt));

  page->GoToBox(3);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == 3; })) << "the posted click opens the NIF";
  QTest::keyClicks(page->Editor(), QStringLiteral("12345678z"));
  QTest::keyClick(page->Editor(), Qt::Key_Tab);
  EXPECT_EQ(page->EditedBox(), 4);
  const std::uint8_t* per = f714::record(Current()->Document().Block().data(), f714::Personal);
  EXPECT_EQ(f714::personal::Nif.str(per), "12345678Z");
  EXPECT_EQ(page->GetBox(48)->displayText, QStringLiteral("12345678Z"));
  EXPECT_TRUE(Enabled(ID_FILE_SAVE));
  if (const char* out = std::getenv("QX_UPDATE_IMAGES")) {
    a.MainFrame()->resize(1100, 800);
    QApplication::processEvents();
    a.MainFrame()->grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/page_view.png"));
  }

  // Paging: next, first, the go-to-page dialog and last.
  EXPECT_FALSE(Enabled(ID_FIRST_PAGE));
  Trigger(ID_NEXT_PAGE);
  ASSERT_NE(Current()->View(), nullptr);
  EXPECT_EQ(Current()->View()->GetPageCode(), 302);
  EXPECT_GT(Current()->View()->GetBoxCount(), 0);
  Trigger(ID_FIRST_PAGE);
  EXPECT_EQ(Current()->View()->GetPageCode(), 301);
  EXPECT_EQ(Current()->View()->GetBox(3)->displayText, QStringLiteral("12345678Z"));
  script.push_back(GoToPage(QStringLiteral("10")));
  Trigger(ID_GO_TO_PAGE);
  EXPECT_EQ(Current()->View()->GetPageCode(), 310);
  EXPECT_GT(Current()->View()->GetBoxCount(), 0);
  EXPECT_TRUE(Enabled(ID_LAST_PAGE));
  Trigger(ID_LAST_PAGE);
  EXPECT_EQ(Current()->View()->GetPageCode(), 311);
  EXPECT_FALSE(Enabled(ID_LAST_PAGE));
  EXPECT_TRUE(Enabled(ID_FIRST_PAGE));
  EXPECT_TRUE(Enabled(ID_PREV_PAGE));
  // Reached another way (a box to go to), the page commands follow the page at once.
  Trigger(ID_FIRST_PAGE);
  EXPECT_FALSE(Enabled(ID_PREV_PAGE));
  a.MainFrame()->GoToBox(11, 0);
  EXPECT_EQ(Current()->View()->GetPageCode(), 311);
  EXPECT_TRUE(Enabled(ID_FIRST_PAGE));
  EXPECT_TRUE(Enabled(ID_PREV_PAGE));
  EXPECT_FALSE(Enabled(ID_NEXT_PAGE));

  // Zoom: the document's zoom and the profile's text.
  EXPECT_FALSE(Enabled(ID_ZOOM_OUT));
  Trigger(ID_ZOOM_IN);
  EXPECT_DOUBLE_EQ(Current()->Document().Zoom(), 1.25);
  EXPECT_EQ(a.ZoomText(), QStringLiteral("1.25"));
  EXPECT_TRUE(Enabled(ID_ZOOM_OUT));
}

// The open joint declaration publishes its household and shown member: a spouse's view reads and
// refuses as a member view, the family unit's edits, and the save renews the printed references
// that an edit made out of date.
TEST_F(WiringTest, AJointDeclarationsMemberViewsFollowTheShownMember) {
  namespace fam = f100::family;
  CreateIncome(kIncome);
  CRentaApp& a = Start();
  ASSERT_NE(Current(), nullptr);
  ReopenAsCouple({}, [] {
    EXPECT_EQ(doc::ShownMember(), 0) << "no declaration open";
    EXPECT_FALSE(doc::HouseholdHasSeveralHolders());
  });
  ASSERT_NE(Current(), nullptr);
  auto& renta = dynamic_cast<doc::CRentaDoc&>(Current()->Document());
  EXPECT_EQ(doc::ShownMember(), doc::kFamilyUnit) << "a household with a spouse opens on the family unit";
  EXPECT_TRUE(doc::HouseholdHasSeveralHolders());
  EXPECT_EQ(a.MainFrame()->PaneText(1), QStringLiteral("U.FAMILIAR"));

  ASSERT_TRUE(renta.CanShowMember(doc::kSpouse));
  // The page shows each member's own NIF in the same box.
  for (int m = 0; m < 5; ++m)
    blocks::Text{773 + 9 * static_cast<std::size_t>(m), 9}.set(renta.Block().data(), std::string(9, static_cast<char>('1' + m)));
  ASSERT_NE(Current()->View(), nullptr);
  EXPECT_EQ(Current()->View()->GetPageCode(), 201);
  Trigger(ID_NEXT_PAGE);
  EXPECT_EQ(Current()->View()->GetPageCode(), 202);
  EXPECT_GT(Current()->View()->GetBoxCount(), 0);
  Trigger(ID_NEXT_PAGE);
  EXPECT_EQ(Current()->View()->GetPageCode(), 203);
  EXPECT_GT(Current()->View()->GetBoxCount(), 0);
  Trigger(ID_NEXT_PAGE);
  EXPECT_EQ(Current()->View()->GetPageCode(), 204);
  EXPECT_EQ(Current()->View()->GetBoxCount(), 86);
  Trigger(ID_FIRST_PAGE);
  ASSERT_EQ(Current()->View()->GetPageCode(), 201);
  Trigger(ID_MEMBER_DECLARANT);
  EXPECT_EQ(Current()->View()->GetBox(0)->displayText, QStringLiteral("222222222"));
  EXPECT_TRUE(a.MainFrame()->Action(ID_MEMBER_DECLARANT)->isChecked());
  Trigger(ID_MEMBER_SPOUSE);
  EXPECT_EQ(doc::ShownMember(), doc::kSpouse);
  EXPECT_EQ(Current()->View()->GetBox(0)->displayText, QStringLiteral("333333333"));
  EXPECT_FALSE(Enabled(ID_MEMBER_CHILD1)) << "no first child";
  EXPECT_EQ(a.MainFrame()->PaneText(1), QStringLiteral("CÓNYUGE"));

  // A per-member amount box of the declaration, bound as a page binds it, not marked for member views.
  std::uint8_t* secA = f100::record(renta.Block().data(), f100::SectionA);
  for (int m = 0; m < 5; ++m) f100::sec_a::NetWorkIncome.set(secA, m, 1000.0 * (m + 1));
  CBoxField box;
  box.StrValidac = "R12*5.2";
  box.ApplyFormatSpec();
  CMoneda edit(&box, Current()->View());
  edit.BindData(secA + f100::sec_a::NetWorkIncome.off);
  edit.LoadFromData(0);
  EXPECT_DOUBLE_EQ(CDoubleEdit::ParseAmountText(edit.text()), 3000.0) << "the spouse's slot";
  edit.show();
  const QString before = edit.text();
  qxtest::Type(&edit, "7");
  ASSERT_EQ(coded.Codes(), std::vector<QString>{QStringLiteral("100R025")});
  EXPECT_EQ(edit.text(), before);

  // Printed members whose data change get new references at the next save.
  std::uint8_t* family = f100::record(renta.Block().data(), f100::Family);
  for (int m = 0; m < 5; ++m) fam::MemberStatus(m).set(family, 1);
  renta.ShowMember(doc::kFamilyUnit);
  EXPECT_EQ(doc::ShownMember(), doc::kFamilyUnit);
  // The member change recalculated the declaration, which derives these amounts from their rows.
  for (int m = 0; m < 5; ++m) f100::sec_a::NetWorkIncome.set(secA, m, 1000.0 * (m + 1));
  edit.LoadFromData(0);
  EXPECT_DOUBLE_EQ(CDoubleEdit::ParseAmountText(edit.text()), 1000.0) << "the family unit's slot";
  edit.clear();
  qxtest::Type(&edit, "7");
  EXPECT_EQ(edit.text(), QStringLiteral("7"));
  EXPECT_EQ(coded.shown.size(), 1u) << "the family unit's view is editable";
  edit.SetModifiedEx(true);
  ASSERT_EQ(edit.StoreToData(), 1);
  EXPECT_EQ(f100::sec_a::NetWorkIncome.get(secA, 0), 7.0);
  EXPECT_EQ(f100::sec_a::NetWorkIncome.get(secA, 2), 3000.0);
  EXPECT_TRUE(Current()->Document().Model().EditedSincePrinted());

  Current()->Document().Model().WrittenAll();
  Trigger(ID_FILE_SAVE);
  const std::vector<QString> codes = coded.Codes();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), QStringLiteral("WIN026")), 1);
  EXPECT_FALSE(Current()->Document().Model().EditedSincePrinted());
  for (int m = 0; m < 5; ++m) EXPECT_EQ(renta.MemberStatus(m + 1), 0) << m;
}

// A value too wide for its box warns once per calculation: further overflowing boxes show "ERROR"
// without a message until the calculation arms the warning again; closing the declaration arms it
// too.
TEST_F(WiringTest, TheOverflowWarningIsShownOncePerCalculation) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  ASSERT_EQ(doc::ShownMember(), doc::kDeclarant);
  std::uint8_t* secA = f100::record(Current()->Document().Block().data(), f100::SectionA);
  CBoxField first, second;
  for (CBoxField* b : {&first, &second}) {
    b->StrValidac = "R8*5.2";
    b->ApplyFormatSpec();
  }
  first.data = secA + f100::sec_a::NetWorkIncome.off;
  second.data = secA + f100::sec_a::MoneyPayTotal.off;
  const auto overflow = [&] {
    f100::sec_a::NetWorkIncome.set(secA, 1, 100000000.0);
    f100::sec_a::MoneyPayTotal.set(secA, 1, 123456789.0);
    first.UpdateText();
    second.UpdateText();
    EXPECT_EQ(first.displayText, QStringLiteral("ERROR"));
    EXPECT_EQ(second.displayText, QStringLiteral("ERROR"));
    EXPECT_EQ(f100::sec_a::MoneyPayTotal.get(secA, 1), 100000000.0) << "the box's limit is stored";
  };
  overflow();
  EXPECT_EQ(coded.Codes(), std::vector<QString>{QStringLiteral("WIN022")});
  EXPECT_FALSE(doc::overflow_warning::Armed());
  overflow();
  EXPECT_EQ(coded.shown.size(), 1u) << "not again before the next calculation";

  Current()->Recalculate();
  EXPECT_TRUE(doc::overflow_warning::Armed());
  overflow();
  EXPECT_EQ(coded.Codes(), (std::vector<QString>{QStringLiteral("WIN022"), QStringLiteral("WIN022")}));

  saveAnswer = kAnswerNo;
  Trigger(ID_FILE_CLOSE);
  EXPECT_TRUE(doc::overflow_warning::Armed()) << "a closing declaration arms it";
}

// "Resumen de Resultados" opens the declaration summary over the open income-tax declaration,
// recalculated first; the lookup lists of the dialogs read the program's local database.
TEST_F(WiringTest, TheResultsSummaryShowsTheRecalculatedDeclaration) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(ui::LookupConnection(), &program->Databases().Local());
  std::uint8_t* block = Current()->Document().Block().data();
  f100::sec_a::Holder.set(f100::record(block, f100::SectionA), 2);
  f100::sec_a::MoneyPay.set(f100::record(block, f100::SectionA), 24000.0);
  QString declarant;
  script.push_back([&](QDialog& d) {
    auto& dlg = dynamic_cast<CResumenDeclaracionesDlg&>(d);
    dlg.EnsureCreated();
    declarant = dlg.Edit(CResumenDeclaracionesDlg::ControlAt(0, 1))->text();
    return static_cast<int>(ui::IDOK);
  });
  Trigger(ID_RESULTS_SUMMARY);
  const double base = f100::sec_k::GeneralLiquidable.get(f100::record(block, f100::SectionK), 1);
  EXPECT_GT(base, 0.0) << "the summary recalculated the declaration";
  EXPECT_FALSE(declarant.isEmpty());
  EXPECT_EQ(declarant.remove(u'.'), QString::number(base, 'f', 2).replace(u'.', u','));
}

// The last page of an income-tax declaration is the payment document of the member shown: a
// positive result is paid at once by direct debit until two instalments are chosen on the page.
TEST_F(WiringTest, ThePaymentPageSplitsAPositiveResultIntoTwoInstalments) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  f100::sec_a::Holder.set(f100::record(block, f100::SectionA), 2);
  f100::sec_a::MoneyPay.set(f100::record(block, f100::SectionA), 30000.0);
  Current()->Recalculate();
  Trigger(ID_LAST_PAGE);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetPageClassName(), "ORD017");
  const int h = doc::ShownMember() - 1;
  const double result = forms::ord017::MemberResult(block, h);
  ASSERT_GT(result, 0.0);
  EXPECT_EQ(*forms::ord017::MarkByte(block, forms::ord017::kAtOnce, h), 1);
  EXPECT_EQ(*forms::ord017::MarkByte(block, forms::ord017::kFirstDebit, h), 1);
  EXPECT_EQ(forms::ord017::FirstPayment(block, h), result);

  page->GoToBox(forms::ord017::kTwoInstalments - 1);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == forms::ord017::kTwoInstalments - 1; }));
  QTest::keyClick(page->Editor(), Qt::Key_X);
  EXPECT_EQ(*forms::ord017::MarkByte(block, forms::ord017::kAtOnce, h), 0);
  EXPECT_DOUBLE_EQ(forms::ord017::FirstPayment(block, h), result * 0.6);
  EXPECT_EQ(*forms::ord017::MarkByte(block, forms::ord017::kSecondNoDebit, h), 1);
  EXPECT_TRUE(Enabled(ID_FILE_SAVE));
}

// A page box that opens an annex: the maternity deduction of page 12 opens its dialog over the
// declaration's annex block, and the deduction that the dialog computed comes back as the box's value.
TEST_F(WiringTest, ThePageMaternityBoxOpensItsAnnexAndShowsTheDeduction) {
  namespace m = annex::maternidad;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  f100::sec_a::Holder.set(f100::record(block, f100::SectionA), 2);
  f100::sec_a::MoneyPay.set(f100::record(block, f100::SectionA), 20000.0);
  script.push_back(GoToPage(QStringLiteral("12")));
  Trigger(ID_GO_TO_PAGE);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->GetPageCode(), 212);
  constexpr int kMaternityBox = 31;
  page->GoToBox(kMaternityBox);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == kMaternityBox; }));
  auto* launcher = dynamic_cast<CDialogLauncherEdit*>(page->Editor());
  ASSERT_NE(launcher, nullptr) << "the box opens a dialog";

  // Annex dialogs run their own modal loop: the dialog on screen is filled as its keys would.
  bool opened = false;
  qxtest::WhenModal([&](QWidget* w) {
    auto* shown = dynamic_cast<CMaternidadDlg*>(w);
    ASSERT_NE(shown, nullptr);
    CMaternidadDlg& dlg = *shown;
    opened = true;
    std::uint8_t* b = dlg.AnnexBlock().data();
    m::Holder.set(b, ui::kHolderDeclarant);
    for (int month : {0, 1, 2}) m::Mark(0, month).set(b, 1);
    for (int month = 0; month < 12; ++month) m::Monthly(month).set(b, 120.0);
    m::Advance.set(b, 300.0);
    dlg.Recalculate();
    dlg.done(ui::IDOK);
  });
  QTest::keyClick(launcher, Qt::Key_1);
  ASSERT_TRUE(opened);
  const std::uint8_t* summary = f100::record(block, f100::Summary);
  EXPECT_EQ(summary[9352], ui::kHolderDeclarant) << "the annex block of the declaration";
  EXPECT_DOUBLE_EQ(f100::summary::MaternityDeduction.get(summary, 0), 300.0);
  EXPECT_DOUBLE_EQ(CDoubleEdit::ParseAmountText(page->GetBox(kMaternityBox)->displayText), 300.0);
  EXPECT_TRUE(Enabled(ID_FILE_SAVE));
}

// Page 4: an activity in objective estimation. Its activity box opens the activity selection of
// the modules database; the units typed into a module are valued and carried to the declaration.
TEST_F(WiringTest, Page4OpensTheActivitySelectionAndValuesTheTypedUnits) {
  namespace e4 = f100::sec_e4;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  script.push_back(GoToPage(QStringLiteral("4")));
  Trigger(ID_GO_TO_PAGE);
  auto* page = dynamic_cast<forms::ORD004*>(Current()->View());
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->GetPageCode(), 204);
  using forms::CBoxesORD004;
  const int code = CBoxesORD004::PositionOf(0, CBoxesORD004::kCodeBox) - 1;
  page->GoToBox(code);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == code; }));
  auto* selection = dynamic_cast<CSelStrEdit*>(page->Editor());
  ASSERT_NE(selection, nullptr) << "the activity is chosen in a dialog";
  coded.shown.clear();
  QTest::keyClick(selection, Qt::Key_F7);
  EXPECT_EQ(coded.Codes(), std::vector<QString>{QStringLiteral("WIN1104")}) << "the shipped modules hold no activity";

  // An activity as the selection writes it, with its holder.
  std::uint8_t* rec = f100::record(block, f100::SectionE4);
  rec[0] = 2;
  e4::Epigraph.set(rec, "642.4");
  e4::Activity.set(rec, 40);
  std::uint8_t* module = rec + e4::kModules;
  e4::module::Kind.set(module, 5);  // counted in metres: the units are typed
  e4::module::Description15.set(module, "Superficie");
  e4::module::AmountPerUnit.set(module, 8000.0);
  page->BoxList()->ApplyHolderMode();
  const int units = CBoxesORD004::PositionOf(0, CBoxesORD004::UnitsBox(0)) - 1;
  page->GoToBox(units);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == units; }));
  QTest::keyClicks(page->Editor(), QStringLiteral("2"));
  QTest::keyClick(page->Editor(), Qt::Key_Tab);
  EXPECT_DOUBLE_EQ(e4::module::Units.get(module), 2.0);
  EXPECT_DOUBLE_EQ(e4::module::Yield.get(module), 16000.0);
  EXPECT_GT(e4::NetYields.get(f100::record(block, f100::SectionE4), 1), 0.0) << "the declarant's net yields";
  EXPECT_EQ(page->GetBox(CBoxesORD004::kNetYields - 1)->displayText.isEmpty(), false);
  EXPECT_TRUE(Enabled(ID_FILE_SAVE));
}

// Page 4's information button opens the dialog of the row's activity: the mussel farm's asks for
// its rafts and boats. OK brings the key into the declaration; Cancel leaves the row as it was.
TEST_F(WiringTest, Page4OpensTheActivityInformationOfTheRowsActivity) {
  namespace e4 = f100::sec_e4;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  script.push_back(GoToPage(QStringLiteral("4")));
  Trigger(ID_GO_TO_PAGE);
  auto* page = dynamic_cast<forms::ORD004*>(Current()->View());
  ASSERT_NE(page, nullptr);
  std::uint8_t* rec = f100::record(block, f100::SectionE4);
  rec[0] = 2;
  e4::Epigraph.set(rec, "P.MEJ");
  e4::Activity.set(rec, 227);
  rec[e4::SinglePremises.off] = 0xFF;
  rec[e4::HeavyVehicle.off] = 0xFF;
  page->BoxList()->ApplyHolderMode();
  auto run = [&](const std::function<void(CInformacionRelativaActividadDlg81&)>& act) {
    bool opened = false;
    qxtest::WhenModal([&](QWidget* w) {
      auto* d = dynamic_cast<CInformacionRelativaActividadDlg81*>(w);
      opened = d != nullptr;
      if (d) act(*d);
      if (w->isVisible()) static_cast<QDialog*>(w)->done(ui::IDCANCEL);
    });
    ASSERT_NE(page->InfoButton(0).Button(), nullptr);
    page->InfoButton(0).Button()->click();
    EXPECT_TRUE(opened) << "the rafts-and-boats dialog";
  };
  run([](CInformacionRelativaActividadDlg81& d) {
    d.Edit(annex::activity_info::kClass)->setFocus();
    QTest::keyClicks(d.Edit(annex::activity_info::kClass), QStringLiteral("5"));
    QTest::keyClick(d.Edit(annex::activity_info::kClass), Qt::Key_Tab);
    d.Item<QAbstractButton>(ui::IDOK)->click();
  });
  EXPECT_DOUBLE_EQ(e4::SizeClass.get(rec), 5.0);
  EXPECT_TRUE(Enabled(ID_FILE_SAVE));
  const std::vector<std::uint8_t> before(rec, rec + e4::kRowSize);
  run([](CInformacionRelativaActividadDlg81& d) {
    d.Edit(annex::activity_info::kWithholdings)->setFocus();
    QTest::keyClicks(d.Edit(annex::activity_info::kWithholdings), QStringLiteral("90"));
    d.Item<QAbstractButton>(ui::IDCANCEL)->setFocus();
    d.Item<QAbstractButton>(ui::IDCANCEL)->click();
  });
  EXPECT_TRUE(std::equal(before.begin(), before.end(), rec)) << "Cancel leaves the row's bytes";
}

// Page 4: a staff module is valued in its dialog, opened from its units box by any key; OK brings
// the hours and the persons into the declaration and the section is recalculated.
TEST_F(WiringTest, Page4ValuesAStaffModuleInItsDialog) {
  namespace e4 = f100::sec_e4;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  std::uint8_t* rec = f100::record(block, f100::SectionE4);
  rec[0] = 2;
  e4::Epigraph.set(rec, "642.4");
  e4::Activity.set(rec, 40);
  std::uint8_t* module = rec + e4::kModules;
  e4::module::Kind.set(module, 1);
  e4::module::Description15.set(module, "Personal asal.");
  e4::module::AmountPerUnit.set(module, 3000.0);
  script.push_back(GoToPage(QStringLiteral("4")));
  Trigger(ID_GO_TO_PAGE);
  auto* page = dynamic_cast<forms::ORD004*>(Current()->View());
  ASSERT_NE(page, nullptr);
  using forms::CBoxesORD004;
  const int units = CBoxesORD004::PositionOf(0, CBoxesORD004::UnitsBox(0)) - 1;
  page->GoToBox(units);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == units; }));
  auto* edit = dynamic_cast<CModsEmpreEdit*>(page->Editor());
  ASSERT_NE(edit, nullptr) << "the units box of a module";
  bool opened = false;
  qxtest::WhenModal([&](QWidget* w) {
    auto* d = dynamic_cast<modules::CVentModulos01Dlg*>(w);
    ASSERT_NE(d, nullptr);
    opened = true;
    EXPECT_EQ(d->windowTitle(), "Personal asal.");
    QWidget* over19 = d->GetDlgItem(modules::CVentModulos01Dlg::kOver19);
    over19->setFocus();
    QTest::keyClicks(over19, "3600");
    QTest::keyClick(over19, Qt::Key_Tab);
    static_cast<QAbstractButton*>(d->GetDlgItem(ui::IDOK))->click();
  });
  QTest::keyClick(edit, Qt::Key_1);
  ASSERT_TRUE(opened);
  EXPECT_DOUBLE_EQ(e4::module::Units.get(module), 2.0);
  EXPECT_DOUBLE_EQ(blocks::F64{48}.get(module), 3600.0);
  EXPECT_DOUBLE_EQ(e4::module::Yield.get(module), 6000.0) << "the section was recalculated";
  EXPECT_TRUE(Enabled(ID_FILE_SAVE));
}

// Page 5: a product of an agricultural activity opens its yield dialog from its box; the incomes
// and yields come back into the declaration and the section adds them up.
TEST_F(WiringTest, Page5EntersAProductsIncomesInItsYieldDialog) {
  namespace e5 = f100::sec_e5;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  std::uint8_t* rec = f100::record(block, f100::SectionE5);
  rec[0] = 2;
  e5::Type.set(rec, '1');
  e5::Activity.set(rec, 200);
  script.push_back(GoToPage(QStringLiteral("5")));
  Trigger(ID_GO_TO_PAGE);
  auto* page = dynamic_cast<forms::ORD005*>(Current()->View());
  ASSERT_NE(page, nullptr);
  using forms::CBoxesORD005;
  const int product1 = CBoxesORD005::PositionOf(0, 3) - 1;
  page->GoToBox(product1);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == product1; }));
  auto* edit = dynamic_cast<CAgrarianProductEdit*>(page->Editor());
  ASSERT_NE(edit, nullptr) << "the box of product 1";
  bool opened = false;
  qxtest::WhenModal([&](QWidget* w) {
    auto* d = dynamic_cast<modules::CProducto1Dlg*>(w);
    ASSERT_NE(d, nullptr);
    opened = true;
    for (const auto& [id, keys] : {std::pair{1533, "1000"}, std::pair{779, "0,5"}}) {
      QWidget* e = d->GetDlgItem(id);
      e->setFocus();
      QTest::keyClicks(e, keys);
      QTest::keyClick(e, Qt::Key_Tab);
    }
    static_cast<QAbstractButton*>(d->GetDlgItem(ui::IDOK))->click();
  });
  QTest::keyClick(edit, Qt::Key_1);
  ASSERT_TRUE(opened);
  EXPECT_DOUBLE_EQ(e5::productField(0, 1, 2, e5::product::Income).get(block + f100::SectionE5.offset), 1000.0);
  EXPECT_DOUBLE_EQ(e5::productField(0, 1, 2, e5::product::Net).get(block + f100::SectionE5.offset), 500.0);
  EXPECT_DOUBLE_EQ(e5::groupField(0, 1, e5::kIncomeTotal).get(block + f100::SectionE5.offset), 1000.0)
      << "the section was recalculated";
  EXPECT_TRUE(Enabled(ID_FILE_SAVE));
}

// Page 3's heading box lists the headings of the activity's kind: a lawyer's (section 2) found by
// its number, a dancer's (section 3) picked from the list.
TEST_F(WiringTest, Page3ChoosesProfessionalAndArtisticHeadingsInTheHeadingDialog) {
  namespace e1 = f100::sec_e1;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  for (auto [row, kind] : {std::pair{0, '5'}, std::pair{1, '4'}}) {
    std::uint8_t* r = f100::record(block, f100::SectionE1) + static_cast<std::size_t>(row) * e1::kRowSize;
    r[0] = 2;
    r[1] = static_cast<std::uint8_t>(kind);
    e1::NormalModality.set(r, 1);
  }
  script.push_back(GoToPage(QStringLiteral("3")));
  Trigger(ID_GO_TO_PAGE);
  auto* page = dynamic_cast<forms::ORD003*>(Current()->View());
  ASSERT_NE(page, nullptr);
  using forms::CBoxesORD003;
  struct Case {
    int row;
    std::function<void(CEpigrafeDlg&)> choose;
    const char* code;
  } cases[] = {
      {0,
       [](CEpigrafeDlg& d) {
         EXPECT_EQ(d.Item<QLabel>(CEpigrafeDlg::kTitle)->text(), QStringLiteral("PROFESIONALES"));
         QWidget* search = d.GetDlgItem(CEpigrafeDlg::kSearch);
         search->setFocus();
         QTest::keyClicks(search, QStringLiteral("731"));
         d.Item<QAbstractButton>(CEpigrafeDlg::kSearchButton)->click();
         EXPECT_EQ(d.Edit(CEpigrafeDlg::kList)->text().trimmed(), QStringLiteral("ABOGADOS"));
       },
       "731"},
      {1,
       [](CEpigrafeDlg& d) {
         EXPECT_EQ(d.Item<QLabel>(CEpigrafeDlg::kTitle)->text(), QStringLiteral("ARTISTAS Y DEPORTISTAS"));
         auto* list = d.Item<CListaEdit>(CEpigrafeDlg::kList);
         QTest::mouseClick(list->Button(), Qt::LeftButton);
         ASSERT_TRUE(list->ListOpen());
         EXPECT_EQ(list->List()->count(), 32) << "every heading of section 3";
         QTest::keyClicks(list->List(), QStringLiteral("BAILARINES"));
         QTest::keyClick(list->List(), Qt::Key_Return);
         EXPECT_EQ(d.Edit(CEpigrafeDlg::kCode)->text().trimmed(), QStringLiteral("022"));
       },
       "022"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const int heading = CBoxesORD003::PositionOf(c.row, CBoxesORD003::kHeading) - 1;
    page->GoToBox(heading);
    ASSERT_TRUE(Settle([&] { return page->EditedBox() == heading; }));
    bool opened = false;
    qxtest::WhenModal([&](QWidget* w) {
      auto* d = dynamic_cast<CEpigrafeDlg*>(w);
      ASSERT_NE(d, nullptr);
      opened = true;
      c.choose(*d);
      d->Item<QAbstractButton>(ui::IDOK)->click();
    });
    QTest::keyClick(page->Editor(), Qt::Key_F7);
    ASSERT_TRUE(opened);
    EXPECT_EQ(std::string(static_cast<const char*>(page->GetBox(heading)->data), 3), c.code);
  }
}

// The address of page 1 proposes the municipalities of the postal code typed, those of provinces
// 01 to 09 too, and the municipalities as they stood in 2003.
TEST_F(WiringTest, ThePage1AddressListsTheMunicipalitiesOfThePostalCode) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  forms::CFormView* page = Current()->View();
  ASSERT_EQ(page->GetPageCode(), 201);
  int street = -1;
  for (int i = 0; i < page->GetBoxCount() && street < 0; ++i)
    if (page->GetBox(i)->Identifica == "CALLED") street = i;
  ASSERT_GE(street, 0);
  page->GoToBox(street);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == street; }));
  const std::pair<const char*, std::vector<QString>> cases[] = {
      {"28013", {QStringLiteral("MADRID")}},
      {"08001", {QStringLiteral("BARCELONA")}},
      {"03001", {QStringLiteral("ALICANTE/ALACANT")}},
      {"15380", {QStringLiteral("CESURAS"), QStringLiteral("OZA DOS RÍOS")}},
  };
  bool opened = false;
  qxtest::WhenModal([&](QWidget* w) {
    auto* d = dynamic_cast<CCambiodomicilioDlg*>(w);
    ASSERT_NE(d, nullptr);
    opened = true;
    for (const auto& [postal, listed] : cases) {
      QWidget* code = d->GetDlgItem(CCambiodomicilioDlg::kPostalCode);
      code->setFocus();
      static_cast<QLineEdit*>(code)->selectAll();
      QTest::keyClicks(code, QString::fromLatin1(postal));
      QTest::keyClick(code, Qt::Key_Tab);
      QComboBox* box = d->MunicipalityBox();
      box->setFocus();
      QApplication::processEvents();
      std::vector<QString> shown;
      for (int i = 0; i + 1 < box->count(); ++i) shown.push_back(box->itemText(i));
      EXPECT_EQ(shown, listed) << postal;
    }
    d->Item<QAbstractButton>(ui::IDCANCEL)->click();
  });
  QTest::keyClick(page->Editor(), Qt::Key_F7);
  EXPECT_TRUE(opened);
}

// The shipped modules database holds no activity: the activity boxes say so instead of opening an
// empty selection, and typing an epigraph keeps nothing.
TEST_F(WiringTest, WithoutActivitiesTheActivityBoxesSaySoAndKeepNothing) {
  namespace e4 = f100::sec_e4;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  f100::record(block, f100::SectionE5)[0] = 2;  // page 5's key opens with a holder
  for (const char* number : {"4", "5"}) {
    SCOPED_TRACE(number);
    script.push_back(GoToPage(QString::fromLatin1(number)));
    Trigger(ID_GO_TO_PAGE);
    forms::CFormView* page = Current()->View();
    const int code = *number == '4' ? forms::CBoxesORD004::PositionOf(0, forms::CBoxesORD004::kCodeBox) - 1
                                    : forms::CBoxesORD005::PositionOf(0, forms::CBoxesORD005::kKeyBox) - 1;
    page->GoToBox(code);
    ASSERT_TRUE(Settle([&] { return page->EditedBox() == code; }));
    ASSERT_NE(dynamic_cast<modules::CSelActivityEdit*>(page->Editor()), nullptr);
    coded.shown.clear();
    QTest::keyClick(page->Editor(), Qt::Key_F7);
    ASSERT_EQ(coded.Codes(), std::vector<QString>{QStringLiteral("WIN1104")}) << "a message, not an empty dialog";
    EXPECT_TRUE(coded.shown[0].text.startsWith(QStringLiteral("La base de datos de módulos")));
  }
  // A typed epigraph finds no activity to look it up in: it is dropped when the box is left.
  script.push_back(GoToPage(QStringLiteral("4")));
  Trigger(ID_GO_TO_PAGE);
  forms::CFormView* page = Current()->View();
  const int code = forms::CBoxesORD004::PositionOf(0, forms::CBoxesORD004::kCodeBox) - 1;
  page->GoToBox(code);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == code; }));
  coded.shown.clear();
  QTest::keyClicks(page->Editor(), QStringLiteral("642.4"));
  QTest::keyClick(page->Editor(), Qt::Key_Tab);
  QApplication::processEvents();  // the page's move on from the box
  EXPECT_EQ(coded.Codes(), std::vector<QString>{QStringLiteral("WIN1104")});
  EXPECT_EQ(e4::Epigraph.trimmed(f100::record(block, f100::SectionE4)), "");
  EXPECT_EQ(e4::Activity.get(f100::record(block, f100::SectionE4)), 0);
}

// With a modules database that holds activities: an epigraph typed into page 4's code box is
// looked up in "Seleccionar Actividad" when the box is left, and Delete clears it after asking.
class WiringModulesTest : public WiringTest {
 protected:
  void SetUp() override {
    WiringTest::SetUp();
    namespace fs = std::filesystem;
    for (const auto& e : fs::directory_iterator(QX_BINARY_DIR "/resources"))
      if (e.path().filename() != "MODULO03.db") fs::create_symlink(e.path(), folder_.Path() / e.path().filename());
    for (const auto& e : fs::directory_iterator(QX_SOURCE_DIR "/resources/db/MODULO03"))
      if (e.path().extension() == ".sql") fs::copy_file(e.path(), sources_.Path() / e.path().filename());
    for (const auto& e : fs::directory_iterator(QX_SOURCE_DIR "/tests/modules/fixture"))
      if (e.path().extension() == ".tsv") fs::copy_file(e.path(), sources_.Path() / e.path().filename());
    std::string error;
    ASSERT_TRUE(db::BuildDatabaseFromSources(sources_.Path(), folder_.Path() / "MODULO03.db", &error)) << error;
    shipped = folder_.Str();
  }
  apptest::TempDir folder_, sources_;
};

TEST_F(WiringModulesTest, Page4LooksATypedEpigraphUpAndClearsItAfterAsking) {
  namespace e4 = f100::sec_e4;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  script.push_back(GoToPage(QStringLiteral("4")));
  Trigger(ID_GO_TO_PAGE);
  auto* page = dynamic_cast<forms::ORD004*>(Current()->View());
  ASSERT_NE(page, nullptr);
  const int code = forms::CBoxesORD004::PositionOf(0, forms::CBoxesORD004::kCodeBox) - 1;
  page->GoToBox(code);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == code; }));
  auto* edit = dynamic_cast<modules::CSelActivityEdit*>(page->Editor());
  ASSERT_NE(edit, nullptr);

  // A point first, or a digit where the point goes, is refused.
  QTest::keyClicks(edit, QStringLiteral(".64a2"));
  EXPECT_EQ(edit->text(), QStringLiteral("642"));
  QTest::keyClicks(edit, QStringLiteral("4.4"));
  EXPECT_EQ(edit->text(), QStringLiteral("642.4"));
  bool looked = false;
  qxtest::WhenModal([&](QWidget* w) {
    auto* d = dynamic_cast<CSeleccionarActividadDlg*>(w);
    ASSERT_NE(d, nullptr);
    looked = true;
    using Dlg = CSeleccionarActividadDlg;
    EXPECT_EQ(static_cast<QListWidget*>(d->GetDlgItem(Dlg::kActivityListId))->currentItem()->text(),
              QStringLiteral("Carnicería de prueba"));
    EXPECT_EQ(static_cast<QListWidget*>(d->GetDlgItem(Dlg::kEpigraphListId))->currentItem()->text(),
              QStringLiteral("642.4"));
    QTest::mouseClick(static_cast<QAbstractButton*>(d->GetDlgItem(ui::IDOK)), Qt::LeftButton);
  });
  QTest::keyClick(edit, Qt::Key_Tab);
  ASSERT_TRUE(looked) << "leaving the box looks the epigraph up";
  EXPECT_TRUE(Settle([&] { return page->EditedBox() != code; })) << "Tab goes on to the next box";
  std::uint8_t* rec = f100::record(block, f100::SectionE4);
  EXPECT_EQ(e4::Epigraph.str(rec), "642.4");
  EXPECT_EQ(e4::Activity.get(rec), 40);

  // Delete asks first: Cancel keeps the activity, Aceptar clears it.
  page->GoToBox(code);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == code; }));
  for (int answer : {kAnsCancelar, kAnsAceptar}) {
    coded.shown.clear();
    coded.Then(answer);
    QTest::keyClick(page->Editor(), Qt::Key_Delete);
    EXPECT_EQ(coded.Codes(), std::vector<QString>{QStringLiteral("100P001")}) << answer;
    EXPECT_EQ(e4::Epigraph.trimmed(rec), answer == kAnsAceptar ? "" : "642.4") << answer;
  }
  EXPECT_EQ(e4::Activity.get(rec), 0) << "the row went with its code";
}

// A fiscal-data file whose work income comes in two runs (another kind of record between them):
// the wizard offers both payers on the one page of their kind and imports them.
TEST_F(WiringTest, AFiscalDataFileWithTwoRunsOfOneKindImportsEveryRow) {
  std::ifstream in(QX_SOURCE_DIR "/resources/examples/trabajador.df", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t rta = text.find("\n2RTA") + 1, cb = text.find("\n2CB") + 1;
  std::string second = text.substr(rta, cb - rta);
  second.replace(second.find("DISTRIBUCIONES CENTRO SA"), 24, "SEGUNDO PAGADOR SL      ");
  text.insert(text.find("\n2PP") + 1, second);  // RTA, CB, RTA, PP
  apptest::TempDir dir;
  const std::string path = dir.Str() + "dos_pagadores.df";
  std::ofstream(path, std::ios::binary) << text;
  const QString file = QString::fromStdString(path);
  afterFamily.push_back([](QDialog& d) {
    auto& entry = dynamic_cast<CDatosFiscalesDlg148&>(d);
    entry.show();
    QTest::mouseClick(ui::FindControl(&entry, CDatosFiscalesDlg148::kIdImport), Qt::LeftButton);
    entry.hide();
    return entry.result();
  });
  afterFamily.push_back([file](QDialog& d) {
    auto& download = dynamic_cast<CObtencionDatosFiscalesDlg&>(d);
    download.show();
    qxtest::ChooseFileWhenAsked(file);
    download.OnFileChosen();
    download.OnContinuar();
    download.hide();
    return download.result();
  });
  int pages = 0, payers = 0;
  afterFamily.push_back([&](QDialog& d) {
    auto& wizard = dynamic_cast<CAsistenteDatosFiscales&>(d);
    wizard.show();
    QCoreApplication::processEvents();
    pages = wizard.GetPageCount();
    for (int k = 1; k <= pages; ++k)
      if (CDFTrabajo* p = wizard.Slot(k); p && p->Key() == QStringLiteral("RTA"))
        payers = static_cast<int>(p->lines.size()) - 1;
    for (int i = 1; i < pages; ++i) {
      QTest::mouseClick(wizard.FrameButton(CAsistente::kIdWizNext), Qt::LeftButton);
      QCoreApplication::processEvents();
    }
    QTest::mouseClick(wizard.FrameButton(CAsistente::kIdWizFinish), Qt::LeftButton);
    QCoreApplication::processEvents();
    wizard.hide();
    return wizard.result();
  });
  afterFamily.push_back([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
  afterFamily.push_back([](QDialog& d) {
    auto& names = dynamic_cast<wizards::CNombreApellidosDlg&>(d);
    names.firstSurname = QStringLiteral("MARTINEZ");
    names.secondSurname = QStringLiteral("ROJO");
    names.name = QStringLiteral("ANA");
    return static_cast<int>(QDialog::Accepted);
  });
  afterFamily.push_back([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
  script.push_back(Cancel());
  Start();
  CreateIncome("FISCAL", Capture::Joint);
  Trigger(ID_FILE_NEW);
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(pages, 4) << "one page per kind of record";
  EXPECT_EQ(payers, 2) << "both runs on the work-income page";
  EXPECT_TRUE(script.empty());
  db::CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("DATOSFISC", &assembly->Store().Connection(), db::Filter::Eq("CLAVE", std::string("FISCAL"))));
  std::vector<std::uint8_t> yes;
  rs.GetBlob("FICHEROSI", yes);
  const std::string imported(yes.begin(), yes.end());
  EXPECT_NE(imported.find("DISTRIBUCIONES CENTRO SA"), std::string::npos);
  EXPECT_NE(imported.find("SEGUNDO PAGADOR SL"), std::string::npos);
}

// The descendants and ascendants of page 1 are kept in the family data: their boxes open the
// family wizard as a sheet, on the page of that table.
// The housing boxes of page 14 open the main-home sheet on the declaration's two records: Cancel
// leaves the declaration as it was, OK brings the records back and the deduction follows.
TEST_F(WiringTest, ThePage14HousingBoxOpensTheMainHomeSheet) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  f100::sec_a::Holder.set(f100::record(block, f100::SectionA), 2);
  f100::sec_a::MoneyPay.set(f100::record(block, f100::SectionA), 30000.0);
  script.push_back(GoToPage(QStringLiteral("14")));
  Trigger(ID_GO_TO_PAGE);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->GetPageCode(), 214);
  constexpr int kHousingBox = 14;  // the index of box 15, the financed acquisition's state part
  std::vector<std::uint8_t> atOpening;
  // The second opening finds the box already edited, so the click GoToBox posts is still queued
  // when the sheet opens: it must not replace the editor that runs the sheet.
  auto openSheet = [&](const std::function<void(CVivienda&)>& act) {
    page->GoToBox(kHousingBox);
    ASSERT_TRUE(Settle([&] { return page->EditedBox() == kHousingBox; }));
    auto* launcher = dynamic_cast<CDialogLauncherEdit*>(page->Editor());
    ASSERT_NE(launcher, nullptr) << "the box opens the sheet";
    bool opened = false;
    qxtest::WhenModal([&](QWidget* w) {
      auto* sheet = dynamic_cast<CVivienda*>(w);
      ASSERT_NE(sheet, nullptr);
      opened = true;
      atOpening.assign(block, block + f100::kBlockSize);
      EXPECT_EQ(sheet->GetActiveIndex(), 0);
      CInverVivi& p = sheet->InvestmentPage();
      TypeOn(p, CInverVivi::kHolders[0], "D");
      TypeOn(p, CInverVivi::kWithin[0], "6000");
      TypeOn(p, CInverVivi::kInfoHolders[0], "D");
      TypeOn(p, CInverVivi::kInfoDates[0], "10062002");
      TypeOn(p, CInverVivi::kInfoLoans[0], "HIP-77");
      p.GetDlgItem(CInverVivi::kHolders[0])->setFocus();
      QCoreApplication::processEvents();
      act(*sheet);
    });
    QTest::keyClick(launcher, Qt::Key_1);
    ASSERT_TRUE(opened);
  };
  openSheet([](CVivienda& s) { QTest::mouseClick(s.FrameButton(CVivienda::kIdCancel), Qt::LeftButton); });
  ASSERT_EQ(atOpening.size(), f100::kBlockSize);
  EXPECT_TRUE(std::equal(atOpening.begin(), atOpening.end(), block)) << "Cancel leaves the declaration byte-identical";

  openSheet([](CVivienda& s) { QTest::mouseClick(s.FrameButton(CVivienda::kIdOk), Qt::LeftButton); });
  const std::uint8_t* investment = block + housing::kInvestmentAt;
  EXPECT_EQ(housing::inv::Holder(0).get(investment), ui::kHolderDeclarant);
  EXPECT_DOUBLE_EQ(housing::inv::FinancedWithin(0).get(investment), 6000.0);
  EXPECT_EQ(housing::inv::InfoDate(0).raw(investment), "10062002");
  // The page recalculates as the sheet closes, before anything else is done.
  const std::uint8_t* o = f100::record(Current()->Document().Block().data(), f100::SectionO);
  EXPECT_GT(blocks::Vec5{488}.get(o, 1) + blocks::Vec5{936}.get(o, 1), 0.0) << "the deduction of the home";
  EXPECT_EQ(page->EditedBox(), kHousingBox) << "the box keeps its editor";
  EXPECT_TRUE(Enabled(ID_FILE_SAVE)) << "the declaration is modified";
}

// Page 6: the two boxes of the other imputations of a transparency row open the imputation dialog
// on that row's record, however far the table is scrolled: Cancel leaves the declaration as it
// was, OK brings back that record's block and no other record's.
TEST_F(WiringTest, Page6ImputationBoxesOpenTheImputationOfTheirRecord) {
  namespace io = annex::impotroc;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  std::uint8_t* f2 = f100::record(block, f100::SectionF2);
  const auto rowOf = [&](int record) { return f2 + f100::sec_f2::rowOffset(record); };
  for (int record = 0; record < 4; ++record) {
    io::row::Holder.set(rowOf(record), ui::kHolderDeclarant);
    io::row::Kind.set(rowOf(record), '1');
    io::row::ImputedBase.set(rowOf(record), 1000.0);
  }
  script.push_back(GoToPage(QStringLiteral("6")));
  Trigger(ID_GO_TO_PAGE);
  auto* page = dynamic_cast<forms::ORD006*>(Current()->View());
  ASSERT_NE(page, nullptr);
  struct Case {
    int position;  // cell 21 (73 + 14 row) or cell 23 (74 + 14 row)
    bool ok;
  };
  for (const Case& c : {Case{88, false}, Case{88, true}, Case{73, true}}) {
    SCOPED_TRACE(c.position);
    constexpr int kTable = forms::CBoxesORD006::kTransparency;
    ASSERT_NE(page->Table(kTable), nullptr);
    if (page->Table(kTable)->FirstVisible() == 0) page->List()->OnRowTableEvent(kTable, 0, -1, 0);
    ASSERT_EQ(page->Table(kTable)->FirstVisible(), 1) << "records 1 to 3 shown";
    const int record = 1 + (c.position - 73) / 14;
    CDialogLauncherEdit launcher(page->GetBox(c.position - 1));
    QApplication::processEvents();
    const std::vector<std::uint8_t> before(block, block + f100::kBlockSize);
    int row = -1;
    qxtest::WhenModal([&](QWidget* w) {
      auto* d = dynamic_cast<CImpotrocDlg*>(w);
      ASSERT_NE(d, nullptr);
      row = d->RowIndex();
      io::PaymentsOnAccount.set(d->AnnexBlock().data(), 100.0);
      d->done(c.ok ? ui::IDOK : ui::IDCANCEL);
    });
    ASSERT_EQ(launcher.Launch(), 2);
    if (c.ok) page->OnBoxSubDialogValue(c.position);
    EXPECT_EQ(row, record) << "the dialog computes on its own record";
    if (!c.ok) {
      EXPECT_TRUE(std::equal(before.begin(), before.end(), block)) << "Cancel leaves the declaration byte-identical";
      continue;
    }
    EXPECT_DOUBLE_EQ(io::PaymentsOnAccount.get(rowOf(record) + io::kRowBlock), 100.0);
    // The entered amounts of the other records are as they were.
    const std::size_t entered = io::kRowBlock + io::PaymentsOnAccount.off;
    for (int other = 0; other < f100::sec_f2::kRows; ++other) {
      if (other == record) continue;
      const std::size_t at = f100::SectionF2.offset + f100::sec_f2::rowOffset(other) + entered;
      EXPECT_TRUE(std::equal(before.begin() + static_cast<std::ptrdiff_t>(at),
                             before.begin() + static_cast<std::ptrdiff_t>(at + io::kComputed - io::PaymentsOnAccount.off),
                             block + at))
          << "record " << other;
    }
  }
}

// Page 14: the Ceuta and Melilla deduction opens its dialog on section O +1880. Cancel leaves the
// section as it was; OK brings the rows back and the deduction is computed from them.
TEST_F(WiringTest, ThePage14CeutaAndMelillaBoxOpensItsRowsInSectionO) {
  namespace cm = annex::ceutamel;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  script.push_back(GoToPage(QStringLiteral("14")));
  Trigger(ID_GO_TO_PAGE);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->GetPageCode(), 214);
  constexpr int kCeutaBox = 48;  // the index of box 49, the deduction
  const std::uint8_t* o = f100::record(block, f100::SectionO);
  for (bool ok : {false, true}) {
    CDialogLauncherEdit launcher(page->GetBox(kCeutaBox));
    const std::vector<std::uint8_t> before(o, o + f100::SectionO.size);
    bool opened = false;
    qxtest::WhenModal([&](QWidget* w) {
      auto* d = dynamic_cast<CCeutamelDlg*>(w);
      ASSERT_NE(d, nullptr);
      opened = true;
      cm::Holder.set(d->AnnexBlock().data(), ui::kHolderDeclarant);
      cm::General.set(d->AnnexBlock().data(), 1000.0);
      d->done(ok ? ui::IDOK : ui::IDCANCEL);
    });
    ASSERT_EQ(launcher.Launch(), 2);
    ASSERT_TRUE(opened);
    if (ok) page->OnBoxSubDialogValue(kCeutaBox + 1);
    if (!ok) {
      EXPECT_TRUE(std::equal(before.begin(), before.end(), o)) << "Cancel leaves section O as it was";
      continue;
    }
    const std::uint8_t* rows = o + f100::sec_o::kCeutaRows;
    EXPECT_EQ(cm::Holder.get(rows), ui::kHolderDeclarant);
    EXPECT_DOUBLE_EQ(cm::General.get(rows), 1000.0);
  }
}

// Page 10 of form 714: the tax paid abroad opens its dialog on the liquidation's three pairs of
// tax and value with the net wealth as the base. Cancel leaves the declaration as it was; OK
// brings the pairs back, the liquidation sums them, and the income-tax inputs that follow the
// other box (+288) of the same dialog are never touched.
TEST_F(WiringTest, TheWealthTaxPaidAbroadBoxOpensItsDialogOnTheLiquidationsPairs) {
  namespace liq = f714::liq;
  namespace pe = annex::pimpextr;
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  std::uint8_t* s = f714::record(block, f714::Summary);
  liq::IncomeTaxMode.set(s, 'I');
  liq::FirstIncomeBase.set(s, 30000.0);
  liq::IncomeTaxQuota.set(s, 4000.0);
  script.push_back(GoToPage(QStringLiteral("10")));
  Trigger(ID_GO_TO_PAGE);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->GetPageCode(), 310);
  const std::vector<std::uint8_t> inputs(s + liq::IncomeTaxMode.off, s + liq::SecondBaseCopy.off);
  const int box = forms::CBoxesPAT010::kTaxPaidAbroad - 1;
  for (bool ok : {false, true}) {
    CDialogLauncherEdit launcher(page->GetBox(box));
    QApplication::processEvents();
    const std::vector<std::uint8_t> before(block, block + f714::kBlockSize);
    double base = -1.0;
    qxtest::WhenModal([&](QWidget* w) {
      auto* d = dynamic_cast<CPimpextrDlg*>(w);
      ASSERT_NE(d, nullptr);
      base = d->TaxableBase();
      pe::TaxPaid(0).set(d->AnnexBlock().data(), 100.0);
      pe::TaxPaid(2).set(d->AnnexBlock().data(), 50.5);
      d->done(ok ? ui::IDOK : ui::IDCANCEL);
    });
    ASSERT_EQ(launcher.Launch(), 2);
    if (ok) page->OnBoxSubDialogValue(box + 1);
    EXPECT_DOUBLE_EQ(base, liq::NetWealth.get(s)) << "the net wealth is the base";
    if (!ok) {
      EXPECT_TRUE(std::equal(before.begin(), before.end(), block)) << "Cancel leaves the declaration byte-identical";
      continue;
    }
    const std::uint8_t* pairs = s + liq::PaidTax.off;
    EXPECT_DOUBLE_EQ(pe::TaxPaid(0).get(pairs), 100.0);
    EXPECT_DOUBLE_EQ(pe::TaxPaid(2).get(pairs), 50.5);
    EXPECT_DOUBLE_EQ(liq::PaidTotal.get(s), 150.5) << "the liquidation sums the pairs";
    EXPECT_TRUE(std::equal(inputs.begin(), inputs.end(), s + liq::IncomeTaxMode.off)) << "the income-tax inputs";
  }
}

// "Datos Fiscales Incorporados" lists what the import stored for the member shown and prints it.
TEST_F(WiringTest, TheIncorporatedFiscalDataOfTheMemberShownArePrinted) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  {
    const std::string listing = "0\tRENDIMIENTOS DEL TRABAJO\t\n1\tNIF pagador\tRetenciones\t\n2\tA28000001\t180,00\t\n";
    db::CAdoRecordset rs;
    rs.Open(CDatosFiscalesIncorporadosDlg::kTable, &assembly->Store().Connection());
    rs.SetDefaultBlockSize(0);
    ASSERT_TRUE(rs.PrepareNewRow() && rs.AddPendingValue("CLAVE", store::PadKey(Current()->Key())) &&
                rs.AddPendingValue("SUJETODECLA", "1") &&
                rs.AddPendingValue("TAMANOFICHEROSI", std::to_string(listing.size())) &&
                rs.AddPendingBlob("FICHEROSI", std::vector<std::uint8_t>(listing.begin(), listing.end())) &&
                rs.AddPendingValue("TAMANOFICHERONO", "0") && rs.AppendPendingRow());
  }
  auto& renta = dynamic_cast<doc::CRentaDoc&>(Current()->Document());
  renta.ShowMember(doc::kFamilyUnit);
  EXPECT_FALSE(Enabled(ID_FISCAL_DATA)) << "never for the family unit";
  renta.ShowMember(doc::kDeclarant);
  ASSERT_TRUE(Enabled(ID_FISCAL_DATA));

  const std::string pdf = data.Str() + "review.pdf";
  QStringList printed;
  script.push_back([&](QDialog& d) {
    auto& review = dynamic_cast<CDatosFiscalesIncorporadosDlg&>(d);
    review.show();
    EXPECT_EQ(review.List()->rowCount(), 3);
    EXPECT_EQ(review.List()->item(1, 1)->text(), "A28000001");
    script.push_front([&pdf](QDialog& p) {
      auto& dialog = dynamic_cast<QPrintDialog&>(p);
      dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
      dialog.printer()->setOutputFileName(QString::fromStdString(pdf));
      return static_cast<int>(QDialog::Accepted);
    });
    EXPECT_TRUE(review.OnImprimir());
    printed = review.PrintedTexts();
    review.hide();
    return static_cast<int>(ui::IDOK);
  });
  Trigger(ID_FISCAL_DATA);
  EXPECT_TRUE(printed.contains(QStringLiteral("DATOS FISCALES INCORPORADOS - NIF: 12345678Z")));
  EXPECT_TRUE(printed.contains(QStringLiteral("A28000001")));
  std::ifstream in(pdf, std::ios::binary);
  std::string head(5, '\0');
  in.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");
}

TEST_F(WiringTest, ThePage1TablesOpenTheFamilyDataOnTheirPage) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->GetPageCode(), 201);
  for (const auto& [box, wizardPage] : {std::pair{49, Wizard::kDescendantsPage}, std::pair{137, Wizard::kAscendantsPage}}) {
    page->GoToBox(box - 1);
    ASSERT_TRUE(Settle([&] { return page->EditedBox() == box - 1; })) << box;
    int shown = -1;
    script.push_back(Family([&shown](Wizard& w) { shown = w.GetActiveIndex(); }));
    QTest::keyClick(page->Editor(), Qt::Key_F7);
    EXPECT_EQ(shown, wizardPage) << box;
    EXPECT_TRUE(script.empty()) << box;
  }
}

// A finding of the family data (page 100) opens the family wizard on the page it names.
TEST_F(WiringTest, AFindingOfTheFamilyDataOpensTheWizardOnItsPage) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  int shown = -1;
  script.push_back(Family([&shown](Wizard& w) { shown = w.GetActiveIndex(); }));
  Current()->GoToBox(100, Wizard::kAscendantsPage);
  EXPECT_EQ(shown, Wizard::kAscendantsPage);
  EXPECT_TRUE(script.empty());
}

// Filing: the member chosen, the findings of the validation written anyway from "Avisos y
// errores", the file named in the filing dialog and written whole under that name; a cancelled
// filing dialog writes nothing. Form 714 files without choosing a member.
TEST_F(WiringTest, TheFilingCommandWritesTheFileOfTheMemberChosen) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  f100::sec_a::Holder.set(f100::record(block, f100::SectionA), 2);
  f100::sec_a::MoneyPay.set(f100::record(block, f100::SectionA), 18000.0);
  const std::string path = (data.Path() / "12345678.100").string();
  int selections = 0;
  const auto steps = [&](bool accept) {
    script.push_back([&](QDialog& d) {
      auto& select = dynamic_cast<forms::CSeleccionDeclaracionImprimirDlg&>(d);
      ++selections;
      EXPECT_TRUE(qxtest::ShowActive(&select));
      EXPECT_TRUE(select.Item<QAbstractButton>(forms::CSeleccionDeclaracionImprimirDlg::kDeclarant)->isChecked());
      select.Item<QAbstractButton>(ui::IDOK)->click();
      select.hide();
      return select.result();
    });
    script.push_back(FilingNamed(path, false, accept));
  };
  steps(false);
  Trigger(ID_FILE_SEND);
  EXPECT_FALSE(std::filesystem::exists(path)) << "cancelled: nothing written";
  steps(true);
  Trigger(ID_FILE_SEND);
  EXPECT_EQ(selections, 2);
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.substr(0, 5), "<T100");
  EXPECT_NE(text.find("<P201"), std::string::npos);
  EXPECT_NE(text.find("12345678Z"), std::string::npos);
  EXPECT_NE(text.find("Primer declarante - NIF:"), std::string::npos) << "the signature page's summary";
  // The work income is in use on page 202: its record follows page 201's, the amount in the first
  // field after the repeat mark, 13 integer and 2 decimal positions.
  const std::size_t p202 = text.find("\r\n<P202");
  ASSERT_NE(p202, std::string::npos);
  EXPECT_EQ(text.substr(p202 + 2, 5 + 1 + 15), "<P202" " " "000000001800000");
  EXPECT_EQ(text.find("<P203"), std::string::npos) << "a page without data (no activities) is left out";
  EXPECT_NE(text.find("\r\n<P217"), std::string::npos);
  EXPECT_EQ(doc::ShownMember(), doc::kDeclarant) << "the shown member is restored";
}

TEST_F(WiringTest, AWealthTaxDeclarationIsFiledWithoutChoosingAMember) {
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  std::memcpy(f714::record(Current()->Document().Block().data(), f714::Personal) + f714::personal::Nif.off, "87654321X", 9);
  script.push_back(FilingNamed((data.Path() / "missing" / "87654321.714").string()));
  // A folder that does not exist: the failure is said and nothing is left behind.
  Trigger(ID_FILE_SEND);
  EXPECT_FALSE(std::filesystem::exists(data.Path() / "missing"));
  const std::string path = (data.Path() / "87654321.714").string();
  script.push_back(FilingNamed(path));
  Trigger(ID_FILE_SEND);
  ASSERT_TRUE(std::filesystem::exists(path));
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("<P301"), std::string::npos);
  EXPECT_NE(text.find("87654321X"), std::string::npos);

  // A name of the longest length the file system allows (255 bytes) is written whole, and
  // nothing else is left in the folder.
  const std::string longest = (data.Path() / (std::string(251, 'N') + ".714")).string();
  script.push_back(FilingNamed(longest));
  Trigger(ID_FILE_SEND);
  ASSERT_TRUE(std::filesystem::exists(longest));
  std::ifstream again(longest, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
  EXPECT_NE(written.find("87654321X"), std::string::npos);
  for (const auto& entry : std::filesystem::directory_iterator(data.Path()))
    EXPECT_EQ(entry.path().filename().string().find(".qx-filing"), std::string::npos) << entry.path();
}

// The filing dialog as a user meets it, for both forms: the folder and the name typed into its
// fields, Aceptar; the file written there is the record the program builds for the declaration.
TEST_F(WiringTest, TheFilingDialogWritesTheFileNamedInItsFields) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  f100::sec_a::Holder.set(f100::record(block, f100::SectionA), 2);
  f100::sec_a::MoneyPay.set(f100::record(block, f100::SectionA), 18000.0);
  std::filesystem::create_directories(data.Path() / "envios");
  const std::string income = (data.Path() / "envios" / "renta2003").string();
  script.push_back(MemberProposed());
  script.push_back(FilingNamed(income));
  Trigger(ID_FILE_SEND);
  EXPECT_TRUE(script.empty());
  ASSERT_TRUE(std::filesystem::exists(income + ".100")) << "the name typed without extension takes the form's";
  const std::string filed = ReadText(income + ".100");
  EXPECT_EQ(filed.substr(0, 5), "<T100");
  EXPECT_EQ(filed, FilingFileBuilt(doc::kDeclarant));
}

TEST_F(WiringTest, TheFilingDialogWritesTheWealthTaxFileNamedInItsFields) {
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  std::filesystem::create_directories(data.Path() / "envios");
  std::memcpy(f714::record(Current()->Document().Block().data(), f714::Personal) + f714::personal::Nif.off, "87654321X", 9);
  const std::string wealth = (data.Path() / "envios" / "87654321.714").string();
  script.push_back(FilingNamed(wealth));
  Trigger(ID_FILE_SEND);
  EXPECT_TRUE(script.empty());
  ASSERT_TRUE(std::filesystem::exists(wealth));
  const std::string filed714 = ReadText(wealth);
  EXPECT_EQ(filed714.substr(0, 5), "<T714");
  EXPECT_EQ(filed714, FilingFileBuilt(0));
}

// The church and social-purposes choice of the member filed is carried in the filing file at
// the layout's places of fields Z61 and Z71, and in the packed record of the dot code.
TEST_F(WiringTest, TheTaxAssignmentChoiceIsFiledAndInTheDotCode) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* family = f100::record(Current()->Document().Block().data(), f100::Family);
  const std::size_t z61 = LayoutPlace("Z61"), z71 = LayoutPlace("Z71");
  ASSERT_EQ(z71, z61 + 1);
  struct Case {
    std::uint8_t church, social;
    const char* marks;
  };
  int n = 0;
  for (const Case& c : {Case{1, 0, "X "}, Case{0, 1, " X"}, Case{1, 1, "XX"}}) {
    f100::family::ChurchTaxBox(doc::kDeclarant).set(family, c.church);
    f100::family::SocialPurposeBox(doc::kDeclarant).set(family, c.social);
    Current()->Document().Model().WrittenAll();
    const std::string path = (data.Path() / ("asignacion" + std::to_string(++n) + ".100")).string();
    script.push_back(MemberProposed());
    script.push_back(FilingNamed(path));
    Trigger(ID_FILE_SEND);
    const std::string filed = ReadText(path);
    ASSERT_GT(filed.size(), z71) << c.marks;
    EXPECT_EQ(filed.substr(z61, 2), c.marks);

    const std::string dot = Current()->DotCodeText(doc::kDeclarant);
    const forms::packed::BuildResult record = forms::packed::BuildPackedBarcodeRecord(dot, 100, "12345678Z");
    ASSERT_EQ(record.error, forms::packed::BuildError::None);
    const auto unpacked = forms::packed::UnpackBarcodeRecord(record.record);
    ASSERT_TRUE(unpacked.has_value());
    ASSERT_GT(unpacked->text.size(), z71);
    EXPECT_EQ(unpacked->text.substr(z61, 2), c.marks);
  }
}

// Printing to a PDF file: the member chosen, the file chosen in the print dialog, one sheet per
// page in use: the pages every declaration carries, and the others only with a value of the
// member printed. The member's declaration is marked printed.
TEST_F(WiringTest, ThePrintCommandPrintsEveryPageInUseToAPdfFile) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  const auto inUse = [&](int page) {
    const std::vector<int> pages = forms::PagesInUse(*Current(), 2);
    return std::find(pages.begin(), pages.end(), page) != pages.end();
  };
  for (int page : {222, 220, 209, 210, 211, 212, 217, 218}) EXPECT_TRUE(inUse(page)) << page;
  for (int page : {202, 204, 208, 213, 216}) EXPECT_FALSE(inUse(page)) << page << " is empty";
  std::uint8_t* secA = f100::record(Current()->Document().Block().data(), f100::SectionA);
  f100::sec_a::Holder.set(secA, 2);
  f100::sec_a::MoneyPay.set(secA, 18000.0);
  Current()->Document().Calculate(1);
  EXPECT_TRUE(inUse(202)) << "the declarant's work income";
  const std::string path = (data.Path() / "renta.pdf").string();
  script.push_back([&](QDialog& d) {
    auto& select = dynamic_cast<forms::CSeleccionDeclaracionImprimirDlg&>(d);
    EXPECT_TRUE(qxtest::ShowActive(&select));
    select.Item<QAbstractButton>(ui::IDOK)->click();
    select.hide();
    return select.result();
  });
  EXPECT_TRUE(Enabled(ID_FILE_PRINT));
  const std::size_t sheets = PrintToPdf(path);
  EXPECT_GT(sheets, forms::PagesInUse(*Current(), 2).size()) << "the copies";
  EXPECT_EQ(sheets, PlannedSheetCount());
  auto* renta = dynamic_cast<doc::CRentaDoc*>(&Current()->Document());
  ASSERT_NE(renta, nullptr);
  EXPECT_EQ(renta->MemberStatus(doc::kDeclarant), 1) << "printed";
  EXPECT_EQ(f100::family::MemberStatus(doc::kDeclarant - 1).get(f100::record(StoredBlock(kIncome).data(), f100::Family)), 1)
      << "and saved so";
}

// A print whose device fails (here every write refused, as on a full disk) is reported as failed
// and changes nothing: no reminder, no printed status, no counter, the stored row as it was.
TEST_F(WiringTest, APrintToAFailingDeviceIsReportedAsFailedAndChangesNothing) {
  CreateIncome(kIncome);
  CRentaApp& a = Start();
  ASSERT_NE(Current(), nullptr);
  Trigger(ID_FILE_SAVE);
  const std::vector<std::uint8_t> before = StoredBlock(kIncome);
  auto* renta = dynamic_cast<doc::CRentaDoc*>(&Current()->Document());
  ASSERT_NE(renta, nullptr);
  const int status = renta->MemberStatus(doc::kDeclarant);
  script.push_back(apptest::AfterPrintQuestions(script, [](QDialog& d) {
    auto& dialog = dynamic_cast<QPrintDialog&>(d);
    dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog.printer()->setOutputFileName(QStringLiteral("/dev/full"));
    return static_cast<int>(QDialog::Accepted);  // no reminder follows
  }));
  messages.clear();
  Trigger(ID_FILE_PRINT);
  const QString failed = platform::LoadString(96209);
  EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [&](const ShellMessage& m) { return m.text == failed; }));
  EXPECT_EQ(renta->MemberStatus(doc::kDeclarant), status) << "not marked printed";
  EXPECT_EQ(StoredBlock(kIncome), before);
  db::CAdoRecordset counters;
  counters.Open("CONTADORES", &a.Databases().Declarations(), db::Filter::Eq("MODELO", std::int64_t{100}));
  EXPECT_TRUE(!counters.IsOpen() || counters.GetFieldText("IMPRESOS").empty() || counters.GetFieldText("IMPRESOS") == "0")
      << counters.GetFieldText("IMPRESOS");
}

QString PdfSheetText(const std::string& pdf, int n);

// The paper copy asked for with a filing: the member dialog shows the filed member, fixed and
// without the extra copy; one copy is printed, not validated again, with no reminder, and the
// member's printed status is left as it was.
TEST_F(WiringTest, ThePaperCopyOfAFiledDeclarationPrintsOneCopyOfTheFiledMember) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  auto* renta = dynamic_cast<doc::CRentaDoc*>(&Current()->Document());
  ASSERT_NE(renta, nullptr);
  const std::string file = (data.Path() / "12345678.100").string();
  const std::string pdf = (data.Path() / "copia.pdf").string();
  script.push_back(MemberProposed());
  script.push_back(FilingNamed(file, true));
  script.push_back([](QDialog& d) {
    using D = forms::CSeleccionDeclaracionImprimirDlg;
    auto& select = dynamic_cast<D&>(d);
    EXPECT_TRUE(qxtest::ShowActive(&select));
    EXPECT_TRUE(select.Item<QAbstractButton>(D::kDeclarant)->isChecked());
    for (int id : {D::kJoint, D::kIndividual, D::kDeclarant}) EXPECT_FALSE(select.GetDlgItem(id)->isEnabled()) << id;
    EXPECT_TRUE(select.GetDlgItem(D::kExtraCopy)->isHidden());
    select.Item<QAbstractButton>(ui::IDOK)->click();
    select.hide();
    return select.result();
  });
  script.push_back([pdf](QDialog& d) {
    auto& dialog = dynamic_cast<QPrintDialog&>(d);
    dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog.printer()->setOutputFileName(QString::fromStdString(pdf));
    return static_cast<int>(QDialog::Accepted);
  });
  Trigger(ID_FILE_SEND);
  EXPECT_TRUE(script.empty()) << "no reminder";
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(apptest::PdfSheets(pdf), apptest::PlannedSheetCount(*Current(), false, true));
  EXPECT_EQ(renta->MemberStatus(doc::kDeclarant), 0) << "a paper copy does not mark the member printed";
  // Nor does it carry the reference code: the payment document leaves it out.
  const std::string code = renta->GetReferenceText(doc::kDeclarant - 1);
  ASSERT_FALSE(code.empty());
  forms::PrintJob job;
  job.kind = 2;
  job.pages = forms::PagesInUse(*Current(), 2);
  job.internet = true;
  const auto planned = forms::PlannedSheets(job);
  for (std::size_t i = 0; i < planned.size(); ++i)
    if (planned[i].page == 217) {
      EXPECT_FALSE(PdfSheetText(pdf, static_cast<int>(i) + 1).contains(QString::fromStdString(code)));
    }
}

// A filing with its paper copy asks the tax-assignment question once: the print that follows
// the file does not ask it again, whether or not the validation had findings.
TEST_F(WiringTest, AFilingWithItsPaperCopyAsksTheTaxAssignmentOnce) {
  namespace fam = f100::family;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* family = f100::record(Current()->Document().Block().data(), f100::Family);
  fam::ChurchTaxBox(doc::kDeclarant).set(family, 0);
  fam::SocialPurposeBox(doc::kDeclarant).set(family, 0);
  fam::NoAssignment(doc::kDeclarant).set(family, 0);
  fam::HolderNif(doc::kDeclarant - 1).set(family, "12345678Z");
  fam::HolderSurname1(doc::kDeclarant - 1).set(family, "GARCIA");
  fam::HolderGivenName(doc::kDeclarant - 1).set(family, "ANA");
  // The declarant's street and number, whose absence are findings that stop the filing.
  Current()->Document().Block()[1058 + 20 * doc::kDeclarant] = 'C';
  Current()->Document().Block()[1060 + 3 * doc::kDeclarant] = '1';
  const std::string file = (data.Path() / "12345678.100").string();
  const std::string pdf = (data.Path() / "copia.pdf").string();
  int asked = 0, printers = 0;
  // Every dialog up to the print dialog, the last of a paper copy (which has no reminder).
  std::function<int(QDialog&)> answer = [&](QDialog& d) -> int {
    if (!dynamic_cast<QPrintDialog*>(&d)) script.push_front(answer);
    if (auto* assignment = dynamic_cast<CAsignacionTributariaDlg*>(&d)) {
      ++asked;
      assignment->show();
      QTest::keyClick(assignment->GetDlgItem(CAsignacionTributariaDlg::kMarkNoneId), Qt::Key_Escape);
      assignment->hide();
      return assignment->result();
    }
    if (auto* findings = dynamic_cast<checks::CAvisosErroresDlg*>(&d)) {
      // Warnings only: the window's own button writes the file.
      findings->show();
      auto* write = qobject_cast<QAbstractButton*>(findings->Control(checks::CAvisosErroresDlg::kIdPrint));
      EXPECT_TRUE(write && write->isEnabled());
      if (write) write->click();
      findings->hide();
      return findings->result();
    }
    if (dynamic_cast<forms::CDlgInternet*>(&d)) return apptest::FillFilingDialog(d, file, true);
    if (auto* select = dynamic_cast<forms::CSeleccionDeclaracionImprimirDlg*>(&d)) {
      EXPECT_TRUE(qxtest::ShowActive(select));
      select->Item<QAbstractButton>(ui::IDOK)->click();
      select->hide();
      return select->result();
    }
    if (auto* dialog = dynamic_cast<QPrintDialog*>(&d)) {
      ++printers;
      dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
      dialog->printer()->setOutputFileName(QString::fromStdString(pdf));
      return static_cast<int>(QDialog::Accepted);
    }
    ADD_FAILURE() << "an unexpected dialog: " << d.metaObject()->className();
    return static_cast<int>(QDialog::Rejected);
  };
  script.push_back(answer);
  Trigger(ID_FILE_SEND);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(printers, 1) << "the paper copy printed";
  EXPECT_GT(apptest::PdfSheets(pdf), 0u);
  EXPECT_EQ(asked, 1) << "the question asked once for the filing and its paper copy";
}

// The marks on the sheets are read by machine: a sheet other than A4 or a landscape page is
// refused with its message, and nothing is printed.
TEST_F(WiringTest, APrinterSetUpThatTheMarksCannotBeReadFromIsRefused) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  struct Case {
    const char* code;
    std::function<void(QPrinter&)> choose;
  };
  const Case cases[] = {
      {"WIN042", [](QPrinter& p) { p.setPageSize(QPageSize(QPageSize::Letter)); }},
      {"WIN044", [](QPrinter& p) { p.setPageOrientation(QPageLayout::Landscape); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const std::string path = (data.Path() / (std::string(c.code) + ".pdf")).string();
    script.push_back(MemberProposed());
    script.push_back(apptest::AfterPrintQuestions(script, [&](QDialog& d) {
      auto& dialog = dynamic_cast<QPrintDialog&>(d);
      dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
      dialog.printer()->setOutputFileName(QString::fromStdString(path));
      c.choose(*dialog.printer());
      return static_cast<int>(QDialog::Accepted);
    }));
    messages.clear();
    Trigger(ID_FILE_PRINT);
    EXPECT_TRUE(script.empty());
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().code, QString::fromLatin1(c.code));
    EXPECT_FALSE(std::filesystem::exists(path));
  }
  EXPECT_EQ(dynamic_cast<doc::CRentaDoc&>(Current()->Document()).MemberStatus(doc::kDeclarant), 0);
}

// Findings stop a print: the window opens in the print's place. Its print button asks for the
// print again with the member already chosen (the member dialog fixed, no validation); closing it
// prints nothing.
TEST_F(WiringTest, FindingsStopAPrintAndTheWindowsPrintButtonPrintsTheChosenMember) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  auto* renta = dynamic_cast<doc::CRentaDoc*>(&Current()->Document());
  ASSERT_NE(renta, nullptr);
  // The declarant's NIF missing: an error.
  std::uint8_t* family = f100::record(renta->Block().data(), f100::Family);
  f100::family::HolderNif(1).set(family, std::string(9, ' '));
  const std::string path = (data.Path() / "renta.pdf").string();
  int windows = 0;
  const auto findings = [&](int ending) {
    return [&, ending](QDialog& d) {
      auto& dlg = dynamic_cast<checks::CAvisosErroresDlg&>(d);
      ++windows;
      EXPECT_FALSE(dlg.Model().Rows().empty());
      EXPECT_EQ(dlg.Control(checks::CAvisosErroresDlg::kIdPrint)->isEnabled(), Current()->LastValidation() == 0)
          << "printing is offered past warnings only";
      return ending;
    };
  };
  script.push_back(MemberProposed());
  script.push_back(findings(checks::kAvisosClosed));
  Trigger(ID_FILE_PRINT);
  EXPECT_TRUE(script.empty());
  EXPECT_EQ(windows, 1);
  EXPECT_FALSE(std::filesystem::exists(path)) << "nothing printed";
  EXPECT_EQ(renta->MemberStatus(doc::kDeclarant), 0);

  script.push_back(MemberProposed());
  script.push_back(findings(checks::kAvisosPrinting));
  script.push_back([](QDialog& d) {
    auto& select = dynamic_cast<forms::CSeleccionDeclaracionImprimirDlg&>(d);
    EXPECT_TRUE(qxtest::ShowActive(&select));
    EXPECT_TRUE(select.Item<QAbstractButton>(forms::CSeleccionDeclaracionImprimirDlg::kDeclarant)->isChecked());
    EXPECT_FALSE(select.GetDlgItem(forms::CSeleccionDeclaracionImprimirDlg::kDeclarant)->isEnabled()) << "chosen";
    select.Item<QAbstractButton>(ui::IDOK)->click();
    select.hide();
    return select.result();
  });
  EXPECT_EQ(PrintToPdf(path), PlannedSheetCount());
  EXPECT_EQ(windows, 2) << "validated once";
  EXPECT_EQ(renta->MemberStatus(doc::kDeclarant), 1);
}

// Spouses whose results are compensated print both declarations in one job: the declarant's
// copies, then the spouse's, each with its own identity; both are marked printed and counted.
TEST_F(WiringTest, TheDeclarantAndSpousePrintBothDeclarationsInOneJob) {
  namespace fam = f100::family;
  CreateIncome(kIncome);
  CRentaApp& a = Start();
  ASSERT_NE(Current(), nullptr);
  ReopenAsCouple([](std::uint8_t* block) {
    fam::HolderNif(doc::kSpouse - 1).set(f100::record(block, f100::Family), "87654321X");
    // The declarant pays, the spouse is refunded: they may ask for suspension and waiver.
    std::uint8_t* secA = f100::record(block, f100::SectionA);
    namespace a = f100::sec_a;
    a::Holder.set(secA, 2);
    a::MoneyPay.set(secA, 60000.0);
    a::Holder.set(secA + a::kRowSize, 3);
    a::MoneyPay.set(secA + a::kRowSize, 10000.0);
    a::MoneyPayWithholding.set(secA + a::kRowSize, 4000.0);
    f100::summary::SuspensionRequest.set(f100::record(block, f100::Summary), 1);
    f100::summary::WaiverRequest.set(f100::record(block, f100::Summary), 1);
  });
  ASSERT_NE(Current(), nullptr);
  auto& renta = dynamic_cast<doc::CRentaDoc&>(Current()->Document());
  Trigger(ID_MEMBER_DECLARANT);
  ASSERT_EQ(doc::ShownMember(), doc::kDeclarant);
  ASSERT_EQ(f100::summary::SuspensionRequest.get(f100::record(renta.Block().data(), f100::Summary)), 1)
      << "the results keep the request";

  script.push_back([](QDialog& d) {
    auto& select = dynamic_cast<forms::CSeleccionDeclaracionImprimirDlg&>(d);
    EXPECT_TRUE(qxtest::ShowActive(&select));
    EXPECT_EQ(select.Item<QAbstractButton>(forms::CSeleccionDeclaracionImprimirDlg::kDeclarant)->text(),
              platform::LoadString(306));
    select.Item<QAbstractButton>(ui::IDOK)->click();
    select.hide();
    EXPECT_EQ(select.member, 6);
    return select.result();
  });
  const std::string path = (data.Path() / "ambos.pdf").string();
  EXPECT_EQ(PrintToPdf(path), 2 * PlannedSheetCount()) << "two declarations, each with its copies";
  EXPECT_EQ(renta.MemberStatus(doc::kDeclarant), 1);
  EXPECT_EQ(renta.MemberStatus(doc::kSpouse), 1);
  EXPECT_EQ(doc::ShownMember(), doc::kDeclarant) << "the shown member is restored";
  db::CAdoRecordset counters;
  counters.Open("CONTADORES", &a.Databases().Declarations(), db::Filter::Eq("MODELO", std::int64_t{100}));
  EXPECT_EQ(counters.GetFieldText("IMPRESOS"), "2");
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (!pdftotext.isEmpty()) {
    QProcess extract;
    extract.start(pdftotext, {QString::fromStdString(path), QStringLiteral("-")});
    ASSERT_TRUE(extract.waitForFinished(-1));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("12345678Z")));
    EXPECT_TRUE(text.contains(QStringLiteral("87654321X"))) << "the spouse's declaration";
  }
}

// A wealth-tax declaration prints its pages with boxes, the liquidation and payment pages among them.
TEST_F(WiringTest, ThePrintCommandPrintsAWealthTaxDeclaration) {
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  ASSERT_EQ(Current()->KindByte(), 3);
  const auto pages = forms::DefinedPages(*Current(), 3);
  EXPECT_NE(std::find(pages.begin(), pages.end(), 310), pages.end());
  EXPECT_NE(std::find(pages.begin(), pages.end(), 311), pages.end());
  const auto inUse = forms::PagesInUse(*Current(), 3);
  for (int page = 302; page <= 308; ++page)
    EXPECT_EQ(std::find(inUse.begin(), inUse.end(), page), inUse.end()) << page << ": no assets, no page";
  // A box value that did not fit since the last commit: no print until it is seen to.
  doc::overflow_warning::Disarm();
  messages.clear();
  Trigger(ID_FILE_PRINT);
  EXPECT_TRUE(script.empty()) << "no print dialog";
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages.back().code, QStringLiteral("WIN022"));
  doc::overflow_warning::Arm();
  f714::personal::Nif.set(f714::record(Current()->Document().Block().data(), f714::Personal), "12345678Z");
  EXPECT_EQ(PrintToPdf((data.Path() / "patrimonio.pdf").string()), PlannedSheetCount());
  EXPECT_EQ(f714::personal::Printed.get(f714::record(StoredBlock(kWealthStored).data(), f714::Personal)), 1)
      << "marked printed and saved so";
}

// The printed forms in the printing language: every copy's label (the administration's, the
// taxpayer's, the collaborating entity's) on the sheets in Catalan while the screen stays in
// Castellano. A declaration printed before offers its pages again: page 17 left out drops the
// payment document from every copy.
TEST_F(WiringTest, TheCopiesArePrintedInThePrintingLanguageAndARepeatedPrintChoosesItsPages) {
  WriteProfile("[Idioma]\nIdiomaV=e\nIdiomaI=c\n");
  CreateIncome(kIncome);
  CRentaApp& a = Start();
  ASSERT_NE(Current(), nullptr);
  ASSERT_EQ(a.PrintingLanguage(), 'c');
  const std::string path = (data.Path() / "renta-c.pdf").string();
  script.push_back(MemberProposed());
  const std::size_t sheets = PrintToPdf(path);
  EXPECT_EQ(sheets, PlannedSheetCount());
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (!pdftotext.isEmpty()) {
    QProcess extract;
    extract.start(pdftotext, {QString::fromStdString(path), QStringLiteral("-")});
    ASSERT_TRUE(extract.waitForFinished(-1));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    for (const char* label : {"Exemplar per a l'Administració", "Exemplar per a l'Entitat col·laboradora"})
      EXPECT_TRUE(text.contains(QString::fromUtf8(label), Qt::CaseInsensitive)) << label;
    EXPECT_FALSE(text.contains(QStringLiteral("Ejemplar para"), Qt::CaseInsensitive)) << "not the screen's language";
  }

  // Printed again: the member, then the pages.
  script.push_back(MemberProposed());
  script.push_back(apptest::AfterPrintQuestions(script, [](QDialog& d) {
    auto& pages = dynamic_cast<forms::CSeleccionImpresionDlg&>(d);
    EXPECT_TRUE(qxtest::ShowActive(&pages));
    pages.Item<QAbstractButton>(pages.PageBox(17))->click();
    pages.Item<QAbstractButton>(ui::IDOK)->click();
    pages.hide();
    return pages.result();
  }));
  const std::size_t again = PrintToPdf((data.Path() / "renta-c2.pdf").string());
  EXPECT_EQ(again, sheets - 2) << "the payment document (pages 217 and 218) left out of the taxpayer's copy";
}

#if defined(QX_HAVE_ZXING)
// The rasterised page `n` (from 1) of a PDF file; null when no rasteriser is installed.
QImage PageImage(const std::string& pdf, const std::string& prefix, int n = 1) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (tool.isEmpty()) return {};
  QProcess p;
  p.start(tool, {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-f"), QString::number(n),
                 QStringLiteral("-l"), QString::number(n), QStringLiteral("-gray"), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), QString::fromStdString(pdf), QString::fromStdString(prefix)});
  if (!p.waitForFinished(-1) || p.exitCode() != 0) return {};
  return QImage(QString::fromStdString(prefix + ".png")).convertToFormat(QImage::Format_Grayscale8);
}
#endif

// The text of sheet `n` (from 1) of a PDF file; empty without a text extractor.
QString PdfSheetText(const std::string& pdf, int n) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (tool.isEmpty()) return {};
  QProcess p;
  p.start(tool, {QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"), QString::number(n),
                 QString::fromStdString(pdf), QStringLiteral("-")});
  if (!p.waitForFinished(-1)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

#if defined(QX_HAVE_ZXING)
// Every sheet of a first print of the open declaration read back as a scanner reads it: each mark
// the sheet carries decodes from the whole sheet at 300 dpi and lies, its text included, inside
// its area; every area lies inside the sheet, and the page as printed (picture and boxes) leaves
// every area blank.
void ExpectMarksReadableAndFree(app::CDeclarationDocument& d, const std::string& pdf, const std::string& prefix,
                                bool spouse) {
  forms::PrintJob job;
  job.kind = d.KindByte();
  job.pages = forms::PagesInUse(d, job.kind);
  const auto planned = forms::PlannedSheets(job);
  ASSERT_EQ(apptest::PdfSheets(pdf), planned.size());
  const bool reference = job.kind == 3
                             ? !dynamic_cast<doc::C714Doc&>(d.Document()).GetReferenceText().empty()
                             : !dynamic_cast<doc::CRentaDoc&>(d.Document()).GetReferenceText(doc::kDeclarant - 1).empty();
  const int pieces = job.kind == 3 ? dynamic_cast<doc::C714Doc&>(d.Document()).DotCodePieceCount()
                                   : dynamic_cast<doc::CRentaDoc&>(d.Document()).DotCodePieceCount();
  EXPECT_GE(pieces, 1) << "the dot code's piece count kept";
  EXPECT_LE(pieces, 4);
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::PDF417 | ZXing::BarcodeFormat::Code128);
  hints.setTryHarder(true);
  // The reader's pass over a shrunk copy of the sheet adds nothing at 300 dpi, and the library's
  // merge of its results fails on sheets with several linear barcodes.
  hints.setTryDownscale(false);
  std::set<int> pagesLookedAt;
  for (std::size_t i = 0; i < planned.size(); ++i) {
    const int page = planned[i].page;
    const auto areas = forms::SheetMarkAreas(job.kind, page, false, pieces, spouse && page == 222);
    if (areas.empty()) continue;
    SCOPED_TRACE(testing::Message() << "sheet " << i + 1 << ", page " << page);
    for (const auto& a : areas)
      EXPECT_TRUE(QRect(0, 0, forms::print::kPageWidth, forms::print::kPageHeight).contains(a.rect))
          << "an area leaves the sheet: kind " << a.kind;
    const QImage sheet = PageImage(pdf, prefix + std::to_string(i), static_cast<int>(i) + 1);
    if (sheet.isNull()) GTEST_SKIP() << "no PDF rasteriser (pdftoppm)";
    const double fx = sheet.width() / double(forms::print::kPageWidth), fy = sheet.height() / double(forms::print::kPageHeight);
    const ZXing::Results results = ZXing::ReadBarcodes(
        ZXing::ImageView(sheet.constBits(), sheet.width(), sheet.height(), ZXing::ImageFormat::Lum,
                         static_cast<int>(sheet.bytesPerLine())),
        hints);
    // A read barcode lies inside an area of its kind.
    auto inside = [&](const ZXing::Result& r, const QRect& area) {
      const QRectF a(area.x() * fx, area.y() * fy, area.width() * fx, area.height() * fy);
      const auto& q = r.position();
      for (const auto& pt : {q.topLeft(), q.topRight(), q.bottomLeft(), q.bottomRight()})
        if (!a.adjusted(-2, -2, 2, 2).contains(QPointF(pt.x, pt.y))) return false;
      return true;
    };
    for (const auto& a : areas) {
      if (a.kind == forms::MarkArea::SheetMark || (a.kind == forms::MarkArea::Reference && !reference)) continue;
      const bool linear = a.kind != forms::MarkArea::DotCode;
      const bool read = std::any_of(results.begin(), results.end(), [&](const ZXing::Result& r) {
        return (r.format() == ZXing::BarcodeFormat::Code128) == linear && inside(r, a.rect);
      });
      EXPECT_TRUE(read) << "no barcode read in the area of kind " << a.kind << " (" << results.size() << " read)";
    }
    for (const ZXing::Result& r : results)
      EXPECT_TRUE(std::any_of(areas.begin(), areas.end(), [&](const auto& a) { return inside(r, a.rect); }))
          << "a barcode outside the areas: " << r.text();
    // The page as printed, without its marks: blank wherever a mark goes.
    if (!pagesLookedAt.insert(page).second) continue;
    std::unique_ptr<forms::CFormView> view(forms::CreatePageView(d, job.kind, page));
    ASSERT_TRUE(view && view->Create());
    view->SetPrinting(true);
    QImage picture(forms::print::kPageWidth * 3, forms::print::kPageHeight * 3, QImage::Format_Grayscale8);
    picture.fill(Qt::white);
    {
      QPainter painter(&picture);
      forms::DrawPageOnSheet(painter, *view, picture.rect());
    }
    for (const auto& a : areas) {
      const QRect r(a.rect.x() * 3, a.rect.y() * 3, a.rect.width() * 3, a.rect.height() * 3);
      int dark = 0;
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
          if (qGray(picture.pixel(x, y)) < 200) ++dark;
      EXPECT_EQ(dark, 0) << "the page draws over the area of kind " << a.kind << " " << a.rect.x() << ","
                         << a.rect.y() << " " << a.rect.width() << "x" << a.rect.height();
    }
  }
}
#endif

// The dot code of a printed form-100 declaration read back from the sheet: its PDF417 symbols,
// joined in their order and unpacked, are the filing record the program built for the print; the
// identification barcode reads as its digits.
TEST_F(WiringTest, ThePrintedDotCodeReadsBackAsTheFilingRecord) {
#if !defined(QX_HAVE_ZXING)
  GTEST_SKIP() << "no barcode reader library to read the sheet back";
#else
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  // The church choice marked: the dot code carries it.
  f100::family::ChurchTaxBox(doc::kDeclarant).set(f100::record(Current()->Document().Block().data(), f100::Family), 1);
  const std::string path = (data.Path() / "renta.pdf").string();
  script.push_back(MemberProposed());
  ASSERT_GT(PrintToPdf(path), 0u);
  const std::string expected = Current()->DotCodeText(2);
  ASSERT_GT(expected.size(), 35u);
  EXPECT_EQ(expected[35], 'P');

  const QImage page = PageImage(path, (data.Path() / "sheet1").string());
  if (page.isNull()) GTEST_SKIP() << "no PDF rasteriser (pdftoppm) to read the sheet back";
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::PDF417 | ZXing::BarcodeFormat::Code128);
  hints.setTryHarder(true);
  // The library's merge of the results of its pass over a shrunk copy fails on sheets with
  // several linear barcodes; at 300 dpi that pass adds nothing.
  hints.setTryDownscale(false);
  const ZXing::Results results = ZXing::ReadBarcodes(
      ZXing::ImageView(page.constBits(), page.width(), page.height(), ZXing::ImageFormat::Lum,
                       static_cast<int>(page.bytesPerLine())),
      hints);
  struct Piece {
    int index, x, y;
    std::string bytes;
  };
  std::vector<Piece> pieces;
  std::vector<std::string> linear;
  for (const ZXing::Result& r : results) {
    const ZXing::ByteArray& b = r.bytes();
    std::string bytes(b.begin(), b.end());
    if (r.format() == ZXing::BarcodeFormat::PDF417)
      pieces.push_back({r.sequenceIndex(), r.position().topLeft().x, r.position().topLeft().y, std::move(bytes)});
    else
      linear.push_back(r.text());
  }
  ASSERT_FALSE(pieces.empty()) << "no dot code found on the first sheet";
  // In sequence order; symbols of one row of the sheet left to right, then the next row.
  std::sort(pieces.begin(), pieces.end(), [&](const Piece& l, const Piece& r) {
    if (l.index >= 0 && r.index >= 0) return l.index < r.index;
    if (std::abs(l.y - r.y) > page.height() / 10) return l.y < r.y;
    return l.x < r.x;
  });
  std::string record;
  for (const Piece& p : pieces) record += p.bytes;
  const std::optional<forms::packed::Unpacked> unpacked = forms::packed::UnpackBarcodeRecord(record);
  ASSERT_TRUE(unpacked.has_value()) << pieces.size() << " symbols, " << record.size() << " bytes";
  EXPECT_EQ(unpacked->form, 100);
  EXPECT_EQ(unpacked->nif, "12345678Z");
  EXPECT_EQ(unpacked->text, expected);
  EXPECT_EQ(unpacked->text.substr(LayoutPlace("Z61"), 2), "X ") << "the church and social-purposes choice";

  bool identification = false;
  for (std::string t : linear) {
    t.erase(std::remove_if(t.begin(), t.end(), [](char c) { return c == '(' || c == ')' || c == '\x1d'; }), t.end());
    if (t.rfind("9001000000" "12345678Z", 0) == 0) identification = true;
  }
  EXPECT_TRUE(identification) << linear.size() << " linear barcodes read";

  // The payment document (page 217) carries the payment barcode the declaration built.
  forms::PrintJob job;
  job.kind = 2;
  job.pages = forms::PagesInUse(*Current(), 2);
  const auto planned = forms::PlannedSheets(job);
  const auto at = std::find_if(planned.begin(), planned.end(), [](const auto& p) { return p.page == 217; });
  ASSERT_NE(at, planned.end());
  const QImage paymentSheet =
      PageImage(path, (data.Path() / "sheet217").string(), static_cast<int>(at - planned.begin()) + 1);
  ASSERT_FALSE(paymentSheet.isNull());
  const auto& area = dynamic_cast<doc::CRentaDoc&>(Current()->Document()).BarcodeArea();
  const std::string paymentText(area.data(), ::strnlen(area.data(), area.size()));
  ASSERT_EQ(paymentText.substr(0, 5), "90558");
  bool payment = false;
  for (const ZXing::Result& r : ZXing::ReadBarcodes(
           ZXing::ImageView(paymentSheet.constBits(), paymentSheet.width(), paymentSheet.height(),
                            ZXing::ImageFormat::Lum, static_cast<int>(paymentSheet.bytesPerLine())),
           hints)) {
    std::string t = r.text();
    t.erase(std::remove_if(t.begin(), t.end(), [](char c) { return c == '(' || c == ')' || c == '\x1d'; }), t.end());
    if (t == paymentText) payment = true;
  }
  EXPECT_TRUE(payment) << "the payment barcode " << paymentText;
#endif
}

// The wealth-tax print dialog's extra copy for the taxpayer prints one more copy of the
// taxpayer's.
TEST_F(WiringTest, TheExtraCopyOfTheWealthTaxPrintDialogPrintsTheDeclarationAgain) {
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  const std::size_t planned = PlannedSheetCount(true);
  ASSERT_GT(planned, PlannedSheetCount());
  const std::size_t sheets = PrintToPdf((data.Path() / "patrimonio2.pdf").string(), [](QPrintDialog& d) {
    auto& dlg = dynamic_cast<forms::CPrint714Dlg&>(d);
    EXPECT_FALSE(dlg.ExtraCopyBox()->isHidden());
    dlg.ExtraCopyBox()->click();
  });
  EXPECT_EQ(sheets, planned);
}

// "Vista Preliminar": the trial copy in a window of its own; its toolbar pages and zooms, prints
// the trial copy (counted neither as printed nor in the counters) and closes; the main window's
// close closes the preview alone.
TEST_F(WiringTest, ThePreviewCommandShowsPagesAndPrintsTheTrialCopy) {
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(Current()->Preview(), nullptr);
  Trigger(ID_FILE_PRINT_PREVIEW);
  forms::CPrevista* prevista = Current()->Preview();
  ASSERT_NE(prevista, nullptr);
  EXPECT_EQ(program->MainFrame()->MdiArea()->activeSubWindow()->widget(), prevista);
  forms::CMyPreviewView& v = *prevista->PreviewView();
  EXPECT_EQ(v.PageCount(), 11);
  using P = forms::CMyPreviewView;
  for (int id : {P::kNext, P::kNext, P::kPrevious, P::kZoomIn}) v.Button(id)->click();
  EXPECT_EQ(v.CurrentPage(), 2);
  EXPECT_EQ(v.ZoomState(), P::kZoomMiddle);
  v.Button(P::kZoomOut)->click();
  EXPECT_EQ(v.ZoomState(), P::kZoomedOut);

  const std::string path = (data.Path() / "prueba.pdf").string();
  script.push_back([path](QDialog& d) {
    auto& dialog = dynamic_cast<QPrintDialog&>(d);
    dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog.printer()->setOutputFileName(QString::fromStdString(path));
    return static_cast<int>(QDialog::Accepted);
  });
  v.Button(P::kPrint)->click();
  EXPECT_TRUE(script.empty());
  std::ifstream in(path, std::ios::binary);
  const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t sheets = 0;
  for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos; at = pdf.find("/Type /Page\n", at + 1)) ++sheets;
  EXPECT_EQ(sheets, 11u);
  EXPECT_FALSE(Current()->Document().IsPrinted()) << "a trial copy is no print";

  v.CloseButton()->click();
  QApplication::processEvents();
  EXPECT_EQ(Current()->Preview(), nullptr);
  // Open again; the main window's close only closes the preview.
  Trigger(ID_FILE_PRINT_PREVIEW);
  ASSERT_NE(Current()->Preview(), nullptr);
  program->MainFrame()->close();
  QApplication::processEvents();
  EXPECT_EQ(Current()->Preview(), nullptr);
  ASSERT_NE(Current(), nullptr);
}

// A form-100 declaration previews the member shown; the family unit of a declaration that leaves
// the spouse out has no trial copy.
TEST_F(WiringTest, ThePreviewOfAnIncomeDeclarationFollowsTheMemberShown) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  doc::CRentaDoc* renta = Current()->RentaDocument();
  ASSERT_NE(renta, nullptr);
  EXPECT_TRUE(Enabled(ID_FILE_PRINT_PREVIEW));
  std::uint8_t* family = renta->Block().data() + f100::Family.offset;
  f100::family::SpouseExcluded.set(family, 1);
  if (renta->CanShowMember(doc::kFamilyUnit)) {
    renta->ShowMember(doc::kFamilyUnit);
    EXPECT_FALSE(Enabled(ID_FILE_PRINT_PREVIEW));
  }
  renta->ShowMember(doc::kDeclarant);
  EXPECT_TRUE(Enabled(ID_FILE_PRINT_PREVIEW));
  Trigger(ID_FILE_PRINT_PREVIEW);
  ASSERT_NE(Current()->Preview(), nullptr);
  EXPECT_GE(Current()->Preview()->PreviewView()->PageCount(), 17);
}

// A wealth-tax declaration filled as a user fills it: a click on a row's description, the text,
// Tab to the row's amount, the amount, Tab, on three section pages. The section totals, the
// summary and the liquidation the pages show are those of the calculation library run on the same
// rows; the print's second payment sheet (page 12) shows the same result.
TEST_F(WiringTest, AWealthTaxDeclarationTypedOnItsPagesMatchesTheCalculationLibrary) {
  namespace sec = f714::sections;
  namespace sum = f714::summary;
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  std::vector<std::uint8_t> expected(block, block + f714::kBlockSize);

  const auto goTo = [&](int page) {
    script.push_back(GoToPage(QString::number(page)));
    Trigger(ID_GO_TO_PAGE);
    ASSERT_NE(Current()->View(), nullptr);
    ASSERT_EQ(Current()->View()->GetPageCode(), 300 + page);
  };
  // Clicks the description at `position`, types it, Tab, types the amount, Tab.
  const auto typeRow = [&](int position, const QString& description, const QString& amount) {
    forms::CFormView* page = Current()->View();
    const QRect area = page->GetBox(position - 1)->Area();
    page->ScrollTo(QPoint(0, std::max(0, area.top() - 40)));
    QApplication::processEvents();
    QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, area.center() - page->ScrollPosition());
    ASSERT_EQ(page->EditedBox(), position - 1) << "the click opens the description";
    QTest::keyClicks(page->Editor(), description);
    QTest::keyClick(page->Editor(), Qt::Key_Tab);
    ASSERT_EQ(page->EditedBox(), position) << "Tab goes on to the amount";
    QTest::keyClicks(page->Editor(), amount);
    QTest::keyClick(page->Editor(), Qt::Key_Tab);
    QApplication::processEvents();
  };
  struct Row {
    int page, position;
    const char* description;
    const char* typed;
    sec::Section section;
    double amount;
  };
  const Row rows[] = {
      {2, 119, "CUENTA CORRIENTE", "250000,50", sec::B, 250000.50},  // section B, first row
      {5, 4, "ACCIONES COTIZADAS", "180000", sec::G1, 180000.0},     // section G1, first row
      {5, 6, "FONDOS", "20000,25", sec::G1, 20000.25},               // section G1, second row
      {8, 51, "PRESTAMO HIPOTECARIO", "60000", sec::DebtsSection, 60000.0},
  };
  for (const Row& r : rows) {
    goTo(r.page);
    typeRow(r.position, QString::fromUtf8(r.description), QString::fromUtf8(r.typed));
    std::uint8_t* record = f714::record(expected.data(), r.section.record);
    const int row = r.position == 6 ? 1 : 0;
    r.section.table.amount(row).set(record, r.amount);
  }

  // The library on the same rows: each section totalled and published, then the liquidation and
  // the payment amounts.
  std::uint8_t* s = f714::record(expected.data(), f714::Summary);
  for (auto [section, calc] : {std::pair{sec::B, &Calculos714B}, std::pair{sec::G1, &Calculos714G1},
                               std::pair{sec::DebtsSection, &Calculos714DEUDAS}}) {
    calc(f714::record(expected.data(), section.record), -1, s);
    calc(f714::record(expected.data(), section.record), 0, s);
  }
  Calculos714LI(s, f714::record(expected.data(), f714::Personal), -1);
  Calculos714LI(s, f714::record(expected.data(), f714::Personal), 0);
  Calculos714DI(f714::record(expected.data(), f714::Result), s);

  const std::uint8_t* shown = f714::record(block, f714::Summary);
  for (const sec::Section& section : {sec::B, sec::G1, sec::DebtsSection}) {
    const double total = section.table.total.get(f714::record(expected.data(), section.record));
    EXPECT_DOUBLE_EQ(section.table.total.get(f714::record(block, section.record)), total);
    EXPECT_DOUBLE_EQ(section.slot.get(shown), total);
  }
  EXPECT_DOUBLE_EQ(sum::TotalAssets.get(s), 450000.75);
  EXPECT_DOUBLE_EQ(sum::Debts.get(s), 60000.0);
  ASSERT_GT(sum::Result.get(s), 0.0) << "a declaration with tax to pay";
  // Every summary and liquidation value the document holds is the library's.
  for (std::size_t at = 0; at <= sum::Result.off; at += 8)
    EXPECT_EQ(std::memcmp(shown + at, s + at, 8), 0) << "Form714Summary +" << at;

  // The boxes of the summary and liquidation pages show those values.
  const auto boxShows = [&](int position, double value) {
    CBoxField* box = Current()->View()->GetBox(position - 1);
    box->UpdateText();
    const std::string text = box->displayText.trimmed().remove(u'.').replace(u',', u'.').toStdString();
    std::size_t used = 0;
    const double shownValue = blocks::ParseDecimal(text, &used);
    if (value == 0.0 && text.empty()) return;
    EXPECT_EQ(used, text.size()) << text;
    EXPECT_NEAR(shownValue, value, 0.005)
        << "page " << Current()->View()->GetPageCode() << ", box " << position;
  };
  goTo(9);
  boxShows(4, sum::B.get(s));
  boxShows(9, sum::G1.get(s));
  boxShows(22, sum::TotalAssets.get(s));
  boxShows(23, sum::Debts.get(s));
  boxShows(24, sum::NetWealth.get(s));
  boxShows(26, blocks::F64{184}.get(s));
  goTo(10);
  for (auto [position, at] : {std::pair{3, 216}, std::pair{4, 224}, std::pair{5, 232}, std::pair{12, 368},
                              std::pair{27, 536}})
    boxShows(position, blocks::F64{static_cast<std::size_t>(at)}.get(s));

  // The print's second payment sheet is built by the same page class the print uses, with the
  // result and no mark of a declaration without payment.
  const auto printed = forms::DefinedPages(*Current(), 3);
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(printed.back(), 312);
  std::unique_ptr<forms::CFormView> sheet(forms::CreatePageView(*Current(), 3, 312));
  ASSERT_TRUE(sheet->Create());
  EXPECT_EQ(sheet->GetPageClassName(), "PAT012");
  EXPECT_DOUBLE_EQ(blocks::F64{0}.get(sheet->GetBox(15)->data), sum::Result.get(s));
  EXPECT_EQ(*static_cast<const std::uint8_t*>(sheet->GetBox(17)->data), 0);
  sheet.reset();
  EXPECT_EQ(PrintToPdf((data.Path() / "patrimonio.pdf").string()), PlannedSheetCount());
}

// A wealth-tax declaration identified on its first page as a user types it: the NIF, the names
// and the real-obligation mark. The other pages' headers show the composed name; the mark takes
// the exempt minimum out of the liquidation, which is the calculation library's on the same data;
// the print keeps the identification code and the payment barcode text the sheets show.
TEST_F(WiringTest, AWealthTaxDeclarationIdentifiedOnItsFirstPageIsLiquidatedAndPrinted) {
  namespace sec = f714::sections;
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* block = Current()->Document().Block().data();
  std::vector<std::uint8_t> expected(block, block + f714::kBlockSize);
  forms::CFormView* page = Current()->View();
  ASSERT_EQ(page->GetPageCode(), 301);
  const auto click = [&](int position) {
    forms::CFormView* v = Current()->View();
    const QRect area = v->GetBox(position - 1)->Area();
    v->ScrollTo(QPoint(0, std::max(0, area.top() - 40)));
    QApplication::processEvents();
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, area.center() - v->ScrollPosition());
    ASSERT_EQ(v->EditedBox(), position - 1);
  };
  click(4);
  for (const char* text : {"12345678Z", "GARCIA", "LOPEZ", "ANA"}) {
    QTest::keyClicks(page->Editor(), QString::fromLatin1(text));
    QTest::keyClick(page->Editor(), Qt::Key_Tab);
  }
  ASSERT_EQ(page->EditedBox(), 7) << "the NIF accepted, the editor went on through the names";
  click(1);
  QTest::keyClicks(page->Editor(), QStringLiteral("X"));
  QApplication::processEvents();
  const std::uint8_t* personal = f714::record(block, f714::Personal);
  EXPECT_EQ(personal[81], 1);
  EXPECT_EQ(page->GetBox(36)->SoloLectur, 1) << "no region code under the real obligation";

  script.push_back(GoToPage(QStringLiteral("2")));
  Trigger(ID_GO_TO_PAGE);
  page = Current()->View();
  ASSERT_EQ(page->GetPageCode(), 302);
  page->GetBox(1)->UpdateText();
  EXPECT_EQ(page->GetBox(1)->displayText.trimmed(), QStringLiteral("GARCIA LOPEZ, ANA"));
  click(119);
  QTest::keyClicks(page->Editor(), QStringLiteral("CUENTA"));
  QTest::keyClick(page->Editor(), Qt::Key_Tab);
  QTest::keyClicks(page->Editor(), QStringLiteral("900000"));
  QTest::keyClick(page->Editor(), Qt::Key_Tab);
  QApplication::processEvents();

  // The library on the same data.
  std::uint8_t* p = f714::record(expected.data(), f714::Personal);
  std::memcpy(p, personal, f714::Personal.size);
  std::uint8_t* s = f714::record(expected.data(), f714::Summary);
  sec::B.table.amount(0).set(f714::record(expected.data(), sec::B.record), 900000.0);
  Calculos714DP(p);
  Calculos714B(f714::record(expected.data(), sec::B.record), -1, s);
  Calculos714B(f714::record(expected.data(), sec::B.record), 0, s);
  Calculos714LI(s, p, -1);
  Calculos714LI(s, p, 0);
  Calculos714DI(f714::record(expected.data(), f714::Result), s);
  EXPECT_EQ(blocks::F64{176}.get(s), 0.0) << "no exempt minimum";
  ASSERT_GT(f714::summary::Result.get(s), 0.0);
  const std::uint8_t* shown = f714::record(block, f714::Summary);
  for (std::size_t at = 0; at <= f714::summary::Result.off; at += 8)
    EXPECT_EQ(std::memcmp(shown + at, s + at, 8), 0) << "Form714Summary +" << at;

  EXPECT_EQ(PrintToPdf((data.Path() / "identificado.pdf").string()), PlannedSheetCount());
  auto& d714 = dynamic_cast<doc::C714Doc&>(Current()->Document());
  std::string code = forms::CNameCode("GARCIA LOPEZ ANA", "12345678Z").GetCode();
  code.erase(std::remove(code.begin(), code.end(), '-'), code.end());
  EXPECT_EQ(std::string(d714.PrintSheetState().identificationCode.data()), code);
  EXPECT_EQ(std::string(d714.BarcodeArea().data(), 6), "905580") << "a payment";
  EXPECT_EQ(d714.PrintSheetState().copyLabel[0], 0) << "the label goes with the print";
#if defined(QX_HAVE_ZXING)
  ExpectMarksReadableAndFree(*Current(), (data.Path() / "identificado.pdf").string(), (data.Path() / "p").string(),
                             false);
#endif
}

// Every coded message the application core shows has its row in the four message tables, and a
// question offers its two buttons.
TEST(ProgramMessages, TheCoreCodesHaveRowsInEveryLanguage) {
  ui::DatabaseMessageSource source(QStringLiteral(QX_BINARY_DIR "/resources/DatLocal.db"));
  ASSERT_TRUE(source.IsOpen());
  const char* codes[] = {"WIN002", "WIN020", "WIN023", "WIN024", "WIN026", "WIN033", "WIN034", "WIN035",
                         "WIN036", "WIN037", "WIN038", "WIN039", "WIN040", "WIN047", "WIN090", "NOBORR", "100R067",
                         "ALM001", "ALM002", "ALM003", "ALM004", "ALM005", "ALM006", "ALM007"};
  for (char l : {'e', 'c', 'g', 'v'})
    for (const char* code : codes) {
      auto row = source.Find(ui::MessageTableName(l), QString::fromLatin1(code));
      ASSERT_TRUE(row.has_value()) << code << " in " << l;
      EXPECT_FALSE(row->text.isEmpty());
      const bool question = std::string_view(code) == "WIN002" || std::string_view(code) == "WIN037";
      EXPECT_EQ(row->numbotones, question ? 2.0 : 1.0) << code;
    }
}


// Page 1's disagreement box opens the disagreement dialog, whose member edit opens the concepts; a
// ticked concept reaches the declaration's block when both end with OK.
TEST_F(WiringTest, TheDisagreementBoxOfPageOneOpensTheDisagreementDialogs) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->GetBox(161)->NombreVent, "IDD_DISCONFORMIDAD");
  page->GoToBox(161);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == 161; }));
  bool opened = false;
  qxtest::WhenModal([&](QWidget* m) {
    auto* d = dynamic_cast<wizards::CDisconformidadDlg*>(m);
    ASSERT_NE(d, nullptr);
    opened = true;
    qxtest::WhenModal([](QWidget* c) {
      auto* concepts = dynamic_cast<wizards::CDfdisconfDlg*>(c);
      ASSERT_NE(concepts, nullptr);
      concepts->Item<QCheckBox>(wizards::CDfdisconfDlg::kFirstConcept + 13)->setChecked(true);
      concepts->Item<QAbstractButton>(ui::IDOK)->click();
    });
    d->Item<CSubDialogEdit>(wizards::CDisconformidadDlg::kMemberEdits[0])->OpenSubDialog();
    d->Item<QAbstractButton>(ui::IDOK)->click();
  });
  QTest::keyClick(page->Editor(), Qt::Key_X);
  ASSERT_TRUE(opened);
  const std::uint8_t* block = Current()->Document().Block().data();
  EXPECT_EQ(block[4644], 1) << "a member disagrees";
  EXPECT_EQ(block[4645], 1) << "the declarant";
  EXPECT_EQ(blocks::I32{4644 + 80 + 4 * 13}.get(block), 1) << "with the donations";
}

// The request boxes of page one open their requests; OK writes the member's mark and the family
// unit's into the declaration.
TEST_F(WiringTest, TheCertificateBoxOfPageOneOpensTheCertificateRequest) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  constexpr int kCertificateBox = 164;  // position 165
  ASSERT_EQ(page->GetBox(kCertificateBox)->NombreVent, "IDD_CERTIFICADO");
  ASSERT_EQ(page->GetBox(kCertificateBox + 1)->NombreVent, "IDD_BORRADOR");
  page->GoToBox(kCertificateBox);
  ASSERT_TRUE(Settle([&] { return page->EditedBox() == kCertificateBox; }));
  bool opened = false;
  qxtest::WhenModal([&](QWidget* m) {
    auto* d = dynamic_cast<CCertificadoDlg*>(m);
    ASSERT_NE(d, nullptr);
    opened = true;
    QWidget* declarant = d->GetDlgItem(CCertificadoDlg::kMarks[0]);
    declarant->setFocus();
    QTest::keyClick(declarant, Qt::Key_X);
    d->Item<QAbstractButton>(ui::IDOK)->click();
  });
  // Opened by a double click: a key would open it too, and the keys typed on would be dropped.
  QTest::mouseDClick(page->Editor(), Qt::LeftButton);
  ASSERT_TRUE(opened);
  const std::uint8_t* block = Current()->Document().Block().data();
  EXPECT_EQ(block[annex::requests::kCertificateMarks], 1) << "the family unit asks";
  EXPECT_EQ(block[annex::requests::kCertificateMarks + 1], 1) << "the declarant";
  EXPECT_EQ(block[annex::requests::kDraftMarks + 1], 0) << "not the pre-filled return";
}

// ---------------------------------------------------------------- annex boxes of every page

// Page 1's address boxes open the address dialog on the address of their area's member: OK writes
// that member's address and nothing else of the declaration, Cancel nothing, and the keys are back
// on the box afterwards.
TEST_F(WiringTest, ThePage1AddressBoxesWriteOnlyTheirMembersAddress) {
  namespace a = annex::address;
  using D = CCambiodomicilioDlg;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  // Every slot of both address groups holds an address of its own; nothing is shared.
  ReopenAsCouple([](std::uint8_t* block) {
    for (int g : {a::kFirstGroup, a::kSecondGroup})
      for (int m = 1; m <= 5; ++m) {
        std::vector<std::uint8_t> rec(a::kRecordBytes);
        a::StreetType.set(rec.data(), "CL");
        a::Street.set(rec.data(), "CALLE " + std::to_string(10 * (g + 1) + m));
        a::Number.set(rec.data(), std::to_string(m));
        a::Municipality.set(rec.data(), "ALEGRIA", '\0');
        a::Province.set(rec.data(), "Alava");
        a::PostalCode.set(rec.data(), "01001");
        a::Telephone.set(rec.data(), "945000000");
        for (const a::StoredField& s : a::kForm100Groups[g])
          std::memcpy(block + s.offset + s.field.width * static_cast<std::size_t>(m - 1), rec.data() + s.field.off,
                      s.field.width);
      }
    for (std::size_t m = 0; m < 5; ++m) block[a::kSharedFlags + m] = 0;
    block[a::kSpouseSeparate] = 0;
  });
  ASSERT_NE(Current(), nullptr);
  ASSERT_EQ(doc::ShownMember(), doc::kFamilyUnit);
  Current()->Document().Calculate(1);
  std::uint8_t* block = Current()->Document().Block().data();
  forms::CFormView* page = Current()->View();
  ASSERT_EQ(page->GetPageCode(), 201);

  // Where each spouse's address lies: its own slot, the family unit's slot of its area and the
  // other spouse's view of it.
  struct Case {
    int box;
    std::vector<std::pair<int, int>> places;  // (group, member)
    const char* shown;                       // the street the dialog opens on
  };
  const Case cases[] = {
      {5, {{a::kFirstGroup, 1}, {a::kFirstGroup, 2}, {a::kSecondGroup, 3}}, "CALLE 11"},
      {30, {{a::kSecondGroup, 1}, {a::kSecondGroup, 2}, {a::kFirstGroup, 3}}, "CALLE 21"},
  };
  for (const Case& c : cases)
    for (bool ok : {false, true}) {
      SCOPED_TRACE(testing::Message() << "box " << c.box << (ok ? " OK" : " Cancel"));
      std::vector<bool> allowed(f100::kBlockSize, false);
      for (const auto& [g, m] : c.places)
        for (const a::StoredField& s : a::kForm100Groups[g])
          for (std::size_t i = 0; i < s.field.width; ++i)
            allowed[s.offset + s.field.width * static_cast<std::size_t>(m - 1) + i] = true;
      const std::vector<std::uint8_t> before(block, block + f100::kBlockSize);
      page->GoToBox(c.box - 1);
      ASSERT_TRUE(Settle([&] { return page->EditedBox() == c.box - 1; }));
      auto* edit = dynamic_cast<CSelStrEdit*>(page->Editor());
      ASSERT_NE(edit, nullptr) << "the address box opens its dialog";
      QString shown;
      bool opened = false;
      qxtest::WhenModal([&](QWidget* w) {
        auto* d = dynamic_cast<D*>(w);
        ASSERT_NE(d, nullptr);
        opened = true;
        EXPECT_FALSE(d->form714) << "a form-100 address";
        shown = d->Edit(D::kStreet)->text().trimmed();
        QWidget* street = d->GetDlgItem(D::kStreet);
        street->setFocus();
        d->Edit(D::kStreet)->selectAll();
        QTest::keyClicks(street, QStringLiteral("Nueva"));
        QTest::keyClick(street, Qt::Key_Tab);
        d->GetDlgItem(D::kTelephone)->setFocus();
        d->Item<QAbstractButton>(ok ? ui::IDOK : ui::IDCANCEL)->click();
      });
      QTest::keyClick(edit, Qt::Key_F7);
      ASSERT_TRUE(opened);
      EXPECT_EQ(shown, QString::fromLatin1(c.shown)) << "the member's own address";
      std::vector<std::size_t> changed, stray;
      for (std::size_t i = 0; i < f100::kBlockSize; ++i)
        if (block[i] != before[i]) (allowed[i] ? changed : stray).push_back(i);
      EXPECT_TRUE(stray.empty()) << stray.size() << " bytes changed outside the member's address, the first at "
                                 << (stray.empty() ? 0 : stray.front());
      if (!ok) {
        EXPECT_TRUE(changed.empty()) << "Cancel writes nothing";
      } else {
        for (const auto& [g, m] : c.places) {
          const a::StoredField& street = a::kForm100Groups[g][2];
          EXPECT_EQ(street.field.trimmed(block + street.offset + street.field.width * static_cast<std::size_t>(m - 1) -
                                         street.field.off),
                    "NUEVA")
              << "group " << g << " member " << m;
        }
      }
      EXPECT_EQ(page->EditedBox(), c.box - 1);
      EXPECT_EQ(page->Editor()->window()->focusWidget(), page->Editor()) << "the keys are back on the box";
    }
}

// Page 1 shows what the family wizard wrote into the personal record: the civil status and the
// date of birth of the member shown, in the view and in the list a print binds to the declarant.
TEST_F(WiringTest, Page1ShowsTheCivilStatusAndBirthDateOfTheFamilyData) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->GetPageCode(), 201);
  ASSERT_EQ(doc::ShownMember(), doc::kDeclarant);
  page->RepaintBoxes();
  constexpr int kSingle = 18, kMarried = 20, kBirth = 22;
  EXPECT_EQ(page->GetBox(kBirth - 1)->displayText, QStringLiteral("15/06/1970")) << "the wizard's date of birth";
  EXPECT_EQ(page->GetBox(kSingle - 1)->displayText, QStringLiteral("X")) << "single";
  EXPECT_TRUE(page->GetBox(kMarried - 1)->displayText.trimmed().isEmpty());
  const std::uint8_t* block = Current()->Document().Block().data();
  EXPECT_EQ(blocks::Text(1473 + 8, 8).str(block), "15061970") << "the declarant's slot, which a print reads";
  EXPECT_EQ(blocks::Text(1453 + 4, 4).str(block), "1970");
  EXPECT_EQ(block[753 + 1], 1);
  EXPECT_EQ(block[763 + 1], 0);
}

namespace annexboxes {

// The entries of the table of docs/annex-boxes.md that no box names.
std::set<std::string> EntriesNamedByNoBox() {
  std::ifstream in(QX_SOURCE_DIR "/docs/annex-boxes.md");
  std::set<std::string> names;
  bool inList = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("## ", 0) == 0) inList = line.find("no box names") != std::string::npos;
    if (!inList || line.rfind("| IDD_", 0) != 0) continue;
    names.insert(line.substr(2, line.find(' ', 2) - 2));
  }
  return names;
}

// Whether the program can open what a box names.
bool DialogExists(const std::string& name) {
  const int id = ui::FindDialogId(name);
  if (const ui::LaunchEntry* e = id < 0 ? nullptr : ui::FindLaunchEntry(id))
    return e->kind != ui::LaunchKind::Standard || (e->className && ui::IsAnnexClassRegistered(e->className));
  if (const ui::SubDialogEntry* s = ui::FindSubDialog(name)) return s->className && ui::IsAnnexClassRegistered(s->className);
  return ui::IsSelectionOpenerRegistered(name);
}

}  // namespace annexboxes

// Every page of both forms, as the program shows a new declaration: each box the page gives an
// annex record names a dialog the program opens, but for the records the page's own editors read;
// each launch-table entry is named by a box or stands in the documented list.
TEST_F(WiringTest, EveryAnnexBoxOfBothFormsNamesADialogOfTheProgram) {
  using namespace annexboxes;
  // Boxes with an annex record, by page code.
  const std::map<int, int> kAnnexBoxes = {
      {201, 15}, {202, 26}, {203, 12}, {204, 16}, {205, 30}, {206, 16}, {207, 31}, {208, 14}, {209, 5},
      {210, 15}, {211, 9},  {212, 9},  {214, 12}, {215, 74}, {216, 42}, {301, 2},  {310, 2}};
  // Of them, those whose record a box editor of the page reads without a dialog: the module and
  // product values of the activity rows (4, 5), the class code of the transferred items (7, 8);
  // on form 714 box 32 of the representative's address, given an empty record that no dialog reads.
  const std::map<int, std::vector<int>> kReadByTheirEditors = {
      {204, {8, 11, 14, 17, 20, 23, 26, 47, 50, 53, 56, 59, 62, 65}},
      {205, {5, 8, 11, 14, 17, 20, 23, 26, 29, 32, 35, 38, 41, 44, 65, 68, 71, 74, 77, 80, 83, 86, 89, 92, 95, 98, 101,
             104}},
      {207, {74, 88, 102}},
      {208, {39, 57, 75}},
      {301, {32}}};
  std::map<int, int> annexBoxes;
  std::map<int, std::vector<int>> unnamed;
  std::set<std::string> named;
  const auto walk = [&](int pages, int firstCode) {
    for (int p = 1; p <= pages; ++p) {
      const int code = firstCode + p - 1;
      script.push_back(GoToPage(QString::number(p)));
      Trigger(ID_GO_TO_PAGE);
      forms::CFormView* page = Current()->View();
      ASSERT_NE(page, nullptr);
      ASSERT_EQ(page->GetPageCode(), code);
      for (int i = 0; i < page->GetBoxCount(); ++i) {
        const CBoxField* box = page->GetBox(i);
        std::string name = box->NombreVent;
        if (const auto star = name.find('*'); star != std::string::npos) name.resize(star);
        if (!name.empty()) named.insert(name);
        if (!name.empty()) {
          EXPECT_TRUE(DialogExists(name)) << code << " box " << i + 1 << " names " << name;
        }
        if (!box->option) continue;
        ++annexBoxes[code];
        if (name.empty()) unnamed[code].push_back(i + 1);
      }
    }
  };
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  walk(11, 301);
  Trigger(ID_FILE_SAVE);
  CreateIncome(kIncome);
  Trigger(ID_FILE_NEW);
  ASSERT_NE(Current(), nullptr);
  walk(17, 201);
  EXPECT_EQ(annexBoxes, kAnnexBoxes);
  EXPECT_EQ(unnamed, kReadByTheirEditors);

  std::set<std::string> notNamed;
  for (const ui::LaunchEntry& e : ui::LaunchTable())
    if (!named.count(e.name)) notNamed.insert(e.name);
  EXPECT_EQ(notNamed, EntriesNamedByNoBox()) << "docs/annex-boxes.md lists every entry no box names";
  EXPECT_EQ(EntriesNamedByNoBox().size(), 12u);
}

namespace annexboxes {

// One annex box of a page, the dialog cells typed into and the amount the box shows after OK.
struct RoundTrip {
  int page;          // the page number typed into "Ir a la página"
  int box;           // position
  int holderCell;    // the first row's holder cell (0: none)
  int amountCell;    // the cell the amount is typed into
};

// Opens the box's dialog with F7 (Cancel) and with its "..." button (OK), typing 500 into it; the
// bytes of the declaration are as they were after Cancel, the box's value follows the amount
// after OK and stays through another calculation, and the keys are back on the box each time.
void RoundTripThroughTheBox(forms::CFormView* page, doc::CProg32Doc& document, const RoundTrip& c) {
  SCOPED_TRACE(testing::Message() << "page " << c.page << " box " << c.box);
  std::uint8_t* block = document.Block().data();
  const std::size_t size = document.Block().size();
  for (bool ok : {false, true}) {
    page->GoToBox(c.box - 1);
    for (int i = 0; i < 200 && page->EditedBox() != c.box - 1; ++i) QTest::qWait(5);
    ASSERT_EQ(page->EditedBox(), c.box - 1);
    // The declaration as a calculation leaves it, so that only the dialog could change it.
    document.Calculate(1);
    QApplication::processEvents();
    const std::vector<std::uint8_t> before(block, block + size);
    auto* launcher = dynamic_cast<CDialogLauncherEdit*>(page->Editor());
    ASSERT_NE(launcher, nullptr) << "the box opens a dialog";
    ui::CCompanionButton* button = launcher->Button();
    ASSERT_NE(button, nullptr) << "the launcher shows its button";
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->toolTip(), platform::LoadString(358));
    EXPECT_EQ(button->geometry().right(), launcher->geometry().right()) << "at the box's right edge";
    bool opened = false;
    qxtest::WhenModal([&](QWidget* w) {
      auto* d = dynamic_cast<CTemplateDlg*>(w);
      ASSERT_NE(d, nullptr);
      opened = true;
      if (c.holderCell) {
        QWidget* holder = d->GetDlgItem(c.holderCell);
        ASSERT_NE(holder, nullptr);
        holder->setFocus();
        QTest::keyClick(holder, Qt::Key_D);
        QTest::keyClick(holder, Qt::Key_Tab);
      }
      QWidget* amount = d->GetDlgItem(c.amountCell);
      ASSERT_NE(amount, nullptr);
      amount->setFocus();
      QTest::keyClicks(amount, QStringLiteral("500"));
      QTest::keyClick(amount, Qt::Key_Tab);
      d->Item<QAbstractButton>(ok ? ui::IDOK : ui::IDCANCEL)->click();
    });
    if (ok) QTest::mouseClick(button, Qt::LeftButton);
    else QTest::keyClick(launcher, Qt::Key_F7);
    ASSERT_TRUE(opened);
    EXPECT_EQ(page->Editor()->window()->focusWidget(), page->Editor()) << "the keys are back on the box";
    const CBoxField* box = page->GetBox(c.box - 1);
    if (!ok) {
      EXPECT_TRUE(std::equal(before.begin(), before.end(), block)) << "Cancel leaves the declaration as it was";
      continue;
    }
    ASSERT_NE(box->data, nullptr);
    EXPECT_DOUBLE_EQ(blocks::F64{0}.get(box->data), 500.0) << "the calculation took the amount";
    document.Calculate(1);
    EXPECT_DOUBLE_EQ(blocks::F64{0}.get(box->data), 500.0) << "and keeps it";
  }
}

}  // namespace annexboxes

// One box of each form-100 page whose annex boxes were given their dialogs by their records.
TEST_F(WiringTest, AnAmountTypedInTheDialogOfAnAnnexBoxReachesTheCalculation) {
  using annexboxes::RoundTrip;
  constexpr int kHolder = 1394, kAmount = 1318;  // first row of the holder-and-amount dialogs
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  doc::CProg32Doc& document = Current()->Document();
  std::uint8_t* block = document.Block().data();
  // Work income, so that earlier losses have a general income to offset; an entity of the
  // attribution regime held by the declarant.
  f100::sec_a::Holder.set(f100::record(block, f100::SectionA), 2);
  f100::sec_a::MoneyPay.set(f100::record(block, f100::SectionA), 20000.0);
  f100::sec_f1::Holder.set(f100::record(block, f100::SectionF1), 2);
  document.Calculate(1);
  const RoundTrip cases[] = {
      {2, 30, kHolder, kAmount},                  // long-term balances
      {6, 7, 0, 24705},                           // attributed net yield except dividends
      {9, 14, kHolder, kAmount},                  // earlier losses against general income
      {11, 4, kHolder, kAmount},                  // annuities to children
      {12, 28, kHolder, kAmount},                 // other payments on account
      {14, 3, kHolder, kAmount},                  // donations at 15 %
  };
  for (const RoundTrip& c : cases) {
    script.push_back(GoToPage(QString::number(c.page)));
    Trigger(ID_GO_TO_PAGE);
    forms::CFormView* page = Current()->View();
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->GetPageCode(), 200 + c.page);
    annexboxes::RoundTripThroughTheBox(page, document, c);
  }
}

// Form 714: the income-tax base opens the limit of the quota on the liquidation's inputs.
TEST_F(WiringTest, TheWealthTaxIncomeBaseBoxOpensTheQuotaLimit) {
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  script.push_back(GoToPage(QStringLiteral("10")));
  Trigger(ID_GO_TO_PAGE);
  forms::CFormView* page = Current()->View();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->GetPageCode(), 310);
  annexboxes::RoundTripThroughTheBox(page, Current()->Document(), {10, 11, 0, CPcuotintDlg::kBase});
}


}  // namespace

namespace {

using ShellTest = apptest::AppTest;

// A declaration that fails to open is closed as any other (its close deletes the row of a new
// declaration), not just dropped.
TEST_F(ShellTest, ADeclarationThatFailsToOpenIsClosedLikeAnyOther) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n");
  openFails = true;
  app::CRentaApp& a = Start({app::IndexChoice::Ok, true, "X", false});
  EXPECT_EQ(closedDocs, 1);
  EXPECT_EQ(a.GetCurrentDocument(), nullptr);
}

}  // namespace

namespace {

// The tax-assignment question of the income-tax declaration: asked only while neither assignment
// box of the member is marked; each answer is kept in the member's no-assignment flag, and marking
// now takes the user to the boxes once the question's caller has finished.
TEST_F(WiringTest, TheTaxAssignmentQuestionKeepsItsAnswerAndGoesToTheBoxes) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::uint8_t* family = f100::record(Current()->Document().Block().data(), f100::Family);
  namespace fam = f100::family;
  auto answer = [](int option) {
    return [option](QDialog& d) {
      auto& dlg = dynamic_cast<CAsignacionTributariaDlg&>(d);
      dlg.show();
      EXPECT_EQ(dlg.windowTitle(), QStringLiteral("INDIVIDUAL DEL CONYUGE"));
      EXPECT_FALSE(dlg.GetDlgItem(CAsignacionTributariaDlg::kByHandId)->isEnabled()) << "filing: no by-hand option";
      if (option == 0) {
        QTest::keyClick(dlg.GetDlgItem(CAsignacionTributariaDlg::kMarkNoneId), Qt::Key_Escape);
      } else {
        QWidget* box = dlg.GetDlgItem(option);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_X);
        QTest::mouseClick(dlg.Item<QAbstractButton>(ui::IDOK), Qt::LeftButton);
      }
      dlg.hide();
      return dlg.result();
    };
  };
  struct Case {
    int option;  // the box marked, 0 for Cancel
    int returned;
    int flag;
  };
  for (const Case c : {Case{CAsignacionTributariaDlg::kMarkNoneId, 1, 1}, Case{0, 1, 0},
                       Case{CAsignacionTributariaDlg::kMarkNowId, 0, 0}}) {
    fam::NoAssignment(3).set(family, c.option == 0 ? 1 : 0);
    script.push_back(answer(c.option));
    EXPECT_EQ(Current()->AskTaxAssignment(3, true, platform::LoadString(303)), c.returned) << c.option;
    EXPECT_TRUE(script.empty());
    EXPECT_EQ(fam::NoAssignment(3).get(family), c.flag) << c.option;
  }
  Current()->Document().NavigatePage(5, 0);
  ASSERT_NE(Current()->Document().CurrentPage(), 0);
  EXPECT_TRUE(Settle([&] { return Current()->Document().CurrentPage() == 0; })) << "marking now goes to page 1";

  // A marked box asks nothing and clears the flag.
  fam::SocialPurposeBox(3).set(family, 1);
  fam::NoAssignment(3).set(family, 1);
  EXPECT_EQ(Current()->AskTaxAssignment(3, false, QString()), 1);
  EXPECT_EQ(fam::NoAssignment(3).get(family), 0);
}

using namespace app;
namespace FW = f100::family_wizard;
namespace PW = f100::wizard_personal;
namespace DE = f100::descendant_entry;

class FamilyWiringTest : public WiringTest {
 protected:
  // The first ascendant row's name, birth date, disability key and link.
  static constexpr int kAscendantName = 1437, kAscendantBirth = 1447, kAscendantDisability = 1456,
                       kAscendantLink = 1467;
  // A child typed in the descendant dialog opened from the row's name field with F7.
  static void TypeChild(Wizard& w, int row, const char* given, const char* birth) {
    auto* name = w.DescendantsPage().Item<CSelStrEdit>(famwiz::CDescendientes::IdAt(2, row));
    ASSERT_NE(name, nullptr);
    ASSERT_TRUE(name->isEnabled()) << row;
    qxtest::WhenModal([given, birth](QWidget* modal) {
      auto* dlg = dynamic_cast<famwiz::CDatoshijoDlg*>(modal);
      ASSERT_NE(dlg, nullptr);
      auto type = [dlg](int id, const char* keys) {
        dlg->GetDlgItem(id)->setFocus();
        qxtest::Type(dlg->GetDlgItem(id), QString::fromLatin1(keys));
      };
      type(famwiz::CDatoshijoDlg::kGiven, given);
      type(famwiz::CDatoshijoDlg::kSurname1, "GARCIA");
      type(famwiz::CDatoshijoDlg::kSurname2, "LOPEZ");
      type(famwiz::CDatoshijoDlg::kBirth, birth);
      Pick(dlg->GetDlgItem(famwiz::CDatoshijoDlg::kLink), "O");
      QTest::mouseClick(dynamic_cast<QWidget*>(dlg->GetDlgItem(ui::IDOK)), Qt::LeftButton);
    });
    name->setFocus();
    QTest::keyClick(name, Qt::Key_F7);
    QCoreApplication::processEvents();
  }
  // A married couple filing jointly with two minor children, both with income of their own.
  static void Couple(Wizard& w) {
    using P1 = famwiz::CDatosFam1;
    CTemplatePropPg& p = w.PersonalPage();
    TypeOn(p, P1::kMarried, "X");
    p.GetDlgItem(P1::kMinorYes)->setFocus();
    QTest::keyClick(p.GetDlgItem(P1::kMinorYes), Qt::Key_Space);
    TypeOn(p, P1::kDeclNif, "12345678Z");
    TypeOn(p, P1::kSpouseNif, "87654321X");
    TypeOn(p, P1::kDeclBirth, "15061970");
    TypeOn(p, P1::kSpouseBirth, "02021972");
    p.GetDlgItem(P1::kDeclNif)->setFocus();
    QTest::mouseClick(w.FrameButton(Wizard::kIdWizNext), Qt::LeftButton);
    QCoreApplication::processEvents();
    TypeChild(w, 0, "ANA", "01032000");
    TypeChild(w, 1, "LUIS", "20092002");
    TypeOn(w.DescendantsPage(), famwiz::CDescendientes::IdAt(0, 0), "X");  // H1
    TypeOn(w.DescendantsPage(), famwiz::CDescendientes::IdAt(1, 1), "X");  // H2
    // The declarant's father, disabled, living with them.
    Show(w, Wizard::kAscendantsPage);
    w.activateWindow();  // the descendant dialog, now closed, had the focus
    QCoreApplication::processEvents();
    TypeOn(w.AscendantsPage(), kAscendantName, "GARCIA PEREZ JUAN");
    TypeOn(w.AscendantsPage(), kAscendantBirth, "01011930");
    Pick(w.AscendantsPage().GetDlgItem(kAscendantDisability), "3");
    Pick(w.AscendantsPage().GetDlgItem(kAscendantLink), "D");
    Show(w, Wizard::kAdditionalPage);
    for (int holder : {2, 4, 5}) TypeOn(w.AdditionalPage(), famwiz::CDatosFam2::MarkId(FW::kMale, holder), "X");
    Show(w, Wizard::kRegionPage);
    Pick(w.RegionPage().GetDlgItem(famwiz::CComauto::kNameIds[0]), "12");
  }
};

TEST_F(FamilyWiringTest, ANewDeclarationOfAFamilyThroughTheWizard) {
  script.push_back(Create(kIncome, false));
  script.push_back(CaptureAnswer(Capture::Joint));
  QString summary;
  script.push_back(Family([](Wizard& w) { Couple(w); }, 0,
                          [&summary](famwiz::CComprobacionDatosFamiliaresDlg& c) { summary = c.MembersText(); }));
  Start();
  const std::vector<QString> shown = coded.Codes();
  ASSERT_NE(Current(), nullptr) << "Finish opens the declaration; messages: "
                                << QStringList(shown.begin(), shown.end()).join(u' ').toStdString();
  auto& renta = dynamic_cast<doc::CRentaDoc&>(Current()->Document());
  EXPECT_EQ(doc::ShownMember(), doc::kFamilyUnit);
  EXPECT_TRUE(doc::HouseholdHasSeveralHolders());
  for (int m = doc::kFamilyUnit; m <= doc::kChild2; ++m) EXPECT_TRUE(renta.Household()[m - 1]) << m;
  EXPECT_EQ(shown, std::vector<QString>{QStringLiteral("100I001")}) << "Madrid has deductions of its own";
  EXPECT_TRUE(summary.contains(QStringLiteral("GARCIA LOPEZ, ANA"))) << summary.toStdString();
  EXPECT_TRUE(summary.contains(QStringLiteral("GARCIA LOPEZ, LUIS")));
  Trigger(ID_FILE_SAVE);
  const std::vector<std::uint8_t> stored = StoredBlock(kIncome);
  ASSERT_EQ(stored.size(), f100::kBlockSize);
  const std::uint8_t* p = f100::record(stored.data(), f100::Personal);
  const std::uint8_t* f = f100::record(stored.data(), f100::Family);
  EXPECT_EQ(PW::CivilStatus.get(p), 1);
  EXPECT_EQ(PW::Nif(1).raw(p), "87654321X");
  EXPECT_TRUE(PW::Nif(2).isAbsent(p)) << "the children typed no NIF";
  EXPECT_EQ(PW::RegionCode(3).raw(p), "12") << "the joint region went to the children";
  EXPECT_EQ(PW::BirthYear(2).raw(p), "2000");
  const std::uint8_t* child2 = f + FW::Descendants.off + DE::kSize;
  EXPECT_EQ(DE::FullName.str(child2), "GARCIA LOPEZ, LUIS");
  EXPECT_EQ(DE::H2.get(child2), 1);
  EXPECT_EQ(FW::Marks.off, 445u);
  EXPECT_EQ(f[FW::Marks.off + FW::kMale + 0], 1) << "the family unit's byte takes the declarant's";
  EXPECT_EQ(f100::family::HolderNif(2).raw(f), "87654321X") << "the spouse is the first holder of member 3";
  namespace AE = f100::ascendant_entry;
  const std::uint8_t* father = f + FW::Ascendants.off;
  EXPECT_EQ(AE::Name.str(father).rfind("GARCIA PEREZ JUAN", 0), 0u) << AE::Name.str(father);
  EXPECT_EQ(AE::Year.raw(father), "1930");
  EXPECT_EQ(AE::Disability.get(father), '3');
  EXPECT_EQ(AE::Link.get(father), 'D');
  EXPECT_EQ(AE::Code(0).get(father), '1') << "an ascendant of the declarant counts for the declarant";
}

TEST_F(FamilyWiringTest, CancelChangesNothing) {
  // Cancel on a new declaration: it is not opened and leaves no row.
  script.push_back(Create(kIncome, false));
  script.push_back(CaptureAnswer(Capture::Joint));
  script.push_back(Family([](Wizard& w) { SingleDeclarant(w); }, Wizard::kIdCancel));
  Start();
  EXPECT_EQ(Current(), nullptr);
  EXPECT_TRUE(StoredKeys().empty());
  // Cancel of the sheet of an open declaration leaves its block as it was.
  script.push_back(Create(kIncome, false));
  script.push_back(CaptureAnswer(Capture::Joint));
  script.push_back(Family(SingleDeclarant));
  Trigger(ID_FILE_NEW);
  ASSERT_NE(Current(), nullptr);
  const std::vector<std::uint8_t> before(Current()->Document().Block().begin(), Current()->Document().Block().end());
  script.push_back(Family(
      [](Wizard& w) {
        EXPECT_FALSE(w.IsWizardMode());
        TypeOn(w.PersonalPage(), famwiz::CDatosFam1::kDeclNif, "11111111H");
      },
      Wizard::kIdCancel));
  Trigger(ID_PERSONAL_DATA);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), Current()->Document().Block().begin()));
}

}  // namespace

namespace {

// A new declaration: the family data, then "&Incorporar Datos Fiscales", the sample file chosen in
// the download dialog, the import wizard with the work income left marked, Finish: the work income
// is in the declaration's boxes and its listings in DATOSFISC.
TEST_F(WiringTest, ANewDeclarationImportsItsFiscalDataFileAfterTheFamilyData) {
  const QString file = QStringLiteral(QX_SOURCE_DIR "/resources/examples/trabajador.df");
  afterFamily.push_back([](QDialog& d) {
    auto& entry = dynamic_cast<CDatosFiscalesDlg148&>(d);
    entry.show();
    QTest::mouseClick(ui::FindControl(&entry, CDatosFiscalesDlg148::kIdImport), Qt::LeftButton);
    entry.hide();
    return entry.result();
  });
  afterFamily.push_back([file](QDialog& d) {
    auto& download = dynamic_cast<CObtencionDatosFiscalesDlg&>(d);
    download.show();
    qxtest::ChooseFileWhenAsked(file);
    download.OnFileChosen();
    download.OnContinuar();
    download.hide();
    return download.result();
  });
  int pages = 0;
  afterFamily.push_back([&pages](QDialog& d) {
    auto& wizard = dynamic_cast<CAsistenteDatosFiscales&>(d);
    wizard.show();
    QCoreApplication::processEvents();
    pages = wizard.GetPageCount();
    for (int i = 1; i < pages; ++i) {
      QTest::mouseClick(wizard.FrameButton(CAsistente::kIdWizNext), Qt::LeftButton);
      QCoreApplication::processEvents();
    }
    QTest::mouseClick(wizard.FrameButton(CAsistente::kIdWizFinish), Qt::LeftButton);
    QCoreApplication::processEvents();
    wizard.hide();
    return wizard.result();
  });
  afterFamily.push_back([](QDialog& d) {
    auto& notice = dynamic_cast<wizards::CDatosFiscalesDlg33&>(d);
    EXPECT_TRUE(notice.notice.endsWith(QStringLiteral("01/04/2004")));
    return static_cast<int>(QDialog::Accepted);
  });
  afterFamily.push_back([](QDialog& d) {
    auto& names = dynamic_cast<wizards::CNombreApellidosDlg&>(d);
    names.firstSurname = QStringLiteral("MARTINEZ");
    names.secondSurname = QStringLiteral("ROJO");
    names.name = QStringLiteral("ANA");
    return static_cast<int>(QDialog::Accepted);
  });
  int reviewed = 0;
  afterFamily.push_back([&reviewed](QDialog& d) {
    reviewed = dynamic_cast<CDatosFiscalesIncorporadosDlg&>(d).member;
    return static_cast<int>(QDialog::Accepted);
  });
  script.push_back(Cancel());
  Start();
  CreateIncome("FISCAL", Capture::Joint);
  Trigger(ID_FILE_NEW);
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(pages, 4);
  EXPECT_TRUE(script.empty());
  EXPECT_EQ(std::ranges::count(coded.Codes(), QStringLiteral("100P053")), 1);
  EXPECT_EQ(program->FiscalDataMark(), QStringLiteral("S"));
  EXPECT_EQ(reviewed, 1) << "Finish shows what was stored for the declarant";
  db::CAdoRecordset rs;
  ASSERT_TRUE(rs.Open("DATOSFISC", &assembly->Store().Connection(), db::Filter::Eq("CLAVE", std::string("FISCAL"))));
  std::int32_t member = 0;
  std::vector<std::uint8_t> yes;
  rs.GetInt("SUJETODECLA", member);
  rs.GetBlob("FICHEROSI", yes);
  EXPECT_EQ(member, 1);
  EXPECT_NE(std::string(yes.begin(), yes.end()).find("DISTRIBUCIONES CENTRO SA"), std::string::npos);
}


// The printed sheets of an income-tax declaration, every copy: the barcodes read from the whole
// sheet and lie clear of the page's boxes and labels (the wealth tax's: its identified declaration
// below).
TEST_F(WiringTest, EveryPrintedIncomeBarcodeIsReadableAndClearOfThePage) {
#if !defined(QX_HAVE_ZXING)
  GTEST_SKIP() << "no barcode reader library to read the sheets back";
#else
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  const std::string income = (data.Path() / "renta-marcas.pdf").string();
  script.push_back(MemberProposed());
  ASSERT_GT(PrintToPdf(income), 0u);
  ExpectMarksReadableAndFree(*Current(), income, (data.Path() / "r").string(), false);
#endif
}

// The printer of a print (here the file it printed to) is where the next print starts.
TEST_F(WiringTest, ThePrinterChosenIsKeptForTheNextPrint) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  const std::string first = (data.Path() / "primera.pdf").string();
  script.push_back(MemberProposed());
  ASSERT_GT(PrintToPdf(first), 0u);
  script.push_back(MemberProposed());
  script.push_back(apptest::AfterPrintQuestions(script, [](QDialog& d) {
    auto& pages = dynamic_cast<forms::CSeleccionImpresionDlg&>(d);
    EXPECT_TRUE(qxtest::ShowActive(&pages));
    pages.Item<QAbstractButton>(ui::IDOK)->click();
    pages.hide();
    return pages.result();
  }));
  QString proposed;
  EXPECT_GT(PrintToPdf((data.Path() / "segunda.pdf").string(),
                       [&proposed](QPrintDialog& d) { proposed = d.printer()->outputFileName(); }),
            0u);
  EXPECT_EQ(proposed.toStdString(), first);
}

// "Tiene errores" in the member dialog speaks of the member ticked, not of the one the window
// shows: one spouse without a NIF, the other complete; both ways round, for a print and a filing.
TEST_F(WiringTest, TheMemberDialogJudgesErrorsOnTheMemberTicked) {
  namespace fam = f100::family;
  using D = forms::CSeleccionDeclaracionImprimirDlg;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  struct Case {
    int faulty;  // the member without a NIF
    int clean;
  };
  for (const Case c : {Case{doc::kSpouse, doc::kDeclarant}, Case{doc::kDeclarant, doc::kSpouse}}) {
    SCOPED_TRACE(testing::Message() << "member without a NIF: " << c.faulty);
    ReopenAsCouple([&](std::uint8_t* block) {
      std::uint8_t* family = f100::record(block, f100::Family);
      fam::HolderNif(static_cast<std::size_t>(c.clean - 1)).set(family, c.clean == doc::kDeclarant ? "12345678Z" : "87654321X");
      fam::HolderNif(static_cast<std::size_t>(c.faulty - 1)).set(family, "");
      // Both names of each household, so that only the missing NIF is an error.
      for (const int m : {doc::kDeclarant, doc::kSpouse}) {
        const auto h = static_cast<std::size_t>(m - 1);
        const bool declarant = m == doc::kDeclarant;
        fam::HolderSurname1(h).set(family, declarant ? "GARCIA" : "MARTIN");
        fam::HolderGivenName(h).set(family, declarant ? "ANA" : "EVA");
        fam::SpouseSurname1(h).set(family, declarant ? "MARTIN" : "GARCIA");
        fam::SpouseGivenName(h).set(family, declarant ? "EVA" : "ANA");
      }
    });
    ASSERT_NE(Current(), nullptr);
    auto& renta = dynamic_cast<doc::CRentaDoc&>(Current()->Document());
    // The window shows the member with errors while the other is chosen, and the reverse.
    for (const int command : {ID_FILE_PRINT, ID_FILE_SEND}) {
      SCOPED_TRACE(command == ID_FILE_PRINT ? "print" : "filing");
      Trigger(c.faulty == doc::kSpouse ? ID_MEMBER_SPOUSE : ID_MEMBER_DECLARANT);
      ASSERT_EQ(renta.ShownMember(), c.faulty);
      bool looked = false;
      script.push_back([&](QDialog& d) {
        auto* member = dynamic_cast<D*>(&d);
        if (!member) {
          ADD_FAILURE() << "not the member dialog: " << d.metaObject()->className();
          return static_cast<int>(QDialog::Rejected);
        }
        D& select = *member;
        EXPECT_TRUE(qxtest::ShowActive(&select));
        QWidget* text = select.GetDlgItem(D::kErrorsText);
        auto* individual = select.Item<QAbstractButton>(D::kIndividual);
        if (!text || !individual) {
          ADD_FAILURE() << "the dialog's errors text and individual choice";
          return static_cast<int>(QDialog::Rejected);
        }
        if (!individual->isChecked()) individual->click();
        auto tick = [&](int member) {
          auto* radio = select.Item<QAbstractButton>(member == doc::kDeclarant ? D::kDeclarant : D::kSpouse);
          ASSERT_NE(radio, nullptr);
          EXPECT_TRUE(radio->isEnabled() && !radio->isHidden()) << "member " << member;
          radio->click();
        };
        tick(c.clean);
        EXPECT_TRUE(text->isHidden()) << "the member ticked has no errors";
        tick(c.faulty);
        EXPECT_FALSE(text->isHidden()) << "the member ticked has errors";
        tick(c.clean);
        EXPECT_TRUE(text->isHidden());
        looked = true;
        select.Item<QAbstractButton>(ui::IDCANCEL)->click();
        select.hide();
        return select.result();
      });
      Trigger(command);
      EXPECT_TRUE(looked);
      EXPECT_TRUE(script.empty());
      script.clear();
    }
  }
}

// Page 1's change-of-address and first-declaration marks (boxes 14, 15 and the spouse's 39, 40)
// read the same on paper as on screen: the printed page binds the same fields under the same
// names and captions, and the printed sheet says so.
TEST_F(WiringTest, PageOnesAddressAndFirstDeclarationMarksReadAlikeOnScreenAndPaper) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  std::unique_ptr<forms::CFormView> screen(forms::CreatePageView(*Current(), 2, 201));
  std::unique_ptr<forms::CFormView> paper(forms::CreatePageView(*Current(), 2, 220));
  ASSERT_TRUE(screen && screen->Create());
  ASSERT_TRUE(paper && paper->Create());
  paper->SetPrinting(true);
  auto find = [](forms::CFormView& view, int number) -> CBoxField* {
    for (int i = 0; i < view.GetBoxCount(); ++i)
      if (view.GetBox(i)->IndNumero == number) return view.GetBox(i);
    return nullptr;
  };
  for (const int number : {14, 15, 39, 40}) {
    SCOPED_TRACE(testing::Message() << "box " << number);
    CBoxField* shown = find(*screen, number);
    CBoxField* printed = find(*paper, number);
    ASSERT_TRUE(shown && printed);
    EXPECT_EQ(printed->Identifica, shown->Identifica);
    EXPECT_EQ(printed->data, shown->data) << "the same field";
    EXPECT_EQ(printed->TypeLetter(), shown->TypeLetter());
  }

  const std::string pdf = (data.Path() / "pagina1.pdf").string();
  script.push_back(MemberProposed());
  ASSERT_GT(PrintToPdf(pdf), 0u);
  forms::PrintJob job;
  job.kind = 2;
  job.pages = forms::PagesInUse(*Current(), 2);
  const auto planned = forms::PlannedSheets(job);
  const auto first = std::find_if(planned.begin(), planned.end(), [](const auto& p) { return p.page == 220; });
  ASSERT_NE(first, planned.end());
  const QString text = PdfSheetText(pdf, static_cast<int>(first - planned.begin()) + 1);
  if (text.isEmpty()) GTEST_SKIP() << "no PDF text extractor (pdftotext)";
  EXPECT_GE(text.count(QStringLiteral("Cambio de domicilio")), 2) << "the declarant's and the spouse's";
  EXPECT_GE(text.count(QString::fromUtf8("Primera declaración")), 2);
  EXPECT_FALSE(text.contains(QStringLiteral("Contacto"))) << "no phone-contact marks on these fields";
}

// A member with a spouse: the summary sheet carries the spouse's identification barcode as well,
// read from the whole sheet in its own area clear of the page; the sheet mark is drawn.
TEST_F(WiringTest, TheSummarySheetOfAMemberWithASpouseCarriesTheSpousesBarcode) {
#if !defined(QX_HAVE_ZXING)
  GTEST_SKIP() << "no barcode reader library to read the sheets back";
#else
  namespace fam = f100::family;
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  ReopenAsCouple([](std::uint8_t* block) {
    std::uint8_t* family = f100::record(block, f100::Family);
    fam::HolderNif(doc::kSpouse - 1).set(family, "87654321X");
    for (std::size_t h : {std::size_t{0}, std::size_t{doc::kDeclarant - 1}}) {
      fam::SpouseNif(h).set(family, "87654321X");
      fam::SpouseSurname1(h).set(family, "MARTIN");
      fam::SpouseSurname2(h).set(family, "RUIZ");
      fam::SpouseGivenName(h).set(family, "EVA");
    }
  });
  ASSERT_NE(Current(), nullptr);
  const std::string pdf = (data.Path() / "conyuge.pdf").string();
  script.push_back(MemberProposed());
  ASSERT_GT(PrintToPdf(pdf), 0u);
  ExpectMarksReadableAndFree(*Current(), pdf, (data.Path() / "c").string(), true);
  auto& renta = dynamic_cast<doc::CRentaDoc&>(Current()->Document());
  const char mark = renta.SheetMarkChar();
  const QImage first = PageImage(pdf, (data.Path() / "c-marca").string(), 1);
  if (mark != ' ' && !first.isNull()) {
    const QRect area = forms::print::SheetMarkArea();
    const double fx = first.width() / double(forms::print::kPageWidth), fy = first.height() / double(forms::print::kPageHeight);
    int dark = 0;
    for (int y = int(area.top() * fy); y < int(area.bottom() * fy); ++y)
      for (int x = int(area.left() * fx); x < int(area.right() * fx); ++x)
        if (qGray(first.pixel(x, y)) < 128) ++dark;
    EXPECT_GT(dark, 0) << "the sheet mark '" << mark << "' beside the dot code";
  }
#endif
}

// The summary sheet of a member with a spouse leaves free the areas of all four dot-code symbols:
// inside the sheet, clear of each other and of the spouse's barcode, and blank in the page as
// printed.
TEST_F(WiringTest, TheSummarySheetLeavesEveryDotCodeSymbolItsOwnArea) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  const auto areas = forms::SheetMarkAreas(2, 222, false, 4, true);
  std::vector<QRect> dots;
  for (const auto& a : areas) {
    EXPECT_TRUE(QRect(0, 0, forms::print::kPageWidth, forms::print::kPageHeight).contains(a.rect)) << a.kind;
    if (a.kind == forms::MarkArea::DotCode) dots.push_back(a.rect);
  }
  ASSERT_EQ(dots.size(), 4u);
  for (std::size_t i = 0; i < areas.size(); ++i)
    for (std::size_t j = i + 1; j < areas.size(); ++j)
      EXPECT_FALSE(areas[i].rect.intersects(areas[j].rect))
          << "areas of kind " << areas[i].kind << " and " << areas[j].kind << " overlap";
  std::unique_ptr<forms::CFormView> view(forms::CreatePageView(*Current(), 2, 222));
  ASSERT_TRUE(view && view->Create());
  view->SetPrinting(true);
  QImage picture(forms::print::kPageWidth * 3, forms::print::kPageHeight * 3, QImage::Format_Grayscale8);
  picture.fill(Qt::white);
  {
    QPainter painter(&picture);
    forms::DrawPageOnSheet(painter, *view, picture.rect());
  }
  for (const auto& a : areas) {
    const QRect r(a.rect.x() * 3, a.rect.y() * 3, a.rect.width() * 3, a.rect.height() * 3);
    int dark = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if (qGray(picture.pixel(x, y)) < 200) ++dark;
    EXPECT_EQ(dark, 0) << "the page draws over the area of kind " << a.kind << " at " << a.rect.y();
  }
  picture.save(QString::fromStdString((data.Path() / "resumen.png").string()));
  picture.save(QStringLiteral("/tmp/b2_resumen.png"));
}

// An empty wealth-tax declaration prints the pages every declaration carries, none of its empty
// section pages: three copies of pages 1, 9 and 10, the payment document (pages 11 and 12) in the
// last.
TEST_F(WiringTest, AnEmptyWealthTaxDeclarationPrintsOnlyThePagesEveryDeclarationCarries) {
  script.push_back(Create(kWealth, true));
  Start();
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(forms::PagesInUse(*Current(), 3), (std::vector<int>{301, 309, 310, 311, 312}));
  EXPECT_EQ(PrintToPdf((data.Path() / "vacia.pdf").string()), 11u);
}

// Every printed form-100 sheet names the member printed and its copy, whole: the NIF and the name
// in its header and the copy label of its copy in the printing language.
TEST_F(WiringTest, EveryPrintedIncomeSheetCarriesTheHolderAndTheWholeCopyLabel) {
  CreateIncome(kIncome);
  Start();
  ASSERT_NE(Current(), nullptr);
  const std::string pdf = (data.Path() / "renta-cabecera.pdf").string();
  {
    std::uint8_t* family = f100::record(Current()->Document().Block().data(), f100::Family);
    const std::size_t h = doc::kDeclarant - 1;
    f100::family::HolderSurname1(h).set(family, "GARCIA");
    f100::family::HolderSurname2(h).set(family, "LOPEZ");
    f100::family::HolderGivenName(h).set(family, "ANA");
  }
  script.push_back(MemberProposed());
  ASSERT_GT(PrintToPdf(pdf), 0u);
  if (PdfSheetText(pdf, 1).isEmpty()) GTEST_SKIP() << "no PDF text extractor (pdftotext)";
  auto& renta = dynamic_cast<doc::CRentaDoc&>(Current()->Document());
  renta.FillHeaderIdentification();
  const std::string header = renta.HeaderIdentification();
  QString name = QString::fromLatin1(header.substr(9, 48).c_str()).trimmed();
  ASSERT_FALSE(name.isEmpty());
  EXPECT_EQ(name.toStdString(), "GARCIA LOPEZ, ANA");
  const QString surname = QStringLiteral("GARCIA");
  const std::string reference = renta.GetReferenceText(doc::kDeclarant - 1);
  ASSERT_FALSE(reference.empty());
  forms::PrintJob job;
  job.kind = 2;
  job.pages = forms::PagesInUse(*Current(), 2);
  const auto planned = forms::PlannedSheets(job);
  for (std::size_t i = 0; i < planned.size(); ++i) {
    const int page = planned[i].page;
    if (page == 290) continue;  // the signature page: a summary of its own
    SCOPED_TRACE(testing::Message() << "sheet " << i + 1 << ", page " << page);
    const QString text = PdfSheetText(pdf, static_cast<int>(i) + 1).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("12345678Z"))) << text.toStdString();
    EXPECT_TRUE(text.contains(surname, Qt::CaseInsensitive)) << surname.toStdString() << " in " << text.toStdString();
    const QString label = QString::fromLatin1(forms::print::CopyLabelText(planned[i].copyKind, 'e').c_str());
    EXPECT_TRUE(text.contains(label)) << label.toStdString();
    if (page == 217) {
      EXPECT_TRUE(text.contains(QString::fromStdString(reference))) << "the reference code";
    }
  }
}

}  // namespace
