#include "recordcomparison.h"

#include "measurementrecord.h"
#include "recordquality.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace RecordComparison {

namespace {

constexpr double undetermined = std::numeric_limits<double>::quiet_NaN();

QString translated(const char* text)
{
    return QCoreApplication::translate("RecordComparison", text);
}

double numberOf(const QString& text)
{
    double value;
    return MeasurementRecord::readNumber(text, &value) ? value : undetermined;
}

QString valueText(double value, int decimals)
{
    return std::isfinite(value) ? RecordQuality::shownNumber(value, decimals) : QString();
}

QVector<double> differences(const QVector<double>& values)
{
    QVector<double> deltas;
    for (int k = 1; k < values.size(); ++k)
        deltas << values.at(k) - values.at(0);
    return deltas;
}

// A row of numbers, each record's shown with `texts`.
Row numberRow(const QString& label, int decimals, Limit limit, const QVector<double>& values,
              const QStringList& texts)
{
    Row row;
    row.label = label;
    row.decimals = decimals;
    row.limit = limit;
    row.values = texts;
    row.deltas = differences(values);
    row.judged =
        limit == Limit::None ? QVector<double>(row.deltas.size(), undetermined) : row.deltas;
    return row;
}

Row computedRow(const QString& label, int decimals, Limit limit, const QVector<double>& values)
{
    QStringList texts;
    for (double value : values)
        texts << valueText(value, decimals);
    return numberRow(label, decimals, limit, values, texts);
}

QString itemLabel(int index)
{
    const MeasurementRecord::Item& item = MeasurementRecord::items[index];
    const QString symbol = QString::fromUtf8(item.symbol);
    // The table has no unit for Tcp; here it names the threshold's unit.
    const QString unit = item.slot == SlotCCT ? QStringLiteral("K") : QString::fromUtf8(item.unit);
    return unit.isEmpty() ? symbol : QStringLiteral("%1 (%2)").arg(symbol, unit);
}

// A field as one cell, whatever the record's texts hold.
QString oneField(QString text, const QString& separators)
{
    for (const QChar c : separators)
        text.replace(c, QLatin1Char(' '));
    return text;
}

QList<QStringList> separatedLines(const QList<QStringList>& lines, const QString& separators)
{
    QList<QStringList> result;
    for (const QStringList& line : lines) {
        QStringList fields;
        for (const QString& field : line)
            fields << oneField(field, separators);
        result << fields;
    }
    return result;
}

} // namespace

Table compare(const QList<QStringList>& records)
{
    using namespace MeasurementRecord;
    Table table;
    const QList<QStringList> compared = records.mid(0, maxRecords);
    table.omitted = records.size() - compared.size();

    // The item texts by record, empty where a record has none.
    QVector<QStringList> itemTextsOf;
    for (const QStringList& record : compared) {
        table.names << record.value(0);
        table.dates << record.value(1);
        const int itemEnd = layout(record.size()).itemEnd;
        QStringList texts;
        for (int i = 0; i < itemTotal; ++i) {
            const int entry = firstItemEntry + i;
            texts << (entry < itemEnd ? record.at(entry) : QString());
        }
        itemTextsOf << texts;
    }

    const int cctItem = entryOf(SlotCCT) - firstItemEntry;
    const int uItem = entryU - firstItemEntry;
    const int vItem = uItem + 1;
    QVector<QVector<double>> itemValues(itemTotal);
    for (int i = 0; i < itemTotal; ++i) {
        QStringList texts;
        for (const QStringList& recordTexts : itemTextsOf) {
            const double value = numberOf(recordTexts.at(i));
            itemValues[i] << value;
            // The record's own text, so that the table reads as the record does.
            texts << (std::isfinite(value) ? recordTexts.at(i) : QString());
        }
        const Limit limit = i == cctItem ? Limit::Cct : Limit::None;
        table.rows << numberRow(itemLabel(i), items[i].decimals, limit, itemValues[i], texts);

        if (i == cctItem) {
            QVector<double> mired;
            for (double kelvin : itemValues[i])
                mired << (kelvin > 0 ? 1e6 / kelvin : undetermined);
            Row row = computedRow(translated(QT_TRANSLATE_NOOP("RecordComparison", "Tcp in mired")),
                                  1, Limit::Cct, mired);
            // Judged in K, as the threshold is given, where the mired value is determined.
            row.judged = table.rows.last().deltas;
            for (int k = 0; k < row.judged.size(); ++k)
                if (!std::isfinite(row.deltas.at(k)))
                    row.judged[k] = undetermined;
            table.rows << row;
        }
        if (i == vItem) {
            Row row;
            row.label = QStringLiteral("Δu'v'");
            row.decimals = items[uItem].decimals;
            row.limit = Limit::Chromaticity;
            row.values = QVector<QString>(compared.size()).toList();
            const QVector<double> du = differences(itemValues[uItem]);
            const QVector<double> dv = differences(itemValues[vItem]);
            for (int k = 0; k < du.size(); ++k)
                row.deltas << std::sqrt(du.at(k) * du.at(k) + dv.at(k) * dv.at(k));
            row.judged = row.deltas;
            table.rows << row;
        }
    }

    QVector<double> cct, duv, rf, rg, edi, der, ppfd;
    for (const QStringList& record : compared) {
        const LightQuality q = RecordQuality::evaluate(record).quality;
        cct << q.cct;
        duv << q.duv;
        rf << q.tm30.rf;
        rg << q.tm30.rg;
        edi << q.edi[AlphaMelanopic];
        der << q.der[AlphaMelanopic];
        ppfd << q.ppfd;
    }
    table.rows << computedRow(translated(QT_TRANSLATE_NOOP("RecordComparison",
                                                           "Nearest Planckian Tcp (K)")),
                              0, Limit::Cct, cct)
               << computedRow(QStringLiteral("Duv"), 4, Limit::None, duv)
               << computedRow(QStringLiteral("Rf (TM-30)"), 0, Limit::None, rf)
               << computedRow(QStringLiteral("Rg (TM-30)"), 0, Limit::None, rg)
               << computedRow(
                      translated(QT_TRANSLATE_NOOP("RecordComparison", "Melanopic EDI (lx)")), 1,
                      Limit::None, edi)
               << computedRow(translated(QT_TRANSLATE_NOOP("RecordComparison", "Melanopic DER")), 3,
                              Limit::None, der)
               << computedRow(QStringLiteral("PPFD (µmol·m⁻²·s⁻¹)"), 1, Limit::None, ppfd);
    return table;
}

