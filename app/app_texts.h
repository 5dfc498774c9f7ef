// Texts of the application shell in the four interface languages: its strings (captions, prompts,
// start-up messages; the string tables of platform/, keyed by string and command ids) and its
// menu texts (keyed by command id).
#pragma once

#include <QString>

namespace app {

// The interface language letter the shell texts follow: 'e', 'c', 'g' or 'v'. Its one owner is
// platform::Language(); the program, the pages and the message tables read it there.
void SetTextLanguage(char letter);
char TextLanguage();

// Text of `id` in the current language; the Castellano text when the language lacks it; empty
// when no language has it.
QString Text(int id);
QString Text(int id, char letter);
bool HasText(int id);

// String ids of the shell that are not command ids.
enum TextId : int {
  kStrOleInit = 58,
  kStrDbRed = 82,
  kStrDbModules = 130,
  kStrLanguageLib = 136,
  kStrQueryFailed = 314,
  kStrProductTitle = 2090,
  kStrIdlePrompt = 57345,
  kStrDbLocal = 90001,          // the local database's message (no string id of its own)
  kStrNoConnection = 90002,     // "No es posible conectar con la B.D.:\n"
  kStrTreeHint = 90003,         // the sections tree's window text
  kStrTreeHover = 90004,        // the prompt while the mouse is over the tree
  kStrIntroCaption = 90010,
  kStrIntroContinue = 90011,
  kStrIntroDontShow = 90012,
  kStrIntroMaker = 90013,
  kStrVersionPrefix = 90014,
  kStrAboutCaption = 90020,
  kStrAboutOk = 90021,
  kStrAboutWeb = 90022,
  kStrAboutMail = 90023,
  kStrFileDescription = 90024,
  kStrLegalCopyright = 90025,
  kStrSpecialBuild = 90026,
  kStrBarTitle = 90030,         // "Apartados de la Declaración"
  kStrBarClose = 90031,
  kStrBarDock = 90032,
  kStrPaneMember = 90040,       // "DECLARANTE": the width of pane 1
  kStrPaneModality = 90041,     // "ORDINARIA": the width of pane 2
  kStrIndCaps = 90042,
  kStrIndNum = 90043,
  kStrIndScroll = 90044,
  kStrUpdateUnavailable = 90050,
  kStrNoIndex = 90051,
  kStrExportTitle = 94050,         // the transfer files' file dialogs
  kStrImportTitle = 94051,
  kStrTransferFilterSave = 94052,
  kStrTransferFilterOpen = 94053,
  kStrLastYearFilter = 94054,
  kStrLocalExportCaption = 94055,  // "EXPORTACION DE DATOS"
  kStrLocalExportText = 94056,
  kStrNoPages = 94057,             // the declaration window while it has no pages
  kStrForm714Name = 94058,
  kStrForm100Name = 94059,
  kStrStoreReadOnly = 90060,      // the declarations database opened read-only
  kStrProfileUnreadable = 90061,  // QUILDXAN.INI exists but cannot be read
  kStrProfileUnwritable = 90062,  // QUILDXAN.INI cannot be written
  kStrNoHandOver = 90063,         // a running copy holds the store but does not answer
  kStrStoreNotOurs = 96601,       // the declarations file is empty or another program's (its path)
  kStrMenuFile = 91001,
  kStrMenuTools = 91002,
  kStrMenuView = 91003,
  kStrMenuLanguage = 91004,
  kStrMenuWeb = 91005,
  kStrMenuHelp = 91006,
};

// A command's texts: the menu text (with its "&" and "\t" accelerator), and the prompt and
// tooltip that the status bar and the toolbar show (the two halves of its string).
QString MenuText(int commandId);
QString PromptText(int commandId);
QString TooltipText(int commandId);

}  // namespace app
