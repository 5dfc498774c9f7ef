// The form-100 (income tax) filing file of one member: layout `internet`, pages 201 to 217 and
// the signature page 290. Pages 202 to 209 and 213 to 216 are left out when they hold no data for
// the member; the special fields carry the identification, bank and result data that are no
// plain box values; the sheet list names the sheets laid out and the file ends sealed.
#pragma once

#include "forms/filing/sheet_list_writer.h"

namespace forms {

class CFilingFileWriter100 : public CSheetListWriter {
 public:
  static constexpr int kSignaturePage = 290;

  // `holder`: 1 family unit, 2 declarant, 3 spouse, 4 child 1, 5 child 2. The caller's filter has
  // no effect: the writer installs its own exclusion list.
  CFilingFileWriter100(int holder, FilingContext context, std::string filter = {});

  bool Generate(std::string& path, int mode) override;
  int Holder() const { return holder_; }

 protected:
  bool SelectPage(int pageCode) override;
  void GetSpecialFieldValue(int position, int pageCode, int rowOffset, std::string& value, int& length,
                            const std::string& name) override;

 private:
  // The bank and result fields of page 201; FALSE when `name` is none of them.
  bool BankOrResultField(const std::string& name, std::string& value, int& length) const;
  // Page 205's two "number/year" boxes split into two four-digit fields.
  std::string SplitRegistryNumber(int box, bool afterSlash) const;

  int holder_;
};

// The product title (string 2090), for the main window's caption.
std::string LoadProductTitle();

}  // namespace forms
