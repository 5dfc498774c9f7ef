// The tax-assignment question: its three options exclude each other, the by-hand option can be
// withheld, OK needs an option and reports it, and answering leaves the data-edited flag as it was.
#include <QAbstractButton>

#include "annex/asignacion_tributaria_dlg.h"
#include "annex_fixture.h"
#include "ui/box_edit.h"
#include "ui/sub_dialog_edit.h"

namespace {

using Dlg = CAsignacionTributariaDlg;

class AsignacionTributaria : public annextest::AnnexTest {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    messages.observePlain = [this](const PlainMessage& m) { plain.push_back(m.stringId); };
  }
  std::unique_ptr<Dlg> Shown(bool byHandDisabled = false) {
    auto d = std::make_unique<Dlg>();
    d->SetByHandDisabled(byHandDisabled);
    d->EnsureCreated();
    EXPECT_TRUE(qxtest::ShowActive(d.get()));
    return d;
  }
  static void Key(Dlg& d, int id, Qt::Key key) {
    QWidget* e = d.GetDlgItem(id);
    e->setFocus();
    QTest::keyClick(e, key);
  }
  static void ClickOk(Dlg& d) {
    auto* ok = d.Item<QAbstractButton>(ui::IDOK);
    ASSERT_NE(ok, nullptr);
    if (ok->isEnabled()) QTest::mouseClick(ok, Qt::LeftButton);
    else static_cast<QDialog&>(d).accept();  // as Enter would
  }
  std::vector<int> plain;
};

TEST_F(AsignacionTributaria, EachOptionGivesItsAnswerAndClearsTheOthers) {
  struct Case {
    std::vector<int> typedInto;  // boxes marked with "X" in this order
    int answer;
  };
  for (const Case& c : {Case{{Dlg::kMarkNowId}, Dlg::kMarkNow}, Case{{Dlg::kMarkNoneId}, Dlg::kMarkNone},
                        Case{{Dlg::kByHandId}, Dlg::kByHand}, Case{{Dlg::kMarkNowId, Dlg::kByHandId}, Dlg::kByHand},
                        Case{{Dlg::kByHandId, Dlg::kMarkNoneId}, Dlg::kMarkNone}}) {
    auto d = Shown();
    EXPECT_FALSE(d->GetDlgItem(ui::IDOK)->isEnabled()) << "nothing chosen yet";
    for (int id : c.typedInto) Key(*d, id, Qt::Key_X);
    int marked = 0;
    for (int id : {Dlg::kMarkNowId, Dlg::kMarkNoneId, Dlg::kByHandId}) marked += d->Item<CBoxEdit>(id)->Marked() ? 1 : 0;
    EXPECT_EQ(marked, 1);
    EXPECT_TRUE(d->GetDlgItem(ui::IDOK)->isEnabled());
    ClickOk(*d);
    EXPECT_EQ(d->result(), ui::IDOK);
    EXPECT_EQ(d->GetAnswer(), c.answer);
  }
}

TEST_F(AsignacionTributaria, OkWithoutAnOptionAsksForOneAndStaysOpen) {
  auto d = Shown();
  Key(*d, Dlg::kMarkNoneId, Qt::Key_X);
  Key(*d, Dlg::kMarkNoneId, Qt::Key_Space);  // the mark taken away again
  EXPECT_FALSE(d->GetDlgItem(ui::IDOK)->isEnabled());
  ClickOk(*d);
  EXPECT_EQ(plain, std::vector<int>{137});
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(d->GetAnswer(), Dlg::kNone);
}

TEST_F(AsignacionTributaria, TheByHandOptionCanBeWithheld) {
  auto d = Shown(true);
  EXPECT_FALSE(d->GetDlgItem(Dlg::kByHandId)->isEnabled());
  EXPECT_TRUE(d->GetDlgItem(Dlg::kMarkNowId)->isEnabled());
  EXPECT_TRUE(d->GetDlgItem(Dlg::kMarkNoneId)->isEnabled());
}

TEST_F(AsignacionTributaria, AnsweringIsNoChangeOfTheDeclarationAndCancelAnswersNothing) {
  qxtest::MemberView view(2, {1, 1, 1, 0, 0});  // opens editable in any member view
  for (bool edited : {false, true}) {
    view.Model().SetEditedSincePrinted(edited);
    auto d = Shown();
    Key(*d, Dlg::kMarkNowId, Qt::Key_X);
    ClickOk(*d);
    EXPECT_EQ(d->result(), ui::IDOK);
    EXPECT_EQ(view.Model().EditedSincePrinted(), edited);
  }
  auto d = Shown();
  Key(*d, Dlg::kMarkNoneId, Qt::Key_X);
  QTest::keyClick(d->GetDlgItem(Dlg::kMarkNoneId), Qt::Key_Escape);
  EXPECT_EQ(d->result(), ui::IDCANCEL);
  EXPECT_EQ(d->GetAnswer(), Dlg::kNone);
  view.Model().SetEditedSincePrinted(false);
}

}  // namespace
