// The page box list: the boxes of one form page, loaded from the box-definition table ControlX
// (and its language variant for titles and prompts), and the hooks through which a page binds
// them to the declaration's data block. The list owns its boxes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/box_field.h"

class QPainter;

namespace db {
class CAdoConnection;
}

namespace forms {

class CProg32View;

// String ids of the loader's messages.
enum BoxListText : int { kStrControlsDamaged = 74, kStrCannotInitPage = 78 };

// Where the loader reads: the local database and the screen language letter. The failure
// messages go to `report` (a message box in the program); none: silent.
struct BoxTables {
  db::CAdoConnection* local = nullptr;
  char language = 'e';
  std::function<void(int stringId, bool stop)> report;
};

class CPageBoxList {
 public:
  CPageBoxList() = default;
  virtual ~CPageBoxList();
  CPageBoxList(const CPageBoxList&) = delete;
  CPageBoxList& operator=(const CPageBoxList&) = delete;

  void SetTables(BoxTables tables) { tables_ = std::move(tables); }
  void SetOwningView(CProg32View* view) { view_ = view; }
  CProg32View* OwningView() const { return view_; }

  int GetSize() const { return static_cast<int>(boxes_.size()); }
  CBoxField* GetAt(int index) const {
    return index >= 0 && index < GetSize() ? boxes_[static_cast<std::size_t>(index)].get() : nullptr;
  }
  // The box at a 1-based position.
  CBoxField* Position(int position) const { return GetAt(position - 1); }

  // Paints every box; print mode rebuilds each display text first.
  virtual void PaintBoxes(QPainter& painter, int x, int y, int mode, bool accessible = false);
  // With geometry at `scale` device pixels per page unit, then BindPageData (0), RefreshSheet (1).
  virtual bool LoadFromControlX(int pageCode, double scale);
  // Without rectangles, language texts or flags, then RefreshSheet (1) and BindPageData (1).
  virtual bool LoadBoxesNoGeometry(int pageCode);
  // Only the rectangles, after a zoom change.
  void ReloadBoxCoordinates(double scale, int pageCode);
  // Whether the box-definition table has rows for the page.
  static bool PageHasBoxes(db::CAdoConnection* local, int pageCode);
  void ClearBoxes();

  // Page hooks (the base does nothing).
  virtual void BindPageData(int /*rebind*/) {}
  virtual void ReleasePageData() {}
  virtual void ApplyHolderMode() {}
  virtual int OnRowTableEvent(int /*table*/, int /*row*/, int /*event*/, int /*extra*/) { return 0; }
  virtual void RefreshBoxStates(int /*position*/) {}
  virtual bool SelectSheet(int sheet, int /*printing*/) {
    if (sheet != 1) return false;
    RefreshSheet(0);
    return true;
  }
  virtual void RefreshSheet(int /*reload*/) {}

  int continuationSheets = 0;
  int working1 = 0;
  int working2 = -1;

 protected:
  // The page filter's value: the page code right-aligned in four characters (" 201").
  static std::string PageCodeText(int pageCode);
  void Report(int stringId, bool stop) const {
    if (tables_.report) tables_.report(stringId, stop);
  }

  BoxTables tables_;
  CProg32View* view_ = nullptr;
  std::vector<std::unique_ptr<CBoxField>> boxes_;
};

// The form-100 lists: the document's member a list follows (-1) or is fixed to (1-5, 6 the member
// chosen for printing or filing).
class CHolderPageBoxList : public CPageBoxList {
 public:
  explicit CHolderPageBoxList(int memberIndex = -1)
      : memberIndex(memberIndex), fixedMember(memberIndex != -1 ? 1 : 0) {}

  // The slot a per-member field is bound at: 0 when the list follows the shown member.
  int Occurrence() const { return fixedMember && memberIndex >= 1 && memberIndex <= 5 ? memberIndex - 1 : 0; }

  int filing = 0;
  int memberIndex = -1;
  int mode = -1;
  int fixedMember = 0;
};

}  // namespace forms
