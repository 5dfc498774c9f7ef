// The "datos fiscales" reader over the shipped layout tables and the sample files: every record
// and field read as laid out; damaged, truncated, oversized and foreign files refused with their
// message and nothing kept.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "data/db/ado.h"
#include "platform/strings.h"
#include "wizards/fiscal_file.h"
#include "wizards/fiscal_format.h"
#include "wizards/fiscal_helpers.h"
#include "wizards/fiscal_layout_db.h"
#include "wizards/fiscal_layout_tsv.h"
#include "support/ui_helpers.h"

using namespace fiscal;

namespace {

const Layout& ShippedLayout(char language = 'e') {
  static std::map<char, Layout> layouts;
  auto it = layouts.find(language);
  if (it == layouts.end()) {
    db::CAdoConnection local;
    EXPECT_TRUE(local.Open(QX_BINARY_DIR "/resources/DatLocal.db", db::OpenMode::ReadOnly));
    it = layouts.emplace(language, LoadLayout(&local, language)).first;
  }
  return it->second;
}

std::string ReadBytes(const std::string& name) {
  std::ifstream in(std::string(QX_SOURCE_DIR "/resources/examples/") + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A field as the transfer page shows it.
std::string Shown(const FieldLayout& f, const std::string& value) {
  if (!f.inFile) return value;
  if (f.type == 'N') return FormatFileNumber(value, f.length, f.decimals);
  if (f.type == 'D') return FormatFileDate(value);
  return value;
}

struct ExpectedRecord {
  const char* key;
  std::vector<std::string> cells;
};
struct ExpectedFile {
  const char* name;
  std::vector<ExpectedRecord> records;
};

// Texts in Windows-1252, as the files hold them.
const std::vector<ExpectedFile> kSamples = {
// trabajador.df
{"trabajador.df", {
  {"DI", {"12345678Z", "MARTINEZ ROJO ANA                       ", "CL", "MAYOR               ", "12   ", "   ", "  ", "3 ", "B ", "28013", "MADRID                   ", "MADRID        ", "01/04/2004"}},
  {"RTA", {"RTA", "A28123456", "DISTRIBUCIONES CENTRO SA      ", "A", "21.450,30", "3.217,55", "0,00", "0,00", "0,00", "1.363,10", "0,00"}},
  {"CB", {"CB0", "A28000032", "BANCO DEL CENTRO SA           ", "00491234561234567890", "84,12", "12,62", "0,00", "0,00", "0,00"}},
  {"PP", {"PP0", "V81234567", "PLAN FUTURO INDIVIDUAL        ", "A", "1.200,00", "0,00", "", "         "}},
}},
// matrimonio_hijos.df
{"matrimonio_hijos.df", {
  {"DI", {"50000000R", "FERN\xC1""NDEZ IB\xC1""\xD1""EZ JOS\xC9"" MAR\xCD""A             ", "AV", "DE LA CONSTITUCI\xD3""N  ", "45   ", "BIS", "A ", "2 ", "D ", "30001", "MURCIA                   ", "MURCIA        ", "01/04/2004"}},
  {"RTA", {"RTA", "B30111222", "TALLERES LOS \xC1""LAMOS SL        ", "A", "26.800,00", "4.020,00", "600,00", "90,00", "0,00", "1.709,50", "0,00"}},
  {"RTA", {"RTA", "S3011001I", "AYUNTAMIENTO DE MURCIA        ", "A", "3.150,75", "472,61", "0,00", "0,00", "0,00", "200,88", "0,00"}},
  {"RTB", {"RTB", "Q2826004J", "SORTEOS DEL ESTADO            ", "1.500,00", "270,00", "0,00", "0,00", "0,00"}},
  {"CB", {"CB0", "A30000011", "CAJA DEL SURESTE              ", "20431234501234567890", "212,40", "31,86", "0,00", "0,00", "0,00"}},
  {"CB", {"CB1", "A28000032", "BANCO DEL CENTRO SA           ", "00497654329876543210", "35,10", "5,27", "0,00", "0,00", "0,00"}},
  {"RE", {"RE1", "A48010615", "ELECTRICA DEL NORTE SA        ", "ES0144580Y14        ", "15/07/2003", "A01", "100,00", "640,00", "896,00", "96,00", "0,00", "0,00"}},
  {"RE", {"RE2", "A30000011", "CAJA DEL SURESTE              ", "20431234501234567890", "31/12/2003", "B01", "100,00", "318,20", "318,20", "47,73", "0,00", "0,00"}},
  {"RE", {"RE2", "A28000032", "BANCO DEL CENTRO SA           ", "BONO 2005           ", "30/11/2003", "B04", "50,00", "150,00", "150,00", "0,00", "0,00", "0,00"}},
  {"RE", {"RE3", "A30000011", "CAJA DEL SURESTE              ", "DEPOSITO 24 MESES   ", "15/10/2003", "C01", "100,00", "410,00", "410,00", "61,50", "0,00", "0,00"}},
  {"LT", {"LT0", "S2826011E", "TESORO PUBLICO                ", "20/11/2002", "18/11/2003", "5.820,00", "6.000,00", "0,00", "6,00"}},
  {"RI", {"RI0", "A30000011", "CAJA DEL SURESTE              ", "PAGARE 12 MESES     ", "265,00", "39,75", "0,00", "0,00"}},
  {"SG", {"SG0", "A28999111", "SEGUROS MEDITERRANEO SA       ", "VIDA-2099-0001      ", "1.250,00", "187,50", "500,00", "0,00"}},
  {"FI", {"FI0", "V30123456", "FONDO RENTA FIJA MURCIA FI    ", "A30555111", "10/03/1999", "02/06/2003", "0,00", "0,00", "845,30", "0,00", "6.845,30"}},
  {"FI", {"FI0", "V28654321", "FONDO BOLSA EUROPA FI         ", "A28777999", "15/10/2002", "10/09/2003", "0,00", "312,45", "0,00", "0,00", "2.687,55"}},
  {"PP", {"PP0", "V81234567", "PLAN FUTURO INDIVIDUAL        ", "A", "1.800,00", "0,00", "", "         "}},
  {"PP", {"PP1", "V82345678", "PLAN EMPLEADOS ALAMOS         ", "C", "0,00", "600,00", "", "         "}},
  {"DN", {"DN0", "G30112233", "FUNDACION AMIGOS DEL SEGURA   ", "20/05/2003", "A", "0,30", "13", "300,00", "0,25", ""}},
  {"DN", {"DN0", "G28445566", "CRUZ ROJA ESPA\xD1""OLA            ", "03/12/2003", "A", "0,00", "00", "150,00", "0,25", ""}},
  {"PH", {"PH0", "A30000011", "CAJA DEL SURESTE              ", "2043-0099-88-1234567", "3.120,00", "4.210,66", "95,00", "", "", "", ""}},
}},
// autonomo.df
{"autonomo.df", {
  {"DI", {"73456789X", "O'NEILL PUJOL JORDI                     ", "PZ", "DE LA CATEDRAL      ", "7    ", "   ", "  ", "1 ", "1 ", "08002", "BARCELONA                ", "BARCELONA     ", "01/04/2004"}},
  {"AE", {"AE0", "72010", "130", "1T", "812,40"}},
  {"AE", {"AE0", "72010", "130", "2T", "905,15"}},
  {"AE", {"AE0", "72010", "130", "3T", "640,00"}},
  {"AE", {"AE0", "72010", "130", "4T", "1.023,77"}},
  {"CB", {"CB0", "A08000143", "BANC DE LA MEDITERRANIA SA    ", "00811234561234567890", "44,80", "6,72", "0,00", "0,00", "0,00"}},
  {"VA", {"VA0", "A08000143", "BANC DE LA MEDITERRANIA SA    ", "ACCIONS TELECOM     ", "15/09/2003", "4.120,00", "0,00"}},
  {"PP", {"PP0", "V08765432", "PLA PREVISIO AUTONOMS         ", "A", "3.000,00", "0,00", "", "         "}},
  {"DN", {"DN0", "G08998877", "FUNDACIO AMICS DEL BARRI      ", "10/11/2003", "A", "0,00", "09", "120,00", "0,25", ""}},
}},
};

}  // namespace

TEST(FiscalLayout, EveryKeyHasItsPageAndFieldsInTheFourLanguages) {
  const std::vector<std::string> keys = {"DI", "RTA", "RTB", "RE", "RI", "SG", "CB", "LT", "FI", "PP", "DN", "PH"};
  const Layout& e = ShippedLayout('e');
  for (const std::string& k : keys) {
    ASSERT_NE(e.List(k), nullptr) << k;
    ASSERT_NE(e.Fields(k), nullptr) << k;
  }
  for (char l : {'c', 'g', 'v'}) {
    const Layout& other = ShippedLayout(l);
    ASSERT_EQ(other.Lists().size(), e.Lists().size()) << l;
    for (std::size_t i = 0; i < e.Lists().size(); ++i) {
      const ListLayout& a = e.Lists()[i];
      const ListLayout& b = other.Lists()[i];
      EXPECT_EQ(a.key, b.key);
      EXPECT_EQ(a.window, b.window);
      EXPECT_EQ(a.transferable, b.transferable);
      EXPECT_FALSE(b.title.empty());
      const auto& fa = *e.Fields(a.key);
      const auto* fb = other.Fields(a.key);
      ASSERT_NE(fb, nullptr);
      ASSERT_EQ(fa.size(), fb->size()) << a.key;
      for (std::size_t j = 0; j < fa.size(); ++j) {
        EXPECT_EQ(fa[j].Width(), (*fb)[j].Width()) << a.key << j;
        EXPECT_EQ(fa[j].type, (*fb)[j].type);
        EXPECT_EQ(fa[j].accumulable, (*fb)[j].accumulable);
        EXPECT_FALSE((*fb)[j].name.empty());
      }
    }
  }
  // The Catalan and Galician headings are translations, not copies.
  EXPECT_NE(ShippedLayout('c').Fields("RTA")->at(4).name, e.Fields("RTA")->at(4).name);
  EXPECT_NE(ShippedLayout('g').Fields("DN")->at(3).name, e.Fields("DN")->at(3).name);
}

TEST(FiscalLayout, TextSourcesGiveTheDatabaseLayout) {
  // The fuzzer and the benchmarks read the sources; the program reads the database.
  auto slurp = [](const char* name) {
    std::ifstream in(std::string(QX_SOURCE_DIR "/resources/db/DatLocal/") + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  };
  const Layout tsv = LayoutFromTsv(slurp("DFLISTASG.tsv"), slurp("DFCAMPOSG.tsv"));
  const Layout& dbl = ShippedLayout('g');
  ASSERT_EQ(tsv.Lists().size(), dbl.Lists().size());
  for (std::size_t i = 0; i < tsv.Lists().size(); ++i) {
    const ListLayout &a = tsv.Lists()[i], &b = dbl.Lists()[i];
    EXPECT_EQ(std::tie(a.key, a.order, a.title, a.window, a.transferable),
              std::tie(b.key, b.order, b.title, b.window, b.transferable));
    const auto &fa = *tsv.Fields(a.key), &fb = *dbl.Fields(a.key);
    ASSERT_EQ(fa.size(), fb.size());
    for (std::size_t j = 0; j < fa.size(); ++j)
      EXPECT_EQ(std::tie(fa[j].order, fa[j].name, fa[j].type, fa[j].length, fa[j].decimals, fa[j].inFile,
                         fa[j].transferable, fa[j].accumulable),
                std::tie(fb[j].order, fb[j].name, fb[j].type, fb[j].length, fb[j].decimals, fb[j].inFile,
                         fb[j].transferable, fb[j].accumulable));
  }
}

TEST(FiscalLayout, ColumnsThatTheTransferRulesRelyOn) {
  // Column c of a transferable page is the field of order c (column 0 holds the check box).
  const Layout& l = ShippedLayout();
  auto field = [&](const char* key, int column) { return l.Fields(key)->at(static_cast<std::size_t>(column - 1)); };
  EXPECT_EQ(l.List("PP")->window, "cplpen");
  EXPECT_EQ(l.List("PH")->window, "cpresthipo");
  EXPECT_EQ(l.List("DN")->window, "cdfmurcia");
  EXPECT_EQ(field("RE", 6).length, 3);          // the income code (A01, B04, C12 ...)
  EXPECT_TRUE(field("RE", 8).accumulable);      // gross: B04 withholding = column 8 x 0.24
  EXPECT_TRUE(field("RE", 10).accumulable);
  EXPECT_EQ(field("FI", 2).length, 9);          // fund NIF
  for (int c = 7; c <= 11; ++c) EXPECT_EQ(field("FI", c).type, 'N');
  EXPECT_FALSE(field("PP", 7).inFile);          // regime, filled by the page
  EXPECT_EQ(field("PP", 8).length, 9);          // NIF of the disabled relative
  for (int c : {5, 6, 7}) EXPECT_EQ(field("PH", c).type, 'N');
  for (int c : {8, 9, 10, 11}) EXPECT_FALSE(field("PH", c).inFile);
  EXPECT_EQ(field("DN", 7).length, 2);          // community code
  EXPECT_FALSE(field("DN", 10).inFile);
  EXPECT_EQ(field("DI", 2).length, 40);         // full name
  EXPECT_EQ(field("DI", 13).type, 'D');         // date of the data
  int accumulable = 0;
  for (const FieldLayout& f : *l.Fields("RE")) accumulable += f.accumulable;
  EXPECT_EQ(accumulable, 5);  // indexes k, k + 5 and k + 10 stay apart
}

TEST(FiscalFile, SamplesReadEveryRecordAndFieldAsLaidOut) {
  const Layout& layout = ShippedLayout();
  for (const ExpectedFile& sample : kSamples) {
    SCOPED_TRACE(sample.name);
    const std::string bytes = ReadBytes(sample.name);
    ASSERT_FALSE(bytes.empty());
    const FiscalFile file = ReadFiscalFile(bytes, layout);
    ASSERT_TRUE(file.ok()) << static_cast<int>(file.status) << " line " << file.faultLine;
    ASSERT_EQ(file.records.size(), sample.records.size());
    for (std::size_t i = 0; i < file.records.size(); ++i) {
      const Record& r = file.records[i];
      EXPECT_EQ(r.key, sample.records[i].key);
      EXPECT_EQ(r.lineNumber, static_cast<int>(i) + 2);  // after the header
      const auto& fields = *layout.Fields(r.key);
      ASSERT_EQ(r.values.size(), fields.size());
      std::vector<std::string> shown;
      for (std::size_t j = 0; j < fields.size(); ++j) shown.push_back(Shown(fields[j], r.values[j]));
      EXPECT_EQ(shown, sample.records[i].cells) << r.line;
    }
    EXPECT_EQ(file.Nif(), sample.records[0].cells[0]);
  }
}

TEST(FiscalFile, RunsGroupConsecutiveRecordsOfOneKey) {
  const FiscalFile file = ReadFiscalFile(ReadBytes("matrimonio_hijos.df"), ShippedLayout());
  ASSERT_TRUE(file.ok());
  std::vector<std::string> keys;
  for (const fiscal::Run& r : file.runs) keys.push_back(r.key + ":" + std::to_string(r.records.size()));
  EXPECT_EQ(keys, (std::vector<std::string>{"DI:1", "RTA:2", "RTB:1", "CB:2", "RE:4", "LT:1", "RI:1", "SG:1", "FI:2",
                                            "PP:2", "DN:2", "PH:1"}));
}

namespace {

// A line of the worker's sample by key, with its line end.
std::string SampleLine(const std::string& key) {
  std::istringstream in(ReadBytes("trabajador.df"));
  std::string l;
  while (std::getline(in, l))
    if (RecordKey(l.substr(0, l.size() - 1)) == key) return l.substr(0, l.size() - 1);
  return {};
}

std::string File(std::initializer_list<std::string> lines, const char* end = "\r\n") {
  std::string out;
  for (const std::string& l : lines) out += l + end;
  return out;
}

}  // namespace

TEST(FiscalFile, EditionEdgeCases) {
  const Layout& layout = ShippedLayout();
  const std::string di = SampleLine("DI"), rta = SampleLine("RTA"), cb = SampleLine("CB");
  ASSERT_FALSE(di.empty());
  auto ok = [&](const std::string& bytes) { return ReadFiscalFile(bytes, layout); };

  FiscalFile f = ok(File({"0DDFF2003", "", "999", ""}));
  EXPECT_TRUE(f.ok());
  EXPECT_TRUE(f.runs.empty());

  f = ok(File({"0DDFF2003", di, rta, cb, "999"}, "\n"));  // line ends of either platform
  ASSERT_TRUE(f.ok());
  EXPECT_EQ(f.records.size(), 3u);
  f = ok(File({"0DDFF2003", di, "999"}) + "\x1A");  // the old end-of-file mark
  EXPECT_TRUE(f.ok());

  std::string negative = rta;
  negative[44] = 'N';  // first character of the money-pay amount
  f = ok(File({di, negative}));
  ASSERT_TRUE(f.ok());
  EXPECT_EQ(FormatFileNumber(f.records[1].values[4], 10, 2), "-21.450,30");
  // Dates: a leap day, and zeros where the file gives no date.
  for (const char* date : {"20040229", "00000000"}) {
    std::string d = di;
    d.replace(d.size() - 8, 8, date);
    EXPECT_TRUE(ok(File({d})).ok()) << date;
  }

  std::string re1 = "2RE1" + std::string(135, '0'), re2 = re1;
  re2[3] = '2';
  for (std::size_t p : {4u, 16u, 46u, 71u}) re1.replace(p, 3, "ABC");  // text fields: any characters
  std::string rtb = "2RTB" + std::string(99, '0');
  f = ok(File({re1, re2, rtb}));
  ASSERT_TRUE(f.ok()) << f.faultLine;
  ASSERT_EQ(f.runs.size(), 2u);
  EXPECT_EQ(f.runs[0].key, "RE");
  EXPECT_EQ(f.runs[0].records.size(), 2u);
  EXPECT_EQ(f.runs[1].key, "RTB");
}

TEST(FiscalFile, RefusedFilesKeepNothingAndNameTheirMessage) {
  const Layout& layout = ShippedLayout();
  const std::string di = SampleLine("DI"), rta = SampleLine("RTA"), cb = SampleLine("CB");
  const std::string whole = File({"0DDFF2003", di, rta, cb, "999"});
  std::string minus = rta;
  minus[44] = '-';
  // The amount at 44 is twelve characters; the date of the data closes the identification line.
  auto with = [](std::string line, std::size_t at, const std::string& part) { return line.replace(at, part.size(), part); };
  const std::size_t diDate = di.size() - 8;
  std::string manyRuns;
  for (int i = 0; i < 10; ++i) manyRuns += File({rta, cb});
  struct Case {
    const char* what;
    std::string bytes;
    ReadStatus status;
    int faultLine;
  } cases[] = {
      {"9990 is no trailer", File({"0DDFF2003", di, "9990"}), ReadStatus::kDamaged, 3},
      {"minus sign in an amount", File({di, minus}), ReadStatus::kDamaged, 2},
      {"negative mark inside an amount", File({di, with(rta, 44, "00000N234567")}), ReadStatus::kDamaged, 2},
      {"negative mark at an amount's end", File({di, with(rta, 44, "0000012345N7")}), ReadStatus::kDamaged, 2},
      {"date of nines", File({"0DDFF2003", with(di, diDate, "99999999")}), ReadStatus::kDamaged, 2},
      {"30 February", File({with(di, diDate, "20030230")}), ReadStatus::kDamaged, 1},
      {"month 13", File({with(di, diDate, "20031301")}), ReadStatus::kDamaged, 1},
      {"negative mark in a date", File({with(di, diDate, "N0040401")}), ReadStatus::kDamaged, 1},
      {"one character too many", File({di, rta + "0"}), ReadStatus::kDamaged, 2},
      {"one character too few", File({di, rta.substr(0, rta.size() - 1)}), ReadStatus::kDamaged, 2},
      {"key without layout", File({di, std::string("2ZZ0").append(rta, 4)}), ReadStatus::kDamaged, 2},
      {"line of another type", File({di, std::string("3").append(rta, 1)}), ReadStatus::kDamaged, 2},
      {"truncated inside a line", whole.substr(0, whole.find(cb) + 40), ReadStatus::kDamaged, 4},
      {"oversized", File({"0DDFF2003", di}) + std::string(1u << 20, ' '), ReadStatus::kTooLarge, 0},
      {"binary", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), ReadStatus::kForeign, 0},
      {"text of another kind", File({"Querida Ana:", "te escribo para..."}), ReadStatus::kForeign, 1},
      {"empty", "", ReadStatus::kForeign, 0},
      {"another year", File({"0DDFF2002", di}), ReadStatus::kOtherYear, 1},
  };
  for (const Case& c : cases) {
    const FiscalFile f = ReadFiscalFile(c.bytes, layout);
    EXPECT_EQ(f.status, c.status) << c.what;
    EXPECT_EQ(f.faultLine, c.faultLine) << c.what;
    EXPECT_TRUE(f.records.empty() && f.runs.empty()) << c.what;
    EXPECT_NE(MessageId(f.status), 0) << c.what;
  }
  // Runs of the same kinds again and again make one page per kind; more kinds than pages are refused.
  const FiscalFile repeated = ReadFiscalFile(File({di}) + manyRuns, layout);
  EXPECT_TRUE(repeated.ok());
  EXPECT_EQ(repeated.runs.size(), 3u);
  EXPECT_EQ(repeated.runs[1].records.size(), 10u);
  ReadOptions two;
  two.maxRuns = 2;
  const FiscalFile tooMany = ReadFiscalFile(File({di, rta, rta, cb}), layout, two);
  EXPECT_EQ(tooMany.status, ReadStatus::kTooManyPages);
  EXPECT_EQ(tooMany.faultLine, 4);
  EXPECT_TRUE(tooMany.records.empty() && tooMany.runs.empty());
  EXPECT_EQ(MessageId(ReadStatus::kDamaged), 324);
  EXPECT_EQ(MessageId(ReadStatus::kTooManyPages), 324);
}

TEST(FiscalFile, ProgressOfThreeLinesStopsAt99) {
  std::vector<int> seen;
  ReadOptions options;
  options.progress = [&](int p) { seen.push_back(p); };
  const FiscalFile f = ReadFiscalFile(File({"0DDFF2003", SampleLine("DI"), SampleLine("RTA"), SampleLine("CB"), "999"}),
                                      ShippedLayout(), options);
  ASSERT_TRUE(f.ok());
  EXPECT_EQ(seen, (std::vector<int>{33, 66, 99}));
}

TEST(FiscalFile, PagesFollowTheListOrderAndLeaveOutWhatHasNoPlace) {
  Layout layout;
  for (const char* key : {"RE", "PP", "XX"}) {
    FieldLayout f;
    f.order = 1;
    f.type = 'X';
    f.length = 3;
    layout.AddField(key, f);
  }
  layout.AddList({"PP", 2, "", "", true});
  layout.AddList({"RE", 1, "", "", true});
  auto keysOf = [&](std::initializer_list<std::string> lines) {
    const FiscalFile f = ReadFiscalFile(File(lines), layout);
    EXPECT_TRUE(f.ok());
    std::vector<std::string> keys;
    for (std::size_t i : PlacePages(f, layout)) keys.push_back(f.runs[i].key + std::to_string(i));
    return std::make_pair(f.runs.size(), keys);
  };
  EXPECT_EQ(keysOf({"2RE1", "2RE2", "2PP0"}), std::make_pair(std::size_t{2}, std::vector<std::string>{"RE0", "PP1"}));
  // The second RE run joins the first RE page; the key without a list row makes a page never shown.
  EXPECT_EQ(keysOf({"2PP0", "2RE1", "2XX0", "2RE2"}),
            std::make_pair(std::size_t{3}, std::vector<std::string>{"RE1", "PP0"}));
  const FiscalFile f = ReadFiscalFile(File({"2RE1", "2RE2", "2PP0", "2RE3"}), layout);
  ASSERT_EQ(f.runs.size(), 2u);
  std::vector<std::string> re;
  for (std::size_t i : f.runs[0].records) re.push_back(f.records[i].line);
  EXPECT_EQ(re, (std::vector<std::string>{"2RE1", "2RE2", "2RE3"})) << "every RE line, in file order";
}

TEST(FiscalFile, OpeningARefusedFileShowsItsMessageInTheInterfaceLanguage) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("roto.df"));
  const std::string bytes = File({"0DDFF2003", SampleLine("DI"), SampleLine("RTA").substr(0, 50)});
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  std::vector<std::pair<int, QString>> shown;
  qxtest::ScriptedMessages plainBoxes;
  plainBoxes.observePlain = [&](const PlainMessage& m) { shown.emplace_back(m.stringId, QString::fromStdString(m.text)); };
  const char before = platform::Language();
  std::set<QString> texts;
  for (char l : {'e', 'c', 'g', 'v'}) {
    platform::SetLanguage(l);
    EXPECT_FALSE(OpenFiscalFile(path, ShippedLayout()).has_value());
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().first, 324);
    // The message names the damaged line.
    EXPECT_EQ(shown.back().second, platform::LoadString(324) + QLatin1Char('\n') + platform::LoadString(kStrFaultLine).arg(3));
    texts.insert(shown.back().second);
  }
  EXPECT_GE(texts.size(), 3u);  // Catalan and Valencian may agree
  platform::SetLanguage('e');
  EXPECT_FALSE(OpenFiscalFile(dir.filePath(QStringLiteral("no_existe.df")), ShippedLayout()).has_value());
  EXPECT_EQ(shown.back().first, 91);
  const QString ok = QStringLiteral(QX_SOURCE_DIR "/resources/examples/autonomo.df");
  const auto read = OpenFiscalFile(ok, ShippedLayout());
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->Nif(), "73456789X");
  platform::SetLanguage(before);
  // The refused file itself is left as it was.
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().toStdString(), bytes);
}
