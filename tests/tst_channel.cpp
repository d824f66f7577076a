// The command set byte for byte against a scripted stand-in of the meter
// library (tests/probe), the bytes written by hand to check the encoder alone.

#include "LuxEngine.h"
#include "TKFoundation.h"
#include "packedcoefficient.h"
#include "probeusb.h"

#include <QtTest>
#include <cmath>
#include <cstring>
#include <ctime>
#include <functional>

using Bytes = std::vector<unsigned char>;

namespace {
Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes littleEndian(std::uint64_t value, int size)
{
    Bytes bytes;
    for (int i = 0; i < size; ++i)
        bytes.push_back((value >> 8 * i) & 0xFF);
    return bytes;
}
} // namespace

class ChannelTest : public QObject
{
    Q_OBJECT

    ProbeState& probe = *probeState();
    LuxEngine* engine = nullptr;
    double values[6]; // what an operation sends or reads

    void answer(long result, Bytes bytes = {}) { probe.answers.push_back({result, bytes}); }

    // Each call as "channel code/location count", e.g. "R 17/0 825".
    QStringList calls() const
    {
        QStringList out;
        for (const ProbeCall& c : probe.calls)
            out << QString("%1 %2/%3 %4").arg(c.channel).arg(c.dwID).arg(c.loc).arg(c.count);
        return out;
    }

