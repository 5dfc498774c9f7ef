// String tables by language letter and the help index.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPushButton>

#include "platform/help.h"
#include "platform/strings.h"

#include <QFile>

#include <set>

namespace {

TEST(StringTables, EveryLanguageHasTheButtonWordsAndFallsBackToCastellano) {
  for (char l : {'e', 'c', 'g', 'v'})
    for (int id : {59, 61, 62, 65, 66, 210, 72, 208, 75, 207, 34, 35, 36, 40, 41, 42, 43, 44, 46, 47})
      EXPECT_FALSE(platform::Strings(l).Get(id).isEmpty()) << l << id;
  EXPECT_EQ(platform::Strings('g').Get(208), "Co&rrixir");
  platform::SetLanguage('C');
  EXPECT_EQ(platform::Language(), 'c');
  EXPECT_EQ(platform::LoadString(61), "&Acceptar");
  platform::SetLanguage('x');
  EXPECT_EQ(platform::LoadString(61), "&Aceptar");
  platform::SetLanguage('e');
}

// Qt's own buttons speak the interface language; Valencian takes Qt's Catalan texts.
TEST(StringTables, QtsOwnDialogsFollowTheInterfaceLanguage) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  ASSERT_TRUE(QFileInfo::exists(folder + QStringLiteral("/qt_es.qm"))) << "scripts/install-deps.sh installs Qt's catalogues";
  struct Case {
    char letter;
    const char* catalogue;
  };
  for (const Case& c : {Case{'e', "qt_es"}, Case{'c', "qt_ca"}, Case{'v', "qt_ca"}, Case{'g', "qt_gl"}}) {
    EXPECT_EQ(platform::QtCatalogueName(c.letter), QString::fromLatin1(c.catalogue)) << c.letter;
    platform::SetLanguage(c.letter);
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
    const QString yes = box.button(QDialogButtonBox::Yes)->text().remove(u'&');
    const QString cancel = box.button(QDialogButtonBox::Cancel)->text().remove(u'&');
    EXPECT_NE(yes, QStringLiteral("Yes")) << c.letter;
    EXPECT_NE(cancel, QStringLiteral("Cancel")) << c.letter;
    if (c.letter == 'e') {
      EXPECT_EQ(yes, QStringLiteral("Sí"));
    }
  }
  EXPECT_TRUE(platform::QtCatalogueName('x').isEmpty());
  platform::SetLanguage('e');
}

TEST(StringTables, EscapesInsideValues) {
  platform::StringTable t;
  EXPECT_EQ(t.ParseTsv("id\ttext\n5\ta\\tb\\nc\\\\d\nbad\tx\n"), 1);
  EXPECT_EQ(t.Get(5), "a\tb\nc\\d");
}

TEST(Help, ContextNumbersResolveToAuthoredTopics) {
  EXPECT_EQ(platform::ResolveHelpContext(0), 1);
  EXPECT_EQ(platform::ResolveHelpContext(1000), 1);
  EXPECT_EQ(platform::ResolveHelpContext(3), 3);
  EXPECT_EQ(platform::ResolveHelpContext(999), 1);  // no such topic: the contents
  EXPECT_FALSE(platform::HelpIndex::Get().Html(1).isEmpty());
  int shown = 0;
  platform::SetHelpHook([&](int t) { shown = t; });
  EXPECT_EQ(platform::ShowHelp(2), 2);
  EXPECT_EQ(shown, 2);
  platform::SetHelpHook({});
  platform::HelpViewer v;
  v.ShowTopic(4);
  EXPECT_EQ(v.CurrentTopic(), 4);
}

}  // namespace

namespace {

// A text that a language lacks would fall back to Castellano in the middle of that language.
TEST(StringTables, EveryCastellanoTextHasItsTranslations) {
  const platform::StringTable& e = platform::Strings('e');
  for (char l : {'c', 'g', 'v'})
    for (int id = 0; id < 100000; ++id)
      if (e.Has(id)) {
        EXPECT_TRUE(platform::Strings(l).Has(id)) << l << " lacks " << id;
      }
}

}  // namespace

namespace {

// Two texts under one id would leave one of them unreachable, whichever the loader keeps.
TEST(StringTables, NoIdStandsTwiceInASource) {
  for (char l : {'e', 'c', 'g', 'v'}) {
    QFile file(QStringLiteral(QX_SOURCE_DIR "/resources/strings/%1.tsv").arg(QChar(l)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << l;
    std::set<QByteArray> seen;
    while (!file.atEnd()) {
      const QByteArray line = file.readLine();
      const QByteArray id = line.left(line.indexOf('\t'));
      if (id.isEmpty() || id == "id") continue;
      EXPECT_TRUE(seen.insert(id).second) << l << ".tsv has id " << id.constData() << " twice";
    }
  }
}

}  // namespace
