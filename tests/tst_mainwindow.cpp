// The window's start-up: language restored without side effects, the
// catalogue chosen from "language.ini", the refusal of a second start.

#include "fixtures.h"
#include "fontsubstitutes.h"
#include "languagesettings.h"
#include "mainwindow.h"
#include "recorditems.h"
#include "singleinstance.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QGlyphRun>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QTableWidget>
#include <QTextLayout>
#include <QTranslator>
#include <QtTest>

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

    void languageFileChoosesCatalogueAndSelector_data();
    void languageFileChoosesCatalogueAndSelector();
    void qtTextsFollowTheLanguage_data();
    void qtTextsFollowTheLanguage();
    void qtCatalogueBesideTheApplicationWins();
    void windowStartsCleanly();
    void formWidgetsAndPictures();
    void itemTableAgreesWithTheRecordItems();
    void secondStartMessage();
    void fontsFollowTheWritingStandard_data();
    void fontsFollowTheWritingStandard();
};

void MainWindowTest::languageFileChoosesCatalogueAndSelector_data()
{
    QTest::addColumn<QByteArray>("ini"); // null: no file
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<int>("selectorIndex");
    QTest::newRow("no file") << QByteArray() << "cn.qm" << 0;
    QTest::newRow("no key") << QByteArray("[General]\nother=2\n") << "cn.qm" << 0;
    QTest::newRow("0") << QByteArray("[General]\nlanguage=0\n") << "cn.qm" << 0;
    QTest::newRow("1") << QByteArray("[General]\nlanguage=1\n") << "tw.qm" << 1;
    QTest::newRow("2") << QByteArray("[General]\nlanguage=2\n") << "en.qm" << 2;
    QTest::newRow("not a number") << QByteArray("[General]\nlanguage=en\n") << "cn.qm" << 0;
    QTest::newRow("5") << QByteArray("[General]\nlanguage=5\n") << QString() << -1;
}

void MainWindowTest::languageFileChoosesCatalogueAndSelector()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, catalogue);
    QFETCH(int, selectorIndex);
    if (!ini.isNull())
        QVERIFY(writeFile(dir->filePath("language.ini"), ini));
    const QFileInfo before(dir->filePath("language.ini"));

    QCOMPARE(languageCatalogue(savedLanguageIndex()), catalogue);
    if (!catalogue.isEmpty()) {
        QTranslator translator;
        QVERIFY(translator.load(catalogue)); // bare name, from the working directory
    }

    {
        MainWindow window;
        auto* selector = window.findChild<QComboBox*>("comboBox_language");
        QVERIFY(selector);
        QCOMPARE(selector->count(), 3);
        QCOMPARE(selector->itemText(2), QString("English"));
        QCOMPARE(selector->currentIndex(), selectorIndex);
    }

    // Starting reads the file and never writes it.
    const QFileInfo after(dir->filePath("language.ini"));
    QCOMPARE(after.exists(), !ini.isNull());
    if (!ini.isNull()) {
        QCOMPARE(after.lastModified(), before.lastModified());
        QCOMPARE(fileContents(after.filePath()), ini);
    }
}

// The form connects its slots by name; nothing may be left unmatched, and the
// meter library beside the application is loaded with a log line.
void MainWindowTest::windowStartsCleanly()
{
    LogRecorder log;
    {
        MainWindow window;
        QCOMPARE(window.windowTitle(), QString("Solvane 1.0.2"));
        QCOMPARE(window.size(), QSize(1011, 690));
    }
    QCOMPARE(log.lines, QStringList{"\"Succeeded in loading Dll(libTorvikUSB.so)!\""});
}

// Every picture a style sheet names is in the resources: a wrong name fails silently.
void MainWindowTest::formWidgetsAndPictures()
{
    MainWindow window;
    const QRegularExpression url(R"(url\((:/images/\w+\.png)\))");
    int named = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        for (auto match = url.globalMatch(widget->styleSheet()); match.hasNext(); ++named) {
            const QString picture = match.next().captured(1);
            QVERIFY2(!QImage(picture).isNull(), qPrintable(picture));
        }
    }
    QCOMPARE(named, 15); // 7 in the form, 8 set at start-up
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

