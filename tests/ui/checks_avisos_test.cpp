#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include "ui/grid/rejilla_ctrl.h"
#include <map>

#include "checks_fakes.h"
#include "ui/avisos_errores_dlg.h"

using namespace checks;

namespace {

struct Texts : IMessageTexts {
  std::map<std::string, std::pair<std::string, std::string>> table;
  bool Lookup(const std::string& code, std::string& title, std::string& text) override {
    auto it = table.find(code);
    if (it == table.end()) return false;
    title = it->second.first;
    text = it->second.second;
    return true;
  }
};

struct Host : IAvisosHost {
  bool form714 = false;
  int member = 2;
  int shown = 0, page = -99, box = -99, prints = 0, answer = 1;
  bool IsForm714() const override { return form714; }
  int ValidatedMember() const override { return member; }
  void SetShownMember(int m) override { shown = m; }
  void GoToPage(int p, int b) override { page = p, box = b; }
  void PrintDeclaration() override { ++prints; }
  void SetPrintOrFile(bool) override {}
  bool HasAssignmentMarks(int) const override { return false; }
  int AskTaxAssignmentChoice(int, bool, const std::string&) override { return answer; }
  bool Save() override { return true; }
  void NoteBothSpousesPrinted() override {}
};

struct AvisosTest : ::testing::Test {
  InMemoryCorrectionsStore store;
  Texts texts;
  RecordingMessages messages;
  Host host;
  std::string key = std::string("DECL").append(46, ' ');
  void add(const char* code, int severity, int member, int vista = 3, int box = 7) {
    store.rows.push_back({key, code, 4, vista, severity, box, member});
  }
  std::unique_ptr<CAvisosErroresDlg> open(int result, bool filing) {
    auto dlg = std::make_unique<CAvisosErroresDlg>(store, texts, messages, host);
    dlg->SetDeclarationKey("DECL");
    dlg->SetValidationResult(result);
    dlg->SetFilingMode(filing);
    return dlg;
  }
  static QString label(CAvisosErroresDlg& d, int id) { return static_cast<QLabel*>(d.Control(id))->text(); }
};

}  // namespace

TEST_F(AvisosTest, WarningsOnlyLetTheFileBeWritten) {
  add("100I020", 0, 2);
  texts.table["100I020"] = {"Aviso", "Revise los datos familiares.\\n"};
  auto dlg = open(0, true);
  ASSERT_TRUE(dlg->Initialize());
  EXPECT_TRUE(dlg->Control(CAvisosErroresDlg::kIdPrint)->isEnabled());
  EXPECT_EQ(static_cast<QPushButton*>(dlg->Control(CAvisosErroresDlg::kIdPrint))->text(), "Escribir");
  EXPECT_EQ(label(*dlg, CAvisosErroresDlg::kIdVerdict), QString::fromStdString(avisos_text::Get(avisos_text::kCanFile)));
  EXPECT_FALSE(dlg->Control(CAvisosErroresDlg::kIdErrorLegend)->isVisibleTo(dlg.get()));
  auto* grid = static_cast<CRejillaCtrl*>(dlg->Control(CAvisosErroresDlg::kIdGrid));
  EXPECT_EQ(grid->GetRowCount(), 2);
  EXPECT_EQ(grid->GetItemText(1, 1), "Revise los datos familiares.");
  EXPECT_EQ(grid->GetItemText(1, 2), "DECLARANTE");
  EXPECT_EQ(grid->GetItemImage(1, 0), 0) << "warning icon";
  dlg->OnPrintOrWrite();
  EXPECT_EQ(dlg->result(), kAvisosWriteFile);
}

