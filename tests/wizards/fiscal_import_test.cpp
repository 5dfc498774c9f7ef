// The fiscal-data import wizard over the sample files and the shipped layout: pages made and
// placed, marks, what the collect puts into the transfer and the listings, the DATOSFISC row, and
// the files and answers that must change nothing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <deque>
#include <map>
#include <sstream>

#include "blocks/family_entries.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "data/db/databases.h"
#include "support/local_db.h"
#include "support/ui_helpers.h"
#include "wizards/asistente_datos_fiscales.h"
#include "wizards/datos_fiscales_incorporados_dlg.h"
#include "wizards/df_subdialogs.h"
#include "wizards/datos_fiscales_dlg148.h"
#include "wizards/df_trabajo.h"
#include "wizards/obtencion_datos_fiscales_dlg.h"
#include "wizards/progreso_importacion_dlg.h"
#include "wizards/fiscal_helpers.h"
#include "wizards/fiscal_transfer_dialogs.h"

namespace {

using Wizard = CAsistenteDatosFiscales;

std::string ReadSample(const std::string& name) {
  std::ifstream in(QX_SOURCE_DIR "/resources/examples/" + name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The record lines of a sample whose type character is `type` and key `key`.
std::vector<std::string> Lines(const std::string& sample, const std::string& key) {
  std::vector<std::string> out;
  std::istringstream in(ReadSample(sample));
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (fiscal::RecordKey(l) == key) out.push_back(l);
  }
  return out;
}

// What the scripted dialogs answer and what they were shown.
struct Answers {
  std::function<void(Wizard&)> drive;      // on the shown wizard; Finish when it ends without one
  std::deque<int> regimes;                 // pension regime per dialog (-1: Cancel)
  int murciaChoice = 2;
  std::string mortgageDate = "15062001";
  double mortgageAmount = 0;
  QString notice;
  int wizardRuns = 0;
  std::vector<int> reviews;                // the member of each review shown after Finish
  std::string file;                        // chosen in the download dialog
  std::deque<int> members;                 // chosen in the member selection (0: "&Salir")
  std::vector<std::vector<bool>> selections;  // the buttons enabled each time it showed
};

class FiscalImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    declarations_.SetReporter(&reporter_);
    ASSERT_TRUE(declarations_.Open((dir_.Path() / "DatRed.db").string(), db::OpenMode::Create));
    ASSERT_TRUE(db::CreateDeclarationsSchema(declarations_));
    block_.assign(f100::kBlockSize, 0);
    SetRegion(0, "13");
    SetRegion(1, "13");
    plainBoxes_.observePlain = [this](const PlainMessage& m) { strings_.push_back(m.stringId); };
    env_.local = &qxtest::LocalDatabase::Get();
    env_.declarations = &declarations_;
    env_.declarationKey = "PRUEBA";
    env_.block = block_;
    env_.joint = true;
    env_.session = &session_;
    env_.apply = [this](const fiscal::FiscalTransfer& t, const fiscal::ImportSession& s) {
      applied_.push_back(t);
      fiscal::WriteFiscalData(t, s, block_);
    };
    env_.runModal = [this](QDialog& d) { return Run(d); };
  }

  void SetRegion(int k, const char* code) { f100::wizard_personal::RegionCode(k).set(block_.data(), code); }

