// The page picture: reading placeable metafiles defensively, fitting and playing them.
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>

#include "../data/message_recorder.h"
#include "forms/view/metafile.h"
#include "forms/view/wmf_writer.h"

using forms::CMetaFile;

namespace {

// A 100 x 50 picture at 254 units per inch whose left half is a black filled rectangle, with one
// line of text and a polyline.
std::vector<std::uint8_t> SmallPicture(std::int16_t inch = 254) {
  wmf::Writer w({0, 0, 100, 50, static_cast<std::uint16_t>(inch)});
  w.SetWindow({0, 0}, {100, 50});
  int pen = w.CreatePen(wmf::kPenNull, 0, 0);
  int brush = w.CreateBrush(wmf::kBrushSolid, wmf::Rgb(0, 0, 0));
  w.Select(pen);
  w.Select(brush);
  w.Rectangle({0, 0}, {50, 50});
  w.Delete(brush);
  wmf::Font f;
  f.height = -10;
  f.face = "Arial";
  int font = w.CreateFont(f);
  w.Select(font);
  w.SetTextAlign(wmf::kAlignBaseline);
  w.TextOut({55, 20}, "A\xD1");  // "AÑ" in cp1252
  w.Delete(font);
  w.Polyline({{55, 30}, {95, 30}, {95, 45}});
  return w.Finish();
}

QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

}  // namespace

TEST(MetaFile, FitRectPlacesThePictureAsThePlatformDoes) {
  struct Case {
    wmf::Rect rect;
    int w, h, align;
    wmf::Rect want;
  };
  for (const Case& c : {Case{{0, 0, 400, 400}, 200, 100, 5, {100, 150, 300, 250}},
                        Case{{0, 0, 400, 400}, 200, 100, 11, {0, 100, 400, 300}},
                        Case{{0, 0, 400, 400}, 100, 200, 11, {100, 0, 300, 400}},
                        Case{{0, 0, 400, 400}, 900, 800, 1, {0, 0, 400, 400}},  // larger: clipped
                        Case{{10, 10, 110, 60}, 20, 10, 9, {90, 50, 110, 60}},
                        Case{{10, 10, 110, 60}, 20, 10, 10, {10, 10, 110, 60}},
                        Case{{10, 10, 110, 60}, 20, 10, 0, {10, 10, 110, 60}}}) {
    wmf::Rect r = c.rect;
    wmf::FitRect(r, c.w, c.h, c.align);
    EXPECT_EQ(r, c.want) << "align " << c.align;
  }
  QRect q(0, 0, 400, 400);
  CMetaFile::FitRect(q, QSize(200, 100), 5);
  EXPECT_EQ(q, QRect(100, 150, 200, 100));
}

TEST(MetaFile, SizeFromThePlaceableHeader) {
  CMetaFile m;
  EXPECT_EQ(m.GetSize(), QSize(0, 0));
  EXPECT_TRUE(m.IsEmpty());
  wmf::Writer a4({0, 0, 11906, 16838, 1440});
  ASSERT_TRUE(m.Read(a4.Finish()));
  EXPECT_EQ(m.GetSize(), QSize(2100, 2970));
  // Without a placeable header: 790 x 1100, stretched into any rectangle.
  std::vector<std::uint8_t> bare = SmallPicture();
  bare.erase(bare.begin(), bare.begin() + wmf::placeable::kSize);
  ASSERT_TRUE(m.Read(bare));
  EXPECT_EQ(m.GetSize(), QSize(790, 1100));
  EXPECT_EQ(m.Header().inch, 0);
  m.Clear();
  EXPECT_TRUE(m.IsEmpty());
  EXPECT_EQ(m.GetSize(), QSize(0, 0));
}

