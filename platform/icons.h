// Icons of the program's resources by their ids (resources/icons/<id>.svg), the images of its
// bitmap strips (resources/icons/b<id>_<n>.svg), and the standard message icons.
#pragma once

#include <QIcon>
#include <QList>

namespace platform {

// Icon resources (32 x 32 unless said) and toolbar bitmaps, by their resource ids.
enum ProgramIconId : int {
  kIconProgram = 118,
  kIconOk = 124,           // green check mark
  kIconCancel = 128,       // red cross
  kIconNew = 131,          // "&Alta"
  kIconSelect = 135,       // "&Seleccionar"
  kIconSearch = 138,       // "B&uscar..."
  kIconCancelDisc = 141,   // white cross on a red disc
  kIconPrint = 146,
  kIconReview = 148,       // "&Revisar", "C&onsultar"
  kIconForward = 151,      // one row or page forward, "Continuar"
  kIconBack = 157,         // one row or page back
  kIconLast = 159,
  kIconHelp = 161,         // yellow question mark
  kIconPrintList = 214,    // "Imprimir &Errores"
  kIconValidate = 217,     // "&Validación detallada"
  kIconContributions = 219,
  kIconInformation = 227,
  kIconBack10 = 236,
  kIconWarning = 238,      // the "Avisos" legend
  kIconForward10 = 240,
  kIconFiscalData = 252,
  kIconDuplicate = 253,
  kIconRename = 284,       // "Renombrar", "Escribir"
  kIconFinish = 287,
  kIconError = 970,        // the "Errores" legend
};
inline constexpr ProgramIconId kProgramIcons[] = {
    kIconProgram, kIconOk, kIconCancel, kIconNew, kIconSelect, kIconSearch, kIconCancelDisc, kIconPrint,
    kIconReview, kIconForward, kIconBack, kIconLast, kIconHelp, kIconPrintList, kIconValidate,
    kIconContributions, kIconInformation, kIconBack10, kIconWarning, kIconForward10, kIconFiscalData,
    kIconDuplicate, kIconRename, kIconFinish, kIconError};

// Bitmap strips of small images.
enum ProgramBitmapId : int {
  kBitmapEllipsis = 64,    // the "..." button of the lookup editors
  kBitmapCheckMark = 112,  // 19 x 19
  kBitmapBarButtons = 123, // the sections bar's close, dock-at-side and dock-at-top buttons
  kBitmapTree = 130,       // the sections tree's closed and open pictures
  kBitmapFindings = 139,   // 16-pixel images: 0 warning, 1 error
  kBitmapZoomIn = 321,     // the print preview's toolbar
  kBitmapPreviousPage = 323,
  kBitmapNextPage = 324,
  kBitmapTwoPages = 326,
  kBitmapPrint = 327,
  kBitmapOnePage = 328,
  kBitmapZoomOut = 329,
};
inline constexpr ProgramBitmapId kProgramBitmaps[] = {
    kBitmapEllipsis, kBitmapCheckMark, kBitmapBarButtons, kBitmapTree, kBitmapFindings, kBitmapZoomIn,
    kBitmapPreviousPage, kBitmapNextPage, kBitmapTwoPages, kBitmapPrint, kBitmapOnePage, kBitmapZoomOut};

// Bitmaps named rather than numbered: the row tables' next and previous buttons (20 x 20) up,
// pressed and disabled.
inline constexpr const char* kNamedBitmaps[] = {"IDB_SIGU", "IDB_SIGD", "IDB_SIGX",
                                                "IDB_PREVU", "IDB_PREVD", "IDB_PREVX"};
QIcon NamedBitmap(const char* name);

// The icon of a resource id; a null icon for an id the program does not have.
QIcon ProgramIcon(int id);
bool HasProgramIcon(int id);
// The images of a bitmap strip, in order, and the file of one of them.
QList<QIcon> ProgramImages(int bitmapId);
QString ProgramImageFile(int bitmapId, int n);
// The icon of one of those files (more files may be added to it for other modes); it is read
// when first drawn.
QIcon ProgramImageIcon(const QString& file);

// Standard message icons by their system ids.
enum StandardIconId : int {
  kIconHand = 32513,         // stop
  kIconQuestion = 32514,
  kIconExclamation = 32515,  // warning
  kIconAsterisk = 32516,     // information
};
QIcon StandardIcon(int id);

}  // namespace platform