void MainWindowTest::secondStartMessage()
{
    MessageBoxAnswerer answerer;
    showAlreadyRunning();
    const SeenMessage& seen = answerer.seen;
    QVERIFY(seen.shown);
    QCOMPARE(seen.title, QString("Error"));
    QCOMPARE(seen.text, QString::fromUtf8("软件已打开！"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
}

// Qt's own texts (buttons, file dialog, print preview) come in the chosen
// language along with the application's.
void MainWindowTest::qtTextsFollowTheLanguage_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("loaded"); // file names
    QTest::addColumn<QStringList>("texts");  // OK, Cancel, Print Preview, Look in:
    QTest::newRow("simplified") << 0 << QStringList{"qtbase_zh_CN.qm", "cn.qm"}
                                << QStringList{"确定", "取消", "打印预览", "查找范围："};
    QTest::newRow("traditional") << 1 << QStringList{"qtbase_zh_TW.qm", "tw.qm"}
                                 << QStringList{"確定", "取消", "列印預覽", "尋找於："};
    QTest::newRow("english") << 2 << QStringList{"en.qm"}
                             << QStringList{"OK", "Cancel", "Print Preview", "Look in:"};
}

void MainWindowTest::qtTextsFollowTheLanguage()
{
    QFETCH(int, index);
    QFETCH(QStringList, loaded);
    QFETCH(QStringList, texts);
    QTranslator application, qt;
    QStringList files;
    for (const QString& path : installTranslators(index, application, qt))
        files << QFileInfo(path).fileName();
    QCOMPARE(files, loaded);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), texts[0]);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), texts[1]);
    QCOMPARE(QCoreApplication::translate("QPrintPreviewDialog", "Print Preview"), texts[2]);
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), texts[3]);
    // What a message box shows.
    QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), texts[0]);
}

// A catalogue shipped beside the application (as a Windows build does) is
// taken before Qt's own.
void MainWindowTest::qtCatalogueBesideTheApplicationWins()
{
    const QString qtPath = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    QCOMPARE(qtCatalogueDirectories(),
             QStringList({QCoreApplication::applicationDirPath(), qtPath}));

    // A stand-in beside the application: the Traditional catalogue under the
    // Simplified name shows which one was taken.
    QTemporaryDir beside;
    QVERIFY(beside.isValid());
    const QString standIn = beside.filePath("qtbase_zh_CN.qm");
    QVERIFY(QFile::copy(qtPath + "/qtbase_zh_TW.qm", standIn));
    QTranslator application, qt;
    QCOMPARE(installTranslators(0, application, qt, {beside.path(), qtPath}),
             QStringList({standIn, "cn.qm"}));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QString("確定"));
}

void MainWindowTest::fontsFollowTheWritingStandard_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("region");
    QTest::addColumn<QString>("reportChinese");
    QTest::newRow("简体中文") << 0 << "SC"
                              << "AR PL UMing CN";
    QTest::newRow("繁體中文") << 1 << "TC"
                              << "AR PL UMing TW";
    QTest::newRow("English") << 2 << "SC"
                             << "AR PL UMing CN";
}

// Traditional Chinese is drawn to its own standard, in the window and in the
// report's Chinese text.
void MainWindowTest::fontsFollowTheWritingStandard()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has the fonts the window names");
#endif
    QFETCH(int, language);
    QFETCH(QString, region);
    QFETCH(QString, reportChinese);
    installFontSubstitutes(language);
    // A size of each row's own, so that no font resolved for another row is reused.
    const auto font = [language](const char* family) {
        QFont font(QString::fromUtf8(family));
        font.setPixelSize(20 + language);
        return font;
    };
    QCOMPARE(QFontInfo(font("微软雅黑")).family(), "Noto Sans CJK " + region);
    QCOMPARE(QFontInfo(font("宋体")).family(), "Noto Serif CJK " + region);
    QTextLayout layout(QString::fromUtf8("骨"), font("Calibri"));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QCOMPARE(layout.glyphRuns().value(0).rawFont().familyName(), reportChinese);
    installFontSubstitutes(0);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
