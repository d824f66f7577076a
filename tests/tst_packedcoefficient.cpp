// The packed number format against Qt's number formatting, whose seven
// significant digits ("%.6e" the Qt way) the meter's peers write.

#include "packedcoefficient.h"

#include <QtTest>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {
struct Digits
{
    long significand;
    int exponent;
};

// QString::number(value, 'e', 6), "-d.dddddde+xx", as significand and exponent.
Digits qtDigits(double value)
{
    const QString text = QString::number(value, 'e', 6);
    const int e = text.indexOf('e');
    QString mantissa = text.left(e);
    mantissa.remove('.');
    return {mantissa.toLong(), text.mid(e + 1).toInt()};
}

QString show(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return QString::fromLatin1(text);
}

// Empty when the encoder takes Qt's digits for value and its six bytes carry
// them; else what differs.
QString mismatch(double value)
{
    const Digits qt = qtDigits(value);
    PackedCoefficient::Decimal decimal;
    if (!PackedCoefficient::toDecimal(value, decimal))
        return show(value) + ": no decimal form";
    if (decimal.significand != qt.significand || decimal.exponent != qt.exponent)
        return QString("%1: encoder %2e%3, Qt %4")
            .arg(show(value))
            .arg(decimal.significand)
            .arg(decimal.exponent)
            .arg(QString::number(value, 'e', 6));

    unsigned char bytes[PackedCoefficient::byteCount] = {};
    const bool inRange = qt.exponent >= -128 && qt.exponent <= 127;
    if (PackedCoefficient::encode(value, bytes) != inRange)
        return show(value) + (inRange ? ": not encoded" : ": encoded out of range");
    if (!inRange)
        return QString();
    // Integer part and fraction of 2^-31 make the mantissa; the fraction's
    // truncation stays far below the seventh digit.
    const std::int32_t fraction =
        std::int32_t(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                     std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
    const double mantissa = static_cast<signed char>(bytes[4]) + fraction / 2147483648.0;
    if (std::llround(mantissa * 1e6) != qt.significand ||
        static_cast<signed char>(bytes[5]) != qt.exponent)
        return QString("%1: bytes hold %2e%3, Qt %4")
            .arg(show(value))
            .arg(mantissa, 0, 'f', 9)
            .arg(int(static_cast<signed char>(bytes[5])))
            .arg(QString::number(value, 'e', 6));
    return QString();
}

// True when the double's exact expansion is digits "d.dddddd5" and zeros.
bool isExactTie(double value)
{
    static char text[900];
    std::snprintf(text, sizeof text, "%.800e", std::fabs(value)); // exact in glibc
    if (text[8] != '5')
        return false;
    for (const char* p = text + 9; *p != 'e'; ++p)
        if (*p != '0')
            return false;
    return true;
}

// Checks every value, reporting the first few that differ.
void expectQtDigits(const std::vector<double>& values)
{
    QStringList failures;
    for (double value : values) {
        const QString problem = mismatch(value);
        if (!problem.isEmpty())
            failures << problem;
    }
    QVERIFY2(failures.isEmpty(),
             qPrintable(QString("%1 of %2 differ, e.g.\n").arg(failures.size()).arg(values.size()) +
                        failures.mid(0, 10).join('\n')));
}
} // namespace

class PackedCoefficientTest : public QObject
{
    Q_OBJECT

private slots:
    void tiesRoundAwayFromZero_data();
    void tiesRoundAwayFromZero();
    void exactTiesAcrossMagnitudes();
    void randomValuesAcrossExponentRange();
};

