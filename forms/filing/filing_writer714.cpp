#include "forms/filing/filing_writer714.h"

#include <cctype>

#include "data/util/utilities.h"
#include "platform/cp1252.h"

namespace forms {

namespace {

bool AlwaysInUse(int code) { return code == 301 || code >= 309; }

bool IsFootBox(const CBoxField& box) { return box.Identifica == "REFERENCIA" || box.Identifica == "EJEMPLAR"; }

}  // namespace

CFilingFileWriter714::CFilingFileWriter714(FilingContext context, std::string /*filter*/)
    : CSheetListWriter("internet_patrimonio", std::move(context)) {
  SetFilter(UnusedPagesFilter({302, 303, 304, 305, 306, 307, 308}));
}

bool CFilingFileWriter714::SelectPage(int pageCode) {
  if (current_ && pageCode == currentPage_) return true;
  if (current_ && pageCode == kFirstPage) sheets_.clear();
  currentPage_ = pageCode;
  current_ = pageCode >= kFirstPage && pageCode <= kLastPage ? Page(pageCode, 0) : nullptr;
  if (!current_) return inUse_;
  current_->SelectSheet(1, 0);
  if (AlwaysInUse(pageCode)) {
    inUse_ = true;
  } else {
    inUse_ = false;
    for (int i = 3; i < current_->BoxCount() && !inUse_; ++i) {
      const CBoxField* box = current_->BoxAt(i);
      if (!box || box->PintarEn == 1 || IsFootBox(*box)) continue;
      inUse_ = BoxHoldsData(*box);
    }
  }
  if (inUse_) {
    sheets_ += SheetCode(pageCode - 300);
    if (pageCode == kLastPage) sheets_ += "FIN";
  }
  return inUse_;
}

void CFilingFileWriter714::GetSpecialFieldValue(int position, int pageCode, int /*rowOffset*/, std::string& value,
                                                int& length, const std::string& name) {
  if (RecordPlaces(position, length)) return;
  if (position == kLanguagePosition) {
    value = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(ctx_.language))));
    length = 1;
    return;
  }
  if (position == kFiscalDataPosition) {
    value.assign(1, ctx_.fiscalDataMarker != ' ' ? '1' : '0');
    length = 1;
    return;
  }
  if (pageCode != kFirstPage) return;
  if (name.find("JUSTIFI") != std::string::npos) {
    if (ctx_.filingFlag && *ctx_.filingFlag) {
      value = std::string(13, '0');
    } else {
      const std::string text = BoundText(CurrentBox(position));
      std::string justification(13, ' ');
      text.copy(justification.data(), std::min<std::size_t>(12, text.size()));
      if (!text.empty()) justification[12] = text.back();
      value = justification;
    }
    length = 13;
  } else if (name.find("PROV") != std::string::npos) {
    std::string code;
    if (Local()) code = CUtilities::LookUpProvinceCode(*Local(), platform::Cp1252ToUtf8(BoundText(CurrentBox(position))));
    value = code.size() == 2 ? code : "00";
    length = 2;
  } else if (name == "REF") {
    if (value.size() > 20) value[20] = ctx_.versionLetter;
  }
}

bool CFilingFileWriter714::Generate(std::string& path, int mode) {
  filePosition_ = 0;
  if (!RunLayout(path, mode)) return false;
  return FinishFile(path, mode);
}

}  // namespace forms
