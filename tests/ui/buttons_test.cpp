// Owner-drawn and hover icon buttons: geometry of the painted parts and hover tracking.
#include <gtest/gtest.h>

#include <QTest>

#include "platform/icons.h"
#include "support/ui_helpers.h"
#include "ui/hover_icon_button.h"
#include "ui/owner_draw_button.h"

namespace {

TEST(OwnerDrawButton, IconSitsBesideTheCaptionOrCentredWithoutOne) {
  COwnerDrawButton b(QStringLiteral("&Aceptar"), nullptr);
  b.resize(112, 40);
  b.SetIcon(platform::kIconOk, 0, 32, 32);
  b.grab();
  EXPECT_EQ(b.LastIconRect(), QRect(3, 4, 32, 32));
  EXPECT_GE(b.LastCaptionRect().left(), 3 + 32 + 3);
  b.setText(QString());
  b.grab();
  EXPECT_EQ(b.LastIconRect().left(), (112 - 32) / 2);
  b.setDown(true);
  b.grab();
  EXPECT_EQ(b.LastIconRect().topLeft(), QPoint((112 - 32) / 2 + 1, 5));  // pressed: one pixel right and down
}

TEST(OwnerDrawButton, FlatButtonLightsOnlyWhenTheMouseEntersWithoutAButtonHeld) {
  QWidget host;
  auto* b = new COwnerDrawButton(QStringLiteral("&Aceptar"), &host);
  b->resize(100, 30);
  ASSERT_TRUE(qxtest::ShowActive(&host));
  QMouseEvent drag(QEvent::MouseMove, QPointF(10, 10), b->mapToGlobal(QPointF(10, 10)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(b, &drag);
  EXPECT_FALSE(b->IsHovered());
  QTest::mouseMove(b, QPoint(10, 10));
  EXPECT_TRUE(b->IsHovered());
  b->SetFlat(false);
  EXPECT_FALSE(b->IsFlat());
}

class PolledButton : public CHoverIconButton {
 public:
  QPoint cursor;

 protected:
  QPoint CursorPos() const override { return cursor; }
};

TEST(HoverIconButton, RaisedEdgeFollowsTheCursorAndPassesBetweenButtons) {
  QWidget host;
  auto* a = new PolledButton;
  auto* b = new PolledButton;
  a->setParent(&host);
  b->setParent(&host);
  a->setGeometry(0, 0, 20, 20);
  b->setGeometry(20, 0, 20, 20);
  ASSERT_TRUE(qxtest::ShowActive(&host));
  const QPoint inA = a->mapToGlobal(QPoint(5, 5)), inB = b->mapToGlobal(QPoint(5, 5));
  a->cursor = b->cursor = inA;
  QTest::mouseMove(a, QPoint(5, 5));
  EXPECT_TRUE(a->IsPolling());
  a->PollCursor();
  EXPECT_TRUE(a->ShowsRaisedEdge());
  // Straight over to the second: it waits until the first has noticed the cursor left.
  a->cursor = b->cursor = inB;
  b->PollCursor();
  EXPECT_FALSE(b->ShowsRaisedEdge());
  a->PollCursor();
  EXPECT_FALSE(a->ShowsRaisedEdge());
  EXPECT_FALSE(a->IsPolling());
  b->PollCursor();
  EXPECT_TRUE(b->ShowsRaisedEdge());
  // Pressing stops the timer and drops the edge.
  QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
  b->PollCursor();
  EXPECT_FALSE(b->IsPolling());
  EXPECT_FALSE(CHoverIconButton::RaisedEdgeShown());
  QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
}

}  // namespace
