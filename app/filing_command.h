// The filing command (57612) of an open declaration.
#pragma once

#include <QString>

namespace app {

class CDeclarationDocument;
class CFilingContextFactory;
class CPrintCommand;

class CFilingCommand {
 public:
  CFilingCommand(CDeclarationDocument& document, CFilingContextFactory& filing, CPrintCommand& print)
      : document_(document), filing_(filing), print_(print) {}

  // Whether the filing file was written.
  bool Run();

 private:
  // Writes the filing file of `member` (form 100) at `path`; reports a failure.
  bool WriteFilingFile(int member, const QString& path);

  CDeclarationDocument& document_;
  CFilingContextFactory& filing_;
  CPrintCommand& print_;
};

}  // namespace app
