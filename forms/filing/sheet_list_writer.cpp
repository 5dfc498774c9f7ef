#include "forms/filing/sheet_list_writer.h"

#include <cctype>
#include <cstdio>

#include "platform/seal.h"

namespace forms {

CSheetListWriter::CSheetListWriter(std::string table, FilingContext context)
    : CFilingFileWriter(std::move(table), {}, context.local, context.messages), ctx_(std::move(context)) {
  if (!ctx_.seal) ctx_.seal = platform::SelloPos;
}

CSheetListWriter::~CSheetListWriter() {
  current_ = nullptr;
  pages_.clear();
  if (ctx_.filingFlag) *ctx_.filingFlag = 0;
}

IFilingPage* CSheetListWriter::Page(int pageCode, int member) {
  auto it = pages_.find(pageCode);
  if (it == pages_.end()) {
    std::unique_ptr<IFilingPage> page = ctx_.pages ? ctx_.pages(pageCode, member) : nullptr;
    it = pages_.emplace(pageCode, std::move(page)).first;
  }
  return it->second.get();
}

bool CSheetListWriter::IsPageInUse(int pageCode) {
  SelectPage(pageCode);
  return inUse_;
}

std::string CSheetListWriter::UnusedPagesFilter(std::initializer_list<int> codes) {
  std::string filter;
  for (int code : codes)
    if (!IsPageInUse(code)) {
      filter += '!';
      filter += std::to_string(code);
      filter += ' ';
    }
  return filter;
}

std::string CSheetListWriter::SheetCode(int pageNumber) {
  std::string s = std::to_string(pageNumber);
  if (s.size() < 3) s.insert(0, 3 - s.size(), '0');
  return s;
}

bool CSheetListWriter::TextHasValue(const CBoxField& box) {
  for (char c : BoundText(&box)) {
    const auto u = static_cast<unsigned char>(c);
    if (u != 0xCD && !std::isspace(u)) return true;
  }
  return false;
}

bool CSheetListWriter::BoxHoldsData(const CBoxField& box) {
  switch (box.TypeLetter()) {
    case 'F':
    case 'R':
      return box.data && blocks::F64{0}.get(box.data) != 0.0;
    case 'D':
    case 'L':
    case 'S':
      return TextHasValue(box);
    default:
      return false;
  }
}

bool CSheetListWriter::ContinueRepeat(const std::string& label, int counter, int /*count*/) {
  if (!current_ || current_->ContinuationSheets() < counter || !current_->SelectSheet(counter + 2, 0)) return false;
  sheets_ += label.size() > 3 ? label.substr(label.size() - 3) : label;
  return true;
}

bool CSheetListWriter::RecordPlaces(int position, int length) {
  if (position == kSheetListPosition) {
    sheetsPosition_ = filePosition_;
    sheetsLength_ = length;
    return true;
  }
  if (position == kSealPosition) {
    sealPosition_ = filePosition_;
    return true;
  }
  return false;
}

bool CSheetListWriter::FinishFile(std::string& path, int mode) {
  // A longer list would overwrite the data after its place.
  if (sheetsPosition_ >= 0 && static_cast<int>(sheets_.size()) > sheetsLength_) return false;
  if (mode == kFilingTextOnly) {
    if (sheetsPosition_ >= 0 && static_cast<std::size_t>(sheetsPosition_) < path.size()) {
      const std::size_t n = std::min(sheets_.size(), path.size() - static_cast<std::size_t>(sheetsPosition_));
      path.replace(static_cast<std::size_t>(sheetsPosition_), n, sheets_, 0, n);
    }
    return true;
  }
  char seal[kSealBufferSize];
  std::fill(seal, seal + kSealBufferSize, ' ');
  ctx_.seal(path, seal, static_cast<int>(passStart_) + sealPosition_);
  seal[kSealChars] = ctx_.versionLetter;
  seal[kSealChars + 1] = '\0';
  std::FILE* f = std::fopen(path.c_str(), "r+b");
  if (!f) return false;
  bool ok = true;
  if (sheetsPosition_ >= 0)
    ok = std::fseek(f, passStart_ + sheetsPosition_, SEEK_SET) == 0 &&
         std::fwrite(sheets_.data(), 1, sheets_.size(), f) == sheets_.size();
  if (ok && sealPosition_ >= 0)
    ok = std::fseek(f, passStart_ + sealPosition_, SEEK_SET) == 0 &&
         std::fwrite(seal, 1, std::char_traits<char>::length(seal), f) == std::char_traits<char>::length(seal);
  return std::fclose(f) == 0 && ok;
}

}  // namespace forms
