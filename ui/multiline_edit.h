// A text field of several lines bound to a fixed-width text of a block: upper case, line breaks
// stored as blanks, blank padded, cp1252 inside the block.
#pragma once

#include <QPlainTextEdit>

#include <cstddef>

class CMultiLineEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  CMultiLineEdit(int width, QWidget* parent = nullptr);
  void BindData(void* field) { data_ = field; }
  void LoadFromData();
  void StoreToData();
  int Width() const { return width_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void* data_ = nullptr;
  int width_;
};
