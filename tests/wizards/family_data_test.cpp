// The family data rules without windows: the whole validation from a valid household, one fault
// at a time, the derived values it writes, the member clearing and the duplicate NIFs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "blocks/form100.h"
#include "wizards/family_data.h"

namespace {

using namespace famwiz;
namespace FW = f100::family_wizard;

constexpr int kCorregir = 8;  // the advice's button that sends the user back to the page

void SetText(std::uint8_t* rec, blocks::Text t, const std::string& v) { t.set(rec, v, '\0'); }

// A married couple in a joint declaration with two minor children of both, resident in Madrid.
Block Household() {
  Block b{};
  std::uint8_t* p = Personal(b);
  P::CivilStatus.set(p, 1);
  P::MinorChildren.set(p, 1);
  SetText(p, P::DeclarantBirth, "15061970");
  SetText(p, P::SpouseBirth, "02021972");
  SetText(p, P::Nif(0), "12345678Z");
  SetText(p, P::Nif(1), "87654321X");
  for (int k = 0; k < 3; ++k) {
    SetText(p, P::RegionCode(k), "12");
    SetText(p, P::RegionName(k), "MADRID");
  }
  const char* names[] = {"ANA", "LUIS"};
  const char* births[] = {"01032000", "20092002"};
  for (int i = 0; i < 2; ++i) {
    std::uint8_t* e = DescendantAt(b, i);
    SetText(e, D::GivenName, names[i]);
    SetText(e, D::Surname1, "GARCIA");
    SetText(e, D::FullName, std::string("GARCIA, ") + names[i]);
    SetText(e, D::BirthDate, births[i]);
    D::Link.set(e, 'O');
    D::Age.set(e, 3 - 2 * i);
  }
  for (int h : {2, 3}) work::Mark(h == 2 ? FW::kMale : FW::kFemale, h).set(b.data(), 1);
  return b;
}

struct Validation {
  std::vector<std::string> shown;
  std::function<int(const std::string&)> answer = [](const std::string&) { return 1; };
  bool joint = true, stepByStep = true;
  int ranked = 0;
  Verdict operator()(Block& b) {
    Context c;
    c.joint = joint;
    c.stepByStep = stepByStep;
    c.show = [this](const char* code, int, const std::string&) {
      shown.emplace_back(code);
      return answer(code);
    };
    c.rank = [this](const std::uint8_t*) { ++ranked; };
    return ValidateFamilyData(b, c);
  }
};

TEST(FamilyValidation, TheHouseholdPassesAndIsCompleted) {
  Block b = Household();
  Validation run;
  const Verdict v = run(b);
  EXPECT_TRUE(v.ok);
  EXPECT_TRUE(run.shown.empty());
  EXPECT_EQ(run.ranked, 1);
  const std::uint8_t* p = Personal(b);
  EXPECT_EQ(P::BirthYear(0).raw(p), "1970");
  EXPECT_EQ(P::Age(2).get(p), 33);
  EXPECT_EQ(P::Age(3).get(p), 31);
  // Descendants of both spouses in a married couple: no share for the family unit column.
  EXPECT_EQ(D::Code(0).get(DescendantAt(b, 0)), ' ');
}

// One fault at a time: the message shown and the page the wizard goes to.
struct Fault {
  const char* name;
  std::function<void(Block&)> apply;
  const char* code;
  int page;
  bool joint = true;
};

TEST(FamilyValidation, EachFaultNamesItsMessageAndPage) {
  const Fault faults[] = {
      {"no declarant NIF", [](Block& b) { P::Nif(0).clear(Personal(b), '\0'); }, "WIN001", 0},
      {"no spouse NIF", [](Block& b) { P::Nif(1).clear(Personal(b), '\0'); }, "WIN001", 0},
      {"same NIF", [](Block& b) { SetText(Personal(b), P::Nif(1), "12345678Z"); }, "WIN014", 0},
      {"child with the declarant's NIF", [](Block& b) { SetText(DescendantAt(b, 0), D::Nif, "12345678Z"); },
       "WIN014", 0},
      {"no birth date", [](Block& b) { P::DeclarantBirth.clear(Personal(b), '\0'); }, "100R001", 0},
      {"no spouse birth", [](Block& b) { P::SpouseBirth.clear(Personal(b), '\0'); }, "100R042", 0},
      {"H1 aged 18",
       [](Block& b) {
         D::H1.set(DescendantAt(b, 0), 1);
         D::Age.set(DescendantAt(b, 0), 18);
       },
       "100R081", 1},
      {"descendant of the spouse, individual", [](Block& b) { D::Link.set(DescendantAt(b, 1), 'C'); }, "100R007", 1,
       false},
      {"situation 3 while married", [](Block& b) { D::Situation.set(DescendantAt(b, 1), '3'); }, "100R013", 1},
      {"joint region of neither", [](Block& b) { SetText(Personal(b), P::RegionCode(0), "05"); }, "100R024", 4},
      {"no region of the declarant", [](Block& b) { P::RegionCode(1).clear(Personal(b), '\0'); }, "WIN006", 4},
      {"H2 without H1", [](Block& b) { D::H2.set(DescendantAt(b, 0), 1); }, "100R023", 4},
      {"minor children but none",
       [](Block& b) {
         for (int i : {0, 1}) D::BirthDate.clear(DescendantAt(b, i), '\0');
       },
       "100R018", 1},
      {"ascendant without link",
       [](Block& b) {
         SetText(AscendantAt(b, 0), A::Name, "LOPEZ PEREZ, JUAN");
         SetText(AscendantAt(b, 0), A::BirthDate, "01011930");
       },
       "100R002", 2},
      {"ascendant aged 60 without disability",
       [](Block& b) {
         std::uint8_t* e = AscendantAt(b, 0);
         SetText(e, A::Name, "LOPEZ PEREZ JUAN");
         SetText(e, A::BirthDate, "01011943");
         A::Link.set(e, 'D');
         A::Age.set(e, 60);
       },
       "100R005", 2},
      {"child 1 who died", [](Block& b) {
         D::H1.set(DescendantAt(b, 0), 1);
         SetText(DescendantAt(b, 0), D::DeathDate, "01062003");
       },
       "100R123", 1},
      {"child 1 living apart from both",
       [](Block& b) {
         D::H1.set(DescendantAt(b, 0), 1);
         SetText(Personal(b), P::RegionCode(3), "05");
       },
       "100R022", 4},
      {"child 2 without child 1",
       [](Block& b) {
         D::H2.set(DescendantAt(b, 0), 1);
         SetText(Personal(b), P::RegionCode(4), "12");
       },
       "100R055", 1},
      {"ascendant born in year 0",
       [](Block& b) {
         std::uint8_t* e = AscendantAt(b, 0);
         SetText(e, A::Name, "LOPEZ PEREZ JUAN");
         SetText(e, A::BirthDate, "01010000");
         A::Link.set(e, 'D');
       },
       "100R141", 2},
      {"ascendant of the spouse, individual",
       [](Block& b) {
         std::uint8_t* e = AscendantAt(b, 0);
         SetText(e, A::Name, "LOPEZ PEREZ JUAN");
         SetText(e, A::BirthDate, "01011930");
         A::Link.set(e, 'C');
         A::Age.set(e, 73);
       },
       "100R082", 2, false},
      {"ascendant's name not a name",
       [](Block& b) {
         std::uint8_t* e = AscendantAt(b, 0);
         SetText(e, A::Name, "1234");
         SetText(e, A::BirthDate, "01011930");
         A::Link.set(e, 'D');
         A::Age.set(e, 73);
       },
       "WIN017", 2},
      // Advice answered with Corregir.
      {"children of both but no minor children marked", [](Block& b) { P::MinorChildren.set(Personal(b), 0); },
       "100P005", 0},
      {"working at 73 without prolonging",
       [](Block& b) {
         SetText(Personal(b), P::DeclarantBirth, "15061930");
         P::WorkerKey(0).set(Personal(b), '1');
       },
       "100P015", 3},
      {"declarant's ascendant too young",
       [](Block& b) {
         std::uint8_t* e = AscendantAt(b, 0);
         SetText(e, A::Name, "LOPEZ PEREZ JUAN");
         SetText(e, A::BirthDate, "01011960");
         A::Link.set(e, 'D');
         A::Disability.set(e, '3');
       },
       "100P038", 2},
      {"spouse's ascendant too young",
       [](Block& b) {
         std::uint8_t* e = AscendantAt(b, 0);
         SetText(e, A::Name, "LOPEZ PEREZ JUAN");
         SetText(e, A::BirthDate, "01011960");
         A::Link.set(e, 'C');
         A::Disability.set(e, '3');
       },
       "100P039", 2},
      {"no sex of the spouse", [](Block& b) { work::Mark(FW::kFemale, 3).set(b.data(), 0); }, "100R008", 3},
      {"prolonged work at 33", [](Block& b) { work::Mark(FW::kProlonged, 2).set(b.data(), 1); }, "100R019", 3},
  };
  for (const Fault& f : faults) {
    Block b = Household();
    f.apply(b);
    Validation run;
    run.joint = f.joint;
    run.answer = [code = std::string(f.code)](const std::string& c) { return c == code ? kCorregir : 1; };
    const Verdict v = run(b);
    EXPECT_FALSE(v.ok) << f.name;
    EXPECT_EQ(v.page, f.page) << f.name;
    ASSERT_FALSE(run.shown.empty()) << f.name;
    EXPECT_EQ(run.shown.back(), f.code) << f.name;
  }
}

TEST(FamilyValidation, AdviceStopsOnlyWithCorregir) {
  for (int answer : {1, 8}) {
    Block b = Household();
    P::WorkerKey(0).set(Personal(b), '2');  // disabled worker without a disability key
    Validation run;
    run.answer = [answer](const std::string& code) { return code == "100P056" ? answer : 1; };
    const Verdict v = run(b);
    EXPECT_EQ(run.shown.front(), "100P056");
    EXPECT_EQ(v.ok, answer != 8);
    EXPECT_EQ(v.page, answer == 8 ? 3 : -1);
  }
}

TEST(FamilyValidation, NonResidentSpouseNeedsNoNifOrBirth) {
  Block b = Household();
  work::NonResident.set(b.data(), 1);
  P::Nif(1).clear(Personal(b), '\0');
  P::SpouseBirth.clear(Personal(b), '\0');
  Validation run;
  run(b);
  for (const std::string& code : run.shown) EXPECT_TRUE(code != "WIN001" && code != "100R042") << code;
}

TEST(FamilyValidation, SingleParentWithChildOfBothWithoutSituationIsAdvisedOnce) {
  Block b = Household();
  P::CivilStatus.set(Personal(b), 0);
  Validation run;
  run.joint = false;
  P::MinorChildren.set(Personal(b), 0);
  for (int k : {0, 2}) P::Region(k).clear(Personal(b));
  const Verdict v = run(b);
  ASSERT_FALSE(run.shown.empty());
  EXPECT_EQ(run.shown.back(), "100P078");
  EXPECT_TRUE(v.ok);  // any answer but Corregir ends the validation as passed
}

TEST(FamilyRules, DuplicateNifsSkipThoseStartingWithN) {
  Block b = Household();
  SetText(DescendantAt(b, 0), D::Nif, "N1234567A");
  SetText(DescendantAt(b, 1), D::Nif, "N1234567A");
  EXPECT_TRUE(HasNoDuplicateNifs(b));
  SetText(DescendantAt(b, 0), D::Nif, "11111111H");
  SetText(DescendantAt(b, 1), D::Nif, "11111111H");
  EXPECT_FALSE(HasNoDuplicateNifs(b));
  SetText(DescendantAt(b, 0), D::Nif, "01234567L");  // a NIF may begin with the digit 0
  SetText(DescendantAt(b, 1), D::Nif, "01234567L");
  EXPECT_FALSE(HasNoDuplicateNifs(b));
}

TEST(FamilyRules, DeathBeforeTheBirthdayMovesTheYearOfBirth) {
  const std::pair<const char*, const char*> cases[] = {{"10032003", "1951"}, {"20082003", "1950"}};
  for (auto [death, year] : cases) {
    Block b = Household();
    SetText(Personal(b), P::DeclarantBirth, "15061950");
    SetText(Personal(b), P::BirthYear(0), "1950");
    SetText(Personal(b), P::DeclarantDeath, death);
    AdjustBirthYearForDeath(b);
    EXPECT_EQ(P::BirthYear(0).raw(Personal(b)), year) << death;
  }
}

TEST(FamilyRules, ASingleDeclarantLosesTheSpouseAndTheJointRegion) {
  Block b = Household();
  std::uint8_t* p = Personal(b);
  P::CivilStatus.set(p, 0);
  P::MinorChildren.set(p, 0);
  ClearUnusedMemberData(b);
  EXPECT_TRUE(P::Nif(1).isAbsent(p));
  EXPECT_TRUE(P::SpouseBirth.isAbsent(p));
  EXPECT_TRUE(P::RegionCode(2).isAbsent(p));
  EXPECT_TRUE(P::RegionCode(0).isAbsent(p));
  EXPECT_EQ(work::Mark(FW::kFemale, 3).get(b.data()), 0);
  EXPECT_EQ(P::RegionCode(1).raw(p), "12");
}

TEST(FamilyRules, RegionNoticeOnlyForTheCommunitiesWithTheirOwnDeductions) {
  const std::pair<const char*, bool> cases[] = {{"14", false}, {"17", true}, {"01", true}, {"99", false}};
  for (auto [code, notice] : cases) {
    Block b = Household();
    for (int k = 0; k < 3; ++k) SetText(Personal(b), P::RegionCode(k), code);
    SetText(Personal(b), P::RegionCode(3), "09");  // a child's region never counts
    int shown = 0;
    Context c;
    c.show = [&](const char*, int, const std::string&) { return ++shown; };
    ShowRegionNotice(b, c);
    EXPECT_EQ(shown != 0, notice) << code;
  }
}

}  // namespace

namespace {

TEST(FamilyRules, OnlyACommunityLeftWithTypedDataIsReported) {
  std::vector<std::uint8_t> block(95208, 0);
  std::uint8_t* p = block.data();  // Form100Personal starts the block
  std::uint8_t* sectionP = block.data() + f100::SectionP.offset;
  P::RegionCode(1).set(p, "09");
  Block b{};
  P::RegionCode(1).set(Personal(b), "12");
  EXPECT_EQ(CommunityLosingData(block.data(), b), 0) << "nothing typed for community 9";
  sectionP[3560 + 50] = 7;
  EXPECT_EQ(CommunityLosingData(block.data(), b), 9);
  P::RegionCode(2).set(Personal(b), "09");  // the spouse still lives there
  EXPECT_EQ(CommunityLosingData(block.data(), b), 0);
}

}  // namespace
