// The page generator: page descriptions to page-table and box-definition rows and pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "forms/view/wmf.h"
#include "tools/pagebuild/page_source.h"

namespace {

constexpr const char* kSmallPage = R"(# a small page
page PAT012 312 3
title
  e: Página de prueba
  c: Pàgina de prova
  g: Páxina de proba
section 20 60 964 20
  e: DATOS
  c: DADES
  g: DATOS
rule 20 90 984 90 w=1.5
box 1 NIF S9 40 120 200 140 help=7 ro
  e: NIF | Número de identificación fiscal
  c: NIF | Número d'identificació fiscal
  g: NIF | Número de identificación fiscal
  v: NIF | Número d'identificació fiscal (v)
box 2 MARCA B1 40 160 52 172 cap=right paint=1 neg zero lookup=PAISES base=MODULO dialog=IDD_X fid=12 label=7
  *: Marca
table 3 2 top=200 pitch=16 head=20
col DES#NIF S9 40 140
  e: NIF
  c: NIF
  g: NIF
col - R12.2 140 300 filing=D12.2
  *: Importe | Importe de la fila
end
)";

pages::Page Parse(const std::string& text, std::string* error = nullptr) {
  pages::Page p;
  std::string e;
  EXPECT_TRUE(pages::ParsePage(text, "PAT012.page", p, &e)) << e;
  if (error) *error = e;
  return p;
}

std::string Table(const std::vector<pages::TableFile>& tables, const std::string& name) {
  for (const auto& t : tables)
    if (t.table == name) return t.text;
  ADD_FAILURE() << "no table " << name;
  return {};
}

}  // namespace

TEST(PageGenerator, RowsOfBothTablesInTheirFourLanguages) {
  pages::Page p = Parse(kSmallPage);
  ASSERT_EQ(p.boxes.size(), 6u);
  auto tables = pages::PageTables({p});
  ASSERT_EQ(tables.size(), 10u);
  EXPECT_EQ(Table(tables, "Paginasx"), "INDICEFICH\tTipoDec\tFicheroWMF\tNumCuadros\n 312\t3\tpaginasx/PAT012.wmf\t6\n");
  EXPECT_EQ(Table(tables, "Paginasg"), "INDICEFICH\tTituloPagi\n 312\tPáxina de proba\n");
  // Valenciano takes the Catalán text where it has none of its own.
  EXPECT_EQ(Table(tables, "Paginasv"), "INDICEFICH\tTituloPagi\n 312\tPàgina de prova\n");
  EXPECT_EQ(Table(tables, "ControlX"),
            "IndiceFich\tIndNumero\tfminternet\tIdinternet\tCoor_1\tCoor_2\tCoor_3\tCoor_4\tNumeroDeCo\tSoloLectur\t"
            "PintarEn\tIdentifica\tStrValidac\tFicheroTab\tBase\tNombreVent\tAdmitNega\tPintacero\n"
            " 312\t1\tS9\t0\t40\t120\t200\t140\t7\t1\t0\tNIF\tS9\t\t\t\t0\t0\n"
            " 312\t2\tB1\t12\t40\t160\t52\t172\t0\t0\t1\tMARCA\tB1\tPAISES\tMODULO\tIDD_X\t1\t1\n"
            " 312\t3\tS9\t0\t40\t200\t140\t216\t0\t0\t0\tDES1NIF\tS9\t\t\t\t0\t0\n"
            " 312\t4\tD12.2\t0\t140\t200\t300\t216\t0\t0\t0\t\tR12.2\t\t\t\t0\t0\n"
            " 312\t5\tS9\t0\t40\t216\t140\t232\t0\t0\t0\tDES2NIF\tS9\t\t\t\t0\t0\n"
            " 312\t6\tD12.2\t0\t140\t216\t300\t232\t0\t0\t0\t\tR12.2\t\t\t\t0\t0\n");
  EXPECT_EQ(Table(tables, "Controle"),
            "IndiceFich\tIndNumero\tTituloVent\tTEXTODIBUJ\n"
            " 312\t1\tNIF\tNúmero de identificación fiscal\n"
            " 312\t2\tMarca\tMarca\n"
            " 312\t3\tNIF\tNIF\n"
            " 312\t4\tImporte\tImporte de la fila\n"
            " 312\t5\tNIF\tNIF\n"
            " 312\t6\tImporte\tImporte de la fila\n");
  EXPECT_NE(Table(tables, "Controlv").find("\tNúmero d'identificació fiscal (v)\n"), std::string::npos);
  EXPECT_EQ(pages::PicturePath("ORD001", 'c'), "paginasc/ORD001.wmf");
}

