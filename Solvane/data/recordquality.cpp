#include "recordquality.h"

#include "measurementrecord.h"

#include <cmath>
#include <limits>
#include <vector>

namespace RecordQuality {

using MeasurementRecord::readNumber;

Evaluation evaluate(const QStringList& record)
{
    Evaluation result;
    result.illuminance = std::numeric_limits<double>::quiet_NaN();
    const MeasurementRecord::Layout layout = MeasurementRecord::layout(record.size());
    std::vector<double> spectrum(MeasurementRecord::spectrumLength);
    if (layout.itemEnd <= MeasurementRecord::firstItemEntry ||
        !readNumber(record.at(MeasurementRecord::firstItemEntry), &result.illuminance)) {
        result.problem = Problem::NoIlluminance;
    } else if (layout.spectrumCount < MeasurementRecord::spectrumLength) {
        result.problem = Problem::IncompleteSpectrum;
    } else {
        for (int i = 0; i < MeasurementRecord::spectrumLength; ++i)
            if (!readNumber(record.at(layout.spectrumBegin + i), &spectrum[i])) {
                result.problem = Problem::UnreadableIntensity;
                result.wavelength = 380 + i;
                break;
            }
    }
    // An empty spectrum leaves every measure undetermined.
    if (result.problem != Problem::None)
        spectrum.clear();
    result.quality =
        calculateLightQuality(spectrum.data(), int(spectrum.size()), result.illuminance);
    return result;
}

QString exportNumber(double value)
{
    return std::isfinite(value) ? QString::asprintf("%.10g", value) : QString();
}

QString shownNumber(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("—");
    if (std::abs(value) >= 1e12)
        return QString::number(value, 'g', 4);
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.toDouble() == 0)
        text.remove(0, 1);
    return text;
}

QStringList exportHeader()
{
    QStringList names{QStringLiteral("Data"), QStringLiteral("Date"), QStringLiteral("Ev")};
    for (const NamedMeasure& measure : lightQualityMeasures(calculateLightQuality(nullptr, 0, 0)))
        names << QString::fromStdString(measure.name);
    return names;
}

QStringList exportLine(const QStringList& record, const Evaluation& evaluation)
{
    QStringList fields{record.value(0), record.value(1), exportNumber(evaluation.illuminance)};
    const bool computed = evaluation.problem == Problem::None;
    for (const NamedMeasure& measure : lightQualityMeasures(evaluation.quality))
        fields << (computed ? exportNumber(measure.value) : QString());
    return fields;
}

} // namespace RecordQuality
