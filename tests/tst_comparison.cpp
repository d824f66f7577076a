// Several selected records in the main window: the plot draws them all, and
// with one selected it draws exactly what it always drew.

#include "CompareDialog.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "measurementrecord.h"
#include "windowdriver.h"

#include <qwt_plot_marker.h>

namespace {

QwtPlot* plotOf(QWidget* window)
{
    return window->findChild<QwtPlot*>("qwtPlot");
}

template <typename Item> QList<Item*> items(QWidget* window, int rtti)
{
    QList<Item*> found;
    for (QwtPlotItem* item : plotOf(window)->itemList(rtti))
        found << static_cast<Item*>(item);
    return found;
}

QVector<QPointF> samples(const QwtPlotCurve* curve)
{
    QVector<QPointF> points;
    for (size_t i = 0; i < curve->dataSize(); ++i)
        points << curve->sample(int(i));
    return points;
}

void chooseScale(QWidget* window, int scale)
{
    window->findChild<QComboBox*>("comboBox_scale")->setCurrentIndex(scale);
}

} // namespace

class ComparisonTest : public QObject
{
    Q_OBJECT

    std::optional<LogRecorder> log; // quiet
    std::optional<WorkingDirectory> dir;
    QScopedPointer<MainWindow> window;

    QStringList names(std::initializer_list<int> rows)
    {
        QStringList texts;
        for (int row : rows)
            texts << window->records().at(row).at(0);
        return texts;
    }
    QVector<QPointF> spectrum(int row, bool normalised)
    {
        const QStringList& record = window->records().at(row);
        QVector<QPointF> points;
        double peak = 0;
        for (int i = 0; i < MeasurementRecord::spectrumLength; ++i) {
            const double value = record.at(MeasurementRecord::firstIntensity + i).toDouble();
            points << QPointF(380 + i, value);
            peak = qMax(peak, value);
        }
        if (normalised)
            for (QPointF& point : points)
                point.ry() /= peak;
        return points;
    }

private slots:
    void init()
    {
        resetVirtualMeter();
        log.emplace();
        dir.emplace();
        window.reset(new MainWindow);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
        readMeter(window.data(), "14");
    }
    void cleanup()
    {
        window.reset();
        dir.reset();
        log.reset();
    }

    // A line per record with its intensities, as counts or divided by its own
    // peak, named in a legend; markers at (x, y) and (u', v') on the diagrams.
    void drawsEverySelectedRecord()
    {
        const auto compare = window->findChild<QPushButton*>("btn_compare");
        QVERIFY(!compare->isEnabled());
        selectRecords(window.data(), {3, 1, 9}); // warm white LED, daylight, horticultural LED
        QVERIFY(compare->isEnabled());
        for (bool normalised : {false, true}) {
            chooseScale(window.data(), normalised);
            const auto curves = items<QwtPlotCurve>(window.data(), QwtPlotItem::Rtti_PlotCurve);
            QCOMPARE(curves.size(), 3);
            QStringList titles;
            for (int k = 0; k < 3; ++k) {
                titles << curves[k]->title().text();
                QCOMPARE(samples(curves[k]), spectrum(std::data({3, 1, 9})[k], normalised));
                QVERIFY(curves[k]->brush().style() == Qt::NoBrush);
            }
            QCOMPARE(titles, names({3, 1, 9}));
            QCOMPARE(plotOf(window.data())->axisScaleDiv(QwtPlot::yLeft).upperBound(),
                     normalised ? 1.1 : 70000.0);
            QCOMPARE(plotOf(window.data())->itemList(QwtPlotItem::Rtti_PlotLegend).size(), 1);
        }

        for (int mode : {1, 2}) {
            choosePlot(window.data(), mode);
            QVERIFY(!window->findChild<QComboBox*>("comboBox_scale")->isEnabled());
            QVERIFY(items<QwtPlotCurve>(window.data(), QwtPlotItem::Rtti_PlotCurve).isEmpty());
            const auto markers = items<QwtPlotMarker>(window.data(), QwtPlotItem::Rtti_PlotMarker);
            QCOMPARE(markers.size(), 3);
            const int entry = mode == 1 ? MeasurementRecord::entryX : MeasurementRecord::entryU;
            for (int k = 0; k < 3; ++k) {
                const QStringList& record = window->records().at(std::data({3, 1, 9})[k]);
                QCOMPARE(markers[k]->value(),
                         QPointF(record.at(entry).toDouble(), record.at(entry + 1).toDouble()));
                QCOMPARE(markers[k]->label().text(), record.at(0));
            }
        }
    }

