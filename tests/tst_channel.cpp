// The command channel and the command set, byte for byte, against a scripted
// stand-in of the meter library.

#include "LuxEngine.h"
#include "TKFoundation.h"
#include "probeusb.h"

#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>

using Bytes = std::vector<unsigned char>;
Q_DECLARE_METATYPE(Bytes)

namespace {
Bytes bytesOf(double value)
{
    Bytes bytes(8);
    std::memcpy(bytes.data(), &value, 8);
    return bytes;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The packed format keeps seven significant digits.
bool packedEqual(double a, double b)
{
    return std::abs(a - b) <= 5e-7 * std::abs(b);
}
} // namespace

class ChannelTest : public QObject
{
    Q_OBJECT

    ProbeState& probe = *probeState();
    LuxEngine* engine = nullptr;

    void answer(long result, Bytes bytes = {}) { probe.answers.push_back({result, bytes}); }

    // Each call as "channel code/location count", e.g. "R 17/0 825".
    QStringList calls() const
    {
        QStringList out;
        for (const ProbeCall& c : probe.calls)
            out << QString("%1 %2/%3 %4").arg(c.channel).arg(c.dwID).arg(c.loc).arg(c.count);
        return out;
    }

    static QStringList blocks(const QString& channelAndCode, int count, int lastBytes, int bytes)
    {
        QStringList out;
        for (int b = 0; b < count; ++b)
            out << QString("%1/%2 %3")
                       .arg(channelAndCode)
                       .arg(b)
                       .arg(b == count - 1 ? lastBytes : bytes);
        return out;
    }

private slots:
    void initTestCase()
    {
        QTest::ignoreMessage(QtDebugMsg, "\"Succeeded in loading Dll(libTorvikUSB.so)!\"");
        engine = new LuxEngine(nullptr);
    }
    void init() { probe.reset(); }
    void cleanup();

