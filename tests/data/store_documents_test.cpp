// The declaration documents over a temporary store: the new-not-saved rule, the save prompt,
// save as, members shown, print status and references, and the print records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "blocks/form100_payment.h"
#include "data/doc/calculators.h"
#include "data/doc/doc714.h"
#include "data/doc/renta_doc.h"
#include "db_fixture.h"
#include "platform/strings.h"
#include "store_fixture.h"

namespace {

using namespace doc;
namespace fam = f100::family;

using Recorder = storetest::MessageRecorder;

struct ScriptedHost : DocumentHost {
  Answer answer = Answer::No;
  int prompts = 0;
  std::optional<std::string> saveAsName;
  std::vector<std::string> opened;
  int commit = 0;
  Answer AskSaveChanges(std::string_view) override {
    ++prompts;
    return answer;
  }
  std::optional<std::string> AskSaveAsName(std::string_view) override { return saveAsName; }
  void OpenDeclaration(std::string_view key) override { opened.emplace_back(key); }
  int CommitPendingBoxEdit() override { return std::exchange(commit, 0); }
};

class DocumentTest : public dbtest::DeclarationsTest {
 protected:
  void SetUp() override {
    DeclarationsTest::SetUp();
    now = LocalTime{2004, 5, 10, 11, 30, 15};
  }
  // The time the documents' printed references read.
  ReferenceSettings References() {
    return {false, [this] { return now; }};
  }
  LocalTime now{};
  store::StoreMessages Messages() { return storetest::RecordedMessages(&rec, &plain); }
  // A stored form-100 declaration built from a block the test prepares.
  void Store100(const std::string& key, const std::vector<std::uint8_t>& block, char modality) {
    ASSERT_TRUE(store.Create(key, store::kKindForm100));
    ASSERT_TRUE(store.WriteRow(key, store::kKindForm100, modality, block));
  }
  static std::uint8_t* Fam(std::vector<std::uint8_t>& b) { return f100::record(b.data(), f100::Family); }
  static std::uint8_t* Per(std::vector<std::uint8_t>& b) { return f100::record(b.data(), f100::Personal); }

