// The annex kernel driven with real keys and clicks: lookup lists read through the catalogue, the
// holder selector's modes, the launcher's copy-in / copy-back-on-OK, a row dialog in a member view,
// and every entry of the launch table.
#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <cstring>

#include "annex/rtonetatrentas_dlg.h"
#include "annex_fixture.h"
#include "ui/annex_dlg.h"
#include "ui/box_edit.h"
#include "ui/launch_table.h"
#include "ui/launcher_edit.h"
#include "ui/lista_edit.h"
#include "platform/cp1252.h"
#include "ui/titular_edit.h"

namespace {

using ui::Ctl;
using annextest::AnnexTest;

// A test block: community name and code, municipality name, code and province, country, holder,
// amount (the annex of the launcher), a mark and a radio code.
namespace tb {
inline constexpr std::size_t kSize = 128;
inline constexpr blocks::Text CommunityName{0, 30};
inline constexpr blocks::Text CommunityCode{30, 2};
inline constexpr blocks::Text TownName{32, 40};
inline constexpr blocks::Text TownCode{72, 3};
inline constexpr blocks::Text Province{75, 2};
inline constexpr blocks::Text Country{80, 3};
inline constexpr blocks::U8 Holder{84};
inline constexpr blocks::F64 Amount{88};
inline constexpr blocks::U8 Mark{96};
inline constexpr blocks::U8 Choice{97};
inline constexpr blocks::Text Note{100, 20};
}  // namespace tb

enum : int { kCommunity = 101, kTown = 102, kCountry = 103, kHolder = 104, kLauncher = 105, kMark = 106,
             kRadioA = 107, kRadioB = 108, kNote = 109, kCombo = 110, kBoxA = 120, kBoxB = 121 };

constexpr ui::ControlDef kControls[] = {
    {.id = kCommunity, .kind = Ctl::Lista, .row = 0, .col = 0, .width = 30, .field = tb::CommunityName,
     .table = "COMAUTOE.TAB"},
    {.id = kTown, .kind = Ctl::Lista, .row = 1, .col = 0, .width = 40, .field = tb::TownName, .table = "MUNICIPE.TAB"},
    {.id = kCountry, .kind = Ctl::Lista, .row = 2, .col = 0, .width = 3, .field = tb::Country, .table = "PAISES_E.TAB"},
    {.id = kHolder, .kind = Ctl::Titular, .row = 3, .col = 0, .field = tb::Holder, .options = ui::kOptMemberEditable},
    {.id = kLauncher, .kind = Ctl::Launcher, .row = 4, .col = 0, .width = 8, .decimals = 2, .field = tb::Amount,
     .table = "IDD_RTONETATRENTAS;RENDIMIENTO ATRIBUIDO"},
    {.id = kMark, .kind = Ctl::Box, .row = 5, .col = 0, .field = tb::Mark},
    {.id = kBoxA, .kind = Ctl::GroupBox, .row = 6, .col = 0},
    {.id = kBoxB, .kind = Ctl::GroupBox, .row = 7, .col = 0},
    {.id = kRadioA, .kind = Ctl::Radio, .text = "A", .row = 0, .col = 0, .group = kBoxA, .field = tb::Choice,
     .radioGroup = 1, .code = 'A'},
    {.id = kRadioB, .kind = Ctl::Radio, .text = "B", .row = 0, .col = 0, .group = kBoxB, .field = tb::Choice,
     .radioGroup = 1, .code = 'B'},
    {.id = kNote, .kind = Ctl::MultiLine, .row = 9, .col = 0, .width = 20, .field = tb::Note},
    {.id = kCombo, .kind = Ctl::Combo, .row = 10, .col = 0, .width = 10},
    {.id = ui::IDOK, .kind = Ctl::Ok, .text = "OK", .row = 8, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .text = "Cancel", .row = 8, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = 9900, .caption = "Kernel", .controls = kControls};

// The annex in the declaration that the launcher stands for.
struct Declaration {
  std::array<std::uint8_t, 24> annex{};
};

class KernelDlg : public ui::CAnnexDlg {
 public:
  KernelDlg(int holderMode, Declaration* declaration)
      : CAnnexDlg(kTemplate, tb::kSize, {nullptr, holderMode, 0}), declaration_(declaration) {}
  void OnInitAnnex() override {
    community_ = {Data() + tb::CommunityCode.off, tb::CommunityCode.width, nullptr, 0};
    town_ = {Data() + tb::TownCode.off, tb::TownCode.width, Data() + tb::Province.off, tb::Province.width};
    Edit(kCommunity)->SetOption(&community_);
    Edit(kTown)->SetOption(&town_);
    if (declaration_) Edit(kLauncher)->SetOption(declaration_->annex.data());
  }
  int OnCommand(int id, int code) override {
    notes.emplace_back(id, code);
    return CAnnexDlg::OnCommand(id, code);
  }
  bool Got(int id, int code) const { return std::find(notes.begin(), notes.end(), std::pair{id, code}) != notes.end(); }
  std::vector<std::pair<int, int>> notes;

 private:
  Declaration* declaration_;
  ui::LookupLink community_, town_;
};

class Kernel : public AnnexTest {
 protected:
  void Open(int holderMode = 0) {
    dlg = std::make_unique<KernelDlg>(holderMode, &declaration);
    dlg->EnsureCreated();
    ASSERT_TRUE(qxtest::ShowActive(dlg.get()));
  }
  CListaEdit* Lookup(int id) { return dlg->Item<CListaEdit>(id); }
  std::string Field(blocks::Text t) { return std::string(t.trimmed(dlg->Data())); }
  int CountRows(const char* table, const db::Filter& f) {
    db::CAdoRecordset rs;
    int n = 0;
    if (rs.Open(table, &annextest::LocalDatabase::Get(), f))
      for (bool more = true; more && !rs.IsEOF(); more = rs.MoveNext()) ++n;
    return n;
  }
  void TearDown() override {
    dlg.reset();
    AnnexTest::TearDown();
  }
  Declaration declaration;
  std::unique_ptr<KernelDlg> dlg;
};

TEST_F(Kernel, CommunityChosenFromTheListWritesItsCodeAndShowsItsName) {
  Open();
  CListaEdit* e = Lookup(kCommunity);
  ASSERT_NE(e->Button(), nullptr) << "the drop button sits at the edit's right edge";
  EXPECT_EQ(e->Button()->geometry().right(), e->geometry().right());
  QTest::mouseClick(e->Button(), Qt::LeftButton);
  ASSERT_TRUE(e->ListOpen());
  QListWidget* list = e->List();
  EXPECT_EQ(list->count(), CountRows("COMAUTOE", {}));
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("ANDALUCÍA"));
  QTest::keyClicks(list, QStringLiteral("GAL"));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_FALSE(e->ListOpen());
  EXPECT_EQ(e->text(), QStringLiteral("GALICIA"));
  EXPECT_EQ(Field(tb::CommunityCode), "11");
  EXPECT_EQ(Field(tb::CommunityName), "GALICIA");
  EXPECT_TRUE(dlg->Got(kCommunity, ui::kNotifyValueStored));
}

TEST_F(Kernel, MunicipalitiesAreFilteredByTheProvinceAndTheChosenCodeIsWritten) {
  Open();
  tb::Province.set(dlg->Data(), "28");
  CListaEdit* e = Lookup(kTown);
  QTest::mouseClick(e->Button(), Qt::LeftButton);
  ASSERT_TRUE(e->ListOpen());
  const int madrid = CountRows("MUNICIPE", db::Filter::Eq("PROVINCIA", "28"));
  EXPECT_GT(madrid, 150);
  EXPECT_EQ(e->List()->count(), madrid) << "only the province's municipalities";
  QTest::keyClicks(e->List(), QStringLiteral("MADRID"));
  QTest::keyClick(e->List(), Qt::Key_Return);
  EXPECT_EQ(e->text(), QStringLiteral("MADRID"));
  EXPECT_EQ(Field(tb::TownCode), "079");

  // Without the province the list is refused.
  tb::Province.set(dlg->Data(), "  ");
  QTest::mouseClick(e->Button(), Qt::LeftButton);
  EXPECT_FALSE(e->ListOpen());
  EXPECT_EQ(messages.Codes().back(), QStringLiteral("WIN063"));
}

TEST_F(Kernel, ALetterFindsTheFirstCountryAndTheSameLetterAgainOpensTheList) {
  Open();
  CListaEdit* e = Lookup(kCountry);
  e->setFocus();
  QTest::keyClick(e, Qt::Key_F);
  EXPECT_FALSE(e->ListOpen());
  EXPECT_EQ(Field(tb::Country), "FI") << "the key of the first country named with F";
  EXPECT_EQ(e->text(), QStringLiteral("FI"));
  QTest::keyClick(e, Qt::Key_F);
  EXPECT_TRUE(e->ListOpen());
  e->CloseList();
  // A blank clears the value and tells the host.
  QTest::keyClick(e, Qt::Key_Space);
  EXPECT_EQ(Field(tb::Country), "");
  EXPECT_TRUE(dlg->Got(kCountry, ui::kNotifyValueCleared));
  // The clipboard keys are refused.
  QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(e->text(), QString());
}

TEST_F(Kernel, TheLanguageLetterChoosesTheTableOfTheList) {
  platform::SetLanguage('c');
  Open();
  CListaEdit* e = Lookup(kCountry);
  QTest::mouseClick(e->Button(), Qt::LeftButton);
  ASSERT_TRUE(e->ListOpen());
  bool spain = false;
  for (int i = 0; i < e->List()->count(); ++i) spain = spain || e->List()->item(i)->text() == QStringLiteral("ESPANYA");
  EXPECT_TRUE(spain) << "the Catalan table PAISES_C";
  e->CloseList();
  platform::SetLanguage('e');
}

struct HolderCase {
  int mode, shown;
  std::array<int, 5> household;
  Qt::Key key;
  int stored;       // the byte afterwards (0 unchanged from 0)
  const char* shownText;
};

class HolderModes : public Kernel, public ::testing::WithParamInterface<HolderCase> {};

TEST_P(HolderModes, TheModeAndTheHouseholdDecideWhichLettersAreTaken) {
  const HolderCase& c = GetParam();
  qxtest::MemberView view(c.shown, c.household);
  Open(c.mode);
  CTitularEdit* e = dlg->Item<CTitularEdit>(kHolder);
  e->setFocus();
  QTest::keyClick(e, c.key);
  EXPECT_EQ(tb::Holder.get(dlg->Data()), c.stored);
  EXPECT_EQ(e->text().trimmed(), QString::fromUtf8(c.shownText));
}

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0}, kSingleWithChild{1, 1, 0, 1, 0}, kCoupleChild1{1, 1, 1, 1, 0};
INSTANTIATE_TEST_SUITE_P(
    Cases, HolderModes,
    ::testing::Values(HolderCase{2, 1, kCouple, Qt::Key_C, 3, "CÓNYUGE"}, HolderCase{2, 1, kCouple, Qt::Key_O, 0, ""},
                      HolderCase{2, 1, kCouple, Qt::Key_1, 0, ""},
                      HolderCase{0, 1, kSingleWithChild, Qt::Key_O, 0, ""},
                      HolderCase{0, 1, kSingleWithChild, Qt::Key_1, 4, "HIJO 1º"},
                      HolderCase{4, 1, kCoupleChild1, Qt::Key_1, 4, "HIJO 1º"},
                      HolderCase{4, 1, kCoupleChild1, Qt::Key_2, 0, ""},
                      HolderCase{1, 1, kCouple, Qt::Key_C, 0, ""},
                      HolderCase{0, 3, kCouple, Qt::Key_D, 3, "DECLARANTE"},
                      HolderCase{0, 3, kCouple, Qt::Key_C, 0, ""}));

