// The test report: the page painter's coordinates, the graphs, the whole page
// as PDF text, and the print flow of the window.

#include "VXGraph.h"
#include "VXPainter.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "measurementrecord.h"
#include "printinfo.h"
#include "reportfonts.h"
#include "testreport.h"
#include "textrecorder.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QXmlStreamReader>

#ifdef Q_OS_UNIX
#include "diskfaults.h"
#endif

namespace {

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

struct Word
{
    QRectF box; // points
    QString text;
};

// The words of a PDF with the boxes a PDF reader gives them.
QList<Word> pdfWords(const QString& pdf)
{
    QXmlStreamReader xml(pdfText(pdf, {"-bbox-layout"}));
    QList<Word> words;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("word"))
            continue;
        const auto at = [&xml](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toDouble();
        };
        const QRectF box(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
        words << Word{box, xml.readElementText()};
    }
    return words;
}

// Pairs of words whose boxes reach more than 1 pt into each other, leaving
// out the graphs' scale labels, which meet at the graphs' corners.
QStringList overlappingWords(const QList<Word>& words, QSizeF page)
{
    const QRectF graphs(0.42 * page.width(), 0.30 * page.height(), page.width(),
                        0.44 * page.height());
    QStringList overlaps;
    for (int i = 0; i < words.size(); ++i)
        for (int j = i + 1; j < words.size(); ++j) {
            if (graphs.contains(words[i].box.center()) || graphs.contains(words[j].box.center()))
                continue;
            const QRectF common = words[i].box.intersected(words[j].box);
            if (common.width() > 0.5 && common.height() > 1)
                overlaps << words[i].text + " / " + words[j].text;
        }
    return overlaps;
}

// A record the meter gave, for pages that need one.
QStringList meterRecord()
{
    MainWindow window;
    readMeter(&window, "1");
    return window.records().value(0);
}

// The page of `record` at screen resolution on A4, as the window prints it.
void paintReport(const QString& pdf, const QStringList& record, const QStringList& printInfo)
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QPainter painter(&printer);
    TestReport::paint(&painter, &printer, record, printInfo, QDateTime::currentDateTime());
}

} // namespace

class ReportTest : public QObject
{
    Q_OBJECT

    QPrinter printer{QPrinter::ScreenResolution};
    QImage image;
    QScopedPointer<QPainter> imagePainter;
    std::optional<WorkingDirectory> dir; // "PrintInfo" lives in the working directory
    QScopedPointer<LogRecorder> log;

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
    void initTestCase() { setUpPage(printer); }
    void init()
    {
        log.reset(new LogRecorder);
        QVERIFY(dir.emplace().isValid());
    }
    void cleanup() { log.reset(); }

    void logicalCoordinates();
    void textBoxes();
    void graphLabelsAndCross();
    void reportPageText();
    void printFlow();
    void nothingPrintableGivesWarning();
    void informationKeepsToItsRows_data();
    void informationKeepsToItsRows();
    void joinedScriptsStayShaped();
    void hugeValuesStayInsideTheGraph();
    void printToPdfAsAUserDoes();
};

