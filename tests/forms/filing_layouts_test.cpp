// The shipped layout tables: their rows name only pages the writers hold and positions those pages
// have, reserve the places of the sheet list and the seal, and lay out a whole file.
#include <cstring>
#include <set>
#include <tuple>
#include <utility>

#include "blocks/form100.h"
#include "blocks/form714.h"
#include "tools/dbsource/dbsource.h"
#include "filing_fixture.h"
#include "forms/filing/filing_writer100.h"
#include "forms/filing/filing_pages.h"
#include "forms/filing/filing_writer714.h"

using filingtest::BoxDef;

namespace {

struct ShippedRow {
  int page, position, length, decimals;
  char kind;
  std::string text, comment;
};

class ShippedLayouts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new dbtest::TempDir;
    std::string error;
    ASSERT_TRUE(db::BuildDatabaseFromSources(QX_SOURCE_DIR "/resources/db/DatLocal", dir_->Path() / "DatLocal.db", &error))
        << error;
  }
  static void TearDownTestSuite() { delete dir_; }
  void SetUp() override { ASSERT_TRUE(local.Open(dir_->Str() + "DatLocal.db", db::OpenMode::ReadOnly)); }

  std::vector<ShippedRow> Rows(const char* table) {
    std::vector<ShippedRow> rows;
    db::CAdoRecordset rs;
    EXPECT_TRUE(rs.Open(table, &local, {}, "[idinternet] ASC"));
    for (; rs.IsNotAtEnd(); rs.MoveNext()) {
      ShippedRow r{};
      std::string page, number, kind;
      rs.GetText("INDICEFICH", page);
      rs.GetText("INDNUMERO", number);
      rs.GetText("fminternet", kind);
      rs.GetInt("longitud", r.length);
      rs.GetInt("decimales", r.decimals);
      rs.GetText("caracter", r.text);
      rs.GetText("comentario", r.comment);
      EXPECT_EQ(page.size(), 4u) << page;
      r.page = std::stoi(page);
      r.position = std::stoi(number);
      r.kind = kind.empty() ? ' ' : kind[0];
      rows.push_back(r);
    }
    return rows;
  }

  // Boxes for every position the layout names, each on a slot of its own; amounts where the
  // layout reads amounts, marks where it reads marks.
  void DefinePages(const std::vector<ShippedRow>& rows, filingtest::PageSet& pages, std::size_t& next) {
    std::map<int, std::set<int>> seen;
    for (const ShippedRow& r : rows) {
      if (r.position <= 0 || !seen[r.page].insert(r.position).second) continue;
      const std::string spec = r.kind == 'D' ? "R13.2" : r.kind == 'B' || r.kind == 'K' ? "B1" : "S60";
      pages.defs[r.page].push_back({r.position, spec, static_cast<int>(next)});
      next += 64;
    }
  }

  static dbtest::TempDir* dir_;
  db::CAdoConnection local;
};
dbtest::TempDir* ShippedLayouts::dir_ = nullptr;

void CheckStructure(const std::vector<ShippedRow>& rows, const std::set<int>& pages, int firstPage) {
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front().page, firstPage);
  int sheetList = 0, seal = 0;
  std::set<std::string> comments;
  for (const ShippedRow& r : rows) {
    EXPECT_TRUE(pages.count(r.page)) << r.page;
    EXPECT_NE(std::string("CRJDSEBKV ").find(r.kind), std::string::npos) << r.kind;
    if (r.position == forms::kSheetListPosition) {
      ++sheetList;
      EXPECT_EQ(r.page, firstPage);
    }
    if (r.position == forms::kSealPosition) {
      ++seal;
      EXPECT_EQ(r.page, firstPage);
      EXPECT_EQ(r.length, 13);
    }
    if (r.kind == 'J') {
      EXPECT_TRUE(comments.count(r.comment)) << "repeat without its label: " << r.comment;
    }
    if (r.kind == 'D' || r.kind == 'S' || r.kind == 'E') {
      EXPECT_GT(r.length, 0);
    }
    comments.insert(r.comment);
  }
  EXPECT_EQ(sheetList, 1);
  EXPECT_EQ(seal, 1);
}

