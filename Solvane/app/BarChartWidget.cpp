#include "BarChartWidget.h"

#include <QPainter>

BarChartWidget::BarChartWidget(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void BarChartWidget::setScale(double lowest, double highest, double tickStep)
{
    low = lowest;
    high = highest;
    step = tickStep;
    update();
}

void BarChartWidget::setTitle(const QString& text)
{
    title = text;
    update();
}

void BarChartWidget::setBars(const QVector<QualityGraphics::Bar>& bars)
{
    shown = bars;
    update();
}

void BarChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont small = font();
    small.setPointSizeF(8);
    painter.setFont(small);
    QualityGraphics::paintBars(&painter, QRectF(rect()).adjusted(2, 2, -2, -2), shown, low, high,
                               step, title);
}
