#pragma once

#include <cstdint>

// The high-resolution counter. The product reads the system's performance
// counter; native tests link a clock they set themselves.
int64_t readCounterFrequency(); // counts per second
int64_t readCounter();          // counts
