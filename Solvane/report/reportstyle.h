#pragma once

#include <QString>

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

} // namespace ReportStyle
