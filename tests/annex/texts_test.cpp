// Every coded message and string the annex kernel and its dialogs show exists in the four
// languages, with the buttons the checks test for.
#include "annex_fixture.h"
#include "platform/strings.h"
#include "ui/message_source.h"

namespace {

TEST(AnnexTexts, MessagesHaveRowsInEveryLanguage) {
  ui::DatabaseMessageSource source(&annextest::LocalDatabase::Get());
  struct Code {
    const char* code;
    double buttons;
  };
  const Code codes[] = {{"WIN052", 1}, {"WIN011", 1}, {"WIN063", 1}, {"WIN1102", 1}, {"100R025", 1},
                        {"100R128", 1}, {"100P086", 2}, {"714R002", 1}, {"714R004", 1}};
  for (char l : {'e', 'c', 'g', 'v'})
    for (const Code& c : codes) {
      const auto row = source.Find(ui::MessageTableName(l), QString::fromLatin1(c.code));
      ASSERT_TRUE(row.has_value()) << c.code << " in " << l;
      EXPECT_FALSE(row->text.isEmpty()) << c.code << " in " << l;
      EXPECT_EQ(row->numbotones, c.buttons) << c.code << " in " << l;
    }
}

TEST(AnnexTexts, StringsHaveTextsInEveryLanguage) {
  std::vector<int> ids{70, 188, 190, 193, 195, 197, 200, 358, 359, 361, 362, 363, 91001};
  for (int id = 91010; id <= 91013; ++id) ids.push_back(id);
  for (int id = 91020; id <= 91035; ++id) ids.push_back(id);
  ids.push_back(91040);
  for (int id = 91042; id <= 91054; ++id) ids.push_back(id);
  for (int id = 91060; id <= 91069; ++id) ids.push_back(id);
  for (char l : {'e', 'c', 'g', 'v'})
    for (int id : ids) EXPECT_FALSE(platform::Strings(l).Get(id).isEmpty()) << id << " in " << l;
}

}  // namespace
