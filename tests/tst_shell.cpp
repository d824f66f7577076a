// The command bar's side roads (manual, contact page, About), the language
// switch with its restart, and the three translation catalogues.

#include "AboutDialog.h"
#include "PrintSettingDlg.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "windowdriver.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

// The texts a user sees on the forms, keyed by the form's class and where they are.
QMap<QString, QString> visibleTexts(std::initializer_list<QWidget*> forms)
{
    QMap<QString, QString> texts;
    for (QWidget* root : forms) {
        const QString form = root->metaObject()->className() + QString("/");
        texts[form] = root->windowTitle();
        for (QWidget* widget : root->findChildren<QWidget*>()) {
            const QString name = form + widget->objectName();
            if (auto* label = qobject_cast<QLabel*>(widget))
                texts[name] = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                texts[name] = button->text();
            else if (auto* combo = qobject_cast<QComboBox*>(widget))
                for (int i = 0; i < combo->count(); ++i)
                    texts[name + QString::number(i)] = combo->itemText(i);
            else if (auto* table = qobject_cast<QTableWidget*>(widget))
                for (int r = 0; r < qMin(table->rowCount(), 30); ++r)
                    for (int c = 0; c < table->columnCount(); ++c)
                        if (QTableWidgetItem* item = table->item(r, c))
                            texts[QString("%1/%2,%3").arg(name).arg(r).arg(c)] = item->text();
        }
    }
    return texts;
}

// context → source → translation ("" while unfinished), from a catalogue's source.
QHash<QString, QHash<QString, QString>> catalogueEntries(const QString& language)
{
    QFile file(qEnvironmentVariable("TRANSLATIONS_DIR") + "/" + language + ".ts");
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    QHash<QString, QHash<QString, QString>> entries;
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool finished = xml.attributes().value("type").isEmpty();
            const QString text = xml.readElementText();
            entries[context][source] = finished ? text : QString();
        }
    }
    return entries;
}

} // namespace

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
// when there is no manual or nothing opens them; About.
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

    // About closes with either button.
    for (auto choice : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
        QSize size;
        QTimer::singleShot(0, [&] {
            if (auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget())) {
                size = about->size();
                about->findChild<QDialogButtonBox*>()->button(choice)->click();
            }
        });
        window->findChild<QPushButton*>("btn_about")->click(); // returns once closed
        QCOMPARE(size, QSize(422, 387));                       // the contact lines fit
    }
}

// A new language is saved, then a new instance takes over; when it cannot be
// saved, the choice goes back; when the restart fails, the user is told.
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

    succeed = false;
    QVERIFY(press(selector, 1).text.contains("restart"));
    QCOMPARE(calls.size(), 2);
}

void ShellTest::cataloguesTranslateEveryText_data()
{
    QTest::addColumn<QString>("language");
    for (const char* language : {"cn", "tw", "en"})
        QTest::newRow(language) << language;
}

// Each catalogue complete (in Chinese only symbols and language names stay as
// they are), and every form text shown with the compiled catalogue is its
// translation of the text shown without it.
void ShellTest::cataloguesTranslateEveryText()
{
    QFETCH(QString, language);
    auto entries = catalogueEntries(language);
    QCOMPARE(entries.size(), 3);
    const QRegularExpression symbol(
        R"(^(Solvane 1\.0\.2|简体中文|繁體中文|English|\d+°|Ev|Tcp|Ra|R\d+|)"
        R"([xyXYZ]|[uv]'|λd|Λd|△uv|lx|nm|CIE19(31|76))$)");
    for (const auto& context : qAsConst(entries)) {
        for (auto it = context.begin(); it != context.end(); ++it) {
            QVERIFY2(!it.value().isEmpty(), qPrintable(it.key()));
            QCOMPARE(it.value().count("%1"), it.key().count("%1"));
            if (language != "en" && !symbol.match(it.key()).hasMatch())
                QVERIFY2(it.value() != it.key(), qPrintable(it.key()));
        }
    }

    const auto showAll = [] {
        MainWindow main;
        PrintSettingDlg print;
        AboutDialog about;
        return visibleTexts({&main, &print, &about});
    };
    const auto source = showAll();
    QTranslator translator;
    QVERIFY(translator.load(qEnvironmentVariable("SOLVANE_RUN_DIR") + "/" + language + ".qm"));
    QCoreApplication::installTranslator(&translator);
    const auto translated = showAll();
    QCoreApplication::removeTranslator(&translator);
    int checked = 0;
    for (auto it = source.begin(); it != source.end(); ++it) {
        const QHash<QString, QString>& catalogue = entries[it.key().section('/', 0, 0)];
        if (catalogue.contains(it.value())) { // not table values, wavelengths, hints
            QCOMPARE(translated.value(it.key()), catalogue[it.value()]);
            ++checked;
        }
    }
    QVERIFY(checked > 80);
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
