#include "forms/pages/pat010.h"

#include "blocks/field.h"
#include "blocks/form714.h"
#include "blocks/form714_liquidation.h"
#include "data/message_service.h"
#include "forms/pages/page714.h"
#include "platform/strings.h"
#include "tallyvex.h"

namespace forms {

namespace {
constexpr std::size_t kS = f714::Summary.offset, kP = f714::Personal.offset;
constexpr blocks::U8 NoExemptMinimum{kP + 81};
constexpr blocks::F64 NetBase{kS + 168}, CeutaMelilla{kS + 512};
constexpr int kLockedWithoutMinimum[] = {11, 21};
constexpr int kCeutaMelillaText = 184;
constexpr std::size_t kPaidPairsBytes = f714::liq::kPairStride * f714::liq::kPairs;
static_assert(f714::liq::PaidTotal.off + 8 == f714::liq::PaidTax.off &&
              f714::liq::PaidTax.off + kPaidPairsBytes == f714::liq::BroughtValues.off);
}  // namespace

CBoxesPAT010::CBoxesPAT010(std::span<std::uint8_t> block) : CBindingTableList(PAT010::kCode, block) {}

void CBoxesPAT010::BindPageData(int rebind) {
  CBindingTableList::BindPageData(rebind);
  const std::span<std::uint8_t> block = Block();
  taxPaid_ = {};
  quotaLimit_ = {};
  if (block.size() < f714::kBlockSize) return;
  std::uint8_t* b = block.data();
  std::uint8_t* s = b + kS;
  taxPaid_.block = s + f714::liq::PaidTax.off;
  taxPaid_.item1 = s + f714::liq::NetWealth.off;
  taxPaid_.size = static_cast<std::int32_t>(kPaidPairsBytes);
  if (CBoxField* box = Position(kTaxPaidAbroad)) box->option = &taxPaid_;
  quotaLimit_.block = s + f714::liq::IncomeTaxMode.off;
  quotaLimit_.item1 = s + f714::liq::NetWealth.off;
  quotaLimit_.size = static_cast<std::int32_t>(f714::liq::SecondBaseCopy.off - f714::liq::IncomeTaxMode.off);
  if (CBoxField* box = Position(kQuotaLimit)) box->option = &quotaLimit_;
  for (int p : kLockedWithoutMinimum)
    if (CBoxField* box = Position(p)) box->SoloLectur = NoExemptMinimum.get(b) != 0 ? 1 : 0;
}

void CBoxesPAT010::ReleasePageData() {
  for (int p : {kTaxPaidAbroad, kQuotaLimit})
    if (CBoxField* box = Position(p)) box->option = nullptr;
  taxPaid_ = {};
  quotaLimit_ = {};
  CBindingTableList::ReleasePageData();
}

PAT010::PAT010(IPageHost& host, QWidget* parent)
    : CGenericPage714(host, kCode, std::make_unique<CBoxesPAT010>(DocumentBlock714(host)), parent) {
  BindDocumentBoxes714(static_cast<CBindingTableList&>(*BoxList()), host, kCode);
}

void PAT010::RepaintBoxes() {
  doc::CProg32Doc* d = GetDocument();
  if (d && d->Block().size() >= f714::kBlockSize) {
    const bool locked = NoExemptMinimum.get(d->Block().data()) != 0;
    CBoxField* first = GetBox(kLockedWithoutMinimum[0] - 1);
    const bool wasEditable = first && first->SoloLectur == 0;
    for (int p : kLockedWithoutMinimum)
      if (CBoxField* b = GetBox(p - 1)) b->SoloLectur = locked ? 1 : 0;
    if (locked && wasEditable && Editor() && EditedBox() == kLockedWithoutMinimum[0] - 1) MoveToAdjacentBox(1);
  }
  CGenericPage714::RepaintBoxes();
}

void PAT010::RecalculateAndRefresh() {
  if (doc::CProg32Doc* d = GetDocument()) d->CommitPendingBoxEdit();
}

void PAT010::Liquidate(int pass) {
  doc::CProg32Doc* d = GetDocument();
  if (!d || d->Block().size() < f714::kBlockSize) return;
  std::uint8_t* b = d->Block().data();
  if (pass < 0) {
    Calculos714LI(b + kS, b + kP, -1);
    Calculos714LI(b + kS, b + kP, 0);
  } else {
    Calculos714LI(b + kS, b + kP, pass);
  }
  d->Calculate(0);
  RepaintBoxes();
}

int PAT010::OnBoxEdited(int position) {
  doc::CProg32Doc* d = GetDocument();
  if (!d || d->Block().size() < f714::kBlockSize) return 1;
  std::uint8_t* b = d->Block().data();
  if (position == 24) {
    const double amount = CeutaMelilla.get(b);
    if (amount > NetBase.get(b) && amount != 0) {
      if (IMessageService* m = Host().Messages())
        m->ShowMessage("100P058", MessageIcon::Stop, platform::LoadString(kCeutaMelillaText).toStdString());
      CeutaMelilla.set(b, 0.0);
      if (CEditEx* e = Editor()) e->LoadFromData(1);
      d->Calculate(0);
      RepaintBoxes();
      return 0;
    }
  }
  if (position == 14 || position == 21 || position == 24) Liquidate(-1);
  return 1;
}

int PAT010::OnBoxSubDialogValue(int position) {
  if (position == 14) Liquidate(1);
  else if (position == 21) Liquidate(2);
  else if (position == CBoxesPAT010::kQuotaLimit) Liquidate(-1);
  else if (doc::CProg32Doc* d = GetDocument()) {
    d->Calculate(0);
    RepaintBoxes();
  }
  if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
  return 1;
}

void RegisterPat010() {
  RegisterPageClass("PAT010", [](IPageHost& host, QWidget* parent) -> CFormView* { return new PAT010(host, parent); });
}

}  // namespace forms
