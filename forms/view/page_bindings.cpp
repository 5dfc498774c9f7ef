// Binding tables of the pages shown by the generic page: position -> offset of the field in the
// form's block. Form-100 per-member fields give the first member's slot; form-714 fields lie in
// Form714Personal (block offset 6200).
#include <array>
#include <vector>

#include "blocks/form100.h"
#include "blocks/form714.h"
#include "forms/page_positions.h"
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
    {165, 5027}, {166, 5032}, {167, 5037}, {168, 5082}, {169, 5242}, {170, 5372}, {171, 5392},
    {172, 5467}, {173, 5537}, {174, 5562, 5562}, {175, 5567, 5562}, {196, 393},  {197, 1843},
};

constexpr std::size_t A(std::size_t o) { return f100::SectionA.offset + o; }
constexpr std::size_t B(std::size_t o) { return f100::SectionB.offset + o; }
constexpr std::size_t C(std::size_t o) { return f100::SectionC.offset + o; }
constexpr std::size_t D(std::size_t o) { return f100::SectionD.offset + o; }

// ORD002 (202): work income (its annex is the whole of section A), movable capital (each group's
// income vector before its rows), the imputed income shown by member and real estate income. The
// three rows of holders belong to the page's row table.
constexpr BoxBinding kOrd002[] = {
    {3, A(720), A(0)},    {4, A(760), A(0)},    {5, A(800), A(0)},    {6, A(840), A(0)},    {7, A(880), A(0)},
    {8, A(920), A(0)},    {9, A(960), A(0)},    {10, A(1000), A(0)},  {11, A(1040), A(0)},  {12, A(1080), A(0)},
    {13, A(1120), A(0)},  {14, A(1160)},        {15, A(1200)},        {16, B(0), B(40)},    {17, B(280), B(320)},
    {18, B(656), B(696)}, {19, B(792), B(832)}, {20, B(1072), B(1112)}, {21, B(1352), B(1392)}, {22, B(1632)},
    {23, B(1672)},        {24, B(1712)},        {25, B(1752)},        {26, B(1792)},        {27, B(1832)},
    {28, B(1872)},        {29, B(1912)},        {30, B(1952), B(2032)}, {31, B(1992), B(2032)},
    {32, C(472)}, {33, C(480)}, {34, C(720)}, {35, C(1320)}, {36, C(473)}, {37, C(520)}, {38, C(820)}, {39, C(1360)},
    {40, C(474)}, {41, C(560)}, {42, C(920)}, {43, C(1400)}, {44, C(475)}, {45, C(600)}, {46, C(1020)}, {47, C(1440)},
    {48, C(476)}, {49, C(640)}, {50, C(1120)}, {51, C(1480)}, {52, C(477)}, {53, C(680)}, {54, C(1220)}, {55, C(1520)},
    {56, C(0), C(40)},    {66, D(0), D(40)},    {67, D(472), D(40)},  {68, D(512)},         {69, D(552), D(40)},
    {70, D(592), D(40)},  {71, D(632), D(40)},  {72, D(672), D(40)},  {73, D(712)},         {74, D(752)},
    {75, D(792)},         {76, D(832)},         {77, D(872)},         {80, f100::Family.offset + 105},
};

constexpr std::size_t Pr(std::size_t o) { return f100::SectionP.offset + o; }

