#pragma once

#include <QString>
#include <QStringList>

// Text forms of a measurement record: 0 name, 1 date, 2 illuminance, 3–28 the
// colorimetric items, then the intensities from 380 nm in 1-nm steps.
namespace MeasurementRecord {

constexpr int itemCount = 26;
constexpr int firstItem = 3;
constexpr int firstIntensity = 29;

// "NO.%1" with at least three digits.
QString name(int ordinal);
QString illuminanceText(double lux);
// The 26 result slots as entries 3–28, in record order.
QStringList itemTexts(const double* results);
QString intensityText(double intensity);

} // namespace MeasurementRecord
