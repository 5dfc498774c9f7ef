#include "forms/filing/filing_writer.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "data/message_service.h"
#include "data/util/utilities.h"
#include "platform/cp1252.h"

namespace forms {

namespace {

constexpr std::string_view kMaxPermitted = "MAXPERM";
constexpr char kCarriageReturn = 0x0D;
constexpr char kLineFeed = 0x0A;

int ParseInt(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  int v = 0;
  std::from_chars(s.data(), s.data() + s.size(), v);
  return v;
}

// "%.*f" without the C library's locale.
std::string Fixed(double value, int decimals) {
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  return std::string(buf, r.ptr);
}

bool IsAmountType(char t) { return t == 'R' || t == 'F'; }
bool IsIntegerType(char t) { return t == 'C' || t == 'I'; }

// The page codes of a page filter, blank-separated, each " <code>" with `exclude` for a "!code";
// `each` returns false to stop.
template <typename Each>
void ForEachPageCode(std::string_view pageFilter, Each each) {
  std::size_t i = 0;
  while (true) {
    while (i < pageFilter.size() && pageFilter[i] == ' ') ++i;
    if (i >= pageFilter.size()) return;
    std::size_t end = pageFilter.find(' ', i);
    if (end == std::string_view::npos) end = pageFilter.size();
    std::string_view token = pageFilter.substr(i, end - i);
    const bool exclude = token.front() == '!';
    if (exclude) token.remove_prefix(1);
    if (!each(std::string(1, ' ').append(token), exclude)) return;
    i = end;
  }
}

}  // namespace

db::Filter PageFilterCondition(std::string_view pageFilter, std::string* text) {
  db::Filter condition;
  std::string sql;
  ForEachPageCode(pageFilter, [&](const std::string& code, bool exclude) {
    if (!sql.empty()) sql += " and ";
    sql += exclude ? "INDICEFICH <> '" : "INDICEFICH = '";
    sql += code + "'";
    const db::Filter one = exclude ? db::Filter::Ne("INDICEFICH", code) : db::Filter::Eq("INDICEFICH", code);
    condition = condition.Empty() ? one : (condition && one);
    return true;
  });
  if (text) *text = sql;
  return condition;
}

std::string FormatLayoutAmount(double value, int length, int decimals, bool zeroFill) {
  const int total = length + decimals;
  const double v = CUtilities::RoundToDecimals(value, decimals);
  if (v == 0.0) return std::string(static_cast<std::size_t>(std::max(total, 0)), zeroFill ? '0' : ' ');
  std::string s = Fixed(v, decimals);
  const int width = decimals == 0 ? length : total + 1;
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
  if (const auto dot = s.find('.'); dot != std::string::npos) s.erase(dot, 1);
  if (const auto minus = s.find('-'); minus != std::string::npos) {
    s[minus] = '0';
    s[0] = 'N';
  }
  if (zeroFill)
    for (char& c : s)
      if (c == ' ') c = '0';
  if (static_cast<int>(s.size()) > total) s.erase(0, s.size() - static_cast<std::size_t>(std::max(total, 0)));
  return s;
}

std::string FormatResultAmount(double value) {
  std::string s = Fixed(value, 2);
  const bool negative = !s.empty() && s.front() == '-';
  if (negative) s.erase(0, 1);
  const std::size_t width = negative ? 13 : 14;  // "%014.2f" counts the sign in the width
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  if (negative) s.insert(0, 1, '0');
  s.erase(s.find('.'), 1);
  if (negative) s[0] = 'N';
  if (s.size() > 13) s.erase(0, s.size() - 13);
  return s;
}

namespace {

std::string Pad(std::string_view text, int length, bool left, std::string_view pad) {
  const std::string p = pad.empty() ? std::string(" ") : std::string(pad);
  const auto l = static_cast<std::size_t>(std::max(length, 0));
  std::string s(text);
  if (s.size() > l) return left ? s.substr(0, l) : s.substr(s.size() - l);
  if (left) {
    while (s.size() < l) s += p;
    return s.substr(0, l);
  }
  while (s.size() < l) s.insert(0, p);
  return s.substr(s.size() - l);
}

}  // namespace

std::string FormatLayoutText(std::string_view text, int length, int alignment, std::string_view pad) {
  if (static_cast<int>(text.size()) > length) return Pad(text, length, alignment == 0, pad);
  return Pad(text, length, alignment == 0 || alignment == 3, pad);
}

std::string FormatLayoutDigits(std::string_view text, int length, int alignment, std::string_view pad) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  return Pad(digits, length, alignment == 0, pad);
}

