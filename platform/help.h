// The program's help: authored topics keyed by context number, an index, and a viewer window.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

class QListWidget;
class QTextBrowser;

namespace platform {

struct HelpTopic {
  int id = 0;
  QString title;
  QString file;  // name inside the help resources
};

// Topics of resources/help/index.tsv (id, title, file); the text of one topic.
class HelpIndex {
 public:
  static const HelpIndex& Get();
  int ParseTsv(const QString& content);
  const HelpTopic* Find(int id) const;
  const std::vector<HelpTopic>& Topics() const { return topics_; }
  QString Html(int id) const;

 private:
  std::vector<HelpTopic> topics_;
};

// Context number as the help command takes it: 0, 1000 and above become 1 (the contents);
// a number without a topic also opens the contents.
int ResolveHelpContext(int context);

// Non-modal help window: the index on the left, the topic on the right.
class HelpViewer : public QDialog {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* parent = nullptr);
  void ShowTopic(int id);
  int CurrentTopic() const { return current_; }
  static HelpViewer* Instance();  // the one window, created on first use

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitTitles();
  QListWidget* index_;
  QTextBrowser* text_;
  int current_ = 0;
};

// Opens the help at a context number (the F1 path of every field); answers the topic shown.
int ShowHelp(int context);

// Test seam: when set, ShowHelp hands the resolved topic to the hook instead of showing a window.
void SetHelpHook(std::function<void(int topic)> hook);

}  // namespace platform
