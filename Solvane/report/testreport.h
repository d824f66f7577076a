#pragma once

#include <QDateTime>
#include <QStringList>

class QPainter;
class QPrinter;

// The one-page test report of a measurement record: company and sample
// information, the 27 results, 41 spectrum samples and three graphs.
namespace TestReport {

// Whether the record holds everything the page shows: the 27 results and the
// whole spectrum.
bool canPrint(const QStringList& record);

// Whether a PDF file was written in full: the PDF writer reports no failed
// writes (a full disk, a file it could not open), but a complete file starts
// with its header and ends with its trailer.
bool isCompletePdf(const QString& path);

// Paints the page with a painter already open on the printer. printInfo: the
// eight company and sample texts.
void paint(QPainter* painter, QPrinter* printer, const QStringList& record,
           const QStringList& printInfo, const QDateTime& printed);
// Adds the record's name and date beside "Test Result", so that the pages of
// several records printed together can be told apart.
void paintRecordName(QPainter* painter, QPrinter* printer, const QStringList& record);

} // namespace TestReport
