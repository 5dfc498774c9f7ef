// Children counts of the regional birth and adoption deductions split by holder: common to both
// spouses, the declarant's, the spouse's. The common and the spouse's counts need a spouse.
#pragma once

#include <initializer_list>

#include "ui/annex_dlg.h"

namespace annex::holder_counts {
inline constexpr blocks::F64 Common{0};
inline constexpr blocks::F64 Declarant{8};
inline constexpr blocks::F64 Spouse{16};
enum : int { kCommon = 1957, kDeclarant = 1954, kSpouse = 1955 };
// One row of counts per holder under its label: common, declarant, spouse in columns 1-3; the
// common and the spouse's need a spouse. `decimals` 2 lets a child shared between two returns be
// entered as 0,5.
#define QX_HOLDER_ROW(r_, label_, decimals_, common_, declarant_, spouse_, idc_, idd_, ids_)                 \
  {.kind = ui::Ctl::Static, .textId = (label_), .row = (r_), .col = 0},                                     \
  {.id = (idc_), .kind = ui::Ctl::Money, .row = (r_), .col = 1, .width = 1, .decimals = (decimals_),        \
   .field = (common_), .options = ui::kOptSpouse},                                                          \
  {.id = (idd_), .kind = ui::Ctl::Money, .row = (r_), .col = 2, .width = 1, .decimals = (decimals_),        \
   .field = (declarant_)},                                                                                  \
  {.id = (ids_), .kind = ui::Ctl::Money, .row = (r_), .col = 3, .width = 1, .decimals = (decimals_),        \
   .field = (spouse_), .options = ui::kOptSpouse}
// The column headings on row 0.
#define QX_HOLDER_HEADINGS                                                                                  \
  {.kind = ui::Ctl::Static, .textId = 95605, .row = 0, .col = 1},                                           \
  {.kind = ui::Ctl::Static, .textId = 91022, .row = 0, .col = 2},                                           \
  {.kind = ui::Ctl::Static, .textId = 91023, .row = 0, .col = 3}
// The headings and the counts of the block's first three doubles on `r_`.
#define QX_HOLDER_COUNTS(r_, label_, decimals_)                                                             \
  QX_HOLDER_HEADINGS,                                                                                       \
  QX_HOLDER_ROW(r_, label_, decimals_, annex::holder_counts::Common, annex::holder_counts::Declarant,       \
                annex::holder_counts::Spouse, annex::holder_counts::kCommon, annex::holder_counts::kDeclarant, \
                annex::holder_counts::kSpouse)

// Whether the children live with both parents is asked only while the declarant's and the
// spouse's `counts` add up to more than 0; otherwise the answer is blank (255) and not offered.
inline void ApplyLivesWithBoth(ui::CAnnexDlg& d, std::initializer_list<blocks::F64> counts, blocks::U8 answer,
                               int answerId) {
  double sum = 0.0;
  for (const blocks::F64& c : counts) sum += c.get(d.Data());
  const bool asked = sum > 0.0;
  if (!asked) answer.set(d.Data(), 255);
  if (QWidget* w = d.GetDlgItem(answerId)) w->setEnabled(asked && !d.ReadOnlyView());
}

// The persons who share a holder's deduction are asked only while that holder has a count;
// otherwise their number is 0 and not offered.
inline void ApplyPersonsRule(ui::CAnnexDlg& d, blocks::F64 count, blocks::F64 persons, int personsId) {
  const bool asked = count.get(d.Data()) != 0.0;
  if (!asked) persons.set(d.Data(), 0.0);
  if (QWidget* w = d.GetDlgItem(personsId)) w->setEnabled(asked && !d.ReadOnlyView());
}
}  // namespace annex::holder_counts
