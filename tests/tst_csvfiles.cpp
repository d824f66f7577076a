// Data files: the stream's format, and export and open through the window,
// with their messages and failures.

#include "TKIOStream.h"
#include "helpers/windowdriver.h"

#include <QComboBox>
#include <QFileDialog>
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
    file.write(content);
}

} // namespace

class CsvFilesTest : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> dir;
    QScopedPointer<MainWindow> window;
    QString chosenPath; // what the file dialog answers; empty: cancelled
    QStringList dialogs;

    QString path(const QString& name) { return dir->filePath(name); }
    SeenMessage exportTo(const QString& file)
    {
        chosenPath = file;
        return press(window.data(), "btn_export");
    }
    SeenMessage open(const QString& file)
    {
        chosenPath = file;
        return press(window.data(), "btn_open");
    }
    void select(std::initializer_list<int> rows)
    {
        table(window.data(), "tableWidget_storedData")->clearSelection();
        for (int row : rows)
            clickRecord(window.data(), row, Qt::ControlModifier);
    }

    // Everything the window shows of the selected record, in every plot mode.
    QStringList shown()
    {
        QStringList view = tableColumn(window.data(), "tableWidget_itemData", 2) +
                           tableColumn(window.data(), "tableWidget_intensityData", 1);
        auto* plot = window->findChild<QwtPlot*>("qwtPlot");
        for (int mode : {1, 2, 0}) {
            window->findChild<QComboBox*>("comboBox_plot")->setCurrentIndex(mode);
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
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
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
        qInstallMessageHandler(nullptr);
    }

    void reader_data();
    void reader();
    void exportedFileReopensIdentically();
    void exportFollowsSelectionOrder();
    void exportNothingOrCancelled();
    void saveDialogAddsTheSuffix();
    void openFailureKeepsRecords();
    void failedExportKeepsExistingFile();
    void oddFilesOpenWithoutHarm();
};

void CsvFilesTest::reader_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<QStringList>>("records");
    const QList<QStringList> two{{"NO.000", "x"}, {"NO.001", "y"}};
    QTest::newRow("LF") << QByteArray("h\nNO.000,x\nNO.001,y\n") << two;
    QTest::newRow("CR LF") << QByteArray("h\r\nNO.000,x\r\nNO.001,y\r\n") << two;
    QTest::newRow("no end of line") << QByteArray("h\nNO.000,x\nNO.001,y") << two;
    QTest::newRow("blank line") << QByteArray("h\nNO.000,x\n\nNO.001,y\n")
                                << QList<QStringList>{two[0], {""}, two[1]};
    QTest::newRow("empty fields") << QByteArray("h\n,,a,\n")
                                  << QList<QStringList>{{"", "", "a", ""}};
    QTest::newRow("header only") << QByteArray("h\n") << QList<QStringList>{};
}

// Appended to the lists, never replacing them; a missing file leaves them be.
void CsvFilesTest::reader()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<QStringList>, records);
    writeAll(path("in.csv"), content);
    TKIOStream stream;
    stream.setFileDirectory(path("in.csv"));
    QStringList tag{"kept"};
    QList<QStringList> read{{"kept"}};
    QVERIFY(stream.readSolvaneData(&tag, &read));
    QCOMPARE(tag, (QStringList{"kept", "h"}));
    QCOMPARE(read, QList<QStringList>{{"kept"}} + records);

    stream.setFileDirectory(path("missing.csv"));
    QVERIFY(!stream.readSolvaneData(&tag, &read));
    QCOMPARE(read.size(), records.size() + 1);
}

