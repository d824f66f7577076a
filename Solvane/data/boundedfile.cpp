#include "boundedfile.h"

#include <QFile>
#include <QFileInfo>

namespace BoundedFile {

Error read(const QString& path, qint64 maxBytes, QByteArray* content, QString* reason)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) // checked before opening: a pipe would block
        return Error::NotAFile;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return Error::CannotRead;
    }
    if (file.size() > maxBytes)
        return Error::TooLarge;
    *content = file.read(maxBytes + 1); // the file may have grown since
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return Error::CannotRead;
    }
    return content->size() > maxBytes ? Error::TooLarge : Error::None;
}

} // namespace BoundedFile
