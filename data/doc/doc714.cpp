#include "data/doc/doc714.h"

#include <algorithm>
#include <cstdio>

#include "data/util/utilities.h"

namespace doc {

namespace per = f714::personal;

namespace {

std::string Stripped(std::string_view s) {
  std::size_t b = s.find_first_not_of(' ');
  return b == std::string_view::npos ? std::string() : TrimBlanks(s.substr(b));
}

}  // namespace

C714Doc::C714Doc(store::DeclarationStore& store, DocumentHost& host, Calculator calculator, Validator validator)
    : CProg32Doc(store, host, store::kKindForm714, f714::kBlockSize, false),
      calculator_(std::move(calculator)),
      validator_(std::move(validator)) {}

void C714Doc::ClearDeclarationData() {
  std::span<std::uint8_t> block = Block();
  std::fill(block.begin(), block.end(), 0);
  CProg32Doc::ClearDeclarationData();
}

bool C714Doc::OpenDeclaration(std::string_view key, bool isNew) {
  if (!CProg32Doc::OpenDeclaration(key, isNew)) return false;
  ClearDeclarationData();
  kind_ = store::kKindForm714;
  if (!LoadFromDatabase()) return false;
  if (isNew) {
    SaveToDatabase();
    // Never saved by the user: closing asks.
    model_.MarkUnsaved();
  }
  currentPage_ = 0;
  host_.ShowPage(0, 0);
  return true;
}

void C714Doc::Calculate(int mode) {
  if (calculator_) {
    CalcRequest r;
    r.mode = mode;
    calculator_(Block(), r);
  }
  overflow_warning::Arm();
  model_.Recalculated();
}

bool C714Doc::SaveToDatabase() {
  const bool wasModified = IsModified();
  if (!newDeclaration_) Calculate(1);
  std::uint8_t* p = Personal();
  const char text0 = static_cast<char>(per::ReferenceText.raw(p)[0]);
  const char number0 = static_cast<char>(per::ReferenceNumber.raw(p)[0]);
  if (text0 == 0 || text0 == ' ' || number0 == 0 || number0 == ' ') model_.SetEditedSincePrinted(true);
  if (model_.EditedSincePrinted()) {
    const std::string nif(per::Nif.str(p));
    BuildReferenceCode(nif, 0);
    per::ReferenceText.set(p, referenceText_.substr(0, 60));
    std::string n = BuildReferenceNumber(3, yearText_, nif, 0, referenceSettings_.clock());
    per::ReferenceNumber.set(p, n.substr(0, 20), '\0');
    model_.SetEditedSincePrinted(false);
    if (per::Printed.get(p) == 1) {
      store_.Messages().Coded("WIN026", MessageIcon::Warning, ReplaceSheetsText());
      per::Printed.set(p, 0);
    }
  }
  // A row that is gone cannot take the block: that is a failed save, not a successful one.
  return WriteBlock(kind_, std::nullopt, wasModified);
}

int C714Doc::ValidateDeclaration(int type) {
  {
    // The old findings go and the declaration is saved in one commit, before the calculation
    // that may ask something.
    db::Transaction batch(store_.Connection());
    store_.DeleteCorrections(key_);
    const bool saved = SaveToDatabase();
    batch.Commit();
    if (!saved) return 2;
  }
  Calculate(1);
  if (!validator_) return 1;
  return validator_(type, 2, -1) < 0 ? 1 : 0;
}

void C714Doc::SetPrinted(bool) { per::Printed.set(Personal(), 1); }

std::string C714Doc::ComposeDeclarantName() {
  const std::uint8_t* p = Personal();
  std::string name = TrimBlanks(per::Surname1.raw(p));
  if (per::Surname1.raw(p)[0] != 0) name += ' ';
  name += Stripped(per::Surname2.raw(p));
  name = TrimBlanks(name);
  if (name.find(',') == std::string::npos) name += ", ";
  name += Stripped(per::GivenName.raw(p));
  SetDeclarantName(name);
  return std::string(declarantName_.data(), 48);
}

void C714Doc::SetDeclarantName(std::string_view name) {
  declarantName_.fill(' ');
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 48), declarantName_.begin());
  declarantName_[48] = 0;
}

std::string C714Doc::BuildBarcodeData() {
  namespace res = f714::result;
  const std::uint8_t* r = f714::record(Block().data(), f714::Result);
  const double x = CUtilities::RoundToDecimals(res::BarcodeAmount.get(r), 2);
  std::string data = x > 0 ? "0" : "3";
  data += "00";
  if (res::Option25.get(r) != 0) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%4.4s%4.4s%2.2s%10.10s", std::string(res::AccountEntity.str(r)).c_str(),
                  std::string(res::AccountBranch.str(r)).c_str(), std::string(res::AccountControl.str(r)).c_str(),
                  std::string(res::AccountNumber.str(r)).c_str());
    data += buf;
  } else {
    data += std::string(20, '0');
  }
  data += x == 0 ? std::string(22, '0') : BarcodeAmountDigits(x) + BarcodeAmountDigits(x);
  data += "03";
  data += "0A";
  KeepBarcode(barcode_, data);
  return data;
}

std::string C714Doc::GetReferenceText() const {
  std::string n(per::ReferenceNumber.raw(Personal()));
  CUtilities::SqueezeOutBlanks(n);
  n.resize(13);
  return std::string(n.c_str());
}

}  // namespace doc
