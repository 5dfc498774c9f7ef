// The certificate, pre-filled-return and change-of-address requests, opened from their page box:
// the marks of the household's members, the family unit's mark that OK derives, a member with at
// most one of the address marks, OK writing only the marks and Cancel nothing, in every view.
#include <QAbstractButton>

#include <cstring>

#include "annex/cambpdf_dlg.h"
#include "annex/certificado_dlg.h"
#include "annex_fixture.h"
#include "launch_support.h"
#include "render_support.h"
#include "support/member_view.h"
#include "ui/box_field.h"
#include "ui/sub_dialog_edit.h"

namespace {

namespace rq = annex::requests;
namespace cp = annex::cambpdf;
using annextest::FixtureDeclaration;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
constexpr std::array<int, 5> kFamily{1, 1, 1, 1, 1};
constexpr std::size_t kAddressMarks = 1043, kFirstReturnMarks = 1048;

// The page box that opens `name`: its option word is the marks' field, or the pair of fields.
struct RequestBox {
  RequestBox(const char* name, void* option) {
    box.NombreVent = name;
    box.TituloVent = "Solicitud de borrador de declaración";
    box.StrValidac = "B1*5";
    box.ApplyFormatSpec();
    box.option = option;
    edit = std::make_unique<CSubDialogEdit>(&box);
  }
  CBoxField box;
  std::unique_ptr<CSubDialogEdit> edit;
};

void Open(RequestBox& b, const std::function<void(ui::CAnnexDlg&)>& act) {
  bool opened = false;
  qxtest::WhenModal([&](QWidget* m) {
    auto* d = dynamic_cast<ui::CAnnexDlg*>(m);
    ASSERT_NE(d, nullptr);
    opened = true;
    act(*d);
    if (d->isVisible()) d->Item<QAbstractButton>(ui::IDCANCEL)->click();
  });
  b.edit->OpenSubDialog();
  EXPECT_TRUE(opened);
}

void Mark(ui::CAnnexDlg& d, int id) {
  QWidget* e = d.GetDlgItem(id);
  ASSERT_NE(e, nullptr) << id;
  ASSERT_TRUE(e->isEnabled()) << id;
  e->setFocus();
  QTest::keyClick(e, Qt::Key_X);
  EXPECT_EQ(QApplication::focusWidget(), e) << "the focus stays on the box that changed";
}

class MemberRequests : public annextest::AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    for (std::size_t at : {rq::kCertificateMarks, rq::kDraftMarks, kAddressMarks, kFirstReturnMarks})
      std::memset(decl.at(at), 0, 5);
  }
  FixtureDeclaration decl;
};

TEST_F(MemberRequests, TheFamilyUnitAsksWithTheDeclarantOrTheSpouseOkWritesTheMarksCancelNothing) {
  struct Case {
    const char* what;
    const char* dialog;
    std::size_t marks;
    int shown;
    std::array<int, 5> household;
    std::vector<int> typed;  // members 0..3
    std::array<std::uint8_t, 5> expected;
  };
  const Case cases[] = {
      {"certificate, child 1 alone", "IDD_CERTIFICADO*1", rq::kCertificateMarks, 1, kFamily, {2}, {0, 0, 0, 1, 0}},
      {"pre-filled return, the spouse alone", "IDD_BORRADOR", rq::kDraftMarks, 1, kCouple, {1}, {1, 0, 1, 0, 0}},
      {"certificate in the declarant's view", "IDD_CERTIFICADO", rq::kCertificateMarks, 2, kCouple, {0}, {1, 1, 0, 0, 0}},
      {"pre-filled return in child 2's view", "IDD_BORRADOR", rq::kDraftMarks, 5, kFamily, {3, 2}, {0, 0, 0, 1, 1}},
  };
  for (const Case& c : cases) {
    for (bool ok : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (ok ? ", OK" : ", Cancel"));
      qxtest::MemberView view(c.shown, c.household);
      const std::vector<std::uint8_t> before = decl.bytes;
      RequestBox b(c.dialog, decl.at(c.marks));
      Open(b, [&](ui::CAnnexDlg& d) {
        EXPECT_EQ(d.windowTitle(), c.marks == rq::kDraftMarks ? QStringLiteral("Solicitud de borrador de declaración")
                                                              : QStringLiteral("SOLICITUD DEL CERTIFICADO FISCAL"));
        for (int k = 0; k < 4; ++k)
          EXPECT_EQ(d.GetDlgItem(CCertificadoDlg::kMarks[k])->isEnabled(), c.household[k + 1] != 0) << k;
        for (int k : c.typed) Mark(d, CCertificadoDlg::kMarks[k]);
        d.Item<QAbstractButton>(ok ? ui::IDOK : ui::IDCANCEL)->click();
        EXPECT_FALSE(d.isVisible());
      });
      std::vector<std::uint8_t> expected = before;
      if (ok) std::memcpy(expected.data() + c.marks, c.expected.data(), 5);
      EXPECT_TRUE(decl.bytes == expected);
      std::memset(decl.at(c.marks), 0, 5);
    }
  }
}

