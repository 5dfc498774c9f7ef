// The in-memory text reader, the file dialog and the introduction texts in their viewer.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/richtext_view.h"
#include "ui/controls/emul_file.h"
#include "ui/controls/file_dialog_ex.h"
#include "ui/controls/rich_text.h"

namespace {

std::vector<std::pair<bool, std::string>> ReadAll(CEmulFile& f, int reads) {
  std::vector<std::pair<bool, std::string>> out;
  std::string line = "stale";
  for (int i = 0; i < reads; ++i) {
    const bool ok = f.ReadString(line);
    out.emplace_back(ok, line);
  }
  return out;
}

TEST(EmulFile, ReadsLineByLine) {
  using R = std::vector<std::pair<bool, std::string>>;
  const struct {
    std::string text;
    R expected;
  } cases[] = {
      {"a\r\nb", R{{true, "a\r"}, {true, "b"}, {false, ""}}},
      {"a\n\nb", R{{true, "a"}, {false, ""}, {true, "b"}}},  // an empty line reads as false
      {"uno\ndos\n", R{{true, "uno"}, {true, "dos"}, {false, ""}}},
      {"", R{{false, ""}, {false, ""}, {false, ""}}},
  };
  for (const auto& c : cases) {
    CEmulFile f;
    f.SetBuffer(c.text.data(), c.text.size());
    f.Rewind();
    EXPECT_EQ(ReadAll(f, 3), c.expected) << c.text;
    EXPECT_EQ(f.GetLength(), c.text.size());
  }
}

TEST(EmulFile, KeepsItsOwnCopyAndRewinds) {
  CEmulFile f;
  std::string line;
  EXPECT_FALSE(f.ReadString(line));  // nothing set yet
  std::string text = "x\ny";
  f.SetBuffer(text.data(), text.size());
  text = "zzzz";
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, "x");
  f.Rewind();
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, "x");
  // A new text is read from its start, not from where the old one was left.
  const std::string other = "abcdef";
  f.SetBuffer(other.data(), other.size());
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, "abcdef");
}

TEST(FileDialogEx, FiltersOfTheProgramsForm) {
  EXPECT_EQ(CFileDialogEx::NameFilters(QStringLiteral("Ficheros de texto (*.txt)|*.txt;*.TXT|Todos los ficheros (*.*)|*.*||")),
            (QStringList{"Ficheros de texto (*.txt *.TXT)", "Todos los ficheros (*)"}));
  EXPECT_EQ(CFileDialogEx::NameFilters(QStringLiteral("Declaraciones|*.100||")), QStringList{"Declaraciones (*.100)"});
  EXPECT_TRUE(CFileDialogEx::NameFilters(QString()).isEmpty());
}

TEST(FileDialogEx, SavesOverAnExistingFileWithoutAsking) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString existing = dir.filePath(QStringLiteral("decl.100"));
  {
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  CFileDialogEx dlg(false, QStringLiteral("100"), existing, 0, QStringLiteral("Declaraciones|*.100||"));
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  EXPECT_TRUE(dlg.IsWin2000OrLater());
  EXPECT_EQ(dlg.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dlg.defaultSuffix(), "100");
  bool asked = false;
  QTimer::singleShot(0, &dlg, [&dlg] { QMetaObject::invokeMethod(&dlg, "accept"); });
  // Should a confirmation appear, it is recorded and dismissed instead of blocking the test.
  QTimer guard;
  QObject::connect(&guard, &QTimer::timeout, [&asked] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      asked = true;
      box->reject();
    }
  });
  guard.start(5);
  EXPECT_EQ(dlg.DoModal(), CFileDialogEx::kIdOk);
  EXPECT_FALSE(asked);
  EXPECT_EQ(QFileInfo(dlg.GetPathName()), QFileInfo(existing));
  EXPECT_EQ(dlg.GetFileName(), "decl.100");
}

TEST(FileDialogEx, CancelAnswersIdCancel) {
  CFileDialogEx dlg(true);
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  QTimer::singleShot(0, &dlg, [&dlg] { QMetaObject::invokeMethod(&dlg, "reject"); });
  EXPECT_EQ(dlg.DoModal(), CFileDialogEx::kIdCancel);
}

TEST(IntroTexts, EveryLanguageHasItsText) {
  EXPECT_EQ(platform::IntroTextPath(QString(), QLatin1Char('g')), "Intro__g.html");
  const QString dir = QStringLiteral(QX_SOURCE_DIR "/resources/intro");
  EXPECT_EQ(platform::IntroTextPath(dir, QLatin1Char('E')), dir + "/Intro__e.html");
  for (const char letter : {'e', 'c', 'g', 'v'}) {
    CRichText rich;
    rich.SetFileName(platform::IntroTextPath(dir, QLatin1Char(letter)));
    const QTextDocument* doc = rich.View()->document();
    const QString text = doc->toPlainText();
    EXPECT_TRUE(text.startsWith("QUILDEXAN")) << letter;
    EXPECT_TRUE(text.contains("F1")) << letter;        // where help is
    EXPECT_TRUE(text.contains("100")) << letter;       // the forms it fills
    EXPECT_TRUE(text.contains("714")) << letter;
    EXPECT_FALSE(doc->toHtml().contains("&lt;")) << letter;  // no markup shown as text
  }
}

TEST(IntroTexts, AMissingFileLeavesTheAreaEmpty) {
  CRichText rich;
  rich.SetFileName(QStringLiteral(QX_SOURCE_DIR "/resources/intro/Intro__x.html"));
  EXPECT_TRUE(rich.View()->document()->isEmpty());
}

}  // namespace
