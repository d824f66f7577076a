// Paints the test report of one record of a data file into a PDF file, the
// page the application prints.
//   solvane-report [--row N] [--info FILE] DATA.csv OUT.pdf
// --row: the record, counted from 0 (default 0); --info: the eight company and
// sample lines (default "PrintInfo" in the working directory; without it they
// stay empty).

#include "TKIOStream.h"
#include "printinfo.h"
#include "testreport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <QPrinter>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "solvane-report: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Paints the test report of one record of a data file into a PDF file.");
    parser.addHelpOption();
    parser.addOption({"row", "The record to report, counted from 0.", "N", "0"});
    parser.addOption(
        {"info", "The eight company and sample lines.", "FILE", PrintInfo::fileName()});
    parser.addPositionalArgument("DATA.csv", "A data file as the application exports it.");
    parser.addPositionalArgument("OUT.pdf", "The report to write.");
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return fail("expected a data file and an output file; see --help");

    bool rowIsNumber = false;
    const int row = parser.value("row").toInt(&rowIsNumber);
    TKIOStream stream;
    stream.setFileDirectory(files.at(0));
    QStringList header;
    QList<QStringList> records;
    if (!stream.readSolvaneData(&header, &records))
        return fail(files.at(0) + ": cannot be read");
    if (!rowIsNumber || row < 0 || row >= records.size())
        return fail(QString("%1: has no record %2").arg(files.at(0), parser.value("row")));
    if (!TestReport::canPrint(records.at(row)))
        return fail(QString("%1: record %2 is incomplete").arg(files.at(0)).arg(row));
    QStringList printInfo;
    if (!PrintInfo::read(&printInfo, parser.value("info")))
        printInfo = QVector<QString>(PrintInfo::lineCount).toList();

    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(files.at(1));
    QPainter painter;
    if (!painter.begin(&printer))
        return fail(files.at(1) + ": cannot be written");
    TestReport::paint(&painter, &printer, records.at(row), printInfo, QDateTime::currentDateTime());
    return painter.end() ? 0 : fail(files.at(1) + ": cannot be written");
}
