// The page view on a real open declaration: boxes loaded from the box definitions, an amount typed
// and left, stored, recalculated and repainted; Tab, Enter and arrows between boxes; zoom; the
// member shown; the go-to-page dialog; the check-mark editor.
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "blocks/form100.h"
#include "ui/box_edit.h"
#include "forms/view/goto_page_dlg.h"
#include "page_fixture.h"
#include "support/ui_helpers.h"

namespace {

using namespace formstest;

// Paints the whole page as the screen shows it.
QImage Paint(forms::CFormView& v) {
  QImage image(v.PageSize(), QImage::Format_RGB32);
  QPainter p(&image);
  v.RenderPage(p, QPoint(0, 0));
  return image;
}

TEST_F(PageTest, AnAmountTypedAndLeftIsStoredRecalculatedAndRepainted) {
  forms::CFormView& v = Open(3, kAmountPage);
  ASSERT_EQ(v.GetBoxCount(), 3);
  EXPECT_EQ(v.EditedBox(), 0) << "the page opens on its first editable box";
  EXPECT_EQ(host->prompt, QStringLiteral("Valor del primer bien"));

  TypeAndLeave(QStringLiteral("1234,5"), Qt::Key_Tab);
  EXPECT_DOUBLE_EQ(Amount(kRow0), 1234.5);
  EXPECT_DOUBLE_EQ(Amount(kTotal), 1234.5) << "the section total was recalculated";
  EXPECT_DOUBLE_EQ(blocks::F64{f714::Summary.offset + f714::summary::B.off}.get(Block()), 1234.5);
  EXPECT_EQ(v.GetBox(1)->displayText, QStringLiteral("1.234,50"));
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(v.EditedBox(), 2) << "Tab passes the read-only total";
  EXPECT_EQ(host->prompt, QStringLiteral("Valor del segundo bien"));

  // The repainted page shows the total's text where its box lies.
  blocks::F64{kTotal}.set(Block(), 0.0);
  const QImage before = Paint(v);
  document->Calculate(1);
  const QImage after = Paint(v);
  const QRect total = v.GetBox(1)->Area();
  EXPECT_NE(before.copy(total), after.copy(total));
}

// A box's value reaches the declaration's model through the view's one commit: the model hears
// the box's bytes and its revision moves, which is what "modified" is; a save settles it.
TEST_F(PageTest, ACommittedBoxIsAnnouncedToTheModelWithItsBytes) {
  struct Heard : doc::IDeclarationListener {
    void OnDeclarationEvent(const doc::DeclarationEvent& e) override {
      if (e.kind == doc::DeclarationChange::ValuesChanged) ranges.push_back(e.range);
    }
    std::vector<doc::ByteRange> ranges;
  } heard;
  forms::CFormView& v = Open(3, kAmountPage);
  document->Model().Subscribe(&heard);
  const std::uint64_t revision = document->Model().Revision();
  EXPECT_EQ(v.CommitPendingEdit(), 0) << "nothing typed: nothing to commit";
  EXPECT_EQ(document->Model().Revision(), revision);
  TypeAndLeave(QStringLiteral("7"), Qt::Key_Tab);
  EXPECT_EQ(heard.ranges, (std::vector<doc::ByteRange>{{kRow0, 8}}));
  EXPECT_GT(document->Model().Revision(), revision);
  EXPECT_TRUE(document->IsModified());
  document->Model().MarkSaved();
  EXPECT_FALSE(document->IsModified());
  TypeAndLeave(QStringLiteral("8"), Qt::Key_Tab);
  EXPECT_EQ(heard.ranges.back(), (doc::ByteRange{kRow1, 8}));
  EXPECT_TRUE(document->IsModified());
  document->Model().Unsubscribe(&heard);
}

TEST_F(PageTest, ARefusedValueKeepsTheEditorAndAZeroBoxWithShowZeroShowsIt) {
  forms::CFormView& v = Open(3, kAmountPage);
  EXPECT_EQ(v.GetBox(2)->displayText, QStringLiteral("0,00")) << "show zero";
  EXPECT_EQ(v.GetBox(0)->displayText, QString());
  EXPECT_EQ(v.GetBox(1)->SoloLectur, 1) << "a stored true is read-only";
  EXPECT_EQ(v.GetBox(2)->AdmitNega, 1);
}

TEST_F(PageTest, TabEnterAndArrowsWalkTheEditableBoxesRoundThePage) {
  forms::CFormView& v = Open(3, kAmountPage);
  struct Step {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int box;
  };
  const Step steps[] = {{Qt::Key_Tab, Qt::NoModifier, 2},   {Qt::Key_Tab, Qt::NoModifier, 0},
                        {Qt::Key_Backtab, Qt::ShiftModifier, 2}, {Qt::Key_Return, Qt::NoModifier, 0},
                        {Qt::Key_Down, Qt::NoModifier, 2},  {Qt::Key_Up, Qt::NoModifier, 0}};
  for (const Step& s : steps) {
    TypeAndLeave(QString(), s.key, s.mods);
    EXPECT_EQ(v.EditedBox(), s.box) << s.key;
    EXPECT_EQ(v.Editor()->GetDlgCtrlID(), s.box + 1) << "the editor's id is the box number";
  }
}

TEST_F(PageTest, AClickOpensTheBoxUnderTheMouseButNotAReadOnlyOne) {
  forms::CFormView& v = Open(3, kAmountPage);
  const QPoint origin = v.ScrollPosition();
  QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, v.GetBox(2)->Area().center() - origin);
  EXPECT_EQ(v.EditedBox(), 2);
  v.ScrollTo(QPoint(0, v.GetBox(1)->Area().top() - 10));
  QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, v.GetBox(1)->Area().center() - v.ScrollPosition());
  EXPECT_EQ(v.EditedBox(), 2) << "the read-only total opens nothing";
  EXPECT_EQ(v.ToolTipAt(v.GetBox(1)->Area().center() - v.ScrollPosition()), QStringLiteral("Total de la sección"));
  EXPECT_EQ(v.ToolTipAt(QPoint(1, 1)), QString());
}

