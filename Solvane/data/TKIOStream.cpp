#include "TKIOStream.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

TKIOStream::TKIOStream(QObject* parent) : QObject(parent) {}

void TKIOStream::setFileDirectory(QString dir)
{
    path = dir;
}

bool TKIOStream::writeSolvaneData(QStringList tag, QList<QStringList> data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qDebug() << "打开文件失败!   错误原因:" << file.errorString();
        return false;
    }
    QTextStream out(&file);
    out << tag.join(',') << '\n';
    for (const QStringList& record : qAsConst(data))
        out << record.join(',') << '\n';
    out.flush();
    // Only now does the new file take the old one's place.
    if (out.status() != QTextStream::Ok || !file.commit()) {
        qDebug() << "写入文件失败!   错误原因:" << file.errorString();
        return false;
    }
    return true;
}

bool TKIOStream::readSolvaneData(QStringList* tag, QList<QStringList>* data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "打开文件失败!  错误原因:" << file.errorString();
        return false;
    }
    QTextStream in(&file);
    const QStringList header = in.readLine().split(',');
    QList<QStringList> records;
    QString line;
    while (in.readLineInto(&line))
        records.append(line.split(','));
    if (file.error() != QFileDevice::NoError) {
        qDebug() << "读取文件失败!  错误原因:" << file.errorString();
        return false;
    }
    *tag << header;
    *data << records;
    return true;
}
