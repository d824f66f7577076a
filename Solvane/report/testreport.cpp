#include "testreport.h"

#include "VXGraph.h"
#include "VXPainter.h"
#include "measurementrecord.h"
#include "reportstyle.h"

#include <QFile>
#include <QFileInfo>
#include <QPolygonF>

namespace TestReport {

using namespace ReportStyle;

namespace {

// Label and value rows from y down, 1.5 apart.
void informationRows(VXPainter& page, const QStringList& labels, const QStringList& values, float y)
{
    for (int i = 0; i < labels.size(); ++i) {
        labelFont(page);
        page.drawText(labels.at(i), 0, y + 1.5f * i, Qt::AlignLeft);
        valueFont(page);
        page.drawText(values.value(i), 30, y + 1.5f * i, Qt::AlignLeft);
    }
}

void drawDiagram(VXPainter& page, VXGraph::GraphType type, const QString& title, float xMax,
                 float yMax, QPointF result, float x)
{
    VXGraph graph;
    graph.setGraphType(type);
    graph.setAxisScale(1, 0, xMax, 4);
    graph.setAxisScale(2, 0, yMax, 4);
    graph.setTitle(title, 1);
    if (type == VXGraph::CIE1931Graph)
        graph.setCIE1931Result(result.x(), result.y());
    else
        graph.setCIE1976Result(result.x(), result.y());
    page.drawGraph(x, 33, 23, 14, &graph);
}

} // namespace

bool isCompletePdf(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() < 16)
        return false;
    const QByteArray head = file.read(5);
    file.seek(qMax<qint64>(0, file.size() - 64));
    return head == "%PDF-" && file.readAll().trimmed().endsWith("%%EOF");
}

bool canPrint(const QStringList& record)
{
    return record.size() >= MeasurementRecord::fullSize;
}

void paint(QPainter* painter, QPrinter* printer, const QStringList& record,
           const QStringList& printInfo, const QDateTime& printed)
{
    if (!canPrint(record))
        return;
    const QStringList results =
        record.mid(MeasurementRecord::firstItemEntry, MeasurementRecord::itemTotal);
    const MeasurementRecord::Layout layout = MeasurementRecord::layout(record.size());
    QStringList samples;
    for (int k = 0; k < 41; ++k)
        samples << record.at(layout.spectrumBegin + 10 * k);
    QPolygonF spectrum;
    for (int j = 0; j < MeasurementRecord::spectrumLength; ++j)
        spectrum << QPointF(380 + j, record.at(layout.spectrumBegin + j).toFloat());

    VXPainter page(painter, printer);
    page.setPageSpace(5, 0);

    titleLine(page, QStringLiteral("Test Report"), printed);

    heading(page, QStringLiteral("Company Information"), 4);
    informationRows(page, {"Name", "Add", "Tel", "Fax", "E-mail"}, printInfo.mid(0, 5), 7);
    heading(page, QStringLiteral("Sample Information"), 18);
    informationRows(page, {"Sample Name", "Sample Model", "Remarks"}, printInfo.mid(5, 3), 21);

    heading(page, QStringLiteral("Test Result"), 28);
    for (int i = 0; i < MeasurementRecord::itemTotal; ++i) {
        const MeasurementRecord::Item& item = MeasurementRecord::items[i];
        const float y = 31 + 1.5f * i;
        labelFont(page);
        page.drawText(QString::fromUtf8(item.group), 0, y, Qt::AlignLeft);
        page.drawText(QString::fromUtf8(item.symbol), 15, y, Qt::AlignLeft);
        valueFont(page);
        page.drawText(results.at(i), 35, y, Qt::AlignRight);
    }

    heading(page, QStringLiteral("Spectrum Data"), 75);
    page.drawLine(0, 80.1f, 100, 80.1f);
    labelFont(page);
    for (int c = 0; c < 5; ++c) {
        page.drawText(QStringLiteral("nm"), 20 * c + 2, 78, Qt::AlignLeft);
        page.drawText(QStringLiteral("Intensity"), 20 * c + 7, 78, Qt::AlignLeft);
    }
    for (int k = 0; k < 41; ++k) {
        const int c = k % 5;
        const float y = 80 + 1.5f * (k / 5);
        labelFont(page);
        page.drawText(QString::number(380 + 10 * k), 20 * c + 2, y, Qt::AlignLeft);
        valueFont(page);
        page.drawText(samples.at(k), 20 * c + 15, y, Qt::AlignRight);
    }

    using MeasurementRecord::entryU;
    using MeasurementRecord::entryX;
    drawDiagram(page, VXGraph::CIE1931Graph, QStringLiteral("CIE1931"), 0.8f, 0.9f,
                QPointF(record.at(entryX).toFloat(), record.at(entryX + 1).toFloat()), 47);
    drawDiagram(page, VXGraph::CIE1976Graph, QStringLiteral("CIE1976"), 0.7f, 0.6f,
                QPointF(record.at(entryU).toFloat(), record.at(entryU + 1).toFloat()), 75);

    VXGraph spectrumGraph;
    spectrumGraph.setGraphType(VXGraph::LineGraph);
    spectrumGraph.setAxisScale(1, 380, 780, 4);
    spectrumGraph.setAxisScale(2, 0, 70000, 7);
    spectrumGraph.setLineGraphData(spectrum);
    spectrumGraph.setTitle(QStringLiteral("SPECTRUM"), 1);
    page.drawGraph(47, 52, 51, 20, &spectrumGraph);
}

void paintRecordName(QPainter* painter, QPrinter* printer, const QStringList& record)
{
    VXPainter page(painter, printer);
    page.setPageSpace(5, 0);
    labelFont(page);
    page.drawText(record.value(0) + QStringLiteral("   ") + record.value(1), 100, 28,
                  Qt::AlignRight);
}

} // namespace TestReport
