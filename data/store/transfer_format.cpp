#include "data/store/transfer_format.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include <fcntl.h>
#include <unistd.h>

#include "platform/cp1252.h"
#include "platform/texts.h"

namespace store {

namespace {

void PutDouble(std::vector<std::uint8_t>& out, double v) {
  std::array<std::uint8_t, 8> b;
  std::memcpy(b.data(), &v, 8);
  out.insert(out.end(), b.begin(), b.end());
}

void PutBytes(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

std::string KeyBytes(std::string_view utf8Key) {
  std::string k = platform::Utf8ToCp1252(utf8Key);
  if (k.size() > entry::Key.width) k.resize(entry::Key.width);
  return k;
}

// Sequential reader that never reads past the end.
class Cursor {
 public:
  explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::size_t Left() const { return bytes_.size() - pos_; }
  bool Take(std::size_t n, std::span<const std::uint8_t>& out) {
    if (n > Left()) return false;
    out = bytes_.subspan(pos_, n);
    pos_ += n;
    return true;
  }
  bool Double(double& v) {
    std::span<const std::uint8_t> b;
    if (!Take(8, b)) return false;
    std::memcpy(&v, b.data(), 8);
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

// A slot number must be a whole finite value within [0, limit].
bool WholeNumber(double v, double limit) { return std::isfinite(v) && v >= 0 && v <= limit && std::floor(v) == v; }

TransferError ReadSlot(Cursor& c, FiscalSlot& s) {
  double subject = 0, size = 0;
  std::span<const std::uint8_t> bytes;
  if (!c.Double(subject)) return TransferError::Truncated;
  // Subjects are small member numbers; anything outside an int is damage.
  if (!std::isfinite(subject) || std::floor(subject) != subject || std::fabs(subject) > 2147483647.0)
    return TransferError::BadSlot;
  s.subject = static_cast<std::int32_t>(subject);
  for (auto* part : {&s.yes, &s.no}) {
    if (!c.Double(size)) return TransferError::Truncated;
    if (!WholeNumber(size, static_cast<double>(kMaxFiscalListingBytes))) return TransferError::BadSlot;
    auto n = static_cast<std::size_t>(size);
    if (n > c.Left()) return TransferError::Truncated;
    c.Take(n, bytes);
    part->assign(bytes.begin(), bytes.end());
  }
  return TransferError::None;
}

}  // namespace

std::size_t BlockBytesForKind(int kind) {
  if (CarriesForm100(kind)) return kForm100Bytes;
  if (CarriesForm714(kind)) return kForm714Bytes;
  return 0;
}

std::optional<std::array<char, kCountBytes>> EncodeCount(std::size_t count) {
  std::string digits = std::to_string(count);
  if (digits.size() + 1 > kCountBytes) return std::nullopt;
  std::array<char, kCountBytes> field;
  field.fill(' ');
  std::memcpy(field.data(), digits.data(), digits.size());
  field[digits.size()] = '\0';
  return field;
}

std::optional<std::vector<std::uint8_t>> EncodeTransferFile(std::span<const TransferDeclaration> entries,
                                                            bool writeCountWhenEmpty) {
  std::vector<std::uint8_t> out(kTransferVersion.begin(), kTransferVersion.end());
  if (!entries.empty() || writeCountWhenEmpty) {
    auto count = EncodeCount(entries.size());
    if (!count) return std::nullopt;
    out.insert(out.end(), count->begin(), count->end());
  }
  for (const TransferDeclaration& d : entries) {
    if (d.block.size() != BlockBytesForKind(d.kind)) return std::nullopt;
    std::array<std::uint8_t, entry::kSize> rec{};
    entry::Key.set(rec.data(), KeyBytes(d.key));
    entry::KeyTerminator.set(rec.data(), 0);
    entry::Kind.set(rec.data(), d.kind);
    entry::Modality.set(rec.data(), static_cast<blocks::Byte>(d.modality));
    PutBytes(out, rec);
    PutBytes(out, d.block);
    if (!CarriesForm100(d.kind)) continue;
    for (int i = 0; i < kFiscalSlots; ++i) {
      const FiscalSlot* s = static_cast<std::size_t>(i) < d.fiscalSlots.size() ? &d.fiscalSlots[static_cast<std::size_t>(i)] : nullptr;
      PutDouble(out, s ? s->subject : 0.0);
      PutDouble(out, s ? static_cast<double>(s->yes.size()) : 0.0);
      if (s) PutBytes(out, s->yes);
      PutDouble(out, s ? static_cast<double>(s->no.size()) : 0.0);
      if (s) PutBytes(out, s->no);
    }
  }
  return out;
}

int TransferErrorTextId(TransferError error) {
  switch (error) {
    case TransferError::None: return 0;
    case TransferError::TooShort: return 94040;
    case TransferError::WrongVersion: return 132;  // "Fichero no correspondiente a declaraciones de Renta/Patrimonio."
    case TransferError::BadCount: return 94042;
    case TransferError::TooManyEntries: return 94043;
    case TransferError::Truncated: return 94044;
    case TransferError::BadSlot: return 94045;
    case TransferError::TrailingBytes: return 94046;
    case TransferError::TooLarge: return 94047;
    case TransferError::Unreadable: return 81;  // "No existe el fichero de datos\n"
  }
  return 0;
}

std::string TransferErrorText(TransferError error) {
  const int id = TransferErrorTextId(error);
  return id ? platform::Text(id) : std::string();
}

TransferFileContents DecodeTransferFile(std::span<const std::uint8_t> bytes, const DecodeOptions& options) {
  TransferFileContents r;
  auto fail = [&r, &options](TransferError e) {
    r.error = e;
    if (!options.keepWholeEntries) r.entries.clear();
    return r;
  };
  if (bytes.size() > kMaxTransferFileBytes) return fail(TransferError::TooLarge);
  if (bytes.size() < kVersionBytes) return fail(TransferError::TooShort);
  // Characters 7 to 10 (from 1) name the edition's year.
  if (std::memcmp(bytes.data() + 6, "2004", 4) != 0) return fail(TransferError::WrongVersion);

  // The count: leading digits, then a zero byte or blanks; a missing or blank field is 0.
  std::size_t count = 0;
  if (bytes.size() > kVersionBytes) {
    if (bytes.size() < kEntriesStart) return fail(TransferError::Truncated);
    std::size_t i = kVersionBytes, end = kEntriesStart;
    while (i < end && bytes[i] == ' ') ++i;
    while (i < end && bytes[i] >= '0' && bytes[i] <= '9') {
      count = count * 10 + (bytes[i] - '0');
      ++i;
    }
    for (; i < end; ++i)
      if (bytes[i] != 0 && bytes[i] != ' ') return fail(TransferError::BadCount);
  }
  r.announced = count;
  std::size_t toRead = count;
  if (count > options.maxEntries) {
    if (!options.stopAtMax) return fail(TransferError::TooManyEntries);
    toRead = options.maxEntries;
  }

  Cursor c(bytes.size() > kVersionBytes ? bytes.subspan(kEntriesStart) : std::span<const std::uint8_t>{});
  r.entries.reserve(toRead);
  for (std::size_t n = 0; n < toRead; ++n) {
    std::span<const std::uint8_t> rec, block;
    if (!c.Take(entry::kSize, rec)) return fail(TransferError::Truncated);
    TransferDeclaration d;
    std::string_view key = entry::Key.str(rec.data());
    while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
    d.key = platform::Cp1252ToUtf8(key);
    d.kind = entry::Kind.get(rec.data());
    d.modality = static_cast<char>(entry::Modality.get(rec.data()));
    if (!c.Take(BlockBytesForKind(d.kind), block)) return fail(TransferError::Truncated);
    d.block.assign(block.begin(), block.end());
    if (CarriesForm100(d.kind)) {
      d.fiscalSlots.resize(kFiscalSlots);
      for (FiscalSlot& s : d.fiscalSlots)
        if (TransferError e = ReadSlot(c, s); e != TransferError::None) return fail(e);
    }
    r.entries.push_back(std::move(d));
  }
  if (toRead == count && c.Left() != 0) return fail(TransferError::TrailingBytes);
  return r;
}

LocalCopyContents DecodeLocalCopy(std::span<const std::uint8_t> bytes, int kind, std::size_t room) {
  LocalCopyContents copy;
  if (bytes.empty()) return copy;
  DecodeOptions options;
  options.maxEntries = room;
  options.stopAtMax = true;
  options.keepWholeEntries = true;
  TransferFileContents c = DecodeTransferFile(bytes, options);
  copy.whole = c.ok() && c.entries.size() == c.announced;
  for (TransferDeclaration& d : c.entries) {
    if (d.kind != kind) {  // each copy holds one form only
      copy.whole = false;
      continue;
    }
    copy.entries.push_back(std::move(d));
  }
  return copy;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, TransferError* error) {
  auto set = [error](TransferError e) {
    if (error) *error = e;
  };
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    set(TransferError::Unreadable);
    return std::nullopt;
  }
  if (size > kMaxTransferFileBytes) {
    set(TransferError::TooLarge);
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    set(TransferError::Unreadable);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::size_t>(in.gcount()) != bytes.size() || in.peek() != std::char_traits<char>::eof()) {
    set(TransferError::Unreadable);
    return std::nullopt;
  }
  set(TransferError::None);
  return bytes;
}

namespace {

// The file a path leads to through its symbolic links; nullopt when they run in a circle.
std::optional<std::string> FollowLinks(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path p(path);
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(p, ec))) return p.string();
    fs::path target = fs::read_symlink(p, ec);
    if (ec) return std::nullopt;
    p = target.is_absolute() ? target : p.parent_path() / target;
  }
  return std::nullopt;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, int* error) {
  auto failed = [error](int e) {
    if (error) *error = e;
    return false;
  };
  // Renaming onto a link would replace the link: the temporary file goes next to its target.
  const auto target = FollowLinks(path);
  if (!target) return failed(ELOOP);
  std::random_device rd;
  std::string tmp = *target + ".tmp" + std::to_string(rd()) + std::to_string(::getpid());
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return failed(errno);
  int e = 0;
  std::size_t done = 0;
  while (!e && done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) e = errno;
    else if (n == 0) e = EIO;
    else done += static_cast<std::size_t>(n);
  }
  if (!e && ::fsync(fd) != 0) e = errno;
  if (::close(fd) != 0 && !e) e = errno;
  if (!e && std::rename(tmp.c_str(), target->c_str()) != 0) e = errno;
  if (!e) return true;
  std::remove(tmp.c_str());
  return failed(e);
}

}  // namespace store