void PackedCoefficientTest::tiesRoundAwayFromZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text"); // as Qt writes it
    QTest::newRow("10000005") << 10000005.0 << "1.000001e+07";
    QTest::newRow("1234.5625") << 1234.5625 << "1.234563e+03";
    QTest::newRow("-1234.5625") << -1234.5625 << "-1.234563e+03";
    QTest::newRow("123456.25") << 123456.25 << "1.234563e+05";
    QTest::newRow("2^-11") << std::ldexp(1.0, -11) << "4.882813e-04";
    QTest::newRow("-2^-11") << -std::ldexp(1.0, -11) << "-4.882813e-04";
    QTest::newRow("9999999.5") << 9999999.5 << "1.000000e+07";
    QTest::newRow("-9999999.5") << -9999999.5 << "-1.000000e+07";
    QTest::newRow("99999995") << 99999995.0 << "1.000000e+08";
    QTest::newRow("below the tie") << std::nextafter(10000005.0, 0.0) << "1.000000e+07";
    QTest::newRow("not a tie, odd") << 1234567.5 << "1.234568e+06";
}

void PackedCoefficientTest::tiesRoundAwayFromZero()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::number(value, 'e', 6), text); // what the encoder must agree with
    const QString problem = mismatch(value);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

// Exact ties exist from about 1e-4 (where 5^j must divide the digits) to
// about 1e18 (where the digits times 5^k must fit 53 bits): all of them and
// their neighbours, both signs.
void PackedCoefficientTest::exactTiesAcrossMagnitudes()
{
    std::mt19937_64 random(20240611);
    std::vector<double> values;
    int ties = 0;
    for (int exponent = -4; exponent <= 18; ++exponent) {
        const int shift = exponent - 6; // value = (2N + 1) / 2 * 10^shift
        long long five = 1;
        for (int j = 0; j < -shift; ++j)
            five *= 5;
        const long long qLow = (2000001 + five - 1) / five, qHigh = 19999999 / five;
        for (int n = 0; n < 40; ++n) {
            // 2N + 1, an odd multiple of 5^-shift when shift < 0.
            long long q = std::uniform_int_distribution<long long>(qLow, qHigh)(random) | 1;
            if (q > qHigh)
                q -= 2;
            if (q < qLow)
                continue;
            const long long odd = five * q;
            const long long digits = (odd - 1) / 2; // N, seven digits
            char text[64];
            std::snprintf(text, sizeof text, "%lld5e%d", digits, shift - 1);
            const double value = std::strtod(text, nullptr);
            if (!isExactTie(value))
                continue;
            ++ties;
            for (double v : {value, std::nextafter(value, 0.0), std::nextafter(value, HUGE_VAL)})
                values.insert(values.end(), {v, -v});
        }
    }
    QVERIFY2(ties >= 900, qPrintable(QString::number(ties)));
    expectQtDigits(values);
}

// Random doubles over the whole packed range and a little beyond it, where
// the encoder must refuse exactly what Qt writes with a three-digit exponent.
void PackedCoefficientTest::randomValuesAcrossExponentRange()
{
    std::mt19937_64 random(7);
    std::vector<double> values;
    std::uniform_int_distribution<int> exponent(-130, 128);
    std::uniform_int_distribution<long long> digits(10000000000000000LL, 99999999999999999LL);
    for (int i = 0; i < 20000; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "%s%lld5e%d", i % 2 ? "-" : "", digits(random),
                      exponent(random) - 17);
        values.push_back(std::strtod(text, nullptr));
    }
    // Any bit pattern between 1e-130 and 1e129.
    const std::uint64_t low = 0x2510000000000000ULL, high = 0x5AC0000000000000ULL;
    std::uniform_int_distribution<std::uint64_t> bits(low, high);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t pattern = bits(random) | (i % 2 ? 0x8000000000000000ULL : 0);
        double value;
        std::memcpy(&value, &pattern, sizeof value);
        values.push_back(value);
    }
    values.insert(values.end(), {0.0, -0.0, 1.0, -1.0, 9.99999949999999e127, 9.9999995e127, 1e-128,
                                 9.9999995e-129, DBL_MAX, DBL_MIN, 5e-324});
    expectQtDigits(values);
}

QTEST_GUILESS_MAIN(PackedCoefficientTest)
#include "tst_packedcoefficient.moc"
