// The box editors that open dialogs or look codes up: the selection edit opening the element-kind
// dialog on a row's byte, the code edit checking a municipality code, the sub-dialog box edit.
#include <QAbstractButton>
#include <QRadioButton>

#include "annex_fixture.h"
#include "ui/annex_dlg.h"
#include "ui/codigo_descripcion.h"
#include "ui/sel_str_edit.h"
#include "ui/sub_dialog_edit.h"

namespace {

using annextest::AnnexTest;

// Records what the edits tell their window.
class Host : public QWidget, public ui::IEditHost {
 public:
  bool IsDialogHost() const override { return true; }
  // The codes of the box editors (the edit notifications of focus and text are left out).
  int OnCommand(int, int code) override {
    if (code > 0x400) codes.push_back(code);
    return 1;
  }
  void OnHostKeyDown(int, Qt::KeyboardModifiers) override {}
  void OnHostChar(int, Qt::KeyboardModifiers) override {}
  std::vector<int> codes;
};

class BoxEditors : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    messages.observePlain = [this](const PlainMessage& m) { plain.push_back(m.stringId); };
  }
  std::vector<int> plain;
  Host host;
};

TEST_F(BoxEditors, TheSelectionEditOpensTheElementKindOnItsRowAndWritesTheByteBackOnOk) {
  std::array<std::uint8_t, 32> row{};
  row[21] = '3';
  ui::AnnexPointerList list{row.data(), nullptr, nullptr, 0, 0};
  CBoxField box;
  box.StrValidac = "S1";
  box.width = 1;
  box.NombreVent = "IDD_TIPOELEMPATRIM";
  box.data = row.data() + 21;
  box.option = &list;
  CSelStrEdit e(&box, nullptr, &host);
  bool wasChecked = false;
  qxtest::WhenModal([&](QWidget* m) {
    wasChecked = static_cast<QRadioButton*>(ui::FindControl(m, 24601))->isChecked();
    auto* seven = static_cast<QAbstractButton*>(ui::FindControl(m, 24648));
    QTest::mouseClick(seven, Qt::LeftButton, {}, QPoint(6, seven->height() / 2));
    static_cast<QAbstractButton*>(ui::FindControl(m, ui::IDOK))->click();
  });
  QTest::keyClick(&e, Qt::Key_F7);
  EXPECT_TRUE(wasChecked) << "the dialog shows the row's kind";
  EXPECT_EQ(row[21], '7');
  EXPECT_EQ(host.codes, (std::vector<int>{ui::kNotifySubDialogValue, ui::kNotifyValueStored}));

  // Cancel leaves the byte and tells nobody.
  host.codes.clear();
  qxtest::WhenModal([](QWidget* m) { static_cast<QAbstractButton*>(ui::FindControl(m, ui::IDCANCEL))->click(); });
  QTest::keyClick(&e, Qt::Key_A);
  EXPECT_EQ(row[21], '7');
  EXPECT_TRUE(host.codes.empty());
}

TEST_F(BoxEditors, ASelectionEditWithoutDataSaysSo) {
  CBoxField box;
  box.StrValidac = "S5";
  box.width = 5;
  box.NombreVent = "IDD_TIPOELEMPATRIM";
  CSelStrEdit e(&box, nullptr, &host);
  QTest::keyClick(&e, Qt::Key_F7);
  EXPECT_EQ(plain, std::vector<int>{362});
}

TEST_F(BoxEditors, TheCodeEditLooksTheMunicipalityUpUnderItsProvince) {
  std::array<char, 3> code{'0', '0', '1'};
  std::array<char, 18> description{};
  const char province[2] = {'2', '8'};
  ui::LookupLink link{description.data(), description.size(), province, 2};
  CBoxField box;
  box.StrValidac = "G3";
  box.width = 3;
  box.FicheroTab = "MUNICIPE.TAB";
  box.data = code.data();
  box.option = &link;
  CCodigoDescripcion e(&box, &annextest::LocalDatabase::Get(), &host);
  e.setFocus();
  e.selectAll();
  QTest::keyClicks(&e, QStringLiteral("079"));
  QTest::keyClick(&e, Qt::Key_Tab);
  EXPECT_EQ(std::string(description.data(), 6), "MADRID");
  EXPECT_EQ(description[6], '\0') << "the rest of the description is cleared";
  e.StoreToData();
  EXPECT_EQ(std::string(code.data(), 3), "079");

  // A code the table does not hold: the message and the old code again.
  e.selectAll();
  QTest::keyClicks(&e, QStringLiteral("999"));
  QTest::keyClick(&e, Qt::Key_Tab);
  EXPECT_EQ(messages.Codes().back(), QStringLiteral("100R128"));
  EXPECT_EQ(e.text(), QStringLiteral("079"));
  // Letters are refused.
  QTest::keyClick(&e, Qt::Key_A);
  EXPECT_FALSE(e.text().contains(u'A'));
}

TEST_F(BoxEditors, TheSubDialogBoxSaysWhatItCannotOpen) {
  std::array<std::uint8_t, 5> marks{1, 0, 0, 0, 0};
  struct Case {
    const char* name;
    void* option;
    int plainId;          // 0 none
    const char* code;     // coded message, or null
  };
  const Case cases[] = {{"IDD_CERTIFICADO", nullptr, 362, nullptr},
                        {"IDD_NOSUCH", marks.data(), 363, nullptr},
                        {"IDD_DFDISCONF*1", marks.data(), 0, "WIN1102"}};  // its class lives with the wizards
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    plain.clear();
    const std::size_t before = messages.shown.size();
    CBoxField box;
    box.StrValidac = "B1";
    box.NombreVent = c.name;
    box.data = marks.data();
    box.option = c.option;
    CSubDialogEdit e(&box, &host);
    EXPECT_EQ(e.OpenSubDialog(), 1);
    EXPECT_EQ(plain, c.plainId ? std::vector<int>{c.plainId} : std::vector<int>{});
    EXPECT_EQ(messages.shown.size(), before + (c.code ? 1 : 0));
    EXPECT_EQ(marks[0], 1) << "nothing changed";
  }
}

TEST_F(BoxEditors, DeleteClearsAChurchMarkButNotACertificate) {
  std::array<std::uint8_t, 5> marks{1, 0, 0, 0, 0};
  for (const char* name : {"IDD_IGLESIAS", "IDD_CERTIFICADO"}) {
    host.codes.clear();
    CBoxField box;
    box.StrValidac = "B1";
    box.NombreVent = name;
    box.data = marks.data();
    box.option = marks.data();
    CSubDialogEdit e(&box, &host);
    e.LoadFromData(0);
    QTest::keyClick(&e, Qt::Key_Delete);
    const bool church = std::string(name) == "IDD_IGLESIAS";
    EXPECT_EQ(e.text().trimmed().isEmpty(), church) << name;
    EXPECT_EQ(!host.codes.empty() && host.codes.back() == ui::kNotifyValueCleared, church) << name;
    EXPECT_EQ(marks[0], 1) << "the data is left to the window";
  }
}

}  // namespace
