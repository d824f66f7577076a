// The command bar's side roads (manual, contact page, About), the language
// switch with its restart, and the three translation catalogues.

#include "AboutDialog.h"
#include "PrintSettingDlg.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "windowdriver.h"

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

// The texts a user sees on a widget tree, keyed by where they are.
QMap<QString, QString> visibleTexts(QWidget* root)
{
    QMap<QString, QString> texts{{"title", root->windowTitle()}};
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
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
    QList<QUrl> opened;
    bool openResult = true;
    QStringList started;
    bool startResult = true;
    QByteArray iniWhenStarted;

    SeenMessage press(const char* button) { return ::press(window.data(), button); }

private slots:
    void init()
    {
        QVERIFY(dir.emplace().isValid());
        opened.clear();
        started.clear();
        openResult = startResult = true;
        window.reset(new MainWindow);
        window->setUrlOpener([this](const QUrl& url) {
            opened << url;
            return openResult;
        });
        window->setProcessStarter([this](const QString& program, const QStringList& arguments) {
            iniWhenStarted = fileContents(dir->filePath("language.ini"));
            started << program << arguments;
            return startResult;
        });
        window->show();
    }
    void cleanup() { window.reset(); }

    void helpAndContactOpenTheirUrls();
    void aboutClosesWithOkAndCancel();
    void languageChoiceIsSavedThenRestarts();
    void languageFailures();
    void cataloguesTranslateEveryText_data();
    void cataloguesTranslateEveryText();
};

// The manual from the working directory and the contact page; a message when
// there is no manual or nothing opens them.
void ShellTest::helpAndContactOpenTheirUrls()
{
    QVERIFY(press("btn_help").text.contains("KVR900 manual.pdf"));
    QVERIFY(opened.isEmpty());

    QVERIFY(writeFile("KVR900 manual.pdf", QByteArray()));
    QVERIFY(!press("btn_help").shown);
    QVERIFY(!press("btn_contact").shown);
    QCOMPARE(opened,
             (QList<QUrl>{QUrl::fromLocalFile(QDir::current().filePath("KVR900 manual.pdf")),
                          QUrl("https://kvr.example.com/company/contact-kvr")}));

    openResult = false;
    QVERIFY(press("btn_help").text.contains("KVR900 manual.pdf"));
    QVERIFY(press("btn_contact").text.contains("kvr.example.com/company/contact-kvr"));
}

void ShellTest::aboutClosesWithOkAndCancel()
{
    for (auto choice : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
        QSize size;
        QTimer::singleShot(0, [&] {
            if (auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget())) {
                size = about->size();
                about->findChild<QDialogButtonBox*>()->button(choice)->click();
            }
        });
        window->findChild<QPushButton*>("btn_about")->click(); // returns once closed
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(size, QSize(422, 387)); // the contact lines fit
    }
}

void ShellTest::languageChoiceIsSavedThenRestarts()
{
    auto* selector = window->findChild<QComboBox*>("comboBox_language");
    selector->setCurrentIndex(0); // already chosen: no change, no restart
    QVERIFY(started.isEmpty() && !QFile::exists("language.ini"));

    selector->setCurrentIndex(2);
    QCOMPARE(iniWhenStarted, QByteArray("[General]\nlanguage=2\n")); // flushed before the start
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
    QVERIFY(started.isEmpty() && window->isVisible());
    QCOMPARE(selector->currentIndex(), 0);

    QVERIFY(QDir().rmdir("language.ini"));
    startResult = false;
    MessageBoxAnswerer answerer;
    selector->setCurrentIndex(1);
    QCOMPARE(started.size(), 1);
    QVERIFY(answerer.seen.text.contains("restart"));
}

void ShellTest::cataloguesTranslateEveryText_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("cn") << "cn";
    QTest::newRow("tw") << "tw";
    QTest::newRow("en") << "en";
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
        return QList<QMap<QString, QString>>{visibleTexts(&main), visibleTexts(&print),
                                             visibleTexts(&about)};
    };
    const auto source = showAll();
    QTranslator translator;
    QVERIFY(translator.load(qEnvironmentVariable("SOLVANE_RUN_DIR") + "/" + language + ".qm"));
    QCoreApplication::installTranslator(&translator);
    const auto translated = showAll();
    QCoreApplication::removeTranslator(&translator);

    const QStringList contexts{"MainWindow", "PrintSettingDlg", "AboutDialog"};
    int checked = 0;
    for (int form = 0; form < source.size(); ++form) {
        const QHash<QString, QString>& catalogue = entries[contexts[form]];
        for (auto it = source[form].begin(); it != source[form].end(); ++it) {
            if (catalogue.contains(it.value())) { // not table values, wavelengths, hints
                QCOMPARE(translated[form].value(it.key()), catalogue[it.value()]);
                ++checked;
            }
        }
    }
    QVERIFY(checked > 80);
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
