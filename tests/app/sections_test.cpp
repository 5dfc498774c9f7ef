// The sections bar: the index tables, the tabs and tree built from them, choosing an entry,
// the bar's layout and its state in the profile.
#include <QTabBar>
#include "ui/hover_icon_button.h"
#include <QTreeWidget>

#include <map>
#include <string>

#include "app/sections_bar.h"
#include "app/sections_index.h"
#include "app_fixture.h"
#include "data/db/ado.h"
#include "data/doc/document.h"

using namespace apptest;

TEST(SectionsIndex, EveryRowOfBothFormsHasItsTextInEveryLanguage) {
  db::CAdoConnection local("DatLocal");
  ASSERT_TRUE(local.Open(QX_BINARY_DIR "/resources/DatLocal.db", db::OpenMode::ReadOnly));
  for (int form : {200, 300}) {
    for (char letter : {'e', 'c', 'g', 'v'}) {
      const auto tabs = app::ReadIndexRows(local, form, letter, -1);
      ASSERT_GE(tabs.size(), 3u) << form << letter;
      for (size_t t = 0; t < tabs.size(); ++t) {
        EXPECT_EQ(tabs[t].solapa, static_cast<int>(t));
        const auto entries = app::ReadIndexRows(local, form, letter, static_cast<int>(t));
        // Every entry has its own text, and every child kind follows an entry of its parent kind.
        bool seen[7] = {true};
        std::string previous;
        for (const auto& e : entries) {
          if (e.nivel == 0) continue;
          EXPECT_FALSE(e.texto.empty());
          EXPECT_NE(e.texto, previous) << e.indNumero;
          previous = e.texto;
          const int parent = app::ParentKind(e.nivel);
          ASSERT_GE(parent, 0) << e.indNumero;
          EXPECT_TRUE(seen[parent]) << e.indNumero;
          seen[e.nivel] = true;
        }
      }
    }
  }
  EXPECT_TRUE(app::ReadIndexRows(local, 0, 'e', -1).empty());
  EXPECT_EQ(app::FormIndexKey(200), " 200");
  EXPECT_EQ(app::LanguageIndexTable('c'), "AcceDirc");
}

TEST(SectionsIndex, ParentKindsAndItemData) {
  const int parents[8] = {-1, 0, 1, 1, 3, 3, 5, -1};
  for (int n = 0; n < 8; ++n) EXPECT_EQ(app::ParentKind(n), parents[n]) << n;
  app::IndexRow r;
  r.pagina = 100;
  r.numero = 70000;
  EXPECT_EQ(r.ItemData(), 100u * 65536u + 70000u % 65536u);
}

TEST(SectionsBarLayout, ChildrenFollowTheSide) {
  const QSize s(300, 200);
  auto r = app::SectionsBarLayout(app::BarSide::Floating, s);
  EXPECT_EQ(r.tab, QRect(5, 5, 290, 190));
  EXPECT_EQ(r.tree, QRect(8, 8, 283, 164));
  r = app::SectionsBarLayout(app::BarSide::Bottom, s);
  EXPECT_EQ(r.tab, QRect(17, 3, 275, 183));
  EXPECT_EQ(r.tree, QRect(20, 6, 269, 156));
  r = app::SectionsBarLayout(app::BarSide::Left, s);
  EXPECT_EQ(r.tab, QRect(3, 17, 283, 170));
  EXPECT_EQ(r.tree, QRect(6, 20, 276, 144));
  EXPECT_EQ(app::DockButtonImage(app::BarSide::Left), 1);
  EXPECT_EQ(app::DockButtonImage(app::BarSide::Top), 2);
}