  std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = (dir_.Path() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string FileOf(const std::vector<std::string>& lines) {
    std::string s = "0DDFF2003\r\n";
    for (const std::string& l : lines) s += l + "\r\n";
    return s + "999\r\n";
  }

  int Run(QDialog& d) {
    if (auto* w = dynamic_cast<Wizard*>(&d)) {
      ++answers.wizardRuns;
      w->show();
      QCoreApplication::processEvents();
      if (answers.drive) answers.drive(*w);
      else FinishThroughEveryPage(*w);
      QCoreApplication::processEvents();
      w->hide();
      return w->result();
    }
    if (auto* n = dynamic_cast<wizards::CDatosFiscalesDlg33*>(&d)) {
      answers.notice = n->notice;
      return QDialog::Accepted;
    }
    if (auto* n = dynamic_cast<wizards::CNombreApellidosDlg*>(&d)) {
      n->firstSurname = QStringLiteral("MARTINEZ");
      n->secondSurname = QStringLiteral("ROJO");
      n->name = QStringLiteral("ANA");
      return QDialog::Accepted;
    }
    if (auto* p = dynamic_cast<CTrasladoPlanesPensionesDlg*>(&d)) {
      p->EnsureCreated();
      const int regime = answers.regimes.empty() ? 0 : answers.regimes.front();
      if (!answers.regimes.empty()) answers.regimes.pop_front();
      if (regime < 0) return ui::IDCANCEL;
      static constexpr int kIds[] = {765, 770, 24601, 24602, 24603};
      p->Item<QAbstractButton>(kIds[regime])->setChecked(true);
      p->OnOK();
      return p->result();
    }
    if (auto* m = dynamic_cast<CDonacionesMurciaDlg*>(&d)) {
      m->EnsureCreated();
      if (answers.murciaChoice == 1) m->OnEstatal();
      m->OnOK();
      return m->result();
    }
    if (auto* h = dynamic_cast<wizards::CPrestamosHipotecariosDlg*>(&d)) {
      h->acquisition = 'X';
      h->construction = 0;
      h->externalFinancing = 'X';
      h->date = answers.mortgageDate;
      h->amount = answers.mortgageAmount;
      return QDialog::Accepted;
    }
    if (auto* dl = dynamic_cast<CObtencionDatosFiscalesDlg*>(&d)) {
      dl->show();
      const QString file = QString::fromStdString(answers.file);
      qxtest::ChooseFileWhenAsked(file);
      dl->OnFileChosen();
      dl->OnContinuar();
      dl->hide();
      return dl->result();
    }
    if (auto* sel = dynamic_cast<CSeleccionDeclarantesDlg*>(&d)) {
      std::vector<bool> enabled;
      for (int id = CSeleccionDeclarantesDlg::kIdDeclarant; id <= CSeleccionDeclarantesDlg::kIdChild2; ++id)
        enabled.push_back(ui::FindControl(sel, id)->isEnabled());
      answers.selections.push_back(enabled);
      const int member = answers.members.empty() ? 0 : answers.members.front();
      if (!answers.members.empty()) answers.members.pop_front();
      if (member == 0) return CSeleccionDeclarantesDlg::kIdExit;
      sel->OnMember(CSeleccionDeclarantesDlg::kIdDeclarant + member - 1);
      return sel->result();
    }
    if (auto* r = dynamic_cast<CDatosFiscalesIncorporadosDlg*>(&d)) {
      answers.reviews.push_back(r->member);
      return QDialog::Accepted;
    }
    ADD_FAILURE() << "unexpected dialog " << d.metaObject()->className();
    return QDialog::Rejected;
  }

  static void Finish(Wizard& w) { w.OnCommand(Wizard::kIdWizFinish, ui::kBnClicked); }
  static void Show(Wizard& w, int index) {
    ASSERT_TRUE(w.SetActivePage(index));
    QCoreApplication::processEvents();
  }
  static void FinishThroughEveryPage(Wizard& w) {
    for (int i = 0; i < w.GetPageCount(); ++i) Show(w, i);
    Finish(w);
  }
  static CDFTrabajo* PageOf(Wizard& w, const char* key) {
    for (int i = 0; i < w.GetPageCount(); ++i)
      if (auto* p = dynamic_cast<CDFTrabajo*>(w.GetPage(i)); p && p->Key() == QLatin1String(key)) return p;
    return nullptr;
  }

  // Constructs the wizard over `path` as the entry dialog does and runs it; false when refused.
  bool Import(const std::string& path, int member = 1) {
    bool failed = true;
    wizard_ = std::make_unique<Wizard>(QStringLiteral("Datos Fiscales"), QString::fromStdString(path), failed, env_);
    if (failed) return false;
    wizard_->SetMember(member, env_.Region(member), env_.Region(0));
    wizard_->HeaderFlags() |= CAsistente::kPshWizard;
    wizard_->EnsureCreated();
    result_ = env_.RunModal(*wizard_);
    return true;
  }

  struct Row {
    int member = 0;
    std::string yes, no;
    std::int32_t yesSize = -1, noSize = -1;
  };
  std::vector<Row> StoredRows() {
    std::vector<Row> rows;
    db::CAdoRecordset rs;
    if (!rs.Open("DATOSFISC", &declarations_)) return rows;
    for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) {
      Row r;
      std::vector<std::uint8_t> yes, no;
      rs.GetInt("SUJETODECLA", r.member);
      rs.GetBlob("FICHEROSI", yes);
      rs.GetBlob("FICHERONO", no);
      rs.GetInt("TAMANOFICHEROSI", r.yesSize);
      rs.GetInt("TAMANOFICHERONO", r.noSize);
      std::string key;
      rs.GetText("CLAVE", key);
      EXPECT_EQ(key, std::string("PRUEBA") + std::string(44, ' '));
      r.yes.assign(yes.begin(), yes.end());
      r.no.assign(no.begin(), no.end());
      rows.push_back(r);
    }
    return rows;
  }

