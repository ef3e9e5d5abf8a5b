#pragma once

#include <cstdint>

// The resident memory of this process in bytes (what the system holds in RAM for it), or 0 when it
// cannot be read.
uint64_t ResidentMemoryBytes();
