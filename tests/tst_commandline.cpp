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

enum class Limits
{
    None,
    // For a child that might read without end: a bounded address space (under
    // AddressSanitizer, which reserves a huge one, a bounded resident size).
    Memory,
    // A disk that is full after 4 KiB.
    FileSize4KiB
};

Run run(const QString& program, const QStringList& arguments, const QString& workDir = {},
        Limits limits = Limits::None)
{
    QProcess process;
    if (!workDir.isEmpty())
        process.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString shell;
    if (limits == Limits::Memory) {
#ifdef __SANITIZE_ADDRESS__
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":hard_rss_limit_mb=1024");
#else
        shell = "ulimit -v 1048576; ";
#endif
    } else if (limits == Limits::FileSize4KiB) {
        // The signal ignored, so that the write fails instead of ending the child.
        shell = "trap '' XFSZ; ulimit -f 8; ";
    }
    process.setProcessEnvironment(env);
    if (shell.isEmpty())
        process.start(program, arguments);
    else
        process.start("/bin/sh",
                      QStringList{"-c", shell + "exec \"$0\" \"$@\"", program} + arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    Run result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

Run calc(const QStringList& arguments, Limits limits = Limits::None)
{
    return run(qEnvironmentVariable("SOLVANE_CALC"), arguments, {}, limits);
}

Run report(const QStringList& arguments, const QString& workDir = {}, Limits limits = Limits::None)
{
    return run(qEnvironmentVariable("SOLVANE_REPORT"), arguments, workDir, limits);
}

bool makeFifo(const QString& path)
{
#ifdef Q_OS_UNIX
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#else
    Q_UNUSED(path)
    return false;
#endif
}

// The 401 values of a warm light, one a line.
QByteArray spectrumLines()
{
    QByteArray text;
    for (int i = 0; i < measurementCount; ++i)
        text += QByteArray::number(1000 + 100 * i) + '\n';
    return text;
}

// A record as the window exports it, from a Planckian spectrum in meter counts.
QStringList completeRecord()
{
    double spectrum[measurementCount];
    planckianSpectrum(2856, measurementCount, spectrum, planckC1);
    const double peak = *std::max_element(spectrum, spectrum + measurementCount);
    for (double& value : spectrum)
        value = std::round(value / peak * 60000);
    ColorimetricResult results;
    initPlanckianTable();
    calculateColorParameters(spectrum, measurementCount, results, 0, 1e-7);
    QStringList record{MeasurementRecord::name(0), "2026-01-01 08:04:11",
                       MeasurementRecord::illuminanceText(523.4)};
    record << MeasurementRecord::itemTexts(results);
    for (double value : spectrum)
        record << MeasurementRecord::intensityText(value);
    return record;
}

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QStringList record;

    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    }

private slots:
    void initTestCase()
    {
#ifndef Q_OS_UNIX
        QSKIP("uses /dev/zero, /dev/full, named pipes and sh");
#endif
        QVERIFY(QFileInfo(qEnvironmentVariable("SOLVANE_CALC")).isExecutable());
        QVERIFY(QFileInfo(qEnvironmentVariable("SOLVANE_REPORT")).isExecutable());
        QVERIFY(dir.isValid());
        record = completeRecord();
        QCOMPARE(record.size(), MeasurementRecord::fullSize);
        // Record 0 complete, record 1 cut short.
        const QByteArray data = MeasurementRecord::fieldNames().join(',').toUtf8() + '\n' +
                                record.join(',').toUtf8() + '\n' +
                                record.mid(0, 100).join(',').toUtf8() + '\n';
        QVERIFY(writeFile(path("data.csv"), data));
    }

    void init()
    {
        // Each test starts with the data file alone.
        for (const QString& name : entries())
            if (name != "data.csv")
                QVERIFY(QFileInfo(path(name)).isDir() ? QDir(path(name)).removeRecursively()
                                                      : QFile::remove(path(name)));
    }

    void calcRefusesWhatIsNoSpectrumFile();
    void calcRefusesControlCharacters();
    void messagesKeepTheFileName();
    void reportUsageErrorsExitWithTwo();
    void reportInfoMustBeReadable();
    void reportRefusesEndlessData();
    void reportIsWrittenInFullOrNotAtAll();
};