TEST(PageGenerator, PictureHasTheByteExactPlaceableHeader) {
  pages::Page p = Parse(kSmallPage);
  std::vector<std::uint8_t> bytes = pages::DrawPage(p, 0);
  // Key, handle 0, bounding box 0, 0, 790, 1100 at 254 units per inch (so 790 x 1100 tenths of a
  // millimetre, the page extent), reserved 0, and the XOR of the ten words before the checksum.
  const std::vector<std::uint8_t> header = {0xD7, 0xCD, 0xC6, 0x9A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x16,
                                            0x03, 0x4C, 0x04, 0xFE, 0x00, 0x00, 0x00, 0x00, 0x00, 0xB5, 0x50};
  ASSERT_GT(bytes.size(), 40u);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 22), header);
  EXPECT_EQ(wmf::PlaceableChecksum({bytes.data(), 22}), 0x50B5);
  // The metafile header: on disk, 9 words, its size in words the rest of the file.
  EXPECT_EQ(blocks::U16{22}.get(bytes.data()), 2);
  EXPECT_EQ(blocks::U16{24}.get(bytes.data()), 9);
  EXPECT_EQ(blocks::U32{28}.get(bytes.data()) * 2, bytes.size() - 22);

  wmf::ReadError error;
  auto picture = wmf::Decode(bytes, &error);
  ASSERT_TRUE(picture) << wmf::ReadErrorName(error);
  EXPECT_EQ(wmf::PictureSize(*picture), (wmf::Size{790, 1100}));
  ASSERT_FALSE(picture->ops.empty());
  EXPECT_EQ(picture->ops[0].fn, wmf::Fn::SetWindowOrg);
  EXPECT_EQ(picture->ops[1].fn, wmf::Fn::SetWindowExt);
  EXPECT_EQ(picture->ops[1].points[0], (wmf::Point{10040, 13980}));
  // The texts of the language drawn, in cp1252.
  bool title = false;
  for (const auto& op : picture->ops) title |= op.fn == wmf::Fn::TextOut && op.text == "DATOS";
  EXPECT_TRUE(title);
  EXPECT_EQ(pages::DrawPage(p, 0), bytes);  // the same source gives the same bytes
  EXPECT_NE(pages::DrawPage(p, 1), bytes);
}

TEST(PageGenerator, RefusesFaultySources) {
  struct Case {
    const char* change;  // replaces the first box line
    const char* message;
  };
  const std::string boxLine = "box 1 NIF S9 40 120 200 140 help=7 ro";
  for (const Case& c : {Case{"box 4 NIF S9 40 120 200 140", "positions"},
                        Case{"box 1 NIF S9 40 160 60 172", "overlap"},
                        Case{"box 1 NIF X9 40 120 200 140", "format spec"},
                        Case{"box 1 NIFTOOLONGNAME S9 40 120 200 140", "longer than its column"},
                        Case{"box 1 NIF S9 40 120 1200 140", "outside the page"},
                        Case{"box 1 NIF S9 40 120 200 140 colour=red", "unknown attribute"}}) {
    std::string text = kSmallPage;
    text.replace(text.find(boxLine), boxLine.size(), c.change);
    pages::Page p;
    std::string error;
    EXPECT_FALSE(pages::ParsePage(text, "PAT012.page", p, &error)) << c.change;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  pages::Page p;
  std::string error;
  std::string noGalician = kSmallPage;
  noGalician.erase(noGalician.find("  g: Páxina de proba\n"), 21);
  EXPECT_FALSE(pages::ParsePage(noGalician, "PAT012.page", p, &error));
  EXPECT_NE(error.find("language g"), std::string::npos) << error;
  // Page names, codes and kinds are those of the two forms.
  for (const char* line : {"page PAT012 313 3", "page PAT013 313 3", "page ORD019 219 2", "page PAT012 312 2",
                           "page XYZ001 201 2"}) {
    std::string text = kSmallPage;
    text.replace(text.find("page PAT012 312 3"), 17, line);
    EXPECT_FALSE(pages::ParsePage(text, "PAT012.page", p, &error)) << line;
  }
  std::string longPrompt = kSmallPage;
  longPrompt.replace(longPrompt.find("Número de identificación fiscal"), 5, std::string(80, 'x'));
  EXPECT_FALSE(pages::ParsePage(longPrompt, "PAT012.page", p, &error));
  EXPECT_NE(error.find("79"), std::string::npos) << error;
}

TEST(PageGenerator, ShippedPagesAreValid) {
  for (const auto& f : std::filesystem::directory_iterator(QX_SOURCE_DIR "/resources/pages")) {
    if (f.path().extension() != ".page") continue;
    pages::Page p;
    std::string error;
    ASSERT_TRUE(pages::ReadPageFile(f.path(), p, &error)) << error;
    EXPECT_EQ(f.path().stem().string(), p.name);
    for (int l = 0; l < pages::kLanguageCount; ++l) EXPECT_TRUE(wmf::Decode(pages::DrawPage(p, l))) << p.name;
  }
}

TEST(PageGenerator, TextWidthsFollowTheFaceMetrics) {
  EXPECT_DOUBLE_EQ(pages::TextWidth("Ai", 1000, false), 667 + 222);
  EXPECT_DOUBLE_EQ(pages::TextWidth("Ñá", 1000, false), 722 + 556);  // accented letters as their base
  EXPECT_GT(pages::TextWidth("DECLARANTE", 90, true), pages::TextWidth("DECLARANTE", 90, false));
}

TEST(PageGenerator, NamesTextsThatDoNotFitTheirRoom) {
  pages::Page p = Parse(kSmallPage);
  std::vector<std::string> problems;
  pages::DrawPage(p, 0, &problems);
  EXPECT_TRUE(problems.empty());
  // A caption beside a mark with room for a word but not for a sentence, even shrunk.
  p.boxes[1].captionWidth = 20;
  p.boxes[1].caption[2] = "Marca de proba moi longa";
  pages::DrawPage(p, 2, &problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("PAT012 (g): \"Marca de proba moi longa\""), std::string::npos) << problems[0];
  problems.clear();
  pages::DrawPage(p, 0, &problems);  // "Marca" fits 20 units
  EXPECT_TRUE(problems.empty());
}
