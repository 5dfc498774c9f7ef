// The activity selection dialog and the activity data dialogs, driven offscreen with real clicks
// and keys.
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

#include "modules/activity_data_dlg.h"
#include "modules/amount_format.h"
#include "modules/activity_select_dlg.h"
#include "modules_fixture.h"
#include "platform/help.h"
#include "platform/strings.h"
#include "data/doc/active_declaration.h"
#include "support/ui_helpers.h"
#include "ui/edit_ex.h"

namespace {

using namespace modules;
using Dlg = CSeleccionarActividadDlg;

class SelectActivity : public modtest::ModulesDbTest {
 protected:
  void SetUp() override { platform::SetLanguage('e'); }
  std::unique_ptr<Dlg> Make(int regime) {
    auto d = std::make_unique<Dlg>(conn());
    d->SetRegime(regime);
    d->SetTableNames(ModuleTableSet::ForLanguage('e'));
    return d;
  }
  static QListWidget* List(const Dlg& d, int id) { return qobject_cast<QListWidget*>(d.GetDlgItem(id)); }
  static QStringList Texts(const QListWidget* l) {
    QStringList t;
    for (int i = 0; i < l->count(); ++i) t << l->item(i)->text();
    return t;
  }
  static void Click(QListWidget* l, const QString& text) {
    const auto found = l->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    l->scrollToItem(found[0]);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(found[0]).center());
    QApplication::processEvents();
  }
  static void Type(QListWidget* l, const char* text) {
    QTest::keyClicks(l, text);
    QApplication::processEvents();
  }
  static void Press(const Dlg& d, int id) { QTest::mouseClick(qobject_cast<QPushButton*>(d.GetDlgItem(id)), Qt::LeftButton); }
  // Runs the dialog modally; `script` acts once it is on screen.
  static int Run(Dlg& d, const std::function<void()>& script) {
    QTimer::singleShot(0, &d, [&d, script] {
      d.activateWindow();
      QApplication::processEvents();
      script();
      if (d.isVisible()) d.reject();  // a failed script must not hang the test
    });
    return d.DoModal();
  }
};

TEST_F(SelectActivity, ChoosingByHeadingAndEpigraph) {
  auto d = Make(kBusinessRegime);
  const int r = Run(*d, [&] {
    QListWidget* sectors = List(*d, Dlg::kSectorListId);
    EXPECT_EQ(Texts(sectors), (QStringList{"642", "647", "653", "654", "659"}));
    EXPECT_EQ(sectors->currentRow(), 0);  // nothing preselected: the first row
    Click(sectors, "647");
    EXPECT_EQ(List(*d, Dlg::kActivityListId)->currentItem()->text(), "Tienda de comestibles de prueba");
    EXPECT_EQ(Texts(List(*d, Dlg::kEpigraphListId)), (QStringList{"647.1", "647.2"}));
    EXPECT_EQ(qobject_cast<QLabel*>(d->GetDlgItem(Dlg::kDescriptionId))->text(),
              "Descripción larga de la tienda de prueba");
    Click(List(*d, Dlg::kEpigraphListId), "647.2");
    Press(*d, ui::IDOK);
  });
  EXPECT_EQ(r, ui::IDOK);
  const CDatosMod& m = d->ModuleData();
  ASSERT_TRUE(m.iae);
  EXPECT_EQ(*m.GetIdIae(), 30.0);
  EXPECT_EQ(*m.GetEpigrafe(), "647.2");
  EXPECT_EQ(m.GetModuleCount(kIncomeTaxModules), 3);
  EXPECT_EQ(*m.GetMaxImport(), 20000.0);
}

