#include "wizards/progreso_importacion_dlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/strings.h"
#include "ui/edit_host.h"
#include "ui/session.h"

namespace {
constexpr int kStrCaption = 98100;  // "Importando Datos Fiscales"
constexpr int kStrCancel = 65;
}  // namespace

CProgresoImportacionDlg::CProgresoImportacionDlg(const QString& initialText) : QDialog(nullptr) {
  setWindowTitle(platform::LoadString(kStrCaption));
  setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                 ~(Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));
  auto* column = new QVBoxLayout(this);
  auto* text = new QLabel(this);
  ui::SetControlId(text, kIdText);
  bar_ = new QProgressBar(this);
  ui::SetControlId(bar_, kIdBar);
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  bar_->setMinimumWidth(280);
  percent_ = new QLabel(initialText.isEmpty() ? QStringLiteral("0%") : initialText, this);
  ui::SetControlId(percent_, kIdPercent);
  percent_->setAlignment(Qt::AlignCenter);
  auto* cancel = new QPushButton(platform::LoadString(kStrCancel), this);
  ui::SetControlId(cancel, 2);
  cancel->setAutoDefault(false);
  column->addWidget(text);
  column->addWidget(bar_);
  column->addWidget(percent_);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(cancel);
  row->addStretch(1);
  column->addLayout(row);
  if (QWidget* main = ui::CurrentSession().mainWindow; main && main->isEnabled()) {
    main->setEnabled(false);
    disabledMain_ = main;
  }
  show();
}

CProgresoImportacionDlg::~CProgresoImportacionDlg() { Close(); }

void CProgresoImportacionDlg::SetPos(int percent) {
  const int value = std::clamp(percent, 0, 100);
  bar_->setValue(value);
  percent_->setText(QStringLiteral("%1%").arg(value));
}

bool CProgresoImportacionDlg::PumpMessages() {
  if (QCoreApplication::closingDown()) return false;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return true;
}

void CProgresoImportacionDlg::Close() {
  if (disabledMain_) {
    disabledMain_->setEnabled(true);
    disabledMain_ = nullptr;
  }
  hide();
}

int CProgresoImportacionDlg::Position() const { return bar_->value(); }
QString CProgresoImportacionDlg::PercentText() const { return percent_->text(); }