    void forwardsEveryArgumentUnchanged();
    void integrationTimeOnTheWire();
    void packedCoefficients_data();
    void packedCoefficients();
    void coefficientsWithoutPackedFormAreNotSent_data();
    void coefficientsWithoutPackedFormAreNotSent();
    void wavelengthCoefficientsDecodeOnlyOnSuccess();
    void intensityCoefficientBlocks();
    void intensityCoefficientsStopAtFailedBlock_data();
    void intensityCoefficientsStopAtFailedBlock();
    void originalDataBlocks();
    void bareCommandsAndReadyStatus();
    void testResultDecodesEvenOnFailure();
    void storedRecordEndMarker();
    void storedRecordDecoding();
    void storedRecordImpossibleDateTime();
};

// Every exchange: fixed time-out, no text, three tries, and a receive buffer
// that starts zeroed so that a failed read never decodes stale memory.
void ChannelTest::cleanup()
{
    for (const ProbeCall& call : probe.calls) {
        QCOMPARE(call.dwTimeout, 2000u);
        QCOMPARE(call.disc, nullptr);
        QCOMPARE(call.dwTry, 3u);
        QCOMPARE(call.buf == nullptr, call.count == 0);
        if (call.channel == 'R')
            QVERIFY2(
                std::all_of(call.bytes.begin(), call.bytes.end(), [](int b) { return b == 0; }),
                qPrintable(QString("read %1 got a dirty buffer").arg(call.dwID)));
    }
}

void ChannelTest::forwardsEveryArgumentUnchanged()
{
    TKFoundation foundation;
    QVERIFY(foundation.isLoaded());
    BYTE buf[4] = {1, 2, 3, 4};
    char text[] = "x";
    answer(42);
    answer(-7);
    answer(0);
    QCOMPARE(foundation.readCommand(17, 0xFFFFFFFFu, 4, buf, 2000, text, 3), 42L);
    QCOMPARE(foundation.writeCommand(5, 1, 4, buf, 1, nullptr, 9), -7L);
    QCOMPARE(foundation.cmdCommand(11, 7, 0, nullptr, 2000, nullptr, 3), 0L);

    QCOMPARE(calls(), QStringList({"R 17/4294967295 4", "W 5/1 4", "C 11/7 0"}));
    QCOMPARE(probe.calls[0].buf, buf);
    QCOMPARE(probe.calls[0].disc, text);
    QCOMPARE(probe.calls[1].bytes, Bytes({1, 2, 3, 4}));
    QCOMPARE(probe.calls[1].dwTry, 9u);
    probe.reset(); // the odd time-out, tries and text above were the point
}

void ChannelTest::integrationTimeOnTheWire()
{
    QTest::ignoreMessage(QtDebugMsg, "成功设置积分时间: 100");
    QCOMPARE(engine->setIntegrationTime(100), LuxEngine::Succeeded);
    QCOMPARE(engine->setIntegrationTime(6553), LuxEngine::Succeeded);
    QCOMPARE(engine->setIntegrationTime(0), LuxEngine::Succeeded);
    QCOMPARE(calls(), QStringList({"W 0/0 2", "W 0/0 2", "W 0/0 2"}));
    QCOMPARE(probe.calls[0].bytes, Bytes({0xE8, 0x03}));
    QCOMPARE(probe.calls[1].bytes, Bytes({0xFA, 0xFF}));
    QCOMPARE(probe.calls[2].bytes, Bytes({0x00, 0x00}));

    // Out of the 16-bit field: refused before anything is sent.
    probe.reset();
    for (int time : {-1, 6554, 429496730})
        QCOMPARE(engine->setIntegrationTime(time), LuxEngine::Failed);
    QVERIFY(probe.calls.empty());

    answer(1, {0xE8, 0x03});
    answer(1, {0xE9, 0x03}); // the tenth is dropped
    answer(0, {0xE8, 0x03}); // a failed read is not decoded
    answer(0);
    QTest::ignoreMessage(QtDebugMsg, "成功读取积分时间： 100");
    QCOMPARE(engine->readIntegrationTime(), 100);
    QCOMPARE(engine->readIntegrationTime(), 100);
    QTest::ignoreMessage(QtDebugMsg, "读取积分时间失败!");
    QCOMPARE(engine->readIntegrationTime(), LuxEngine::Failed);
    QTest::ignoreMessage(QtDebugMsg, "设置积分时间失败!");
    QCOMPARE(engine->setIntegrationTime(5), LuxEngine::Failed);
    QCOMPARE(calls().first(), QString("R 1/0 2"));
}

void ChannelTest::packedCoefficients_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<Bytes>("wire"); // empty: only the round trip is checked
    QTest::newRow("1.5") << 1.5 << Bytes{0x00, 0x00, 0x00, 0x40, 0x01, 0x00};
    QTest::newRow("-1.5") << -1.5 << Bytes{0x00, 0x00, 0x00, 0xC0, 0xFF, 0x00};
    QTest::newRow("-0.00125") << -0.00125 << Bytes{0x00, 0x00, 0x00, 0xE0, 0xFF, 0xFD};
    QTest::newRow("0") << 0.0 << Bytes{0, 0, 0, 0, 0, 0};
    QTest::newRow("largest exponent") << 9.5e127 << Bytes{0x00, 0x00, 0x00, 0x40, 0x09, 0x7F};
    QTest::newRow("smallest exponent") << -2.25e-128 << Bytes{0x00, 0x00, 0x00, 0xE0, 0xFE, 0x80};
    QTest::newRow("seven digits") << 123456.789 << Bytes{};
    QTest::newRow("tiny") << 3.0e-9 << Bytes{};
}

void ChannelTest::packedCoefficients()
{
    QFETCH(double, value);
    QFETCH(Bytes, wire);
    double out = value;
    QTest::ignoreMessage(QtDebugMsg, "保存照度校准系数成功!");
    QCOMPARE(engine->saveIlluminanceCorrectCoefficient(&out), LuxEngine::Succeeded);
    if (!wire.empty())
        QCOMPARE(probe.calls.at(0).bytes, wire);

    answer(1, probe.calls.at(0).bytes);
    double in = -999;
    QTest::ignoreMessage(QtDebugMsg, "读取照度校准系数成功!");
    QCOMPARE(engine->readIlluminanceCorrectCoefficient(&in), LuxEngine::Succeeded);
    QCOMPARE(calls(), QStringList({"W 9/0 6", "R 10/0 6"}));
    QVERIFY2(packedEqual(in, value),
             qPrintable(QString("%1 came back as %2").arg(value, 0, 'g', 17).arg(in, 0, 'g', 17)));
}

void ChannelTest::coefficientsWithoutPackedFormAreNotSent_data()
{
    QTest::addColumn<double>("bad");
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinity") << -std::numeric_limits<double>::infinity();
    QTest::newRow("exponent 128") << 1e128;
    QTest::newRow("exponent -129") << 9.99e-129;
}

