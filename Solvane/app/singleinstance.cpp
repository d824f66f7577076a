#include "singleinstance.h"

#include <QMessageBox>
#include <QSharedMemory>

bool claimInstanceMarker(QSharedMemory& marker)
{
    // A crashed instance leaves its segment behind on Unix. Attaching and
    // detaching removes it when nobody else is attached, and leaves a live
    // instance's segment alone; on Windows the pair has no lasting effect.
    if (marker.attach())
        marker.detach();
    return marker.create(1, QSharedMemory::ReadWrite);
}

void showAlreadyRunning()
{
    QMessageBox::warning(nullptr, "Error", QString::fromUtf8("软件已打开！"), QMessageBox::Ok,
                         QMessageBox::NoButton);
}
