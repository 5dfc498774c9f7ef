#include "annex/register.h"

#include "annex/epigrafe_dlg.h"
#include "annex/impurentas_dlg.h"
#include "annex/pcuotint_dlg.h"
#include "annex/pgacuinm_dlg.h"
#include "annex/renobga_dlg.h"
#include "annex/rtonetatrentas_dlg.h"
#include "annex/tipoelempatrim_dlg.h"
#include "ui/annex_dlg.h"
#include "ui/sel_str_edit.h"

namespace annex {

void RegisterAnnexDialogs() {
  ui::RegisterAnnex<CRtonetatrentasDlg>("CRtonetatrentasDlg");
  ui::RegisterAnnex<CPcuotintDlg>("CPcuotintDlg");
  ui::RegisterAnnex<CTipoelempatrimDlg>("CTipoelempatrimDlg");
  ui::RegisterAnnex<CPgacuinmDlg>("CPgacuinmDlg");
  ui::RegisterAnnex<CRenobgaDlg>("CRenobgaDlg");
  ui::RegisterAnnex<CImpurentasDlg>("CImpurentasDlg");
  ui::RegisterSelectionOpener("IDD_EPIGRAFE", &CEpigrafeDlg::OpenFor);
}

}  // namespace annex
