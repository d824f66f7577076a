// The read-out from the virtual meter through the window, the three tables and
// the three plot modes, end to end.

#include "LuxEngine.h"
#include "colorimetry.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "measurementrecord.h"
#include "windowdriver.h"

#include <QLabel>

#include <ctime>

namespace {

QStringList blanks(int count)
{
    return QVector<QString>(count).toList();
}

} // namespace

class ReadOutTest : public QObject
{
    Q_OBJECT

    std::optional<LogRecorder> log; // quiet
    QScopedPointer<MainWindow> window;
    const QStringList nothing = QStringList{"No data selected"} + blanks(27 + 401);

    QwtPlotCurve* curve() { return plotCurve(window.data()); }
    // The name, the items and the spectrum the window shows, in a record's order.
    QStringList shown()
    {
        return QStringList{window->findChild<QLabel*>("label_dataName")->text()} +
               tableColumn(window.data(), "tableWidget_itemData", 2) +
               tableColumn(window.data(), "tableWidget_intensityData", 1);
    }
    static QStringList withoutDate(const QStringList& record)
    {
        return record.mid(0, 1) + record.mid(2);
    }

private slots:
    void init()
    {
        resetVirtualMeter();
        log.emplace();
        window.reset(new MainWindow);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    }
    void cleanup()
    {
        window.reset();
        log.reset();
    }

    void readOutComputesListsAndShowsEveryRecord();
    void recordTextForms();
    void emptyMeterAndFailure();
    void plotModes();
    void shortAndLongRecords();
};

// Each record is what the engine makes of the meter's record with the observer
// chosen when the read-out started; choosing another changes nothing shown.
void ReadOutTest::readOutComputesListsAndShowsEveryRecord()
{
    readMeter(window.data(), "2");
    LuxEngine meter;
    for (int observer : {1, 0}) {
        const QList<QStringList> before = window->records();
        window->findChild<QComboBox*>("comboBox_observer")->setCurrentIndex(observer);
        QCOMPARE(window->records(), before);
        QCOMPARE(shown(), withoutDate(before.at(0)));
        const SeenMessage message = readMeter(window.data(), "3");
        QCOMPARE(message.title + "|" + message.text, QString::fromUtf8("|读取存储数据完成"));
        QCOMPARE(message.icon, QMessageBox::Warning);
        for (int k = 0; k < 3; ++k) {
            QDateTime time;
            double lux, ratio, intensity[401];
            QCOMPARE(meter.readStoredData(k, &time, &lux, intensity, &ratio), LuxEngine::Succeeded);
            ColorimetricResult results;
            initPlanckianTable();
            calculateColorParameters(intensity, 401, results, observer, ratio);
            QStringList expected{MeasurementRecord::name(k), time.toString("yyyy-MM-dd'T'HH:mm:ss"),
                                 QString::number(lux, 'f', 2)};
            expected << MeasurementRecord::itemTexts(results);
            for (double value : intensity)
                expected << QString::number(value, 'g', 6);
            QCOMPARE(window->records().at(k), expected);
        }
    }
    QCOMPARE(tableColumn(window.data(), "tableWidget_storedData", 0),
             (QStringList{"NO.000", "NO.001", "NO.002"}));
    QCOMPARE(shown(), withoutDate(window->records().at(0)));
    clickRecord(window.data(), 2);
    QCOMPARE(shown(), withoutDate(window->records().at(2)));
    QCOMPARE(curve()->sample(400), QPointF(780, window->records().at(2).last().toDouble()));
}

// Rounding, full-range counts, a date the meter holds but no calendar has, and
// one that the local clock skips: the meter's time has no zone.
void ReadOutTest::recordTextForms()
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const QByteArray spectrum = ",65535,0" + QByteArray(",1000").repeated(399) + "\n";
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("records.txt"), "2021-12-31T23:59:59,1234.567,1" + spectrum +
                                                       "2021-13-01T00:00:00,0.004,1" + spectrum +
                                                       "2021-03-28T02:30:00,1,1" + spectrum));
    qputenv("TORVIK_VM_RECORDS", QFile::encodeName(dir.filePath("records.txt")));
    press(window.data(), "btn_readData");
    qputenv("TZ", zone);
    tzset();

    const QList<QStringList>& records = window->records();
    QCOMPARE(records.at(0).mid(0, 3), (QStringList{"NO.000", "2021-12-31T23:59:59", "1234.57"}));
    QCOMPARE(records.at(0).mid(29, 3), (QStringList{"65535", "0", "1000"}));
    QCOMPARE(records.at(1).mid(0, 3), (QStringList{"NO.001", "", "0.00"}));
    QCOMPARE(records.at(2).mid(0, 2), (QStringList{"NO.002", "2021-03-28T02:30:00"}));
    QVERIFY(records.at(0).at(21).contains(QRegularExpression(R"(^0\.\d{4}$)")));  // x
    QVERIFY(records.at(0).at(3).contains(QRegularExpression(R"(^\d+\.\d{2}$)"))); // CCT
}

