// The wizard frame driven with real clicks (offscreen): steps in the title, Back / Next / Finish
// shown and hidden by the step, the sheet mode's tabs and buttons, the pages' hooks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

#include "platform/strings.h"
#include "ui/owner_draw_button.h"
#include "ui/template_dlg.h"
#include "wizards/asistente.h"

namespace {

const ui::ControlDef kControls[] = {{1001, ui::Ctl::Edit, nullptr, 0, 0, 0, 1, 1, 0, 10}};
const ui::DialogTemplate kPageA{7001, "Page A", 0, kControls};
const ui::DialogTemplate kPageB{7002, "Page B", 0, kControls};
const ui::DialogTemplate kPageC{7003, "Page C", 0, kControls};

class TestPage : public CTemplatePropPg {
 public:
  using CTemplatePropPg::CTemplatePropPg;
  bool OnKillActive() override {
    ++leaves;
    return mayLeave;
  }
  int OnWizardNext() override { return nextAnswer; }
  void ShowHelp() override { ++helps; }
  int leaves = 0, helps = 0, nextAnswer = 0;
  bool mayLeave = true;
};

// A sheet that keeps Finish for itself until told otherwise, as the import wizard does.
class Sheet : public CAsistente {
 public:
  using CAsistente::CAsistente;
  int OnCommand(int id, int code) override {
    if (id == kIdWizFinish && holdFinish) return 1;
    return CAsistente::OnCommand(id, code);
  }
  bool holdFinish = false;
};

struct Fixture {
  explicit Fixture(int pages, bool wizard, int start = 0) : sheet(QStringLiteral("Caption"), nullptr, start) {
    const ui::DialogTemplate* t[] = {&kPageA, &kPageB, &kPageC};
    for (int i = 0; i < pages; ++i) {
      auto* p = new TestPage(*t[i]);
      page.push_back(p);
      sheet.AddPage(p);
    }
    if (wizard) sheet.HeaderFlags() |= CAsistente::kPshWizard;
    sheet.show();
    Settle();
  }
  static void Settle() { QCoreApplication::processEvents(); }
  COwnerDrawButton* Button(int id) { return sheet.FrameButton(id); }
  void Click(int id) {
    ASSERT_NE(Button(id), nullptr) << id;
    QTest::mouseClick(Button(id), Qt::LeftButton);
    Settle();
  }
  bool Shown(int id) { return Button(id) && Button(id)->isVisible() && Button(id)->isEnabled(); }
  QString Step(const char* page, int i, int n) {
    return QStringLiteral("%1 - Paso %2 de %3").arg(QLatin1String(page)).arg(i).arg(n);
  }
  Sheet sheet;
  std::vector<TestPage*> page;
};

class WizardFrame : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetLanguage('e'); }
};

}  // namespace

TEST_F(WizardFrame, StepsSwapBackNextAndFinish) {
  Fixture f(3, true);
  EXPECT_EQ(f.sheet.windowTitle(), f.Step("Page A", 1, 3));
  EXPECT_FALSE(f.Shown(CAsistente::kIdWizBack));
  EXPECT_TRUE(f.Shown(CAsistente::kIdWizNext));
  EXPECT_FALSE(f.Shown(CAsistente::kIdWizFinish));
  EXPECT_EQ(f.Button(CAsistente::kIdWizNext)->text(), QStringLiteral("Si&guiente"));

  f.Click(CAsistente::kIdWizNext);
  EXPECT_EQ(f.sheet.GetActiveIndex(), 1);
  EXPECT_EQ(f.sheet.windowTitle(), f.Step("Page B", 2, 3));
  EXPECT_TRUE(f.Shown(CAsistente::kIdWizBack));
  EXPECT_EQ(f.page[0]->leaves, 1);

  f.Click(CAsistente::kIdWizNext);
  EXPECT_EQ(f.sheet.windowTitle(), f.Step("Page C", 3, 3));
  EXPECT_FALSE(f.Shown(CAsistente::kIdWizNext));
  EXPECT_TRUE(f.Shown(CAsistente::kIdWizFinish));

  f.Click(CAsistente::kIdWizBack);  // leaving the last page swaps them back
  EXPECT_TRUE(f.Shown(CAsistente::kIdWizNext));
  EXPECT_FALSE(f.Shown(CAsistente::kIdWizFinish));
  f.Click(CAsistente::kIdWizBack);
  EXPECT_EQ(f.sheet.GetActiveIndex(), 0);
  EXPECT_FALSE(f.Shown(CAsistente::kIdWizBack));

  f.Click(CAsistente::kIdWizNext);
  f.Click(CAsistente::kIdWizNext);
  f.Click(CAsistente::kIdWizFinish);
  EXPECT_FALSE(f.sheet.isVisible());
  EXPECT_EQ(f.sheet.result(), CAsistente::kIdWizFinish);
}

TEST_F(WizardFrame, OnePageWizardOffersOnlyFinish) {
  Fixture f(1, true);
  EXPECT_EQ(f.sheet.windowTitle(), f.Step("Page A", 1, 1));
  EXPECT_FALSE(f.Shown(CAsistente::kIdWizBack));
  EXPECT_FALSE(f.Shown(CAsistente::kIdWizNext));
  EXPECT_TRUE(f.Shown(CAsistente::kIdWizFinish));
  EXPECT_TRUE(f.Shown(CAsistente::kIdCancel));
  EXPECT_TRUE(f.Shown(CAsistente::kIdHelp));
}

