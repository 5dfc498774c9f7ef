#include "tools/pagebuild/page_source.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "forms/view/wmf_writer.h"
#include "platform/cp1252.h"

namespace pages {

namespace fs = std::filesystem;

namespace {

// Column widths of the database (characters).
constexpr std::size_t kIdWidth = 10, kSpecWidth = 15, kLookupWidth = 49, kBaseWidth = 11, kDialogWidth = 25,
                      kFilingWidth = 7, kBoxTitleWidth = 49, kPromptWidth = 79, kPageTitleWidth = 52;
constexpr std::string_view kTypeLetters = ">AEGLPQSZRFMCIBDT";

std::size_t CodePoints(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::vector<std::string> Split(std::string_view line) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
    if (j > i) out.emplace_back(line.substr(i, j - i));
    i = j;
  }
  return out;
}

std::string Trim(std::string_view s) {
  std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  std::size_t e = s.find_last_not_of(" \t");
  return std::string(s.substr(b, e - b + 1));
}

bool ParseInt(std::string_view s, int& out) {
  auto r = std::from_chars(s.data(), s.data() + s.size(), out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// A page-unit number with at most one decimal, in tenths.
bool ParseTenths(std::string_view s, int& out) {
  std::size_t dot = s.find('.');
  int whole = 0, tenth = 0;
  bool negative = !s.empty() && s[0] == '-';
  if (dot == std::string_view::npos) {
    if (!ParseInt(s, whole)) return false;
  } else {
    if (s.size() != dot + 2 || !ParseInt(s.substr(0, dot), whole) || !ParseInt(s.substr(dot + 1), tenth)) return false;
  }
  out = whole * kSubunits + (negative ? -tenth : tenth);
  return true;
}

// The text after "x: " on a language line; `which` gets the language index, -1 for "*".
bool LanguageLine(std::string_view line, int& which, std::string& text) {
  std::string t = Trim(line);
  if (t.size() < 2 || t[1] != ':') return false;
  if (t[0] == '*') which = -1;
  else {
    std::size_t at = kLanguages.find(t[0]);
    if (at == std::string_view::npos) return false;
    which = static_cast<int>(at);
  }
  text = Trim(std::string_view(t).substr(2));
  // "\n" stands for a line break inside a drawn text.
  for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 1))
    text.replace(at, 2, "\n");
  return true;
}

class Parser {
 public:
  Parser(const std::string& file, Page& page) : file_(file), page_(page) {}

  bool Run(std::string_view text, std::string* error) {
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
      ++line_;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::string t = Trim(line);
      if (t.empty() || t[0] == '#') continue;
      bool ok = (line[0] == ' ' || line[0] == '\t') ? Continuation(line) : Command(t);
      if (!ok) {
        *error = file_ + ":" + std::to_string(line_) + ": " + message_;
        return false;
      }
    }
    if (inTable_) return Fail(error, "table without end");
    if (!Finish()) {
      *error = file_ + ": " + message_;
      return false;
    }
    return true;
  }

 private:
  bool Fail(std::string* error, const std::string& m) {
    *error = file_ + ":" + std::to_string(line_) + ": " + m;
    return false;
  }
  bool Error(std::string m) {
    message_ = std::move(m);
    return false;
  }

  // Texts of the item, box or column the language lines follow.
  struct Target {
    Texts* first = nullptr;
    Texts* second = nullptr;  // after " | "
  };

  bool Continuation(const std::string& line) {
    if (!target_.first) return Error("a language line here belongs to nothing");
    int which = 0;
    std::string text;
    if (!LanguageLine(line, which, text)) return Error("expected e:, c:, g:, v: or *:");
    std::string second;
    if (std::size_t bar = text.find(" | "); bar != std::string::npos) {
      if (!target_.second) return Error("only boxes have a prompt after \" | \"");
      second = Trim(std::string_view(text).substr(bar + 3));
      text = Trim(std::string_view(text).substr(0, bar));
    }
    for (int i = 0; i < kLanguageCount; ++i) {
      if (which != -1 && which != i) continue;
      (*target_.first)[static_cast<std::size_t>(i)] = text;
      if (target_.second) (*target_.second)[static_cast<std::size_t>(i)] = second;
    }
    return true;
  }

