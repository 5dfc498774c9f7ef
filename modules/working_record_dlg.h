// The base of the module value and product yield dialogs: an annex dialog over a working copy of
// one record whose checks on leaving a field stop once the dialog is closing (the focus leaves the
// last field as the window goes).
#pragma once

#include "ui/annex_dlg.h"

namespace modules {

class CWorkingRecordDlg : public ui::CAnnexDlg {
 public:
  using CAnnexDlg::CAnnexDlg;
  void done(int result) override {
    closing_ = true;
    CAnnexDlg::done(result);
  }

 protected:
  bool Closing() const { return closing_; }

 private:
  bool closing_ = false;
};

}  // namespace modules
