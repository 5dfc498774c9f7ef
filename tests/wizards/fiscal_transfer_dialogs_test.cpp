// The dialogs of the fiscal-data transfer: the name split with its particles, the one-word name
// refused, and the mortgage-loan dialog's enabling rules and OK refusals.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "support/dialog_layout.h"
#include "support/ui_helpers.h"
#include "ui/box_edit.h"
#include "ui/date_edit.h"
#include "ui/edit_host.h"
#include "ui/message_source.h"
#include "ui/sub_dialog_edit.h"
#include "wizards/disconformidad_dlg.h"
#include "wizards/fiscal_transfer_dialogs.h"

namespace {

using wizards::CNombreApellidosDlg;
using wizards::CPrestamosHipotecariosDlg;

class TransferDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetMessageSource(qxtest::AuthoredMessages());
    plainBoxes.observePlain = [this](const PlainMessage& m) { plain.push_back(m.stringId); };
  }
  std::vector<int> plain;
  qxtest::ScriptedMessages plainBoxes;
  qxtest::ScriptedMessages messages;
};

TEST_F(TransferDialogs, NameSplitProposesSurnamesOverParticles) {
  struct Case {
    const char* full;
    const char* first;
    const char* second;
    const char* name;
  };
  const Case cases[] = {
      {"DE LA FUENTE GARCIA JUAN", "DE LA FUENTE", "GARCIA", "JUAN"},
      {"LOPEZ DE LOS RIOS ANA MARIA", "LOPEZ", "DE LOS RIOS", "ANA MARIA"},
      {"GARCIA  JUAN", "GARCIA", "", "JUAN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.full);
    CNombreApellidosDlg dlg;
    dlg.fullName = QString::fromLatin1(c.full);
    dlg.EnsureCreated();
    dlg.OnOK();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.firstSurname, QString::fromLatin1(c.first));
    EXPECT_EQ(dlg.secondSurname, QString::fromLatin1(c.second));
    EXPECT_EQ(dlg.name, QString::fromLatin1(c.name));
  }
  EXPECT_TRUE(plain.empty());
}

TEST_F(TransferDialogs, ChoosingALongerFirstSurnameRefillsTheOtherLists) {
  CNombreApellidosDlg dlg;
  dlg.fullName = QStringLiteral("DE LA FUENTE GARCIA JUAN");
  dlg.EnsureCreated();
  auto* first = dlg.Item<QComboBox>(CNombreApellidosDlg::kIdFirstSurname);
  auto* second = dlg.Item<QComboBox>(CNombreApellidosDlg::kIdSecondSurname);
  auto* given = dlg.Item<QComboBox>(CNombreApellidosDlg::kIdName);
  ASSERT_EQ(first->count(), 4);
  EXPECT_EQ(first->itemText(0), QStringLiteral("DE "));
  first->setCurrentIndex(3);
  emit first->activated(3);
  EXPECT_EQ(second->count(), 0) << "the name keeps at least one word";
  ASSERT_EQ(given->count(), 1);
  EXPECT_EQ(given->itemText(0).trimmed(), QStringLiteral("JUAN"));
  dlg.OnOK();
  EXPECT_EQ(dlg.firstSurname, QStringLiteral("DE LA FUENTE GARCIA"));
  EXPECT_EQ(dlg.secondSurname, QString());
  EXPECT_EQ(dlg.name, QStringLiteral("JUAN"));
}

TEST_F(TransferDialogs, OneWordNameIsRefused) {
  CNombreApellidosDlg dlg;
  dlg.fullName = QStringLiteral("JUAN");
  dlg.EnsureCreated();
  for (int id : {CNombreApellidosDlg::kIdFirstSurname, CNombreApellidosDlg::kIdSecondSurname,
                 CNombreApellidosDlg::kIdName})
    EXPECT_EQ(dlg.Item<QComboBox>(id)->count(), 0);
  dlg.OnOK();
  EXPECT_EQ(plain, std::vector<int>{98306});
  EXPECT_EQ(platform::LoadString(98306), QStringLiteral("Seleccione su nombre adecuadamente"));
  EXPECT_EQ(dlg.result(), 0) << "the dialog stays open";
  EXPECT_TRUE(dlg.firstSurname.isEmpty() && dlg.secondSurname.isEmpty() && dlg.name.isEmpty());
}

