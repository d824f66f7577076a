// Data files: the stream's format, and export and open through the window,
// with their messages and failures.

#include "TKIOStream.h"
#include "helpers/messageboxes.h"
#include "mainwindow.h"
#include "measurementrecord.h"

#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), qint64(content.size()));
}

QStringList cells(const QTableWidget* table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

} // namespace

class CsvFilesTest : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> dir;
    QScopedPointer<MainWindow> window;
    QString chosenPath; // what the file dialog answers; empty: cancelled
    QStringList dialogs;

    QTableWidget* table(const char* name) { return window->findChild<QTableWidget*>(name); }
    QTableWidget* stored() { return table("tableWidget_storedData"); }
    QString path(const QString& name) { return dir->filePath(name); }

    SeenMessage press(const char* button)
    {
        MessageBoxAnswerer answerer;
        window->findChild<QPushButton*>(button)->click();
        return answerer.seen;
    }

    void readMeter(const QByteArray& count)
    {
        qputenv("TORVIK_VM_RECORD_COUNT", count);
        press("btn_readData");
        QCOMPARE(QByteArray::number(window->records().size()), count);
    }

    void ctrlClickRow(int row)
    {
        const QRect cell = stored()->visualRect(stored()->model()->index(row, 0));
        QTest::mouseClick(stored()->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    }

    SeenMessage exportTo(const QString& file)
    {
        chosenPath = file;
        return press("btn_export");
    }

    SeenMessage open(const QString& file)
    {
        chosenPath = file;
        return press("btn_open");
    }

    // Everything the window shows of the selected record, in every plot mode.
    QStringList shown()
    {
        QStringList view = cells(table("tableWidget_itemData"), 2);
        view += cells(table("tableWidget_intensityData"), 1);
        auto* plot = window->findChild<QwtPlot*>("qwtPlot");
        auto* selector = window->findChild<QComboBox*>("comboBox_plot");
        for (int mode : {1, 2, 0}) {
            selector->setCurrentIndex(mode);
            const auto* curve =
                static_cast<QwtPlotCurve*>(plot->itemList(QwtPlotItem::Rtti_PlotCurve).value(0));
            for (size_t i = 0; curve && i < curve->dataSize(); ++i)
                view << QString("%1;%2").arg(curve->sample(i).x()).arg(curve->sample(i).y());
        }
        return view;
    }

private slots:
    void init()
    {
        qunsetenv("TORVIK_VM_RECORDS");
        qunsetenv("TORVIK_VM_FAIL_AT");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        dir.reset(new QTemporaryDir);
        window.reset(new MainWindow);
        dialogs.clear();
        window->setFileChooser([this](QWidget* parent, MainWindow::FileDialog kind,
                                      const QString& caption, const QString& proposed,
                                      const QString& filter) {
            dialogs << QString("%1|%2|%3|%4")
                           .arg(kind == MainWindow::FileDialog::Save ? "save" : "open", caption,
                                proposed, filter);
            return parent == window.data() ? chosenPath : QString();
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    }
    void cleanup()
    {
        window.reset();
        qInstallMessageHandler(nullptr);
    }

    void reader_data();
    void reader();
    void writerFormat();
    void exportedFileReopensIdentically();
    void exportFollowsSelectionOrder();
    void exportNothingOrCancelled();
    void saveDialogAddsTheSuffix();
    void openFailureKeepsRecords();
    void failedExportKeepsExistingFile();
    void oddFilesOpenWithoutHarm();
    void standardCsvReaderSees430Columns();
};

void CsvFilesTest::reader_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("tag");
    QTest::addColumn<QList<QStringList>>("records");
    const QStringList tag{"Data", "Date"};
    QTest::newRow("LF") << QByteArray("Data,Date\nNO.000,x\nNO.001,y\n") << tag
                        << QList<QStringList>{{"NO.000", "x"}, {"NO.001", "y"}};
    QTest::newRow("CR LF") << QByteArray("Data,Date\r\nNO.000,x\r\nNO.001,y\r\n") << tag
                           << QList<QStringList>{{"NO.000", "x"}, {"NO.001", "y"}};
    QTest::newRow("no end of line")
        << QByteArray("Data,Date\nNO.000,x") << tag << QList<QStringList>{{"NO.000", "x"}};
    QTest::newRow("blank line") << QByteArray("Data,Date\nNO.000,x\n\nNO.001,y\n") << tag
                                << QList<QStringList>{{"NO.000", "x"}, {""}, {"NO.001", "y"}};
    QTest::newRow("empty fields") << QByteArray("Data,Date\n,,a,\n") << tag
                                  << QList<QStringList>{{"", "", "a", ""}};
    QTest::newRow("header only") << QByteArray("Data,Date\n") << tag << QList<QStringList>{};
    QTest::newRow("empty file") << QByteArray() << QStringList{""} << QList<QStringList>{};
}

void CsvFilesTest::reader()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, tag);
    QFETCH(QList<QStringList>, records);
    writeAll(path("in.csv"), content);
    TKIOStream stream;
    stream.setFileDirectory(path("in.csv"));
    QStringList readTag{"kept"};
    QList<QStringList> readRecords{{"kept"}};
    QVERIFY(stream.readSolvaneData(&readTag, &readRecords));
    QCOMPARE(readTag, QStringList{"kept"} + tag); // appended to, never replaced
    QCOMPARE(readRecords, QList<QStringList>{{"kept"}} + records);

    stream.setFileDirectory(path("missing.csv"));
    QVERIFY(!stream.readSolvaneData(&readTag, &readRecords));
    QCOMPARE(readRecords.size(), records.size() + 1);
}

