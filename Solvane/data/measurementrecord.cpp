#include "measurementrecord.h"

#include "colorparameters.h"

namespace MeasurementRecord {

namespace {

// Record entries 3–28 take the result slots in this order; chromaticities and
// Δuv have 4 decimals, everything else 2.
constexpr int recordOrder[itemCount] = {SlotCCT,          SlotRa,           SlotR1,
                                        SlotR1 + 1,       SlotR1 + 2,       SlotR1 + 3,
                                        SlotR1 + 4,       SlotR1 + 5,       SlotR1 + 6,
                                        SlotR1 + 7,       SlotR1 + 8,       SlotR1 + 9,
                                        SlotR1 + 10,      SlotR1 + 11,      SlotR1 + 12,
                                        SlotR1 + 13,      SlotR1 + 14,      SlotDominantWavelength,
                                        SlotX1931,        SlotY1931,        SlotU1976,
                                        SlotV1976,        SlotTristimulusX, SlotTristimulusY,
                                        SlotTristimulusZ, SlotDuv};

int decimals(int slot)
{
    switch (slot) {
    case SlotX1931:
    case SlotY1931:
    case SlotU1976:
    case SlotV1976:
    case SlotDuv:
        return 4;
    default:
        return 2;
    }
}

} // namespace

QString name(int ordinal)
{
    return QStringLiteral("NO.%1").arg(ordinal, 3, 10, QLatin1Char('0'));
}

QString dateText(const QDateTime& stamp)
{
    if (!stamp.isValid())
        return QString();
    // Date and time apart: a time in the local daylight-saving gap is still
    // the meter's time, and no zone suffix is added.
    const QString date = stamp.date().toString(Qt::ISODate);
    return date.isEmpty() ? QString()
                          : date + QLatin1Char('T') + stamp.time().toString(Qt::ISODate);
}

QString illuminanceText(double lux)
{
    return QString::number(lux, 'f', 2);
}

QStringList itemTexts(const double* results)
{
    QStringList texts;
    texts.reserve(itemCount);
    for (int slot : recordOrder)
        texts << QString::number(results[slot], 'f', decimals(slot));
    return texts;
}

QString intensityText(double intensity)
{
    return QString::number(intensity, 'g', 6);
}

QStringList fieldNames()
{
    QStringList names{"Data", "Date", "Ev", "Tcp", "Ra"};
    for (int i = 1; i <= 15; ++i)
        names << QStringLiteral("R%1").arg(i);
    names << QStringLiteral("λd") << "CIE-1931 x"
          << "CIE-1931 y"
          << "CIE-1976 u"
          << "CIE-1976 v"
          << "X"
          << "Y"
          << "Z" << QStringLiteral("△uv");
    for (int i = 0; i < spectrumLength; ++i)
        names << QStringLiteral("%1 nm").arg(380 + i);
    return names;
}

bool isFieldNames(const QStringList& names)
{
    static const QStringList expected = fieldNames();
    if (names.size() < firstIntensity)
        return false;
    for (int i = 0; i < qMin(names.size(), fullSize); ++i) {
        if (i == entryX - 1 || i == firstIntensity - 1)
            continue; // λd and △uv
        QString name = names.at(i).trimmed();
        if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) &&
            name.endsWith(QLatin1Char('"')))
            name = name.mid(1, name.size() - 2);
        if (name != expected.at(i))
            return false;
    }
    return true;
}

Layout layout(int size)
{
    if (size >= fullSize)
        return {firstIntensity, firstIntensity, spectrumLength};
    if (size >= spectrumLength)
        return {qMax(2, size - spectrumLength), size - spectrumLength, spectrumLength};
    return {qMin(qMax(size, 2), firstIntensity), firstIntensity, qMax(0, size - firstIntensity)};
}

} // namespace MeasurementRecord
