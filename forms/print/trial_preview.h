// The trial-copy window of a declaration ("Vista preliminar"): CPrevista, the view the window
// holds, lays the trial copy out for a printer and shows it in CMyPreviewView, the preview with
// its toolbar of bitmap buttons (print, next and previous page, one or two pages, zoom in and
// out) and its close button. Printing from the preview prints the same trial copy.
#pragma once

#include <QPointer>
#include <QPrinter>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

class CMappedBitmapButton;
class QDialog;
class QLabel;
class QPrintDialog;
class QPrintPreviewWidget;
class QPushButton;

namespace forms {

class IPageHost;

class CMyPreviewView : public QWidget {
  Q_OBJECT
 public:
  enum Command : int { kClose = 58112, kPages = 58113, kNext = 58114, kPrevious = 58115, kPrint = 58116,
                       kZoomIn = 58117, kZoomOut = 58118 };
  enum Zoom : int { kZoomedOut = 0, kZoomMiddle = 1, kZoomedIn = 2 };
  // `paint` draws every sheet of the job on the printer it is given.
  CMyPreviewView(QPrinter& printer, std::function<void(QPrinter&)> paint, QWidget* parent = nullptr);

  // Lays the job out again; its sheets.
  int Refresh();
  int PageCount() const;
  int CurrentPage() const;  // from 1
  int PagesShown() const;   // 1 or 2
  int ZoomState() const { return zoom_; }
  bool CommandEnabled(int id) const;
  // Runs a toolbar command when it is enabled.
  void RunCommand(int id);
  CMappedBitmapButton* Button(int id) const;
  QPushButton* CloseButton() const { return close_; }
  QPrintPreviewWidget* Preview() const { return preview_; }
  QString PageText() const;

 signals:
  void printRequested();
  void closeRequested();

 private:
  void UpdateToolbar();
  void ApplyView();

  QPrintPreviewWidget* preview_;
  QPushButton* close_;
  QLabel* pageLabel_;
  std::map<int, CMappedBitmapButton*> buttons_;
  int current_ = 1;
  int pages_ = 1;          // pages shown while zoomed out
  int zoom_ = kZoomedOut;
  bool twoPagePicture_ = false;
};

class CPrevista : public QWidget {
  Q_OBJECT
 public:
  struct Options {
    int kind = 2;                // 2 form 100, 3 form 714
    bool specialMode = false;    // remote installations: no printer properties, copies or file
    std::function<int(QDialog&)> runModal;  // exec by default
  };
  CPrevista(IPageHost& host, Options options, QWidget* parent = nullptr);
  ~CPrevista() override;

  // 57609: lays the trial copy out and shows it; "Falló el comando." and FALSE when there is
  // nothing to show.
  bool OnFilePrintPreview();
  CMyPreviewView* PreviewView() const { return preview_; }
  // The print from the preview: the print dialog, then the trial copy on the printer chosen.
  bool PrintTrialCopy();

 signals:
  // The preview was closed: the window goes.
  void closed();

 private:
  void PrepareTrialPrinting(QPrintDialog& dialog) const;

  IPageHost& host_;
  Options options_;
  QPrinter printer_;
  QPointer<CMyPreviewView> preview_;
};

}  // namespace forms
