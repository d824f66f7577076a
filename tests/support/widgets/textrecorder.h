#pragma once

// A paint device that records where text is drawn: each text item's baseline,
// extent and font, at the resolution of the printer it stands in for.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPrinter>
#include <QTextItem>

struct RecordedText
{
    QString text;
    QPointF baseline; // the start of the item's baseline, device units
    qreal width, ascent, descent;
    QString family;
};

class TextRecorder : public QPaintDevice
{
public:
    explicit TextRecorder(const QPrinter& printer)
        : size(printer.pageLayout().paintRectPixels(printer.resolution()).size()),
          dpi(printer.resolution())
    {
    }
    ~TextRecorder() override { delete engine; }

    QList<RecordedText> items;

    QPaintEngine* paintEngine() const override
    {
        if (!engine)
            engine = new Engine(const_cast<TextRecorder*>(this));
        return engine;
    }

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
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return dpi;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
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
            const QPointF at = state->transform().map(p);
            device->items << RecordedText{
                item.text(), at, item.width(), item.ascent(), item.descent(), item.font().family()};
        }
        Type type() const override { return User; }

    private:
        TextRecorder* device;
    };

    QSize size;
    int dpi;
    mutable Engine* engine = nullptr;
};
