// Cost of the colorimetry engine and of the light-quality measures per record,
// and of one whole calculator run:
//   build/bin/bench_colorimetry            (QBENCHMARK; -iterations N, -callgrind, ...)

#include "colorimetry.h"
#include "lightsources.h"

#include <QtTest>

class ColorimetryBenchmark : public QObject
{
    Q_OBJECT

    // The factory records are a round of real light sources; one of each kind.
    QVector<QVector<double>> spectra;
    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        for (const vm::StoredRecord& record : vm::defaultRecords(12))
            spectra << QVector<double>(record.intensity.begin(), record.intensity.end());
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("spectrum.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (double value : spectra[5])
            file.write(QByteArray::number(value) + '\n');
    }

    // What the read-out does for every record.
    void perRecord_data()
    {
        QTest::addColumn<int>("source");
        for (int k = 0; k < spectra.size(); ++k)
            QTest::addRow("source %d", k) << k;
    }
    void perRecord()
    {
        QFETCH(int, source);
        ColorimetricResult results;
        QBENCHMARK
        {
            initPlanckianTable();
            calculateColorParameters(spectra[source].constData(), measurementCount, results, 0, 1);
        }
    }

    // Every light-quality measure of a record (TM-30 above all), once the
    // tables that do not depend on the spectrum exist.
    void lightQualityPerRecord_data() { perRecord_data(); }
    void lightQualityPerRecord()
    {
        QFETCH(int, source);
        calculateLightQuality(spectra[source].constData(), measurementCount, 500);
        QBENCHMARK
        {
            const LightQuality quality =
                calculateLightQuality(spectra[source].constData(), measurementCount, 500);
            QVERIFY(!std::isnan(quality.tm30.rf));
        }
    }

    // The 101 Planckian points that initPlanckianTable keeps from its first run.
    void planckianTableRebuild()
    {
        double u, v, t;
        QBENCHMARK
        {
            for (int k = 0; k < planckianTableRows; ++k)
                planckianLocusPoint(planckianTableFirst + planckianTableStep * k, &u, &v, &t);
        }
    }

    void calculatorRun()
    {
        const QString calc =
            QCoreApplication::applicationDirPath() + QStringLiteral("/solvane-calc");
        QBENCHMARK
        {
            QProcess process;
            process.start(calc, {dir.filePath(QStringLiteral("spectrum.txt"))});
            QVERIFY(process.waitForFinished());
            QCOMPARE(process.exitCode(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(ColorimetryBenchmark)
#include "bench_colorimetry.moc"
