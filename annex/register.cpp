#include "annex/register.h"

#include "annex/conpropp_dlg.h"
#include "annex/informacion_relativa_actividad_dlg.h"
#include "annex/deportistas_dlg.h"
#include "annex/divid6_dlg.h"
#include "annex/ingrere_dlg.h"
#include "annex/aaee_ed_dlg.h"
#include "annex/activity_deduction_dlg.h"
#include "annex/aragon1_dlg.h"
#include "annex/entered_amounts_dlg.h"
#include "annex/housing_accounts_dlg.h"
#include "annex/studies_dlg.h"
#include "annex/family_counts_dlg.h"
#include "annex/idemorap_dlg.h"
#include "annex/iglesias_dlg.h"
#include "annex/investment_deduction_dlg.h"
#include "annex/imasd_dlg.h"
#include "annex/inmobiliario_dlg.h"
#include "annex/tipoactividad_dlg.h"
#include "annex/inrega6_dlg.h"
#include "annex/autonom3ct_dlg.h"
#include "annex/autonom5g_dlg.h"
#include "annex/autonom6m_dlg.h"
#include "annex/autonom7v2_dlg.h"
#include "annex/dec3cruz6imp4_dlg.h"
#include "annex/dec3imp3_dlg.h"
#include "annex/dec3imp5_dlg.h"
#include "annex/dec3sino1_dlg.h"
#include "annex/devol104_dlg.h"
#include "annex/certificado_dlg.h"
#include "annex/cambpdf_dlg.h"
#include "annex/holder_amount_dlg.h"
#include "annex/member_marks_dlg.h"
#include "annex/famnume_dlg.h"
#include "annex/maternidad_dlg.h"
#include "annex/nachijosrioja_dlg.h"
#include "annex/famnumegalicia_dlg.h"
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
#include "annex/zedu_dlg.h"
// Capital gains: acquisition, transmission, depreciation, shares, reinvestment.
#include "annex/acquisition_value_dlg.h"
#include "annex/alterpatri_dlg.h"
#include "annex/amortiag_dlg.h"
#include "annex/depreciation_dlg.h"
#include "annex/reinvestment_funds_dlg.h"
#include "annex/transmission_value_dlg.h"
// Company imputation, image rights, Ceuta and Melilla, the Canary Islands, tax paid abroad.
#include "annex/canary_income_dlg.h"
#include "annex/ceutamel_dlg.h"
#include "annex/cesderima_dlg.h"
#include "annex/impotroc_dlg.h"
#include "annex/pimpextr_dlg.h"
#include "annex/resinvcan_dlg.h"
#include "annex/tit2dat1_dlg.h"
#include "annex/rent_dlg.h"
#include "annex/cambiodomicilio_dlg.h"
#include "annex/deccomp_dlg.h"
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
  ui::RegisterAnnex<CTransparenciaFiscalDlg>("CTransparenciaFiscalDlg");
  ui::RegisterAnnex<CPgacuinmDlg>("CPgacuinmDlg");
  ui::RegisterAnnex<CRenobgaDlg>("CRenobgaDlg");
  ui::RegisterAnnex<CImpurentasDlg>("CImpurentasDlg");
  ui::RegisterAnnex<CInmobiliarioDlg>("CInmobiliarioDlg");
  ui::RegisterAnnex<CIdemorap2Dlg>("CIdemorap2Dlg");
  ui::RegisterAnnex<CIdemorapDlg>("CIdemorapDlg");
  ui::RegisterAnnex<CFormprofDlg>("CFormprofDlg");
  ui::RegisterAnnex<CGtotecinfDlg>("CGtotecinfDlg");
  ui::RegisterAnnex<CImasdDlg>("CImasdDlg");
  ui::RegisterAnnex<CCuenviviDlg>("CCuenviviDlg");
  ui::RegisterAnnex<CObraminuDlg>("CObraminuDlg");
  ui::RegisterAnnex<CAutonom2IcDlg>("CAutonom2IcDlg");
  ui::RegisterAnnex<CAdqlibrosDlg>("CAdqlibrosDlg");
  ui::RegisterAnnex<CAragon1Dlg>("CAragon1Dlg");
  ui::RegisterAnnex<CDec3cruz6imp2Dlg>("CDec3cruz6imp2Dlg");
  ui::RegisterAnnex<CDec3imp9Dlg>("CDec3imp9Dlg");
  ui::RegisterAnnex<CDec3num2Dlg>("CDec3num2Dlg");
  ui::RegisterAnnex<CIglesiasDlg>("CIglesiasDlg");
  ui::RegisterAnnex<CIglesiasnoDlg>("CIglesiasnoDlg");
  ui::RegisterAnnex<CInvcinaudDlg>("CInvcinaudDlg");
  ui::RegisterAnnex<CInvprotmedDlg>("CInvprotmedDlg");
  ui::RegisterAnnex<CFundaci3Dlg>("CFundaci3Dlg");
  ui::RegisterAnnex<CGassuerusDlg>("CGassuerusDlg");
  ui::RegisterAnnex<CDblimpdivDlg>("CDblimpdivDlg");
  ui::RegisterAnnex<CDblimptraDlg>("CDblimptraDlg");
  ui::RegisterAnnex<CAaeeEdDlg>("CAaeeEdDlg");
  ui::RegisterAnnex<CTipoactividadDlg>("CTipoactividadDlg");
  ui::RegisterSelectionOpener("IDD_EPIGRAFE", &CEpigrafeDlg::OpenFor);
  ui::RegisterAnnex<CDevol104Dlg>("CDevol104Dlg");
  ui::RegisterAnnex<CCertificadoDlg>("CCertificadoDlg");
  ui::RegisterAnnex<CBorradorDlg>("CBorradorDlg");
  ui::RegisterAnnex<CCambpdfDlg>("CCambpdfDlg");
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
  ui::RegisterAnnex<CFamnumeDlg>("CFamnumeDlg");
  ui::RegisterAnnex<CMaternidadDlg>("CMaternidadDlg");
  ui::RegisterAnnex<CMatmesesDlg>("CMatmesesDlg");
  ui::RegisterAnnex<CNachijosriojaDlg>("CNachijosriojaDlg");
  ui::RegisterAnnex<CFamnumegaliciaDlg>("CFamnumegaliciaDlg");
  // Capital gains: acquisition, transmission, depreciation, shares, reinvestment.
  ui::RegisterAnnex<CValadquinaDlg>("CValadquinaDlg");
  ui::RegisterAnnex<CValadquiaDlg>("CValadquiaDlg");
  ui::RegisterAnnex<CValadquina2Dlg>("CValadquina2Dlg");
  ui::RegisterAnnex<CValadquia2Dlg>("CValadquia2Dlg");
  ui::RegisterAnnex<CValtransenaDlg>("CValtransenaDlg");
  ui::RegisterAnnex<CValtranseaDlg>("CValtranseaDlg");
  ui::RegisterAnnex<CValtransena2Dlg>("CValtransena2Dlg");
  ui::RegisterAnnex<CValtransea2Dlg>("CValtransea2Dlg");
  ui::RegisterAnnex<CValadq96Dlg>("CValadq96Dlg");
  ui::RegisterAnnex<CValadquiabaDlg>("CValadquiabaDlg");
  ui::RegisterAnnex<CValadquiaba2Dlg>("CValadquiaba2Dlg");
  ui::RegisterAnnex<CAlterpatriDlg>("CAlterpatriDlg");
  ui::RegisterAnnex<CAmortiagDlg>("CAmortiagDlg");
  ui::RegisterAnnex<CExencionDlg>("CExencionDlg");
  ui::RegisterAnnex<CFondosDlg>("CFondosDlg");
  // Company imputation, image rights, Ceuta and Melilla, the Canary Islands, tax paid abroad.
  ui::RegisterAnnex<CImpotrocDlg>("CImpotrocDlg");
  ui::RegisterAnnex<CCesderimaDlg>("CCesderimaDlg");
  ui::RegisterAnnex<CTit2dat1Dlg>("CTit2dat1Dlg");
  ui::RegisterAnnex<CTranfisintDlg>("CTranfisintDlg");
  ui::RegisterAnnex<CCeutamelDlg>("CCeutamelDlg");
  ui::RegisterAnnex<CBicocaDlg>("CBicocaDlg");
  ui::RegisterAnnex<CResinvcan4Dlg>("CResinvcan4Dlg");
  ui::RegisterAnnex<CResinvcanDlg>("CResinvcanDlg");
  ui::RegisterAnnex<CResinvcan3Dlg>("CResinvcan3Dlg");
  ui::RegisterAnnex<CResinvcan5Dlg>("CResinvcan5Dlg");
  ui::RegisterAnnex<CPimpextrDlg>("CPimpextrDlg");
  ui::RegisterAnnex<CAutonom1GDlg>("CAutonom1GDlg");
  ui::RegisterAnnex<CAutonom4CaDlg>("CAutonom4CaDlg");
  ui::RegisterSelectionOpener("IDD_CAMBIODOMICILIO", &CCambiodomicilioDlg::OpenFor);
  ui::RegisterAnnex<CDeccompDlg>("CDeccompDlg");
  RegisterActivityInformationDialogs();
}

}  // namespace annex