TEST_F(Kernel, TheHolderListOffersOnlyTheHoldersOfTheHousehold) {
  qxtest::MemberView view(1, kSingleWithChild);
  Open(0);
  CTitularEdit* e = dlg->Item<CTitularEdit>(kHolder);
  QTest::mouseClick(e->Button(), Qt::LeftButton);
  ASSERT_TRUE(e->ListOpen());
  QStringList lines;
  for (int i = 0; i < e->List()->count(); ++i) lines << e->List()->item(i)->text();
  EXPECT_EQ(lines, (QStringList{QStringLiteral("<BORRAR>"), QStringLiteral("DECLARANTE"), QStringLiteral("HIJO 1º")}));
  QTest::keyClick(e->List(), Qt::Key_Down);
  QTest::keyClick(e->List(), Qt::Key_Return);
  EXPECT_EQ(tb::Holder.get(dlg->Data()), 2);
  // Delete asks the host, which allows it: the holder is cleared.
  QTest::keyClick(e, Qt::Key_Delete);
  EXPECT_EQ(tb::Holder.get(dlg->Data()), 0);
  EXPECT_TRUE(dlg->Got(kHolder, ui::kNotifyValueCleared));
}

TEST_F(Kernel, CheckMarkAndRadioGroupAcrossGroupBoxes) {
  Open();
  auto* mark = dlg->Item<CBoxEdit>(kMark);
  mark->setFocus();
  QTest::keyClick(mark, Qt::Key_X);
  EXPECT_EQ(tb::Mark.get(dlg->Data()), 1);
  QTest::keyClick(mark, Qt::Key_Space);
  EXPECT_EQ(tb::Mark.get(dlg->Data()), 0);
  QTest::keyClick(mark, Qt::Key_Q);
  EXPECT_EQ(mark->text(), QStringLiteral(" "));
  // The two buttons sit in different group boxes but form one group stored as one code byte.
  auto* a = dlg->Item<QRadioButton>(kRadioA);
  auto* b = dlg->Item<QRadioButton>(kRadioB);
  // A click on the indicator (a radio button takes clicks on its indicator and its text only).
  QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(6, a->height() / 2));
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
  EXPECT_TRUE(b->isChecked());
  EXPECT_FALSE(a->isChecked());
  dlg->UpdateAll(true);
  EXPECT_EQ(tb::Choice.get(dlg->Data()), 'B');
}

