// Long work in the window: the read-out on its own thread, with progress and
// Cancel, and large files opened and exported beside the event loop.

#include "TKIOStream.h"
#include "backgroundwork.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "measurementrecord.h"
#include "windowdriver.h"

#include <QLabel>
#include <QProgressDialog>

namespace {

// As the user does it: the dialog's own button.
void pressCancel(QProgressDialog* dialog)
{
    dialog->findChild<QPushButton*>()->click();
}

// Threads of this process; a read-out must leave none behind.
int threadCount()
{
    return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

} // namespace

class ReadOutProgressTest : public QObject
{
    Q_OBJECT

    std::optional<LogRecorder> log; // quiet
    QScopedPointer<MainWindow> window;
    QList<QStringList> factory; // 60 records read without latency

    QProgressDialog* progress() { return window->findChild<QProgressDialog*>("progress_readout"); }
    int rows() { return table(window.data(), "tableWidget_storedData")->rowCount(); }
    // Read pressed with `count` records and `latency` ms an exchange; returns at once.
    void startReadOut(const QByteArray& count, const QByteArray& latency)
    {
        qputenv("TORVIK_VM_RECORD_COUNT", count);
        qputenv("TORVIK_VM_LATENCY_MS", latency);
        window->findChild<QPushButton*>("btn_readData")->click();
        QVERIFY(window->isBusy());
    }
    QStringList enabledControls()
    {
        QStringList enabled;
        for (const char* name : {"btn_readData", "btn_open", "btn_export", "btn_print",
                                 "comboBox_language", "btn_qualityExport"})
            if (window->findChild<QWidget*>(name)->isEnabled())
                enabled << name;
        return enabled;
    }

private slots:
    void initTestCase()
    {
        resetVirtualMeter();
        log.emplace();
        window.reset(new MainWindow);
        readMeter(window.data(), "60");
        factory = window->records();
        QCOMPARE(factory.size(), 60);
    }
    void init()
    {
        resetVirtualMeter();
        window.reset(new MainWindow);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    }
    void cleanup()
    {
        window.reset();
        BackgroundWork::setProgressDelay(500);
    }
    void cleanupTestCase() { log.reset(); }

    void recordsArriveWhileTheWindowWaitsForNothing();
    void cancelAndFailureKeepWhatWasRead_data();
    void cancelAndFailureKeepWhatWasRead();
    void closingStopsTheReadOut();
    void largeFilesOpenAndExportWithCancel();
};

// The table grows and the first record is shown while the meter is still
// being read; the progress dialog counts; nothing starts a second read-out.
void ReadOutProgressTest::recordsArriveWhileTheWindowWaitsForNothing()
{
    press(window.data(), "btn_quality");
    startReadOut("60", "20");
    QCOMPARE(enabledControls(), QStringList());
    QTRY_VERIFY_WITH_TIMEOUT(rows() >= 1, 5000);
    QCOMPARE(window->findChild<QLabel*>("label_dataName")->text(), QString("NO.000"));
    QTRY_VERIFY_WITH_TIMEOUT(progress() && progress()->isVisible(), 5000);
    QVERIFY(window->isBusy());
    MessageBoxAnswerer answerer; // the end message
    QList<int> seen;
    while (!answerer.seen.shown) {
        if (progress() && (seen.isEmpty() || seen.last() != rows())) {
            seen << rows();
            QCOMPARE(progress()->labelText(), QString("%1 records read").arg(rows()));
        }
        window->findChild<QPushButton*>("btn_readData")->click(); // disabled: nothing happens
        QTest::qWait(10);
    }
    QVERIFY2(seen.size() >= 5, qPrintable(QString::number(seen.size())));
    QTRY_VERIFY_WITH_TIMEOUT(!window->isBusy(), 10000);
    QCOMPARE(answerer.seen.text, QString::fromUtf8("读取存储数据完成"));
    QVERIFY(!progress());
    QCOMPARE(enabledControls().size(), 6);
    QCOMPARE(window->records(), factory);
}

void ReadOutProgressTest::cancelAndFailureKeepWhatWasRead_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QByteArray>("failAt");
    QTest::newRow("cancelled") << true << QByteArray();
    QTest::newRow("failed at 40") << false << QByteArray("40");
}

