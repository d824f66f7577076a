// The print settings dialog: its form, the "PrintInfo" file and the output choice.

#include "PrintSettingDlg.h"
#include "helpers/messageboxes.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace {

QList<QLineEdit*> fieldsOf(const QDialog& dialog)
{
    QList<QLineEdit*> edits;
    for (const char* name :
         {"lineEdit_company", "lineEdit_address", "lineEdit_tel", "lineEdit_fax", "lineEdit_email",
          "lineEdit_name", "lineEdit_model", "lineEdit_remark"})
        edits << dialog.findChild<QLineEdit*>(QLatin1String(name));
    return edits;
}

QStringList textsOf(const QDialog& dialog)
{
    QStringList texts;
    for (const QLineEdit* edit : fieldsOf(dialog))
        texts << edit->text();
    return texts;
}

void setTexts(const QDialog& dialog, const QStringList& texts)
{
    const QList<QLineEdit*> edits = fieldsOf(dialog);
    for (int i = 0; i < edits.size(); ++i)
        edits[i]->setText(texts.value(i));
}

const QStringList noTexts = {"", "", "", "", "", "", "", ""};

QByteArray fileContents()
{
    QFile file(QStringLiteral("PrintInfo"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void clickPrint(const QDialog& dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btn_print")), Qt::LeftButton);
}

} // namespace

class PrintSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void form();
    void startWithoutReadableFile_data();
    void startWithoutReadableFile();
    void printSavesAndAccepts_data();
    void printSavesAndAccepts();
    void textsRoundTrip();
    void leavingWithoutPrintSavesNothing_data();
    void leavingWithoutPrintSavesNothing();
    void unwritableFileWarnsAndStaysOpen();

private:
    QString startDir;
    std::unique_ptr<QTemporaryDir> workDir;
};

// Each test starts in an empty directory, as a first start would.
void PrintSettingsTest::init()
{
    startDir = QDir::currentPath();
    workDir = std::make_unique<QTemporaryDir>();
    QVERIFY(workDir->isValid());
    QVERIFY(QDir::setCurrent(workDir->path()));
}

void PrintSettingsTest::cleanup()
{
    QDir::setCurrent(startDir);
    workDir.reset();
}

// What the main window and the report rely on, and how the form lays out.
void PrintSettingsTest::form()
{
    PrintSettingDlg dialog;
    QCOMPARE(dialog.size(), QSize(336, 568));
    for (QLineEdit* edit : fieldsOf(dialog))
        QVERIFY(edit);
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("comboBox"));
    auto* print = dialog.findChild<QPushButton*>(QStringLiteral("btn_print"));
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("btn_cancel"));
    QVERIFY(combo && print && cancel);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentIndex(), 0);

    // The icons come from style sheets, where a wrong name fails silently.
    static const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    QStringList pictures;
    int icons = 0;
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        auto matches = url.globalMatch(widget->styleSheet());
        while (matches.hasNext()) {
            const QString picture = matches.next().captured(1);
            QVERIFY2(!QImage(picture).isNull(), qPrintable(picture));
            pictures << picture;
        }
        if (qobject_cast<const QLabel*>(widget) && widget->styleSheet().contains("image:")) {
            ++icons;
            QCOMPARE(widget->minimumSize(), QSize(40, 40));
            QCOMPARE(widget->maximumSize(), QSize(40, 40));
        }
    }
    QCOMPARE(icons, 10);
    QStringList expected;
    for (const char* name : {"company", "name", "map", "telephone", "fax", "email", "sample",
                             "sampleName", "model", "remark", "down"})
        expected << QStringLiteral(":/images/%1.png").arg(QLatin1String(name));
    pictures.removeDuplicates();
    pictures.sort();
    expected.sort();
    QCOMPARE(pictures, expected);

    // At its opening size nothing is squeezed, and the order is top to bottom.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const QLineEdit* edit : fieldsOf(dialog)) {
        QCOMPARE(edit->height(), 40);
        QVERIFY(edit->width() > 200);
        // An empty field must not look filled in by its hint.
        QVERIFY(edit->palette().color(QPalette::PlaceholderText) !=
                edit->palette().color(QPalette::Text));
    }
    QVERIFY(combo->height() >= 40 && print->height() >= 40 && cancel->height() >= 40);
    QVERIFY(fieldsOf(dialog).last()->mapTo(&dialog, QPoint(0, 40)).y() <= combo->y());
    QVERIFY(combo->geometry().bottom() < print->y());
    QCOMPARE(print->y(), cancel->y());
    QVERIFY(print->geometry().right() < cancel->x());
}

void PrintSettingsTest::startWithoutReadableFile_data()
{
    QTest::addColumn<bool>("directory");
    QTest::newRow("missing") << false;
    QTest::newRow("directory in its place") << true;
}

// The fields start empty, but look the same as with a file.
void PrintSettingsTest::startWithoutReadableFile()
{
    QFETCH(bool, directory);
    if (directory)
        QVERIFY(QDir().mkdir(QStringLiteral("PrintInfo")));
    PrintSettingDlg dialog;
    QCOMPARE(textsOf(dialog), noTexts);

    QStringList placeholders;
    for (const QLineEdit* edit : fieldsOf(dialog)) {
        placeholders << edit->placeholderText();
        QVERIFY(edit->styleSheet().contains(QLatin1String("QLineEdit:focus")));
    }
    QCOMPARE(placeholders,
             QStringList({"Company name", "Company address", "Company TEL", "Company FAX",
                          "Company E-mail", "Sample name", "Sample model", "Remark"}));
    for (const char* name : {"btn_print", "btn_cancel", "comboBox"})
        QVERIFY2(!dialog.findChild<QWidget*>(QLatin1String(name))->styleSheet().isEmpty(), name);
}

