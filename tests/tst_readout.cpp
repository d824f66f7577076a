// The read-out from the virtual meter through the window, the three tables and
// the three plot modes, end to end.

#include "LuxEngine.h"
#include "colorimetry.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "measurementrecord.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QLabel>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_symbol.h>

#include <ctime>

namespace {

QStringList blanks(int count)
{
    return QVector<QString>(count).toList();
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 180 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

} // namespace

class ReadOutTest : public QObject
{
    Q_OBJECT

    QScopedPointer<LogRecorder> log;
    QScopedPointer<MainWindow> window;
    QScopedPointer<QTemporaryDir> dir;

    QwtPlotCurve* curve() { return plotCurve(window.data()); }
    void choosePlot(int mode) { ::choosePlot(window.data(), mode); }

    // What the tables show must be the record, entry for entry.
    void verifyShown(const QStringList& record)
    {
        QCOMPARE(window->findChild<QLabel*>("label_dataName")->text(), record.at(0));
        QCOMPARE(tableColumn(window.data(), "tableWidget_itemData", 2), record.mid(2, 27));
        QCOMPARE(tableColumn(window.data(), "tableWidget_intensityData", 1), record.mid(29));
    }

private slots:
    void init()
    {
        resetVirtualMeter();
        log.reset(new LogRecorder);
        dir.reset(new QTemporaryDir);
        window.reset(new MainWindow);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    }
    void cleanup()
    {
        window.reset();
        log.reset();
    }

    void readOutListsComputesAndShowsEveryRecord();
    void recordTextForms();
    void emptyMeterAndFailure();
    void observerAppliesToTheNextReadOut();
    void plotModes();
    void shortAndLongRecords();
};

void ReadOutTest::readOutListsComputesAndShowsEveryRecord()
{
    QCOMPARE(window->currentRecordIndex(), -1);
    const SeenMessage message = readMeter(window.data(), "3");
    QCOMPARE(message.text, QString::fromUtf8("读取存储数据完成"));
    QCOMPARE(message.title, QString());
    QCOMPARE(message.icon, QMessageBox::Warning);

    const QList<QStringList>& records = window->records();
    QCOMPARE(tableColumn(window.data(), "tableWidget_storedData", 0),
             (QStringList{"NO.000", "NO.001", "NO.002"}));

    // Each record is what the engine makes of the meter's own record.
    LuxEngine meter;
    for (int k = 0; k < 3; ++k) {
        QDateTime time;
        double lux, ratio, intensity[401];
        QCOMPARE(meter.readStoredData(k, &time, &lux, intensity, &ratio), LuxEngine::Succeeded);
        ColorimetricResult results;
        initPlanckianTable();
        calculateColorParameters(intensity, 401, results, 0, ratio);
        QStringList expected{MeasurementRecord::name(k),
                             time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")),
                             QString::number(lux, 'f', 2)};
        expected << MeasurementRecord::itemTexts(results);
        for (double value : intensity)
            expected << QString::number(value, 'g', 6);
        QCOMPARE(records.at(k), expected);
    }

    QCOMPARE(window->currentRecordIndex(), 0);
    verifyShown(records.at(0));
    clickRecord(window.data(), 2);
    QCOMPARE(window->currentRecordIndex(), 2);
    verifyShown(records.at(2));
    QCOMPARE(curve()->sample(400), QPointF(780, records.at(2).last().toDouble()));
}

// Rounding, full-range counts, a date the meter holds but no calendar has, and
// one that the local clock skips: the meter's time has no zone.
void ReadOutTest::recordTextForms()
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QByteArray spectrum;
    for (int i = 0; i < 401; ++i)
        spectrum += i == 0 ? ",65535" : i == 1 ? ",0" : ",1000";
    const QString file = dir->filePath("records.txt");
    QVERIFY(writeFile(file, "2021-12-31T23:59:59,1234.567,1" + spectrum +
                                "\n2021-13-01T00:00:00,0.004,1" + spectrum +
                                "\n2021-03-28T02:30:00,1,1" + spectrum + "\n"));
    qputenv("TORVIK_VM_RECORDS", QFile::encodeName(file));
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
    readMeter(window.data(), "5");
    clickRecord(window.data(), 4);