TEST_F(MemberRequests, TheDialogShowsTheMarksTheDeclarationHolds) {
  qxtest::MemberView view(1, kFamily);
  decl.at(rq::kCertificateMarks)[3] = 1;  // child 1 asked
  std::array<std::uint8_t, 5> handed{1, 1, 1, 1, 1};
  RequestBox b("IDD_CERTIFICADO", handed.data());
  Open(b, [&](ui::CAnnexDlg& d) {
    const QString shown[] = {QStringLiteral(""), QStringLiteral(""), QStringLiteral("X"), QStringLiteral("")};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(d.Edit(CCertificadoDlg::kMarks[k])->text().trimmed(), shown[k]) << k;
    d.Item<QAbstractButton>(ui::IDOK)->click();
  });
  EXPECT_EQ(handed, (std::array<std::uint8_t, 5>{0, 0, 0, 1, 0}));
}

TEST_F(MemberRequests, AMemberHasAtMostOneAddressMarkAndEachRowsFamilyMarkFollowsTheDeclarant) {
  struct Case {
    const char* what;
    int shown;
    std::array<int, 5> household;
    std::array<std::uint8_t, 5> address, firstReturn;  // held before
    std::vector<int> typed;
    std::array<std::uint8_t, 5> expectedAddress, expectedFirst;
  };
  const Case cases[] = {
      {"the spouse's change of address clears its first return", 1, kFamily, {0, 0, 0, 0, 0}, {0, 1, 1, 0, 1},
       {CCambpdfDlg::kAddress[1]}, {0, 0, 1, 0, 0}, {1, 1, 0, 0, 1}},
      {"the declarant's first return clears its change of address", 2, kCouple, {1, 1, 0, 0, 0}, {0, 0, 0, 0, 0},
       {CCambpdfDlg::kFirstReturn[0]}, {0, 0, 0, 0, 0}, {1, 1, 0, 0, 0}},
      {"a child's marks leave the family marks alone", 4, kFamily, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0},
       {CCambpdfDlg::kAddress[2], CCambpdfDlg::kFirstReturn[3]}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}},
  };
  for (const Case& c : cases) {
    for (bool ok : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (ok ? ", OK" : ", Cancel"));
      qxtest::MemberView view(c.shown, c.household);
      std::memcpy(decl.at(kAddressMarks), c.address.data(), 5);
      std::memcpy(decl.at(kFirstReturnMarks), c.firstReturn.data(), 5);
      const std::vector<std::uint8_t> before = decl.bytes;
      ui::FieldPair marks{decl.at(kAddressMarks), decl.at(kFirstReturnMarks)};
      RequestBox b("IDD_CAMBPDF", &marks);
      Open(b, [&](ui::CAnnexDlg& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("CAMBIO DE DOMICILIO O PRIMERA DECLARACION FISCAL"));
        for (int k = 0; k < 4; ++k)
          for (int id : {CCambpdfDlg::kAddress[k], CCambpdfDlg::kFirstReturn[k]})
            EXPECT_EQ(d.GetDlgItem(id)->isEnabled(), c.household[k + 1] != 0) << id;
        for (int id : c.typed) Mark(d, id);
        d.Item<QAbstractButton>(ok ? ui::IDOK : ui::IDCANCEL)->click();
        EXPECT_FALSE(d.isVisible());
      });
      std::vector<std::uint8_t> expected = before;
      if (ok) {
        std::memcpy(expected.data() + kAddressMarks, c.expectedAddress.data(), 5);
        std::memcpy(expected.data() + kFirstReturnMarks, c.expectedFirst.data(), 5);
      }
      EXPECT_TRUE(decl.bytes == expected);
    }
  }
}

class MemberRequestsRender : public annextest::LanguageTest {};

TEST_P(MemberRequestsRender, EveryDialogFitsItsTexts) {
  qxtest::MemberView view(1, kFamily);
  for (const auto& [className, picture] : {std::pair{"CCertificadoDlg", "certificado"}, std::pair{"CBorradorDlg", "borrador"},
                                           std::pair{"CCambpdfDlg", "cambpdf"}}) {
    auto d = ui::CreateAnnexDialog(className, {});
    ASSERT_NE(d, nullptr) << className;
    d->Dialog().EnsureCreated();
    annextest::CheckLayout(d->Dialog(), QString::fromLatin1(picture), GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, MemberRequestsRender, ::testing::Values('e', 'c'));

}  // namespace