void ChannelTest::coefficientsWithoutPackedFormAreNotSent()
{
    QFETCH(double, bad);
    double one = bad;
    QCOMPARE(engine->saveIlluminanceCorrectCoefficient(&one), LuxEngine::Failed);
    double six[6] = {1, 2, 3, 4, 5, bad};
    QCOMPARE(engine->saveWavelengthCorrectCoefficient(six), LuxEngine::Failed);
    // One bad value at the very end still keeps all 70 blocks back.
    double table[420];
    std::fill(std::begin(table), std::end(table), 1.0);
    table[419] = bad;
    QCOMPARE(engine->saveIntensityCorrectCoefficient(table), LuxEngine::Failed);
    QVERIFY(probe.calls.empty());
}

void ChannelTest::wavelengthCoefficientsDecodeOnlyOnSuccess()
{
    double sent[6] = {330, 0.16, -1.5e-6, 0, 2.5e-12, -7};
    QTest::ignoreMessage(QtDebugMsg, "保存校正系数成功!");
    QCOMPARE(engine->saveWavelengthCorrectCoefficient(sent), LuxEngine::Succeeded);
    const Bytes wire = probe.calls.at(0).bytes;

    answer(1, wire);
    answer(0, wire);
    double back[6] = {};
    QCOMPARE(engine->readWavelengthCorrectCoefficient(back), LuxEngine::Succeeded);
    for (int i = 0; i < 6; ++i)
        QVERIFY(packedEqual(back[i], sent[i]));
    double untouched[6] = {9, 9, 9, 9, 9, 9};
    QTest::ignoreMessage(QtDebugMsg, "读取波长校正系数失败!");
    QCOMPARE(engine->readWavelengthCorrectCoefficient(untouched), LuxEngine::Failed);
    QCOMPARE(untouched[0], 9.0);
    QCOMPARE(calls(), QStringList({"W 5/0 36", "R 6/0 36", "R 6/0 36"}));
}

void ChannelTest::intensityCoefficientBlocks()
{
    double table[420];
    for (int i = 0; i < 420; ++i)
        table[i] = 1 + i / 1000.0;
    QTest::ignoreMessage(QtDebugMsg, "保存强度校准系数成功!");
    QCOMPARE(engine->saveIntensityCorrectCoefficient(table), LuxEngine::Succeeded);
    QCOMPARE(calls(), blocks("W 7", 70, 36, 36));
    Bytes all;
    for (const ProbeCall& call : probe.calls)
        all.insert(all.end(), call.bytes.begin(), call.bytes.end());

    // Read back in four blocks of 105.
    probe.reset();
    for (int b = 0; b < 4; ++b)
        answer(1, Bytes(all.begin() + 630 * b, all.begin() + 630 * (b + 1)));
    double back[420] = {};
    QTest::ignoreMessage(QtDebugMsg, "读取强度校准系数成功！");
    QCOMPARE(engine->readIntensityCorrectCoefficient(back), LuxEngine::Succeeded);
    QCOMPARE(calls(), blocks("R 8", 4, 630, 630));
    for (int i = 0; i < 420; ++i)
        QVERIFY(packedEqual(back[i], table[i]));
}

// A failed block ends the operation with -1: a calibration table must never
// pass as saved (or read) when part of it did not get through.
void ChannelTest::intensityCoefficientsStopAtFailedBlock_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("failing");
    QTest::addColumn<long>("failure");
    QTest::newRow("save, first of 70") << true << 0 << 0L;
    QTest::newRow("save, middle") << true << 10 << -1L;
    QTest::newRow("save, last") << true << 69 << -1L;
    QTest::newRow("read, first of 4") << false << 0 << 0L;
    QTest::newRow("read, middle") << false << 2 << -5L;
    QTest::newRow("read, last") << false << 3 << 0L;
}

