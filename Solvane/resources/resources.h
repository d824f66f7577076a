#pragma once

// Registers the embedded pictures (":/images/..."); the resource tree lives in
// a static library, so it is registered explicitly. Calling it again is harmless.
void initializeImages();