CFilingFileWriter::CFilingFileWriter(std::string table, std::string pageFilter, db::CAdoConnection* local,
                                     IMessageService* messages)
    : table_(std::move(table)), filter_(std::move(pageFilter)), local_(local), messages_(messages) {}

CFilingFileWriter::~CFilingFileWriter() = default;

CBoxField* CFilingFileWriter::CurrentBox(int position) const {
  return current_ && position >= 1 ? current_->BoxAt(position - 1) : nullptr;
}

std::string CFilingFileWriter::BoundText(const CBoxField* box) {
  if (!box || !box->data || box->width <= 0) return {};
  return std::string(blocks::Text{0, static_cast<std::size_t>(box->width)}.str(box->data));
}

std::string CFilingFileWriter::DigitsText(const CBoxField* box) {
  // An integer box holds its number, not its digits.
  if (box && box->data && IsIntegerType(box->TypeLetter())) return std::to_string(blocks::I32{0}.get(box->data));
  return BoundText(box);
}

bool CFilingFileWriter::CheckAmountLimit(CBoxField* box) {
  if (!box || !box->data || !IsAmountType(box->TypeLetter())) return true;
  const double v = blocks::F64{0}.get(box->data);
  if ((std::fabs(v) + 0.01) / std::pow(10.0, box->width) > 1.00) {
    box->errorFlag = 1;
    if (messages_) messages_->ShowMessage(kMaxPermitted, MessageIcon::Information);
    return false;
  }
  return true;
}

namespace {

// A layout table as stored, in file order; the page of each row as the database holds it
// (UTF-8), for the page filter.
struct StoredLayout {
  std::vector<LayoutRow> rows;
  std::vector<std::string> pages;
};

// The layout is read from the local database once while it does not change; each pass only
// leaves out the rows of its unused pages.
std::shared_ptr<const StoredLayout> ReadLayout(db::CAdoConnection* local, const std::string& table) {
  if (!local) return nullptr;
  std::shared_ptr<void>& slot = local->DerivedData("layout\x1f" + table);
  if (slot) return std::static_pointer_cast<const StoredLayout>(slot);
  db::CAdoRecordset rs;
  rs.Open(table, local, {}, "[idinternet] ASC");
  if (!rs.IsOpen()) return nullptr;
  auto layout = std::make_shared<StoredLayout>();
  for (; rs.IsNotAtEnd(); rs.MoveNext()) {
    LayoutRow r;
    std::string kind, text, page;
    rs.GetText("INDICEFICH", page);
    rs.GetText("INDNUMERO", r.number);
    rs.GetText("fminternet", kind);
    std::int32_t n = 0;
    rs.GetInt("longitud", n);
    r.length = n;
    n = 0;
    rs.GetInt("decimales", n);
    r.decimals = n;
    rs.GetText("caracter", text);
    rs.GetText("comentario", r.comment);
    r.kind = kind.empty() ? ' ' : kind.front();
    r.text = platform::Utf8ToCp1252(text);
    r.page = platform::Utf8ToCp1252(page);
    layout->rows.push_back(std::move(r));
    layout->pages.push_back(std::move(page));
  }
  slot = layout;
  return layout;
}

// Whether a row of page `page` passes the page filter (see PageFilterCondition); a row without
// a page belongs to none.
bool PassesPageFilter(std::string_view page, std::string_view pageFilter) {
  bool passes = true;
  ForEachPageCode(pageFilter, [&](const std::string& code, bool exclude) {
    passes = !page.empty() && db::SameText(page, code) != exclude;
    return passes;
  });
  return passes;
}

}  // namespace

std::shared_ptr<const void> CFilingFileWriter::OpenLayout(std::vector<const LayoutRow*>& rows) {
  std::shared_ptr<const StoredLayout> layout = ReadLayout(local_, table_);
  if (!layout) return nullptr;
  for (std::size_t i = 0; i < layout->rows.size(); ++i)
    if (PassesPageFilter(layout->pages[i], filter_)) rows.push_back(&layout->rows[i]);
  return layout;
}

FieldText CFilingFileWriter::FormatMark(const LayoutRow& row, const CBoxField* box) {
  char mark = 'X';
  bool hasBlank = true;
  char blank = ' ';
  if (!row.text.empty()) {
    mark = row.text[0];
    hasBlank = row.text.size() >= 3;
    if (hasBlank) blank = row.text[2];
  }
  const bool marked = box && box->data && *static_cast<const unsigned char*>(box->data) != 0;
  std::string out;
  if (marked) {
    if (!markGroup_) {
      out = std::string(1, mark);
      if (!hasBlank) markGroup_ = true;
    } else if (hasBlank) {
      // The group's last row ends the group even when a second alternative was marked, so the
      // next group still gets its position.
      markGroup_ = false;
    }
  } else if (hasBlank) {
    if (!markGroup_)
      out = std::string(1, blank);
    else
      markGroup_ = false;
  }
  return {out, static_cast<int>(out.size())};
}

