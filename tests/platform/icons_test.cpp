// Every icon and bitmap id that the program names has a picture that draws something.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "platform/icons.h"

namespace {

// Some pixel of the icon is not transparent.
bool Draws(const QIcon& icon) {
  if (icon.isNull()) return false;
  const QImage image = icon.pixmap(32, 32).toImage();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) return true;
  return false;
}

TEST(ProgramIcons, EveryNamedIconAndBitmapDraws) {
  for (int id : platform::kProgramIcons) EXPECT_TRUE(Draws(platform::ProgramIcon(id))) << "icon " << id;
  for (int id : platform::kProgramBitmaps) {
    const QList<QIcon> images = platform::ProgramImages(id);
    ASSERT_FALSE(images.isEmpty()) << "bitmap " << id;
    for (const QIcon& image : images) EXPECT_TRUE(Draws(image)) << "bitmap " << id;
  }
  for (const char* name : platform::kNamedBitmaps) EXPECT_TRUE(Draws(platform::NamedBitmap(name))) << name;
  EXPECT_EQ(platform::ProgramImages(platform::kBitmapFindings).size(), 2);  // warning, error
}

TEST(ProgramIcons, AnUnknownIdHasNoIcon) {
  EXPECT_FALSE(platform::HasProgramIcon(1));
  EXPECT_TRUE(platform::ProgramIcon(1).isNull());
  EXPECT_TRUE(platform::ProgramImages(1).isEmpty());
}

}  // namespace
