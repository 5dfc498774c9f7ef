#include "app/program_assembly.h"

#include <QAction>
#include <QDialog>
#include <QIcon>

#include "annex/informacion_actividad_dlg.h"
#include "forms/pages/activity_openers.h"
#include "modules/activity_selection.h"
#include "modules/module_value_edit.h"
#include "annex/register.h"
#include "forms/pages/page100.h"
#include "forms/pages/page714.h"
#include "annex/resumen_declaraciones_dlg.h"
#include "app/application.h"
#include "app/main_frame.h"
#include "app/sections_bar.h"
#include "data/db/ado.h"
#include "blocks/form100.h"
#include "data/doc/renta_doc.h"
#include "data/settings/profile.h"
#include "forms/view/form_views.h"
#include "ui/controls/calculator_dlg.h"
#include "ui/edit_ex.h"
#include "ui/lookup_catalogue.h"
#include "ui/message_source.h"
#include "wizards/datos_fam.h"
#include "wizards/disconformidad_dlg.h"
#include "wizards/datos_fiscales_incorporados_dlg.h"
#include "wizards/vivienda.h"

namespace app {

// ---------------------------------------------------------------- profile

namespace {
bool IsCalculatorMemory(const QString& section, const QString& key) {
  return section.compare(QLatin1String(CCalculadoraDlg::kProfileSection), Qt::CaseInsensitive) == 0 &&
         key.compare(QLatin1String(CCalculadoraDlg::kProfileKey), Qt::CaseInsensitive) == 0;
}
}  // namespace

QString SettingsProfileStore::GetString(const QString& section, const QString& key, const QString& fallback) const {
  if (IsCalculatorMemory(section, key)) {
    const std::string memory = profile_.CalculatorMemory();
    return memory.empty() ? fallback : QString::fromStdString(memory);
  }
  return QString::fromStdString(profile_.GetString(section.toStdString(), key.toStdString(), fallback.toStdString()));
}

void SettingsProfileStore::SetString(const QString& section, const QString& key, const QString& value) {
  if (IsCalculatorMemory(section, key)) {
    profile_.SetCalculatorMemory(value.toStdString());
    return;
  }
  profile_.SetString(section.toStdString(), key.toStdString(), value.toStdString());
}

// ---------------------------------------------------------------- the declarations' shell

QMdiArea* CApplicationShell::DocumentArea() {
  CMainFrame* f = app_.MainFrame();
  return f ? f->MdiArea() : nullptr;
}

QIcon CApplicationShell::FrameIcon() const {
  CMainFrame* f = app_.MainFrame();
  return f ? f->windowIcon() : QIcon();
}

void CApplicationShell::SetPaneText(int pane, const QString& text) {
  if (CMainFrame* f = app_.MainFrame()) f->SetPaneText(pane, text);
}

void CApplicationShell::UpdateCommandStates() {
  if (CMainFrame* f = app_.MainFrame()) f->UpdateCommandStates();
}

void CApplicationShell::GoToBox(int page, int box) {
  if (CMainFrame* f = app_.MainFrame()) f->GoToBox(page, box);
}

char CApplicationShell::InterfaceLanguage() const { return app_.InterfaceLanguage(); }
char CApplicationShell::PrintingLanguage() const { return app_.PrintingLanguage(); }

void CApplicationShell::CloseDeclarationsWhenIdle() {
  CRentaApp& app = app_;
  app.WhenDocumentIdle([&app] { app.CloseAllDeclarations(); });
}

void CApplicationShell::OpenDeclarationWhenIdle(const std::string& key, int kind) {
  CRentaApp& app = app_;
  app.WhenDocumentIdle([&app, key, kind] { app.OpenDeclaration(key, kind, std::string(), false); });
}

db::CAdoConnection* CApplicationShell::LocalDatabase() { return &app_.Databases().Local(); }

db::CAdoConnection* CApplicationShell::ModulesDatabase() { return &app_.Databases().Modules(); }

bool CApplicationShell::Accessibility() const { return app_.Accessibility(); }

std::string CApplicationShell::FilingFolder() const {
  std::string folder = app_.Profile().values.dirBDRed;
  while (!folder.empty() && folder.back() == ' ') folder.pop_back();
  if (folder.empty()) return BaseFolder();
  if (folder.back() != '/') folder += '/';
  return folder;
}

bool CApplicationShell::RemoteMode() const { return app_.RemoteMode(); }

std::string CApplicationShell::BaseFolder() const {
  std::string base = app_.Profile().values.dirBase;
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (!base.empty() && base.back() != '/') base += '/';
  return base;
}

QString CApplicationShell::ZoomText() const { return app_.ZoomText(); }

void CApplicationShell::SetZoomText(const QString& text) { app_.SetZoomText(text); }

void CApplicationShell::ShowHelpTopic(int topic) { app_.WinHelp(topic); }

void CApplicationShell::ShowPrompt(const QString& text) {
  if (CMainFrame* f = app_.MainFrame()) f->ShowPrompt(text);
}

void CApplicationShell::RunCommand(int id) {
  if (CommandEnabled(id)) app_.MainFrame()->Action(id)->trigger();
}

bool CApplicationShell::CommandEnabled(int id) {
  CMainFrame* f = app_.MainFrame();
  if (!f) return false;
  f->UpdateCommandStates();
  QAction* a = f->Action(id);
  return a && a->isEnabled();
}

void CApplicationShell::RunCalculator() { app_.OnCalculator(); }

void CApplicationShell::SetFiscalDataMark(const QString& mark) { app_.FiscalDataMark() = mark; }

void CApplicationShell::PageShown(int page) {
  if (CMainFrame* f = app_.MainFrame())
    if (CBarraApartados* bar = f->SectionsBar()) bar->FollowPage(page);
}

// ---------------------------------------------------------------- assembly

CProgramAssembly::CProgramAssembly(CRentaApp& app, std::function<int(QDialog&)> runModal)
    : app_(app),
      runModal_(runModal ? std::move(runModal) : [](QDialog& d) { return d.exec(); }),
      store_(app.Databases().Declarations(), messages_.ForStore()),
      corrections_(app.Databases().Declarations()),
      shell_(app),
      services_{shell_, store_, messages_, corrections_, runModal_},
      index_(store_, [this] { return app_.RemoteMode() ? commands_.LocalCopiesFolder() : std::string(); }, runModal_),
      commands_(app, store_, runModal_),
      profile_(app.Profile()) {
  app_.SetDeclarationsIndex(&index_);
  annex::RegisterAnnexDialogs();
  forms::RegisterForm100Pages();
  forms::RegisterForm714Pages();
  forms::SetAgrarianInformationOpener([](std::uint8_t* block, int record) {
    return CInformacionRelativaActividadDlg235::OpenForRow(block, record, nullptr);
  });
  modules::RegisterActivitySelection();
  modules::RegisterModuleEditors();
  famwiz::RegisterFamilyWizard();
  wizards::RegisterDisagreementDialogs();
  housing::RegisterHousingWizard();
  for (int templateId : {kForm100Template, kForm714Template}) {
    const int kind = templateId == kForm714Template ? store::kKindForm714 : store::kKindForm100;
    app_.SetDocumentFactory(templateId, [this, kind]() -> std::unique_ptr<IDeclarationDocument> {
      return std::make_unique<CDeclarationDocument>(services_, kind);
    });
  }
  app_.SetRemoteExport([this] { commands_.ExportLocalCopies(); });
  ui::controls::SetActiveProfile(&profile_);
  CEditEx::SetCalculatorHook([](QWidget* parent, bool numeric) -> std::optional<QString> {
    CCalculadoraDlg dlg(parent);
    dlg.SetResultUsable(numeric ? 1 : 0);
    if (dlg.DoModal() != CCalculadoraDlg::kIdOk) return std::nullopt;
    return dlg.GetDisplayText();
  });
  connect(&app_, &CRentaApp::databasesOpened, this, &CProgramAssembly::OnDatabasesOpened);
}

CProgramAssembly::~CProgramAssembly() {
  if (CMainFrame* frame = app_.MainFrame()) DisconnectCommands(*frame);
  CEditEx::SetCalculatorHook({});
  ui::controls::SetActiveProfile(nullptr);
  ui::SetMessageSource(nullptr);
  ui::SetLookupConnection(nullptr);
  app_.SetRemoteExport({});
  app_.SetDocumentFactory(kForm100Template, {});
  app_.SetDocumentFactory(kForm714Template, {});
  app_.SetDeclarationsIndex(nullptr);
}

CDeclarationDocument* CProgramAssembly::CurrentDeclaration() const {
  return dynamic_cast<CDeclarationDocument*>(app_.GetCurrentDocument());
}

void CProgramAssembly::OnDatabasesOpened() {
  // Coded messages read the message tables of the local database.
  ui::SetMessageSource(std::make_shared<ui::DatabaseMessageSource>(&app_.Databases().Local()));
  // Lookup lists of the dialogs read the local database too.
  ui::SetLookupConnection(&app_.Databases().Local());
  if (CMainFrame* frame = app_.MainFrame()) ConnectCommands(*frame);
}

void CProgramAssembly::ConnectCommands(CMainFrame& frame) {
  auto onDeclaration = [this](void (*command)(CDeclarationDocument&)) {
    return [this, command] {
      if (CDeclarationDocument* d = CurrentDeclaration()) command(*d);
    };
  };
  frame.SetCommandHandler(ID_FILE_SAVE, onDeclaration([](CDeclarationDocument& d) { d.Save(); }));
  frame.SetCommandRule(ID_FILE_SAVE, [this] {
    CDeclarationDocument* d = CurrentDeclaration();
    return d && (d->IsModified() || d->HasPendingBoxEdit());
  });
  frame.SetCommandHandler(ID_FILE_SAVE_AS, onDeclaration([](CDeclarationDocument& d) { d.SaveAs(); }));
  frame.SetCommandHandler(ID_ERRORS, onDeclaration([](CDeclarationDocument& d) { d.ShowStatus(); }));
  frame.SetCommandHandler(ID_FILE_CLOSE, [this] { app_.CloseAllDeclarations(); });
  frame.SetCommandHandler(ID_EXPORT, [this] { commands_.Export(); });
  frame.SetCommandHandler(ID_IMPORT, [this] { commands_.Import(); });
  frame.SetCommandHandler(ID_IMPORT_LAST_YEAR, [this] { commands_.ImportLastYear(); });
  frame.SetCommandHandler(ID_RESULTS_SUMMARY, [this] {
    CDeclarationDocument* d = CurrentDeclaration();
    if (!d || d->KindByte() != store::kKindForm100) return;
    d->Document().CommitPendingBoxEdit();
    CResumenDeclaracionesDlg dlg(d->Document());
    runModal_(dlg);
  });
  frame.SetCommandRule(ID_RESULTS_SUMMARY, [this] {
    CDeclarationDocument* d = CurrentDeclaration();
    return d && d->KindByte() == store::kKindForm100;
  });
  frame.SetCommandHandler(ID_PERSONAL_DATA, onDeclaration([](CDeclarationDocument& d) { d.EditFamilyData(); }));
  // 32865: what the fiscal-data import incorporated for the member shown (never the family unit).
  frame.SetCommandHandler(ID_FISCAL_DATA, [this] {
    CDeclarationDocument* d = CurrentDeclaration();
    if (!d || !d->RentaDocument()) return;
    d->Document().CommitPendingBoxEdit();
    fiscal_review::ShowIncorporatedFiscalData(&store_.Connection(), d->Key(), d->Document().Block().data(),
                                              d->RentaDocument()->ShownMember(), runModal_);
  });
  frame.SetCommandRule(ID_FISCAL_DATA, [this] {
    CDeclarationDocument* d = CurrentDeclaration();
    return d && d->RentaDocument() && d->RentaDocument()->ShownMember() != doc::kFamilyUnit;
  });
  frame.SetCommandHandler(ID_FILE_SEND, onDeclaration([](CDeclarationDocument& d) { d.FileDeclaration(); }));
  frame.SetCommandHandler(ID_FILE_PRINT, onDeclaration([](CDeclarationDocument& d) { d.PrintDeclaration(); }));
  frame.SetCommandRule(ID_FILE_PRINT, [this] { return CurrentDeclaration() != nullptr; });
  frame.SetCommandRule(ID_FILE_SEND, [this] { return CurrentDeclaration() != nullptr; });
  frame.SetCommandHandler(ID_FILE_PRINT_PREVIEW, onDeclaration([](CDeclarationDocument& d) { d.OpenPrintPreview(); }));
  // No trial copy of the family unit while the spouse is left out of it.
  frame.SetCommandRule(ID_FILE_PRINT_PREVIEW, [this] {
    CDeclarationDocument* d = CurrentDeclaration();
    if (!d) return false;
    const doc::CRentaDoc* renta = d->RentaDocument();
    return !renta || renta->ShownMember() != doc::kFamilyUnit ||
           f100::family::SpouseExcluded.get(renta->Block().data() + f100::Family.offset) == 0;
  });
  frame.SetPrintPreviewCloser([this] {
    CDeclarationDocument* d = CurrentDeclaration();
    return d && d->ClosePrintPreview();
  });
  frame.SetCommandRule(ID_PERSONAL_DATA, [this] {
    CDeclarationDocument* d = CurrentDeclaration();
    return d && d->KindByte() == store::kKindForm100;
  });
  ConnectPageCommands(frame);
}

void CProgramAssembly::ConnectPageCommands(CMainFrame& frame) {
  auto view = [this]() -> forms::CFormView* {
    CDeclarationDocument* d = CurrentDeclaration();
    return d ? d->View() : nullptr;
  };
  for (int id : {ID_ZOOM_IN, ID_ZOOM_OUT}) {
    frame.SetCommandHandler(id, [view, id] {
      if (forms::CFormView* v = view()) v->OnViewCommand(id);
    });
    frame.SetCommandRule(id, [view, id] {
      forms::CFormView* v = view();
      return v && v->ViewCommandEnabled(id);
    });
  }
  const std::pair<int, int> moves[] = {{ID_FIRST_PAGE, 1}, {ID_LAST_PAGE, 99}, {ID_NEXT_PAGE, 80}, {ID_PREV_PAGE, 90}};
  for (auto [id, where] : moves) {
    frame.SetCommandHandler(id, [this, where] {
      if (CDeclarationDocument* d = CurrentDeclaration()) d->NavigatePage(where);
    });
    frame.SetCommandRule(id, [this, id] {
      CDeclarationDocument* d = CurrentDeclaration();
      return d && d->View() && d->CanNavigate(id);
    });
  }
  // The clipboard commands act on the focused edit of the page; the calculator puts its result
  // into the open box.
  for (int id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO}) {
    frame.SetCommandHandler(id, [view, id] {
      if (forms::CFormView* v = view()) v->OnViewCommand(id);
    });
    frame.SetCommandRule(id, [view, id] {
      forms::CFormView* v = view();
      return v && v->ViewCommandEnabled(id);
    });
  }
  frame.SetCommandHandler(ID_CALCULATOR, [this, view] {
    forms::CFormView* v = view();
    if (v && v->Editor()) v->OnViewCommand(ID_CALCULATOR);
    else app_.OnCalculator();
  });
  frame.SetCommandHandler(ID_GO_TO_PAGE, [this] {
    if (CDeclarationDocument* d = CurrentDeclaration()) d->GoToPageDialog();
  });
  frame.SetCommandRule(ID_GO_TO_PAGE, [view] { return view() != nullptr; });
  for (int member = 1; member <= 5; ++member) {
    const int id = ID_MEMBER_FAMILY + member - 1;
    frame.SetCommandHandler(id, [this, member] {
      if (CDeclarationDocument* d = CurrentDeclaration()) d->ShowMemberCommand(member);
    });
    frame.SetCommandRule(id, [this, member] {
      CDeclarationDocument* d = CurrentDeclaration();
      return d && d->CanShowMember(member);
    });
    frame.SetCommandCheck(id, [this, member] {
      CDeclarationDocument* d = CurrentDeclaration();
      return d && d->IsMemberShown(member);
    });
  }
  // F2: from the sections tree back to the page's box, or from the page to the tree.
  frame.SetCommandHandler(ID_FOCUS_SWITCH, [&frame, view] {
    forms::CFormView* v = view();
    if (!v) return;
    CBarraApartados* bar = frame.SectionsBar();
    const bool barShown = bar && bar->isVisible();
    if (barShown && bar->Tree()->hasFocus()) {
      v->RepaintBoxes();
      if (!v->EditHotBox() && v->HotBox() >= 0) {
        v->SetHotBox(-1);
        v->EditHotBox();
      }
      if (v->HotBox() < 0 && v->FindFirstEditableBox() < 0) delete v->Editor();
      if (CEditEx* e = v->Editor()) v->GoToBox(e->GetDlgCtrlID() - 1);
      v->setFocus();
    } else if (barShown) {
      bar->Tree()->setFocus();
    }
  });
  frame.SetCommandRule(ID_FOCUS_SWITCH, [view] { return view() != nullptr; });
  // F6 and Shift+F6: the next and previous pane of the window (the page and the sections tree).
  for (int id : {ID_NEXT_PANE, ID_PREV_PANE}) {
    frame.SetCommandHandler(id, [&frame, view] {
      forms::CFormView* v = view();
      CBarraApartados* bar = frame.SectionsBar();
      if (!v) return;
      if (bar && bar->isVisible() && !bar->Tree()->hasFocus()) bar->Tree()->setFocus();
      else v->setFocus();
    });
    frame.SetCommandRule(id, [view] { return view() != nullptr; });
  }
  // The prompt of the box being edited stands in for the idle prompt.
  frame.SetBoxPromptProvider([this]() -> QString {
    CDeclarationDocument* d = CurrentDeclaration();
    forms::CFormView* v = d ? d->View() : nullptr;
    if (!v || v->EditedBox() < 0 || !v->Editor()) return {};
    return QString::fromStdString(v->GetBox(v->EditedBox())->prompt);
  });
}

