// Annex dialogs in which the user only enters amounts that other parts of the declaration use:
// donations to entities of patronage, expenses on protected rural land, pending dividend
// double-taxation deductions, and one dividend double-taxation deduction.
#pragma once

#include "ui/annex_dlg.h"

namespace annex::fundaci3 {
inline constexpr std::size_t kRowSize = 40;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 General{8};
inline constexpr blocks::F64 Priority{16};
inline constexpr blocks::F64 OtherEntities{32};  // +24 unused
}  // namespace annex::fundaci3

namespace annex::gassuerus {
inline constexpr std::size_t kRowSize = 40;
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Expense{8};
inline constexpr blocks::F64 Hectares{16};
inline constexpr blocks::F64 PropertyTax{24};
inline constexpr blocks::U8 NaturalArea{32};  // "X": parks, reserves or natural monuments
}  // namespace annex::gassuerus

namespace annex::dblimpdiv {
inline constexpr std::size_t kRowSize = 16;
inline constexpr std::size_t kBlockSize = 96;  // five rows, then 16 bytes carried through
inline constexpr blocks::U8 Holder{0};
inline constexpr blocks::F64 Pending{8};
}  // namespace annex::dblimpdiv

namespace annex::dblimptra {
inline constexpr std::size_t kBlockSize = 16;
inline constexpr blocks::F64 Base{0};
inline constexpr blocks::F64 Deduction{8};
}  // namespace annex::dblimptra

// A row dialog that only binds: its rows, its holder legend control.
class CEnteredRowsDlg : public ui::CAnnexRowsDlg {
  Q_OBJECT
 public:
  CEnteredRowsDlg(const ui::DialogTemplate& tmpl, std::size_t blockBytes, const ui::RowLayout& layout, int legend,
                  const ui::AnnexArgs& args)
      : CAnnexRowsDlg(tmpl, blockBytes, layout, args), legend_(legend) {}

 protected:
  // The legend is written when a holder gains the focus and left as it is otherwise.
  int OnEditSetFocus(int id) override;
  // A row freed on OK (a holder without amounts) leaves no gap: the rows below move up.
  void OnOK() override;

 private:
  int legend_;
};

class CFundaci3Dlg : public CEnteredRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 179;
  static constexpr int kHolders[] = {1303, 1322, 1342};
  static constexpr int kGeneral[] = {1267, 1270, 1273};
  static constexpr int kPriority[] = {1627, 1631, 1634};
  static constexpr int kOther[] = {1609, 1614, 1617};
  explicit CFundaci3Dlg(const ui::AnnexArgs& args);
};

class CGassuerusDlg : public CEnteredRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1800;
  static constexpr int kHolders[] = {1303, 1322};
  static constexpr int kExpense[] = {1337, 1339};
  static constexpr int kHectares[] = {1343, 1344};
  static constexpr int kPropertyTax[] = {1333, 1335};
  static constexpr int kMark[] = {24548, 24549};
  // The mark is one of the row's cells: it moves and clears with the amounts, and is not halved.
  explicit CGassuerusDlg(const ui::AnnexArgs& args);
};

class CDblimpdivDlg : public CEnteredRowsDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1785;
  static constexpr int kHolders[] = {1259, 1261, 1264, 1357, 1364};
  static constexpr int kPending[] = {1886, 1887, 1624, 1362, 1373};
  explicit CDblimpdivDlg(const ui::AnnexArgs& args);
};

class CDblimptraDlg : public ui::CAnnexDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1830;
  static constexpr int kBase = 1556, kDeduction = 1568;
  explicit CDblimptraDlg(const ui::AnnexArgs& args);
};
