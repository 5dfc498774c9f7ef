#include "wizards/fiscal_helpers.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cstring>

#include "platform/cp1252.h"
#include "platform/strings.h"
#include "ui/messages.h"

namespace fiscal {

void ShowStringMessage(int id, QWidget* parent, const QString& detail) {
  QString text = platform::LoadString(id);
  if (!detail.isEmpty()) text += QLatin1Char('\n') + detail;
  ui::ShowPlain(parent, platform::LoadString(2090), text, 0, PlainButtons::Ok, id);
}

void CreateAndSelectFont(LogFont* buffer, int height, int width, std::uint8_t outPrecision,
                         std::uint8_t clipPrecision, std::uint8_t charSet, std::uint8_t quality, int weight,
                         std::uint8_t pitchAndFamily, const QString& faceName, QFont* font, int /*unused*/,
                         QPainter* dc) {
  if (!buffer || !font) return;
  *buffer = LogFont{};
  buffer->height = height;
  buffer->width = width;
  buffer->weight = weight;
  buffer->charSet = charSet;
  buffer->outPrecision = outPrecision;
  buffer->clipPrecision = clipPrecision;
  buffer->quality = quality;
  buffer->pitchAndFamily = pitchAndFamily;
  const std::string face = platform::Utf8ToCp1252(faceName.toStdString());
  std::memcpy(buffer->faceName, face.data(), std::min(face.size(), sizeof buffer->faceName - 1));

  QFont f(QString::fromStdString(platform::Cp1252ToUtf8(buffer->faceName)));
  if (buffer->height != 0) f.setPixelSize(std::abs(buffer->height));
  // The platform's width is the average character width, about half the height in these faces.
  if (buffer->width != 0 && buffer->height != 0)
    f.setStretch(std::clamp(std::abs(buffer->width) * 200 / std::abs(buffer->height), 1, 4000));
  if (buffer->weight > 0) f.setWeight(static_cast<QFont::Weight>(std::clamp(buffer->weight, 1, 1000)));
  *font = f;
  if (dc) {
    dc->setBackgroundMode(Qt::TransparentMode);
    dc->setFont(*font);
  }
}

std::optional<FiscalFile> OpenFiscalFile(const QString& path, const Layout& layout, QWidget* parent,
                                         const std::function<void(int)>& progress) {
  ReadOptions options;
  options.progress = progress;
  FiscalFile file;
  QFile f(path);
  if (QFileInfo(path).size() > static_cast<qint64>(options.maxBytes)) {
    file.status = ReadStatus::kTooLarge;
  } else if (!f.open(QIODevice::ReadOnly)) {
    file.status = ReadStatus::kUnreadable;
  } else {
    const QByteArray bytes = f.read(static_cast<qint64>(options.maxBytes) + 1);
    if (f.error() != QFileDevice::NoError) file.status = ReadStatus::kUnreadable;
    else file = ReadFiscalFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), layout, options);
  }
  if (file.ok()) return file;
  // The damaged line is named so that a user can tell a cut download from a changed line.
  const QString where = file.faultLine > 0 && file.status == ReadStatus::kDamaged
                            ? platform::LoadString(kStrFaultLine).arg(file.faultLine)
                            : QString();
  ShowStringMessage(MessageId(file.status), parent, where);
  return std::nullopt;
}

}  // namespace fiscal
