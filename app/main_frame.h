// The program's main window: menus, toolbar, status bar with its key indicators, the sections
// bar, and the MDI area where a declaration's pages live.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace app {

class CBarraApartados;
class CRentaApp;

// Command ids of the shell.
enum CommandId : int {
  ID_FILE_NEW = 57600, ID_FILE_OPEN = 57601, ID_FILE_CLOSE = 57602, ID_FILE_SAVE = 57603, ID_FILE_SAVE_AS = 32859, ID_FILE_PRINT_SETUP = 57606,
  ID_FILE_PRINT = 57607, ID_FILE_PRINT_PREVIEW = 57609, ID_FILE_SEND = 57612, ID_APP_EXIT = 57665, ID_APP_ABOUT = 57664,
  ID_HELP_FINDER = 57667, ID_CONTEXT_HELP = 57669, ID_HELP_INDEX = 57671,
  ID_EDIT_COPY = 57634, ID_EDIT_CUT = 57635, ID_EDIT_PASTE = 57637, ID_EDIT_UNDO = 57643,
  ID_NEXT_PANE = 57680, ID_PREV_PANE = 57681,
  ID_VIEW_TOOLBAR = 59392, ID_VIEW_STATUS_BAR = 59393,
  ID_SECTIONS_BAR = 134,
  ID_CALCULATOR = 2020, ID_ZOOM_IN = 2022, ID_ZOOM_OUT = 2024, ID_GO_TO_PAGE = 2026,
  ID_FIRST_PAGE = 2027, ID_LAST_PAGE = 2028, ID_NEXT_PAGE = 2029, ID_PREV_PAGE = 2030,
  ID_REORGANIZE = 2031, ID_IMPORT = 2039, ID_ERRORS = 2042, ID_EXPORT = 2046,
  ID_LANG_E = 2055, ID_LANG_C = 2056, ID_LANG_G = 2057, ID_LANG_V = 2058,
  ID_MEMBER_FAMILY = 2061, ID_MEMBER_DECLARANT = 2062, ID_MEMBER_SPOUSE = 2063, ID_MEMBER_CHILD1 = 2064,
  ID_MEMBER_CHILD2 = 2065, ID_PERSONAL_DATA = 2067, ID_RESULTS_SUMMARY = 2068,
  ID_IMPORT_LAST_YEAR = 32855, ID_WEB_CDF = 32858, ID_FISCAL_DATA = 32865,
  ID_WEB_RULES = 32867, ID_WEB_FAQ = 32868, ID_WEB_HOME = 32869, ID_UPDATE_VERSION = 32870,
  ID_INTRODUCTION = 32871, ID_ACCESSIBILITY = 32873, ID_FOCUS_SWITCH = 32874,
};

// The tax authority's web addresses of the web commands (32867 "NOR", 32868 "FAQ", 32858 "CDF",
// 32869 the home page); empty for any other command.
QString WebAddress(int command, const QString& productVersion);
inline constexpr char kTaxWebServer[] = "https://www.velm-tributos.example.org";
inline constexpr char kUpdateService[] = "https://actualiza.velm-tributos.example.org/sincertificados";

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(CRentaApp& app);
  ~CMainFrame() override;

  QMdiArea* MdiArea() const { return mdi_; }
  CBarraApartados* SectionsBar() const { return bar_; }
  QToolBar* ToolBar() const { return toolbar_; }
  QAction* Action(int id) const;
  QMenu* MenuBarPopup(int index) const;

  // A command is offered (enabled) when something answers it and its rule allows it. Handlers of
  // commands built elsewhere (printing, page views, filing, wizards ...) are connected here.
  using Handler = std::function<void()>;
  void SetCommandHandler(int id, Handler handler);
  bool HasHandler(int id) const { return handlers_.count(id) != 0; }
  // A further condition of a command's enabling (such as the member shown).
  void SetCommandRule(int id, std::function<bool()> rule);
  // Whether a checkable command shows its check mark.
  void SetCommandCheck(int id, std::function<bool()> rule);
  void UpdateCommandStates();

  // Panes 1 and 2 of the status bar (member and modality).
  void SetPaneText(int pane, const QString& text);
  QString PaneText(int pane) const;
  // The prompt pane.
  void ShowPrompt(const QString& text);
  QString PromptShown() const;
  // The prompt of the box being edited, shown in place of the idle prompt (empty: none).
  void SetBoxPromptProvider(std::function<QString()> provider) { boxPrompt_ = std::move(provider); }
  // Closes the print preview when one is shown; true when it did (closing the main window then
  // only closes the preview).
  void SetPrintPreviewCloser(std::function<bool()> closer) { previewCloser_ = std::move(closer); }
  // Key indicator panes: "MAY", "NUM", "DESP".
  bool IndicatorOn(int key) const;

  // Menus, toolbar tooltips and bar texts in the current interface language.
  void ReloadMenus();

  // The sections bar's state kept in the profile.
  void HideSectionsBar();
  // Shows the sections of an opened declaration, as the profile's state says.
  void ShowSectionsForDeclaration(int formPageCode);
  bool FirstOpening() const { return firstOpening_; }

  // WM_USER+11: shows page `page` of the open declaration and opens box `box`.
  void GoToBox(int page, int box);

  void LoadSettings();
  void SaveSettings();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void CreateSectionsBar();
  void Command(int id);
  void OpenWebPage(int id);
  void RunIntroduction();
  void UpdateIndicators();
  bool CommandEnabled(int id) const;

  CRentaApp& app_;
  QMdiArea* mdi_;
  CBarraApartados* bar_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  std::map<int, QAction*> actions_;
  // The open declaration's own menu items (shown only while one is open).
  std::map<int, QAction*> documentItems_;
  std::map<int, Handler> handlers_;
  std::map<int, std::function<bool()>> rules_;
  std::map<int, std::function<bool()>> checks_;
  std::function<QString()> boxPrompt_;
  std::function<bool()> previewCloser_;
  std::vector<QMenu*> popups_;
  QMenu* languageMenu_ = nullptr;
  QLabel* panes_[3] = {};       // prompt pane is the status bar's own message
  QLabel* indicators_[3] = {};  // caps, num, scroll
  bool keyState_[3] = {};
  bool firstOpening_ = true;
  bool closing_ = false;
  QPointer<QMdiSubWindow> activeChild_;
};

}  // namespace app