void CProgramAssembly::DisconnectCommands(CMainFrame& frame) {
  for (int id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_ERRORS, ID_FILE_CLOSE, ID_EXPORT, ID_IMPORT, ID_IMPORT_LAST_YEAR,
                 ID_RESULTS_SUMMARY, ID_PERSONAL_DATA, ID_FILE_SEND, ID_FILE_PRINT})
    frame.SetCommandHandler(id, {});
  frame.SetCommandRule(ID_FILE_SAVE, {});
  frame.SetCommandRule(ID_RESULTS_SUMMARY, {});
  frame.SetCommandRule(ID_PERSONAL_DATA, {});
  frame.SetCommandRule(ID_FILE_SEND, {});
  frame.SetCommandRule(ID_FILE_PRINT, {});
  for (int id : {ID_ZOOM_IN, ID_ZOOM_OUT, ID_FIRST_PAGE, ID_LAST_PAGE, ID_NEXT_PAGE, ID_PREV_PAGE, ID_GO_TO_PAGE,
                 ID_FOCUS_SWITCH, ID_NEXT_PANE, ID_PREV_PANE, ID_MEMBER_FAMILY, ID_MEMBER_DECLARANT, ID_MEMBER_SPOUSE,
                 ID_MEMBER_CHILD1, ID_MEMBER_CHILD2, ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO}) {
    frame.SetCommandHandler(id, {});
    frame.SetCommandRule(id, {});
    frame.SetCommandCheck(id, {});
  }
  frame.SetBoxPromptProvider({});
  frame.SetCommandHandler(ID_CALCULATOR, [this] { app_.OnCalculator(); });
}

}  // namespace app