    log->lines.clear();
    QCOMPARE(readMeter(window.data(), "0").text, QString::fromUtf8("读取存储数据完成"));
    QVERIFY(window->records().isEmpty());
    QCOMPARE(table(window.data(), "tableWidget_storedData")->rowCount(), 0);
    QVERIFY(log->lines.contains("true"));
    QVERIFY(log->lines.contains("The data list is empty!(on_tableWidget_storedData_cellClicked)"));
    QCOMPARE(window->currentRecordIndex(), -1);
    QCOMPARE(window->findChild<QLabel*>("label_dataName")->text(), QString("No data selected"));
    QCOMPARE(tableColumn(window.data(), "tableWidget_itemData", 2), blanks(27));
    QCOMPARE(tableColumn(window.data(), "tableWidget_intensityData", 1), blanks(401));
    QVERIFY(!curve() || curve()->dataSize() == 0);
    choosePlot(1);
    QVERIFY(!curve() || curve()->dataSize() == 0);
    choosePlot(0);

    qputenv("TORVIK_VM_FAIL_AT", "2");
    QCOMPARE(readMeter(window.data(), "5").text, QString::fromUtf8("读取存储数据失败"));
    QCOMPARE(tableColumn(window.data(), "tableWidget_storedData", 0),
             (QStringList{"NO.000", "NO.001"}));
    QCOMPARE(window->currentRecordIndex(), 0);
    verifyShown(window->records().at(0));

    choosePlot(1); // a cross, then a read-out that fails at once
    qputenv("TORVIK_VM_FAIL_AT", "0");
    QCOMPARE(readMeter(window.data(), "5").text, QString::fromUtf8("读取存储数据失败"));
    QVERIFY(window->records().isEmpty());
    QCOMPARE(window->findChild<QLabel*>("label_dataName")->text(), QString("No data selected"));
    QVERIFY(!curve() || curve()->dataSize() == 0);
}

// The 10° observer decides u' and v' only, and only for records read with it.
void ReadOutTest::observerAppliesToTheNextReadOut()
{
    readMeter(window.data(), "12");
    const QList<QStringList> twoDegree = window->records();
    window->findChild<QComboBox*>("comboBox_observer")->setCurrentIndex(1);
    QCOMPARE(window->records(), twoDegree);
    verifyShown(twoDegree.at(0));

    press(window.data(), "btn_readData");
    const QList<QStringList> tenDegree = window->records();
    int changed = 0;
    for (int k = 0; k < twoDegree.size(); ++k) {
        for (int entry = 0; entry < 430; ++entry) {
            if (tenDegree[k][entry] != twoDegree[k][entry]) {
                QVERIFY2(entry == 23 || entry == 24, qPrintable(QString::number(entry)));
                ++changed;
            }
        }
    }
    QVERIFY(changed > twoDegree.size()); // most u', v' move in the 4th decimal
}

