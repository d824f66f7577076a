// The test report: the page painter, the graphs, the page as PDF text, the
// light-quality page, and the window's print flow.

#include "VXGraph.h"
#include "VXPainter.h"
#include "fixtures.h"
#include "mainwindow.h"
#include "measurementrecord.h"
#include "printinfo.h"
#include "qualitygraphics.h"
#include "qualityreport.h"
#include "recordquality.h"
#include "reportfonts.h"
#include "testreport.h"
#include "textrecorder.h"
#include "windowdriver.h"

#include <QPainter>
#include <QXmlStreamReader>

#include <array>

#ifdef Q_OS_UNIX
#include "diskfaults.h"
#endif

namespace {

// The bounding box of the pixels darker than mid-grey, or of those that differ from `other`.
QRect inkOf(const QImage& image, const QImage& other = {})
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (other.isNull() ? qGray(image.pixel(x, y)) < 128
                               : image.pixel(x, y) != other.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Pairs of words of a page whose boxes, as a PDF reader gives them, reach more
// than 1 pt into each other (page 1's graph scale labels, which meet at the
// corners, aside).
QStringList overlappingWords(const QString& pdf, int page = 1)
{
    const QString number = QString::number(page);
    QXmlStreamReader xml(pdfText(pdf, {"-bbox-layout", "-f", number, "-l", number}));
    QList<QPair<QRectF, QString>> words;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("word"))
            continue;
        const auto at = [&xml](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toDouble();
        };
        const QRectF box(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
        words << qMakePair(box, xml.readElementText());
    }
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
    const QRectF graphs =
        page == 1 ? QRectF(0.42 * a4.width(), 0.3 * a4.height(), a4.width(), 0.44 * a4.height())
                  : QRectF();
    if (words.size() <= 100)
        return {"too few words"};
    QStringList overlaps;
    for (int i = 0; i < words.size(); ++i)
        for (int j = i + 1; j < words.size(); ++j) {
            const QRectF common = words[i].first.intersected(words[j].first);
            if (common.width() > 0.5 && common.height() > 1 &&
                !graphs.contains(words[i].first.center()) &&
                !graphs.contains(words[j].first.center()))
                overlaps << words[i].second + " / " + words[j].second;
        }
    return overlaps;
}

// The virtual meter's record k (0 the incandescent lamp, 3 the warm white LED,
// 9 the horticultural LED).
QStringList meterRecord(int k = 0)
{
    MainWindow window;
    readMeter(&window, QByteArray::number(k + 1));
    return window.records().value(k);
}

// The print time on a page (a record's date has seconds).
const QRegularExpression printTime("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d(?!:)");

QString withoutPrintTime(const QString& text)
{
    return QString(text).replace(printTime, "<printed>");
}

QString pageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return pdfText(pdf, {"-f", number, "-l", number, "-layout"});
}

void paintReport(const QString& pdf, const QStringList& record, const QStringList& printInfo)
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(pdf);
    QPainter painter(&printer);
    TestReport::paint(&painter, &printer, record, printInfo, QDateTime::currentDateTime());
}

void paintQualityPage(const QString& pdf, const QStringList& record)
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(pdf);
    QPainter painter(&printer);
    QualityReport::paint(&painter, &printer, record, QDateTime::currentDateTime());
}

} // namespace

// What is wrong with a record for the light-quality page.
enum class Fault
{
    None,
    UnreadableIntensity,
    NoIlluminance,
    CutShort,
    Dark,
    HugeIlluminance
};

Q_DECLARE_METATYPE(Fault)

class ReportTest : public QObject
{
    Q_OBJECT

    TextRecorder printer{QPrinter::ScreenResolution};
    std::optional<WorkingDirectory> dir; // "PrintInfo" is read from there
    QScopedPointer<LogRecorder> log;

    // What `draw` paints on an image of the page.
    template <typename Draw> QImage onImage(Draw draw)
    {
        QImage image(794, 1123, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        VXPainter page(&painter, &printer);
        draw(page);
        return image.copy();
    }

private slots:
    void initTestCase() // a page of 794 × 1123 points at 72 dpi, without margins
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(72);
        printer.setPageSize(QPageSize(QSizeF(794, 1123), QPageSize::Point, "page"));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    }
    void init()
    {
        log.reset(new LogRecorder);
        QVERIFY(dir.emplace().isValid());
    }
    void cleanup() { log.reset(); }