  dbtest::TempDir dir_;
  dbtest::CapturingReporter reporter_;
  db::CAdoConnection declarations_{"DatRed"};
  std::vector<std::uint8_t> block_;
  fiscal::ImportSession session_;
  fiscal::ImportEnvironment env_;
  std::vector<fiscal::FiscalTransfer> applied_;
  std::vector<int> strings_;
  qxtest::ScriptedMessages plainBoxes_;
  Answers answers;
  qxtest::ScriptedMessages coded_;
  std::unique_ptr<Wizard> wizard_;
  int result_ = 0;
};

// ------------------------------------------------------------------ the sample files

struct SampleCase {
  const char* file;
  std::vector<std::string> pages;  // keys in the order shown
};

TEST_F(FiscalImportTest, EachSampleFileMakesItsPagesAndStoresItsListings) {
  const SampleCase cases[] = {
      {"trabajador.df", {"DI", "RTA", "CB", "PP"}},
      {"autonomo.df", {"DI", "AE", "CB", "VA", "PP", "DN"}},
      {"matrimonio_hijos.df", {"DI", "RTA", "RTB", "CB", "RE", "LT", "RI", "SG", "FI", "PP", "DN", "PH"}},
  };
  for (const SampleCase& c : cases) {
    SCOPED_TRACE(c.file);
    declarations_.Execute("DELETE FROM DATOSFISC");
    applied_.clear();
    ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/" + std::string(c.file)));
    EXPECT_EQ(result_, Wizard::kIdWizFinish);
    std::vector<std::string> keys;
    for (int i = 0; i < wizard_->GetPageCount(); ++i)
      keys.push_back(static_cast<CDFTrabajo*>(wizard_->GetPage(i))->Key().toStdString());
    EXPECT_EQ(keys, c.pages);
    EXPECT_EQ(answers.notice, QStringLiteral("Se va a tratar el fichero de datos fiscales con fecha 01/04/2004"));
    // Every row of a transferable page without a sub-dialog starts marked.
    CDFTrabajo* cb = PageOf(*wizard_, "CB");
    ASSERT_NE(cb, nullptr);
    EXPECT_EQ(static_cast<int>(cb->List()->marked.size()), cb->List()->rowCount());
    ASSERT_EQ(applied_.size(), 1u);
    const auto rows = StoredRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].member, 1);
    EXPECT_EQ(rows[0].yesSize, static_cast<int>(rows[0].yes.size()));
    EXPECT_EQ(rows[0].noSize, static_cast<int>(rows[0].no.size()));
    EXPECT_EQ(rows[0].yes.rfind("0\tDatos identificativos del declarante: Datos Fiscales Trasladables\t\n1\tNIF\t", 0), 0u);
    // The pension page has a sub-dialog: nothing is marked there unless a regime is chosen.
    EXPECT_NE(rows[0].no.find("0\tAportaciones a planes de pensiones y mutualidades: "), std::string::npos);
    EXPECT_EQ(wizard_->Transfer().identification[2], "MARTINEZ");
    EXPECT_EQ(wizard_->Transfer().identification[1], "ANA");
    EXPECT_EQ(answers.reviews, std::vector<int>{1}) << "the stored data are reviewed after Finish";
    answers.reviews.clear();
  }
  // The first file's work income in the first row of section A (later imports take other rows).
  const std::uint8_t* a = f100::record(block_.data(), f100::SectionA);
  EXPECT_DOUBLE_EQ(f100::sec_a::MoneyPay.get(a), 21450.30);
}