TEST(MetaFile, RefusesDamagedFilesAndKeepsThePictureItHad) {
  const std::vector<std::uint8_t> good = SmallPicture();
  const std::size_t meta = wmf::placeable::kSize;
  const std::size_t firstRecord = meta + wmf::header::kSize;
  struct Damage {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> apply;
    wmf::ReadError error;
  };
  const std::vector<Damage> damages = {
      {"empty", [](auto& b) { b.clear(); }, wmf::ReadError::Short},
      {"placeable header cut", [](auto& b) { b.resize(10); }, wmf::ReadError::Short},
      {"metafile header cut", [&](auto& b) { b.resize(meta + 10); }, wmf::ReadError::Short},
      {"type 3", [&](auto& b) { wmf::header::Type.set(b.data() + meta, 3); }, wmf::ReadError::BadType},
      {"header of 8 words", [&](auto& b) { wmf::header::HeaderWords.set(b.data() + meta, 8); }, wmf::ReadError::BadHeader},
      {"empty bounding box", [](auto& b) { wmf::placeable::Right.set(b.data(), 0); }, wmf::ReadError::BadHeader},
      {"file shorter than its size", [](auto& b) { b.pop_back(); b.pop_back(); }, wmf::ReadError::Truncated},
      {"size beyond 4 GB", [&](auto& b) { wmf::header::SizeWords.set(b.data() + meta, 0xFFFFFFFFu); }, wmf::ReadError::Truncated},
      {"record of no words", [&](auto& b) { wmf::record::SizeWords.set(b.data() + firstRecord, 0); }, wmf::ReadError::RecordOverrun},
      {"record past the end", [&](auto& b) { wmf::record::SizeWords.set(b.data() + firstRecord, 0x7FFFFFFFu); }, wmf::ReadError::RecordOverrun},
      {"unknown record", [&](auto& b) { wmf::record::Function.set(b.data() + firstRecord, 0x0626); }, wmf::ReadError::UnknownRecord},
      {"no end record", [&](auto& b) {
         b.resize(b.size() - 6);
         wmf::header::SizeWords.set(b.data() + meta, static_cast<std::uint32_t>((b.size() - meta) / 2));
       }, wmf::ReadError::NoEnd},
  };
  for (const Damage& d : damages) {
    std::vector<std::uint8_t> bytes = good;
    d.apply(bytes);
    CMetaFile m;
    ASSERT_TRUE(m.Read(good));
    EXPECT_FALSE(m.Read(bytes)) << d.what;
    EXPECT_EQ(m.LastError(), d.error) << d.what << ": " << wmf::ReadErrorName(m.LastError());
    EXPECT_FALSE(m.IsEmpty()) << d.what;  // a failed read leaves the picture
    EXPECT_EQ(m.GetSize(), QSize(100 * 254 / 254, 50));
  }
  // A record whose own counts reach past it: a polyline of 1000 points, a text of 1000 bytes.
  for (wmf::Fn fn : {wmf::Fn::Polyline, wmf::Fn::TextOut}) {
    std::vector<std::uint8_t> bytes = good;
    std::size_t at = firstRecord;
    while (wmf::record::Function.get(bytes.data() + at) != static_cast<std::uint16_t>(fn))
      at += wmf::record::SizeWords.get(bytes.data() + at) * 2;
    blocks::I16{at + wmf::record::kHeaderSize}.set(bytes.data(), 1000);
    EXPECT_EQ(wmf::Decode(bytes).has_value(), false);
  }
  // Every shorter copy of the file is refused, and none is read beyond its end.
  for (std::size_t n = 0; n < good.size(); ++n) {
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(wmf::Decode(cut)) << n;
  }
}

TEST(MetaFile, LoadShowsWin025ForAFileItCannotRead) {
  const auto dir = std::filesystem::temp_directory_path() / "qx_metafile_test";
  std::filesystem::create_directories(dir);
  const std::string bad = (dir / "bad.wmf").string();
  std::ofstream(bad, std::ios::binary) << "not a picture at all";
  MessageRecorder messages;
  CMetaFile m;
  EXPECT_FALSE(m.Load((dir / "missing.wmf").string(), &messages));
  EXPECT_FALSE(m.Load(bad, &messages));
  EXPECT_EQ(messages.codes(), (std::vector<std::string>{"WIN025", "WIN025"}));
  EXPECT_TRUE(m.IsEmpty());
  QImage image(10, 10, QImage::Format_RGB32);
  QPainter p(&image);
  EXPECT_FALSE(m.Play(p, QRect(0, 0, 10, 10), 0));
  std::filesystem::remove_all(dir);
}

TEST(MetaFile, PlaysOntoTheRectangleKeepingTheAspectWhenAsked) {
  CMetaFile m;
  ASSERT_TRUE(m.Read(SmallPicture()));
  QImage image(200, 200, QImage::Format_RGB32);
  auto play = [&](int align) {
    image.fill(Qt::white);
    QPainter p(&image);
    return m.Play(p, QRect(0, 0, 200, 200), align);
  };
  // Stretched: the black half fills the left half of any rectangle.
  ASSERT_TRUE(play(10));
  EXPECT_EQ(At(image, 50, 100), 0x000000u);
  EXPECT_EQ(At(image, 50, 195), 0x000000u);
  EXPECT_EQ(At(image, 150, 5), 0xFFFFFFu);
  // Keeping the proportions (2:1) the picture is centred with white above and below.
  ASSERT_TRUE(play(11));
  EXPECT_EQ(At(image, 50, 100), 0x000000u);
  EXPECT_EQ(At(image, 50, 20), 0xFFFFFFu);
  EXPECT_EQ(At(image, 50, 180), 0xFFFFFFu);
  // The text and the line were drawn in the right half.
  int dark = 0;
  for (int y = 50; y < 150; ++y)
    for (int x = 105; x < 200; ++x) dark += qGray(image.pixel(x, y)) < 128;
  EXPECT_GT(dark, 50);
}