    void logicalCoordinatesAndTextBoxes();
    void graphLabelsAndCross();
    void printAsAUserDoes();
    void qualityPageFollowsWhenChosen();
    void severalRecordsPrintOneReportEach();
    void qualityPageSaysWhatItCannotShow_data();
    void qualityPageSaysWhatItCannotShow();
    void barsOnAnyScaleEnd();
    void informationKeepsToItsRows_data();
    void informationKeepsToItsRows();
    void hugeValuesStayInsideTheGraph();
    void oddValuesAndScriptsStayReadable();
};

void ReportTest::logicalCoordinatesAndTextBoxes()
{
    QImage image(794, 1123, QImage::Format_RGB32);
    QPainter painter(&image);
    VXPainter page(&painter, &printer);
    QCOMPARE(page.drawingArea(), QRectF(0, 0, 794, 1123)); // defined before any conversion
    QCOMPARE(log->lines.last(), QString("\"设置页边距成功!   左右页边距: 0, 上下页边距: 0\""));
    page.setPageSpace(5, 0);
    QCOMPARE(log->lines.last(), QString("\"设置页边距成功!   左右页边距: 39, 上下页边距: 0\""));
    page.setPageSpace(-1, 0);
    QCOMPARE(
        log->lines.last(),
        QString("\"设置页边距失败!  失败原因:左右页边距: -1, 上下页边距: 0  超出范围(0~100)!\""));
    QCOMPARE(page.transformToLogicalCoordinate(0, 0), QPointF(39, 0)); // 39.7 truncated, kept
    QCOMPARE(page.transformToLogicalCoordinate(100, 100), QPointF(39 + 716, 1123));
    QCOMPARE(page.drawingArea(), QRectF(39, 0, 716, 1123));

    // Out of range: the device origin and a message; the area stays.
    page.drawGraph(10, 10, 20, 20, new VXGraph(&page));
    const QRectF graphFrame = page.drawingArea();
    QCOMPARE(page.transformToLogicalCoordinate(100.5, 10), QPointF(0, 0));
    QCOMPARE(log->lines.last(), QString("\"坐标x: 100.5, 坐标y: 10  超出范围(0~100)!\""));
    QCOMPARE(page.transformToLogicalCoordinate(-1, 0, 10, 10), QRectF(0, 0, 0, 0));
    QCOMPARE(page.drawingArea(), graphFrame);

    // Text runs right from the point, left up to it, or is centred between point and margin.
    const auto ink = [this](float x, Qt::Alignment alignment) {
        return inkOf(onImage([&](VXPainter& page) {
            page.setPageSpace(5, 0);
            page.setFont(QFont("Carlito", 20));
            page.drawText("Wavelength", x, 50, alignment);
        }));
    };
    QVERIFY(qAbs(ink(0, Qt::AlignLeft).left() - 39) <= 3);
    QVERIFY(qAbs(ink(0, Qt::AlignLeft).top() - 561) <= 12);
    QVERIFY(qAbs(ink(100, Qt::AlignRight).right() - 755) <= 3);
    QVERIFY(qAbs(ink(50, Qt::AlignRight).right() - 397) <= 3);
    QVERIFY(qAbs(ink(50, Qt::AlignHCenter).center().x() - 576) <= 3);
}

