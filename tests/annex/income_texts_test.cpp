// The coded messages and strings of the work-income, contribution, pending-balance, prize and
// movable-capital dialogs exist in the four languages, warnings with the "Corregir" button.
#include "annex_fixture.h"
#include "platform/strings.h"
#include "ui/message_source.h"

namespace {

TEST(IncomeAnnexTexts, MessagesHaveRowsInEveryLanguage) {
  ui::DatabaseMessageSource source(&annextest::LocalDatabase::Get());
  const char* warnings[] = {"100P046", "100P047", "100P050", "100R106", "100P061", "100P074", "100P051", "100P033",
                            "100P032", "100P044", "100P009", "100P012", "100P063", "100P064", "100P013", "100P011",
                            "100R109", "100P066", "100P065", "100P067", "100P060", "100P010", "100P087", "100P057",
                            "100P018", "100P019", "100P008", "100P016", "100P059", "100P049", "100P062", "100P052"};
  const char* errors[] = {"100R052", "100R112", "100R037", "100R107", "100R108", "100R142",
                          "100R046", "100R094", "100R150", "100R028", "100R026", "100R020"};
  for (char l : {'e', 'c', 'g', 'v'}) {
    for (const char* code : warnings) {
      const auto row = source.Find(ui::MessageTableName(l), QString::fromLatin1(code));
      ASSERT_TRUE(row.has_value()) << code << " in " << l;
      EXPECT_FALSE(row->text.isEmpty()) << code << " in " << l;
      EXPECT_EQ(row->numbotones, 2) << code << " in " << l << ": the second button corrects";
    }
    for (const char* code : errors) {
      const auto row = source.Find(ui::MessageTableName(l), QString::fromLatin1(code));
      ASSERT_TRUE(row.has_value()) << code << " in " << l;
      EXPECT_EQ(row->numbotones, 1) << code << " in " << l;
    }
  }
}

TEST(IncomeAnnexTexts, StringsHaveTextsInEveryLanguage) {
  std::vector<int> ids{55, 60, 331, 332, 351, 352, 353, 2183, 2186, 2189};
  for (int id = 95200; id <= 95207; ++id) ids.push_back(id);
  for (int id = 95210; id <= 95221; ++id) ids.push_back(id);
  for (int id = 95230; id <= 95235; ++id) ids.push_back(id);
  for (int id = 95239; id <= 95241; ++id) ids.push_back(id);
  for (int id : {95250, 95251, 95252, 95253}) ids.push_back(id);
  for (int id = 95255; id <= 95261; ++id) ids.push_back(id);
  for (int id = 95270; id <= 95276; ++id) ids.push_back(id);
  for (int id = 95280; id <= 95296; ++id) ids.push_back(id);
  for (int id = 95299; id <= 95314; ++id) ids.push_back(id);
  for (char l : {'e', 'c', 'g', 'v'})
    for (int id : ids) EXPECT_FALSE(platform::Strings(l).Get(id).isEmpty()) << id << " in " << l;
}

}  // namespace
