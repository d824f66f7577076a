// The test report: the page painter's coordinates, the graphs, the whole page
// as PDF text, and the print flow of the window.

#include "VXGraph.h"
#include "VXPainter.h"
#include "helpers/windowdriver.h"
#include "printinfo.h"
#include "testreport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

QStringList logLines;

// A page rectangle of 794 × 1123 device units (A4 at 96 dpi, rounded up).
void setUpPage(QPrinter& printer)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(72);
    printer.setPageSize(QPageSize(QSizeF(794, 1123), QPageSize::Point, "page"));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
}

// The bounding box of everything darker than mid-grey.
QRect inkOf(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

bool isInk(const QImage& image, QPointF point)
{
    return qGray(image.pixel(point.toPoint())) < 128;
}

QString pdfText(const QString& pdf)
{
    QProcess process;
    process.start("pdftotext", {"-layout", pdf, "-"});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class ReportTest : public QObject
{
    Q_OBJECT

    QPrinter printer{QPrinter::ScreenResolution};
    QImage image;
    QScopedPointer<QPainter> imagePainter;
    QScopedPointer<QTemporaryDir> dir;
    QString startDir;

    // A VXPainter that draws onto an image of the printer's page.
    VXPainter* painterOnImage()
    {
        imagePainter.reset();
        image = QImage(794, 1123, QImage::Format_RGB32);
        image.fill(Qt::white);
        imagePainter.reset(new QPainter(&image));
        return new VXPainter(imagePainter.data(), &printer);
    }
    void finishImage() { imagePainter.reset(); }

private slots:
    void initTestCase()
    {
        startDir = QDir::currentPath();
        setUpPage(printer);
        qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { logLines << text; });
    }
    void init()
    {
        logLines.clear();
        dir.reset(new QTemporaryDir);
        QVERIFY(QDir::setCurrent(dir->path())); // "PrintInfo" lives in the working directory
    }
    void cleanup() { QDir::setCurrent(startDir); }

    void logicalCoordinates();
    void textBoxes();
    void graphLabelsAndCross();
    void reportPageText();
    void printFlow();
    void nothingPrintableGivesWarning();
};

void ReportTest::logicalCoordinates()
{
    QScopedPointer<VXPainter> page(painterOnImage());
    QCOMPARE(page->drawingArea(), QRectF(0, 0, 794, 1123)); // defined before any conversion
    QCOMPARE(logLines.last(), QString("\"设置页边距成功!   左右页边距: 0, 上下页边距: 0\""));

    page->setPageSpace(5, 0);
    QCOMPARE(logLines.last(), QString("\"设置页边距成功!   左右页边距: 39, 上下页边距: 0\""));
    page->setPageSpace(-1, 0);
    QCOMPARE(
        logLines.last(),
        QString("\"设置页边距失败!  失败原因:左右页边距: -1, 上下页边距: 0  超出范围(0~100)!\""));

    QCOMPARE(page->transformToLogicalCoordinate(0, 0), QPointF(39, 0)); // 39.7 truncated, kept
    QCOMPARE(page->transformToLogicalCoordinate(100, 100), QPointF(39 + 716, 1123));
    QCOMPARE(page->drawingArea(), QRectF(39, 0, 716, 1123));

    // Out of range: the device origin and a message; the area stays.
    page->drawGraph(10, 10, 20, 20, new VXGraph(page.data()));
    const QRectF graphFrame = page->drawingArea();
    QCOMPARE(page->transformToLogicalCoordinate(100.5, 10), QPointF(0, 0));
    QCOMPARE(logLines.last(), QString("\"坐标x: 100.5, 坐标y: 10  超出范围(0~100)!\""));
    QCOMPARE(page->transformToLogicalCoordinate(-1, 0, 10, 10), QRectF(0, 0, 0, 0));
    QCOMPARE(page->drawingArea(), graphFrame);

    // A rectangle's size is free: it may reach past the margin.
    const QRectF wide = page->transformToLogicalCoordinate(90, 90, 30, 5);
    QVERIFY(qAbs(wide.right() - (39 + 1.2 * 716)) < 1e-3);
    finishImage();
}

// Left from the point, right up to the point, centred between point and margin.
void ReportTest::textBoxes()
{
    const auto ink = [this](float x, Qt::Alignment alignment) {
        QScopedPointer<VXPainter> page(painterOnImage());
        page->setPageSpace(5, 0);
        page->setFont(QFont("Carlito", 20));
        page->drawText("Wavelength", x, 50, alignment);
        finishImage();
        return inkOf(image);
    };
    QVERIFY(qAbs(ink(0, Qt::AlignLeft).left() - 39) <= 3);
    QVERIFY(qAbs(ink(0, Qt::AlignLeft).top() - 561) <= 12);
    QVERIFY(qAbs(ink(100, Qt::AlignRight).right() - 755) <= 3);
    QVERIFY(qAbs(ink(50, Qt::AlignRight).right() - 397) <= 3);
    QVERIFY(qAbs(ink(50, Qt::AlignHCenter).center().x() - 576) <= 3);
}

void ReportTest::graphLabelsAndCross()
{
    // The cross of (0.3127, 0.3290) at 39 % across and 37 % up the frame.
    QScopedPointer<VXPainter> page(painterOnImage());
    VXGraph diagram;
    diagram.setGraphType(VXGraph::CIE1931Graph);
    diagram.setAxisScale(1, 0, 0.8f, 4);
    diagram.setAxisScale(2, 0, 0.9f, 4);
    diagram.setCIE1931Result(0.3127f, 0.3290f);
    page->drawGraph(10, 10, 60, 40, &diagram);
    const QRectF frame = page->drawingArea();
    finishImage();
    // The arms start from the point truncated to whole units.
    const QPointF cross(int(frame.left() + 0.3909 * frame.width()),
                        int(frame.bottom() - 0.3656 * frame.height()));
    for (QPointF arm :
         {QPointF(0, 0), QPointF(-9, 0), QPointF(9, 0), QPointF(0, -9), QPointF(0, 9)})
        QVERIFY(isInk(image, cross + arm));
    QVERIFY(!isInk(image, cross + QPointF(14, 0)) && !isInk(image, cross + QPointF(0, 14)));

    // Labels: fixed with three decimals below 1, general from 1 up.
    QTemporaryFile pdf(dir->filePath("XXXXXX.pdf"));
    QVERIFY(pdf.open());
    QPrinter pdfPrinter(QPrinter::ScreenResolution);
    setUpPage(pdfPrinter);
    pdfPrinter.setOutputFileName(pdf.fileName());
    {
        QPainter painter(&pdfPrinter);
        VXPainter graphs(&painter, &pdfPrinter);
        VXGraph graph;
        graph.setGraphType(VXGraph::LineGraph);
        graph.setLineGraphData(QPolygonF(QVector<QPointF>{QPointF(0, 0)})); // one point: no line
        graph.setTitle("ONE");
        graph.setAxisScale(1, 0, 1.0f, 4);
        graph.setAxisScale(2, 0, 0.99f, 1);
        graphs.drawGraph(20, 10, 60, 20, &graph);
        graph.setTitle("TWO", 3);
        graph.setAxisScale(1, 380, 780, 4);
        graph.setAxisScale(2, 0, 70000, 7);
        graphs.drawGraph(20, 50, 60, 20, &graph);
    }
    const QString text = pdfText(pdf.fileName());
    const QStringList words = text.split(QRegularExpression("\\s+"));
    for (const char* label : {"ONE", "0.25", "0.5", "1", "0.990", "TWO", "380", "780", "70000"})
        QVERIFY2(words.contains(label), label);
    QVERIFY(text.contains("0.000")); // beside the x axis' "0" at the corner
    QVERIFY(!text.contains("1.000") && !text.contains("0.250") && !text.contains("0.495"));
}

// The page of a record read from the meter, painted by the window as the
// preview would ask for it.
void ReportTest::reportPageText()
{
    MainWindow window;
    readMeter(&window, "3");
    const QStringList record = window.records().at(0);
    QVERIFY(PrintInfo::write({"Example Optics Ltd", "1 Sample Street", "555-0100", "555-0101",
                              "qa@example.com", "Panel light", "PL-60", "  "}));

    QPrinter pdfPrinter(QPrinter::ScreenResolution);
    setUpPage(pdfPrinter);
    pdfPrinter.setOutputFileName(dir->filePath("report.pdf"));
    QVERIFY(QMetaObject::invokeMethod(&window, "print", Q_ARG(QPrinter*, &pdfPrinter)));
    const QString text = pdfText(dir->filePath("report.pdf"));
    const QStringList words = text.split(QRegularExpression("\\s+"));

    for (const char* fixed : {"Test Report", "Company Information", "Sample Information",
                              "Tri-stimulus", "Example Optics Ltd", "PL-60"})
        QVERIFY2(text.contains(fixed), fixed);
    for (const char* title : {"CIE1931", "CIE1976", "SPECTRUM"})
        QVERIFY2(words.contains(title), title);
    QVERIFY(text.contains(QDate::currentDate().toString("yyyy-MM-dd")));
    for (int i = 2; i <= 28; ++i)
        QVERIFY2(words.contains(record.at(i)), qPrintable(record.at(i)));
    for (int k = 0; k <= 40; ++k) {
        QVERIFY2(words.contains(QString::number(380 + 10 * k)), qPrintable(QString::number(k)));
        QVERIFY2(words.contains(record.at(29 + 10 * k)), qPrintable(record.at(29 + 10 * k)));
    }

    // Without the print information the page stays blank.
    QVERIFY(QFile::remove(PrintInfo::fileName()));
    pdfPrinter.setOutputFileName(dir->filePath("blank.pdf"));
    QVERIFY(QMetaObject::invokeMethod(&window, "print", Q_ARG(QPrinter*, &pdfPrinter)));
    QCOMPARE(pdfText(dir->filePath("blank.pdf")).trimmed(), QString());
}

// "Print": the settings dialog, then the preview on a printer set up for the
// chosen output; no preview when the dialog is left.
void ReportTest::printFlow()
{
    MainWindow window;
    window.show();
    readMeter(&window, "2");
    const auto print = [&window](int output, bool accept) {
        QString seen; // what the preview's printer writes to, "-" for no preview
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
                QPrinter* printer = preview->printer();
                seen = printer->outputFileName();
                if (printer->outputFormat() == QPrinter::PdfFormat)
                    seen += QString(" PDF %1").arg(printer->pageLayout().pageSize().key());
                preview->reject();
            } else if (modal && modal->inherits("PrintSettingDlg") && seen.isNull()) {
                seen = "-";
                modal->findChild<QLineEdit*>("lineEdit_company")->setText("Example Optics Ltd");
                modal->findChild<QComboBox*>("comboBox")->setCurrentIndex(output);
                if (accept)
                    modal->findChild<QPushButton*>("btn_print")->click();
                else
                    QMetaObject::invokeMethod(modal, "reject");
            }
        });
        poll.start(5);
        window.findChild<QPushButton*>("btn_print")->click();
        return seen;
    };

    QCOMPARE(print(0, true), QDir::current().filePath("Report") + " PDF A4");
    QStringList info;
    QVERIFY(PrintInfo::read(&info));
    QCOMPARE(info.first(), QString("Example Optics Ltd"));
    QVERIFY(!print(1, true).contains("Report")); // paper: the system's printer as it is
    QCOMPARE(print(0, false), QString("-"));
}

// Before any read-out, after one that found nothing and for an incomplete
// record: a warning, neither the settings dialog nor a preview.
void ReportTest::nothingPrintableGivesWarning()
{
    MainWindow window;
    window.show();
    const QString noRecord("No record to print. Read the meter or open a data file first.");
    const SeenMessage seen = press(&window, "btn_print");
    QCOMPARE(seen.title, QString("Error"));
    QCOMPARE(seen.text, noRecord);

    readMeter(&window, "1");
    const QStringList record = window.records().at(0);
    readMeter(&window, "0");
    QCOMPARE(press(&window, "btn_print").text, noRecord);

    window.setRecords({record.mid(0, 429)});
    QCOMPARE(press(&window, "btn_print").text,
             QString("The selected record is incomplete and cannot be printed."));
    QVERIFY(!QFile::exists(PrintInfo::fileName())); // the settings dialog never ran
}

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
