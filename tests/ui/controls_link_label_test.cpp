// The link label: what it shows, how it fits its text, and a click that opens or fails.
#include <QTest>
#include <gtest/gtest.h>

#include "platform/strings.h"
#include "ui/controls/link_label.h"
#include "support/ui_helpers.h"

namespace {

class LinkLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CLinkLabel::SetOpener([this](const QUrl& url) {
      opened << url.toString();
      return openSucceeds;
    });
    messages.observePlain = [this](const PlainMessage& m) { reported << QString::fromStdString(m.text); };
  }
  void TearDown() override {
    CLinkLabel::SetOpener(nullptr);
  }

  bool openSucceeds = true;
  QStringList opened;
  QStringList reported;
  qxtest::ScriptedMessages messages;
};

TEST_F(LinkLabelTest, TextAndUrlStandInForEachOther) {
  CLinkLabel textOnly(QStringLiteral("https://www.example.org/"), nullptr);
  textOnly.PreSubclassWindow();
  EXPECT_EQ(textOnly.GetURL(), "https://www.example.org/");
  EXPECT_EQ(textOnly.toolTip(), "https://www.example.org/");

  CLinkLabel urlOnly;
  urlOnly.SetURL(QStringLiteral("mailto:ayuda@example.org"));
  urlOnly.PreSubclassWindow();
  EXPECT_EQ(urlOnly.text(), "mailto:ayuda@example.org");
}

TEST_F(LinkLabelTest, FitsItsTextKeepingTheAlignedEdge) {
  QWidget parent;
  const struct {
    Qt::Alignment align;
  } cases[] = {{Qt::AlignLeft}, {Qt::AlignRight}, {Qt::AlignHCenter}};
  for (const auto& c : cases) {
    CLinkLabel label(QStringLiteral("Correo"), &parent);
    label.setAlignment(c.align | Qt::AlignTop);
    label.setGeometry(100, 10, 200, 40);
    label.PreSubclassWindow();
    const int w = QFontMetrics(label.font()).horizontalAdvance(QStringLiteral("Correo"));
    const QRect r = label.geometry();
    EXPECT_EQ(r.width(), c.align == Qt::AlignHCenter ? 200 - 2 * ((200 - w) / 2) : w);
    if (c.align == Qt::AlignLeft) {
      EXPECT_EQ(r.left(), 100);
    } else if (c.align == Qt::AlignRight) {
      EXPECT_EQ(r.right(), 299);
    } else {
      EXPECT_EQ(r.left(), 100 + (200 - w) / 2);
    }
    EXPECT_EQ(r.top(), 10);
    EXPECT_EQ(r.height(), QFontMetrics(label.font()).height());
  }
}

TEST_F(LinkLabelTest, AClickOpensAndMarksVisitedAFailureBeepsReportsAndUnmarks) {
  CLinkLabel link(QStringLiteral("Página"), nullptr);
  link.SetURL(QStringLiteral("https://www.example.org/"));
  link.PreSubclassWindow();
  link.show();
  EXPECT_EQ(link.TextColour(), QColor(0, 0, 238));

  QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center());
  EXPECT_EQ(opened, QStringList{"https://www.example.org/"});
  EXPECT_TRUE(link.IsVisited());
  EXPECT_EQ(link.TextColour(), QColor(85, 26, 139));
  EXPECT_TRUE(reported.isEmpty());

  openSucceeds = false;
  QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center());
  EXPECT_FALSE(link.IsVisited());
  EXPECT_EQ(link.TextColour(), QColor(0, 0, 238));
  ASSERT_EQ(reported.size(), 1);
  EXPECT_EQ(reported[0], QStringLiteral("Imposible abrir el enlace:\n\nNo hay ninguna aplicación asociada\n"
                                        "con la extensión del nombre de archivo proporcionado."));
}

TEST_F(LinkLabelTest, OpenUrlAnswersWithResultCodes) {
  EXPECT_EQ(CLinkLabel::OpenURL(QStringLiteral("https://www.example.org/a b"), 5, QStringLiteral("new")), CLinkLabel::kOpened);
  EXPECT_EQ(opened.size(), 1);
  EXPECT_EQ(CLinkLabel::OpenURL(QStringLiteral("  ")), CLinkLabel::kFileNotFound);
  EXPECT_EQ(opened.size(), 1);  // nothing to open reaches no handler
  openSucceeds = false;
  EXPECT_EQ(CLinkLabel::OpenURL(QStringLiteral("mailto:ayuda@example.org")), CLinkLabel::kNoAssociation);
  EXPECT_EQ(opened.last(), "mailto:ayuda@example.org");
}

TEST(LinkLabelErrors, ReasonByResultCode) {
  const struct {
    int result;
    const char* reason;
  } cases[] = {
      {0, "No tiene suficiente memoria o recursos."},
      {2, "Archivo no encontrado."},
      {30, "La transacción DDE no se puede completar\ndebido a que otra transacción DDE\nse está procesando."},
      {32, "No se ha encontrado la DLL especificada."},
      {1, "Error desconocido (1)."},
      {99, "Error desconocido (99)."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CLinkLabel::OpenErrorText(c.result), "Imposible abrir el enlace:\n\n" + QString::fromUtf8(c.reason)) << c.result;
}

TEST(LinkLabelErrors, ReasonInTheInterfaceLanguage) {
  platform::SetLanguage('c');
  const QString notFound = CLinkLabel::OpenErrorText(2), unknown = CLinkLabel::OpenErrorText(7);
  platform::SetLanguage('e');
  EXPECT_EQ(notFound, QString::fromUtf8("No es pot obrir l'enllaç:\n\nFitxer no trobat."));
  EXPECT_EQ(unknown, QString::fromUtf8("No es pot obrir l'enllaç:\n\nError desconegut (7)."));
}

}  // namespace
