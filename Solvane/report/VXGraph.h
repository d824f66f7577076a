#pragma once

#include <QObject>
#include <QPolygonF>
#include <QString>

#include <array>

// One small graph of the test report: its kind, axis scales, title and data.
// It draws nothing itself; VXPainter::drawGraph renders it.
class VXGraph : public QObject
{
    Q_OBJECT

public:
    enum GraphType
    {
        LineGraph = 0,
        CIE1931Graph = 1,
        CIE1976Graph = 2
    };
    Q_ENUM(GraphType)

    explicit VXGraph(QObject* parent = nullptr);

    // The CIE 1931 2° spectrum locus, 380–780 nm every 5 nm, four decimals.
    static const std::array<float, 81> locusTableX;
    static const std::array<float, 81> locusTableY;

public slots:
    void setGraphType(GraphType type);
    // Axis 0 or 1 is the horizontal axis, any other the vertical one.
    void setAxisScale(int axis, float minValue, float maxValue, int stepCount);
    void setTitle(QString title, int position);
    void setTitle(QString title);
    float axisMinValue(int axis);
    float axisMaxValue(int axis);
    int axisStepCount(int axis);
    int xAxisStepCount();
    int yAxisStepCount();
    int type();
    QString title();
    void setLineGraphData(QPolygonF data);
    QPolygonF lineGraphData();
    void setCIE1931Result(float x, float y);
    QPointF CIE1931Result();
    void setCIE1976Result(float u, float v);
    QPointF CIE1976Result();

private:
    static bool isHorizontal(int axis) { return unsigned(axis) <= 1; }

    int graphType = LineGraph;
    QString graphTitle;
    int titlePosition = 1;
    float xMin = 0, xMax = 1;
    int xStepCount = 1;
    float yMin = 0, yMax = 1;
    int yStepCount = 1;
    QPolygonF lineData;
    float cie1931X = 0, cie1931Y = 0;
    float cie1976U = 0, cie1976V = 0;
};

Q_DECLARE_METATYPE(VXGraph*)
