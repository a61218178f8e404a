#pragma once

#include <chrono>

namespace orvanel::testing {

// A wait that no load on the machine reaches: a test that waits for something
// that must happen waits this long before it gives up, so that only a fault,
// never a busy machine, fails it. Tests of what happens when a wait runs out
// hold the answer back on purpose instead (held_file.h).
inline constexpr std::chrono::minutes kBeyondAnyLoad{5};
inline constexpr int kBeyondAnyLoadMilliseconds = 5 * 60 * 1000;

}  // namespace orvanel::testing
