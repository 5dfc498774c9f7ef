#include "app/declaration_document.h"

#include <QCloseEvent>
#include <QApplication>
#include <QMdiArea>
#include <QTimer>

#include <cctype>
#include <charconv>
#include <vector>

#include "annex/tipo_captura_datos_dlg.h"
#include "app/app_texts.h"
#include "app/filing_command.h"
#include "app/filing_context.h"
#include "app/print_command.h"
#include "annex/asignacion_tributaria_dlg.h"
#include "app/program_messages.h"
#include "blocks/form100.h"
#include "data/doc/calculators.h"
#include "data/doc/doc714.h"
#include "data/doc/renta_doc.h"
#include "data/settings/profile.h"
#include "forms/view/goto_page_dlg.h"
#include "platform/strings.h"
#include "ui/avisos_errores_dlg.h"
#include "ui/store/store_dialogs.h"
#include "wizards/datos_fam.h"
#include "wizards/datos_fiscales_dlg148.h"
#include "wizards/fiscal_transfer.h"
#include "app/version_info.h"

namespace app {

namespace {

namespace fam = f100::family;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

// ---------------------------------------------------------------- frame

CDeclarationFrame::CDeclarationFrame(IDeclarationDocument* document, std::function<void()> close, QWidget* parent)
    : CChildFrame(document, parent), close_(std::move(close)) {}

void CDeclarationFrame::closeEvent(QCloseEvent* event) {
  // The declaration decides (its save question); it removes this frame when it goes.
  event->ignore();
  if (close_) close_();
}

// ---------------------------------------------------------------- the "Avisos y errores" host

class CDeclarationDocument::AvisosHost : public checks::IAvisosHost {
 public:
  explicit AvisosHost(CDeclarationDocument& d) : d_(d) {}
  bool IsForm714() const override { return d_.kindByte_ == store::kKindForm714; }
  int ValidatedMember() const override { return d_.renta_ ? d_.renta_->TargetMember() : 2; }
  void SetShownMember(int member) override {
    if (d_.renta_ && member >= 1 && member <= 5 && d_.renta_->CanShowMember(member)) d_.renta_->ShowMember(member);
  }
  void GoToPage(int page, int box) override { d_.services_.shell.GoToBox(page, box); }
  // The print runs once the window has closed, from the window's ending (kAvisosPrinting).
  void PrintDeclaration() override {}
  void SetPrintOrFile(bool) override {}
  bool HasAssignmentMarks(int member) const override { return d_.HasAssignmentMarks(member); }
  int AskTaxAssignmentChoice(int member, bool filing, const std::string& title) override {
    return d_.AskTaxAssignment(member, filing, Q(title));
  }
  bool Save() override { return d_.Save(); }
  void NoteBothSpousesPrinted() override {}

