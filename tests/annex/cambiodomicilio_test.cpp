// The current address dialog, opened by the selection edit of an address box of form 100 or form
// 714: the address read from the member's slot, typed into with real keys, checked at OK and
// written back to the slots that the household shares; the municipalities by postal code.
#include <memory>
#include <QTimer>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "annex/cambiodomicilio_dlg.h"
#include "annex_fixture.h"
#include "blocks/form714.h"
#include "platform/cp1252.h"
#include "tools/dbsource/dbsource.h"
#include "render_support.h"
#include "support/member_view.h"
#include "ui/box_field.h"
#include "ui/sel_str_edit.h"

namespace {

namespace a = annex::address;
using D = CCambiodomicilioDlg;

// An address as the slots keep it.
struct Address {
  const char *type, *country, *street, *number, *stairs, *floor, *door, *municipality, *province, *postal,
      *phone;
};
constexpr Address kHome{"CL", "", "MAYOR", "12", "A", "3", "B", "ALEGRIA", "Alava", "01001", "945000000"};

void PutAddress(std::uint8_t* rec, const Address& x) {
  a::StreetType.set(rec, x.type);
  a::Country.set(rec, x.country);
  a::Street.set(rec, x.street);
  a::Number.set(rec, x.number);
  a::Stairs.set(rec, x.stairs);
  a::Floor.set(rec, x.floor);
  a::Door.set(rec, x.door);
  a::Municipality.set(rec, x.municipality, '\0');
  a::Province.set(rec, x.province);
  a::PostalCode.set(rec, x.postal);
  a::Telephone.set(rec, x.phone);
}

void PutSlot(std::uint8_t* block, int group, int member, const Address& x) {
  std::vector<std::uint8_t> rec(a::kRecordBytes);
  PutAddress(rec.data(), x);
  for (const a::StoredField& s : a::kForm100Groups[group])
    std::memcpy(block + s.offset + s.field.width * static_cast<std::size_t>(member - 1), rec.data() + s.field.off,
                s.field.width);
}

// A page's address box over the open declaration's block, and its selection edit.
struct AddressBox {
  AddressBox(const char* id, std::uint8_t* block) {
    box.NombreVent = "IDD_CAMBIODOMICILIO";
    box.TituloVent = "DOMICILIO";
    box.Identifica = id;
    box.StrValidac = "S2";
    box.ApplyFormatSpec();
    box.HandOver(ui::Handed::DeclarationStart, block);
    edit = std::make_unique<CSelStrEdit>(&box);
  }
  CBoxField box;
  std::unique_ptr<CSelStrEdit> edit;
};

// The joint-filing flag of the open declaration for the life of a scope.
class JointFlag {
 public:
  explicit JointFlag(bool joint) : saved_(published_.Model().Modality()) { published_.Model().SetModality(joint ? 1 : 0); }
  ~JointFlag() { published_.Model().SetModality(saved_); }

