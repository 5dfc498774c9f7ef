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

// Icons are read when first drawn; they draw what Qt's own engine draws from the same file, in
// every mode and size, and a mode given its own file draws that file.
TEST(ProgramIcons, DrawnAsTheirFilesInEveryModeAndSize) {
  const QString file = QStringLiteral(":/icons/%1.svg").arg(static_cast<int>(platform::kIconOk));
  const QIcon ours = platform::ProgramIcon(platform::kIconOk), qts(file);
  for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected})
    for (int size : {16, 32, 48}) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << " size " << size);
      const QImage a = ours.pixmap(size, size, mode).toImage().convertToFormat(QImage::Format_ARGB32);
      const QImage b = qts.pixmap(size, size, mode).toImage().convertToFormat(QImage::Format_ARGB32);
      EXPECT_EQ(a.size(), b.size());
      EXPECT_TRUE(a == b);
    }
  const QImage normal = ours.pixmap(16, 16).toImage();
  EXPECT_FALSE(ours.pixmap(16, 16, QIcon::Disabled).toImage() == normal);

  const QString closed = platform::ProgramImageFile(platform::kBitmapTree, 0);
  const QString open = platform::ProgramImageFile(platform::kBitmapTree, 1);
  QIcon tree = platform::ProgramImageIcon(closed);
  const QIcon before = tree;
  tree.addFile(open, QSize(), QIcon::Selected);
  EXPECT_TRUE(tree.pixmap(16, 16, QIcon::Selected).toImage() == QIcon(open).pixmap(16, 16).toImage());
  EXPECT_TRUE(tree.pixmap(16, 16).toImage() == QIcon(closed).pixmap(16, 16).toImage());
  EXPECT_TRUE(before.pixmap(16, 16, QIcon::Selected).toImage() == QIcon(closed).pixmap(16, 16, QIcon::Selected).toImage());
}

}  // namespace
