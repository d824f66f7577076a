#include "printinfo.h"

#include "applicationfiles.h"
#include "boundedfile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace PrintInfo {

QString fileName()
{
    return ApplicationFiles::settingsFile(QStringLiteral("PrintInfo"));
}

bool read(QStringList* lines, const QString& path, QString* error)
{
    QByteArray content;
    QString reason;
    switch (BoundedFile::read(path, maxFileSize, &content, &reason)) {
    case BoundedFile::Error::None:
        break;
    case BoundedFile::Error::NotAFile:
        reason = QStringLiteral("not a regular file");
        [[fallthrough]];
    case BoundedFile::Error::CannotRead:
        if (error)
            *error = reason;
        return false;
    case BoundedFile::Error::TooLarge:
        if (error)
            *error = QStringLiteral("larger than %1 KiB").arg(maxFileSize / 1024);
        return false;
    }
    QTextStream in(content);
    lines->clear();
    for (int i = 0; i < lineCount; ++i)
        *lines << in.readLine();
    return true;
}

bool write(const QStringList& lines)
{
    QStringList texts;
    static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
    for (int i = 0; i < lineCount; ++i)
        texts << QString(lines.value(i)).replace(lineBreak, QStringLiteral(" "));
    // What read() would refuse is not written.
    QByteArray content;
    {
        QTextStream out(&content);
        out << texts.join('\n');
    }
    if (content.size() > maxFileSize)
        return false;
    // Renaming a temporary file over a device would replace the device itself.
    const QFileInfo info(fileName());
    if (info.exists() && !info.isFile())
        return false;
    QSaveFile file(fileName());
    // A folder that takes no temporary file may still hold a file the user may
    // rewrite.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    return file.write(content) == content.size() && file.commit();
}

} // namespace PrintInfo