TEST_F(Kernel, AMultiLineTextIsStoredUpperCaseWithinItsWidthAndTypingIsTold) {
  Open();
  QWidget* note = dlg->GetDlgItem(kNote);
  note->setFocus();
  QTest::keyClicks(note, QStringLiteral("calle mayor"));
  QTest::keyClick(note, Qt::Key_Return);
  qxtest::Type(note, QStringLiteral("nº 12 y algo mas"));
  dlg->GetDlgItem(kCombo)->setFocus();
  EXPECT_EQ(platform::Cp1252ToUtf8(std::string(tb::Note.raw(dlg->Data()))), "CALLE MAYOR Nº 12 Y ");
  EXPECT_TRUE(dlg->Got(kNote, ui::kEnChange));
  QTest::keyClicks(dlg->GetDlgItem(kCombo), QStringLiteral("28"));
  EXPECT_TRUE(dlg->Got(kCombo, ui::kEnChange)) << "the combo box's text changes are told as an edit's";
}

// ---------------------------------------------------------------- launcher

TEST_F(Kernel, TheLauncherOpensItsDialogOnACopyAndCopiesBackOnlyOnOk) {
  Open();
  auto* l = dlg->Item<CDialogLauncherEdit>(kLauncher);
  ASSERT_NE(l->Button(), nullptr);
  const Declaration before = declaration;

  // Cancel after typing: the declaration's bytes stay as they were; the digit typed is not shown.
  QString caption;
  qxtest::WhenModal([&](QWidget* m) {
    caption = m->windowTitle();
    auto* dividends = ui::FindControl(m, 24706);
    dividends->setFocus();
    QTest::keyClicks(dividends, QStringLiteral("1000"));
    QTest::keyClick(ui::FindControl(m, 24707), Qt::Key_Tab);
    static_cast<QAbstractButton*>(ui::FindControl(m, ui::IDCANCEL))->click();
  });
  l->setFocus();
  QTest::keyClick(l, Qt::Key_5);
  EXPECT_EQ(caption, QStringLiteral("RENDIMIENTO ATRIBUIDO"));
  EXPECT_EQ(declaration.annex, before.annex);
  EXPECT_FALSE(l->text().contains(u'5'));
  EXPECT_FALSE(dlg->Got(kLauncher, ui::kNotifySubDialogValue));

  // OK: the dialog's block goes back and the host hears 0x402.
  qxtest::WhenModal([&](QWidget* m) {
    auto* dividends = ui::FindControl(m, 24706);
    dividends->setFocus();
    QTest::keyClicks(dividends, QStringLiteral("1000"));
    QTest::keyClick(dividends, Qt::Key_Tab);
    static_cast<QAbstractButton*>(ui::FindControl(m, ui::IDOK))->click();
  });
  QTest::mouseClick(l->Button(), Qt::LeftButton);
  EXPECT_EQ(annex::rtonetatrentas::DividendYield.get(declaration.annex.data()), 1000.0);
  EXPECT_TRUE(dlg->Got(kLauncher, ui::kNotifySubDialogValue));
  // Delete never clears the amount behind a launcher.
  QTest::keyClick(l, Qt::Key_Delete);
  EXPECT_EQ(annex::rtonetatrentas::DividendYield.get(declaration.annex.data()), 1000.0);
}