// Types a date into the shown dialog's date edit and leaves it for the construction mark.
void TypeDate(CPrestamosHipotecariosDlg& dlg, const QString& digits) {
  ASSERT_TRUE(qxtest::ShowActive(&dlg));
  QWidget* date = dlg.GetDlgItem(CPrestamosHipotecariosDlg::kIdDate);
  date->setFocus();
  QTest::keyClicks(date, digits);
  dlg.GetDlgItem(CPrestamosHipotecariosDlg::kIdConstruction)->setFocus();
}

// Marks, then a typed date and the date edit left: is the amount open?
TEST_F(TransferDialogs, AmountOpensOnlyForADateOf2001BeforeItsLastDay) {
  struct Case {
    const char* date;
    bool external;
    bool amountEnabled;
  };
  const Case cases[] = {{"15062001", true, true},
                        {"31122001", true, false},
                        {"15062002", true, false},
                        {"15062001", false, false},
                        {"3113", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.date) + (c.external ? " external" : ""));
    messages.shown.clear();
    CPrestamosHipotecariosDlg dlg;
    dlg.EnsureCreated();
    ASSERT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100DFPH")});
    EXPECT_FALSE(messages.shown[0].text.isEmpty()) << "the message has its text";
    EXPECT_FALSE(dlg.GetDlgItem(ui::IDOK)->isEnabled());
    EXPECT_FALSE(dlg.GetDlgItem(CPrestamosHipotecariosDlg::kIdExternalFinancing)->isEnabled());
    EXPECT_FALSE(dlg.GetDlgItem(CPrestamosHipotecariosDlg::kIdAmount)->isEnabled());
    dlg.Item<CBoxEdit>(CPrestamosHipotecariosDlg::kIdAcquisition)->SetMark(true);
    EXPECT_TRUE(dlg.GetDlgItem(ui::IDOK)->isEnabled());
    EXPECT_TRUE(dlg.GetDlgItem(CPrestamosHipotecariosDlg::kIdExternalFinancing)->isEnabled());
    if (c.external) dlg.Item<CBoxEdit>(CPrestamosHipotecariosDlg::kIdExternalFinancing)->SetMark(true);
    TypeDate(dlg, QString::fromLatin1(c.date));
    EXPECT_EQ(dlg.GetDlgItem(CPrestamosHipotecariosDlg::kIdAmount)->isEnabled(), c.amountEnabled);
    const bool valid = std::string(c.date).size() == 8;
    EXPECT_EQ(dlg.date, valid ? std::string(c.date) : std::string(8, ' '));
    if (!valid) {
      EXPECT_EQ(messages.Codes().back(), QStringLiteral("WIN008"));
    }
    EXPECT_EQ(dlg.acquisition, 1);
    EXPECT_EQ(dlg.externalFinancing, c.external ? 1 : 0);
  }
}

TEST_F(TransferDialogs, OkRefusals) {
  {
    CPrestamosHipotecariosDlg dlg;
    dlg.EnsureCreated();
    dlg.OnOK();
    EXPECT_EQ(dlg.result(), 0) << "without a mark OK does nothing";
  }
  {
    messages.shown.clear();
    CPrestamosHipotecariosDlg dlg;
    dlg.EnsureCreated();
    dlg.Item<CBoxEdit>(CPrestamosHipotecariosDlg::kIdAcquisition)->SetMark(true);
    dlg.Item<CBoxEdit>(CPrestamosHipotecariosDlg::kIdExternalFinancing)->SetMark(true);
    dlg.OnOK();
    EXPECT_EQ(messages.Codes().back(), QStringLiteral("101DFPH"));
    EXPECT_EQ(dlg.result(), 0) << "the date is asked for";
  }
  {
    CPrestamosHipotecariosDlg dlg;
    dlg.EnsureCreated();
    dlg.Item<CBoxEdit>(CPrestamosHipotecariosDlg::kIdConstruction)->SetMark(true);
    dlg.OnOK();
    EXPECT_EQ(dlg.result(), QDialog::Accepted) << "construction needs no date";
    EXPECT_EQ(dlg.construction, 1);
    EXPECT_EQ(dlg.date, std::string(8, ' '));
  }
}

