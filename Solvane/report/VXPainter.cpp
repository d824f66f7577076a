#include "VXPainter.h"

#include "VXGraph.h"
#include "reporttext.h"

#include <QDebug>
#include <QPainter>
#include <QPrinter>
#include <QTextOption>

#include <cmath>

namespace {

const QString graphFontFamily = QStringLiteral("Calibri");

QRect pageRect(QPrinter* printer)
{
    return printer->pageLayout().paintRectPixels(printer->resolution());
}

bool isFinite(QPointF point)
{
    return std::isfinite(point.x()) && std::isfinite(point.y());
}

// Cuts the segment to the part inside the rectangle (Liang-Barsky); false when
// none of it is inside.
bool clipToRect(QLineF* segment, const QRectF& rect)
{
    const double dx = segment->dx(), dy = segment->dy();
    double enter = 0, leave = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {segment->x1() - rect.left(), rect.right() - segment->x1(),
                         segment->y1() - rect.top(), rect.bottom() - segment->y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            enter = qMax(enter, t);
        else
            leave = qMin(leave, t);
    }
    if (enter > leave)
        return false;
    // Both ends lie on or in the rectangle; with ends 1e30 apart the
    // arithmetic may miss it by far, so they are held to it.
    const auto inside = [&rect](QPointF point) {
        return QPointF(qBound(rect.left(), point.x(), rect.right()),
                       qBound(rect.top(), point.y(), rect.bottom()));
    };
    const QPointF start = segment->pointAt(enter);
    const QPointF end = segment->pointAt(leave);
    if (!isFinite(start) || !isFinite(end))
        return false;
    *segment = QLineF(inside(start), inside(end));
    return true;
}

} // namespace

VXPainter::VXPainter(QPainter* painter, QPrinter* printer)
    : pen(QBrush(Qt::black, Qt::SolidPattern), 3.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin),
      font(QStringLiteral("宋体"), 20, QFont::Light, false), painter(painter), printer(printer)
{
    qRegisterMetaType<VXGraph*>();
    // Without ligatures every Latin letter keeps its own glyph, so that the
    // text of a PDF report can be searched and copied ("ti" would otherwise be
    // lost). Any explicit letter spacing, even 100 %, keeps Qt from forming
    // Latin ligatures, while scripts that need joined forms (Arabic) are still
    // shaped. Kerning stays off, as it always was on this page.
    font.setLetterSpacing(QFont::PercentageSpacing, 100);
    font.setKerning(false);
    area = pageArea(); // defined before the first conversion: the whole page
    setPageSpace(0, 0);
}

bool VXPainter::inRange(float x, float y) const
{
    if (x < 0 || x > 100 || y < 0 || y > 100) {
        qDebug() << QStringLiteral("坐标x: %1, 坐标y: %2  超出范围(0~100)!")
                        .arg(double(x), 0, 'g', 6)
                        .arg(double(y), 0, 'g', 6);
        return false;
    }
    return true;
}

VXPainter::Area VXPainter::pageArea() const
{
    const QRect page = pageRect(printer);
    return {float(horizontalMargin), float(verticalMargin),
            float(page.width() - 2 * horizontalMargin), float(page.height() - 2 * verticalMargin)};
}

QPointF VXPainter::transformToLogicalCoordinate(float x, float y)
{
    if (!inRange(x, y))
        return QPointF(0, 0);
    area = pageArea();
    return QPointF(horizontalMargin + area.width * (x / 100),
                   verticalMargin + area.height * (y / 100));
}

QRectF VXPainter::transformToLogicalCoordinate(float x, float y, float width, float height)
{
    if (!inRange(x, y))
        return QRectF(0, 0, 0, 0);
    area = pageArea();
    return QRectF(horizontalMargin + (x / 100) * area.width,
                  verticalMargin + (y / 100) * area.height, area.width * width / 100,
                  area.height * height / 100);
}

