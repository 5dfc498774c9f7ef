#include "annex/register.h"

#include "annex/autonom3ct_dlg.h"
#include "annex/autonom5g_dlg.h"
#include "annex/autonom6m_dlg.h"
#include "annex/autonom7v2_dlg.h"
#include "annex/dec3cruz6imp4_dlg.h"
#include "annex/dec3imp3_dlg.h"
#include "annex/dec3imp5_dlg.h"
#include "annex/dec3sino1_dlg.h"
#include "annex/devol104_dlg.h"
#include "annex/holder_amount_dlg.h"
#include "annex/member_marks_dlg.h"
#include "annex/pcuotint_dlg.h"
#include "annex/rtonetatrentas_dlg.h"
#include "annex/tipoelempatrim_dlg.h"
#include "annex/zedu_dlg.h"
#include "ui/annex_dlg.h"

namespace annex {

void RegisterAnnexDialogs() {
  ui::RegisterAnnex<CRtonetatrentasDlg>("CRtonetatrentasDlg");
  ui::RegisterAnnex<CPcuotintDlg>("CPcuotintDlg");
  ui::RegisterAnnex<CTipoelempatrimDlg>("CTipoelempatrimDlg");
  ui::RegisterAnnex<CDevol104Dlg>("CDevol104Dlg");
  ui::RegisterAnnex<CDec3imp3Dlg>("CDec3imp3Dlg");
  ui::RegisterAnnex<CDec3sino1Dlg>("CDec3sino1Dlg");
  ui::RegisterAnnex<CTit3dat1Dlg>("CTit3dat1Dlg");
  ui::RegisterAnnex<CTit4dat1Dlg>("CTit4dat1Dlg");
  ui::RegisterAnnex<CTit3dat1nDlg>("CTit3dat1nDlg");
  ui::RegisterAnnex<CTit3dat1pDlg>("CTit3dat1pDlg");
  ui::RegisterAnnex<CTit2dat4Dlg>("CTit2dat4Dlg");
  ui::RegisterAnnex<CTit3datnifDlg>("CTit3datnifDlg");
  ui::RegisterAnnex<CTit3dat2Dlg>("CTit3dat2Dlg");
  ui::RegisterAnnex<CDec2cruz2Dlg>("CDec2cruz2Dlg");
  ui::RegisterAnnex<CDec3cruz3Dlg>("CDec3cruz3Dlg");
  ui::RegisterAnnex<CDec4cruz4Dlg>("CDec4cruz4Dlg");
  ui::RegisterAnnex<CAutonom3CtDlg>("CAutonom3CtDlg");
  ui::RegisterAnnex<CAutonom6MDlg>("CAutonom6MDlg");
  ui::RegisterAnnex<CAutonom5GDlg>("CAutonom5GDlg");
  ui::RegisterAnnex<CAutonom7V2Dlg>("CAutonom7V2Dlg");
  ui::RegisterAnnex<CDec3imp5Dlg>("CDec3imp5Dlg");
  ui::RegisterAnnex<CDec3cruz6imp4Dlg>("CDec3cruz6imp4Dlg");
}

}  // namespace annex
