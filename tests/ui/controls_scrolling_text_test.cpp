// The scrolling text panel, stepped tick by tick.
#include <QImage>
#include <gtest/gtest.h>

#include "ui/controls/scrolling_text.h"

namespace {

// Highest and lowest rows holding anything but the background; -1 when none.
std::pair<int, int> InkRows(const QImage& img, QRgb background) {
  int top = -1, bottom = -1;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != background) {
        if (top < 0) top = y;
        bottom = y;
      }
  return {top, bottom};
}

struct Panel {
  Panel() {
    ctl.resize(120, 60);
    ctl.SetBackgroundColour(Qt::black);
    ctl.SetColours(Qt::yellow, Qt::red, Qt::green, Qt::white);
    ctl.SetHeights(12, 10, 10);
    ctl.SetCodes(QLatin1Char('G'), QLatin1Char('T'), QLatin1Char('S'), QLatin1Char('B'));
    ctl.SetScrollStep(-1);
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) ctl.Tick();
  }
  CScrollingTextCtrl ctl;
};

TEST(ScrollingText, ALineRisesAStepPerTickAndWidensTheColumnOnTheFirstPass) {
  Panel p;
  p.ctl.SetLines({QStringLiteral("HHHH."), QStringLiteral("H.")});
  p.Ticks(6);
  auto [top, bottom] = InkRows(p.ctl.WorkSurface(), qRgb(0, 0, 0));
  EXPECT_GE(top, 60 - 6);
  EXPECT_EQ(bottom, 59);
  const int widened = p.ctl.ColumnWidth();
  EXPECT_GT(widened, 0);
  EXPECT_LT(widened, 120);
  p.Ticks(20);
  std::tie(top, bottom) = InkRows(p.ctl.WorkSurface(), qRgb(0, 0, 0));
  EXPECT_GE(top, 60 - 26);
  EXPECT_LT(top, 60 - 10);  // the first line has left the bottom band
  EXPECT_FALSE(p.ctl.FirstPass());  // both lines taken: the list starts again
  EXPECT_EQ(p.ctl.ColumnWidth(), widened);  // the short line did not narrow it
}

TEST(ScrollingText, TheColumnGrowsAtMostToTheWindow) {
  Panel p;
  p.ctl.SetColumnWidth(10);
  p.ctl.SetLines({QStringLiteral("A very long line that does not fit.T")});
  p.Ticks(2);
  EXPECT_EQ(p.ctl.ColumnWidth(), 120);
}

TEST(ScrollingText, APictureLineIsRevealedRowByRowWithGreyTransparent) {
  Panel p;
  p.ctl.SetColumnWidth(20);
  p.ctl.SetTransparentPictures(true);
  QImage pic(8, 6, QImage::Format_RGB32);
  pic.fill(Qt::blue);
  pic.setPixel(0, 0, CScrollingTextCtrl::kTransparentGrey);
  p.ctl.SetPictureLoader([pic](const QString& name) { return name == "logo" ? pic : QImage(); });
  p.ctl.SetLines({QStringLiteral("logoB")});
  p.Ticks(3);
  EXPECT_TRUE(p.ctl.PictureInProgress());
  const QImage& s = p.ctl.WorkSurface();
  EXPECT_EQ(s.pixel(60, 59), qRgb(0, 0, 255));  // its top rows, at the column's bottom
  EXPECT_EQ(s.pixel(60, 56), qRgb(0, 0, 0));
  p.Ticks(3);
  EXPECT_FALSE(p.ctl.PictureInProgress());
  const QImage& done = p.ctl.WorkSurface();
  EXPECT_EQ(done.pixel(56, 54), qRgb(0, 0, 0));  // the grey corner lets the background through
  EXPECT_EQ(done.pixel(57, 54), qRgb(0, 0, 255));
}

TEST(ScrollingText, BeforeTheFirstTickThePanelShowsTheListFromItsHead) {
  Panel p;
  p.ctl.SetLines({QStringLiteral("HHHH."), QStringLiteral("."), QStringLiteral("HH.")});
  const QImage shown = p.ctl.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const auto [top, bottom] = InkRows(shown, qRgb(0, 0, 0));
  EXPECT_GE(top, 0);
  EXPECT_LT(top, 10);
  EXPECT_GT(bottom, 20);  // the third line, below the empty one
  EXPECT_LT(bottom, 45);
}

TEST(ScrollingText, GradientBands) {
  const QColor base(200, 100, 50);
  const struct {
    int style, band;
    QColor expected;
  } cases[] = {
      {1, 0, base},   {1, 255, QColor(0, 0, 0)},         {1, 128, QColor(100, 50, 25)},
      {2, 255, QColor(255, 255, 255)},                    {2, 128, QColor(227, 177, 152)},
      {3, 0, QColor(0, 0, 0)},                            {3, 255, base},
      {4, 0, QColor(255, 255, 255)},                      {4, 255, base},
  };
  for (const auto& c : cases) {
    const auto got = CScrollingTextCtrl::GradientColour(c.style, base, c.band);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, c.expected) << c.style << " " << c.band;
  }
  EXPECT_FALSE(CScrollingTextCtrl::GradientColour(5, base, 10).has_value());

  Panel p;
  p.ctl.SetBackgroundColour(Qt::white);
  p.ctl.SetGradientStyle(CScrollingTextCtrl::kToBlack);
  p.ctl.Tick();
  EXPECT_EQ(p.ctl.WorkSurface().pixel(0, 0), qRgb(253, 253, 253));  // bands 0 and 1 are under a pixel wide
  EXPECT_EQ(p.ctl.WorkSurface().pixel(119, 0), qRgb(0, 0, 0));  // the last of 256 bands
}

}  // namespace
