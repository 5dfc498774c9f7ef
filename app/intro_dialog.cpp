#include "app/intro_dialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "app/app_texts.h"
#include "app/seams.h"
#include "app/version_info.h"
#include "platform/icons.h"
#include "platform/richtext_view.h"
#include "ui/owner_draw_button.h"
#include "ui/controls/rich_text.h"

namespace app {

namespace {
QFont ArialPx(int px, int weight) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(px);
  f.setWeight(static_cast<QFont::Weight>(weight));
  return f;
}
}  // namespace

QString CIntroDlg::IntroFilePath(const QString& dirBase, char letter) {
  return platform::IntroTextPath(dirBase, QChar::fromLatin1(letter));
}

CIntroDlg::CIntroDlg(QWidget* parent, const QString& dirBase, char letter, bool plainColours) : QDialog(parent) {
  setWindowTitle(Text(kStrIntroCaption, letter));
  setObjectName(QStringLiteral("CIntroDlg"));
  resize(596, 356);  // 397 x 219 dialog units

  title_ = new QLabel(Text(kStrProductTitle, letter), this);
  title_->setFont(ArialPx(19, 700));
  version_ = new QLabel(this);
  version_->setFont(ArialPx(17, 700));
  maker_ = new QLabel(Text(kStrIntroMaker, letter), this);
  maker_->setFont(ArialPx(19, 700));
  if (!plainColours) {
    const QString green = QStringLiteral("color: rgb(0, 128, 64);");
    title_->setStyleSheet(green);
    version_->setStyleSheet(green);
  }
  text_ = new CRichText(this);
  dontShow_ = new QCheckBox(Text(kStrIntroDontShow, letter), this);
  auto* cont = new COwnerDrawButton(Text(kStrIntroContinue, letter), this);
  cont->SetIcon(platform::ProgramIcon(platform::kIconOk), QIcon(), 32, 32);
  cont->SetFlat(!plainColours);
  continue_ = cont;
  continue_->setDefault(true);
  title_->setProperty("ctrlId", kTitle);
  version_->setProperty("ctrlId", kVersion);
  maker_->setProperty("ctrlId", kMaker);
  text_->setProperty("ctrlId", kText);
  dontShow_->setProperty("ctrlId", kDontShow);
  continue_->setProperty("ctrlId", kContinue);

  auto* grid = new QGridLayout(this);
  grid->addWidget(title_, 0, 0);
  grid->addWidget(version_, 0, 1, Qt::AlignRight);
  grid->addWidget(text_, 1, 0, 1, 2);
  grid->addWidget(maker_, 2, 0, 1, 2);
  grid->addWidget(dontShow_, 3, 0);
  grid->addWidget(continue_, 3, 1, Qt::AlignRight);
  grid->setRowStretch(1, 1);

  const VersionBlock v = VersionFor(letter);
  version_->setText(v.productVersion.isEmpty() ? Text(kStrVersionPrefix, letter).trimmed()
                                               : Text(kStrVersionPrefix, letter) + v.productVersion);

  introFile_ = IntroFilePath(dirBase, letter);
  text_->SetFileName(introFile_);  // a missing file leaves the area empty

  connect(continue_, &QPushButton::clicked, this, &QDialog::accept);

  // Centred on the parent, or on the screen without one.
  const QRect area = parent ? parent->geometry() : (screen() ? screen()->availableGeometry() : QRect());
  if (area.isValid()) move(area.center() - rect().center());
}

bool CIntroDlg::DontShowAgain() const { return dontShow_->isChecked(); }

QWidget* CIntroDlg::GetDlgItem(int id) const {
  for (QWidget* w : findChildren<QWidget*>())
    if (w->property("ctrlId").toInt() == id) return w;
  return nullptr;
}

}  // namespace app
