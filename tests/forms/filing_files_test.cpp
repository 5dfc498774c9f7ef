// Whole filing files of the program's pages and the shipped layouts, read back field by field:
// every field of a record where the layout puts it, as wide as the layout says, padded as its
// kind pads; the values set in the declaration where their boxes are, the rest empty.
#include <optional>
#include <array>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "blocks/field.h"
#include "blocks/form100.h"
#include "blocks/form100_e1.h"
#include "blocks/form714.h"
#include "support/member_view.h"
#include "filing_fixture.h"
#include "forms/filing/filing_pages.h"
#include "forms/filing/filing_writer100.h"
#include "forms/filing/filing_writer714.h"
#include "forms/pages/ord003.h"
#include "forms/pages/page714.h"
#include "forms/view/form_views.h"

namespace {

struct Field {
  int page = 0;
  int position = 0;
  char kind = ' ';
  int length = 0;
  int decimals = 0;
  std::string text, comment;
  int at = 0;  // offset in its record
  int width = 0;
};

std::vector<Field> LayoutRows(db::CAdoConnection& local, const char* table) {
  std::vector<Field> rows;
  db::CAdoRecordset rs;
  EXPECT_TRUE(rs.Open(table, &local, {}, "[idinternet] ASC"));
  for (; rs.IsNotAtEnd(); rs.MoveNext()) {
    Field f;
    std::string page, number, kind;
    std::int32_t n = 0;
    rs.GetText("INDICEFICH", page);
    rs.GetText("INDNUMERO", number);
    rs.GetText("fminternet", kind);
    rs.GetInt("longitud", n);
    f.length = n;
    rs.GetInt("decimales", n);
    f.decimals = n;
    rs.GetText("caracter", f.text);
    rs.GetText("comentario", f.comment);
    f.page = std::stoi(page);
    f.position = std::stoi(number);
    f.kind = kind.empty() ? ' ' : kind[0];
    rows.push_back(f);
  }
  return rows;
}

// The fields of the record that the constant `opening` begins, with their offsets counted from
// the opening's first character; the last element is the closing ">" (its offset is the
// record's length less one).
std::vector<Field> Record(const std::vector<Field>& rows, const std::string& opening) {
  std::vector<Field> fields;
  bool in = false;
  int at = 0;
  for (const Field& r : rows) {
    if (!in) {
      if (r.kind != 'C' || r.text != opening) continue;
      in = true;
      at = static_cast<int>(r.text.size());
      continue;
    }
    Field f = r;
    f.at = at;
    f.width = r.kind == 'D' ? r.length + r.decimals : r.kind == 'B' || r.kind == 'K' ? 1 : r.length;
    if (r.kind == 'C') f.width = static_cast<int>(r.text.size());
    fields.push_back(f);
    if (r.kind == 'C' && r.text == ">") return fields;
    at += f.width;
  }
  ADD_FAILURE() << "no record " << opening;
  return fields;
}

// What an empty field of each kind holds.
std::string Empty(const Field& f) {
  switch (f.kind) {
    case 'D': return std::string(static_cast<std::size_t>(f.width), f.text == "0" ? '0' : ' ');
    case 'E': return std::string(static_cast<std::size_t>(f.width), f.text.empty() ? ' ' : f.text[0]);
    case 'K':
    case 'B': return "0";
    default: return std::string(static_cast<std::size_t>(f.width), ' ');
  }
}

// The records of a file: its text cut at every CR LF.
std::vector<std::string> Records(const std::string& file) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < file.size();) {
    std::size_t end = file.find("\r\n", at);
    if (end == std::string::npos) end = file.size();
    lines.push_back(file.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// Checks a record against its layout: its length, then every box field, `values` by position
// (special fields by their negative position), every other field empty.
void CheckRecord(const std::string& record, const std::vector<Field>& fields, const std::map<int, std::string>& values,
                 const std::string& what) {
  ASSERT_FALSE(fields.empty()) << what;
  ASSERT_EQ(record.size(), static_cast<std::size_t>(fields.back().at + 1)) << what << ": the record's length";
  EXPECT_EQ(record.back(), '>') << what;
  std::set<int> seen;
  for (const Field& f : fields) {
    if (f.kind == 'C') continue;
    const std::string got = record.substr(static_cast<std::size_t>(f.at), static_cast<std::size_t>(f.width));
    const auto it = values.find(f.position);
    const std::string want = it != values.end() ? it->second : Empty(f);
    EXPECT_EQ(got, want) << what << ", position " << f.position << " at " << f.at;
    seen.insert(f.position);
  }
  for (const auto& [position, value] : values)
    EXPECT_TRUE(seen.count(position)) << what << ": no field for position " << position;
}

// The field of a box of the current layout, to find it in the header record.
const Field& FieldNamed(const std::vector<Field>& fields, const std::string& comment) {
  for (const Field& f : fields)
    if (f.comment == comment) return f;
  static const Field none;
  ADD_FAILURE() << "no field " << comment;
  return none;
}

std::size_t BoundOffset(int page, int position) {
  for (const forms::BoxBinding& b : forms::PageBindings(page))
    if (b.position == position) return b.offset;
  ADD_FAILURE() << "page " << page << " binds no box " << position;
  return 0;
}

constexpr char kSeal[] = "SEALSEALSEAL";

class FilingFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(local.Open(QX_BINARY_DIR "/resources/DatLocal.db", db::OpenMode::ReadOnly));
    published.emplace();
    qxtest::Publish(household, shown);
  }
  void TearDown() override { published.reset(); }
  forms::FilingContext Context(std::span<std::uint8_t> block) {
    forms::FilingContext c;
    c.local = &local;
    c.messages = &messages;
    c.block = block;
    c.member = 2;
    c.showMember = [this](int m) {
      const int before = shown;
      shown = m;
      return before;
    };
    c.pages = forms::BindingTableFilingPages(forms::BoxTables{&local, 'e', [this](int id, bool) { reported.push_back(id); }},
                                             block);
    c.seal = [](const std::string&, char* seal, int) {
      std::memcpy(seal, kSeal, 12);
      return 0;
    };
    return c;
  }

  db::CAdoConnection local;
  MessageRecorder messages;
  std::vector<int> reported;
  std::optional<qxtest::PublishedDeclaration> published;
  qxtest::HouseholdSlot household{{1, 1, 0, 0, 0}};
  qxtest::ShownSlot shown{2};
  dbtest::TempDir out;
};

