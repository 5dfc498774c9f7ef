// The print dialog of form 714: the printer (or a PDF file) with its set-up, and the tick
// "Copia Adicional para el interesado" that asks for a second copy of the declaration for the
// taxpayer (hidden for the internet copy). Its OK keeps the range the form prints, 1 to 14.
#pragma once

#include <QPrintDialog>

class QCheckBox;
class QPushButton;

namespace forms {

class CPrint714Dlg : public QPrintDialog {
  Q_OBJECT
 public:
  enum : int { kIdExtraCopy = 2007, kIdInstall = 1024, kIdHelp = 1038, kIdFrom = 1152, kIdTo = 1153 };
  // The page range of the form: From 1 To 14.
  static constexpr int kLastPage = 14;
  struct Range {
    int from;
    int to;
    bool operator==(const Range&) const = default;
  };
  // The range OK leaves: a chosen range mended (a From of 0 or below is 1, a To of 0 is 14, a To
  // below From gives 1 to 14), else 1 to 14.
  static Range RangeAfterOk(bool rangeChosen, int from, int to);

  // `hideExtraCopy`: the internet copy, which has no extra copy; `specialMode`: remote
  // installations, where the printer's set-up cannot be changed.
  CPrint714Dlg(QPrinter* printer, bool hideExtraCopy, bool specialMode, QWidget* parent = nullptr);

  bool ExtraCopy() const;
  void SetExtraCopy(bool on);
  // 2 with the extra copy, else 1.
  int Copies() const { return ExtraCopy() ? 2 : 1; }
  QCheckBox* ExtraCopyBox() const { return extraCopy_; }
  QPushButton* InstallButton() const { return install_; }
  QPushButton* HelpButton() const { return help_; }

  void accept() override;

 private:
  bool hideExtraCopy_;
  QCheckBox* extraCopy_;
  QPushButton* install_ = nullptr;
  QPushButton* help_ = nullptr;
};

}  // namespace forms
