#include "checks/avisos_model.h"

#include <algorithm>

#include "data/store/store.h"
#include "platform/texts.h"

namespace checks {

namespace {
// "U.FAMILIAR", "DECLARANTE", "CÓNYUGE", "HIJO 1º", "HIJO 2º"
constexpr int kMemberWords[] = {147, 188, 190, 195, 197};
constexpr std::size_t kLineWidth = 75;
constexpr std::size_t kLineStep = 73;
}  // namespace

namespace avisos_text {
std::string Get(int id) { return platform::Text(id); }
}  // namespace avisos_text

std::string MemberWord(int member) { return member >= 1 && member <= 5 ? platform::Text(kMemberWords[member - 1]) : ""; }

int MemberFromWord(const std::string& word) {
  for (int m = 1; m <= 5; ++m)
    if (word == MemberWord(m)) return m;
  return 0;
}

int BreakDescription(std::string& text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  for (std::size_t p; (p = text.find("\\n")) != std::string::npos;) text.erase(p, 2);
  if (text.size() <= kLineWidth) return 0;
  int added = 0;
  std::size_t counter = 0, lineStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i, ++counter) {
    if (counter <= kLineWidth) continue;
    std::size_t j = i;
    while (j > lineStart && text[j] != ' ') --j;
    if (j == lineStart) continue;  // one long word: leave it whole
    text[j] = '\n';
    ++added;
    lineStart = j + 1;
    i = j + kLineStep;
    counter = kLineStep;
  }
  return added;
}

void AvisosErroresModel::SetDeclarationKey(const std::string& key) {
  // The key as the check object writes it into CORREGIX.
  key_ = store::PadKey(store::FirstChars(key, store::kKeyChars));
}

bool AvisosErroresModel::Load() {
  rows_.clear();
  std::vector<CorrectionRow> stored;
  loadFailed_ = !store_.List(key_, stored);
  // An error of the validation stops printing and filing even when its row could not be read.
  writeEnabled_ = !loadFailed_ && validationResult_ < 1;
  if (stored.empty() && !loadFailed_ && validationResult_ == 0) {
    messages_.ShowMessage("WIN023", MessageIcon::Stop);
    return false;
  }
  for (const auto& r : stored) {
    AvisosListRow row;
    row.code = r.coderror;
    row.severity = r.severidad > 0 ? 1 : 0;
    row.member = r.sujetodecl;
    row.memberWord = MemberWord(r.sujetodecl);
    if (r.severidad > 0) writeEnabled_ = false;
    std::string title, text;
    if (texts_.Lookup(r.coderror, title, text) && title.rfind("##", 0) == 0) {
      std::string otherTitle, otherText;
      if (texts_.Lookup(title.substr(2), otherTitle, otherText)) text += otherText;
    }
    row.addedLines = BreakDescription(text);
    row.description = text;
    rows_.push_back(row);
  }
  return true;
}

std::string AvisosErroresModel::Verdict() const {
  using namespace avisos_text;
  if (!writeEnabled_) return Get(filingMode_ ? kCannotFile : kCannotPrint);
  return Get(filingMode_ ? kCanFile : kCanPrint);
}

std::string AvisosErroresModel::SecondVerdict() const {
  return writeEnabled_ && !rows_.empty() ? avisos_text::Get(avisos_text::kReviewWarnings) : "";
}

std::optional<AvisosErroresModel::Jump> AvisosErroresModel::JumpFor(int row) {
  if (row < 1 || row > static_cast<int>(rows_.size())) return std::nullopt;
  const AvisosListRow& r = rows_[static_cast<std::size_t>(row - 1)];
  for (const auto& any : rows_)
    if (any.code == "100R071") return Jump{100, -1, 1};
  std::optional<CorrectionRow> found;
  if (!store_.Find(key_, r.code, MemberFromWord(r.memberWord), found) || !found) return std::nullopt;
  return Jump{found->vista, found->numcontr, found->sujetodecl};
}

int AvisosErroresModel::GoTo(int row, IAvisosHost& host) {
  auto jump = JumpFor(row);
  if (!jump) return 0;
  host.SetShownMember(jump->member);
  host.GoToPage(jump->page, jump->box);
  return kAvisosJumped;
}

int AvisosErroresModel::PrintOrWrite(IAvisosHost& host) {
  // Nothing is printed on official paper nor written to a filing file past an error.
  if (!writeEnabled_) return 0;
  if (host.IsForm714()) {
    host.SetPrintOrFile(filingMode_);
    if (filingMode_) return kAvisosWriteFile;
    host.PrintDeclaration();
    return kAvisosPrinting;
  }
  if (host.ValidatedMember() == 6) {
    if (!filingMode_ && !host.Save()) return 0;
    for (int member : {2, 3}) {
      if (host.HasAssignmentMarks(member)) continue;
      const std::string title = avisos_text::Get(member == 2 ? avisos_text::kDeclarantTitle : avisos_text::kSpouseTitle);
      if (host.AskTaxAssignmentChoice(member, filingMode_, title) == 0) return kAvisosClosed;
    }
    if (filingMode_) return kAvisosWriteFile;
    host.NoteBothSpousesPrinted();
    host.PrintDeclaration();
    return kAvisosPrinting;
  }
  if (host.AskTaxAssignmentChoice(host.ValidatedMember(), filingMode_, "") == 0) return kAvisosClosed;
  if (filingMode_) return kAvisosWriteFile;
  host.PrintDeclaration();
  return kAvisosPrinting;
}

}  // namespace checks
