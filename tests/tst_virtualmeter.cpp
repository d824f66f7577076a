// The command set end to end: LuxEngine, the channel and the virtual meter
// library as the application loads it. The meter reads its environment on
// every exchange, so each test sets the behaviour it needs.

#include "LuxEngine.h"
#include "colorimetry.h"
#include "fixtures.h"
#include "lightsources.h"
#include "storedrecord.h"

#include <QtTest>
#include <algorithm>
#include <cstring>

namespace {
struct Record
{
    int result = 0;
    QDateTime time;
    double illuminance = 0, ratio = 0;
    std::vector<double> intensity = std::vector<double>(401);
};

// A line of a records file: date-time, illuminance and ratio, then 401 counts.
QByteArray line(const QByteArray& head, int count = 7)
{
    QByteArray text = head;
    for (int i = 0; i < 401; ++i)
        text += ',' + QByteArray::number(count);
    return text + '\n';
}
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
    // Every test starts with a factory-fresh meter (a changed environment,
    // seen by one exchange, restarts it).
    void init()
    {
        qputenv("TORVIK_VM_LATENCY_MS", "0");
        engine->isReadyForReadingReslut();
        resetVirtualMeter();
    }
    void cleanupTestCase() { delete engine; }

    // The light sources' records in time order, each a plausible reading whose
    // ratio makes the reported Y the illuminance, as a calibrated meter's does.
    void factoryMemory()
    {
        const QList<Record> records = readAll();
        compare(records, vm::defaultRecords());
        QCOMPARE(read(12).result, LuxEngine::NoRecord);
        for (int k = 0; k < records.size(); ++k) {
            const Record& r = records[k];
            double counts = 0;
            for (int i = 0; i < 401; ++i)
                counts += r.intensity[i] * cmf2Deg[1][i];
            const double y = counts * r.ratio * tristimulusScale / tristimulusDivisor;
            const double peak = *std::max_element(r.intensity.begin(), r.intensity.end());
            QVERIFY2((k == 0 || r.time > records[k - 1].time) && r.illuminance > 10 &&
                         r.illuminance < 20000 && qAbs(y / r.illuminance - 1) < 0.006 &&
                         peak > 10000 && peak < 65535,
                     qPrintable(QString("record %1: Y %2, peak %3").arg(k).arg(y).arg(peak)));
        }
        qputenv("TORVIK_VM_RECORD_COUNT", "1000");
        QVERIFY(read(999).result == LuxEngine::Succeeded &&
                read(1000).result == LuxEngine::NoRecord);
    }

    // A records file is served record for record: the tool's output with
    // Windows line ends (winning over a count), and what a faulty meter may
    // hold, impossible dates and non-finite numbers.
    void recordsFile()
    {
        QProcess tool;
        tool.start(qEnvironmentVariable("METER_RECORDS_TOOL"), {"30"});
        QVERIFY(tool.waitForFinished() && tool.exitCode() == 0);
        qputenv("TORVIK_VM_RECORD_COUNT", "5");
        qputenv("TORVIK_VM_RECORDS",
                recordsFile(tool.readAllStandardOutput().replace("\n", "\r\n")));
        compare(readAll(), vm::defaultRecords(30));

        qputenv("TORVIK_VM_RECORDS",
                recordsFile("# comment\n\n" + line("2021-13-40T25:61:99,nan,-inf", 65535)));
        const QList<Record> odd = readAll();
        QCOMPARE(odd.size(), 1);
        QVERIFY(!odd[0].time.isValid() && std::isnan(odd[0].illuminance));
        QVERIFY(std::isinf(odd[0].ratio) && odd[0].intensity[400] == 65535);
    }

    // One bad line spoils the whole file; an empty meter is still a meter.
    void badConfigurationServesNoRecords()
    {
        const QByteArray good = line("2024-05-06T07:08:09,100,1");
        const std::pair<const char*, QByteArray> settings[] = {
            {"TORVIK_VM_RECORDS", "/nonexistent/x"},
            {"TORVIK_VM_RECORDS", recordsFile(good + good.chopped(3) + '\n')}, // 400 counts
            {"TORVIK_VM_RECORDS", recordsFile(good + good.chopped(2) + "65536\n")},
            {"TORVIK_VM_RECORDS", recordsFile("2024/05/06 07:08:09" + good.mid(19))},
            {"TORVIK_VM_RECORDS", recordsFile("65535" + good.mid(4))}, // the end marker's year
            {"TORVIK_VM_RECORD_COUNT", "0"},
            {"TORVIK_VM_RECORD_COUNT", "twelve"}};
        for (const auto& [variable, value] : settings) {
            resetVirtualMeter();
            qputenv(variable, value);
            QVERIFY2(read(0).result == LuxEngine::NoRecord &&
                         engine->setIntegrationTime(20) == LuxEngine::Succeeded &&
                         engine->readIntegrationTime() == 20,
                     value.constData());
        }
    }

