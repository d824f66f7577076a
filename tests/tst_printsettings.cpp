// The print settings dialog: the "PrintInfo" file and the output choice.

#include "PrintSettingDlg.h"
#include "helpers/messageboxes.h"

#include <QtTest>
#include <QtWidgets>

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

QByteArray fileContents()
{
    QFile file("PrintInfo");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void clickPrint(const QDialog& dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>("btn_print"), Qt::LeftButton);
}

} // namespace

class PrintSettingsTest : public QObject
{
    Q_OBJECT

    QString startDir;
    QScopedPointer<QTemporaryDir> workDir;

private slots:
    // Each test starts in an empty directory, as a first start would.
    void init()
    {
        startDir = QDir::currentPath();
        workDir.reset(new QTemporaryDir);
        QVERIFY(QDir::setCurrent(workDir->path()));
    }
    void cleanup() { QDir::setCurrent(startDir); }

    void printSavesAndReportsTheOutput_data();
    void printSavesAndReportsTheOutput();
    void leavingWithoutPrintSavesNothing_data();
    void leavingWithoutPrintSavesNothing();
    void unwritableFileWarnsAndStaysOpen();
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
    QCOMPARE(fileContents(), texts.join('\n').toUtf8());
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

void PrintSettingsTest::unwritableFileWarnsAndStaysOpen()
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
        QCOMPARE(answerer.seen.text, QString("Fail to save the print information"));
    }
    QVERIFY(dialog.isVisible());
    QCOMPARE(pdfSpy.count(), 0);

    QVERIFY(QDir().rmdir("PrintInfo"));
    clickPrint(dialog);
    QCOMPARE(pdfSpy.count(), 1);
    QCOMPARE(fileContents(), QByteArray("Acme\n\n\n\n\n\n\n"));
}

QTEST_MAIN(PrintSettingsTest)
#include "tst_printsettings.moc"