void PrintSettingsTest::printSavesAndAccepts_data()
{
    QTest::addColumn<int>("output");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("pdf");

    const QStringList texts = {"Acme Ltd", "1 Road", "123", "456", "a@b.c", "LED", "X1", "ok"};
    const QByteArray contents("Acme Ltd\n1 Road\n123\n456\na@b.c\nLED\nX1\nok");
    QTest::newRow("pdf") << 0 << texts << contents << true;
    QTest::newRow("paper") << 1 << texts << contents << false;
    // Empty texts still take their lines, so the file always has eight.
    QTest::newRow("empty fields") << 0 << noTexts << QByteArray("\n\n\n\n\n\n\n") << true;
}

void PrintSettingsTest::printSavesAndAccepts()
{
    QFETCH(int, output);
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, contents);
    QFETCH(bool, pdf);

    PrintSettingDlg dialog;
    QSignalSpy pdfSpy(&dialog, &PrintSettingDlg::isPdf);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    setTexts(dialog, texts);
    dialog.findChild<QComboBox*>(QStringLiteral("comboBox"))->setCurrentIndex(output);
    dialog.show();
    clickPrint(dialog);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(fileContents(), contents);
    QCOMPARE(pdfSpy.count(), 1);
    QCOMPARE(pdfSpy.first().value(0).toBool(), pdf);

    // Shown again, the same dialog keeps its texts and saves again.
    QCOMPARE(textsOf(dialog), texts);
    fieldsOf(dialog).last()->setText(QStringLiteral("again"));
    dialog.show();
    clickPrint(dialog);
    QCOMPARE(accepted.count(), 2);
    QCOMPARE(pdfSpy.count(), 2);
    QVERIFY(fileContents().endsWith("\nagain"));
}

void PrintSettingsTest::textsRoundTrip()
{
    const QStringList texts = {"   ",       "",   " leading and trailing ",
                               "",          "\t", QStringLiteral("微软雅黑 Ünïcode"),
                               "a,b;\"c\"", " "};
    {
        PrintSettingDlg dialog;
        setTexts(dialog, texts);
        dialog.show();
        clickPrint(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    PrintSettingDlg next;
    QCOMPARE(textsOf(next), texts);
}

void PrintSettingsTest::leavingWithoutPrintSavesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("escape") << "escape";
    QTest::newRow("close") << "close";
    QTest::newRow("cancel") << "cancel";
}

void PrintSettingsTest::leavingWithoutPrintSavesNothing()
{
    QFETCH(QString, how);
    {
        QFile file(QStringLiteral("PrintInfo"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old\n\n\n\n\n\n\n");
    }
    PrintSettingDlg dialog;
    QSignalSpy pdfSpy(&dialog, &PrintSettingDlg::isPdf);
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    QLineEdit* company = fieldsOf(dialog).first();
    company->setText(QStringLiteral("new"));
    dialog.show();
    if (how == QLatin1String("escape"))
        QTest::keyClick(company, Qt::Key_Escape);
    else if (how == QLatin1String("close"))
        dialog.close();
    else
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btn_cancel")),
                          Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(pdfSpy.count(), 0);
    QCOMPARE(fileContents(), QByteArray("old\n\n\n\n\n\n\n"));
    // The typed text stays for the next time the dialog is shown.
    QCOMPARE(company->text(), QStringLiteral("new"));
}

void PrintSettingsTest::unwritableFileWarnsAndStaysOpen()
{
    // A directory in the file's place cannot be replaced, not even by root.
    PrintSettingDlg dialog;
    QSignalSpy pdfSpy(&dialog, &PrintSettingDlg::isPdf);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    fieldsOf(dialog).first()->setText(QStringLiteral("Acme"));
    QVERIFY(QDir().mkdir(QStringLiteral("PrintInfo")));
    dialog.show();
    {
        MessageBoxAnswerer answerer;
        clickPrint(dialog);
        QVERIFY(answerer.seen.shown);
        QCOMPARE(answerer.seen.icon, QMessageBox::Warning);
        QCOMPARE(answerer.seen.title, QStringLiteral("Error"));
        QCOMPARE(answerer.seen.text, QStringLiteral("Fail to save the print information"));
        QCOMPARE(answerer.seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    }
    QVERIFY(dialog.isVisible());
    QCOMPARE(pdfSpy.count(), 0);
    QCOMPARE(accepted.count(), 0);
    QVERIFY(QFileInfo(QStringLiteral("PrintInfo")).isDir());

    // Once the way is clear, the next click saves what is still in the fields.
    QVERIFY(QDir().rmdir(QStringLiteral("PrintInfo")));
    clickPrint(dialog);
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(pdfSpy.count(), 1);
    QCOMPARE(fileContents(), QByteArray("Acme\n\n\n\n\n\n\n"));
}

QTEST_MAIN(PrintSettingsTest)
#include "tst_printsettings.moc"
