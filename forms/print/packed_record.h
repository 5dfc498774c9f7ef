// The packed barcode record that the dot code of the first printed sheet carries: a fixed text
// header, then the filing record cut into slices of 4096 characters, each slice packed and
// preceded by its packed length.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "blocks/field.h"

namespace forms::packed {

// Header fields (texts, digits written "%0Nd").
inline constexpr blocks::Text kTag{0, 10};          // "10020031E1" form 100, "71420031E1" form 714
inline constexpr blocks::Text kTotalLength{10, 6};  // bytes of the whole record, header included
inline constexpr blocks::Text kNif{16, 9};          // NIF of the member printed, "%9.9s"
inline constexpr blocks::Text kBlockCount{25, 2};   // number of blocks
inline constexpr std::size_t kHeaderSize = 27;
static_assert(kTag.off + kTag.width == kTotalLength.off && kTotalLength.off + kTotalLength.width == kNif.off &&
              kNif.off + kNif.width == kBlockCount.off && kBlockCount.off + kBlockCount.width == kHeaderSize);

// Each block: its packed length n ("%06d"), then the n packed bytes.
inline constexpr blocks::Text kBlockLength{0, 6};
inline constexpr std::size_t kBlockHeaderSize = 6;
static_assert(kBlockLength.off + kBlockLength.width == kBlockHeaderSize);

inline constexpr std::size_t kSliceSize = 4096;
// The digit fields bound what a record can hold.
inline constexpr int kMaxBlocks = 99;
inline constexpr std::size_t kMaxTotalLength = 999999;
inline constexpr int kPackAttempts = 5;

const char* TagOf(int form);  // none for another form number

// "%9.9s" of the NIF field's text (up to its first zero byte): cut to 9, blanks in front.
std::string FormatNif(std::string_view nifField);

enum class BuildError { None, EmptyText, UnknownForm, TooLong, PackingFailed };

struct BuildResult {
  BuildError error = BuildError::None;
  std::string record;  // the bytes (binary), empty on error
  int blocks = 0;
};

// Builds the record of `filingText` for form 100 or 714. A text whose blocks or total length do
// not fit the header's digit fields is refused (TooLong) rather than written with a cut count.
BuildResult BuildPackedBarcodeRecord(std::string_view filingText, int form, std::string_view nifField);

struct Unpacked {
  int form = 0;
  std::string nif;   // the 9 characters of the header
  std::string text;  // the filing record
};

// Reads a record back; none unless every field is well formed and every block unpacks whole.
std::optional<Unpacked> UnpackBarcodeRecord(std::string_view record);

}  // namespace forms::packed
