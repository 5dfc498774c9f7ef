// The personal and family data wizard driven offscreen with real keys and clicks: the pages'
// rules, the descendant dialog, Finish refused on invalid data, the pages rendered in two
// languages (saved as pictures when QX_RENDER_DIR is set).
#include <gtest/gtest.h>

#include <QDir>
#include <QListWidget>
#include <QTest>

#include <vector>

#include "blocks/form100.h"
#include "platform/strings.h"
#include "support/local_db.h"
#include "support/ui_helpers.h"
#include "ui/box_edit.h"
#include "ui/lista_edit.h"
#include "ui/lookup_catalogue.h"
#include "ui/message_dlg.h"
#include "ui/message_source.h"
#include "ui/owner_draw_button.h"
#include "ui/sel_str_edit.h"
#include "wizards/comprobacion_dlg.h"
#include "wizards/datos_fam.h"

namespace {

using namespace famwiz;
namespace FW = f100::family_wizard;

class FamilyWizard : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetLanguage('e');
    ui::SetMessageSource(qxtest::AuthoredMessages());
    ui::SetLookupConnection(&qxtest::LocalDatabase::Get());
    RegisterFamilyWizard();
    block.assign(f100::kBlockSize, 0);
  }
  void TearDown() override { ui::SetLookupConnection(nullptr); }

  std::unique_ptr<CDatosFam> Make(bool isNew, bool joint = true, int start = 0) {
    Declaration d{block.data(), joint, 1, [this](const std::uint8_t*) { ++ranked; }, {},
                  [this](QDialog& dlg) {
                    ++confirmations;
                    return confirmAnswer;
                  }};
    auto w = std::make_unique<CDatosFam>(QStringLiteral("DATOS"), nullptr, start, std::move(d), isNew);
    w->show();
    QApplication::setActiveWindow(w.get());
    Settle();
    return w;
  }
  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  static void Click(CDatosFam& w, int id) {
    ASSERT_NE(w.FrameButton(id), nullptr) << id;
    QTest::mouseClick(w.FrameButton(id), Qt::LeftButton);
    Settle();
  }
  // Focuses a page's edit and types into it.
  static void TypeInto(CTemplatePropPg& page, int id, const QString& keys) {
    QWidget* e = page.GetDlgItem(id);
    ASSERT_NE(e, nullptr) << id;
    e->setFocus();
    qxtest::Type(e, keys);
    Settle();
  }
  static void Key(CTemplatePropPg& page, int id, Qt::Key key) {
    QWidget* e = page.GetDlgItem(id);
    ASSERT_NE(e, nullptr) << id;
    e->setFocus();
    QTest::keyClick(e, key);
    Settle();
  }

  std::vector<std::uint8_t> block;
  qxtest::ScriptedMessages messages;
  int ranked = 0;
  int confirmations = 0;
  int confirmAnswer = ui::IDOK;
};

TEST_F(FamilyWizard, NextMovesFreelyAndFinishReturnsToTheFirstFaultyPage) {
  auto w = Make(true);
  EXPECT_EQ(w->GetPageCount(), 5);
  for (int i = 0; i < 4; ++i) Click(*w, CAsistente::kIdWizNext);
  EXPECT_EQ(w->GetActiveIndex(), 4);
  EXPECT_TRUE(messages.shown.empty());
  Click(*w, CAsistente::kIdWizFinish);
  ASSERT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("WIN001")});
  EXPECT_EQ(w->GetActiveIndex(), 0);
  EXPECT_TRUE(w->isVisible());
  // Back from the first page is not offered; Back from the last returns one page.
  for (int i = 0; i < 4; ++i) Click(*w, CAsistente::kIdWizNext);
  Click(*w, CAsistente::kIdWizBack);
  EXPECT_EQ(w->GetActiveIndex(), 3);
}

