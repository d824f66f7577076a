// The window's start-up: language restored without side effects, the
// catalogue chosen from "language.ini", the refusal of a second start.

#include "helpers/messageboxes.h"
#include "languagesettings.h"
#include "mainwindow.h"
#include "singleinstance.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

class MainWindowTest : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> dir;
    QString startDir;

    void writeIni(const QByteArray& content)
    {
        if (content.isNull())
            return;
        QFile ini(dir->filePath("language.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(content);
    }

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    // A fresh working directory each time ("language.ini" is read from there),
    // which also keeps Qt's settings cache from serving an earlier file.
    void init()
    {
        dir.reset(new QTemporaryDir);
        QVERIFY(dir->isValid());
        QVERIFY(QDir::setCurrent(dir->path()));
        for (const char* qm : {"cn.qm", "tw.qm", "en.qm"})
            QVERIFY(QFile::copy(qEnvironmentVariable("SOLVANE_RUN_DIR") + "/" + qm, qm));
    }
    void cleanup() { QDir::setCurrent(startDir); }

    void languageFileChoosesCatalogueAndSelector_data();
    void languageFileChoosesCatalogueAndSelector();
    void windowStartsCleanly();
    void formWidgetsAndPictures();
    void secondStartMessage();
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
    writeIni(ini);
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
        QFile file(after.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), ini);
    }
}

// The form connects its slots by name; nothing may be left unmatched, and the
// meter library beside the application is loaded with a log line.
void MainWindowTest::windowStartsCleanly()
{
    static QStringList messages;
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { messages << text; });
    {
        MainWindow window;
        QCOMPARE(window.windowTitle(), QString("Solvane 1.0.2"));
        QCOMPARE(window.size(), QSize(1011, 690));
    }
    qInstallMessageHandler(previous);
    QCOMPARE(messages, QStringList{"\"Succeeded in loading Dll(libTorvikUSB.so)!\""});
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

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