void ReportTest::graphLabelsAndCross()
{
    // The cross of (0.3127, 0.3290) at 39 % across and 37 % up the frame, its
    // arms from the point truncated to whole units.
    QRectF frame;
    const QImage image = onImage([&frame](VXPainter& page) {
        VXGraph diagram;
        diagram.setGraphType(VXGraph::CIE1931Graph);
        diagram.setAxisScale(1, 0, 0.8f, 4);
        diagram.setAxisScale(2, 0, 0.9f, 4);
        diagram.setCIE1931Result(0.3127f, 0.3290f);
        page.drawGraph(10, 10, 60, 40, &diagram);
        frame = page.drawingArea();
    });
    const QPoint cross(int(frame.left() + 0.3909 * frame.width()),
                       int(frame.bottom() - 0.3656 * frame.height()));
    const auto isInk = [&image](QPoint point) { return qGray(image.pixel(point)) < 128; };
    for (QPoint arm : {QPoint(0, 0), QPoint(-9, 0), QPoint(9, 0), QPoint(0, -9), QPoint(0, 9)})
        QVERIFY(isInk(cross + arm));
    QVERIFY(!isInk(cross + QPoint(14, 0)) && !isInk(cross + QPoint(0, 14)));

    // Labels: fixed with three decimals on scales below 1, general from 1 up.
    {
        QPainter painter(&printer);
        VXPainter graphs(&painter, &printer);
        VXGraph graph;
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
    QStringList labels;
    for (const RecordedText& item : printer.items)
        labels << item.text;
    QCOMPARE(labels.join(' '), QString("ONE 0 0.25 0.5 0.75 1 0.000 0.990 TWO 380 480 580 680 780 "
                                       "0 10000 20000 30000 40000 50000 60000 70000"));
}

// "Print" as a user does: a warning while nothing is printable; the settings
// dialog, then the preview, whose print button writes the PDF or says where it
// could not; unsaved information is printed.
void ReportTest::printAsAUserDoes()
{
    MainWindow window;
    window.show();
    const QString noRecord("No record to print. Read the meter or open a data file first.");
    const SeenMessage first = press(&window, "btn_print");
    QCOMPARE(first.title + ": " + first.text, "Error: " + noRecord);
    readMeter(&window, "1");
    window.setRecords({window.records().at(0).mid(0, 429)});
    QCOMPARE(press(&window, "btn_print").text,
             QString("The selected record is incomplete and cannot be printed."));
    QVERIFY(!QFile::exists(PrintInfo::fileName())); // the settings dialog never ran

    readMeter(&window, "3");
    QString preview; // the preview's printer; "-" for no preview
    const auto print = [&window, &preview] { return printFromWindow(&window, &preview); };
    const QString report = QDir::current().filePath("Report");
    const QString notWritten = QString("The report could not be written to \"%1\".").arg(report);

    QCOMPARE(print(), QStringList());
    QCOMPARE(preview, report + " PDF A4");
    const QString text = pdfText(report);
    const QStringList words = text.split(QRegularExpression("\\s+"));
    for (const char* fixed : {"Test Report", "Company Information", "Sample Information",
                              "Tri-stimulus", "Example Optics Ltd"})
        QVERIFY2(text.contains(fixed), fixed);
    QVERIFY(text.contains(QDate::currentDate().toString("yyyy-MM-dd")));
    const QStringList& record = window.records().at(0);
    QStringList shown = record.mid(2, 27) + QStringList{"CIE1931", "CIE1976", "SPECTRUM"};
    for (int k = 0; k <= 40; ++k)
        shown << QString::number(380 + 10 * k) << record.at(29 + 10 * k);
    for (const QString& word : shown)
        QVERIFY2(words.contains(word), qPrintable(word));

    QVERIFY(QFile::remove(report) && QDir().mkdir(report)); // a folder in its place
    QCOMPARE(print(), QStringList{notWritten});
    QVERIFY(QFileInfo(report).isDir() && QDir().rmdir(report));
#ifdef Q_OS_UNIX
    // A disk that fills after a few kilobytes: no broken file is left.
    QCOMPARE(onDiskFullAfter(4096, print), QStringList{notWritten});
    QVERIFY(!QFile::exists(report));
#endif
    QVERIFY(QFile::remove(PrintInfo::fileName()) && QDir().mkdir(PrintInfo::fileName()));
    const QStringList unsaved = print();
    QVERIFY(unsaved.size() == 1 &&
            unsaved[0].startsWith("The print information could not be saved"));
    QVERIFY(pdfText(report).contains("Example Optics Ltd"));
}

// The light-quality page follows the report when the print settings ask for
// it, with the same print time: page 1 as without it, page 2 with the record's
// own measures, every one determined, and no word over another.
void ReportTest::qualityPageFollowsWhenChosen()
{
    MainWindow window;
    window.show();
    readMeter(&window, "4");
    const QStringList record = window.records().at(3); // the warm white LED
    window.setRecords({record});
    const QString report = QDir::current().filePath("Report");
    QString preview;
    QCOMPARE(printFromWindow(&window, &preview, false), QStringList());
    const QString alone = pdfText(report);
    QCOMPARE(alone.count('\f'), 1);

    QCOMPARE(printFromWindow(&window, &preview, true), QStringList());
    QCOMPARE(pdfText(report).count('\f'), 2);
    const QString first = pageText(report, 1), second = pageText(report, 2);
    QCOMPARE(withoutPrintTime(first), withoutPrintTime(alone));
    QCOMPARE(printTime.match(second).captured(), printTime.match(first).captured());

    const LightQuality q = RecordQuality::evaluate(record).quality;
    const QString shown[] = {
        "^Rf +" + QString::number(q.tm30.rf, 'f', 0) + "\\b",
        "^Rg +" + QString::number(q.tm30.rg, 'f', 0) + "\\b",
        "Melanopic EDI +" +
            QRegularExpression::escape(QString::number(q.edi[AlphaMelanopic], 'f', 1)) + " lx"};
    for (const QString& pattern : shown)
        QVERIFY2(second.contains(QRegularExpression(pattern, QRegularExpression::MultilineOption)),
                 qPrintable(pattern + " in\n" + second));
    QVERIFY(!second.contains(QChar(0x2014)));
    const QStringList overlaps = overlappingWords(report, 2);
    QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join("; ")));
}