TEST_F(FamilyWizard, CivilStatusMarksAreExclusiveAndLeavingMarriageAsksFirst) {
  auto w = Make(true);
  CDatosFam1& p = w->PersonalPage();
  TypeInto(p, CDatosFam1::kMarried, QStringLiteral("X"));
  EXPECT_EQ(P::CivilStatus.get(Personal(w->Work())), 1);
  EXPECT_TRUE(p.GetDlgItem(CDatosFam1::kSpouseBirth)->isEnabled());
  EXPECT_FALSE(p.Item<CBoxEdit>(CDatosFam1::kSingle)->Marked());
  TypeInto(p, CDatosFam1::kSpouseNif, QStringLiteral("87654321X"));
  p.GetDlgItem(CDatosFam1::kDeclNif)->setFocus();
  Settle();
  // Corregir keeps the marriage and the spouse's data.
  messages.shown.clear();
  qxtest::ScriptedMessages corregir({8});
  TypeInto(p, CDatosFam1::kWidowed, QStringLiteral("X"));
  ASSERT_EQ(corregir.Codes(), std::vector<QString>{QStringLiteral("100P017")});
  EXPECT_EQ(P::CivilStatus.get(Personal(w->Work())), 1);
  EXPECT_TRUE(p.Item<CBoxEdit>(CDatosFam1::kMarried)->Marked());
  EXPECT_EQ(P::Nif(1).raw(Personal(w->Work())), "87654321X");
  // Delete on Casado/a selects Soltero/a without a message and clears the spouse.
  Key(p, CDatosFam1::kMarried, Qt::Key_Delete);
  EXPECT_EQ(corregir.shown.size(), 1u);
  EXPECT_EQ(P::CivilStatus.get(Personal(w->Work())), 0);
  EXPECT_TRUE(p.Item<CBoxEdit>(CDatosFam1::kSingle)->Marked());
  EXPECT_TRUE(P::Nif(1).isAbsent(Personal(w->Work())));
}

TEST_F(FamilyWizard, SheetModeKeepsTheCivilStatusFixed) {
  P::CivilStatus.set(f100::record(block.data(), f100::Personal), 2);
  auto w = Make(false);
  CDatosFam1& p = w->PersonalPage();
  EXPECT_TRUE(p.Item<CBoxEdit>(CDatosFam1::kWidowed)->Marked());
  EXPECT_FALSE(p.Item<CBoxEdit>(CDatosFam1::kMarried)->Marked());
  for (int id : {CDatosFam1::kSingle, CDatosFam1::kMarried, CDatosFam1::kMinorNo, CDatosFam1::kDeath})
    EXPECT_FALSE(p.GetDlgItem(id)->isEnabled()) << id;
  EXPECT_NE(w->FrameButton(CAsistente::kIdOk), nullptr);
}

TEST_F(FamilyWizard, TheDescendantDialogComposesTheNameAndRefusesAnIncompleteEntry) {
  EXPECT_EQ(CDatoshijoDlg::FullName("ANA", "GARCIA", "LOPEZ"), "GARCIA LOPEZ, ANA");
  EXPECT_EQ(CDatoshijoDlg::FullName("ANA", "GARCIA", ""), "GARCIA, ANA");
  EXPECT_EQ(CDatoshijoDlg::FullName("MARIA JOSEFA", "RODRIGUEZ", "FERNANDEZ DE LA"), "RODRIGUEZ FERNANDEZ, MARIA JOSEFA");
  EXPECT_EQ(CDatoshijoDlg::FullName("AAAAAAAAAAAAAAA", "BBBBBBBBBBBBBBB", "CCC"), "BBBBBBBBBBBBBBB , AAAAAAAAAAAAAAA");

  auto w = Make(true);
  TypeInto(w->PersonalPage(), CDatosFam1::kMarried, QStringLiteral("X"));
  Click(*w, CAsistente::kIdWizNext);
  CDescendientes& d = w->DescendantsPage();
  auto* name = d.Item<CSelStrEdit>(CDescendientes::IdAt(2, 0));
  ASSERT_NE(name, nullptr);
  EXPECT_TRUE(name->isEnabled());
  EXPECT_FALSE(d.GetDlgItem(CDescendientes::IdAt(2, 1))->isEnabled());
  // OK with nothing typed is refused; then the entry is typed and accepted.
  std::vector<QString> seen;
  qxtest::WhenModal([&](QWidget* modal) {
    auto* dlg = dynamic_cast<CDatoshijoDlg*>(modal);
    ASSERT_NE(dlg, nullptr);
    QTest::mouseClick(dynamic_cast<QWidget*>(dlg->GetDlgItem(ui::IDOK)), Qt::LeftButton);
    seen = messages.Codes();
    auto type = [&](int id, const char* text) {
      dlg->GetDlgItem(id)->setFocus();
      qxtest::Type(dlg->GetDlgItem(id), QString::fromLatin1(text));
    };
    type(CDatoshijoDlg::kGiven, "ANA");
    type(CDatoshijoDlg::kSurname1, "GARCIA");
    type(CDatoshijoDlg::kSurname2, "LOPEZ");
    type(CDatoshijoDlg::kBirth, "01032000");
    // The link is chosen from its drop-down list, on the line of key O.
    auto* link = dlg->Item<CListaEdit>(CDatoshijoDlg::kLink);
    link->setFocus();
    link->ToggleList();
    for (int r = 0; link->List() && r < link->List()->count(); ++r)
      if (link->ItemText(r) == QStringLiteral("O")) link->List()->setCurrentRow(r);
    QTest::keyClick(link->List(), Qt::Key_Return);
    dlg->GetDlgItem(CDatoshijoDlg::kNif)->setFocus();
    QTest::mouseClick(dynamic_cast<QWidget*>(dlg->GetDlgItem(ui::IDOK)), Qt::LeftButton);
  });
  name->setFocus();
  QTest::keyClick(name, Qt::Key_F7);
  Settle();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), QStringLiteral("100R002"));
  const std::uint8_t* e = DescendantAt(w->Work(), 0);
  EXPECT_EQ(D::FullName.str(e), "GARCIA LOPEZ, ANA");
  EXPECT_EQ(D::Age.get(e), 3);
  EXPECT_EQ(D::Link.get(e), 'O');
  EXPECT_TRUE(d.GetDlgItem(CDescendientes::IdAt(2, 1))->isEnabled());  // the next row opens
  // Delete in the name field removes the descendant.
  name->setFocus();
  QTest::keyClick(name, Qt::Key_Delete);
  Settle();
  EXPECT_EQ(D::FullName.raw(DescendantAt(w->Work(), 0))[0], 0);
}