void ChannelTest::intensityCoefficientsStopAtFailedBlock()
{
    QFETCH(bool, save);
    QFETCH(int, failing);
    QFETCH(long, failure);
    const int blockCount = save ? 70 : 4;
    Bytes ones;
    for (int k = 0; k < 105; ++k) // 1.0 packed, 105 times
        ones.insert(ones.end(), {0, 0, 0, 0, 1, 0});
    for (int b = 0; b < blockCount; ++b)
        answer(b == failing ? failure : 1, save ? Bytes() : ones);

    double table[420];
    std::fill(std::begin(table), std::end(table), save ? 2.0 : -7.0);
    if (save) {
        QTest::ignoreMessage(QtDebugMsg, "保存强度校准系数失败！");
        QCOMPARE(engine->saveIntensityCorrectCoefficient(table), LuxEngine::Failed);
        QCOMPARE(calls(), blocks("W 7", failing + 1, 36, 36));
    } else {
        QTest::ignoreMessage(QtDebugMsg, "读取强度校准系数失败!");
        QCOMPARE(engine->readIntensityCorrectCoefficient(table), LuxEngine::Failed);
        QCOMPARE(calls(), blocks("R 8", failing + 1, 630, 630));
        // Blocks read before the failure are decoded, nothing from it or after.
        for (int i = 0; i < 420; ++i)
            QCOMPARE(table[i], i < 105 * failing ? 1.0 : -7.0);
    }
}

void ChannelTest::originalDataBlocks()
{
    for (int b = 0; b < 7; ++b) {
        Bytes block;
        for (int k = 0; k < (b < 6 ? 450 : 300); ++k) {
            const int value = (b * 450 + k) * 21 % 65536; // past 32767 too: unsigned
            block.push_back(value & 0xFF);
            block.push_back(value >> 8);
        }
        answer(1, block);
    }
    std::vector<int> data(3001, -1);
    QTest::ignoreMessage(QtDebugMsg, "获取原始强度成功!");
    QCOMPARE(engine->readOriginalData(data.data()), LuxEngine::Succeeded);
    QCOMPARE(calls(), blocks("R 3", 7, 600, 900));
    for (int i = 0; i < 3000; ++i)
        QCOMPARE(data[i], i * 21 % 65536);
    QCOMPARE(data[3000], -1);

    // A failed block ends the frame: the rest is neither asked for nor reported read.
    for (int failing : {0, 2, 6}) {
        probe.reset();
        for (int b = 0; b < 7; ++b)
            answer(b == failing ? 0 : 1, Bytes(900, 0x01));
        std::fill(data.begin(), data.end(), -1);
        QTest::ignoreMessage(QtDebugMsg, "获取原始强度失败!");
        QCOMPARE(engine->readOriginalData(data.data()), LuxEngine::Failed);
        QCOMPARE(calls(), blocks("R 3", failing + 1, failing == 6 ? 600 : 900, 900));
        for (int i = 0; i < 3001; ++i)
            QCOMPARE(data[i], i < 450 * failing ? 0x0101 : -1);
    }
}

void ChannelTest::bareCommandsAndReadyStatus()
{
    QTest::ignoreMessage(QtDebugMsg, "保存积分时间成功!");
    QCOMPARE(engine->saveIntegrationTime(), LuxEngine::Succeeded);
    QTest::ignoreMessage(QtDebugMsg, "结束获取原始数据成功!");
    QCOMPARE(engine->stopToReadOriginalData(), LuxEngine::Succeeded);
    QCOMPARE(engine->startToTest(7), LuxEngine::Succeeded);
    answer(-3);
    QCOMPARE(engine->startToTest(0), LuxEngine::Failed);

    answer(1, {0xFE});
    answer(0); // nothing written into the buffer: reads as "not ready"
    QCOMPARE(engine->isReadyForReadingReslut(), 254);
    QCOMPARE(engine->isReadyForReadingReslut(), 0);
    QCOMPARE(calls(),
             QStringList({"C 2/2 0", "C 4/0 0", "C 11/7 0", "C 11/0 0", "R 12/0 1", "R 12/0 1"}));
}

void ChannelTest::testResultDecodesEvenOnFailure()
{
    Bytes result = {0x00, 0x00, 0x00, 0x40, 0x01, 0x02}; // 1.5e2 lx
    for (int i = 0; i < 401; ++i) {
        result.push_back(i == 0 ? 0xFF : i & 0xFF);
        result.push_back(i == 0 || i == 400 ? 0xFF : 0x00);
    }
    answer(1, result);
    answer(0, result);
    for (LuxEngine::Result expected : {LuxEngine::Succeeded, LuxEngine::Failed}) {
        double lux = 0;
        std::vector<int> intensity(401, -1);
        QTest::ignoreMessage(QtDebugMsg, expected == LuxEngine::Succeeded ? "读取测试结果成功!"
                                                                          : "读取测试结果失败!");
        QCOMPARE(engine->readTestResult(3, &lux, intensity.data()), expected);
        QCOMPARE(lux, 150.0);
        QCOMPARE(intensity[0], 65535);
        QCOMPARE(intensity[200], 200);
        QCOMPARE(intensity[400], 0xFF90);
    }
    QCOMPARE(calls(), QStringList({"R 13/3 808", "R 13/3 808"}));
}