TEST_F(ShippedLayouts, Form714RowsCoverEveryDataBoxOnce) {
  const std::vector<ShippedRow> rows = Rows("internet_patrimonio");
  CheckStructure(rows, {301, 302, 303, 304, 305, 306, 307, 308, 309, 310, 311}, 301);
  // Positions per page; the section pages 302-308 lay out every box from 4 to the three foot boxes.
  const std::map<int, int> boxes{{301, 51}, {302, 200}, {303, 187}, {304, 112}, {305, 95}, {306, 81},
                                 {307, 106}, {308, 80},  {309, 34},  {310, 30},  {311, 34}};
  std::map<int, std::multiset<int>> used;
  for (const ShippedRow& r : rows)
    if (r.position > 0) {
      EXPECT_LE(r.position, boxes.at(r.page)) << r.page;
      used[r.page].insert(r.position);
    }
  for (int page = 302; page <= 308; ++page)
    for (int p = 4; p <= boxes.at(page) - 3; ++p) EXPECT_EQ(used[page].count(p), 1u) << page << " position " << p;
}

TEST_F(ShippedLayouts, Form100RowsAreConsistent) {
  const std::vector<ShippedRow> rows = Rows("internet");
  std::set<int> held{290};
  for (int p = 201; p <= 217; ++p) held.insert(p);
  CheckStructure(rows, held, 201);
  // The barcode text ends where the signature section begins.
  bool signature = false;
  for (const ShippedRow& r : rows) signature = signature || (r.kind == 'C' && r.text.rfind("<FIRMA", 0) == 0);
  EXPECT_TRUE(signature);
}

TEST_F(ShippedLayouts, Form714WholeFileWithEveryPageInUse) {
  std::vector<std::uint8_t> block(f714::kBlockSize + 64 * 1200, 0);
  filingtest::PageSet pages(block);
  std::size_t next = f714::kBlockSize;
  DefinePages(Rows("internet_patrimonio"), pages, next);
  for (int page = 302; page <= 308; ++page)  // one amount on each section page
    for (const BoxDef& d : pages.defs[page])
      if (d.spec == "R13.2") {
        blocks::F64{static_cast<std::size_t>(d.offset)}.set(block.data(), 1.0);
        break;
      }
  MessageRecorder messages;
  forms::FilingContext c;
  c.local = &local;
  c.messages = &messages;
  c.block = block;
  c.pages = pages.Factory();
  dbtest::TempDir out;
  std::string path = out.Str() + "X.714";
  forms::CFilingFileWriter714 writer(std::move(c));
  EXPECT_EQ(writer.GetFilter(), "");
  ASSERT_TRUE(writer.Generate(path, forms::kFilingCreate));
  EXPECT_EQ(writer.SheetList(), "001002003004005006007008009010011FIN");
  const std::string file = filingtest::ReadFile(path);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < file.size();) {
    const std::size_t end = file.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "every record ends with CR LF";
    lines.push_back(file.substr(at, end - at));
    at = end + 2;
  }
  ASSERT_EQ(lines.size(), 13u);  // the header, eleven pages, the end
  EXPECT_EQ(lines[0].rfind("<T7142003", 0), 0u);
  EXPECT_NE(lines[0].find("001002003004005006007008009010011FIN"), std::string::npos);
  for (int page = 301; page <= 311; ++page)
    EXPECT_EQ(lines[static_cast<std::size_t>(page - 300)].rfind("<P" + std::to_string(page), 0), 0u) << page;
  EXPECT_EQ(lines[12], "</T714>");
}

}  // namespace

namespace {

// The program's pages: the shipped box definitions and binding tables of page 301, the shipped
// layout; pages not yet defined are reported once each and lay out as blanks.
TEST(FilingProgramPages, Form714IdentificationFromTheShippedDefinitions) {
  db::CAdoConnection local;
  ASSERT_TRUE(local.Open(QX_BINARY_DIR "/resources/DatLocal.db", db::OpenMode::ReadOnly));
  std::vector<std::uint8_t> block(f714::kBlockSize, 0);
  const auto put = [&](std::size_t offset, std::string_view text) {
    std::memcpy(block.data() + f714::Personal.offset + offset, text.data(), text.size());
  };
  put(86, "12345678Z");
  put(96, "GARCIA");
  put(230, "MADRID");
  std::vector<int> reported;
  forms::BoxTables tables{&local, 'e', [&](int id, bool) { reported.push_back(id); }};
  MessageRecorder messages;
  forms::FilingContext c;
  c.local = &local;
  c.messages = &messages;
  c.block = block;
  c.pages = forms::BindingTableFilingPages(tables, block);
  forms::CFilingFileWriter714 writer(std::move(c));
  std::string text;
  ASSERT_TRUE(writer.Generate(text, forms::kFilingTextOnly));
  const std::string page301 = text.substr(text.find("<P301"));
  EXPECT_EQ(page301.substr(0, 5 + 1 + 3 + 1 + 9 + 15), "<P301" "0" "   " "0" "12345678Z" "GARCIA         ");
  EXPECT_NE(page301.find("MADRID              28"), std::string::npos);
  EXPECT_EQ(text.substr(9, 11), "E0" "12345678Z");
  for (int id : reported) EXPECT_EQ(id, forms::kStrCannotInitPage);
}

}  // namespace

