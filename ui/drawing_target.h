// Whether the boxes are drawn for the screen or for a printed sheet: while a page is printed,
// holder words take the printing language instead of the screen's.
#pragma once

namespace ui {

class PrintingLanguageScope {
 public:
  explicit PrintingLanguageScope(char letter);
  ~PrintingLanguageScope();
  PrintingLanguageScope(const PrintingLanguageScope&) = delete;
  PrintingLanguageScope& operator=(const PrintingLanguageScope&) = delete;

 private:
  char previous_;
};

}  // namespace ui
