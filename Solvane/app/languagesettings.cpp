#include "languagesettings.h"

#include "applicationfiles.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

QString languageSettingsFile()
{
    return ApplicationFiles::settingsFile(QStringLiteral("language.ini"));
}

int savedLanguageIndex()
{
    QSettings settings(languageSettingsFile(), QSettings::IniFormat);
    return settings.value("language", QVariant()).toInt();
}

bool saveLanguageIndex(int index)
{
    QSettings settings(languageSettingsFile(), QSettings::IniFormat);
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

QString qtCatalogue(int index)
{
    switch (index) {
    case 0:
        return "qtbase_zh_CN.qm";
    case 1:
        return "qtbase_zh_TW.qm";
    default:
        return QString(); // Qt's texts are English already
    }
}

QStringList qtCatalogueDirectories()
{
    return {QCoreApplication::applicationDirPath(),
            QLibraryInfo::location(QLibraryInfo::TranslationsPath)};
}

QString findCatalogue(const QString& file, const QStringList& directories)
{
    for (const QString& directory : directories) {
        const QString path = QDir(directory).filePath(file);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

QStringList installTranslators(int index, QTranslator& application, QTranslator& qt,
                               const QStringList& qtDirectories)
{
    QStringList loaded;
    // Qt asks the last installed translator first: the application's own
    // texts win over Qt's.
    const QString qtFile = qtCatalogue(index);
    if (!qtFile.isEmpty()) {
        const QString path = findCatalogue(qtFile, qtDirectories);
        if (!path.isEmpty() && qt.load(path)) {
            QCoreApplication::installTranslator(&qt);
            loaded << path;
        } else {
            qDebug() << "Qt catalogue not loaded:" << qtFile << qtDirectories;
        }
    }
    const QString catalogue = languageCatalogue(index);
    if (catalogue.isEmpty())
        return loaded;
    const QString path = ApplicationFiles::dataFile(catalogue);
    if (application.load(path)) {
        QCoreApplication::installTranslator(&application);
        loaded << path;
    }
    return loaded;
}
