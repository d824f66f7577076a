// The packed number format against the seven significant digits of Qt's "%.6e",
// which the meter's peers write.

#include "packedcoefficient.h"

#include <QtTest>
#include <cfloat>
#include <cstring>
#include <random>

namespace {
// Empty when the six bytes carry the digits of QString::number(value, 'e', 6)
// and exactly what needs a three-digit exponent is refused; else what they hold.
QString mismatch(double value)
{
    const QString qt = QString::number(value, 'e', 6);
    const int exponent = qt.section('e', 1).toInt();
    unsigned char bytes[PackedCoefficient::byteCount] = {};
    const bool encoded = PackedCoefficient::encode(value, bytes);
    // The fraction's truncation to 2^-31 stays far below the seventh digit.
    const double held = PackedCoefficient::decode(bytes) / std::pow(10.0, exponent);
    const bool same = std::llround(held * 1e6) == qt.section('e', 0, 0).remove('.').toLong();
    if (encoded == (exponent >= -128 && exponent <= 127) && (same || !encoded))
        return QString();
    return QString("%1 (Qt %2): %3")
        .arg(QString::number(value, 'g', 17), qt,
             encoded ? QString::number(held, 'f', 9) : QString("not encoded"));
}
} // namespace

class PackedCoefficientTest : public QObject
{
    Q_OBJECT

private slots:
    // Seven-digit halfway values, which Qt rounds away from zero where the C++
    // library rounds to even, and neighbours; then bit patterns from 1e-130 to 1e129.
    void takesQtDigits()
    {
        std::vector<double> values = {
            10000005.0, 1234.5625,  123456.25, std::ldexp(1.0, -11),
            9999999.5,  99999995.0, 1234567.5, std::nextafter(10000005.0, 0.0)};
        values.insert(values.end(), {0.0, -0.0, 1.0, 9.99999949999999e127, 9.9999995e127, 1e-128,
                                     9.9999995e-129, DBL_MAX, DBL_MIN, 5e-324});
        // Eight-digit odd multiples of 5^k scaled by 10^-k are exact in binary;
        // scaled by 10^k they stay exact while below 2^53.
        std::mt19937_64 random(20240611);
        for (int shift = -6; shift <= 8; ++shift) {
            const long long five = std::llround(std::pow(5.0, std::max(1, -shift)));
            std::uniform_int_distribution<long long> odd(10000000 / five / 2, 99999999 / five / 2);
            for (int n = 0; n < 60; ++n) {
                const long long digits = five * (2 * odd(random) + 1);
                const double tie = std::stod(std::to_string(digits) + 'e' + std::to_string(shift));
                if (digits >= 10000000 && digits <= 99999999)
                    for (double v : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, HUGE_VAL)})
                        values.insert(values.end(), {v, -v});
            }
        }
        random.seed(7);
        std::uniform_int_distribution<std::uint64_t> bits(0x2510000000000000, 0x5AC0000000000000);
        for (int i = 0; i < 20000; ++i) {
            const std::uint64_t pattern = bits(random) | (i % 2 ? 0x8000000000000000 : 0);
            values.push_back(0);
            std::memcpy(&values.back(), &pattern, sizeof pattern);
        }

        for (double value : values)
            QVERIFY2(mismatch(value).isEmpty(), qPrintable(mismatch(value)));
    }
};

QTEST_GUILESS_MAIN(PackedCoefficientTest)
#include "tst_packedcoefficient.moc"