TEST_F(FiscalImportTest, TheWorkIncomeOfTheFileReachesTheTransferAndTheListing) {
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/trabajador.df"));
  ASSERT_EQ(applied_.size(), 1u);
  const fiscal::FiscalTransfer& t = applied_[0];
  const int slot = t.SlotOf("RTA");
  ASSERT_GT(slot, 0);
  EXPECT_DOUBLE_EQ(t.pages[static_cast<std::size_t>(slot)].At(0), 21450.30);
  EXPECT_DOUBLE_EQ(t.pages[static_cast<std::size_t>(slot)].At(1), 3217.55);
  const std::string yes = StoredRows().at(0).yes;
  EXPECT_NE(yes.find("2\tRTA\tA28123456\tDISTRIBUCIONES CENTRO SA      \tA\t21.450,30\t3.217,55\t"), std::string::npos);
  // Totals from the third column on: the first two are not accumulable.
  EXPECT_NE(yes.find("3\tTotales\t\t\t\t21.450,30\t3.217,55\t0,00\t"), std::string::npos);
}

// ------------------------------------------------------------------ pages and the progress window

TEST_F(FiscalImportTest, ThreeRecordLinesShowThirtyThreeSixtySixAndNinetyNinePercent) {
  const std::vector<std::string> lines = {Lines("trabajador.df", "DI")[0], Lines("trabajador.df", "RTA")[0],
                                          Lines("trabajador.df", "CB")[0]};
  ASSERT_TRUE(Import(WriteFile("three.df", FileOf(lines))));
  EXPECT_EQ(wizard_->ProgressShown(), (std::vector<int>{33, 66, 99}));
}

TEST_F(FiscalImportTest, EveryRunOfAKeyIsOfferedOnTheOnePageOfItsKey) {
  const std::vector<std::string> re = Lines("matrimonio_hijos.df", "RE"), pp = Lines("matrimonio_hijos.df", "PP");
  struct Case {
    std::vector<std::string> lines;
    std::size_t reLines;
  } cases[] = {{{re[0], re[1], pp[0]}, 2},
               {{re[0], pp[0], re[1]}, 2},
               {{re[0], re[1], pp[0], re[2]}, 3},
               {{re[0], pp[0], re[1], pp[0], re[2], pp[0], re[3]}, 4}};
  for (const Case& c : cases) {
    answers.drive = [](Wizard& w) { w.OnCommand(Wizard::kIdCancel, ui::kBnClicked); };
    ASSERT_TRUE(Import(WriteFile("runs.df", FileOf(c.lines))));
    EXPECT_EQ(wizard_->SlotCount(), 3);
    EXPECT_EQ(wizard_->GetPageCount(), 2);
    EXPECT_EQ(wizard_->Slot(1)->Key(), QStringLiteral("RE"));
    EXPECT_EQ(wizard_->Slot(2)->Key(), QStringLiteral("PP"));
    // The page's list keeps an empty entry 0.
    EXPECT_EQ(wizard_->Slot(1)->lines.size(), c.reLines + 1);
  }
}

TEST_F(FiscalImportTest, AKeyWithoutAListRowMakesAPageThatIsNeverShown) {
  // A layout whose list table lacks "VA".
  dbtest::TempDir sources;
  for (const auto& e : std::filesystem::directory_iterator(QX_SOURCE_DIR "/resources/db/DatLocal")) {
    const std::string name = e.path().filename().string();
    if (name.rfind("DFLISTAS", 0) == 0 || name.rfind("DFCAMPOS", 0) == 0)
      std::filesystem::copy_file(e.path(), sources.Path() / name);
  }
  {
    std::ifstream in(sources.Path() / "DFLISTASE.tsv");
    std::string kept;
    for (std::string l; std::getline(in, l);)
      if (l.rfind("VA\t", 0) != 0) kept += l + "\n";
    in.close();
    std::ofstream(sources.Path() / "DFLISTASE.tsv") << kept;
  }
  std::string error;
  ASSERT_TRUE(db::BuildDatabaseFromSources(sources.Path(), dir_.Path() / "layout.db", &error)) << error;
  db::CAdoConnection layout{"DatLocal"};
  ASSERT_TRUE(layout.Open((dir_.Path() / "layout.db").string(), db::OpenMode::ReadOnly));
  env_.local = &layout;
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/autonomo.df"));
  EXPECT_EQ(wizard_->GetPageCount(), 5);
  EXPECT_EQ(wizard_->SlotCount(), 7);
  EXPECT_EQ(wizard_->Slot(6)->Key(), QStringLiteral("VA"));
  // Its rows are in neither listing.
  EXPECT_EQ(StoredRows().at(0).no.find("Transmisiones de activos"), std::string::npos);
}