// The digits typed on after the one that opened the dialog never land in the dialog's focused
// field (it may stand for another amount); once the user moves (Tab, a click), typing goes in.
TEST_F(Kernel, KeysTypedWhileTheLaunchersDialogOpensAreDropped) {
  Open();
  auto* l = dlg->Item<CDialogLauncherEdit>(kLauncher);
  QString typedAhead, afterTab, afterClick;
  qxtest::WhenModal([&](QWidget* m) {
    QWidget* first = QApplication::focusWidget();
    ASSERT_NE(first, nullptr);
    qxtest::Type(first, QStringLiteral("2345"));
    if (auto* e = qobject_cast<QLineEdit*>(first)) typedAhead = e->text();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* next = QApplication::focusWidget();
    qxtest::Type(next, QStringLiteral("7"));
    if (auto* e = qobject_cast<QLineEdit*>(next)) afterTab = e->text();
    static_cast<QAbstractButton*>(ui::FindControl(m, ui::IDCANCEL))->click();
  });
  l->setFocus();
  qxtest::Type(l, QStringLiteral("1"));
  EXPECT_FALSE(typedAhead.contains(QStringLiteral("2345"))) << typedAhead.toStdString();
  EXPECT_FALSE(typedAhead.contains(u'2')) << typedAhead.toStdString();
  EXPECT_TRUE(afterTab.contains(u'7')) << afterTab.toStdString();

  // A click in the dialog is a move too.
  qxtest::WhenModal([&](QWidget* m) {
    auto* dividends = ui::FindControl(m, 24706);
    QTest::mouseClick(dividends, Qt::LeftButton);
    qxtest::Type(dividends, QStringLiteral("12"));
    if (auto* e = qobject_cast<QLineEdit*>(dividends)) afterClick = e->text();
    static_cast<QAbstractButton*>(ui::FindControl(m, ui::IDCANCEL))->click();
  });
  qxtest::Type(l, QStringLiteral("9"));
  EXPECT_TRUE(afterClick.contains(QStringLiteral("12"))) << afterClick.toStdString();
}