namespace {

// The shipped layouts against the shipped box definitions: every field row reads a box that its
// page has, by the kind that box's value needs (an amount as an amount, a date or a code as text,
// a mark as a mark); every data box of a filed page is filed once.
TEST(FilingProgramPages, LayoutRowsReadEveryDataBoxByItsKind) {
  db::CAdoConnection local;
  ASSERT_TRUE(local.Open(QX_BINARY_DIR "/resources/DatLocal.db", db::OpenMode::ReadOnly));
  struct Box {
    char type;
    int paint;
    std::string id;
  };
  std::map<int, std::map<int, Box>> boxes;
  {
    db::CAdoRecordset rs;
    ASSERT_TRUE(rs.Open("ControlX", &local, {}, ""));
    for (; rs.IsNotAtEnd(); rs.MoveNext()) {
      std::string page, number, spec, id;
      std::int32_t paint = 0;
      rs.GetText("IndiceFich", page);
      rs.GetText("IndNumero", number);
      rs.GetText("StrValidac", spec);
      rs.GetText("Identifica", id);
      rs.GetInt("PintarEn", paint);
      boxes[std::stoi(page)][std::stoi(number)] = {spec.empty() ? ' ' : spec[0], paint, id};
    }
  }
  const auto fits = [](char kind, char type) {
    const std::string_view amounts = "FRM", integers = "CI";
    switch (kind) {
      case 'D': return amounts.find(type) != std::string_view::npos;
      case 'B': return type == 'B';
      case 'K': return type == 'T' || type == 'B';
      case 'E': return integers.find(type) != std::string_view::npos || std::string_view("FRMBT").find(type) == std::string_view::npos;
      case 'S':
      case 'V': return std::string_view("FRMBTCIZ").find(type) == std::string_view::npos;
      default: return true;  // special fields name their own values
    }
  };
  for (const char* table : {"internet", "internet_patrimonio"}) {
    std::map<int, std::map<int, int>> filed;
    db::CAdoRecordset rs;
    ASSERT_TRUE(rs.Open(table, &local, {}, "[idinternet] ASC"));
    for (; rs.IsNotAtEnd(); rs.MoveNext()) {
      std::string page, number, kind;
      rs.GetText("INDICEFICH", page);
      rs.GetText("INDNUMERO", number);
      rs.GetText("fminternet", kind);
      const int code = std::stoi(page), position = std::stoi(number);
      if (position <= 0 || code == 204) continue;
      ASSERT_TRUE(boxes.count(code)) << table << ": page " << code << " has no boxes";
      const auto box = boxes[code].find(position);
      ASSERT_NE(box, boxes[code].end()) << table << ": page " << code << " has no box " << position;
      EXPECT_TRUE(fits(kind.empty() ? ' ' : kind[0], box->second.type))
          << table << ": page " << code << " box " << position << " of type " << box->second.type << " read as " << kind;
      ++filed[code][position];
    }
    for (const auto& [code, positions] : filed) {
      if (code == 201 || code == 301) continue;  // the header reads some of their boxes again
      for (const auto& [position, box] : boxes[code]) {
        // The identity at the head of a sheet is the header's; page 205's registry numbers are
        // filed split into number and year.
        const int first714 = code == 311 ? 15 : code >= 309 ? 3 : 4;
        const bool head = code > 300 ? position < first714 : box.id == "ZDNID" || box.id == "ZAPEND";
        const bool split = code == 205 && (position == 55 || position == 115);
        const bool data = box.paint == 0 && box.type != 'Z' && !head && !split;
        const auto it = positions.find(position);
        EXPECT_EQ(it == positions.end() ? 0 : it->second, data ? 1 : 0) << table << ": page " << code << " box " << position;
      }
    }
  }
}

}  // namespace

