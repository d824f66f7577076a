#pragma once

#include <QDateTime>
#include <QStringList>

class QPainter;
class QPrinter;

// The light-quality page of a measurement record, printed after the test
// report: colour temperature and Duv, TM-30 fidelity and gamut with their
// graphics, α-opic quantities, photosynthetic photon flux and the shape of the
// spectrum, all computed from the record's texts.
namespace QualityReport {

// Paints the page with a painter already open on the printer, the current
// page being the one to paint on. Any record can be painted: what cannot be
// computed prints as "—", with a line that says why.
void paint(QPainter* painter, QPrinter* printer, const QStringList& record,
           const QDateTime& printed);

} // namespace QualityReport
