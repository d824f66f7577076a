// The command bar's side roads (manual, contact page), the language switch
// with its restart, and the three translation catalogues.

#include "fixtures.h"
#include "mainwindow.h"
#include "windowdriver.h"

#include <QXmlStreamReader>

class ShellTest : public QObject
{
    Q_OBJECT

    std::optional<WorkingDirectory> dir;
    QScopedPointer<MainWindow> window;
    QStringList calls; // the URLs opened; the programs started, with "language.ini" then
    bool succeed = true;

    SeenMessage press(const char* button) { return ::press(window.data(), button); }
    static SeenMessage press(QComboBox* selector, int index)
    {
        MessageBoxAnswerer answerer;
        selector->setCurrentIndex(index);
        return answerer.seen;
    }

private slots:
    void init()
    {
        QVERIFY(dir.emplace().isValid());
        calls.clear();
        succeed = true;
        window.reset(new MainWindow);
        window->setUrlOpener([this](const QUrl& url) {
            calls << url.toString();
            return succeed;
        });
        window->setProcessStarter([this](const QString& program, const QStringList& arguments) {
            calls << QStringList{program, arguments.join(' '), fileContents("language.ini")}.join(
                '|');
            return succeed;
        });
        window->show();
    }
    void cleanup() { window.reset(); }

    void sideRoads();
    void languageSwitch();
    void cataloguesTranslateEveryText_data();
    void cataloguesTranslateEveryText();
};

// The manual from the working directory and the contact page, with a message
// when there is no manual or nothing opens them.
void ShellTest::sideRoads()
{
    QVERIFY(press("btn_help").text.contains("KVR900 manual.pdf"));
    QVERIFY(calls.isEmpty());

    QVERIFY(writeFile("KVR900 manual.pdf", QByteArray()));
    QVERIFY(!press("btn_help").shown);
    QVERIFY(!press("btn_contact").shown);
    QCOMPARE(
        calls,
        (QStringList{QUrl::fromLocalFile(QDir::current().filePath("KVR900 manual.pdf")).toString(),
                     "https://kvr.example.com/company/contact-kvr"}));

    succeed = false;
    QVERIFY(press("btn_help").text.contains("KVR900 manual.pdf"));
    QVERIFY(press("btn_contact").text.contains("kvr.example.com/company/contact-kvr"));
}

// A new language is saved, then a new instance takes over; when it cannot be
// saved, the choice goes back.
void ShellTest::languageSwitch()
{
    auto* selector = window->findChild<QComboBox*>("comboBox_language");
    selector->setCurrentIndex(0);          // already chosen: no change, no restart
    QVERIFY(QDir().mkdir("language.ini")); // cannot be written
    QVERIFY(press(selector, 2).text.contains("language.ini"));
    QVERIFY(calls.isEmpty() && window->isVisible());
    QCOMPARE(selector->currentIndex(), 0);

    QVERIFY(QDir().rmdir("language.ini"));
    QVERIFY(!press(selector, 2).shown);
    // Written in full before the new instance starts.
    QCOMPARE(calls,
             QStringList{QCoreApplication::applicationFilePath() + "||[General]\nlanguage=2\n"});
    QVERIFY(!window->isVisible());
}

void ShellTest::cataloguesTranslateEveryText_data()
{
    QTest::addColumn<QString>("language");
    for (const char* language : {"cn", "tw", "en"})
        QTest::newRow(language) << language;
}

// Each catalogue complete: no translation unfinished, and in Chinese only
// symbols and language names stay as they are.
void ShellTest::cataloguesTranslateEveryText()
{
    QFETCH(QString, language);
    QFile file(qEnvironmentVariable("TRANSLATIONS_DIR") + "/" + language + ".ts");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QRegularExpression symbol(
        R"(^(Solvane 1\.0\.2|简体中文|繁體中文|English|\d+°|Ev|Tcp|Ra|R\d+|)"
        R"([xyXYZ]|[uv]'|λd|Λd|△uv|lx|nm|CIE19(31|76))$)");
    QXmlStreamReader xml(&file);
    QString source;
    int contexts = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("context")) {
            ++contexts;
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool finished = xml.attributes().value("type").isEmpty();
            const QString text = xml.readElementText();
            QVERIFY2(finished && !text.isEmpty(), qPrintable(source));
            QCOMPARE(text.count("%1"), source.count("%1"));
            if (language != "en" && !symbol.match(source).hasMatch())
                QVERIFY2(text != source, qPrintable(source));
        }
    }
    QVERIFY(!xml.hasError());
    QCOMPARE(contexts, 7);
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