  Recorder rec;
  std::vector<std::string> plain;
  store::DeclarationStore store{conn, Messages()};
  ScriptedHost host;
};

TEST_F(DocumentTest, NewDeclarationNeverSavedLeavesNoRow) {
  for (Answer a : {Answer::No, Answer::Yes}) {
    ASSERT_TRUE(store.Create("NUEVA", store::kKindForm100));
    {
      CRentaDoc d(store, host);
      d.SetReferenceSettings(References());
      ASSERT_TRUE(d.OpenDeclaration("NUEVA", true));
      EXPECT_TRUE(d.IsModified());  // the form pages were shown on a new declaration
      host.answer = a;
      ASSERT_TRUE(d.OnCloseDocument());
    }
    EXPECT_EQ(store.Exists("NUEVA"), a == Answer::Yes);
    // The saved new declaration names its form, not a transient kind.
    if (a == Answer::Yes) {
      EXPECT_EQ(store.Load("NUEVA")->kind, 2);
    }
  }
  // Cancel keeps the declaration open.
  ASSERT_TRUE(store.Create("OTRA", store::kKindForm714));
  C714Doc p(store, host);
  p.SetReferenceSettings(References());
  ASSERT_TRUE(p.OpenDeclaration("OTRA", true));
  EXPECT_TRUE(p.IsModified());
  host.answer = Answer::Cancel;
  EXPECT_FALSE(p.OnCloseDocument());
  EXPECT_TRUE(store.Exists("OTRA"));
  // Unmodified and never saved: deleted on close.
  p.Model().MarkSaved();
  EXPECT_TRUE(p.OnCloseDocument());
  EXPECT_FALSE(store.Exists("OTRA"));
}

TEST_F(DocumentTest, MissingRowIsNotFoundAndAFailedSaveIsNoSuccess) {
  CRentaDoc d(store, host);
  d.SetReferenceSettings(References());
  EXPECT_FALSE(d.OpenDeclaration("NADIE", false));
  EXPECT_EQ(rec.codes.back(), "WIN023");

  ASSERT_TRUE(store.Create("P", store::kKindForm714));
  C714Doc p(store, host);
  p.SetReferenceSettings(References());
  ASSERT_TRUE(p.OpenDeclaration("P", false));
  ASSERT_TRUE(store.Delete("P", false));
  EXPECT_FALSE(p.SaveToDatabase());
  EXPECT_FALSE(p.Save());
  // The document keeps its changes for another try and says why.
  EXPECT_TRUE(p.IsModified());
  EXPECT_EQ(rec.codes.back(), kSaveFailedCode);

  // A new declaration whose first save failed is still never saved: closing it unsaved
  // removes its row.
  ASSERT_TRUE(store.Create("Q", store::kKindForm714));
  C714Doc q(store, host);
  q.SetReferenceSettings(References());
  ASSERT_TRUE(q.OpenDeclaration("Q", true));
  ASSERT_TRUE(conn.Execute("CREATE TRIGGER refuse BEFORE UPDATE ON DATOSDEC BEGIN SELECT RAISE(ABORT, 'lleno'); END"));
  EXPECT_FALSE(q.Save());
  EXPECT_TRUE(q.NewNotSaved());
  // Closing it with "save" while the save still fails keeps it open with its edits.
  host.answer = Answer::Yes;
  const int prompts = host.prompts;
  EXPECT_FALSE(q.OnCloseDocument());
  EXPECT_EQ(host.prompts, prompts + 1);
  EXPECT_TRUE(q.IsModified());
  EXPECT_TRUE(store.Exists("Q"));
  ASSERT_TRUE(conn.Execute("DROP TRIGGER refuse"));
  host.answer = Answer::No;
  EXPECT_TRUE(q.OnCloseDocument());
  EXPECT_FALSE(store.Exists("Q"));
}

// Two copies of the program on one store file, each with its own connection and document, both
// editing one declaration: the first save is kept; the second finds the row changed since it
// read it, writes nothing and says so, and keeps its own edits to be saved under another name.
// Closed without saving and opened again, it sees the first copy's change and saves over it.
TEST_F(DocumentTest, ASaveOverAnotherCopysSaveIsRefusedAndTheEditsKept) {
  ASSERT_TRUE(store.Create("GOMEZ", store::kKindForm714));
  db::CAdoConnection otherConn("otra copia");
  ASSERT_TRUE(otherConn.Open(dir.Str() + db::kDeclarationsFile));
  Recorder otherRec;
  store::DeclarationStore other(otherConn, storetest::RecordedMessages(&otherRec, nullptr));
  ScriptedHost otherHost;

  C714Doc a(store, host), b(other, otherHost);
  a.SetReferenceSettings(References());
  b.SetReferenceSettings(References());
  ASSERT_TRUE(a.OpenDeclaration("GOMEZ", false));
  ASSERT_TRUE(b.OpenDeclaration("GOMEZ", false));
  constexpr std::size_t kBoxA = 1000, kBoxB = 2000;  // two boxes of the block
  b.Block()[kBoxB] = 'B';
  b.Model().WrittenAll();
  ASSERT_TRUE(b.Save());
  b.Block()[kBoxB] = 'C';  // the same copy saves again: its own row, not another's
  b.Model().WrittenAll();
  ASSERT_TRUE(b.Save());
  EXPECT_TRUE(otherRec.codes.empty());

  a.Block()[kBoxA] = 'A';
  a.Model().WrittenAll();
  EXPECT_FALSE(a.Save());
  EXPECT_EQ(rec.codes.back(), kSaveConflictCode);
  EXPECT_TRUE(a.IsModified());
  EXPECT_EQ(a.Block()[kBoxA], 'A') << "the user's edits are kept";
  std::vector<std::uint8_t> stored = store.Load("GOMEZ")->block;
  EXPECT_EQ(stored[kBoxB], 'C') << "the other copy's save is kept";
  EXPECT_EQ(stored[kBoxA], 0);
  EXPECT_FALSE(a.Save()) << "still refused on a second try";

  // Saved under another name, with both the edits and nothing of the other copy's.
  host.saveAsName = "GOMEZ BIS";
  ASSERT_TRUE(a.SaveAs());
  EXPECT_EQ(store.Load("GOMEZ BIS")->block[kBoxA], 'A');
  EXPECT_EQ(store.Load("GOMEZ")->block[kBoxB], 'C');

  // Opened again, the other copy's change is read and the next save writes over it.
  C714Doc again(store, host);
  again.SetReferenceSettings(References());
  ASSERT_TRUE(again.OpenDeclaration("GOMEZ", false));
  EXPECT_EQ(again.Block()[kBoxB], 'C');
  again.Block()[kBoxA] = 'D';
  again.Model().WrittenAll();
  EXPECT_TRUE(again.Save());
  stored = store.Load("GOMEZ")->block;
  EXPECT_EQ(stored[kBoxA], 'D');
  EXPECT_EQ(stored[kBoxB], 'C');
}

TEST_F(DocumentTest, SaveAsCopiesAndOpensTheNewName) {
  std::vector<std::uint8_t> b(f100::kBlockSize, 0);
  fam::MemberStatus(1).set(Fam(b), 1);
  Store100("PEREZ", b, 'C');
  CRentaDoc d(store, host);
  d.SetReferenceSettings(References());
  ASSERT_TRUE(d.OpenDeclaration("PEREZ", false));
  host.saveAsName = "PEREZ NUEVA";
  ASSERT_TRUE(d.SaveAs());
  EXPECT_EQ(host.opened, std::vector<std::string>{store::PadKey("PEREZ NUEVA")});
  auto copy = store.Load("PEREZ NUEVA");
  EXPECT_EQ(copy->modality, "C");
  EXPECT_EQ(fam::MemberStatus(1).get(f100::record(copy->block.data(), f100::Family)), 0);

  // The same name only saves; a full store refuses the copy.
  host.saveAsName = "PEREZ";
  EXPECT_TRUE(d.SaveAs());
  for (int i = store.Count(); i < store::kMaxDeclarations; ++i) ASSERT_TRUE(store.Create(storetest::NumberedKey(i), 3));
  host.saveAsName = "OTRA";
  EXPECT_FALSE(d.SaveAs());
  EXPECT_EQ(plain.back(), store::StoreFullText());
  EXPECT_FALSE(store.Exists("OTRA"));
}

// The document publishes its shown member and household to the program state while it lives.
TEST_F(DocumentTest, MemberShownOnOpening) {
  struct Case {
    const char* name;
    char modality;
    std::uint8_t mode, openOnUnit, child1;
    int shown;
    bool severalHolders;
  };
  const Case cases[] = {
      {"individual", 'I', 1, 1, 1, 2, false},
      {"joint, unit asked for without spouse or children", 'C', 0, 1, 0, 1, true},
      {"joint without spouse", 'C', 0, 0, 0, 2, false},
      {"joint with spouse", 'C', 1, 0, 0, 1, true},
      {"joint with a first child but no spouse: the declarant's view", 'C', 0, 0, 1, 2, true},
  };
  int n = 0;
  for (const Case& c : cases) {
    std::vector<std::uint8_t> b(f100::kBlockSize, 0);
    f100::personal::DeclarationMode.set(Per(b), c.mode);
    f100::personal::OpenOnFamilyUnit.set(Per(b), c.openOnUnit);
    fam::descendant::Child1Mark(3).set(Fam(b), c.child1);
    fam::CommunityCodeCopy(2).set(Fam(b), "01");
    std::string key = std::string("K").append(std::to_string(n++));
    Store100(key, b, c.modality);
    {
      CRentaDoc d(store, host);
      d.SetReferenceSettings(References());
      ASSERT_TRUE(d.OpenDeclaration(key, false)) << c.name;
      EXPECT_EQ(d.ShownMember(), c.shown) << c.name;
      EXPECT_EQ(ShownMember(), c.shown) << c.name;
      EXPECT_EQ(HouseholdHasSeveralHolders(), c.severalHolders) << c.name;
      EXPECT_EQ(d.Kind(), 2) << c.name;
      if (c.modality == 'I') {
        for (int m : {1, 3, 4, 5}) EXPECT_FALSE(d.CanShowMember(m)) << m;
      }
      doc::overflow_warning::Disarm();
    }
    EXPECT_EQ(ShownMember(), 0) << c.name;
    EXPECT_FALSE(HouseholdHasSeveralHolders()) << c.name;
    EXPECT_TRUE(doc::overflow_warning::Armed()) << "a closing document arms the overflow warning";
  }
}

TEST_F(DocumentTest, SpouseWithCommunity99CannotBeShown) {
  std::vector<std::uint8_t> b(f100::kBlockSize, 0);
  f100::personal::DeclarationMode.set(Per(b), 1);
  f100::personal::communityCode(3).set(Per(b), "99");
  fam::CommunityCodeCopy(2).set(Fam(b), "99");
  Store100("K", b, 'C');
  CRentaDoc d(store, host);
  d.SetReferenceSettings(References());
  ASSERT_TRUE(d.OpenDeclaration("K", false));
  EXPECT_TRUE(d.CanShowMember(1));
  EXPECT_FALSE(d.CanShowMember(3));
  d.ApplyFamilyData(3, false);
  EXPECT_EQ(d.ShownMember(), 1);
}

TEST_F(DocumentTest, PrintStatusKeepsReferencesAndEditsRenewThemWithOneWarning) {
  std::vector<std::uint8_t> b(f100::kBlockSize, 0);
  f100::personal::DeclarationMode.set(Per(b), 1);
  fam::CommunityCodeCopy(2).set(Fam(b), "01");
  for (int i = 0; i < 5; ++i) fam::HolderNif(i).set(Fam(b), "12345678Z");
  Store100("K", b, 'C');
  CRentaDoc d(store, host);
  d.SetReferenceSettings(References());
  ASSERT_TRUE(d.OpenDeclaration("K", false));
  ASSERT_TRUE(d.Save());  // references built for every member
  auto stored = store.Load("K")->block;
  const std::string ref0(fam::ReferenceNumber(0).raw(f100::record(stored.data(), f100::Family)));
  EXPECT_NE(ref0[0], 0);
  EXPECT_EQ(d.ReferenceText().rfind("Ref.: ", 0), 0u);

  // The declarant and the spouse are printed; a later edit on the family unit marks both.
  d.SetTargetMember(2, 0);
  d.SetMemberStatus(1);
  d.SetTargetMember(3, 0);
  d.SetMemberStatus(1);
  now = LocalTime{2004, 6, 1, 9, 0, 0};
  ASSERT_TRUE(d.Save());
  EXPECT_EQ(d.MemberStatus(2), 1);
  stored = store.Load("K")->block;
  EXPECT_EQ(std::string(fam::ReferenceNumber(1).raw(f100::record(stored.data(), f100::Family))),
            std::string(fam::ReferenceNumber(1).raw(f100::record(d.Block().data(), f100::Family))));

  d.Model().SetEditedSincePrinted(true);  // a box edit
  d.CommitPendingBoxEdit();
  EXPECT_EQ(d.MemberStatus(2), 2);
  EXPECT_EQ(d.MemberStatus(3), 2);
  // The sheets to replace are told in the interface language.
  platform::SetLanguage('c');
  ASSERT_TRUE(d.Save());
  platform::SetLanguage('e');
  EXPECT_EQ(rec.Count("WIN026"), 1);
  EXPECT_EQ(rec.extras.back().rfind("En el cas d'haver-se impr", 0), 0u) << rec.extras.back();
  EXPECT_EQ(d.MemberStatus(2), 0);
  EXPECT_EQ(d.MemberStatus(3), 0);
}

TEST_F(DocumentTest, BarcodeDataFollowsTheResult) {
  namespace pay = f100::payment;
  std::vector<std::uint8_t> b(f100::kBlockSize, 0);
  Store100("K", b, 'I');
  CRentaDoc d(store, host);
  d.SetReferenceSettings(References());
  ASSERT_TRUE(d.OpenDeclaration("K", false));
  d.SetTargetMember(2, 0);
  auto* block = d.Block().data();
  auto* n = f100::record(block, f100::SectionN);
  auto* q = f100::record(block, f100::SectionQ);

  EXPECT_EQ(d.BuildBarcodeData(), "301" + std::string(20, '0') + std::string(22, '0') + "030A");
  f100::summary::SuspensionRequest.set(f100::record(block, f100::Summary), 1);
  EXPECT_EQ(d.BuildBarcodeData().substr(0, 3), "211");
  f100::summary::SuspensionRequest.set(f100::record(block, f100::Summary), 0);

  f100::section_n::ResultCopy.set(n, 1, 1234.5);
  pay::SecondAmount(2).set(q, 99.99);
  pay::Account1(2).entity.set(q, "2100");
  pay::Account1(2).branch.set(q, "0001");
  pay::Account1(2).control.set(q, "12");
  pay::Account1(2).number.set(q, "0123456789");
  std::string data = d.BuildBarcodeData();
  EXPECT_EQ(data, "013" "21000001120123456789" "00000009999" "00000123450" "030A");
  EXPECT_EQ(std::string(d.BarcodeArea().data(), 5), "90558");
  pay::Code01Flag(2).set(q, 1);
  EXPECT_EQ(d.BuildBarcodeData().substr(0, 3), "001");
  EXPECT_EQ(d.BuildBarcodeData().substr(23, 22), "00000123450" "00000123450");

  f100::section_n::ResultCopy.set(n, 1, -50);
  EXPECT_EQ(d.BuildBarcodeData().substr(0, 3), "112");
  EXPECT_EQ(d.BuildBarcodeData().substr(23, 11), "00000005000");
}

TEST_F(DocumentTest, ReferenceTextRankingAndChildren) {
  std::vector<std::uint8_t> b(f100::kBlockSize, 0);
  fam::ReferenceNumber(1).set(Fam(b), "100912345678 3", '\0');
  using namespace fam::descendant;
  // Entry 0 the spouse's only, entry 1 shared, both died in the year; entry 2 the declarant's.
  Owner(0).set(Fam(b), 'C');
  DeathDate(0).set(Fam(b), "01052003");
  Owner(1).set(Fam(b), ' ');
  DeathDate(1).set(Fam(b), "02062003");
  Owner(2).set(Fam(b), 'D');
  DeathDate(2).set(Fam(b), "03072003");
  Child2Mark(5).set(Fam(b), 1);
  Store100("K", b, 'C');
  CRentaDoc d(store, host);
  d.SetReferenceSettings(References());
  ASSERT_TRUE(d.OpenDeclaration("K", false));
  EXPECT_EQ(d.GetReferenceText(1), "1009123456783");
  d.RankDescendants();
  const auto* f = f100::record(d.Block().data(), f100::Family);
  // Family unit: positions 1 and 2; declarant: 1 (entry 1) and 2 (entry 2); spouse: 1 and 2.
  EXPECT_EQ(fam::FirstDescendantNumber(0).get(f), 1);
  EXPECT_EQ(fam::SecondDescendantNumber(0).get(f), 2);
  EXPECT_EQ(fam::FirstDescendantNumber(1).get(f), 1);
  EXPECT_EQ(std::string(fam::FirstDescendantBirth(1).raw(f)), "02062003");
  EXPECT_EQ(fam::SecondDescendantNumber(1).get(f), 2);
  EXPECT_EQ(fam::FirstDescendantNumber(2).get(f), 1);
  EXPECT_EQ(fam::SecondDescendantNumber(2).get(f), 2);
  EXPECT_EQ(d.FindChildDescendant(2, -1), 5);
  EXPECT_EQ(d.FindChildDescendant(2, 5), -1);
  EXPECT_EQ(CRentaDoc::AgeAtDate("15062000", "31122003"), 3);
  EXPECT_EQ(CRentaDoc::AgeAtDate(" ", "31122003"), 0);
  EXPECT_EQ(CRentaDoc::HolderName("ANA", "PEREZ", "GOMEZ", true), "PEREZ GOMEZ, ANA" + std::string(32, ' '));
}

TEST_F(DocumentTest, WealthTaxPrintedFlagRenewsOnceAndBarcode) {
  ASSERT_TRUE(store.Create("P", store::kKindForm714));
  C714Doc p(store, host);
  p.SetReferenceSettings(References());
  ASSERT_TRUE(p.OpenDeclaration("P", false));
  auto* per = f714::record(p.Block().data(), f714::Personal);
  f714::personal::Nif.set(per, "12345678Z");
  ASSERT_TRUE(p.Save());
  EXPECT_EQ(p.GetReferenceText().size(), 13u);
  p.SetPrinted(false);
  EXPECT_TRUE(p.IsPrinted());
  ASSERT_TRUE(p.Save());
  EXPECT_EQ(rec.Count("WIN026"), 0);
  p.Model().SetEditedSincePrinted(true);
  ASSERT_TRUE(p.Save());
  EXPECT_EQ(rec.Count("WIN026"), 1);
  EXPECT_FALSE(p.IsPrinted());

  f714::personal::Surname1.set(per, "PEREZ");
  f714::personal::Surname2.set(per, "GOMEZ");
  f714::personal::GivenName.set(per, "ANA");
  EXPECT_EQ(p.ComposeDeclarantName(), "PEREZ GOMEZ, ANA" + std::string(32, ' '));
  auto* r = f714::record(p.Block().data(), f714::Result);
  f714::result::BarcodeAmount.set(r, 10);
  EXPECT_EQ(p.BuildBarcodeData(), "000" + std::string(20, '0') + "00000001000" "00000001000" "030A");
}

// A new declaration's references before and after its NIF is entered, for both forms: with no
// NIF the text stays blank (so every save renews) and the number still follows the clock; the
// first save after the NIF gives the exact text and number for that NIF and time.
TEST_F(DocumentTest, ReferencesFollowTheNifAndTheClockAndRenewOnceTheNifIsEntered) {
  struct Form {
    const char* name;
    std::function<std::unique_ptr<CProg32Doc>()> make;
    blocks::Text text, number;  // the first member's fields, within the block
    std::function<void(std::span<std::uint8_t>)> enterNif;
    const char* expectedText;
    const char* expectedNumber;
  };
  const blocks::Text nif100{f100::Personal.offset + 80, 9};
  const std::size_t fam100 = f100::Family.offset, per714 = f714::Personal.offset;
  const Form forms[] = {
      {"form 100", [&] {
         auto d = std::make_unique<CRentaDoc>(store, host);
         d->SetReferenceSettings(References());
         return d;
       },
       {fam100 + fam::ReferenceText.off, 60}, {fam100 + fam::ReferenceNumber.off, 20},
       [&](std::span<std::uint8_t> b) { nif100.set(b.data(), "12345678Z"); }, "Ref.: 9999.12345678.47.05953.4",
       "100932158585 1"},
      {"form 714", [&] {
         auto d = std::make_unique<C714Doc>(store, host);
         d->SetReferenceSettings(References());
         return std::unique_ptr<CProg32Doc>(std::move(d));
       },
       {per714 + f714::personal::ReferenceText.off, 60}, {per714 + f714::personal::ReferenceNumber.off, 20},
       [&](std::span<std::uint8_t> b) { f714::personal::Nif.set(b.data() + per714, "12345678Z"); },
       "Ref.: 9999.12345678.47.05952.5", "714932158585 6"},
  };
  for (const Form& form : forms) {
    SCOPED_TRACE(form.name);
    const int kind = std::string_view(form.name) == "form 714" ? store::kKindForm714 : store::kKindForm100;
    ASSERT_TRUE(store.Create(form.name, kind));
    auto d = form.make();
    ASSERT_TRUE(d->OpenDeclaration(form.name, true));
    auto number = [&] { return std::string(form.number.str(d->Block().data())); };
    auto text = [&] { return std::string(form.text.raw(d->Block().data())); };

    now = LocalTime{2004, 5, 10, 9, 0, 0};
    ASSERT_TRUE(d->Save());
    EXPECT_EQ(text(), std::string(60, ' '));
    const std::string early = number();
    now = LocalTime{2004, 5, 10, 17, 45, 3};
    ASSERT_TRUE(d->Save());
    EXPECT_NE(number(), early);
    EXPECT_EQ(number().size(), 14u);

    form.enterNif(d->Block());
    if (auto* r = dynamic_cast<CRentaDoc*>(d.get())) r->ApplyFamilyData(2, false);
    now = LocalTime{2004, 5, 10, 11, 30, 15};
    ASSERT_TRUE(d->Save());
    EXPECT_EQ(store::TrimKey(text()), form.expectedText);
    EXPECT_EQ(number(), form.expectedNumber);
    if (kind == store::kKindForm100) {  // the declarant: member 2, serial offset 1
      const auto* f = f100::record(d->Block().data(), f100::Family);
      EXPECT_EQ(fam::ReferenceText(1).trimmed(f), "Ref.: 9999.12345678.47.05954.3");
      EXPECT_EQ(fam::ReferenceNumber(1).str(f), "100932158584 2");
    }
    // Form 714's references, once filled, stay through saves without edits (form 100 renews
    // unprinted members at each save while a member has no NIF).
    if (kind == store::kKindForm714) {
      now = LocalTime{2004, 6, 1, 8, 0, 0};
      ASSERT_TRUE(d->Save());
      EXPECT_EQ(number(), form.expectedNumber);
      EXPECT_EQ(store::TrimKey(text()), form.expectedText);
    }
  }
}

// The family data carry the holders' names into every member's identification, and the page
// header shows them blank-padded: names are stored with a zero byte after them.
TEST_F(DocumentTest, FamilyDataCarryHolderNamesAndTheHeaderIsBlankPadded) {
  std::vector<std::uint8_t> b(f100::kBlockSize, 0);
  f100::personal::DeclarationMode.set(Per(b), 1);
  fam::CommunityCodeCopy(2).set(Fam(b), "01");
  blocks::Text{80, 9}.set(Per(b), "12345678Z");
  blocks::Text{89, 9}.set(Per(b), "87654321X");
  blocks::Text{98, 9}.set(Per(b), "11111111H");
  auto name = [&](const blocks::Text& t, int slot, std::string_view v) { t(slot).set(Fam(b), v, '\0'); };
  name(fam::HolderGivenName, 1, "ANA");
  name(fam::HolderSurname1, 1, "PEREZ");
  name(fam::HolderSurname2, 1, "GOMEZ");
  name(fam::HolderGivenName, 2, "LUIS");
  name(fam::HolderSurname1, 2, "SANZ");
  name(fam::HolderSurname2, 2, "ROS");
  using namespace fam::descendant;
  Child1Mark(4).set(Fam(b), 1);
  GivenName(4).set(Fam(b), "EVA", '\0');
  Surname1(4).set(Fam(b), "SANZ", '\0');
  Surname2(4).set(Fam(b), "PEREZ", '\0');
  Store100("K", b, 'C');
  CRentaDoc d(store, host);
  d.SetReferenceSettings(References());
  ASSERT_TRUE(d.OpenDeclaration("K", false));
  d.ApplyFamilyData(1, false);

  const auto* f = f100::record(d.Block().data(), f100::Family);
  auto full = [&](const blocks::Text& given, int slot) {
    const std::size_t i = static_cast<std::size_t>(slot);
    const blocks::Text s1{given.off + 75, 15}, s2{given.off + 150, 15};
    return std::string(given(i).str(f)) + "/" + std::string(s1(i).str(f)) + "/" + std::string(s2(i).str(f));
  };
  EXPECT_EQ(full(fam::HolderGivenName, 0), "ANA/PEREZ/GOMEZ");   // family unit: the declarant
  EXPECT_EQ(full(fam::SpouseGivenName, 0), "LUIS/SANZ/ROS");     // and the spouse
  EXPECT_EQ(full(fam::SpouseGivenName, 1), "LUIS/SANZ/ROS");     // the declarant's other holder
  EXPECT_EQ(full(fam::SpouseGivenName, 2), "ANA/PEREZ/GOMEZ");   // the spouse's other holder
  EXPECT_EQ(full(fam::HolderGivenName, 3), "EVA/SANZ/PEREZ");    // child 1, from its entry
  EXPECT_EQ(full(fam::HolderGivenName, 4), "//");                // no child 2

  struct Case {
    int member;
    std::string header;
  };
  const std::string ana = "PEREZ GOMEZ, ANA", luis = "SANZ ROS, LUIS";
  auto pad = [](std::string v) { return v + std::string(48 - v.size(), ' '); };
  const Case cases[] = {
      {1, "12345678Z" + pad(ana) + "87654321X" + pad(luis)},
      {3, "87654321X" + pad(luis) + "12345678Z" + pad(ana)},
      {4, "11111111H" + pad("SANZ PEREZ, EVA") + std::string(57, '\0')},
      {5, std::string(9, ' ') + pad(", ") + std::string(57, '\0')},  // nothing filled: blanks
  };
  for (const Case& c : cases) {
    d.ShowMember(c.member);
    d.FillHeaderIdentification();
    EXPECT_EQ(d.HeaderIdentification(), c.header) << c.member;
    EXPECT_EQ(d.HeaderIdentification().substr(0, 57).find('\0'), std::string::npos) << c.member;
  }
}

TEST_F(DocumentTest, OpensOneAmongFifty) {
  std::vector<std::uint8_t> b(f100::kBlockSize, 7);
  for (int i = 0; i < 50; ++i) Store100(storetest::NumberedKey(i), b, 'I');
  CRentaDoc d(store, host);
  d.SetReferenceSettings(References());
  ASSERT_TRUE(d.OpenDeclaration("D37", false));
  EXPECT_TRUE(std::ranges::equal(d.Block(), b));
}

}  // namespace