  bool Command(const std::string& t) {
    std::vector<std::string> w = Split(t);
    const std::string& c = w[0];
    target_ = {};
    if (c == "end") {
      if (!inTable_) return Error("end without table");
      inTable_ = false;
      return true;
    }
    if (inTable_ && c != "col") return Error("a table holds only col lines until its end");
    if (c == "page") return PageLine(w);
    if (page_.name.empty()) return Error("the description begins with its page line");
    if (c == "title") {
      target_.first = &page_.title;
      return w.size() == 1 || Error("title takes its texts on the lines below");
    }
    if (c == "rule" || c == "frame" || c == "band" || c == "section" || c == "text") return ItemLine(w);
    if (c == "help") return (w.size() == 2 && ParseInt(w[1], defaultHelp_)) || Error("help N");
    if (c == "box") return BoxLine(w);
    if (c == "set") {
      int position = 0;
      if (w.size() < 3 || !ParseInt(w[1], position)) return Error("set POS attributes");
      sets_.push_back({position, w, line_});
      return true;
    }
    if (c == "table") return TableLine(w);
    if (c == "col") return inTable_ ? ColumnLine(w) : Error("col outside a table");
    return Error("unknown command " + c);
  }

  // The printed pages of both forms and their codes: ORD001 ... ORD018 201 ... 218, ORD020 220,
  // PAGPDF 222, the signature page FIRMA 290 (form 100, kind 2); PAT001 ... PAT012 301 ... 312
  // (form 714, kind 3).
  static bool KnownPage(const std::string& name, int code, int kind) {
    int n = 0;
    if (name == "PAGPDF") return code == 222 && kind == 2;
    if (name == "FIRMA") return code == 290 && kind == 2;
    if (name.size() != 6 || !ParseInt(std::string_view(name).substr(3), n)) return false;
    if (name.rfind("ORD", 0) == 0) return ((n >= 1 && n <= 18) || n == 20) && code == 200 + n && kind == 2;
    if (name.rfind("PAT", 0) == 0) return n >= 1 && n <= 12 && code == 300 + n && kind == 3;
    return false;
  }

  bool PageLine(const std::vector<std::string>& w) {
    if (!page_.name.empty()) return Error("a second page line");
    if (w.size() != 4 || !ParseInt(w[2], page_.code) || !ParseInt(w[3], page_.kind))
      return Error("page NAME CODE KIND");
    page_.name = w[1];
    if (!KnownPage(page_.name, page_.code, page_.kind))
      return Error("no page " + page_.name + " with code " + w[2] + " and kind " + w[3]);
    page_.title = {};
    return true;
  }

  bool ItemLine(const std::vector<std::string>& w) {
    Item item;
    item.line = line_;
    const std::string& c = w[0];
    item.kind = c == "rule" ? ItemKind::Rule : c == "frame" ? ItemKind::Frame : c == "band" ? ItemKind::Band
              : c == "section" ? ItemKind::Section : ItemKind::Text;
    const std::size_t numbers = item.kind == ItemKind::Text ? 3 : 4;
    if (w.size() < numbers + 1) return Error(c + " needs " + std::to_string(numbers) + " numbers");
    int v[4] = {};
    for (std::size_t i = 0; i < numbers; ++i)
      if (!ParseTenths(w[i + 1], v[i])) return Error("not a number: " + w[i + 1]);
    item.x = v[0];
    item.y = v[1];
    if (item.kind == ItemKind::Text) item.size = v[2];
    else if (item.kind == ItemKind::Rule) {
      item.w = v[2] - v[0];
      item.h = v[3] - v[1];
    } else {
      item.w = v[2];
      item.h = v[3];
    }
    for (std::size_t i = numbers + 1; i < w.size(); ++i) {
      const std::string& a = w[i];
      if (a == "bold") item.bold = true;
      else if (a == "center") item.align = 1;
      else if (a == "right") item.align = 2;
      else if (a.rfind("w=", 0) == 0) {
        if (!ParseTenths(a.substr(2), item.thick)) return Error("bad " + a);
      } else if (a.rfind("size=", 0) == 0) {
        if (!ParseTenths(a.substr(5), item.size)) return Error("bad " + a);
      } else return Error("unknown attribute " + a);
    }
    page_.items.push_back(item);
    if (item.kind == ItemKind::Text || item.kind == ItemKind::Section) target_.first = &page_.items.back().text;
    return true;
  }

