// Opening a data file of 10,000 records through the window, until the
// stored-data table lists them all, and the memory that takes:
//   build/bin/bench_datafiles          (QBENCHMARK; -iterations N, -callgrind, ...)
// The file is made first, by a child process, from the virtual meter's records,
// so that the peak memory reported is that of opening alone.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include "TKIOStream.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "measurementrecord.h"
#include "windowdriver.h"

#include <QTableWidget>
#include <QtTest>

#include <cstdio>

namespace {

// Peak resident memory since the last reset, in MiB (Linux only; -1 elsewhere).
double peakMemoryMiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

void resetPeakMemory()
{
    QFile clearRefs("/proc/self/clear_refs");
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

} // namespace

class DataFileBenchmark : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path;

private slots:
    void initTestCase()
    {
        path = dir.filePath("records.csv");
        QProcess maker;
        maker.setProcessChannelMode(QProcess::ForwardedChannels);
        maker.start(QCoreApplication::applicationFilePath(), {"--make-file", path});
        QVERIFY(maker.waitForFinished(120000) && maker.exitCode() == 0);
        std::printf("file: %.1f MB\n", QFileInfo(path).size() / 1e6);
    }

    void openTenThousandRecords()
    {
        MainWindow window;
        window.setFileChooser([this](auto...) { return path; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableWidget* stored = table(&window, "tableWidget_storedData");
        resetPeakMemory();
        const double before = peakMemoryMiB();
        QBENCHMARK
        {
            press(&window, "btn_open");
        }
        QCOMPARE(stored->rowCount(), 10000);
        std::printf("peak resident memory: %.0f MiB (%.0f MiB before opening)\n", peakMemoryMiB(),
                    before);
    }
};

// Reads 10,000 records from the virtual meter and exports them all.
int makeFile(const QString& path)
{
    resetVirtualMeter();
    MainWindow window;
    readMeter(&window, "10000");
    TKIOStream stream;
    stream.setFileDirectory(path);
    return window.records().size() == 10000 &&
                   stream.writeSolvaneData(MeasurementRecord::fieldNames(), window.records())
               ? 0
               : 1;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    if (argc == 3 && qstrcmp(argv[1], "--make-file") == 0)
        return makeFile(QString::fromLocal8Bit(argv[2]));
    DataFileBenchmark benchmark;
    return QTest::qExec(&benchmark, argc, argv);
}

#include "bench_datafiles.moc"
