#include "ComparisonPlot.h"

#include "measurementrecord.h"

#include <QCoreApplication>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_legenditem.h>
#include <qwt_plot_marker.h>
#include <qwt_symbol.h>

#include <algorithm>

namespace {

// Okabe and Ito's colours, which stay apart for the common colour-vision
// deficiencies, without their yellow, which vanishes on the light canvas;
// the second six records repeat them with dashed lines and other shapes.
const QColor palette[] = {QColor(0, 114, 178),   QColor(213, 94, 0), QColor(0, 158, 115),
                          QColor(204, 121, 167), QColor(0, 0, 0),    QColor(230, 159, 0)};
constexpr int paletteSize = int(sizeof palette / sizeof palette[0]);
const QwtSymbol::Style shapes[] = {QwtSymbol::Ellipse,  QwtSymbol::Rect,      QwtSymbol::Diamond,
                                   QwtSymbol::Triangle, QwtSymbol::DTriangle, QwtSymbol::Hexagon,
                                   QwtSymbol::Star2,    QwtSymbol::LTriangle, QwtSymbol::RTriangle,
                                   QwtSymbol::Cross,    QwtSymbol::XCross,    QwtSymbol::Star1};
static_assert(sizeof shapes / sizeof shapes[0] == ComparisonPlot::maxRecords,
              "one shape per record drawn");

QColor colourOf(int k)
{
    return palette[k % paletteSize];
}

} // namespace

ComparisonPlot::ComparisonPlot(QwtPlot* plot) : plot(plot) {}

ComparisonPlot::~ComparisonPlot()
{
    clear();
}

void ComparisonPlot::clear()
{
    for (QwtPlotItem* item : qAsConst(items)) {
        item->detach();
        delete item;
    }
    items.clear();
}

QVector<QPointF> ComparisonPlot::spectrum(const QStringList& record, Scale scale)
{
    const MeasurementRecord::Layout layout = MeasurementRecord::layout(record.size());
    QVector<QPointF> points;
    points.reserve(layout.spectrumCount);
    double peak = 0;
    for (int i = 0; i < layout.spectrumCount; ++i) {
        double value;
        if (MeasurementRecord::readNumber(record.at(layout.spectrumBegin + i), &value)) {
            points << QPointF(380.0 + i, value);
            peak = std::max(peak, value);
        }
    }
    // A spectrum without a positive sample has no peak to divide by.
    if (scale == Scale::Normalised && peak > 0)
        for (QPointF& point : points)
            point.setY(point.y() / peak);
    return points;
}

void ComparisonPlot::showSpectra(const QList<QStringList>& records, Scale scale)
{
    clear();
    const int drawn = std::min<int>(records.size(), maxRecords);
    for (int k = 0; k < drawn; ++k) {
        auto* curve = new QwtPlotCurve(records.at(k).value(0));
        curve->setPen(QPen(colourOf(k), 2, k < paletteSize ? Qt::SolidLine : Qt::DashLine));
        curve->setRenderHint(QwtPlotItem::RenderAntialiased);
        curve->setLegendAttribute(QwtPlotCurve::LegendShowLine);
        curve->setSamples(spectrum(records.at(k), scale));
        curve->attach(plot);
        items << curve;
    }
    addLegend(records.size(), Qt::AlignRight | Qt::AlignTop);
}

void ComparisonPlot::showChromaticities(const QList<QStringList>& records, int xEntry,
                                        Qt::Alignment legendCorner)
{
    clear();
    const int drawn = std::min<int>(records.size(), maxRecords);
    QFont labelFont = plot->font();
    labelFont.setPointSize(8);
    for (int k = 0; k < drawn; ++k) {
        const QStringList& record = records.at(k);
        double x, y;
        if (xEntry + 1 >= MeasurementRecord::layout(record.size()).itemEnd ||
            !MeasurementRecord::readNumber(record.at(xEntry), &x) ||
            !MeasurementRecord::readNumber(record.at(xEntry + 1), &y))
            continue; // nothing to mark; the record is still named in the legend's count
        auto* marker = new QwtPlotMarker(record.value(0));
        marker->setValue(x, y);
        marker->setSymbol(
            new QwtSymbol(shapes[k], QBrush(colourOf(k)), QPen(Qt::black, 1), QSize(10, 10)));
        QwtText label(record.value(0));
        label.setFont(labelFont);
        label.setColor(Qt::black);
        label.setBackgroundBrush(QColor(255, 255, 255, 190));
        marker->setLabel(label);
        // Neighbours' names go to different sides, so that close points
        // overlap less.
        static const Qt::Alignment sides[] = {
            Qt::AlignRight | Qt::AlignTop, Qt::AlignLeft | Qt::AlignBottom,
            Qt::AlignRight | Qt::AlignBottom, Qt::AlignLeft | Qt::AlignTop};
        marker->setLabelAlignment(sides[k % 4]);
        marker->setItemAttribute(QwtPlotItem::Legend, true);
        marker->setRenderHint(QwtPlotItem::RenderAntialiased);
        marker->attach(plot);
        items << marker;
    }
    addLegend(records.size(), legendCorner);
}

void ComparisonPlot::addLegend(int recordCount, Qt::Alignment corner)
{
    if (recordCount > maxRecords) {
        // An item that draws nothing and only speaks in the legend.
        auto* note = new QwtPlotCurve(
            QCoreApplication::translate("ComparisonPlot", "First %1 of %2 selected records shown")
                .arg(maxRecords)
                .arg(recordCount));
        note->setStyle(QwtPlotCurve::NoCurve); // and so no icon in the legend
        note->attach(plot);
        items << note;
    }
    auto* legend = new QwtPlotLegendItem;
    legend->setAlignment(corner);
    legend->setMaxColumns(1);
    legend->setBorderRadius(3);
    legend->setBorderPen(QPen(QColor(164, 171, 182)));
    legend->setBackgroundBrush(QColor(255, 255, 255, 215));
    legend->setTextPen(QPen(Qt::black));
    QFont font = plot->font();
    font.setPointSize(8);
    legend->setFont(font);
    legend->setMargin(6);
    legend->attach(plot);
    items << legend;
}