TEST_F(FamilyWizard, TheSexMarksOfAMarriedCoupleAreOpposite) {
  auto w = Make(true);
  TypeInto(w->PersonalPage(), CDatosFam1::kMarried, QStringLiteral("X"));
  w->SetActivePage(CDatosFam::kAdditionalPage);
  Settle();
  CDatosFam2& a = w->AdditionalPage();
  TypeInto(a, CDatosFam2::MarkId(FW::kFemale, 2), QStringLiteral("X"));
  const std::uint8_t* b = w->Work().data();
  EXPECT_EQ(work::Mark(FW::kFemale, 2).get(b), 1);
  EXPECT_EQ(work::Mark(FW::kMale, 2).get(b), 0);
  EXPECT_EQ(work::Mark(FW::kMale, 3).get(b), 1);
  EXPECT_EQ(work::Mark(FW::kFemale, 3).get(b), 0);
  // No child members: their fields are disabled.
  EXPECT_FALSE(a.GetDlgItem(CDatosFam2::MarkId(FW::kMale, 4))->isEnabled());
  EXPECT_FALSE(a.GetDlgItem(CDatosFam2::WorkerId(5))->isEnabled());
}

TEST_F(FamilyWizard, TheJointRegionFillsTheEmptyRegionsOfTheMembers) {
  auto w = Make(true);
  TypeInto(w->PersonalPage(), CDatosFam1::kMarried, QStringLiteral("X"));
  w->SetActivePage(CDatosFam::kRegionPage);
  Settle();
  std::uint8_t* p = Personal(w->Work());
  P::RegionCode(0).set(p, "12");
  P::RegionName(0).set(p, "MADRID");
  w->RegionPage().OnEditValueChanged(CComauto::kNameIds[0]);
  EXPECT_EQ(P::RegionCode(1).raw(p), "12");
  EXPECT_EQ(P::RegionCode(2).raw(p), "12");
  EXPECT_TRUE(P::RegionCode(3).isAbsent(p));
  // The declarant cannot live in region 99.
  P::RegionCode(1).set(p, "99");
  w->RegionPage().OnEditValueChanged(CComauto::kNameIds[1]);
  EXPECT_EQ(messages.Codes().back(), QStringLiteral("100I004"));
  EXPECT_TRUE(P::RegionCode(1).isAbsent(p));
}