TEST(LauncherDescriptor, NamePartsGiveTheNameTheVariantAndTheHolderMode) {
  struct Case {
    const char* descriptor;
    bool boxForm;
    const char* name;
    int n, m;
    const char* title;
  };
  const Case cases[] = {{"IDD_CUENVIVI*1*3", false, "IDD_CUENVIVI", 1, 3, ""},
                        {"IDD_TIT2DAT1", true, "IDD_TIT2DAT1", 0, 0, ""},
                        {"IDD_TIT2DAT1", false, "IDD_TIT2DAT1", -1, 0, ""},
                        {"IDD_MATMESES*7", false, "IDD_MATMESES", 7, 0, ""},
                        {"IDD_VALADQ96;VALOR DE ADQUISICIÓN", false, "IDD_VALADQ96", -1, 0, "VALOR DE ADQUISICIÓN"}};
  for (const Case& c : cases) {
    std::unique_ptr<CDialogLauncherEdit> e;
    CBoxField box;
    if (c.boxForm) {
      box.NombreVent = c.descriptor;
      e = std::make_unique<CDialogLauncherEdit>(&box);
    } else {
      e = std::make_unique<CDialogLauncherEdit>(8, 2, c.descriptor);
    }
    EXPECT_EQ(e->DialogName(), c.name) << c.descriptor;
    EXPECT_EQ(e->VariantIndex(), c.n) << c.descriptor;
    EXPECT_EQ(e->HolderMode(), c.m) << c.descriptor;
    EXPECT_EQ(e->Title(), c.title) << c.descriptor;
  }
}