TEST_F(SelectActivity, ChoosingBySearchingTheNamesSortsByName) {
  auto d = Make(kBusinessRegime);
  const int r = Run(*d, [&] {
    QListWidget* names = List(*d, Dlg::kActivityListId);
    names->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(d->FocusedList(), Dlg::kActivityListId);
    Type(names, "Tie");
    EXPECT_EQ(names->currentItem()->text(), "Tienda de comestibles de prueba");
    // Entering the names sorted both lists by name, the chosen activity still selected in both.
    EXPECT_EQ(Texts(names).first(), "Actividad con cuantía y sin módulos");
    EXPECT_EQ(Texts(List(*d, Dlg::kSectorListId)), (QStringList{"653", "654", "642", "659", "647"}));
    EXPECT_EQ(List(*d, Dlg::kSectorListId)->currentItem()->text(), "647");
    const QLabel* own = qobject_cast<QLabel*>(d->GetDlgItem(Dlg::kActivityLabelId));
    const QLabel* other = qobject_cast<QLabel*>(d->GetDlgItem(Dlg::kSectorLabelId));
    EXPECT_EQ(own->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(other->palette().color(QPalette::WindowText), QColor(126, 126, 126));

    // Back in the sector list, a choice sorts by code again.
    Click(List(*d, Dlg::kSectorListId), "659");
    EXPECT_EQ(Texts(List(*d, Dlg::kSectorListId)), (QStringList{"642", "647", "653", "654", "659"}));
    EXPECT_EQ(names->currentItem()->text(), "Quiosco de prueba");
    QTest::keyClick(List(*d, Dlg::kSectorListId), Qt::Key_Return);
  });
  EXPECT_EQ(r, ui::IDOK);
  ASSERT_TRUE(d->ModuleData().iae);
  EXPECT_EQ(*d->ModuleData().GetIdIae(), 143.0);
  EXPECT_EQ(*d->ModuleData().GetEpigrafe(), "659.4");
}

TEST_F(SelectActivity, OpensOnTheRowsActivityWithItsEpigraph) {
  auto d = Make(kBusinessRegime);
  d->initialActivity = 40;
  d->preselectionCode = "642.4";
  const int r = Run(*d, [&] {
    EXPECT_EQ(List(*d, Dlg::kSectorListId)->currentItem()->text(), "642");
    EXPECT_EQ(List(*d, Dlg::kActivityListId)->currentItem()->text(), "Carnicería de prueba");
    EXPECT_EQ(List(*d, Dlg::kEpigraphListId)->currentItem()->text(), "642.4");
    QListWidget* epigraphs = List(*d, Dlg::kEpigraphListId);
    const QPoint at = epigraphs->visualItemRect(epigraphs->item(1)).center();
    QTest::mouseClick(epigraphs->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(epigraphs->viewport(), Qt::LeftButton, {}, at);
  });
  EXPECT_EQ(r, ui::IDOK);
  ASSERT_TRUE(d->ModuleData().iae);
  EXPECT_EQ(*d->ModuleData().GetEpigrafe(), "642.1");

  // A typed epigraph with no activity finds its activity by code.
  auto typed = Make(kBusinessRegime);
  typed->preselectionCode = "659.4";
  Run(*typed, [&] {
    EXPECT_EQ(List(*typed, Dlg::kActivityListId)->currentItem()->text(), "Quiosco de prueba");
    EXPECT_EQ(List(*typed, Dlg::kEpigraphListId)->currentItem()->text(), "659.4");
    Press(*typed, ui::IDCANCEL);
  });
  EXPECT_FALSE(typed->ModuleData().iae);
}

TEST_F(SelectActivity, AgriculturalKeys) {
  struct Case {
    std::string code;
    const char* selected;
  };
  const Case cases[] = {{std::string("A\0\0\0\0", 5), "A"}, {std::string("AB\0\0\0", 5), "AB"},
                        {std::string("AC\0\0\0", 5), "A"}, {std::string("B\0\0\0\0", 5), "B"}};
  for (const Case& c : cases) {
    auto d = Make(kAgrarianRegime);
    d->preselectionCode = c.code;
    int helpTopic = 0;
    platform::SetHelpHook([&](int topic) { helpTopic = topic; });
    const int r = Run(*d, [&] {
      EXPECT_EQ(List(*d, Dlg::kSectorListId)->currentItem()->text(), c.selected) << c.code;
      EXPECT_EQ(qobject_cast<QLabel*>(d->GetDlgItem(Dlg::kSectorLabelId))->text(), "Clave:");
      EXPECT_TRUE(qobject_cast<QLabel*>(d->GetDlgItem(Dlg::kEpigraphLabelId))->text().isEmpty());
      EXPECT_FALSE(List(*d, Dlg::kEpigraphListId)->isVisible());
      EXPECT_FALSE(d->GetDlgItem(Dlg::kConsultId)->isEnabled());
      Press(*d, Dlg::kHelpId);
      QTest::keyClick(List(*d, Dlg::kSectorListId), Qt::Key_Return);
    });
    platform::SetHelpHook({});
    EXPECT_EQ(r, ui::IDOK);
    EXPECT_GT(helpTopic, 0);
    ASSERT_TRUE(d->ModuleData().iae) << c.code;
    EXPECT_EQ(*d->ModuleData().GetCodSector(), c.selected);
    EXPECT_FALSE(d->ModuleData().irpf);  // no module rows for these activities
  }
}

TEST_F(SelectActivity, ConsultingShowsTheModulesAndKeepsNothing) {
  auto d = Make(kBusinessRegime);
  d->initialActivity = 30;
  std::vector<std::string> lines;
  QString amount;
  const int r = Run(*d, [&] {
    QTimer::singleShot(0, [&] {
      auto* data = qobject_cast<CDatosActividadDlg67*>(QApplication::activeModalWidget());
      ASSERT_NE(data, nullptr);
      auto* list = data->findChild<CModulosListBox*>();
      for (int i = 0; i < list->count(); ++i) lines.push_back(list->Line(i));
      amount = data->Edit(CDatosActividadDlgBase::kAmountEdit)->text();
      QTest::mouseClick(qobject_cast<QPushButton*>(data->GetDlgItem(ui::IDOK)), Qt::LeftButton);
    });
    Press(*d, Dlg::kConsultId);
    EXPECT_FALSE(d->ModuleData().iae);  // cleared after consulting
    EXPECT_TRUE(d->isVisible());
    Press(*d, ui::IDCANCEL);
  });
  EXPECT_EQ(r, ui::IDCANCEL);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], " 1       Personal asalariado    Persona        1.500,00");
  EXPECT_EQ(lines[2].substr(0, 2), " 3");
  EXPECT_EQ(lines[2].substr(40), "          40,50");
  EXPECT_EQ(amount, "20.000,00");
}