void VXPainter::setPageSpace(float horizontalSpace, float verticalSpace)
{
    if (horizontalSpace < 0 || horizontalSpace > 100 || verticalSpace < 0 || verticalSpace > 100) {
        qDebug()
            << QStringLiteral(
                   "设置页边距失败!  失败原因:左右页边距: %1, 上下页边距: %2  超出范围(0~100)!")
                   .arg(double(horizontalSpace), 0, 'g', 6)
                   .arg(double(verticalSpace), 0, 'g', 6);
        return;
    }
    const QRect page = pageRect(printer);
    horizontalMargin = int(page.width() * (horizontalSpace / 100));
    verticalMargin = int((verticalSpace / 100) * page.height());
    qDebug() << QStringLiteral("设置页边距成功!   左右页边距: %1, 上下页边距: %2")
                    .arg(horizontalMargin)
                    .arg(verticalMargin);
}

// The box starts at the logical point and runs to the right edge of the area,
// or, for right alignment alone, ends at the point.
void VXPainter::drawText(QString text, float x, float y, Qt::Alignment alignment)
{
    const QPointF p = transformToLogicalCoordinate(x, y);
    const float height = 0.1 * double(area.height);
    const QRectF box = alignment == Qt::AlignRight
                           ? QRectF(p.x() - area.width, p.y(), area.width, height)
                           : QRectF(p.x(), p.y(), area.left + area.width - p.x(), height);
    ReportText::draw(painter, text, box, alignment);
}

void VXPainter::drawText(QString text, float x, float y)
{
    drawText(text, x, y, Qt::AlignLeft);
}

void VXPainter::drawLine(float startX, float startY, float endX, float endY)
{
    const QPointF start = transformToLogicalCoordinate(startX, startY);
    const QPointF end = transformToLogicalCoordinate(endX, endY);
    painter->drawLine(QLineF(start, end));
}

void VXPainter::drawRect(float x, float y, float width, float height)
{
    painter->drawRect(transformToLogicalCoordinate(x, y, width, height));
}

void VXPainter::drawImage(float x, float y, float width, float height, QImage image)
{
    painter->drawImage(transformToLogicalCoordinate(x, y, width, height), image,
                       QRectF(0, 0, image.width(), image.height()));
}

void VXPainter::setFont(QFont font)
{
    this->font = font;
    painter->setFont(this->font);
}

void VXPainter::setFont(int pointSize, int weight, QString family)
{
    font.setPointSize(pointSize);
    font.setWeight(weight);
    font.setFamily(family);
    painter->setFont(font);
}

void VXPainter::setPen(QPen pen)
{
    this->pen = pen;
}

void VXPainter::setPen(QColor color, int width, Qt::PenStyle penStyle)
{
    pen.setColor(color);
    pen.setWidth(width);
    pen.setStyle(penStyle);
}

void VXPainter::setPen(QColor color, int width)
{
    setPen(color, width, Qt::SolidLine);
}

void VXPainter::drawGraph(float x, float y, float width, float height, VXGraph* graph)
{
    const QRectF frame = transformToLogicalCoordinate(x, y, width, height);
    area = {float(frame.left()), float(frame.top()), float(frame.width()), float(frame.height())};
    painter->drawRect(frame);

    const int nx = graph->xAxisStepCount();
    const int ny = graph->yAxisStepCount();
    painter->setPen(Qt::DashLine);
    for (int i = 1; i < nx; ++i) {
        const float gridX = i * area.width / nx + area.left;
        painter->drawLine(QLineF(gridX, area.top, gridX, area.top + area.height));
    }
    for (int j = 1; j < ny; ++j) {
        const float gridY = j * area.height / ny + area.top;
        painter->drawLine(QLineF(area.left, gridY, area.left + area.width, gridY));
    }

    QFont titleFont = painter->font();
    titleFont.setFamily(graphFontFamily);
    titleFont.setPointSize(12);
    titleFont.setWeight(QFont::Bold);
    painter->setFont(titleFont);
    painter->drawText(QRectF(area.left, area.top - 20, area.width, area.height + 20),
                      graph->title(), QTextOption(Qt::AlignHCenter));

    drawGraphLabels(graph);

    switch (graph->type()) {
    case VXGraph::LineGraph:
        drawLineGraph(graph);
        break;
    case VXGraph::CIE1931Graph:
        drawCIE1931Diagram(graph);
        break;
    case VXGraph::CIE1976Graph:
        drawCIE1976Diagram(graph);
        break;
    default:
        break;
    }
    painter->setPen(Qt::SolidLine);
}

