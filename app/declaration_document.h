// An open declaration as the program has it: the document of its form (doc::CRentaDoc or
// doc::C714Doc) with the windows around it (its child frame, the save question, the save-as
// dialog, the status bar panes), its check object and validator, and the commands of an open
// declaration (save, save as, the status window "Avisos y errores").
//
// The child frame shows the page being edited (a page view of forms/); the declaration is the
// page view's host.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/doc_template.h"
#include "app/seams.h"
#include "data/doc/document.h"
#include "checks/field_check.h"
#include "checks/validators.h"
#include "forms/print/trial_preview.h"
#include "forms/view/form_views.h"

class QDialog;
class QIcon;
class QMdiArea;

namespace doc {
class CRentaDoc;
}
namespace forms {
class CIrPaginaDlg;
}

namespace app {

class CProgramMessages;
class CFilingContextFactory;
class CPrintCommand;
class CFilingCommand;

// What an open declaration asks of the program around it; the application answers over its main
// window.
class IDeclarationShell {
 public:
  virtual ~IDeclarationShell() = default;
  // Where the declaration's frame goes; null while the program has no main window.
  virtual QMdiArea* DocumentArea() = 0;
  virtual QIcon FrameIcon() const = 0;
  virtual void SetPaneText(int pane, const QString& text) = 0;
  virtual void UpdateCommandStates() = 0;
  // The main frame's jump to a box of a page.
  virtual void GoToBox(int page, int box) = 0;
  virtual char InterfaceLanguage() const = 0;
  // The language the forms are printed in.
  virtual char PrintingLanguage() const { return InterfaceLanguage(); }
  // Closing or reopening from inside one of the declaration's own operations waits until that
  // operation has ended.
  virtual void CloseDeclarationsWhenIdle() = 0;
  virtual void OpenDeclarationWhenIdle(const std::string& key, int kind) = 0;

