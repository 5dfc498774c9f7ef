// Typed field descriptors over persisted byte blocks.
//
// Every stored record (declaration blocks, annex blocks, file records) is held as raw bytes of its
// exact size. Fields are read and written only through these descriptors, which copy with memcpy:
// no address inside a block is ever cast to a typed pointer. Layout: little-endian, 32-bit ints,
// IEEE doubles, fixed-width single-byte (cp1252) texts without terminator.
//
// Header-only and dependent on the standard library alone: the calculation library uses it too.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

static_assert(std::endian::native == std::endian::little, "stored blocks are little-endian");
static_assert(sizeof(double) == 8 && sizeof(std::int32_t) == 4);

namespace blocks {

using Byte = unsigned char;

inline const Byte* at(const void* rec, std::size_t off) { return static_cast<const Byte*>(rec) + off; }
inline Byte* at(void* rec, std::size_t off) { return static_cast<Byte*>(rec) + off; }

// A double (amount) at a fixed offset.
struct F64 {
  std::size_t off;
  static constexpr std::size_t width = 8;
  double get(const void* rec) const {
    double v;
    std::memcpy(&v, at(rec, off), 8);
    return v;
  }
  void set(void* rec, double v) const { std::memcpy(at(rec, off), &v, 8); }
  void add(void* rec, double v) const { set(rec, get(rec) + v); }
  // The index-th element of an array of such fields laid `stride` bytes apart.
  constexpr F64 operator()(std::size_t index, std::size_t stride = 8) const { return {off + index * stride}; }
};

// A 32-bit two's complement integer.
struct I32 {
  std::size_t off;
  static constexpr std::size_t width = 4;
  std::int32_t get(const void* rec) const {
    std::int32_t v;
    std::memcpy(&v, at(rec, off), 4);
    return v;
  }
  void set(void* rec, std::int32_t v) const { std::memcpy(at(rec, off), &v, 4); }
  constexpr I32 operator()(std::size_t index, std::size_t stride = 4) const { return {off + index * stride}; }
};

// A little-endian integer of a file format: words, coordinates, keys and sizes.
template <typename T>
struct FileInt {
  std::size_t off;
  static constexpr std::size_t width = sizeof(T);
  T get(const void* rec) const {
    T v;
    std::memcpy(&v, at(rec, off), sizeof(T));
    return v;
  }
  void set(void* rec, T v) const { std::memcpy(at(rec, off), &v, sizeof(T)); }
};
using U16 = FileInt<std::uint16_t>;
using I16 = FileInt<std::int16_t>;
using U32 = FileInt<std::uint32_t>;

// One byte: flags, holder codes, one-character codes.
struct U8 {
  std::size_t off;
  static constexpr std::size_t width = 1;
  Byte get(const void* rec) const { return *at(rec, off); }
  void set(void* rec, Byte v) const { *at(rec, off) = v; }
  // A flag is set unless it holds 0 or a blank.
  bool isSet(const void* rec) const { return get(rec) != 0 && get(rec) != ' '; }
  constexpr U8 operator()(std::size_t index, std::size_t stride = 1) const { return {off + index * stride}; }
};

// A fixed-width single-byte text (no terminator).
struct Text {
  std::size_t off;
  std::size_t width;
  // The raw bytes, zero bytes included.
  std::string_view raw(const void* rec) const {
    return {reinterpret_cast<const char*>(at(rec, off)), width};
  }
  // The text up to the first zero byte.
  std::string_view str(const void* rec) const {
    std::string_view r = raw(rec);
    return r.substr(0, std::min(r.find('\0'), r.size()));
  }
  // The text without trailing blanks and zero bytes.
  std::string_view trimmed(const void* rec) const {
    std::string_view r = str(rec);
    std::size_t n = r.find_last_not_of(' ');
    return n == std::string_view::npos ? std::string_view{} : r.substr(0, n + 1);
  }
  // Empty when the first byte is a zero byte or a blank (the stored convention for absent dates).
  bool isAbsent(const void* rec) const { return width == 0 || *at(rec, off) == 0 || *at(rec, off) == ' '; }
  // Writes v cut to the width, padding the rest with `pad` (blank by default).
  void set(void* rec, std::string_view v, char pad = ' ') const {
    std::size_t n = std::min(v.size(), width);
    if (n != 0) std::memcpy(at(rec, off), v.data(), n);  // an empty view may have no data at all
    std::memset(at(rec, off + n), static_cast<unsigned char>(pad), width - n);
  }
  void clear(void* rec, char pad = ' ') const { std::memset(at(rec, off), static_cast<unsigned char>(pad), width); }
  constexpr Text operator()(std::size_t index, std::size_t stride) const { return {off + index * stride, width}; }
  constexpr Text operator()(std::size_t index) const { return {off + index * width, width}; }
};

// A HolderVector: five doubles, family unit, declarant, spouse, child 1, child 2.
struct Vec5 {
  std::size_t off;
  static constexpr std::size_t width = 40;
  using Values = std::array<double, 5>;
  double get(const void* rec, int column) const { return F64{off + 8u * static_cast<std::size_t>(column)}.get(rec); }
  void set(void* rec, int column, double v) const { F64{off + 8u * static_cast<std::size_t>(column)}.set(rec, v); }
  Values load(const void* rec) const {
    Values v;
    std::memcpy(v.data(), at(rec, off), 40);
    return v;
  }
  void store(void* rec, const Values& v) const { std::memcpy(at(rec, off), v.data(), 40); }
  void clear(void* rec) const { store(rec, Values{}); }
  constexpr F64 column(int c) const { return {off + 8u * static_cast<std::size_t>(c)}; }
  constexpr Vec5 operator()(std::size_t index, std::size_t stride = 40) const { return {off + index * stride}; }
};

// A raw sub-block (an annex area, a row) copied in and out whole.
struct Area {
  std::size_t off;
  std::size_t size;
  void copyOut(const void* rec, void* dst) const { std::memcpy(dst, at(rec, off), size); }
  void copyIn(void* rec, const void* src) const { std::memcpy(at(rec, off), src, size); }
  void clear(void* rec) const { std::memset(at(rec, off), 0, size); }
  constexpr Area operator()(std::size_t index) const { return {off + index * size, size}; }
};

// One record of a block: where it lies and how large it is.
struct RecordDef {
  const char* name;
  std::size_t offset;
  std::size_t size;
};

// True when the records follow each other from 0 without gaps and end at `total`.
template <std::size_t N>
constexpr bool recordsTile(const std::array<RecordDef, N>& recs, std::size_t total) {
  std::size_t next = 0;
  for (const auto& r : recs) {
    if (r.offset != next) return false;
    next = r.offset + r.size;
  }
  return next == total;
}

// Per-member slot of a field with one occurrence per member (member 1..5).
constexpr std::size_t memberOffset(std::size_t fieldOffset, std::size_t width, int member) {
  return fieldOffset + static_cast<std::size_t>(member - 1) * width;
}

}  // namespace blocks
