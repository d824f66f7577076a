// The command bar's side roads (manual, contact page, About), the language
// switch with its restart, and the three translation catalogues.

#include "AboutDialog.h"
#include "PrintSettingDlg.h"
#include "helpers/messageboxes.h"
#include "mainwindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// Every text a user can see on a widget tree, with where it was found.
QMap<QString, QString> visibleTexts(QWidget* root)
{
    QMap<QString, QString> texts;
    const auto add = [&texts](const QString& where, const QString& text) {
        if (!text.isEmpty())
            texts.insert(where, text);
    };
    add("title", root->windowTitle());
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (auto* label = qobject_cast<QLabel*>(widget))
            add(name, label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            add(name, button->text());
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                add(name + "/" + QString::number(i), combo->itemText(i));
        else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
            for (int c = 0; c < table->columnCount(); ++c)
                if (table->horizontalHeaderItem(c))
                    add(name + "/h" + QString::number(c), table->horizontalHeaderItem(c)->text());
            for (int r = 0; r < table->rowCount() && r < 30; ++r)
                for (int c = 0; c < table->columnCount(); ++c)
                    if (table->item(r, c))
                        add(QString("%1/%2,%3").arg(name).arg(r).arg(c), table->item(r, c)->text());
        }
    }
    return texts;
}

// context → source → translation, from a catalogue's source file.
QHash<QString, QHash<QString, QString>> catalogueEntries(const QString& path, int* unfinished)
{
    QHash<QString, QHash<QString, QString>> entries;
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    QString context, source;
    *unfinished = 0;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            const bool finished = xml.attributes().value("type").isEmpty();
            const QString translation = xml.readElementText();
            if (!finished || translation.isEmpty())
                ++*unfinished;
            entries[context][source] = translation;
        } else if (xml.name() != QLatin1String("TS") && xml.name() != QLatin1String("context") &&
                   xml.name() != QLatin1String("message")) {
            xml.skipCurrentElement();
        }
    }
    return entries;
}

} // namespace

class ShellTest : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> dir;
    QString startDir;
    QScopedPointer<MainWindow> window;
    QList<QUrl> opened;
    bool openResult = true;
    QStringList started;
    bool startResult = true;
    QByteArray iniWhenStarted;

    SeenMessage press(const char* button)
    {
        MessageBoxAnswerer answerer;
        window->findChild<QPushButton*>(button)->click();
        return answerer.seen;
    }

    QByteArray languageFile()
    {
        QFile ini(dir->filePath("language.ini"));
        return ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
    }

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void init()
    {
        dir.reset(new QTemporaryDir);
        QVERIFY(QDir::setCurrent(dir->path()));
        opened.clear();
        started.clear();
        openResult = startResult = true;
        window.reset(new MainWindow);
        window->setUrlOpener([this](const QUrl& url) {
            opened << url;
            return openResult;
        });
        window->setProcessStarter([this](const QString& program, const QStringList& arguments) {
            iniWhenStarted = languageFile();
            started << program << arguments;
            return startResult;
        });
        window->show();
    }
    void cleanup()
    {
        window.reset();
        QDir::setCurrent(startDir);
    }

    void helpOpensTheManualInTheWorkingDirectory();
    void contactOpensTheContactPage();
    void aboutClosesWithOkAndCancel();
    void languageChoiceIsSavedThenRestarts_data();
    void languageChoiceIsSavedThenRestarts();
    void languageFailures();
    void cataloguesAreComplete_data();
    void cataloguesAreComplete();
    void cataloguesTranslateEveryText_data();
    void cataloguesTranslateEveryText();
};

void ShellTest::helpOpensTheManualInTheWorkingDirectory()
{
    SeenMessage seen = press("btn_help");
    QVERIFY(opened.isEmpty());
    QCOMPARE(seen.title, QString("Error"));
    QVERIFY(seen.text.contains("KVR900 manual.pdf"));

    QFile manual(dir->filePath("KVR900 manual.pdf"));
    QVERIFY(manual.open(QIODevice::WriteOnly));
    manual.close();
    seen = press("btn_help");
    QVERIFY(!seen.shown);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().scheme(), QString("file"));
    QCOMPARE(opened.first().toLocalFile(), QDir::current().filePath("KVR900 manual.pdf"));

    openResult = false; // no PDF viewer
    seen = press("btn_help");
    QVERIFY(seen.text.contains("KVR900 manual.pdf"));
}

void ShellTest::contactOpensTheContactPage()
{
    QVERIFY(!press("btn_contact").shown);
    QCOMPARE(opened, QList<QUrl>{QUrl("https://kvr.example.com/company/contact-kvr")});
    openResult = false;
    QVERIFY(press("btn_contact").text.contains("kvr.example.com/company/contact-kvr"));
}

