// The window's read-out and record selection against the virtual meter,
// without latency:
//   build/bin/bench_readout            (QBENCHMARK; -iterations N, -callgrind, ...)
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include "fixtures.h"
#include "mainwindow.h"
#include "windowdriver.h"

#include <QTableWidget>
#include <QtTest>

class ReadOutBenchmark : public QObject
{
    Q_OBJECT

    MainWindow* window = nullptr;
    QTableWidget* stored = nullptr;

private slots:
    void initTestCase()
    {
        resetVirtualMeter();
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        window = new MainWindow;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        stored = table(window, "tableWidget_storedData");
    }
    void cleanupTestCase() { delete window; }

    // Press "Read" until the table lists every record and the first is shown.
    void readThousandRecords()
    {
        QBENCHMARK
        {
            readMeter(window, "1000");
        }
        QCOMPARE(stored->rowCount(), 1000);
        QCOMPARE(stored->item(999, 0)->text(), QString("NO.999"));
    }

    // One click on a row: both tables filled, the spectrum replotted and painted.
    void selectRecord()
    {
        if (stored->rowCount() == 0)
            readMeter(window, "1000");
        int row = 0;
        QBENCHMARK
        {
            row = (row + 1) % 10;
            clickRecord(window, row);
            QCoreApplication::processEvents();
        }
        QCOMPARE(window->currentRecordIndex(), row);
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ReadOutBenchmark benchmark;
    return QTest::qExec(&benchmark, argc, argv);
}

#include "bench_readout.moc"