  bool BoxAttributes(const std::vector<std::string>& w, std::size_t from, Box& b) {
    for (std::size_t i = from; i < w.size(); ++i) {
      const std::string& a = w[i];
      std::size_t eq = a.find('=');
      std::string key = a.substr(0, eq), value = eq == std::string::npos ? std::string() : a.substr(eq + 1);
      if (eq == std::string::npos) {
        if (a == "ro") b.readOnly = true;
        else if (a == "neg") b.negatives = true;
        else if (a == "zero") b.showZero = true;
        else if (a == "noframe") b.frame = false;
        else return Error("unknown attribute " + a);
        continue;
      }
      bool ok = true;
      if (key == "help") ok = ParseInt(value, b.help);
      else if (key == "paint") ok = ParseInt(value, b.paint) && b.paint >= 0 && b.paint <= 2;
      else if (key == "fid") ok = ParseInt(value, b.filingId);
      else if (key == "capw") ok = ParseInt(value, b.captionWidth);
      else if (key == "lookup") b.lookup = value;
      else if (key == "base") b.base = value;
      else if (key == "dialog") b.dialog = value;
      else if (key == "filing") b.filing = value;
      else if (key == "label") b.label = value == "-" ? std::string() : value;
      else if (key == "cap") {
        if (value == "above") b.captionAt = CaptionAt::Above;
        else if (value == "left") b.captionAt = CaptionAt::Left;
        else if (value == "right") b.captionAt = CaptionAt::Right;
        else if (value == "none") b.captionAt = CaptionAt::None;
        else ok = false;
      } else return Error("unknown attribute " + key);
      if (!ok) return Error("bad value in " + a);
    }
    return true;
  }

  bool BoxLine(const std::vector<std::string>& w) {
    Box b;
    b.line = line_;
    b.help = defaultHelp_;
    if (w.size() < 8 || !ParseInt(w[1], b.position) || !ParseInt(w[4], b.left) || !ParseInt(w[5], b.top) ||
        !ParseInt(w[6], b.right) || !ParseInt(w[7], b.bottom))
      return Error("box POS ID SPEC LEFT TOP RIGHT BOTTOM [attributes]");
    b.id = w[2] == "-" ? std::string() : w[2];
    b.spec = w[3];
    char number[8];
    auto r = std::to_chars(number, number + sizeof number, b.position);
    b.label = std::string(number, r.ptr);
    if (b.label.size() < 2) b.label = "0" + b.label;
    if (!BoxAttributes(w, 8, b)) return false;
    page_.boxes.push_back(b);
    target_ = {&page_.boxes.back().caption, &page_.boxes.back().prompt};
    return true;
  }

  bool TableLine(const std::vector<std::string>& w) {
    Table t;
    t.line = line_;
    if (w.size() != 6 || !ParseInt(w[1], t.first) || !ParseInt(w[2], t.rows) || t.rows < 1) return Error("table FIRST ROWS top=Y pitch=H head=H");
    for (std::size_t i = 3; i < w.size(); ++i) {
      std::size_t eq = w[i].find('=');
      std::string key = w[i].substr(0, eq);
      int v = 0;
      if (eq == std::string::npos || !ParseInt(w[i].substr(eq + 1), v)) return Error("bad " + w[i]);
      if (key == "top") t.top = v;
      else if (key == "pitch") t.pitch = v;
      else if (key == "head") t.head = v;
      else return Error("unknown attribute " + key);
    }
    if (t.pitch <= 0) return Error("a table needs its row pitch");
    page_.tables.push_back(t);
    inTable_ = true;
    return true;
  }

