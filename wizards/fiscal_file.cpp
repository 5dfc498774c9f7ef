#include "wizards/fiscal_file.h"

#include <algorithm>

namespace fiscal {

namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes a text file of this kind never holds: controls other than the line ends.
bool IsForeignByte(unsigned char c) { return (c < 0x20 && c != '\r' && c != '\n') || c == 0x7F; }

// The file's lines without their ends ("\r\n" or "\n"); a last line without an end counts.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

}  // namespace

int FieldLayout::Width() const {
  if (!inFile) return 0;
  switch (type) {
    case 'N': return std::max(0, length) + std::max(0, decimals);
    case 'D':
    case 'X': return std::max(0, length);
    default: return 0;
  }
}

void Layout::AddList(ListLayout list) {
  list.key = Upper(list.key);
  const auto at = std::upper_bound(lists_.begin(), lists_.end(), list.order,
                                   [](int order, const ListLayout& l) { return order < l.order; });
  lists_.insert(at, std::move(list));
}

void Layout::AddField(std::string_view key, FieldLayout field) {
  auto& v = fields_[Upper(key)];
  const auto at = std::upper_bound(v.begin(), v.end(), field.order,
                                   [](int order, const FieldLayout& f) { return order < f.order; });
  v.insert(at, std::move(field));
}

const std::vector<FieldLayout>* Layout::Fields(std::string_view key) const {
  const auto it = fields_.find(Upper(key));
  return it == fields_.end() || it->second.empty() ? nullptr : &it->second;
}

const ListLayout* Layout::List(std::string_view key) const {
  const std::string k = Upper(key);
  for (const ListLayout& l : lists_)
    if (l.key == k) return &l;
  return nullptr;
}

std::string RecordKey(std::string_view line) {
  if (line.empty()) return {};
  if (line[0] == '1') return "DI";
  if (line[0] != '2') return {};
  std::string key(line.substr(1, 3));
  if (key.size() == 3 && IsDigit(key[2])) key.pop_back();
  return key;
}