TEST(MetaFile, PlaysOddButReadablePicturesWithoutHarm) {
  // Objects that do not exist are ignored (the defaults draw), a window of no size draws nothing,
  // and a glyph far larger than the page is kept to a size that paints at once.
  wmf::Writer w({0, 0, 10, 10, 254});
  w.Select(7);
  w.Delete(300);
  w.Rectangle({0, 0}, {10, 10});
  w.SetWindow({0, 0}, {1, 1});
  wmf::Font huge;
  huge.height = -32768;
  w.Select(w.CreateFont(huge));
  w.TextOut({0, 0}, "W");
  w.SetWindow({0, 0}, {0, 0});
  w.Polygon({{0, 0}, {5, 5}, {0, 5}});
  CMetaFile m;
  ASSERT_TRUE(m.Read(w.Finish()));
  QImage image(20, 20, QImage::Format_RGB32);
  QPainter p(&image);
  EXPECT_TRUE(m.Play(p, QRect(0, 0, 20, 20), 0));
}

// A damaged picture: one filled figure of 2,000 points whose edges all cross each other (the
// player would spend seconds on it at every repaint) and a text far longer than a page holds.
// What lies within bounds is drawn, the rest left out, and loading it says once that it is
// damaged; a picture within bounds is not.
TEST(MetaFile, AFigureOrTextBeyondWhatAPageDrawsIsLeftOutAndThePictureReportedDamaged) {
  wmf::Writer w({0, 0, 100, 100, 254});
  w.SetWindow({0, 0}, {100, 100});
  w.Select(w.CreatePen(wmf::kPenNull, 0, 0));
  w.Select(w.CreateBrush(wmf::kBrushSolid, wmf::Rgb(0, 0, 0)));
  std::vector<wmf::Point> star;
  for (int i = 0; i < 2000; ++i) {
    const double a = 3.14159265358979 * 2 * (i * 997 % 2000) / 2000.0;
    star.push_back({static_cast<std::int16_t>(75 + 20 * std::cos(a)), static_cast<std::int16_t>(25 + 20 * std::sin(a))});
  }
  w.Polygon(star);
  w.TextOut({0, 60}, std::string(30000, 'W'));
  w.Rectangle({0, 0}, {40, 40});  // after the damage: still drawn
  const std::vector<std::uint8_t> bytes = w.Finish();

  CMetaFile m;
  ASSERT_TRUE(m.Read(bytes));
  EXPECT_TRUE(m.Damaged());
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    EXPECT_TRUE(m.Play(p, QRect(0, 0, 100, 100), 0));
  }
  EXPECT_EQ(At(image, 20, 20), 0x000000u) << "the rectangle after the figure";
  EXPECT_EQ(At(image, 75, 25), 0xFFFFFFu) << "the figure left out";

  const auto dir = std::filesystem::temp_directory_path() / "qx_metafile_damaged";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "estrella.wmf").string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  MessageRecorder messages;
  CMetaFile loaded;
  EXPECT_TRUE(loaded.Load(path, &messages));
  EXPECT_EQ(messages.codes(), std::vector<std::string>{forms::kDamagedPictureMessage});
  std::filesystem::remove_all(dir);

  // Within bounds: a figure of 256 points and the small picture draw whole, without a word.
  std::vector<wmf::Point> ring;
  for (int i = 0; i < 256; ++i)
    ring.push_back({static_cast<std::int16_t>(50 + 40 * std::cos(i * 0.0245)), static_cast<std::int16_t>(50 + 40 * std::sin(i * 0.0245))});
  wmf::Writer fine({0, 0, 100, 100, 254});
  fine.Polygon(ring);
  for (const std::vector<std::uint8_t>& good : {fine.Finish(), SmallPicture()}) {
    CMetaFile ok;
    ASSERT_TRUE(ok.Read(good));
    EXPECT_FALSE(ok.Damaged());
  }
}
