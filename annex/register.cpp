#include "annex/register.h"

#include "annex/conpropp_dlg.h"
#include "annex/deportistas_dlg.h"
#include "annex/divid6_dlg.h"
#include "annex/ingrere_dlg.h"
#include "annex/inrega6_dlg.h"
#include "annex/pcuotint_dlg.h"
#include "annex/plpengen_dlg.h"
#include "annex/plpenmin_dlg.h"
#include "annex/premios_dlg.h"
#include "annex/rdto_trabajo_dlg.h"
#include "annex/redapooc_dlg.h"
#include "annex/epigrafe_dlg.h"
#include "annex/impurentas_dlg.h"
#include "annex/pcuotint_dlg.h"
#include "annex/pgacuinm_dlg.h"
#include "annex/renobga_dlg.h"
#include "annex/rtonetatrentas_dlg.h"
#include "annex/salpen_dlg.h"
#include "annex/salpencartuja_dlg.h"
#include "annex/tipoelempatrim_dlg.h"
#include "annex/tit6dat1_dlg.h"
#include "ui/annex_dlg.h"
#include "ui/sel_str_edit.h"

namespace annex {

void RegisterAnnexDialogs() {
  ui::RegisterAnnex<CRtonetatrentasDlg>("CRtonetatrentasDlg");
  ui::RegisterAnnex<CPcuotintDlg>("CPcuotintDlg");
  ui::RegisterAnnex<CTipoelempatrimDlg>("CTipoelempatrimDlg");
  ui::RegisterAnnex<CPlpengenDlg>("CPlpengenDlg");
  ui::RegisterAnnex<CPlpengen2Dlg>("CPlpengen2Dlg");
  ui::RegisterAnnex<CPlpenminDlg>("CPlpenminDlg");
  ui::RegisterAnnex<CPremmetDlg>("CPremmetDlg");
  ui::RegisterAnnex<CPremespDlg>("CPremespDlg");
  ui::RegisterAnnex<CSalpen95Dlg>("CSalpen95Dlg");
  ui::RegisterAnnex<CSalpenempleoDlg>("CSalpenempleoDlg");
  ui::RegisterAnnex<CAnexoc1Dlg>("CAnexoc1Dlg");
  ui::RegisterAnnex<CDeportistasDlg>("CDeportistasDlg");
  ui::RegisterAnnex<CRedapoocDlg>("CRedapoocDlg");
  ui::RegisterAnnex<CDivid6Dlg>("CDivid6Dlg");
  ui::RegisterAnnex<CIngrereDlg>("CIngrereDlg");
  ui::RegisterAnnex<CInrega6Dlg>("CInrega6Dlg");
  ui::RegisterAnnex<CRdtoTrabajoDlg>("CRdtoTrabajoDlg");
  ui::RegisterAnnex<CConproppDlg>("CConproppDlg");
  ui::RegisterAnnex<CSalpencartujaDlg>("CSalpencartujaDlg");
  ui::RegisterAnnex<CTit6dat1Dlg>("CTit6dat1Dlg");
  ui::RegisterAnnex<CPgacuinmDlg>("CPgacuinmDlg");
  ui::RegisterAnnex<CRenobgaDlg>("CRenobgaDlg");
  ui::RegisterAnnex<CImpurentasDlg>("CImpurentasDlg");
  ui::RegisterSelectionOpener("IDD_EPIGRAFE", &CEpigrafeDlg::OpenFor);
}

}  // namespace annex