TEST_F(Kernel, UnknownNamesAndMissingAnnexesOpenNothingAndSaySo) {
  std::array<std::uint8_t, 24> annex{};
  CDialogLauncherEdit lowerCase(8, 2, "idd_rtonetatrentas");
  lowerCase.SetOption(annex.data());
  EXPECT_EQ(lowerCase.Launch(), 1);
  EXPECT_EQ(messages.Codes().back(), QStringLiteral("WIN011"));
  CDialogLauncherEdit noAnnex(8, 2, "IDD_RTONETATRENTAS");
  EXPECT_EQ(noAnnex.Launch(), 1);
  EXPECT_EQ(messages.Codes().back(), QStringLiteral("WIN052"));
}

// Every name of the launch table resolves to its entry, and every entry either opens its dialog on
// a block of its size or says, in one message, that the dialog is not part of this program yet.
TEST_F(Kernel, EveryLaunchEntryResolvesByName) {
  ASSERT_EQ(ui::LaunchTable().size(), 99u);
  std::vector<std::uint8_t> block(4096);
  double amount = 0.0;
  std::uint8_t byte = 0;
  ui::AnnexPointerList list{block.data(), &amount, &amount, 0, 2};
  int opened = 0, notBuilt = 0;
  for (const ui::LaunchEntry& e : ui::LaunchTable()) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(ui::FindDialogId(e.name), e.id);
    ASSERT_NE(ui::FindLaunchEntry(e.id), nullptr);
    EXPECT_STREQ(ui::FindLaunchEntry(e.id)->name, e.name);
    if (e.list == ui::LaunchList::Byte) list.item1 = &byte;
    else list.item1 = &amount;
    CDialogLauncherEdit l(8, 2, e.name);
    l.SetOption(e.list == ui::LaunchList::None ? static_cast<void*>(block.data()) : static_cast<void*>(&list));
    const std::size_t shown = messages.shown.size();
    const bool built = e.className && ui::IsAnnexClassRegistered(e.className) && e.kind == ui::LaunchKind::Standard;
    std::size_t blockSize = 0;
    if (built) {
      qxtest::WhenModal([&](QWidget* m) {
        if (auto* d = dynamic_cast<ui::IAnnexDialog*>(m)) blockSize = d->AnnexBlock().size();
        static_cast<QAbstractButton*>(ui::FindControl(m, ui::IDCANCEL))->click();
      });
    }
    EXPECT_EQ(l.Launch(), e.kind == ui::LaunchKind::Nothing || built ? 2 : 1);
    if (built) {
      ++opened;
      EXPECT_EQ(blockSize, static_cast<std::size_t>(e.bytes));
      EXPECT_EQ(messages.shown.size(), shown);
    } else if (e.kind == ui::LaunchKind::Nothing) {
      EXPECT_EQ(messages.shown.size(), shown) << "opens nothing, silently";
    } else {
      ++notBuilt;
      ASSERT_EQ(messages.shown.size(), shown + 1);
      EXPECT_EQ(messages.shown.back().code, QStringLiteral("WIN1102"));
      EXPECT_TRUE(messages.shown.back().text.contains(QString::fromLatin1(e.name)));
    }
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0; }))
        << "Cancel and a dialog not built leave the block alone";
  }
  EXPECT_GE(opened, 2);
  EXPECT_EQ(opened + notBuilt, 98);
}

