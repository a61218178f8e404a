#include "usable_cores.h"

#include <charconv>
#include <cstdint>

#include "text.h"

namespace orvanel {

std::optional<unsigned> CoresOfCpuMax(std::string_view cpu_max) {
  cpu_max = Trimmed(cpu_max, " \t\n");
  const auto blank = cpu_max.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const std::string_view quota_text = cpu_max.substr(0, blank);
  const std::string_view period_text = Trimmed(cpu_max.substr(blank + 1), " \t\n");
  std::uint64_t quota = 0;
  std::uint64_t period = 0;
  const auto quota_read =
      std::from_chars(quota_text.data(), quota_text.data() + quota_text.size(), quota);
  const auto period_read =
      std::from_chars(period_text.data(), period_text.data() + period_text.size(), period);
  if (quota_read.ec != std::errc() || quota_read.ptr != quota_text.data() + quota_text.size() ||
      period_read.ec != std::errc() || period == 0) {
    return std::nullopt;  // "max", or nothing that can be read
  }
  const std::uint64_t cores = (quota + period - 1) / period;
  return static_cast<unsigned>(cores < 1 ? 1 : cores);
}

}  // namespace orvanel
