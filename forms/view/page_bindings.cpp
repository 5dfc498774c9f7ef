// Binding tables of the pages shown by the generic page: position -> offset of the field in the
// form's block. Form-100 per-member fields give the first member's slot; form-714 fields lie in
// Form714Personal (block offset 6200).
#include <array>
#include <vector>

#include "blocks/form100.h"
#include "blocks/form714.h"
#include "forms/view/form_views.h"

namespace forms {

namespace {

// ORD001 (201): the identification of the person shown and of the other spouse, the declaration
// marks, the deceased-descendant dates, the region and the representative.
constexpr BoxBinding kOrd001[] = {
    {1, 773},   {2, 893},   {3, 968},   {4, 818},   {5, 1053, 0},  {6, 1078},  {7, 1178},  {8, 1203},
    {9, 1213},  {10, 1223}, {11, 1233}, {12, 1358}, {13, 1428}, {14, 1043}, {15, 1048}, {16, 733},
    {17, 738},  {18, 753},  {19, 758},  {20, 763},  {21, 768},  {22, 1473}, {23, 1513}, {24, 1063},
    {25, 1518}, {26, 1563}, {27, 1683}, {28, 1758}, {29, 1608}, {30, 1848, 0}, {31, 1873}, {32, 1973},
    {33, 1998}, {34, 2008}, {35, 2018}, {36, 2028}, {37, 2153}, {38, 2223}, {39, 1833}, {40, 1838},
    {41, 2268}, {42, 2308}, {43, 1858}, {44, 2313}, {46, 693},  {47, 2363}, {48, 2368}, {133, 4472},
    {134, 4512}, {135, 4552}, {136, 4592}, {161, 4632}, {162, 4644}, {163, 5012}, {164, 5017},
    {165, 5027}, {166, 5032}, {167, 5037},  {174, 5562, 5562}, {175, 5567, 5562}, {168, 5082}, {169, 5242}, {170, 5372}, {171, 5392},
    {172, 5467}, {173, 5537},
};

constexpr std::size_t P(std::size_t offset) { return f714::Personal.offset + offset; }

// PAT001 (301): the declarant's identification, address, representative, marks and date.
constexpr BoxBinding kPat001[] = {
    {1, P(81)},   {2, P(83)},   {3, P(82)},   {4, P(86)},   {5, P(96)},   {6, P(111)},  {7, P(126)},
    {8, P(141), 0},  {9, P(144)},  {10, P(172)}, {11, P(177)}, {12, P(180)}, {13, P(183)}, {14, P(186)},
    {15, P(196)}, {16, P(230)}, {17, P(250)}, {18, P(256)}, {19, P(257)}, {20, P(258)}, {21, P(268)},
    {22, P(283)}, {23, P(298)}, {24, P(313)}, {25, P(316)}, {26, P(344)}, {27, P(349)}, {28, P(352)},
    {29, P(355)}, {30, P(358)}, {31, P(368)}, {32, P(402)}, {33, P(422)}, {34, P(428)}, {35, P(429)},
    {36, P(430)}, {37, P(431)}, {38, P(433)}, {39, P(453)}, {40, P(454)}, {41, P(474)}, {42, P(476)},
    {43, P(486)}, {46, P(21)},  {49, P(86)},  {51, P(1)},
};

constexpr std::size_t G6(std::size_t o) { return f100::SectionG6.offset + o; }
constexpr std::size_t H(std::size_t o) { return f100::SectionH.offset + o; }
constexpr std::size_t I(std::size_t o) { return f100::SectionI.offset + o; }
constexpr std::size_t J(std::size_t o) { return f100::SectionJ.offset + o; }

// ORD009 (209): the holder vectors of the integration of gains and losses, the tax bases, the
// minimum and the reductions, and the member's reference text.
constexpr BoxBinding kOrd009[] = {
    {3, G6(0)},    {4, G6(40)},   {5, G6(80)},   {6, G6(120)},  {7, G6(160)},  {8, G6(200)},  {9, G6(240)},
    {10, G6(280)}, {11, H(0)},    {12, H(40)},   {13, H(112)},  {14, H(152)},  {15, H(224)},  {16, H(264)},
    {17, H(304)},  {18, H(344)},  {19, H(384)},  {20, H(424)},  {21, H(496)},  {22, H(568)},  {23, I(0)},
    {24, I(40)},   {25, I(80)},   {26, I(120)},  {27, I(160)},  {28, I(200)},  {29, I(240)},  {30, I(280)},
    {31, I(320)},  {32, J(0)},    {33, J(40)},   {34, J(80)},   {35, J(120)},  {36, J(160)},  {37, J(200)},
    {38, J(240)},  {39, J(280)},  {40, J(320)},  {41, J(360)},  {42, J(400)},  {45, f100::Family.offset + 105},
};

constexpr std::size_t S(std::size_t o) { return f100::Summary.offset + o; }

// ORD011 (211): the settlement in Form100Summary.
constexpr BoxBinding kOrd011[] = {
    {3, S(0)},     {4, S(88)},    {5, S(160)},   {6, S(200)},   {7, S(240)},   {8, S(280)},   {9, S(320)},
    {10, S(360)},  {11, S(400)},  {12, S(440)},  {13, S(480)},  {14, S(520)},  {15, S(560)},  {16, S(600)},
    {17, S(640)},  {18, S(680)},  {19, S(720)},  {20, S(760)},  {21, S(800)},  {22, S(840)},  {23, S(880)},
    {24, S(920)},  {25, S(960)},  {26, S(1000)}, {27, S(1040)}, {28, S(1080)}, {29, S(1120)}, {30, S(1160)},
    {31, S(1200)}, {32, S(1240)}, {33, S(1280)}, {34, S(1376)}, {35, S(1416)}, {36, S(1456)}, {37, S(1496)},
    {38, S(1536)}, {39, S(1576)}, {40, S(1616)}, {41, S(1656)}, {42, S(1696)}, {43, S(1784)}, {44, S(3072)},
    {45, S(3184)}, {46, S(5696)}, {47, S(5736)}, {48, S(5776)}, {49, S(5816)}, {50, S(5856)}, {51, S(5944)},
    {52, S(7232)}, {53, S(7272)}, {56, f100::Family.offset + 105},
};

// ORD012 (212): the net quota's deductions, the payments on account and the result; the maternity
// deduction opens its annex.
constexpr BoxBinding kOrd012[] = {
    {3, S(7312)},  {4, S(7352)},  {5, S(7488)},  {6, S(7528)},  {7, S(7568)},  {8, S(7608)},  {9, S(7648)},
    {10, S(7688)}, {11, S(7728)}, {12, S(8056)}, {13, S(8136)}, {14, S(8176)}, {15, S(8312)}, {16, S(8360)},
    {17, S(8632)}, {18, S(8672)}, {19, S(8712)}, {20, S(8752)}, {21, S(8792)}, {22, S(8832)}, {23, S(8872)},
    {24, S(8912)}, {25, S(8952)}, {26, S(8992)}, {27, S(9032)}, {28, S(9072)}, {29, S(9144)}, {30, S(9232)},
    {31, S(9272)}, {32, S(9312), S(9352)}, {33, S(9728)}, {34, S(9768)}, {35, S(9840)}, {36, f100::Result.offset},
    {37, f100::Result.offset + 40}, {38, f100::Result.offset + 80}, {41, f100::Family.offset + 105},
};

constexpr std::size_t O(std::size_t o) { return f100::SectionO.offset + o; }

// ORD014 (214): section O's deductions, their state and regional parts, and the four accounts
// (key, date, entity, branch, check digits, number).
constexpr BoxBinding kOrd014[] = {
    {3, O(0)},     {4, O(88)},    {5, O(128)},   {6, O(168)},   {7, O(328)},   {8, O(368)},   {9, O(408)},
    {10, O(448)},  {11, S(480)},  {12, S(520)},  {13, S(560)},  {14, S(600)},  {15, O(488)},  {16, O(896)},
    {17, O(936)},  {18, O(976)},  {19, S(640)},  {20, S(680)},  {21, S(720)},  {22, S(760)},  {23, O(1016)},
    {24, O(1096)}, {25, S(800)},  {26, S(840)},  {27, S(880)},  {28, S(920)},  {29, O(1196)}, {30, O(1201)},
    {31, O(1241)}, {32, O(1261)}, {33, O(1281)}, {34, O(1291)}, {35, O(1341)}, {36, O(1346)}, {37, O(1386)},
    {38, O(1406)}, {39, O(1426)}, {40, O(1436)}, {41, O(1488)}, {42, O(1720)}, {43, O(1760)}, {44, O(1800)},
    {45, S(960)},  {46, S(1000)}, {47, S(1040)}, {48, S(1080)}, {49, O(1840)}, {50, S(1416)}, {51, S(1456)},
    {52, O(2120)}, {53, S(1496)}, {54, S(1536)}, {55, O(2304)}, {56, O(2309)}, {57, O(2349)}, {58, O(2369)},
    {59, O(2389)}, {60, O(2399)}, {61, O(2449)}, {62, O(2454)}, {63, O(2494)}, {64, O(2514)}, {65, O(2534)},
    {66, O(2544)}, {68, f100::Family.offset + 105},
};

constexpr std::size_t N(std::size_t o) { return f100::SectionN.offset + o; }

// ORD013 (213): the payment and refund amounts; the account and the place and date follow the
// shown member and the result (the page's own rules).
constexpr BoxBinding kOrd013[] = {
    {3, N(40)},   {4, N(80)},   {5, N(120)},  {6, N(160)},  {7, N(200)}, {8, N(240)},
    {12, N(384)}, {13, N(424)}, {14, N(464)}, {15, N(504)}, {20, N(544)}, {21, N(584)},
    {27, f100::Family.offset + 105},
};

constexpr std::size_t F(std::size_t o) { return f100::Family.offset + o; }
constexpr std::size_t Q(std::size_t o) { return f100::SectionQ.offset + o; }

// ORD017 (217): the payment or refund document; per-member fields at the first member's slot.
constexpr BoxBinding kOrd017[] = {
    {1, F(5)},      {2, F(485)},    {3, F(605)},    {4, F(680)},    {5, F(530)},    {6, F(790)},
    {7, F(890)},    {8, F(915)},    {9, F(925)},    {10, F(935)},   {11, F(1230)},  {12, F(945)},
    {13, F(1070)},  {14, F(1140)},  {15, F(1275)},  {16, F(1395)},  {17, F(1470)},  {18, F(1320)},
    {19, N(624)},   {20, f100::Summary.offset + 9880}, {21, f100::Result.offset + 80},
    {22, Q(7872)},  {23, Q(7877)},  {24, Q(7992)},  {25, Q(7882)},  {26, Q(7887)},  {27, Q(7892)},
    {28, Q(7912)},  {29, Q(7932)},  {30, Q(7942)},  {31, Q(8032)},  {32, Q(8037)},  {33, Q(8144)},
    {34, Q(8042)},  {35, Q(8062)},  {36, Q(8082)},  {37, Q(8092)},  {38, Q(8184)},  {39, Q(8189)},
    {40, Q(8296)},  {41, Q(8194)},  {42, Q(8214)},  {43, Q(8234)},  {44, Q(8244)},  {45, F(5284)},
    {46, F(5304)},  {47, F(5306)},  {48, F(5316)},  {50, F(105)},   {52, F(485)},
};

constexpr std::size_t S714(std::size_t o) { return f714::Summary.offset + o; }
constexpr std::size_t R714(std::size_t o) { return f714::Result.offset + o; }

// PAT009 (309): the summary of the nineteen section slots, the bases and the other slots.
constexpr BoxBinding kPat009[] = {
    {1, P(86)},      {3, S714(0)},    {4, S714(8)},    {5, S714(16)},   {6, S714(24)},   {7, S714(32)},
    {8, S714(40)},   {9, S714(48)},   {10, S714(56)},  {11, S714(64)},  {12, S714(72)},  {13, S714(80)},
    {14, S714(88)},  {15, S714(96)},  {16, S714(104)}, {17, S714(112)}, {18, S714(120)}, {19, S714(128)},
    {20, S714(136)}, {21, S714(144)}, {22, S714(152)}, {23, S714(160)}, {24, S714(168)}, {25, S714(176)},
    {26, S714(184)}, {27, f714::SectionA.offset + 128}, {28, f714::SectionA.offset + 136}, {29, S714(192)},
    {30, S714(200)}, {31, S714(208)}, {34, P(21)},
};

// PAT011 (311): identification, the payment and its account, place and date (the page's own rules
// decide what can be typed).
constexpr BoxBinding kPat011[] = {
    {1, P(86)},   {2, P(96)},   {3, P(111)},  {4, P(126)},  {5, P(141)},  {6, P(144)},  {7, P(172)},
    {8, P(177)},  {9, P(180)},  {10, P(183)}, {11, P(186)}, {12, P(196)}, {13, P(230)}, {14, P(250)},
    {15, P(81)},  {16, S714(536)}, {17, R714(0)}, {18, R714(8)}, {19, R714(16)}, {20, S714(552)}, {21, R714(48)},
    {22, R714(24)}, {23, R714(25)}, {24, R714(26)}, {25, R714(30)}, {26, R714(34)}, {27, R714(36)},
    {28, P(454)}, {29, P(474)}, {30, P(476)}, {31, P(486)}, {32, P(21)},  {34, P(1)},   {36, P(86)},
};

// PAT010 (310): the liquidation values of the summary.
constexpr BoxBinding kPat010[] = {
    {1, P(86)},      {3, S714(216)},  {4, S714(224)},  {5, S714(232)},  {6, S714(240)},  {7, S714(248)},
    {8, S714(264)},  {9, S714(272)},  {10, S714(280)}, {11, S714(288)}, {12, S714(368)}, {13, S714(376)},
    {14, S714(384)}, {15, S714(392)}, {16, S714(400)}, {17, S714(408)}, {18, S714(416)}, {19, S714(424)},
    {20, S714(432)}, {21, S714(440)}, {22, S714(496)}, {23, S714(504)}, {24, S714(512)}, {25, S714(520)},
    {26, S714(528)}, {27, S714(536)}, {30, P(21)},
};

struct PageTable {
  int pageCode;
  std::span<const BoxBinding> boxes;
};
constexpr PageTable kTables[] = {{201, kOrd001}, {209, kOrd009}, {211, kOrd011}, {212, kOrd012}, {213, kOrd013}, {214, kOrd014}, {217, kOrd017}, {301, kPat001}, {309, kPat009}, {310, kPat010}, {311, kPat011}};

// Extra tables (fixtures of tests, pages being authored) take precedence.
std::vector<PageTable>& Extra() {
  static std::vector<PageTable> extra;
  return extra;
}

}  // namespace

void RegisterPageBindings(int pageCode, std::span<const BoxBinding> boxes) {
  for (PageTable& t : Extra())
    if (t.pageCode == pageCode) {
      t.boxes = boxes;
      return;
    }
  Extra().push_back({pageCode, boxes});
}

std::span<const BoxBinding> PageBindings(int pageCode) {
  for (const PageTable& t : Extra())
    if (t.pageCode == pageCode) return t.boxes;
  for (const PageTable& t : kTables)
    if (t.pageCode == pageCode) return t.boxes;
  return {};
}

}  // namespace forms