  bool ColumnLine(const std::vector<std::string>& w) {
    Table& t = page_.tables.back();
    Box b;
    b.line = line_;
    b.help = defaultHelp_;
    if (w.size() < 5 || !ParseInt(w[3], b.left) || !ParseInt(w[4], b.right)) return Error("col ID SPEC LEFT RIGHT [attributes]");
    b.id = w[1] == "-" ? std::string() : w[1];
    b.spec = w[2];
    b.top = t.top;
    b.bottom = t.top + t.pitch;
    b.frame = false;
    b.captionAt = CaptionAt::None;
    if (!BoxAttributes(w, 5, b)) return false;
    t.columns.push_back({b});
    target_ = {&t.columns.back().box.caption, &t.columns.back().box.prompt};
    return true;
  }

  // Valenciano takes the Catalán text unless it has its own; every other language is required.
  bool CompleteTexts(Texts& t, const std::string& what, bool required) {
    if (t[3].empty()) t[3] = t[1];
    bool any = std::any_of(t.begin(), t.end(), [](const std::string& s) { return !s.empty(); });
    if (!any && !required) return true;
    for (int i = 0; i < kLanguageCount; ++i)
      if (t[static_cast<std::size_t>(i)].empty())
        return Error(what + ": no text in language " + std::string(1, kLanguages[static_cast<std::size_t>(i)]));
    return true;
  }

  bool CheckBox(Box& b) {
    const std::string where = "box " + std::to_string(b.position) + " (line " + std::to_string(b.line) + ")";
    if (!CompleteTexts(b.caption, where, false)) return false;
    for (int i = 0; i < kLanguageCount; ++i) {
      auto& p = b.prompt[static_cast<std::size_t>(i)];
      if (p.empty()) p = b.caption[static_cast<std::size_t>(i)];
      std::replace(p.begin(), p.end(), '\n', ' ');
      std::string title = b.caption[static_cast<std::size_t>(i)];
      std::replace(title.begin(), title.end(), '\n', ' ');
      if (CodePoints(title) > kBoxTitleWidth) return Error(where + ": caption longer than a title (49)");
      if (CodePoints(p) > kPromptWidth) return Error(where + ": prompt longer than 79 characters");
    }
    if (b.spec.empty() || b.spec.size() > kSpecWidth || kTypeLetters.find(b.spec[0]) == std::string_view::npos)
      return Error(where + ": bad format spec " + b.spec);
    if (b.id.size() > kIdWidth || b.lookup.size() > kLookupWidth || b.base.size() > kBaseWidth ||
        b.dialog.size() > kDialogWidth || b.filing.size() > kFilingWidth)
      return Error(where + ": a text longer than its column");
    if (b.left < 0 || b.top < 0 || b.right > kPageWidth || b.bottom > kPageHeight || b.left >= b.right || b.top >= b.bottom)
      return Error(where + ": rectangle outside the page or empty");
    if (b.filing.empty()) b.filing = DefaultFiling(b.spec);
    return true;
  }

  // The filing format of a box without one of its own: its kind letter and width.
  static std::string DefaultFiling(const std::string& spec) {
    char kind = spec[0];
    std::string rest = spec.substr(1, spec.find_first_of("*.-") == std::string::npos ? std::string::npos : spec.find_first_of("*.-") - 1);
    switch (kind) {
      case 'R': case 'F': case 'M': return "D" + rest;
      case 'B': return "B1";
      case 'C': case 'I': return "E" + rest;
      case 'Z': return "";
      default: return "S" + rest;
    }
  }

