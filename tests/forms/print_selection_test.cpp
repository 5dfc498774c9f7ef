// The pages of a declaration printed again, and the reminder after a print.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>

#include <memory>
#include <string>
#include <vector>

#include "data/message_service.h"
#include "forms/print/print714_dlg.h"
#include "forms/print/print_selection_dlg.h"
#include "platform/help.h"
#include "platform/help_texts.h"
#include "platform/strings.h"
#include "support/dialog_layout.h"
#include "support/ui_helpers.h"

namespace {

using D = forms::CSeleccionImpresionDlg;

struct Notices : IMessageService {
  int ShowMessage(std::string_view, MessageIcon, std::string_view) override { return 1; }
  void Notice(std::string_view text) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

QAbstractButton* Button(D& dlg, int id) { return dlg.Item<QAbstractButton>(id); }

TEST(PrintSelection, PagesInUseAreOfferedAndThePaymentDocumentPrintsWhole) {
  D::Declaration d;
  d.inUse = [](int index) { return index == 2 || index == 7; };
  d.partialAllowed = true;
  D dlg(d);
  dlg.EnsureCreated();
  ASSERT_TRUE(qxtest::ShowActive(&dlg));
  for (int i = 0; i <= 17; ++i) {
    const bool always = i == 0 || i == 1 || i == 10 || i == 11 || i == 12 || i == 17;
    const bool on = always || i == 2 || i == 7;
    EXPECT_EQ(dlg.GetDlgItem(dlg.PageBox(i))->isEnabled(), on) << i;
    EXPECT_EQ(Button(dlg, dlg.PageBox(i))->isChecked(), on) << i;
  }
  EXPECT_TRUE(Button(dlg, D::kMarkAll)->isChecked());
  EXPECT_FALSE(dlg.GetDlgItem(D::kPrinterButton)->isEnabled()) << "no print set-up to offer";
  Button(dlg, dlg.PageBox(7))->click();
  EXPECT_FALSE(Button(dlg, D::kMarkAll)->isChecked());
  EXPECT_FALSE(Button(dlg, D::kUnmarkAll)->isChecked());
  Button(dlg, dlg.PageBox(17))->click();
  Button(dlg, D::kExtraCopy)->click();
  Button(dlg, ui::IDOK)->click();
  EXPECT_EQ(dlg.result(), ui::IDOK);
  EXPECT_EQ(dlg.flags[2], 1);
  EXPECT_EQ(dlg.flags[7], 0);
  EXPECT_EQ(dlg.flags[17], 0);
  EXPECT_EQ(dlg.flags[18], 0) << "page 18 follows page 17";
  EXPECT_EQ(dlg.copiesMode, 2);
}

TEST(PrintSelection, APartialPrintIsRefusedOrEndsAsCancelWhenNothingIsLeft) {
  struct Case {
    const char* what;
    int form;
    bool partialAllowed;
    int result;
  };
  const Case cases[] = {
      {"form 100 that must be printed whole", 100, false, ui::IDOK},
      {"form 714 that must be printed whole", 714, false, ui::IDOK},
      {"form 100 with every page unmarked", 100, true, ui::IDCANCEL},
      {"form 714 with every page unmarked", 714, true, ui::IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Notices notices;
    D::Declaration d;
    d.inUse = [](int) { return true; };
    d.partialAllowed = c.partialAllowed;
    d.messages = &notices;
    std::unique_ptr<D> dlg = c.form == 714 ? std::make_unique<forms::CSeleccionImpresion714Dlg>(d) : std::make_unique<D>(d);
    dlg->EnsureCreated();
    ASSERT_TRUE(qxtest::ShowActive(dlg.get()));
    EXPECT_EQ(dlg->GetDlgItem(dlg->PageBox(dlg->FirstIndex()))->isEnabled(), true);
    EXPECT_EQ(dlg->GetDlgItem(D::kFirstPage + 12), c.form == 714 ? nullptr : dlg->GetDlgItem(dlg->PageBox(12)));
    Button(*dlg, D::kUnmarkAll)->click();
    if (!c.partialAllowed) {
      ASSERT_EQ(notices.texts.size(), 1u);
      EXPECT_EQ(notices.texts[0], platform::LoadString(99385).toStdString());
      EXPECT_TRUE(Button(*dlg, dlg->PageBox(dlg->LastIndex()))->isChecked()) << "every page chosen again";
      EXPECT_TRUE(Button(*dlg, D::kMarkAll)->isChecked());
    }
    Button(*dlg, ui::IDOK)->click();
    EXPECT_EQ(dlg->result(), c.result);
    if (c.result == ui::IDOK) {
      const std::size_t last = static_cast<std::size_t>(dlg->LastIndex());
      EXPECT_EQ(dlg->flags[last], 1);
      EXPECT_EQ(dlg->flags[last + 1], 1) << "the second payment sheet with the first";
    }
  }
}

TEST(PrintSelection, ThePrinterButtonTakesTheSetUpsPrinterExceptInRemoteMode) {
  for (bool remote : {false, true}) {
    D::Declaration d;
    d.printerName = QStringLiteral("OFICINA");
    d.remote = remote;
    d.choosePrinter = [] { return QStringLiteral("SALA"); };
    forms::CSeleccionImpresion714Dlg dlg(d);
    dlg.EnsureCreated();
    ASSERT_TRUE(qxtest::ShowActive(&dlg));
    EXPECT_EQ(dlg.Item<QLabel>(D::kPrinterName)->text(), QStringLiteral("OFICINA"));
    EXPECT_EQ(dlg.GetDlgItem(D::kPrinterButton)->isEnabled(), !remote);
    if (!remote) {
      Button(dlg, D::kPrinterButton)->click();
      EXPECT_EQ(dlg.Item<QLabel>(D::kPrinterName)->text(), QStringLiteral("SALA"));
      EXPECT_EQ(dlg.printerName, QStringLiteral("SALA"));
    }
    Button(dlg, ui::IDCANCEL)->click();
  }
}

// Both selection dialogs and the form-714 print dialog open the printing help topic, which every
// interface language has.
TEST(PrintSelection, HelpOpensThePrintingTopic) {
  std::vector<int> shown;
  platform::SetHelpHook([&](int topic) { shown.push_back(topic); });
  D::Declaration d;
  D dlg100(d);
  forms::CSeleccionImpresion714Dlg dlg714(d);
  for (D* dlg : {&dlg100, static_cast<D*>(&dlg714)}) {
    dlg->EnsureCreated();
    ASSERT_TRUE(qxtest::ShowActive(dlg));
    Button(*dlg, ui::kHelpButtonId)->click();
    dlg->hide();
  }
  QPrinter printer;
  forms::CPrint714Dlg print(&printer, false, false);
  print.findChild<QPushButton*>(QStringLiteral("1038"))->click();
  platform::SetHelpHook(nullptr);
  EXPECT_EQ(shown, (std::vector<int>{forms::kPrintHelpTopic, forms::kPrintHelpTopic, forms::kPrintHelpTopic}));
  for (char language : {'e', 'c', 'g', 'v'})
    EXPECT_FALSE(platform::HelpTitle(forms::kPrintHelpTopic, language).isEmpty()) << language;
}

TEST(PrintSelection, TheRemindersSayWhatToDoWithThePaperInEveryLanguage) {
  for (char letter : {'e', 'c', 'g', 'v'})
    for (int id = 99350; id <= 99394; ++id)
      EXPECT_FALSE(platform::Strings(letter).Get(id).isEmpty()) << letter << id;
  forms::CAtencion100Dlg r100;
  forms::CAtencion714Dlg r714;
  for (CTemplateDlg* r : {static_cast<CTemplateDlg*>(&r100), static_cast<CTemplateDlg*>(&r714)}) {
    r->EnsureCreated();
    ASSERT_TRUE(qxtest::ShowActive(r));
    EXPECT_EQ(r->windowTitle(), platform::LoadString(99386));
    r->Item<QAbstractButton>(ui::IDOK)->click();
    EXPECT_EQ(r->result(), ui::IDOK);
  }
}

}  // namespace

namespace {

TEST(PrintSelection, EveryCaptionFitsInEachLanguage) {
  for (char l : {'e', 'c', 'g', 'v'}) {
    platform::SetLanguage(l);
    {
      forms::CSeleccionImpresionDlg d({});
      d.EnsureCreated();
      qxtest::CheckLayout(d, QStringLiteral("seleccion_impresion"), l);
    }
    {
      forms::CSeleccionImpresion714Dlg d({});
      d.EnsureCreated();
      qxtest::CheckLayout(d, QStringLiteral("seleccion_impresion714"), l);
    }
    {
      forms::CAtencion100Dlg d;
      d.EnsureCreated();
      qxtest::CheckLayout(d, QStringLiteral("atencion100"), l);
    }
    {
      forms::CAtencion714Dlg d;
      d.EnsureCreated();
      qxtest::CheckLayout(d, QStringLiteral("atencion714"), l);
    }
  }
  platform::SetLanguage('e');
}

}  // namespace
