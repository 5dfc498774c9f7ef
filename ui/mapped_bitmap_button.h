// A button that shows one picture of a bitmap strip by its state: the strip's images are normal,
// pushed, focused and disabled; a strip with fewer images lends its first one to the states it
// lacks (the disabled state then greys it).
#pragma once

#include <QAbstractButton>
#include <QIcon>
#include <QList>

class CMappedBitmapButton : public QAbstractButton {
  Q_OBJECT
 public:
  explicit CMappedBitmapButton(QWidget* parent = nullptr);

  // Drops the old images and takes those of bitmap strip `bitmapId`; FALSE when it has none.
  bool LoadMappedBitmap(int bitmapId);
  int BitmapId() const { return bitmapId_; }
  // The image index the button shows now: 1 pushed, 2 focused, 3 disabled, else 0.
  int ImageIndex() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QList<QIcon> images_;
  int bitmapId_ = -1;
};