// ------------------------------------------------------------------ Finish, Cancel, a second import

TEST_F(FiscalImportTest, FinishAnsweredNoKeepsTheWizardOpenAndStoresNothing) {
  qxtest::ScriptedMessages coded({kAnsCancelar, kAnsAceptar});
  answers.drive = [this](Wizard& w) {
    for (int i = 0; i < w.GetPageCount(); ++i) Show(w, i);
    Finish(w);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.result(), 0);
    EXPECT_TRUE(StoredRows().empty());
    EXPECT_TRUE(applied_.empty());
    EXPECT_EQ(w.GetActivePage(), w.GetPage(w.GetPageCount() - 1));
    Finish(w);
  };
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/trabajador.df"));
  EXPECT_EQ(coded.Codes(), (std::vector<QString>{QStringLiteral("100P053"), QStringLiteral("100P053")}));
  EXPECT_EQ(result_, Wizard::kIdWizFinish);
  EXPECT_EQ(StoredRows().size(), 1u);
}

TEST_F(FiscalImportTest, CancelOnAnyPageStoresAndAppliesNothing) {
  const std::vector<std::uint8_t> before = block_;
  answers.drive = [](Wizard& w) {
    Show(w, 1);
    w.OnCommand(Wizard::kIdCancel, ui::kBnClicked);
  };
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/trabajador.df"));
  EXPECT_EQ(result_, Wizard::kIdCancel);
  EXPECT_TRUE(StoredRows().empty());
  EXPECT_TRUE(applied_.empty());
  EXPECT_EQ(block_, before);
  EXPECT_EQ(session_.fundCount, 0);
  EXPECT_TRUE(answers.reviews.empty());
}

TEST_F(FiscalImportTest, ASecondImportOfTheSameMemberReplacesItsRow) {
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/trabajador.df"));
  const std::string first = StoredRows().at(0).yes;
  // Second time the work income is left out: "Desmarcar todos" on its page.
  answers.drive = [](Wizard& w) {
    Show(w, 1);
    auto* page = static_cast<CDFTrabajo*>(w.GetPage(1));
    page->Item<QAbstractButton>(CDFTrabajo::kIdUnmarkAll)->click();
    EXPECT_TRUE(page->List()->marked.empty());
    FinishThroughEveryPage(w);
  };
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/trabajador.df"));
  const auto rows = StoredRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_NE(rows[0].yes, first);
  EXPECT_EQ(rows[0].yes.find("Rendimientos del trabajo"), std::string::npos);
  EXPECT_NE(rows[0].no.find("0\tRendimientos del trabajo: Datos Fiscales Trasladables\t\n"), std::string::npos);
}

// ------------------------------------------------------------------ refused files

TEST_F(FiscalImportTest, RefusedFilesShowTheirMessageAndChangeNothing) {
  std::string damaged = ReadSample("trabajador.df");
  damaged[damaged.find("000002145030")] = 'X';
  const std::pair<const char*, std::string> files[] = {{"damaged.df", damaged}, {"empty.df", FileOf({})}};
  const std::vector<std::uint8_t> before = block_;
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    strings_.clear();
    EXPECT_FALSE(Import(WriteFile(name, bytes)));
    EXPECT_EQ(strings_, std::vector<int>{fiscal::kMsgDamaged});
    EXPECT_EQ(wizard_->GetPageCount(), 0);
  }
  EXPECT_EQ(answers.wizardRuns, 0);
  EXPECT_TRUE(StoredRows().empty());
  EXPECT_TRUE(applied_.empty());
  EXPECT_EQ(block_, before);
}

// ------------------------------------------------------------------ the collect by kind of record

TEST_F(FiscalImportTest, InvestmentIncomeOfCodeB04CountsTwentyFourPercentOfItsGrossAmount) {
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/matrimonio_hijos.df"));
  const fiscal::FiscalTransfer& t = applied_.at(0);
  const fiscal::PageAmounts& re = t.pages[static_cast<std::size_t>(t.SlotOf("RE"))];
  // Withholdings (third accumulable column) of the B rows at index 2 + 5: 47,73 and 24 % of 150,00.
  EXPECT_NEAR(re.At(7), 47.73 + 36.00, 1e-9);
  EXPECT_NEAR(re.At(0), 640.00, 1e-9);   // A01 gross
  EXPECT_NEAR(re.At(10), 410.00, 1e-9);  // C01 gross
  EXPECT_EQ(re.used.size(), 16u);
}