void ReportTest::logicalCoordinates()
{
    QScopedPointer<VXPainter> page(painterOnImage());
    QCOMPARE(page->drawingArea(), QRectF(0, 0, 794, 1123)); // defined before any conversion
    QCOMPARE(log->lines.last(), QString("\"设置页边距成功!   左右页边距: 0, 上下页边距: 0\""));

    page->setPageSpace(5, 0);
    QCOMPARE(log->lines.last(), QString("\"设置页边距成功!   左右页边距: 39, 上下页边距: 0\""));
    page->setPageSpace(-1, 0);
    QCOMPARE(
        log->lines.last(),
        QString("\"设置页边距失败!  失败原因:左右页边距: -1, 上下页边距: 0  超出范围(0~100)!\""));

    QCOMPARE(page->transformToLogicalCoordinate(0, 0), QPointF(39, 0)); // 39.7 truncated, kept
    QCOMPARE(page->transformToLogicalCoordinate(100, 100), QPointF(39 + 716, 1123));
    QCOMPARE(page->drawingArea(), QRectF(39, 0, 716, 1123));

    // Out of range: the device origin and a message; the area stays.
    page->drawGraph(10, 10, 20, 20, new VXGraph(page.data()));
    const QRectF graphFrame = page->drawingArea();
    QCOMPARE(page->transformToLogicalCoordinate(100.5, 10), QPointF(0, 0));
    QCOMPARE(log->lines.last(), QString("\"坐标x: 100.5, 坐标y: 10  超出范围(0~100)!\""));
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
        ModalHandler handler([&](QWidget* modal) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
                QPrinter* printer = preview->printer();
                seen = printer->outputFileName();
                if (printer->outputFormat() == QPrinter::PdfFormat)
                    seen += QString(" PDF %1").arg(printer->pageLayout().pageSize().key());
                preview->reject();
            } else if (modal->inherits("PrintSettingDlg") && seen.isNull()) {
                seen = "-";
                modal->findChild<QLineEdit*>("lineEdit_company")->setText("Example Optics Ltd");
                modal->findChild<QComboBox*>("comboBox")->setCurrentIndex(output);
                if (accept)
                    modal->findChild<QPushButton*>("btn_print")->click();
                else
                    QMetaObject::invokeMethod(modal, "reject");
            }
        });
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

void ReportTest::informationKeepsToItsRows_data()
{
    QTest::addColumn<bool>("traditional");
    QTest::addColumn<QStringList>("info");
    // Characters whose glyphs Noto CJK shares with the Kangxi radicals (示 广
    // 山 日 月 金) and with the CJK radicals supplement (长 马 门 车 龙 黄 青).
    QTest::newRow("Simplified Chinese") << false
                                        << QStringList{"深圳市光明照明科技有限公司",
                                                       "广东省深圳市南山区科技园",
                                                       "电话 0755-8888 6666",
                                                       "传真：0755-8888 6667",
                                                       "质检部 qa@guangming.example.cn",
                                                       "LED 面板灯（示范样品）",
                                                       "型号 GM-600 长风 黄龙 青马",
                                                       "备注：门车日月金"};
    QTest::newRow("Traditional Chinese") << true
                                         << QStringList{"臺北市信義區光明照明股份有限公司",
                                                        "長風路一段 100 號 龜山工業區",
                                                        "電話 02-2345-6789",
                                                        "傳真 02-2345-6790",
                                                        "品保部 qa@example.com.tw",
                                                        "LED 平板燈（示範樣品）",
                                                        "型號 GM-600 黃龍 青馬",
                                                        "備註：門車日月金"};
    const QString longLatin = "Example Optics and Precision Lighting Measurement Laboratories "
                              "International Limited, Research and Development Division";
    QTest::newRow("long Latin") << false
                                << QStringList{longLatin,     longLatin,        "+1 555 0100",
                                               "+1 555 0101", "qa@example.com", longLatin,
                                               "PL-60",       longLatin};
    QTest::newRow("mixed") << false
                           << QStringList{"Example 光明 Optics 有限公司",
                                          "12 Lumen Way 南山区",
                                          "555-0100",
                                          "",
                                          "qa@example.com",
                                          "Panel 面板灯 light",
                                          "PL-60 型",
                                          "  "};
}

