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
#include <ctime>

namespace {
struct Record
{
    int result = 0;
    QDateTime time;
    double illuminance = 0, ratio = 0;
    std::vector<double> intensity = std::vector<double>(401, 0);
};

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}
} // namespace

class VirtualMeterTest : public QObject
{
    Q_OBJECT

    LuxEngine* engine = nullptr;
    QTemporaryDir dir;

    Record read(int ordinal)
    {
        Record r;
        r.result =
            engine->readStoredData(ordinal, &r.time, &r.illuminance, r.intensity.data(), &r.ratio);
        return r;
    }

    // Reads records until the meter says there are no more (or 100000 reads).
    QList<Record> readAll()
    {
        QList<Record> records;
        for (int k = 0; k < 100000; ++k) {
            Record r = read(k);
            if (r.result != LuxEngine::Succeeded)
                break;
            records << r;
        }
        return records;
    }

    static void compare(const Record& got, const vm::StoredRecord& want)
    {
        QCOMPARE(got.result, LuxEngine::Succeeded);
        QCOMPARE(got.time, QDateTime(QDate(want.year, want.month, want.day),
                                     QTime(want.hour, want.minute, want.second), Qt::UTC));
        QVERIFY(sameBits(got.illuminance, want.illuminance));
        QVERIFY(sameBits(got.ratio, want.ratio));
        for (int i = 0; i < 401; ++i)
            QCOMPARE(got.intensity[i], double(want.intensity[i]));
    }

    // A file in this test's folder, named as TORVIK_VM_RECORDS takes it.
    QByteArray recordsFile(const QString& name, const QByteArray& content)
    {
        [&] { QVERIFY(writeFile(dir.filePath(name), content)); }();
        return QFile::encodeName(dir.filePath(name));
    }

private slots:
    void initTestCase()
    {
        // A zone with daylight saving, so that the meter's times meet its gaps.
        qputenv("TZ", "Europe/Berlin");
        tzset();
        QVERIFY2(!QDateTime(QDate(2021, 3, 28), QTime(2, 30)).isValid(),
                 "the local zone has no daylight-saving gap on 2021-03-28");
        QVERIFY(dir.isValid());
        QTest::ignoreMessage(QtDebugMsg, "\"Succeeded in loading Dll(libTorvikUSB.so)!\"");
        engine = new LuxEngine(nullptr);
    }
    // Every test starts with a factory-fresh meter: a change of its
    // environment, seen by one exchange, restarts it.
    void init()
    {
        qputenv("TORVIK_VM_LATENCY_MS", "0");
        engine->isReadyForReadingReslut();
        resetVirtualMeter();
    }
    void cleanupTestCase() { delete engine; }

    void factoryMemoryHoldsRealisticRecords();
    void recordCountAndFileRoundTrip();
    void meterTimesStayAsStored();
    void badConfigurationServesNoRecords_data();
    void badConfigurationServesNoRecords();
    void disconnectedMeterFailsEverything();
    void failureAtOneOrdinal();
    void garbageAnswersStayFinite();
    void integrationTimeAndRawFrame();
    void malformedCallsAreRefused();
};

void VirtualMeterTest::factoryMemoryHoldsRealisticRecords()
{
    const QList<Record> records = readAll();
    QCOMPARE(records.size(), 12);
    QCOMPARE(read(12).result, LuxEngine::NoRecord);

    const std::vector<vm::StoredRecord> expected = vm::defaultRecords();
    QDateTime previous;
    for (int k = 0; k < records.size(); ++k) {
        const Record& r = records[k];
        compare(r, expected[k]);
        QVERIFY(r.time.isValid() && r.time > previous);
        previous = r.time;
        QVERIFY2(r.illuminance > 10 && r.illuminance < 20000, qPrintable(QString::number(k)));
        // The ratio makes the reported Y the illuminance, as a calibrated meter's does.
        double luminousCounts = 0;
        for (int i = 0; i < 401; ++i)
            luminousCounts += r.intensity[i] * cmf2Deg[1][i];
        const double y = luminousCounts * r.ratio * tristimulusScale / tristimulusDivisor;
        QVERIFY2(qAbs(y / r.illuminance - 1) < 0.006, qPrintable(QString::number(y)));
        const double peak = *std::max_element(r.intensity.begin(), r.intensity.end());
        QVERIFY2(peak > 10000 && peak < 65535, qPrintable(QString::number(peak)));
    }
}