TEST_F(PageTest, ZoomStepsKeepTheEditedBoxInViewAndWriteTheZoomText) {
  forms::CFormView& v = Open(3, kAmountPage);
  v.resize(400, 300);
  QApplication::processEvents();
  const double scale = v.BoxScale();
  const int width = v.PageSize().width();
  v.GoToBox(2);
  QApplication::processEvents();
  ASSERT_EQ(v.EditedBox(), 2);
  for (double z : {1.25, 1.5, 1.75, 2.0}) {
    v.ZoomIn();
    EXPECT_DOUBLE_EQ(document->Zoom(), z);
    EXPECT_NEAR(v.BoxScale(), scale * z, 1e-9);
    EXPECT_EQ(v.PageSize().width(), static_cast<int>(width * z));
    // The editor lies over its box, inside the visible part of the page.
    const QRect box = v.GetBox(2)->Area().translated(-v.ScrollPosition());
    EXPECT_TRUE(box.contains(v.Editor()->geometry().center())) << z;
    EXPECT_TRUE(v.viewport()->rect().contains(v.Editor()->geometry().topLeft())) << z;
  }
  EXPECT_EQ(host->zoomText, "2.00");
  EXPECT_FALSE(v.ViewCommandEnabled(forms::kCmdZoomIn));
  v.ZoomIn();
  EXPECT_DOUBLE_EQ(document->Zoom(), 2.0) << "nothing beyond 2.0";
  for (int i = 0; i < 4; ++i) v.ZoomOut();
  EXPECT_DOUBLE_EQ(document->Zoom(), 1.0);
  EXPECT_TRUE(v.viewport()->rect().contains(v.Editor()->geometry().topLeft())) << "back at 1.0";
  EXPECT_FALSE(v.ViewCommandEnabled(forms::kCmdZoomOut));
}

TEST_F(PageTest, TheBoxDefinitionsAreScaledOutwardsAndMissingRowsAreReported) {
  forms::CPageBoxList list;
  std::vector<int> reported;
  list.SetTables({&local, 'e', [&](int id, bool stop) { reported.push_back(stop ? -id : id); }});
  EXPECT_FALSE(list.LoadFromControlX(399, 1.27)) << "page 399 has no language rows";
  EXPECT_EQ(reported, (std::vector<int>{-forms::kStrControlsDamaged, forms::kStrCannotInitPage}));
  EXPECT_EQ(list.GetSize(), 0);
  reported.clear();
  EXPECT_FALSE(list.LoadFromControlX(398, 1.0));
  EXPECT_EQ(reported, std::vector<int>{forms::kStrCannotInitPage});

  ASSERT_TRUE(local.Execute("INSERT INTO Controle VALUES (' 399', '1', 'T', 'P');"));
  ASSERT_TRUE(list.LoadFromControlX(399, 1.27));
  ASSERT_EQ(list.GetSize(), 1);
  const QRect r = list.GetAt(0)->rect;
  EXPECT_EQ((std::array<int, 4>{r.left(), r.top(), r.right(), r.bottom()}), (std::array<int, 4>{127, 254, 383, 319}));
  ASSERT_TRUE(list.LoadFromControlX(399, 1.27));
  EXPECT_EQ(list.GetSize(), 2) << "loading twice without clearing doubles the boxes";
  list.ClearBoxes();
  ASSERT_TRUE(list.LoadBoxesNoGeometry(kAmountPage));
  EXPECT_EQ(list.GetAt(1)->SoloLectur, 0) << "no flags without geometry";
  EXPECT_TRUE(list.GetAt(1)->prompt.empty());
  list.ClearBoxes();
}