// An empty meter and a failing one: each read-out starts from nothing and
// keeps what it got; with nothing left in the list, nothing is shown.
void ReadOutTest::emptyMeterAndFailure()
{
    const struct
    {
        const char *failAt, *count, *message;
        int kept;
    } readOuts[] = {{nullptr, "0", "读取存储数据完成", 0},
                    {"2", "5", "读取存储数据失败", 2},
                    {"0", "5", "读取存储数据失败", 0}};
    for (const auto& readOut : readOuts) {
        qunsetenv("TORVIK_VM_FAIL_AT");
        readMeter(window.data(), "5");
        clickRecord(window.data(), 4);
        choosePlot(window.data(), 1);
        if (readOut.failAt)
            qputenv("TORVIK_VM_FAIL_AT", readOut.failAt);
        QCOMPARE(readMeter(window.data(), readOut.count).text, QString::fromUtf8(readOut.message));
        QCOMPARE(tableColumn(window.data(), "tableWidget_storedData", 0),
                 QStringList({"NO.000", "NO.001"}).mid(0, readOut.kept));
        QCOMPARE(window->records().size(), readOut.kept);
        QCOMPARE(window->currentRecordIndex(), readOut.kept ? 0 : -1);
        QCOMPARE(shown(), readOut.kept ? withoutDate(window->records().at(0)) : nothing);
        QCOMPARE(curve() ? int(curve()->dataSize()) : 0, readOut.kept ? 1 : 0); // the cross
        choosePlot(window.data(), 0);
        QCOMPARE(curve() ? int(curve()->dataSize()) : 0, readOut.kept ? 401 : 0);
    }
}

void ReadOutTest::plotModes()
{
    auto* qwt = window->findChild<QwtPlot*>("qwtPlot");
    // Axes and picture of each mode; the picture fills the canvas, so the axis
    // ranges must end at its edges.
    const auto verifyMode = [qwt, this](int mode, double xMin, double xMax, double yMax,
                                        const QString& picture) {
        choosePlot(window.data(), mode);
        static const QRegularExpression url(R"(url\(:/images/(\w+)\.png\))");
        QCOMPARE(url.match(qwt->canvas()->styleSheet()).captured(1), picture);
        QCOMPARE(qwt->axisScaleDiv(QwtPlot::xBottom).interval(), QwtInterval(xMin, xMax));
        QCOMPARE(qwt->axisScaleDiv(QwtPlot::yLeft).interval(), QwtInterval(0, yMax));
        const QSize canvas = qwt->canvas()->size();
        const QwtScaleMap x = qwt->canvasMap(QwtPlot::xBottom);
        const QwtScaleMap y = qwt->canvasMap(QwtPlot::yLeft);
        // Within a pixel, whatever the rounding of the map's arithmetic.
        const double pixel = 1 + 1e-9;
        QVERIFY(qAbs(x.transform(xMin)) <= pixel &&
                qAbs(x.transform(xMax) - canvas.width()) <= pixel);
        QVERIFY(qAbs(y.transform(yMax)) <= pixel &&
                qAbs(y.transform(0) - canvas.height()) <= pixel);
    };
    // The cross sits on the chromaticity at `entry` of the record shown.
    const auto verifyCrossAt = [this](int entry) {
        const QStringList& record = window->records().at(0);
        QCOMPARE(curve()->sample(0),
                 QPointF(record.at(entry).toFloat(), record.at(entry + 1).toFloat()));
    };

    readMeter(window.data(), "3");
    verifyMode(1, 0, 0.8, 0.9, "cie1931");
    verifyCrossAt(MeasurementRecord::entryX);
    verifyMode(2, 0, 0.65, 0.6, "cie1976");
    verifyCrossAt(MeasurementRecord::entryU);
    verifyMode(0, 380, 780, 70000, QString()); // picture and cross gone
    QCOMPARE(curve()->dataSize(), size_t(401));
}

// Records from files need not have the meter's layout: what a record has is
// shown at its place, everything else is empty, nothing is read past its end.
void ReadOutTest::shortAndLongRecords()
{
    readMeter(window.data(), "1"); // so that stale values would show
    const QStringList full = window->records().at(0);
    // A spreadsheet's own column after the spectrum, as a data file's header
    // names the entries: the spectrum still starts at entry 29.
    window->setRecords({{QString()},
                        full.mid(0, 40),
                        full.mid(0, 3) + full.mid(29),
                        full + QStringList{"a note"},
                        full.mid(0, 20)});
    const int expected[][2] = {
        {0, 0}, {27, 11}, {1, 401}, {27, 401}, {18, 0}}; // items, intensities
    for (int mode : {0, 1, 2}) {
        choosePlot(window.data(), mode);
        for (int row = 0; row < 5; ++row) {
            const auto [items, intensities] = expected[row];
            const QByteArray where = QString("mode %1, row %2").arg(mode).arg(row).toLatin1();
            clickRecord(window.data(), row);
            QVERIFY2(shown().mid(1) == full.mid(2, items) + blanks(27 - items) +
                                           full.mid(29, intensities) + blanks(401 - intensities),
                     where);
            const int points = mode == 0 ? intensities : items == 27; // a cross needs x, y, u', v'
            QVERIFY2(curve()->dataSize() == size_t(points), where);
        }
    }
}

QTEST_MAIN(ReadOutTest)
#include "tst_readout.moc"
