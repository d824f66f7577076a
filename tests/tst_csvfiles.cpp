// Data files: the stream's format, and export and open through the window,
// with their messages and failures.

#include "TKIOStream.h"
#include "helpers/windowdriver.h"
#include "measurementrecord.h"

#include <QComboBox>
#include <QFileDialog>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#ifdef Q_OS_UNIX
#include "helpers/closedfolder.h"
#include "helpers/fulldisk.h"
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

// A data file's header line, as the window writes it.
QByteArray header()
{
    return MeasurementRecord::fieldNames().join(',').toUtf8();
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
    void refusedFilesKeepRecords();
    void boundsOfAFile();
    void spreadsheetColumnsAreIgnored();
    void exportWhereOnlyTheFileIsWritable();
};

void CsvFilesTest::reader_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<QStringList>>("records");
    const QList<QStringList> two{{"NO.000", "x"}, {"NO.001", "y"}};
    const QByteArray h = header();
    QTest::newRow("LF") << h + "\nNO.000,x\nNO.001,y\n" << two;
    QTest::newRow("CR LF") << h + "\r\nNO.000,x\r\nNO.001,y\r\n" << two;
    QTest::newRow("CR") << h + "\rNO.000,x\rNO.001,y\r" << two; // old Mac spreadsheets
    QTest::newRow("CR and CR LF") << h + "\r\nNO.000,x\rNO.001,y" << two;
    QTest::newRow("no end of line") << h + "\nNO.000,x\nNO.001,y" << two;
    QTest::newRow("blank line") << h + "\nNO.000,x\n\nNO.001,y\n"
                                << QList<QStringList>{two[0], {""}, two[1]};
    QTest::newRow("empty fields") << h + "\n,,a,\n" << QList<QStringList>{{"", "", "a", ""}};
    QTest::newRow("header only") << h + "\n" << QList<QStringList>{};
    QTest::newRow("UTF-8 mark") << "\xEF\xBB\xBF" + h + "\nNO.000,x\nNO.001,y\n" << two;
    // Another code page's reading of "λd" and "△uv", and a spreadsheet's column.
    QByteArray mangled = h;
    mangled
        .replace("λd", "\xA6\xCB"
                       "d")
        .replace("△uv", "\xE2\x96\xB3uv");
    QTest::newRow("mangled names, extra column") << mangled + ",Notes\nNO.000,x\nNO.001,y\n" << two;
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
    QCOMPARE(tag.first(), QString("kept"));
    QCOMPARE(tag.mid(1, 20), MeasurementRecord::fieldNames().mid(0, 20));
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
    // A disk that fills up after a few kilobytes.
    message = onDiskFullAfter(4096, [this] { return exportTo(path("old.csv")); });
    QCOMPARE(message.text, QString("Fail to export data"));
    QCOMPARE(readAll(path("old.csv")), QByteArray("old content\n"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"old.csv"}); // no leftovers
#endif
}

// Odd but genuine data files open; the tables show what they can.
void CsvFilesTest::oddFilesOpenWithoutHarm()
{
    QByteArray wide = header() + "\nNO.000";
    for (int i = 1; i < 100000; ++i)
        wide += "," + QByteArray::number(i);
    const QByteArray longLine = header() + "\n" + QByteArray(2 * 1024 * 1024, 'x') + "\n";
    for (const QByteArray& content : {wide, longLine}) {
        writeAll(path("odd.csv"), content);
        readMeter(window.data(), "2");
        QVERIFY(!open(path("odd.csv")).shown);
        QCOMPARE(window->records().size(), 1);
        shown();
    }
}

