// The light-quality window: what it shows of the record the main window
// shows, and its export, checked against the engine and the calculator.

#include "LightQualityDialog.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "measurementrecord.h"
#include "recordquality.h"
#include "windowdriver.h"

#include <QLabel>

#include <cmath>

#ifdef Q_OS_UNIX
#include "diskfaults.h"
#endif

namespace {

// The record's texts with the intensities replaced.
QStringList withSpectrum(QStringList record, const std::function<QString(int nm)>& intensity)
{
    for (int i = 0; i < MeasurementRecord::spectrumLength; ++i)
        record[MeasurementRecord::firstIntensity + i] = intensity(380 + i);
    return record;
}

} // namespace

class LightQualityWindowTest : public QObject
{
    Q_OBJECT

    std::optional<LogRecorder> log; // quiet
    QScopedPointer<QTemporaryDir> dir;
    QScopedPointer<MainWindow> window;
    QString chosenPath;

    LightQualityDialog* dialog() { return window->findChild<LightQualityDialog*>(); }
    QString text(const char* label) { return dialog()->findChild<QLabel*>(label)->text(); }
    QString alphaOpic(int row, int column)
    {
        return dialog()
            ->findChild<QTableWidget*>("tableWidget_alphaOpic")
            ->item(row, column)
            ->text();
    }
    // As stated for the window: a dash for an undetermined value, no sign on zero.
    static QString fixed(double value, int decimals)
    {
        if (std::isnan(value))
            return "—";
        const QString text = QString::number(value, 'f', decimals);
        return text.toDouble() == 0 ? QString(text).remove('-') : text;
    }
    // The values the window must show for a record, as it formats them.
    void compareWithEngine(const QStringList& record)
    {
        const LightQuality q = RecordQuality::evaluate(record).quality;
        QCOMPARE(text("label_qualityRecord"), record.at(0));
        QCOMPARE(text("label_cct"), (q.cctValid ? "" : "⚠ ") + fixed(q.cct, 0));
        QCOMPARE(text("label_duv"), fixed(q.duv, 4));
        QCOMPARE(text("label_rf"), fixed(q.tm30.rf, 0));
        QCOMPARE(text("label_rg"), fixed(q.tm30.rg, 0));
        QCOMPARE(text("label_cieRf"), fixed(q.cie2017Rf, 0));
        QCOMPARE(text("label_melEdi"), fixed(q.edi[AlphaMelanopic], 1));
        QCOMPARE(text("label_melDer"), fixed(q.der[AlphaMelanopic], 3));
        QCOMPARE(text("label_ppfd"), fixed(q.ppfd, 1));
        QCOMPARE(text("label_peak"), fixed(q.shape.peak, 0));
        QCOMPARE(text("label_spRatio"), fixed(q.spRatio, 2));
        for (int a = 0; a < alphaOpicCount; ++a) {
            QCOMPARE(alphaOpic(a, 0), fixed(1000 * q.irradiance[a], 2));
            QCOMPARE(alphaOpic(a, 1), fixed(q.edi[a], 1));
            QCOMPARE(alphaOpic(a, 2), fixed(q.der[a], 3));
        }
    }
    QStringList valueTexts()
    {
        QStringList texts;
        for (const char* label : {"label_cct", "label_duv", "label_rf", "label_rg", "label_cieRf",
                                  "label_melEdi", "label_melDer", "label_ppfd", "label_peak",
                                  "label_fwhm", "label_centroid", "label_spRatio"})
            texts << text(label);
        for (int a = 0; a < alphaOpicCount; ++a)
            for (int column = 0; column < 3; ++column)
                texts << alphaOpic(a, column);
        return texts;
    }
    QStringList dashes() { return QVector<QString>(valueTexts().size(), "—").toList(); }
    SeenMessage exportRows(std::initializer_list<int> rows, const QString& file)
    {
        selectRecords(window.data(), rows);
        chosenPath = file;
        return press(dialog(), "btn_qualityExport");
    }

private slots:
    void init()
    {
        resetVirtualMeter();
        log.emplace();
        dir.reset(new QTemporaryDir);
        window.reset(new MainWindow);
        window->setFileChooser([this](QWidget*, MainWindow::FileDialog, const QString&,
                                      const QString&, const QString&) { return chosenPath; });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
        readMeter(window.data(), "12");
        window->findChild<QPushButton*>("btn_quality")->click();
        QVERIFY(dialog() && dialog()->isVisible());
    }
    void cleanup()
    {
        window.reset();
        log.reset();
    }

    // One window, showing what the main window shows while it is open; its
    // values are the engine's for the record's texts.
    void followsTheSelection()
    {
        compareWithEngine(window->records().at(0));
        for (int row : {3, 1, 9}) { // warm white LED, daylight, horticultural LED
            clickRecord(window.data(), row);
            compareWithEngine(window->records().at(row));
        }
        window->findChild<QPushButton*>("btn_quality")->click();
        QCOMPARE(window->findChildren<LightQualityDialog*>().size(), 1);

        dialog()->close();
        clickRecord(window.data(), 5);
        QCOMPARE(text("label_qualityRecord"), QString("NO.009")); // closed: left as it was
        window->findChild<QPushButton*>("btn_quality")->click();
        compareWithEngine(window->records().at(5));

        // Records of an opened file, and none at all.
        QList<QStringList> opened = {window->records().at(7)};
        opened[0][0] = "lamp A";
        window->setRecords(opened);
        compareWithEngine(opened.at(0));
        window->setRecords({});
        QCOMPARE(text("label_qualityRecord"), QString("No data selected"));
        QCOMPARE(valueTexts(), dashes());
    }

