#pragma once

#include "lightquality.h"

#include <QStringList>

// The light-quality measures of a measurement record, computed from its
// texts (illuminance and intensities), so that a record read from the meter
// and the same record opened from a data file give the same values; and the
// light-quality export, one line per record.
namespace RecordQuality {

// Why a record's measures could not be computed.
enum class Problem
{
    None,
    NoIlluminance,       // no illuminance entry, or one that is not a finite number
    IncompleteSpectrum,  // fewer than 401 intensities
    UnreadableIntensity, // an intensity that is not a finite number
};

struct Evaluation
{
    Problem problem = Problem::None;
    int wavelength = 0; // the unreadable intensity's, in nm
    double illuminance;
    LightQuality quality; // every value NaN unless problem is None
};

Evaluation evaluate(const QStringList& record);

// "Data,Date,Ev," and the measures' names, as the calculator names them.
QStringList exportHeader();
// Name, date, Ev and the measures with 10 significant digits; an undetermined
// value, and every value of a record with a problem, as an empty field.
QStringList exportLine(const QStringList& record, const Evaluation& evaluation);
QString exportNumber(double value);
// A measure as the window and the report show it: fixed decimals, "—" when
// undetermined, no sign on a value that rounds to zero, and exponent form for
// values beyond any real light (an illuminance typed into a data file).
QString shownNumber(double value, int decimals);

} // namespace RecordQuality
