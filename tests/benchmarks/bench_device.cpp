// Meter access throughput against the virtual meter, without latency:
//   build/bin/bench_device            (QBENCHMARK; -iterations N, -callgrind, ...)
// The virtual meter beside this program is the library it loads.

#include "LuxEngine.h"
#include "fixtures.h"

#include <QtTest>

class DeviceBenchmark : public QObject
{
    Q_OBJECT

    LuxEngine* engine = nullptr;

private slots:
    void initTestCase()
    {
        resetVirtualMeter();
        qputenv("TORVIK_VM_RECORD_COUNT", "1000");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        engine = new LuxEngine(nullptr);
        QDateTime time;
        double lux, ratio, intensity[401];
        QVERIFY(engine->readStoredData(999, &time, &lux, intensity, &ratio) ==
                LuxEngine::Succeeded);
    }
    void cleanupTestCase() { delete engine; }

    // What the read-out does with the meter: every record until the end marker.
    void readThousandStoredRecords()
    {
        QDateTime time;
        double lux, ratio, intensity[401];
        int records = 0;
        QBENCHMARK
        {
            records = 0;
            while (engine->readStoredData(records, &time, &lux, intensity, &ratio) ==
                   LuxEngine::Succeeded)
                ++records;
        }
        QCOMPARE(records, 1000);
    }

    void readRawFrame()
    {
        std::vector<int> frame(3000);
        QBENCHMARK
        {
            engine->readOriginalData(frame.data());
        }
    }
};

QTEST_GUILESS_MAIN(DeviceBenchmark)
#include "bench_device.moc"
