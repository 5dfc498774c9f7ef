// Every text the program can show exists in its four languages: the string ids and message codes
// the sources name, the string tables, the language variants of the shipped tables (captions,
// prompts, page titles, lookup lists, messages), and a help topic for every help context a dialog,
// a launch variant or a box names. The sources are read as they stand, so a new id is covered
// as soon as it is written.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QString>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "annex/dec3imp5_dlg.h"
#include "annex/family_counts_dlg.h"
#include "annex/holder_amount_dlg.h"
#include "annex/tit2dat1_dlg.h"
#include "app/app_texts.h"
#include "platform/help.h"
#include "platform/help_texts.h"
#include "platform/strings.h"
#include "ui/message_source.h"

namespace {

namespace fs = std::filesystem;
constexpr char kLanguages[] = {'e', 'c', 'g', 'v'};

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The program's own source files (the calculation library shows no texts).
std::vector<fs::path> Sources() {
  std::vector<fs::path> files;
  for (const char* folder : {"app", "annex", "checks", "data", "forms", "modules", "platform", "ui", "wizards"})
    for (const auto& e : fs::recursive_directory_iterator(fs::path(QX_SOURCE_DIR) / folder))
      if (e.is_regular_file() && (e.path().extension() == ".cpp" || e.path().extension() == ".h"))
        files.push_back(e.path());
  return files;
}

// Every match of `pattern`'s first group in the sources, with a file that names it.
std::map<std::string, std::string> Named(const std::regex& pattern) {
  std::map<std::string, std::string> found;
  for (const fs::path& file : Sources()) {
    const std::string text = ReadFile(file);
    for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it)
      found.emplace((*it)[1].str(), fs::relative(file, QX_SOURCE_DIR).string());
  }
  return found;
}

TEST(Texts, EveryStringIdIsInTheFourStringTables) {
  // The ids of every table's rows.
  std::set<int> ids;
  for (char l : kLanguages) {
    std::istringstream rows(ReadFile(fs::path(QX_SOURCE_DIR) / "resources/strings" / (std::string(1, l) + ".tsv")));
    std::string row;
    std::getline(rows, row);  // the heading
    while (std::getline(rows, row))
      if (!row.empty() && std::isdigit(static_cast<unsigned char>(row[0]))) ids.insert(std::stoi(row));
  }
  ASSERT_FALSE(ids.empty());
  // Ids the sources name: captions and control texts of the dialog tables, loaded strings, the
  // named string constants.
  const std::regex named(
      R"((?:textId|captionId)\s*=\s*(\d+)|\b(?:LoadString|Text|TextWith)\((\d+)[,)]|\bkStr[A-Z]\w*\s*=\s*(\d+))");
  std::map<int, std::string> fromSources;
  for (const fs::path& file : Sources()) {
    const std::string text = ReadFile(file);
    for (std::sregex_iterator it(text.begin(), text.end(), named), end; it != end; ++it)
      for (int g = 1; g <= 3; ++g)
        if ((*it)[g].matched) fromSources.emplace(std::stoi((*it)[g].str()), file.filename().string());
  }
  ASSERT_FALSE(fromSources.empty());
  for (const auto& [id, file] : fromSources) {
    if (id == 0 || ids.count(id)) continue;  // no text, or checked with the tables below
    // The main frame's menu titles keep their four languages in the shell's own table.
    EXPECT_TRUE(app::HasText(id)) << "string " << id << " named in " << file << " is in no table";
    for (char l : kLanguages) EXPECT_FALSE(app::Text(id, l).isEmpty()) << "string " << id << " in language " << l;
  }
  for (char l : kLanguages) {
    const platform::StringTable& table = platform::Strings(l);
    for (int id : ids)
      EXPECT_TRUE(table.Has(id) && !table.Get(id).isEmpty()) << "string " << id << " in language " << l;
  }
}

