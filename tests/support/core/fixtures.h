#pragma once

// Files, the working directory, the log and the virtual meter around a test.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <mutex>
#include <optional>

// "<unreadable>" for a file that cannot be read: a missing file never passes for an empty one.
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

// The text pdftotext extracts; empty, and a warning, when it finds fault with the file.
inline QString pdfText(const QString& pdf, const QStringList& options = {"-layout"})
{
    QProcess process;
    process.start("pdftotext", options + QStringList{pdf, "-"});
    const bool read = process.waitForFinished() && process.exitCode() == 0;
    const QByteArray complaint = process.readAllStandardError();
    if (read && complaint.isEmpty())
        return QString::fromUtf8(process.readAllStandardOutput());
    qWarning("pdftotext %s: %s", qPrintable(pdf), complaint.constData());
    return QString();
}

// An empty temporary working directory while it lives; std::optional::emplace()
// lets the last one go before it makes the next.
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

// Keeps every message logged while it lives, off the console. One at a time,
// made after Qt Test installs its handler (in a test or init()).
class LogRecorder
{
public:
    LogRecorder() : before(qInstallMessageHandler(record)) { current = this; }
    ~LogRecorder()
    {
        current = nullptr;
        qInstallMessageHandler(before);
    }
    Q_DISABLE_COPY(LogRecorder)
    QStringList lines;

private:
    // The meter's read-out logs from its own thread.
    static void record(QtMsgType, const QMessageLogContext&, const QString& text)
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (current)
            current->lines << text;
    }
    static inline std::mutex lock;
    static inline LogRecorder* current = nullptr;
    const QtMessageHandler before;
};

// The virtual meter as it leaves the factory, whatever an earlier test set.
inline void resetVirtualMeter()
{
    for (const char* name :
         {"TORVIK_VM_RECORDS", "TORVIK_VM_RECORD_COUNT", "TORVIK_VM_DISCONNECTED",
          "TORVIK_VM_FAIL_AT", "TORVIK_VM_LATENCY_MS", "TORVIK_VM_GARBAGE"})
        qunsetenv(name);
}
