// The declaration model: one write path that moves the revision only when bytes change, the
// modified state derived from the revision, typed events in order, listeners that leave while
// they hear, and the registration of the declaration worked on.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "blocks/field.h"
#include "data/doc/active_declaration.h"
#include "data/doc/declaration_model.h"

namespace {

using doc::ByteRange;
using doc::DeclarationChange;
using doc::DeclarationEvent;
using doc::DeclarationModel;

struct Recorder : doc::IDeclarationListener {
  void OnDeclarationEvent(const DeclarationEvent& e) override {
    events.push_back(e);
    if (onEvent) onEvent(e);
  }
  std::vector<DeclarationChange> Kinds() const {
    std::vector<DeclarationChange> k;
    for (const DeclarationEvent& e : events) k.push_back(e.kind);
    return k;
  }
  std::vector<DeclarationEvent> events;
  std::function<void(const DeclarationEvent&)> onEvent;
};

constexpr blocks::RecordDef kRecord{"R", 16, 32};

TEST(DeclarationModel, StoresMoveTheRevisionOnlyWhenBytesChange) {
  Recorder r;  // outlives the model, which tells it of its closing
  DeclarationModel m(64);
  m.Subscribe(&r);
  const std::vector<std::uint8_t> two{7, 8};
  struct Case {
    const char* what;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
    bool accepted;
    std::uint64_t revision;  // after the store
  };
  const Case cases[] = {
      {"new bytes", 10, two, true, 1},
      {"the same bytes again", 10, two, true, 1},
      {"the last bytes of the block", 62, two, true, 2},
      {"one byte past the end", 63, two, false, 2},
      {"an offset past the end", 65, {}, false, 2},
      {"nothing at the end", 64, {}, true, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(m.Store(c.offset, c.bytes), c.accepted) << c.what;
    EXPECT_EQ(m.Revision(), c.revision) << c.what;
  }
  EXPECT_EQ(m.Block()[10], 7);
  EXPECT_EQ(m.Block()[63], 8);
  EXPECT_EQ(m.Block()[0], 0) << "nothing outside the range was written";
  ASSERT_EQ(r.events.size(), 3u) << "two value changes and one modified flip";
  EXPECT_EQ(r.events[0].kind, DeclarationChange::ValuesChanged);
  EXPECT_EQ(r.events[0].range, (ByteRange{10, 2}));
  EXPECT_EQ(r.events[1].kind, DeclarationChange::ModifiedChanged);
  EXPECT_EQ(r.events[2].range, (ByteRange{62, 2}));
}

TEST(DeclarationModel, TypedStoresWriteTheFieldOfTheRecord) {
  Recorder r;  // outlives the model, which tells it of its closing
  DeclarationModel m(64);
  m.Subscribe(&r);
  EXPECT_TRUE(m.Store(kRecord, blocks::F64{8}, 12.5));
  EXPECT_DOUBLE_EQ(blocks::F64{8}.get(m.Block().data() + kRecord.offset), 12.5);
  EXPECT_TRUE(m.Store(kRecord, blocks::Text{0, 4}, std::string_view("AB")));
  EXPECT_EQ(blocks::Text({0, 4}).raw(m.Block().data() + kRecord.offset).substr(0, 2), "AB");
  EXPECT_TRUE(m.Store(kRecord, blocks::U8{20}, std::uint8_t{3}));
  EXPECT_FALSE(m.Store(kRecord, blocks::F64{60}, 1.0)) << "beyond the block";
  std::vector<ByteRange> ranges;
  for (const DeclarationEvent& e : r.events)
    if (e.kind == DeclarationChange::ValuesChanged) ranges.push_back(e.range);
  EXPECT_EQ(ranges, (std::vector<ByteRange>{{24, 8}, {16, 4}, {36, 1}}));
  EXPECT_EQ(m.Revision(), 3u);
}

TEST(DeclarationModel, ModifiedIsTheRevisionAgainstTheSavedOne) {
  Recorder r;  // outlives the model, which tells it of its closing
  DeclarationModel m(8);
  m.Subscribe(&r);
  EXPECT_FALSE(m.IsModified());
  m.Written({0, 1});
  EXPECT_TRUE(m.IsModified());
  m.Written({1, 1});
  m.MarkSaved();
  EXPECT_FALSE(m.IsModified());
  m.MarkSaved();
  m.MarkUnsaved();
  EXPECT_TRUE(m.IsModified()) << "a failed write leaves it modified without a change";
  m.MarkSaved();
  const std::vector<std::uint8_t> same(m.Block().begin(), m.Block().begin() + 2);
  m.Store(0, same);
  EXPECT_FALSE(m.IsModified()) << "storing what is there is no change";
  int flips = 0;
  for (const DeclarationEvent& e : r.events) flips += e.kind == DeclarationChange::ModifiedChanged;
  EXPECT_EQ(flips, 4) << "announced once per flip, not per change";
}

TEST(DeclarationModel, ShowingAMemberAnnouncesBeforeAndAfterAroundItsSettling) {
  Recorder r;
  DeclarationModel m(8);
  m.SetShownMember(doc::kDeclarant, 0);
  m.Subscribe(&r);
  int seenWhileSettling = 0;
  m.ShowMember(doc::kFamilyUnit, 1, [&] { seenWhileSettling = m.ShownMember(); });
  EXPECT_EQ(seenWhileSettling, doc::kFamilyUnit);
  ASSERT_EQ(r.Kinds(), (std::vector<DeclarationChange>{DeclarationChange::MemberChanging, DeclarationChange::MemberChanged}));
  EXPECT_EQ(r.events[0].member, doc::kDeclarant) << "the member left";
  EXPECT_EQ(r.events[1].member, doc::kFamilyUnit);
  EXPECT_EQ(m.MemberView(), 1);
  m.ShowMemberAnew(doc::kSpouse, 0);
  EXPECT_EQ(r.Kinds().back(), DeclarationChange::MemberChanged);
  EXPECT_EQ(r.events.size(), 3u);
}

TEST(DeclarationModel, HouseholdAnswers) {
  DeclarationModel m(8);
  EXPECT_FALSE(m.HasMember(doc::kDeclarant));
  EXPECT_FALSE(m.HasSeveralHolders());
  m.SetHousehold({0, 1, 0, 0, 0}, false);
  EXPECT_TRUE(m.HasMember(doc::kDeclarant));
  EXPECT_FALSE(m.HasMember(0));
  EXPECT_FALSE(m.HasMember(6));
  EXPECT_FALSE(m.HasSeveralHolders());
  m.SetHousehold({0, 1, 0, 0, 0}, true);
  EXPECT_TRUE(m.HasSeveralHolders()) << "a family-unit copy";
  m.SetHousehold({0, 1, 0, 1, 0}, false);
  EXPECT_TRUE(m.HasSeveralHolders()) << "a first child";
}

TEST(DeclarationModel, ListenersMayLeaveWhileTheyHearAndHearTheClosing) {
  Recorder leaving, staying, gone;
  auto m = std::make_unique<DeclarationModel>(8);
  leaving.onEvent = [&](const DeclarationEvent&) {
    m->Unsubscribe(&leaving);
    m->Unsubscribe(&gone);
  };
  m->Subscribe(&leaving);
  m->Subscribe(&leaving);  // once only
  m->Subscribe(&gone);
  m->Subscribe(&staying);
  m->Recalculated();
  EXPECT_EQ(leaving.events.size(), 1u);
  EXPECT_TRUE(gone.events.empty()) << "left before its turn";
  m->Recalculated();
  EXPECT_EQ(leaving.events.size(), 1u);
  m.reset();
  EXPECT_EQ(staying.Kinds(),
            (std::vector<DeclarationChange>{DeclarationChange::Recalculated, DeclarationChange::Recalculated,
                                            DeclarationChange::Closed}));
}

TEST(ActiveDeclaration, TheLatestLivingRegistrationAnswersWhateverOrderTheyGo) {
  ASSERT_EQ(doc::ActiveDeclaration(), nullptr);
  EXPECT_EQ(doc::ShownMember(), doc::kNoDeclaration);
  EXPECT_FALSE(doc::HouseholdHas(doc::kDeclarant));
  EXPECT_EQ(doc::Form100Block(), nullptr);
  DeclarationModel first(16), second(16);
  first.SetShownMember(doc::kSpouse, 0);
  auto a = std::make_unique<doc::ActiveDeclarationScope>(first, true);
  EXPECT_EQ(doc::ShownMember(), doc::kSpouse);
  EXPECT_EQ(doc::Form100Block(), first.Block().data());
  auto b = std::make_unique<doc::ActiveDeclarationScope>(second, false);
  EXPECT_EQ(doc::ActiveDeclaration(), &second);
  EXPECT_EQ(doc::ActiveForm100(), nullptr) << "a form-714 declaration is worked on";
  EXPECT_EQ(doc::ShownMember(), doc::kNoDeclaration);
  doc::MarkEditedSincePrinted();
  EXPECT_TRUE(second.EditedSincePrinted());
  EXPECT_FALSE(first.EditedSincePrinted());
  // The older one goes first (a document replaced by a newer one): the newer stays.
  a.reset();
  EXPECT_EQ(doc::ActiveDeclaration(), &second);
  b.reset();
  EXPECT_EQ(doc::ActiveDeclaration(), nullptr) << "no stale registration is left behind";
}

TEST(ActiveDeclaration, TheOverflowWarningIsTakenOnceAndArmedByAClosingDeclaration) {
  doc::overflow_warning::Arm();
  EXPECT_TRUE(doc::overflow_warning::TakeArmed());
  EXPECT_FALSE(doc::overflow_warning::TakeArmed());
  EXPECT_FALSE(doc::overflow_warning::Armed());
  {
    DeclarationModel m(8);
    doc::ActiveDeclarationScope scope(m, true);
  }
  EXPECT_TRUE(doc::overflow_warning::Armed());
}

}  // namespace
