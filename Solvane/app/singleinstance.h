#pragma once

class QSharedMemory;

// Creates the one-byte segment whose existence marks a running instance.
// Call it while holding the guard semaphore. Returns false when a live
// instance holds the marker.
bool claimInstanceMarker(QSharedMemory& marker);

// The refusal a second start shows before it ends.
void showAlreadyRunning();
