// The viewer of the formatted texts the program ships (the introduction in each language): a
// read-only page that shows a file of a small HTML subset, or Markdown, or plain text.
#pragma once

#include <QString>
#include <QTextBrowser>

namespace platform {

class RichTextView : public QTextBrowser {
  Q_OBJECT
 public:
  explicit RichTextView(QWidget* parent = nullptr);

  // Shows the file, chosen by its extension: .html/.htm, .md, anything else as plain text (UTF-8).
  // A file that cannot be read leaves the view empty and answers false.
  bool LoadFile(const QString& path);
  QString FileName() const { return fileName_; }

 private:
  QString fileName_;
};

// The introduction text of a language: "Intro__x.html" with its eighth character replaced by the
// interface language letter, in `baseDir` (the current directory when empty).
QString IntroTextPath(const QString& baseDir, QChar languageLetter);

}  // namespace platform
