#pragma once

// A printer that prints nothing but keeps where each text is drawn, at its
// own resolution and page size.

#include <QPaintEngine>
#include <QPrinter>
#include <QTextItem>

struct RecordedText
{
    QString text;
    QPointF baseline; // the start of the item's baseline, device units
    qreal ascent, descent;
};

class TextRecorder : public QPrinter
{
public:
    using QPrinter::QPrinter;
    QList<RecordedText> items;
    QPaintEngine* paintEngine() const override { return &engine; }

private:
    struct Engine : QPaintEngine
    {
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
        TextRecorder* device;
    };
    mutable Engine engine{this};
};
