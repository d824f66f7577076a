#include "ColorVectorWidget.h"

#include "qualitygraphics.h"

#include <QPainter>

ColorVectorWidget::ColorVectorWidget(QWidget* parent)
    : QWidget(parent), tm30(undeterminedColorFidelity())
{
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ColorVectorWidget::setFidelity(const ColorFidelity& fidelity)
{
    tm30 = fidelity;
    update();
}

void ColorVectorWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QualityGraphics::paintColorVectorGraphic(&painter, QRectF(rect()).adjusted(4, 4, -4, -4), tm30);
}
