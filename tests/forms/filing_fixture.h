// Pages, layout tables and files for the filing-writer tests: pages whose boxes are bound into a
// test block, a local database holding a layout table written as TSV lines, temporary files.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tools/dbsource/dbsource.h"
#include "data/db_fixture.h"
#include "data/message_recorder.h"
#include "forms/filing/filing_page.h"

namespace filingtest {

// One box of a test page: its position, format spec, the offset of its field in the test block
// (-1 unbound) and its identifier.
struct BoxDef {
  int position;
  std::string spec;
  int offset = -1;
  std::string id = {};
  int paintIn = 0;
};

// A page whose boxes are bound into a block; positions not defined are unbound text boxes.
// Continuation sheets bind the same boxes `sheetStride` bytes further on per sheet.
class FakePage : public forms::IFilingPage {
 public:
  FakePage(std::vector<std::uint8_t>& block, const std::vector<BoxDef>& defs, int continuationSheets = 0,
           int sheetStride = 0)
      : block_(block), continuation_(continuationSheets), stride_(sheetStride) {
    int last = 0;
    for (const BoxDef& d : defs) last = std::max(last, d.position);
    for (int p = 1; p <= last; ++p) {
      auto box = std::make_unique<CBoxField>();
      box->IndNumero = p;
      box->StrValidac = "S1";
      boxes_.push_back(std::move(box));
    }
    for (const BoxDef& d : defs) {
      CBoxField& box = *boxes_[static_cast<std::size_t>(d.position - 1)];
      box.StrValidac = d.spec;
      box.Identifica = d.id;
      box.PintarEn = d.paintIn;
      box.ApplyFormatSpec();
      offsets_[d.position] = d.offset;
    }
    Bind(0);
  }
  int BoxCount() const override { return static_cast<int>(boxes_.size()); }
  CBoxField* BoxAt(int index) override {
    return index >= 0 && index < BoxCount() ? boxes_[static_cast<std::size_t>(index)].get() : nullptr;
  }
  bool SelectSheet(int sheet, int) override {
    if (sheet < 1 || sheet > continuation_ + 1) return false;
    Bind(sheet - 1);
    return true;
  }
  int ContinuationSheets() const override { return continuation_; }
  void ApplyHolderMode() override { ++holderModeCalls; }
  void MarkFiling() override { filing = true; }

  int holderModeCalls = 0;
  bool filing = false;

 private:
  void Bind(int sheetIndex) {
    for (auto& [position, offset] : offsets_)
      boxes_[static_cast<std::size_t>(position - 1)]->data =
          offset < 0 ? nullptr : block_.data() + offset + sheetIndex * stride_;
  }
  std::vector<std::uint8_t>& block_;
  std::vector<std::unique_ptr<CBoxField>> boxes_;
  std::map<int, int> offsets_;
  int continuation_;
  int stride_;
};

// The pages of a writer: boxes per page code over one block; every page asked for is built, an
// undefined one without boxes.
struct PageSet {
  explicit PageSet(std::vector<std::uint8_t>& b) : block(b) {}
  forms::FilingPageFactory Factory() {
    return [this](int code, int member) -> std::unique_ptr<forms::IFilingPage> {
      requests.emplace_back(code, member);
      const auto s = sheets.find(code);
      auto page = std::make_unique<FakePage>(block, defs[code], s == sheets.end() ? 0 : s->second.first,
                                             s == sheets.end() ? 0 : s->second.second);
      built[code] = page.get();
      return page;
    };
  }
  std::vector<std::uint8_t>& block;
  std::map<int, std::vector<BoxDef>> defs;
  std::map<int, std::pair<int, int>> sheets;  // continuation sheets and the stride between them
  std::map<int, FakePage*> built;
  std::vector<std::pair<int, int>> requests;  // page code and member
};

// A layout row as a TSV line; `page` is written right-aligned in four characters.
inline std::string Row(int id, int page, int number, const std::string& kind, int length, int decimals = 0,
                       const std::string& text = "", const std::string& comment = "") {
  return std::to_string(id) + "\t " + std::to_string(page) + "\t" + std::to_string(number) + "\t" + kind + "\t" +
         std::to_string(length) + "\t" + std::to_string(decimals) + "\t" + text + "\t" + comment;
}

inline constexpr const char* kLayoutHeader = "idinternet\tINDICEFICH\tINDNUMERO\tfminternet\tlongitud\tdecimales\tcaracter\tcomentario";

// A local database holding one layout table (the shipped schema) with the given TSV rows.
class LayoutDb {
 public:
  // With `provinces` the shipped province tables join it.
  LayoutDb(const std::string& table, const std::vector<std::string>& rows, bool provinces = false) {
    const std::filesystem::path src = dir_.Path() / "src";
    const std::filesystem::path shipped = QX_SOURCE_DIR "/resources/db/DatLocal";
    std::filesystem::create_directories(src);
    std::filesystem::copy_file(shipped / (table + ".sql"), src / (table + ".sql"));
    if (provinces)
      for (const char* f : {"PROVINC{L}.sql", "PROVINCE.tsv", "PROVINCC.tsv", "PROVINCG.tsv", "PROVINCV.tsv"})
        std::filesystem::copy_file(shipped / f, src / f);
    std::ofstream tsv(src / (table + ".tsv"), std::ios::binary);
    tsv << kLayoutHeader << "\n";
    for (const std::string& r : rows) tsv << r << "\n";
    tsv.close();
    std::string error;
    EXPECT_TRUE(db::BuildDatabaseFromSources(src, dir_.Path() / "DatLocal.db", &error)) << error;
    EXPECT_TRUE(conn.Open((dir_.Path() / "DatLocal.db").string(), db::OpenMode::ReadOnly));
  }
  db::CAdoConnection conn;
  std::string Dir() const { return dir_.Str(); }

 private:
  dbtest::TempDir dir_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace filingtest
