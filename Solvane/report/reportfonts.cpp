#include "reportfonts.h"

#include <QFont>
#include <QStringList>

namespace ReportFonts {

void install(Han han)
{
#ifdef Q_OS_WIN
    Q_UNUSED(han)
#else
    const bool traditional = han == Han::Traditional;
    const QString ming =
        traditional ? QStringLiteral("AR PL UMing TW") : QStringLiteral("AR PL UMing CN");
    const QString serif =
        traditional ? QStringLiteral("Noto Serif CJK TC") : QStringLiteral("Noto Serif CJK SC");
    const auto replace = [](const QString& family, const QStringList& substitutes) {
        QFont::removeSubstitutions(family);
        QFont::insertSubstitutions(family, substitutes);
    };
    replace(QStringLiteral("Calibri"),
            {QStringLiteral("Carlito"), QStringLiteral("DejaVu Sans"), ming});
    replace(QStringLiteral("宋体"), {serif, ming});
    replace(QStringLiteral("SimSun"), {serif, ming});
#endif
}

} // namespace ReportFonts
