#include "data/store/previous_year.h"

#include <algorithm>
#include <cstring>

namespace store::previous {

namespace {

void Zero(std::span<std::uint8_t> b, std::size_t off, std::size_t n) {
  if (off + n <= b.size()) std::memset(b.data() + off, 0, n);
}

void ClearRows(std::span<std::uint8_t> b, std::size_t start, int rows, std::size_t rowSize, std::size_t tail) {
  for (int r = 0; r < rows; ++r) {
    std::size_t row = start + static_cast<std::size_t>(r) * rowSize;
    if (rowSize == 72) Zero(b, row + 64, 8);
    else Zero(b, row + 48, 16);
  }
  Zero(b, start + static_cast<std::size_t>(rows) * rowSize, tail);
}

void Copy(std::span<const std::uint8_t> from, std::size_t fromOff, std::span<std::uint8_t> to, std::size_t toOff,
          std::size_t n) {
  if (fromOff + n <= from.size() && toOff + n <= to.size()) std::memcpy(to.data() + toOff, from.data() + fromOff, n);
}

}  // namespace

void ClearPreviousAmounts(std::span<std::uint8_t> last) {
  for (int k = 0; k < kRowsA; ++k) Zero(last, kRowsAOffset + kRowASize * static_cast<std::size_t>(k) + 64, 8);
  for (const CarriedRange& r : kCarried) {
    ClearRows(last, r.lastOffset, r.rows, r.rowSize, r.tail);
    if (r.rows2) ClearRows(last, r.lastOffset + r.rows * r.rowSize + r.tail, r.rows2, r.rowSize, r.tail2);
  }
}

void ConvertPreviousBlock(std::span<const std::uint8_t> last, std::span<std::uint8_t> now) {
  std::fill(now.begin(), now.end(), 0);
  Copy(last, kLastNifOffset, now, kNifOffset, kNifBytes);
  Copy(last, kLastSecondNifOffset, now, kSecondNifOffset, kNifBytes);
  for (int k = 0; k < kRowsA; ++k) {
    std::size_t row = kRowsAOffset + kRowASize * static_cast<std::size_t>(k);
    Copy(last, row, now, row, kRowACarried);
  }
  for (const CarriedRange& r : kCarried) Copy(last, r.lastOffset, now, r.thisOffset, r.Bytes());
}

bool PreviousYearImport::Open(const std::string& path) {
  // Last year's store is another edition's file: read it, never change it.
  bool ok = last_.Open(path, db::OpenMode::ReadOnly);
  if (ok) {
    db::CAdoRecordset rs;
    rs.Open("DATOSDEC", &last_, db::Filter::Eq("TIPODEC", std::int64_t{-1}), {}, "CLAVE, TIPODEC, DATOS");
    ok = rs.IsOpen();
  }
  if (!ok) {
    last_.Close();
    current_.Messages().Plain(kCannotOpen, MessageIcon::Stop);
  }
  return ok;
}

std::vector<std::string> PreviousYearImport::Declarations() {
  std::vector<std::string> names;
  db::CAdoRecordset rs;
  if (last_.IsOpen() && rs.Open("DATOSDEC", &last_, db::Filter::Eq("TIPODEC", std::int64_t{kKindForm714}), {}, "CLAVE"))
    for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) {
      std::string k;
      rs.GetText("CLAVE", k);
      names.push_back(TrimKey(k));
    }
  std::sort(names.begin(), names.end());
  return names;
}

bool PreviousYearImport::CheckDeclarationLimit(std::size_t selected, int limit) {
  if (static_cast<std::size_t>(current_.Count()) + selected > static_cast<std::size_t>(limit)) {
    current_.Messages().Plain(StoreFullText(limit));
    return false;
  }
  return true;
}

int PreviousYearImport::ImportSelected(std::span<const std::string> names, const ResolveTaken& resolve, int limit) {
  if (!last_.IsOpen() || names.empty()) return 0;
  db::Transaction t(current_.Connection());
  int result = 0;
  std::vector<std::uint8_t> lastBlock(kForm714Bytes), now(kForm714Bytes);
  for (const std::string& name : names) {
    // Last year's names follow this year's rule as typed names do.
    CheckedName ruled = CheckName(name);
    if (!ruled.ok()) {
      current_.Messages().Coded(msg::kImportBadNames, MessageIcon::Warning, name);
      continue;
    }
    std::string newName = ruled.key;
    if (current_.Exists(newName)) {
      auto chosen = resolve ? resolve(newName) : std::nullopt;
      if (!chosen) continue;
      ruled = CheckName(*chosen);
      if (!ruled.ok() || current_.Exists(ruled.key)) continue;
      newName = ruled.key;
    }
    db::CAdoRecordset rs;
    if (!rs.Open("DATOSDEC", &last_,
                 db::Filter::Eq("TIPODEC", std::int64_t{kKindForm714}) && db::Filter::Eq("CLAVE", PadKey(name))))
      continue;
    for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) {
      std::vector<std::uint8_t> stored;
      std::fill(lastBlock.begin(), lastBlock.end(), 0);
      if (rs.GetBlob("DATOS", stored))
        std::copy_n(stored.begin(), std::min(stored.size(), lastBlock.size()), lastBlock.begin());
      ClearPreviousAmounts(lastBlock);
      ConvertPreviousBlock(lastBlock, now);
      // A second row of the same name in last year's store would collide here: the first wins.
      if (current_.Exists(newName)) {
        result = 0;
        continue;
      }
      result = current_.Create(newName, kKindForm714, limit) &&
                       current_.WriteRow(newName, kKindForm714, '0', now)
                   ? 1
                   : 0;
      if (!result) return 0;  // rolled back: nothing half-imported
    }
  }
  return t.Commit() ? result : 0;
}

bool PreviousYearImport::Confirm(std::span<const std::string> names, const ResolveTaken& resolve, int limit) {
  if (!CheckDeclarationLimit(names.size(), limit)) return false;
  if (ImportSelected(names, resolve, limit) == 1)
    current_.Messages().Plain(text::kImported, MessageIcon::Information);
  return true;
}

}  // namespace store::previous