  bool Finish() {
    if (page_.name.empty()) return Error("no page line");
    if (!CompleteTexts(page_.title, "title", true)) return false;
    for (const auto& t : page_.title)
      if (CodePoints(t) > kPageTitleWidth) return Error("title longer than 52 characters");
    for (Item& item : page_.items) {
      if ((item.kind == ItemKind::Text || item.kind == ItemKind::Section) &&
          !CompleteTexts(item.text, "line " + std::to_string(item.line), item.kind == ItemKind::Text))
        return false;
    }
    for (const Table& t : page_.tables) {
      int n = static_cast<int>(t.columns.size());
      if (n == 0) return Error("table of line " + std::to_string(t.line) + " without columns");
      for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < n; ++c) {
          Box b = t.columns[static_cast<std::size_t>(c)].box;
          b.position = t.first + r * n + c;
          b.top = t.top + r * t.pitch;
          b.bottom = b.top + t.pitch;
          b.label.clear();
          const std::string row = std::to_string(r + 1);
          for (std::size_t at = b.id.find('#'); at != std::string::npos; at = b.id.find('#'))
            b.id.replace(at, 1, row);
          page_.boxes.push_back(b);
        }
    }
    std::sort(page_.boxes.begin(), page_.boxes.end(), [](const Box& a, const Box& b) { return a.position < b.position; });
    // Attributes of single table cells.
    for (const Set& set : sets_) {
      auto box = std::find_if(page_.boxes.begin(), page_.boxes.end(), [&](const Box& b) { return b.position == set.position; });
      if (box == page_.boxes.end()) return Error("line " + std::to_string(set.line) + ": no box " + std::to_string(set.position));
      if (!BoxAttributes(set.words, 2, *box)) return Error("line " + std::to_string(set.line) + ": " + message_);
    }
    for (std::size_t i = 0; i < page_.boxes.size(); ++i) {
      Box& b = page_.boxes[i];
      if (b.position != static_cast<int>(i) + 1)
        return Error("box positions must run 1, 2, 3 ... without gaps or repeats; " + std::to_string(i + 1) +
                     " is " + (b.position > static_cast<int>(i) + 1 ? "missing" : "repeated"));
      if (!CheckBox(b)) return false;
    }
    for (std::size_t i = 0; i < page_.boxes.size(); ++i)
      for (std::size_t j = i + 1; j < page_.boxes.size(); ++j) {
        const Box& a = page_.boxes[i];
        const Box& b = page_.boxes[j];
        if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
          return Error("boxes " + std::to_string(a.position) + " and " + std::to_string(b.position) + " overlap");
      }
    return true;
  }

  std::string file_;
  Page& page_;
  int line_ = 0;
  std::string message_;
  Target target_;
  struct Set {
    int position;
    std::vector<std::string> words;
    int line;
  };
  std::vector<Set> sets_;  // "set" lines, applied once the tables are laid out
  bool inTable_ = false;
  int defaultHelp_ = 0;  // help context of the boxes that give none
};

}  // namespace

bool ParsePage(std::string_view text, const std::string& fileName, Page& page, std::string* error) {
  std::string ignored;
  if (!error) error = &ignored;
  page = Page{};
  return Parser(fileName, page).Run(text, error);
}

bool ReadPageFile(const fs::path& path, Page& page, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot read " + path.string();
    return false;
  }
  std::ostringstream s;
  s << in.rdbuf();
  return ParsePage(s.str(), path.filename().string(), page, error);
}

std::string PicturePath(const std::string& pageName) { return "paginasx/" + pageName + ".wmf"; }

std::string PicturePath(const std::string& pageName, char language) {
  std::string p = PicturePath(pageName);
  p[7] = language;
  return p;
}

// ---------------------------------------------------------------------------------------------
// Tables

namespace {

std::string Escape(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (c == '\\') out += "\\\\";
    else out += c;
  }
  return out;
}

std::string Code4(int code) {
  std::string s = std::to_string(code);
  return std::string(s.size() < 4 ? 4 - s.size() : 0, ' ') + s;
}

template <typename... T>
std::string Row(const T&... values) {
  std::string out;
  ((out += (out.empty() ? "" : "\t") + Escape(values)), ...);
  return out + "\n";
}

}  // namespace