namespace {

// An amount: digits, with the negative mark "N" allowed only as its first character.
bool IsAmountField(std::string_view v) {
  for (std::size_t i = 0; i < v.size(); ++i)
    if (!IsDigit(v[i]) && !(i == 0 && v[i] == 'N')) return false;
  return true;
}

// A date as the file writes it (year, month, day), or all zeros when the file gives none.
bool IsDateField(std::string_view v) {
  if (!std::all_of(v.begin(), v.end(), IsDigit)) return false;
  if (v.size() != 8 || v == "00000000") return true;
  auto number = [&v](std::size_t pos, std::size_t n) {
    int x = 0;
    for (std::size_t i = pos; i < pos + n; ++i) x = x * 10 + (v[i] - '0');
    return x;
  };
  const int year = number(0, 4), month = number(4, 2), day = number(6, 2);
  if (year < 1800 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= (month == 2 && !leap ? 28 : kDays[month - 1]);
}

}  // namespace

bool ValidateLine(std::string_view line, const Layout& layout) {
  const std::string key = RecordKey(line);
  if (key.empty()) return false;
  const std::vector<FieldLayout>* fields = layout.Fields(key);
  if (!fields) return false;
  std::size_t p = 1;
  for (const FieldLayout& f : *fields) {
    const auto w = static_cast<std::size_t>(f.Width());
    if (p + w > line.size()) return false;
    const std::string_view v = line.substr(p, w);
    if (f.type == 'N' && !IsAmountField(v)) return false;
    if (f.type == 'D' && !IsDateField(v)) return false;
    p += w;
  }
  return p == line.size();
}

std::string_view Record::Value(const Layout& layout, int order) const {
  const std::vector<FieldLayout>* fields = layout.Fields(key);
  if (!fields) return {};
  for (std::size_t i = 0; i < fields->size() && i < values.size(); ++i)
    if ((*fields)[i].order == order) return values[i];
  return {};
}

std::string FiscalFile::Nif() const {
  for (const Record& r : records)
    if (r.key == "DI" && !r.line.empty() && r.line[0] == '1') return r.line.substr(1, 9);
  return {};
}

FiscalFile ReadFiscalFile(std::string_view bytes, const Layout& layout, const ReadOptions& options) {
  FiscalFile file;
  auto refuse = [&file](ReadStatus status, int line) {
    file.status = status;
    file.faultLine = line;
    file.records.clear();
    file.runs.clear();
    return file;
  };
  if (bytes.size() > options.maxBytes) return refuse(ReadStatus::kTooLarge, 0);
  // Old text files may end with the end-of-file mark of their editors.
  while (!bytes.empty() && bytes.back() == 0x1A) bytes.remove_suffix(1);
  if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return IsForeignByte(static_cast<unsigned char>(c)); }))
    return refuse(ReadStatus::kForeign, 0);

  const std::vector<std::string_view> lines = SplitLines(bytes);
  // The first line that is not empty tells whether this is a file of this kind and of this year.
  const auto first = std::find_if(lines.begin(), lines.end(), [](std::string_view l) { return !l.empty(); });
  if (first == lines.end() || ((*first)[0] != '0' && (*first)[0] != '1' && (*first)[0] != '2'))
    return refuse(ReadStatus::kForeign, first == lines.end() ? 0 : static_cast<int>(first - lines.begin()) + 1);
  if (first->substr(0, 5) == "0DDFF" && first->substr(5, options.year.size()) != options.year)
    return refuse(ReadStatus::kOtherYear, static_cast<int>(first - lines.begin()) + 1);

  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view l = lines[i];
    if (l.empty() || l == "999" || l[0] == '0') continue;
    kept.push_back(i);
  }
  // A single-precision step summed without further rounding: three lines show 33, 66 and 99.
  const float step = kept.empty() ? 0.0f : 100.0f / static_cast<float>(kept.size());
  double progress = 0.0;
  for (std::size_t i : kept) {
    const std::string_view l = lines[i];
    const int lineNumber = static_cast<int>(i) + 1;
    if ((l[0] != '1' && l[0] != '2') || !ValidateLine(l, layout)) return refuse(ReadStatus::kDamaged, lineNumber);
    Record r;
    r.key = Upper(RecordKey(l));
    r.line = std::string(l);
    r.lineNumber = lineNumber;
    std::size_t p = 1;
    for (const FieldLayout& f : *layout.Fields(r.key)) {
      const auto w = static_cast<std::size_t>(f.Width());
      r.values.emplace_back(l.substr(p, w));
      p += w;
    }
    // A key met again after other keys goes on in its first run: the wizard shows one page per
    // key, and a page of its own for the later lines would never be shown nor imported.
    auto run = std::find_if(file.runs.begin(), file.runs.end(), [&](const Run& x) { return x.key == r.key; });
    if (run == file.runs.end()) {
      if (file.runs.size() == options.maxRuns) return refuse(ReadStatus::kTooManyPages, lineNumber);
      run = file.runs.insert(file.runs.end(), Run{r.key, {}});
    }
    run->records.push_back(file.records.size());
    file.records.push_back(std::move(r));
    progress += step;
    if (options.progress) options.progress(static_cast<int>(progress));
  }
  return file;
}

std::vector<std::size_t> PlacePages(const FiscalFile& file, const Layout& layout) {
  std::vector<std::size_t> placed;
  std::vector<bool> used(file.runs.size(), false);
  for (const ListLayout& list : layout.Lists()) {
    for (std::size_t i = 0; i < file.runs.size(); ++i) {
      if (used[i] || file.runs[i].key != list.key) continue;
      used[i] = true;
      placed.push_back(i);
      break;
    }
  }
  return placed;
}

int MessageId(ReadStatus status) {
  switch (status) {
    case ReadStatus::kOk: return 0;
    case ReadStatus::kDamaged:
    case ReadStatus::kTooManyPages: return kMsgDamaged;
    case ReadStatus::kTooLarge: return kMsgTooLarge;
    case ReadStatus::kForeign: return kMsgForeign;
    case ReadStatus::kOtherYear: return kMsgOtherYear;
    case ReadStatus::kUnreadable: return kMsgUnreadable;
  }
  return kMsgDamaged;
}

}  // namespace fiscal
