// The church-tax and the social-purpose assignment marks of the joint declaration and of each
// individual declaration of the household: the two dialogs share their code, each works on the
// marks of its kind in the open declaration.
#pragma once

#include "ui/annex_dlg.h"

class CIglesiasDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 168;
  static constexpr int kMarks[] = {1499, 1503, 1509, 1517, 1523};  // joint, declarant, spouse, child 1, child 2
  explicit CIglesiasDlg(const ui::AnnexArgs& args);
  struct Kind {
    const ui::DialogTemplate& tmpl;
    std::size_t marks;  // the first of the five marks in Form100Family
    const int (&ids)[5];
  };

 protected:
  CIglesiasDlg(const Kind& kind, const ui::AnnexArgs& args);
  void OnInitAnnex() override;
  void OnOK() override;
  int OnEditValueChanged(int id) override;
  // Which marks can be changed: the joint one only for a declaration that has a joint filing and a
  // family unit; the spouse's and the children's only for members of the household.
  void UpdateMemberFields();

 private:
  const Kind& kind_;
};

class CIglesiasnoDlg : public CIglesiasDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 240;
  static constexpr int kMarks[] = {1501, 1506, 1513, 1520, 1526};
  explicit CIglesiasnoDlg(const ui::AnnexArgs& args);
};
