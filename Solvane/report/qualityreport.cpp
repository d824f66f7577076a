#include "qualityreport.h"

#include "VXPainter.h"
#include "ohnocct.h"
#include "qualitygraphics.h"
#include "recordquality.h"
#include "reportstyle.h"

#include <QPainter>

#include <cmath>

namespace QualityReport {

using namespace ReportStyle;
using RecordQuality::shownNumber;

namespace {

const QString dash = QStringLiteral("—");

// The graphics take the painter's font for their titles and scales.
void graphicsFont(VXPainter& page)
{
    page.setFont(9, QFont::Normal, family);
}

// A label, its value ending at valueEnd and the unit after it.
void row(VXPainter& page, float x, float valueEnd, float y, const QString& label,
         const QString& value, const QString& unit = QString())
{
    labelFont(page);
    page.drawText(label, x, y, Qt::AlignLeft);
    valueFont(page);
    page.drawText(value, valueEnd, y, Qt::AlignRight);
    if (!unit.isEmpty() && value != dash)
        page.drawText(unit, valueEnd + 1, y, Qt::AlignLeft);
}

QString problemText(const RecordQuality::Evaluation& evaluation)
{
    switch (evaluation.problem) {
    case RecordQuality::Problem::None:
        break;
    case RecordQuality::Problem::NoIlluminance:
        return QStringLiteral("The record's illuminance cannot be read: nothing on this page "
                              "could be computed.");
    case RecordQuality::Problem::IncompleteSpectrum:
        return QStringLiteral("The record's spectrum cannot be read in full (fewer than 401 "
                              "intensities): nothing on this page could be computed.");
    case RecordQuality::Problem::UnreadableIntensity:
        return QStringLiteral("The record's spectrum cannot be read (the intensity at %1 nm is "
                              "not a number): nothing on this page could be computed.")
            .arg(evaluation.wavelength);
    }
    return QString();
}

// Why the colour temperature does not describe the light; empty when it does.
QString cctNote(const LightQuality& quality)
{
    if (quality.cctValid)
        return QString();
    if (!std::isfinite(quality.cct))
        return QStringLiteral("The light has no colour temperature.");
    QStringList reasons;
    if (!(std::abs(quality.duv) <= ohnoDuvLimit))
        reasons << QStringLiteral("|Duv| > %1").arg(ohnoDuvLimit);
    if (!(quality.cct > ohnoCctLowest && quality.cct < ohnoCctHighest))
        reasons << QStringLiteral("outside %1–%2 K").arg(ohnoCctLowest).arg(ohnoCctHighest);
    return QStringLiteral("The CCT is not meaningful%1: Tcp, Duv and the TM-30 values do not "
                          "describe this light.")
        .arg(reasons.isEmpty() ? QString()
                               : QStringLiteral(" (%1)").arg(reasons.join(QStringLiteral(", "))));
}

QString dateOf(const QString& text)
{
    const QDateTime stamp = QDateTime::fromString(text, Qt::ISODate);
    return stamp.isValid() ? stamp.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : text;
}

} // namespace

void paint(QPainter* painter, QPrinter* printer, const QStringList& record,
           const QDateTime& printed)
{
    const RecordQuality::Evaluation evaluation = RecordQuality::evaluate(record);
    const LightQuality& q = evaluation.quality;
    const bool computed = evaluation.problem == RecordQuality::Problem::None;
    // Every value of a record that could not be read is "—", whatever the
    // engine would give for an empty spectrum.
    const auto value = [computed](double v, int decimals) {
        return computed ? shownNumber(v, decimals) : dash;
    };

    painter->save();
    painter->setPen(QPen());
    painter->setBrush(Qt::NoBrush);
    VXPainter page(painter, printer);
    page.setPageSpace(5, 0);

    titleLine(page, QStringLiteral("Light Quality"), printed);

    // The record and its colour temperature, in two columns.
    heading(page, QStringLiteral("Measurement"), 4);
    row(page, 0, 0, 7, QStringLiteral("Record"), QString());
    row(page, 0, 0, 8.5f, QStringLiteral("Date"), QString());
    row(page, 0, 0, 10, QStringLiteral("Illuminance"), QString());
    valueFont(page);
    page.drawText(record.value(0), 15, 7, Qt::AlignLeft);
    page.drawText(dateOf(record.value(1)), 15, 8.5f, Qt::AlignLeft);
    const QString illuminance = value(evaluation.illuminance, 2);
    page.drawText(illuminance == dash ? dash : illuminance + QStringLiteral(" lx"), 15, 10,
                  Qt::AlignLeft);
    row(page, 55, 75, 7, QStringLiteral("Tcp"), value(q.cct, 0), QStringLiteral("K"));
    row(page, 55, 75, 8.5f, QStringLiteral("Duv"), value(q.duv, 4));
    const QString note = computed ? cctNote(q) : problemText(evaluation);
    if (!note.isEmpty()) {
        page.setFont(12, QFont::Normal, family);
        page.drawText(note, 0, 11.5f, Qt::AlignLeft);
    }

    // TM-30: the indices, the colour vector graphic and the values by hue.
    heading(page, QStringLiteral("Colour Rendition (TM-30)"), 14);
    row(page, 0, 18, 17, QStringLiteral("Rf"), value(q.tm30.rf, 0));
    row(page, 0, 18, 18.5f, QStringLiteral("Rg"), value(q.tm30.rg, 0));
    row(page, 0, 18, 20, QStringLiteral("CIE 2017 Rf"), value(q.cie2017Rf, 0));
    const ColorFidelity none = undeterminedColorFidelity();
    const ColorFidelity& tm30 = computed ? q.tm30 : none;
    graphicsFont(page);
    painter->drawText(page.transformToLogicalCoordinate(0, 22.2f, 40, 1.5f), Qt::AlignCenter,
                      QStringLiteral("Colour vector graphic (black: reference, red: test)"));
    QualityGraphics::paintColorVectorGraphic(
        painter, page.transformToLogicalCoordinate(0, 23.8f, 40, 24.5f), tm30);
    QualityGraphics::paintBars(painter, page.transformToLogicalCoordinate(44, 17.2f, 56, 15.5f),
                               QualityGraphics::binBars(tm30.binFidelity), 0, 100, 20,
                               QStringLiteral("Local colour fidelity Rf,h"));
    QualityGraphics::paintBars(painter, page.transformToLogicalCoordinate(44, 33, 56, 15.5f),
                               QualityGraphics::binBars(tm30.binChromaShift), -40, 40, 20,
                               QStringLiteral("Local chroma shift Rcs,h (%)"));

    // α-opic quantities, one receptor a row.
    heading(page, QStringLiteral("α-opic Quantities"), 50.5f);
    const float columns[3] = {36, 48, 58}; // where each column's values end
    labelFont(page);
    page.drawText(QStringLiteral("Receptor"), 0, 53.5f, Qt::AlignLeft);
    page.drawText(QStringLiteral("Irradiance mW/m²"), columns[0], 53.5f, Qt::AlignRight);
    page.drawText(QStringLiteral("EDI lx"), columns[1], 53.5f, Qt::AlignRight);
    page.drawText(QStringLiteral("DER"), columns[2], 53.5f, Qt::AlignRight);
    page.drawLine(0, 55.6f, columns[2], 55.6f);
    static const char* const receptors[alphaOpicCount] = {"S-cone", "M-cone", "L-cone", "Rhodopic",
                                                          "Melanopic"};
    for (int a = 0; a < alphaOpicCount; ++a) {
        const float y = 55.5f + 1.5f * a;
        labelFont(page);
        page.drawText(QString::fromUtf8(receptors[a]), 0, y, Qt::AlignLeft);
        valueFont(page);
        page.drawText(value(q.irradiance[a] * 1000, 3), columns[0], y, Qt::AlignRight);
        page.drawText(value(q.edi[a], 1), columns[1], y, Qt::AlignRight);
        page.drawText(value(q.der[a], 3), columns[2], y, Qt::AlignRight);
    }
    row(page, 66, 90, 55.5f, QStringLiteral("Melanopic EDI"), value(q.edi[AlphaMelanopic], 1),
        QStringLiteral("lx"));
    row(page, 66, 90, 57, QStringLiteral("Melanopic DER"), value(q.der[AlphaMelanopic], 3));

    // Photosynthetic photons: PPFD and its bands, with each band's share of it.
    heading(page, QStringLiteral("Photosynthetic Photon Flux"), 64.5f);
    const QString flux = QStringLiteral("µmol/(m²·s)");
    const char* const ranges[4] = {"400–499 nm", "500–599 nm", "600–700 nm", "701–780 nm"};
    const QStringList names = {"Blue", "Green", "Red", "Far red"};
    row(page, 0, 37, 67.5f, QStringLiteral("PPFD"), value(q.ppfd, 1), flux);
    labelFont(page);
    page.drawText(QStringLiteral("400–700 nm"), 10, 67.5f, Qt::AlignLeft);
    QVector<QualityGraphics::Bar> bars = QualityGraphics::bandBars(q, names, 1);
    for (int b = 0; b < bars.size(); ++b) {
        if (!computed)
            bars[b] = {names.at(b), qQNaN(), bars.at(b).colour, QString()};
        const float y = 69.5f + 1.5f * b;
        row(page, 0, 37, y, names.at(b), value(bars.at(b).value, 1), flux);
        labelFont(page);
        page.drawText(QString::fromUtf8(ranges[b]), 10, y, Qt::AlignLeft);
    }
    double high, step;
    QualityGraphics::barScale(bars, &high, &step);
    graphicsFont(page);
    QualityGraphics::paintBars(painter, page.transformToLogicalCoordinate(54, 67.5f, 46, 16), bars,
                               0, high, step, QStringLiteral("Photon flux density ") + flux);

    // The shape of the spectrum.
    heading(page, QStringLiteral("Spectral Shape"), 86);
    row(page, 0, 37, 89, QStringLiteral("Peak wavelength λp"), value(q.shape.peak, 1),
        QStringLiteral("nm"));
    row(page, 0, 37, 90.5f, QStringLiteral("FWHM"), value(q.shape.fwhm, 1), QStringLiteral("nm"));
    row(page, 0, 37, 92, QStringLiteral("Centroid λc"), value(q.shape.centroid, 1),
        QStringLiteral("nm"));
    row(page, 55, 75, 89, QStringLiteral("S/P ratio"), value(q.spRatio, 2));
    painter->restore();
}

} // namespace QualityReport