 private:
  CDeclarationDocument& d_;
};

// ---------------------------------------------------------------- the tax-assignment question

bool CDeclarationDocument::HasAssignmentMarks(int member) const {
  if (!renta_ || member < 1 || member > 5) return true;
  const std::uint8_t* family = f100::record(renta_->Block().data(), f100::Family);
  return fam::ChurchTaxBox(member).get(family) != 0 || fam::SocialPurposeBox(member).get(family) != 0;
}

int CDeclarationDocument::AskTaxAssignment(int member, bool byHandDisabled, const QString& caption) {
  if (!renta_ || member < 1 || member > 5) return 1;
  std::uint8_t* family = f100::record(renta_->Block().data(), f100::Family);
  const blocks::U8 noAssignment = fam::NoAssignment(member);
  if (HasAssignmentMarks(member)) {
    noAssignment.set(family, 0);
    return 1;
  }
  CAsignacionTributariaDlg dlg(frame_ ? frame_->window() : nullptr);
  dlg.caption = caption;
  dlg.SetByHandDisabled(byHandDisabled);
  dlg.EnsureCreated();
  const int answer = services_.runModal(dlg) == ui::IDOK ? dlg.GetAnswer() : CAsignacionTributariaDlg::kNone;
  switch (answer) {
    case CAsignacionTributariaDlg::kMarkNow: {
      // Posted: the question's caller finishes before the assignment boxes open.
      IDeclarationShell* shell = &services_.shell;
      QTimer::singleShot(0, qApp, [shell] { shell->GoToBox(1, 139); });
      return 0;
    }
    case CAsignacionTributariaDlg::kMarkNone: noAssignment.set(family, 1); return 1;
    case CAsignacionTributariaDlg::kByHand: noAssignment.set(family, 0); return 2;
    default: noAssignment.set(family, 0); return 1;
  }
}

int CDeclarationDocument::AskTaxAssignmentChoice(int member, int flag, std::string_view who) {
  QString caption;
  if (who == "DEC") caption = platform::LoadString(302);
  else if (who == "CON") caption = platform::LoadString(303);
  return AskTaxAssignment(member, flag != 0, caption);
}

// ---------------------------------------------------------------- the document

CDeclarationDocument::CDeclarationDocument(DocumentServices& services, int kindByte)
    : services_(services),
      kindByte_(kindByte == store::kKindForm714 ? store::kKindForm714 : store::kKindForm100),
      check_(checkState_, services.messages, services.corrections) {
  auto validator = [this](int type, int member, int section) { return Validate(type, member, section); };
  doc::DocumentHost& host = *this;
  if (kindByte_ == store::kKindForm714) {
    validator_ = std::make_unique<checks::CValidator714>(check_);
    doc_ = std::make_unique<doc::C714Doc>(services_.store, host, doc::Form714Driver(&services_.messages), validator);
  } else {
    validator_ = std::make_unique<checks::CValidator100>(check_);
    auto renta = std::make_unique<doc::CRentaDoc>(services_.store, host, doc::Form100Driver(&services_.messages), validator);
    renta_ = renta.get();
    doc_ = std::move(renta);
  }
  const std::string zoom = services_.shell.ZoomText().trimmed().toStdString();
  double z = 1.0;
  std::from_chars(zoom.data(), zoom.data() + zoom.size(), z);
  doc_->SetZoom(z >= 1.0 && z <= 2.0 ? z : 1.0);
  // The pages' definitions and pictures: the local database and the program's base folder.
  doc_->SetPageTables({services_.shell.LocalDatabase(), services_.shell.InterfaceLanguage(), services_.shell.BaseFolder()});
  filingContexts_ = std::make_unique<CFilingContextFactory>(*this);
  print_ = std::make_unique<CPrintCommand>(*this, *filingContexts_);
  filing_ = std::make_unique<CFilingCommand>(*this, *filingContexts_, *print_);
  doc_->Model().Subscribe(this);
}

void CDeclarationDocument::OnDeclarationEvent(const doc::DeclarationEvent& event) {
  if (event.kind == doc::DeclarationChange::ModifiedChanged) services_.shell.UpdateCommandStates();
}

void CDeclarationDocument::RefreshShownPage() {
  if (!view_) return;
  view_->RecalculateAndRefresh();
  view_->RepaintBoxes();
}

bool CDeclarationDocument::PrintDeclaration() { return print_->Run(); }

bool CDeclarationDocument::PrintMemberHasErrors(int member) {
  // The validation reads the document's target member: the one ticked, not the one shown.
  if (renta_) renta_->SetTargetMember(member, member == 1 ? 1 : 0);
  return doc_->ValidateDeclaration(3) == 0 && lastSeverity_ >= 1;
}

bool CDeclarationDocument::FileDeclaration() { return filing_->Run(); }

std::string CDeclarationDocument::DotCodeText(int member) { return print_->DotCodeText(member); }

CDeclarationDocument::~CDeclarationDocument() {
  delete previewFrame_.data();
  if (frame_) {
    frame_->ForgetDocument();
    delete frame_.data();
  }
  doc_.reset();
}

QString CDeclarationDocument::FormName() const {
  return Text(kindByte_ == store::kKindForm714 ? kStrForm714Name : kStrForm100Name);
}

bool CDeclarationDocument::OpenDeclaration(const std::string& key, const std::string&, bool newFlag) {
  BusyScope busy(*this);
  return doc_->OpenDeclaration(key, newFlag);
}

bool CDeclarationDocument::SaveModified() {
  // A declaration that closed itself (save as) has nothing left to ask.
  if (closed_) return true;
  BusyScope busy(*this);
  if (!doc_->OnCloseDocument()) return false;
  closed_ = true;
  return true;
}

bool CDeclarationDocument::Save() {
  BusyScope busy(*this);
  const bool saved = doc_->Save();
  services_.shell.UpdateCommandStates();
  return saved;
}

bool CDeclarationDocument::IsModified() const { return doc_->IsModified(); }

bool CDeclarationDocument::HasPendingBoxEdit() const {
  const CEditEx* editor = view_ ? view_->Editor() : nullptr;
  return editor && editor->IsModifiedEx();
}

int CDeclarationDocument::KindByte() const { return doc_->Kind(); }

std::string CDeclarationDocument::Key() const { return store::TrimKey(doc_->Key()); }

void CDeclarationDocument::SetTitle(const QString&) {}

void CDeclarationDocument::GoToBox(int page, int box) {
  BusyScope busy(*this);
  if (renta_) {
    const int shown = renta_->ShownMember();
    if (shown >= 1 && shown <= 5) renta_->ShowMember(shown);  // member view 1 for the family unit, else 0
  }
  // Page 100 is the personal and family data wizard, opened on page `box`.
  if (page == 100) {
    EditFamilyData(box);
    return;
  }
  // `box` is the box's index on its page; the page shown opens box number `box` + 1.
  if (page >= 1) doc_->NavigatePage(page, box < 0 ? 0 : box + 1);
  RefreshShownPage();
}

IDeclarationDocument::Place CDeclarationDocument::CurrentPlace() {
  doc_->CommitPendingBoxEdit();
  Place p;
  p.page = doc_->CurrentPage() + 1;
  p.memberView = renta_ ? renta_->MemberView() : 0;
  p.shownMember = renta_ ? renta_->ShownMember() : 2;
  return p;
}

void CDeclarationDocument::RestorePlace(const Place& place) {
  BusyScope busy(*this);
  if (renta_ && (place.memberView == 0 || place.memberView == 1) && renta_->CanShowMember(place.shownMember))
    renta_->ShowMember(place.shownMember);
  doc_->NavigatePage(place.page, place.box < 0 ? 0 : place.box);
}

void CDeclarationDocument::Recalculate() {
  BusyScope busy(*this);
  doc_->Calculate(1);
}

void CDeclarationDocument::SaveAs() {
  BusyScope busy(*this);
  reopenKey_.reset();
  const int kind = doc_->Kind();
  doc_->SaveAs();
  if (!reopenKey_) return;
  // The declaration closed itself; the copy opens in its place once this one has gone.
  closed_ = true;
  services_.shell.OpenDeclarationWhenIdle(*reopenKey_, kind);
}

bool CDeclarationDocument::ShowStatus() {
  BusyScope busy(*this);
  doc_->CommitPendingBoxEdit();
  if (renta_) renta_->SetTargetMember(renta_->ShownMember(), renta_->MemberView());
  lastSeverity_ = -1;
  if (doc_->ValidateDeclaration(3) == 2) return false;
  if (RunAvisosErrores(false) != checks::kAvisosPrinting) return false;
  print_->RunCorrectionsPrint();
  return true;
}

int CDeclarationDocument::RunAvisosErrores(bool filing) {
  AvisosHost host(*this);
  checks::CAvisosErroresDlg dlg(services_.corrections, services_.messages, services_.messages, host);
  dlg.SetDeclarationKey(doc_->Key());
  dlg.SetValidationResult(lastSeverity_);
  dlg.SetFilingMode(filing);
  if (!dlg.Initialize()) return checks::kAvisosClosed;
  return services_.runModal(dlg);
}

// ---------------------------------------------------------------- validation

int CDeclarationDocument::RunFieldCheck(int number, void* value) {
  RefreshCheckState();
  return check_.RunCheck(number, value);
}

void CDeclarationDocument::RefreshCheckState() {
  std::span<std::uint8_t> block = doc_->Block();
  checkState_.kind = kindByte_ == store::kKindForm714 ? checks::kForm714 : checks::kForm100;
  checkState_.block = block.data();
  checkState_.blockSize = block.size();
  checkState_.joint = doc_->Modality() == 1;
  checkState_.language = static_cast<char>(std::toupper(static_cast<unsigned char>(services_.shell.InterfaceLanguage())));
}

int CDeclarationDocument::Validate(int type, int member, int section) {
  RefreshCheckState();
  check_.SetDeclarationKey(doc_->Key());
  const std::shared_ptr<void> run = services_.corrections.BeginRun();
  lastSeverity_ = validator_->Validate(type, member, section);
  return lastSeverity_;
}

// ---------------------------------------------------------------- DocumentHost

doc::Answer CDeclarationDocument::AskSaveChanges(std::string_view text) {
  switch (app::ShowMessage(CProgramMessages::Parent(), {QString(), Q(text), kIconQuestion, QString(), kButtonsYesNoCancel})) {
    case kAnswerYes: return doc::Answer::Yes;
    case kAnswerNo: return doc::Answer::No;
    default: return doc::Answer::Cancel;
  }
}

std::optional<std::string> CDeclarationDocument::AskSaveAsName(std::string_view current) {
  ui::store_dlg::CGuardarComoDlg dlg(CProgramMessages::Parent());
  dlg.SetName(Q(current));
  if (services_.runModal(dlg) != QDialog::Accepted) return std::nullopt;
  return dlg.Name().toStdString();
}

void CDeclarationDocument::OpenDeclaration(std::string_view key) { reopenKey_ = std::string(key); }

void CDeclarationDocument::SetStatusPanes(std::string_view member, std::string_view kind) {
  services_.shell.SetPaneText(1, Q(member));
  services_.shell.SetPaneText(2, Q(kind));
}

bool CDeclarationDocument::ShowPage(int index, int box) {
  QMdiArea* area = services_.shell.DocumentArea();
  if (!area) return true;
  if (!frame_) {
    IDeclarationShell& shell = services_.shell;
    frame_ = new CDeclarationFrame(this, [&shell] { shell.CloseDeclarationsWhenIdle(); });
    frame_->setWindowTitle(FormName());
    frame_->setWindowIcon(services_.shell.FrameIcon());
    frame_->setAttribute(Qt::WA_DeleteOnClose, false);
    area->addSubWindow(frame_);
    frame_->showMaximized();
  }
  const int code = (kindByte_ == store::kKindForm714 ? 301 : 201) + index;
  if (!view_ || view_->GetPageCode() != code) {
    if (view_ && !view_->CanDestroy()) return true;
    forms::CFormView* page = forms::CreatePageView(*this, kindByte_, code);
    if (!page->Create()) {
      delete page;
      app::ShowMessage(CProgramMessages::Parent(), {QStringLiteral("WIN020"), QString(), kIconWarning});
      return false;
    }
    if (view_) {
      forms::CFormView* old = view_;
      view_ = nullptr;
      old->hide();
      old->deleteLater();
    }
    view_ = page;
    frame_->setWidget(page);
    frame_->setWindowTitle(page->FrameTitle().isEmpty() ? FormName() : page->FrameTitle());
    page->show();
    // A page without its own rules or binding says so once it is shown.
    if (auto* generic = dynamic_cast<forms::CGenericPage100*>(page); generic && !generic->Bound())
      ShowPrompt(platform::LoadString(94206));
    if (auto* generic = dynamic_cast<forms::CGenericPage714*>(page); generic && !generic->Bound())
      ShowPrompt(platform::LoadString(94206));
    page->EditHotBox();
  }
  area->setActiveSubWindow(frame_);
  services_.shell.PageShown(index + 1);
  // Whatever brought the page (a box to go to, the sections bar, a check's finding), the page
  // commands follow it at once.
  services_.shell.UpdateCommandStates();
  if (box > 0) view_->GoToBox(box - 1);
  return true;
}

int CDeclarationDocument::CommitPendingBoxEdit() { return view_ ? view_->CommitPendingEdit() : 0; }

int CDeclarationDocument::PendingBoxFocus() { return view_ && view_->Editor() ? view_->GetPendingBoxFocus() : 0; }

void CDeclarationDocument::UpdateAllViews(int hint) {
  if (view_) view_->OnUpdate(hint);
}

// ---------------------------------------------------------------- page commands

void CDeclarationDocument::NavigatePage(int where) {
  BusyScope busy(*this);
  doc_->NavigatePage(where, 0);
  services_.shell.UpdateCommandStates();
}

bool CDeclarationDocument::CanNavigate(int command) const {
  switch (command) {
    case forms::kCmdFirstPage: case forms::kCmdPreviousPage: return doc_->CanGoFirstOrPrevious();
    case forms::kCmdLastPage: case forms::kCmdNextPage: return doc_->CanGoLast();
    default: return true;
  }
}

void CDeclarationDocument::GoToPageDialog() {
  forms::CIrPaginaDlg dlg(CProgramMessages::Parent());
  goToPage_ = &dlg;
  dlg.SetCommandTarget([this, &dlg](int command) {
    if (command == forms::kCmdNextPage) NavigatePage(80);
    else if (command == forms::kCmdPreviousPage) NavigatePage(90);
    else if (command == forms::kCmdGoToTypedPage) NavigatePage(dlg.PageNumber());
  });
  services_.runModal(dlg);
  goToPage_ = nullptr;
}

bool CDeclarationDocument::CanShowMember(int member) const { return renta_ && renta_->CanShowMember(member); }

bool CDeclarationDocument::IsMemberShown(int member) const { return renta_ && renta_->ShownMember() == member; }

void CDeclarationDocument::ShowMemberCommand(int member) {
  if (!renta_ || !renta_->CanShowMember(member)) return;
  BusyScope busy(*this);
  renta_->ShowMember(member);
  services_.shell.UpdateCommandStates();
}

// ---------------------------------------------------------------- forms::IPageHost

db::CAdoConnection* CDeclarationDocument::LocalDatabase() { return services_.shell.LocalDatabase(); }

db::CAdoConnection* CDeclarationDocument::ModulesDatabase(const std::string&) {
  return services_.shell.ModulesDatabase();
}

char CDeclarationDocument::Language() const { return services_.shell.InterfaceLanguage(); }

bool CDeclarationDocument::Accessible() const { return services_.shell.Accessibility(); }

IMessageService* CDeclarationDocument::Messages() { return &services_.messages; }

void CDeclarationDocument::WriteZoomSetting(const std::string& text) {
  services_.shell.SetZoomText(QString::fromStdString(text));
}

void CDeclarationDocument::ShowPrompt(const QString& text) {
  services_.shell.ShowPrompt(text);
}

void CDeclarationDocument::RouteCommand(int id) { services_.shell.RunCommand(id); }

bool CDeclarationDocument::CommandEnabled(int id) { return services_.shell.CommandEnabled(id); }

void CDeclarationDocument::ShowStringMessage(int stringId, bool stop) {
  services_.messages.Plain(platform::LoadString(stringId).toStdString(), stop ? kIconStop : kIconInfo);
}

void CDeclarationDocument::RunCalculator() { services_.shell.RunCalculator(); }

QString CDeclarationDocument::MenuText(int id) const {
  const QString menu = app::MenuText(id);
  return menu.isEmpty() ? app::TooltipText(id) : menu;
}

std::uint8_t CDeclarationDocument::AskCaptureType() {
  CTipoCapturaDatosDlg dlg(nullptr);
  dlg.EnsureCreated();
  return dlg.Answer(services_.runModal(dlg));
}

namespace {
constexpr int kFamilyWizardCaption = 300;  // "DATOS PERSONALES Y FAMILIARES AL 31/12/2003"
}  // namespace

bool CDeclarationDocument::EditFamilyData(int startPage) {
  auto* renta = dynamic_cast<doc::CRentaDoc*>(doc_.get());
  if (!renta) return false;
  renta->CommitPendingBoxEdit();
  if (!RunFamilyWizard(*renta, false, startPage)) return false;
  RefreshShownPage();
  return true;
}

bool CDeclarationDocument::RunFamilyWizard(doc::CRentaDoc& doc, bool isNew, int startPage) {
  namespace FW = f100::family_wizard;
  check_.SetMessagesOn(true);
  const int remembered = doc.ShownMember();
  doc.PrepareFamilyWizard();
  famwiz::Declaration declaration{doc.Block().data(), doc.Modality() == 1, doc.ShownMember(),
                                  [&doc](const std::uint8_t* entries) { doc.RankDescendants(entries); },
                                  [this](int number, void* value) { return check_.RunCheck(number, value); },
                                  services_.runModal};
  famwiz::CDatosFam wizard(platform::LoadString(kFamilyWizardCaption), nullptr, startPage, std::move(declaration),
                           isNew);
  const int expected = isNew ? CAsistente::kIdWizFinish : CAsistente::kIdOk;
  wizard.EnsureCreated();
  if (services_.runModal(wizard) != expected) {
    doc.ComputeHouseholdFlags();
    doc.ShowMember(remembered);
    return false;
  }
  std::span<std::uint8_t> block = doc.Block();
  std::uint8_t* family = f100::record(block.data(), f100::Family);
  const bool wasExcluded = FW::NonResidentSpouse.get(family) != 0;
  // Printed references are renewed when the family data changed.
  std::vector<std::uint8_t> before(block.begin(), block.end());
  if (isNew) std::fill(block.begin(), block.end(), 0);
  wizard.CopyBack(block.data());
  if (!std::equal(before.begin(), before.end(), block.begin())) doc.Model().SetEditedSincePrinted(true);
  doc.ApplyFamilyData(remembered, !wasExcluded && FW::NonResidentSpouse.get(family) != 0);
  if (isNew) RunFiscalDataImport(doc);
  return true;
}

void CDeclarationDocument::RunFiscalDataImport(doc::CRentaDoc& doc) {
  fiscal::ImportSession& session = fiscal::SharedImportSession();
  session.spouseRegimeUsed = false;
  fiscal::ImportEnvironment env;
  env.local = services_.shell.LocalDatabase();
  env.declarations = &services_.store.Connection();
  env.language = services_.shell.InterfaceLanguage();
  env.declarationKey = doc.Key();
  env.block = doc.Block();
  env.joint = doc.Modality() == 1;
  env.session = &session;
  env.productVersion = GetProductVersion();
  env.apply = [&doc](const fiscal::FiscalTransfer& transfer, const fiscal::ImportSession& shared) {
    fiscal::ApplyFiscalData(transfer, shared, doc);
  };
  env.markIncorporated = [this] { services_.shell.SetFiscalDataMark(QStringLiteral("S")); };
  env.runModal = services_.runModal;
  CDatosFiscalesDlg148 entry(env);
  services_.runModal(entry);
  doc.Calculate(1);
  RefreshShownPage();
}

}  // namespace app