void ChannelTest::storedRecordEndMarker()
{
    Bytes marker(825, 0x5A);
    marker[0] = marker[1] = 0xFF;
    answer(1, marker);
    answer(0, marker); // the marker counts before the exchange's result
    for (int i = 0; i < 2; ++i) {
        QDateTime time(QDate(2000, 1, 2), QTime(3, 4, 5));
        double lux = -1, ratio = -2;
        std::vector<double> intensity(401, -3);
        QTest::ignoreMessage(QtDebugMsg, "没有可以读取的数据!");
        QCOMPARE(engine->readStoredData(9, &time, &lux, intensity.data(), &ratio),
                 LuxEngine::NoRecord);
        QCOMPARE(time, QDateTime(QDate(2000, 1, 2), QTime(3, 4, 5)));
        QCOMPARE(lux, -1.0);
        QCOMPARE(ratio, -2.0);
        QVERIFY(std::all_of(intensity.begin(), intensity.end(), [](double v) { return v == -3; }));
    }
    QCOMPARE(calls(), QStringList({"R 17/9 825", "R 17/9 825"}));
}

void ChannelTest::storedRecordDecoding()
{
    double oddNan;
    const std::uint64_t payload = 0x7FF800000000BEEFull;
    std::memcpy(&oddNan, &payload, 8);

    Bytes record = {0xE5, 0x07, 0x0C, 0x1F, 0x17, 0x3B, 0x3B}; // 2021-12-31 23:59:59
    const Bytes lux = bytesOf(oddNan), ratio = bytesOf(-std::numeric_limits<double>::infinity());
    record.insert(record.end(), lux.begin(), lux.end());
    for (int i = 0; i < 401; ++i) {
        record.push_back(i == 0 ? 0xFF : i & 0xFF);
        record.push_back(i == 0 ? 0xFF : i >> 8);
    }
    record.insert(record.end(), ratio.begin(), ratio.end());
    QCOMPARE(record.size(), std::size_t(825));
    answer(825, record);

    QDateTime time;
    double illuminance = 0, gotRatio = 0;
    std::vector<double> intensity(402, -1);
    QTest::ignoreMessage(QtDebugMsg, "ratio: -inf");
    QTest::ignoreMessage(QtDebugMsg, "读取存储数据成功!");
    QCOMPARE(engine->readStoredData(0, &time, &illuminance, intensity.data(), &gotRatio),
             LuxEngine::Succeeded);
    // The meter's wall-clock fields as they are, carried as UTC.
    QCOMPARE(time.timeSpec(), Qt::UTC);
    QCOMPARE(time, QDateTime(QDate(2021, 12, 31), QTime(23, 59, 59, 0), Qt::UTC));
    QVERIFY(sameBits(illuminance, oddNan)); // bit for bit, payload and all
    QVERIFY(std::isinf(gotRatio) && gotRatio < 0);
    QCOMPARE(intensity[0], 65535.0);
    QCOMPARE(intensity[1], 1.0);
    QCOMPARE(intensity[400], 400.0);
    QCOMPARE(intensity[401], -1.0); // nothing written past the spectrum
}

// Fields out of range give no date-time at all, never a made-up one.
void ChannelTest::storedRecordImpossibleDateTime()
{
    answer(1, {0xE5, 0x07, 0x0C, 0x1F, 0x18, 0x00, 0x00}); // 24:00:00
    answer(1, {0xE5, 0x07, 0x02, 0x1E, 0x17, 0x3B, 0x3B}); // 30 February
    for (int i = 0; i < 2; ++i) {
        QDateTime time = QDateTime::currentDateTime();
        double lux, ratio, intensity[401];
        QCOMPARE(engine->readStoredData(i, &time, &lux, intensity, &ratio), LuxEngine::Succeeded);
        QVERIFY(!time.isValid());
    }
}

QTEST_GUILESS_MAIN(ChannelTest)
#include "tst_channel.moc"
