// The form-714 validator.
#include <string>
#include <string_view>

#include "blocks/form714.h"
#include "blocks/form714_liquidation.h"
#include "checks/validation_helper.h"
#include "checks/validators.h"

namespace checks {

namespace {

using VH = CValidationHelper;

// Fields read by the validation, within their records of Form714Data. Those the personal-data,
// result and liquidation records declare come from their headers; the page-only personal fields
// below have no other reader.
namespace v714 {
namespace personal {
using f714::personal::CopyResult;
using f714::personal::GivenName;
using f714::personal::Nif;
using f714::personal::Surname1;
constexpr blocks::U8 Representation = f714::liq::personal::ReducedLiquidation;  // 1, "x" or "X": a representative acts
constexpr blocks::U8 NoAddress = f714::liq::personal::SecondOption;
constexpr blocks::U8 Office = f714::liq::personal::CommunityFirst;
constexpr blocks::U8 RepresentativeKind{83};
constexpr blocks::U8 AddressMark{141};
constexpr blocks::U8 Street{144};
constexpr blocks::U8 SecondStreet{186};
constexpr blocks::U8 SecondAddressA{256};
constexpr blocks::U8 SecondAddressB{257};
constexpr blocks::Text RepresentativeNif{258, 9};
static_assert(RepresentativeNif.off + RepresentativeNif.width <= f714::Personal.size);
}  // namespace personal
namespace result {
constexpr blocks::F64 Quota = f714::result::AmountToPay;
constexpr blocks::F64 Deducted = f714::result::AlreadyPaid;
constexpr blocks::U8 PaymentMode = f714::result::Option24;
constexpr blocks::U8 DirectDebit = f714::result::Option25;
using f714::result::Account;
}  // namespace result
namespace summary {
using f714::summary::NetWealth;
using f714::summary::NothingToPay;
constexpr blocks::U8 Kind = f714::liq::IncomeTaxMode;
constexpr blocks::F64 Excluded = f714::liq::ExcludedAssets;
constexpr blocks::F64 OtherNetWealth = f714::liq::OtherNetWealth;
constexpr blocks::F64 OtherExcluded = f714::liq::OtherExcluded;
constexpr blocks::F64 OtherFullQuota = f714::liq::OtherFullQuota;
// Tax paid of pair k (0..2).
constexpr blocks::F64 PaidTax(int k) { return f714::liq::PaidTax(static_cast<std::size_t>(k), f714::liq::kPairStride); }
}  // namespace summary
}  // namespace v714

bool emptyChar(unsigned char c) { return c == 0 || c == ' '; }

// A bank account passes numbered check 9 (without touching the stored account).
bool accountValid(std::string_view ccc) {
  for (char c : ccc)
    if (VH::IsCharEmpty(c)) return false;
  return util::CheckBankAccountDigits(ccc) == 0;
}

std::string cut15(std::string_view t) {
  std::string s(util::UpToTerminator(t.substr(0, 15)));
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

int CValidator714::Validate(int purpose, int member, int section) {
  Begin();
  const DocumentState& doc = check_.Document();
  if (doc.block == nullptr || doc.blockSize < f714::kBlockSize) return highest_;
  unsigned char* P = doc.block + f714::Personal.offset;
  unsigned char* R = doc.block + f714::Result.offset;
  unsigned char* S = doc.block + f714::Summary.offset;
  using namespace v714;

  if (!doc::overflow_warning::Armed()) Report("WIN022", 9, 0, 1, member, Counted::No);
  if (!emptyChar(personal::CopyResult.get(P)) && result::Quota.get(R) - result::Deducted.get(R) <= 0)
    Report("100R079", 1, 36, 1, 2);

  char* nif = reinterpret_cast<char*>(P + personal::Nif.off);
  if (VH::IsBlank(nif, 9)) Report("WIN041", 1, 3, 1, 2);
  else if (!VH::ValidateNif(nif, 9, false)) Report("WIN004", 1, 3, 1, 2);

  std::string first = cut15(personal::Surname1.raw(P)), second = cut15(personal::GivenName.raw(P));
  if (first.size() < 2 || second.empty() || (first.size() > 2 && first[0] == first[1] && first[1] == first[2]))
    Report("WIN015", 1, 4, 1, 2);

  unsigned char rep = personal::Representation.get(P);
  if (emptyChar(personal::Office.get(P)) && rep != 1 && rep != 'x' && rep != 'X') Report("WIN006", 1, 36, 1, 2);

  char* repNif = reinterpret_cast<char*>(P + personal::RepresentativeNif.off);
  if (!VH::IsCharEmpty(repNif[0]) && !VH::ValidateNif(repNif, 9, false)) Report("WIN004", 1, 18, 1, 2);

  if (rep == 1 && emptyChar(personal::RepresentativeKind.get(P))) Report("714R001", 1, 1, 1, 2);

  bool accountRule = result::DirectDebit.get(R) != 0;
  if (result::PaymentMode.get(R) == 0 && result::DirectDebit.get(R) == 0 && summary::NothingToPay.get(S) == 0) {
    result::DirectDebit.set(R, 1);
    accountRule = true;
  }
  if (accountRule && !accountValid(result::Account.raw(R))) Report("100R080", 11, 23, 1, 2);

  // The other spouse's figures of joint mode and the tax paid abroad, against this declaration's.
  bool kindC = summary::Kind.get(S) == 'C';
  double otherNet = summary::OtherNetWealth.get(S), otherExcluded = summary::OtherExcluded.get(S);
  if (kindC && otherExcluded > otherNet && otherExcluded != 0) Report("714R002", 10, 10, 1, 2, Counted::No);
  if (kindC && summary::OtherFullQuota.get(S) > otherNet && summary::OtherFullQuota.get(S) > 0)
    Report("714R003", 10, 10, 1, 2);
  double net = summary::NetWealth.get(S);
  if (summary::Excluded.get(S) > net && otherExcluded != 0) Report("714R004", 10, 10, 1, 2);
  double credits = summary::PaidTax(2).get(S) + summary::PaidTax(1).get(S) + summary::PaidTax(0).get(S);
  if (credits > net && credits > 0) Report("714R005", 10, 18, 1, 2);

  bool noStreet = emptyChar(personal::Street.get(P));
  if (noStreet) Report("WIN016", 1, 7, 1, 2);
  if (emptyChar(personal::SecondStreet.get(P)) &&
      (personal::SecondAddressA.get(P) != 0 || personal::SecondAddressB.get(P) != 0))
    Report("WIN018", 1, 7, 1, 2);
  if (rep == 0 && personal::NoAddress.get(P) == 0 && emptyChar(personal::AddressMark.get(P)) && !noStreet)
    Report("WIN019", 1, 7, 1, 2);
  return highest_;
}

}  // namespace checks