// What is not a data file, or holds no record, is refused with a word, and
// the records shown stay.
void CsvFilesTest::refusedFilesKeepRecords()
{
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator generator(7);
    for (char& byte : garbage)
        byte = char(generator.bounded(256));
    const QString notData("This file is not a Solvane data file.");
    const QList<QPair<QByteArray, QString>> files = {
        {garbage, notData},
        {"Name,Address\nExample,1 Sample Street\n", notData},
        {QByteArray(), notData},
        {"Data,Date\nNO.000,2026-01-01\n", notData},
        {header() + "\n", "This file holds no records."},
        {header() + "\r\r\n", "This file holds no records."}};
    readMeter(window.data(), "3");
    clickRecord(window.data(), 1);
    const QList<QStringList> before = window->records();
    const QStringList view = shown();
    for (const auto& [content, text] : files) {
        writeAll(path("odd.csv"), content);
        const SeenMessage message = open(path("odd.csv"));
        QCOMPARE(message.text, text);
        QCOMPARE(message.title, QString("Error"));
        QCOMPARE(message.text, text);
        QCOMPARE(window->records(), before);
        QCOMPARE(window->currentRecordIndex(), 1);
        QCOMPARE(shown(), view);
    }
#ifdef Q_OS_UNIX
    for (const QString& device : {QString("/dev/zero"), dir->path()}) {
        const SeenMessage message = open(device);
        QCOMPARE(message.text, QString("Only files can be opened, not folders or devices."));
        QCOMPARE(window->records(), before);
    }
#endif
}

// Far beyond what a data file holds: refused before memory runs out.
void CsvFilesTest::boundsOfAFile()
{
    TKIOStream stream;
    QStringList tag;
    QList<QStringList> records;
    QFile huge(path("huge.csv"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    huge.write(header() + "\n");
    QVERIFY(huge.resize(TKIOStream::maxFileBytes + 1)); // sparse: no disk taken
    huge.close();
    stream.setFileDirectory(path("huge.csv"));
    QVERIFY(!stream.readSolvaneData(&tag, &records));
    QCOMPARE(stream.readError(), TKIOStream::ReadError::TooLarge);
    QVERIFY(QFile::remove(path("huge.csv")));

    writeAll(path("fields.csv"),
             header() + "\nNO.000" + QByteArray(TKIOStream::maxFields, ',') + "\n");
    stream.setFileDirectory(path("fields.csv"));
    QVERIFY(!stream.readSolvaneData(&tag, &records));
    QCOMPARE(stream.readError(), TKIOStream::ReadError::TooLarge);

    writeAll(path("line.csv"), header() + "\n" + QByteArray(TKIOStream::maxLineChars + 1, 'x'));
    stream.setFileDirectory(path("line.csv"));
    QVERIFY(!stream.readSolvaneData(&tag, &records));
    QCOMPARE(stream.readError(), TKIOStream::ReadError::TooLarge);
    QVERIFY(tag.isEmpty() && records.isEmpty());
}

// A spreadsheet that adds a column, or ends each line in a comma, keeps every
// value where the header names it.
void CsvFilesTest::spreadsheetColumnsAreIgnored()
{
    readMeter(window.data(), "2");
    table(window.data(), "tableWidget_storedData")->selectAll();
    exportTo(path("plain.csv"));
    clickRecord(window.data(), 1);
    const QStringList view = shown();
    QList<QByteArray> lines = readAll(path("plain.csv")).split('\n');
    lines.removeLast();
    for (const QByteArray& ending : {QByteArray(",Notes"), QByteArray(",")}) {
        QByteArray edited;
        for (const QByteArray& line : lines)
            edited += line + ending + "\r\n";
        writeAll(path("edited.csv"), edited);
        readMeter(window.data(), "1");
        QVERIFY(!open(path("edited.csv")).shown);
        clickRecord(window.data(), 1);
        QCOMPARE(shown(), view);
    }
}

// Writing the file itself is enough: the temporary file beside it is not
// needed when the folder cannot take one.
void CsvFilesTest::exportWhereOnlyTheFileIsWritable()
{
#ifdef Q_OS_UNIX
    const QString target = path("shared.csv");
    writeAll(target, "old content\n");
    TKIOStream stream;
    stream.setFileDirectory(target);
    bool written = false;
    if (!inClosedFolder(target, [&] {
            written = stream.writeSolvaneData({"Data", "Date"}, {{"NO.000", "x"}});
        }))
        QSKIP("cannot act as another user");
    QVERIFY2(written, qPrintable(stream.errorString()));
    QCOMPARE(readAll(target), QByteArray("Data,Date\nNO.000,x\n"));
#else
    QSKIP("permissions of this kind are Unix's");
#endif
}

QTEST_MAIN(CsvFilesTest)
#include "tst_csvfiles.moc"
