// The cores of a process on Linux: its affinity, and the CPU quota of its
// cgroup and of every cgroup above it (cgroup v2).
#include <sched.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "usable_cores.h"

namespace orvanel {
namespace {

unsigned AffinityCores() {
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (::sched_getaffinity(0, sizeof allowed, &allowed) != 0) {
    return std::max(1u, std::thread::hardware_concurrency());
  }
  return static_cast<unsigned>(std::max(1, CPU_COUNT(&allowed)));
}

// The smallest quota on the way from this process's cgroup up to the root.
std::optional<unsigned> QuotaCores() {
  std::ifstream membership("/proc/self/cgroup");
  std::string line;
  std::string path;
  while (std::getline(membership, line)) {
    if (line.rfind("0::", 0) == 0) path = line.substr(3);
  }
  if (path.empty()) return std::nullopt;
  std::optional<unsigned> fewest;
  for (std::filesystem::path group = "/sys/fs/cgroup" + path;; group = group.parent_path()) {
    std::ifstream limit(group / "cpu.max");
    std::stringstream text;
    text << limit.rdbuf();
    if (const auto cores = CoresOfCpuMax(text.str()); cores && (!fewest || *cores < *fewest)) {
      fewest = cores;
    }
    if (group == "/sys/fs/cgroup" || !group.has_relative_path()) break;
  }
  return fewest;
}

}  // namespace

unsigned UsableCores() {
  const unsigned affinity = AffinityCores();
  const auto quota = QuotaCores();
  return quota ? std::min(affinity, *quota) : affinity;
}

}  // namespace orvanel
