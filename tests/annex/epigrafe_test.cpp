// The activity heading dialog, opened by the selection edit of a page box: search by number, the
// drop-down list of the kind's family, the code handed back by variant, the member view.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "annex/epigrafe_dlg.h"
#include "annex_fixture.h"
#include "support/member_view.h"
#include "ui/box_field.h"
#include "ui/lista_edit.h"
#include "ui/sel_str_edit.h"

namespace {

class Epigrafe : public annextest::AnnexTest {};

// A page box with its heading code and activity kind, and the selection edit over it.
struct HeadingBox {
  HeadingBox(const char* descriptor, const char* name, std::string code, char kind) : kind(kind) {
    std::memcpy(codeBytes, code.data(), std::min<std::size_t>(code.size(), 5));
    box.NombreVent = descriptor;
    box.Identifica = name;
    box.StrValidac = "A5";
    box.ApplyFormatSpec();
    link = {codeBytes, 5, &this->kind, 1};
    box.option = &link;
    edit = std::make_unique<CSelStrEdit>(&box, &annextest::LocalDatabase::Get());
  }
  // The box's code without its padding.
  std::string Code() const {
    std::string c(codeBytes, strnlen(codeBytes, 5));
    while (!c.empty() && c.back() == ' ') c.pop_back();
    return c;
  }
  char codeBytes[6] = {};
  char kind;
  CBoxField box;
  ui::LookupLink link;
  std::unique_ptr<CSelStrEdit> edit;
};

void TypeKeys(QWidget* dlg, int id, const QString& keys) {
  QWidget* e = ui::FindControl(dlg, id);
  e->setFocus();
  QTest::keyClicks(e, keys);
}

TEST_F(Epigrafe, SearchAndOkHandTheDottedCodeBackByVariant) {
  struct Case {
    const char* what;
    const char* descriptor;
    const char* name;
    const char* code;
    char kind;
    const char* typed;        // into the search edit
    const char* searchShows;  // the search edit after typing
    bool searchEnabled;
    const char* codeShown;    // 337 after the search
    const char* message;      // the search's message, or ""
    bool ok;
    const char* codeAfter;
    char kindAfter;
    const char* title;
  };
  const Case cases[] = {
      {"letters are dropped", "IDD_EPIGRAFE*1", "IAE1", "", '1', "86a1", "861", true, "", "100R139", true, "", '1',
       "EMPRESARIALES Y GANADERÍA INDEPENDIENTE"},
      {"only letters: nothing to search", "IDD_EPIGRAFE*1", "IAE1", "", '1', "abc", "", false, "", "", false, "", '1',
       "EMPRESARIALES Y GANADERÍA INDEPENDIENTE"},
      {"variant 1 gets five characters", "IDD_EPIGRAFE*1", "IAE1", "", '2', "861.1", "861.1", true, "8611", "", true,
       "861.1", '2', "EMPRESARIALES Y GANADERÍA INDEPENDIENTE"},
      {"variant 2 gets three", "IDD_EPIGRAFE*2", "IAE2", "", '3', "8611", "8611", true, "8611", "", true, "861", '3',
       "EMPRESARIALES Y GANADERÍA INDEPENDIENTE"},
      {"another family's list", "IDD_EPIGRAFE*1", "IAE1", "", '5', "861.1", "861.1", true, "", "100R139", true, "",
       '5', "PROFESIONALES"},
      {"IAE5 with kind 5 lists the business headings", "IDD_EPIGRAFE*3", "iae5", "", '5', "722", "722", true, "722", "",
       true, "722", '5', "EMPRESARIALES Y GANADERÍA INDEPENDIENTE"},
      {"Cancel hands nothing back", "IDD_EPIGRAFE*1", "IAE1", "641", '4', "8611", "8611", true, "641", "100R139",
       false, "641", '4', "ARTISTAS Y DEPORTISTAS"},
  };
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HeadingBox hb(c.descriptor, c.name, c.code, c.kind);
    messages.shown.clear();
    bool ran = false;
    qxtest::WhenModal([&](QWidget* m) {
      ran = true;
      auto& d = dynamic_cast<CEpigrafeDlg&>(*m);
      EXPECT_EQ(d.windowTitle(), QStringLiteral("EPIGRAFES"));
      EXPECT_EQ(d.Item<QLabel>(CEpigrafeDlg::kTitle)->text(), QString::fromUtf8(c.title));
      EXPECT_FALSE(d.GetDlgItem(CEpigrafeDlg::kSearchButton)->isEnabled());
      TypeKeys(&d, CEpigrafeDlg::kSearch, QString::fromLatin1(c.typed));
      EXPECT_EQ(d.Item<QLineEdit>(CEpigrafeDlg::kSearch)->text(), QString::fromLatin1(c.searchShows));
      EXPECT_EQ(d.GetDlgItem(CEpigrafeDlg::kSearchButton)->isEnabled(), c.searchEnabled);
      if (c.searchEnabled) d.Item<QAbstractButton>(CEpigrafeDlg::kSearchButton)->click();
      EXPECT_EQ(d.Edit(CEpigrafeDlg::kCode)->text().trimmed(), QString::fromLatin1(c.codeShown));
      d.Item<QAbstractButton>(c.ok ? ui::IDOK : ui::IDCANCEL)->click();
    });
    EXPECT_EQ(hb.edit->OpenSelection(0), c.ok ? 1 : 2);
    EXPECT_TRUE(ran);
    EXPECT_EQ(hb.Code(), c.codeAfter);
    EXPECT_EQ(hb.kind, c.kindAfter);
    if (*c.message) {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0].code, QString::fromLatin1(c.message));
    } else {
      EXPECT_TRUE(messages.shown.empty());
    }
  }
}

