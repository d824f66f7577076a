#pragma once

#include <QString>

class QDateTime;
class VXPainter;

// The type and headings the report's pages share, so that every page looks
// like the first.
namespace ReportStyle {

extern const QString family;

void titleFont(VXPainter& page);
void headingFont(VXPainter& page);
void labelFont(VXPainter& page);
void valueFont(VXPainter& page);
// A heading with its rule three rows further down.
void heading(VXPainter& page, const QString& text, float y);
// The page's title, centred, and the print time at the right below it.
void titleLine(VXPainter& page, const QString& title, const QDateTime& printed);

} // namespace ReportStyle