 private:
  qxtest::PublishedDeclaration published_;
  std::uint8_t saved_;
};

void Type(QWidget* dlg, int id, const QString& keys) {
  QWidget* e = ui::FindControl(dlg, id);
  ASSERT_NE(e, nullptr) << id;
  e->setFocus();
  if (auto* l = qobject_cast<QLineEdit*>(e)) l->selectAll();
  if (auto* c = qobject_cast<QComboBox*>(e)) c->lineEdit()->selectAll();
  if (keys.isEmpty()) QTest::keyClick(e, Qt::Key_Backspace);
  else QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}

// Runs `act` in the dialog the edit opens; the result of the opening.
int Open(AddressBox& b, const std::function<void(D&)>& act) {
  qxtest::WhenModal([&](QWidget* m) {
    auto* d = dynamic_cast<D*>(m);
    ASSERT_NE(d, nullptr);
    act(*d);
    if (d->isVisible()) d->Item<QAbstractButton>(ui::IDCANCEL)->click();
  });
  return b.edit->OpenSelection(0);
}

void PressOk(D& d) {
  d.GetDlgItem(D::kTelephone)->setFocus();  // a click moves the focus to the button first
  d.Item<QAbstractButton>(ui::IDOK)->click();
}

class Address100 : public annextest::AnnexTest {
 protected:
  annextest::OpenDeclaration decl;
};

TEST_F(Address100, OkWritesTheDeclarantsSlotsAndCancelLeavesTheBytes) {
  qxtest::MemberView view(2, {0, 1, 0, 0, 0});
  JointFlag joint(false);
  std::uint8_t* block = decl.block.data();
  for (std::size_t i = 0; i < decl.block.size(); ++i) decl.block[i] = static_cast<std::uint8_t>(i * 7);
  block[0] = 0;  // not a married couple's declaration
  block[1] = 0;
  block[a::kSharedFlags] = 0;
  block[a::kSharedFlags + 1] = 0;
  block[a::kSpouseSeparate] = 0;
  PutSlot(block, a::kFirstGroup, 2, kHome);
  AddressBox b("CALLED", block);
  for (bool ok : {false, true}) {
    const std::vector<std::uint8_t> before = decl.block;
    QString shownStreet;
    bool asked = true;
    const int result = Open(b, [&](D& d) {
      shownStreet = d.Edit(D::kStreet)->text().trimmed();
      asked = d.GetDlgItem(D::kTransfer)->isVisible();
      Type(&d, D::kStreet, QStringLiteral("Real"));
      Type(&d, D::kNumber, QStringLiteral("7"));
      Type(&d, D::kPostalCode, QStringLiteral("52999"));
      Type(&d, D::kTelephone, QStringLiteral("912345678"));
      if (ok) PressOk(d);
    });
    EXPECT_EQ(shownStreet, QStringLiteral("MAYOR"));
    EXPECT_FALSE(asked) << "a declarant alone is asked nothing";
    std::vector<std::uint8_t> expected = before;
    if (ok) {
      Address now = kHome;
      now.street = "REAL";
      now.number = "7";
      now.postal = "52999";
      now.phone = "912345678";
      PutSlot(expected.data(), a::kFirstGroup, 1, now);
      PutSlot(expected.data(), a::kFirstGroup, 2, now);
    }
    EXPECT_EQ(result, ok ? ui::IDOK : 2);
    EXPECT_EQ(decl.block == expected, true) << (ok ? "OK" : "Cancel");
  }
  EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100I002")});
}

// A box that hands the address dialog anything but the start of its declaration's block (a page
// that handed its own field once made the dialog write the member's slots far beyond it) opens
// nothing and writes nothing, also when the start was named and another pointer put in its place.
TEST_F(Address100, OnlyTheNamedStartOfTheDeclarationOpensTheDialog) {
  qxtest::MemberView view(2, {0, 1, 0, 0, 0});
  JointFlag joint(false);
  for (std::size_t i = 0; i < decl.block.size(); ++i) decl.block[i] = static_cast<std::uint8_t>(i * 3);
  const std::vector<std::uint8_t> before = decl.block;
  std::uint8_t* field = decl.block.data() + 400;
  AddressBox b("CALLED", decl.block.data());
  struct Case {
    const char* what;
    std::function<void(CBoxField&)> hand;
  };
  const Case cases[] = {
      {"a plain pointer to a field", [&](CBoxField& x) { x.option = field; }},
      {"the start named, then a field put in its place",
       [&](CBoxField& x) {
         x.HandOver(ui::Handed::DeclarationStart, decl.block.data());
         x.option = field;
       }},
  };
  for (const Case& c : cases) {
    c.hand(b.box);
    // Answered within the dialog's own loop if one opens, at once otherwise.
    auto opened = std::make_shared<bool>(false);
    QTimer::singleShot(0, [opened] {
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        *opened = true;
        d->reject();
      }
    });
    const int result = b.edit->OpenSelection(0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(*opened) << c.what;
    EXPECT_EQ(result, 2) << c.what;
    EXPECT_TRUE(decl.block == before) << c.what;
  }
}

// Alt+A, the OK button's letter, accepts the dialog from any field, the typed text included.
TEST_F(Address100, AltAAcceptsFromTheFieldBeingTyped) {
  qxtest::MemberView view(2, {0, 1, 0, 0, 0});
  JointFlag joint(false);
  std::uint8_t* block = decl.block.data();
  PutSlot(block, a::kFirstGroup, 2, kHome);
  AddressBox b("CALLED", block);
  bool closed = false;
  const int result = Open(b, [&](D& d) {
    QWidget* street = d.GetDlgItem(D::kStreet);
    QTest::mouseClick(street, Qt::LeftButton);
    QTest::keyClick(street, Qt::Key_End);
    QTest::keyClicks(street, QStringLiteral(" NUEVA"));
    QTest::keyClick(street, Qt::Key_A, Qt::AltModifier);
    // A button pressed by its letter is drawn pressed for a moment before it acts.
    for (int i = 0; i < 100 && d.isVisible(); ++i) QTest::qWait(5);
    closed = !d.isVisible();
  });
  EXPECT_TRUE(closed);
  EXPECT_EQ(result, ui::IDOK);
  std::vector<std::uint8_t> rec(a::kRecordBytes);
  for (const a::StoredField& f : a::kForm100Groups[a::kFirstGroup])
    std::memcpy(rec.data() + f.field.off, block + f.offset + f.field.width, f.field.width);
  EXPECT_EQ(std::string(a::Street.trimmed(rec.data())), "MAYOR NUEVA");
}

TEST_F(Address100, OkChecksTheAddressAndStaysOpenOnAFault) {
  struct Case {
    const char* what;
    int id;              // the control typed into
    const char* keys;    // what is typed
    const char* code;    // the message of OK
    bool closes;
  };
  const Case cases[] = {
      {"postal code 01000", D::kPostalCode, "01000", "WIN1103", false},
      {"postal code 01001", D::kPostalCode, "01001", "100I002", true},
      {"postal code 52999", D::kPostalCode, "52999", "100I002", true},
      {"postal code 53000", D::kPostalCode, "53000", "WIN1103", false},
      {"postal code with a trailing blank", D::kPostalCode, "2800", "WIN1103", false},
      {"no street", D::kStreet, "", "WIN019", false},
      {"no number", D::kNumber, "", "WIN019", false},
      {"a telephone of zeros", D::kTelephone, "000000000", "WIN046", false},
      {"no telephone", D::kTelephone, "", "100I002", true},
  };
  qxtest::MemberView view(2, {0, 1, 0, 0, 0});
  JointFlag joint(false);
  for (const Case& c : cases) {
    messages.shown.clear();
    std::fill(decl.block.begin(), decl.block.end(), 0);
    PutSlot(decl.block.data(), a::kFirstGroup, 2, kHome);
    const std::vector<std::uint8_t> before = decl.block;
    AddressBox b("CALLED", decl.block.data());
    bool open = false;
    const int result = Open(b, [&](D& d) {
      Type(&d, c.id, QString::fromLatin1(c.keys));
      PressOk(d);
      open = d.isVisible();
    });
    ASSERT_FALSE(messages.Codes().empty()) << c.what;
    EXPECT_EQ(messages.Codes().front(), QString::fromLatin1(c.code)) << c.what;
    EXPECT_EQ(open, !c.closes) << c.what;
    EXPECT_EQ(result == ui::IDOK, c.closes) << c.what;
    if (!c.closes) {
      EXPECT_TRUE(decl.block == before) << c.what;
    }
  }
}

TEST_F(Address100, AnAddressAbroadNeedsOnlyStreetNumberAndMunicipality) {
  qxtest::MemberView view(2, {0, 1, 0, 0, 0});
  JointFlag joint(false);
  Address abroad = kHome;
  abroad.country = "FR";
  PutSlot(decl.block.data(), a::kFirstGroup, 2, abroad);
  AddressBox b("CALLED", decl.block.data());
  bool locked = false;
  const int result = Open(b, [&](D& d) {
    locked = !d.GetDlgItem(D::kPostalCode)->isEnabled() && !d.GetDlgItem(D::kProvince)->isEnabled() &&
             !d.GetDlgItem(D::kStreetType)->isEnabled();
    Type(&d, D::kNumber, QString());
    PressOk(d);
    Type(&d, D::kNumber, QStringLiteral("4"));
    PressOk(d);
  });
  EXPECT_TRUE(locked);
  EXPECT_EQ(result, ui::IDOK);
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{QStringLiteral("WIN021"), QStringLiteral("100I002")}));
  const std::uint8_t* slot = decl.block.data() + 1053 + 2;
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(slot), 2), "  ") << "street type cleared";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(decl.block.data() + 1428 + 5), 5), "     ");
}

