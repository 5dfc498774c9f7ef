#include "data/calc/form100_calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "blocks/form100_c.h"
#include "blocks/form100_j.h"
#include "blocks/form100_k.h"
#include "fixtures/form100_declarations.h"
#include "message_recorder.h"

namespace {

using Block = std::vector<unsigned char>;

Block Fresh() { return Block(f100::kBlockSize, 0); }
unsigned char* Rec(Block& b, const blocks::RecordDef& r) { return f100::record(b.data(), r); }

class Declarations100 : public ::testing::TestWithParam<fixture::Declaration (*)()> {};

TEST_P(Declarations100, DerivedBoxesAndRepeatability) {
  const fixture::Declaration decl = GetParam()();
  Block block = fixture::BlockOf(decl, f100::kBlockSize);
  MessageRecorder rec;
  bool reformat = false;
  Form100CalcContext ctx;
  ctx.shownMember = f100::kDeclarant;
  ctx.targetMember = f100::kDeclarant;
  ctx.modality = f100::GetDeclarationMode(block.data()) == 1 ? 1 : 0;
  ctx.messages = &rec;
  ctx.reformatBoxes = &reformat;
  EXPECT_EQ(CalculateForm100(block.data(), ctx), 1);
  EXPECT_TRUE(reformat);
  EXPECT_EQ(fixture::Mismatches(block, decl), std::vector<std::string>{}) << decl.name;
  EXPECT_EQ(rec.codes(), decl.messages) << decl.name;

  const Block first = block;
  CalculateForm100(block.data(), ctx);
  for (const blocks::RecordDef& r : f100::kRecords) {
    const bool same = std::equal(first.begin() + static_cast<std::ptrdiff_t>(r.offset),
                                 first.begin() + static_cast<std::ptrdiff_t>(r.offset + r.size),
                                 block.begin() + static_cast<std::ptrdiff_t>(r.offset));
    EXPECT_TRUE(same) << decl.name << ": a second calculation changed " << r.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Declarations100,
                         ::testing::Values(&fixture::SalariedWorker, &fixture::MarriedCoupleJoint,
                                           &fixture::ModulesSelfEmployed));

// The salaried worker's result against a figure built outside the library: the liquidable base
// from the inputs, the 2003 state and regional scales applied bracket by bracket, less the
// withholdings. A fault anywhere on the way (bases, minimum, reductions, scales, liquidation) moves it.
TEST(Calculate100, SalariedWorkerResultMatchesThe2003Scales) {
  struct Bracket {
    double upTo;
    double statePercent, regionalPercent;
  };
  constexpr Bracket kScales2003[] = {
      {4000.0, 9.06, 5.94}, {13800.0, 15.84, 8.16}, {25800.0, 18.68, 9.32}, {45000.0, 24.71, 12.29}, {1e12, 29.16, 15.84}};
  const auto cents = [](double x) { return std::round(x * 100.0) / 100.0; };
  const auto quota = [&](double base, bool state) {
    double q = 0.0, from = 0.0;
    for (const Bracket& b : kScales2003) {
      if (base <= from) break;
      q += (std::min(base, b.upTo) - from) * (state ? b.statePercent : b.regionalPercent) / 100.0;
      from = b.upTo;
    }
    return cents(q);
  };
  // Work 24000 less social security 1500 and union dues 120, plus 300 of interest; less the
  // personal minimum of 3400 and the 2400 reduction for net work income above 13000.
  const double base = 24000.0 - 1500.0 - 120.0 + 300.0 - 3400.0 - 2400.0;
  const double withholdings = 3000.0 + 45.0;
  const double expected = quota(base, true) + quota(base, false) - withholdings;
  EXPECT_NEAR(expected, 769.40, 0.001);  // 4000 x 15 % + 9800 x 24 % + 3080 x 28 % - 3045

  const fixture::Declaration decl = fixture::SalariedWorker();
  Block block = fixture::BlockOf(decl, f100::kBlockSize);
  Form100CalcContext ctx;
  ctx.shownMember = f100::kDeclarant;
  CalculateForm100(block.data(), ctx);
  const int column = f100::kDeclarant - 1;
  EXPECT_NEAR(f100::summary::DeclarationResult.get(Rec(block, f100::Summary), column), expected, 0.001);
  EXPECT_NEAR(f100::sec_n::MemberResult.get(Rec(block, f100::SectionN), column), expected, 0.001);
}

TEST(Calculate100, FreshBlockCalculatesWithoutAnyMessage) {
  Block block = Fresh();
  MessageRecorder rec;
  Form100CalcContext ctx;
  ctx.messages = &rec;
  EXPECT_EQ(CalculateForm100(block.data(), ctx), 1);
  EXPECT_TRUE(rec.shown.empty());
  const Block first = block;
  CalculateForm100(block.data(), ctx);
  EXPECT_TRUE(block == first);
}

// Spouse results of the same sign leave nothing to suspend: the request is withdrawn and the user
// told once.
TEST(Calculate100, WithdrawnSuspensionRequestIsToldOnce) {
  Block block = Fresh();
  f100::summary::SuspensionRequest.set(Rec(block, f100::Summary), 1);
  MessageRecorder rec;
  Form100CalcContext ctx;
  ctx.shownMember = f100::kDeclarant;
  ctx.messages = &rec;
  CalculateForm100(block.data(), ctx);
  ASSERT_EQ(rec.codes(), std::vector<std::string>{"100R067"});
  EXPECT_EQ(rec.shown[0].icon, MessageIcon::Information);
  EXPECT_NE(f100::summary::SuspensionRequest.get(Rec(block, f100::Summary)), 1);

  rec.shown.clear();
  CalculateForm100(block.data(), ctx);
  EXPECT_TRUE(rec.shown.empty());

  // Without a message service the calculation runs the same.
  Block quiet = Fresh();
  f100::summary::SuspensionRequest.set(Rec(quiet, f100::Summary), 1);
  CalculateForm100(quiet.data(), Form100CalcContext{});
  EXPECT_NE(f100::summary::SuspensionRequest.get(Rec(quiet, f100::Summary)), 1);
}

// While filing selects the target member, sections C, J and K work for it, not for the member shown.
TEST(Calculate100, TargetMemberRuleForSectionsCJK) {
  namespace c = f100::sec_c;
  namespace k = f100::sec_k;
  namespace pension = f100::sec_j::pension;
  Block block = Fresh();
  unsigned char* secC = Rec(block, f100::SectionC);
  c::Holder.set(secC, 3);  // a flat of the spouse
  c::Amount.set(secC, 60000.0);
  c::Imputed.set(secC, 660.0);
  // Pension contributions of the spouse that no base absorbs: section K carries them forward for
  // the member it works for.
  unsigned char* secJ = Rec(block, f100::SectionJ);
  const auto row = [&](const blocks::U8& f) { return blocks::U8{f100::sec_j::kPensionRows + f.off}; };
  const auto amount = [&](const blocks::F64& f) { return blocks::F64{f100::sec_j::kPensionRows + f.off}; };
  row(pension::Holder).set(secJ, 3);
  amount(pension::OwnYearIn).set(secJ, 1000.0);

  struct Case {
    int shown, target;
    bool useTarget;
    bool spouseView;
  };
  for (const Case& cs : {Case{2, 3, true, true}, Case{2, 3, false, false}, Case{3, 2, true, false},
                         Case{3, 2, false, true}, Case{3, 6, true, false}}) {
    SCOPED_TRACE(testing::Message() << "shown " << cs.shown << " target " << cs.target << " flag " << cs.useTarget);
    Form100CalcContext ctx;
    ctx.shownMember = cs.shown;
    ctx.targetMember = cs.target;
    ctx.useTargetMember = cs.useTarget;
    EXPECT_EQ(SectionMember(ctx), cs.useTarget ? cs.target : cs.shown);
    CalculateForm100(block.data(), ctx);
    EXPECT_EQ(c::SlotCode.get(secC), cs.spouseView ? 2 : 0);
    EXPECT_EQ(c::SlotAmount.get(secC, f100::kSpouse - 1), cs.spouseView ? 60000.0 : 0.0);
    unsigned char* secK = Rec(block, f100::SectionK);
    EXPECT_EQ(k::CarryHolder(0).get(secK), cs.spouseView ? 3 : 0);
    EXPECT_EQ(k::CarryOwn(0).get(secK), cs.spouseView ? 1000.0 : 0.0);
  }
}

}  // namespace
