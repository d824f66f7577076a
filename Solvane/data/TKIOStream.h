#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

// Measurement records as comma-separated text: a header line, then one record
// a line, every entry as it is, no quoting.
class TKIOStream : public QObject
{
    Q_OBJECT

public:
    explicit TKIOStream(QObject* parent = nullptr);

public slots:
    // The file to work on (a file path, whatever the name says).
    void setFileDirectory(QString dir);
    // True only when everything was written; the file is replaced as a whole,
    // so a failed write leaves an existing file as it was.
    bool writeSolvaneData(QStringList tag, QList<QStringList> data);
    // Appends the header's fields to *tag and every further line, split at
    // each comma, to *data. False when the file cannot be read; *tag and *data
    // are then unchanged.
    bool readSolvaneData(QStringList* tag, QList<QStringList>* data);

private:
    QString path;
};
