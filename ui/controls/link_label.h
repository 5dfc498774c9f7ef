// A label that looks and acts like a link of a web page, and the one routine through which the
// program opens web pages and mail addresses: the desktop's handler for the address, never a shell.
#pragma once

#include <QColor>
#include <QCursor>
#include <QLabel>
#include <QString>
#include <QUrl>
#include <functional>

class CLinkLabel : public QLabel {
  Q_OBJECT
 public:
  // Result codes of OpenURL: success is above kOpenFailedLimit.
  static constexpr int kOpened = 33;
  static constexpr int kOpenFailedLimit = 32;
  static constexpr int kFileNotFound = 2;   // no address to open
  static constexpr int kNoAssociation = 31;  // no handler took the address
  static constexpr int kShowCommand = 5;     // shown normally

  explicit CLinkLabel(QWidget* parent = nullptr);
  CLinkLabel(const QString& text, QWidget* parent);

  // Once the label has its text and place: an empty URL takes the text, an empty text shows the
  // URL, and the label fits its text.
  void PreSubclassWindow();

  void SetURL(const QString& url);
  QString GetURL() const { return url_; }
  void SetUnderline(bool underline);
  void SetVisited(bool visited);
  bool IsVisited() const { return visited_; }
  bool IsUnderlined() const { return underline_; }
  void SetAdjustToFit(bool adjust) { adjustToFit_ = adjust; }
  // Shown over the label.
  void SetLinkCursor(const QCursor& cursor);

  QColor LinkColour() const { return linkColour_; }
  QColor VisitedColour() const { return visitedColour_; }
  // The colour the next paint uses.
  QColor TextColour() const { return visited_ ? visitedColour_ : linkColour_; }

  // Opens the address with the desktop's handler. Returns kOpened, or the reason it failed.
  // `showCommand` and `verb` are accepted for the callers' sake: the desktop decides how to show.
  static int OpenURL(const QString& url, int showCommand = kShowCommand, const QString& verb = QStringLiteral("open"));

  // "Imposible abrir el enlace:\n\n" and the reason for a failed result code.
  static QString OpenErrorText(int result);

  // The opener behind OpenURL (the desktop's by default); tests put their own.
  using Opener = std::function<bool(const QUrl&)>;
  static void SetOpener(Opener opener);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  void AdjustWindow();
  void OnClicked();

  QColor linkColour_{0, 0, 238};
  QColor visitedColour_{85, 26, 139};
  bool visited_ = false;
  bool underline_ = true;
  bool adjustToFit_ = true;
  bool pressed_ = false;
  QString url_;
};