// Devices, pipes and folders are no spectrum files, nor is anything far beyond
// 401 lines; each is refused before it is read.
void CommandLineTest::calcRefusesWhatIsNoSpectrumFile()
{
    // Up to 1 MiB the file is read: here the spectrum and blank lines.
    QByteArray padded = spectrumLines();
    padded += QByteArray(1024 * 1024 - padded.size(), '\n');
    QVERIFY(writeFile(path("padded.txt"), padded));
    Run result = calc({path("padded.txt")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out.count('\n'), 53);

    QVERIFY(writeFile(path("large.txt"), padded + '\n'));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    const bool fifo = makeFifo(path("fifo"));
    const QList<QPair<QString, QString>> refused = {
        {path("large.txt"), "larger than 1 MiB, not a spectrum file"},
        {"/dev/zero", "not a regular file"},
        {path("folder"), "not a regular file"},
        {fifo ? path("fifo") : QString(), "not a regular file"}};
    for (const auto& [file, reason] : refused) {
        if (file.isEmpty())
            continue;
        result = calc({file}, Limits::Memory);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(QString::fromUtf8(result.err), "solvane-calc: " + file + ": " + reason + '\n');
    }
}

// The number parser stops at a NUL; a value with one is not a number.
void CommandLineTest::calcRefusesControlCharacters()
{
    const char nul = '\0', soh = '\x01';
    const QList<QPair<QByteArray, QByteArray>> lines = {
        {QByteArray("10") + nul + "00", "'10\\x0000' is not a number"},
        {QByteArray("1") + soh + "5", "'1\\x015' is not a number"},
        {QByteArray("384") + nul + ",7", "wavelength '384\\x00', expected 384 nm"}};
    for (const auto& [line, message] : lines) {
        QList<QByteArray> values = spectrumLines().split('\n');
        values[4] = line;
        QVERIFY(writeFile(path("control.txt"), values.join('\n')));
        const Run result = calc({path("control.txt")});
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(QString::fromUtf8(result.err), "solvane-calc: " + path("control.txt") +
                                                    ":5: " + QString::fromUtf8(message) + '\n');
    }
}

// A name with %1 or %2 in it is shown as it is.
void CommandLineTest::messagesKeepTheFileName()
{
    const QString shortFile = path("short%2%1.txt");
    QVERIFY(writeFile(shortFile, spectrumLines().left(600)));
    Run result = calc({shortFile});
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.startsWith("solvane-calc: " + shortFile.toUtf8() + ":"), result.err);
    QList<QByteArray> values = spectrumLines().split('\n');
    values[2] = "x%1";
    QVERIFY(writeFile(shortFile, values.join('\n')));
    QCOMPARE(QString::fromUtf8(calc({shortFile}).err),
             "solvane-calc: " + shortFile + ":3: 'x%1' is not a number\n");

    const QString data = path("data%1%2.csv");
    QVERIFY(QFile::copy(path("data.csv"), data));
    const QString out = path("out.pdf");
    const QList<QPair<QStringList, QString>> cases = {
        {{"--row", "5", data, out}, data + ": has no record 5"},
        {{"--row", "1", data, out}, data + ": record 1 is incomplete"},
        {{"--info", path("info%2%1"), data, out}, path("info%2%1") + ": "},
        {{path("missing%1%2.csv"), out}, path("missing%1%2.csv") + ": "}};
    for (const auto& [arguments, message] : cases) {
        result = report(arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.startsWith("solvane-report: " + message.toUtf8()), result.err);
        QVERIFY(!QFile::exists(out));
    }
}

