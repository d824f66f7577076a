#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// Records side by side: the items as the records give them, with the
// mired and Δu'v' rows derived from them and the key light-quality measures,
// and each record's difference to the first. No widgets: the Compare window,
// its clipboard text and its export all read the same table.
namespace RecordComparison {

// More columns would no longer be readable side by side.
constexpr int maxRecords = 12;

// A row is marked when a record differs from the first by more than these.
struct Thresholds
{
    double chromaticity = 0.0010; // Δu'v'
    double cct = 100;             // K
};

// Which threshold a row is held against.
enum class Limit
{
    None,
    Chromaticity,
    Cct,
};

struct Row
{
    QString label; // translated, symbols as the window shows them
    int decimals = 0;
    Limit limit = Limit::None;
    // Per record: the text shown, empty when undetermined or, for Δu'v',
    // when a single record has no value.
    QStringList values;
    // Per record after the first (index 0 is the second record): its value
    // minus the first's, and what the threshold is held against (the mired
    // row's K difference); NaN when undetermined.
    QVector<double> deltas;
    QVector<double> judged;
};

struct Table
{
    QStringList names, dates; // of the records compared
    QList<Row> rows;
    int omitted = 0; // records after the first maxRecords, left out
};

// Any record may be short or hold text that is not a number: what it lacks
// is undetermined.
Table compare(const QList<QStringList>& records);

// Whether the record after the first at `index` differs beyond the row's threshold.
bool isBeyond(const Row& row, int index, const Thresholds& thresholds);
// Whether any record does.
bool isMarked(const Row& row, const Thresholds& thresholds);
// "+12.30", "-0.0012", "0.00" for what rounds to zero; empty when undetermined.
QString deltaText(double delta, int decimals);

// The table as lines of fields: "Item", the names, one "Δ to first" column a
// record after the first and "Beyond threshold"; then "Date" and the dates;
// then a line a row. Undetermined values are empty fields.
QList<QStringList> fieldLines(const Table& table, const Thresholds& thresholds);
// Tab-separated lines, for pasting into a spreadsheet.
QString tabSeparatedText(const Table& table, const Thresholds& thresholds);
// The same as a data file's header and lines (TKIOStream, which does not
// quote: a comma or tab within a field
// becomes a space).
QStringList exportHeader(const Table& table, const Thresholds& thresholds);
QList<QStringList> exportLines(const Table& table, const Thresholds& thresholds);

} // namespace RecordComparison