    // One selected row: the rainbow fill, the red cross and the 0–70000 axis,
    // pixel for pixel as a window that never compared, whatever scale was chosen.
    void oneRecordPlotsAsBefore()
    {
        MainWindow plain;
        plain.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plain));
        readMeter(&plain, "14");
        clickRecord(&plain, 9);

        selectRecords(window.data(), {3, 1, 9});
        chooseScale(window.data(), 1);
        clickRecord(window.data(), 9);
        QVERIFY(!window->findChild<QPushButton*>("btn_compare")->isEnabled());
        for (int mode : {0, 1, 2, 0}) {
            choosePlot(window.data(), mode);
            choosePlot(&plain, mode);
            QCOMPARE(plotOf(window.data())->itemList().size(), plotOf(&plain)->itemList().size());
            QVERIFY2(plotOf(window.data())->grab().toImage() == plotOf(&plain)->grab().toImage(),
                     qPrintable(QString("mode %1").arg(mode)));
        }
    }

    // Beyond twelve lines nothing can be told apart: the first twelve of the
    // selection are drawn and the legend says how many were left out.
    void drawsTwelveAtMost()
    {
        selectRecords(window.data(), {13, 0});
        clickRecord(window.data(), 12, Qt::ShiftModifier | Qt::ControlModifier); // 0 to 12 after 13
        QStringList titles;
        for (const QwtPlotCurve* curve :
             items<QwtPlotCurve>(window.data(), QwtPlotItem::Rtti_PlotCurve))
            titles << curve->title().text();
        QCOMPARE(titles, names({13, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) +
                             QStringList{"First 12 of 14 selected records shown"});
        choosePlot(window.data(), 2);
        QCOMPARE(items<QwtPlotMarker>(window.data(), QwtPlotItem::Rtti_PlotMarker).size(), 12);
    }

    // Compare opens one window that follows the selection; its export writes
    // what Copy gives, as a data file, and waits while other work runs.
    void compareWindowFollowsTheSelection()
    {
        const QString file = dir->filePath("comparison.csv");
        window->setFileChooser([&file](QWidget*, MainWindow::FileDialog, const QString&,
                                       const QString&, const QString&) { return file; });
        selectRecords(window.data(), {3, 1, 9});
        window->findChild<QPushButton*>("btn_compare")->click();
        auto* dialog = window->findChild<CompareDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        // The header line's record names, before the differences' columns.
        const auto names = [dialog] {
            QStringList fields = dialog->tabSeparatedText().section('\n', 0, 0).split('\t');
            fields.removeLast(); // "Beyond threshold"
            return fields.mid(1).filter(QRegularExpression("^(?!Δ)"));
        };
        QCOMPARE(names(), this->names({3, 1, 9}));
        clickRecord(window.data(), 0, Qt::ControlModifier);
        QCOMPARE(names(), this->names({3, 1, 9, 0}));

        QCOMPARE(press(dialog, "btn_compareExport").text, QString("Succeeded in exporting data"));
        QCOMPARE(QString::fromUtf8(fileContents(file)),
                 QString(dialog->tabSeparatedText()).replace('\t', ','));

        const auto exportButton = dialog->findChild<QPushButton*>("btn_compareExport");
        bool waited = false;
        connect(window.data(), &MainWindow::busyChanged, dialog,
                [&](bool busy) { waited |= busy && !exportButton->isEnabled(); });
        readMeter(window.data(), "3");
        QVERIFY(waited);
        QVERIFY(names().isEmpty()); // a read-out empties the list and the selection
        QVERIFY(!window->findChild<QPushButton*>("btn_compare")->isEnabled());
        selectRecords(window.data(), {2, 0});
        QCOMPARE(names(), this->names({2, 0}));
        QVERIFY(exportButton->isEnabled());
    }
};

QTEST_MAIN(ComparisonTest)
#include "tst_comparison.moc"
