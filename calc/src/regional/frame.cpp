// Calculos100P: the regional deductions of every member's autonomous community.
//
// The member loop runs each member's community rules; the rules recompute whole vectors or other
// members' columns freely, and the reconciliation afterwards decides which columns survive: only
// those of members who live in the community. A community in which nobody lives is erased whole,
// input areas included (stored declarations rely on this).
#include <cstring>

#include "calc/src/regional/regional.h"
#include "tallyvex.h"

namespace tv::regional {
namespace {

using Rules = void (*)(Records&, int);

// The community table: codes with deductions, in the fixed order, with their rules and blocks.
struct Community {
  int code;
  Rules rules;
  const sp::CommunityBlock* block;
};
constexpr std::array<Rules, 15> kRules{Community01, Community02, Community03, Community04, Community05,
                                       Community06, Community07, Community08, Community09, Community10,
                                       Community11, Community12, Community13, Community16, Community17};

const sp::CommunityBlock* findBlock(int code) {
  for (const auto& c : sp::kCommunities)
    if (c.code == code) return &c;
  return nullptr;  // 14, 15, 0 and any other code have no block
}
Rules findRules(int code) {
  for (std::size_t i = 0; i < sp::kCommunities.size(); ++i)
    if (sp::kCommunities[i].code == code) return kRules[i];
  return nullptr;
}

// The two characters of a community code: leading blanks skipped, digits up to the first other.
int parseCode(const void* personal, int m) {
  const std::string_view t = in::personal::CommunityCode(m).raw(personal);
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  int value = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) value = value * 10 + (t[i] - '0');
  return value;
}

int CountMembersInCommunity(const int codes[5], int code) {
  int n = 0;
  for (int m = 0; m < 5; ++m)
    if (codes[m] == code) ++n;
  return n;
}

void ClearCommunityDeductions(void* p, int code) {
  if (const sp::CommunityBlock* b = findBlock(code)) b->block.clear(p);
}

void ClearMemberCommunityDeductions(void* p, int code, int m) {
  const sp::CommunityBlock* b = findBlock(code);
  if (b == nullptr) return;
  for (int i = 0; i < b->addendCount; ++i) b->addends[static_cast<std::size_t>(i)].set(p, m, 0.0);
  b->total.set(p, m, 0.0);
}

// Keeps only the columns of each community's members; erases communities without members.
void Reconcile(void* p, const int codes[5], bool stopWhenAllCounted) {
  int counted = 0;
  for (const auto& c : sp::kCommunities) {
    const int n = CountMembersInCommunity(codes, c.code);
    if (n > 0) {
      counted += n;
      for (int m = 0; m < 5; ++m)
        if (codes[m] != c.code) ClearMemberCommunityDeductions(p, c.code, m);
    } else {
      ClearCommunityDeductions(p, c.code);
    }
    if (stopWhenAllCounted && counted >= 5) return;
  }
}

void CommunityTotals(void* p) {
  for (const auto& c : sp::kCommunities) {
    if (c.addendCount == 0) continue;  // single deduction: its vector is the total
    std::array<Vec, 15> v{};
    for (int i = 0; i < c.addendCount; ++i) v[static_cast<std::size_t>(i)] = load(p, c.addends[static_cast<std::size_t>(i)]);
    double acc[5] = {0, 0, 0, 0, 0};
    for (int i = 0; i < c.addendCount; ++i)
      for (int k = 0; k < 5; ++k) acc[k] += 1.0 * v[static_cast<std::size_t>(i)][static_cast<std::size_t>(k)];
    Vec t{};
    for (int k = 0; k < 5; ++k) t[static_cast<std::size_t>(k)] = rnd(acc[k]);
    store(p, c.total, t);
  }
}

Vec RegionalTotal(const void* p) {
  double acc[5] = {0, 0, 0, 0, 0};
  for (int code : sp::kTotalOrder) {
    const Vec t = load(p, findBlock(code)->total);
    for (int k = 0; k < 5; ++k) acc[k] += 1.0 * t[static_cast<std::size_t>(k)];
  }
  Vec out{};
  for (int k = 0; k < 5; ++k) out[static_cast<std::size_t>(k)] = rnd(acc[k]);
  return out;
}

void Calculate(Records& r) {
  int codes[5];
  for (int m = 0; m < 5; ++m) codes[m] = parseCode(r.personal, m);

  Reconcile(r.p, codes, true);
  for (int m = 0; m < 5; ++m) {
    sp::CounterpartyNif(static_cast<std::size_t>(m)).clear(r.p, '\0');
    sp::SecondCounterpartyNif(static_cast<std::size_t>(m)).clear(r.p, '\0');
    if (Rules rules = findRules(codes[m])) rules(r, m);
  }
  Reconcile(r.p, codes, false);
  CommunityTotals(r.p);
  store(r.summary, f100::summary::RegionalDeductionsTotal, RegionalTotal(r.p));
}

}  // namespace

}  // namespace tv::regional

TALLYVEX_API void Calculos100P(void* secP, void* personal, void* summary, void* secI, void* family, void* secO,
                               void* secA, void* secB, void* secK, void* secC, void* secD, void* secE1,
                               void* secE4, void* secE5, void* secF1, void* secF2, void* secF3, void* secF4,
                               void* secF5, void* secG6, void* secH, int modality) {
  tv::regional::Records r{secP, personal, summary, secI,  family, secO,  secA,  secB,  secK,  secC, secD,
                          secE1, secE4,  secE5,   secF1, secF2,  secF3, secF4, secF5, secG6, secH, modality};
  tv::regional::Calculate(r);
}
