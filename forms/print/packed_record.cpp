#include "forms/print/packed_record.h"

#include <charconv>
#include <cstring>
#include <span>
#include <vector>

#include "platform/packing.h"

namespace forms::packed {
namespace {

constexpr const char* kTag100 = "10020031E1";
constexpr const char* kTag714 = "71420031E1";

std::string Digits(std::size_t value, std::size_t width) {
  char buf[24];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  std::string s(buf, end);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

// A digit field read back; none unless every character is a digit.
std::optional<std::size_t> ReadDigits(std::string_view field) {
  if (field.empty()) return std::nullopt;
  std::size_t v = 0;
  auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
  if (ec != std::errc() || ptr != field.data() + field.size()) return std::nullopt;
  return v;
}

std::span<const unsigned char> Bytes(std::string_view s) {
  return {reinterpret_cast<const unsigned char*>(s.data()), s.size()};
}

// One slice packed, with the retries of a buffer that was too small.
std::optional<std::string> PackSlice(std::string_view slice) {
  std::size_t size = slice.size();
  for (int attempt = 0; attempt < kPackAttempts; ++attempt) {
    std::vector<unsigned char> out(size, ' ');
    const int n = platform::Pack(Bytes(slice), out);
    if (n <= 0) return std::nullopt;
    if (static_cast<std::size_t>(n) <= size) return std::string(reinterpret_cast<const char*>(out.data()), n);
    size = static_cast<std::size_t>(n);
  }
  return std::nullopt;
}

}  // namespace

const char* TagOf(int form) {
  if (form == 100) return kTag100;
  if (form == 714) return kTag714;
  return nullptr;
}

std::string FormatNif(std::string_view nifField) {
  std::string_view v = nifField.substr(0, std::min(nifField.find('\0'), nifField.size()));
  v = v.substr(0, kNif.width);
  return std::string(kNif.width - v.size(), ' ') + std::string(v);
}

BuildResult BuildPackedBarcodeRecord(std::string_view filingText, int form, std::string_view nifField) {
  BuildResult result;
  if (filingText.empty()) {
    result.error = BuildError::EmptyText;
    return result;
  }
  const char* tag = TagOf(form);
  if (!tag) {
    result.error = BuildError::UnknownForm;
    return result;
  }
  const std::size_t blocks = (filingText.size() + kSliceSize - 1) / kSliceSize;
  if (blocks > static_cast<std::size_t>(kMaxBlocks)) {
    result.error = BuildError::TooLong;
    return result;
  }
  std::string record(kHeaderSize, ' ');
  kTag.set(record.data(), tag);
  kTotalLength.set(record.data(), "000000");
  kNif.set(record.data(), FormatNif(nifField));
  kBlockCount.set(record.data(), "00");
  for (std::size_t at = 0; at < filingText.size(); at += kSliceSize) {
    std::optional<std::string> packed = PackSlice(filingText.substr(at, kSliceSize));
    if (!packed) {
      result.error = BuildError::PackingFailed;
      return result;
    }
    record += Digits(packed->size(), kBlockLength.width);
    record += *packed;
  }
  if (record.size() > kMaxTotalLength) {
    result.error = BuildError::TooLong;
    return result;
  }
  kTotalLength.set(record.data(), Digits(record.size(), kTotalLength.width));
  kBlockCount.set(record.data(), Digits(blocks, kBlockCount.width));
  result.record = std::move(record);
  result.blocks = static_cast<int>(blocks);
  return result;
}

std::optional<Unpacked> UnpackBarcodeRecord(std::string_view record) {
  if (record.size() < kHeaderSize) return std::nullopt;
  const void* head = record.data();
  Unpacked out;
  if (kTag.raw(head) == kTag100) out.form = 100;
  else if (kTag.raw(head) == kTag714) out.form = 714;
  else return std::nullopt;
  const auto total = ReadDigits(kTotalLength.raw(head));
  const auto blocks = ReadDigits(kBlockCount.raw(head));
  if (!total || *total != record.size() || !blocks || *blocks == 0) return std::nullopt;
  out.nif = std::string(kNif.raw(head));
  std::size_t at = kHeaderSize;
  for (std::size_t b = 0; b < *blocks; ++b) {
    if (record.size() - at < kBlockHeaderSize) return std::nullopt;
    const auto n = ReadDigits(kBlockLength.raw(record.data() + at));
    at += kBlockHeaderSize;
    if (!n || *n == 0 || *n > record.size() - at) return std::nullopt;
    auto slice = platform::Unpack(Bytes(record.substr(at, *n)), kSliceSize);
    at += *n;
    // Every slice but the last is whole; none is empty.
    if (!slice || slice->empty() || (b + 1 < *blocks && slice->size() != kSliceSize)) return std::nullopt;
    out.text += *slice;
  }
  if (at != record.size()) return std::nullopt;
  return out;
}

}  // namespace forms::packed