    // One exchange answered 1, 0 and -5: the bytes it sends (W) or is answered
    // (R); its result, the values it reads (from `in`) and its log line.
    void exchange(const std::function<int()>& run, const std::vector<double>& in,
                  const QString& call, const Bytes& wire, const QString& succeeded,
                  const QString& okLog, const QString& failed, const QString& failLog)
    {
        const int first = int(probe.calls.size());
        const bool reads = call.startsWith('R');
        for (long result : {1L, 0L, -5L})
            answer(result, reads && result > 0 ? wire : Bytes());
        QStringList got;
        for (const QString& log : {okLog, failLog, failLog}) {
            std::copy(in.begin(), in.end(), values);
            if (!log.isEmpty())
                QTest::ignoreMessage(QtDebugMsg, log.toUtf8().constData());
            got << QString::number(run());
            for (std::size_t i = 0; reads && i < in.size(); ++i)
                got.last() += ' ' + QString::number(values[i], 'g', 7); // the packed digits
        }
        QCOMPARE(got, QStringList({succeeded, failed, failed}));
        QCOMPARE(calls().mid(first), QStringList({call, call, call}));
        for (int k = first; !reads && k < first + 3; ++k)
            QCOMPARE(probe.calls[k].bytes, wire);
    }

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin"); // a meter time taken as local time shows
        tzset();
        QTest::ignoreMessage(QtDebugMsg, "\"Succeeded in loading Dll(libTorvikUSB.so)!\"");
        engine = new LuxEngine(nullptr);
    }
    void cleanupTestCase() { delete engine; }
    void init() { probe.reset(); }

    // Every exchange: 2 s, no text, three tries, a zeroed buffer to receive in.
    void cleanup()
    {
        for (const ProbeCall& call : probe.calls) {
            QVERIFY(call.dwTimeout == 2000 && call.disc == nullptr && call.dwTry == 3);
            QCOMPARE(call.buf == nullptr, call.count == 0);
            const long zeros = std::count(call.bytes.begin(), call.bytes.end(), 0);
            QVERIFY2(call.channel != 'R' || zeros == call.count, "a dirty receive buffer");
        }
    }

    // With values the engine never uses, so that none passes by chance.
    void forwardsEveryArgumentUnchanged()
    {
        TKFoundation foundation;
        BYTE buf[4] = {};
        char text[] = "x";
        answer(-7);
        QCOMPARE(foundation.readCommand(17, 0xFFFFFFFFu, 4, buf, 1, text, 9), -7L);
        foundation.writeCommand(5, 1, 3, buf, 1, text, 9);
        foundation.cmdCommand(11, 7, 2, buf, 1, text, 9);
        QCOMPARE(calls(), QStringList({"R 17/4294967295 4", "W 5/1 3", "C 11/7 2"}));
        for (const ProbeCall& c : probe.calls)
            QVERIFY(c.buf == buf && c.dwTimeout == 1 && c.disc == text && c.dwTry == 9);
        probe.reset();
    }

    // Each single-exchange command, and what is refused before any exchange.
    void singleExchanges()
    {
        LuxEngine& e = *engine;
        exchange([&] { return e.setIntegrationTime(6553); }, {}, "W 0/0 2", {0xFA, 0xFF}, "1",
                 "成功设置积分时间: 6553", "-1", "设置积分时间失败!");
        exchange([&] { return e.readIntegrationTime(); }, {}, "R 1/0 2", {0xE9, 0x03}, "100",
                 "成功读取积分时间： 100", "-1", "读取积分时间失败!"); // the tenth dropped
        exchange([&] { return e.saveIntegrationTime(); }, {}, "C 2/2 0", {}, "1",
                 "保存积分时间成功!", "-1", "保存积分时间失败!");
        exchange([&] { return e.stopToReadOriginalData(); }, {}, "C 4/0 0", {}, "1",
                 "结束获取原始数据成功!", "-1", "结束获取原始数据失败!");
        exchange([&] { return e.startToTest(7); }, {}, "C 11/7 0", {}, "1", "", "-1", "");
        exchange([&] { return e.isReadyForReadingReslut(); }, {}, "R 12/0 1", {0xFE}, "254", "",
                 "0", "");

        // Packed: 32-bit fraction, integer part, decimal exponent.
        const Bytes onePointFive = {0x00, 0x00, 0x00, 0x40, 0x01, 0x00};
        const Bytes six = onePointFive + Bytes{0x00, 0x00, 0x00, 0xC0, 0xFF, 0x00} +
                          Bytes{0x00, 0x00, 0x00, 0xE0, 0xFF, 0xFD} + Bytes(6) +
                          Bytes{0x00, 0x00, 0x00, 0x40, 0x09, 0x7F} +
                          Bytes{0x00, 0x00, 0x00, 0xE0, 0xFE, 0x80};
        exchange([&] { return e.saveWavelengthCorrectCoefficient(values); },
                 {1.5, -1.5, -0.00125, 0, 9.5e127, -2.25e-128}, "W 5/0 36", six, "1",
                 "保存校正系数成功!", "-1", "保存校正系数失败!");
        exchange([&] { return e.readWavelengthCorrectCoefficient(values); },
                 std::vector<double>(6, 9), "R 6/0 36", six,
                 "1 1.5 -1.5 -0.00125 0 9.5e+127 -2.25e-128", "读取波长校正系数成功!",
                 "-1 9 9 9 9 9 9", "读取波长校正系数失败!");
        exchange([&] { return e.saveIlluminanceCorrectCoefficient(values); }, {1.5}, "W 9/0 6",
                 onePointFive, "1", "保存照度校准系数成功!", "-1", "保存照度校准系数失败!");
        exchange([&] { return e.readIlluminanceCorrectCoefficient(values); }, {9}, "R 10/0 6",
                 onePointFive, "1 1.5", "读取照度校准系数成功!", "-1 9", "读取照度校准系数失败!");

        // 1.5e2 lx and 401 counts; decoded even when the exchange fails.
        Bytes result = {0x00, 0x00, 0x00, 0x40, 0x01, 0x02};
        for (unsigned i = 0; i < 401; ++i)
            result = result + littleEndian(i == 0 ? 0xFFFF : i == 400 ? 0xFF90 : i, 2);
        const auto readResult = [&] {
            int counts[401] = {}, done = e.readTestResult(3, values, counts);
            for (int k : {0, 1, 2})
                values[k + 1] = counts[200 * k];
            return done;
        };
        exchange(readResult, {-1, -1, -1, -1}, "R 13/3 808", result, "1 150 65535 200 65424",
                 "读取测试结果成功!", "-1 0 0 0 0", "读取测试结果失败!");

        // Nothing the meter's fields cannot hold is sent: not an integration time
        // past 16 bits, nor a table with one value that has no packed form.
        const auto sent = probe.calls.size();
        for (int time : {-1, 6554, 429496730})
            QCOMPARE(engine->setIntegrationTime(time), LuxEngine::Failed);
        for (double bad : {double(NAN), -double(INFINITY), 1e128, 9.99e-129}) {
            double one = bad, wavelength[6] = {1, 2, 3, 4, 5, bad}, table[420];
            std::fill(std::begin(table), std::end(table), 1.0);
            table[419] = bad;
            QCOMPARE(engine->saveIlluminanceCorrectCoefficient(&one), LuxEngine::Failed);
            QCOMPARE(engine->saveWavelengthCorrectCoefficient(wavelength), LuxEngine::Failed);
            QCOMPARE(engine->saveIntensityCorrectCoefficient(table), LuxEngine::Failed);
        }
        QCOMPARE(probe.calls.size(), sent);
    }

    void blockTransfers_data()
    {
        QTest::addColumn<int>("kind");    // save intensity, read intensity, raw frame
        QTest::addColumn<int>("failing"); // -1: none
        const int lastBlock[] = {69, 3, 6};
        for (int kind : {0, 1, 2})
            for (int failing : {-1, 0, 2, lastBlock[kind]})
                QTest::addRow("kind %d, block %d fails", kind, failing) << kind << failing;
    }
    // Tables and the raw frame travel in blocks. A failed block ends the
    // operation as failed, with nothing from it or after it decoded: a
    // calibration table or frame with a gap must not pass as complete.
    void blockTransfers()
    {
        QFETCH(int, kind);
        QFETCH(int, failing);
        const int count = kind == 2 ? 3000 : 420, perBlock = kind == 0 ? 6 : kind == 1 ? 105 : 450;
        // Distinct values; raw counts past 32767 too, as they are unsigned.
        const auto value = [kind](int i) { return kind == 2 ? i * 21 % 65536 : 1 + i / 1000.0; };
        std::vector<Bytes> blocks;
        for (int i = 0; i < count; ++i) {
            Bytes bytes = littleEndian(unsigned(value(i)), kind == 2 ? 2 : 6);
            QVERIFY(kind == 2 || PackedCoefficient::encode(value(i), bytes.data()));
            if (i % perBlock == 0)
                blocks.emplace_back();
            blocks.back() = blocks.back() + bytes;
        }
        QStringList expected;
        for (int b = 0; b < int(blocks.size()) && (failing < 0 || b <= failing); ++b) {
            const char* call = kind == 0 ? "W 7" : kind == 1 ? "R 8" : "R 3";
            expected << QString("%1/%2 %3").arg(call).arg(b).arg(blocks[b].size());
            answer(b == failing ? -b : 1, kind == 0 ? Bytes() : blocks[b]);
        }

        std::vector<double> table(421, -7);
        std::vector<int> frame(3001, -7);
        for (int i = 0; kind == 0 && i < 420; ++i)
            table[i] = value(i);
        const char* logs[][2] = {{"保存强度校准系数成功!", "保存强度校准系数失败！"},
                                 {"读取强度校准系数成功！", "读取强度校准系数失败!"},
                                 {"获取原始强度成功!", "获取原始强度失败!"}};
        QTest::ignoreMessage(QtDebugMsg, logs[kind][failing >= 0]);
        const int result = kind == 0   ? engine->saveIntensityCorrectCoefficient(table.data())
                           : kind == 1 ? engine->readIntensityCorrectCoefficient(table.data())
                                       : engine->readOriginalData(frame.data());
        QCOMPARE(result, failing < 0 ? LuxEngine::Succeeded : LuxEngine::Failed);
        QCOMPARE(calls(), expected);
        for (int b = 0; kind == 0 && b < int(probe.calls.size()); ++b)
            QCOMPARE(probe.calls[b].bytes, blocks[b]);
        const int decoded = failing < 0 ? count : failing * perBlock;
        for (int i = 0; kind > 0 && i <= count; ++i) {
            const double want = i < decoded ? value(i) : -7, got = kind == 1 ? table[i] : frame[i];
            QVERIFY2(std::abs(got - want) <= 5e-7 * std::abs(want), qPrintable(QString::number(i)));
        }
    }

    // The meter's wall-clock fields carried as UTC, the doubles bit for bit (a
    // NaN's payload too), nothing written past the spectrum, an erased slot
    // recognised before the exchange's result, and no date-time at all (never
    // a made-up one) for impossible fields.
    void storedRecords()
    {
        const std::uint64_t oddNan = 0x7FF800000000BEEF, minusInfinity = 0xFFF0000000000000;
        Bytes record = Bytes{0xE5, 0x07, 0x0C, 0x1F, 0x17, 0x3B, 0x3B} + littleEndian(oddNan, 8);
        for (unsigned i = 0; i < 401; ++i)
            record = record + littleEndian(i == 0 ? 0xFFFF : i, 2);
        const Bytes marker = Bytes{0xFF, 0xFF} + Bytes(823, 0x5A);
        for (long result : {1L, 0L}) // the marker counts before the exchange's result
            answer(result, marker);
        answer(825, record + littleEndian(minusInfinity, 8));  // 2021-12-31 23:59:59
        answer(1, {0xE5, 0x07, 0x0C, 0x1F, 0x18, 0x00, 0x00}); // 24:00:00

        const QDateTime before(QDate(2000, 1, 2), QTime(3, 4, 5));
        QDateTime time = before;
        double lux = -1, ratio = -2;
        std::vector<double> intensity(402, -3);
        const auto read = [&](int ordinal) {
            return engine->readStoredData(ordinal, &time, &lux, intensity.data(), &ratio);
        };
        for (int i = 0; i < 2; ++i) {
            QTest::ignoreMessage(QtDebugMsg, "没有可以读取的数据!");
            QCOMPARE(read(9), LuxEngine::NoRecord);
            QVERIFY(time == before && lux == -1 && ratio == -2 &&
                    std::count(intensity.begin(), intensity.end(), -3.0) == 402);
        }
        QTest::ignoreMessage(QtDebugMsg, "ratio: -inf");
        QTest::ignoreMessage(QtDebugMsg, "读取存储数据成功!");
        QCOMPARE(read(0), LuxEngine::Succeeded);
        QCOMPARE(time, QDateTime(QDate(2021, 12, 31), QTime(23, 59, 59), Qt::UTC));
        QVERIFY(std::memcmp(&lux, &oddNan, 8) == 0 && std::memcmp(&ratio, &minusInfinity, 8) == 0);
        QCOMPARE(std::vector<double>({intensity[0], intensity[1], intensity[400], intensity[401]}),
                 std::vector<double>({65535, 1, 400, -3}));
        QCOMPARE(read(1), LuxEngine::Succeeded); // not midnight, as Qt would make it
        QVERIFY(!time.isValid());
        QCOMPARE(calls(), QStringList({"R 17/9 825", "R 17/9 825", "R 17/0 825", "R 17/1 825"}));
    }
};

QTEST_GUILESS_MAIN(ChannelTest)
#include "tst_channel.moc"
