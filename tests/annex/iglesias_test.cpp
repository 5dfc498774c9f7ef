// The church-tax and social-purpose assignment marks, opened from their page box: which marks can
// change, and OK writing the marks into the declaration and clearing the no-assignment flags.
#include <QAbstractButton>

#include <cstring>

#include "annex/iglesias_dlg.h"
#include "annex_fixture.h"
#include "blocks/form100.h"
#include "support/member_view.h"
#include "ui/box_field.h"
#include "ui/sub_dialog_edit.h"

namespace {

using annextest::AnnexTest;
using annextest::OpenDeclaration;

class EditHost : public QWidget, public ui::IEditHost {
 public:
  bool IsDialogHost() const override { return true; }
  int OnCommand(int, int) override { return 1; }
  void OnHostKeyDown(int, Qt::KeyboardModifiers) override {}
  void OnHostChar(int, Qt::KeyboardModifiers) override {}
};

class Iglesias : public AnnexTest {
 protected:
  std::uint8_t* Family() { return declaration.block.data() + f100::Family.offset; }
  // Opens `name` from a box over the five marks at `marks` in the family record, runs `act`.
  void Open(const char* name, std::size_t marks, const std::function<void(CIglesiasDlg&)>& act) {
    CBoxField box;
    box.StrValidac = "B1";
    box.NombreVent = name;
    box.data = Family() + marks;
    box.option = Family() + marks;
    CSubDialogEdit e(&box, &host);
    qxtest::WhenModal([&](QWidget* m) {
      auto* d = dynamic_cast<CIglesiasDlg*>(m);
      ASSERT_NE(d, nullptr);
      act(*d);
    });
    e.OpenSubDialog();
  }
  OpenDeclaration declaration;
  EditHost host;
};

TEST_F(Iglesias, MarksFollowTheHouseholdAndOkClearsTheNoAssignmentFlags) {
  struct Case {
    const char* what;
    std::array<int, 5> household;
    std::uint8_t mode;
    bool joint, spouse, child1;
  };
  const Case cases[] = {
      {"a joint household", {1, 1, 1, 1, 0}, 1, true, true, true},
      {"individual filing: no joint mark", {1, 1, 1, 0, 0}, 0, false, true, false},
      {"a single declarant", {0, 1, 0, 0, 0}, 1, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qxtest::MemberView view(2, c.household);
    declaration.block[f100::Personal.offset] = c.mode;
    std::memset(Family() + 4734, 1, 5);
    Open("IDD_IGLESIAS", 4724, [&](CIglesiasDlg& d) {
      EXPECT_EQ(d.GetDlgItem(CIglesiasDlg::kMarks[0])->isEnabled(), c.joint);
      EXPECT_TRUE(d.GetDlgItem(CIglesiasDlg::kMarks[1])->isEnabled()) << "editable in the declarant's view too";
      EXPECT_EQ(d.GetDlgItem(CIglesiasDlg::kMarks[2])->isEnabled(), c.spouse);
      EXPECT_EQ(d.GetDlgItem(CIglesiasDlg::kMarks[3])->isEnabled(), c.child1);
      QWidget* declarant = d.GetDlgItem(CIglesiasDlg::kMarks[1]);
      declarant->setFocus();
      QTest::keyClick(declarant, Qt::Key_X);
      d.Item<QAbstractButton>(ui::IDOK)->click();
    });
    EXPECT_NE(Family()[4725], 0) << "the declarant's church mark";
    for (int m = 0; m < 5; ++m) EXPECT_EQ(Family()[4734 + m], 0) << m;
    std::memset(Family() + 4724, 0, 5);
  }
}

TEST_F(Iglesias, CancelWritesNothing) {
  qxtest::MemberView view(1, {1, 1, 1, 0, 0});
  std::memset(Family() + 4734, 1, 5);
  Open("IDD_IGLESIASNO", 4729, [&](CIglesiasDlg& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("ASIGNACION DE CANTIDADES A FINES SOCIALES"));
    QWidget* declarant = d.GetDlgItem(CIglesiasnoDlg::kMarks[1]);
    declarant->setFocus();
    QTest::keyClick(declarant, Qt::Key_X);
    d.Item<QAbstractButton>(ui::IDCANCEL)->click();
  });
  EXPECT_EQ(Family()[4730], 0);
  EXPECT_EQ(Family()[4734], 1);
}

}  // namespace
