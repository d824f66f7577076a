#pragma once

#include "qualitygraphics.h"

#include <QWidget>

// A bar chart on a fixed scale with a title: the hue-bin values or the
// photon bands of the light shown.
class BarChartWidget : public QWidget
{
    Q_OBJECT

public:
    explicit BarChartWidget(QWidget* parent = nullptr);

    void setScale(double low, double high, double step);
    void setTitle(const QString& title);
    void setBars(const QVector<QualityGraphics::Bar>& bars);
    const QVector<QualityGraphics::Bar>& bars() const { return shown; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<QualityGraphics::Bar> shown;
    QString title;
    double low = 0, high = 100, step = 20;
};
