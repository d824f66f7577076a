#include "LuxEngine.h"

#include "littleendian.h"
#include "metercommands.h"
#include "packedcoefficient.h"
#include "recordformat.h"

#include <QDebug>
#include <cstring>

using namespace MeterCommand;
using LittleEndian::readDouble;
using LittleEndian::readU16;

namespace {
// Every exchange uses the same time-out, no text argument and three attempts.
constexpr DWORD timeout = 2000;
constexpr DWORD tries = 3;

// The 16-bit wire field holds ten times the integration time.
constexpr int maxIntegrationTime = 6553;
} // namespace

LuxEngine::LuxEngine(QObject* parent) : QObject(parent), foundation(new TKFoundation(nullptr)) {}

LuxEngine::~LuxEngine()
{
    delete foundation;
}

long LuxEngine::read(DWORD dwID, DWORD loc, DWORD count, BYTE* buf)
{
    return foundation->readCommand(dwID, loc, count, buf, timeout, nullptr, tries);
}

long LuxEngine::write(DWORD dwID, DWORD loc, DWORD count, BYTE* buf)
{
    return foundation->writeCommand(dwID, loc, count, buf, timeout, nullptr, tries);
}

long LuxEngine::command(DWORD dwID, DWORD loc)
{
    return foundation->cmdCommand(dwID, loc, 0, nullptr, timeout, nullptr, tries);
}

// Encodes all coefficients before anything is sent: a value without a packed
// form would reach the meter as wrapped bytes and corrupt its calibration.
bool LuxEngine::packCoefficients(const double* coefficient, int count, BYTE* bytes)
{
    for (int i = 0; i < count; ++i) {
        if (!PackedCoefficient::encode(coefficient[i], bytes + PackedCoefficient::byteCount * i)) {
            qDebug() << "校准系数超出可写入范围，未发送:" << i << coefficient[i];
            return false;
        }
    }
    return true;
}

int LuxEngine::setIntegrationTime(int time)
{
    if (time < 0 || time > maxIntegrationTime) {
        qDebug() << "积分时间超出范围(0~6553)，未发送:" << time;
        return Failed;
    }
    BYTE buf[2];
    LittleEndian::writeU16(buf, unsigned(time * 10));
    if (write(SetIntegrationTime, 0, sizeof buf, buf) <= 0) {
        qDebug() << "设置积分时间失败!";
        return Failed;
    }
    qDebug() << "成功设置积分时间:" << time;
    return Succeeded;
}

int LuxEngine::readIntegrationTime()
{
    BYTE buf[2] = {};
    if (read(ReadIntegrationTime, 0, sizeof buf, buf) <= 0) {
        qDebug() << "读取积分时间失败!";
        return Failed;
    }
    const int time = int(readU16(buf)) / 10;
    qDebug() << "成功读取积分时间：" << time;
    return time;
}

int LuxEngine::saveIntegrationTime()
{
    if (command(SaveIntegrationTime, 2) <= 0) {
        qDebug() << "保存积分时间失败!";
        return Failed;
    }
    qDebug() << "保存积分时间成功!";
    return Succeeded;
}

// A multi-block operation stops at the first failed block: a frame or table
// with a gap must not pass as complete.
int LuxEngine::readOriginalData(int* data)
{
    for (int block = 0; block * originalDataBlock < originalDataValues; ++block) {
        const int values = qMin(originalDataBlock, originalDataValues - block * originalDataBlock);
        BYTE buf[2 * originalDataBlock] = {};
        if (read(ReadOriginalData, block, 2 * values, buf) <= 0) {
            qDebug() << "获取原始强度失败!";
            return Failed;
        }
        for (int k = 0; k < values; ++k)
            data[block * originalDataBlock + k] = int(readU16(buf + 2 * k));
    }
    qDebug() << "获取原始强度成功!";
    return Succeeded;
}

int LuxEngine::stopToReadOriginalData()
{
    if (command(StopOriginalData, 0) <= 0) {
        qDebug() << "结束获取原始数据失败!";
        return Failed;
    }
    qDebug() << "结束获取原始数据成功!";
    return Succeeded;
}

int LuxEngine::saveWavelengthCorrectCoefficient(double* coefficient)
{
    BYTE buf[PackedCoefficient::byteCount * wavelengthCoefficients] = {};
    if (!packCoefficients(coefficient, wavelengthCoefficients, buf))
        return Failed;
    if (write(SaveWavelengthCoefficient, 0, sizeof buf, buf) <= 0) {
        qDebug() << "保存校正系数失败!";
        return Failed;
    }
    qDebug() << "保存校正系数成功!";
    return Succeeded;
}

int LuxEngine::readWavelengthCorrectCoefficient(double* coefficient)
{
    BYTE buf[PackedCoefficient::byteCount * wavelengthCoefficients] = {};
    if (read(ReadWavelengthCoefficient, 0, sizeof buf, buf) <= 0) {
        qDebug() << "读取波长校正系数失败!";
        return Failed;
    }
    for (int i = 0; i < wavelengthCoefficients; ++i)
        coefficient[i] = PackedCoefficient::decode(buf + PackedCoefficient::byteCount * i);
    qDebug() << "读取波长校正系数成功!";
    return Succeeded;
}

