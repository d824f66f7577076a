// The read-out from the virtual meter through the window, the three tables and
// the three plot modes, end to end.

#include "LuxEngine.h"
#include "colorimetry.h"
#include "helpers/messageboxes.h"
#include "mainwindow.h"
#include "measurementrecord.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_symbol.h>

namespace {

const char* const meterVariables[] = {"TORVIK_VM_RECORDS", "TORVIK_VM_RECORD_COUNT",
                                      "TORVIK_VM_FAIL_AT", "TORVIK_VM_DISCONNECTED"};

QStringList logLines;

void collectLog(QtMsgType, const QMessageLogContext&, const QString& text)
{
    logLines << text;
}

QStringList column(const QTableWidget* table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

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

    QScopedPointer<MainWindow> window;
    QScopedPointer<QTemporaryDir> dir;

    QTableWidget* table(const char* name) { return window->findChild<QTableWidget*>(name); }
    QTableWidget* stored() { return table("tableWidget_storedData"); }
    QTableWidget* items() { return table("tableWidget_itemData"); }
    QTableWidget* intensities() { return table("tableWidget_intensityData"); }
    QwtPlot* plot() { return window->findChild<QwtPlot*>("qwtPlot"); }
    QComboBox* selector(const char* name) { return window->findChild<QComboBox*>(name); }
    QString shownName() { return window->findChild<QLabel*>("label_dataName")->text(); }

    QwtPlotCurve* curve()
    {
        const QwtPlotItemList curves = plot()->itemList(QwtPlotItem::Rtti_PlotCurve);
        return curves.isEmpty() ? nullptr : static_cast<QwtPlotCurve*>(curves.first());
    }

    SeenMessage readOut()
    {
        MessageBoxAnswerer answerer;
        window->findChild<QPushButton*>("btn_readData")->click();
        return answerer.seen;
    }

    void selectRecord(int row)
    {
        QTableWidget* list = stored();
        const QRect cell = list->visualRect(list->model()->index(row, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }

    void choosePlot(int index) { selector("comboBox_plot")->setCurrentIndex(index); }

    // What the tables show must be the record, entry for entry.
    void verifyShown(const QStringList& record)
    {
        QCOMPARE(shownName(), record.at(0));
        QCOMPARE(column(items(), 2), record.mid(2, 27));
        QCOMPARE(column(intensities(), 1), record.mid(29));
    }

    QString writeRecordsFile(const QByteArray& lines)
    {
        QFile file(dir->filePath("records.txt"));
        file.open(QIODevice::WriteOnly);
        file.write(lines);
        return file.fileName();
    }

private slots:
    void init()
    {
        for (const char* name : meterVariables)
            qunsetenv(name);
        logLines.clear();
        qInstallMessageHandler(collectLog);
        dir.reset(new QTemporaryDir);
        window.reset(new MainWindow);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    }
    void cleanup()
    {
        window.reset();
        qInstallMessageHandler(nullptr);
    }

    void readOutListsComputesAndShowsEveryRecord();
    void recordTextForms();
    void emptyMeterAndSecondReadOut();
    void failureKeepsEarlierRecords();
    void observerAppliesToTheNextReadOut();
    void plotModes();
    void shortAndLongRecords();
};

void ReadOutTest::readOutListsComputesAndShowsEveryRecord()
{
    qputenv("TORVIK_VM_RECORD_COUNT", "3");
    QCOMPARE(window->currentRecordIndex(), -1);
    const SeenMessage message = readOut();
    QVERIFY(message.shown);
    QCOMPARE(message.text, QString::fromUtf8("读取存储数据完成"));
    QCOMPARE(message.title, QString());
    QCOMPARE(message.icon, QMessageBox::Warning);
    QCOMPARE(message.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});

    const QList<QStringList>& records = window->records();
    QCOMPARE(records.size(), 3);
    QCOMPARE(column(stored(), 0), (QStringList{"NO.000", "NO.001", "NO.002"}));
    QCOMPARE(stored()->item(1, 0)->textAlignment(), int(Qt::AlignCenter));

    // Each record is what the engine makes of the meter's own record.
    LuxEngine meter;
    for (int k = 0; k < 3; ++k) {
        QDateTime time;
        double lux, ratio, intensity[401];
        QCOMPARE(meter.readStoredData(k, &time, &lux, intensity, &ratio), 1);
        ColorimetricResult results;
        initPlanckianTable();
        calculateColorParameters(intensity, 401, results, 0, ratio);
        QStringList expected{MeasurementRecord::name(k), time.toString(Qt::ISODate),
                             QString::number(lux, 'f', 2)};
        expected << MeasurementRecord::itemTexts(results);
        for (double value : intensity)
            expected << QString::number(value, 'g', 6);
        QCOMPARE(records.at(k).size(), 430);
        QCOMPARE(records.at(k), expected);
        QCOMPARE(stored()->item(k, 1)->text(), expected.at(1));
    }

    QCOMPARE(window->currentRecordIndex(), 0);
    verifyShown(records.at(0));
    QCOMPARE(curve()->dataSize(), size_t(401));
    QCOMPARE(curve()->sample(0), QPointF(380, records.at(0).at(29).toDouble()));

    selectRecord(2);
    QCOMPARE(window->currentRecordIndex(), 2);
    verifyShown(records.at(2));
    QCOMPARE(curve()->sample(400), QPointF(780, records.at(2).last().toDouble()));
}

// Rounding, full-range counts and a date the meter holds but no calendar has.
void ReadOutTest::recordTextForms()
{
    QByteArray spectrum;
    for (int i = 0; i < 401; ++i)
        spectrum += i == 0 ? ",65535" : i == 1 ? ",0" : ",1000";
    qputenv("TORVIK_VM_RECORDS", writeRecordsFile("2021-12-31T23:59:59,1234.567,1" + spectrum +
                                                  "\n2021-13-01T00:00:00,0.004,1" + spectrum + "\n")
                                     .toLocal8Bit());
    QCOMPARE(readOut().text, QString::fromUtf8("读取存储数据完成"));

    const QList<QStringList>& records = window->records();
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(0).mid(0, 3), (QStringList{"NO.000", "2021-12-31T23:59:59", "1234.57"}));
    QCOMPARE(records.at(0).mid(29, 3), (QStringList{"65535", "0", "1000"}));
    QCOMPARE(records.at(1).mid(0, 3), (QStringList{"NO.001", "", "0.00"}));
    QCOMPARE(stored()->item(1, 1)->text(), QString());
    QVERIFY(records.at(0).at(21).contains(QRegularExpression(R"(^0\.\d{4}$)")));  // x
    QVERIFY(records.at(0).at(3).contains(QRegularExpression(R"(^\d+\.\d{2}$)"))); // CCT
}

void ReadOutTest::emptyMeterAndSecondReadOut()
{
    qputenv("TORVIK_VM_RECORD_COUNT", "3");
    readOut();
    const QStringList first = window->records().at(0);

    qputenv("TORVIK_VM_RECORD_COUNT", "0");
    logLines.clear();
    const SeenMessage message = readOut();
    QCOMPARE(message.text, QString::fromUtf8("读取存储数据完成"));
    QVERIFY(window->records().isEmpty());
    QCOMPARE(stored()->rowCount(), 0);
    QVERIFY(logLines.contains("true"));
    QVERIFY(logLines.contains("The data list is empty!(on_tableWidget_storedData_cellClicked)"));
    // Nothing new to show: the tables keep the last record shown.
    verifyShown(first);

    // A later read-out starts from nothing again.
    qputenv("TORVIK_VM_RECORD_COUNT", "2");
    readOut();
    QCOMPARE(stored()->rowCount(), 2);
    QCOMPARE(window->records().size(), 2);
}

void ReadOutTest::failureKeepsEarlierRecords()
{
    qputenv("TORVIK_VM_RECORD_COUNT", "5");
    readOut();
    selectRecord(4);
    qputenv("TORVIK_VM_FAIL_AT", "2");
    const SeenMessage message = readOut();
    QCOMPARE(message.text, QString::fromUtf8("读取存储数据失败"));
    QCOMPARE(message.icon, QMessageBox::Warning);
    QCOMPARE(column(stored(), 0), (QStringList{"NO.000", "NO.001"}));
    QCOMPARE(window->records().size(), 2);
    QCOMPARE(window->currentRecordIndex(), 0);
    verifyShown(window->records().at(0));
}

// The 10° observer decides u' and v' only, and only for records read with it.
void ReadOutTest::observerAppliesToTheNextReadOut()
{
    qputenv("TORVIK_VM_RECORD_COUNT", "12");
    readOut();
    const QList<QStringList> twoDegree = window->records();

    selector("comboBox_observer")->setCurrentIndex(1);
    QCOMPARE(window->records(), twoDegree);
    verifyShown(twoDegree.at(0));

    readOut();
    const QList<QStringList> tenDegree = window->records();
    QCOMPARE(tenDegree.size(), twoDegree.size());
    int changed = 0;
    for (int k = 0; k < twoDegree.size(); ++k) {
        for (int entry = 0; entry < 430; ++entry) {
            if (tenDegree[k][entry] == twoDegree[k][entry])
                continue;
            QVERIFY2(entry == 23 || entry == 24,
                     qPrintable(QString("record %1, entry %2").arg(k).arg(entry)));
            ++changed;
        }
    }
    QVERIFY(changed > twoDegree.size()); // most u', v' move in the 4th decimal
}

void ReadOutTest::plotModes()
{
    QwtPlot* qwt = plot();
    const auto interval = [qwt](int axis) {
        const QwtInterval range = qwt->axisScaleDiv(axis).interval();
        return QPair<double, double>(range.minValue(), range.maxValue());
    };
    const auto verifyOneGrid = [qwt] {
        const QwtPlotItemList grids = qwt->itemList(QwtPlotItem::Rtti_PlotGrid);
        QCOMPARE(grids.size(), 1);
        const QPen pen = static_cast<QwtPlotGrid*>(grids.first())->majorPen();
        QCOMPARE(pen.color(), QColor(120, 120, 120));
        QCOMPARE(pen.style(), Qt::DotLine);
    };
    // The diagram picture fills the canvas, so the axis ranges must end at its edges.
    const auto verifyScalesSpanCanvas = [qwt] {
        const QSize canvas = qwt->canvas()->size();
        const QwtScaleMap x = qwt->canvasMap(QwtPlot::xBottom);
        const QwtScaleMap y = qwt->canvasMap(QwtPlot::yLeft);
        QVERIFY(qAbs(x.transform(x.s1())) <= 1 && qAbs(x.transform(x.s2()) - canvas.width()) <= 1);
        QVERIFY(qAbs(y.transform(y.s2())) <= 1 && qAbs(y.transform(y.s1()) - canvas.height()) <= 1);
    };
    // The red cross sits on the record's chromaticity.
    const auto verifyCrossAt = [qwt](QPointF point) {
        const QImage canvas = qwt->canvas()->grab().toImage();
        const QPoint centre(qRound(qwt->canvasMap(QwtPlot::xBottom).transform(point.x())),
                            qRound(qwt->canvasMap(QwtPlot::yLeft).transform(point.y())));
        int red = 0;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                red += isRed(canvas.pixel(centre + QPoint(dx, dy)));
        QVERIFY2(red >= 3, qPrintable(QString("cross at %1,%2").arg(centre.x()).arg(centre.y())));
        QVERIFY(!isRed(canvas.pixel(centre + QPoint(0, 8))));
    };

    // Start: the spectrum's axes and ticks, a plain canvas, no curve.
    QCOMPARE(interval(QwtPlot::yLeft), qMakePair(0.0, 70000.0));
    QCOMPARE(interval(QwtPlot::xBottom), qMakePair(380.0, 780.0));
    const QwtScaleDiv wavelengths = qwt->axisScaleDiv(QwtPlot::xBottom);
    QCOMPARE(wavelengths.ticks(QwtScaleDiv::MajorTick), (QList<double>{380, 480, 580, 680, 780}));
    QCOMPARE(wavelengths.ticks(QwtScaleDiv::MediumTick).size(), 16);
    QCOMPARE(qwt->canvas()->styleSheet(), QString());
    QVERIFY(!curve());
    verifyOneGrid();
    verifyScalesSpanCanvas();

    // Diagram modes without records: picture and axes only.
    choosePlot(1);
    QCOMPARE(interval(QwtPlot::yLeft), qMakePair(0.0, 0.9));
    QCOMPARE(interval(QwtPlot::xBottom), qMakePair(0.0, 0.8));
    QCOMPARE(qwt->canvas()->styleSheet(), QString("border-image: url(:/images/cie1931.png);"));
    QVERIFY(!curve());
    verifyOneGrid();

    qputenv("TORVIK_VM_RECORD_COUNT", "3");
    readOut();
    const QStringList& record = window->records().at(0);
    const QPointF xy(record.at(21).toFloat(), record.at(22).toFloat());
    QCOMPARE(curve()->dataSize(), size_t(1));
    QCOMPARE(curve()->sample(0), xy);
    QCOMPARE(curve()->symbol()->style(), QwtSymbol::XCross);
    QCOMPARE(curve()->symbol()->size(), QSize(12, 12));
    QCOMPARE(curve()->symbol()->pen().color(), QColor(Qt::red));
    verifyScalesSpanCanvas();
    verifyCrossAt(xy);

    choosePlot(2);
    QCOMPARE(interval(QwtPlot::yLeft), qMakePair(0.0, 0.6));
    QCOMPARE(interval(QwtPlot::xBottom), qMakePair(0.0, 0.65));
    QCOMPARE(qwt->canvas()->styleSheet(), QString("border-image: url(:/images/cie1976.png);"));
    const QPointF uv(record.at(23).toFloat(), record.at(24).toFloat());
    QCOMPARE(curve()->sample(0), uv);
    verifyOneGrid();
    verifyScalesSpanCanvas();
    verifyCrossAt(uv);

    // Back to the spectrum: picture and cross gone, the rainbow fill without outline.
    choosePlot(0);
    QCOMPARE(interval(QwtPlot::yLeft), qMakePair(0.0, 70000.0));
    QCOMPARE(qwt->canvas()->styleSheet(), QString());
    QCOMPARE(curve()->dataSize(), size_t(401));
    QCOMPARE(curve()->symbol()->style(), QwtSymbol::NoSymbol);
    QCOMPARE(curve()->pen().color().alpha(), 0);
    QCOMPARE(curve()->pen().width(), 3);
    const QGradient* rainbow = curve()->brush().gradient();
    QVERIFY(rainbow && rainbow->coordinateMode() == QGradient::StretchToDeviceMode);
    QCOMPARE(rainbow->stops().first().second, QColor(255, 0, 255));
    QCOMPARE(rainbow->stops().last().second, QColor(Qt::red));
    verifyOneGrid();

    // An index outside the modes (an emptied selector) keeps the axes, redraws the record.
    QVERIFY(QMetaObject::invokeMethod(window.data(), "on_comboBox_plot_currentIndexChanged",
                                      Q_ARG(int, -1)));
    QCOMPARE(interval(QwtPlot::xBottom), qMakePair(380.0, 780.0));
    QCOMPARE(curve()->dataSize(), size_t(401));
}

// Records from files need not have the meter's layout: what a record has is
// shown at its place, everything else is empty, nothing is read past its end.
void ReadOutTest::shortAndLongRecords()
{
    qputenv("TORVIK_VM_RECORD_COUNT", "1");
    readOut(); // so that stale values would show
    const QStringList full = window->records().at(0);

    QStringList longer = full; // one item more: the spectrum is still the last 401
    longer.insert(29, "extra");
    const QStringList cutShort = full.mid(0, 40);               // items and 11 intensities
    const QStringList fewItems = full.mid(0, 3) + full.mid(29); // 404: one item
    window->setRecords({{QString()}, cutShort, fewItems, longer, full.mid(0, 20)});
    QCOMPARE(column(stored(), 0), (QStringList{"", "NO.000", "NO.000", "NO.000", "NO.000"}));

    const QStringList noItems = blanks(27);
    const QStringList noSpectrum = blanks(401);
    struct Expected
    {
        QStringList items, spectrum;
        int points;
        bool chromaticity;
    };
    const Expected expected[] = {
        {noItems, noSpectrum, 0, false},
        {full.mid(2, 27), full.mid(29, 11) + blanks(390), 11, true},
        {full.mid(2, 1) + blanks(26), full.mid(29), 401, false},
        {full.mid(2, 27), full.mid(29), 401, true},
        {full.mid(2, 18) + blanks(9), noSpectrum, 0, false},
    };

    for (int mode : {0, 1, 2}) {
        choosePlot(mode);
        for (int row = 0; row < 5; ++row) {
            const QString where = QString("mode %1, row %2").arg(mode).arg(row);
            selectRecord(row);
            QCOMPARE(window->currentRecordIndex(), row);
            QVERIFY2(column(items(), 2) == expected[row].items, qPrintable(where));
            QVERIFY2(column(intensities(), 1) == expected[row].spectrum, qPrintable(where));
            const size_t points = mode == 0 ? expected[row].points : expected[row].chromaticity;
            QVERIFY2(curve()->dataSize() == points, qPrintable(where));
        }
    }
}

QTEST_MAIN(ReadOutTest)
#include "tst_readout.moc"
