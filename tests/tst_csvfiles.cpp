// Data files through the window: export and open, with their messages and
// failures, and what the window shows of what it opened.

#include "TKIOStream.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "measurementrecord.h"
#include "windowdriver.h"

#include <QFileDialog>

#ifdef Q_OS_UNIX
#include "diskfaults.h"
#endif

class CsvFilesTest : public QObject
{
    Q_OBJECT

    const QByteArray header = MeasurementRecord::fieldNames().join(',').toUtf8();
    QScopedPointer<QTemporaryDir> dir;
    std::optional<LogRecorder> log; // quiet
    QScopedPointer<MainWindow> window;
    QString chosenPath; // what the file dialog answers; empty: cancelled
    QStringList dialogs;

    QString path(const QString& name) { return dir->filePath(name); }
    SeenMessage exportTo(const QString& file, std::initializer_list<int> rows = {})
    {
        selectRecords(window.data(), rows);
        if (rows.size() == 0)
            table(window.data(), "tableWidget_storedData")->selectAll();
        chosenPath = file;
        return press(window.data(), "btn_export");
    }
    SeenMessage open(const QString& file)
    {
        chosenPath = file;
        return press(window.data(), "btn_open");
    }
    // Everything the window shows of the selected record, in every plot mode.
    QStringList shown()
    {
        QStringList view = tableColumn(window.data(), "tableWidget_itemData", 2) +
                           tableColumn(window.data(), "tableWidget_intensityData", 1);
        for (int mode : {1, 2, 0}) {
            choosePlot(window.data(), mode);
            const QwtPlotCurve* curve = plotCurve(window.data());
            for (size_t i = 0; curve && i < curve->dataSize(); ++i)
                view << QString("%1;%2").arg(curve->sample(i).x()).arg(curve->sample(i).y());
        }
        return view;
    }

private slots:
    void init()
    {
        resetVirtualMeter();
        log.emplace();
        dir.reset(new QTemporaryDir);
        window.reset(new MainWindow);
        dialogs.clear();
        window->setFileChooser([this](QWidget*, MainWindow::FileDialog kind, const QString& caption,
                                      const QString& proposed, const QString& filter) {
            dialogs << QStringList{kind == MainWindow::FileDialog::Save ? "save" : "open", caption,
                                   proposed, filter}
                           .join('|');
            return chosenPath;
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    }
    void cleanup()
    {
        window.reset();
        log.reset();
    }

    void exportedFileReopensIdentically();
    void exportFollowsSelectionOrder();
    void exportNothingOrCancelled();
    void failedExportKeepsExistingFile();
    void longLineOpens();
    void refusedFilesKeepRecords();
    void readToolWritesTheExportedFile();
};

// Every record, table cell and plotted point the same after export and open,
// also after a spreadsheet added a column or ended each line in a comma.
void CsvFilesTest::exportedFileReopensIdentically()
{
    readMeter(window.data(), "12");
    QCOMPARE(exportTo(path("all.csv")).text, QString("Succeeded in exporting data"));
    QCOMPARE(dialogs.last(), QString("save|Save file|Solvane Data|Data file(*.csv)"));
    const QList<QStringList> original = window->records();
    QList<QStringList> views;
    for (int row : {0, 7}) {
        clickRecord(window.data(), row);
        views << shown();
    }
    QList<QByteArray> lines = fileContents(path("all.csv")).split('\n');
    lines.removeLast();
    for (const QByteArray& ending : {QByteArray(), QByteArray(",Notes\r"), QByteArray(",\r")}) {
        QVERIFY(writeFile(path("edited.csv"), lines.join(ending + "\n") + ending + "\n"));
        readMeter(window.data(), "3"); // something else in between
        QVERIFY(!open(path("edited.csv")).shown);
        QCOMPARE(dialogs.last(), QString("open|Open file|Solvane Data|Data file(*.csv)"));
        QCOMPARE(window->currentRecordIndex(), 0);
        if (ending.isEmpty())
            QCOMPARE(window->records(), original);
        for (int i : {0, 1}) {
            clickRecord(window.data(), i * 7);
            QCOMPARE(shown(), views.at(i));
        }
    }
}

// The rows in the order they were selected, each once, as the window holds them.
void CsvFilesTest::exportFollowsSelectionOrder()
{
    readMeter(window.data(), "5");
    QCOMPARE(exportTo(path("two.csv"), {3, 1}).title, QString("Successful"));
    const QList<QByteArray> lines = fileContents(path("two.csv")).split('\n');
    QCOMPARE(lines.size(), 4); // header, two records, and the final end of line
    const QList<QByteArray> names = lines[0].split(',');
    QCOMPARE(names.size(), 430);
    QCOMPARE(names.first() + "|" + names.last(), QByteArray("Data|780 nm"));
    QCOMPARE(QString::fromUtf8(lines[1]), window->records().at(3).join(','));
    QCOMPARE(QString::fromUtf8(lines[2]), window->records().at(1).join(','));
    QCOMPARE(lines[3], QByteArray());

    // A name typed without ".csv" in the real dialog still gives a file that
    // the open dialog lists.
    MainWindow plain;
    plain.show();
    readMeter(&plain, "2");
    table(&plain, "tableWidget_storedData")->selectAll();
    QTimer::singleShot(0, [this] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->selectFile(path("mine"));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    QCOMPARE(press(&plain, "btn_export").text, QString("Succeeded in exporting data"));
    QVERIFY(QFileInfo(path("mine.csv")).isFile() && !QFile::exists(path("mine")));
}

// Nothing selected: a word and no dialog; a cancelled dialog: no file, records kept.
void CsvFilesTest::exportNothingOrCancelled()
{
    readMeter(window.data(), "3");
    table(window.data(), "tableWidget_storedData")->clearSelection();
    chosenPath = path("none.csv");
    const SeenMessage message = press(window.data(), "btn_export");
    QCOMPARE(message.title + ": " + message.text, QString("Error: No item is selected"));
    QVERIFY(dialogs.isEmpty());
    QVERIFY(!exportTo(QString(), {0}).shown && !open(QString()).shown);
    QCOMPARE(dialogs.size(), 2);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());
    QCOMPARE(window->records().size(), 3);
}

// The old file stays as it was whenever the new one cannot be written in full.
void CsvFilesTest::failedExportKeepsExistingFile()
{
    readMeter(window.data(), "12");
    QVERIFY(writeFile(path("old.csv"), "old content\n"));
    SeenMessage message = exportTo(path("missing folder/new.csv"));
    QCOMPARE(message.title + ": " + message.text, QString("Failure: Fail to export data"));
#ifdef Q_OS_UNIX
    // A disk that fills up after a few kilobytes.
    message = onDiskFullAfter(4096, [this] { return exportTo(path("old.csv")); });
    QCOMPARE(message.text, QString("Fail to export data"));
    QCOMPARE(fileContents(path("old.csv")), QByteArray("old content\n"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"old.csv"}); // no leftovers
#endif
}

// A line far longer than the blocks the reader takes opens; the tables show what they can.
void CsvFilesTest::longLineOpens()
{
    const QString line(2 * 1024 * 1024 + 3, 'x');
    QVERIFY(writeFile(path("odd.csv"), header + "\n" + line.toLatin1() + "\n"));
    readMeter(window.data(), "2");
    QVERIFY(!open(path("odd.csv")).shown);
    QCOMPARE(window->records(), QList<QStringList>{{line}});
    shown();
}

// What cannot be read, is not a data file, or holds no record is refused
// with a word, and the records and the view stay.
void CsvFilesTest::refusedFilesKeepRecords()
{
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator generator(7);
    for (char& byte : garbage)
        byte = char(generator.bounded(256));
    const QString notData("This file is not a Solvane data file.");
    const QList<QPair<QByteArray, QString>> files = {
        {garbage, notData},
        {QByteArray(), notData},
        {"Data,Date\nNO.000,2026-01-01\n", notData},
        {header + "\n", "This file holds no records."},
        {header + "\r\r\n", "This file holds no records."}};
    QList<QPair<QString, QString>> refused{{path("no such file.csv"), "Fail to open the file"}};
    for (const auto& [content, text] : files) {
        refused << qMakePair(path(QString("odd%1.csv").arg(refused.size())), text);
        QVERIFY(writeFile(refused.last().first, content));
    }
    const QString huge = path("huge.csv"); // sparse: no disk taken
    QVERIFY(writeFile(huge, {}) && QFile::resize(huge, TKIOStream::maxFileBytes + 1));
    refused << qMakePair(huge, QString("This file is far larger than a Solvane data file can be."));
#ifdef Q_OS_UNIX
    for (const QString& device : {QString("/dev/zero"), dir->path()})
        refused << qMakePair(device, QString("Only files can be opened, not folders or devices."));
#endif
    readMeter(window.data(), "4");
    clickRecord(window.data(), 2);
    const QList<QStringList> before = window->records();
    const QStringList view = shown();
    for (const auto& [file, text] : refused) {
        const SeenMessage message = open(file);
        QCOMPARE(message.title + ": " + message.text, "Error: " + text);
        QCOMPARE(window->records(), before);
        QCOMPARE(window->currentRecordIndex(), 2);
        QCOMPARE(shown(), view);
    }
}

// solvane-read with the same meter writes, byte for byte, what Read and an
// export of every row write, for either observer (0 by default), and says
// only how many records it wrote.
void CsvFilesTest::readToolWritesTheExportedFile()
{
    for (int observer : {0, 1}) {
        window->findChild<QComboBox*>("comboBox_observer")->setCurrentIndex(observer);
        readMeter(window.data(), "13"); // the child process sees the same meter
        QCOMPARE(exportTo(path("window.csv")).text, QString("Succeeded in exporting data"));
        QProcess tool;
        tool.start(qEnvironmentVariable("SOLVANE_READ"),
                   (observer ? QStringList{"--observer", "1"} : QStringList()) << path("tool.csv"));
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(tool.readAllStandardError()),
                 "solvane-read: 13 records written to " + path("tool.csv") + '\n');
        QVERIFY(tool.readAllStandardOutput().isEmpty());
        QCOMPARE(window->records().size(), 13);
        QVERIFY(fileContents(path("tool.csv")) == fileContents(path("window.csv")));
    }
}

QTEST_MAIN(CsvFilesTest)
#include "tst_csvfiles.moc"
