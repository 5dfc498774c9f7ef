// Pages 15 and 16 of form 100 in the assembled program: every box that has an annex record opens
// the dialog its page description names, and what the user types there reaches the calculation
// library's result, stays through the next calculation, and is left untouched by Cancel.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "annex/tipo_captura_datos_dlg.h"
#include "app/declaration_document.h"
#include "app/program_assembly.h"
#include "app_fixture.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "data/doc/renta_doc.h"
#include "forms/view/form_views.h"
#include "forms/view/goto_page_dlg.h"
#include "support/ui_helpers.h"
#include "ui/annex_dlg.h"
#include "ui/box_field.h"
#include "ui/launch_table.h"
#include "ui/launcher_edit.h"
#include "ui/lista_edit.h"
#include "ui/message_dlg.h"
#include "ui/store/store_dialogs.h"
#include "wizards/comprobacion_dlg.h"
#include "wizards/datos_fam.h"
#include "wizards/datos_fiscales_dlg148.h"

namespace {

using namespace app;
namespace sid = store::index_id;
using IndexDlg = ui::store_dlg::CIndiceDeclaracionesDlg;
using Step = std::function<int(QDialog&)>;
using Wizard = famwiz::CDatosFam;

class RegionalAnnexTest : public apptest::AppTest {
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

  int RunModal(QDialog& d) {
    if (script.empty()) {
      ADD_FAILURE() << "a dialog the script does not expect: " << d.metaObject()->className();
      return QDialog::Rejected;
    }
    Step step = std::move(script.front());
    script.pop_front();
    return step(d);
  }
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
  CDeclarationDocument* Current() { return assembly->CurrentDeclaration(); }
  std::uint8_t* Block() { return Current()->Document().Block().data(); }
  forms::CFormView* Page() { return Current()->View(); }

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

  // A new income-tax declaration of a single declarant born in 1970, opened on its first page.
  void StartWithDeclaration() {
    script.push_back([](QDialog& d) {  // the index: name, form, "&Alta"
      auto& dlg = dynamic_cast<IndexDlg&>(d);
      dlg.show();
      static_cast<QLineEdit*>(dlg.Control(sid::kKeyField))->setText(QStringLiteral("DEDUCCIONES AUTONÓMICAS"));
      static_cast<QAbstractButton*>(dlg.Control(sid::kFormRenta))->click();
      static_cast<QAbstractButton*>(dlg.Control(sid::kAlta))->click();
      dlg.hide();
      return dlg.result();
    });
    script.push_back([](QDialog& d) {  // the capture type: "Continuar"
      auto& dlg = dynamic_cast<CTipoCapturaDatosDlg&>(d);
      EXPECT_TRUE(qxtest::ShowActive(&dlg));
      dlg.Item<QAbstractButton>(ui::IDOK)->click();
      dlg.hide();
      return dlg.result();
    });
    script.push_back([this](QDialog& d) {  // the family wizard
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
      script.push_front([](QDialog& entry) {  // the fiscal-data entry: fill in directly
        auto& e = dynamic_cast<CDatosFiscalesDlg148&>(entry);
        e.show();
        QTest::mouseClick(ui::FindControl(&e, CDatosFiscalesDlg148::kIdDirect), Qt::LeftButton);
        e.hide();
        return e.result();
      });
      script.push_front([](QDialog&) { return static_cast<int>(ui::IDOK); });  // the summary
      QTest::mouseClick(w.FrameButton(w.IsWizardMode() ? Wizard::kIdWizFinish : Wizard::kIdOk), Qt::LeftButton);
      QCoreApplication::processEvents();
      w.hide();
      return w.result();
    });
    program = std::make_unique<CRentaApp>(Options());
    assembly = std::make_unique<CProgramAssembly>(*program, [this](QDialog& d) { return RunModal(d); });
    ASSERT_EQ(program->InitInstance(), CRentaApp::Start::Running);
    ASSERT_TRUE(script.empty());
    ASSERT_NE(Current(), nullptr);
  }