TEST_F(TransferDialogs, ConstructionAfterAcquisitionClearsItsMarksAndTheAmount) {
  CPrestamosHipotecariosDlg dlg;
  dlg.EnsureCreated();
  dlg.Item<CBoxEdit>(CPrestamosHipotecariosDlg::kIdAcquisition)->SetMark(true);
  dlg.Item<CBoxEdit>(CPrestamosHipotecariosDlg::kIdExternalFinancing)->SetMark(true);
  TypeDate(dlg, QStringLiteral("15062001"));
  ASSERT_TRUE(dlg.GetDlgItem(CPrestamosHipotecariosDlg::kIdAmount)->isEnabled());
  QTest::keyClicks(dlg.GetDlgItem(CPrestamosHipotecariosDlg::kIdAmount), QStringLiteral("1500"));
  dlg.Item<CBoxEdit>(CPrestamosHipotecariosDlg::kIdConstruction)->SetMark(true);
  EXPECT_EQ(dlg.acquisition, 0);
  EXPECT_EQ(dlg.externalFinancing, 0);
  EXPECT_EQ(dlg.construction, 1);
  EXPECT_DOUBLE_EQ(dlg.amount, 0);
  EXPECT_FALSE(dlg.Item<CBoxEdit>(CPrestamosHipotecariosDlg::kIdAcquisition)->Marked());
  EXPECT_FALSE(dlg.GetDlgItem(CPrestamosHipotecariosDlg::kIdAmount)->isEnabled());
  EXPECT_FALSE(dlg.GetDlgItem(CPrestamosHipotecariosDlg::kIdExternalFinancing)->isEnabled());
  dlg.OnOK();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST_F(TransferDialogs, NoticeShowsTheFileDate) {
  wizards::CDatosFiscalesDlg33 dlg;
  dlg.notice = wizards::FiscalFileNotice(QStringLiteral("15/04/2004"));
  EXPECT_EQ(dlg.notice, QStringLiteral("Se va a tratar el fichero de datos fiscales con fecha 15/04/2004"));
  qxtest::WhenModal([](QWidget* m) {
    QTest::keyClick(m, Qt::Key_Return);
  });
  const int r = dlg.exec();
  EXPECT_EQ(r, QDialog::Accepted);
  EXPECT_EQ(dynamic_cast<QLabel*>(ui::FindControl(&dlg, wizards::CDatosFiscalesDlg33::kIdNotice))->text(), dlg.notice);
}

// Every caption fits its control in each language; with QX_RENDER_DIR set the dialogs are saved
// there as pictures.
class TransferDialogPictures : public TransferDialogs, public ::testing::WithParamInterface<char> {
 protected:
  void SetUp() override {
    TransferDialogs::SetUp();
    platform::SetLanguage(GetParam());
  }
  void TearDown() override {
    platform::SetLanguage('e');
    TransferDialogs::TearDown();
  }
};

TEST_P(TransferDialogPictures, CaptionsFit) {
  const char l = GetParam();
  wizards::CDatosFiscalesDlg33 notice;
  notice.notice = wizards::FiscalFileNotice(QStringLiteral("15/04/2004"));
  qxtest::CheckLayout(notice, QStringLiteral("datosfiscales33"), l);
  CNombreApellidosDlg name;
  name.fullName = QStringLiteral("DE LA FUENTE GARCIA JUAN");
  name.EnsureCreated();
  qxtest::CheckLayout(name, QStringLiteral("nombreapellidos"), l);
  CPrestamosHipotecariosDlg mortgage;
  mortgage.EnsureCreated();
  qxtest::CheckLayout(mortgage, QStringLiteral("prestamoshipotecarios"), l);
  wizards::CDisconformidadDlg members({});
  members.EnsureCreated();
  qxtest::CheckLayout(members, QStringLiteral("disconformidad"), l);
  wizards::CDfdisconfDlg concepts({});
  concepts.EnsureCreated();
  qxtest::CheckLayout(concepts, QStringLiteral("dfdisconf"), l);
}

INSTANTIATE_TEST_SUITE_P(Languages, TransferDialogPictures, ::testing::Values('e', 'c', 'g', 'v'));

}  // namespace