void CsvFilesTest::writerFormat()
{
    TKIOStream stream;
    stream.setFileDirectory(path("out.csv"));
    QVERIFY(stream.writeSolvaneData({"a", "b"}, {{"1", "", "3"}, {""}, {}}));
    QCOMPARE(readAll(path("out.csv")), QByteArray("a,b\n1,,3\n\n\n"));
    QVERIFY(stream.writeSolvaneData({}, {}));
    QCOMPARE(readAll(path("out.csv")), QByteArray("\n"));

    const QStringList names = MeasurementRecord::fieldNames();
    QCOMPARE(names.size(), 430);
    QCOMPARE(names.mid(0, 6), (QStringList{"Data", "Date", "Ev", "Tcp", "Ra", "R1"}));
    QCOMPARE(names.mid(19, 10), (QStringList{"R15", "λd", "CIE-1931 x", "CIE-1931 y", "CIE-1976 u",
                                             "CIE-1976 v", "X", "Y", "Z", "△uv"}));
    QCOMPARE(names.at(29), QString("380 nm"));
    QCOMPARE(names.last(), QString("780 nm"));
}

void CsvFilesTest::exportedFileReopensIdentically()
{
    readMeter("12");
    stored()->selectAll();
    QCOMPARE(exportTo(path("all.csv")).text, QString("Succeeded in exporting data"));
    QCOMPARE(dialogs.last(), QString("save|Save file|Solvane Data|Data file(*.csv)"));
    const QList<QStringList> original = window->records();
    QList<QStringList> views;
    for (int row : {0, 7}) {
        emit stored()->cellClicked(row, 0);
        views << shown();
    }

    readMeter("3"); // something else in between
    const SeenMessage message = open(path("all.csv"));
    QVERIFY(!message.shown);
    QCOMPARE(dialogs.last(), QString("open|Open file|Solvane Data|Data file(*.csv)"));
    QCOMPARE(window->records(), original);
    for (int column : {0, 1}) {
        QStringList listed;
        for (const QStringList& record : original)
            listed << record.at(column);
        QCOMPARE(cells(stored(), column), listed);
    }
    QCOMPARE(window->currentRecordIndex(), 0);
    int i = 0;
    for (int row : {0, 7}) {
        emit stored()->cellClicked(row, 0);
        QCOMPARE(shown(), views.at(i++));
    }
}

void CsvFilesTest::exportFollowsSelectionOrder()
{
    readMeter("5");
    stored()->clearSelection();
    ctrlClickRow(3);
    ctrlClickRow(1);
    QCOMPARE(exportTo(path("two.csv")).title, QString("Successful"));
    QList<QByteArray> lines = readAll(path("two.csv")).split('\n');
    QCOMPARE(lines.size(), 4); // header, two records, and the final end of line
    QCOMPARE(lines.takeLast(), QByteArray());
    QCOMPARE(QString::fromUtf8(lines.at(0)), MeasurementRecord::fieldNames().join(','));
    QCOMPARE(QString::fromUtf8(lines.at(1)), window->records().at(3).join(','));
    QCOMPARE(QString::fromUtf8(lines.at(2)), window->records().at(1).join(','));

    stored()->clearSelection();
    ctrlClickRow(4);
    exportTo(path("one.csv"));
    lines = readAll(path("one.csv")).split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(1).split(',').size(), 430);
    QCOMPARE(lines.at(1).split(',').first(), QByteArray("NO.004"));
}

