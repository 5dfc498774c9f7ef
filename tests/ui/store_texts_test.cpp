// The store dialogs and the "Avisos y errores" window in Catalan: every caption comes from the
// Catalan string table, none is left in Castellano. With QX_SHOT_DIR set, each window is also
// saved there as a picture, in Castellano and in Catalan, for a look by eye.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>

#include <functional>
#include <map>
#include <memory>

#include "checks/corrections_store.h"
#include "checks_fakes.h"
#include "data/db_fixture.h"
#include "data/store_fixture.h"
#include "platform/strings.h"
#include "ui/avisos_errores_dlg.h"
#include "ui/grid/rejilla_ctrl.h"
#include "ui/owner_draw_button.h"
#include "ui/session.h"
#include "ui/store/store_dialogs.h"
#include "ui/store/transfer_dialogs.h"

namespace {

using namespace ui::store_dlg;

struct Texts : checks::IMessageTexts {
  bool Lookup(const std::string& code, std::string& title, std::string& text) override {
    title = "AVISO";
    text = code == "100A001"
               ? "Texto largo de un aviso que no cabe en una sola línea de la lista: la descripción ocupa el "
                 "ancho que dejan las otras columnas y la fila crece hasta mostrarlo entero."
               : "Error breve.";
    return true;
  }
};

struct Host : checks::IAvisosHost {
  bool IsForm714() const override { return false; }
  int ValidatedMember() const override { return 2; }
  void SetShownMember(int) override {}
  void GoToPage(int, int) override {}
  void PrintDeclaration() override {}
  void SetPrintOrFile(bool) override {}
  bool HasAssignmentMarks(int) const override { return false; }
  int AskTaxAssignmentChoice(int, bool, const std::string&) override { return 1; }
  bool Save() override { return true; }
  void NoteBothSpousesPrinted() override {}
};

// The visible captions of a window: its title, labels, buttons, group boxes and grid headings.
// `dataIds`: controls that show data (names, counts), not captions.
QStringList Captions(QWidget& w, const QSet<int>& dataIds) {
  QStringList out{w.windowTitle()};
  for (QWidget* c : w.findChildren<QWidget*>()) {
    if (dataIds.contains(ui::ControlId(c))) continue;
    if (auto* l = qobject_cast<QLabel*>(c)) out << l->text();
    else if (auto* b = qobject_cast<QAbstractButton*>(c)) out << b->text();
    else if (auto* g = qobject_cast<QGroupBox*>(c)) out << g->title();
    else if (auto* grid = qobject_cast<CRejillaCtrl*>(c))
      for (int col = 0; col < grid->GetColumnCount(); ++col) out << grid->GetItemText(0, col);
  }
  out.removeAll(QString());
  return out;
}

QSet<QString> TableTexts(char letter, const std::vector<int>& ids) {
  QSet<QString> texts;
  for (int id : ids) {
    // A label without a buddy shows its text without the mnemonic mark.
    texts.insert(platform::Strings(letter).Get(id));
    texts.insert(platform::Strings(letter).Get(id).remove(QLatin1Char('&')));
  }
  return texts;
}

class StoreTextsTest : public dbtest::DeclarationsTest, public ::testing::WithParamInterface<char> {
 protected:
  void SetUp() override {
    dbtest::DeclarationsTest::SetUp();
    platform::SetLanguage(GetParam());
  }
  void TearDown() override {
    platform::SetLanguage('e');
    dbtest::DeclarationsTest::TearDown();
  }

  // Shows the window; checks its captions against the tables; saves its picture when asked.
  void Check(QWidget& w, const char* name, const QSet<int>& dataIds = {}) {
    w.show();
    const QStringList captions = Captions(w, dataIds);
    EXPECT_FALSE(captions.isEmpty()) << name;
    if (GetParam() == 'c') {
      for (const QString& caption : captions) {
        EXPECT_TRUE(catalan.contains(caption)) << name << ": \"" << caption.toStdString() << "\" is not Catalan";
        EXPECT_FALSE(castellano.contains(caption) && !catalan.contains(caption)) << name;
      }
    }
    if (const QByteArray dir = qgetenv("QX_SHOT_DIR"); !dir.isEmpty())
      w.grab().save(QStringLiteral("%1/%2-%3.png").arg(QString::fromLocal8Bit(dir), QLatin1String(name), QChar(GetParam())));
    w.hide();
  }

  static std::vector<int> AllIds() {
    std::vector<int> ids;
    for (int id = 0; id < 100000; ++id)
      if (platform::Strings('e').Has(id)) ids.push_back(id);
    return ids;
  }