TEST_F(WizardFrame, ButtonsAreCreatedOnce) {
  Fixture f(3, true);
  for (int i = 0; i < 3; ++i) {
    f.Click(CAsistente::kIdWizNext);
    f.Click(CAsistente::kIdWizBack);
  }
  EXPECT_EQ(f.sheet.findChildren<COwnerDrawButton*>(QString(), Qt::FindDirectChildrenOnly).size(), 5);
}

TEST_F(WizardFrame, NoSystemMenuOrCloseBoxInEitherMode) {
  for (bool wizard : {true, false}) {
    Fixture f(2, wizard);
    const Qt::WindowFlags flags = f.sheet.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint) << wizard;
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint) << wizard;
  }
}

TEST_F(WizardFrame, PageHooksKeepTheWizardWhereItIs) {
  Fixture f(3, true);
  f.page[0]->nextAnswer = -1;
  f.Click(CAsistente::kIdWizNext);
  EXPECT_EQ(f.sheet.GetActiveIndex(), 0);
  f.page[0]->nextAnswer = 0;
  f.page[0]->mayLeave = false;
  f.Click(CAsistente::kIdWizNext);
  EXPECT_EQ(f.sheet.GetActiveIndex(), 0);
  f.page[0]->mayLeave = true;
  f.Click(CAsistente::kIdHelp);
  EXPECT_EQ(f.page[0]->helps, 1);
  f.Click(CAsistente::kIdWizNext);
  f.Click(CAsistente::kIdWizNext);
  f.sheet.holdFinish = true;  // the subclass keeps Finish: the wizard stays open
  f.Click(CAsistente::kIdWizFinish);
  EXPECT_TRUE(f.sheet.isVisible());
  f.Click(CAsistente::kIdCancel);
  EXPECT_FALSE(f.sheet.isVisible());
  EXPECT_EQ(f.sheet.result(), CAsistente::kIdCancel);
}

TEST_F(WizardFrame, SheetModeHasTabsAndOkCancelHelp) {
  Fixture f(2, false, 1);
  auto* tabs = f.sheet.findChild<QTabBar*>();
  ASSERT_NE(tabs, nullptr);
  EXPECT_TRUE(tabs->isVisible());
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("Page A"));
  EXPECT_EQ(tabs->currentIndex(), 1);  // the start page
  EXPECT_EQ(f.sheet.windowTitle(), QStringLiteral("Caption"));
  EXPECT_EQ(f.Button(CAsistente::kIdWizNext), nullptr);
  EXPECT_EQ(f.Button(CAsistente::kIdOk)->text(), platform::LoadString(61));
  EXPECT_EQ(f.Button(CAsistente::kIdCancel)->text(), platform::LoadString(65));
  EXPECT_EQ(f.Button(CAsistente::kIdHelp)->text(), QStringLiteral("Ay&uda"));

  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
  Fixture::Settle();
  EXPECT_EQ(f.sheet.GetActiveIndex(), 0);
  f.page[0]->mayLeave = false;  // a page that refuses to be left keeps its tab, and OK
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  Fixture::Settle();
  EXPECT_EQ(f.sheet.GetActiveIndex(), 0);
  EXPECT_EQ(tabs->currentIndex(), 0);
  f.Click(CAsistente::kIdOk);
  EXPECT_TRUE(f.sheet.isVisible());
  f.page[0]->mayLeave = true;
  f.Click(CAsistente::kIdOk);
  EXPECT_FALSE(f.sheet.isVisible());
  EXPECT_EQ(f.sheet.result(), CAsistente::kIdOk);
}

TEST_F(WizardFrame, EscapeCancelsAndTheModalRunAnswersTheButton) {
  {
    Fixture f(2, true);
    QTest::keyClick(&f.sheet, Qt::Key_Escape);
    EXPECT_EQ(f.sheet.result(), CAsistente::kIdCancel);
  }
  Sheet sheet(QStringLiteral("Caption"));
  sheet.AddPage(new TestPage(kPageA));
  sheet.HeaderFlags() |= CAsistente::kPshWizard97;
  // Clicks Finish as soon as the first page activation has made the buttons.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &sheet, [&] {
    if (COwnerDrawButton* finish = sheet.FrameButton(CAsistente::kIdWizFinish); finish && finish->isVisible()) {
      poll.stop();
      QTest::mouseClick(finish, Qt::LeftButton);
    }
  });
  poll.start(0);
  EXPECT_EQ(sheet.DoModal(), CAsistente::kIdWizFinish);
}

TEST_F(WizardFrame, CaptionsInTheInterfaceLanguage) {
  platform::SetLanguage('c');
  Fixture f(2, true);
  EXPECT_EQ(f.Button(CAsistente::kIdWizNext)->text(), QStringLiteral("Se&güent"));
  EXPECT_EQ(f.sheet.windowTitle(), QStringLiteral("Page A - Pas 1 de 2"));
  platform::SetLanguage('e');
}

TEST_F(WizardFrame, APageDeletedWhileTheSheetLivesLeavesIt) {
  Fixture f(3, true);
  f.Click(CAsistente::kIdWizNext);
  delete f.page[0];
  Fixture::Settle();
  EXPECT_EQ(f.sheet.GetPageCount(), 2);
  EXPECT_EQ(f.sheet.GetActivePage(), f.page[1]);
  f.Click(CAsistente::kIdWizNext);
  EXPECT_EQ(f.sheet.GetActivePage(), f.page[2]);
  EXPECT_EQ(f.sheet.windowTitle(), f.Step("Page C", 2, 2));
  EXPECT_TRUE(f.Shown(CAsistente::kIdWizFinish));
}