// Records read before the read-out stopped stay, in order, as an uncancelled
// read-out makes them, and are listed and counted.
void ReadOutProgressTest::cancelAndFailureKeepWhatWasRead()
{
    QFETCH(bool, cancel);
    QFETCH(QByteArray, failAt);
    if (!failAt.isEmpty())
        qputenv("TORVIK_VM_FAIL_AT", failAt);
    // 3 s in all when cancelled, so that a window slowed by a loaded machine
    // still cancels well before the end.
    startReadOut("60", cancel ? "50" : "20");
    QTRY_VERIFY_WITH_TIMEOUT(progress() && progress()->isVisible(), 5000);
    MessageBoxAnswerer answerer;
    if (cancel) {
        QTRY_VERIFY_WITH_TIMEOUT(rows() >= 5, 5000);
        pressCancel(progress());
    }
    QTRY_VERIFY_WITH_TIMEOUT(!window->isBusy(), 10000);
    const int kept = window->records().size();
    QCOMPARE(window->records(), factory.mid(0, kept));
    QCOMPARE(rows(), kept);
    if (cancel) {
        QVERIFY2(kept >= 5 && kept < 60, qPrintable(QString::number(kept)));
        QCOMPARE(answerer.seen.text,
                 QString("The read-out was cancelled. The %1 records read before it are kept.")
                     .arg(kept));
    } else {
        QCOMPARE(kept, 40);
        QCOMPARE(answerer.seen.text, QString::fromUtf8("读取存储数据失败"));
    }
    QCOMPARE(window->currentRecordIndex(), 0);
}

// Closing asks first; "No" lets the read-out go on, "Yes" stops it and the
// window closes with no thread left. A window destroyed while reading waits
// for its exchange in flight.
void ReadOutProgressTest::closingStopsTheReadOut()
{
    const int threadsBefore = threadCount();
    startReadOut("1000", "20");
    QTRY_VERIFY_WITH_TIMEOUT(rows() >= 2, 5000);
    for (bool stop : {false, true}) {
        SeenMessage question;
        ModalHandler answer([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal); box && !question.shown) {
                question = {true, box->windowTitle(), box->text(), box->icon(), {}};
                box->button(stop ? QMessageBox::Yes : QMessageBox::No)->click();
            }
        });
        QVERIFY(!window->close());
        QVERIFY(question.shown);
        QVERIFY(question.text.startsWith("A read-out is running."));
        if (!stop) {
            const int before = rows();
            QTRY_VERIFY_WITH_TIMEOUT(rows() > before, 5000);
            QVERIFY(window->isVisible());
        }
    }
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 5000);
    QVERIFY(!window->isBusy());
    QVERIFY(rows() < 1000);
    QCOMPARE(threadCount(), threadsBefore);

    window.reset(new MainWindow);
    startReadOut("1000", "20");
    QTRY_VERIFY_WITH_TIMEOUT(rows() >= 2, 5000);
    window.reset();
    QCOMPARE(threadCount(), threadsBefore);
}

// A file of 10,000 records: Cancel while opening keeps the records shown,
// Cancel while exporting keeps the old file; left alone, both finish.
void ReadOutProgressTest::largeFilesOpenAndExportWithCancel()
{
    QTemporaryDir dir;
    const QString large = dir.filePath("large.csv"), exported = dir.filePath("exported.csv");
    QList<QStringList> records;
    for (int k = 0; k < 10000; ++k)
        records << factory.at(k % factory.size());
    TKIOStream stream;
    stream.setFileDirectory(large);
    QVERIFY(stream.writeSolvaneData(MeasurementRecord::fieldNames(), records));
    QVERIFY(writeFile(exported, "old\n"));
    window->setRecords(factory.mid(0, 3));
    QString chosen;
    window->setFileChooser([&chosen](auto...) { return chosen; });
    BackgroundWork::setProgressDelay(0);

    // Cancels the progress dialog when it shows; answers any message.
    const auto cancelling = [](bool* sawProgress, SeenMessage* message) {
        return new ModalHandler([=](QWidget* modal) {
            if (auto* dialog = qobject_cast<QProgressDialog*>(modal)) {
                *sawProgress = true;
                pressCancel(dialog);
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                *message = {true, box->windowTitle(), box->text(), box->icon(), {}};
                box->buttons().value(0)->click();
            }
        });
    };
    bool sawProgress = false;
    SeenMessage message;
    chosen = large;
    QScopedPointer<ModalHandler> handler(cancelling(&sawProgress, &message));
    window->findChild<QPushButton*>("btn_open")->click();
    QVERIFY(sawProgress);
    QVERIFY(!message.shown);
    QCOMPARE(window->records(), factory.mid(0, 3));
    handler.reset();

    QCOMPARE(press(window.data(), "btn_open").shown, false);
    QCOMPARE(window->records().size(), 10000);

    table(window.data(), "tableWidget_storedData")->selectAll();
    chosen = exported;
    sawProgress = false;
    handler.reset(cancelling(&sawProgress, &message));
    window->findChild<QPushButton*>("btn_export")->click();
    QVERIFY(sawProgress);
    QVERIFY(!message.shown);
    QCOMPARE(fileContents(exported), QByteArray("old\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"exported.csv", "large.csv"}));
    handler.reset();

    QCOMPARE(press(window.data(), "btn_export").text, QString("Succeeded in exporting data"));
    QCOMPARE(fileContents(exported), fileContents(large));
}

QTEST_MAIN(ReadOutProgressTest)
#include "tst_readoutprogress.moc"