// Fixed three decimals on scales below 1, general format otherwise.
void VXPainter::drawGraphLabels(VXGraph* graph)
{
    painter->setFont(font);
    QFont labelFont = font;
    labelFont.setFamily(graphFontFamily);
    labelFont.setPointSize(8);
    labelFont.setWeight(QFont::Light);
    painter->setFont(labelFont);

    const auto label = [](float value, float max) {
        return max < 1.0f ? QString::number(value, 'f', 3) : QString::number(value, 'g', 6);
    };
    const float xMin = graph->axisMinValue(1), xMax = graph->axisMaxValue(1);
    const float yMin = graph->axisMinValue(2), yMax = graph->axisMaxValue(2);
    const int nx = graph->xAxisStepCount();
    const int ny = graph->yAxisStepCount();
    for (int i = 0; i <= nx; ++i) {
        const float value = i * (xMax - xMin) / nx + xMin;
        painter->drawText(
            QRectF(i * area.width / nx + area.left - 100, area.top + area.height, 200, 100),
            label(value, xMax), QTextOption(Qt::AlignHCenter));
    }
    for (int j = 0; j <= ny; ++j) {
        const float value = j * (yMax - yMin) / ny + yMin;
        painter->drawText(
            QRectF(area.left - 200, area.top + area.height - j * area.height / ny - 50, 200, 100),
            label(value, yMax), QTextOption(Qt::AlignRight | Qt::AlignVCenter));
    }
    painter->setFont(font);
}

QPointF VXPainter::mapToGraph(VXGraph* graph, QPointF value) const
{
    const float xMin = graph->axisMinValue(1), xMax = graph->axisMaxValue(1);
    const float yMin = graph->axisMinValue(2), yMax = graph->axisMaxValue(2);
    return QPointF((value.x() - xMin) * area.width / (xMax - xMin) + area.left,
                   (area.top + area.height) - (value.y() - yMin) * area.height / (yMax - yMin));
}

// Segments with a point that is not a number are left out, and the line is
// cut at the frame: a value far above the scale would otherwise run across the
// page, and one of 1e25 or more would give the PDF writer coordinates it
// cannot write.
void VXPainter::drawLineGraph(VXGraph* graph)
{
    const QPolygonF data = graph->lineGraphData();
    painter->setPen(Qt::SolidLine);
    if (data.size() < 2)
        return;
    const QRectF frame(area.left, area.top, area.width, area.height);
    for (int k = 0; k + 1 < data.size(); ++k) {
        QLineF segment(mapToGraph(graph, data.at(k)), mapToGraph(graph, data.at(k + 1)));
        if (isFinite(segment.p1()) && isFinite(segment.p2()) && clipToRect(&segment, frame))
            painter->drawLine(segment);
    }
}

void VXPainter::drawCIE1931Diagram(VXGraph* graph)
{
    drawLocus(graph, false, graph->CIE1931Result());
}

void VXPainter::drawCIE1976Diagram(VXGraph* graph)
{
    drawLocus(graph, true, graph->CIE1976Result());
}

// The closed spectrum-locus outline and a 20-unit cross at the result, which
// is left out when the result is not a number.
void VXPainter::drawLocus(VXGraph* graph, bool uniform, QPointF result)
{
    QVector<QPointF> outline;
    for (size_t i = 0; i < VXGraph::locusTableX.size(); ++i) {
        const double x = VXGraph::locusTableX[i];
        const double y = VXGraph::locusTableY[i];
        if (uniform) {
            const double d = -2 * x + 12 * y + 3;
            outline << mapToGraph(graph, QPointF(4 * x / d, 9 * y / d));
        } else {
            outline << mapToGraph(graph, QPointF(x, y));
        }
    }
    painter->setPen(Qt::SolidLine);
    for (int i = 0; i < outline.size(); ++i)
        painter->drawLine(QLineF(outline.at(i), outline.at((i + 1) % outline.size())));

    const QPointF cross = mapToGraph(graph, result);
    if (!isFinite(cross) || qAbs(cross.x()) > 1e6 || qAbs(cross.y()) > 1e6)
        return;
    const int px = int(cross.x());
    const int py = int(cross.y());
    painter->drawLine(QLine(px - 10, py, px + 10, py));
    painter->drawLine(QLine(px, py - 10, px, py + 10));
}
