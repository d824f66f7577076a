#include "VXGraph.h"

#include "cietables.h"

namespace {

std::array<float, 81> toFloat(const double (&table)[81])
{
    std::array<float, 81> values;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = float(table[i]);
    return values;
}

} // namespace

const std::array<float, 81> VXGraph::locusTableX = toFloat(spectralLocus5nmX);
const std::array<float, 81> VXGraph::locusTableY = toFloat(spectralLocus5nmY);

VXGraph::VXGraph(QObject* parent) : QObject(parent) {}

void VXGraph::setGraphType(GraphType type)
{
    graphType = type;
}

void VXGraph::setAxisScale(int axis, float minValue, float maxValue, int stepCount)
{
    if (isHorizontal(axis)) {
        xMin = minValue;
        xMax = maxValue;
        xStepCount = stepCount;
    } else {
        yMin = minValue;
        yMax = maxValue;
        yStepCount = stepCount;
    }
}

void VXGraph::setTitle(QString title, int position)
{
    graphTitle = title;
    titlePosition = position;
}

void VXGraph::setTitle(QString title)
{
    setTitle(title, 1);
}

float VXGraph::axisMinValue(int axis)
{
    return isHorizontal(axis) ? xMin : yMin;
}

float VXGraph::axisMaxValue(int axis)
{
    return isHorizontal(axis) ? xMax : yMax;
}

int VXGraph::axisStepCount(int axis)
{
    return isHorizontal(axis) ? xStepCount : yStepCount;
}

int VXGraph::xAxisStepCount()
{
    return xStepCount;
}

int VXGraph::yAxisStepCount()
{
    return yStepCount;
}

int VXGraph::type()
{
    return graphType;
}

QString VXGraph::title()
{
    return graphTitle;
}

void VXGraph::setLineGraphData(QPolygonF data)
{
    lineData = data;
}

QPolygonF VXGraph::lineGraphData()
{
    return lineData;
}

void VXGraph::setCIE1931Result(float x, float y)
{
    cie1931X = x;
    cie1931Y = y;
}

QPointF VXGraph::CIE1931Result()
{
    return QPointF(cie1931X, cie1931Y);
}

void VXGraph::setCIE1976Result(float u, float v)
{
    cie1976U = u;
    cie1976V = v;
}

QPointF VXGraph::CIE1976Result()
{
    return QPointF(cie1976U, cie1976V);
}
