#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

// Measurement records as comma-separated text: a header line, then one record
// a line, every entry as it is, no quoting.
class TKIOStream : public QObject
{
    Q_OBJECT

public:
    explicit TKIOStream(QObject* parent = nullptr);

    // Why the last read failed.
    enum class ReadError
    {
        None,
        CannotRead,  // missing, unreadable, or a read error
        NotAFile,    // a folder, a device, a pipe
        TooLarge,    // far beyond what a data file can hold
        NotDataFile, // the first line is not a data file's header
        Cancelled,   // the progress report asked to stop
    };
    ReadError readError() const { return lastReadError; }
    // Why the last read or write failed, in English, for logs and tools.
    QString errorString() const { return error; }

    // Bounds of a data file: 10,000 records take 22 MB, a record 430 fields.
    static constexpr qint64 maxFileBytes = qint64(1) << 30;
    static constexpr int maxLineChars = 64 << 20;
    static constexpr int maxFields = 10000000;

    // Called now and then during a read (bytes) or a write (records) with how
    // far it is; returning false stops it: a read then fails as Cancelled, a
    // write leaves an existing file as it was (cancelled() tells). A write
    // that has to replace the file in place (see writeSolvaneData) goes on.
    using ProgressReport = std::function<bool(qint64 done, qint64 total)>;
    void setProgressReport(ProgressReport report) { progressReport = std::move(report); }
    bool cancelled() const { return wasCancelled; }

public slots:
    // The file to work on (a file path, whatever the name says).
    void setFileDirectory(QString dir);
    // True only when everything was written; the file is replaced as a whole,
    // so a failed write leaves an existing file as it was.
    bool writeSolvaneData(QStringList tag, QList<QStringList> data);
    // Appends the header's fields to *tag and every further line, split at
    // each comma, to *data; lines end in LF, CR LF or CR. False when the file
    // cannot be read or is not a data file (readError() says which); *tag and
    // *data are then unchanged.
    bool readSolvaneData(QStringList* tag, QList<QStringList>* data);

private:
    bool failRead(ReadError reason, const QString& why);

    bool keepGoing(qint64 done, qint64 total) const
    {
        return !progressReport || progressReport(done, total);
    }

    QString path;
    QString error;
    ProgressReport progressReport;
    bool wasCancelled = false;
    ReadError lastReadError = ReadError::None;
};