void CsvFilesTest::exportNothingOrCancelled()
{
    readMeter("3");
    stored()->clearSelection();
    SeenMessage message = exportTo(path("none.csv"));
    QCOMPARE(message.title, QString("Error"));
    QCOMPARE(message.text, QString("No item is selected"));
    QCOMPARE(message.icon, QMessageBox::Warning);
    QVERIFY(dialogs.isEmpty());

    stored()->selectRow(0);
    message = exportTo(QString()); // the user cancels the save dialog
    QVERIFY(!message.shown);
    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());

    message = open(QString());
    QVERIFY(!message.shown);
    QCOMPARE(window->records().size(), 3);
}

// A name typed without ".csv" still gives a file that the open dialog lists.
void CsvFilesTest::saveDialogAddsTheSuffix()
{
    MainWindow plain; // with the real file dialogs
    plain.show();
    qputenv("TORVIK_VM_RECORD_COUNT", "2");
    {
        MessageBoxAnswerer answerer;
        plain.findChild<QPushButton*>("btn_readData")->click();
    }
    plain.findChild<QTableWidget*>("tableWidget_storedData")->selectAll();
    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->selectFile(path("mine"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    MessageBoxAnswerer answerer;
    plain.findChild<QPushButton*>("btn_export")->click();
    QCOMPARE(answerer.seen.text, QString("Succeeded in exporting data"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"mine.csv"});
}

void CsvFilesTest::openFailureKeepsRecords()
{
    readMeter("4");
    emit stored()->cellClicked(2, 0);
    const QList<QStringList> before = window->records();
    const QStringList view = shown();

    const SeenMessage message = open(path("no such file.csv"));
    QCOMPARE(message.title, QString("Error"));
    QCOMPARE(message.text, QString("Fail to open the file"));
    QCOMPARE(window->records(), before);
    QCOMPARE(stored()->rowCount(), 4);
    QCOMPARE(window->currentRecordIndex(), 2);
    QCOMPARE(shown(), view);
}

// The old file stays as it was whenever the new one cannot be written in full.
void CsvFilesTest::failedExportKeepsExistingFile()
{
    readMeter("12");
    stored()->selectAll();
    writeAll(path("old.csv"), "old content\n");

    SeenMessage message = exportTo(path("missing folder/new.csv"));
    QCOMPARE(message.title, QString("Failure"));
    QCOMPARE(message.text, QString("Fail to export data"));

#ifdef Q_OS_UNIX
    // A disk that fills up after a few kilobytes.
    struct rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    struct rlimit small = before;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    message = exportTo(path("old.csv"));
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    QCOMPARE(message.text, QString("Fail to export data"));
    QCOMPARE(readAll(path("old.csv")), QByteArray("old content\n"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"old.csv"}); // no leftovers
#endif

    QCOMPARE(exportTo(path("old.csv")).title, QString("Successful"));
    QCOMPARE(readAll(path("old.csv")).count('\n'), 13);
}

// Whatever a file holds, it opens; the tables show what they can.
void CsvFilesTest::oddFilesOpenWithoutHarm()
{
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator generator(7);
    for (char& byte : garbage)
        byte = char(generator.bounded(256));
    QByteArray wide = "header\nNO.000";
    for (int i = 1; i < 100000; ++i)
        wide += "," + QByteArray::number(i);
    const QByteArray longLine = "header\n" + QByteArray(2 * 1024 * 1024, 'x') + "\n";

    const QList<QPair<QByteArray, int>> files = {
        {QByteArray(), 0}, {"Data,Date\n", 0}, {garbage, -1}, {wide, 1}, {longLine, 1}};
    for (const auto& [content, records] : files) {
        writeAll(path("odd.csv"), content);
        readMeter("2");
        QVERIFY(!open(path("odd.csv")).shown);
        if (records >= 0)
            QCOMPARE(window->records().size(), records);
        QCOMPARE(stored()->rowCount(), window->records().size());
        shown();
    }
}

void CsvFilesTest::standardCsvReaderSees430Columns()
{
    readMeter("12");
    stored()->selectAll();
    exportTo(path("all.csv"));
    QProcess python;
    python.start("python3", {"-c",
                             "import csv, sys\n"
                             "rows = list(csv.reader(open(sys.argv[1], newline='')))\n"
                             "print(len(rows), sorted({len(r) for r in rows}))\n",
                             path("all.csv")});
    QVERIFY(python.waitForFinished());
    QCOMPARE(python.readAllStandardOutput().trimmed(), QByteArray("13 [430]"));
}

QTEST_MAIN(CsvFilesTest)
#include "tst_csvfiles.moc"
