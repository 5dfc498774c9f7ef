// Reading a page's definition from the page table and its language variant.
#include <filesystem>
#include <fstream>

#include "tools/dbsource/dbsource.h"
#include "data/doc/document.h"
#include "db_fixture.h"

namespace fs = std::filesystem;

TEST(PageDefinition, ReadsThePageRowAndItsTitleInTheLanguage) {
  dbtest::TempDir src, out;
  for (const char* schema : {"Paginasx.sql", "Paginas{l}.sql"})
    fs::copy_file(fs::path(QX_SOURCE_DIR "/resources/db/DatLocal") / schema, src.Path() / schema);
  std::ofstream(src.Path() / "Paginasx.tsv") << "INDICEFICH\tTipoDec\tFicheroWMF\tNumCuadros\n"
                                                " 201\t2\tpaginasx/ORD001.wmf\t199\n"
                                                " 301\t3\tpaginasx/PAT001.wmf\t51\n"
                                                "2010\t2\tpaginasx/OTHER.wmf\t1\n";
  std::ofstream(src.Path() / "Paginasc.tsv") << "INDICEFICH\tTituloPagi\n 201\tRenda 2003. Pàgina 1\n";
  std::string error;
  ASSERT_TRUE(db::BuildDatabaseFromSources(src.Path(), out.Path() / "DatLocal.db", &error)) << error;
  db::CAdoConnection local;
  ASSERT_TRUE(local.Open((out.Path() / "DatLocal.db").string(), db::OpenMode::ReadOnly));

  doc::PageDefinition def;
  ASSERT_TRUE(doc::ReadPageDefinition({&local, 'c', "/opt/qx/"}, 201, def));
  EXPECT_EQ(def.code, 201);
  EXPECT_EQ(def.kind, 2);
  EXPECT_EQ(def.boxCount, 199);
  EXPECT_EQ(def.picturePath, "/opt/qx/paginasc/ORD001.wmf");
  EXPECT_EQ(def.title, "Renda 2003. Pàgina 1");

  // The page has its row but no title in Catalán: TRUE, and the record is left as it was.
  doc::PageDefinition untouched;
  untouched.title = "before";
  ASSERT_TRUE(doc::ReadPageDefinition({&local, 'c', "/opt/qx/"}, 301, untouched));
  EXPECT_EQ(untouched.code, 0);
  EXPECT_EQ(untouched.title, "before");
  // No row: FALSE. The code is matched right-aligned in four characters, so 20 is not 2010.
  EXPECT_FALSE(doc::ReadPageDefinition({&local, 'c', ""}, 20, def));
  EXPECT_FALSE(doc::ReadPageDefinition({&local, 'e', ""}, 999, def));
}
