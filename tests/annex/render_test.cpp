// The annex dialogs laid out in Castellano and Catalan: every caption fits its control. With
// QX_RENDER_DIR set the dialogs are also saved as pictures there, to be looked at.
#include <QAbstractButton>
#include <QDir>
#include <QLabel>

#include "annex/asignacion_tributaria_dlg.h"
#include "annex/famnume_dlg.h"
#include "annex/famnumegalicia_dlg.h"
#include "annex/pcuotint_dlg.h"
#include "annex/resumen_declaraciones_dlg.h"
#include "annex/rtonetatrentas_dlg.h"
#include "annex/tipoelempatrim_dlg.h"
#include "annex_fixture.h"
#include "data/db/databases.h"
#include "data/doc/renta_doc.h"
#include "data/store/store.h"
#include "platform/strings.h"
#include "ui/companion_button.h"

namespace {

class Render : public annextest::AnnexTest, public ::testing::WithParamInterface<char> {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    platform::SetLanguage(GetParam());
  }
  void TearDown() override {
    platform::SetLanguage('e');
    AnnexTest::TearDown();
  }
  // Shows the dialog, checks that its texts fit, saves its picture when asked to.
  void Check(QDialog& d, const QString& name) {
    d.show();
    QApplication::processEvents();
    for (QLabel* l : d.findChildren<QLabel*>()) {
      if (l->text().isEmpty() || !l->isVisible()) continue;
      EXPECT_GE(l->width(), l->minimumSizeHint().width()) << name.toStdString() << ": " << l->text().toStdString();
      EXPECT_GE(l->height(), l->minimumSizeHint().height()) << name.toStdString() << ": " << l->text().toStdString();
    }
    for (QAbstractButton* b : d.findChildren<QAbstractButton*>()) {
      if (b->text().isEmpty() || !b->isVisible()) continue;
      if (qobject_cast<ui::CCompanionButton*>(b)) continue;  // an editor's button paints its arrow, not its text
      EXPECT_GE(b->width(), b->sizeHint().width()) << name.toStdString() << ": " << b->text().toStdString();
    }
    const QByteArray dir = qgetenv("QX_RENDER_DIR");
    if (!dir.isEmpty()) {
      QDir().mkpath(QString::fromLocal8Bit(dir));
      d.grab().save(QString::fromLocal8Bit(dir) + u'/' + name + u'_' + QChar(GetParam()) + QStringLiteral(".png"));
    }
    d.hide();
  }
};

TEST_P(Render, EveryAnnexDialogFitsItsTexts) {
  {
    CRtonetatrentasDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("rtonetatrentas"));
  }
  {
    CPcuotintDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("pcuotint"));
  }
  {
    CAsignacionTributariaDlg d;
    d.caption = platform::LoadString(302);
    d.EnsureCreated();
    Check(d, QStringLiteral("asignacion_tributaria"));
  }
  {
    CFamnumeDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("famnume"));
  }
  {
    CFamnumegaliciaDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("famnumegalicia"));
  }
  {
    CTipoelempatrimDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("tipoelempatrim"));
  }
  {
    dbtest::TempDir dir;
    db::CAdoConnection conn{"DatRed"};
    ASSERT_TRUE(conn.Open((dir.Path() / "DatRed.db").string(), db::OpenMode::Create));
    ASSERT_TRUE(db::CreateDeclarationsSchema(conn));
    store::DeclarationStore store{conn};
    doc::DocumentHost host;
    doc::CRentaDoc doc(store, host, [](std::span<std::uint8_t> b, const doc::CalcRequest&) {
      for (int c = 0; c < 5; ++c) blocks::Vec5{65368}.set(b.data(), c, 123456.78 * (c + 1));
    });
    qxtest::MemberView view(1, {1, 1, 1, 1, 1});
    CResumenDeclaracionesDlg d(doc);
    d.EnsureCreated();
    Check(d, QStringLiteral("resumen"));
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, Render, ::testing::Values('e', 'c'));

}  // namespace
