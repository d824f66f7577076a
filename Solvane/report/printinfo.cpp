#include "printinfo.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace PrintInfo {

QString fileName()
{
    return QStringLiteral("PrintInfo");
}

bool read(QStringList* lines, const QString& path, QString* error)
{
    const auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    // A device or a pipe could be read without end, or block the reader.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return refuse(QStringLiteral("not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return refuse(file.errorString());
    const QString tooLarge = QStringLiteral("larger than %1 KiB").arg(maxFileSize / 1024);
    if (file.size() > maxFileSize)
        return refuse(tooLarge);
    const QByteArray content = file.read(maxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(file.errorString());
    if (content.size() > maxFileSize)
        return refuse(tooLarge);
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
