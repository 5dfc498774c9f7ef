// The drawing style of every page picture, set once here: a rendition of the 2003 paper forms
// with black rules, light tinted bands behind section headings, a white box with a black frame
// for every box, its number on a tinted tab at its corner, and its caption in the form's wording.
#include <algorithm>
#include <cmath>

#include "forms/view/wmf_writer.h"
#include "platform/cp1252.h"
#include "tools/pagebuild/page_source.h"

namespace pages {

namespace {

// Advance widths of the sans face (thousandths of the em) for the characters 32 to 126, regular
// and bold; metric-compatible faces share them.
constexpr short kRegular[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667, 611, 778,
    722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278,
    278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
constexpr short kBold[95] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611, 975, 722, 722, 722, 722, 667, 611, 778,
    722, 278, 556, 722, 611, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333,
    278, 333, 584, 556, 333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};

// The unaccented letter of a Latin-1 letter, for its width.
char BaseLetter(unsigned cp) {
  static constexpr const char* kUpper = "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYPs";  // U+00C0 .. U+00DF
  static constexpr const char* kLower = "aaaaaaaceeeeiiiidnooooo/ouuuuypy";  // U+00E0 .. U+00FF
  if (cp >= 0xC0 && cp < 0xE0) return kUpper[cp - 0xC0];
  if (cp >= 0xE0 && cp <= 0xFF) return kLower[cp - 0xE0];
  if (cp == 0xAA || cp == 0xBA) return 'o';
  return 'n';
}

// Style, in tenths of a page unit.
constexpr int kPenRule = 7;         // section rules and frames
constexpr int kPenThick = 14;       // the page's outer frame
constexpr int kPenBox = 5;          // box frames
constexpr int kCaption = 90;        // box captions
constexpr int kLabel = 78;          // box numbers
constexpr int kTableHead = 80;      // column headings of tables
constexpr int kMinShrink = 72;      // percent a text may shrink to fit its room
constexpr int kPageMargin = 120;
constexpr std::uint32_t kBlack = wmf::Rgb(0, 0, 0);
constexpr std::uint32_t kWhite = wmf::Rgb(255, 255, 255);

struct Palette {
  std::uint32_t band;  // section headings, table headings
  std::uint32_t tab;   // box number tabs
};
// Form 100 in green, form 714 in ochre, as their paper forms.
Palette PaletteOf(int kind) {
  if (kind == 3) return {wmf::Rgb(246, 232, 206), wmf::Rgb(232, 204, 158)};
  return {wmf::Rgb(221, 239, 225), wmf::Rgb(182, 219, 192)};
}

std::int16_t S(int v) { return static_cast<std::int16_t>(std::clamp(v, -32768, 32767)); }

class Painter {
 public:
  Painter(const Page& page, int language, std::vector<std::string>* problems)
      : page_(page), lang_(static_cast<std::size_t>(language)), palette_(PaletteOf(page.kind)),
        w_({0, 0, 790, 1100, 254}), problems_(problems) {
    w_.SetWindow({0, 0}, {S(kPageWidth * kSubunits), S(kPageHeight * kSubunits)});
    w_.SetBkMode(wmf::kTransparent);
    w_.SetTextColor(kBlack);
    nullPen_ = w_.CreatePen(wmf::kPenNull, 0, kBlack);
    nullBrush_ = w_.CreateBrush(wmf::kBrushNull, kBlack);
  }

  std::vector<std::uint8_t> Run() {
    Frame(kPageMargin, kPageMargin, kPageWidth * kSubunits - 2 * kPageMargin, kPageHeight * kSubunits - 2 * kPageMargin, kPenThick);
    for (const Item& item : page_.items) DrawItem(item);
    for (const Table& t : page_.tables) DrawTable(t);
    for (const Box& b : page_.boxes)
      if (b.frame) DrawBox(b);
    return w_.Finish();
  }

 private:
  const std::string& T(const Texts& t) const { return t[lang_]; }

  void Fill(int x, int y, int w, int h, std::uint32_t color) {
    int brush = w_.CreateBrush(wmf::kBrushSolid, color);
    w_.Select(nullPen_);
    w_.Select(brush);
    // The null pen leaves the right and bottom edge out: one unit more covers them.
    w_.Rectangle({S(x), S(y)}, {S(x + w + 1), S(y + h + 1)});
    w_.Select(nullBrush_);
    w_.Delete(brush);
  }

