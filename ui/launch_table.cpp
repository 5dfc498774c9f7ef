#include "ui/launch_table.h"

namespace ui {

namespace {
// The housing-wizard entries copy two records of the declaration: 232 + 368 bytes.
constexpr LaunchEntry kTable[] = {
    {"IDD_RDTO_TRABAJO", 1748, "CRdtoTrabajoDlg", LaunchArgs::ParentM, true, 720, LaunchList::None, LaunchKind::Standard},
    {"IDD_INREGA6", 1755, "CInrega6Dlg", LaunchArgs::ParentM, true, 240, LaunchList::None, LaunchKind::Standard},
    {"IDD_DIVID6", 1752, "CDivid6Dlg", LaunchArgs::ParentM, true, 336, LaunchList::None, LaunchKind::Standard},
    {"IDD_TIT6DAT1", 255, "CTit6dat1Dlg", LaunchArgs::ParentM, true, 96, LaunchList::None, LaunchKind::Standard},
    {"IDD_INGRERE", 232, "CIngrereDlg", LaunchArgs::ParentM, true, 240, LaunchList::None, LaunchKind::Standard},
    {"IDD_IMPURENTAS", 167, "CImpurentasDlg", LaunchArgs::ParentM, true, 432, LaunchList::None, LaunchKind::Standard},
    {"IDD_INMOBILIARIO", 1762, "CInmobiliarioDlg", LaunchArgs::ParentM, true, 432, LaunchList::None, LaunchKind::Standard},
    {"IDD_CONPROPP", 11, "CConproppDlg", LaunchArgs::Parent, false, 24, LaunchList::None, LaunchKind::Standard},
    {"IDD_AAEE_ED", 74, "CAaeeEdDlg", LaunchArgs::ParentM, false, 48, LaunchList::RowIndex, LaunchKind::Standard},
    {"IDD_CHAPAPOTE", 30, nullptr, LaunchArgs::None, false, 0, LaunchList::None, LaunchKind::Nothing},
    {"IDD_AMORTIAG", 289, "CAmortiagDlg", LaunchArgs::Parent, true, 2056, LaunchList::None, LaunchKind::Standard},
    {"IDD_DBLIMPTRA", 1830, "CDblimptraDlg", LaunchArgs::Parent0, false, 16, LaunchList::None, LaunchKind::Standard},
    {"IDD_IMPOTROC", 1831, "CImpotrocDlg", LaunchArgs::Parent0, true, 88, LaunchList::ByteAndAmount, LaunchKind::Standard},
    {"IDD_CESDERIMA", 238, "CCesderimaDlg", LaunchArgs::Parent, false, 24, LaunchList::None, LaunchKind::Standard},
    {"IDD_TIPOACTIVIDAD", 80, "CTipoactividadDlg", LaunchArgs::Parent, false, 24, LaunchList::Holder, LaunchKind::Standard},
    {"IDD_RTONETATRENTAS", 111, "CRtonetatrentasDlg", LaunchArgs::Parent, false, 24, LaunchList::None, LaunchKind::Standard},
    {"IDD_PREMMET", 1774, "CPremmetDlg", LaunchArgs::ParentM, false, 96, LaunchList::None, LaunchKind::Standard},
    {"IDD_PREMESP", 1777, "CPremespDlg", LaunchArgs::ParentM, false, 128, LaunchList::None, LaunchKind::Standard},
    {"IDD_VALTRANSEA", 250, "CValtranseaDlg", LaunchArgs::ParentM0, false, 200, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_VALTRANSENA", 303, "CValtransenaDlg", LaunchArgs::ParentM0, false, 200, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_VALADQUIA", 1773, "CValadquiaDlg", LaunchArgs::ParentM0, false, 200, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_VALADQUINA", 304, "CValadquinaDlg", LaunchArgs::ParentM0, false, 200, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_FONDOS", 75, "CFondosDlg", LaunchArgs::Parent, false, 40, LaunchList::None, LaunchKind::Standard},
    {"IDD_ALTERPATRI", 78, "CAlterpatriDlg", LaunchArgs::Parent, false, 280, LaunchList::None, LaunchKind::Standard},
    {"IDD_VALTRANSEA2", 254, "CValtransea2Dlg", LaunchArgs::ParentM0, false, 760, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_VALTRANSENA2", 305, "CValtransena2Dlg", LaunchArgs::ParentM0, false, 760, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_VALADQUIA2", 319, "CValadquia2Dlg", LaunchArgs::ParentM0, false, 760, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_VALADQUINA2", 306, "CValadquina2Dlg", LaunchArgs::ParentM0, false, 760, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_VALADQUIABA", 1839, "CValadquiabaDlg", LaunchArgs::ParentM0, false, 760, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_VALADQUIABA2", 1837, "CValadquiaba2Dlg", LaunchArgs::ParentM0, false, 760, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_VALADQ96", 276, "CValadq96Dlg", LaunchArgs::Parent, false, 760, LaunchList::ItemIndex, LaunchKind::Standard},
    {"IDD_EXENCION", 77, "CExencionDlg", LaunchArgs::ParentM, true, 48, LaunchList::None, LaunchKind::Standard},
    {"IDD_TIT2DAT1", 172, "CTit2dat1Dlg", LaunchArgs::ParentM, true, 32, LaunchList::None, LaunchKind::Standard},
    {"IDD_PLPENGEN", 181, "CPlpengenDlg", LaunchArgs::Parent, false, 16, LaunchList::Byte, LaunchKind::Standard},
    {"IDD_PLPENGEN2", 14, "CPlpengen2Dlg", LaunchArgs::Parent, false, 16, LaunchList::Byte, LaunchKind::Standard},
    {"IDD_REDAPOOC", 237, "CRedapoocDlg", LaunchArgs::ParentM, true, 24, LaunchList::None, LaunchKind::Standard},
    {"IDD_PLPENMIN", 1780, "CPlpenminDlg", LaunchArgs::Parent, false, 48, LaunchList::Byte, LaunchKind::Standard},
    {"IDD_DEPORTISTAS", 270, "CDeportistasDlg", LaunchArgs::ParentM, false, 48, LaunchList::None, LaunchKind::Standard},
    {"IDD_TIT3DAT1", 170, "CTit3dat1Dlg", LaunchArgs::ParentM, true, 48, LaunchList::None, LaunchKind::Standard},
    {"IDD_BICOCA", 233, "CBicocaDlg", LaunchArgs::ParentM, true, 56, LaunchList::None, LaunchKind::Standard},
    {"IDD_IDEMORAP", 266, "CIdemorapDlg", LaunchArgs::ParentM, true, 1248, LaunchList::None, LaunchKind::Standard},
    {"IDD_IDEMORAP2", 97, "CIdemorap2Dlg", LaunchArgs::ParentM, true, 2472, LaunchList::None, LaunchKind::Standard},
    {"IDD_DBLIMPDIV", 1785, "CDblimpdivDlg", LaunchArgs::ParentM, true, 96, LaunchList::None, LaunchKind::Standard},
    {"IDD_RENOBGA", 1793, "CRenobgaDlg", LaunchArgs::ParentM, true, 288, LaunchList::None, LaunchKind::Standard},
    {"IDD_TRANFISINT", 1833, "CTranfisintDlg", LaunchArgs::ParentM, true, 40, LaunchList::None, LaunchKind::Standard},
    {"IDD_COMPADQ", 1795, "CVivienda", LaunchArgs::NoParentM, false, 600, LaunchList::None, LaunchKind::Wizard},
    {"IDD_PGACUINM", 1832, "CPgacuinmDlg", LaunchArgs::ParentM, true, 120, LaunchList::None, LaunchKind::Standard},
    {"IDD_TIT4DAT1", 1814, "CTit4dat1Dlg", LaunchArgs::ParentM, true, 64, LaunchList::None, LaunchKind::Standard},
    {"IDD_MATERNIDAD", 59, "CMaternidadDlg", LaunchArgs::ParentM, true, 376, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEVOL104", 35, "CDevol104Dlg", LaunchArgs::Parent, false, 32, LaunchList::None, LaunchKind::Standard},
    {"IDD_MATMESES", 106, "CMatmesesDlg", LaunchArgs::Parent, false, 12, LaunchList::Value, LaunchKind::Standard},
    {"IDD_FUNDACI3", 179, "CFundaci3Dlg", LaunchArgs::ParentM, true, 120, LaunchList::None, LaunchKind::Standard},
    {"IDD_INVERVIVI", 1789, "CVivienda", LaunchArgs::NoParentM, false, 600, LaunchList::None, LaunchKind::Wizard},
    {"IDD_OBRAMINU", 1786, "CObraminuDlg", LaunchArgs::ParentM, true, 192, LaunchList::None, LaunchKind::Standard},
    {"IDD_CEUTAMEL", 1790, "CCeutamelDlg", LaunchArgs::ParentM, true, 240, LaunchList::None, LaunchKind::Standard},
    {"IDD_CUENVIVI", 231, "CCuenviviDlg", LaunchArgs::NoParentM, true, 144, LaunchList::None, LaunchKind::Standard},
    {"IDD_AUTONOM1_G", 69, "CAutonom1GDlg", LaunchArgs::ParentM, true, 120, LaunchList::None, LaunchKind::Standard},
    {"IDD_AUTONOM2_IC", 48, "CAutonom2IcDlg", LaunchArgs::Parent, true, 80, LaunchList::None, LaunchKind::Standard},
    {"IDD_AUTONOM3_CT", 49, "CAutonom3CtDlg", LaunchArgs::ParentM, true, 16, LaunchList::None, LaunchKind::Standard},
    {"IDD_AUTONOM4_CA", 51, "CAutonom4CaDlg", LaunchArgs::ParentM, true, 128, LaunchList::None, LaunchKind::Standard},
    {"IDD_AUTONOM5_G", 54, "CAutonom5GDlg", LaunchArgs::Parent, true, 80, LaunchList::None, LaunchKind::Standard},
    {"IDD_AUTONOM6_M", 55, "CAutonom6MDlg", LaunchArgs::Parent, true, 104, LaunchList::None, LaunchKind::Standard},
    {"IDD_ADQLIBROS", 16, "CAdqlibrosDlg", LaunchArgs::ParentM, true, 192, LaunchList::None, LaunchKind::Standard},
    {"IDD_GASSUERUS", 1800, "CGassuerusDlg", LaunchArgs::ParentM, false, 80, LaunchList::None, LaunchKind::Standard},
    {"IDD_FAMNUME", 277, "CFamnumeDlg", LaunchArgs::ParentM, true, 16, LaunchList::None, LaunchKind::Standard},
    {"IDD_FAMNUMEGALICIA", 297, "CFamnumegaliciaDlg", LaunchArgs::ParentM, true, 16, LaunchList::None, LaunchKind::Standard},
    {"IDD_NACHIJOSRIOJA", 8, "CNachijosriojaDlg", LaunchArgs::Parent, true, 80, LaunchList::None, LaunchKind::Standard},
    {"IDD_TIT3DAT2", 73, "CTit3dat2Dlg", LaunchArgs::ParentM, true, 72, LaunchList::None, LaunchKind::Standard},
    {"IDD_TIT3DATNIF", 39, "CTit3datnifDlg", LaunchArgs::ParentM, true, 96, LaunchList::None, LaunchKind::Standard},
    {"IDD_TIT3DAT1N", 44, "CTit3dat1nDlg", LaunchArgs::ParentM, true, 56, LaunchList::None, LaunchKind::Standard},
    {"IDD_TIT3DAT1P", 76, "CTit3dat1pDlg", LaunchArgs::ParentM, true, 56, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEC3IMP5", 88, "CDec3imp5Dlg", LaunchArgs::Parent, true, 40, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEC3IMP9", 56, "CDec3imp9Dlg", LaunchArgs::Parent, true, 80, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEC2CRUZ2", 248, "CDec2cruz2Dlg", LaunchArgs::Parent, true, 2, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEC4CRUZ4", 47, "CDec4cruz4Dlg", LaunchArgs::Parent, true, 4, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEC3CRUZ3", 37, "CDec3cruz3Dlg", LaunchArgs::Parent, true, 3, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEC3CRUZ6IMP2", 90, "CDec3cruz6imp2Dlg", LaunchArgs::Parent, true, 64, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEC3CRUZ6IMP4", 36, "CDec3cruz6imp4Dlg", LaunchArgs::Parent, true, 80, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEC3SINO1", 93, "CDec3sino1Dlg", LaunchArgs::Parent, true, 32, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEC3NUM2", 94, "CDec3num2Dlg", LaunchArgs::Parent, true, 24, LaunchList::None, LaunchKind::Standard},
    {"IDD_DEC3IMP3", 20, "CDec3imp3Dlg", LaunchArgs::Parent, true, 24, LaunchList::None, LaunchKind::Standard},
    {"IDD_AUTONOM7_V2", 84, "CAutonom7V2Dlg", LaunchArgs::Parent, true, 4, LaunchList::None, LaunchKind::Standard},
    {"IDD_ARAGON1", 102, "CAragon1Dlg", LaunchArgs::NoParent, true, 48, LaunchList::None, LaunchKind::Standard},
    {"IDD_TIT2DAT4", 108, "CTit2dat4Dlg", LaunchArgs::ParentM, true, 120, LaunchList::None, LaunchKind::Standard},
    {"IDD_ANEXOC1", 61, "CAnexoc1Dlg", LaunchArgs::ParentM, true, 96, LaunchList::None, LaunchKind::Standard},
    {"IDD_SALPEN95", 85, "CSalpen95Dlg", LaunchArgs::ParentM, true, 48, LaunchList::None, LaunchKind::Standard},
    {"IDD_SALPENEMPLEO", 314, "CSalpenempleoDlg", LaunchArgs::ParentM, true, 64, LaunchList::None, LaunchKind::Standard},
    {"IDD_GTOTECINF", 6, "CGtotecinfDlg", LaunchArgs::ParentM, true, 64, LaunchList::None, LaunchKind::Standard},
    {"IDD_INVPROTMED", 89, "CInvprotmedDlg", LaunchArgs::ParentM, true, 48, LaunchList::None, LaunchKind::Standard},
    {"IDD_INVCINAUD", 1842, "CInvcinaudDlg", LaunchArgs::ParentM, true, 80, LaunchList::None, LaunchKind::Standard},
    {"IDD_FORMPROF", 316, "CFormprofDlg", LaunchArgs::ParentM, true, 64, LaunchList::None, LaunchKind::Standard},
    {"IDD_RESINVCAN", 257, "CResinvcanDlg", LaunchArgs::ParentM, true, 64, LaunchList::None, LaunchKind::Standard},
    {"IDD_RESINVCAN3", 1846, "CResinvcan3Dlg", LaunchArgs::ParentM, true, 80, LaunchList::None, LaunchKind::Standard},
    {"IDD_RESINVCAN4", 236, "CResinvcan4Dlg", LaunchArgs::ParentM, false, 184, LaunchList::None, LaunchKind::Standard},
    {"IDD_RESINVCAN5", 86, "CResinvcan5Dlg", LaunchArgs::ParentM, true, 48, LaunchList::None, LaunchKind::Standard},
    {"IDD_IMASD", 83, "CImasdDlg", LaunchArgs::ParentM, true, 144, LaunchList::None, LaunchKind::Standard},
    {"IDD_SALPENCARTUJA", 99, "CSalpencartujaDlg", LaunchArgs::ParentM, true, 160, LaunchList::None, LaunchKind::Standard},
    {"IDD_PCUOTINT", 1764, "CPcuotintDlg", LaunchArgs::Parent, false, 72, LaunchList::Amount, LaunchKind::Standard},
    {"IDD_PIMPEXTR", 1840, "CPimpextrDlg", LaunchArgs::Parent, false, 48, LaunchList::Amount, LaunchKind::Standard},
};
static_assert(std::size(kTable) == 99);
}  // namespace

std::span<const LaunchEntry> LaunchTable() { return kTable; }

int FindDialogId(std::string_view name) {
  for (const LaunchEntry& e : kTable)
    if (name == e.name) return e.id;
  return -1;
}

const LaunchEntry* FindLaunchEntry(int id) {
  for (const LaunchEntry& e : kTable)
    if (e.id == id) return &e;
  return nullptr;
}

}  // namespace ui