TEST_F(Epigrafe, TheBoxCodeShowsItsDescriptionAndDeleteInTheListEmptiesBoth) {
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});
  HeadingBox hb("IDD_EPIGRAFE*1", "IAE1", "861.2", '1');
  qxtest::WhenModal([&](QWidget* m) {
    auto& d = dynamic_cast<CEpigrafeDlg&>(*m);
    EXPECT_EQ(d.Edit(CEpigrafeDlg::kCode)->text().trimmed(), QStringLiteral("8612"));
    EXPECT_TRUE(d.Edit(CEpigrafeDlg::kList)->text().startsWith(QStringLiteral("ALQUILER DE LOCALES")));
    QWidget* list = d.GetDlgItem(CEpigrafeDlg::kList);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(d.Edit(CEpigrafeDlg::kCode)->text().trimmed(), QString());
    EXPECT_EQ(d.Edit(CEpigrafeDlg::kList)->text().trimmed(), QString());
    d.Item<QAbstractButton>(ui::IDOK)->click();
  });
  EXPECT_EQ(hb.edit->OpenSelection(0), 1);
  EXPECT_EQ(hb.Code(), "");
}

TEST_F(Epigrafe, AHeadingChosenFromTheListShowsItsCodeAndGoesBackDotted) {
  qxtest::MemberView view(1, {1, 1, 0, 0, 0});
  HeadingBox hb("IDD_EPIGRAFE*1", "IAE1", "", '1');
  qxtest::WhenModal([&](QWidget* m) {
    auto& d = dynamic_cast<CEpigrafeDlg&>(*m);
    auto* e = d.Item<CListaEdit>(CEpigrafeDlg::kList);
    QTest::mouseClick(e->Button(), Qt::LeftButton);
    ASSERT_TRUE(e->ListOpen());
    EXPECT_GT(e->List()->count(), 20) << "the business headings";
    QTest::keyClicks(e->List(), QStringLiteral("ALQUILER DE V"));
    QTest::keyClick(e->List(), Qt::Key_Return);
    EXPECT_EQ(e->text().trimmed(), QStringLiteral("ALQUILER DE VIVIENDAS"));
    EXPECT_EQ(d.Edit(CEpigrafeDlg::kCode)->text().trimmed(), QStringLiteral("8611"));
    d.Item<QAbstractButton>(ui::IDOK)->click();
  });
  EXPECT_EQ(hb.edit->OpenSelection(0), 1);
  EXPECT_EQ(hb.Code(), "861.1");
}

TEST_F(Epigrafe, AMemberViewWarnsAndLeavesEveryEditDisabled) {
  qxtest::MemberView view(3, {1, 1, 1, 0, 0});
  HeadingBox hb("IDD_EPIGRAFE*1", "IAE1", "641", '1');
  qxtest::WhenModal([&](QWidget* m) {
    auto& d = dynamic_cast<CEpigrafeDlg&>(*m);
    for (int id : {CEpigrafeDlg::kCode, CEpigrafeDlg::kList, CEpigrafeDlg::kSearch})
      EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
    d.Item<QAbstractButton>(ui::IDOK)->click();
  });
  hb.edit->OpenSelection(0);
  EXPECT_EQ(messages.Codes().front(), QStringLiteral("100R025"));
  EXPECT_EQ(hb.Code(), "641");
}

}  // namespace