  void Frame(int x, int y, int w, int h, int thick, std::uint32_t fill = 0, bool filled = false) {
    int pen = w_.CreatePen(wmf::kPenSolid, S(thick), kBlack);
    int brush = filled ? w_.CreateBrush(wmf::kBrushSolid, fill) : -1;
    w_.Select(pen);
    w_.Select(filled ? brush : nullBrush_);
    w_.Rectangle({S(x), S(y)}, {S(x + w), S(y + h)});
    w_.Select(nullPen_);
    w_.Select(nullBrush_);
    w_.Delete(pen);
    if (filled) w_.Delete(brush);
  }

  void Line(int x1, int y1, int x2, int y2, int thick) {
    int pen = w_.CreatePen(wmf::kPenSolid, S(thick), kBlack);
    w_.Select(pen);
    w_.MoveTo({S(x1), S(y1)});
    w_.LineTo({S(x2), S(y2)});
    w_.Select(nullPen_);
    w_.Delete(pen);
  }

  // One text at the baseline (x, y), shrunk to `room` when it would not fit (0: no limit).
  void Text(int x, int y, const std::string& utf8, int size, bool bold, int align, int room = 0) {
    if (utf8.empty()) return;
    int fitted = size;
    if (room > 0) {
      double width = TextWidth(utf8, size, bold);
      if (width > room) fitted = std::max(size * kMinShrink / 100, static_cast<int>(size * room / width));
      if (problems_ && TextWidth(utf8, fitted, bold) > room + 5)
        problems_->push_back(page_.name + " (" + std::string(1, kLanguages[lang_]) + "): \"" + utf8 +
                             "\" does not fit its room of " + std::to_string(room / kSubunits) + " units");
    }
    wmf::Font f;
    f.height = S(-fitted);
    f.weight = static_cast<std::int16_t>(bold ? wmf::kFontBold : wmf::kFontNormal);
    f.pitchAndFamily = 0x22;  // variable pitch, swiss
    f.face = "Arial";
    int font = w_.CreateFont(f);
    w_.Select(font);
    w_.SetTextAlign(static_cast<std::uint16_t>(wmf::kAlignBaseline |
                                               (align == 1 ? wmf::kAlignCenter : align == 2 ? wmf::kAlignRight : wmf::kAlignLeft)));
    w_.TextOut({S(x), S(y)}, platform::Utf8ToCp1252(utf8));
    w_.Delete(font);
  }

  // Several lines (split at '\n') from the first baseline down.
  void Lines(int x, int y, const std::string& utf8, int size, bool bold, int align, int room = 0) {
    std::size_t start = 0;
    int line = 0;
    while (start <= utf8.size()) {
      std::size_t end = utf8.find('\n', start);
      if (end == std::string::npos) end = utf8.size();
      Text(x, y + line * size * 6 / 5, utf8.substr(start, end - start), size, bold, align, room);
      ++line;
      start = end + 1;
    }
  }