std::vector<TableFile> PageTables(const std::vector<Page>& pageList) {
  std::vector<TableFile> out;
  TableFile pages{"Paginasx", "INDICEFICH\tTipoDec\tFicheroWMF\tNumCuadros\n"};
  TableFile boxes{"ControlX",
                  "IndiceFich\tIndNumero\tfminternet\tIdinternet\tCoor_1\tCoor_2\tCoor_3\tCoor_4\tNumeroDeCo\tSoloLectur\t"
                  "PintarEn\tIdentifica\tStrValidac\tFicheroTab\tBase\tNombreVent\tAdmitNega\tPintacero\n"};
  std::array<TableFile, kLanguageCount> titles, texts;
  for (int l = 0; l < kLanguageCount; ++l) {
    const char letter = kLanguages[static_cast<std::size_t>(l)];
    titles[static_cast<std::size_t>(l)] = {std::string("Paginas") + letter, "INDICEFICH\tTituloPagi\n"};
    texts[static_cast<std::size_t>(l)] = {std::string("Control") + letter, "IndiceFich\tIndNumero\tTituloVent\tTEXTODIBUJ\n"};
  }
  auto n = [](int v) { return std::to_string(v); };
  for (const Page& p : pageList) {
    const std::string code = Code4(p.code);
    pages.text += Row(code, n(p.kind), PicturePath(p.name), n(static_cast<int>(p.boxes.size())));
    for (int l = 0; l < kLanguageCount; ++l) titles[static_cast<std::size_t>(l)].text += Row(code, p.title[static_cast<std::size_t>(l)]);
    for (const Box& b : p.boxes) {
      boxes.text += Row(code, n(b.position), b.filing, n(b.filingId), n(b.left), n(b.top), n(b.right), n(b.bottom),
                        n(b.help), n(b.readOnly ? 1 : 0), n(b.paint), b.id, b.spec, b.lookup, b.base, b.dialog,
                        n(b.negatives ? 1 : 0), n(b.showZero ? 1 : 0));
      for (int l = 0; l < kLanguageCount; ++l) {
        std::string title = b.caption[static_cast<std::size_t>(l)];
        std::replace(title.begin(), title.end(), '\n', ' ');
        texts[static_cast<std::size_t>(l)].text += Row(code, n(b.position), title, b.prompt[static_cast<std::size_t>(l)]);
      }
    }
  }
  out.push_back(pages);
  for (auto& t : titles) out.push_back(t);
  out.push_back(boxes);
  for (auto& t : texts) out.push_back(t);
  return out;
}

bool WriteOutputs(const std::vector<Page>& pageList, const fs::path& rowsDir, const fs::path& picturesDir,
                  std::string* error) {
  std::error_code ec;
  auto write = [&](const fs::path& path, const void* data, std::size_t size) {
    fs::create_directories(path.parent_path(), ec);
    fs::path temp = path;
    temp += ".tmp";
    {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
      if (!out) {
        *error = "cannot write " + temp.string();
        return false;
      }
    }
    fs::rename(temp, path, ec);
    if (ec) *error = "cannot rename to " + path.string();
    return !ec;
  };
  for (const TableFile& t : PageTables(pageList))
    if (!write(rowsDir / (t.table + ".tsv"), t.text.data(), t.text.size())) return false;
  for (const Page& p : pageList)
    for (int l = 0; l < kLanguageCount; ++l) {
      std::vector<std::string> problems;
      std::vector<std::uint8_t> bytes = DrawPage(p, l, &problems);
      if (!problems.empty()) {
        *error = problems.front();
        for (std::size_t i = 1; i < problems.size(); ++i) *error += "\n" + problems[i];
        return false;
      }
      if (!write(picturesDir / PicturePath(p.name, kLanguages[static_cast<std::size_t>(l)]), bytes.data(), bytes.size()))
        return false;
    }
  return true;
}

}  // namespace pages
