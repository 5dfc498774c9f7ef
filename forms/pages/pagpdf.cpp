#include "forms/pages/pagpdf.h"

#include <algorithm>
#include <cstring>

#include "blocks/form100.h"
#include "platform/texts.h"
#include "ui/box_field.h"

namespace forms {

namespace {

constexpr std::size_t F(std::size_t o) { return f100::Family.offset + o; }
constexpr std::size_t Q(std::size_t o) { return f100::SectionQ.offset + o; }
constexpr std::size_t N(std::size_t o) { return f100::SectionN.offset + o; }
constexpr std::size_t S(std::size_t o) { return f100::Summary.offset + o; }

// Every field at the first member's slot: the boxes pick the shown member's value themselves.
constexpr FieldBinding kFields[] = {
    {1, F(485), 0},  {34, F(485), 0},  {2, F(605), 0},  {3, F(680), 0},  {4, F(530), 0},  {8, F(1275), 0},
    {36, F(1275), 0}, {9, F(1395), 0}, {10, F(1470), 0}, {11, F(1320), 0}, {16, Q(8042), 0}, {17, Q(8062), 0},
    {18, Q(8082), 0}, {19, Q(8092), 0}, {22, Q(7877), 0}, {23, Q(8037), 0}, {24, Q(8184), 0}, {25, S(9880), 0},
    {26, F(5284), 0}, {27, F(5304), 0}, {28, F(5306), 0}, {29, F(5316), 0}, {32, F(105), 0},
};
constexpr int kChurch = 5, kSocial = 6, kOption = 7, kAccount = 12, kReference = 20, kResult = 21, kCopyLabel = 31,
              kDeclarantCode = 35, kSpouseCode = 37;
constexpr int kAccountBoxes = 4;

bool Empty(std::uint8_t c) { return c == 0 || c == ' '; }

}  // namespace

int CBoxesPAGPDF::AccountShown(const std::uint8_t* b, int m) {
  const std::size_t h = static_cast<std::size_t>(m - 1);
  const bool sectionN = b[S(9880 + h)] != 0 && !Empty(b[N(280 + 4 * h)]) && !Empty(b[N(300 + 4 * h)]) &&
                        !Empty(b[N(320 + 2 * h)]) && !Empty(b[N(330 + 10 * h)]);
  if (sectionN) return 1;
  return blocks::F64{Q(7984 + 8 * static_cast<std::size_t>(m))}.get(b) > 0 ? 2 : 3;
}

void CBoxesPAGPDF::BindPageData(int rebind) {
  if (rebind) ReleasePageData();
  UnbindAll();
  option_.fill(0);
  reference_.fill(0);
  const std::span<std::uint8_t> block = Block();
  const int m = Member();
  if (block.size() < f100::kBlockSize || m < 1 || m > 5) return;
  std::uint8_t* b = block.data();
  const std::size_t h = static_cast<std::size_t>(m - 1);
  BindTable(kFields, 0);
  doc::CRentaDoc::PrintSheet& sheet = Sheet();

  // The assignment marks and the option text print on the taxpayer's first copy only.
  if (sheet.copyKind == 1) {
    Bind(kChurch, b + F(4724));
    Bind(kSocial, b + F(4729));
    if (b[F(4734 + h)] != 0) {
      const std::string text =
          platform::Text(sheet.language == 'g' ? kNoAssignmentStringGalician : kNoAssignmentString);
      std::memcpy(option_.data(), text.data(), std::min(text.size(), option_.size() - 1));
    }
    Bind(kOption, option_.data());
  }

  static constexpr std::size_t kAccounts[3][kAccountBoxes] = {
      {N(280), N(300), N(320), N(330)}, {Q(7892), Q(7912), Q(7932), Q(7942)}, {Q(8194), Q(8214), Q(8234), Q(8244)}};
  const int account = AccountShown(b, m);
  for (int i = 0; i < kAccountBoxes; ++i) Bind(kAccount + i, b + kAccounts[account - 1][i]);

  if (!sheet.internetCopy) {
    if (doc::CRentaDoc* d = Document()) {
      const std::string text = d->GetReferenceText(static_cast<int>(h));
      std::memcpy(reference_.data(), text.data(), std::min<std::size_t>(text.size(), 13));
    }
    Bind(kReference, reference_.data());
  }
  const bool fromResult = f100::family::ResultSelection1(m).get(b + f100::Family.offset) != 0;
  Bind(kResult, b + (fromResult ? f100::Result.offset + 80 : N(624)));
  Bind(kCopyLabel, sheet.copyLabel.data());
  Bind(kDeclarantCode, sheet.identificationCodes[0].data());
  Bind(kSpouseCode, sheet.identificationCodes[1].data());
}

void CBoxesPAGPDF::ApplyHolderMode() {
  BindPageData(1);
  if (doc::CRentaDoc* d = Document()) d->FillHeaderIdentification();
}

PAGPDF::PAGPDF(IPageHost& host, QWidget* parent)
    : CPage100(host, CBoxesPAGPDF::kCode,
               std::make_unique<CBoxesPAGPDF>(host.PageDocument() ? host.PageDocument()->Block()
                                                                  : std::span<std::uint8_t>(),
                                              RentaDocument(host)),
               parent) {}

}  // namespace forms
