// The message tables against the codes that the checks, the validators and the calculation
// drivers show: every code has its row in the four languages, and the rows read as the callers
// expect (title, text, the buttons they answer with).
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/strings.h"
#include "support/ui_helpers.h"
#include "checks/field_check.h"

namespace {

constexpr char kLanguages[] = {'e', 'c', 'g', 'v'};

// The findings of the form-100 validator (Report calls of validator100.cpp).
const char* const kValidator100Codes[] = {
    "WIN022",  "UFCYGNR", "100R071", "WIN001",  "100R070", "100R072", "100R073", "WIN015",  "WIN017",  "100R069",
    "100I009", "WIN018",  "WIN016",  "WIN019",  "100R068", "100R087", "100R088", "100R074", "100I020", "100R077",
    "100R078", "100I010", "100R089", "100P024", "100P025", "100P026", "100R090", "100P029", "100R093", "100R097",
    "100I011", "100I012", "100R098", "100R099", "100R100", "100I013", "100R101", "100I014", "100R102", "100R058",
    "100R051", "100P049", "100P062", "100P052", "100P075", "100R127", "100R024", "100I016", "100I018", "100I019",
    "100R126", "100R079", "100R146", "100R115", "100R110", "100I017", "100R059", "100R060", "WIN032",  "100I015",
    "WIN030"};
// The findings of the form-714 validator (validator714.cpp).
const char* const kValidator714Codes[] = {"WIN022",  "100R079", "WIN041",  "WIN004",  "WIN015",
                                          "WIN006",  "714R001", "100R080", "714R002", "714R003",
                                          "714R004", "714R005", "WIN016",  "WIN018",  "WIN019"};
// The messages of the calculation drivers (form100_calculation.cpp, form714_calculation.cpp).
const char* const kDriverCodes[] = {"100R067", "100R111", "100P103", "714R005"};
// Questions that the pages and annex dialogs answer with "Corregir" (8) to keep the value open.
const std::set<QString> kCorrectable = {"100P024", "100P025", "100P026", "100P029", "100P049", "100P052", "100P062"};

struct TableRow {
  QString title, text;
  double buttons = 0;
};

// One authored table, read straight from its source.
std::map<QString, TableRow> ReadTable(char language) {
  std::map<QString, TableRow> rows;
  QFile f(QStringLiteral(QX_SOURCE_DIR "/resources/db/DatLocal/") + ui::MessageTableName(language) +
          QStringLiteral(".tsv"));
  if (!f.open(QIODevice::ReadOnly)) return rows;
  const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringList cols = lines[i].split(u'\t');
    if (cols.size() < 5) continue;
    rows[cols[0]] = {cols[1], cols[2], cols[3].toDouble()};
  }
  return rows;
}

class MessageTables : public ::testing::Test {
 protected:
  void SetUp() override { ui::SetMessageSource(qxtest::AuthoredMessages()); }
  void TearDown() override {
    ui::SetMessageSource(nullptr);
    platform::SetLanguage('e');
  }
  // Looks `code` up in the table of `language` as the message dialog does.
  static bool Read(char language, const QString& code, CMessageDlg& dlg) {
    platform::SetLanguage(language);
    return dlg.LookUpMessage(code);
  }
};

TEST_F(MessageTables, EveryCodeOfTheChecksValidatorsAndDriversHasItsRowInEveryLanguage) {
  std::set<QString> codes;
  for (const std::string& c : checks::CFieldCheck::MessageCodes()) codes.insert(QString::fromStdString(c));
  ASSERT_GT(codes.size(), 10u);  // the check table is reachable
  for (const char* c : kValidator100Codes) codes.insert(QString::fromLatin1(c));
  for (const char* c : kValidator714Codes) codes.insert(QString::fromLatin1(c));
  for (const char* c : kDriverCodes) codes.insert(QString::fromLatin1(c));
  for (char l : kLanguages)
    for (const QString& code : codes) {
      CMessageDlg dlg;
      if (!Read(l, code, dlg)) {
        ADD_FAILURE() << "no row for " << code.toStdString() << " in " << l;
        continue;
      }
      EXPECT_FALSE(dlg.Title().isEmpty()) << code.toStdString() << " in " << l;
      EXPECT_FALSE(dlg.Text().isEmpty()) << code.toStdString() << " in " << l;
      const int expected = kCorrectable.count(code) ? kBtnAceptar | kBtnCorregir : kBtnAceptar;
      EXPECT_EQ(dlg.Buttons(), expected) << code.toStdString() << " in " << l;
    }
}

// The four tables hold the same codes; each row fits the table's columns and offers, in its own
// language, the buttons that the Castilian row offers.
TEST_F(MessageTables, TheFourLanguagesHoldTheSameCodesWithTheSameButtons) {
  const std::map<QString, TableRow> castilian = ReadTable('e');
  ASSERT_FALSE(castilian.empty());
  for (char l : kLanguages) {
    const std::map<QString, TableRow> table = ReadTable(l);
    std::set<QString> codes, expected;
    for (const auto& [code, row] : table) codes.insert(code);
    for (const auto& [code, row] : castilian) expected.insert(code);
    EXPECT_EQ(codes, expected) << "codes of " << l;
    for (const auto& [code, row] : table) {
      const std::string where = code.toStdString() + " in " + l;
      EXPECT_LE(code.size(), 7) << where;
      EXPECT_LE(row.title.size(), 27) << where;
      EXPECT_FALSE(row.title.contains(QStringLiteral("  "))) << where;  // a double blank cuts the title
      EXPECT_FALSE(row.text.trimmed().isEmpty()) << where;
      EXPECT_LE(row.text.size(), 255) << where;
      EXPECT_EQ(row.buttons, castilian.count(code) ? castilian.at(code).buttons : -1) << where;
      CMessageDlg mine, reference;
      if (!Read('e', code, reference) || !Read(l, code, mine)) continue;  // reported above
      EXPECT_EQ(mine.Buttons(), reference.Buttons()) << where;
      EXPECT_NE(mine.Buttons(), 0) << where;  // every button word is one the dialog knows
    }
  }
}

}  // namespace
