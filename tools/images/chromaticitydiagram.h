#pragma once

#include <QImage>
#include <QString>

// A chromaticity diagram picture whose edges are the plot's axis ranges:
// the left edge is 0, the right edge xMax, the bottom 0, the top yMax.
struct ChromaticityDiagram
{
    QString fileName;
    QSize size;
    double xMax, yMax;
    bool ucs1976; // axes are u', v' instead of x, y

    QImage draw() const;
};

ChromaticityDiagram cie1931Diagram();
ChromaticityDiagram cie1976Diagram();
