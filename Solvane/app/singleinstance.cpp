#include "singleinstance.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QMessageBox>
#include <QSharedMemory>
#include <QSystemSemaphore>
#include <QThread>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {
// The user's identity: the user id on Unix, the user name on Windows.
QString userIdentity()
{
#ifdef Q_OS_WIN
    return qEnvironmentVariable("USERNAME");
#else
    return QString::number(::getuid());
#endif
}
} // namespace

QString instanceGuardKey()
{
    return "BOXKey-" + userIdentity();
}

QString instanceMarkerKey()
{
    return "SystemObject-" + userIdentity();
}

bool claimInstanceMarker(QSharedMemory& marker)
{
    // A crashed instance leaves its segment behind on Unix. Attaching and
    // detaching removes it when nobody else is attached, and leaves a live
    // instance's segment alone; on Windows the pair has no lasting effect.
    if (marker.attach())
        marker.detach();
    return marker.create(1, QSharedMemory::ReadWrite);
}

bool claimInstanceMarker(QSharedMemory& marker, QSystemSemaphore& guard, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    bool reported = false;
    for (;;) {
        // Without the semaphore two starts may race, which only risks a
        // spurious refusal; refusing every start would lock the user out.
        // Releasing what was not acquired would let two holders in later.
        const bool locked = guard.acquire();
        if (!locked && !reported) {
            qWarning() << "single-instance semaphore not acquired, the marker decides alone:"
                       << guard.errorString();
            reported = true;
        }
        const bool claimed = claimInstanceMarker(marker);
        if (locked)
            guard.release();
        if (claimed || deadline.hasExpired())
            return claimed;
        QThread::msleep(100);
    }
}

void showAlreadyRunning()
{
    QMessageBox::warning(nullptr, "Error", QString::fromUtf8("软件已打开！"), QMessageBox::Ok,
                         QMessageBox::NoButton);
}
