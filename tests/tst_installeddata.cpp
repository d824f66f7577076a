// An installed Solvane started in an empty folder: catalogues and manual from
// the installed data folder, settings in the user's configuration folder, the
// PDF report in the documents folder. A folder that holds Solvane's files
// keeps everything there, as a build-tree run does.

#include "CompareDialog.h"
#include "applicationfiles.h"
#include "fixtures.h"
#include "languagesettings.h"
#include "mainwindow.h"
#include "windowdriver.h"

#include <QDoubleSpinBox>
#include <QTranslator>

class InstalledDataTest : public QObject
{
    Q_OBJECT

    QTemporaryDir home; // HOME, holding the data folder, the configuration and the documents
    QString data, config, documents;
    std::optional<WorkingDirectory> dir;

    QString inHome(const QString& path) const { return QDir(home.path()).filePath(path); }
    static QStringList workingDirectoryEntries()
    {
        return QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", inHome("config").toUtf8());
        QCoreApplication::setApplicationName(ApplicationFiles::applicationName);
        data = inHome("usr/share/solvane");
        config = inHome("config/solvane");
        documents = inHome("Documents");
        QVERIFY(QDir().mkpath(data));
        for (const char* qm : {"cn.qm", "tw.qm", "en.qm"})
            QVERIFY(
                QFile::copy(qEnvironmentVariable("SOLVANE_RUN_DIR") + "/" + qm, data + "/" + qm));
        QVERIFY(writeFile(data + "/KVR900 manual.pdf", "%PDF-1.4\n"));
        ApplicationFiles::setDataDirectory(data);
    }
    void init() { QVERIFY(dir.emplace().isValid()); }

    void installedPlaces();
    void workingDirectoryKeepsItsFiles_data();
    void workingDirectoryKeepsItsFiles();
};

void InstalledDataTest::installedPlaces()
{
    QVERIFY(!ApplicationFiles::usesWorkingDirectory());
    {
        QTranslator application, qt;
        const QStringList loaded = installTranslators(1, application, qt);
        QCOMPARE(loaded.last(), data + "/tw.qm");
        QCOMPARE(QCoreApplication::translate("MainWindow", "Print"), QString("列印"));
        QCoreApplication::removeTranslator(&application);
        QCoreApplication::removeTranslator(&qt);
    }

    // A configuration folder that cannot be made: the message names the file.
    QVERIFY(QDir().mkpath(inHome("config")));
    QVERIFY(writeFile(config, "not a folder"));
    MainWindow window;
    QStringList calls;
    window.setUrlOpener([&calls](const QUrl& url) {
        calls << url.toLocalFile();
        return true;
    });
    window.setProcessStarter([&calls](const QString& program, const QStringList&) {
        calls << program;
        return true;
    });
    window.show();
    auto* language = window.findChild<QComboBox*>("comboBox_language");
    {
        MessageBoxAnswerer answerer;
        language->setCurrentIndex(2);
        QCOMPARE(answerer.seen.text, QString("The language could not be saved: \"%1\" is not "
                                             "writable.")
                                         .arg(config + "/language.ini"));
    }
    QVERIFY(calls.isEmpty());
    QVERIFY(QFile::remove(config));

    QVERIFY(!press(&window, "btn_help").shown);
    QCOMPARE(calls, QStringList{data + "/KVR900 manual.pdf"});

    // The report goes to the documents folder, and the user is told so.
    readMeter(&window, "4");
    QString preview;
    QCOMPARE(printFromWindow(&window, &preview),
             QStringList{QString("The report was saved as \"%1/Report\".").arg(documents)});
    QCOMPARE(preview, documents + "/Report PDF A4");
    QVERIFY(pdfText(documents + "/Report").contains("Example Optics Ltd"));
    QVERIFY(fileContents(config + "/PrintInfo").startsWith("Example Optics Ltd\n"));
    QVERIFY(fileContents(config + "/ReportPages.ini").contains("qualityPage=false"));

    selectRecords(&window, {0, 2});
    press(&window, "btn_compare");
    auto* compare = window.findChild<CompareDialog*>();
    compare->findChild<QDoubleSpinBox*>("doubleSpinBox_chromaticityThreshold")->setValue(0.002);
    compare->close();
    QVERIFY(QFileInfo::exists(config + "/Compare.ini"));

    // Saved in full before the installed program starts again.
    {
        MessageBoxAnswerer answerer;
        language->setCurrentIndex(2);
        QVERIFY(!answerer.seen.shown);
    }
    QCOMPARE(calls.last(), QCoreApplication::applicationFilePath());
    QCOMPARE(fileContents(config + "/language.ini"), QString("[General]\nlanguage=2\n"));
    QVERIFY(!window.isVisible());
    QCOMPARE(workingDirectoryEntries(), QStringList());
}

void InstalledDataTest::workingDirectoryKeepsItsFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("a setting") << "PrintInfo";
    QTest::newRow("a catalogue") << "en.qm";
    QTest::newRow("the manual") << "KVR900 manual.pdf";
}

// Any of Solvane's files marks a build tree's or a folder installation's
// working directory; what it lacks still comes from the data folder.
void InstalledDataTest::workingDirectoryKeepsItsFiles()
{
    QFETCH(QString, file);
    QVERIFY(writeFile(file, QByteArray()));
    QVERIFY(ApplicationFiles::usesWorkingDirectory());
    QCOMPARE(ApplicationFiles::settingsFile("language.ini"), QString("language.ini"));
    QCOMPARE(ApplicationFiles::reportFile(), QDir::current().filePath("Report"));
    QCOMPARE(ApplicationFiles::dataFile(file), file);
    QCOMPARE(ApplicationFiles::dataFile("tw.qm"), data + "/tw.qm");
    QCOMPARE(ApplicationFiles::dataFile("missing.qm"), QString("missing.qm"));
}

QTEST_MAIN(InstalledDataTest)
#include "tst_installeddata.moc"
