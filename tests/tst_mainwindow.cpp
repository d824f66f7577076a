// The window's start-up: language restored without side effects, the
// catalogues and fonts of each language.

#include "fixtures.h"
#include "fontsubstitutes.h"
#include "languagesettings.h"
#include "mainwindow.h"
#include "recorditems.h"
#include "singleinstance.h"
#include "windowdriver.h"

#include <QTextLayout>
#include <QTranslator>

class MainWindowTest : public QObject
{
    Q_OBJECT

    std::optional<WorkingDirectory> dir;

private slots:
    // A fresh working directory each time ("language.ini" is read from there),
    // which also keeps Qt's settings cache from serving an earlier file.
    void init()
    {
        QVERIFY(dir.emplace().isValid());
        for (const char* qm : {"cn.qm", "tw.qm", "en.qm"})
            QVERIFY(QFile::copy(qEnvironmentVariable("SOLVANE_RUN_DIR") + "/" + qm, qm));
    }

    void windowStartsCleanly_data();
    void windowStartsCleanly();
    void itemTableAgreesWithTheRecordItems();
    void formPicturesExist();
    void languageTextsAndFonts_data();
    void languageTextsAndFonts();
};

void MainWindowTest::windowStartsCleanly_data()
{
    QTest::addColumn<QByteArray>("ini"); // null: no file
    QTest::addColumn<int>("selectorIndex");
    QTest::newRow("no file") << QByteArray() << 0;
    QTest::newRow("1") << QByteArray("[General]\nlanguage=1\n") << 1;
    QTest::newRow("not a number") << QByteArray("[General]\nlanguage=en\n") << 0;
    QTest::newRow("5") << QByteArray("[General]\nlanguage=5\n") << -1;
}

// The language from "language.ini", which starting never writes; one log line,
// the meter library's (a slot the form cannot connect by name would add one).
void MainWindowTest::windowStartsCleanly()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, selectorIndex);
    if (!ini.isNull())
        QVERIFY(writeFile("language.ini", ini));
    const QFileInfo before("language.ini");
    {
        LogRecorder log;
        MainWindow window;
        QCOMPARE(window.windowTitle(), QString("Solvane 1.0.2"));
        QCOMPARE(window.findChild<QComboBox*>("comboBox_language")->currentIndex(), selectorIndex);
        QCOMPARE(log.lines, QStringList{"\"Succeeded in loading Dll(libTorvikUSB.so)!\""});
    }
    QCOMPARE(QFileInfo("language.ini").lastModified(), before.lastModified());
    QCOMPARE(fileContents("language.ini"), ini.isNull() ? QByteArray("<unreadable>") : ini);
}

// The form's item rows are laid out by hand in Designer; the record, the data
// file and the report take the same items from the record's item table.
void MainWindowTest::itemTableAgreesWithTheRecordItems()
{
    MainWindow window;
    const auto* table = window.findChild<QTableWidget*>("tableWidget_itemData");
    QCOMPARE(table->rowCount(), MeasurementRecord::itemTotal);
    const auto text = [table](int row, int column) {
        const QTableWidgetItem* cell = table->item(row, column);
        return cell ? cell->text() : QString();
    };
    for (int row = 0; row < MeasurementRecord::itemTotal; ++row) {
        const MeasurementRecord::Item& item = MeasurementRecord::items[row];
        QCOMPARE(text(row, 0), QString::fromUtf8(item.group));
        QCOMPARE(text(row, 1), QString::fromUtf8(item.symbol));
        QCOMPARE(text(row, 3), QString::fromUtf8(item.unit));
        QCOMPARE(table->item(row, 3) && table->item(row, 3)->font().pointSize() == 9,
                 *item.unit != 0);
    }
}

// Every picture a style sheet names is in the resources: a wrong name fails silently.
void MainWindowTest::formPicturesExist()
{
    MainWindow window;
    const QRegularExpression url(R"(url\((:/images/\w+\.png)\))");
    int named = 0;
    for (QWidget* widget : window.findChildren<QWidget*>())
        for (auto match = url.globalMatch(widget->styleSheet()); match.hasNext(); ++named) {
            const QString picture = match.next().captured(1);
            QVERIFY2(!QImage(picture).isNull(), qPrintable(picture));
        }
    QCOMPARE(named, 17); // 7 in the form, 10 set at start-up
}

void MainWindowTest::languageTextsAndFonts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("loaded"); // file names
    QTest::addColumn<QStringList>("texts");  // OK, Cancel, Print Preview, Look in:
    QTest::addColumn<QString>("region");     // of the window's Chinese fonts
    QTest::addColumn<QString>("ming");       // the report's Chinese font
    QTest::newRow("简体中文") << 0 << QStringList{"qtbase_zh_CN.qm", "cn.qm"}
                              << QStringList{"确定", "取消", "打印预览", "查找范围："} << "SC"
                              << "AR PL UMing CN";
    QTest::newRow("繁體中文") << 1 << QStringList{"qtbase_zh_TW.qm", "tw.qm"}
                              << QStringList{"確定", "取消", "列印預覽", "尋找於："} << "TC"
                              << "AR PL UMing TW";
    QTest::newRow("English") << 2 << QStringList{"en.qm"}
                             << QStringList{"OK", "Cancel", "Print Preview", "Look in:"} << "SC"
                             << "AR PL UMing CN";
    QTest::newRow("unknown") << 5 << QStringList()
                             << QStringList{"OK", "Cancel", "Print Preview", "Look in:"} << "SC"
                             << "AR PL UMing CN";
}

// Qt's own texts (buttons, file dialog, print preview, the refusal of a second
// start) come in the chosen language with the application's; Traditional
// Chinese is drawn to its own standard, in the window and in the report.
void MainWindowTest::languageTextsAndFonts()
{
    QFETCH(int, index);
    QFETCH(QStringList, loaded);
    QFETCH(QStringList, texts);
    QFETCH(QString, region);
    QFETCH(QString, ming);
    QTranslator application, qt;
    QStringList files;
    for (const QString& path : installTranslators(index, application, qt))
        files << QFileInfo(path).fileName();
    QCOMPARE(files, loaded);
    QCOMPARE((QStringList{QCoreApplication::translate("QPlatformTheme", "OK"),
                          QCoreApplication::translate("QPlatformTheme", "Cancel"),
                          QCoreApplication::translate("QPrintPreviewDialog", "Print Preview"),
                          QCoreApplication::translate("QFileDialog", "Look in:")}),
             texts);
    MessageBoxAnswerer answerer;
    showAlreadyRunning();
    const SeenMessage& seen = answerer.seen;
    QCOMPARE(seen.title + ": " + seen.text, QString::fromUtf8("Error: 软件已打开！"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, QStringList{texts[0]});

#ifndef Q_OS_WIN // Windows has the fonts the window names
    installFontSubstitutes(index);
    // A size of each row's own, so that no font resolved for another row is reused.
    const auto font = [index](const char* family) {
        QFont font(QString::fromUtf8(family));
        font.setPixelSize(20 + index);
        return font;
    };
    QCOMPARE(QFontInfo(font("微软雅黑")).family(), "Noto Sans CJK " + region);
    QCOMPARE(QFontInfo(font("宋体")).family(), "Noto Serif CJK " + region);
    QTextLayout layout(QString::fromUtf8("骨"), font("Calibri"));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QCOMPARE(layout.glyphRuns().value(0).rawFont().familyName(), ming);
    installFontSubstitutes(0);
#endif
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
