#include "fontsubstitutes.h"

#include "reportfonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutes(int language)
{
    const bool traditional = language == 1;
    ReportFonts::install(traditional ? ReportFonts::Han::Traditional
                                     : ReportFonts::Han::Simplified);
#ifndef Q_OS_WIN
    const QString region = traditional ? QStringLiteral("TC") : QStringLiteral("SC");
    const QStringList sans = {
        QStringLiteral("Noto Sans CJK ") + region, QStringLiteral("Source Han Sans ") + region,
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback")};
    for (const QString& family : {QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei")}) {
        QFont::removeSubstitutions(family);
        QFont::insertSubstitutions(family, sans);
    }
#endif
}
