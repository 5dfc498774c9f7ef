// The sections bar: a dockable window (any side of the main frame, or floating) with tabs at
// the bottom and a tree of the open declaration's sections; choosing an entry goes to its page
// and box.
#pragma once

#include <QDockWidget>
#include <QRect>

#include <functional>
#include <memory>

class QTabBar;
class CHoverIconButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace db {
class CAdoConnection;
}

namespace app {

enum class BarSide { Floating, Top, Bottom, Left, Right };

struct BarChildRects {
  QRect tab;
  QRect tree;
};
// Where the tab control and the tree go in a bar of size `size` (bar coordinates).
BarChildRects SectionsBarLayout(BarSide side, QSize size);

// Image of the dock/float button: 1 docked at a side, 2 at the top or bottom.
int DockButtonImage(BarSide side);

class CBarraApartados : public QDockWidget {
  Q_OBJECT
 public:
  static constexpr int kBarId = 134;
  static constexpr int kCloseButton = 1000;
  static constexpr int kDockButton = 1001;
  static constexpr int kTabControl = 1000;
  static constexpr int kTree = 2185;
  static constexpr int kMinSize = 32;
  static constexpr int kFloatWidth = 400, kFloatHeight = 200;

  // `localDbPath`: the DatLocal database the bar opens on first use; `declarationOpen` tells
  // whether a declaration is open (tabs are added only then).
  CBarraApartados(QWidget* parent, std::string localDbPath, std::function<bool()> declarationOpen,
                  int dockedWidth = 220, int dockedHeight = 200);
  ~CBarraApartados() override;

  // Fills the tabs of form page code 200 or 300 (0: none) and the tree of tab 0.
  void SetForm(int formPageCode);
  int Form() const { return form_; }
  // Rebuilds the tree for tab `tab` (the tab control's change of selection).
  void OnTabChanged(int tab);
  // The interface language of the index texts.
  void SetLanguage(char letter);
  void RetranslateUi();

  BarSide Side() const;
  int DockedWidth() const { return dockedWidth_; }
  int DockedHeight() const { return dockedHeight_; }
  void SetDockedSize(int width, int height);
  QTabBar* Tabs() const { return tabs_; }
  QTreeWidget* Tree() const { return tree_; }
  CHoverIconButton* CloseButton() const { return close_; }
  CHoverIconButton* DockButton() const { return dock_; }

  // Chooses an entry as a double click or the space key does.
  void ChooseItem(QTreeWidgetItem* item);
  // The page shown (1-based): the bar shows the tab of its first entry and selects that entry,
  // going nowhere. A page without an entry leaves the bar as it is.
  void FollowPage(int page);

 signals:
  // The chosen entry's page (1-based, 100 the personal data wizard) and box.
  void goToBox(int page, int box);
  void prompt(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  class Body;
  class TitleBar;
  void FillTabs();
  void FillTree(int tab);
  bool EnsureConnection();
  void OnPlacementChanged();
  void LayoutChildren();

  std::string localDbPath_;
  std::function<bool()> declarationOpen_;
  std::unique_ptr<db::CAdoConnection> connection_;
  bool connectionTried_ = false;
  char letter_ = 'e';
  int form_ = 0;
  int dockedWidth_;
  int dockedHeight_;
  Body* body_;
  TitleBar* title_;
  QTabBar* tabs_;
  QTreeWidget* tree_;
  CHoverIconButton* close_;
  CHoverIconButton* dock_;
  bool filling_ = false;
};

}  // namespace app