// ---------------------------------------------------------------- row dialogs

namespace rows {
inline constexpr std::size_t kSize = 72;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Amount{8};
inline constexpr blocks::F64 Other{16};
constexpr int kCells[] = {201, 202, 203, 211, 212, 213, 221, 222, 223};
constexpr ui::RowLayout kLayout{.rows = 3, .columns = 3, .first = 0, .stride = 24, .holder = 0, .cells = kCells};
#define QX_ROW(r)                                                                                           \
  {.id = 201 + (r), .kind = Ctl::Titular, .row = (r), .col = 0, .field = Holder},                          \
  {.id = 211 + (r), .kind = Ctl::Money, .row = (r), .col = 1, .width = 8, .decimals = 2, .field = Amount}, \
  {.id = 221 + (r), .kind = Ctl::Money, .row = (r), .col = 2, .width = 8, .decimals = 2, .field = Other}
constexpr ui::ControlDef kControls[] = {
    QX_ROW(0), QX_ROW(1), QX_ROW(2),
    {.id = ui::kHolderLegendId, .kind = Ctl::Legend, .row = 3, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .text = "OK", .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .text = "Cancel", .row = 4, .col = 1},
};
#undef QX_ROW
constexpr ui::DialogTemplate kTemplate{.id = 9901, .caption = "Rows", .controls = kControls};
}  // namespace rows

class RowsDlg : public ui::CAnnexRowsDlg {
 public:
  explicit RowsDlg(const ui::AnnexArgs& a) : CAnnexRowsDlg(rows::kTemplate, rows::kSize, rows::kLayout, a) {}
};

std::vector<std::uint8_t> RowBlock(std::initializer_list<std::pair<int, double>> rowsGiven) {
  std::vector<std::uint8_t> b(rows::kSize);
  int r = 0;
  for (auto [holder, amount] : rowsGiven) {
    rows::Holder.set(b.data() + 24 * r, static_cast<std::uint8_t>(holder));
    rows::Amount.set(b.data() + 24 * r, amount);
    rows::Other.set(b.data() + 24 * r, amount / 10);
    ++r;
  }
  return b;
}

TEST_F(Kernel, ARowDialogInTheSpousesViewShowsHerRowsAndHalfOfTheCommonOnes) {
  qxtest::MemberView view(3, kCouple);
  const std::vector<std::uint8_t> declared = RowBlock({{1, 100.0}, {2, 50.0}, {3, 30.0}});
  RowsDlg d({nullptr, 3, 0});
  std::memcpy(d.AnnexBlock().data(), declared.data(), declared.size());
  CDialogLauncherEdit opener(8, 2, "IDD_X");
  opener.PrepareDialog(d);
  EXPECT_EQ(messages.Codes().back(), QStringLiteral("100R025"));
  d.EnsureCreated();
  ASSERT_TRUE(qxtest::ShowActive(&d));
  auto text = [&](int id) { return d.Edit(id)->text(); };
  EXPECT_EQ(text(211), QStringLiteral("50,00")) << "the common row, halved";
  EXPECT_EQ(text(221), QStringLiteral("5,00"));
  EXPECT_EQ(text(212), QString()) << "the declarant's row is not shown";
  EXPECT_EQ(text(213), QStringLiteral("30,00"));
  EXPECT_EQ(text(201).trimmed(), QStringLiteral("DECLARANTE"));
  EXPECT_FALSE(d.Edit(211)->isEnabled()) << "read-only in a member view";
  // OK ends with Cancel; the stored block keeps every row.
  static_cast<QAbstractButton*>(d.GetDlgItem(ui::IDOK))->click();
  EXPECT_EQ(d.result(), ui::IDCANCEL);
  EXPECT_EQ(std::vector<std::uint8_t>(d.AnnexBlock().begin(), d.AnnexBlock().end()), declared);
}