TEST_F(FamilyWizard, TheDateOfDeathOfTheLastDayIsRefused) {
  auto w = Make(true, false);  // an individual declaration: the date of death can be typed
  CDatosFam1& p = w->PersonalPage();
  TypeInto(p, CDatosFam1::kDeclBirth, QStringLiteral("15061950"));
  EXPECT_TRUE(p.GetDlgItem(CDatosFam1::kDeath)->isEnabled());
  const std::pair<const char*, const char*> cases[] = {{"31122003", "WIN005"}, {"15061950", "100R040"}, {"30122003", ""}};
  for (auto [date, code] : cases) {
    qxtest::ScriptedMessages script;
    p.GetDlgItem(CDatosFam1::kDeclNif)->setFocus();  // a refused date keeps the focus; come back to it
    TypeInto(p, CDatosFam1::kDeath, QString::fromLatin1(date));
    p.GetDlgItem(CDatosFam1::kDeclNif)->setFocus();
    Settle();
    const std::uint8_t* per = Personal(w->Work());
    if (*code) {
      EXPECT_EQ(script.Codes(), std::vector<QString>{QString::fromLatin1(code)}) << date;
      EXPECT_TRUE(P::DeclarantDeath.isAbsent(per)) << date;
    } else {
      EXPECT_TRUE(script.shown.empty()) << date;
      EXPECT_EQ(P::DeclarantDeath.raw(per), date);
    }
    P::DeclarantDeath.clear(Personal(w->Work()), '\0');
  }
}

TEST_F(FamilyWizard, AscendantRowsOpenAsTheyFillAndRefuseTheirFaults) {
  auto w = Make(true, false);
  w->SetActivePage(CDatosFam::kAscendantsPage);
  Settle();
  CAscendientes& a = w->AscendantsPage();
  constexpr int kNif1 = 1427, kNif2 = 1430, kCohabitation1 = 1474, kLink1 = 1467;
  EXPECT_TRUE(a.GetDlgItem(kNif1)->isEnabled());
  EXPECT_FALSE(a.GetDlgItem(kNif2)->isEnabled());
  TypeInto(a, kNif1, QStringLiteral("11111111H"));
  a.GetDlgItem(kCohabitation1)->setFocus();
  Settle();
  EXPECT_TRUE(a.GetDlgItem(kNif2)->isEnabled()) << "typing in row 1 opens row 2";
  qxtest::ScriptedMessages script;
  TypeInto(a, kCohabitation1, QStringLiteral("1"));
  a.GetDlgItem(kNif1)->setFocus();
  Settle();
  EXPECT_EQ(script.Codes(), std::vector<QString>{QStringLiteral("100R083")});
  EXPECT_EQ(A::Cohabitation.get(AscendantAt(w->Work(), 0)), 0.0) << qPrintable(a.Item<QLineEdit>(kCohabitation1)->text());
  // An ascendant of the spouse while the declarant is single.
  A::Link.set(AscendantAt(w->Work(), 0), 'C');
  a.GetDlgItem(kLink1)->setFocus();
  Settle();
  a.GetDlgItem(kNif1)->setFocus();
  Settle();
  EXPECT_EQ(script.Codes().back(), QStringLiteral("100R133"));
  EXPECT_EQ(A::Link.get(AscendantAt(w->Work(), 0)), ' ');
}

TEST_F(FamilyWizard, OneRowBearsH1AndAnotherH2) {
  // Three descendants of a joint declaration with minor children.
  for (int i = 0; i < 3; ++i) {
    std::uint8_t* e = f100::record(block.data(), f100::Family) + FW::Descendants.off + D::kSize * i;
    D::FullName.set(e, "GARCIA, ANA", '\0');
    D::GivenName.set(e, "ANA");
  }
  P::MinorChildren.set(f100::record(block.data(), f100::Personal), 1);
  auto w = Make(true);
  w->SetActivePage(CDatosFam::kDescendantsPage);
  Settle();
  CDescendientes& d = w->DescendantsPage();
  EXPECT_TRUE(d.GetDlgItem(CDescendientes::IdAt(0, 2))->isEnabled());
  EXPECT_FALSE(d.GetDlgItem(CDescendientes::IdAt(0, 3))->isEnabled()) << "the empty fourth row has no marks";
  TypeInto(d, CDescendientes::IdAt(0, 0), QStringLiteral("X"));
  TypeInto(d, CDescendientes::IdAt(0, 2), QStringLiteral("X"));
  EXPECT_EQ(FindChildEntry(w->Work(), 1), 2) << "H1 moves to the row marked last";
  TypeInto(d, CDescendientes::IdAt(1, 2), QStringLiteral("X"));
  EXPECT_EQ(FindChildEntry(w->Work(), 2), 2);
  EXPECT_EQ(FindChildEntry(w->Work(), 1), -1) << "no row bears both";
  // Delete in a mark clears the mark only.
  Key(d, CDescendientes::IdAt(1, 2), Qt::Key_Delete);
  EXPECT_EQ(FindChildEntry(w->Work(), 2), -1);
  EXPECT_EQ(D::FullName.raw(DescendantAt(w->Work(), 2))[0], 'G');
}

