#include "singleinstance.h"

#include <QDeadlineTimer>
#include <QMessageBox>
#include <QSharedMemory>
#include <QSystemSemaphore>
#include <QThread>

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
    for (;;) {
        guard.acquire();
        const bool claimed = claimInstanceMarker(marker);
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
