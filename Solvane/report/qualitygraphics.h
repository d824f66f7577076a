#pragma once

#include "lightquality.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <QVector>

class QPainter;

// The light-quality graphics, drawn the same on screen and on the report page:
// the TM-30 colour vector graphic and bar charts. Each draws into a rectangle
// with the painter's font; NaN values leave their part empty.
namespace QualityGraphics {

// The 16 hue-bin colours, as TM-30 shows its bins.
QColor binColour(int bin);

// Reference circle, test polygon and one arrow per bin from the reference to
// the test mean, both normalised by the reference mean's length, over the
// bins' colours; a grey circle alone when the values are undetermined.
void paintColorVectorGraphic(QPainter* painter, const QRectF& rect, const ColorFidelity& tm30);

struct Bar
{
    QString label;
    double value;
    QColor colour;
    QString text; // printed beside the bar; none when empty
};

// Bars on a vertical scale from `low` to `high` with a tick every `step`;
// bars start at zero (negative values go down).
void paintBars(QPainter* painter, const QRectF& rect, const QVector<Bar>& bars, double low,
               double high, double step, const QString& title);

// The 16 bins' values as bars coloured by bin, labelled 1–16.
QVector<Bar> binBars(const double* values);

// The blue, green, red and far-red photon flux densities as bars named
// `names`, each with its share of PPFD in percent to `shareDecimals`.
QVector<Bar> bandBars(const LightQuality& quality, const QStringList& names, int shareDecimals);

// A scale from 0 up to *high in steps of 1, 2 or 5 times a power of ten, about
// five of them, with room above the largest bar for its text.
void barScale(const QVector<Bar>& bars, double* high, double* step);

} // namespace QualityGraphics