TEST_F(PageTest, ThePilotWealthPageBindsItsBoxesToTheDeclarantsData) {
  forms::CFormView& v = Open(3, 301);
  ASSERT_EQ(v.GetBoxCount(), 51);
  EXPECT_TRUE(v.HasPicture());
  EXPECT_FALSE(v.FrameTitle().isEmpty());
  v.GoToBox(3);  // the NIF
  QApplication::processEvents();
  ASSERT_EQ(v.EditedBox(), 3);
  TypeAndLeave(QStringLiteral("12345678z"), Qt::Key_Tab);
  std::uint8_t* per = f714::record(Block(), f714::Personal);
  EXPECT_EQ(f714::personal::Nif.str(per), "12345678Z");
  EXPECT_EQ(v.GetBox(48)->displayText, QStringLiteral("12345678Z")) << "position 49 shows the NIF again";
  EXPECT_EQ(v.EditedBox(), 4);
  EXPECT_EQ(v.GetBox(46)->data, nullptr) << "position 47 is not bound";
}

TEST_F(PageTest, TheMemberShownChangesWhichSlotEveryPerMemberBoxShows) {
  forms::CFormView& v = Open(2, 201);
  auto& renta = static_cast<doc::CRentaDoc&>(*document);
  const char* nifs[] = {"11111111H", "22222222J", "33333333P", "44444444A", "55555555K"};
  for (int m = 0; m < 5; ++m) blocks::Text{773 + 9 * static_cast<std::size_t>(m), 9}.set(Block(), nifs[m]);
  blocks::Text{5037 + 9 * 2, 9}.set(Block(), "99999999R");
  for (int member = 1; member <= 5; ++member) {
    renta.ShowMember(member);
    Paint(v);
    EXPECT_EQ(doc::ShownMember(), member);
    EXPECT_EQ(v.GetBox(0)->displayText, QString::fromLatin1(nifs[member - 1])) << member;
    EXPECT_EQ(v.GetBox(166)->displayText, member == 3 ? QStringLiteral("99999999R") : QString()) << member;
  }
  EXPECT_EQ(v.GetBox(0)->textFieldFlag, 0) << "NIF is not a free-text name";
  EXPECT_EQ(v.GetBox(29)->textFieldFlag, 1) << "CALLEC is";
}

TEST_F(PageTest, APageWithoutDefinitionsIsShownWithoutBoxes) {
  forms::CFormView& v = Open(2, 219);  // no form-100 page has this code
  EXPECT_EQ(v.GetBoxCount(), 0);
  EXPECT_EQ(v.Editor(), nullptr);
  EXPECT_EQ(v.FindFirstEditableBox(), -1);
  QTest::keyClick(&v, Qt::Key_Tab);
  EXPECT_EQ(v.Editor(), nullptr);
  EXPECT_TRUE(v.CanDestroy()) << "a page without an editor never holds the navigation";
}

TEST_F(PageTest, TheGoToPageDialogSendsItsRequestsAndResetsTheNumber) {
  forms::CIrPaginaDlg dlg;
  std::vector<std::pair<int, int>> sent;
  dlg.SetCommandTarget([&](int command) { sent.emplace_back(command, dlg.PageNumber()); });
  ASSERT_TRUE(qxtest::ShowActive(&dlg));
  auto* number = dlg.GetDlgItem(forms::CIrPaginaDlg::kIdNumber);
  ASSERT_NE(number, nullptr);
  number->setFocus();
  QTest::keyClicks(number, QStringLiteral("567"));
  EXPECT_EQ(static_cast<QLineEdit*>(number)->text(), QStringLiteral("56")) << "two digits";
  QTest::keyClick(number, Qt::Key_Backspace);
  // Next and previous keep the dialog open; so does Ir a without a number.
  dlg.Item<QPushButton>(forms::CIrPaginaDlg::kIdNext)->click();
  dlg.Item<QPushButton>(forms::CIrPaginaDlg::kIdPrevious)->click();
  EXPECT_TRUE(dlg.isVisible()) << "the dialog stays open";
  number->setFocus();
  QTest::keyClick(number, Qt::Key_Return);
  EXPECT_EQ(sent, (std::vector<std::pair<int, int>>{{2029, 5}, {2030, 5}, {2033, 5}}));
  EXPECT_EQ(dlg.PageNumber(), 0);
  EXPECT_EQ(static_cast<QLineEdit*>(number)->text(), QString());
  EXPECT_FALSE(dlg.isVisible()) << "going to the typed page ends the dialog";
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  ASSERT_TRUE(qxtest::ShowActive(&dlg));
  dlg.Item<QPushButton>(forms::CIrPaginaDlg::kIdGo)->click();
  EXPECT_EQ(sent.size(), 3u) << "nothing typed: nowhere to go";
  EXPECT_TRUE(dlg.isVisible());
}