void ReadOutTest::plotModes()
{
    auto* qwt = window->findChild<QwtPlot*>("qwtPlot");
    // Axes, picture and a single dotted grid of each mode; the picture fills the
    // canvas, so the axis ranges must end at its edges.
    const auto verifyMode = [qwt](double xMin, double xMax, double yMax, const QString& picture) {
        QCOMPARE(qwt->axisScaleDiv(QwtPlot::xBottom).interval(), QwtInterval(xMin, xMax));
        QCOMPARE(qwt->axisScaleDiv(QwtPlot::yLeft).interval(), QwtInterval(0, yMax));
        QCOMPARE(qwt->canvas()->styleSheet(),
                 picture.isEmpty() ? picture
                                   : QString("border-image: url(:/images/%1.png);").arg(picture));
        QCOMPARE(qwt->itemList(QwtPlotItem::Rtti_PlotGrid).size(), 1);
        const QSize canvas = qwt->canvas()->size();
        const QwtScaleMap x = qwt->canvasMap(QwtPlot::xBottom);
        const QwtScaleMap y = qwt->canvasMap(QwtPlot::yLeft);
        QVERIFY(qAbs(x.transform(xMin)) <= 1 && qAbs(x.transform(xMax) - canvas.width()) <= 1);
        QVERIFY(qAbs(y.transform(yMax)) <= 1 && qAbs(y.transform(0) - canvas.height()) <= 1);
    };
    // The red cross sits on the record's chromaticity.
    const auto verifyCrossAt = [qwt, this](QPointF point) {
        QCOMPARE(curve()->sample(0), point);
        const QImage canvas = qwt->canvas()->grab().toImage();
        const QPoint centre(qRound(qwt->canvasMap(QwtPlot::xBottom).transform(point.x())),
                            qRound(qwt->canvasMap(QwtPlot::yLeft).transform(point.y())));
        int red = 0;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                red += isRed(canvas.pixel(centre + QPoint(dx, dy)));
        QVERIFY(red >= 3 && !isRed(canvas.pixel(centre + QPoint(0, 8))));
    };

    verifyMode(380, 780, 70000, QString());
    QCOMPARE(qwt->axisScaleDiv(QwtPlot::xBottom).ticks(QwtScaleDiv::MajorTick),
             (QList<double>{380, 480, 580, 680, 780}));
    QVERIFY(!curve());
    choosePlot(1); // without records: picture and axes only
    verifyMode(0, 0.8, 0.9, "cie1931");
    QVERIFY(!curve());

    readMeter(window.data(), "3");
    const QStringList& record = window->records().at(0);
    verifyCrossAt(QPointF(record.at(21).toFloat(), record.at(22).toFloat()));
    choosePlot(2);
    verifyMode(0, 0.65, 0.6, "cie1976");
    verifyCrossAt(QPointF(record.at(23).toFloat(), record.at(24).toFloat()));

    choosePlot(0); // picture and cross gone
    verifyMode(380, 780, 70000, QString());
    QCOMPARE(curve()->dataSize(), size_t(401));
    QCOMPARE(curve()->symbol()->style(), QwtSymbol::NoSymbol);

    // An index outside the modes (an emptied selector) keeps the axes.
    QVERIFY(QMetaObject::invokeMethod(window.data(), "on_comboBox_plot_currentIndexChanged",
                                      Q_ARG(int, -1)));
    verifyMode(380, 780, 70000, QString());
}

// Records from files need not have the meter's layout: what a record has is
// shown at its place, everything else is empty, nothing is read past its end.
void ReadOutTest::shortAndLongRecords()
{
    readMeter(window.data(), "1"); // so that stale values would show
    const QStringList full = window->records().at(0);
    // A spreadsheet's own column after the spectrum, as a data file's header
    // names the entries: the spectrum still starts at entry 29.
    QStringList longer = full;
    longer << "a note";
    window->setRecords(
        {{QString()}, full.mid(0, 40), full.mid(0, 3) + full.mid(29), longer, full.mid(0, 20)});

    struct Expected
    {
        QStringList items, spectrum;
        int points;
        bool chromaticity;
    };
    const Expected expected[] = {
        {blanks(27), blanks(401), 0, false},
        {full.mid(2, 27), full.mid(29, 11) + blanks(390), 11, true},
        {full.mid(2, 1) + blanks(26), full.mid(29), 401, false},
        {full.mid(2, 27), full.mid(29), 401, true},
        {full.mid(2, 18) + blanks(9), blanks(401), 0, false},
    };
    for (int mode : {0, 1, 2}) {
        choosePlot(mode);
        for (int row = 0; row < 5; ++row) {
            const QByteArray where = QString("mode %1, row %2").arg(mode).arg(row).toLatin1();
            clickRecord(window.data(), row);
            QVERIFY2(tableColumn(window.data(), "tableWidget_itemData", 2) == expected[row].items,
                     where);
            QVERIFY2(tableColumn(window.data(), "tableWidget_intensityData", 1) ==
                         expected[row].spectrum,
                     where);
            const size_t points = mode == 0 ? expected[row].points : expected[row].chromaticity;
            QVERIFY2(curve()->dataSize() == points, where);
        }
    }
}

QTEST_MAIN(ReadOutTest)
#include "tst_readout.moc"
