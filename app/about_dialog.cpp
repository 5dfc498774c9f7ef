#include "app/about_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "app/app_texts.h"
#include "app/seams.h"
#include "app/version_info.h"
#include "platform/icons.h"
#include "ui/controls/link_label.h"
#include "ui/owner_draw_button.h"

namespace app {

namespace {
CLinkLabel* Link(const QString& url, const QString& text, int id, QWidget* parent) {
  auto* l = new CLinkLabel(text, parent);
  l->SetURL(url);
  l->SetUnderline(true);
  l->SetLinkCursor(QCursor(Qt::PointingHandCursor));
  l->PreSubclassWindow();
  l->setProperty("ctrlId", id);
  return l;
}
}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent, char letter, bool plainColours, bool remoteMode) : QDialog(parent) {
  setWindowTitle(Text(kStrAboutCaption, letter));
  setObjectName(QStringLiteral("CAboutDlg"));
  const VersionBlock v = VersionFor(letter);

  auto label = [this](const QString& text, int id) {
    auto* l = new QLabel(text, this);
    l->setProperty("ctrlId", id);
    return l;
  };
  productName_ = label(v.productName, kProductName);
  productName_->hide();  // painted, not shown as a label
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 52, 16, 12);
  grid->addWidget(label(v.fileDescription, kDescription), 0, 0, 1, 2);
  grid->addWidget(label(Text(kStrVersionPrefix, letter) + v.productVersion, kVersion), 1, 0, 1, 2);
  grid->addWidget(label(v.specialBuild, kEdition), 2, 0);
  grid->addWidget(label(v.privateBuild, kBuildDate), 2, 1, Qt::AlignRight);
  grid->addWidget(label(v.legalCopyright, kLegal), 3, 0, 1, 2);
  CLinkLabel* web = Link(QString::fromLatin1(kMakerWebUrl), Text(kStrAboutWeb, letter), kWebLink, this);
  CLinkLabel* mail = Link(QString::fromLatin1(kMakerMailUrl), Text(kStrAboutMail, letter), kMailLink, this);
  web->setEnabled(!remoteMode);
  mail->setEnabled(!remoteMode);
  grid->addWidget(web, 4, 0);
  grid->addWidget(mail, 4, 1, Qt::AlignRight);
  auto* ok = new COwnerDrawButton(Text(kStrAboutOk, letter), this);
  ok->SetIcon(platform::ProgramIcon(platform::kIconOk), QIcon(), 32, 32);
  ok->SetFlat(!plainColours);
  ok->setDefault(true);
  ok->setProperty("ctrlId", kOk);
  grid->addWidget(ok, 5, 0, 1, 2, Qt::AlignHCenter);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  nameFont_ = QFont(QStringLiteral("Verdana"));
  nameFont_.setPixelSize(25);
  nameFont_.setBold(true);
  nameFont_.setItalic(true);
  setMinimumWidth(380);
}

QString CAboutDlg::PaintedName() const { return productName_->text().left(10); }

void CAboutDlg::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter p(this);
  p.setFont(nameFont_);
  const QString text = PaintedName();
  const int w = QFontMetrics(nameFont_).horizontalAdvance(text);
  const int h = QFontMetrics(nameFont_).height();
  const QRect r((width() - w) / 2, 11, w, h);
  // Embossed: a light copy one pixel down and right under the shadow-coloured text.
  p.setPen(palette().color(QPalette::Light));
  p.drawText(r.translated(1, 1), Qt::AlignLeft | Qt::TextShowMnemonic, text);
  p.setPen(palette().color(QPalette::Dark));
  p.drawText(r, Qt::AlignLeft | Qt::TextShowMnemonic, text);
}

QWidget* CAboutDlg::GetDlgItem(int id) const {
  for (QWidget* w : findChildren<QWidget*>())
    if (w->property("ctrlId").toInt() == id) return w;
  return nullptr;
}

}  // namespace app
