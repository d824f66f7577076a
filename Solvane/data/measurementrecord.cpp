#include "measurementrecord.h"

#include "colorimetry.h"

#include <cmath>

namespace MeasurementRecord {

namespace {

QString fixed(double value, const Item& item)
{
    return QString::number(value, 'f', item.decimals);
}

bool isAscii(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() > 0x7f)
            return false;
    return true;
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
    return fixed(lux, items[0]);
}

QStringList itemTexts(const double* results)
{
    QStringList texts;
    texts.reserve(itemTotal - 1);
    for (const Item& item : items)
        if (item.slot >= 0)
            texts << fixed(results[item.slot], item);
    return texts;
}

QString intensityText(double intensity)
{
    return QString::number(intensity, 'g', 6);
}

bool readNumber(const QString& text, double* value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && std::isfinite(*value);
}

QStringList fromReading(int ordinal, const QDateTime& time, double illuminance,
                        const double* intensity, double ratio, int observer)
{
    ColorimetricResult results;
    initPlanckianTable();
    calculateColorParameters(intensity, spectrumLength, results, observer, ratio);
    QStringList record;
    record.reserve(fullSize);
    record << name(ordinal) << dateText(time) << illuminanceText(illuminance) << itemTexts(results);
    for (int i = 0; i < spectrumLength; ++i)
        record << intensityText(intensity[i]);
    return record;
}

QStringList fieldNames()
{
    QStringList names{"Data", "Date"};
    for (const Item& item : items)
        names << QString::fromUtf8(item.header);
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
        if (!isAscii(expected.at(i)))
            continue;
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