    // Disconnected, every exchange fails; a record that fails fails alone;
    // garbage answers stay finite (past the memory the end marker still comes)
    // and repeat with their seed.
    void faults()
    {
        qputenv("TORVIK_VM_DISCONNECTED", "1");
        std::vector<int> raw(3000);
        QCOMPARE(read(0).result, LuxEngine::Failed);
        QCOMPARE(engine->readIntegrationTime(), LuxEngine::Failed);
        QCOMPARE(engine->isReadyForReadingReslut(), 0);
        QCOMPARE(engine->readOriginalData(raw.data()), LuxEngine::Failed);
        qputenv("TORVIK_VM_DISCONNECTED", "0");
        qputenv("TORVIK_VM_FAIL_AT", "2");
        QVERIFY(read(2).result == LuxEngine::Failed && read(3).result == LuxEngine::Succeeded);
        qunsetenv("TORVIK_VM_FAIL_AT");

        const auto sweep = [this](const char* seed) {
            qputenv("TORVIK_VM_GARBAGE", seed);
            QByteArray seen;
            for (const Record& r : readAll())
                seen += QByteArray(reinterpret_cast<const char*>(r.intensity.data()), 401 * 8);
            return seen;
        };
        const QByteArray first = sweep("7");
        QCOMPARE(first.size(), 12 * 401 * 8);
        QVERIFY(first.left(401 * 8) != first.mid(401 * 8, 401 * 8));
        QVERIFY(sweep("8") != first && sweep("7") == first); // the same seed, the same garbage
    }

    // The raw frame: a dark level, a signal above it in proportion to the
    // integration time, clipped at full scale.
    void integrationTimeAndRawFrame()
    {
        QCOMPARE(engine->readIntegrationTime(), 100);
        std::vector<int> raw[4];
        const int times[] = {100, 30, 60, 6553};
        for (int k = 0; k < 4; ++k) {
            raw[k].assign(3000, -1);
            QCOMPARE(engine->setIntegrationTime(times[k]), LuxEngine::Succeeded);
            QCOMPARE(engine->readOriginalData(raw[k].data()), LuxEngine::Succeeded);
        }
        QCOMPARE(engine->readIntegrationTime(), 6553);
        const auto peak = std::max_element(raw[0].begin(), raw[0].end()) - raw[0].begin();
        const int dark = raw[0][0], low = raw[1][peak] - dark; // pixel 0 sees 330 nm: no light
        QVERIFY(raw[0][peak] > 5000 && raw[0][peak] < 65535 && dark > 0 && dark < 2000);
        QVERIFY(std::abs(raw[2][peak] - dark - 2.0 * low) < 0.01 * low && raw[3][peak] == 65535);
    }

    void malformedCallsAreRefused()
    {
        QTest::ignoreMessage(QtDebugMsg, "\"Succeeded in loading Dll(libTorvikUSB.so)!\"");
        TKFoundation channel;
        BYTE buf[900] = {};
        QCOMPARE(channel.readCommand(14, 0, 1, buf, 2000, nullptr, 3), 0L);   // unused code
        QCOMPARE(channel.readCommand(17, 0, 824, buf, 2000, nullptr, 3), 0L); // short buffer
        QCOMPARE(channel.readCommand(17, 0, 825, nullptr, 2000, nullptr, 3), 0L);
        QCOMPARE(channel.writeCommand(7, 70, 36, buf, 2000, nullptr, 3), 0L); // no block 70
        QCOMPARE(channel.writeCommand(1, 0, 2, buf, 2000, nullptr, 3), 0L);   // a read code
        QCOMPARE(channel.cmdCommand(11, 0, 4, buf, 2000, nullptr, 3), 0L); // commands carry no data
        QCOMPARE(channel.cmdCommand(2, 0, 0, nullptr, 2000, nullptr, 3), 0L);   // save wants 2
        QCOMPARE(channel.readCommand(17, 0, 825, buf, 2000, nullptr, 3), 825L); // still works
    }
};

QTEST_GUILESS_MAIN(VirtualMeterTest)
#include "tst_virtualmeter.moc"