void VirtualMeterTest::recordCountAndFileRoundTrip()
{
    qputenv("TORVIK_VM_RECORD_COUNT", "0");
    QCOMPARE(read(0).result, LuxEngine::NoRecord);
    qputenv("TORVIK_VM_RECORD_COUNT", "1000");
    QCOMPARE(read(999).result, LuxEngine::Succeeded);
    QCOMPARE(read(1000).result, LuxEngine::NoRecord);

    // The tool's output, with Windows line ends, served back record for record.
    QProcess tool;
    tool.start(qEnvironmentVariable("METER_RECORDS_TOOL"), {"30"});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 0);
    QByteArray text = tool.readAllStandardOutput();
    text.replace("\n", "\r\n");
    qputenv("TORVIK_VM_RECORD_COUNT", "5"); // a file wins over the count
    qputenv("TORVIK_VM_RECORDS", recordsFile("records.txt", text));
    const QList<Record> records = readAll();
    const std::vector<vm::StoredRecord> expected = vm::defaultRecords(30);
    QCOMPARE(records.size(), 30);
    for (int k = 0; k < 30; ++k)
        compare(records[k], expected[k]);

    // Impossible dates and non-finite numbers pass as they are.
    QByteArray odd = "2021-13-40T25:61:99,nan,-inf";
    for (int i = 0; i < 401; ++i)
        odd += i == 400 ? ",65535" : ",0";
    qputenv("TORVIK_VM_RECORDS", recordsFile("odd.txt", "# comment\n\n" + odd + "\n"));
    const Record r = read(0);
    QCOMPARE(r.result, LuxEngine::Succeeded);
    QVERIFY(!r.time.isValid());
    QVERIFY(std::isnan(r.illuminance));
    QVERIFY(std::isinf(r.ratio));
    QCOMPARE(r.intensity[400], 65535.0);
    QCOMPARE(read(1).result, LuxEngine::NoRecord);
}

// The meter's clock knows no zone: whatever it stored comes back field for
// field, also in the local daylight-saving gap and the repeated hour.
void VirtualMeterTest::meterTimesStayAsStored()
{
    const QList<QDateTime> stamps{
        QDateTime(QDate(2021, 3, 28), QTime(2, 30, 0), Qt::UTC),   // local gap
        QDateTime(QDate(2021, 3, 28), QTime(2, 0, 0), Qt::UTC),    // its first second
        QDateTime(QDate(2021, 10, 31), QTime(2, 30, 0), Qt::UTC),  // local hour twice
        QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59), Qt::UTC), // plain
    };
    QByteArray text;
    for (const QDateTime& stamp : stamps) {
        text += stamp.toString("yyyy-MM-ddTHH:mm:ss").toLatin1() + ",100,1";
        for (int i = 0; i < 401; ++i)
            text += ",7";
        text += "\n";
    }
    qputenv("TORVIK_VM_RECORDS", recordsFile("times.txt", text));
    const QList<Record> records = readAll();
    QCOMPARE(records.size(), stamps.size());
    for (int k = 0; k < stamps.size(); ++k) {
        const QDateTime& got = records[k].time;
        QVERIFY2(got.isValid(), qPrintable(stamps[k].toString(Qt::ISODate)));
        QCOMPARE(got.timeSpec(), Qt::UTC);
        QCOMPARE(got.date(), stamps[k].date());
        QCOMPARE(got.time(), stamps[k].time());
    }
}

void VirtualMeterTest::badConfigurationServesNoRecords_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("fileContent"); // when set, value names this file

    QByteArray good = "2024-05-06T07:08:09,100,1";
    for (int i = 0; i < 401; ++i)
        good += ",7";
    QTest::newRow("missing file") << QByteArray("TORVIK_VM_RECORDS") << QByteArray("/nonexistent/x")
                                  << QByteArray();
    QTest::newRow("400 intensities") << QByteArray("TORVIK_VM_RECORDS") << QByteArray()
                                     << good + "\n" + good.left(good.size() - 2) + "\n";
    QTest::newRow("intensity too large") << QByteArray("TORVIK_VM_RECORDS") << QByteArray()
                                         << good + "\n" + good.left(good.size() - 1) + "65536\n";
    QTest::newRow("bad date") << QByteArray("TORVIK_VM_RECORDS") << QByteArray()
                              << "2024/05/06 07:08:09" + good.mid(19) + "\n";
    QTest::newRow("end-marker year")
        << QByteArray("TORVIK_VM_RECORDS") << QByteArray() << "65535" + good.mid(4) + "\n";
    QTest::newRow("count not a number")
        << QByteArray("TORVIK_VM_RECORD_COUNT") << QByteArray("twelve") << QByteArray();
}

void VirtualMeterTest::badConfigurationServesNoRecords()
{
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, fileContent);
    if (!fileContent.isEmpty())
        value = recordsFile("bad.txt", fileContent);
    qputenv(variable.constData(), value);

    QCOMPARE(read(0).result, LuxEngine::NoRecord);
    // Still a meter, only an empty one.
    QCOMPARE(engine->setIntegrationTime(20), LuxEngine::Succeeded);
    QCOMPARE(engine->readIntegrationTime(), 20);
}

