#include "reportstyle.h"

#include "VXPainter.h"

namespace ReportStyle {

const QString family = QStringLiteral("Calibri");

void titleFont(VXPainter& page)
{
    page.setFont(30, QFont::Bold, family);
}

void headingFont(VXPainter& page)
{
    page.setFont(20, QFont::Bold, family);
}

void labelFont(VXPainter& page)
{
    page.setFont(13, QFont::Bold, family);
}

void valueFont(VXPainter& page)
{
    page.setFont(13, QFont::Light, family);
}

void heading(VXPainter& page, const QString& text, float y)
{
    headingFont(page);
    page.drawText(text, 0, y, Qt::AlignLeft);
    page.drawLine(0, y + 3, 100, y + 3);
}

} // namespace ReportStyle