void ShellTest::aboutClosesWithOkAndCancel()
{
    for (QDialogButtonBox::StandardButton choice :
         {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
        QString contact;
        QSize size;
        QTimer::singleShot(0, [&] {
            auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
            if (!about)
                return;
            size = about->size();
            for (const char* label : {"label_5", "label_6", "label_7", "label_8", "label_9"})
                contact += about->findChild<QLabel*>(label)->text() + "\n";
            about->findChild<QDialogButtonBox*>("buttonBox")->button(choice)->click();
        });
        window->findChild<QPushButton*>("btn_about")->click(); // returns once closed
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(size, QSize(422, 387)); // the contact lines fit
        QVERIFY(contact.startsWith("Add: "));
        QVERIFY(contact.contains("Tel: +1 555 ") &&
                contact.contains("E-mail: sales@kvr.example.com"));
        QVERIFY(contact.contains("URL: kvr.example.com/company/contact-kvr"));
    }
}

void ShellTest::languageChoiceIsSavedThenRestarts_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("繁體中文") << 1;
    QTest::newRow("English") << 2;
}

void ShellTest::languageChoiceIsSavedThenRestarts()
{
    QFETCH(int, index);
    auto* selector = window->findChild<QComboBox*>("comboBox_language");
    selector->setCurrentIndex(0); // already chosen: no change, no restart
    QVERIFY(started.isEmpty());
    QVERIFY(!QFile::exists("language.ini"));

    selector->setCurrentIndex(index);
    const QByteArray expected = "[General]\nlanguage=" + QByteArray::number(index) + "\n";
    QCOMPARE(iniWhenStarted, expected); // written before the new instance starts
    QCOMPARE(started, (QStringList{QCoreApplication::applicationFilePath()}));
    QVERIFY(!window->isVisible());
}

void ShellTest::languageFailures()
{
    auto* selector = window->findChild<QComboBox*>("comboBox_language");
    QVERIFY(QDir().mkdir("language.ini")); // cannot be written
    {
        MessageBoxAnswerer answerer;
        selector->setCurrentIndex(2);
        QVERIFY(answerer.seen.text.contains("language.ini"));
    }
    QVERIFY(started.isEmpty());
    QCOMPARE(selector->currentIndex(), 0);
    QVERIFY(window->isVisible());

    QVERIFY(QDir().rmdir("language.ini"));
    startResult = false;
    MessageBoxAnswerer answerer;
    selector->setCurrentIndex(1);
    QCOMPARE(started.size(), 1);
    QVERIFY(answerer.seen.text.contains("restart"));
}

void ShellTest::cataloguesAreComplete_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("cn") << "cn";
    QTest::newRow("tw") << "tw";
    QTest::newRow("en") << "en";
}

// Every text translated; in Chinese only symbols and language names stay as
// they are; placeholders survive.
void ShellTest::cataloguesAreComplete()
{
    QFETCH(QString, language);
    int unfinished = 0;
    const auto entries = catalogueEntries(
        qEnvironmentVariable("TRANSLATIONS_DIR") + "/" + language + ".ts", &unfinished);
    QCOMPARE(unfinished, 0);
    QCOMPARE(QStringList(entries.keys()).size(), 3);
    const QRegularExpression symbol(
        R"(^(Solvane 1\.0\.2|简体中文|繁體中文|English|\d+°|Ev|Tcp|Ra|R\d+|[xyXYZ]|[uv]'|λd|Λd|△uv|lx|nm|CIE19(31|76))$)");
    for (auto context = entries.begin(); context != entries.end(); ++context) {
        for (auto it = context->begin(); it != context->end(); ++it) {
            const QString where = context.key() + ": " + it.key();
            QCOMPARE(it.value().count("%1"), it.key().count("%1"));
            if (language != "en" && !symbol.match(it.key()).hasMatch())
                QVERIFY2(it.value() != it.key(), qPrintable(where));
        }
    }
}

void ShellTest::cataloguesTranslateEveryText_data()
{
    cataloguesAreComplete_data();
}

// The window and both dialogs with the compiled catalogue: each text the
// catalogue's translation of the text shown without it.
void ShellTest::cataloguesTranslateEveryText()
{
    QFETCH(QString, language);
    int unfinished = 0;
    const auto entries = catalogueEntries(
        qEnvironmentVariable("TRANSLATIONS_DIR") + "/" + language + ".ts", &unfinished);

    const auto showAll = [] {
        QList<QPair<QString, QMap<QString, QString>>> all;
        MainWindow main;
        PrintSettingDlg print;
        AboutDialog about;
        all << qMakePair(QString("MainWindow"), visibleTexts(&main))
            << qMakePair(QString("PrintSettingDlg"), visibleTexts(&print))
            << qMakePair(QString("AboutDialog"), visibleTexts(&about));
        return all;
    };
    const auto source = showAll();
    QTranslator translator;
    QVERIFY(translator.load(qEnvironmentVariable("SOLVANE_RUN_DIR") + "/" + language + ".qm"));
    QCoreApplication::installTranslator(&translator);
    const auto translated = showAll();
    QCoreApplication::removeTranslator(&translator);

    int checked = 0;
    for (int form = 0; form < source.size(); ++form) {
        const QString context = source[form].first;
        for (auto it = source[form].second.begin(); it != source[form].second.end(); ++it) {
            if (!entries[context].contains(it.value()))
                continue; // not a form text: table values, wavelengths, placeholders
            QCOMPARE(translated[form].second.value(it.key()), entries[context][it.value()]);
            ++checked;
        }
    }
    QVERIFY(checked > 80);
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
