#pragma once

#include <QList>
#include <QPointF>
#include <QStringList>
#include <QVector>

class QwtPlot;
class QwtPlotItem;
class QwtPlotLegendItem;

// Several records on the window's plot at once: their spectra as lines, or
// their chromaticities as labelled markers on the diagram, with a legend of
// their names. The plot's axes and background stay the window's business.
class ComparisonPlot
{
public:
    enum class Scale
    {
        Counts,    // as the meter measured them
        Normalised // each record divided by its own peak, to compare shapes
    };
    // More lines than this cannot be told apart.
    static constexpr int maxRecords = 12;

    explicit ComparisonPlot(QwtPlot* plot);
    ~ComparisonPlot();
    ComparisonPlot(const ComparisonPlot&) = delete;
    ComparisonPlot& operator=(const ComparisonPlot&) = delete;

    // The first maxRecords of `records`; the legend names any left out.
    void showSpectra(const QList<QStringList>& records, Scale scale);
    // Markers at entries xEntry and xEntry + 1 of each record; the legend in
    // a corner the diagram leaves empty.
    void showChromaticities(const QList<QStringList>& records, int xEntry,
                            Qt::Alignment legendCorner);
    void clear();
    bool isShown() const { return !items.isEmpty(); }

    // The samples drawn for one record, non-finite intensities left out.
    static QVector<QPointF> spectrum(const QStringList& record, Scale scale);

private:
    void addLegend(int recordCount, Qt::Alignment corner);

    QwtPlot* plot;
    QList<QwtPlotItem*> items;
};
