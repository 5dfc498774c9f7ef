// The program's version block: the values the introduction, the About box and the web addresses
// show, by the names of the version resource ("ProductVersion", "FileDescription" ...).
#pragma once

#include <QString>

namespace app {

struct VersionBlock {
  QString productVersion;   // "ProductVersion"
  QString fileDescription;  // "FileDescription"
  QString legalCopyright;   // "LegalCopyright"
  QString productName;      // "ProductName"
  QString privateBuild;     // "PrivateBuild": the build date text
  QString specialBuild;     // "SpecialBuild": the edition text
};

// The block of the interface language `letter`; any letter outside e, c, g, v gives the program
// file's own block (Castellano texts).
VersionBlock VersionFor(char letter);
// "ProductVersion" of the program file.
QString GetProductVersion();

}  // namespace app