TEST_F(SelectActivity, OkWithoutRowsLoadsNothing) {
  auto d = Make(kRegimeAgrarianModules);
  int helpTopic = 0;
  platform::SetHelpHook([&](int topic) { helpTopic = topic; });
  EXPECT_EQ(Run(*d, [&] {
              EXPECT_EQ(List(*d, Dlg::kSectorListId)->count(), 0);
              Press(*d, Dlg::kHelpId);
              Press(*d, ui::IDOK);
            }),
            ui::IDOK);
  platform::SetHelpHook({});
  EXPECT_GT(helpTopic, 0);
  EXPECT_FALSE(d->ModuleData().iae);
  EXPECT_FALSE(d->ModuleData().irpf);
}

TEST(SelectActivityScroll, BothListsScrollTogether) {
  std::string rows = "id_iae\tcod_sector\tdescripcio\tirpf\tiva\tmod_iva\tirpf_agr\tiva_agr\tmod_agr\tiva_op\n";
  for (int i = 1; i <= 80; ++i)
    rows += std::to_string(i) + "\t" + std::to_string(100 + i) + "\tActividad " + std::to_string(500 + i) + "\t1\t0\t0\t0\t0\t0\t0\n";
  modtest::ModulesDb db({{"IAEMOD_E.tsv", rows}});
  Dlg d(&db.conn);
  d.SetTableNames(ModuleTableSet::ForLanguage('e'));
  d.show();
  QApplication::processEvents();
  auto* sectors = qobject_cast<QListWidget*>(d.GetDlgItem(Dlg::kSectorListId));
  auto* names = qobject_cast<QListWidget*>(d.GetDlgItem(Dlg::kActivityListId));
  auto* right = qobject_cast<QScrollBar*>(d.GetDlgItem(Dlg::kRightScrollId));
  ASSERT_EQ(sectors->count(), 80);
  // The range ends short of the row count by the row height less six.
  EXPECT_EQ(d.ScrollMaximum(), std::max(0, 80 - sectors->sizeHintForRow(0) + 6));
  ASSERT_GE(d.ScrollMaximum(), 25);
  const int page = d.ScrollMaximum() / 5;
  right->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(d.ScrollPosition(), page);
  EXPECT_EQ(qobject_cast<QScrollBar*>(d.GetDlgItem(Dlg::kLeftScrollId))->value(), page);
  EXPECT_EQ(sectors->verticalScrollBar()->value(), page);
  EXPECT_EQ(names->verticalScrollBar()->value(), page);
  d.OnVScroll(QAbstractSlider::SliderMove, 2);
  d.OnVScroll(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(d.ScrollPosition(), 0);
  d.OnVScroll(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(d.ScrollPosition(), 0);
  d.OnVScroll(QAbstractSlider::SliderToMaximum);
  d.OnVScroll(QAbstractSlider::SliderSingleStepAdd);
  d.OnVScroll(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(d.ScrollPosition(), d.ScrollMaximum());
  d.OnVScroll(QAbstractSlider::SliderNoAction);
  EXPECT_EQ(d.ScrollPosition(), d.ScrollMaximum());
  d.OnVScroll(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(names->verticalScrollBar()->value(), 0);
}

TEST_F(SelectActivity, RegimeAndTableNames) {
  Dlg d(conn());
  EXPECT_EQ(d.TableNames()[ModuleTableSet::kActivities], "IAEMOD");
  EXPECT_EQ(d.SetRegime(3), 0);
  EXPECT_EQ(d.SetRegime(5), 3);
  EXPECT_TRUE(d.MatchesRegime(false, false, false, false, false, true));
  EXPECT_FALSE(d.MatchesRegime(false, true, false, false, false, false));
}

class DataDialogs : public modtest::ModulesDbTest {
 protected:
  void SetUp() override { platform::SetLanguage('e'); }
  CDatosMod Load(int regime, double id, std::string_view epigraph) {
    CDatosMod d;
    LoadActivityModules(conn(), ModuleTableSet::ForLanguage('e'), regime, id, epigraph, d);
    return d;
  }
  static QString Text(const CTemplateDlg& d, int id) { return d.Edit(id)->text().trimmed(); }
};

TEST_F(DataDialogs, IncomeTaxDialogShowsModulesAndTheAmount) {
  const CDatosMod data = Load(kBusinessRegime, 30, "647.1");
  CDatosActividadDlg67 d(data);
  d.EnsureCreated();
  EXPECT_EQ(Text(d, CDatosActividadDlgBase::kEpigraphEdit), "647.1");
  EXPECT_EQ(Text(d, CDatosActividadDlgBase::kAmountEdit), "20.000,00");
  for (int id : {int(CDatosActividadDlgBase::kEpigraphEdit), int(CDatosActividadDlgBase::kAmountEdit)})
    EXPECT_FALSE(d.GetDlgItem(id)->isEnabled());
  auto* list = d.Item<CModulosListBox>(CDatosActividadDlgBase::kIncomeTaxList);
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->Line(1), " 2    Personal no asalariado    Persona        9.000,25");
  EXPECT_TRUE(QFontInfo(list->font()).fixedPitch());

  const CDatosMod none;
  CDatosActividadDlg67 empty(none);
  empty.EnsureCreated();
  EXPECT_EQ(Text(empty, CDatosActividadDlgBase::kEpigraphEdit), "");
  EXPECT_EQ(Text(empty, CDatosActividadDlgBase::kAmountEdit), "");
  EXPECT_EQ(empty.Item<CModulosListBox>(CDatosActividadDlgBase::kIncomeTaxList)->count(), 0);
}

TEST_F(DataDialogs, MinimumQuotaByDialogAndEpigraph) {
  const CDatosMod e1 = Load(kRegimeIncomeTaxOrVatModules, 30, "647.9");
  const CDatosMod e2 = Load(kRegimeIncomeTaxOrVatModules, 30, "647.2");
  CDatosActividadDlg69 vat1(e1), vat2(e2);
  vat1.EnsureCreated();
  vat2.EnsureCreated();
  EXPECT_EQ(Text(vat1, CDatosActividadDlgBase::kQuotaEdit), "12.345.678");
  EXPECT_EQ(Text(vat2, CDatosActividadDlgBase::kQuotaEdit), "");
  EXPECT_EQ(vat2.Item<CModulosListBox>(CDatosActividadDlgBase::kVatList)->Line(1).substr(40), "          -0,25");

  CDatosActividadDlg1742 both(e2);
  both.EnsureCreated();
  EXPECT_EQ(Text(both, CDatosActividadDlgBase::kQuotaEdit), "12.345.678");
  EXPECT_EQ(Text(both, CDatosActividadDlgBase::kAmountEdit), "20.000");
  EXPECT_EQ(both.Item<CModulosListBox>(CDatosActividadDlgBase::kIncomeTaxList)->count(), 3);
  EXPECT_EQ(both.Item<CModulosListBox>(CDatosActividadDlgBase::kVatList)->count(), 2);
  EXPECT_FALSE(both.GetDlgItem(CDatosActividadDlgBase::kQuotaEdit)->isEnabled());
}

}  // namespace

namespace {

TEST(ModuleList, TooLargeAnAmountShowsZeroAndWarnsOnce) {
  CDatosMod data;
  data.irpf = std::make_unique<CDatosIrpf>();
  data.irpf->modules.emplace(2);
  (*data.irpf->modules)[0].SetImporte(5e13);
  (*data.irpf->modules)[1].SetImporte(7e13);
  qxtest::ScriptedMessages messages;
  doc::overflow_warning::Arm();
  CDatosActividadDlg67 d(data);
  d.EnsureCreated();
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{"WIN022"}));
  EXPECT_FALSE(doc::overflow_warning::Armed());
  auto* list = d.Item<CModulosListBox>(CDatosActividadDlgBase::kIncomeTaxList);
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->Line(1).substr(modules::kLineAmountColumn), "           0,00");
  doc::overflow_warning::Arm();
}

}  // namespace