  void GoToPage(int page) {
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
    ASSERT_EQ(Page()->GetPageCode(), 200 + page);
  }

  // Every member of the household lives in the community `code`; the declarant earns `pay`.
  void LiveIn(const char* code, double pay) {
    std::uint8_t* personal = f100::record(Block(), f100::Personal);
    std::uint8_t* family = f100::record(Block(), f100::Family);
    for (int m = 1; m <= 5; ++m) {
      f100::personal::communityCode(m).set(personal, code);
      f100::family::CommunityCodeCopy(m - 1).set(family, code);
    }
    std::uint8_t* a = f100::record(Block(), f100::SectionA);
    f100::sec_a::Holder.set(a, pay > 0 ? 2 : 0);
    f100::sec_a::MoneyPay.set(a, pay);
    Current()->Recalculate();
  }

  // Opens the dialog of box `position` (1-based) of the page shown with F7 (characters typed on the
  // box open it too, but the dialog then drops what is typed on until the user moves in it); `act` works on the dialog on screen and ends it. False when nothing opened.
  bool OpenFromBox(int position, const std::function<void(CTemplateDlg&)>& act) {
    forms::CFormView* page = Page();
    page->GoToBox(position - 1);
    if (!Settle([&] { return page->EditedBox() == position - 1; })) {
      ADD_FAILURE() << "box " << position << " takes no editor";
      return false;
    }
    auto* launcher = dynamic_cast<CDialogLauncherEdit*>(page->Editor());
    if (!launcher) {
      ADD_FAILURE() << "box " << position << " opens no dialog";
      return false;
    }
    bool opened = false;
    qxtest::WhenModal([&](QWidget* w) {
      auto* dlg = dynamic_cast<CTemplateDlg*>(w);
      ASSERT_NE(dlg, nullptr) << w->metaObject()->className();
      opened = true;
      act(*dlg);
    });
    QTest::keyClick(launcher, Qt::Key_F7);
    return opened;
  }
  static bool Settle(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i) QTest::qWait(5);
    return done();
  }
  static void TypeInto(CTemplateDlg& d, int id, const QString& keys) {
    QWidget* e = d.GetDlgItem(id);
    ASSERT_NE(e, nullptr) << "control " << id;
    if (!e->isEnabled()) {
      // An edit that its neighbour enables as that one loses the focus.
      d.Item<QAbstractButton>(ui::IDCANCEL)->setFocus();
      QCoreApplication::processEvents();
    }
    ASSERT_TRUE(e->isEnabled()) << "control " << id;
    e->setFocus();
    qxtest::Type(e, keys);
    QCoreApplication::processEvents();
  }
  static void Press(CTemplateDlg& d, int id) {
    auto* b = d.Item<QAbstractButton>(id);
    ASSERT_NE(b, nullptr);
    b->setFocus();  // the edit that had the focus stores its value as it loses it
    QCoreApplication::processEvents();
    b->click();
    QCoreApplication::processEvents();
  }

  std::unique_ptr<CRentaApp> program;
  std::unique_ptr<CProgramAssembly> assembly;
  std::deque<Step> script;
  qxtest::ScriptedMessages coded;
};

// The dialog name of a launch descriptor ("NAME", "NAME*n" or "NAME*n*m").
std::string DialogName(const std::string& descriptor) { return descriptor.substr(0, descriptor.find('*')); }