TEST_F(FamilyWizard, ClearingTheDeclarantsManMarkMakesAWoman) {
  auto w = Make(true, false);
  w->SetActivePage(CDatosFam::kAdditionalPage);
  Settle();
  CDatosFam2& a = w->AdditionalPage();
  TypeInto(a, CDatosFam2::MarkId(FW::kMale, 2), QStringLiteral("X"));
  Key(a, CDatosFam2::MarkId(FW::kMale, 2), Qt::Key_Delete);
  EXPECT_EQ(work::Mark(FW::kFemale, 2).get(w->Work().data()), 1);
  EXPECT_EQ(work::Mark(FW::kMale, 2).get(w->Work().data()), 0);
  EXPECT_FALSE(a.GetDlgItem(CDatosFam2::MarkId(FW::kMale, 3))->isEnabled()) << "an individual declaration";
}

TEST_F(FamilyWizard, CancelInSheetModeLeavesTheDeclarationAlone) {
  const std::vector<std::uint8_t> before = block;
  auto w = Make(false);
  TypeInto(w->PersonalPage(), CDatosFam1::kDeclNif, QStringLiteral("12345678Z"));
  Click(*w, CAsistente::kIdCancel);
  EXPECT_EQ(w->result(), CAsistente::kIdCancel);
  EXPECT_EQ(block, before);
}

class FamilyWizardPictures : public FamilyWizard, public ::testing::WithParamInterface<char> {};

TEST_P(FamilyWizardPictures, EveryPageIsLaidOut) {
  platform::SetLanguage(GetParam());
  auto w = Make(true);
  const QByteArray dir = qgetenv("QX_RENDER_DIR");
  const char* names[] = {"personal", "descendants", "ascendants", "additional", "region"};
  for (int i = 0; i < w->GetPageCount(); ++i) {
    w->SetActivePage(i);
    Settle();
    EXPECT_EQ(w->GetActiveIndex(), i);
    EXPECT_GT(w->GetActivePage()->findChildren<QWidget*>().size(), 4);
    if (!dir.isEmpty()) {
      QDir().mkpath(QString::fromLocal8Bit(dir));
      w->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/family_%1_%2.png").arg(QLatin1String(names[i])).arg(QChar(GetParam())));
    }
  }
  CComprobacionDatosFamiliaresDlg confirm(nullptr, w->Work());
  confirm.EnsureCreated();
  confirm.show();
  Settle();
  EXPECT_FALSE(confirm.GetDlgItem(CComprobacionDatosFamiliaresDlg::kNonResident)->isVisible());
  if (!dir.isEmpty())
    confirm.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/family_confirmation_%1.png").arg(QChar(GetParam())));
  platform::SetLanguage('e');
}

INSTANTIATE_TEST_SUITE_P(Languages, FamilyWizardPictures, ::testing::Values('e', 'c'));

}  // namespace

namespace {

// A single declarant living in community 17 who typed regional deductions there.
void ValencianDeclarant(std::vector<std::uint8_t>& block) {
  std::uint8_t* p = f100::record(block.data(), f100::Personal);
  P::Nif(0).set(p, "12345678Z");
  P::DeclarantBirth.set(p, "15061970");
  P::RegionCode(1).set(p, "17");
  P::RegionName(1).set(p, "COMUNIDAD VALENCIANA");
  f100::record(block.data(), f100::Family)[FW::Marks.off + FW::kMale + 1] = 1;
  f100::record(block.data(), f100::SectionP)[6272 + 100] = 1;  // an input of community 17
}

TEST_F(FamilyWizard, MovingAwayFromACommunityWithTypedDeductionsAsksFirst) {
  ValencianDeclarant(block);
  for (int answer : {ui::IDCANCEL, ui::IDOK}) {
    auto w = Make(false, false);
    P::RegionCode(1).set(Personal(w->Work()), "12");
    P::RegionName(1).set(Personal(w->Work()), "MADRID");
    qxtest::ScriptedMessages script({answer});
    Click(*w, CAsistente::kIdOk);
    EXPECT_EQ(script.Codes(), std::vector<QString>{QStringLiteral("WIN960")});
    EXPECT_EQ(w->isVisible(), answer == ui::IDCANCEL);
    if (answer == ui::IDCANCEL) {
      EXPECT_EQ(w->GetActiveIndex(), CDatosFam::kRegionPage);
    }
  }
  // Staying in the community asks nothing.
  auto w = Make(false, false);
  qxtest::ScriptedMessages script;
  Click(*w, CAsistente::kIdOk);
  EXPECT_TRUE(script.shown.empty());
  EXPECT_FALSE(w->isVisible());
}

}  // namespace