// The declarant's file: identity on page 201, work income and a negative net amount on page 202,
// four activities on page 203 (three on the page, the fourth on its continuation sheet), an
// amount on page 212. Pages without data are left out; the sheet list and the seal fill their
// places in the header.
TEST_F(FilingFiles, Form100FileOfTheDeclarantFieldByField) {
  namespace e1 = f100::sec_e1;
  using forms::CBoxesORD003;
  std::vector<std::uint8_t> block(f100::kBlockSize, 0);
  std::uint8_t* b = block.data();
  const std::size_t member = 1;  // the declarant's slot
  std::memcpy(b + BoundOffset(201, 1) + 9 * member, "12345678Z", 9);
  blocks::F64{BoundOffset(202, 3) + 8 * member}.set(b, 18000.0);
  blocks::F64{BoundOffset(202, 15) + 8 * member}.set(b, -1234.56);
  blocks::F64{BoundOffset(212, 4) + 8 * member}.set(b, 250.75);
  const double incomes[] = {100.5, 200.0, 300.25, 4000.0};
  for (std::size_t i = 0; i < 4; ++i) {
    std::uint8_t* r = b + f100::SectionE1.offset + i * e1::kRowSize;
    r[0] = 2;
    r[1] = '2';
    r[e1::NormalModality.off] = 1;
    e1::Income1Entered.set(r, incomes[i]);
    e1::Income1.set(r, incomes[i]);
  }

  const std::string path = out.Str() + "12345678.100";
  std::string file = path;
  {
    forms::CFilingFileWriter100 writer(2, Context(block));
    EXPECT_EQ(writer.GetFilter(), "!204 !205 !206 !207 !208 !209 !213 !214 !215 !216 ");
    ASSERT_TRUE(writer.Generate(file, forms::kFilingCreate));
    EXPECT_EQ(writer.SheetList(), "001002003003010011012017FIN");
  }
  EXPECT_TRUE(reported.empty()) << "every page the file holds is defined";
  const std::vector<std::string> records = Records(filingtest::ReadFile(path));
  ASSERT_EQ(records.size(), 11u);  // header, 201, 202, 203 twice, 210, 211, 212, 217, signature, end
  const std::vector<Field> rows = LayoutRows(local, "internet");

  // The header: the member's identification, the sheet list and the seal where the layout keeps them.
  const std::vector<Field> header = Record(rows, "2003");
  ASSERT_EQ(records[0].rfind("<T1002003", 0), 0u);
  const std::string head = records[0].substr(5);
  const Field& sheets = FieldNamed(header, "HOJAS");
  EXPECT_EQ(head.substr(static_cast<std::size_t>(sheets.at), static_cast<std::size_t>(sheets.width)),
            "001002003003010011012017FIN" + std::string(static_cast<std::size_t>(sheets.width) - 27, ' '));
  const Field& seal = FieldNamed(header, "SELLO");
  EXPECT_EQ(head.substr(static_cast<std::size_t>(seal.at), 13), std::string(kSeal) + "O");
  EXPECT_EQ(head.size(), static_cast<std::size_t>(header.back().at + 1));
  for (const Field& f : header) {
    if (f.position == 1) {
      EXPECT_EQ(head.substr(static_cast<std::size_t>(f.at), 9), "12345678Z");
    }
  }

  std::vector<std::string> opened;
  for (const std::string& r : records) opened.push_back(r.substr(0, 5));
  EXPECT_EQ(opened, (std::vector<std::string>{"<T100", "<P201", "<P202", "<P203", "<P203", "<P210", "<P211", "<P212",
                                              "<P217", "<FIRM", "</T10"}));

  CheckRecord(records[2], Record(rows, "<P202"),
              {{-15, " "}, {3, "000000001800000"}, {15, "N00000000123456"}}, "page 202");
  // Sheet 1 of page 203: its sheet digit and the first three activities, owner, kind, modality
  // and income; sheet 2 the fourth, marked as a continuation sheet.
  const std::vector<Field> p203 = Record(rows, "<P203");
  std::map<int, std::string> first{{-15, " "}, {CBoxesORD003::kSheetBox, "1"}};
  std::map<int, std::string> second{{-15, "C"}};
  const std::string amounts[] = {"000000000010050", "000000000020000", "000000000030025", "000000000400000"};
  for (int i = 0; i < 4; ++i) {
    std::map<int, std::string>& sheet = i < 3 ? first : second;
    const int row = i % 3;
    sheet[CBoxesORD003::PositionOf(row, CBoxesORD003::kOwner)] = "2";
    sheet[CBoxesORD003::PositionOf(row, CBoxesORD003::kKind)] = "2";
    sheet[CBoxesORD003::PositionOf(row, CBoxesORD003::kNormal)] = "1";
    sheet[CBoxesORD003::PositionOf(row, CBoxesORD003::kIncome1)] = amounts[i];
  }
  CheckRecord(records[3], p203, first, "page 203, sheet 1");
  CheckRecord(records[4], p203, second, "page 203, sheet 2");
  CheckRecord(records[7], Record(rows, "<P212"), {{-15, " "}, {4, "000000000025075"}}, "page 212");
  CheckRecord(records[5], Record(rows, "<P210"), {{-15, " "}}, "page 210");
  EXPECT_EQ(records[10], "</T100>");
}

