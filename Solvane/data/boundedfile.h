#pragma once

#include <QByteArray>
#include <QString>

// Small text files read whole (a spectrum, the print information), refused
// unread when they cannot be what they claim: a device or a pipe could feed
// the reader without end, and a file far beyond the format's size is not one.
namespace BoundedFile {

enum class Error
{
    None,
    NotAFile,   // a folder, a device, a pipe
    CannotRead, // missing, unreadable, or a read error; *reason says which
    TooLarge    // more than maxBytes
};

Error read(const QString& path, qint64 maxBytes, QByteArray* content, QString* reason);

} // namespace BoundedFile
