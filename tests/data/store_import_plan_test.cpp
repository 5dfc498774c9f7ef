// Choosing what to import: room in the store, name clashes, overwrite all, cancel.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/store/import_plan.h"
#include "db_fixture.h"
#include "store_fixture.h"

namespace {

using namespace store;

class ImportPlanTest : public dbtest::DeclarationsTest {
 protected:
  StoreMessages Messages() { return storetest::RecordedMessages(nullptr, &plain); }
  std::vector<std::string> plain;
  DeclarationStore store{conn, Messages()};
  std::vector<std::string> names{"UNO", "DOS", "TRES"};
  std::vector<int> all{0, 1, 2};
  int clashes = 0;
  std::function<ClashAnswer(const std::string&, const std::vector<std::string>&)> Answer(ClashChoice c,
                                                                                      std::string name = {}) {
    return [this, c, name](const std::string&, const std::vector<std::string>&) {
      ++clashes;
      return ClashAnswer{c, name};
    };
  }
};

TEST_F(ImportPlanTest, FortyNineStoredLeaveRoomForOne) {
  for (int i = 0; i < 49; ++i) ASSERT_TRUE(store.Create(storetest::NumberedKey(i), kKindForm714));
  ImportPlan p = PlanImport(store, names, all, Answer(ClashChoice::Cancel));
  EXPECT_TRUE(p.proceed);
  EXPECT_TRUE(p.leftOut);
  EXPECT_EQ(plain.back(), StoreFullText());
  EXPECT_TRUE(p.choices[0].import);
  EXPECT_FALSE(p.choices[1].import);
  EXPECT_FALSE(p.choices[2].import);

  ASSERT_TRUE(store.Create("D49", kKindForm714));
  plain.clear();
  EXPECT_FALSE(PlanImport(store, names, all, {}).proceed);
  EXPECT_EQ(plain.size(), 1u);
}

TEST_F(ImportPlanTest, OverwriteAllAnswersEveryLaterClash) {
  ASSERT_TRUE(store.Create("UNO", kKindForm714));
  ASSERT_TRUE(store.Create("DOS", kKindForm714));
  ImportPlan p = PlanImport(store, names, all, Answer(ClashChoice::OverwriteAll));
  EXPECT_TRUE(p.proceed);
  EXPECT_EQ(clashes, 1);
  for (const auto& c : p.choices) {
    EXPECT_TRUE(c.import);
    EXPECT_TRUE(c.newName.empty());
  }
}

TEST_F(ImportPlanTest, CancelOnTheSecondImportsNone) {
  ASSERT_TRUE(store.Create("DOS", kKindForm714));
  ImportPlan p = PlanImport(store, names, all, Answer(ClashChoice::Cancel));
  EXPECT_FALSE(p.proceed);
  for (const auto& c : p.choices) EXPECT_FALSE(c.import);
}

TEST_F(ImportPlanTest, RenameAndSkip) {
  ASSERT_TRUE(store.Create("UNO", kKindForm714));
  ImportPlan p = PlanImport(store, names, all, Answer(ClashChoice::Rename, "UNO BIS"));
  EXPECT_EQ(p.choices[0].newName, PadKey("UNO BIS"));
  EXPECT_TRUE(p.choices[1].import);

  ImportPlan s = PlanImport(store, names, all, Answer(ClashChoice::Skip));
  EXPECT_TRUE(s.proceed);
  EXPECT_FALSE(s.choices[0].import);
  EXPECT_TRUE(s.choices[2].import);
  // Skipping the only selected entry ends the dialog with Cancel.
  std::vector<int> first{0};
  EXPECT_FALSE(PlanImport(store, names, first, Answer(ClashChoice::Skip)).proceed);

}

// A new name is used when the store or an earlier entry holds it as the store compares keys:
// case and trailing blanks do not count.
TEST_F(ImportPlanTest, NewNamesAreComparedAsTheStoreComparesKeys) {
  ASSERT_TRUE(store.Create("ANA", kKindForm714));
  const std::vector<std::string> chosen{"", PadKey("OTRO")};
  for (const char* used : {"ANA", "ana", "Ana  ", "OTRO  ", "otro"}) EXPECT_FALSE(IsNewNameUnused(store, used, chosen)) << used;
  EXPECT_TRUE(IsNewNameUnused(store, "NUEVO", chosen));
}

// Two entries of one file under one name: the later one is a clash too, and overwriting passes
// over the earlier; a rename onto another entry's name makes that entry clash.
TEST_F(ImportPlanTest, ClashesInsideTheFileAreAsked) {
  std::vector<std::string> twice{"UNO", "uno", "DOS"};
  std::vector<std::string> askedFor;
  auto answer = [&askedFor](ClashChoice c, std::string name = {}) {
    return [&askedFor, c, name](const std::string& key, const std::vector<std::string>&) {
      askedFor.push_back(key);
      return ClashAnswer{c, name};
    };
  };
  ImportPlan p = PlanImport(store, twice, all, answer(ClashChoice::Overwrite));
  EXPECT_EQ(askedFor, (std::vector<std::string>{"uno"}));
  EXPECT_FALSE(p.choices[0].import);
  EXPECT_TRUE(p.choices[1].import && p.choices[2].import);

  askedFor.clear();
  p = PlanImport(store, twice, all, answer(ClashChoice::Skip));
  EXPECT_TRUE(p.choices[0].import);
  EXPECT_FALSE(p.choices[1].import);

  // UNO is stored and renamed to DOS: the entry DOS then clashes with it.
  ASSERT_TRUE(store.Create("UNO", kKindForm714));
  askedFor.clear();
  std::vector<std::string> chosenAtDos;
  p = PlanImport(store, names, all, [&](const std::string& key, const std::vector<std::string>& chosen) {
    askedFor.push_back(key);
    if (key == "DOS") chosenAtDos = chosen;
    return key == "UNO" ? ClashAnswer{ClashChoice::Rename, "DOS"} : ClashAnswer{ClashChoice::Skip, {}};
  });
  EXPECT_EQ(askedFor, (std::vector<std::string>{"UNO", "DOS"}));
  EXPECT_TRUE(std::any_of(chosenAtDos.begin(), chosenAtDos.end(), [](const std::string& k) { return SameKey(k, "DOS"); }));
  EXPECT_EQ(p.choices[0].newName, PadKey("DOS"));
  EXPECT_FALSE(p.choices[1].import);
  EXPECT_TRUE(p.choices[2].import);
}

}  // namespace
