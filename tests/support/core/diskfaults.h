#pragma once

// File-system conditions a test puts the process in while `work` runs (Unix).

#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// A disk that fills up: no file of this process grows beyond `bytes`, and the
// write fails instead of the signal ending the process.
template <typename Work> auto onDiskFullAfter(rlim_t bytes, Work work)
{
    struct rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    struct rlimit small = before;
    small.rlim_cur = bytes;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const auto result = work();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}

// A user who may rewrite `file` but not create a file beside it; as root the
// work runs as "nobody". False, with nothing run, when no such user can be had.
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