// Page 201's ascendant rows as the record lays them out: the whole 33-character name, the
// one-character disability key and the cohabitation as its digit, at the layout's places.
TEST_F(FilingFiles, Form100AscendantsWhereTheLayoutPutsThem) {
  std::vector<std::uint8_t> block(f100::kBlockSize, 0);
  std::uint8_t* b = block.data();
  std::memcpy(b + BoundOffset(201, 1) + 9, "12345678Z", 9);
  std::uint8_t* a = b + 4152;  // the ascendants, 80 bytes each
  const std::string name = "APELLIDOUNO APELLIDODOS NOMBREABC";
  ASSERT_EQ(name.size(), 33u);
  std::memcpy(a, "44444444A", 9);
  std::memcpy(a + 9, name.data(), 33);
  std::memcpy(a + 46, "01021930", 8);
  a[60] = '2';
  std::memcpy(a + 62, "11 ", 3);
  blocks::F64{72}.set(a, 3.0);
  std::memcpy(a + 80, "55555555K", 9);  // a second ascendant without cohabitation
  std::memcpy(a + 80 + 62, "11 ", 3);

  std::string file = out.Str() + "12345678.100";
  {
    forms::CFilingFileWriter100 writer(2, Context(block));
    ASSERT_TRUE(writer.Generate(file, forms::kFilingCreate));
  }
  const std::vector<std::string> records = Records(filingtest::ReadFile(out.Str() + "12345678.100"));
  ASSERT_GE(records.size(), 2u);
  ASSERT_EQ(records[1].rfind("<P201", 0), 0u);
  const std::vector<Field> fields = Record(LayoutRows(local, "internet"), "<P201");
  ASSERT_EQ(records[1].size(), static_cast<std::size_t>(fields.back().at + 1));
  const std::map<int, std::string> want = {
      {137, "44444444A"}, {138, name}, {139, "01021930"}, {140, "2"}, {141, "1"}, {142, "3"},
      {143, "55555555K"}, {144, std::string(33, ' ')}, {146, " "}, {147, "1"}, {148, "0"}};
  std::set<int> seen;
  for (const Field& f : fields) {
    const auto it = want.find(f.position);
    if (it == want.end()) continue;
    seen.insert(f.position);
    EXPECT_EQ(records[1].substr(static_cast<std::size_t>(f.at), static_cast<std::size_t>(f.width)), it->second)
        << "position " << f.position;
  }
  EXPECT_EQ(seen.size(), want.size());
}

