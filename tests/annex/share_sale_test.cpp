// The share sale dialog opened through the launch table on a row of the share-sales table of a
// fixture declaration: kinds chosen from their lookup table by keys, OK writing the three rows and
// nothing else, the kind checks, clearing a kind, Cancel and the member view.
#include "annex/alterpatri_dlg.h"
#include "annex_fixture.h"
#include "capital_support.h"
#include "support/member_view.h"

namespace {

using annextest::AnnexTest;
using annextest::Press;
using annextest::TypeInto;
namespace f = annex::alterpatri;
using D = CAlterpatriDlg;

constexpr std::array<int, 5> kCouple{1, 1, 1, 0, 0};
const std::size_t kAt = f100::SectionG2.offset + 2 * f100::sec_g2::kRowSize + f::kRowOffset;

class ShareSale : public AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    // The dialog's fields empty; the bytes it does not use keep the pattern.
    std::memset(decl.at(kAt), 0, 3);
    std::memset(decl.at(kAt + 8), 0, 267);
    // Texts nobody chose read as blanks, as the lookup editor leaves them.
    for (int r = 0; r < f::kRows; ++r) f::KindText(r).clear(Block());
  }
  std::uint8_t* Block() { return decl.at(kAt); }
  qxtest::MemberView view{1, kCouple};
  annextest::FixtureDeclaration decl;
};

TEST_F(ShareSale, EachRowsKindMustAgreeWithItsResult) {
  struct Case {
    const char* transmission;
    const char* acquisition;
    const char* kindKey;  // typed into the kind; empty: none
    const char* code;     // stored on OK
    const char* refusal;
    double t, a;          // the amounts the keys store
  };
  const Case cases[] = {
      {"100", "80", "P", " P2", "100R119", 100, 80}, {"100", "80", "G", "G21", nullptr, 100, 80},
      {"80", "100", "G", "G21", "100R120", 80, 100}, {"80", "100", "P", " P2", nullptr, 80, 100},
      {"100", "100", "G", "G21", nullptr, 100, 100}, {"100", "100", "P", " P2", nullptr, 100, 100},
      {"10", "", "", "", "100R122", 10, 0},           {"", "", "", "", nullptr, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.transmission << " " << c.acquisition << " '" << c.kindKey << "'");
    const std::vector<std::uint8_t> before = decl.bytes;
    bool stayed = false;
    annextest::Launch("IDD_ALTERPATRI", Block(), [&](CTemplateDlg& d) {
      TypeInto(d, D::kTransmission[1], QString::fromLatin1(c.transmission));
      TypeInto(d, D::kAcquisition[1], QString::fromLatin1(c.acquisition));
      if (*c.kindKey) TypeInto(d, D::kKind[1], QString::fromLatin1(c.kindKey));
      TypeInto(d, D::kNoLoss[1], QStringLiteral("x"));
      Press(d, ui::IDOK);
      stayed = d.isVisible();
    });
    EXPECT_EQ(messages.Codes(), c.refusal ? std::vector<QString>{QString::fromLatin1(c.refusal)} : std::vector<QString>{});
    messages.shown.clear();
    EXPECT_EQ(stayed, c.refusal != nullptr);
    if (c.refusal) {
      EXPECT_EQ(decl.bytes, before);
      continue;
    }
    // Only the second row's fields changed.
    std::vector<std::uint8_t> expected = before;
    std::uint8_t* e = expected.data() + kAt;
    f::NoLoss(1).set(e, 1);
    f::Transmission(1).set(e, c.t);
    f::Acquisition(1).set(e, c.a);
    if (*c.code) {
      f::Code(1).set(e, c.code);
      f::KindText(1).set(e, f::KindText(1).raw(Block()));
      EXPECT_FALSE(f::KindText(1).isAbsent(Block()));
    }
    EXPECT_EQ(annextest::Differences(decl.bytes, expected, kAt), std::vector<std::size_t>{});
    decl.bytes = before;
  }
}

TEST_F(ShareSale, DeletingAKindClearsItsCode) {
  f::Transmission(0).set(Block(), 50.0);
  f::Code(0).set(Block(), "G23");
  f::KindText(0).set(Block(), "GANANCIA");
  bool stayed = false;
  annextest::Launch("IDD_ALTERPATRI", Block(), [&](CTemplateDlg& d) {
    QWidget* kind = d.GetDlgItem(D::kKind[0]);
    kind->setFocus();
    QTest::keyClick(kind, Qt::Key_Delete);
    Press(d, ui::IDOK);
    stayed = d.isVisible();
    EXPECT_EQ(messages.Codes(), std::vector<QString>{QStringLiteral("100R122")}) << "an amount without a kind";
    annextest::Retype(d, D::kTransmission[0], QStringLiteral("0"));
    Press(d, ui::IDOK);
  });
  EXPECT_TRUE(stayed);
  EXPECT_EQ(messages.Codes().size(), 1u);
  EXPECT_EQ(std::string(f::Code(0).raw(Block())), std::string(3, '\0'));
  EXPECT_TRUE(f::KindText(0).isAbsent(Block()));
  EXPECT_EQ(f::Transmission(0).get(Block()), 0.0);
}

TEST_F(ShareSale, CancelAndTheMemberViewLeaveTheBytes) {
  f::Transmission(2).set(Block(), 70.0);
  const std::vector<std::uint8_t> before = decl.bytes;
  annextest::Launch("IDD_ALTERPATRI", Block(), [&](CTemplateDlg& d) {
    TypeInto(d, D::kAcquisition[2], QStringLiteral("20"));
    TypeInto(d, D::kKind[2], QStringLiteral("G"));
    Press(d, ui::IDCANCEL);
  });
  EXPECT_EQ(decl.bytes, before);
  view.Show(2);
  bool editable = true;
  annextest::Launch("IDD_ALTERPATRI", Block(), [&](CTemplateDlg& d) {
    editable = d.GetDlgItem(D::kKind[0])->isEnabled() || d.GetDlgItem(D::kTransmission[0])->isEnabled();
    Press(d, ui::IDOK);
  });
  EXPECT_FALSE(editable);
  EXPECT_EQ(messages.Codes().front(), QStringLiteral("100R025"));
  EXPECT_EQ(decl.bytes, before);
}

}  // namespace