TEST_F(AppTest, OpeningADeclarationFillsTheBarOfItsFormAndEntriesGoToTheirBox) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n[Aspecto]\nBarApartados=1\n");
  app::CRentaApp& a = Start({app::IndexChoice::Ok, false, "PEDRO", false});
  app::CBarraApartados* bar = a.MainFrame()->SectionsBar();
  ASSERT_NE(lastDoc, nullptr);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->Form(), 200);
  EXPECT_EQ(bar->Tabs()->count(), 4);
  EXPECT_EQ(bar->Tabs()->tabText(1), QStringLiteral("Rendimientos"));

  bar->Tabs()->setCurrentIndex(1);
  QTreeWidget* tree = bar->Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree->topLevelItem(0);
  EXPECT_TRUE(root->isExpanded());
  QTreeWidgetItem* a1 = root->child(0);
  EXPECT_EQ(a1->text(0), QStringLiteral("A. Rendimientos del trabajo"));
  EXPECT_TRUE(a1->font(0).bold());
  QTreeWidgetItem* e = root->child(4);
  ASSERT_GE(e->childCount(), 3);
  EXPECT_EQ(e->child(1)->text(0), QStringLiteral("E4. Estimación objetiva (módulos)"));

  bar->ChooseItem(e->child(1));
  EXPECT_EQ(a.MainFrame()->PromptShown(), e->child(1)->text(0));
  QCoreApplication::processEvents();
  ASSERT_EQ(lastDoc->goTos.size(), 1u);
  EXPECT_EQ(lastDoc->goTos[0], std::make_pair(4, 0));
  // An entry without a page only shows its text.
  bar->ChooseItem(root);
  QCoreApplication::processEvents();
  EXPECT_EQ(lastDoc->goTos.size(), 1u);
  // Page 100: the personal data wizard at its page.
  bar->Tabs()->setCurrentIndex(0);
  bar->ChooseItem(tree->topLevelItem(0)->child(3));
  QCoreApplication::processEvents();
  ASSERT_EQ(lastDoc->goTos.size(), 2u);
  EXPECT_EQ(lastDoc->goTos[1], std::make_pair(100, 2));

  // A form-714 declaration shows only its own tabs, in the interface language.
  a.SwitchLanguage('e');
  index.answer = {app::IndexChoice::Ok, false, "PEDRO", true};
  a.RunOpenCommand(false);
  EXPECT_EQ(bar->Form(), 300);
  EXPECT_EQ(bar->Tabs()->count(), 3);
  EXPECT_EQ(bar->Tabs()->tabText(1), QStringLiteral("Bienes y derechos"));
}

TEST_F(AppTest, TheBarsStateIsKeptWhenADeclarationCloses) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n[Aspecto]\nBarApartados=1\n");
  app::CRentaApp& a = Start({app::IndexChoice::Ok, false, "EVA", false});
  app::CMainFrame* f = a.MainFrame();
  app::CBarraApartados* bar = f->SectionsBar();
  ASSERT_TRUE(bar->isVisible());
  bar->CloseButton()->click();  // the user closes the bar
  EXPECT_FALSE(bar->isVisible());
  index.answer = {app::IndexChoice::Cancel, false, {}, false};
  a.RunOpenCommand(false);  // closes the declaration
  EXPECT_EQ(a.Profile().values.barApartados, 0);

  // Floating when closed: state 2 with its position, and it floats again at the next opening.
  index.answer = {app::IndexChoice::Ok, false, "EVA", false};
  a.Profile().values.barApartados = 1;
  a.RunOpenCommand(false);
  ASSERT_TRUE(bar->isVisible());
  bar->DockButton()->click();
  EXPECT_TRUE(bar->isFloating());
  EXPECT_FALSE(bar->CloseButton()->isVisible());
  bar->move(120, 90);
  index.answer = {app::IndexChoice::Cancel, false, {}, false};
  a.RunOpenCommand(false);
  EXPECT_EQ(a.Profile().values.barApartados, 2);
  EXPECT_EQ(a.Profile().values.barApartadosX, bar->x());
  EXPECT_FALSE(bar->isVisible());
  index.answer = {app::IndexChoice::Ok, false, "EVA", false};
  a.RunOpenCommand(false);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(bar->isFloating());

  // No declaration open: closing the main window leaves the recorded state alone.
  index.answer = {app::IndexChoice::Cancel, false, {}, false};
  a.RunOpenCommand(false);
  const int state = a.Profile().values.barApartados;
  f->close();
  EXPECT_EQ(a.Profile().values.barApartados, state);
}

