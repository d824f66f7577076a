#pragma once

#include "colorfidelity.h"

#include <QWidget>

// The TM-30 colour vector graphic of the light shown, square in its space.
class ColorVectorWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ColorVectorWidget(QWidget* parent = nullptr);

    void setFidelity(const ColorFidelity& fidelity);
    const ColorFidelity& fidelity() const { return tm30; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorFidelity tm30;
};