// The message codes written in the sources, each with its row in the four message tables.
TEST(Texts, EveryMessageCodeOfTheSourcesIsInTheFourMessageTables) {
  const auto codes = Named(std::regex(
      R"x("(WIN\d{3}|ALM\d{3}|PDF\d{3}|NOBORR|MAXPERM|UFCYGNR|(?:100|101|714)(?:[A-Z]\d{3}|[A-Z]{4}))")x"));
  ASSERT_GT(codes.size(), 100u);
  ui::DatabaseMessageSource source(QStringLiteral(QX_BINARY_DIR "/resources/DatLocal.db"));
  ASSERT_TRUE(source.IsOpen());
  for (char l : kLanguages)
    for (const auto& [code, file] : codes) {
      const auto row = source.Find(ui::MessageTableName(l), QString::fromStdString(code));
      EXPECT_TRUE(row && !row->text.isEmpty()) << code << " (" << file << ") in language " << l;
    }
}

// The shipped tables with a language letter (captions and prompts of the boxes, page titles,
// messages, lookup lists): the four variants hold the same rows, and a text of the Castellano
// table is never missing from another language.
TEST(Texts, TheLanguageVariantsOfTheShippedTablesAreComplete) {
  for (const char* file : {"DatLocal.db", "MODULO03.db"}) {
    SCOPED_TRACE(file);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2((std::string(QX_BINARY_DIR "/resources/") + file).c_str(), &db, SQLITE_OPEN_READONLY,
                              nullptr),
              SQLITE_OK);
    const auto rows = [db](const std::string& sql) {
      std::vector<std::vector<std::string>> out;
      sqlite3_stmt* st = nullptr;
      EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql;
      while (st && sqlite3_step(st) == SQLITE_ROW) {
        out.emplace_back();
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
          const auto* t = sqlite3_column_text(st, c);
          out.back().emplace_back(t ? reinterpret_cast<const char*>(t) : "");
        }
      }
      sqlite3_finalize(st);
      return out;
    };
    // Families: table names that differ only in a last letter e/c/g/v (either case).
    std::map<std::string, std::map<char, std::string>> families;
    for (const auto& r : rows("SELECT name FROM sqlite_master WHERE type = 'table'")) {
      const std::string& name = r[0];
      const char last = static_cast<char>(std::tolower(static_cast<unsigned char>(name.back())));
      if (std::string("ecgv").find(last) != std::string::npos) families[name.substr(0, name.size() - 1)][last] = name;
    }
    int checked = 0;
    for (const auto& [stem, variants] : families) {
      if (variants.size() < 2 || !variants.count('e')) continue;  // a name that merely ends so
      SCOPED_TRACE(stem);
      ++checked;
      EXPECT_EQ(variants.size(), 4u) << "a language is missing";
      const std::string& e = variants.at('e');
      const auto count = [&](const std::string& t) { return rows("SELECT count(*) FROM \"" + t + "\"")[0][0]; };
      const auto columns = rows("SELECT name FROM pragma_table_info('" + e + "') WHERE type LIKE '%CHAR%' OR type LIKE '%TEXT%'");
      for (const auto& [letter, table] : variants) {
        if (letter == 'e') continue;
        EXPECT_EQ(count(table), count(e)) << table;
        for (const auto& c : columns) {
          const std::string col = "\"" + c[0] + "\"";
          const auto missing = rows("SELECT count(*) FROM \"" + e + "\" AS a JOIN \"" + table +
                                    "\" AS b ON a.rowid = b.rowid WHERE length(trim(a." + col +
                                    ")) > 0 AND (b." + col + " IS NULL OR length(trim(b." + col + ")) = 0)");
          EXPECT_EQ(missing[0][0], "0") << table << "." << c[0] << ": texts of the Castellano table missing";
        }
      }
    }
    EXPECT_GT(checked, 0);
    sqlite3_close(db);
  }
}

