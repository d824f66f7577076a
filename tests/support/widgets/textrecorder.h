#pragma once

// A paint device that records where text is drawn, at the resolution and page
// size of the printer it stands in for.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPrinter>
#include <QTextItem>

struct RecordedText
{
    QString text;
    QPointF baseline; // the start of the item's baseline, device units
    qreal ascent, descent;
};

class TextRecorder : public QPaintDevice
{
public:
    explicit TextRecorder(const QPrinter& printer)
        : size(printer.pageLayout().paintRectPixels(printer.resolution()).size()),
          dpi(printer.resolution())
    {
    }

    QList<RecordedText> items;
    QPaintEngine* paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return size.width();
        case PdmHeight:
            return size.height();
        case PdmWidthMM:
            return qRound(size.width() * 25.4 / dpi);
        case PdmHeightMM:
            return qRound(size.height() * 25.4 / dpi);
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return dpi; // the four resolutions
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TextRecorder* device) : QPaintEngine(AllFeatures), device(device) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            device->items << RecordedText{item.text(), state->transform().map(p), item.ascent(),
                                          item.descent()};
        }
        Type type() const override { return User; }

    private:
        TextRecorder* device;
    };

    QSize size;
    int dpi;
    mutable Engine engine{this};
};