namespace {

// A writer that looks at every field row of the shipped layout as it is laid out: a row with a
// box position must find that box on its page; a row of no kind must have its value filled by
// the writer (a probe value put in its place must not come back); the church and social-purposes
// choice reads check-mark boxes. Every page is laid out, in use or not.
template <class Writer>
class LayoutProbe : public Writer {
 public:
  using Writer::Writer;
  std::vector<std::string> faults;
  std::set<std::string> probed;
  const std::set<std::tuple<int, int, std::string>>* noKindRows = nullptr;  // page, number, name of rows of no kind

 protected:
  void GetSpecialFieldValue(int p, int page, int rowOffset, std::string& value, int& length,
                            const std::string& name) override {
    const std::string where = std::to_string(page) + " " + std::to_string(p) + " " + name;
    const CBoxField* box = p > 0 ? this->CurrentBox(p) : nullptr;
    if (p > 0 && !box) faults.push_back(where + ": no such box on the page");
    if ((name.find("Z61") != std::string::npos || name.find("Z71") != std::string::npos) &&
        !(box && box->TypeLetter() == 'B'))
      faults.push_back(where + ": the assignment choice reads no check-mark box");
    const bool noKind = noKindRows && noKindRows->count({page, p, name});
    if (!noKind || p == forms::kSheetListPosition || p == forms::kSealPosition) {
      Writer::GetSpecialFieldValue(p, page, rowOffset, value, length, name);
      return;
    }
    const std::string probe(value.size(), '\x7f');
    value = probe;
    Writer::GetSpecialFieldValue(p, page, rowOffset, value, length, name);
    if (value.size() == probe.size() && value.find('\x7f') != std::string::npos)
      faults.push_back(where + ": a row of no kind that the writer does not fill");
    probed.insert(where);
  }
};

std::set<std::tuple<int, int, std::string>> NoKindRows(db::CAdoConnection& local, const char* table) {
  std::set<std::tuple<int, int, std::string>> rows;
  db::CAdoRecordset rs;
  EXPECT_TRUE(rs.Open(table, &local, {}, "[idinternet] ASC"));
  for (; rs.IsNotAtEnd(); rs.MoveNext()) {
    std::string page, number, kind, name;
    rs.GetText("INDICEFICH", page);
    rs.GetText("INDNUMERO", number);
    rs.GetText("fminternet", kind);
    rs.GetText("comentario", name);
    if (kind.empty() || std::string("CRJDSEBKV").find(kind[0]) == std::string::npos)
      rows.insert({std::stoi(page), std::stoi(number), name});
  }
  return rows;
}

TEST(FilingProgramPages, EveryLayoutRowNamesABoxOrAFieldTheWriterFills) {
  db::CAdoConnection local;
  ASSERT_TRUE(local.Open(QX_BINARY_DIR "/resources/DatLocal.db", db::OpenMode::ReadOnly));
  forms::BoxTables tables{&local, 'e', [](int, bool) {}};
  MessageRecorder messages;
  const auto context = [&](std::span<std::uint8_t> block) {
    forms::FilingContext c;
    c.local = &local;
    c.messages = &messages;
    c.block = block;
    c.pages = forms::BindingTableFilingPages(tables, block);
    return c;
  };
  {
    std::vector<std::uint8_t> block(f100::kBlockSize, 0);
    const auto noKind = NoKindRows(local, "internet");
    LayoutProbe<forms::CFilingFileWriter100> writer(2, context(block));
    writer.SetFilter({});  // every page, in use or not
    writer.noKindRows = &noKind;
    std::string text;
    ASSERT_TRUE(writer.Generate(text, forms::kFilingTextOnly));
    EXPECT_TRUE(writer.faults.empty()) << ::testing::PrintToString(writer.faults);
    EXPECT_GT(writer.probed.size(), 20u);
    EXPECT_TRUE(writer.probed.count("201 163 Z61") && writer.probed.count("201 164 Z71"));
  }
  {
    std::vector<std::uint8_t> block(f714::kBlockSize, 0);
    const auto noKind = NoKindRows(local, "internet_patrimonio");
    LayoutProbe<forms::CFilingFileWriter714> writer(context(block));
    writer.SetFilter({});
    writer.noKindRows = &noKind;
    std::string text;
    ASSERT_TRUE(writer.Generate(text, forms::kFilingTextOnly));
    EXPECT_TRUE(writer.faults.empty()) << ::testing::PrintToString(writer.faults);
    EXPECT_FALSE(writer.probed.empty());
  }
}

}  // namespace
