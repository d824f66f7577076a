// The print settings dialog: the "PrintInfo" file, the light-quality page and
// the output choice.

#include "PrintSettingDlg.h"
#include "fixtures.h"
#include "printinfo.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>

#ifdef Q_OS_UNIX
#include "diskfaults.h"
#endif

namespace {

QList<QLineEdit*> fieldsOf(const QDialog& dialog)
{
    QList<QLineEdit*> edits;
    for (const char* name :
         {"company", "address", "tel", "fax", "email", "name", "model", "remark"})
        edits << dialog.findChild<QLineEdit*>(QString("lineEdit_") + name);
    return edits;
}

} // namespace

class PrintSettingsTest : public QObject
{
    Q_OBJECT

    std::optional<WorkingDirectory> workDir;

private slots:
    void init() { QVERIFY(workDir.emplace().isValid()); } // as on a first start

    void printOrLeave_data();
    void printOrLeave();
    void unwritableFileWarnsAndPrints();
    void unwritablePageChoicePrints();
    void printInfoFileIsBounded();
    void writableFileInReadOnlyFolder();
};

void PrintSettingsTest::printOrLeave_data()
{
    QTest::addColumn<int>("output");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QVariantList>("pdfSignals");
    QTest::addColumn<bool>("qualityPage");
    QTest::newRow("pdf") << 0 << "btn_print" << QVariantList{true} << true;
    QTest::newRow("paper") << 1 << "btn_print" << QVariantList{false} << false;
    QTest::newRow("cancel") << 0 << "btn_cancel" << QVariantList{} << true;
}

// Print keeps the eight texts, empty and blank ones included, and the page
// choice for the next dialog, and says where the report goes; leaving keeps
// and says nothing. "PrintInfo" stays eight lines: the choice has a file of
// its own.
void PrintSettingsTest::printOrLeave()
{
    QFETCH(int, output);
    QFETCH(QString, button);
    QFETCH(QVariantList, pdfSignals);
    QFETCH(bool, qualityPage);
    const QStringList texts = {"Acme Ltd", "", "   ", "\t", "a@b.c", "微软雅黑 Ünïcode", "", " "};
    const auto checkBox = [](const QDialog& dialog) {
        return dialog.findChild<QCheckBox*>("checkBox_qualityPage");
    };
    {
        PrintSettingDlg dialog;
        QVERIFY(!dialog.qualityPage() && !checkBox(dialog)->isChecked()); // on a first start
        QSignalSpy pdfSpy(&dialog, &PrintSettingDlg::isPdf);
        for (int i = 0; i < texts.size(); ++i)
            fieldsOf(dialog)[i]->setText(texts[i]);
        checkBox(dialog)->setChecked(qualityPage);
        dialog.findChild<QComboBox*>("comboBox")->setCurrentIndex(output);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(dialog.result(),
                 int(pdfSignals.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QVariantList sent;
        for (const QList<QVariant>& arguments : pdfSpy)
            sent << arguments.value(0);
        QCOMPARE(sent, pdfSignals);
        QCOMPARE(dialog.qualityPage(), qualityPage && !pdfSignals.isEmpty());
    }
    if (pdfSignals.isEmpty()) {
        QVERIFY(!QFile::exists("PrintInfo") && !QFile::exists("ReportPages.ini"));
        return;
    }
    QCOMPARE(fileContents("PrintInfo"), texts.join('\n').toUtf8());
    QCOMPARE(QSettings("ReportPages.ini", QSettings::IniFormat).value("qualityPage"),
             QVariant(qualityPage));
    PrintSettingDlg next;
    QStringList read;
    for (const QLineEdit* edit : fieldsOf(next))
        read << edit->text();
    QCOMPARE(read, texts);
    QCOMPARE(checkBox(next)->isChecked(), qualityPage);
    QCOMPARE(next.qualityPage(), qualityPage);
}

// A "PrintInfo" that cannot be written does not keep the user from printing:
// a word that it is not kept, then the print goes on with the texts.
void PrintSettingsTest::unwritableFileWarnsAndPrints()
{
    PrintSettingDlg dialog;
    QSignalSpy pdfSpy(&dialog, &PrintSettingDlg::isPdf);
    fieldsOf(dialog).first()->setText("Acme");
    QVERIFY(QDir().mkdir("PrintInfo")); // cannot be replaced, not even by root
    dialog.show();
    SeenMessage seen = press(&dialog, "btn_print");
    QCOMPARE(seen.title, QString("Error"));
    QVERIFY(seen.text.startsWith("The print information could not be saved"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(pdfSpy.count(), 1);
    QCOMPARE(dialog.unsavedTexts(), (QStringList{"Acme", "", "", "", "", "", "", ""}));
}

// A page choice that cannot be saved is printed all the same, without a word:
// it is only not offered next time.
void PrintSettingsTest::unwritablePageChoicePrints()
{
    QVERIFY(QDir().mkdir("ReportPages.ini"));
    PrintSettingDlg dialog;
    dialog.findChild<QCheckBox*>("checkBox_qualityPage")->setChecked(true);
    dialog.show();
    QVERIFY(!press(&dialog, "btn_print").shown);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.qualityPage());
    QVERIFY(!PrintSettingDlg().qualityPage());
}

// A file far larger than eight lines is refused before it is read, the texts
// left as they were; what would be refused is not written.
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
