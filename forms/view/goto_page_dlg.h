// "Ir a página": next, previous, or the page typed by number. Its requests go to the command
// target as commands (2029 next, 2030 previous, 2033 the typed page) while it stays open.
#pragma once

#include <functional>

#include "ui/template_dlg.h"

class CCountEdit;

namespace forms {

class CIrPaginaDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  enum Id : int { kIdNumber = 1706, kIdNext = 1701, kIdPrevious = 1703, kIdGo = 1702 };

  explicit CIrPaginaDlg(QWidget* parent = nullptr);
  ~CIrPaginaDlg() override;

  // Where the dialog's commands go (the document's command routing).
  void SetCommandTarget(std::function<void(int command)> target) { target_ = std::move(target); }
  int PageNumber() const { return page_; }

  bool OnButton(int id) override;
  int OnEditEnter(int id) override;

 protected:
  void OnInitDialog() override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;

 private:
  void Go();

  std::function<void(int)> target_;
  std::int32_t page_ = 0;
  CCountEdit* number_ = nullptr;
};

}  // namespace forms
