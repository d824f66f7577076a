// solvane-calc, solvane-report and solvane-read run as a user runs them: what
// they refuse, what their messages say, and that a report or a data file is
// written in full or not at all.

#include "LuxEngine.h"
#include "MeterReadout.h"
#include "TKIOStream.h"
#include "colorimetry.h"
#include "fixtures.h"
#include "measurementrecord.h"
#include "recordquality.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#endif

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out, err;
};

// Limits for the child: bounded memory for one that might read without end
// (resident size under AddressSanitizer, which reserves a huge address space),
// and a disk that is full after 4 KiB, where the write fails (the signal ignored).
#ifdef __SANITIZE_ADDRESS__
const QString boundedMemory = "export ASAN_OPTIONS=\"$ASAN_OPTIONS:hard_rss_limit_mb=1024\"; ";
#else
const QString boundedMemory = "ulimit -v 1048576; ";
#endif
const QString fullDisk = "trap '' XFSZ; ulimit -f 8; ";

// The program named by the environment variable `tool`.
Run run(const char* tool, const QStringList& arguments, const QString& limits = {},
        const QString& workDir = {})
{
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.start("/bin/sh",
                  QStringList{"-c", limits + "exec \"$0\" \"$@\"", qEnvironmentVariable(tool)} +
                      arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

// The 401 values of a warm light, one a line.
QList<QByteArray> spectrumLines()
{
    QList<QByteArray> lines;
    for (int i = 0; i < measurementCount; ++i)
        lines << QByteArray::number(1000 + 100 * i);
    return lines;
}

// The virtual meter, in this process and the programs it starts, with only these settings.
void setMeter(const QList<QPair<const char*, QByteArray>>& settings)
{
    resetVirtualMeter();
    for (const auto& [name, value] : settings)
        qputenv(name, value);
}

// The lines of the data file that the window exports after reading the first
// `count` records of the meter with the observer chosen, every row selected:
// the header, the records, and the empty rest after the last end of line.
QList<QByteArray> exportedLines(const QString& file, int observer, int count = 100000)
{
    LogRecorder quiet;
    LuxEngine engine;
    QList<QStringList> records;
    for (int k = 0; k < count; ++k) {
        StoredReading reading;
        if (engine.readStoredData(k, &reading.time, &reading.illuminance, reading.intensity.data(),
                                  &reading.ratio) != LuxEngine::Succeeded)
            break;
        records << MeasurementRecord::fromReading(k, reading.time, reading.illuminance,
                                                  reading.intensity.data(), reading.ratio,
                                                  observer);
    }
    TKIOStream stream;
    stream.setFileDirectory(file);
    return stream.writeSolvaneData(MeasurementRecord::fieldNames(), records)
               ? fileContents(file).split('\n')
               : QList<QByteArray>{};
}

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QStringList record; // record 0 of the data file
    const QString data = dir.filePath("data%1%2.csv"), out = dir.filePath("out.pdf");

    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    }

private slots:
    // A data file as the window exports it: a record of the warm light of
    // spectrumLines(), then one cut short.
    void initTestCase()
    {
#ifndef Q_OS_UNIX
        QSKIP("uses /dev/zero, /dev/full and sh");
#endif
        QVERIFY(dir.isValid());
        double spectrum[measurementCount];
        for (int i = 0; i < measurementCount; ++i)
            spectrum[i] = spectrumLines().at(i).toDouble();
        ColorimetricResult results;
        initPlanckianTable();
        calculateColorParameters(spectrum, measurementCount, results, 0, 1e-7);
        record = QStringList{MeasurementRecord::name(0), "2026-01-01 08:04:11",
                             MeasurementRecord::illuminanceText(523.4)} +
                 MeasurementRecord::itemTexts(results);
        for (double value : spectrum)
            record << MeasurementRecord::intensityText(value);
        QCOMPARE(record.size(), MeasurementRecord::fullSize);
        QVERIFY(writeFile(data, (QStringList{MeasurementRecord::fieldNames().join(','),
                                             record.join(','), record.mid(0, 100).join(','), ""})
                                    .join('\n')
                                    .toUtf8()));
    }

    // Devices and anything far beyond 401 lines are no spectrum files: refused
    // before they are read. A value with a NUL is no number (the number parser
    // would stop at it). Names and values are shown as they are, %1 and all.
    void calcRefuses()
    {
        const QByteArray lines = spectrumLines().join('\n');
        QVERIFY(
            writeFile(path("large.txt"), lines + QByteArray(1024 * 1024 + 1 - lines.size(), '\n')));

        QList<QPair<QString, QString>> refused = {
            {path("large.txt"), ": larger than 1 MiB, not a spectrum file"},
            {"/dev/zero", ": not a regular file"}};
        const std::pair<QByteArray, QString> badLines[] = {
            {QByteArray("10#00").replace('#', '\0'), ":5: '10\\x0000' is not a number"},
            {QByteArray("384#,7").replace('#', '\0'), ":5: wavelength '384\\x00', expected 384 nm"},
            {"x%1", ":5: 'x%1' is not a number"}};
        for (const auto& [line, message] : badLines) {
            QList<QByteArray> lines = spectrumLines();
            lines[4] = line;
            const QString file = path("value%1%2-" + QString::number(refused.size()));
            QVERIFY(writeFile(file, lines.join('\n')));
            refused.append({file, message});
        }
        for (const auto& [file, message] : refused) {
            const Run result = run("SOLVANE_CALC", {file}, boundedMemory);
            QVERIFY(result.exitCode == 2 && result.out.isEmpty());
            QCOMPARE(QString::fromUtf8(result.err), "solvane-calc: " + file + message + '\n');
        }
    }

    // Every refusal exits with 2, says why (names shown as they are, %1 and
    // all) and writes no report. A print information file that was asked for,
    // or that is there, must be read (a missing default is no error: below).
    void reportRefuses()
    {
        const QString missing = path("missing%1%2");
        QVERIFY(QDir(dir.path()).mkdir("PrintInfo"));
        const QList<QPair<QStringList, QString>> refused = {
            {{"--unknown-option", data, out}, ""},
            {{data}, "expected a data file and an output file"},
            {{"--row", "-1", data, out}, data + ": has no record -1"},
            {{"--row", "2", data, out}, data + ": has no record 2"},
            {{"--row", "1", data, out}, data + ": record 1 is incomplete"},
            {{missing, out}, missing + ": "},
            {{"/dev/zero", out}, "/dev/zero: "},
            {{"--info", missing, data, out}, missing + ": No such file or directory\n"},
            {{data, out}, "PrintInfo: not a regular file\n"}}; // in the working directory
        for (const auto& [arguments, message] : refused) {
            const Run result = run("SOLVANE_REPORT", arguments, boundedMemory, dir.path());
            QVERIFY2(result.exitCode == 2 && !QFile::exists(out), qPrintable(arguments.join(' ')));
            QVERIFY2(result.err.startsWith("solvane-report: " + message.toUtf8()), result.err);
        }
        QVERIFY(QDir(dir.path()).rmdir("PrintInfo"));
    }

    // The page goes to the file only when complete: a failed write is an
    // error, leaves no file behind and an existing report as it was, and a
    // device is written, never replaced. Chinese copies out of the PDF as
    // typed, radicals' look-alikes included.
    void reportIsWrittenInFullOrNotAtAll()
    {
        QVERIFY(writeFile(path("info"), "Example Optics Ltd\n长风 黄龙 示范\n"));
        QVERIFY(writeFile(out, "previous report"));
        QCOMPARE(run("SOLVANE_REPORT", {"--info", path("info"), data, out}).exitCode, 0);
        const QString text = pdfText(out);
        QVERIFY(text.contains("Test Report") && text.contains("Example Optics Ltd") &&
                text.contains("长风 黄龙 示范"));
        const QStringList words = text.split(QRegularExpression("\\s+"));
        for (int i = 2; i <= 28; ++i)
            QVERIFY2(words.contains(record.at(i)), qPrintable(record.at(i)));
        const QByteArray complete = fileContents(out);
        const QStringList files = entries();
        QVERIFY(complete.size() > 4096);

        // With no print information file at all: a disk full after 4 KiB, for
        // a new file and over an existing one; a device that is full.
        const std::tuple<QString, QString, const char*> failures[] = {
            {path("new.pdf"), fullDisk, "File too large"},
            {out, fullDisk, "File too large"},
            {"/dev/full", QString(), "No space left on device"}};
        for (const auto& [file, limits, why] : failures) {
            const Run result = run("SOLVANE_REPORT", {data, file}, limits, dir.path());
            QCOMPARE(result.exitCode, 2);
            QCOMPARE(QString::fromUtf8(result.err),
                     "solvane-report: " + file + ": cannot be written: " + why + '\n');
        }
        QCOMPARE(fileContents(out), complete);
        QCOMPARE(entries(), files);
        QVERIFY(!QFileInfo("/dev/full").isFile());
    }

    // --quality-page adds the light-quality page, with the record's own
    // measures, and leaves the first page as it is without it.
    void reportWithQualityPage()
    {
        const QString one = path("one.pdf"), two = path("two.pdf");
        QCOMPARE(run("SOLVANE_REPORT", {data, one}, {}, dir.path()).exitCode, 0);
        QCOMPARE(run("SOLVANE_REPORT", {"--quality-page", data, two}, {}, dir.path()).exitCode, 0);
        const auto page = [](const QString& pdf, int number) {
            static const QRegularExpression printed("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d(?!:)");
            const QString n = QString::number(number);
            return pdfText(pdf, {"-f", n, "-l", n, "-layout"}).replace(printed, "<printed>");
        };
        QCOMPARE(pdfText(one).count('\f'), 1);
        QCOMPARE(pdfText(two).count('\f'), 2);
        QCOMPARE(page(two, 1), page(one, 1));
        const QString quality = page(two, 2);
        const LightQuality q = RecordQuality::evaluate(record).quality;
        for (const QString& shown :
             {"^Rf +" + QString::number(q.tm30.rf, 'f', 0) + "\\b",
              "^Rg +" + QString::number(q.tm30.rg, 'f', 0) + "\\b",
              "Melanopic EDI +" +
                  QRegularExpression::escape(QString::number(q.edi[AlphaMelanopic], 'f', 1)) +
                  " lx"})
            QVERIFY2(
                quality.contains(QRegularExpression(shown, QRegularExpression::MultilineOption)),
                qPrintable(shown + " in\n" + quality));
        QVERIFY(QFile::remove(one) && QFile::remove(two));
    }

    // A meter that fails, or is not there, still leaves what was read, exit 1;
    // so does Ctrl+C, which stops the read-out after the exchange in flight.
    void readKeepsRecordsOnFailure()
    {
        const QString file = path("read.csv");
        setMeter({{"TORVIK_VM_RECORD_COUNT", "13"}});
        const QList<QByteArray> expected = exportedLines(path("expected.csv"), 0);
        const std::tuple<const char*, QByteArray, int> failures[] = {
            {"TORVIK_VM_FAIL_AT", "5", 5}, {"TORVIK_VM_DISCONNECTED", "1", 0}};
        for (const auto& [setting, value, count] : failures) {
            setMeter({{"TORVIK_VM_RECORD_COUNT", "13"}, {setting, value}});
            const Run result = run("SOLVANE_READ", {file});
            QCOMPARE(result.exitCode, 1);
            const QString records = QString::number(count) + " records";
            QCOMPARE(QString::fromUtf8(result.err), "solvane-read: the meter failed after " +
                                                        records + "; " + records + " written to " +
                                                        file + '\n');
            QVERIFY(fileContents(file) ==
                    (expected.mid(0, 1 + count) + QList<QByteArray>{""}).join('\n'));
        }

#ifdef Q_OS_UNIX
        setMeter({{"TORVIK_VM_RECORD_COUNT", "1000"}, { "TORVIK_VM_LATENCY_MS", "20" }});
        QProcess process;
        process.start(qEnvironmentVariable("SOLVANE_READ"), {file});
        QVERIFY(process.waitForStarted());
        QTest::qWait(300);
        QCOMPARE(::kill(pid_t(process.processId()), SIGINT), 0);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        const QList<QByteArray> lines = fileContents(file).split('\n');
        const int count = lines.size() - 2;
        QVERIFY2(count >= 1 && count < 1000 && lines.last().isEmpty(),
                 qPrintable(QString::number(count)));
        setMeter({{ "TORVIK_VM_RECORD_COUNT", "1000" }});
        QCOMPARE(lines, exportedLines(path("expected.csv"), 0, count));
        const QString records = QString::number(count) + " records";
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
                 "solvane-read: interrupted after " + records + "; " + records + " written to " +
                     file + '\n');
#endif
        QVERIFY(QFile::remove(file) && QFile::remove(path("expected.csv")));
    }

    // Bad arguments, and a file that cannot be written, exit 2: refused before
    // the meter is read (the message would tell), no file made, an existing
    // one as it was. So is a write that fails at the end (a full disk).
    void readRefuses()
    {
        setMeter({{"TORVIK_VM_RECORD_COUNT", "13"}});
        const QString file = path("read%1%2.csv"), fifo = path("fifo");
        QVERIFY(writeFile(file, "previous\n"));
#ifdef Q_OS_UNIX
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
#endif
        const QStringList files = entries();
        const QString usage = "\nUsage: solvane-read [--observer 0|1] OUT.csv\n";
        const QList<QPair<QStringList, QString>> refused = {
            {{}, "expected one output file" + usage},
            {{file, path("other.csv")}, "expected one output file" + usage},
            {{"--observer", "2", file}, "observer '2' must be 0 or 1" + usage},
            {{"--unknown", file}, "Unknown option 'unknown'." + usage},
            {{dir.path()}, dir.path() + ": cannot be written: is a folder\n"},
            {{fifo}, fifo + ": cannot be written: not a regular file\n"},
            {{path("missing/new.csv")},
             path("missing/new.csv") + ": cannot be written: no folder " + path("missing") + '\n'}};
        for (const auto& [arguments, message] : refused) {
            const Run result = run("SOLVANE_READ", arguments);
            QVERIFY2(result.exitCode == 2, qPrintable(arguments.join(' ')));
            QCOMPARE(QString::fromUtf8(result.err), "solvane-read: " + message);
            QCOMPARE(entries(), files);
        }
        const Run full = run("SOLVANE_READ", {file}, fullDisk);
        QCOMPARE(full.exitCode, 2);
        QCOMPARE(QString::fromUtf8(full.err), "solvane-read: " + file +
                                                  ": cannot be written: File too large; 13 records "
                                                  "read and not written\n");
        QCOMPARE(entries(), files);
        QCOMPARE(fileContents(file), QByteArray("previous\n"));
        QVERIFY(QFile::remove(file) && QFile::remove(fifo));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
