// Paints the test report of one record of a data file into a PDF file, the
// pages the application prints.
//   solvane-report [--row N] [--info FILE] [--quality-page] DATA.csv OUT.pdf
// --row: the record, counted from 0 (default 0); --info: the eight company and
// sample lines (default the window's "PrintInfo": in the working directory,
// or in the configuration folder of an installed Solvane; without that file
// they stay empty, but a named file must be readable); --quality-page:
// the light-quality page follows as page 2.

#include "TKIOStream.h"
#include "applicationfiles.h"
#include "printinfo.h"
#include "qualityreport.h"
#include "reportfonts.h"
#include "testreport.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <cstdio>

namespace {

constexpr int failure = 2;

int fail(const QString& message)
{
    std::fprintf(stderr, "solvane-report: %s\n", qPrintable(message));
    return failure;
}

// The page painted into memory. The report takes its geometry from a printer
// set up as the application's PDF printer is; the writer gets the same page and
// resolution, so that what it paints is the page that printer would give.
bool paintReport(const QStringList& record, const QStringList& printInfo, bool qualityPage,
                 QByteArray* pdf, QString* error)
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFormat(QPrinter::PdfFormat);

    QBuffer buffer(pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    const int resolution = printer.resolution();
    if (writer.resolution() != resolution || writer.width() != printer.width() ||
        writer.height() != printer.height() ||
        writer.pageLayout().paintRectPixels(resolution) !=
            printer.pageLayout().paintRectPixels(resolution)) {
        *error = QStringLiteral("the PDF page does not match the printer's page");
        return false;
    }

    QPainter painter;
    if (!painter.begin(&writer)) {
        *error = QStringLiteral("cannot paint the report");
        return false;
    }
    const QDateTime now = QDateTime::currentDateTime(); // one time stamp on every page
    TestReport::paint(&painter, &printer, record, printInfo, now);
    if (qualityPage) {
        if (!writer.newPage()) {
            *error = QStringLiteral("cannot start the light-quality page");
            return false;
        }
        QualityReport::paint(&painter, &printer, record, now);
    }
    if (!painter.end() || pdf->isEmpty()) {
        *error = QStringLiteral("cannot paint the report");
        return false;
    }
    return true;
}

// A short write is retried, so that the one that fails tells why (a full disk).
bool writeAll(QFileDevice& file, const QByteArray& bytes, QString* error)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            *error = file.errorString();
            return false;
        }
        done += written;
    }
    return true;
}

// A regular file (or a new one) is replaced only once the new content is
// complete. Anything else that exists (a device, a pipe) is written directly:
// a temporary file renamed over it would replace the device node itself.
bool writeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = QStringLiteral("is a directory");
        return false;
    }
    if (info.exists() && !info.isFile()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            *error = file.errorString();
            return false;
        }
        return writeAll(file, bytes, error);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    if (!writeAll(file, bytes, error))
        return false;
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    // Reads the window's "PrintInfo" where an installed Solvane keeps it.
    QApplication::setApplicationName(QString::fromLatin1(ApplicationFiles::applicationName));
    ReportFonts::install(ReportFonts::Han::Simplified);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Paints the test report of one record of a data file into a PDF file.");
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOption({"row", "The record to report, counted from 0.", "N", "0"});
    parser.addOption(
        {"info", "The eight company and sample lines.", "FILE", PrintInfo::fileName()});
    parser.addOption({"quality-page", "Adds the light-quality page after the test report."});
    parser.addPositionalArgument("DATA.csv", "A data file as the application exports it.");
    parser.addPositionalArgument("OUT.pdf", "The report to write.");
    // process() would end a usage error with exit code 1; every error here is 2.
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return fail("expected a data file and an output file; see --help");
    const QString& dataFile = files.at(0);
    const QString& outFile = files.at(1);

    bool rowIsNumber = false;
    const int row = parser.value("row").toInt(&rowIsNumber);
    TKIOStream stream;
    stream.setFileDirectory(dataFile);
    QStringList header;
    QList<QStringList> records;
    if (!stream.readSolvaneData(&header, &records))
        return fail(dataFile + ": " + stream.errorString());
    if (!rowIsNumber || row < 0 || row >= records.size())
        return fail(QString("%1: has no record %2").arg(dataFile, parser.value("row")));
    if (!TestReport::canPrint(records.at(row)))
        return fail(QString("%1: record %2 is incomplete").arg(dataFile, QString::number(row)));

    // Only the default file may be missing; one that is there, or named, must be read.
    const QString infoFile = parser.value("info");
    QStringList printInfo;
    QString error;
    if (parser.isSet("info") || QFileInfo(infoFile).exists() || QFileInfo(infoFile).isSymLink()) {
        if (!PrintInfo::read(&printInfo, infoFile, &error))
            return fail(infoFile + ": " + error);
    } else {
        printInfo = QVector<QString>(PrintInfo::lineCount).toList();
    }

    QByteArray pdf;
    if (!paintReport(records.at(row), printInfo, parser.isSet("quality-page"), &pdf, &error))
        return fail(outFile + ": " + error);
    if (!writeFile(outFile, pdf, &error))
        return fail(outFile + ": cannot be written: " + error);
    return 0;
}
