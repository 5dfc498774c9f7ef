// A paint device that keeps the texts drawn on it, in order, and draws nothing else.
#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QTextItem>

namespace qxtest {

class TextRecorder : public QPaintDevice {
 public:
  explicit TextRecorder(QSize size = QSize(2480, 3508)) : size_(size) {}
  QPaintEngine* paintEngine() const override { return &engine_; }
  const QStringList& Texts() const { return engine_.texts; }
  bool Has(const QString& text) const {
    for (const QString& t : engine_.texts)
      if (t.contains(text)) return true;
    return false;
  }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return size_.width();
      case PdmHeight: return size_.height();
      case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 300;
      case PdmDepth: return 32;
      case PdmWidthMM: return size_.width() * 254 / 3000;
      case PdmHeightMM: return size_.height() * 254 / 3000;
      case PdmNumColors: return 0;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
      default: return QPaintDevice::metric(m);
    }
  }

 private:
  struct Engine : QPaintEngine {
    Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts.push_back(item.text()); }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    Type type() const override { return QPaintEngine::User; }
    QStringList texts;
  };
  QSize size_;
  mutable Engine engine_;
};

}  // namespace qxtest
