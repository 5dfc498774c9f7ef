// The capital-gains dialogs opened the way the page opens them: a launcher edit whose annex pointer
// is the list {item, item index}, on one item of a fixture declaration whose every other byte is a
// pattern that must come back unchanged.
#pragma once

#include <QAbstractButton>
#include <QTest>

#include <cstring>
#include <vector>

#include "blocks/form100.h"
#include "blocks/form100_g3.h"
#include "blocks/form100_g4.h"
#include "launch_support.h"
#include "tallyvex.h"
#include "ui/annex_dlg.h"

namespace annextest {

namespace it = f100::sec_g4::item;

// One item of the long-term table (kind, acquisition and transfer dates) or of the table with
// reductions, in a declaration of pattern bytes; the rest of the item is zero.
class ItemFixture {
 public:
  ItemFixture(bool longTerm, int index, char kind, const char* acquired = "", const char* transferred = "")
      : index_(index),
        offset_(longTerm ? f100::SectionG4.offset + f100::sec_g4::itemOffset(index)
                         : f100::SectionG3.offset + f100::sec_g3::kRowSize * static_cast<std::size_t>(index)),
        size_(longTerm ? f100::sec_g4::kItemSize : f100::sec_g3::kRowSize) {
    std::memset(Item(), 0, size_);
    Item()[0] = 2;
    // Dates nobody entered read as blanks, as the date editor leaves them.
    if (longTerm)
      for (blocks::Text date : {it::Expense1Date, it::Expense2Date, it::Allowance1994Date, it::Allowance2002Date})
        date.clear(Item());
    Item()[21] = static_cast<std::uint8_t>(kind);
    if (longTerm) {
      it::AcquisitionDate.set(Item(), acquired);
      it::TransferDate.set(Item(), transferred);
    }
    list.block = Item();
    list.value = index;
  }
  std::uint8_t* Item() { return decl.at(offset_); }
  std::size_t Offset() const { return offset_; }
  // Opens `descriptor` on the item and runs `act` in it.
  int Open(const char* descriptor, std::function<void(CTemplateDlg&)> act) {
    return Launch(descriptor, &list, std::move(act));
  }
  // The declaration with `item` in place of the item.
  std::vector<std::uint8_t> With(const std::vector<std::uint8_t>& item) const {
    std::vector<std::uint8_t> b = decl.bytes;
    std::memcpy(b.data() + offset_, item.data(), size_);
    return b;
  }
  std::vector<std::uint8_t> Copy() { return {Item(), Item() + size_}; }

  FixtureDeclaration decl;
  ui::AnnexPointerList list{};

 private:
  int index_;
  std::size_t offset_;
  std::size_t size_;
};

// The offsets (from `base`) at which two declarations differ, for a readable failure.
inline std::vector<std::size_t> Differences(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                                            std::size_t base) {
  std::vector<std::size_t> d;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i] != b[i]) d.push_back(i - base);
  return d;
}

// What the library makes of one long-term item alone at its index.
inline std::vector<std::uint8_t> Recalculated(std::vector<std::uint8_t> item, int index) {
  std::vector<std::uint8_t> section(f100::SectionG4.size, 0);
  const std::size_t at = f100::sec_g4::itemOffset(index);
  std::memcpy(section.data() + at, item.data(), item.size());
  Calculos100G4(section.data(), 3);
  std::memcpy(item.data(), section.data() + at, item.size());
  return item;
}

// The next modal dialog gets `act`, then Cancel if it is still open.
inline void NextModal(std::function<void(CTemplateDlg&)> act) {
  qxtest::WhenModal([act](QWidget* m) {
    auto* d = dynamic_cast<CTemplateDlg*>(m);
    ASSERT_NE(d, nullptr);
    act(*d);
    if (d->isVisible()) Press(*d, ui::IDCANCEL);
  });
}

// Keys into an edit that keeps the focus (no Tab).
inline void KeysOnly(CTemplateDlg& d, int id, const QString& keys) {
  QWidget* e = d.GetDlgItem(id);
  ASSERT_NE(e, nullptr) << id;
  e->setFocus();
  QTest::keyClicks(e, keys);
}

// The whole text deleted and replaced by `keys`, then Tab.
inline void Retype(CTemplateDlg& d, int id, const QString& keys) {
  auto* e = dynamic_cast<QLineEdit*>(d.GetDlgItem(id));
  ASSERT_NE(e, nullptr) << id;
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Delete);
  e->setCursorPosition(0);
  QTest::keyClicks(e, keys);
  QTest::keyClick(e, Qt::Key_Tab);
}

inline QString Shown(CTemplateDlg& d, int id) {
  auto* e = dynamic_cast<QLineEdit*>(d.GetDlgItem(id));
  return e ? e->text().trimmed() : QStringLiteral("<none>");
}

}  // namespace annextest