// Selected rows print in the selection's order, one report each, or a report
// and its light-quality page each; one record that cannot print stops all.
void ReportTest::severalRecordsPrintOneReportEach()
{
    MainWindow window;
    window.show();
    readMeter(&window, "4");
    const int rows[] = {2, 0, 3};
    selectRecords(&window, {2, 0, 3});
    const QString report = QDir::current().filePath("Report");
    QString preview;
    QCOMPARE(printFromWindow(&window, &preview, false), QStringList());
    QCOMPARE(pdfText(report).count('\f'), 3);
    QStringList reports;
    for (int k = 0; k < 3; ++k) {
        reports << withoutPrintTime(pageText(report, k + 1));
        const QStringList& record = window.records().at(rows[k]);
        for (const QString& text : {record.at(0), record.at(1), record.at(3)}) // name, date, Tcp
            QVERIFY2(reports[k].contains(text),
                     qPrintable(QString("page %1: %2").arg(k + 1).arg(text)));
    }

    QCOMPARE(printFromWindow(&window, &preview, true), QStringList());
    QCOMPARE(pdfText(report).count('\f'), 6);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(withoutPrintTime(pageText(report, 2 * k + 1)), reports[k]);
        QVERIFY(pageText(report, 2 * k + 2).contains(window.records().at(rows[k]).at(0)));
    }

    // More than 20 are printed only when confirmed.
    readMeter(&window, "21");
    table(&window, "tableWidget_storedData")->selectAll();
    QString asked;
    ModalHandler refuse([&asked](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && asked.isEmpty()) {
            asked = box->text();
            QMetaObject::invokeMethod(box->button(QMessageBox::No), "click", Qt::QueuedConnection);
        }
    });
    QVERIFY(QFile::remove(report));
    window.findChild<QPushButton*>("btn_print")->click();
    QCOMPARE(asked, QString("21 records are selected. Print a report for each of them?"));
    QVERIFY(!QFile::exists(report));
    refuse.stop();

    window.setRecords({window.records().at(0), window.records().at(1).mid(0, 429)});
    selectRecords(&window, {0, 1});
    QCOMPARE(
        press(&window, "btn_print").text,
        QString("The record \"NO.001\" is incomplete and cannot be printed. Nothing was printed."));
    QVERIFY(!QFile::exists(report));
}

void ReportTest::qualityPageSaysWhatItCannotShow_data()
{
    QTest::addColumn<int>("source"); // the meter record
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("says");
    QTest::addColumn<bool>("dashed"); // Tcp and melanopic EDI undetermined
    QTest::newRow("far from white")
        << 9 << Fault::None << "The CCT is not meaningful (|Duv| > 0.05" << false;
    QTest::newRow("intensity not a number")
        << 3 << Fault::UnreadableIntensity
        << "The record's spectrum cannot be read (the intensity at 500 nm" << true;
    QTest::newRow("no illuminance")
        << 3 << Fault::NoIlluminance << "The record's illuminance cannot be read" << true;
    QTest::newRow("spectrum cut short")
        << 3 << Fault::CutShort << "The record's spectrum cannot be read in full" << true;
    QTest::newRow("dark") << 3 << Fault::Dark << "The light has no colour temperature." << true;
    QTest::newRow("huge illuminance") << 3 << Fault::HugeIlluminance << "e+307 lx" << false;
}