// ORD015 (215): the regional deductions; a box whose deduction has inputs opens them, the record
// 40 bytes after its vector.
constexpr BoxBinding kOrd015[] = {
    {3, Pr(0), Pr(40)}, {4, Pr(88), Pr(128)}, {5, Pr(208), Pr(248)}, {6, Pr(256), Pr(296)},
    {7, Pr(352), Pr(392)}, {8, Pr(488), Pr(528)}, {9, Pr(536), Pr(576)}, {10, Pr(584)}, {11, Pr(624), Pr(664)},
    {12, Pr(704), Pr(744)}, {13, Pr(792), Pr(832)}, {14, Pr(888), Pr(928)}, {15, Pr(936), Pr(976)},
    {16, Pr(1072), Pr(1112)}, {17, Pr(1120), Pr(1160)}, {18, Pr(1168), Pr(1208)}, {19, Pr(1256)},
    {20, Pr(1296), Pr(1336)}, {21, Pr(1528)}, {22, Pr(1568), Pr(1608)}, {23, Pr(1656), Pr(1696)},
    {24, Pr(1792), Pr(1832)}, {25, Pr(1880)}, {26, Pr(1920), Pr(1960)}, {27, Pr(2040)},
    {28, Pr(2080), Pr(2120)}, {29, Pr(2168), Pr(2208)}, {30, Pr(2256), Pr(2296)}, {31, Pr(2344), Pr(2384)},
    {32, Pr(2464)}, {33, Pr(2504), Pr(2544)}, {34, Pr(2560), Pr(2600)}, {35, Pr(2640), Pr(2680)},
    {36, Pr(2720), Pr(2760)}, {37, Pr(2800)}, {38, Pr(2840), Pr(2880)}, {39, Pr(2928), Pr(2968)},
    {40, Pr(3016)}, {41, Pr(3056), Pr(3096)}, {42, Pr(3112), Pr(3152)}, {43, Pr(3232), Pr(3272)},
    {44, Pr(3344), Pr(3384)}, {45, Pr(3432), Pr(3472)}, {46, Pr(3520)}, {47, Pr(3560), Pr(3600)},
    {48, Pr(3624), Pr(3664)}, {49, Pr(3712), Pr(3752)}, {50, Pr(3880), Pr(3920)}, {51, Pr(3968), Pr(4008)},
    {52, Pr(4056)}, {53, Pr(4096), Pr(4136)}, {54, Pr(4184)}, {55, Pr(4224), Pr(4264)},
    {56, Pr(4312), Pr(4352)}, {57, Pr(4400)}, {58, Pr(4440), Pr(4480)}, {59, Pr(4560), Pr(4600)},
    {60, Pr(4616), Pr(4656)}, {61, Pr(4680), Pr(4720)}, {62, Pr(4840)}, {63, Pr(4880), Pr(4920)},
    {64, Pr(5024), Pr(5064)}, {65, Pr(5096), Pr(5136)}, {66, Pr(5216), Pr(5256)}, {67, Pr(5296), Pr(5336)},
    {68, Pr(5432), Pr(5472)}, {69, Pr(5520), Pr(5560)}, {70, Pr(5592)}, {71, Pr(5632), Pr(5672)},
    {72, Pr(5720), Pr(5760)}, {73, Pr(5808), Pr(5848)}, {74, Pr(5896)}, {75, Pr(5936), Pr(5976)},
    {76, Pr(6056), Pr(6096)}, {77, Pr(6144), Pr(6184)}, {78, Pr(6232)}, {79, Pr(6272), Pr(6312)},
    {80, Pr(6352), Pr(6392)}, {81, Pr(6400), Pr(6440)}, {82, Pr(6504), Pr(6544)}, {83, Pr(6560), Pr(6600)},
    {84, Pr(6608)}, {85, Pr(6648), Pr(6688)}, {86, Pr(6736), Pr(6776)}, {87, Pr(6824), Pr(6864)},
    {88, Pr(6872), Pr(6912)}, {89, Pr(7008), Pr(7048)}, {90, Pr(7168), Pr(7208)}, {91, Pr(7256), Pr(7296)},
    {92, Pr(7344), Pr(7384)}, {93, Pr(7432), Pr(7472)}, {94, Pr(7520)}, {95, Pr(7560)}, {96, Pr(7605)},
    {99, f100::Family.offset + 105},
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

// ORD003 (203): the sum of the net yields of the activities in direct estimation and the member's
// reference text; the activity rows are bound through their row table.
constexpr BoxBinding kOrd003[] = {{boxes::ORD003::E1SUMA, f100::SectionE1.offset + 1728},
                                  {boxes::ORD003::REFERENCIA, f100::Family.offset + 105}};

// ORD004 (204): the sum of the reduced net yields of the activities in objective estimation and the
// member's reference text; the activity rows are bound through their row table.
constexpr BoxBinding kOrd004[] = {{boxes::ORD004::E4RENDI, f100::SectionE4.offset + 8496},
                                  {boxes::ORD004::REFERENCIA, f100::Family.offset + 105}};

// ORD005 (205): the member's reference text and the sums of the agricultural activities' incomes
// and net yields; the activity rows are bound through their row table.
constexpr BoxBinding kOrd005[] = {
    {boxes::ORD005::REFERENCIA, f100::Family.offset + 105},
    {boxes::ORD005::E5INGRE, f100::SectionE5.offset + 12336},
    {boxes::ORD005::E5RENDI, f100::SectionE5.offset + 12376}};
// ORD006 (206): the totals of the attributed and imputed income; the row areas are the page's.
constexpr BoxBinding kOrd006[] = {
    {55, f100::SectionF1.offset + 1104}, {56, f100::SectionF1.offset + 1144}, {57, f100::SectionF1.offset + 1184},
    {58, f100::SectionF1.offset + 1224}, {59, f100::SectionF1.offset + 1264}, {60, f100::SectionF1.offset + 1304},
    {61, f100::SectionF1.offset + 1344}, {62, f100::Summary.offset + 8872},  {105, f100::SectionF2.offset + 1296},
    {106, f100::Summary.offset + 8912},  {107, f100::Summary.offset + 8952}, {120, f100::SectionF3.offset + 192},
    {134, f100::SectionF5.offset + 192}, {136, f100::Family.offset + 105},
};

constexpr std::size_t G1(std::size_t o) { return f100::SectionG1.offset + o; }
constexpr std::size_t G2(std::size_t o) { return f100::SectionG2.offset + o; }
constexpr std::size_t G3(std::size_t o) { return f100::SectionG3.offset + o; }

// ORD007 (207): the totals of the gains and losses and the prizes with their annexes; the row
// areas are the page's.
constexpr BoxBinding kOrd007[] = {
    {26, G1(1352)}, {27, G1(1392)}, {28, G1(1432)}, {29, G1(1472)}, {30, G1(1512), G1(1552)},
    {31, G1(1648), G1(1688)}, {32, G1(1816), G1(1688)}, {33, G1(1856), G1(1688)}, {34, G1(1896)},
    {68, G2(5640)}, {69, G2(5680)}, {70, G2(5720)}, {71, G2(5760)},
    {114, G3(3000)}, {115, G3(3040)}, {116, G3(3080)}, {120, f100::Family.offset + 105},
};

constexpr std::size_t G4(std::size_t o) { return f100::SectionG4.offset + o; }
constexpr std::size_t G5(std::size_t o) { return f100::SectionG5.offset + o; }

// ORD008 (208): the totals of the lists and of the asset items, and section G5's amounts with
// their annex; the row areas are the page's.
constexpr BoxBinding kOrd008[] = {
    {13, G4(360)},          {23, G4(760)},          {36, G4(1280)},         {91, G4(12720)},
    {92, G4(12760)},        {93, G4(12800)},        {103, G4(13200)},       {113, G4(13600)},
    {114, G5(48), G5(0)},   {115, G5(88), G5(0)},   {116, G5(128), G5(0)},  {117, G5(168), G5(0)},
    {118, G5(208), G5(0)},  {120, f100::Family.offset + 105},
};

constexpr std::size_t G6(std::size_t o) { return f100::SectionG6.offset + o; }
constexpr std::size_t H(std::size_t o) { return f100::SectionH.offset + o; }
constexpr std::size_t I(std::size_t o) { return f100::SectionI.offset + o; }
constexpr std::size_t J(std::size_t o) { return f100::SectionJ.offset + o; }

// ORD009 (209): the holder vectors of the integration of gains and losses, the tax bases, the
// minimum and the reductions, and the member's reference text.
constexpr BoxBinding kOrd009[] = {
    {3, G6(0)},    {4, G6(40)},   {5, G6(80)},   {6, G6(120)},  {7, G6(160)},  {8, G6(200)},  {9, G6(240)},
    {10, G6(280)}, {11, H(0)},    {12, H(40), H(80)},   {13, H(112)},  {14, H(152), H(192)},  {15, H(224), H(80)},  {16, H(264)},
    {17, H(304)},  {18, H(344)},  {19, H(384)},  {20, H(424), H(464)},  {21, H(496), H(536)},  {22, H(568)},  {23, I(0)},
    {24, I(40)},   {25, I(80)},   {26, I(120)},  {27, I(160)},  {28, I(200)},  {29, I(240)},  {30, I(280)},
    {31, I(320)},  {32, J(0)},    {33, J(40)},   {34, J(80)},   {35, J(120)},  {36, J(160)},  {37, J(200)},
    {38, J(240)},  {39, J(280)},  {40, J(320)},  {41, J(360)},  {42, J(400)},  {45, f100::Family.offset + 105},
};

constexpr std::size_t K(std::size_t o) { return f100::SectionK.offset + o; }

// ORD010 (210): the reductions' totals and the liquidable bases; the row areas are the page's.
constexpr BoxBinding kOrd010[] = {
    {18, J(616)},  {19, J(656), J(696)}, {28, J(1040)}, {38, J(1152)}, {39, J(1192), J(1232)},
    {40, K(0)},    {41, K(40)},   {42, K(80)},   {43, K(120)},  {44, K(160)},  {45, K(200)},  {46, K(240)},
    {47, K(280)},  {48, K(320), K(360)}, {49, K(392), K(432)}, {50, K(464)}, {51, K(504)}, {52, K(544)},
    {53, K(584)},  {54, K(624)},  {55, K(664)},  {56, K(704)},  {57, K(744)},  {66, f100::Family.offset + 105},
};

constexpr std::size_t S(std::size_t o) { return f100::Summary.offset + o; }

// ORD011 (211): the settlement in Form100Summary.
constexpr BoxBinding kOrd011[] = {
    {3, S(0), S(40)},     {4, S(88), S(128)},    {5, S(160)},   {6, S(200)},   {7, S(240)},   {8, S(280)},   {9, S(320)},
    {10, S(360)},  {11, S(400)},  {12, S(440)},  {13, S(480)},  {14, S(520)},  {15, S(560)},  {16, S(600)},
    {17, S(640)},  {18, S(680)},  {19, S(720)},  {20, S(760)},  {21, S(800)},  {22, S(840)},  {23, S(880)},
    {24, S(920)},  {25, S(960)},  {26, S(1000)}, {27, S(1040)}, {28, S(1080)}, {29, S(1120)}, {30, S(1160)},
    {31, S(1200)}, {32, S(1240)}, {33, S(1280), S(1320)}, {34, S(1376)}, {35, S(1416)}, {36, S(1456)}, {37, S(1496)},
    {38, S(1536)}, {39, S(1576)}, {40, S(1616)}, {41, S(1656)}, {42, S(1696), S(1736)}, {43, S(1784), S(1824)}, {44, S(3072), S(3112)},
    {45, S(3184), S(3224)}, {46, S(5696)}, {47, S(5736)}, {48, S(5776)}, {49, S(5816)}, {50, S(5856), S(5896)}, {51, S(5944), S(5984)},
    {52, S(7232)}, {53, S(7272)}, {56, f100::Family.offset + 105},
};

// ORD012 (212): the net quota's deductions, the payments on account and the result; the maternity
// deduction opens its annex.
constexpr BoxBinding kOrd012[] = {
    {3, S(7312)},  {4, S(7352), S(7392)},  {5, S(7488)},  {6, S(7528)},  {7, S(7568)},  {8, S(7608)},  {9, S(7648)},
    {10, S(7688)}, {11, S(7728), S(7768)}, {12, S(8056), S(8096)}, {13, S(8136)}, {14, S(8176), S(8216)}, {15, S(8312)}, {16, S(8360), S(8400)},
    {17, S(8632)}, {18, S(8672)}, {19, S(8712)}, {20, S(8752)}, {21, S(8792)}, {22, S(8832)}, {23, S(8872)},
    {24, S(8912)}, {25, S(8952)}, {26, S(8992)}, {27, S(9032)}, {28, S(9072), S(9112)}, {29, S(9144), S(9184)}, {30, S(9232)},
    {31, S(9272)}, {32, S(9312), S(9352)}, {33, S(9728)}, {34, S(9768), S(9808)}, {35, S(9840)}, {36, f100::Result.offset},
    {37, f100::Result.offset + 40}, {38, f100::Result.offset + 80}, {41, f100::Family.offset + 105},
};

constexpr std::size_t O(std::size_t o) { return f100::SectionO.offset + o; }

// ORD014 (214): section O's deductions, their state and regional parts, and the four accounts
// (key, date, entity, branch, check digits, number). +1880 is the Ceuta and Melilla block alone:
// the lease payments-on-account rows, placed there too elsewhere, are given to no box (see
// annex/pgacuinm_dlg.h).
constexpr BoxBinding kOrd014[] = {
    {3, O(0), O(40)},     {4, O(88)},    {5, O(128)},   {6, O(168), O(208)},   {7, O(328)},   {8, O(368)},   {9, O(408)},
    {10, O(448)},  {11, S(480)},  {12, S(520)},  {13, S(560)},  {14, S(600)},  {15, O(488), O(528)},
    {16, O(896)},  {17, O(936), O(528)},  {18, O(976)},  {19, S(640)},  {20, S(680)},  {21, S(720), O(528)},
    {22, S(760)},  {23, O(1016)}, {24, O(1096)}, {25, S(800), O(528)},  {26, S(840)},  {27, S(880), O(528)},
    {28, S(920)},  {29, O(1196)}, {30, O(1201)},
    {31, O(1241)}, {32, O(1261)}, {33, O(1281)}, {34, O(1291)}, {35, O(1341)}, {36, O(1346)}, {37, O(1386)},
    {38, O(1406)}, {39, O(1426)}, {40, O(1436)}, {41, O(1488), O(1528)}, {42, O(1720)}, {43, O(1760), O(1528)}, {44, O(1800)},
    {45, S(960)},  {46, S(1000)}, {47, S(1040), O(1528)}, {48, S(1080)}, {49, O(1840), O(1880)}, {50, S(1416)},
    {51, S(1456)},
    {52, O(2120), O(2160)}, {53, S(1496)}, {54, S(1536)}, {55, O(2304)}, {56, O(2309)}, {57, O(2349)}, {58, O(2369)},
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

// ORD016 (216): annex C, the investment incentives: claimed (opening its inputs, 40 bytes after
// the vector), applied and carried forward per line, and the Canary Islands reserve.
constexpr BoxBinding kOrd016[] = {
    {3, Q(0), Q(40)}, {4, Q(504)}, {5, Q(704)}, {6, Q(136), Q(176)}, {7, Q(544)}, {8, Q(744)},
    {9, Q(224), Q(264)}, {10, Q(584)}, {11, Q(784)}, {12, Q(328), Q(368)}, {13, Q(624)}, {14, Q(824)},
    {15, Q(432), Q(472)}, {16, Q(664)}, {17, Q(864)}, {18, Q(904), Q(944)}, {19, Q(2368)}, {20, Q(2968)},
    {21, Q(1088), Q(1128)}, {22, Q(2408)}, {23, Q(3008)}, {24, Q(1192), Q(1232)}, {25, Q(2448)}, {26, Q(3048)},
    {27, Q(1280), Q(1320)}, {28, Q(2488)}, {29, Q(3088)}, {30, Q(1368), Q(1408)}, {31, Q(2528)}, {32, Q(3128)},
    {33, Q(1488), Q(1528)}, {34, Q(2568)}, {35, Q(3168)}, {36, Q(1576), Q(1616)}, {37, Q(2608)}, {38, Q(3208)},
    {39, Q(1664), Q(1704)}, {40, Q(2648)}, {41, Q(3248)}, {42, Q(1752), Q(1792)}, {43, Q(2688)}, {44, Q(3288)},
    {45, Q(1840), Q(1880)}, {46, Q(2728)}, {47, Q(3328)}, {48, Q(1944), Q(1984)}, {49, Q(2768)}, {50, Q(3368)},
    {51, Q(2016), Q(2056)}, {52, Q(2808)}, {53, Q(3408)}, {54, Q(2104), Q(2144)}, {55, Q(2848)}, {56, Q(3448)},
    {57, Q(2192), Q(2232)}, {58, Q(2888)}, {59, Q(3488)}, {60, Q(2280), Q(2320)}, {61, Q(2928)}, {62, Q(3528)},
    {63, Q(3568), Q(3608)}, {64, Q(5128)}, {65, Q(5728)}, {66, Q(3704), Q(3744)}, {67, Q(5168)}, {68, Q(5768)},
    {69, Q(3840), Q(3880)}, {70, Q(5208)}, {71, Q(5808)}, {72, Q(4024), Q(4064)}, {73, Q(5248)}, {74, Q(5848)},
    {75, Q(4128), Q(4168)}, {76, Q(5288)}, {77, Q(5888)}, {78, Q(4216), Q(4256)}, {79, Q(5328)}, {80, Q(5928)},
    {81, Q(4304), Q(4344)}, {82, Q(5368)}, {83, Q(5968)}, {84, Q(4424), Q(4464)}, {85, Q(5408)}, {86, Q(6008)},
    {87, Q(4512), Q(4552)}, {88, Q(5448)}, {89, Q(6048)}, {90, Q(4600), Q(4640)}, {91, Q(5488)}, {92, Q(6088)},
    {93, Q(4688), Q(4728)}, {94, Q(5528)}, {95, Q(6128)}, {96, Q(4776), Q(4816)}, {97, Q(5568)}, {98, Q(6168)},
    {99, Q(4880), Q(4920)}, {100, Q(5608)}, {101, Q(6208)}, {102, Q(4952), Q(4992)}, {103, Q(5648)},
    {104, Q(6248)}, {105, Q(5040), Q(5080)}, {106, Q(5688)}, {107, Q(6288)}, {108, Q(6328), Q(6368)},
    {109, Q(6528)}, {110, Q(6568)}, {111, Q(6608)}, {112, S(1120)}, {113, S(1160)}, {114, Q(6648), Q(6688)},
    {115, Q(7336)}, {116, Q(7376)}, {117, Q(6752), Q(6792)}, {118, Q(7384)}, {119, Q(7424)}, {120, Q(7576)},
    {121, Q(6872), Q(6912)}, {122, Q(7432)}, {123, Q(7472)}, {124, Q(7616)}, {125, Q(6992), Q(7032)},
    {126, Q(7480)}, {127, Q(7520)}, {128, Q(7656)}, {129, Q(7112), Q(7152)}, {130, Q(7528)}, {131, Q(7568)},
    {132, Q(7696)}, {133, Q(7736), Q(7776)}, {134, Q(7824)}, {135, Q(7832)}, {137, f100::Family.offset + 105},
};

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

// PAT012 (312): the second payment sheet, printed: page 11's fields without the amount due and
// the partial payment.
constexpr BoxBinding kPat012[] = {
    {1, P(86)},   {2, P(96)},   {3, P(111)},  {4, P(126)},  {5, P(141)},  {6, P(144)},  {7, P(172)},
    {8, P(177)},  {9, P(180)},  {10, P(183)}, {11, P(186)}, {12, P(196)}, {13, P(230)}, {14, P(250)},
    {15, P(81)},  {16, S714(536)}, {17, R714(16)}, {18, S714(552)}, {19, R714(24)}, {20, R714(25)},
    {21, R714(48)}, {22, R714(26)}, {23, R714(30)}, {24, R714(34)}, {25, R714(36)}, {26, P(454)},
    {27, P(474)}, {28, P(476)}, {29, P(486)}, {31, P(1)},  {32, P(21)},  {34, P(86)},
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
constexpr PageTable kTables[] = {{201, kOrd001}, {202, kOrd002}, {203, kOrd003}, {204, kOrd004}, {205, kOrd005}, {206, kOrd006}, {207, kOrd007}, {208, kOrd008}, {209, kOrd009}, {210, kOrd010}, {211, kOrd011}, {212, kOrd012}, {213, kOrd013}, {214, kOrd014}, {215, kOrd015}, {216, kOrd016}, {217, kOrd017}, {301, kPat001}, {309, kPat009}, {310, kPat010}, {311, kPat011}, {312, kPat012}};

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
