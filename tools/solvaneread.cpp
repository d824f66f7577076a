// Reads every record stored in the meter into a data file, the same file the
// window exports after Read with every row selected.
//   solvane-read [--observer 0|1] OUT.csv
// Exit codes: 0 every record read; 1 the meter failed or the read-out was
// interrupted (what was read is written all the same); 2 bad arguments or a
// file that cannot be written.

#include "MeterReadout.h"
#include "TKIOStream.h"
#include "measurementrecord.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <optional>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr int incomplete = 1;
constexpr int failure = 2;
const char usage[] = "Usage: solvane-read [--observer 0|1] OUT.csv\n";

int fail(const QString& message, bool showUsage = false)
{
    std::fprintf(stderr, "solvane-read: %s\n%s", qPrintable(message), showUsage ? usage : "");
    return failure;
}

// Progress is for a person watching, not for a log or a pipe.
bool stderrIsTerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

QString recordCount(int count)
{
    return count == 1 ? QStringLiteral("1 record") : QStringLiteral("%1 records").arg(count);
}

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

// Only a flag here: the read-out is cancelled from the event loop. The handler
// is put back because Windows resets it before the call; a further Ctrl+C
// while the exchange in flight ends must not lose the records either.
void onInterrupt(int)
{
    interrupted = true;
    std::signal(SIGINT, onInterrupt);
}

// Checked before the read-out, which can take minutes: why the data file could
// not be written, empty when it plausibly can. A link is followed as the save
// does, to where the file will be.
QString whyUnwritable(const QString& path)
{
    QFileInfo file(path);
    for (int links = 0; file.isSymLink() && links < 128; ++links)
        file.setFile(file.symLinkTarget());
    if (file.isDir())
        return QStringLiteral("is a folder");
    if (file.exists()) {
        // A device or a pipe would be replaced by the saved file, not written.
        if (!file.isFile())
            return QStringLiteral("not a regular file");
        return file.isWritable() ? QString() : QStringLiteral("Permission denied");
    }
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("no folder %1").arg(folder.filePath());
    if (!folder.isWritable())
        return QStringLiteral("cannot make a file in %1").arg(folder.filePath());
    return QString();
}

} // namespace

int main(int argc, char* argv[])
{
    // The meter layer logs every exchange at debug level.
    static QtMessageHandler standardHandler = nullptr;
    standardHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type != QtDebugMsg)
                standardHandler(type, context, text);
        });
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("solvane-read"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads every record stored in the meter into a data file, the file the window\n"
        "exports after Read with every row selected.\n\n"
        "Exit codes: 0 every record read; 1 the meter failed or the read-out was\n"
        "interrupted (Ctrl+C), and the records read so far are written; 2 bad arguments\n"
        "or a file that cannot be written."));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOption({{QStringLiteral("o"), QStringLiteral("observer")},
                      QStringLiteral("0 for the CIE 1931 2° observer (default), 1 for the CIE "
                                     "1964 10° observer, as the window's choice."),
                      QStringLiteral("0|1"),
                      QStringLiteral("0")});
    parser.addPositionalArgument(QStringLiteral("OUT.csv"), QStringLiteral("The data file."));
    // process() would end a usage error with exit code 1; every error here is 2.
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText(), true);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1 || files.at(0).isEmpty())
        return fail(QStringLiteral("expected one output file"), true);
    const QString& path = files.at(0);
    const QString observerText = parser.value(QStringLiteral("observer"));
    if (observerText != QLatin1String("0") && observerText != QLatin1String("1"))
        return fail(QStringLiteral("observer '%1' must be 0 or 1").arg(observerText), true);
    const int observer = observerText.toInt();
    const QString why = whyUnwritable(path);
    if (!why.isEmpty())
        return fail(path + QStringLiteral(": cannot be written: ") + why);

    // Records are made here, on the main thread, in the order the meter gives
    // them, exactly as the window makes them.
    MeterReadout readout;
    QList<QStringList> records;
    const bool showProgress = stderrIsTerminal();
    const auto showProgressLine = [&] {
        if (showProgress) {
            std::fprintf(stderr, "\r%s read", qPrintable(recordCount(records.size())));
            std::fflush(stderr);
        }
    };
    const auto takeReadings = [&] {
        for (const StoredReading& reading : readout.takeReadings())
            records.append(
                MeasurementRecord::fromReading(records.size(), reading.time, reading.illuminance,
                                               reading.intensity.data(), reading.ratio, observer));
        showProgressLine();
    };
    std::optional<MeterReadout::Outcome> outcome;
    QObject::connect(&readout, &MeterReadout::readingsArrived, &readout, takeReadings);
    QObject::connect(&readout, &MeterReadout::finished, &readout, [&](MeterReadout::Outcome end) {
        takeReadings();
        outcome = end;
        QCoreApplication::quit();
    });
    QTimer interruptWatch;
    QObject::connect(&interruptWatch, &QTimer::timeout, &readout, [&] {
        if (interrupted) {
            interruptWatch.stop();
            readout.cancel();
        }
    });
    interruptWatch.start(50);
    std::signal(SIGINT, onInterrupt);
    showProgressLine(); // while the first exchange runs
    readout.start();
    app.exec();
    if (showProgress)
        std::fputs("\n", stderr);

    TKIOStream stream;
    stream.setFileDirectory(path);
    if (!stream.writeSolvaneData(MeasurementRecord::fieldNames(), records))
        return fail(QStringLiteral("%1: cannot be written: %2; %3 read and not written")
                        .arg(path, stream.errorString(), recordCount(records.size())));
    const QString written = recordCount(records.size()) + QStringLiteral(" written to ") + path;
    switch (outcome.value_or(MeterReadout::Outcome::Failed)) {
    case MeterReadout::Outcome::Completed:
        std::fprintf(stderr, "solvane-read: %s\n", qPrintable(written));
        return 0;
    case MeterReadout::Outcome::Failed:
        std::fprintf(stderr, "solvane-read: the meter failed after %s; %s\n",
                     qPrintable(recordCount(records.size())), qPrintable(written));
        return incomplete;
    case MeterReadout::Outcome::Cancelled:
        break;
    }
    std::fprintf(stderr, "solvane-read: interrupted after %s; %s\n",
                 qPrintable(recordCount(records.size())), qPrintable(written));
    return incomplete;
}