TEST_F(Address100, ASharedAddressReachesEveryPresentMembersSlots) {
  qxtest::MemberView view(2, {1, 1, 1, 0, 0});
  JointFlag joint(true);
  std::uint8_t* block = decl.block.data();
  block[0] = 1;
  block[1] = 1;
  PutSlot(block, a::kFirstGroup, 2, kHome);
  const std::vector<std::uint8_t> before = decl.block;
  AddressBox b("CALLED", block);
  bool asked = false;
  Open(b, [&](D& d) {
    asked = d.GetDlgItem(D::kTransfer)->isVisible();
    Type(&d, D::kStreet, QStringLiteral("Nueva"));
    Type(&d, D::kTransfer, QStringLiteral("S"));
    PressOk(d);
  });
  EXPECT_TRUE(asked);
  Address now = kHome;
  now.street = "NUEVA";
  std::vector<std::uint8_t> expected = before;
  for (int m : {1, 2, 3}) PutSlot(expected.data(), a::kFirstGroup, m, now);
  for (int m : {1, 2, 3}) PutSlot(expected.data(), a::kSecondGroup, m, now);
  expected[a::kSharedFlags] = 1;
  expected[a::kSharedFlags + 1] = 1;
  EXPECT_TRUE(decl.block == expected);
}