void VirtualMeterTest::disconnectedMeterFailsEverything()
{
    qputenv("TORVIK_VM_DISCONNECTED", "1");
    QCOMPARE(read(0).result, LuxEngine::Failed);
    QCOMPARE(engine->readIntegrationTime(), LuxEngine::Failed);
    QCOMPARE(engine->isReadyForReadingReslut(), 0);
    std::vector<int> raw(3000);
    QCOMPARE(engine->readOriginalData(raw.data()), LuxEngine::Failed);
    QVERIFY(std::all_of(raw.begin(), raw.end(), [](int v) { return v == 0; }));

    qputenv("TORVIK_VM_DISCONNECTED", "0");
    QCOMPARE(read(0).result, LuxEngine::Succeeded);
}

void VirtualMeterTest::failureAtOneOrdinal()
{
    qputenv("TORVIK_VM_FAIL_AT", "2");
    QCOMPARE(read(0).result, LuxEngine::Succeeded);
    QCOMPARE(read(1).result, LuxEngine::Succeeded);
    const Record failed = read(2);
    QCOMPARE(failed.result, LuxEngine::Failed);
    QCOMPARE(failed.intensity[100], 0.0); // nothing stale decoded
    QCOMPARE(read(3).result, LuxEngine::Succeeded);
    QCOMPARE(readAll().size(), 2);
}

void VirtualMeterTest::garbageAnswersStayFinite()
{
    auto sweep = [this] {
        QList<QByteArray> seen;
        for (const Record& r : readAll())
            seen << QByteArray(reinterpret_cast<const char*>(r.intensity.data()), 401 * 8);
        std::vector<int> raw(3000);
        engine->readOriginalData(raw.data());
        return seen;
    };
    qputenv("TORVIK_VM_GARBAGE", "7");
    const QList<QByteArray> first = sweep();
    QCOMPARE(first.size(), 12); // past the memory the end marker still comes
    QVERIFY(first[0] != first[1]);
    qputenv("TORVIK_VM_GARBAGE", "8");
    read(0);
    qputenv("TORVIK_VM_GARBAGE", "7"); // the same seed again: the same garbage
    QCOMPARE(sweep(), first);
}

void VirtualMeterTest::integrationTimeAndRawFrame()
{
    QCOMPARE(engine->readIntegrationTime(), 100);
    auto frame = [this](int time) {
        engine->setIntegrationTime(time);
        std::vector<int> raw(3000, -1);
        [&] { QCOMPARE(engine->readOriginalData(raw.data()), LuxEngine::Succeeded); }();
        return raw;
    };
    const std::vector<int> normal = frame(100);
    const std::vector<int> low = frame(30);
    const std::vector<int> doubled = frame(60);
    const std::vector<int> saturated = frame(6553);
    QCOMPARE(engine->readIntegrationTime(), 6553);

    const auto peak = std::max_element(normal.begin(), normal.end()) - normal.begin();
    QVERIFY(normal[peak] > 5000 && normal[peak] < 65535);
    const int dark = normal[0]; // pixel 0 sees 330 nm: no light there
    QVERIFY(dark > 0 && dark < 2000);
    // The signal above the dark level grows in proportion to the time.
    QVERIFY(std::abs((doubled[peak] - dark) - 2.0 * (low[peak] - dark)) < 0.01 * low[peak]);
    QCOMPARE(saturated[peak], 65535);
}

void VirtualMeterTest::malformedCallsAreRefused()
{
    QTest::ignoreMessage(QtDebugMsg, "\"Succeeded in loading Dll(libTorvikUSB.so)!\"");
    TKFoundation channel;
    BYTE buf[900] = {};
    QCOMPARE(channel.readCommand(14, 0, 1, buf, 2000, nullptr, 3), 0L);   // unused code
    QCOMPARE(channel.readCommand(17, 0, 824, buf, 2000, nullptr, 3), 0L); // short buffer
    QCOMPARE(channel.readCommand(17, 0, 825, nullptr, 2000, nullptr, 3), 0L);
    QCOMPARE(channel.writeCommand(7, 70, 36, buf, 2000, nullptr, 3), 0L); // no block 70
    QCOMPARE(channel.writeCommand(1, 0, 2, buf, 2000, nullptr, 3), 0L);   // a read code
    QCOMPARE(channel.cmdCommand(11, 0, 4, buf, 2000, nullptr, 3), 0L);    // commands carry no data
    QCOMPARE(channel.cmdCommand(2, 0, 0, nullptr, 2000, nullptr, 3), 0L); // save wants 2
    QCOMPARE(channel.readCommand(17, 0, 825, buf, 2000, nullptr, 3), 825L); // and it still works
}

QTEST_GUILESS_MAIN(VirtualMeterTest)
#include "tst_virtualmeter.moc"
