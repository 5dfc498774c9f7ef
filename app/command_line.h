// The program's command line: --help, --version, the embedding switches, and the screenshots.
#pragma once

#include <QString>
#include <QStringList>

namespace app {

struct CommandLine {
  bool help = false;
  bool version = false;
  bool embedding = false;       // "Embedding" or "Automation" after "/" or "-"
  QString screenshot;           // --screenshot FILE: the screen once the index is up, then quit
  QString introScreenshot;      // --screenshot-intro FILE: the screen with the introduction up
  QString error;                // an option without its value
};

// Arguments after the program name; anything unknown (a file name ...) is ignored.
CommandLine ParseCommandLine(const QStringList& args);
QString UsageText();
QString VersionText();

}  // namespace app