// The help contexts the program can ask for: the dialog tables' topics, the topic constants, the
// variant tables' topics, the topics of the dialogs that serve several boxes for each variant, and
// the boxes' contexts.
std::map<int, std::string> HelpContexts() {
  std::map<int, std::string> contexts;
  const std::regex named(R"((?:\.helpTopic\s*=\s*|\bkHelp(?:Topic|Business|Agrarian|Other)\s*=\s*)(\d+))");
  // Tables of variants: {explanation string, topic}.
  const std::regex variantTable(R"(Variant kVariants\w*\[\]\s*=\s*\{([^;]*)\};)");
  const std::regex variantPair(R"(\{\s*\d+\s*,\s*(\d+)\s*\})");
  for (const fs::path& file : Sources()) {
    const std::string text = ReadFile(file);
    const std::string name = fs::relative(file, QX_SOURCE_DIR).string();
    for (std::sregex_iterator it(text.begin(), text.end(), named), end; it != end; ++it)
      contexts.emplace(std::stoi((*it)[1].str()), name);
    for (std::sregex_iterator it(text.begin(), text.end(), variantTable), end; it != end; ++it) {
      const std::string body = (*it)[1].str();
      for (std::sregex_iterator r(body.begin(), body.end(), variantPair); r != end; ++r)
        contexts.emplace(std::stoi((*r)[1].str()), name + " (variant table)");
    }
  }
  for (int v = 0; v <= 40; ++v)
    for (int topic : {CDec3imp5Dlg::HelpTopic(v), CTit2dat1Dlg::HelpTopic(v), CTit3dat1Dlg::HelpTopic(v),
                      CDec3imp9Dlg::HelpTopic(v)})
      contexts.emplace(topic, "variant " + std::to_string(v));
  // The boxes' contexts, as the box definitions carry them.
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open_v2(QX_BINARY_DIR "/resources/DatLocal.db", &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* st = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, "SELECT DISTINCT NumeroDeCo, IndiceFich FROM ControlX", -1, &st, nullptr), SQLITE_OK);
  while (st && sqlite3_step(st) == SQLITE_ROW)
    contexts.emplace(sqlite3_column_int(st, 0),
                     std::string("box of page ") + reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
  sqlite3_finalize(st);
  sqlite3_close(db);
  // 0 and 1000 upwards open the contents by rule.
  std::erase_if(contexts, [](const auto& c) { return c.first <= 0 || c.first >= 1000; });
  return contexts;
}

TEST(Help, EveryContextNamedHasATopicInTheFourLanguages) {
  const auto contexts = HelpContexts();
  ASSERT_GT(contexts.size(), 40u);
  EXPECT_TRUE(contexts.count(778)) << "the fiscal-data wizard's";
  const platform::HelpIndex& index = platform::HelpIndex::Get();
  for (const auto& [context, where] : contexts) {
    if (!index.Find(context)) {
      ADD_FAILURE() << "help context " << context << " of " << where << " has no topic";
      continue;
    }
    EXPECT_EQ(platform::ResolveHelpContext(context), context) << where;
    const QString castellano = platform::HelpHtml(context, 'e');
    EXPECT_FALSE(castellano.isEmpty()) << context;
    EXPECT_FALSE(platform::HelpTitle(context, 'e').isEmpty()) << context;
    for (char l : {'c', 'g', 'v'}) {
      EXPECT_FALSE(platform::HelpTitle(context, l).isEmpty()) << context << " in " << l;
      EXPECT_NE(platform::HelpHtml(context, l), castellano) << "topic " << context << " has no text of its own in " << l;
    }
  }
}

// The help window follows the interface language: its caption, the index and the topic.
TEST(Help, TheWindowShowsTheTopicInTheInterfaceLanguage) {
  const char before = platform::Language();
  struct Case {
    char language;
    const char* caption;
    const char* title;
  };
  for (const Case& c : {Case{'e', "Ayuda", "Asistente de datos fiscales"}, Case{'c', "Ajuda", "Assistent de dades fiscals"},
                        Case{'g', "Axuda", "Asistente de datos fiscais"}, Case{'v', "Ajuda", "Assistent de dades fiscals"}}) {
    platform::SetLanguage(c.language);
    platform::HelpViewer viewer;
    viewer.ShowTopic(778);
    EXPECT_EQ(viewer.windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_EQ(viewer.CurrentTopic(), 778);
    EXPECT_TRUE(platform::HelpHtml(778).contains(QString::fromUtf8(c.title))) << c.language;
  }
  platform::SetLanguage(before);
}

}  // namespace
