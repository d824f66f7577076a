#include "languagesettings.h"

#include <QSettings>

static const char* const settingsFile = "language.ini";

int savedLanguageIndex()
{
    QSettings settings(settingsFile, QSettings::IniFormat);
    return settings.value("language", QVariant()).toInt();
}

bool saveLanguageIndex(int index)
{
    QSettings settings(settingsFile, QSettings::IniFormat);
    if (index >= 0 && index <= 2)
        settings.setValue("language", QString::number(index));
    settings.sync(); // the restarted instance reads it at once
    return settings.status() == QSettings::NoError;
}

QString languageCatalogue(int index)
{
    switch (index) {
    case 0:
        return "cn.qm";
    case 1:
        return "tw.qm";
    case 2:
        return "en.qm";
    default:
        return QString();
    }
}
