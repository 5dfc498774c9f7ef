// The review of the fiscal data an import incorporated: the stored listings turned into the grid,
// the dialog reading the row written as the import writes it, the two listings, a missing row,
// and the printout into a PDF file (a picture of the dialog saved when QX_RENDER_DIR is set).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableWidget>

#include "data/db_fixture.h"
#include "platform/cp1252.h"
#include "platform/strings.h"
#include "support/ui_helpers.h"
#include "wizards/datos_fiscales_incorporados_dlg.h"
#include "wizards/fiscal_listing.h"

namespace {

using Dlg = CDatosFiscalesIncorporadosDlg;

// Two groups as the transfer pages write them: the second without totals, one value of 20 characters.
const std::string kIncorporated =
    "0\tRENDIMIENTOS DEL TRABAJO\t\n"
    "1\tNIF pagador\tRetribución\tRetenciones\t\n"
    "2\tA28000001\t1.200,00\t180,00\t\n"
    "2\tB12345678\t800,50\t96,06\t\n"
    "2\tC87654321\t15,00\t12\t\n"
    "3\tTotales\t2.015,50\t288,06\t\n"
    "0\tPRESTAMOS HIPOTECARIOS\t\n"
    "1\tNIF entidad\tFecha\tImporte\tReferencia\t\n"
    "2\tG11111111\t15/03/1997\t6.000,00\tHIP-2003-77-ABCDEFGH\t\n";
const std::string kNotIncorporated =
    "0\tDONATIVOS\t\n"
    "1\tNIF entidad\tImporte\t\n"
    "2\tQ2866001G\t60,00\t\n";

TEST(FiscalListing, RecordsBecomeColumnsAndFieldsRows) {
  const fiscal_review::Grid g = fiscal_review::BuildGrid(kIncorporated);
  EXPECT_TRUE(g.hasTotals);
  EXPECT_EQ(g.columnCount, 5) << "concept, totals and three records";
  EXPECT_EQ(g.printedLines, 10);
  EXPECT_EQ(g.groupRows, (std::vector<int>{0, 4}));
  EXPECT_EQ(g.fieldRows, (std::vector<int>{1, 2, 3, 5, 6, 7, 8}));
  ASSERT_EQ(g.cells.size(), 9u);
  EXPECT_EQ(g.cells[1][0], "   NIF pagador");
  EXPECT_EQ(g.cells[1][1], "Totales");
  EXPECT_EQ(g.cells[2][1], "2.015,50");
  EXPECT_EQ(g.cells[1][2], "A28000001");
  EXPECT_EQ(g.cells[3][4], "12");
  EXPECT_EQ(g.cells[8][2], "HIP-2003-77-ABCDEFGH");
  EXPECT_EQ(g.cells[8][3], "") << "the second group has one record";

  const fiscal_review::Grid plain = fiscal_review::BuildGrid(kNotIncorporated);
  EXPECT_FALSE(plain.hasTotals);
  EXPECT_EQ(plain.columnCount, 2);
  EXPECT_EQ(plain.cells[1][1], "Q2866001G");
  const fiscal_review::Grid empty = fiscal_review::BuildGrid("");
  EXPECT_EQ(empty.columnCount, 0);
  EXPECT_EQ(empty.printedLines, 0);
  EXPECT_EQ(fiscal_review::LineCells("2\tA\tB\ttrailing"), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(fiscal_review::ListingLines("0\tA\t\n\n0\tB\t\n").size(), 1u) << "reading stops at an empty line";
}

class FiscalReview : public dbtest::DeclarationsTest {
 protected:
  void SetUp() override {
    DeclarationsTest::SetUp();
    platform::SetLanguage('e');
    ui::SetMessageSource(qxtest::AuthoredMessages());
  }
  // The row as the import stores it: lengths as decimal text, listings as cp1252 bytes.
  void Store(int member, const std::string& yes, const std::string& no) {
    db::CAdoRecordset rs;
    rs.Open(Dlg::kTable, &conn, db::Filter::Eq("CLAVE", Padded(kKey)));
    rs.SetDefaultBlockSize(0);
    const std::string y = platform::Utf8ToCp1252(yes), n = platform::Utf8ToCp1252(no);
    ASSERT_TRUE(rs.PrepareNewRow() && rs.AddPendingValue("CLAVE", Padded(kKey)) &&
                rs.AddPendingValue("SUJETODECLA", std::to_string(member)) &&
                rs.AddPendingValue("TAMANOFICHEROSI", std::to_string(y.size())) &&
                rs.AddPendingBlob("FICHEROSI", std::vector<std::uint8_t>(y.begin(), y.end())) &&
                rs.AddPendingValue("TAMANOFICHERONO", std::to_string(n.size())) &&
                rs.AddPendingBlob("FICHERONO", std::vector<std::uint8_t>(n.begin(), n.end())) &&
                rs.AppendPendingRow());
  }
  std::unique_ptr<Dlg> Make(int member) {
    auto d = std::make_unique<Dlg>(nullptr, &conn, kKey);
    d->member = member;
    d->nif = QStringLiteral("12345678Z");
    return d;
  }
  static QStringList Headers(QTableWidget* list) {
    QStringList h;
    for (int c = 0; c < list->columnCount(); ++c) h << list->horizontalHeaderItem(c)->text();
    return h;
  }

  static constexpr const char* kKey = "GARCÍA PÉREZ";
  qxtest::ScriptedMessages messages;
};

TEST_F(FiscalReview, ListsWhatTheStoredRowHoldsAndSwitchesListings) {
  Store(1, kIncorporated, kNotIncorporated);
  Store(2, kNotIncorporated, "");
  auto d = Make(1);
  d->EnsureCreated();
  d->show();
  QCoreApplication::processEvents();
  ASSERT_TRUE(d->Loaded());
  QTableWidget* list = d->List();
  EXPECT_EQ(d->windowTitle(), "DATOS FISCALES INCORPORADOS");
  EXPECT_EQ(Headers(list), (QStringList{"CONCEPTO", "TOTALES", "Dato 1 ", "Dato 2 ", "Dato 3 "}));
  ASSERT_EQ(list->rowCount(), 9);
  EXPECT_EQ(list->item(2, 0)->text(), "   Retribución") << "cp1252 bytes read as text";
  EXPECT_EQ(list->item(2, 3)->text(), "800,50");
  EXPECT_EQ(list->item(0, 0)->background().color(), QColor(0, 0, 255));
  EXPECT_EQ(list->item(0, 0)->foreground().color(), QColor(255, 255, 255));
  EXPECT_EQ(list->item(2, 3)->background().color(), QColor(255, 255, 192));
  const QByteArray render = qgetenv("QX_RENDER_DIR");
  if (!render.isEmpty()) {
    QDir().mkpath(QString::fromLocal8Bit(render));
    d->grab().save(QString::fromLocal8Bit(render) + QStringLiteral("/fiscal_data_review.png"));
  }

  for (int round = 0; round < 2; ++round) {
    static_cast<QAbstractButton*>(d->GetDlgItem(Dlg::kIdNotIncorporated))->click();
    EXPECT_EQ(d->windowTitle(), "DATOS FISCALES NO INCORPORADOS");
    EXPECT_EQ(Headers(list), (QStringList{"CONCEPTO", "Dato 1 "}));
    EXPECT_EQ(list->item(1, 1)->text(), "Q2866001G");
    static_cast<QAbstractButton*>(d->GetDlgItem(Dlg::kIdIncorporated))->click();
    EXPECT_EQ(d->windowTitle(), "DATOS FISCALES INCORPORADOS");
    EXPECT_EQ(list->rowCount(), 9);
  }

  auto spouse = Make(2);
  spouse->EnsureCreated();
  spouse->ShowListing(false);
  EXPECT_EQ(spouse->List()->columnCount(), 0) << "nothing left out: an empty list";
  EXPECT_TRUE(messages.Codes().empty());
}

TEST_F(FiscalReview, NoRowForTheMemberSaysSo) {
  Store(1, kIncorporated, kNotIncorporated);
  for (int member : {0, 2}) {
    auto d = Make(member);
    EXPECT_FALSE(d->Load()) << member;
  }
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{"100R129", "100R129"}));
}

