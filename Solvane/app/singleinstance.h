#pragma once

class QSharedMemory;
class QSystemSemaphore;

// Creates the one-byte segment whose existence marks a running instance.
// Call it while holding the guard semaphore. Returns false when a live
// instance holds the marker.
bool claimInstanceMarker(QSharedMemory& marker);

// Claims the marker under the guard, trying again for up to `milliseconds`
// while another instance holds it: a restart begins while the instance it
// replaces is still closing.
bool claimInstanceMarker(QSharedMemory& marker, QSystemSemaphore& guard, int milliseconds);

// The refusal a second start shows before it ends.
void showAlreadyRunning();