// Every text stays in its row: no box of a PDF reader's reaches more than
// 1 pt into another, each value sits on its label's baseline (also at a
// printer's resolution, as in the preview), and Chinese copies as typed.
void ReportTest::informationKeepsToItsRows()
{
    QFETCH(bool, traditional);
    QFETCH(QStringList, info);
    ReportFonts::install(traditional ? ReportFonts::Han::Traditional
                                     : ReportFonts::Han::Simplified);
    const QStringList record = meterRecord();
    const QString pdf = dir->filePath("report.pdf");
    paintReport(pdf, record, info);

    const QList<Word> words = pdfWords(pdf);
    QVERIFY(words.size() > 100);
    const QStringList overlaps =
        overlappingWords(words, QPageSize(QPageSize::A4).size(QPageSize::Point));
    QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join("; ")));
    const QString text = pdfText(pdf, {"-raw"}).simplified();
    for (const QString& line : info)
        QVERIFY2(text.contains(line.simplified()), qPrintable(line));

    for (int dpi : {96, 1200}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setResolution(dpi);
        TextRecorder page(printer);
        {
            QPainter painter(&page);
            TestReport::paint(&painter, &printer, record, info, QDateTime::currentDateTime());
        }
        const qreal point = dpi / 72.0;
        QList<qreal> labelBaselines;
        qreal ascent = 0, descent = 0;
        for (const RecordedText& item : page.items)
            if (QStringList{"Name", "Add", "Tel", "Fax", "E-mail", "Sample Name", "Sample Model",
                            "Remarks"}
                    .contains(item.text)) {
                labelBaselines << item.baseline.y();
                ascent = item.ascent;
                descent = item.descent;
            }
        QCOMPARE(labelBaselines.size(), 8);
        for (const RecordedText& item : page.items) {
            const qreal halfRow = 0.0075 * page.height();
            if (item.baseline.x() < 0.3 * page.width() ||
                item.baseline.y() < labelBaselines.first() - halfRow ||
                item.baseline.y() > labelBaselines.last() + halfRow)
                continue; // not a company or sample value
            qreal nearest = 1e9;
            for (qreal baseline : labelBaselines)
                if (qAbs(item.baseline.y() - baseline) < qAbs(nearest))
                    nearest = item.baseline.y() - baseline;
            QVERIFY2(qAbs(nearest) <= point, qPrintable(QString("%1 at %2 dpi: %3 pt off")
                                                            .arg(item.text)
                                                            .arg(dpi)
                                                            .arg(nearest / point)));
            // No further up or down than the label's line.
            QVERIFY2(item.ascent <= ascent + point && item.descent <= descent + point,
                     qPrintable(QString("%1 at %2 dpi: %3/%4 against %5/%6")
                                    .arg(item.text)
                                    .arg(dpi)
                                    .arg(item.ascent)
                                    .arg(item.descent)
                                    .arg(ascent)
                                    .arg(descent)));
        }
    }
    ReportFonts::install(ReportFonts::Han::Simplified);
}

// Latin letters keep their own glyphs (a ligature would lose "ti" when the PDF
// is searched), while Arabic is joined: a PDF reader finds its contextual forms.
void ReportTest::joinedScriptsStayShaped()
{
    const QString arabic = QString::fromUtf8("شركة النور للإضاءة");
    const QString pdf = dir->filePath("arabic.pdf");
    paintReport(pdf, meterRecord(),
                {arabic, "Optics Ltd", "", "", "", "Tri-stimulus fitting", "", ""});
    const QString text = pdfText(pdf);
    QVERIFY(text.contains("Tri-stimulus fitting"));
    static const QRegularExpression nameRow("Name +(\\S[^\\n]*)");
    const QString typed =
        nameRow.match(text).captured(1).remove(QChar(0x202B)).remove(QChar(0x202C));
    bool contextualForms = false;
    for (QChar c : typed)
        contextualForms = contextualForms || (c.unicode() >= 0xFE70 && c.unicode() <= 0xFEFF);
    QVERIFY2(contextualForms, qPrintable(typed));
    QCOMPARE(typed.normalized(QString::NormalizationForm_KC).simplified(), arabic);
}

