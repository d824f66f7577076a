#pragma once

#include "storedrecord.h"

#include <vector>

namespace vm {

// The meter's factory memory: `count` records measured under a round of
// realistic light sources (incandescent, daylight, LEDs, fluorescent, ...).
// The same count always gives the same records.
std::vector<StoredRecord> defaultRecords(int count = 12);

} // namespace vm