  static int LineCount(const std::string& s) { return 1 + static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

  void DrawItem(const Item& item) {
    const int thick = item.thick ? item.thick : kPenRule;
    switch (item.kind) {
      case ItemKind::Rule: Line(item.x, item.y, item.x + item.w, item.y + item.h, thick); break;
      case ItemKind::Frame: Frame(item.x, item.y, item.w, item.h, thick); break;
      case ItemKind::Band: Fill(item.x, item.y, item.w, item.h, palette_.band); break;
      case ItemKind::Section: {
        Fill(item.x, item.y, item.w, item.h, palette_.band);
        Line(item.x, item.y, item.x + item.w, item.y, kPenRule);
        Line(item.x, item.y + item.h, item.x + item.w, item.y + item.h, kPenRule);
        const int size = item.size ? item.size : std::min(110, item.h * 7 / 10);
        const int lines = LineCount(T(item.text));
        const int first = item.y + (item.h - (lines - 1) * size * 6 / 5) / 2 + size * 35 / 100;
        const int x = item.align == 1 ? item.x + item.w / 2 : item.align == 2 ? item.x + item.w - 40 : item.x + 40;
        Lines(x, first, T(item.text), size, true, item.align, item.w - 80);
        break;
      }
      case ItemKind::Text: Lines(item.x, item.y, T(item.text), item.size, item.bold, item.align); break;
    }
  }

  void DrawTable(const Table& t) {
    const int top = t.top * kSubunits, head = t.head * kSubunits, pitch = t.pitch * kSubunits;
    const int left = t.columns.front().box.left * kSubunits, right = t.columns.back().box.right * kSubunits;
    const int bottom = top + t.rows * pitch;
    if (head > 0) {
      Fill(left, top - head, right - left, head, palette_.band);
      for (const auto& c : t.columns) {
        const int l = c.box.left * kSubunits, r = c.box.right * kSubunits;
        const std::string& text = T(c.box.caption);
        const int lines = LineCount(text);
        const int first = top - head + (head - (lines - 1) * kTableHead * 6 / 5) / 2 + kTableHead * 35 / 100;
        Lines((l + r) / 2, first, text, kTableHead, false, 1, r - l - 30);
      }
    }
    Fill(left, top, right - left, bottom - top, kWhite);
    for (int r = 0; r <= t.rows; ++r) Line(left, top + r * pitch, right, top + r * pitch, r == 0 || r == t.rows ? kPenRule : kPenBox);
    if (head > 0) Line(left, top - head, right, top - head, kPenRule);
    for (std::size_t i = 0; i <= t.columns.size(); ++i) {
      const int x = i < t.columns.size() ? t.columns[i].box.left * kSubunits : right;
      Line(x, top - head, x, bottom, i == 0 || i == t.columns.size() ? kPenRule : kPenBox);
    }
  }

  // The tab with the box number: its width for the label.
  int TabWidth(const std::string& label) const {
    return label.empty() ? 0 : static_cast<int>(TextWidth(label, kLabel, true)) + 40;
  }

  void Tab(int x, int y, int w, int h, const std::string& label) {
    Frame(x, y, w, h, kPenBox, palette_.tab, true);
    Text(x + w / 2, y + h / 2 + kLabel * 36 / 100, label, kLabel, true, 1);
  }

  void DrawBox(const Box& b) {
    const int l = b.left * kSubunits, t = b.top * kSubunits, r = b.right * kSubunits, bt = b.bottom * kSubunits;
    Frame(l, t, r - l, bt - t, kPenBox, kWhite, true);
    const std::string& caption = T(b.caption);
    const int tab = TabWidth(b.label);
    const int middle = (t + bt) / 2;
    switch (b.captionAt) {
      case CaptionAt::Above:
      case CaptionAt::None: {
        // Tab and caption on one line just above the box.
        const int h = kLabel + 30;
        if (tab) Tab(l, t - h - 15, tab, h, b.label);
        if (b.captionAt == CaptionAt::Above) {
          const int room = (b.captionWidth ? b.captionWidth * kSubunits : r - l) - tab - (tab ? 30 : 0);
          Lines(l + tab + (tab ? 30 : 0), t - 45 - (LineCount(caption) - 1) * kCaption * 6 / 5, caption, kCaption, false, 0, room);
        }
        break;
      }
      case CaptionAt::Left: {
        // Tab against the box's left edge, caption right-aligned before it.
        if (tab) Tab(l - tab, t, tab, bt - t, b.label);
        const int room = (b.captionWidth ? b.captionWidth : 220) * kSubunits;
        const int lines = LineCount(caption);
        Lines(l - tab - 40, middle - (lines - 1) * kCaption * 6 / 10 + kCaption * 35 / 100, caption, kCaption, false, 2, room);
        break;
      }
      case CaptionAt::Right: {
        if (tab) Tab(l - tab, t, tab, bt - t, b.label);
        const int room = (b.captionWidth ? b.captionWidth : 160) * kSubunits;
        const int lines = LineCount(caption);
        Lines(r + 40, middle - (lines - 1) * kCaption * 6 / 10 + kCaption * 35 / 100, caption, kCaption, false, 0, room);
        break;
      }
    }
  }

  const Page& page_;
  std::size_t lang_;
  Palette palette_;
  wmf::Writer w_;
  int nullPen_ = 0;
  int nullBrush_ = 0;
  std::vector<std::string>* problems_;
};

}  // namespace

double TextWidth(std::string_view utf8, double size, bool bold) {
  const short* table = bold ? kBold : kRegular;
  double sum = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    unsigned cp = c;
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
    if (n > 1) {
      cp = c & (0x3F >> (n - 1));
      for (std::size_t k = 1; k < n && i + k < utf8.size(); ++k) cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += n;
    if (cp < 32 || cp == '\n') continue;
    char ch = cp < 127 ? static_cast<char>(cp) : BaseLetter(cp);
    sum += table[static_cast<unsigned char>(ch) - 32];
  }
  return sum * size / 1000.0;
}

std::vector<std::uint8_t> DrawPage(const Page& page, int language, std::vector<std::string>* problems) {
  return Painter(page, language, problems).Run();
}

}  // namespace pages
