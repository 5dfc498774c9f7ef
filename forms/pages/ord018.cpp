#include "forms/pages/ord018.h"

#include "blocks/form100.h"
#include "ui/box_field.h"

namespace forms {

namespace {

constexpr std::size_t F(std::size_t o) { return f100::Family.offset + o; }
constexpr std::size_t Q(std::size_t o) { return f100::SectionQ.offset + o; }
constexpr std::size_t N(std::size_t o) { return f100::SectionN.offset + o; }

constexpr int kReferenceCode = 1;
constexpr int kCopyLabel = 48;
constexpr int kDeclarantCode = 51;
constexpr int kPaymentBarcode = 52;

// Place and date (44-47) keep one byte of stride, as the payment document binds them on paper.
constexpr FieldBinding kFields[] = {
    {2, F(485), 9},      {3, F(605), 15},     {4, F(680), 15},     {5, F(530), 15},     {6, F(790), 20},
    {7, F(890), 5},      {8, F(915), 2},      {9, F(925), 2},      {10, F(935), 2},     {11, F(1230), 9},
    {12, F(945), 25},    {13, F(1070), 14},   {14, F(1140), 5},    {15, F(1275), 9},    {16, F(1395), 15},
    {17, F(1470), 15},   {18, F(1320), 15},   {19, N(624), 8},     {20, f100::Summary.offset + 9880, 1},
    {21, f100::Result.offset + 80, 8},        {22, Q(7872), 1},    {23, Q(7992), 8},    {24, Q(7882), 1},
    {25, Q(7887), 1},    {26, Q(7892), 4},    {27, Q(7912), 4},    {28, Q(7932), 2},    {29, Q(7942), 10},
    {30, Q(8032), 1},    {31, Q(8037), 1},    {32, Q(8144), 8},    {33, Q(8042), 4},    {34, Q(8062), 4},
    {35, Q(8082), 2},    {36, Q(8092), 10},   {37, Q(8184), 1},    {38, Q(8189), 1},    {39, Q(8296), 8},
    {40, Q(8194), 4},    {41, Q(8214), 4},    {42, Q(8234), 2},    {43, Q(8244), 10},   {44, F(5284), 1},
    {45, F(5304), 1},    {46, F(5306), 1},    {47, F(5316), 1},    {49, F(105), 60},    {50, F(485), 0},
};

}  // namespace

std::span<const FieldBinding> CBoxesORD018::Fields() { return kFields; }

void CBoxesORD018::BindPageData(int rebind) {
  if (rebind) ReleasePageData();
  UnbindAll();
  const int k = Occurrence();
  BindTable(kFields, k);
  doc::CRentaDoc::PrintSheet& sheet = Sheet();
  // The reference code is not printed on the copy of an internet filing.
  if (!sheet.internetCopy) {
    const FieldBinding reference[] = {{kReferenceCode, F(5), 20}};
    BindTable(reference, k);
  }
  Bind(kCopyLabel, sheet.copyLabel.data());
  Bind(kDeclarantCode, sheet.identificationCodes[0].data());
  Bind(kPaymentBarcode, nullptr);
  if (doc::CRentaDoc* d = Document()) Bind(kPaymentBarcode, d->BarcodeArea().data());
}

ORD018::ORD018(IPageHost& host, QWidget* parent)
    : CPage100(host, CBoxesORD018::kCode,
               std::make_unique<CBoxesORD018>(host.PageDocument() ? host.PageDocument()->Block()
                                                                  : std::span<std::uint8_t>(),
                                              RentaDocument(host)),
               parent) {}

}  // namespace forms
