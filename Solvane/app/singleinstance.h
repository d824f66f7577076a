#pragma once

#include <QString>

class QSharedMemory;
class QSystemSemaphore;

// Keys of the guard semaphore and of the marker segment. They carry the
// user's identity: each user has one instance, and no user's instance (nor
// the remains of a crashed one) blocks another user.
QString instanceGuardKey();
QString instanceMarkerKey();

// Creates the one-byte segment whose existence marks a running instance.
// Call it while holding the guard semaphore. Returns false when a live
// instance holds the marker.
bool claimInstanceMarker(QSharedMemory& marker);

// Claims the marker under the guard, trying again for up to `milliseconds`
// while another instance holds it: a restart begins while the instance it
// replaces is still closing. When the guard cannot be acquired, the marker
// alone decides.
bool claimInstanceMarker(QSharedMemory& marker, QSystemSemaphore& guard, int milliseconds);

// The refusal a second start shows before it ends.
void showAlreadyRunning();
