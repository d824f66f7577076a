// The print settings dialog: the "PrintInfo" file and the output choice.

#include "PrintSettingDlg.h"
#include "fixtures.h"
#include "printinfo.h"
#include "windowdriver.h"

#include <QtTest>
#include <QtWidgets>

#ifdef Q_OS_UNIX
#include "diskfaults.h"
#endif

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

void clickPrint(const QDialog& dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>("btn_print"), Qt::LeftButton);
}

} // namespace

class PrintSettingsTest : public QObject
{
    Q_OBJECT

    std::optional<WorkingDirectory> workDir;

private slots:
    // Each test starts in an empty directory, as a first start would.
    void init() { QVERIFY(workDir.emplace().isValid()); }

    void printSavesAndReportsTheOutput_data();
    void printSavesAndReportsTheOutput();
    void leavingWithoutPrintSavesNothing_data();
    void leavingWithoutPrintSavesNothing();
    void unwritableFileWarnsAndPrints();
    void printInfoFileIsBounded();
    void writableFileInReadOnlyFolder();
};

void PrintSettingsTest::printSavesAndReportsTheOutput_data()
{
    QTest::addColumn<int>("output");
    QTest::addColumn<bool>("pdf");
    QTest::newRow("pdf") << 0 << true;
    QTest::newRow("paper") << 1 << false;
}

// Eight lines, empty and blank texts included, read back by the next dialog.
void PrintSettingsTest::printSavesAndReportsTheOutput()
{
    QFETCH(int, output);
    QFETCH(bool, pdf);
    const QStringList texts = {"Acme Ltd", "", "   ", "\t", "a@b.c", "微软雅黑 Ünïcode", "", " "};
    {
        PrintSettingDlg dialog;
        QCOMPARE(fieldsOf(dialog).first()->text(), QString()); // no file yet
        QCOMPARE(fieldsOf(dialog).first()->placeholderText(), QString("Company name"));
        QSignalSpy pdfSpy(&dialog, &PrintSettingDlg::isPdf);
        for (int i = 0; i < texts.size(); ++i)
            fieldsOf(dialog)[i]->setText(texts[i]);
        dialog.findChild<QComboBox*>("comboBox")->setCurrentIndex(output);
        dialog.show();
        clickPrint(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(pdfSpy.count(), 1);
        QCOMPARE(pdfSpy.first().value(0).toBool(), pdf);
    }
    QCOMPARE(fileContents("PrintInfo"), texts.join('\n').toUtf8());
    PrintSettingDlg next;
    QStringList read;
    for (const QLineEdit* edit : fieldsOf(next))
        read << edit->text();
    QCOMPARE(read, texts);
}

void PrintSettingsTest::leavingWithoutPrintSavesNothing_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("escape") << true;
    QTest::newRow("cancel") << false;
}

void PrintSettingsTest::leavingWithoutPrintSavesNothing()
{
    QFETCH(bool, escape);
    PrintSettingDlg dialog;
    QSignalSpy pdfSpy(&dialog, &PrintSettingDlg::isPdf);
    QLineEdit* company = fieldsOf(dialog).first();
    company->setText("new");
    dialog.show();
    if (escape)
        QTest::keyClick(company, Qt::Key_Escape);
    else
        QTest::mouseClick(dialog.findChild<QPushButton*>("btn_cancel"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(pdfSpy.count(), 0);
    QVERIFY(!QFile::exists("PrintInfo"));
}

// A "PrintInfo" that cannot be written does not keep the user from
// printing: a word that it is not kept, then the print goes on with the texts.
void PrintSettingsTest::unwritableFileWarnsAndPrints()
{
    PrintSettingDlg dialog;
    QSignalSpy pdfSpy(&dialog, &PrintSettingDlg::isPdf);
    fieldsOf(dialog).first()->setText("Acme");
    QVERIFY(QDir().mkdir("PrintInfo")); // cannot be replaced, not even by root
    dialog.show();
    {
        MessageBoxAnswerer answerer;
        clickPrint(dialog);
        QCOMPARE(answerer.seen.title, QString("Error"));
        QVERIFY(answerer.seen.text.startsWith("The print information could not be saved"));
    }
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(pdfSpy.count(), 1);
    QCOMPARE(dialog.unsavedTexts(), (QStringList{"Acme", "", "", "", "", "", "", ""}));

    QVERIFY(QDir().rmdir("PrintInfo"));
    dialog.show();
    clickPrint(dialog);
    QCOMPARE(pdfSpy.count(), 2);
    QCOMPARE(dialog.unsavedTexts(), QStringList());
    QCOMPARE(fileContents("PrintInfo"), QByteArray("Acme\n\n\n\n\n\n\n"));
}

// Eight short lines: a file far larger, or one that is no file, is refused
// before it is read; what would be refused is not written either.
void PrintSettingsTest::printInfoFileIsBounded()
{
    QStringList lines;
    QString error;
    QVERIFY(writeFile("PrintInfo", "Acme\n" + QByteArray(PrintInfo::maxFileSize - 5, 'x')));
    QVERIFY(PrintInfo::read(&lines, "PrintInfo", &error));
    QCOMPARE(lines.size(), PrintInfo::lineCount);
    QCOMPARE(lines.first(), QString("Acme"));

    QVERIFY(writeFile("PrintInfo", "Acme\n" + QByteArray(PrintInfo::maxFileSize - 4, 'x')));
    lines = QStringList{"kept"};
    QVERIFY(!PrintInfo::read(&lines, "PrintInfo", &error));
    QCOMPARE(error, QString("larger than 64 KiB"));
    QCOMPARE(lines, QStringList{"kept"});
    QVERIFY(QDir().mkdir("folder"));
    QVERIFY(!PrintInfo::read(&lines, "folder", &error));
    QCOMPARE(error, QString("not a regular file"));
    QVERIFY(!PrintInfo::read(&lines, "/dev/zero", &error));
    QCOMPARE(error, QString("not a regular file"));
    QVERIFY(!PrintInfo::read(&lines, "missing", &error));
    QCOMPARE(error, QString("No such file or directory"));

    QVERIFY(writeFile("PrintInfo", "old\n"));
    // 2 bytes a character in UTF-8: twice the limit.
    const QString longText(PrintInfo::maxFileSize / 8, QChar(0x00e9));
    QVERIFY(!PrintInfo::write(QVector<QString>(PrintInfo::lineCount, longText).toList()));
    QCOMPARE(fileContents("PrintInfo"), QByteArray("old\n"));
}

// Where no temporary file can be made beside it, a file the user may write is
// rewritten in place.
void PrintSettingsTest::writableFileInReadOnlyFolder()
{
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX users and permissions");
#else
    QVERIFY(writeFile("PrintInfo", "old\n"));
    bool written = false, canCreateHere = true;
    if (!inClosedFolder(PrintInfo::fileName(), [&] {
            written = PrintInfo::write({"Acme", "", "", "", "", "Panel light"});
            canCreateHere = QFile("probe").open(QIODevice::WriteOnly);
        }))
        QSKIP("cannot act as user nobody");
    QVERIFY(!canCreateHere); // the folder really was closed
    QVERIFY(written);
    QCOMPARE(fileContents("PrintInfo"), QByteArray("Acme\n\n\n\n\nPanel light\n\n"));
#endif
}

QTEST_MAIN(PrintSettingsTest)
#include "tst_printsettings.moc"
