// The formatted-text area of the introduction dialog: it shows the file it is given.
#pragma once

#include <QString>
#include <QWidget>

namespace platform {
class RichTextView;
}

class CRichText : public QWidget {
  Q_OBJECT
 public:
  explicit CRichText(QWidget* parent = nullptr);

  // Shows that file's formatted text; a missing file leaves the area empty.
  void SetFileName(const QString& path);
  QString GetFileName() const;
  platform::RichTextView* View() const { return view_; }

 private:
  platform::RichTextView* view_;
};
