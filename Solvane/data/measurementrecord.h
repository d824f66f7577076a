#pragma once

#include "recorditems.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// Text forms of a measurement record: 0 name, 1 date, 2 illuminance, 3–28 the
// colorimetric items (recorditems.h), then the intensities from 380 nm in 1-nm
// steps.
namespace MeasurementRecord {

constexpr int firstIntensity = firstItemEntry + itemTotal;
constexpr int spectrumLength = 401;
constexpr int fullSize = firstIntensity + spectrumLength;
// Entries of the chromaticity coordinates x, y (entryX + 1), u', v' (entryU + 1).
constexpr int entryX = entryOf(SlotX1931);
constexpr int entryU = entryOf(SlotU1976);
static_assert(entryOf(SlotY1931) == entryX + 1 && entryOf(SlotV1976) == entryU + 1,
              "the plots and the report read y after x and v' after u'");

// Where a record of `size` entries keeps its values. A full record, or a longer
// one (a spreadsheet's added column, a line ending in a comma), has them where
// the header names them and the rest is ignored; one with room for a spectrum
// but not for every item has the spectrum in its last 401 entries and its
// items from entry 2 up to there; a shorter one (a cut-off line of a file) is
// read in the full layout as far as it goes. Nothing outside [0, size) is ever
// named.
struct Layout
{
    int itemEnd;       // items are entries 2 .. itemEnd - 1
    int spectrumBegin; // intensity at 380 + i nm is entry spectrumBegin + i
    int spectrumCount; // how many intensities the record has
};
Layout layout(int size);

// "NO.%1" with at least three digits.
QString name(int ordinal);
// The meter's time stamp as ISO text without a zone ("2021-03-28T02:30:00"):
// the meter keeps wall-clock time. Empty for an invalid stamp.
QString dateText(const QDateTime& stamp);
QString illuminanceText(double lux);
// The computed items' texts (entries 3–28) from the result slots.
QStringList itemTexts(const double* results);
QString intensityText(double intensity);
// A value text read back as a number: false for text that is none, or is
// not finite ("nan", "inf"), as undetermined values and edited files hold.
bool readNumber(const QString& text, double* value);
// Record `ordinal` as the engine computes it from a stored reading of the
// meter with the observer chosen for the read-out (0: 2°, 1: 10°).
QStringList fromReading(int ordinal, const QDateTime& time, double illuminance,
                        const double* intensity, double ratio, int observer);
// The names of the 430 entries, the header line of a data file.
QStringList fieldNames();
// Whether a data file's first line is this header: its names match as far as
// they go, at least through the items; names outside ASCII ("λd", "△uv") may
// come in any form, since another code page may have mangled them, and names
// after the 430th (a spreadsheet's own columns) do not count.
bool isFieldNames(const QStringList& names);

} // namespace MeasurementRecord