// The form-714 file: a row of page 302 (its text codes as texts), a negative liquidation value,
// pages 303 to 308 without data left out.
TEST_F(FilingFiles, Form714FileFieldByField) {
  forms::RegisterForm714Pages();
  published.reset();  // no form-100 declaration open
  std::vector<std::uint8_t> block(f714::kBlockSize, 0);
  std::uint8_t* b = block.data();
  std::memcpy(b + BoundOffset(301, 4), "87654321X", 9);
  const auto text = [&](int page, int position, std::string_view value) {
    std::memcpy(b + BoundOffset(page, position), value.data(), value.size());
  };
  // Row 1 of the real-estate list: code, holder, reference, description, value.
  text(302, 15, "U");
  text(302, 16, "1");
  text(302, 17, "REF-001");
  text(302, 18, "PISO EN MADRID");
  blocks::F64{BoundOffset(302, 19)}.set(b, 150000.0);
  blocks::F64{BoundOffset(310, 3)}.set(b, -50.25);
  std::memcpy(b + f714::Summary.offset + 553, "01062004", 8);  // the declaration's date

  const std::string path = out.Str() + "87654321.714";
  std::string file = path;
  {
    forms::CFilingFileWriter714 writer(Context(block));
    EXPECT_EQ(writer.GetFilter(), "!303 !304 !305 !306 !307 !308 ");
    ASSERT_TRUE(writer.Generate(file, forms::kFilingCreate));
    EXPECT_EQ(writer.SheetList(), "001002009010011FIN");
  }
  EXPECT_TRUE(reported.empty());
  const std::vector<std::string> records = Records(filingtest::ReadFile(path));
  ASSERT_EQ(records.size(), 7u);  // header, 301, 302, 309, 310, 311, end
  const std::vector<Field> rows = LayoutRows(local, "internet_patrimonio");
  const std::vector<Field> header = Record(rows, "2003");
  const std::string head = records[0].substr(5);
  EXPECT_EQ(head.size(), static_cast<std::size_t>(header.back().at + 1));
  const Field& sheets = FieldNamed(header, "HOJAS");
  EXPECT_EQ(head.substr(static_cast<std::size_t>(sheets.at), static_cast<std::size_t>(sheets.width)),
            "001002009010011FIN" + std::string(static_cast<std::size_t>(sheets.width) - 18, ' '));
  EXPECT_EQ(head.substr(static_cast<std::size_t>(FieldNamed(header, "SELLO").at), 13), std::string(kSeal) + "O");

  CheckRecord(records[2], Record(rows, "<P302"),
              {{15, "U"}, {16, "1"}, {17, "REF-001" + std::string(14, ' ')}, {18, "PISO EN MADRID" + std::string(27, ' ')},
               {19, "000000015000000"}},
              "page 302");
  CheckRecord(records[3], Record(rows, "<P309"), {}, "page 309");
  CheckRecord(records[4], Record(rows, "<P310"), {{3, "N00000000005025"}}, "page 310");
  const std::vector<Field> p311 = Record(rows, "<P311");
  EXPECT_EQ(records[5].size(), static_cast<std::size_t>(p311.back().at + 1));
  EXPECT_EQ(records[6], "</T714>");
}

}  // namespace
