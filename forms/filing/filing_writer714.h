// The form-714 (wealth tax) filing file: layout `internet_patrimonio`, pages 301 to 311. Pages 302
// to 308 are left out when they hold no data; the sheet list names the pages laid out ("001" ...
// "011", then "FIN") and the file ends sealed.
#pragma once

#include "forms/filing/sheet_list_writer.h"

namespace forms {

class CFilingFileWriter714 : public CSheetListWriter {
 public:
  static constexpr int kFirstPage = 301;
  static constexpr int kLastPage = 311;

  // The caller's filter has no effect: the writer installs its own exclusion list.
  CFilingFileWriter714(FilingContext context, std::string filter = {});

  bool Generate(std::string& path, int mode) override;

 protected:
  bool SelectPage(int pageCode) override;
  void GetSpecialFieldValue(int position, int pageCode, int rowOffset, std::string& value, int& length,
                            const std::string& name) override;
};

}  // namespace forms
