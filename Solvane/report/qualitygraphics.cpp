#include "qualitygraphics.h"

#include "huebincolours.h"
#include "recordquality.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <limits>

namespace QualityGraphics {

namespace {

constexpr double pi = 3.14159265358979323846;

bool allFinite(const double* values, int count)
{
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(values[i]))
            return false;
    return true;
}

// A wedge of the background from angle a0 to a1 (degrees, counter-clockwise
// from the a′ axis) around the centre.
QPainterPath wedge(QPointF centre, double radius, double a0, double a1)
{
    QPainterPath path(centre);
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    path.arcTo(box, a0, a1 - a0);
    path.closeSubpath();
    return path;
}

void arrow(QPainter* painter, QPointF from, QPointF to, double head)
{
    const QLineF line(from, to);
    if (line.length() < 1e-9)
        return;
    painter->drawLine(line);
    const double angle = std::atan2(-line.dy(), line.dx());
    const double spread = pi / 7;
    const QPointF left =
        to - QPointF(std::cos(angle - spread) * head, -std::sin(angle - spread) * head);
    const QPointF right =
        to - QPointF(std::cos(angle + spread) * head, -std::sin(angle + spread) * head);
    painter->drawPolygon(QPolygonF({to, left, right}));
}

} // namespace

QColor binColour(int bin)
{
    static const QVector<QColor> colours = [] {
        double rgb[hueBinCount][3];
        hueBinColours(rgb);
        QVector<QColor> list;
        for (const auto& c : rgb) {
            // The samples' mean colours are muted; stronger saturation lets
            // neighbouring bins tell apart on screen and paper.
            const QColor mean = QColor::fromRgbF(c[0], c[1], c[2]);
            list << QColor::fromHsvF(mean.hsvHueF(), qMin(1.0, mean.hsvSaturationF() * 1.6),
                                     qMin(1.0, mean.valueF() * 1.1));
        }
        return list;
    }();
    return colours.value(bin, Qt::gray);
}

void paintColorVectorGraphic(QPainter* painter, const QRectF& rect, const ColorFidelity& tm30)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const double side = qMin(rect.width(), rect.height());
    const QPointF centre = rect.center();
    const double outer = side / 2;   // the background's edge
    const double unit = outer / 1.5; // the reference circle: 1.0 of a bin's reference chroma

    const bool determined =
        allFinite(tm30.testA, hueBinCount) && allFinite(tm30.testB, hueBinCount) &&
        allFinite(tm30.referenceA, hueBinCount) && allFinite(tm30.referenceB, hueBinCount);
    painter->setPen(Qt::NoPen);
    for (int j = 0; j < hueBinCount; ++j) {
        QColor colour = determined ? binColour(j) : QColor(220, 220, 220);
        colour.setAlphaF(0.35);
        painter->setBrush(colour);
        painter->drawPath(wedge(centre, outer, 22.5 * j, 22.5 * (j + 1)));
    }
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(QColor(120, 120, 120), 0, Qt::DashLine));
    for (int j = 0; j < hueBinCount; ++j) {
        const double a = 22.5 * j * pi / 180;
        painter->drawLine(centre, centre + QPointF(outer * std::cos(a), -outer * std::sin(a)));
    }
    painter->setPen(QPen(Qt::black, side / 160));
    painter->drawEllipse(centre, unit, unit);
    if (!determined) {
        painter->restore();
        return;
    }

    // Arrows of a light far from white may leave the graphic; they end at its edge.
    QPainterPath disc;
    disc.addEllipse(centre, outer, outer);
    painter->setClipPath(disc, Qt::IntersectClip);
    QPolygonF reference, test;
    for (int j = 0; j < hueBinCount; ++j) {
        const double length = std::hypot(tm30.referenceA[j], tm30.referenceB[j]);
        reference << centre + QPointF(unit * tm30.referenceA[j] / length,
                                      -unit * tm30.referenceB[j] / length);
        test << centre + QPointF(unit * tm30.testA[j] / length, -unit * tm30.testB[j] / length);
    }
    painter->setPen(QPen(QColor(200, 20, 20), side / 110));
    painter->drawPolygon(test);
    for (int j = 0; j < hueBinCount; ++j) {
        const QColor colour = binColour(j).darker(140);
        painter->setPen(QPen(colour, side / 130));
        painter->setBrush(colour);
        arrow(painter, reference.at(j), test.at(j), side / 45);
    }
    painter->restore();
}

QVector<Bar> binBars(const double* values)
{
    QVector<Bar> bars;
    for (int j = 0; j < hueBinCount; ++j)
        bars << Bar{QString::number(j + 1), values[j], binColour(j), QString()};
    return bars;
}

