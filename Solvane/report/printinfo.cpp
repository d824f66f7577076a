#include "printinfo.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace PrintInfo {

QString fileName()
{
    return QStringLiteral("PrintInfo");
}

bool read(QStringList* lines, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
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
    QSaveFile file(fileName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << texts.join('\n');
    out.flush();
    return out.status() == QTextStream::Ok && file.commit();
}

} // namespace PrintInfo