  // What the declaration's pages ask of the program.
  virtual db::CAdoConnection* LocalDatabase() { return nullptr; }
  virtual db::CAdoConnection* ModulesDatabase() { return LocalDatabase(); }
  virtual bool Accessibility() const { return false; }
  // The program's base folder (page pictures), ending with "/" or empty.
  virtual std::string BaseFolder() const { return {}; }
  // Where the filing dialog starts (the declarations' folder), and whether the program runs in
  // remote mode.
  virtual std::string FilingFolder() const { return BaseFolder(); }
  virtual bool RemoteMode() const { return false; }
  // The zoom text the pages of a newly opened declaration start from, and its update.
  virtual QString ZoomText() const { return QStringLiteral("1.0"); }
  virtual void SetZoomText(const QString& /*text*/) {}
  // Pane 0 of the status bar.
  virtual void ShowPrompt(const QString& /*text*/) {}
  // The help topic a page answered in context-help mode.
  virtual void ShowHelpTopic(int /*topic*/) {}
  // A command of the main frame, run when it is enabled.
  virtual void RunCommand(int /*id*/) {}
  virtual bool CommandEnabled(int /*id*/) { return false; }
  virtual void RunCalculator() {}
  // The mark that fiscal data were incorporated into a declaration ("S").
  virtual void SetFiscalDataMark(const QString& /*mark*/) {}
  // The page shown now (1-based), for the sections bar to follow.
  virtual void PageShown(int /*page*/) {}
};

// What every open declaration shares with the rest of the program.
struct DocumentServices {
  IDeclarationShell& shell;
  store::DeclarationStore& store;
  CProgramMessages& messages;
  checks::ICorrectionsStore& corrections;
  // Runs a modal dialog and answers its result (exec by default; tests script it).
  std::function<int(QDialog&)> runModal;
};

// The declaration's child frame: closing it closes the declaration (its save question first).
class CDeclarationFrame : public CChildFrame {
  Q_OBJECT
 public:
  CDeclarationFrame(IDeclarationDocument* document, std::function<void()> close, QWidget* parent = nullptr);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> close_;
};

class CDeclarationDocument final : public IDeclarationDocument,
                                   private doc::DocumentHost,
                                   public forms::IPageHost,
                                   private doc::IDeclarationListener {
 public:
  // `kindByte` 2 form 100, 3 form 714.
  CDeclarationDocument(DocumentServices& services, int kindByte);
  ~CDeclarationDocument() override;

  // IDeclarationDocument
  bool OpenDeclaration(const std::string& key, const std::string& text, bool newFlag) override;
  bool SaveModified() override;
  bool Save() override;
  int KindByte() const override;
  std::string Key() const override;
  void SetTitle(const QString& title) override;
  void GoToBox(int page, int box) override;
  Place CurrentPlace() override;
  void RestorePlace(const Place& place) override;
  void Recalculate() override;
  bool Busy() const override { return busy_ > 0; }

  // Commands of the open declaration.
  bool IsModified() const;
  // The open box's editor holds a change that saving stores first.
  bool HasPendingBoxEdit() const;
  void SaveAs();    // 32859
  bool ShowStatus();  // 2042: validates and opens "Avisos y errores"; whether it ended with OK
  // 57612: the filing file of the declaration (form 100: of the member chosen); whether written.
  bool FileDeclaration();
  // 57607: the declaration printed on a printer or a PDF file; whether printed.
  bool PrintDeclaration();
  // The record the dot code of a print carries: the filing record of `member` (form 100) marked
  // as printed; empty when it cannot be built.
  std::string DotCodeText(int member);
  // 57609: the trial copy in a window of its own ("Vista preliminar"); whether it is shown.
  bool OpenPrintPreview();
  // Closes the trial-copy window; whether one was open.
  bool ClosePrintPreview();
  forms::CPrevista* Preview() const { return preview_; }

  doc::CProg32Doc& Document() { return *doc_; }
  // Command 2067: the personal and family data of the open form-100 declaration, as a sheet.
  void EditFamilyData() { EditFamilyData(0); }
  CDeclarationFrame* Frame() const { return frame_; }
  // The page shown in the frame, none before the first page.
  forms::CFormView* View() const { return view_; }
  doc::CRentaDoc* RentaDocument() const { return renta_; }
  // Commands of the open declaration's pages.
  void NavigatePage(int where);          // 2027 (1), 2028 (99), 2029 (80), 2030 (90)
  void GoToPageDialog();                 // 2026
  bool CanNavigate(int command) const;
  void ShowMemberCommand(int member);    // 2061 .. 2065
  bool CanShowMember(int member) const;
  bool IsMemberShown(int member) const;

  // forms::IPageHost
  doc::CProg32Doc* PageDocument() override { return doc_.get(); }
  db::CAdoConnection* LocalDatabase() override;
  db::CAdoConnection* ModulesDatabase(const std::string& name) override;
  char Language() const override;
  bool Accessible() const override;
  IMessageService* Messages() override;
  // The open page view repaints its boxes (1) or recalculates (3): the print and filing commands.
  void UpdateAllViews(int hint);
  void BoxEditorModified() override { services_.shell.UpdateCommandStates(); }
  void WriteZoomSetting(const std::string& text) override;
  void ShowPrompt(const QString& text) override;
  void ShowHelpTopic(int topic) override { services_.shell.ShowHelpTopic(topic); }
  void RouteCommand(int id) override;
  bool CommandEnabled(int id) override;
  void ShowStringMessage(int stringId, bool stop) override;
  void RunCalculator() override;
  int RunFieldCheck(int number, void* value) override;
  // The family data from a page's box, on the wizard's page `startPage`, as a sheet.
  bool EditFamilyData(int startPage) override;
  QString MenuText(int id) const override;
  // The highest severity of the last validation (-1 nothing, 0 warnings, 1 errors).
  int LastValidation() const { return lastSeverity_; }

  // The tax-assignment question of `member`: 0 when the user goes to mark the boxes now, 2 when
  // they are marked by hand on the printed form, 1 to go on.
  bool HasAssignmentMarks(int member) const;
  int AskTaxAssignment(int member, bool byHandDisabled, const QString& caption);

 private:
  class AvisosHost;
  // The commands that print and file the declaration work on its document and windows.
  friend class CFilingContextFactory;
  friend class CPrintCommand;
  friend class CFilingCommand;
  struct BusyScope {
    explicit BusyScope(CDeclarationDocument& d) : d_(d) { ++d_.busy_; }
    ~BusyScope() { --d_.busy_; }
    CDeclarationDocument& d_;
  };

  // doc::DocumentHost
  doc::Answer AskSaveChanges(std::string_view text) override;
  std::optional<std::string> AskSaveAsName(std::string_view current) override;
  void OpenDeclaration(std::string_view key) override;
  void SetStatusPanes(std::string_view member, std::string_view kind) override;
  bool ShowPage(int index, int box) override;
  int CommitPendingBoxEdit() override;
  // doc::IDeclarationListener: the save command follows the modified state.
  void OnDeclarationEvent(const doc::DeclarationEvent& event) override;
  // The page shown recalculated for the member shown and repainted.
  void RefreshShownPage();
  int PendingBoxFocus() override;
  std::uint8_t AskCaptureType() override;
  bool RunFamilyWizard(doc::CRentaDoc& doc, bool isNew, int startPage) override;
  // After the family data of a new declaration: the fiscal-data entry dialog, then the calculation.
  void RunFiscalDataImport(doc::CRentaDoc& doc);
  int AskTaxAssignmentChoice(int member, int flag, std::string_view who) override;


  // Validation findings in "Avisos y errores" (in filing mode its write button ends it with
  // kAvisosWriteFile); the window's ending.
  int RunAvisosErrores(bool filing);
  // Whether the declaration of `member` as the member dialog names it (1 family unit .. 5, 6
  // declarant and spouse) has errors for printing; warnings alone do not count.
  bool PrintMemberHasErrors(int member);
  // The document's validator: the check state follows the document, then the form's validator.
  int Validate(int type, int member, int section);
  void RefreshCheckState();
  QString FormName() const;

  DocumentServices& services_;
  int kindByte_;
  checks::DocumentState checkState_;
  checks::CFieldCheck check_;
  std::unique_ptr<checks::CDeclarationValidator> validator_;
  std::unique_ptr<doc::CProg32Doc> doc_;
  doc::CRentaDoc* renta_ = nullptr;  // the form-100 document, null for form 714
  QPointer<CDeclarationFrame> frame_;
  QPointer<forms::CFormView> view_;
  QPointer<QWidget> previewFrame_;
  QPointer<forms::CPrevista> preview_;
  forms::CIrPaginaDlg* goToPage_ = nullptr;
  std::optional<std::string> reopenKey_;
  int lastSeverity_ = -1;
  int busy_ = 0;
  bool closed_ = false;
  std::unique_ptr<CFilingContextFactory> filingContexts_;
  std::unique_ptr<CPrintCommand> print_;
  std::unique_ptr<CFilingCommand> filing_;
};

}  // namespace app