TEST_F(FiscalImportTest, AnInvestmentIncomePageWithNothingMarkedWritesNoRow) {
  answers.drive = [](Wizard& w) {
    for (int i = 0; i < w.GetPageCount(); ++i) {
      Show(w, i);
      auto* page = static_cast<CDFTrabajo*>(w.GetPage(i));
      if (page->Key() == QLatin1String("RE")) page->Item<QAbstractButton>(CDFTrabajo::kIdUnmarkAll)->click();
    }
    Finish(w);
  };
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/matrimonio_hijos.df"));
  const fiscal::FiscalTransfer& t = applied_.at(0);
  const fiscal::PageAmounts& re = t.pages[static_cast<std::size_t>(t.SlotOf("RE"))];
  EXPECT_FALSE(re.hasData);
  EXPECT_EQ(re.used.size(), 16u);
  const std::string no = StoredRows().at(0).no;
  EXPECT_NE(no.find("0\tRendimientos expl"), std::string::npos);
}

TEST_F(FiscalImportTest, RowsWithSubDialogsAskAndCarryTheirAnswers) {
  answers.regimes = {0, 2};
  answers.murciaChoice = 1;
  answers.mortgageAmount = 300.00;
  answers.drive = [this](Wizard& w) {
    for (int i = 0; i < w.GetPageCount(); ++i) {
      Show(w, i);
      auto* page = static_cast<CDFTrabajo*>(w.GetPage(i));
      if (page->Key() == QLatin1String("PP")) {
        page->OnClickList(0, 0);
        EXPECT_EQ(page->List()->Text(0, 7), QStringLiteral("1. General"));
        page->OnClickList(1, 3);  // outside the check column: no dialog, no mark
        EXPECT_FALSE(page->List()->IsMarked(1));
      }
      if (page->Key() == QLatin1String("DN")) page->OnClickList(0, 0);
      if (page->Key() == QLatin1String("PH")) page->OnClickList(0, 0);
    }
    Finish(w);
  };
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/matrimonio_hijos.df"));
  const fiscal::FiscalTransfer& t = applied_.at(0);
  EXPECT_DOUBLE_EQ(t.pensions[0][2], 1800.00);
  EXPECT_TRUE(t.pensionDataPresent);
  // Community 13 of a Murcia taxpayer with the state deduction chosen: the letter's state amount.
  EXPECT_DOUBLE_EQ(t.donations.stateA, 300.00);
  EXPECT_DOUBLE_EQ(t.donations.community13Regional, 0.0);
  EXPECT_TRUE(t.donations.any);
  // 15/06/2001: the two-year amount within two years, the rest of 3.120,00 + 4.210,66 + 95,00 later.
  EXPECT_NEAR(t.mortgage.withinTwoYears, 300.00, 1e-9);
  EXPECT_NEAR(t.mortgage.later, 7425.66 - 300.00, 1e-9);
  EXPECT_TRUE(t.mortgage.hasData);
  EXPECT_EQ(t.mortgageDates, std::vector<std::string>{"15/06/2001"});
}

TEST_F(FiscalImportTest, AChildsFileHasEveryRowWithASubDialogRed) {
  answers.drive = [](Wizard& w) {
    for (int i = 0; i < w.GetPageCount(); ++i) Show(w, i);
    for (const char* key : {"PP", "DN", "PH"}) {
      CDFTrabajo* page = PageOf(w, key);
      ASSERT_NE(page, nullptr) << key;
      EXPECT_EQ(static_cast<int>(page->List()->excluded.size()), page->List()->rowCount()) << key;
      page->OnClickList(0, 0);
      EXPECT_TRUE(page->List()->marked.empty()) << key;
    }
    w.OnCommand(Wizard::kIdCancel, ui::kBnClicked);
  };
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/matrimonio_hijos.df", 3));
}

