// solvane-calc and solvane-report run as a user runs them: what they refuse,
// what their messages say, and that a report is written in full or not at all.

#include "colorimetry.h"
#include "fixtures.h"
#include "measurementrecord.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out, err;
};

// Shell commands that limit the child: a bounded address space for one that
// might read without end (under AddressSanitizer, which reserves a huge one,
// a bounded resident size), and a disk that is full after 4 KiB (the signal
// ignored, so that the write fails instead of ending the child).
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
        QSKIP("uses /dev/zero, /dev/full, named pipes and sh");
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
    // Each test starts with the data file alone.
    void init()
    {
        for (const QString& name : entries())
            if (path(name) != data)
                QVERIFY(QFileInfo(path(name)).isDir() ? QDir(path(name)).removeRecursively()
                                                      : QFile::remove(path(name)));
    }

    // Devices, pipes, folders and anything far beyond 401 lines are no
    // spectrum files: refused before they are read. A value with a control
    // character is no number (the number parser would stop at a NUL). Names
    // and values are shown as they are, %1 and all.
    void calcRefuses()
    {
        QByteArray padded = spectrumLines().join('\n');
        padded += QByteArray(1024 * 1024 - padded.size(), '\n'); // up to 1 MiB is read
        QVERIFY(writeFile(path("padded.txt"), padded));
        const Run read = run("SOLVANE_CALC", {path("padded.txt")});
        QVERIFY(read.exitCode == 0 && read.out.count('\n') == 53);
        QVERIFY(writeFile(path("large.txt"), padded + '\n'));
        QVERIFY(QDir(dir.path()).mkdir("folder"));

        QList<QPair<QString, QString>> refused = {
            {path("large.txt"), ": larger than 1 MiB, not a spectrum file"},
            {"/dev/zero", ": not a regular file"},
            {path("folder"), ": not a regular file"}};
#ifdef Q_OS_UNIX
        if (mkfifo(QFile::encodeName(path("fifo")).constData(), 0600) == 0)
            refused.append({path("fifo"), ": not a regular file"});
#endif
        const std::pair<QByteArray, QString> badLines[] = {
            {QByteArray("10#00").replace('#', '\0'), ":5: '10\\x0000' is not a number"},
            {QByteArray("1#5").replace('#', '\x01'), ":5: '1\\x015' is not a number"},
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
            QCOMPARE(result.exitCode, 2);
            QCOMPARE(result.out, QByteArray());
            QCOMPARE(QString::fromUtf8(result.err), "solvane-calc: " + file + message + '\n');
        }
    }

    // Every refusal exits with 2, says why (names shown as they are, %1 and
    // all) and writes no report. A print information file that was asked for,
    // or that is there, must be read: only a missing default leaves the company
    // and sample lines empty.
    void reportRefuses()
    {
        const QString missing = path("missing%1%2");
        QVERIFY(QDir(dir.path()).mkdir("PrintInfo"));
        const QList<QPair<QStringList, QString>> refused = {
            {{"--unknown-option", data, out}, ""},
            {{data}, "expected a data file and an output file"},
            {{data, out, out}, "expected a data file and an output file"},
            {{data, out, "--row"}, ""},
            {{"--row", "abc", data, out}, data + ": has no record abc"},
            {{"--row", "-1", data, out}, data + ": has no record -1"},
            {{"--row", "2", data, out}, data + ": has no record 2"},
            {{"--row", "1", data, out}, data + ": record 1 is incomplete"},
            {{missing, out}, missing + ": "},
            {{"/dev/zero", out}, "/dev/zero: "},
            {{"--info", missing, data, out}, missing + ": No such file or directory\n"},
            {{"--info", "/dev/zero", data, out}, "/dev/zero: not a regular file\n"},
            {{data, out}, "PrintInfo: not a regular file\n"}}; // in the working directory
        for (const auto& [arguments, message] : refused) {
            const Run result = run("SOLVANE_REPORT", arguments, boundedMemory, dir.path());
            QVERIFY2(result.exitCode == 2 && !QFile::exists(out), qPrintable(arguments.join(' ')));
            QVERIFY2(result.err.startsWith("solvane-report: " + message.toUtf8()), result.err);
        }
        QVERIFY(QDir(dir.path()).rmdir("PrintInfo"));
        QCOMPARE(run("SOLVANE_REPORT", {data, out}, QString(), dir.path()).exitCode, 0);
        QVERIFY(pdfText(out).contains("Sample Information"));
        const Run help = run("SOLVANE_REPORT", {"--help"});
        QVERIFY(help.exitCode == 0 && help.out.contains("--info <FILE>"));
    }

    // The page goes to the file only when complete: a failed write is an
    // error, an existing report stays as it was, and a device is written,
    // never replaced. Chinese copies out of the PDF as typed, radicals'
    // look-alikes included.
    void reportIsWrittenInFullOrNotAtAll()
    {
        const QString chinese = QString::fromUtf8("广东省深圳市南山区科技园\n长风 黄龙 示范");
        QVERIFY(writeFile(path("info"), "Example Optics Ltd\n" + chinese.toUtf8() + '\n'));
        QVERIFY(writeFile(out, "previous report"));
        QCOMPARE(run("SOLVANE_REPORT", {"--info", path("info"), data, out}).exitCode, 0);
        const QString text = pdfText(out);
        QVERIFY(text.contains("Test Report") && text.contains("Example Optics Ltd"));
        for (const QString& line : chinese.split('\n'))
            QVERIFY2(text.contains(line), qPrintable(line));
        const QStringList words = text.split(QRegularExpression("\\s+"));
        for (int i = 2; i <= 28; ++i)
            QVERIFY2(words.contains(record.at(i)), qPrintable(record.at(i)));
        const QByteArray complete = fileContents(out);
        QVERIFY(complete.size() > 4096);

        // A disk that is full after 4 KiB, for a new file and over an existing
        // one; a device that is full; a folder.
        const std::tuple<QString, QString, const char*> failures[] = {
            {path("new.pdf"), fullDisk, "File too large"},
            {out, fullDisk, "File too large"},
            {"/dev/full", QString(), "No space left on device"},
            {dir.path(), QString(), "is a directory"}};
        for (const auto& [file, limits, why] : failures) {
            const Run result = run("SOLVANE_REPORT", {data, file}, limits);
            QCOMPARE(result.exitCode, 2);
            QCOMPARE(QString::fromUtf8(result.err),
                     "solvane-report: " + file + ": cannot be written: " + why + '\n');
        }
        QCOMPARE(fileContents(out), complete);
        QCOMPARE(entries(), (QStringList{"data%1%2.csv", "info", "out.pdf"}));
        QVERIFY(!QFileInfo("/dev/full").isFile() && QFileInfo(dir.path()).isDir());
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
