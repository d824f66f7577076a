#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QPen>
#include <QPointF>
#include <QRectF>

class QPainter;
class QPrinter;
class VXGraph;

// Draws on one printed page by logical coordinates: 0–100 across and 0–100
// down the part of the printer's page rectangle inside the margins, so a
// layout fits any paper and resolution. The device painter must already be
// open on the printer; it stays the caller's.
class VXPainter : public QObject
{
    Q_OBJECT

public:
    VXPainter(QPainter* painter, QPrinter* printer);

    QPointF transformToLogicalCoordinate(float x, float y);
    QRectF transformToLogicalCoordinate(float x, float y, float width, float height);

    // The current drawing area in device units: the page area after a
    // conversion, the graph frame after drawGraph.
    QRectF drawingArea() const { return QRectF(area.left, area.top, area.width, area.height); }

public slots:
    void drawText(QString text, float x, float y, Qt::Alignment alignment);
    void drawText(QString text, float x, float y);
    void drawLine(float startX, float startY, float endX, float endY);
    void drawRect(float x, float y, float width, float height);
    void drawImage(float x, float y, float width, float height, QImage image);
    void drawGraph(float x, float y, float width, float height, VXGraph* graph);
    // Margins on each side, in percent of the page width and height.
    void setPageSpace(float horizontalSpace, float verticalSpace);
    void setFont(QFont font);
    void setFont(int pointSize, int weight, QString family);
    // The stored pen; drawing uses the device painter's own pen.
    void setPen(QPen pen);
    void setPen(QColor color, int width, Qt::PenStyle penStyle);
    void setPen(QColor color, int width);

private:
    struct Area
    {
        float left, top, width, height;
    };

    bool inRange(float x, float y) const;
    Area pageArea() const;
    QPointF mapToGraph(VXGraph* graph, QPointF value) const;
    void drawGraphLabels(VXGraph* graph);
    void drawLineGraph(VXGraph* graph);
    void drawCIE1931Diagram(VXGraph* graph);
    void drawCIE1976Diagram(VXGraph* graph);
    void drawLocus(VXGraph* graph, bool uniform, QPointF result);

    QPen pen;
    QFont font;
    QPainter* painter;
    QPrinter* printer;
    int verticalMargin = 0;
    int horizontalMargin = 0;
    Area area;
};
