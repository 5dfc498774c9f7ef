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
// Column headings on row 0, the counts on `row` under their label; `decimals` 2 lets a child shared
// between two returns be entered as 0,5.
#define QX_HOLDER_COUNTS(r_, label_, decimals_)                                                           \
  {.kind = ui::Ctl::Static, .textId = 95605, .row = 0, .col = 1},                                           \
  {.kind = ui::Ctl::Static, .textId = 91022, .row = 0, .col = 2},                                           \
  {.kind = ui::Ctl::Static, .textId = 91023, .row = 0, .col = 3},                                           \
  {.kind = ui::Ctl::Static, .textId = (label_), .row = (r_), .col = 0},                                   \
  {.id = annex::holder_counts::kCommon, .kind = ui::Ctl::Money, .row = (r_), .col = 1, .width = 1,         \
   .decimals = (decimals_), .field = annex::holder_counts::Common, .options = ui::kOptSpouse},              \
  {.id = annex::holder_counts::kDeclarant, .kind = ui::Ctl::Money, .row = (r_), .col = 2, .width = 1,      \
   .decimals = (decimals_), .field = annex::holder_counts::Declarant},                                      \
  {.id = annex::holder_counts::kSpouse, .kind = ui::Ctl::Money, .row = (r_), .col = 3, .width = 1,         \
   .decimals = (decimals_), .field = annex::holder_counts::Spouse, .options = ui::kOptSpouse}

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
}  // namespace annex::holder_counts