// Values far beyond the scale neither draw across the page nor break the PDF.
void ReportTest::hugeValuesStayInsideTheGraph()
{
    QScopedPointer<VXPainter> page(painterOnImage());
    VXGraph graph;
    graph.setGraphType(VXGraph::LineGraph);
    graph.setAxisScale(1, 380, 780, 4);
    graph.setAxisScale(2, 0, 70000, 7);
    graph.setLineGraphData(QPolygonF(QVector<QPointF>{
        {380, 100}, {480, 1e25}, {580, -3e38}, {680, 75000}, {730, 1e6}, {780, 500}}));
    page->drawGraph(20, 40, 60, 20, &graph);
    const QRect frame = page->drawingArea().toRect();
    finishImage();
    QImage outside = image.copy();
    QPainter blank(&outside);
    blank.fillRect(frame.adjusted(-1, -1, 1, 1), Qt::white);
    blank.fillRect(QRect(0, frame.top() - 30, outside.width(), 30), Qt::white); // the title
    blank.fillRect(QRect(0, frame.bottom(), outside.width(), 30), Qt::white);   // x labels
    blank.fillRect(QRect(0, frame.top() - 10, frame.left(), frame.height() + 20), Qt::white);
    blank.end();
    QCOMPARE(inkOf(outside), QRect());
    QVERIFY(!inkOf(image.copy(frame.adjusted(2, 2, -2, -2))).isNull()); // the line itself

    QStringList record = meterRecord();
    const QStringList values{"1e25", "-1e25", "3.4e38", "1e300", "inf", "-inf", "nan", "75000"};
    for (int k = 0; k < values.size(); ++k)
        record[29 + 37 * k] = values.at(k);
    record[MeasurementRecord::entryX] = "1e30";
    record[MeasurementRecord::entryU + 1] = "-inf";
    const QString pdf = dir->filePath("huge.pdf");
    paintReport(pdf, record, QVector<QString>(PrintInfo::lineCount).toList());
    QVERIFY(pdfText(pdf).contains("SPECTRUM")); // and the reader finds no fault
}

// "Print" to PDF through the preview's own print button, as a user does: the
// report is written, or the window says where it could not be; information
// that cannot be kept for next time is printed all the same.
void ReportTest::printToPdfAsAUserDoes()
{
    MainWindow window;
    window.show();
    readMeter(&window, "2");
    const auto printPdf = [&window]() {
        QStringList messages;
        bool printing = false;
        ModalHandler handler([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                messages << box->text();
                QMetaObject::invokeMethod(box->buttons().value(0), "click", Qt::QueuedConnection);
            } else if (modal->inherits("QPrintDialog")) {
                QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection);
            } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
                if (!printing)
                    QMetaObject::invokeMethod(preview, "_q_print", Qt::QueuedConnection);
                printing = true;
            } else if (modal->inherits("PrintSettingDlg")) {
                modal->findChild<QLineEdit*>("lineEdit_company")->setText("Example Optics Ltd");
                modal->findChild<QComboBox*>("comboBox")->setCurrentIndex(0);
                QMetaObject::invokeMethod(modal->findChild<QPushButton*>("btn_print"), "click",
                                          Qt::QueuedConnection);
            }
        });
        window.findChild<QPushButton*>("btn_print")->click();
        return messages;
    };
    const QString report = QDir::current().filePath("Report");
    const QString notWritten = QString("The report could not be written to \"%1\".").arg(report);

    QCOMPARE(printPdf(), QStringList());
    QVERIFY(pdfText(report).contains("Example Optics Ltd"));

    QVERIFY(QFile::remove(report) && QDir().mkdir(report)); // a folder in its place
    QCOMPARE(printPdf(), QStringList{notWritten});
    QVERIFY(QFileInfo(report).isDir() && QDir().rmdir(report));

#ifdef Q_OS_UNIX
    // A disk that fills after a few kilobytes: no broken file is left.
    QCOMPARE(onDiskFullAfter(4096, printPdf), QStringList{notWritten});
    QVERIFY(!QFile::exists(report));
#endif

    // Information that cannot be kept is printed all the same.
    QVERIFY(QFile::remove(PrintInfo::fileName()) && QDir().mkdir(PrintInfo::fileName()));
    const QStringList unsaved = printPdf();
    QCOMPARE(unsaved.size(), 1);
    QVERIFY(unsaved.first().startsWith("The print information could not be saved"));
    QVERIFY(pdfText(report).contains("Example Optics Ltd"));
}

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