  storetest::MessageRecorder rec;
  store::DeclarationStore st{conn, storetest::RecordedMessages(&rec, nullptr)};
  QSet<QString> catalan = TableTexts('c', AllIds());
  QSet<QString> castellano = TableTexts('e', AllIds());
};

TEST_P(StoreTextsTest, StoreDialogsShowTheLanguageOfTheInterface) {
  ASSERT_TRUE(st.Create("PEREZ", store::kKindForm100));
  namespace sid = store::index_id;
  {
    CIndiceDeclaracionesDlg d(st);
    Check(d, "index", {sid::kTotal});
  }
  {
    CBuscarDeclaracionDlg d(st, true, true);
    d.NameEdit()->setText("PEREZ");
    d.OnBuscar();
    Check(d, "search");
  }
  {
    CGuardarComoDlg d;
    d.SetName("PEREZ");
    Check(d, "saveas");
  }
  {
    CDeclaracionExistenteDlg d(st, "PEREZ");
    Check(d, "taken", {1057});
  }
  {
    CDeclaracionExistenteImportDlg d(st, "PEREZ", {});
    Check(d, "clash", {1057});
  }
  {
    CExportacionDlg d(st);
    Check(d, "export");
  }
  {
    CImportacionDlg d(st, {"PEREZ", "GOMEZ"});
    Check(d, "import");
  }
  {
    CImportacionPatrimonioDlg d(st, "/nonexistent/DatRed2002.db", 50);
    Check(d, "lastyear");
  }
}

TEST_P(StoreTextsTest, AvisosWindowShowsTheLanguageOfTheInterface) {
  checks::InMemoryCorrectionsStore corrections;
  const std::string key = store::PadKey("PEREZ");
  corrections.rows.push_back({key, "100A001", 4, 3, 0, 7, 2});
  corrections.rows.push_back({key, "100R002", 4, 3, 1, 8, 3});
  Texts texts;
  RecordingMessages messages;
  Host host;
  checks::CAvisosErroresDlg d(corrections, texts, messages, host);
  d.SetDeclarationKey("PEREZ");
  d.SetValidationResult(1);
  ASSERT_TRUE(d.Initialize());
  // Descriptions: data of the message table, not captions of the window.
  auto* grid = static_cast<CRejillaCtrl*>(d.Control(checks::CAvisosErroresDlg::kIdGrid));
  Check(d, "avisos");
  // The long description wraps inside the column that the other two leave.
  EXPECT_EQ(grid->GetColumnWidth(1), grid->viewport()->width() - grid->GetColumnWidth(0) - 110);
  EXPECT_GT(grid->GetRowHeight(1), grid->GetRowHeight(2));
  EXPECT_EQ(grid->GetItemFormat(1, 1) & qx::grid::kFmtSingleLine, 0u);
  using W = checks::CAvisosErroresDlg;
  for (int id : {W::kIdReview, W::kIdPrint, W::kIdPrintList, W::kIdDetailed, W::kIdCancel}) {
    auto* button = dynamic_cast<COwnerDrawButton*>(d.Control(id));
    ASSERT_NE(button, nullptr) << id;
    EXPECT_TRUE(button->HasIcon()) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, StoreTextsTest, ::testing::Values('e', 'c'));

// With the accessible display the index and the findings keep the system's colours; otherwise
// their cells are pale yellow.
class AccessibleDisplayTest : public dbtest::DeclarationsTest {
 protected:
  void TearDown() override {
    ui::CurrentSession().plainColours = false;
    dbtest::DeclarationsTest::TearDown();
  }
  static QColor CellBackground(CRejillaCtrl* grid, int row, int col) {
    qx::grid::GridItemInfo info;
    info.row = row;
    info.col = col;
    info.mask = qx::grid::kMaskBackground;
    grid->GetItem(info);
    return info.background.isValid() ? info.background : grid->GetCellBackground();
  }
  storetest::MessageRecorder rec;
  store::DeclarationStore st{conn, storetest::RecordedMessages(&rec, nullptr)};
};

TEST_F(AccessibleDisplayTest, GridsUseSystemColoursOnlyWhenAccessible) {
  ASSERT_TRUE(st.Create("PEREZ", store::kKindForm100));
  checks::InMemoryCorrectionsStore corrections;
  corrections.rows.push_back({store::PadKey("PEREZ"), "100A001", 4, 3, 0, 7, 2});
  Texts texts;
  RecordingMessages messages;
  Host host;
  const QColor paleYellow(255, 255, 224);
  for (bool plain : {false, true}) {
    ui::CurrentSession().plainColours = plain;
    CIndiceDeclaracionesDlg index(st);
    EXPECT_EQ(CellBackground(index.Grid(), 1, 1), plain ? index.Grid()->palette().color(QPalette::Base) : paleYellow)
        << plain;
    checks::CAvisosErroresDlg avisos(corrections, texts, messages, host);
    avisos.SetDeclarationKey("PEREZ");
    avisos.SetValidationResult(1);
    ASSERT_TRUE(avisos.Initialize());
    auto* grid = static_cast<CRejillaCtrl*>(avisos.Control(checks::CAvisosErroresDlg::kIdGrid));
    EXPECT_EQ(CellBackground(grid, 1, 1) == paleYellow, !plain);
  }
}

}  // namespace
