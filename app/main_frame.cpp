#include "app/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include "app/app_texts.h"
#include "app/doc_template.h"
#include "app/seams.h"
#include "app/application.h"
#include "app/sections_bar.h"
#include "app/version_info.h"
#include "platform/icons.h"
#include "ui/controls/link_label.h"

namespace app {

namespace {

// Menu 118: the frame's menu while no declaration is open. 0 is a separator, -1 the language
// submenu; 134 and 32865 are the items the declaration menus add, and so are the items in
// DocumentItems().
struct PopupDef {
  int titleId;
  std::vector<int> items;
};
const std::vector<PopupDef>& MenuDefs() {
  static const std::vector<PopupDef> defs = {
      {kStrMenuFile, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, 0, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0, ID_IMPORT,
                      ID_EXPORT, ID_IMPORT_LAST_YEAR, 0, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, 0,
                      ID_INTRODUCTION, 0, ID_APP_EXIT}},
      {kStrMenuTools, {ID_ERRORS, ID_REORGANIZE}},
      {kStrMenuView, {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_SECTIONS_BAR, ID_FISCAL_DATA, 0, ID_MEMBER_FAMILY,
                      ID_MEMBER_DECLARANT, ID_MEMBER_SPOUSE, ID_MEMBER_CHILD1, ID_MEMBER_CHILD2, 0, -1, 0,
                      ID_ACCESSIBILITY}},
      {kStrMenuWeb, {ID_WEB_RULES, ID_WEB_FAQ, ID_WEB_HOME, 0, ID_UPDATE_VERSION}},
      {kStrMenuHelp, {ID_HELP_FINDER, 0, ID_APP_ABOUT}},
  };
  return defs;
}

// Toolbar 118, one group per row.
const std::vector<std::vector<int>>& ToolbarGroups() {
  static const std::vector<std::vector<int>> groups = {
      {ID_APP_EXIT, ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE},
      {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE},
      {ID_FILE_PRINT},
      {ID_FIRST_PAGE, ID_PREV_PAGE, ID_NEXT_PAGE, ID_LAST_PAGE},
      {ID_SECTIONS_BAR},
      {ID_ZOOM_IN, ID_ZOOM_OUT},
      {ID_CALCULATOR},
      {ID_FILE_SEND},
      {ID_APP_ABOUT, ID_CONTEXT_HELP},
      {ID_IMPORT, ID_EXPORT, ID_ERRORS, ID_PERSONAL_DATA, ID_RESULTS_SUMMARY},
      {ID_IMPORT_LAST_YEAR},
  };
  return groups;
}

// Accelerator table 118.
const std::map<int, std::vector<QKeySequence>>& Accelerators() {
  static const std::map<int, std::vector<QKeySequence>> keys = {
      {ID_FILE_OPEN, {QKeySequence(Qt::CTRL | Qt::Key_A)}},
      {ID_FILE_NEW, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
      {ID_FILE_SAVE, {QKeySequence(Qt::CTRL | Qt::Key_G)}},
      {ID_FILE_PRINT, {QKeySequence(Qt::CTRL | Qt::Key_P)}},
      {ID_GO_TO_PAGE, {QKeySequence(Qt::CTRL | Qt::Key_I)}},
      {ID_EDIT_COPY, {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
      {ID_EDIT_PASTE, {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
      {ID_EDIT_CUT, {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
      {ID_EDIT_UNDO, {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
      {ID_FOCUS_SWITCH, {QKeySequence(Qt::Key_F2)}},
      {ID_CALCULATOR, {QKeySequence(Qt::Key_F5)}},
      {ID_NEXT_PANE, {QKeySequence(Qt::Key_F6)}},
      {ID_PREV_PANE, {QKeySequence(Qt::SHIFT | Qt::Key_F6)}},
  };
  return keys;
}

// Items of the declaration menus in the popups above: their own menu entries, apart from the
// toolbar's buttons of the same commands, shown only while a declaration is open.
bool IsDocumentItem(int id) {
  return id == ID_FILE_CLOSE || id == ID_FILE_SAVE || id == ID_FILE_SAVE_AS || id == ID_ERRORS;
}

constexpr int kLanguageCommands[4] = {ID_LANG_E, ID_LANG_C, ID_LANG_G, ID_LANG_V};
constexpr char kLanguageLetters[4] = {'e', 'c', 'g', 'v'};

QIcon CommandIcon(int id) { return platform::ProgramIcon(id); }

}  // namespace

QString WebAddress(int command, const QString& productVersion) {
  const QString server = QString::fromLatin1(kTaxWebServer);
  QString page;
  switch (command) {
    case ID_WEB_RULES: page = QStringLiteral("NOR"); break;
    case ID_WEB_FAQ: page = QStringLiteral("FAQ"); break;
    case ID_WEB_CDF: page = QStringLiteral("CDF"); break;
    case ID_WEB_HOME: return server + QLatin1Char('/');
    default: return {};
  }
  QString path = QStringLiteral("/vornes/acceso/servurl.htm?PRG=modelo&EJE=ejercicio&VER=version&URL=") + page +
                 QStringLiteral("&EXT=NADA");
  path.replace(QStringLiteral("version"), productVersion);
  path.replace(QStringLiteral("modelo"), QStringLiteral("100"));
  path.replace(QStringLiteral("ejercicio"), QStringLiteral("2003"));
  return server + path;
}

CMainFrame::CMainFrame(CRentaApp& app) : app_(app) {
  setObjectName(QStringLiteral("CMainFrame"));
  setWindowIcon(platform::ProgramIcon(platform::kIconProgram));
  mdi_ = new QMdiArea(this);
  mdi_->setBackground(palette().brush(QPalette::Dark));
  setCentralWidget(mdi_);
  // A declaration's child frame that loses the activation recalculates its declaration first.
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
    if (activeChild_ && activeChild_ != w)
      if (auto* child = qobject_cast<CChildFrame*>(activeChild_.data())) child->OnDeactivated();
    activeChild_ = w;
  });
  LoadSettings();
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  CreateSectionsBar();
  setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
  toolbar_->setVisible(app_.Profile().values.barTool != 0);
  statusBar()->setVisible(app_.Profile().values.barStat != 0);
  setWindowTitle(Text(kStrProductTitle));
  bar_->hide();
  SetPaneText(1, QString());
  SetPaneText(2, QString());
  qApp->installEventFilter(this);
  UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
  qApp->removeEventFilter(this);
  // The bar is hidden and the declaration's child frame goes with the frame; nothing of the
  // frame may answer them then.
  disconnect(bar_, nullptr, this, nullptr);
  disconnect(mdi_, nullptr, this, nullptr);
  SaveSettings();
}

void CMainFrame::LoadSettings() {
  settings::SettingsProfile& p = app_.Profile();
  p.LoadFrameSettings();
  const settings::WindowRect& r = p.values.normalRect;
  setGeometry(r.left, r.top, std::max(r.right - r.left, 200), std::max(r.bottom - r.top, 150));
}

void CMainFrame::SaveSettings() {
  settings::ProfileValues& v = app_.Profile().values;
  v.showState = isMinimized() ? settings::ShowState::Minimized
                : isMaximized() ? settings::ShowState::Maximized
                                : settings::ShowState::Normal;
  const QRect n = normalGeometry().isValid() ? normalGeometry() : geometry();
  v.normalRect = {n.left(), n.top(), n.right() + 1, n.bottom() + 1};
  v.barTool = toolbar_ && !toolbar_->isHidden() ? 1 : 0;
  v.barStat = !statusBar()->isHidden() ? 1 : 0;
  v.accesibilidad = app_.Accessibility() ? 1 : 0;
  v.idiomaV = std::string(1, app_.InterfaceLanguage());
  v.idiomaI = std::string(1, app_.PrintingLanguage());
  app_.Profile().SaveFrameSettings();
}

void CMainFrame::CreateActions() {
  auto make = [this](int id) {
    auto* a = new QAction(this);
    a->setData(id);
    a->setIcon(CommandIcon(id));
    auto k = Accelerators().find(id);
    if (k != Accelerators().end()) a->setShortcuts(QList<QKeySequence>(k->second.begin(), k->second.end()));
    connect(a, &QAction::triggered, this, [this, id] { Command(id); });
    addAction(a);  // accelerators work with the menus closed
    actions_[id] = a;
  };
  for (const PopupDef& p : MenuDefs())
    for (int id : p.items)
      if (id > 0 && !IsDocumentItem(id)) make(id);
  for (int id : kLanguageCommands) make(id);
  for (const auto& g : ToolbarGroups())
    for (int id : g)
      if (!actions_.count(id)) make(id);
  for (const auto& [id, keys] : Accelerators())
    if (!actions_.count(id)) make(id);
  make(ID_WEB_CDF);
  for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_ACCESSIBILITY, ID_SECTIONS_BAR, ID_LANG_E, ID_LANG_C, ID_LANG_G,
                 ID_LANG_V, ID_MEMBER_FAMILY, ID_MEMBER_DECLARANT, ID_MEMBER_SPOUSE, ID_MEMBER_CHILD1, ID_MEMBER_CHILD2})
    actions_[id]->setCheckable(true);

  // What the shell answers itself.
  SetCommandHandler(ID_FILE_NEW, [this] { app_.RunOpenCommand(true); });
  SetCommandHandler(ID_FILE_OPEN, [this] { app_.RunOpenCommand(false); });
  SetCommandHandler(ID_APP_EXIT, [this] { close(); });
  SetCommandHandler(ID_APP_ABOUT, [this] { app_.OnAbout(); });
  SetCommandHandler(ID_INTRODUCTION, [this] { RunIntroduction(); });
  SetCommandHandler(ID_REORGANIZE, [this] { app_.OnReorganizeData(); });
  SetCommandHandler(ID_CALCULATOR, [this] { app_.OnCalculator(); });
  SetCommandHandler(ID_VIEW_TOOLBAR, [this] { toolbar_->setVisible(toolbar_->isHidden()); });
  SetCommandHandler(ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(statusBar()->isHidden()); });
  SetCommandHandler(ID_ACCESSIBILITY, [this] { app_.SetAccessibility(!app_.Accessibility()); });
  for (int i = 0; i < 4; ++i) {
    const char letter = kLanguageLetters[i];
    SetCommandHandler(kLanguageCommands[i], [this, letter] { app_.SwitchLanguage(letter); });
    SetCommandRule(kLanguageCommands[i], [this, i] {
      return settings::LanguageOffered(app_.Profile().values.idioDisp, i);
    });
  }
  for (int id : {ID_WEB_RULES, ID_WEB_FAQ, ID_WEB_HOME, ID_WEB_CDF}) SetCommandHandler(id, [this, id] { OpenWebPage(id); });
  SetCommandHandler(ID_UPDATE_VERSION, [this] { app_.RunVersionUpdate(); });
  SetCommandHandler(ID_FILE_PRINT_SETUP, [this] {
    static QPrinter printer;
    QPageSetupDialog(&printer, this).exec();
  });
  SetCommandHandler(ID_HELP_FINDER, [this] { app_.WinHelp(1); });
  // With a declaration open, context-help mode: the page clicked answers its topic.
  SetCommandHandler(ID_CONTEXT_HELP, [this] {
    if (app_.GetCurrentDocument()) QWhatsThis::enterWhatsThisMode();
    else app_.WinHelp(2);
  });
  SetCommandRule(ID_HELP_FINDER, [this] { return app_.HasHelpViewer(); });
  SetCommandRule(ID_CONTEXT_HELP, [this] { return app_.HasHelpViewer(); });
}

void CMainFrame::CreateMenus() {
  for (const PopupDef& def : MenuDefs()) {
    QMenu* popup = menuBar()->addMenu(QString());
    popups_.push_back(popup);
    for (int id : def.items) {
      if (id == 0) {
        popup->addSeparator();
      } else if (id == -1) {
        languageMenu_ = popup->addMenu(QString());
        for (int lang : kLanguageCommands) languageMenu_->addAction(actions_[lang]);
      } else if (IsDocumentItem(id)) {
        auto* a = new QAction(this);
        a->setData(id);
        connect(a, &QAction::triggered, this, [this, id] { Command(id); });
        documentItems_[id] = a;
        popup->addAction(a);
      } else {
        popup->addAction(actions_[id]);
      }
    }
    connect(popup, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
  }
  ReloadMenus();
}

void CMainFrame::CreateToolBar() {
  toolbar_ = new QToolBar(this);
  toolbar_->setObjectName(QStringLiteral("toolbar118"));
  toolbar_->setIconSize(QSize(16, 16));
  toolbar_->setMovable(true);
  toolbar_->setAllowedAreas(Qt::AllToolBarAreas);
  bool first = true;
  for (const auto& group : ToolbarGroups()) {
    if (!first) toolbar_->addSeparator();
    first = false;
    for (int id : group) toolbar_->addAction(actions_[id]);
  }
  addToolBar(Qt::TopToolBarArea, toolbar_);
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* sb = statusBar();
  auto pane = [sb, this](const QString& widthText) {
    auto* l = new QLabel(sb);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(widthText) + 8);
    l->setAlignment(Qt::AlignCenter);
    sb->addPermanentWidget(l);
    return l;
  };
  panes_[1] = pane(Text(kStrPaneMember));
  panes_[2] = pane(Text(kStrPaneModality));
  indicators_[0] = pane(QStringLiteral("DESP"));
  indicators_[1] = pane(QStringLiteral("DESP"));
  indicators_[2] = pane(QStringLiteral("DESP"));
  // The idle prompt whenever nothing else is shown.
  connect(sb, &QStatusBar::messageChanged, this, [this, sb](const QString& text) {
    if (!text.isEmpty()) return;
    const QString box = boxPrompt_ ? boxPrompt_() : QString();
    sb->showMessage(box.isEmpty() ? Text(kStrIdlePrompt) : box);
  });
  sb->showMessage(Text(kStrIdlePrompt));
  UpdateIndicators();
}

void CMainFrame::CreateSectionsBar() {
  const std::string localDb = app_.LocalDbPath() + db::kLocalFile;
  bar_ = new CBarraApartados(this, localDb, [this] { return app_.GetCurrentDocument() != nullptr; });
  bar_->SetLanguage(app_.InterfaceLanguage());
  addDockWidget(Qt::BottomDockWidgetArea, bar_);
  connect(bar_, &CBarraApartados::goToBox, this, &CMainFrame::GoToBox);
  connect(bar_, &CBarraApartados::prompt, this, &CMainFrame::ShowPrompt);
  connect(bar_, &QDockWidget::visibilityChanged, this, [this] { UpdateCommandStates(); });
  bar_->SetForm(0);
}

QAction* CMainFrame::Action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* CMainFrame::MenuBarPopup(int index) const {
  return index >= 0 && index < static_cast<int>(popups_.size()) ? popups_[index] : nullptr;
}

void CMainFrame::SetCommandHandler(int id, Handler handler) {
  if (handler) handlers_[id] = std::move(handler);
  else handlers_.erase(id);
  UpdateCommandStates();
}

void CMainFrame::SetCommandCheck(int id, std::function<bool()> rule) {
  if (rule) checks_[id] = std::move(rule);
  else checks_.erase(id);
}

void CMainFrame::SetCommandRule(int id, std::function<bool()> rule) {
  if (rule) rules_[id] = std::move(rule);
  else rules_.erase(id);
}

void CMainFrame::Command(int id) {
  UpdateCommandStates();
  if (!CommandEnabled(id)) return;
  auto it = handlers_.find(id);
  if (it != handlers_.end()) {
    Handler h = it->second;  // the handler may replace the map's entry
    h();
  }
  UpdateCommandStates();
}

bool CMainFrame::CommandEnabled(int id) const {
  const bool docOpen = app_.GetCurrentDocument() != nullptr;
  const bool remote = app_.RemoteMode();
  const bool impExp = app_.Profile().values.impExp != 0;
  bool enabled = handlers_.count(id) != 0;
  if (auto r = rules_.find(id); enabled && r != rules_.end()) enabled = r->second();
  switch (id) {
    case ID_WEB_RULES: case ID_WEB_FAQ: case ID_WEB_HOME: case ID_WEB_CDF: case ID_FILE_PRINT_SETUP:
    case ID_UPDATE_VERSION:
      return enabled && !remote;
    // Commands of menu 118 only: the declaration menus do not offer them.
    case ID_IMPORT: case ID_EXPORT: return enabled && !docOpen && impExp;
    case ID_IMPORT_LAST_YEAR: return enabled && !docOpen && impExp;
    case ID_REORGANIZE: return enabled && !docOpen;
    // Commands of the open declaration.
    case ID_FILE_PRINT: case ID_FILE_PRINT_PREVIEW:
    case ID_FILE_SAVE: case ID_FILE_SAVE_AS: case ID_FILE_CLOSE: case ID_ERRORS:
      return enabled && docOpen;
    case ID_SECTIONS_BAR: return false;
    default: return enabled;
  }
}

void CMainFrame::UpdateCommandStates() {
  const bool docOpen = app_.GetCurrentDocument() != nullptr;
  for (auto& [id, action] : actions_) action->setEnabled(CommandEnabled(id));
  for (auto& [id, item] : documentItems_) {
    item->setEnabled(CommandEnabled(id));
    item->setVisible(docOpen);
  }
  actions_[ID_SECTIONS_BAR]->setChecked(false);
  actions_[ID_VIEW_TOOLBAR]->setChecked(toolbar_ && !toolbar_->isHidden());
  actions_[ID_VIEW_STATUS_BAR]->setChecked(!statusBar()->isHidden());
  actions_[ID_ACCESSIBILITY]->setChecked(app_.Accessibility());
  for (int i = 0; i < 4; ++i) actions_[kLanguageCommands[i]]->setChecked(app_.InterfaceLanguage() == kLanguageLetters[i]);
  for (int id = ID_MEMBER_FAMILY; id <= ID_MEMBER_CHILD2; ++id) {
    auto c = checks_.find(id);
    actions_[id]->setChecked(c != checks_.end() && c->second());
    actions_[id]->setVisible(docOpen && app_.GetCurrentDocument()->KindByte() == 2);
  }
  // The declaration menus' own items.
  actions_[ID_SECTIONS_BAR]->setVisible(docOpen);
  actions_[ID_FISCAL_DATA]->setVisible(docOpen && app_.GetCurrentDocument()->KindByte() == 2);
}

void CMainFrame::ReloadMenus() {
  for (auto* items : {&actions_, &documentItems_})
    for (auto& [id, a] : *items) {
      QString menu = MenuText(id);
      a->setText(menu.isEmpty() ? TooltipText(id) : menu);
      a->setToolTip(TooltipText(id));
      a->setStatusTip(PromptText(id));
    }
  const auto& defs = MenuDefs();
  for (size_t i = 0; i < defs.size(); ++i) popups_[i]->setTitle(Text(defs[i].titleId));
  if (languageMenu_) languageMenu_->setTitle(Text(kStrMenuLanguage));
  if (bar_) bar_->SetLanguage(app_.InterfaceLanguage());
  if (indicators_[0]) {
    indicators_[0]->setText(Text(kStrIndCaps));
    indicators_[1]->setText(Text(kStrIndNum));
    indicators_[2]->setText(Text(kStrIndScroll));
  }
  statusBar()->showMessage(Text(kStrIdlePrompt));
  UpdateCommandStates();
}

void CMainFrame::SetPaneText(int pane, const QString& text) {
  if (pane >= 1 && pane <= 2 && panes_[pane]) panes_[pane]->setText(text);
}

QString CMainFrame::PaneText(int pane) const {
  return pane >= 1 && pane <= 2 && panes_[pane] ? panes_[pane]->text() : QString();
}

void CMainFrame::ShowPrompt(const QString& text) { statusBar()->showMessage(text); }
QString CMainFrame::PromptShown() const { return statusBar()->currentMessage(); }

bool CMainFrame::IndicatorOn(int key) const {
  switch (key) {
    case Qt::Key_CapsLock: return keyState_[0];
    case Qt::Key_NumLock: return keyState_[1];
    case Qt::Key_ScrollLock: return keyState_[2];
    default: return false;
  }
}

void CMainFrame::UpdateIndicators() {
  const int texts[3] = {kStrIndCaps, kStrIndNum, kStrIndScroll};
  for (int i = 0; i < 3; ++i) {
    indicators_[i]->setText(Text(texts[i]));
    indicators_[i]->setEnabled(keyState_[i]);
  }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(event);
    if (!k->isAutoRepeat()) {
      // Each press of a lock key toggles its state.
      const int i = k->key() == Qt::Key_CapsLock ? 0 : k->key() == Qt::Key_NumLock ? 1 : k->key() == Qt::Key_ScrollLock ? 2 : -1;
      if (i >= 0 && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == QApplication::activeWindow()) {
        keyState_[i] = !keyState_[i];
        UpdateIndicators();
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::HideSectionsBar() {
  if (closing_) return;
  // With no declaration the bar was never shown for one: its recorded state stays as it is.
  if (!app_.GetCurrentDocument()) {
    bar_->hide();
    return;
  }
  settings::ProfileValues& v = app_.Profile().values;
  auto keepPosition = [&] {
    if (bar_->isFloating()) {
      v.barApartadosX = bar_->x();
      v.barApartadosY = bar_->y();
    }
  };
  if (bar_->isFloating() && bar_->isVisible()) {
    v.barApartados = 2;
    keepPosition();
  } else if (v.barApartados == 3) {
    v.barApartados = 1;
  } else {
    v.barApartados = bar_->isVisible() ? 1 : 0;
  }
  keepPosition();
  bar_->hide();
}

void CMainFrame::ShowSectionsForDeclaration(int formPageCode) {
  bar_->SetForm(formPageCode);
  settings::ProfileValues& v = app_.Profile().values;
  if (v.barApartados == 2) {
    if (firstOpening_ && !bar_->isFloating()) bar_->setFloating(true);
    if (bar_->isFloating()) bar_->move(v.barApartadosX, v.barApartadosY);
  }
  firstOpening_ = false;
  bar_->setVisible(v.barApartados == 1 || v.barApartados == 2);
}

void CMainFrame::GoToBox(int page, int box) {
  IDeclarationDocument* doc = app_.GetCurrentDocument();
  if (!doc) return;
  doc->GoToBox(page, box);
}

void CMainFrame::OpenWebPage(int id) {
  const QString url = WebAddress(id, GetProductVersion());
  if (!url.isEmpty()) CLinkLabel::OpenURL(url);
}

void CMainFrame::RunIntroduction() { app_.RunIntroduction(); }

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (previewCloser_ && previewCloser_()) {
    event->ignore();
    return;
  }
  HideSectionsBar();
  closing_ = true;
  if (!app_.CloseAllDeclarations()) {
    closing_ = false;
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

}  // namespace app