// Every table cell and plotted point the same after export and open, and a
// standard CSV reader sees 430 columns on every line.
void CsvFilesTest::exportedFileReopensIdentically()
{
    readMeter(window.data(), "12");
    table(window.data(), "tableWidget_storedData")->selectAll();
    QCOMPARE(exportTo(path("all.csv")).text, QString("Succeeded in exporting data"));
    QCOMPARE(dialogs.last(), QString("save|Save file|Solvane Data|Data file(*.csv)"));
    const QList<QStringList> original = window->records();
    QList<QStringList> views;
    for (int row : {0, 7}) {
        clickRecord(window.data(), row);
        views << shown();
    }

    readMeter(window.data(), "3"); // something else in between
    QVERIFY(!open(path("all.csv")).shown);
    QCOMPARE(dialogs.last(), QString("open|Open file|Solvane Data|Data file(*.csv)"));
    QCOMPARE(window->records(), original);
    QCOMPARE(window->currentRecordIndex(), 0);
    QCOMPARE(tableColumn(window.data(), "tableWidget_storedData", 1).last(), original.last().at(1));
    for (int i : {0, 1}) {
        clickRecord(window.data(), i * 7);
        QCOMPARE(shown(), views.at(i));
    }

    QProcess python;
    python.start("python3", {"-c",
                             "import csv, sys\n"
                             "rows = list(csv.reader(open(sys.argv[1], newline='')))\n"
                             "print(len(rows), sorted({len(r) for r in rows}))\n",
                             path("all.csv")});
    QVERIFY(python.waitForFinished());
    QCOMPARE(python.readAllStandardOutput().trimmed(), QByteArray("13 [430]"));
}

void CsvFilesTest::exportFollowsSelectionOrder()
{
    readMeter(window.data(), "5");
    select({3, 1});
    QCOMPARE(exportTo(path("two.csv")).title, QString("Successful"));
    const QList<QByteArray> lines = readAll(path("two.csv")).split('\n');
    QCOMPARE(lines.size(), 4); // header, two records, and the final end of line
    const QList<QByteArray> header = lines[0].split(',');
    QCOMPARE(header.size(), 430);
    QCOMPARE(header.first() + "|" + header.last(), QByteArray("Data|780 nm"));
    QCOMPARE(QString::fromUtf8(lines[1]), window->records().at(3).join(','));
    QCOMPARE(QString::fromUtf8(lines[2]), window->records().at(1).join(','));
    QCOMPARE(lines[3], QByteArray());

    select({4});
    exportTo(path("one.csv"));
    QCOMPARE(readAll(path("one.csv")).count('\n'), 2);
}

void CsvFilesTest::exportNothingOrCancelled()
{
    readMeter(window.data(), "3");
    select({});
    const SeenMessage message = exportTo(path("none.csv"));
    QCOMPARE(message.title, QString("Error"));
    QCOMPARE(message.text, QString("No item is selected"));
    QVERIFY(dialogs.isEmpty());

    select({0});
    QVERIFY(!exportTo(QString()).shown); // the user cancels either dialog
    QVERIFY(!open(QString()).shown);
    QCOMPARE(dialogs.size(), 2);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());
    QCOMPARE(window->records().size(), 3);
}

// A name typed without ".csv" still gives a file that the open dialog lists.
void CsvFilesTest::saveDialogAddsTheSuffix()
{
    MainWindow plain; // with the real file dialogs
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
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"mine.csv"});
}

void CsvFilesTest::openFailureKeepsRecords()
{
    readMeter(window.data(), "4");
    clickRecord(window.data(), 2);
    const QList<QStringList> before = window->records();
    const QStringList view = shown();

    const SeenMessage message = open(path("no such file.csv"));
    QCOMPARE(message.title, QString("Error"));
    QCOMPARE(message.text, QString("Fail to open the file"));
    QCOMPARE(window->records(), before);
    QCOMPARE(window->currentRecordIndex(), 2);
    QCOMPARE(shown(), view);
}

// The old file stays as it was whenever the new one cannot be written in full.
void CsvFilesTest::failedExportKeepsExistingFile()
{
    readMeter(window.data(), "12");
    table(window.data(), "tableWidget_storedData")->selectAll();
    writeAll(path("old.csv"), "old content\n");
    SeenMessage message = exportTo(path("missing folder/new.csv"));
    QCOMPARE(message.title, QString("Failure"));
    QCOMPARE(message.text, QString("Fail to export data"));

#ifdef Q_OS_UNIX
    // A disk that fills up after a few kilobytes (root ignores read-only folders).
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
        readMeter(window.data(), "2");
        QVERIFY(!open(path("odd.csv")).shown);
        if (records >= 0)
            QCOMPARE(window->records().size(), records);
        shown();
    }
}

QTEST_MAIN(CsvFilesTest)
#include "tst_csvfiles.moc"