TEST_F(FiscalReview, PrintsTheListingShownIntoAPdfFile) {
  Store(1, kIncorporated, kNotIncorporated);
  auto d = Make(1);
  d->EnsureCreated();
  const QString pdf = QString::fromStdString((dir.Path() / "review.pdf").string());
  d->runModal = [&pdf](QDialog& dialog) {
    auto& p = dynamic_cast<QPrintDialog&>(dialog);
    p.printer()->setOutputFormat(QPrinter::PdfFormat);
    p.printer()->setOutputFileName(pdf);
    return static_cast<int>(QDialog::Accepted);
  };
  ASSERT_TRUE(d->OnImprimir());
  QFile f(pdf);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.read(5) == "%PDF-");
  const QStringList& t = d->PrintedTexts();
  EXPECT_TRUE(t.contains("DATOS FISCALES INCORPORADOS - NIF: 12345678Z"));
  EXPECT_TRUE(t.contains("Página 1 de 1"));
  // Per group: the title, the field titles side by side, one line per record, the totals.
  const QStringList first = t.mid(t.indexOf("RENDIMIENTOS DEL TRABAJO"), 17);
  EXPECT_EQ(first, (QStringList{"RENDIMIENTOS DEL TRABAJO", "NIF pagador", "Retribución", "Retenciones",
                                "A28000001", "1.200,00", "180,00", "B12345678", "800,50", "96,06",
                                "C87654321", "15,00", "    12", "Totales", "2.015,50", "288,06",
                                "PRESTAMOS HIPOTECARIOS"}));
  EXPECT_TRUE(t.contains("HIP-2003-77-ABCDEF")) << "20 characters print as 18 and the rest";
  EXPECT_TRUE(t.contains("GH"));

  d->ShowListing(false);
  const QString notIncorporated = QString::fromStdString((dir.Path() / "not_incorporated.pdf").string());
  d->runModal = [&notIncorporated](QDialog& dialog) {
    QPrinter* printer = dynamic_cast<QPrintDialog&>(dialog).printer();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(notIncorporated);
    return static_cast<int>(QDialog::Accepted);
  };
  ASSERT_TRUE(d->OnImprimir());
  EXPECT_TRUE(d->PrintedTexts().contains("DATOS FISCALES NO INCORPORADOS - NIF: 12345678Z"));
}

}  // namespace
