#include "app/filing_context.h"

#include "app/declaration_document.h"
#include "app/program_messages.h"
#include "data/doc/renta_doc.h"
#include "data/doc/reference.h"
#include "forms/filing/filing_pages.h"
#include "forms/filing/filing_writer100.h"
#include "forms/filing/filing_writer714.h"
#include "platform/seal.h"

namespace app {

forms::FilingContext CFilingContextFactory::Make(int member, Purpose purpose) {
  CDeclarationDocument& d = document_;
  forms::FilingContext c;
  c.local = d.LocalDatabase();
  c.declarations = &d.services_.store.Connection();
  c.messages = &d.services_.messages;
  c.block = d.doc_->Block();
  c.key = d.doc_->Key();
  c.member = member;
  c.filingFlag = &filingFlag;
  if (purpose == Purpose::File && d.renta_)
    c.showMember = [&d](int m) {
      const int before = d.renta_->ShownMember();
      d.renta_->ShowMember(m);
      return before;
    };
  c.language = d.Language();
  c.versionLetter = doc::GetWindowsVersionCode();
  forms::BoxTables tables{d.LocalDatabase(), d.Language(), {}};
  if (purpose == Purpose::File) tables.report = [&d](int id, bool stop) { d.ShowStringMessage(id, stop); };
  c.pages = forms::BindingTableFilingPages(tables, d.doc_->Block());
  c.seal = [](const std::string& file, char* seal, int position) { return platform::SelloPos(file, seal, position); };
  return c;
}

bool CFilingContextFactory::Generate(int member, Purpose purpose, std::string& target, int mode) {
  forms::FilingContext c = Make(member, purpose);
  if (document_.KindByte() == store::kKindForm714) {
    forms::CFilingFileWriter714 writer(std::move(c));
    return writer.Generate(target, mode);
  }
  forms::CFilingFileWriter100 writer(member, std::move(c));
  return writer.Generate(target, mode);
}

}  // namespace app
