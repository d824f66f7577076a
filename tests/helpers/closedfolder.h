#pragma once

// Runs `work` as a user who may rewrite `file` but may not create a file in
// its folder. Root may do anything, so as root the work runs as "nobody".
// False, with nothing run, when no such user can be had.

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

template <typename Work> bool inClosedFolder(const QString& file, Work work)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    const bool root = geteuid() == 0;
    if (chmod(QFile::encodeName(file).constData(), 0666) != 0 ||
        chmod(folder.constData(), root ? 0755 : 0555) != 0)
        return false;
    if (root && (setegid(65534) != 0 || seteuid(65534) != 0)) {
        [[maybe_unused]] const int restored = setegid(0);
        return false;
    }
    work();
    if (root && (seteuid(0) != 0 || setegid(0) != 0))
        return false;
    return chmod(folder.constData(), 0755) == 0;
}
