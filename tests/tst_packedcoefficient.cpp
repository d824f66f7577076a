// The packed number format against Qt's number formatting, whose seven
// significant digits ("%.6e" the Qt way) the meter's peers write.

#include "packedcoefficient.h"

#include <QtTest>
#include <cfloat>
#include <cstring>
#include <random>

namespace {

// Empty when the encoder takes the digits of QString::number(value, 'e', 6)
// and its six bytes carry them; else what differs.
QString mismatch(double value)
{
    const QString qt = QString::number(value, 'e', 6);
    const int e = qt.indexOf('e');
    const long significand = QString(qt.left(e)).remove('.').toLong();
    const int exponent = qt.mid(e + 1).toInt();
    PackedCoefficient::Decimal decimal;
    if (!PackedCoefficient::toDecimal(value, decimal) || decimal.significand != significand ||
        decimal.exponent != exponent)
        return QString("%1: encoder %2e%3, Qt %4")
            .arg(value, 0, 'g', 17)
            .arg(decimal.significand)
            .arg(decimal.exponent)
            .arg(qt);

    unsigned char bytes[PackedCoefficient::byteCount] = {};
    const bool inRange = exponent >= -128 && exponent <= 127;
    if (PackedCoefficient::encode(value, bytes) != inRange)
        return QString("%1: %2").arg(qt, inRange ? "not encoded" : "encoded out of range");
    // The fraction's truncation to 2^-31 stays far below the seventh digit.
    const double decoded = PackedCoefficient::decode(bytes) / std::pow(10.0, exponent);
    if (inRange && std::llround(decoded * 1e6) != significand)
        return QString("%1: bytes hold %2").arg(qt).arg(decoded, 0, 'f', 9);
    return QString();
}

void expectQtDigits(const std::vector<double>& values)
{
    QStringList failures;
    for (double value : values)
        if (const QString problem = mismatch(value); !problem.isEmpty())
            failures << problem;
    QVERIFY2(failures.isEmpty(),
             qPrintable(QString("%1 of %2 differ, e.g.\n").arg(failures.size()).arg(values.size()) +
                        failures.mid(0, 10).join('\n')));
}

} // namespace

class PackedCoefficientTest : public QObject
{
    Q_OBJECT

private slots:
    void tiesRoundAwayFromZero();
    void valuesAcrossTheRange();
};

// Values exactly halfway between two seven-digit decimals: Qt rounds them
// away from zero, where the C++ library rounds to even.
void PackedCoefficientTest::tiesRoundAwayFromZero()
{
    QCOMPARE(QString::number(10000005.0, 'e', 6), QString("1.000001e+07"));
    QCOMPARE(QString::number(1234.5625, 'e', 6), QString("1.234563e+03"));
    std::vector<double> values = {
        10000005.0, 1234.5625,  123456.25, std::ldexp(1.0, -11),
        9999999.5,  99999995.0, 1234567.5, std::nextafter(10000005.0, 0.0)};
    // Eight-digit odd multiples of 5^k scaled by 10^-k are exact in binary;
    // scaled by 10^k they stay exact while below 2^53.
    std::mt19937_64 random(20240611);
    for (int shift = -6; shift <= 8; ++shift) {
        long long five = 1;
        for (int k = 0; k < std::max(1, -shift); ++k)
            five *= 5;
        std::uniform_int_distribution<long long> odd(10000000 / five / 2, 99999999 / five / 2);
        for (int n = 0; n < 60; ++n) {
            const long long digits = five * (2 * odd(random) + 1);
            if (digits < 10000000 || digits > 99999999)
                continue;
            char text[64];
            std::snprintf(text, sizeof text, "%llde%d", digits, shift);
            const double tie = std::strtod(text, nullptr);
            for (double v : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, HUGE_VAL)})
                values.insert(values.end(), {v, -v});
        }
    }
    expectQtDigits(values);
}

// Any bit pattern from 1e-130 to 1e129, both signs, where the encoder must
// refuse exactly what needs a three-digit exponent.
void PackedCoefficientTest::valuesAcrossTheRange()
{
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::uint64_t> bits(0x2510000000000000ULL, 0x5AC0000000000000ULL);
    std::vector<double> values = {
        0.0,     -0.0,    1.0,   9.99999949999999e127, 9.9999995e127, 1e-128, 9.9999995e-129,
        DBL_MAX, DBL_MIN, 5e-324};
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t pattern = bits(random) | (i % 2 ? 0x8000000000000000ULL : 0);
        double value;
        std::memcpy(&value, &pattern, sizeof value);
        values.push_back(value);
    }
    expectQtDigits(values);
}

QTEST_GUILESS_MAIN(PackedCoefficientTest)
#include "tst_packedcoefficient.moc"