void CommandLineTest::reportUsageErrorsExitWithTwo()
{
    const QString data = path("data.csv"), out = path("out.pdf");
    const QList<QStringList> wrong = {{"--unknown-option", data, out},
                                      {data},
                                      {data, out, out},
                                      {"--row", "abc", data, out},
                                      {"--row", "-1", data, out},
                                      {data, out, "--row"}};
    for (const QStringList& arguments : wrong) {
        const Run result = report(arguments);
        QVERIFY2(result.exitCode == 2, qPrintable(arguments.join(' ')));
        QVERIFY(result.err.startsWith("solvane-report: "));
        QVERIFY(!QFile::exists(out));
    }
    const Run help = report({"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("--info <FILE>"));
}

// A print information file that was asked for, or that is there, must be read;
// only a missing default leaves the company and sample lines empty.
void CommandLineTest::reportInfoMustBeReadable()
{
    const QString data = path("data.csv"), out = path("out.pdf");
    QVERIFY(writeFile(path("large info"), QByteArray(64 * 1024 + 1, 'x')));
    QVERIFY(QDir(dir.path()).mkdir("info folder"));
    const QList<QPair<QString, QString>> refused = {
        {path("missing info"), "No such file or directory"},
        {path("large info"), "larger than 64 KiB"},
        {"/dev/zero", "not a regular file"},
        {path("info folder"), "not a regular file"}};
    for (const auto& [info, reason] : refused) {
        const Run result = report({"--info", info, data, out}, {}, Limits::Memory);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(QString::fromUtf8(result.err), "solvane-report: " + info + ": " + reason + '\n');
        QVERIFY(!QFile::exists(out));
    }

    // In the working directory: missing is fine, unreadable is not.
    QCOMPARE(report({data, out}, dir.path()).exitCode, 0);
    QVERIFY(pdfText(out).contains("Sample Information"));
    QVERIFY(QFile::remove(out));
    QVERIFY(QDir(dir.path()).mkdir("PrintInfo"));
    const Run result = report({data, out}, dir.path());
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.err, QByteArray("solvane-report: PrintInfo: not a regular file\n"));
    QVERIFY(!QFile::exists(out));

    QVERIFY(writeFile(path("info"), "Example Optics Ltd\n1 Sample Street\n\n\n\nPanel light\n"));
    QCOMPARE(report({"--info", path("info"), data, out}).exitCode, 0);
    const QString text = pdfText(out);
    QVERIFY(text.contains("Example Optics Ltd") && text.contains("Panel light"));

    // Chinese copies out of the PDF as typed, radicals' look-alikes included.
    const QString chinese = QString::fromUtf8("广东省深圳市南山区科技园\n长风 黄龙 示范\n");
    QVERIFY(writeFile(path("info"), chinese.toUtf8()));
    QCOMPARE(report({"--info", path("info"), data, out}).exitCode, 0);
    for (const QString& line : chinese.trimmed().split('\n'))
        QVERIFY2(pdfText(out).contains(line), qPrintable(line));
}

void CommandLineTest::reportRefusesEndlessData()
{
    const Run result = report({"/dev/zero", path("out.pdf")}, {}, Limits::Memory);
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.startsWith("solvane-report: /dev/zero: "), result.err);
    QVERIFY(!QFile::exists(path("out.pdf")));
}

// The page goes to the file only when complete: a failed write is an error,
// an existing report stays as it was, and a device is written, never replaced.
void CommandLineTest::reportIsWrittenInFullOrNotAtAll()
{
    const QString data = path("data.csv"), out = path("out.pdf");
    QVERIFY(writeFile(out, "previous report"));
    QCOMPARE(report({data, out}).exitCode, 0);
    const QString text = pdfText(out);
    QVERIFY(text.contains("Test Report"));
    const QStringList words = text.split(QRegularExpression("\\s+"));
    for (int i = 2; i <= 28; ++i)
        QVERIFY2(words.contains(record.at(i)), qPrintable(record.at(i)));
    const QByteArray complete = fileContents(out);
    QVERIFY(complete.size() > 4096);

    // A disk that is full after 4 KiB, for a new file and over an existing one.
    Run result = report({data, path("new.pdf")}, {}, Limits::FileSize4KiB);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.err, "solvane-report: " + path("new.pdf").toUtf8() +
                             ": cannot be written: File too large\n");
    result = report({data, out}, {}, Limits::FileSize4KiB);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(fileContents(out), complete);
    QCOMPARE(entries(), (QStringList{"data.csv", "out.pdf"}));

    result = report({data, "/dev/full"});
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.err,
             QByteArray("solvane-report: /dev/full: cannot be written: No space left on device\n"));
    QVERIFY(!QFileInfo("/dev/full").isFile()); // still the device

    result = report({data, dir.path()});
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(QString::fromUtf8(result.err),
             "solvane-report: " + dir.path() + ": cannot be written: is a directory\n");
    QVERIFY(QFileInfo(dir.path()).isDir());
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
