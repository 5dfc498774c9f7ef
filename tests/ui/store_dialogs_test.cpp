// The store's windows offscreen: the index lists the store on the grid and follows typing,
// the search enables its accept button, save as returns capitals, the import clash dialog
// refuses a name another entry already took.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/db_fixture.h"
#include "data/store_fixture.h"
#include "ui/store/store_dialogs.h"

namespace {

using namespace ui::store_dlg;
namespace sid = store::index_id;

using Recorder = storetest::MessageRecorder;

class StoreDialogsTest : public dbtest::DeclarationsTest {
 protected:
  store::StoreMessages Messages() { return storetest::RecordedMessages(&rec, nullptr); }
  Recorder rec;
  store::DeclarationStore st{conn, Messages()};
};

TEST_F(StoreDialogsTest, IndexListsTheStoreAndFollowsTyping) {
  ASSERT_TRUE(st.Create("PEREZ", store::kKindForm100));
  ASSERT_TRUE(st.Create("GOMEZ", store::kKindForm714));
  CIndiceDeclaracionesDlg d(st);
  d.show();
  EXPECT_EQ(d.Grid()->GetItemText(1, 1).trimmed(), "PEREZ");
  EXPECT_EQ(d.Grid()->GetItemText(2, 2), "714");
  EXPECT_EQ(d.Text(sid::kTotal), "2");
  EXPECT_EQ(d.Text(sid::kKeyField), "PEREZ");
  auto* key = qobject_cast<QLineEdit*>(d.Control(sid::kKeyField));
  key->setText("NUEVA");
  EXPECT_TRUE(d.IsEnabled(sid::kAlta));
  EXPECT_FALSE(d.IsEnabled(sid::kSeleccionar));
  key->setText("GOMEZ");
  EXPECT_FALSE(d.IsEnabled(sid::kAlta));
  d.Controller().SelectCell(2, 1);
  EXPECT_EQ(d.FocusedRow(), 2);
  EXPECT_EQ(d.Controller().Kind(), 3);
  qobject_cast<QPushButton*>(d.Control(sid::kSeleccionar))->click();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.Controller().ChosenKey(), "GOMEZ");
}

// The index's columns share the grid window's client width (w = width / 12), however wide the
// dialog is, and the first declaration is in view when it opens.
TEST_F(StoreDialogsTest, IndexColumnsFollowTheGridWidthAndTheFirstRowIsShown) {
  ASSERT_TRUE(st.Create("PEREZ", store::kKindForm100));
  CIndiceDeclaracionesDlg d(st);
  d.show();
  EXPECT_EQ(d.Grid()->GetVisibleBodyRange().minRow, 1);
  for (int dialogWidth : {700, 1000}) {
    d.resize(dialogWidth, d.height());
    const int width = d.Grid()->viewport()->width();
    const int w = width / 12;
    EXPECT_EQ(d.Grid()->GetColumnWidth(0), w);
    EXPECT_EQ(d.Grid()->GetColumnWidth(1), width - 3 * w - 25);
    EXPECT_EQ(d.Grid()->GetColumnWidth(2), w);
    EXPECT_EQ(d.Grid()->GetColumnWidth(3), w + 15);
  }
}

// "&" in a name is drawn as itself: the row of "R&D" is wider than the row of "RD" by the "&"
// (as a mnemonic it would be left out and the "D" underlined).
TEST_F(StoreDialogsTest, AnAmpersandInANameIsShownAsItself) {
  ASSERT_TRUE(st.Create("R&D", store::kKindForm100));
  ASSERT_TRUE(st.Create("RD", store::kKindForm100));
  CIndiceDeclaracionesDlg d(st);
  d.show();
  ASSERT_EQ(d.Grid()->GetItemText(1, 1).trimmed(), "R&D");
  const QImage shot = d.Grid()->grab().toImage();
  auto inkWidth = [&](int row) {
    QRect cell;
    EXPECT_TRUE(d.Grid()->GetCellRect(row, 1, cell));
    const QColor paper = shot.pixelColor(cell.right() - 2, cell.center().y());
    int left = cell.right(), right = cell.left();
    for (int y = cell.top() + 1; y < cell.bottom(); ++y)
      for (int x = cell.left() + 1; x < cell.right(); ++x)
        if (shot.pixelColor(x, y) != paper) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
    return right - left;
  };
  const int ampersand = QFontMetrics(d.Grid()->font()).horizontalAdvance(QLatin1Char('&'));
  EXPECT_GE(inkWidth(1) - inkWidth(2), ampersand / 2);
}