// What the page cannot compute prints as a dash, never as "nan", with one line
// that says why.
void ReportTest::qualityPageSaysWhatItCannotShow()
{
    QFETCH(int, source);
    QFETCH(Fault, fault);
    QFETCH(QString, says);
    QFETCH(bool, dashed);
    QStringList record = meterRecord(source);
    const int spectrum = MeasurementRecord::firstIntensity;
    switch (fault) {
    case Fault::None:
        break;
    case Fault::UnreadableIntensity:
        record[spectrum + 120] = "nan";
        break;
    case Fault::NoIlluminance:
        record[MeasurementRecord::firstItemEntry] = "";
        break;
    case Fault::CutShort:
        record = record.mid(0, 300);
        break;
    case Fault::Dark:
        for (int i = spectrum; i < record.size(); ++i)
            record[i] = "0";
        break;
    case Fault::HugeIlluminance:
        record[MeasurementRecord::firstItemEntry] = "1.7e308";
        break;
    }
    paintQualityPage(dir->filePath("quality.pdf"), record);
    const QString text = pageText(dir->filePath("quality.pdf"), 1);
    QVERIFY2(text.contains(says), qPrintable(text));
    QVERIFY(!text.contains(
        QRegularExpression("\\b(nan|inf)\\b", QRegularExpression::CaseInsensitiveOption)));
    const QString dash(QChar(0x2014));
    QCOMPARE(text.contains(QRegularExpression("Tcp +" + dash)), dashed);
    QCOMPARE(text.contains(QRegularExpression("Melanopic EDI +" + dash)), dashed);
    QVERIFY(text.contains(record.at(0)));
    const QStringList overlaps = overlappingWords(dir->filePath("quality.pdf"));
    QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join("; ")));
}

// Bar charts end on any scale, also where a step is lost in the rounding of
// the values or the scale is infinite: then only the title is drawn.
void ReportTest::barsOnAnyScaleEnd()
{
    const QVector<QualityGraphics::Bar> bars{{"a", 1e20, Qt::red, "x"}};
    const std::array<double, 3> scales[] = {{1e20, 2e20, 1}, {0, qInf(), qInf()}, {0, 1, 0}};
    for (const auto& [low, high, step] : scales) {
        QImage image(600, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(QFont("Carlito", 12));
        QualityGraphics::paintBars(&painter, image.rect(), bars, low, high, step, "Title");
        const QRect ink = inkOf(image);
        QVERIFY(!ink.isEmpty() && ink.bottom() < 30);
    }
}

void ReportTest::informationKeepsToItsRows_data()
{
    QTest::addColumn<bool>("traditional");
    QTest::addColumn<QString>("info"); // the eight texts, "|" between
    // Characters whose glyphs Noto CJK shares with the Kangxi radicals (示 广
    // 山 日 月 金) and with the CJK radicals supplement (长 马 门 车 龙 黄 青),
    // Latin beside Chinese, empty and blank texts, and one too long for its row.
    QTest::newRow("Simplified Chinese")
        << false
        << "深圳市光明照明科技有限公司|12 Lumen Way 广东省深圳市南山区科技园|电话 0755-8888 6666||"
           "质检部 qa@guangming.example.cn|LED 面板灯（示范样品）|型号 GM-600 长风 黄龙 青马|"
           "备注：门车日月金";
    QTest::newRow("Traditional Chinese")
        << true
        << "臺北市信義區光明照明股份有限公司|長風路一段 100 號 龜山工業區|電話 02-2345-6789|  |"
           "Example Optics and Precision Lighting Measurement Laboratories International "
           "Limited, Research and Development Division|LED 平板燈（示範樣品）|"
           "型號 GM-600 黃龍 青馬|備註：門車日月金";
}

// Every text stays in its row: no word's box reaches into another's, each
// value sits on its label's baseline (at a printer's resolution, as in the
// preview), no higher or lower than the label's line, and Chinese copies as typed.
void ReportTest::informationKeepsToItsRows()
{
    QFETCH(bool, traditional);
    QFETCH(QString, info);
    const QStringList lines = info.split('|');
    ReportFonts::install(traditional ? ReportFonts::Han::Traditional
                                     : ReportFonts::Han::Simplified);
    const QStringList record = meterRecord();
    paintReport(dir->filePath("report.pdf"), record, lines);
    const QStringList overlaps = overlappingWords(dir->filePath("report.pdf"));
    QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join("; ")));
    const QString text = pdfText(dir->filePath("report.pdf"), {"-raw"}).simplified();
    for (const QString& line : lines)
        QVERIFY2(text.contains(line.simplified()), qPrintable(line));

    const QStringList labels{"Name",   "Add",         "Tel",          "Fax",
                             "E-mail", "Sample Name", "Sample Model", "Remarks"};
    TextRecorder page(QPrinter::HighResolution);
    page.setPageSize(QPageSize(QPageSize::A4));
    page.setResolution(1200);
    {
        QPainter painter(&page);
        TestReport::paint(&painter, &page, record, lines, QDateTime::currentDateTime());
    }
    QList<qreal> baselines;
    RecordedText label;
    for (const RecordedText& item : page.items)
        if (labels.contains(item.text)) {
            baselines << item.baseline.y();
            label = item;
        }
    QCOMPARE(baselines.size(), 8);
    const qreal point = 1200 / 72.0, halfRow = 0.0075 * page.height();
    for (const RecordedText& item : page.items) {
        if (item.baseline.x() < 0.3 * page.width() ||
            item.baseline.y() < baselines.first() - halfRow ||
            item.baseline.y() > baselines.last() + halfRow)
            continue; // not a company or sample value
        qreal offset = 1e9;
        for (qreal baseline : baselines)
            offset = qMin(offset, qAbs(item.baseline.y() - baseline));
        QVERIFY2(offset <= point && item.ascent <= label.ascent + point &&
                     item.descent <= label.descent + point,
                 qPrintable(item.text));
    }
    ReportFonts::install(ReportFonts::Han::Simplified);
}

