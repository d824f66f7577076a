#pragma once

// What the tests and benchmarks set up around the code they exercise, without
// widgets: files, the working directory, the log and the virtual meter.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <optional>

// What the file holds; "<unreadable>" when it cannot be read, so that a
// missing file never passes for an empty one.
inline QByteArray fileContents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// True when all of `content` was written.
inline bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush();
}

// The text of a PDF as a PDF reader extracts it; nothing, and the reader's
// complaint in the log, when the reader finds fault with the file.
inline QString pdfText(const QString& pdf, const QStringList& options = {"-layout"})
{
    QProcess process;
    process.start("pdftotext", options + QStringList{pdf, "-"});
    const bool read = process.waitForFinished() && process.exitCode() == 0;
    const QByteArray complaint = process.readAllStandardError();
    if (!read || !complaint.isEmpty()) {
        qWarning("pdftotext %s: %s", qPrintable(pdf), complaint.constData());
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// An empty temporary folder as the working directory while it lives (what the
// application reads and writes by bare name lands there); the one before
// comes back afterwards. Kept in a std::optional, emplace() lets the last one
// go before it makes the next.
class WorkingDirectory : public QTemporaryDir
{
public:
    WorkingDirectory() : entered(QTemporaryDir::isValid() && QDir::setCurrent(path())) {}
    ~WorkingDirectory() { QDir::setCurrent(previous); }
    bool isValid() const { return entered; }

private:
    const QString previous = QDir::currentPath();
    const bool entered;
};

// Takes over Qt's log while it lives, keeping each message's text, and hands
// it back to the handler before. Qt Test installs its own handler when the
// tests start: create it in a test function or init(), not before.
class LogRecorder
{
public:
    LogRecorder();
    ~LogRecorder();
    Q_DISABLE_COPY(LogRecorder)

    QStringList lines;

private:
    LogRecorder* const before;
    const QtMessageHandler handlerBefore;
};

// The virtual meter as it leaves the factory: none of its settings left in
// the environment, whatever an earlier test or the caller's shell set.
inline void resetVirtualMeter()
{
    for (const char* name :
         {"TORVIK_VM_RECORDS", "TORVIK_VM_RECORD_COUNT", "TORVIK_VM_DISCONNECTED",
          "TORVIK_VM_FAIL_AT", "TORVIK_VM_LATENCY_MS", "TORVIK_VM_GARBAGE"})
        qunsetenv(name);
}