TEST_F(Kernel, ARowWhoseHolderIsClearedLosesItsDataAndTheRowsBelowMoveUp) {
  qxtest::MemberView view(1, kCouple);
  RowsDlg d({nullptr, 0, 0});
  const std::vector<std::uint8_t> declared = RowBlock({{2, 10.0}, {3, 20.0}, {1, 30.0}});
  std::memcpy(d.AnnexBlock().data(), declared.data(), declared.size());
  d.EnsureCreated();
  ASSERT_TRUE(qxtest::ShowActive(&d));
  auto* holder = d.Item<CTitularEdit>(201);
  holder->setFocus();
  QTest::keyClick(holder, Qt::Key_Delete);
  EXPECT_EQ(d.Edit(211)->text(), QStringLiteral("20,00"));
  EXPECT_EQ(d.Edit(212)->text(), QStringLiteral("30,00"));
  EXPECT_EQ(d.Edit(213)->text(), QString());
  EXPECT_FALSE(d.Edit(213)->isEnabled()) << "an empty row's data cells are disabled";
  static_cast<QAbstractButton*>(d.GetDlgItem(ui::IDOK))->click();
  EXPECT_EQ(d.result(), ui::IDOK);
  EXPECT_EQ(rows::Holder.get(d.AnnexBlock().data()), 3);
  EXPECT_EQ(rows::Amount.get(d.AnnexBlock().data() + 24), 30.0);
  EXPECT_EQ(rows::Holder.get(d.AnnexBlock().data() + 48), 0);
}

}  // namespace

namespace {

// A dialog of one field per member: the fields of members the household lacks are disabled.
namespace pm {
constexpr ui::ControlDef kControls[] = {
    {.id = 301, .kind = Ctl::Money, .row = 0, .col = 0, .width = 8, .decimals = 2, .field = blocks::F64{0}},
    {.id = 302, .kind = Ctl::Money, .row = 0, .col = 1, .width = 8, .decimals = 2, .field = blocks::F64{8},
     .options = ui::kOptSpouse},
    {.id = 303, .kind = Ctl::Money, .row = 0, .col = 2, .width = 8, .decimals = 2, .field = blocks::F64{16},
     .options = ui::kOptChild1},
    {.id = 304, .kind = Ctl::Money, .row = 0, .col = 3, .width = 8, .decimals = 2, .field = blocks::F64{24},
     .options = ui::kOptChild2},
};
constexpr ui::DialogTemplate kTemplate{.id = 9902, .caption = "Members", .controls = kControls};
}  // namespace pm

TEST_F(Kernel, FieldsOfMembersTheHouseholdLacksAreDisabled) {
  qxtest::MemberView view(1, kSingleWithChild);
  ui::CAnnexDlg d(pm::kTemplate, 32, {});
  d.EnsureCreated();
  EXPECT_TRUE(d.GetDlgItem(301)->isEnabled());
  EXPECT_FALSE(d.GetDlgItem(302)->isEnabled()) << "no spouse";
  EXPECT_TRUE(d.GetDlgItem(303)->isEnabled());
  EXPECT_FALSE(d.GetDlgItem(304)->isEnabled()) << "no second child";
}

}  // namespace
