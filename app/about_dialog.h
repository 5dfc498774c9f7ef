// The About box: the version block of the interface language, the product name painted embossed,
// and the links to the maker's web page and support mail.
#pragma once

#include <QDialog>
#include <QFont>

class QLabel;
class QPushButton;

namespace app {

inline constexpr char kMakerWebUrl[] = "https://velm.example.org/";
inline constexpr char kMakerMailUrl[] = "mailto:soporte@velm.example.org";

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 320;
  enum ControlId : int {
    kVersion = 525, kDescription = 541, kLegal = 641, kProductName = 584, kBuildDate = 703,
    kEdition = 619, kWebLink = 670, kMailLink = 634, kOk = 1,
  };

  CAboutDlg(QWidget* parent, char letter, bool plainColours, bool remoteMode);
  QWidget* GetDlgItem(int id) const;
  // The first 10 characters of the product name, as painted.
  QString PaintedName() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* productName_;
  QFont nameFont_;
};

}  // namespace app