TEST_F(FiscalImportTest, TheFundLimitCountsTheFundsOfEarlierImports) {
  session_.fundCount = 14;
  answers.drive = [this](Wizard& w) {
    for (int i = 0; i < w.GetPageCount(); ++i) Show(w, i);
    CDFTrabajo* fi = PageOf(w, "FI");
    ASSERT_NE(fi, nullptr);
    EXPECT_EQ(fi->MarkedFunds(), 1);
    EXPECT_EQ(fi->List()->marked, std::vector<int>{0});
    EXPECT_EQ(std::count(strings_.begin(), strings_.end(), 98110), 1);
    Finish(w);
  };
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/matrimonio_hijos.df"));
  EXPECT_EQ(session_.fundCount, 15);
  EXPECT_EQ(session_.funds[14].member, 1);
  EXPECT_EQ(session_.funds[14].nif, "V30123456");
}

// ------------------------------------------------------------------ the sub-dialogs

TEST(FiscalSubDialogs, TheSpouseOptionNeedsAJointDeclarationAndTheSpousesNif) {
  std::vector<std::uint8_t> block(f100::kBlockSize, 0);
  fiscal::ImportEnvironment env;
  env.block = block;
  for (bool joint : {false, true}) {
    env.joint = joint;
    CTrasladoPlanesPensionesDlg dlg(&env, false);
    dlg.EnsureCreated();
    EXPECT_FALSE(dlg.OptionEnabled(CTrasladoPlanesPensionesDlg::kIdSpouse));
    EXPECT_TRUE(dlg.OptionEnabled(CTrasladoPlanesPensionesDlg::kIdGeneral));
  }
  f100::family::HolderNif.set(f100::record(block.data(), f100::Family) + 18, std::string("12345678Z"));
  CTrasladoPlanesPensionesDlg spouse(&env, false);
  spouse.EnsureCreated();
  EXPECT_TRUE(spouse.OptionEnabled(CTrasladoPlanesPensionesDlg::kIdSpouse));
  CTrasladoPlanesPensionesDlg used(&env, true);
  used.disableA = used.disableD = true;
  used.EnsureCreated();
  EXPECT_FALSE(used.OptionEnabled(CTrasladoPlanesPensionesDlg::kIdSpouse));
  EXPECT_FALSE(used.OptionEnabled(CTrasladoPlanesPensionesDlg::kIdGeneral));
  EXPECT_FALSE(used.OptionEnabled(CTrasladoPlanesPensionesDlg::kIdSportsmen));
  EXPECT_TRUE(used.OptionEnabled(CTrasladoPlanesPensionesDlg::kIdDisabled));
  used.OnOK();
  EXPECT_EQ(used.regime, -1);
}

TEST(FiscalSubDialogs, MurciaDefaultsToTheRegionalDeductionAndEmptyExpensesGiveNoText) {
  CDonacionesMurciaDlg murcia;
  murcia.EnsureCreated();
  murcia.OnOK();
  EXPECT_EQ(murcia.choice, 2);
  CGastosAdqEnajDlg expenses;
  expenses.EnsureCreated();
  expenses.Item<QLineEdit>(CGastosAdqEnajDlg::kIdAmount)->clear();
  EXPECT_EQ(expenses.AmountText(), QString());
  expenses.Item<QLineEdit>(CGastosAdqEnajDlg::kIdAmount)->setText(QStringLiteral("1234,5"));
  EXPECT_EQ(expenses.AmountText(), QStringLiteral("1.234,50"));
}

// ------------------------------------------------------------------ the entry dialog

struct EntryCase {
  const char* name;
  bool married, joint, nonResident, child1;
  std::deque<int> members;
  std::vector<std::vector<bool>> selections;
  int wizardRuns;
};

