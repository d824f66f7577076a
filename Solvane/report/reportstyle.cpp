#include "reportstyle.h"

#include "VXPainter.h"

#include <QDateTime>

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

void titleLine(VXPainter& page, const QString& title, const QDateTime& printed)
{
    titleFont(page);
    page.drawText(title, 0, 0, Qt::AlignHCenter);
    labelFont(page);
    page.drawText(printed.toString(QStringLiteral("yyyy-MM-dd hh:mm")), 100, 4, Qt::AlignRight);
}

} // namespace ReportStyle
