#include "applicationfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ApplicationFiles {

namespace {

QString& movedDataDirectory()
{
    static QString path;
    return path;
}

// A folder made when missing; the path either way, so that a failure shows
// where the file was meant to go when it is written.
QString folder(QStandardPaths::StandardLocation location)
{
    const QString path = QStandardPaths::writableLocation(location);
    QDir().mkpath(path);
    return path;
}

} // namespace

QString dataDirectory()
{
    if (!movedDataDirectory().isEmpty())
        return movedDataDirectory();
    const QDir programs(QCoreApplication::applicationDirPath());
    return QDir::cleanPath(programs.filePath(QStringLiteral(SOLVANE_DATA_FROM_BIN)));
}

void setDataDirectory(const QString& path)
{
    movedDataDirectory() = path;
}

bool usesWorkingDirectory()
{
    if (!QFileInfo(dataDirectory()).isDir())
        return true;
    static const char* const ownFiles[] = {
        "language.ini", "PrintInfo", "ReportPages.ini", "Compare.ini",
        "cn.qm",        "tw.qm",     "en.qm",           "KVR900 manual.pdf"};
    for (const char* file : ownFiles)
        if (QFileInfo::exists(QString::fromLatin1(file)))
            return true;
    return false;
}

QString settingsFile(const QString& name)
{
    if (usesWorkingDirectory())
        return name;
    return QDir(folder(QStandardPaths::AppConfigLocation)).filePath(name);
}

QString dataFile(const QString& name)
{
    if (QFileInfo::exists(name))
        return name;
    const QString installed = QDir(dataDirectory()).filePath(name);
    return QFileInfo::exists(installed) || !usesWorkingDirectory() ? installed : name;
}

QString reportFile()
{
    const QString name = QStringLiteral("Report");
    if (usesWorkingDirectory())
        return QDir::current().filePath(name);
    return QDir(folder(QStandardPaths::DocumentsLocation)).filePath(name);
}

} // namespace ApplicationFiles