TEST_F(Address100, TheMunicipalitiesFollowThePostalCodeAndATypedNameStays) {
  dbtest::TempDir dir;
  std::string error;
  ASSERT_TRUE(db::BuildDatabaseFromSources(QX_SOURCE_DIR "/resources/db/DatLocal", dir.Path() / "DatLocal.db", &error));
  db::CAdoConnection conn{"DatLocal"};
  ASSERT_TRUE(conn.Open((dir.Path() / "DatLocal.db").string()));
  ASSERT_TRUE(conn.Execute("DELETE FROM CPMUNICI; INSERT INTO CPMUNICI VALUES"
                           "('28001','28','079','MADRID'),('28002','28','079','MADRID'),"
                           "('28100','28','006','ALCOBENDAS'),('08001','08','019','BARCELONA')"));
  struct Case {
    const char* postal;
    std::vector<QString> listed;  // before the blank entry
  };
  const Case cases[] = {
      {"28", {QStringLiteral("ALCOBENDAS"), QStringLiteral("MADRID")}},
      {"28100", {QStringLiteral("ALCOBENDAS")}},
      {"281", {QStringLiteral("ALCOBENDAS")}},
      {"", {}},
      {"08", {QStringLiteral("BARCELONA")}},
      {"08001", {QStringLiteral("BARCELONA")}},
  };
  qxtest::MemberView view(2, {0, 1, 0, 0, 0});
  JointFlag joint(false);
  PutSlot(decl.block.data(), a::kFirstGroup, 2, kHome);
  for (const Case& c : cases) {
    AddressBox b("CALLED", decl.block.data());
    std::vector<QString> listed;
    Open(b, [&](D& d) {
      d.connection = &conn;
      Type(&d, D::kPostalCode, QString::fromLatin1(c.postal));
      d.MunicipalityBox()->setFocus();
      QApplication::processEvents();
      QComboBox* box = d.MunicipalityBox();
      for (int i = 0; i < box->count(); ++i) listed.push_back(box->itemText(i));
    });
    ASSERT_FALSE(listed.empty()) << c.postal;
    EXPECT_EQ(listed.back(), QStringLiteral(" ")) << c.postal;
    listed.pop_back();
    EXPECT_EQ(listed, c.listed) << c.postal;
  }
  AddressBox b("CALLED", decl.block.data());
  QString shownTyped;
  Open(b, [&](D& d) {
    d.connection = &conn;
    QComboBox* box = d.MunicipalityBox();
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, QStringLiteral("Villa-2 ("));
    // Letters beyond ASCII come with their text, as a keyboard sends them.
    for (auto [key, text] : {std::pair{Qt::Key_Ntilde, u"Ñ"}, std::pair{Qt::Key_ParenRight, u")"},
                             std::pair{Qt::Key_Question, u"?"}, std::pair{Qt::Key_Eacute, u"é"}}) {
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString::fromUtf16(text));
      QApplication::sendEvent(box->lineEdit(), &press);
    }
    shownTyped = box->currentText();
    PressOk(d);
  });
  EXPECT_EQ(shownTyped, QStringLiteral("Villa-2 (Ñ)"));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(decl.block.data() + 1233 + 25)),
            platform::Utf8ToCp1252("Villa-2 (Ñ)"));
}

TEST_F(Address100, AForm714AddressHasNoCountryAndEndsItsTexts) {
  std::vector<std::uint8_t> block714(f714::kBlockSize, 0);
  std::vector<std::uint8_t> rec(a::kRecordBytes);
  PutAddress(rec.data(), kHome);
  for (const a::StoredField& s : a::kForm714Address)
    std::memcpy(block714.data() + s.offset, rec.data() + s.field.off, s.field.width);
  for (std::size_t at : a::kForm714Terminators) block714[at] = 0x55;
  const std::vector<std::uint8_t> before = block714;
  AddressBox b("SIGLA", block714.data());
  bool countryShown = true, asked = true;
  const int result = Open(b, [&](D& d) {
    countryShown = d.GetDlgItem(D::kCountry)->isVisible();
    asked = d.GetDlgItem(D::kTransfer)->isVisible();
    Type(&d, D::kDoor, QStringLiteral("C"));
    PressOk(d);
  });
  EXPECT_EQ(result, ui::IDOK);
  EXPECT_FALSE(countryShown);
  EXPECT_FALSE(asked);
  std::vector<std::uint8_t> expected = before;
  expected[6383] = 'C';
  for (std::size_t at : a::kForm714Terminators) expected[at] = 0;
  EXPECT_TRUE(block714 == expected);
  EXPECT_TRUE(std::equal(decl.block.begin(), decl.block.end(), std::vector<std::uint8_t>(decl.block.size()).begin()))
      << "the form-100 declaration is not touched";
}

class AddressRender : public annextest::LanguageTest {};

TEST_P(AddressRender, FitsItsTexts) {
  annextest::OpenDeclaration decl;
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  JointFlag joint(true);
  D d({});
  a::Kind.set(d.Data(), 2);
  PutAddress(d.Data(), kHome);
  d.EnsureCreated();
  annextest::CheckLayout(d, QStringLiteral("cambiodomicilio"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Languages, AddressRender, ::testing::Values('e', 'c'));

}  // namespace