bool isBeyond(const Row& row, int index, const Thresholds& thresholds)
{
    if (row.limit == Limit::None || index < 0 || index >= row.judged.size())
        return false;
    const double limit =
        row.limit == Limit::Chromaticity ? thresholds.chromaticity : thresholds.cct;
    return std::abs(row.judged.at(index)) > limit; // false for NaN
}

bool isMarked(const Row& row, const Thresholds& thresholds)
{
    for (int k = 0; k < row.judged.size(); ++k)
        if (isBeyond(row, k, thresholds))
            return true;
    return false;
}

QString deltaText(double delta, int decimals)
{
    if (!std::isfinite(delta))
        return QString();
    const QString text = RecordQuality::shownNumber(delta, decimals);
    return delta > 0 && text.toDouble() != 0 ? QLatin1Char('+') + text : text;
}

QList<QStringList> fieldLines(const Table& table, const Thresholds& thresholds)
{
    const int others = qMax(0, table.names.size() - 1);
    QStringList names{translated(QT_TRANSLATE_NOOP("RecordComparison", "Item"))};
    names << table.names;
    for (int k = 1; k < table.names.size(); ++k)
        names << translated(QT_TRANSLATE_NOOP("RecordComparison", "Δ to first %1"))
                     .arg(table.names.at(k));
    names << translated(QT_TRANSLATE_NOOP("RecordComparison", "Beyond threshold"));
    QStringList dates{translated(QT_TRANSLATE_NOOP("RecordComparison", "Date"))};
    dates << table.dates << QVector<QString>(others + 1).toList();

    QList<QStringList> lines{names, dates};
    for (const Row& row : table.rows) {
        QStringList fields{row.label};
        fields << row.values;
        bool judged = false;
        for (int k = 0; k < row.deltas.size(); ++k) {
            fields << deltaText(row.deltas.at(k), row.decimals);
            judged = judged || std::isfinite(row.judged.at(k));
        }
        if (!judged)
            fields << QString();
        else if (isMarked(row, thresholds))
            fields << translated(QT_TRANSLATE_NOOP("RecordComparison", "yes"));
        else
            fields << translated(QT_TRANSLATE_NOOP("RecordComparison", "no"));
        lines << fields;
    }
    return lines;
}

QString tabSeparatedText(const Table& table, const Thresholds& thresholds)
{
    QString text;
    for (const QStringList& fields :
         separatedLines(fieldLines(table, thresholds), QStringLiteral("\t\r\n")))
        text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

QStringList exportHeader(const Table& table, const Thresholds& thresholds)
{
    return separatedLines(fieldLines(table, thresholds).mid(0, 1), QStringLiteral(",\t\r\n"))
        .value(0);
}

QList<QStringList> exportLines(const Table& table, const Thresholds& thresholds)
{
    return separatedLines(fieldLines(table, thresholds).mid(1), QStringLiteral(",\t\r\n"));
}

} // namespace RecordComparison