// Every box with an annex record names a dialog of the launch table whose class is registered and
// whose block fits the record: as many bytes as the record holds, up to its padding.
TEST_F(RegionalAnnexTest, EveryAnnexBoxOfPages15And16NamesARegisteredDialogThatFitsItsRecord) {
  StartWithDeclaration();
  struct PageCase {
    int page;
    int annexBoxes;
  };
  for (const PageCase c : {PageCase{15, 74}, PageCase{16, 42}}) {
    SCOPED_TRACE(c.page);
    GoToPage(c.page);
    forms::CFormView* page = Page();
    std::vector<const std::uint8_t*> starts;  // where each box's data and record begin
    for (int i = 0; i < page->GetBoxCount(); ++i) {
      const CBoxField* box = page->GetBox(i);
      if (box->data) starts.push_back(static_cast<const std::uint8_t*>(box->data));
      if (box->option) starts.push_back(static_cast<const std::uint8_t*>(box->option));
    }
    int annexBoxes = 0, launchers = 0;
    for (int i = 0; i < page->GetBoxCount(); ++i) {
      const CBoxField* box = page->GetBox(i);
      if (!box->NombreVent.empty()) ++launchers;
      if (!box->option) continue;
      ++annexBoxes;
      const int position = i + 1;
      ASSERT_FALSE(box->NombreVent.empty()) << "box " << position << " has a record and no dialog";
      const std::string name = DialogName(box->NombreVent);
      const ui::LaunchEntry* entry = ui::FindLaunchEntry(ui::FindDialogId(name));
      ASSERT_NE(entry, nullptr) << "box " << position << ": " << name;
      ASSERT_NE(entry->className, nullptr) << name;
      EXPECT_TRUE(ui::IsAnnexClassRegistered(entry->className)) << name;
      EXPECT_EQ(entry->list, ui::LaunchList::None) << name;
      const auto* record = static_cast<const std::uint8_t*>(box->option);
      const std::uint8_t* next = Block() + Current()->Document().Block().size();
      for (const std::uint8_t* s : starts)
        if (s > record && s < next) next = s;
      const auto room = static_cast<int>(next - record);
      EXPECT_LE(entry->bytes, room) << "box " << position << ": " << name << " would write past its record";
      EXPECT_LT(room - entry->bytes, 8) << "box " << position << ": " << name << " leaves part of its record out";
    }
    EXPECT_EQ(annexBoxes, c.annexBoxes);
    EXPECT_EQ(launchers, c.annexBoxes) << "only the boxes with a record name a dialog";
  }
}

// One typed entry of a dialog: the control and the keys.
struct Key {
  int control;
  const char* keys;
};

struct Case {
  const char* community;   // the household's community code ("" for page 16)
  int page, position;      // the box
  const char* dialogClass;
  std::vector<Key> typed;
  std::size_t field;       // offset in the page's record of a value typed, an amount
  double typedValue;
  std::size_t result;      // offset in the page's record of the result vector
  double declarant;        // the library's result for the declarant
  double pay;              // the declarant's work income
};

// Rows of holder and amount, the most common shape: the declarant's row of 1000.
std::vector<Key> DeclarantRow(int holder, int amount) { return {{holder, "D"}, {amount, "1000"}}; }

