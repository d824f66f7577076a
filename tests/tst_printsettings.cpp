// The print settings dialog: the "PrintInfo" file and the output choice.

#include "PrintSettingDlg.h"
#include "fixtures.h"
#include "printinfo.h"
#include "windowdriver.h"

#include <QLineEdit>

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
    void printInfoFileIsBounded();
    void writableFileInReadOnlyFolder();
};

void PrintSettingsTest::printOrLeave_data()
{
    QTest::addColumn<int>("output");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QVariantList>("pdfSignals");
    QTest::newRow("pdf") << 0 << "btn_print" << QVariantList{true};
    QTest::newRow("paper") << 1 << "btn_print" << QVariantList{false};
    QTest::newRow("cancel") << 0 << "btn_cancel" << QVariantList{};
}

// Print keeps the eight texts, empty and blank ones included, for the next
// dialog and says where the report goes; leaving keeps and says nothing.
void PrintSettingsTest::printOrLeave()
{
    QFETCH(int, output);
    QFETCH(QString, button);
    QFETCH(QVariantList, pdfSignals);
    const QStringList texts = {"Acme Ltd", "", "   ", "\t", "a@b.c", "微软雅黑 Ünïcode", "", " "};
    {
        PrintSettingDlg dialog;
        QSignalSpy pdfSpy(&dialog, &PrintSettingDlg::isPdf);
        for (int i = 0; i < texts.size(); ++i)
            fieldsOf(dialog)[i]->setText(texts[i]);
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
    }
    if (pdfSignals.isEmpty()) {
        QVERIFY(!QFile::exists("PrintInfo"));
        return;
    }
    QCOMPARE(fileContents("PrintInfo"), texts.join('\n').toUtf8());
    PrintSettingDlg next;
    QStringList read;
    for (const QLineEdit* edit : fieldsOf(next))
        read << edit->text();
    QCOMPARE(read, texts);
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