    // "—" for every value that cannot be had, with the reason; never "nan".
    void undeterminedValues()
    {
        const QStringList base = window->records().at(3);
        QStringList unreadable = base;
        unreadable[MeasurementRecord::firstIntensity + 120] = "12,5";
        QStringList dark = base;
        dark[MeasurementRecord::firstItemEntry] = "0.00";
        const QList<QStringList> records = {
            withSpectrum(base, [](int) { return QString("0"); }),
            unreadable.mid(0, 300), // cut off
            unreadable.replaceInStrings("12,5", "abc"),
            dark,
            withSpectrum(base, [](int nm) { return QString::number(nm == 700 ? 1000 : 0); }),
        };
        window->setRecords(records);
        const QString dash = "—";
        QCOMPARE(valueTexts(), dashes());
        QVERIFY(text("label_qualityNote").contains("no light"));
        clickRecord(window.data(), 1);
        QCOMPARE(valueTexts(), dashes());
        QVERIFY(text("label_qualityNote").contains("no complete spectrum"));
        clickRecord(window.data(), 2);
        QCOMPARE(valueTexts(), dashes());
        QVERIFY(text("label_qualityNote").contains("500 nm"));

        // No illuminance: the relative measures stay, the absolute ones go.
        clickRecord(window.data(), 3);
        compareWithEngine(records.at(3));
        QCOMPARE(text("label_melEdi"), dash);
        QCOMPARE(text("label_ppfd"), dash);
        QVERIFY(text("label_rf") != dash && text("label_melDer") != dash);
        QVERIFY(dialog()->findChild<QLabel*>("label_qualityNote")->isVisible());

        // A deep red line: the CCT is marked and explained, not shown bare.
        clickRecord(window.data(), 4);
        QVERIFY(text("label_cct").startsWith("⚠"));
        QVERIFY(dialog()->findChild<QLabel*>("label_cctNote")->isVisible());
        QVERIFY(!text("label_cctNote").isEmpty());
        for (int row = 0; row < records.size(); ++row) {
            clickRecord(window.data(), row);
            QVERIFY(!valueTexts().join(' ').contains("nan", Qt::CaseInsensitive));
        }
    }

    // The export holds, per selected record in selection order, what the
    // calculator prints for its spectrum and illuminance.
    void exportEqualsCalculator()
    {
        QList<QStringList> records = window->records();
        records[2] = withSpectrum(records.at(2), [](int) { return QString("0"); });
        window->setRecords(records);
        const QString file = dir->filePath("quality.csv");
        const SeenMessage message = exportRows({9, 2, 3}, file);
        QCOMPARE(message.text, QString("Succeeded in exporting data"));
        const QList<QByteArray> lines = fileContents(file).split('\n');
        QCOMPARE(lines.size(), 5); // header, three records, the final newline
        QVERIFY(lines.last().isEmpty());
        const QList<QByteArray> header = lines.at(0).split(',');
        QCOMPARE(header.mid(0, 3), (QList<QByteArray>{"Data", "Date", "Ev"}));

        int row = 0;
        for (int index : {9, 2, 3}) {
            const QStringList& record = records.at(index);
            const QList<QByteArray> fields = lines.at(++row).split(',');
            QCOMPARE(fields.size(), header.size());
            QCOMPARE(fields.at(0), record.at(0).toUtf8());
            QCOMPARE(fields.at(1), record.at(1).toUtf8());
            QCOMPARE(fields.at(2).toDouble(), record.at(2).toDouble());

            const QString spectrum = dir->filePath("spectrum.txt");
            QVERIFY(writeFile(spectrum,
                              record.mid(MeasurementRecord::firstIntensity).join('\n').toUtf8()));
            QProcess calc;
            calc.start(qEnvironmentVariable("SOLVANE_CALC"),
                       {"--quality", "--illuminance", record.at(2), spectrum});
            QVERIFY(calc.waitForFinished() && calc.exitCode() == 0);
            const QList<QByteArray> printed = calc.readAllStandardOutput().trimmed().split('\n');
            QCOMPARE(printed.size(), header.size() - 3);
            for (int i = 0; i < printed.size(); ++i) {
                const QList<QByteArray> nameValue = printed.at(i).split(' ');
                QCOMPARE(header.at(3 + i), nameValue.at(0));
                const double expected = nameValue.at(1).toDouble();
                if (std::isnan(expected)) {
                    QVERIFY2(fields.at(3 + i).isEmpty(), printed.at(i));
                } else {
                    bool number = false;
                    const double value = fields.at(3 + i).toDouble(&number);
                    QVERIFY2(number && std::abs(value - expected) <=
                                           1e-9 * std::max(1.0, std::abs(expected)),
                             printed.at(i) + " exported as " + fields.at(3 + i));
                }
            }
        }
    }

    // An existing file stays as it was when the new one cannot be written,
    // also when only the last buffered bytes fail to reach the disk.
    void failedExportKeepsExistingFile()
    {
        const QString file = dir->filePath("old.csv");
        QVERIFY(writeFile(file, "old content\n"));
        SeenMessage message = exportRows({1}, dir->filePath("missing/new.csv"));
        QCOMPARE(message.title + ": " + message.text, QString("Failure: Fail to export data"));
#ifdef Q_OS_UNIX
        message = onDiskFullAfter(100, [&] { return exportRows({1}, file); });
        QCOMPARE(message.text, QString("Fail to export data"));
        QCOMPARE(fileContents(file), QByteArray("old content\n"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"old.csv"});
#endif
        message = exportRows({}, file);
        QCOMPARE(message.text, QString("No item is selected"));
    }
};

QTEST_MAIN(LightQualityWindowTest)
#include "tst_lightqualitywindow.moc"
