// The pilot pages through the whole pipeline: their descriptions built into the shipped local
// database and pictures, the page definition read from the page table, the picture loaded and
// played, and the render compared with a stored reference image.
//
// QX_UPDATE_REFERENCES=1 rewrites the reference images from the current renders.
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "data/db/ado.h"
#include "data/doc/document.h"
#include "forms/view/metafile.h"

namespace {

constexpr int kReferenceWidth = 400;
const std::string kResources = QX_BINARY_DIR "/resources/";
const QString kReferences = QStringLiteral(QX_SOURCE_DIR "/tests/forms/reference/");

struct Pilot {
  int code;
  const char* name;
  int kind;
  int boxes;
};
constexpr Pilot kPilots[] = {{201, "ORD001", 2, 199}, {202, "ORD002", 2, 80}, {209, "ORD009", 2, 45}, {211, "ORD011", 2, 56}, {212, "ORD012", 2, 41}, {213, "ORD013", 2, 27}, {214, "ORD014", 2, 68}, {215, "ORD015", 2, 99}, {216, "ORD016", 2, 137}, {301, "PAT001", 3, 51}};

class PilotPages : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(local.Open(kResources + "DatLocal.db", db::OpenMode::ReadOnly)); }
  doc::PageTables Tables(char language) { return {&local, language, kResources}; }
  db::CAdoConnection local{"DatLocal"};
};

// The share of pixels whose grey differs by more than a quarter, after a one-pixel tolerance for
// anti-aliased edges (a pixel matches when any neighbour of the reference matches).
double DifferentShare(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 1.0;
  long differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const int g = qGray(a.pixel(x, y));
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx) {
          const int xx = x + dx, yy = y + dy;
          if (xx >= 0 && yy >= 0 && xx < b.width() && yy < b.height()) near = std::abs(g - qGray(b.pixel(xx, yy))) <= 64;
        }
      differing += !near;
    }
  return static_cast<double>(differing) / (a.width() * a.height());
}

}  // namespace

TEST_F(PilotPages, PageTableNamesEveryPilotWithItsBoxesInFourLanguages) {
  for (const Pilot& p : kPilots) {
    for (char language : {'e', 'c', 'g', 'v'}) {
      doc::PageDefinition def;
      ASSERT_TRUE(doc::ReadPageDefinition(Tables(language), p.code, def)) << p.name;
      EXPECT_EQ(def.code, p.code);
      EXPECT_EQ(def.kind, p.kind);
      EXPECT_EQ(def.boxCount, p.boxes);
      EXPECT_EQ(def.picturePath, kResources + "paginas" + language + "/" + p.name + ".wmf");
      EXPECT_FALSE(def.title.empty());
      // Every box has its row in the language table, in the same order.
      db::CAdoRecordset boxes, texts;
      char code[8];
      std::snprintf(code, sizeof code, "%4d", p.code);
      ASSERT_TRUE(boxes.Open("ControlX", &local, db::Filter::Eq("IndiceFich", std::string(code))));
      ASSERT_TRUE(texts.Open(db::LanguageTableName("ControlX", 7, language), &local,
                             db::Filter::Eq("IndiceFich", std::string(code))));
      EXPECT_EQ(boxes.GetRecordCount(), p.boxes);
      EXPECT_EQ(texts.GetRecordCount(), p.boxes);
      for (int n = 1; boxes.IsNotAtEnd(); boxes.MoveNext(), texts.MoveNext(), ++n) {
        EXPECT_EQ(boxes.GetFieldText("IndNumero"), std::to_string(n));
        EXPECT_EQ(texts.GetFieldText("IndNumero"), std::to_string(n));
      }
    }
  }
  doc::PageDefinition none;
  EXPECT_FALSE(doc::ReadPageDefinition(Tables('e'), 299, none));
  EXPECT_FALSE(doc::ReadPageDefinition({nullptr, 'e', kResources}, 201, none));
}

TEST_F(PilotPages, FixedPositionsHoldTheirFields) {
  // Boxes whose identifier the printing, the trial copies and the filing look for.
  struct Case {
    int code;
    int position;
    const char* id;
    const char* spec;
  };
  for (const Case& c : {Case{301, 1, "OBLREAL", "B1"}, Case{301, 4, "NIF", "S9"}, Case{301, 37, "CCAA", "L2"},
                        Case{301, 45, "EJEMPLAR", "S60"}, Case{301, 46, "REFERENCIA", "S60"},
                        Case{301, 51, "JUSTIFICAN", "S20"}, Case{201, 1, "NIF", "S9*5"},
                        Case{201, 49, "DES1NIF", "S9"}, Case{201, 132, "DES12SIT", "S1"},
                        Case{201, 137, "ASC1NIF", "S9"}, Case{201, 195, "EJEMPLAR", "S60"},
                        Case{201, 196, "REFERENCIA", "S60*5"}}) {
    char code[8];
    std::snprintf(code, sizeof code, "%4d", c.code);
    db::CAdoRecordset rs;
    ASSERT_TRUE(rs.Open("ControlX", &local,
                        db::Filter::Eq("IndiceFich", std::string(code)) &&
                            db::Filter::Eq("IndNumero", std::to_string(c.position))));
    EXPECT_EQ(rs.GetFieldText("Identifica"), c.id) << c.code << " " << c.position;
    EXPECT_EQ(rs.GetFieldText("StrValidac"), c.spec) << c.code << " " << c.position;
  }
}

TEST_F(PilotPages, RendersMatchTheirReferenceImages) {
  const bool update = std::getenv("QX_UPDATE_REFERENCES") != nullptr;
  for (const Pilot& p : kPilots) {
    for (char language : {'e', 'c'}) {
      doc::PageDefinition def;
      ASSERT_TRUE(doc::ReadPageDefinition(Tables(language), p.code, def));
      forms::CMetaFile picture;
      ASSERT_TRUE(picture.Load(def.picturePath)) << def.picturePath;
      EXPECT_EQ(picture.GetSize(), QSize(790, 1100));
      const QImage render = picture.Render(kReferenceWidth).convertToFormat(QImage::Format_Grayscale8);
      const QString name = kReferences + p.name + "_" + QChar(language) + ".png";
      if (update) {
        ASSERT_TRUE(render.save(name));
      }
      const QImage reference(name);
      ASSERT_FALSE(reference.isNull()) << name.toStdString();
      EXPECT_LT(DifferentShare(render, reference), 0.0005) << name.toStdString();
    }
  }
}
