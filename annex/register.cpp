#include "annex/register.h"

#include "annex/famnume_dlg.h"
#include "annex/famnumegalicia_dlg.h"
#include "annex/pcuotint_dlg.h"
#include "annex/rtonetatrentas_dlg.h"
#include "annex/tipoelempatrim_dlg.h"
#include "ui/annex_dlg.h"

namespace annex {

void RegisterAnnexDialogs() {
  ui::RegisterAnnex<CRtonetatrentasDlg>("CRtonetatrentasDlg");
  ui::RegisterAnnex<CPcuotintDlg>("CPcuotintDlg");
  ui::RegisterAnnex<CTipoelempatrimDlg>("CTipoelempatrimDlg");
  ui::RegisterAnnex<CFamnumeDlg>("CFamnumeDlg");
  ui::RegisterAnnex<CFamnumegaliciaDlg>("CFamnumegaliciaDlg");
}

}  // namespace annex