QVector<Bar> bandBars(const LightQuality& quality, const QStringList& names, int shareDecimals)
{
    const double values[] = {quality.pfdBlue, quality.pfdGreen, quality.pfdRed, quality.pfdFarRed};
    const QColor colours[] = {QColor(35, 85, 215), QColor(40, 160, 70), QColor(215, 35, 35),
                              QColor(120, 10, 20)};
    QVector<Bar> bars;
    for (int i = 0; i < 4; ++i) {
        const double share = 100 * values[i] / quality.ppfd;
        bars << Bar{names.value(i), values[i], colours[i],
                    std::isfinite(share)
                        ? RecordQuality::shownNumber(share, shareDecimals) + QStringLiteral(" %")
                        : QString()};
    }
    return bars;
}

void barScale(const QVector<Bar>& bars, double* high, double* step)
{
    double largest = 0;
    for (const Bar& bar : bars)
        if (std::isfinite(bar.value))
            largest = std::max(largest, bar.value);
    if (!(largest > 0)) {
        *high = 1;
        *step = 0.2;
        return;
    }
    const double rough = largest / 5 * 1.2;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    *step = power * (rough <= power ? 1 : rough <= 2 * power ? 2 : rough <= 5 * power ? 5 : 10);
    *high = std::ceil(largest / *step * 1.2) * *step;
    if (!std::isfinite(*high)) // near the largest double
        *high = std::numeric_limits<double>::max();
}

void paintBars(QPainter* painter, const QRectF& rect, const QVector<Bar>& bars, double low,
               double high, double step, const QString& title)
{
    painter->save();
    const QFontMetricsF metrics(painter->font());
    const double line = metrics.height();
    // Ticks are counted, not summed up to `high`: a step lost in the rounding
    // of a large `low`, or an infinite scale, would never get there.
    const double intervals = (high - low) / step;
    const bool scaled = high > low && step > 0 && std::isfinite(intervals) && intervals <= 1000;
    const int tickCount = scaled ? int(std::floor(intervals + 0.5)) + 1 : 0;
    const auto tickAt = [low, step](int i) { return low + i * step; };
    double labelWidth = 0;
    for (int i = 0; i < tickCount; ++i)
        labelWidth = qMax(labelWidth, metrics.horizontalAdvance(QString::number(tickAt(i))));
    const QRectF plot(
        rect.left() + labelWidth + line / 2, rect.top() + (title.isEmpty() ? line / 2 : 1.5 * line),
        rect.width() - labelWidth - line, rect.height() - (title.isEmpty() ? 2 : 3) * line);
    if (!title.isEmpty())
        painter->drawText(QRectF(rect.left(), rect.top(), rect.width(), line), Qt::AlignCenter,
                          title);
    if (plot.width() <= 0 || plot.height() <= 0 || !scaled || bars.isEmpty()) {
        painter->restore();
        return;
    }
    const auto yOf = [&](double value) {
        return plot.bottom() - (qBound(low, value, high) - low) / (high - low) * plot.height();
    };

    painter->setPen(QPen(QColor(200, 200, 200), 0));
    for (int i = 0; i < tickCount; ++i) {
        const double tick = tickAt(i);
        const double y = yOf(tick);
        painter->drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter->setPen(Qt::black);
        painter->drawText(QRectF(rect.left(), y - line / 2, labelWidth, line),
                          Qt::AlignRight | Qt::AlignVCenter, QString::number(tick));
        painter->setPen(QPen(QColor(200, 200, 200), 0));
    }
    const double slot = plot.width() / bars.size();
    const double zero = yOf(qBound(low, 0.0, high));
    for (int i = 0; i < bars.size(); ++i) {
        const Bar& bar = bars.at(i);
        const double x = plot.left() + slot * i;
        if (std::isfinite(bar.value)) {
            const double y = yOf(bar.value);
            painter->setPen(QPen(bar.colour.darker(130), 0));
            painter->setBrush(bar.colour);
            painter->drawRect(QRectF(QPointF(x + slot * 0.15, qMin(y, zero)),
                                     QPointF(x + slot * 0.85, qMax(y, zero))));
            if (!bar.text.isEmpty()) {
                painter->setPen(Qt::black);
                const double textY = bar.value >= 0 ? qMin(y, zero) - line : qMax(y, zero);
                painter->drawText(QRectF(x - slot, textY, 3 * slot, line), Qt::AlignCenter,
                                  bar.text);
            }
        }
        painter->setPen(Qt::black);
        painter->drawText(QRectF(x, plot.bottom() + line / 4, slot, line),
                          Qt::AlignHCenter | Qt::AlignTop, bar.label);
    }
    painter->setPen(QPen(Qt::black, 0));
    painter->drawLine(QPointF(plot.left(), zero), QPointF(plot.right(), zero));
    painter->drawLine(plot.topLeft(), plot.bottomLeft());
    painter->restore();
}

} // namespace QualityGraphics
