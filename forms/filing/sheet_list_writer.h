// What both forms' filing writers share: the open declaration and the program's services they
// read, the pages they build, the sheet list (the codes of the sheets the file holds) and the
// finish of the file (the sheet list and the seal written at the places the layout reserved).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <span>
#include <string>

#include "forms/filing/filing_writer.h"

namespace forms {

// Special box positions that both layouts use.
enum SpecialPosition : int {
  kSheetListPosition = -74,
  kSealPosition = -75,
  kLanguagePosition = -555,
  kFiscalDataPosition = -789,
};

inline constexpr std::size_t kSealBufferSize = 14;
inline constexpr std::size_t kSealChars = 12;

struct FilingContext {
  db::CAdoConnection* local = nullptr;         // layout tables, provinces
  db::CAdoConnection* declarations = nullptr;  // form 100: the fiscal-data table
  IMessageService* messages = nullptr;
  std::span<std::uint8_t> block;  // Form100Data or Form714Data of the open declaration
  std::string key;                // the declaration's key
  int member = 2;                 // form 100: the print selection member
  int* filingFlag = nullptr;      // the document's filing flag, cleared when the writer goes
  // Form 100: sets the document's shown member and returns the one it replaced.
  std::function<int(int)> showMember;
  char language = 'e';            // interface language letter (IdiomaV)
  char fiscalDataMarker = ' ';    // form 714: not a blank once fiscal data were incorporated
  char versionLetter = 'O';       // the system letter (GetWindowsVersionCode)
  FilingPageFactory pages;
  // Fills the first 12 bytes of the buffer with the seal of the finished file.
  std::function<int(const std::string& path, char* seal, int position)> seal;
};

class CSheetListWriter : public CFilingFileWriter {
 public:
  ~CSheetListWriter() override;
  const std::string& SheetList() const { return sheets_; }
  // Selects the page and tells whether it holds data (pages always laid out count as in use).
  bool IsPageInUse(int pageCode);

 protected:
  CSheetListWriter(std::string table, FilingContext context);

  // FALSE when the page has no further continuation sheet; else the label's last three
  // characters join the sheet list.
  bool ContinueRepeat(const std::string& label, int counter, int count) override;
  // "!code " for each of `codes` that is not in use: the writers' own page filter.
  std::string UnusedPagesFilter(std::initializer_list<int> codes);
  // Records where the sheet list and the seal go; TRUE when `position` was one of the two.
  bool RecordPlaces(int position, int length);
  // Mode 2: the sheet list over the text. Modes 0 and 1: the sheet list and the seal into the
  // file. FALSE when the sheet list does not fit the place reserved for it or the file cannot
  // be reopened.
  bool FinishFile(std::string& path, int mode);
  // The page of `pageCode` (built on first use through the context's factory); null outside
  // [first, last] or when the factory builds none.
  IFilingPage* Page(int pageCode, int member);
  // A sheet's code in the sheet list: the page number in three digits ("001").
  static std::string SheetCode(int pageNumber);
  // The box's text (up to its zero byte, at most its width) holds something besides blanks,
  // white space and the filler byte 0xCD.
  static bool TextHasValue(const CBoxField& box);
  // Amounts ('F', 'R') not 0 and texts ('D', 'L', 'S') with a value count as data.
  static bool BoxHoldsData(const CBoxField& box);

  FilingContext ctx_;
  std::string sheets_;
  int sheetsPosition_ = -1;
  int sheetsLength_ = 0;
  int sealPosition_ = -1;
  int currentPage_ = 0;
  bool inUse_ = false;

 private:
  std::map<int, std::unique_ptr<IFilingPage>> pages_;
};

}  // namespace forms