int LuxEngine::saveIntensityCorrectCoefficient(double* coefficient)
{
    BYTE all[PackedCoefficient::byteCount * intensityCoefficients] = {};
    if (!packCoefficients(coefficient, intensityCoefficients, all))
        return Failed;
    constexpr int blockBytes = PackedCoefficient::byteCount * intensityWriteBlock;
    for (int block = 0; block < intensityCoefficients / intensityWriteBlock; ++block) {
        BYTE buf[blockBytes];
        std::memcpy(buf, all + block * blockBytes, blockBytes);
        if (write(SaveIntensityCoefficient, block, blockBytes, buf) <= 0) {
            qDebug() << "保存强度校准系数失败！";
            return Failed;
        }
    }
    qDebug() << "保存强度校准系数成功!";
    return Succeeded;
}

int LuxEngine::readIntensityCorrectCoefficient(double* coefficient)
{
    constexpr int blockBytes = PackedCoefficient::byteCount * intensityReadBlock;
    for (int block = 0; block < intensityCoefficients / intensityReadBlock; ++block) {
        BYTE buf[blockBytes] = {};
        if (read(ReadIntensityCoefficient, block, blockBytes, buf) <= 0) {
            qDebug() << "读取强度校准系数失败!";
            return Failed;
        }
        for (int k = 0; k < intensityReadBlock; ++k)
            coefficient[block * intensityReadBlock + k] =
                PackedCoefficient::decode(buf + PackedCoefficient::byteCount * k);
    }
    qDebug() << "读取强度校准系数成功！";
    return Succeeded;
}

int LuxEngine::saveIlluminanceCorrectCoefficient(double* coefficient)
{
    BYTE buf[PackedCoefficient::byteCount] = {};
    if (!packCoefficients(coefficient, 1, buf))
        return Failed;
    if (write(SaveIlluminanceCoefficient, 0, sizeof buf, buf) <= 0) {
        qDebug() << "保存照度校准系数失败!";
        return Failed;
    }
    qDebug() << "保存照度校准系数成功!";
    return Succeeded;
}

int LuxEngine::readIlluminanceCorrectCoefficient(double* coefficient)
{
    BYTE buf[PackedCoefficient::byteCount] = {};
    if (read(ReadIlluminanceCoefficient, 0, sizeof buf, buf) <= 0) {
        qDebug() << "读取照度校准系数失败!";
        return Failed;
    }
    coefficient[0] = PackedCoefficient::decode(buf);
    qDebug() << "读取照度校准系数成功!";
    return Succeeded;
}

int LuxEngine::startToTest(int mode)
{
    return command(StartTest, DWORD(mode)) > 0 ? Succeeded : Failed;
}

int LuxEngine::isReadyForReadingReslut()
{
    BYTE buf[1] = {}; // a failed read leaves it 0: not ready
    read(ReadyStatus, 0, sizeof buf, buf);
    return buf[0];
}

int LuxEngine::readTestResult(int resultConteent, double* illuminacne, int* intensity)
{
    BYTE buf[testResultBytes] = {};
    const long result = read(ReadTestResult, DWORD(resultConteent), sizeof buf, buf);
    *illuminacne = PackedCoefficient::decode(buf + TestResultFormat::illuminance);
    for (int i = 0; i < spectrumPoints; ++i)
        intensity[i] = int(readU16(buf + TestResultFormat::intensities + 2 * i));
    if (result <= 0) {
        qDebug() << "读取测试结果失败!";
        return Failed;
    }
    qDebug() << "读取测试结果成功!";
    return Succeeded;
}

int LuxEngine::readStoredData(int dataOrdinal, QDateTime* time, double* illuminance,
                              double* intensity, double* ratio)
{
    BYTE buf[storedRecordBytes] = {}; // a failed read must not decode stale memory
    const long result = read(ReadStoredData, DWORD(dataOrdinal), sizeof buf, buf);

    namespace Layout = StoredRecordFormat;
    if (readU16(buf + Layout::year) == Layout::noRecordYear) {
        qDebug() << "没有可以读取的数据!";
        return NoRecord;
    }
    // The meter keeps a wall-clock time without a zone. Held as UTC it stays
    // exactly what the meter says: no local daylight-saving gap voids it and
    // no offset shifts it. Impossible fields give no date-time rather than a
    // made-up one (Qt would take an invalid time as midnight).
    const QDate date(int(readU16(buf + Layout::year)), buf[Layout::month], buf[Layout::day]);
    const QTime clock(buf[Layout::hour], buf[Layout::minute], buf[Layout::second]);
    *time = date.isValid() && clock.isValid() ? QDateTime(date, clock, Qt::UTC) : QDateTime();
    *illuminance = readDouble(buf + Layout::illuminance);
    for (int i = 0; i < spectrumPoints; ++i)
        intensity[i] = double(readU16(buf + Layout::intensities + 2 * i));
    *ratio = readDouble(buf + Layout::ratio);
    qDebug() << "ratio:" << *ratio;

    if (result <= 0) {
        qDebug() << "读取存储数据失败!";
        return Failed;
    }
    qDebug() << "读取存储数据成功!";
    return Succeeded;
}