TEST_F(StoreDialogsTest, SearchSaveAsAndClash) {
  ASSERT_TRUE(st.Create("MARTA", store::kKindForm714));
  CBuscarDeclaracionDlg s(st, true, false);
  s.NameEdit()->setText("MARTA");
  s.OnBuscar();
  EXPECT_EQ(s.Result()->text(), "Declaración encontrada");
  EXPECT_FALSE(s.AcceptButton()->isEnabled());  // listing only form 100

  CGuardarComoDlg g;
  g.NameEdit()->setText("perez nueva");
  g.accept();
  EXPECT_EQ(g.Name(), "PEREZ NUEVA");
  EXPECT_EQ(g.result(), QDialog::Accepted);

  CDeclaracionExistenteImportDlg c(st, "MARTA", {"", store::PadKey("OTRA")});
  c.SetChoice(2);
  c.NameEdit()->setText("OTRA");
  c.accept();
  EXPECT_EQ(rec.codes.back(), "WIN034");
  c.NameEdit()->setText("NUEVA");
  c.accept();
  EXPECT_EQ(c.Answer().choice, store::ClashChoice::Rename);
  EXPECT_EQ(c.Answer().newName, "NUEVA");

  // A name typed in another case is the stored name: not free for a rename; nor a name the
  // store cannot keep.
  c.NameEdit()->setText("marta");
  c.accept();
  EXPECT_EQ(rec.codes.back(), "WIN034");
  c.NameEdit()->setText("ИВАН");
  c.accept();
  EXPECT_EQ(rec.codes.back(), store::msg::kBadName);

  CDeclaracionExistenteDlg e(st, "MARTA");
  e.NameEdit()->setText("   ");
  e.accept();
  EXPECT_EQ(rec.codes.back(), "WIN035");
  e.NameEdit()->setText("MARTA");
  e.accept();
  EXPECT_EQ(rec.codes.back(), "WIN040");
}

}  // namespace

#include <QListWidget>

#include "ui/store/transfer_dialogs.h"

namespace {

TEST_F(StoreDialogsTest, ExportListSelectAllAndImportPlan) {
  CExportacionDlg empty(st);
  EXPECT_EQ(empty.List()->count(), 0);
  empty.accept();
  EXPECT_NE(empty.result(), QDialog::Accepted);

  ASSERT_TRUE(st.Create("UNO", store::kKindForm714));
  ASSERT_TRUE(st.Create("DOS", store::kKindForm714));
  CExportacionDlg d(st);
  EXPECT_FALSE(d.AcceptButton()->isEnabled());
  d.SelectAll(true);
  EXPECT_TRUE(d.AcceptButton()->isEnabled());
  d.SelectAll(false);
  EXPECT_FALSE(d.AcceptButton()->isEnabled());
  d.SelectRow(1, true);
  d.accept();
  ASSERT_EQ(d.ChosenKeys().size(), 1u);
  EXPECT_EQ(d.ChosenKeys()[0], store::PadKey("DOS"));

  CImportacionDlg i(st, {"TRES", "CUATRO"});
  i.SelectAll(true);
  i.accept();
  EXPECT_EQ(i.result(), QDialog::Accepted);
  EXPECT_TRUE(i.Plan().choices[0].import && i.Plan().choices[1].import);
}

// The import stores what its list showed, though the file changes while the list is open.
TEST_F(StoreDialogsTest, ImportStoresWhatItListed) {
  ASSERT_TRUE(st.Create("UNO", store::kKindForm714));
  const auto before = st.Load("UNO")->block;
  const std::string path = dir.Str() + "x.ren";
  auto write = [&path](const char* key, std::uint8_t fill) {
    std::vector<store::TransferDeclaration> e{
        {key, store::kKindForm714, '0', std::vector<std::uint8_t>(store::kForm714Bytes, fill), {}}};
    ASSERT_TRUE(store::WriteFileAtomically(path, *store::EncodeTransferFile(e)));
  };
  write("DOS", 2);
  const bool imported = ImportDeclarations(st, path, nullptr, [&](QDialog& d) {
    write("UNO", 9);
    auto& list = dynamic_cast<CImportacionDlg&>(d);
    list.SelectAll(true);
    list.accept();
    return list.result();
  });
  EXPECT_TRUE(imported);
  EXPECT_EQ(st.Load("UNO")->block, before);
  EXPECT_TRUE(st.Exists("DOS"));
}

}  // namespace