const Case kCases[] = {
    // page 15, one box of every community
    {"01", 15, 6, "CTit3dat1pDlg", {{1303, "D"}, {1556, "1000"}, {24620, "X"}}, 296 + 8, 1000, 256, 20.00, 0},
    {"02", 15, 3, "CAragon1Dlg", {{1954, "1"}, {24660, "1"}}, 48, 1, 0, 600.00, 0},
    {"03", 15, 13, "CTit3dat1nDlg", {{1303, "D"}, {1556, "1000"}, {24620, "1"}}, 832 + 8, 1000, 792, 30.00, 0},
    {"04", 15, 24, "CTit3dat1Dlg", DeclarantRow(1394, 1318), 1832 + 8, 1000, 1792, 150.00, 0},
    {"05", 15, 31, "CAutonom2IcDlg", {{24622, "1"}, {24660, "1"}}, 2392, 1, 2344, 300.00, 20000},
    {"06", 15, 33, "CAutonom3CtDlg", {{2157, "D"}, {24624, "1000"}}, 2552, 1000, 2504, 150.00, 0},
    {"07", 15, 38, "CTit3dat1Dlg", DeclarantRow(1394, 1318), 2880 + 8, 1000, 2840, 100.00, 20000},
    {"08", 15, 44, "CTit3dat1Dlg", DeclarantRow(1394, 1318), 3384 + 8, 1000, 3344, 150.00, 20000},
    {"09", 15, 47, "CDec3imp3Dlg", {{1954, "1"}}, 3608, 1, 3560, 150.00, 0},
    {"10", 15, 55, "CTit3dat1Dlg", DeclarantRow(1394, 1318), 4264 + 8, 1000, 4224, 100.00, 0},
    {"11", 15, 60, "CDec3num2Dlg", {{1349, "X"}, {24660, "1"}}, 4664, 1, 4616, 180.30, 0},
    {"12", 15, 69, "CTit2dat1Dlg", DeclarantRow(1394, 1318), 5560 + 8, 1000, 5520, 150.00, 0},
    {"13", 15, 72, "CTit3dat1Dlg", DeclarantRow(1394, 1318), 5760 + 8, 1000, 5720, 300.00, 20000},
    {"16", 15, 75, "CNachijosriojaDlg", {{1971, "1"}, {24661, "n"}}, 6000, 1, 5936, 150.00, 0},
    {"17", 15, 90, "CTit3dat1Dlg", DeclarantRow(1394, 1318), 7208 + 8, 1000, 7168, 200.00, 0},
    // page 16: a pending balance, a generated deduction of each list, the reserve
    {"", 16, 9, "CSalpenempleoDlg", {{1901, "D"}, {2210, "1000"}}, 264 + 8, 1000, 224, 1000.00, 20000},
    {"", 16, 15, "CTit2dat1Dlg", DeclarantRow(1394, 1318), 472 + 8, 1000, 432, 1000.00, 20000},
    {"", 16, 24, "CInvprotmedDlg", {{1303, "D"}, {1204, "1000"}}, 1232 + 8, 1000, 1192, 250.00, 20000},
    {"", 16, 84, "CInvprotmedDlg", {{1303, "D"}, {1204, "1000"}}, 4464 + 8, 1000, 4424, 250.00, 20000},
    // page 16: the lines computed at the general rates on the first list and the higher ones on
    // the second (research, film production, training)
    {"", 16, 18, "CImasdDlg", {{1909, "D"}, {1911, "1000"}}, 944 + 8, 1000, 904, 500.00, 20000},
    {"", 16, 69, "CImasdDlg", {{1909, "D"}, {1911, "1000"}}, 3880 + 8, 1000, 3840, 900.00, 20000},
    {"", 16, 30, "CInvcinaudDlg", {{1303, "D"}, {1204, "1000"}}, 1408 + 8, 1000, 1368, 200.00, 20000},
    {"", 16, 81, "CInvcinaudDlg", {{1303, "D"}, {1204, "1000"}}, 4344 + 8, 1000, 4304, 400.00, 20000},
    {"", 16, 45, "CFormprofDlg", {{1909, "D"}, {1911, "1000"}}, 1880 + 8, 1000, 1840, 100.00, 20000},
    {"", 16, 96, "CFormprofDlg", {{1909, "D"}, {1911, "1000"}}, 4816 + 8, 1000, 4776, 300.00, 20000},
    // page 16: the lines without a rate take the deduction as typed (disabled workers, reinvestment
    // of extraordinary profits, other deductions), whatever base stands beside it
    {"", 16, 54, "CInvprotmedDlg", {{1303, "D"}, {1217, "750"}}, 2144 + 16, 750, 2104, 750.00, 20000},
    {"", 16, 57, "CInvprotmedDlg", {{1303, "D"}, {1204, "5000"}, {1217, "1000"}}, 2232 + 16, 1000, 2192, 1000.00,
     20000},
    {"", 16, 60, "CInvprotmedDlg", {{1303, "D"}, {1217, "120"}}, 2320 + 16, 120, 2280, 120.00, 20000},
    {"", 16, 105, "CInvprotmedDlg", {{1303, "D"}, {1217, "750"}}, 5080 + 16, 750, 5040, 750.00, 20000},
};