// Values no number can hold do not break the PDF. Latin letters keep their own
// glyphs (a ligature would lose "ti" when the PDF is searched), while Arabic is
// joined: a PDF reader finds its contextual forms.
void ReportTest::hugeValuesStayInsideTheGraph()
{
    QRect frame;
    const auto graphOf = [this, &frame](const QPolygonF& data) {
        return onImage([&](VXPainter& page) {
            VXGraph graph;
            graph.setAxisScale(1, 380, 780, 4);
            graph.setAxisScale(2, 0, 70000, 7);
            graph.setLineGraphData(data);
            page.drawGraph(20, 40, 60, 20, &graph);
            frame = page.drawingArea().toRect();
        });
    };
    const QRect line =
        inkOf(graphOf(QVector<QPointF>{
                  {380, 100}, {480, 1e25}, {580, -3e38}, {680, 75000}, {730, 1e6}, {780, 500}}),
              graphOf({}));
    QVERIFY(!line.isEmpty() && frame.adjusted(-1, -1, 1, 1).contains(line));
}

void ReportTest::oddValuesAndScriptsStayReadable()
{
    QStringList record = meterRecord();
    const QStringList values{"1e25", "-1e25", "3.4e38", "1e300", "inf", "-inf", "nan", "75000"};
    for (int k = 0; k < values.size(); ++k)
        record[29 + 37 * k] = values.at(k);
    record[MeasurementRecord::entryX] = "1e30";
    record[MeasurementRecord::entryU + 1] = "-inf";
    const QString arabic = QString::fromUtf8("شركة النور للإضاءة");
    paintReport(dir->filePath("odd.pdf"), record,
                {arabic, "Optics Ltd", "", "", "", "Tri-stimulus fitting", "", ""});
    const QString text = pdfText(dir->filePath("odd.pdf"));
    QVERIFY(text.contains("SPECTRUM") && text.contains("Tri-stimulus fitting"));
    static const QRegularExpression nameRow("Name +(\\S[^\\n]*)");
    const QString typed =
        nameRow.match(text).captured(1).remove(QChar(0x202B)).remove(QChar(0x202C));
    QVERIFY2(typed.contains(QRegularExpression("[\\x{FE70}-\\x{FEFF}]")), qPrintable(typed));
    QCOMPARE(typed.normalized(QString::NormalizationForm_KC).simplified(), arabic);
}

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
