// The Compare window: the records' texts side by side, differences to the
// first computed here from the texts, the marks, the clipboard and odd records.

#include "CompareDialog.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "measurementrecord.h"
#include "recordquality.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>

#include <cmath>

namespace {

// "+12.30", "-0.0012", no sign on what rounds to zero, "—" when undetermined.
QString signedText(double value, int decimals)
{
    if (!std::isfinite(value))
        return "—";
    const QString text = QString::asprintf("%+.*f", decimals, value);
    return text.toDouble() == 0 ? text.mid(1) : text;
}

double number(const QStringList& record, int entry)
{
    return record.at(entry).toDouble();
}

} // namespace

class CompareWindowTest : public QObject
{
    Q_OBJECT

    std::optional<WorkingDirectory> dir;
    QList<QStringList> meter; // the virtual meter's first 13 records
    QScopedPointer<CompareDialog> dialog;

    QTableWidget* grid() { return dialog->findChild<QTableWidget*>("tableWidget_compare"); }
    QString label(int row) { return grid()->verticalHeaderItem(row)->text(); }
    int rowOf(const QString& name)
    {
        for (int row = 0; row < grid()->rowCount(); ++row)
            if (label(row) == name || label(row) == "▲ " + name)
                return row;
        qWarning("no row %s", qPrintable(name));
        return -1;
    }
    QString cell(const QString& row, int column)
    {
        return grid()->item(rowOf(row), column)->text();
    }
    bool marked(const QString& row) { return label(rowOf(row)).startsWith("▲"); }
    QStringList column(int k)
    {
        QStringList texts;
        for (int row = 0; row < grid()->rowCount(); ++row)
            texts << grid()->item(row, k)->text();
        return texts;
    }

private slots:
    void initTestCase()
    {
        dir.emplace();
        QVERIFY(dir->isValid());
        const LogRecorder quiet;
        MainWindow window;
        readMeter(&window, "13");
        meter = window.records();
        QCOMPARE(meter.size(), 13);
    }
    void init()
    {
        dialog.reset(new CompareDialog);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.data()));
    }
    void cleanup() { dialog.reset(); }

    // Daylight, a warm white LED and a horticultural LED: the records' own
    // texts, and differences to the first from their unrounded values.
    void showsRecordsAndDifferences()
    {
        const QList<QStringList> records = {meter.at(1), meter.at(3), meter.at(9)};
        dialog->showRecords(records);
        QCOMPARE(grid()->columnCount(), 5);
        QVERIFY(!dialog->findChild<QLabel*>("label_compareNote")->isVisible());
        QCOMPARE(grid()->horizontalHeaderItem(1)->text(),
                 records[1][0] + "\n" + QString(records[1][1]).replace('T', '\n'));
        QVERIFY(grid()->horizontalHeaderItem(4)->text().endsWith("\n" + records[2][0]));

        using namespace MeasurementRecord;
        for (int k = 0; k < 3; ++k) {
            QStringList items = column(k);
            items.removeAt(rowOf("Tcp in mired"));
            items.removeAt(rowOf("Δu'v'") - 1);
            QStringList texts = records[k].mid(firstItemEntry, itemTotal);
            for (QString& text : texts)
                text = std::isfinite(text.toDouble()) ? text : "—"; // "nan": no λd for daylight
            QCOMPARE(items.mid(0, itemTotal), texts);
        }
        QCOMPARE(grid()->rowCount(), itemTotal + 2 + 7);

        const int cct = entryOf(SlotCCT), u = entryU, v = entryU + 1;
        for (int k = 1; k < 3; ++k) {
            const QStringList &first = records[0], &other = records[k];
            const int d = 2 + k;
            QCOMPARE(cell("Ev (lx)", d), signedText(number(other, 2) - number(first, 2), 2));
            QCOMPARE(cell("Tcp (K)", d), signedText(number(other, cct) - number(first, cct), 2));
            QCOMPARE(cell("Tcp in mired", d),
                     signedText(1e6 / number(other, cct) - 1e6 / number(first, cct), 1));
            QCOMPARE(cell("Δu'v'", d), signedText(std::hypot(number(other, u) - number(first, u),
                                                             number(other, v) - number(first, v)),
                                                  4));
        }
        // The last seven rows: the light-quality measures, and differences
        // from their unrounded values, not from the texts shown.
        const auto measures = [](const QStringList& record) {
            const LightQuality q = RecordQuality::evaluate(record).quality;
            return QVector<double>{
                q.cct, q.duv, q.tm30.rf, q.tm30.rg, q.edi[AlphaMelanopic], q.der[AlphaMelanopic],
                q.ppfd};
        };
        const int decimals[] = {0, 4, 0, 0, 1, 3, 1};
        const QVector<double> first = measures(records[0]);
        for (int k = 0; k < 3; ++k) {
            const QVector<double> values = measures(records[k]);
            for (int m = 0; m < 7; ++m) {
                const int r = grid()->rowCount() - 7 + m;
                QCOMPARE(grid()->item(r, k)->text(),
                         RecordQuality::shownNumber(values[m], decimals[m]));
                if (k > 0)
                    QCOMPARE(grid()->item(r, 2 + k)->text(),
                             signedText(values[m] - first[m], decimals[m]));
            }
        }
    }

    // Marks follow the thresholds at once, also for the mired row, which is
    // judged in K; the thresholds are kept in Compare.ini.
    void marksFollowThresholds()
    {
        using namespace MeasurementRecord;
        const int cct = entryOf(SlotCCT);
        QStringList shifted = meter.at(3);
        shifted[cct] = QString::number(number(shifted, cct) + 150, 'f', 2);
        shifted[entryU] = QString::number(number(shifted, entryU) + 0.0009, 'f', 4);
        shifted[entryU + 1] = QString::number(number(shifted, entryU + 1) + 0.0012, 'f', 4);
        dialog->showRecords({meter.at(3), shifted});
        auto* cctLimit = dialog->findChild<QSpinBox*>("spinBox_cctThreshold");
        auto* uvLimit = dialog->findChild<QDoubleSpinBox*>("doubleSpinBox_chromaticityThreshold");
        QCOMPARE(cctLimit->value(), 100);
        QCOMPARE(uvLimit->value(), 0.001);

        const auto marks = [this] {
            return QList<bool>{marked("Tcp (K)"), marked("Tcp in mired"), marked("Δu'v'"),
                               marked("Nearest Planckian Tcp (K)"), marked("Ev (lx)")};
        };
        QCOMPARE(marks(), (QList<bool>{true, true, true, false, false}));
        QVERIFY(grid()->item(rowOf("Tcp (K)"), 2)->font().bold());
        cctLimit->setValue(200);
        uvLimit->setValue(0.0020);
        QCOMPARE(marks(), (QList<bool>{false, false, false, false, false}));
        QVERIFY(!grid()->item(rowOf("Tcp (K)"), 2)->font().bold());
        uvLimit->setValue(0.0014);
        QCOMPARE(marks(), (QList<bool>{false, false, true, false, false}));
        QVERIFY(dialog->tabSeparatedText().contains("\nΔu'v'\t\t\t+0.0015\tyes\n"));

        CompareDialog again;
        QCOMPARE(again.findChild<QSpinBox*>("spinBox_cctThreshold")->value(), 200);
        QCOMPARE(again.findChild<QDoubleSpinBox*>("doubleSpinBox_chromaticityThreshold")->value(),
                 0.0014);

        // A working folder where the settings cannot be written: defaults, and marks still work.
        WorkingDirectory closed;
        QVERIFY(QDir().mkdir("Compare.ini"));
        CompareDialog unsaved;
        QCOMPARE(unsaved.findChild<QSpinBox*>("spinBox_cctThreshold")->value(), 100);
        unsaved.showRecords({meter.at(3), shifted});
        unsaved.findChild<QSpinBox*>("spinBox_cctThreshold")->setValue(160);
        QVERIFY(unsaved.tabSeparatedText().contains("\t+150.00\tno\n"));
    }

    // Ctrl+C puts the whole table on the clipboard; the export has the same fields.
    void copiesTheTable()
    {
        const QList<QStringList> records = {meter.at(1), meter.at(3), meter.at(9)};
        dialog->showRecords(records);
        QGuiApplication::clipboard()->clear();
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
        const QString text = QGuiApplication::clipboard()->text();
        QCOMPARE(text, dialog->tabSeparatedText());

        const QStringList lines = text.split('\n');
        QCOMPARE(lines.size(), 2 + MeasurementRecord::itemTotal + 2 + 7 + 1);
        QVERIFY(lines.last().isEmpty());
        const QString n1 = records[0][0], n3 = records[1][0], n9 = records[2][0];
        QCOMPARE(lines[0], "Item\t" + n1 + "\t" + n3 + "\t" + n9 + "\tΔ to first " + n3 +
                               "\tΔ to first " + n9 + "\tBeyond threshold");
        QCOMPARE(lines[1],
                 "Date\t" + records[0][1] + "\t" + records[1][1] + "\t" + records[2][1] + "\t\t\t");
        const int cct = MeasurementRecord::entryOf(SlotCCT);
        QCOMPARE(lines[3],
                 "Tcp (K)\t" + records[0][cct] + "\t" + records[1][cct] + "\t" + records[2][cct] +
                     "\t" + signedText(number(records[1], cct) - number(records[0], cct), 2) +
                     "\t" + signedText(number(records[2], cct) - number(records[0], cct), 2) +
                     "\tyes");
        QList<QStringList> fields;
        for (const QString& line : lines.mid(0, lines.size() - 1)) {
            fields << line.split('\t');
            QCOMPARE(fields.last().size(), 7);
        }
        QCOMPARE(dialog->exportHeader(), fields.first());
        QCOMPARE(dialog->exportLines(), fields.mid(1));
    }

    // Short, unreadable and oddly named records give dashes and empty fields;
    // more than twelve are cut to twelve, and the note says so.
    void oddRecordsAndTheCap()
    {
        using namespace MeasurementRecord;
        const int cct = entryOf(SlotCCT);
        QStringList unreadable = meter.at(3);
        unreadable[0] = "lamp\tA,1\nB";
        unreadable[cct] = "nan";
        unreadable[entryU] = "garbage";
        unreadable[firstIntensity + 10] = "abc";
        const QStringList shortRecord = meter.at(3).mid(0, 20);
        dialog->showRecords({meter.at(1), unreadable, shortRecord, {"only a name"}, {}});
        QCOMPARE(grid()->columnCount(), 9);
        for (const char* row : {"Tcp (K)", "Tcp in mired", "u'", "Nearest Planckian Tcp (K)"}) {
            QCOMPARE(cell(row, 1), QString("—"));
            QCOMPARE(cell(row, 5), QString("—"));
        }
        QCOMPARE(cell("Δu'v'", 5), QString("—"));
        QCOMPARE(cell("R15", 2), shortRecord.last());
        QCOMPARE(cell("λd (nm)", 2), QString("—"));
        QCOMPARE(cell("Ev (lx)", 3), QString("—"));
        QCOMPARE(cell("Ev (lx)", 6),
                 signedText(number(shortRecord, 2) - number(meter.at(1), 2), 2));
        for (int k = 0; k < grid()->columnCount(); ++k)
            QVERIFY(!column(k).join(' ').contains("nan", Qt::CaseInsensitive));

        const QStringList lines = dialog->tabSeparatedText().split('\n');
        QCOMPARE(lines[0].split('\t').size(), 1 + 5 + 4 + 1);
        QVERIFY(lines[0].contains("\tlamp A,1 B\t"));
        const QStringList uLine = lines.filter(QRegularExpression("^u'\t")).value(0).split('\t');
        QCOMPARE(uLine.mid(2), QVector<QString>(9).toList());
        QVERIFY(dialog->exportHeader().contains("lamp A 1 B"));

        QList<QStringList> many = meter;
        many << meter.at(0);
        dialog->showRecords(many);
        QCOMPARE(grid()->columnCount(), 12 + 11);
        auto* note = dialog->findChild<QLabel*>("label_compareNote");
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QString("The first 12 of 14 selected records are compared."));
        dialog->showRecords({meter.at(0)});
        QVERIFY(note->text().startsWith("Select two or more records"));
        dialog->showRecords({});
        QVERIFY(!dialog->findChild<QPushButton*>("btn_compareExport")->isEnabled());
        QVERIFY(!dialog->findChild<QPushButton*>("btn_copy")->isEnabled());
    }
};

QTEST_MAIN(CompareWindowTest)
#include "tst_comparewindow.moc"