namespace {

TEST_F(DocumentTest, SavingRunsTheCalculationDrivers) {
  using namespace doc;
  ASSERT_TRUE(store.Create("P", store::kKindForm714));
  C714Doc p(store, host, Form714Driver(&rec));
  p.SetReferenceSettings(References());
  ASSERT_TRUE(p.OpenDeclaration("P", false));
  auto* r = f714::record(p.Block().data(), f714::Result);
  f714::result::Option24.set(r, 7);  // not 0 or 1: the final step resets it
  ASSERT_TRUE(p.Save());
  EXPECT_EQ(f714::result::Option24.get(r), 0);

  std::vector<std::uint8_t> b(f100::kBlockSize, 0);
  Store100("R", b, 'I');
  CRentaDoc d(store, host, Form100Driver(&rec));
  d.SetReferenceSettings(References());
  ASSERT_TRUE(d.OpenDeclaration("R", false));
  EXPECT_TRUE(d.Save());
  EXPECT_EQ(store.Load("R")->block, std::vector<std::uint8_t>(d.Block().begin(), d.Block().end()));
}

}  // namespace

namespace {

// The form-100 validation: saved first, the validator given the target (both spouses under
// suspension and waiver), findings give 0, none 1 or the tax-assignment answer.
TEST_F(DocumentTest, FormHundredValidationRunsItsValidator) {
  struct AssignHost : ScriptedHost {
    std::vector<std::pair<int, std::string>> asked;
    int choice = 1;
    int AskTaxAssignmentChoice(int member, int, std::string_view who) override {
      asked.emplace_back(member, std::string(who));
      return choice;
    }
  } assign;
  std::vector<std::uint8_t> b(f100::kBlockSize, 0);
  Store100("V", b, 'I');
  std::vector<std::array<int, 2>> calls;
  int result = 0;
  CRentaDoc d(store, assign, {}, [&](int type, int member, int) {
    calls.push_back({type, member});
    return result;
  });
  ASSERT_TRUE(d.OpenDeclaration("V", false));
  d.SetTargetMember(d.ShownMember(), d.MemberView());
  EXPECT_EQ(d.ValidateDeclaration(3), 0) << "findings";
  result = -1;
  EXPECT_EQ(d.ValidateDeclaration(3), 1) << "none: the status command asks nothing";
  EXPECT_TRUE(assign.asked.empty());
  assign.choice = 0;
  EXPECT_EQ(d.ValidateDeclaration(0), 2) << "the user goes to mark the assignment boxes";
  EXPECT_EQ(assign.asked.size(), 1u);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], (std::array<int, 2>{3, 2}));

  f100::summary::SuspensionRequest.set(f100::record(d.Block().data(), f100::Summary), 1);
  assign.asked.clear();
  assign.choice = 1;
  EXPECT_EQ(d.ValidateDeclaration(3), 1);
  EXPECT_EQ(calls.back(), (std::array<int, 2>{3, 6})) << "both spouses";
  EXPECT_EQ(d.ValidateDeclaration(1), 1);
  EXPECT_EQ(assign.asked, (std::vector<std::pair<int, std::string>>{{2, "DEC"}, {3, "CON"}}));

  store.Delete("V", false);
  EXPECT_EQ(d.ValidateDeclaration(3), 2) << "a declaration that cannot be saved is not validated";
}

}  // namespace