namespace {

TEST_F(FamilyWizard, FinishAsksForConfirmationAndCancelReturnsToTheFirstPage) {
  ValencianDeclarant(block);
  for (int answer : {ui::IDCANCEL, ui::IDOK}) {
    confirmAnswer = answer;
    confirmations = 0;
    auto w = Make(true, false, CDatosFam::kRegionPage);
    qxtest::ScriptedMessages script;
    Click(*w, CAsistente::kIdWizFinish);
    EXPECT_EQ(script.Codes(), std::vector<QString>{QStringLiteral("100I001")}) << "community 17";
    EXPECT_EQ(confirmations, 1);
    EXPECT_EQ(w->isVisible(), answer == ui::IDCANCEL);
    if (answer == ui::IDCANCEL) {
      EXPECT_EQ(w->GetActiveIndex(), CDatosFam::kPersonalPage);
    } else {
      EXPECT_EQ(w->result(), CAsistente::kIdWizFinish);
    }
  }
}

TEST_F(FamilyWizard, TheConfirmationNamesTheChildMembers) {
  Block work{};
  P::CivilStatus.set(Personal(work), 1);
  EXPECT_EQ(CComprobacionDatosFamiliaresDlg(nullptr, work).MembersText(), platform::LoadString(355));
  std::uint8_t* e = DescendantAt(work, 3);
  D::GivenName.set(e, "ANA");
  D::Surname1.set(e, "GARCIA");
  D::Surname2.set(e, "LOPEZ");
  D::H1.set(e, 1);
  EXPECT_EQ(CComprobacionDatosFamiliaresDlg(nullptr, work).MembersText(),
            platform::LoadString(349) + QStringLiteral("\nGARCIA LOPEZ, ANA"));
  work::NonResident.set(work.data(), 1);
  EXPECT_EQ(CComprobacionDatosFamiliaresDlg(nullptr, work).MembersText(), platform::LoadString(348));
}

}  // namespace

namespace {

TEST_F(FamilyWizard, TheDescendantDialogRefusesKeysOnLeavingThem) {
  Block work{};
  P::CivilStatus.set(Personal(work), 1);
  CDatoshijoDlg dlg(nullptr, Personal(work), false, true, {});
  dlg.EnsureCreated();
  ASSERT_TRUE(qxtest::ShowActive(&dlg));
  struct Case {
    int id;
    const char* keys;
    const char* code;
  };
  const Case cases[] = {
      {CDatoshijoDlg::kBirth, "01012004", "100R004"},
      {CDatoshijoDlg::kDeath, "31122003", "WIN005"},
      {CDatoshijoDlg::kDeath, "10052002", "100R030"},
      {CDatoshijoDlg::kSituation, "3", "100R013"},  // a married declarant; last: its list takes the focus
  };
  for (const Case& c : cases) {
    qxtest::ScriptedMessages script;
    dlg.GetDlgItem(CDatoshijoDlg::kGiven)->setFocus();
    dlg.GetDlgItem(c.id)->setFocus();
    if (auto* list = dlg.Item<CListaEdit>(c.id)) {  // a key is chosen from its drop-down list
      list->ToggleList();
      ASSERT_NE(list->List(), nullptr);
      for (int r = 0; r < list->List()->count(); ++r)
        if (list->ItemText(r) == QString::fromLatin1(c.keys)) list->List()->setCurrentRow(r);
      QTest::keyClick(list->List(), Qt::Key_Return);
    } else {
      qxtest::Type(dlg.GetDlgItem(c.id), QString::fromLatin1(c.keys));
    }
    dlg.GetDlgItem(CDatoshijoDlg::kGiven)->setFocus();
    Settle();
    EXPECT_EQ(script.Codes(), std::vector<QString>{QString::fromLatin1(c.code)}) << c.keys;
  }
  const std::uint8_t* e = dlg.Entry().data();
  EXPECT_EQ(D::Situation.get(e), ' ');
  EXPECT_TRUE(D::BirthDate.isAbsent(e));
  EXPECT_TRUE(D::DeathDate.isAbsent(e));
  dlg.hide();
}

}  // namespace