TEST_F(FiscalImportTest, TheEntryDialogTakesTheMembersOneAfterTheOther) {
  const EntryCase cases[] = {
      {"single without children", false, true, false, false, {}, {}, 1},
      {"non-resident spouse", true, true, true, false, {}, {}, 1},
      {"married, individual", true, false, false, false, {1, 0},
       {{true, false, false, false}, {false, false, false, false}}, 1},
      {"child marked", false, true, false, true, {1, 0}, {{true, false, true, false}, {false, false, true, false}}, 1},
  };
  answers.file = QX_SOURCE_DIR "/resources/examples/trabajador.df";
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::fill(block_.begin(), block_.end(), 0);
    std::uint8_t* personal = f100::record(block_.data(), f100::Personal);
    std::uint8_t* family = f100::record(block_.data(), f100::Family);
    f100::wizard_personal::CivilStatus.set(personal, c.married ? 1 : 0);
    f100::family_wizard::NonResidentSpouse.set(family, c.nonResident ? 1 : 0);
    blocks::Text{f100::family::HolderNif.off + 9, 9}.set(family, "12345678Z");
    if (c.child1) {
      std::uint8_t* entry = family + f100::family_wizard::Descendants.off;
      f100::descendant_entry::Nif.set(entry, "11111111H");
      f100::descendant_entry::H1.set(entry, 1);
    }
    env_.joint = c.joint;
    answers.members = c.members;
    answers.selections.clear();
    answers.wizardRuns = 0;
    session_.fundCount = 3;
    session_.spouseRegimeUsed = true;
    CDatosFiscalesDlg148 entry(env_);
    EXPECT_EQ(session_.fundCount, 0);
    entry.OnOK();
    EXPECT_FALSE(session_.spouseRegimeUsed);
    EXPECT_EQ(answers.selections, c.selections);
    EXPECT_EQ(answers.wizardRuns, c.wizardRuns);
    EXPECT_EQ(entry.result(), QDialog::Accepted);
  }
}

TEST_F(FiscalImportTest, CancelInAWizardEndsTheWholeImport) {
  answers.file = QX_SOURCE_DIR "/resources/examples/trabajador.df";
  std::uint8_t* family = f100::record(block_.data(), f100::Family);
  f100::wizard_personal::CivilStatus.set(f100::record(block_.data(), f100::Personal), 1);
  blocks::Text{f100::family::HolderNif.off + 9, 9}.set(family, "12345678Z");
  answers.members = {1, 2};
  answers.drive = [](Wizard& w) { w.OnCommand(Wizard::kIdCancel, ui::kBnClicked); };
  CDatosFiscalesDlg148 entry(env_);
  entry.OnOK();
  EXPECT_EQ(answers.selections.size(), 1u);
  EXPECT_EQ(answers.selections[0], (std::vector<bool>{true, true, false, false}));
  EXPECT_EQ(answers.members, std::deque<int>{2}) << "no second choice";
  EXPECT_TRUE(StoredRows().empty());
}

// ------------------------------------------------------------------ pictures

TEST_F(FiscalImportTest, PagesAndDialogsAreLaidOut) {
  const QByteArray dir = qgetenv("QX_RENDER_DIR");
  auto save = [&dir](QWidget& w, const QString& name) {
    if (dir.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    w.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name + QStringLiteral("_e.png"));
  };
  answers.drive = [&save](Wizard& w) {
    for (int i = 0; i < w.GetPageCount(); ++i) Show(w, i);
    Show(w, 4);
    w.resize(900, 480);
    QCoreApplication::processEvents();
    save(w, QStringLiteral("fiscal_transfer"));
    EXPECT_TRUE(w.GetActivePage()->isVisible());
    w.OnCommand(Wizard::kIdCancel, ui::kBnClicked);
  };
  ASSERT_TRUE(Import(QX_SOURCE_DIR "/resources/examples/matrimonio_hijos.df"));
  CTrasladoPlanesPensionesDlg pension(&env_, false);
  CDonacionesMurciaDlg murcia;
  CGastosAdqEnajDlg expenses;
  CSeleccionDeclarantesDlg selection(true);
  CDatosFiscalesDlg148 entry(env_);
  const std::pair<QDialog*, const char*> dialogs[] = {{&pension, "fiscal_pension_regime"}, {&murcia, "fiscal_murcia"},
                                                      {&expenses, "fiscal_expenses"}, {&selection, "fiscal_members"},
                                                      {&entry, "fiscal_entry"}};
  CProgresoImportacionDlg progress;
  progress.SetPos(150);
  EXPECT_EQ(progress.Position(), 100);
  progress.SetPos(66);
  EXPECT_EQ(progress.PercentText(), QStringLiteral("66%"));
  progress.reject();
  EXPECT_TRUE(progress.isVisible()) << "reading cannot be interrupted";
  QCoreApplication::processEvents();
  save(progress, QStringLiteral("fiscal_progress"));
  progress.Close();
  for (const auto& [d, name] : dialogs) {
    d->show();
    QCoreApplication::processEvents();
    EXPECT_GT(d->width(), 100) << name;
    save(*d, QString::fromLatin1(name));
    d->hide();
  }
}

}  // namespace