TEST(BoxEdit, KeysMarkClearAndToggleTheBoundByte) {
  doc::overflow_warning::Arm();
  CBoxField box;
  box.StrValidac = "B3";
  box.ApplyFormatSpec();
  std::uint8_t mark = 0;
  box.data = &mark;
  QWidget owner;
  CBoxEdit edit(&box, &owner);
  EXPECT_EQ(edit.CheckMarkKey(), 3);
  EXPECT_EQ(box.width, 1);
  struct Case {
    char32_t ch;
    int result;
    std::uint8_t mark;
  };
  for (const Case& c : {Case{U's', kHandled, 1}, Case{U'n', kHandled, 0}, Case{U' ', kHandled, 1},
                        Case{U' ', kHandled, 0}, Case{U'X', kHandled, 1}, Case{U'a', kRefuse, 1}}) {
    EXPECT_EQ(edit.FilterChar(c.ch, 1, 0, true), c.result);
    EXPECT_EQ(mark, c.mark) << static_cast<char>(c.ch);
  }
  EXPECT_EQ(edit.FilterKeyDown(Qt::Key_Delete, 1, 0), kHandled);
  EXPECT_EQ(mark, 0);
  ui::RegisterBoxEdit(0, 1, &owner);
  ui::RegisterBoxEdit(3, 7, &owner);
  EXPECT_FALSE(ui::IsBoxEditRegistered(0, &owner));
  EXPECT_TRUE(ui::IsBoxEditRegistered(3, &owner));
  ui::UnregisterBoxEdit(3, 7, &owner);
  ui::UnregisterBoxEdit(0, 1, &owner);
  EXPECT_FALSE(ui::IsBoxEditRegistered(3, &owner));
}

TEST(FormViews, StripPrefixAndDotsAndPageClassNames) {
  EXPECT_EQ(forms::C714Vista::StripPrefixAndDots("ABCDEF1.234.567"), "1234567");
  EXPECT_EQ(forms::C714Vista::StripPrefixAndDots("ABCDEF"), "");
  EXPECT_EQ(forms::PageClassName(201), "ORD001");
  EXPECT_EQ(forms::PageClassName(311), "PAT011");
}

}  // namespace

namespace {

// Whether painting the box in `mode` changed any pixel of a white image.
bool Paints(const CBoxField& box, int mode) {
  QImage image(60, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  const QImage blank = image;
  QPainter p(&image);
  box.Draw(p, 0, 0, mode);
  if (mode == 0) box.DrawFrame(forms::kFrameEdited, p, 0, 0);  // frames are the screen's
  p.end();
  return image != blank;
}

TEST(BoxPainting, PaintModesDecideWhereABoxIsDrawn) {
  CBoxField box;
  box.rect = QRect(QPoint(5, 5), QPoint(55, 25));
  box.displayText = QStringLiteral("X");
  box.SoloLectur = 1;  // a tinted background on screen
  struct Case {
    int paintMode;
    int mode;
    bool painted;
  };
  for (const Case& c : {Case{0, 0, true}, Case{0, 1, true}, Case{1, 0, true}, Case{1, 1, false}, Case{2, 0, false},
                        Case{2, 1, true}}) {
    box.PintarEn = c.paintMode;
    EXPECT_EQ(Paints(box, c.mode), c.painted) << c.paintMode << " " << c.mode;
  }
  box.PintarEn = 0;
  box.StrValidac = "D8";
  box.displayText = QStringLiteral("  /  /    ");
  EXPECT_FALSE(Paints(box, 1)) << "an empty date prints nothing";
}

}  // namespace