FieldText CFilingFileWriter::FormatFieldRow(const LayoutRow& row, int rowOffset) {
  const int pageCode = ParseInt(row.page);
  const int position = ParseInt(row.number);
  SelectPage(pageCode);
  CBoxField* box = CurrentBox(position);
  FieldText f;
  switch (row.kind) {
    case 'D': {
      if (!CheckAmountLimit(box)) return {{}, 0, false};
      const double v = box && box->data ? blocks::F64{0}.get(box->data) : 0.0;
      f.value = FormatLayoutAmount(v, row.length, row.decimals, row.text == "0");
      f.length = row.length + row.decimals;
      break;
    }
    case 'S':
      f.value = FormatLayoutText(BoundText(box), row.length, row.decimals, row.text);
      f.length = row.length;
      break;
    case 'E':
      f.value = FormatLayoutDigits(DigitsText(box), row.length, row.decimals, row.text);
      f.length = row.length;
      break;
    case 'B':
      f = FormatMark(row, box);
      break;
    case 'K': {
      const unsigned byte = box && box->data ? *static_cast<const unsigned char*>(box->data) : 0u;
      f.value = std::string(1, static_cast<char>('0' + byte % 10));
      f.length = 1;
      break;
    }
    case 'V':
      f.value = BoundText(box);
      f.length = static_cast<int>(f.value.size());
      break;
    default:
      f.value = std::string(static_cast<std::size_t>(std::max(row.length, 0)), ' ');
      f.length = row.length;
      break;
  }
  GetSpecialFieldValue(position, pageCode, rowOffset, f.value, f.length, row.comment);
  return f;
}

bool CFilingFileWriter::RunLayout(std::string& path, int mode) {
  markGroup_ = false;
  passStart_ = 0;
  std::FILE* out = nullptr;
  if (mode != kFilingTextOnly) {
    errno = 0;
    out = std::fopen(path.c_str(), mode == kFilingAppend ? "r+b" : "wb");
    if (out && mode == kFilingAppend) {
      if (std::fseek(out, 0, SEEK_END) != 0 || (passStart_ = std::ftell(out)) < 0) {
        std::fclose(out);
        out = nullptr;
        passStart_ = 0;
      }
    }
    if (!out) {
      std::string text = std::generic_category().message(errno ? errno : EIO);
      if (text.size() > 1024) text.resize(1024);
      if (messages_) messages_->Notice(text);
      return false;
    }
  }
  const auto fail = [&] {
    if (out) std::fclose(out);
    return false;
  };

  std::vector<const LayoutRow*> rows;
  const std::shared_ptr<const void> layout = OpenLayout(rows);
  if (!layout) return fail();
  std::string text;
  int counter = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const LayoutRow& row = *rows[i];
    switch (row.kind) {
      case 'C': {
        std::string c = row.text;
        if (static_cast<int>(c.size()) < row.length) c.append(static_cast<std::size_t>(row.length) - c.size(), ' ');
        text += c;
        filePosition_ += static_cast<int>(c.size());
        break;
      }
      case 'R':
        text += kCarriageReturn;
        text += kLineFeed;
        filePosition_ += 2;
        break;
      case 'J': {
        const int count = row.decimals;
        if (counter < count && ContinueRepeat(row.comment, counter, count)) {
          for (std::size_t k = 0; k < rows.size(); ++k)
            if (db::SameText(rows[k]->comment, row.comment)) {
              i = k;
              break;
            }
          ++counter;
        } else {
          counter = 0;
        }
        break;
      }
      default: {
        FieldText f = FormatFieldRow(row, counter);
        if (!f.ok) {
          if (out) {
            std::fclose(out);
            out = nullptr;
            // A new file goes; a file appended to keeps what it held, since nothing was added.
            if (mode == kFilingCreate) {
              std::error_code ec;
              std::filesystem::remove(path, ec);
            }
          } else {
            path.clear();
          }
          return false;
        }
        text += f.value;
        filePosition_ += f.length;
        break;
      }
    }
  }
  if (mode == kFilingTextOnly) {
    path = std::move(text);
    return true;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  const bool closed = std::fclose(out) == 0;
  return written && closed;
}

}  // namespace forms
