// The command set end to end: LuxEngine, the channel and the virtual meter
// library as the application loads it, its behaviour set by the environment.

#include "LuxEngine.h"
#include "colorimetry.h"
#include "fixtures.h"
#include "lightsources.h"
#include "storedrecord.h"

#include <QtTest>
#include <algorithm>
#include <cstring>
#include <numeric>

namespace {
struct Record
{
    int result = 0;
    QDateTime time;
    double illuminance = 0, ratio = 0;
    std::vector<double> intensity = std::vector<double>(401);
};
} // namespace

class VirtualMeterTest : public QObject
{
    Q_OBJECT

    LuxEngine* engine = nullptr;
    QTemporaryDir dir;
    int files = 0;

    Record read(int ordinal)
    {
        Record r;
        r.result =
            engine->readStoredData(ordinal, &r.time, &r.illuminance, r.intensity.data(), &r.ratio);
        return r;
    }
    // The records up to the first that does not read (at most 100000).
    QList<Record> readAll()
    {
        QList<Record> records;
        for (Record r = read(0); r.result == LuxEngine::Succeeded && records.size() < 100000;
             r = read(records.size()))
            records << r;
        return records;
    }

    // Each record as the meter stores it, bit for bit.
    static void compare(const QList<Record>& got, const std::vector<vm::StoredRecord>& want)
    {
        QCOMPARE(std::size_t(got.size()), want.size());
        for (std::size_t k = 0; k < want.size(); ++k) {
            const Record& r = got[int(k)];
            const vm::StoredRecord& w = want[k];
            QCOMPARE(r.time, QDateTime(QDate(w.year, w.month, w.day),
                                       QTime(w.hour, w.minute, w.second), Qt::UTC));
            QVERIFY(std::memcmp(&r.illuminance, &w.illuminance, 8) == 0 &&
                    std::memcmp(&r.ratio, &w.ratio, 8) == 0 &&
                    std::equal(w.intensity.begin(), w.intensity.end(), r.intensity.begin()));
        }
    }

    // A new records file, as TORVIK_VM_RECORDS takes it.
    QByteArray recordsFile(const QByteArray& content)
    {
        const QString file = dir.filePath(QString("records%1.txt").arg(++files));
        return writeFile(file, content) ? QFile::encodeName(file) : "<not written>";
    }

private slots:
    void initTestCase()
    {
        QTest::ignoreMessage(QtDebugMsg, "\"Succeeded in loading Dll(libTorvikUSB.so)!\"");
        engine = new LuxEngine(nullptr);
    }
    // A factory-fresh meter: a changed environment restarts it at the next exchange.
    void init()
    {
        qputenv("TORVIK_VM_LATENCY_MS", "0");
        engine->isReadyForReadingReslut();
        resetVirtualMeter();
    }
    void cleanupTestCase() { delete engine; }

    // The light sources' records, each with a ratio that makes the reported Y
    // the illuminance, as a calibrated meter's does.
    void factoryMemory()
    {
        const QList<Record> records = readAll();
        compare(records, vm::defaultRecords());
        for (const Record& r : records) {
            const double counts =
                std::inner_product(r.intensity.begin(), r.intensity.end(), cmf2Deg[1], 0.0);
            const double y = counts * r.ratio * tristimulusScale / tristimulusDivisor;
            QVERIFY2(qAbs(y / r.illuminance - 1) < 0.006, qPrintable(QString::number(y)));
        }
    }

    // A records file, the tool's output with Windows line ends, is served
    // record for record (winning over a count). One bad line spoils all of
    // it, and an empty meter is still a meter.
    void recordsFile()
    {
        QProcess tool;
        tool.start(qEnvironmentVariable("METER_RECORDS_TOOL"), {"30"});
        QVERIFY(tool.waitForFinished() && tool.exitCode() == 0);
        const QByteArray records = tool.readAllStandardOutput().replace("\n", "\r\n");
        qputenv("TORVIK_VM_RECORD_COUNT", "5");
        qputenv("TORVIK_VM_RECORDS", recordsFile(records));
        compare(readAll(), vm::defaultRecords(30));
        qputenv("TORVIK_VM_RECORDS", recordsFile(records + "2024-05-06T07:08:09,100,1,7\n"));
        QVERIFY(read(0).result == LuxEngine::NoRecord && engine->readIntegrationTime() == 100);
    }

    // Disconnected, every exchange fails; a record that fails fails alone; a
    // call that does not fit its command (a buffer short of a record) is
    // refused; garbage answers decode, and past the memory the end marker comes.
    void faults()
    {
        qputenv("TORVIK_VM_DISCONNECTED", "1");
        QVERIFY(read(0).result == LuxEngine::Failed && engine->isReadyForReadingReslut() == 0);
        qputenv("TORVIK_VM_DISCONNECTED", "0");
        qputenv("TORVIK_VM_FAIL_AT", "2");
        QVERIFY(read(2).result == LuxEngine::Failed && read(3).result == LuxEngine::Succeeded);
        qunsetenv("TORVIK_VM_FAIL_AT");
        TKFoundation channel;
        BYTE buf[825] = {};
        QVERIFY(channel.readCommand(17, 0, 824, buf, 2000, nullptr, 3) == 0 &&
                channel.readCommand(17, 0, 825, buf, 2000, nullptr, 3) == 825);
        qputenv("TORVIK_VM_GARBAGE", "7");
        QCOMPARE(readAll().size(), 12);
    }
};

QTEST_GUILESS_MAIN(VirtualMeterTest)
#include "tst_virtualmeter.moc"
