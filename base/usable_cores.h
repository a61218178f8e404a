#pragma once

#include <optional>
#include <string_view>

namespace orvanel {

// How many cores this process may really use, at least one: those its CPU
// affinity allows (taskset, a container's cpuset; Windows' process affinity
// mask), and no more than a cgroup's CPU quota grants, rounded up.
[[nodiscard]] unsigned UsableCores();

// The cores a cgroup's quota grants, rounded up, from its "cpu.max" line
// ("<quota> <period>" in microseconds, or "max <period>"); nothing when it sets
// no limit or cannot be read.
[[nodiscard]] std::optional<unsigned> CoresOfCpuMax(std::string_view cpu_max);

}  // namespace orvanel
