#include "TKIOStream.h"

#include "measurementrecord.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QTextCodec>

TKIOStream::TKIOStream(QObject* parent) : QObject(parent) {}

namespace {

// A short write sets no error; the write after it fails and says why (a full disk).
bool writeAll(QFileDevice& file, const QByteArray& bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

void TKIOStream::setFileDirectory(QString dir)
{
    path = dir;
}

bool TKIOStream::writeSolvaneData(QStringList tag, QList<QStringList> data)
{
    wasCancelled = false;
    // Where no temporary file can be made the old file is already gone once
    // writing starts: stopping then would lose both.
    // Trying is the one test that holds for every kind of permission; only a
    // write that can be asked to stop needs it.
    bool stoppable = false;
    if (progressReport) {
        QTemporaryFile probe(QFileInfo(path).absolutePath() + QStringLiteral("/.solvane-XXXXXX"));
        stoppable = probe.open();
    }
    QSaveFile file(path);
    // A user may be allowed to write the file but not to create the temporary
    // one beside it; the file is then written in place.
    file.setDirectWriteFallback(true);
    // Unbuffered, and written in blocks by writeAll: a buffered file or a text
    // stream drops a short write and with it the reason for the failure.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Unbuffered)) {
        qDebug() << "打开文件失败!   错误原因:" << file.errorString();
        error = file.errorString();
        return false;
    }
    // In the system's encoding without a byte-order mark, as a text stream writes.
    const QScopedPointer<QTextEncoder> encoder(
        QTextCodec::codecForLocale()->makeEncoder(QTextCodec::IgnoreHeader));
    QString block = tag.join(',') + '\n';
    bool written = true;
    for (int i = 0; written && i < data.size(); ++i) {
        if (i % 256 == 0 && !keepGoing(i, data.size()) && stoppable) {
            file.cancelWriting();
            wasCancelled = true;
            error = QStringLiteral("cancelled");
            return false;
        }
        block += data.at(i).join(',') + '\n';
        if (block.size() >= 1 << 20) {
            written = writeAll(file, encoder->fromUnicode(block));
            block.clear();
        }
    }
    // Only now does the new file take the old one's place.
    if (!written || !writeAll(file, encoder->fromUnicode(block)) || !file.commit()) {
        qDebug() << "写入文件失败!   错误原因:" << file.errorString();
        error = file.errorString();
        return false;
    }
    return true;
}

bool TKIOStream::failRead(ReadError reason, const QString& why)
{
    qDebug() << "读取文件失败!  错误原因:" << why;
    lastReadError = reason;
    error = why;
    return false;
}

bool TKIOStream::readSolvaneData(QStringList* tag, QList<QStringList>* data)
{
    lastReadError = ReadError::None;
    error.clear();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return failRead(ReadError::NotAFile, QStringLiteral("not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "打开文件失败!  错误原因:" << file.errorString();
        lastReadError = ReadError::CannotRead;
        error = file.errorString();
        return false;
    }
    if (file.size() > maxFileBytes)
        return failRead(ReadError::TooLarge, QStringLiteral("larger than 1 GiB"));
    const qint64 size = file.size();

    // Read in blocks and split at LF, CR LF and CR, so that no line can grow
    // without bound and files from old spreadsheets (CR only) read as lines.
    // Text is in the system's encoding unless a byte-order mark says otherwise.
    QScopedPointer<QTextDecoder> decoder;
    QStringList header;
    bool haveHeader = false;
    QList<QStringList> records;
    QString line;
    int commas = 0;
    bool afterCR = false; // an LF right after a CR ends no further line
    const auto append = [&](const QStringRef& part) {
        commas += part.count(QLatin1Char(','));
        if (commas >= maxFields)
            return failRead(ReadError::TooLarge,
                            QStringLiteral("a line of more than %1 fields").arg(maxFields));
        if (line.size() + part.size() > maxLineChars)
            return failRead(ReadError::TooLarge,
                            QStringLiteral("a line of more than %1 characters").arg(maxLineChars));
        line.append(part);
        return true;
    };
    const auto endLine = [&]() {
        if (haveHeader) {
            records.append(line.split(QLatin1Char(',')));
        } else {
            header = line.split(QLatin1Char(','));
            haveHeader = true;
            if (!MeasurementRecord::isFieldNames(header))
                return failRead(ReadError::NotDataFile, QStringLiteral("not a Solvane data file"));
        }
        line.clear();
        commas = 0;
        return true;
    };
    for (qint64 total = 0;;) {
        if (!keepGoing(total, size))
            return failRead(ReadError::Cancelled, QStringLiteral("cancelled"));
        const QByteArray block = file.read(1 << 20);
        if (block.isEmpty())
            break;
        total += block.size();
        if (total > maxFileBytes)
            return failRead(ReadError::TooLarge, QStringLiteral("larger than 1 GiB"));
        if (!decoder)
            decoder.reset(
                QTextCodec::codecForUtfText(block, QTextCodec::codecForLocale())->makeDecoder());
        const QString text = decoder->toUnicode(block);
        int from = 0;
        if (afterCR && text.startsWith(QLatin1Char('\n')))
            from = 1;
        afterCR = false;
        for (int i = from; i < text.size(); ++i) {
            const ushort c = text.at(i).unicode();
            if (c != '\n' && c != '\r')
                continue;
            if (!append(text.midRef(from, i - from)) || !endLine())
                return false;
            if (c == '\r') {
                if (i + 1 == text.size())
                    afterCR = true;
                else if (text.at(i + 1) == QLatin1Char('\n'))
                    ++i;
            }
            from = i + 1;
        }
        if (!append(text.midRef(from)))
            return false;
    }
    if (file.error() != QFileDevice::NoError)
        return failRead(ReadError::CannotRead, file.errorString());
    if ((!line.isEmpty() || !haveHeader) && !endLine())
        return false;
    *tag << header;
    *data << records;
    return true;
}