TEST_F(AvisosTest, AnErrorStopsPrintingAndFiling) {
  add("100I020", 0, 2);
  add("100R089", 1, 3, 3, 8);
  for (bool filing : {false, true}) {
    auto dlg = open(1, filing);
    ASSERT_TRUE(dlg->Initialize());
    EXPECT_FALSE(dlg->Control(CAvisosErroresDlg::kIdPrint)->isEnabled());
    EXPECT_EQ(label(*dlg, CAvisosErroresDlg::kIdVerdict),
              QString::fromStdString(avisos_text::Get(filing ? avisos_text::kCannotFile : avisos_text::kCannotPrint)));
    EXPECT_EQ(dlg->Model().PrintOrWrite(host), 0) << "nothing is written past an error";
  }
  EXPECT_EQ(host.prints, 0);
  // A run that counted an error whose row was lost still refuses.
  store.rows.clear();
  auto dlg = open(1, true);
  ASSERT_TRUE(dlg->Initialize());
  EXPECT_FALSE(dlg->Model().WriteEnabled());
}

TEST_F(AvisosTest, EmptyListAndEmptyWarnings) {
  auto dlg = open(-1, false);
  ASSERT_TRUE(dlg->Initialize());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(dlg->Control(CAvisosErroresDlg::kIdReview)->isEnabled());
  EXPECT_FALSE(dlg->Control(CAvisosErroresDlg::kIdPrintList)->isEnabled());
  EXPECT_FALSE(dlg->Control(CAvisosErroresDlg::kIdInstruction)->isVisibleTo(dlg.get()));
  auto lost = open(0, false);
  EXPECT_FALSE(lost->Initialize());
  EXPECT_EQ(messages.shown, std::vector<std::string>{"WIN023"});
}

TEST_F(AvisosTest, JumpToTheBox) {
  add("100R089", 1, 3, 3, 8);
  add("100R090", 1, 2, 4, 7);
  auto dlg = open(1, false);
  ASSERT_TRUE(dlg->Initialize());
  dlg->OnActivate(0, 0);
  EXPECT_EQ(host.page, -99) << "the heading row does nothing";
  dlg->OnReview();
  EXPECT_EQ(messages.notices, std::vector<std::string>{avisos_text::Get(avisos_text::kSelectFirst)});
  dlg->OnActivate(1, 1);
  EXPECT_EQ(host.page, 3);
  EXPECT_EQ(host.box, 8);
  EXPECT_EQ(host.shown, 3);
  EXPECT_EQ(dlg->result(), kAvisosJumped);

  add("100R071", 1, 2, 100, -1);
  auto again = open(1, false);
  ASSERT_TRUE(again->Initialize());
  again->OnActivate(2, 0);
  EXPECT_EQ(host.page, 100);
  EXPECT_EQ(host.box, -1);
  EXPECT_EQ(host.shown, 1);
}

TEST_F(AvisosTest, LongDescriptionsAndChainedTexts) {
  std::string words;
  while (words.size() < 200) words += "palabra ";
  words.resize(200);
  texts.table["100P025"] = {"##100P026", words};
  texts.table["100P026"] = {"Aviso", " Y MAS"};
  add("100P025", 0, 2);
  auto dlg = open(0, false);
  ASSERT_TRUE(dlg->Initialize());
  const auto& row = dlg->Model().Rows().at(0);
  EXPECT_EQ(row.addedLines, 2) << row.description;
  EXPECT_NE(row.description.find("Y MAS"), std::string::npos);
  EXPECT_EQ(row.Height(24), 24 + 32);
}

TEST_F(AvisosTest, PrintingOneMember) {
  add("100I020", 0, 2);
  auto dlg = open(0, false);
  ASSERT_TRUE(dlg->Initialize());
  host.answer = 0;
  EXPECT_EQ(dlg->Model().PrintOrWrite(host), kAvisosClosed);
  host.answer = 1;
  EXPECT_EQ(dlg->Model().PrintOrWrite(host), kAvisosPrinting);
  EXPECT_EQ(host.prints, 1);
  host.form714 = true;
  dlg->SetFilingMode(true);
  EXPECT_EQ(dlg->Model().PrintOrWrite(host), kAvisosWriteFile);
}
