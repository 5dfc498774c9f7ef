// The "Avisos y errores" window (dialog 136). The list is shown through IAvisosListView so that
// the program's grid control can take the place of the plain table view.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "checks/avisos_model.h"

class QLabel;
class QPushButton;
namespace qx::grid {
class CRejillaCtrl;
struct GridImageList;
}  // namespace qx::grid
using qx::grid::CRejillaCtrl;
using qx::grid::GridImageList;

namespace checks {

class IAvisosListView {
 public:
  virtual ~IAvisosListView() = default;
  virtual QWidget* Widget() = 0;
  // Row 0 of the view is the heading; list rows follow from 1.
  virtual void SetRows(const std::vector<AvisosListRow>& rows) = 0;
  virtual int FocusRow() const = 0;  // -1 when no row has the focus
  virtual void Print() = 0;
  // Called on a double-click with (row, column), as the grid's WM_USER + 12.
  std::function<void(int, int)> onActivate;
};

// The list in the program's grid: a heading row, columns "Tipo de Error", "Descripción",
// "Modalidad", the warning and error icons in the first column. The description takes the
// width left by the other two columns and its rows grow to show the whole text.
class GridAvisosView : public QObject, public IAvisosListView {
 public:
  explicit GridAvisosView(QWidget* parent);
  ~GridAvisosView() override;
  QWidget* Widget() override;
  void SetRows(const std::vector<AvisosListRow>& rows) override;
  int FocusRow() const override;
  void Print() override;
  CRejillaCtrl* Grid() const { return grid_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void FitDescription();

  CRejillaCtrl* grid_;
  std::unique_ptr<GridImageList> icons_;
};

class CAvisosErroresDlg : public QDialog {
 public:
  enum ControlId : int {
    kIdGrid = 345,
    kIdReview = 8,
    kIdPrint = 332,
    kIdCancel = 2,
    kIdPrintList = 335,
    kIdDetailed = 908,
    kIdWarningIcon = 1001,
    kIdWarningLegend = 1514,
    kIdErrorIcon = 1007,
    kIdErrorLegend = 1518,
    kIdInstruction = 1504,
    kIdVerdict = 1507,
    kIdSecondVerdict = 1510,
  };
  static constexpr int kTemplateId = 136;

  CAvisosErroresDlg(ICorrectionsStore& store, IMessageTexts& texts, IMessageService& messages, IAvisosHost& host,
                    std::unique_ptr<IAvisosListView> view = nullptr);
  ~CAvisosErroresDlg() override;

  void SetDeclarationKey(const std::string& key) { model_.SetDeclarationKey(key); }
  void SetValidationResult(int result) { model_.SetValidationResult(result); }
  void SetFilingMode(bool filing) { model_.SetFilingMode(filing); }

  // Fills the list and the verdicts; false when the window closes at once (end code 2).
  bool Initialize();
  int exec() override;

  QWidget* Control(int id) const;
  AvisosErroresModel& Model() { return model_; }
  IAvisosListView& View() { return *view_; }

  void OnReview();
  void OnPrintOrWrite();
  void OnPrintList();
  void OnActivate(int row, int column);

 private:
  AvisosErroresModel model_;
  IMessageService& messages_;
  IAvisosHost& host_;
  std::unique_ptr<IAvisosListView> view_;
  bool initialized_ = false;
};

}  // namespace checks