// Each entry opens the page that holds its section: the liquidation's entries do not send the
// user to the investment incentives, form 714's gross quota opens the liquidation page.
TEST(SectionsIndex, EntriesOpenThePageOfTheirSection) {
  db::CAdoConnection local("DatLocal");
  ASSERT_TRUE(local.Open(QX_BINARY_DIR "/resources/DatLocal.db", db::OpenMode::ReadOnly));
  struct Case {
    int form;
    const char* entry;
    int page;
  };
  const Case cases[] = {{200, "100A", 2},  {200, "100B", 2},   {200, "100D", 2},  {200, "100E1", 3}, {200, "100E4", 4},
                        {200, "100E5", 5}, {200, "100F2", 6},  {200, "100G1", 7}, {200, "100G4", 8}, {200, "100H", 9},
                        {200, "100K", 10}, {200, "100L", 11},  {200, "100Q1", 12}, {200, "100Q2", 12}, {200, "100N", 13},
                        {200, "100O", 14}, {200, "100P", 15},  {200, "100Q3", 17}, {300, "300A", 2},  {300, "300C", 3},
                        {300, "300G4", 6}, {300, "300L", 8},   {300, "300M", 9},  {300, "300N", 10}, {300, "300N1", 11}};
  std::map<std::string, int> pages;
  for (int form : {200, 300}) {
    const int last = form == 200 ? 17 : 11;
    for (int tab = 0; tab < 4; ++tab)
      for (const auto& r : app::ReadIndexRows(local, form, 'e', tab)) {
        pages[r.indNumero] = r.pagina;
        EXPECT_TRUE(r.pagina == 0 || r.pagina == 100 || (r.pagina >= 1 && r.pagina <= last)) << r.indNumero;
      }
  }
  for (const Case& c : cases) EXPECT_EQ(pages[c.entry], c.page) << c.entry;
}

// The bar follows the page shown: the tab and the entry of that page, without going anywhere.
TEST_F(AppTest, TheBarFollowsThePageShown) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n[Aspecto]\nBarApartados=1\n");
  app::CRentaApp& a = Start({app::IndexChoice::Ok, false, "PEDRO", false});
  app::CBarraApartados* bar = a.MainFrame()->SectionsBar();
  ASSERT_TRUE(bar->isVisible());
  bar->FollowPage(12);
  EXPECT_EQ(bar->Tabs()->currentIndex(), 3);
  ASSERT_NE(bar->Tree()->currentItem(), nullptr);
  EXPECT_EQ(bar->Tree()->currentItem()->text(0), QStringLiteral("Cuota líquida y cuota resultante de la autoliquidación"));
  bar->FollowPage(4);
  EXPECT_EQ(bar->Tabs()->currentIndex(), 1);
  ASSERT_NE(bar->Tree()->currentItem(), nullptr);
  EXPECT_EQ(bar->Tree()->currentItem()->text(0), QStringLiteral("E4. Estimación objetiva (módulos)"));
  // A page without an entry (16) leaves the bar where it was.
  bar->FollowPage(16);
  EXPECT_EQ(bar->Tree()->currentItem()->text(0), QStringLiteral("E4. Estimación objetiva (módulos)"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(lastDoc->goTos.empty()) << "following goes nowhere";
}

// A page's window title says what the page holds after its number, in both forms and every language.
TEST(SectionsIndex, EveryPageTitleDescribesThePage) {
  db::CAdoConnection local("DatLocal");
  ASSERT_TRUE(local.Open(QX_BINARY_DIR "/resources/DatLocal.db", db::OpenMode::ReadOnly));
  std::vector<int> codes;
  for (int c = 201; c <= 218; ++c) codes.push_back(c);
  for (int c = 301; c <= 312; ++c) codes.push_back(c);
  for (char letter : {'e', 'c', 'g', 'v'})
    for (int code : codes) {
      doc::PageDefinition def;
      ASSERT_TRUE(doc::ReadPageDefinition({&local, letter, {}}, code, def)) << code;
      const std::string number = std::to_string(code % 100) + ": ";
      const std::size_t at = def.title.find(number);
      ASSERT_NE(at, std::string::npos) << code << letter << " " << def.title;
      EXPECT_GT(def.title.size(), at + number.size()) << code << letter << " " << def.title;
    }
}
