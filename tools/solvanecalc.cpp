// solvane-calc: the colorimetric items of one spectrum, computed by the
// application's own engine, for checking it from outside.

#include "boundedfile.h"
#include "colorimetry.h"
#include "measurementrecord.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

#include <cmath>
#include <cstdio>

namespace {

constexpr int usageError = 2;
// 401 lines of a few dozen characters; far more than that is not a spectrum.
constexpr qint64 maxSpectrumFileSize = 1024 * 1024;

struct Failure
{
    QString message;
};

// A control character (a NUL above all) would end the text early for the
// number parser, which then takes "10<NUL>00" as 10.
bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return true;
    return false;
}

// The text as it can be shown in a message: control characters as \xHH.
QString visible(const QString& text)
{
    QString shown;
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

bool parseNumber(const QString& text, double* value)
{
    if (hasControlCharacter(text))
        return false;
    bool ok = false;
    *value = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(*value);
}

// 401 lines, "value" or "nm,value", 380 to 780 nm in order; blank lines at the
// end are ignored.
void readSpectrum(const QString& path, double* spectrum)
{
    QByteArray content;
    QString reason;
    switch (BoundedFile::read(path, maxSpectrumFileSize, &content, &reason)) {
    case BoundedFile::Error::None:
        break;
    case BoundedFile::Error::NotAFile:
        throw Failure{path + QStringLiteral(": not a regular file")};
    case BoundedFile::Error::CannotRead:
        throw Failure{path + QStringLiteral(": cannot read the file: ") + reason};
    case BoundedFile::Error::TooLarge:
        throw Failure{path + QStringLiteral(": larger than 1 MiB, not a spectrum file")};
    }
    QList<QByteArray> lines = content.split('\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();

    const auto fail = [&](int line, const QString& what) {
        return Failure{QStringLiteral("%1:%2: %3").arg(path, QString::number(line), what)};
    };
    for (int k = 0; k < lines.size(); ++k) {
        const int line = k + 1;
        if (k == measurementCount)
            throw fail(line, QStringLiteral("more than %1 values (380 to 780 nm in 1-nm steps)")
                                 .arg(measurementCount));
        // Sized, so that a NUL byte stays in the text instead of ending it.
        const QString text = QString::fromUtf8(lines[k].constData(), lines[k].size()).trimmed();
        if (text.isEmpty())
            throw fail(line, QStringLiteral("empty line"));
        const QStringList fields = text.split(QLatin1Char(','));
        if (fields.size() > 2)
            throw fail(
                line,
                QStringLiteral("'%1': expected \"value\" or \"nm,value\"").arg(visible(text)));
        if (fields.size() == 2) {
            double nm;
            if (!parseNumber(fields[0].trimmed(), &nm) || nm != 380 + k)
                throw fail(line, QStringLiteral("wavelength '%1', expected %2 nm")
                                     .arg(visible(fields[0].trimmed()), QString::number(380 + k)));
        }
        const QString value = fields.last().trimmed();
        if (!parseNumber(value, &spectrum[k]))
            throw fail(line, QStringLiteral("'%1' is not a number").arg(visible(value)));
    }
    if (lines.size() < measurementCount)
        throw fail(qMax(1, int(lines.size())), QStringLiteral("the file ends after %1 of %2 values "
                                                              "(380 to 780 nm in 1-nm steps)")
                                                   .arg(lines.size())
                                                   .arg(measurementCount));
}

double numberOption(const QString& name, const QString& text)
{
    double value;
    if (!parseNumber(text, &value))
        throw Failure{QStringLiteral("%1 '%2' is not a number").arg(name, visible(text))};
    return value;
}

void print(const char* name, double value)
{
    if (std::isnan(value))
        std::printf("%s nan\n", name);
    else
        std::printf("%s %.17g\n", name, value);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("solvane-calc"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Computes the colorimetric items of a spectrum with the engine of Solvane.\n\n"
        "The spectrum file has 401 lines for 380 to 780 nm in 1-nm steps, each line\n"
        "\"value\" or \"nm,value\". The output is 26 lines \"name value\" (17 significant\n"
        "digits, nan where a quantity is not determined): x, y, u_prime, v_prime, cct, duv,\n"
        "X, Y, Z, dominant_wavelength, Ra, R1 ... R15; then 27 lines with the texts that a\n"
        "measurement record holds: illuminance, Tcp, Ra, R1 ... R15, dominant wavelength,\n"
        "x, y, u', v', X, Y, Z, duv.\n\n"
        "Observer, ratio and illuminance may also follow the file as positional arguments.\n"
        "A malformed spectrum or argument is reported on stderr with exit code 2.\n\n"
        "With --quality, the output is instead the light-quality measures, one line\n"
        "\"name value\" each, in this order: cct_ohno duv_ohno cct_valid tm30_rf tm30_rg\n"
        "tm30_rf_h1 ... tm30_rf_h16 tm30_rcs_h1 ... tm30_rcs_h16 tm30_rhs_h1 ... tm30_rhs_h16\n"
        "cie2017_rf sc_irradiance mc_irradiance lc_irradiance rh_irradiance mel_irradiance\n"
        "sc_edi mc_edi lc_edi rh_edi mel_edi sc_der mc_der lc_der rh_der mel_der ppfd pfd_blue\n"
        "pfd_green pfd_red pfd_far_red sp_ratio peak_wavelength fwhm centroid_wavelength.\n"
        "Units: K; irradiances W/m2; EDIs lx; photon flux densities umol/(m2 s); Rcs in\n"
        "percent, Rhs as a fraction; wavelengths nm; cct_valid 1 when the CCT is meaningful\n"
        "(1000 to 25000 K, |duv| <= 0.05), else 0. The absolute quantities (irradiances,\n"
        "EDIs, photon flux densities) need a positive --illuminance and are nan without it.\n"
        "Observer and ratio do not apply: the measures use the CIE 1931 2-degree observer."));
    parser.addHelpOption();
    parser.addOption({{QStringLiteral("o"), QStringLiteral("observer")},
                      QStringLiteral("0 for the CIE 1931 2° observer (default), 1 for the CIE "
                                     "1964 10° observer; it decides u' and v' only."),
                      QStringLiteral("0|1")});
    parser.addOption({{QStringLiteral("r"), QStringLiteral("ratio")},
                      QStringLiteral("Ratio stored with the record; scales X, Y, Z (default 1)."),
                      QStringLiteral("ratio")});
    parser.addOption({{QStringLiteral("i"), QStringLiteral("illuminance")},
                      QStringLiteral("Illuminance in lux for the record text (default 0)."),
                      QStringLiteral("lux")});
    parser.addOption({{QStringLiteral("q"), QStringLiteral("quality")},
                      QStringLiteral("Print the light-quality measures instead of the items.")});
    parser.addPositionalArgument(QStringLiteral("spectrum"), QStringLiteral("Spectrum file."));
    parser.addPositionalArgument(QStringLiteral("observer"), QStringLiteral("As --observer."),
                                 QStringLiteral("[observer]"));
    parser.addPositionalArgument(QStringLiteral("ratio"), QStringLiteral("As --ratio."),
                                 QStringLiteral("[ratio]"));
    parser.addPositionalArgument(QStringLiteral("illuminance"), QStringLiteral("As --illuminance."),
                                 QStringLiteral("[illuminance]"));

    try {
        if (!parser.parse(QCoreApplication::arguments()))
            throw Failure{parser.errorText()};
        if (parser.isSet(QStringLiteral("help")))
            parser.showHelp(0);
        const QStringList arguments = parser.positionalArguments();
        if (arguments.isEmpty() || arguments.size() > 4)
            throw Failure{QStringLiteral("expected one spectrum file (see --help)")};

        const auto value = [&](const char* option, int position, const char* fallback) {
            const QString name = QString::fromLatin1(option);
            if (parser.isSet(name))
                return parser.value(name);
            return arguments.size() > position ? arguments[position]
                                               : QString::fromLatin1(fallback);
        };
        const QString observerText = value("observer", 1, "0");
        if (observerText != QLatin1String("0") && observerText != QLatin1String("1"))
            throw Failure{
                QStringLiteral("observer '%1' must be 0 or 1").arg(visible(observerText))};
        const int observer = observerText.toInt();
        const double ratio = numberOption(QStringLiteral("ratio"), value("ratio", 2, "1"));
        const double lux =
            numberOption(QStringLiteral("illuminance"), value("illuminance", 3, "0"));

        double spectrum[measurementCount];
        readSpectrum(arguments[0], spectrum);

        if (parser.isSet(QStringLiteral("quality"))) {
            const LightQuality quality = calculateLightQuality(spectrum, measurementCount, lux);
            for (const NamedMeasure& measure : lightQualityMeasures(quality))
                print(measure.name.c_str(), measure.value);
            return 0;
        }

        ColorimetricResult results;
        initPlanckianTable();
        calculateColorParameters(spectrum, measurementCount, results, observer, ratio);

        for (int slot = 0; slot < ColorimetricResultSize; ++slot) {
            const int entry = MeasurementRecord::entryOf(slot);
            print(MeasurementRecord::items[entry - MeasurementRecord::firstItemEntry].calcName,
                  results[slot]);
        }
        const QStringList texts = QStringList{MeasurementRecord::illuminanceText(lux)} +
                                  MeasurementRecord::itemTexts(results);
        for (const QString& text : texts)
            std::printf("%s\n", qPrintable(text));
        return 0;
    } catch (const Failure& failure) {
        std::fprintf(stderr, "solvane-calc: %s\n", qPrintable(failure.message));
        return usageError;
    }
}
