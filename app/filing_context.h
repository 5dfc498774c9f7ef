// The one place that fills a filing writer's context from the open declaration: the print's dot
// code and the filing file read the same block, key, member, language and page tables.
#pragma once

#include <string>

#include "forms/filing/sheet_list_writer.h"

namespace app {

class CDeclarationDocument;

class CFilingContextFactory {
 public:
  explicit CFilingContextFactory(CDeclarationDocument& document) : document_(document) {}

  // The dot code of a print builds the record only; a filing file also follows the member shown
  // while its pages are laid out and reports a page table it cannot read.
  enum class Purpose { DotCode, File };
  forms::FilingContext Make(int member, Purpose purpose);
  // The record of `member` (form 100; form 714 its declarant) by the writer of the declaration's
  // form: into `target` as text (forms::kFilingTextOnly) or into the file `target` names.
  bool Generate(int member, Purpose purpose, std::string& target, int mode);

  // Set while a filing file is being written; the writers read and clear it.
  int filingFlag = 0;

 private:
  CDeclarationDocument& document_;
};

}  // namespace app
