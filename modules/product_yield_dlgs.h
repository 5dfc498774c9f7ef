// The yield dialogs of the products of an agricultural activity: lines of income, each with its
// net-yield index (the first of each group from the modules database, the others reduced indexes
// typed by the user, below 1) and its net yield rounded to cents, and the totals of the layout.
// They edit a working copy of the product's detail record; the opener copies it back after OK.
#pragma once

#include <array>
#include <span>

#include "modules/working_record_dlg.h"

namespace modules {

// A line of income: its controls and where it lies in the detail record (income, index at +8,
// net yield at +16).
struct YieldLine {
  int income, index, net;
  unsigned at;
};
// A total over lines [from, to] of the dialog, or (from < 0) over the totals before it.
struct YieldTotal {
  int id;
  unsigned at;
  int from, to;
};
// Leaving one of `from` checks the indexes of `lines` in that order (-1 ends either list).
struct IndexChain {
  std::array<int, 7> from;
  std::array<int, 6> lines;
};
struct YieldShape {
  std::size_t size;
  std::span<const YieldLine> lines;    // shown and computed
  std::span<const YieldTotal> totals;
  std::span<const IndexChain> chains;
  std::span<const unsigned> cleared;   // every line of the record: its index goes with a zero yield on OK
  std::span<const int> fixedIndexes;   // record offsets of the indexes that come from the database
};

class CProductYieldDlgBase : public CWorkingRecordDlg {
  Q_OBJECT
 public:
  static constexpr int kHint = 1296;
  CProductYieldDlgBase(const ui::DialogTemplate& tmpl, const YieldShape& shape, QWidget* parent);
  void SetActivity(int activity) { activity_ = activity; }
  void SetProduct(int product) { product_ = product; }
  // The database's index into the first line of each group.
  void SetNetYieldIndex(double index);
  const YieldShape& Shape() const { return shape_; }

 protected:
  void OnInitAnnex() override;
  int OnEditKillFocus(int id) override;
  bool ValidateOK() override;
  // The hint under the lines (string id, 0 for none).
  virtual int HintId() const { return 0; }
  void Compute();

  int activity_ = 0;
  int product_ = 0;

 private:
  // False after WIN028 on the first index of the chain that is 1 or more.
  bool CheckIndexes(const IndexChain& chain);
  bool IsIncome(int id) const;
  const YieldShape& shape_;
};

// "PRODUCTO 1": pig farming, extensive and intensive, and poultry: three groups of two lines.
class CProducto1Dlg : public CProductYieldDlgBase {
  Q_OBJECT
 public:
  static constexpr int kId = 98;
  static constexpr std::size_t kRecordSize = 144;
  explicit CProducto1Dlg(QWidget* parent = nullptr);
};

// "resto productos": three lines and their total (products 2, 4, 5, 7, 9, 11, 12, 13).
class CRestoProductosDlg : public CProductYieldDlgBase {
  Q_OBJECT
 public:
  static constexpr int kId = 1829;
  static constexpr std::size_t kRecordSize = 80;
  explicit CRestoProductosDlg(QWidget* parent = nullptr);

 protected:
  // Breeding pigs (product 7) take a reduced index but in the activity 7.
  int HintId() const override;
};

// Own and leased lands (products 3, 6, 8, 10).
class CRestoProductosTierrasDlg : public CProductYieldDlgBase {
  Q_OBJECT
 public:
  static constexpr int kId = 105;
  static constexpr std::size_t kRecordSize = 168;
  static constexpr int kIndexHeading = 1528, kReducedIndexHeading = 1530;
  explicit CRestoProductosTierrasDlg(QWidget* parent = nullptr);

 protected:
  void OnInitAnnex() override;
  // Rice and potatoes (product 8) take reduced indexes but in the activities 2, 6 and 7.
  int HintId() const override;
};

// Products 3, 6, 8 and 10 of an activity of key '9': the one-block form over the two-block record,
// its second block only.
class CRestoProductosClave9Dlg : public CProductYieldDlgBase {
  Q_OBJECT
 public:
  static constexpr int kId = 1829;
  static constexpr std::size_t kRecordSize = 168;
  explicit CRestoProductosClave9Dlg(QWidget* parent = nullptr);
};

}  // namespace modules