TEST_F(RegionalAnnexTest, WhatIsTypedInTheDialogOfABoxReachesTheResultAndCancelChangesNothing) {
  StartWithDeclaration();
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string("page ") + std::to_string(c.page) + " box " + std::to_string(c.position) + " (" +
                 c.community + ")");
    LiveIn(c.page == 15 ? c.community : "18", c.pay);
    GoToPage(c.page);
    const blocks::RecordDef& record = c.page == 15 ? f100::SectionP : f100::SectionQ;
    auto at = [&] { return f100::record(Block(), record); };

    // Cancel: the declaration keeps every byte.
    const std::vector<std::uint8_t> before(Block(), Block() + Current()->Document().Block().size());
    bool typed = false;
    ASSERT_TRUE(OpenFromBox(c.position, [&](CTemplateDlg& d) {
      EXPECT_STREQ(d.metaObject()->className(), c.dialogClass);
      for (const Key& k : c.typed) TypeInto(d, k.control, QString::fromLatin1(k.keys));
      typed = true;
      Press(d, ui::IDCANCEL);
    }));
    ASSERT_TRUE(typed);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), Block())) << "Cancel leaves the declaration as it was";

    // OK: the value reaches the record, the page's calculation computes the deduction from it.
    ASSERT_TRUE(OpenFromBox(c.position, [&](CTemplateDlg& d) {
      for (const Key& k : c.typed) TypeInto(d, k.control, QString::fromLatin1(k.keys));
      Press(d, ui::IDOK);
      EXPECT_FALSE(d.isVisible()) << "OK is accepted";
    }));
    EXPECT_DOUBLE_EQ(blocks::F64{c.field}.get(at()), c.typedValue);
    EXPECT_DOUBLE_EQ(blocks::Vec5{c.result}.get(at(), 1), c.declarant) << "the declarant's deduction";
    Current()->Recalculate();
    EXPECT_DOUBLE_EQ(blocks::F64{c.field}.get(at()), c.typedValue) << "the next calculation keeps it";
    EXPECT_DOUBLE_EQ(blocks::Vec5{c.result}.get(at(), 1), c.declarant);
    EXPECT_TRUE(coded.shown.empty() || coded.Codes().back() != QStringLiteral("WIN052"));
  }
}

// The young people's housing of community 13 (box 71) refuses the declarant's row when the
// housing sheet marks his home as having had the regional acquisition deduction of 1998-2000.
TEST_F(RegionalAnnexTest, TheYoungHousingBoxRefusesAMemberWhoseHomeHadTheEarlierDeduction) {
  StartWithDeclaration();
  LiveIn("13", 0);
  // The investment page's mark of the declarant: section O + 528, byte 2.
  Block()[f100::SectionO.offset + 528 + 2] = 1;
  GoToPage(15);
  const std::vector<std::uint8_t> before(Block(), Block() + Current()->Document().Block().size());
  bool stayed = false;
  ASSERT_TRUE(OpenFromBox(71, [&](CTemplateDlg& d) {
    EXPECT_STREQ(d.metaObject()->className(), "CTit3dat1Dlg");
    TypeInto(d, 1394, QStringLiteral("D"));
    TypeInto(d, 1318, QStringLiteral("1000"));
    Press(d, ui::IDOK);
    stayed = d.isVisible();
    if (stayed) Press(d, ui::IDCANCEL);
  }));
  EXPECT_TRUE(stayed) << "OK is refused";
  ASSERT_FALSE(coded.shown.empty());
  EXPECT_EQ(coded.Codes().back(), QStringLiteral("100P081"));
  EXPECT_TRUE(std::equal(before.begin(), before.end(), Block()));
}

}  // namespace
