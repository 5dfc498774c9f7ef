#include "ui/controls/rich_text.h"

#include <QVBoxLayout>

#include "platform/richtext_view.h"

CRichText::CRichText(QWidget* parent) : QWidget(parent), view_(new platform::RichTextView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
}

void CRichText::SetFileName(const QString& path) { view_->LoadFile(path); }

QString CRichText::GetFileName() const { return view_->FileName(); }
