// Reading the largest settings file the store takes (16 MiB of notes after the
// tally's section), in each style of line ends: each line is looked at once.
// Run: build/release/bench/history_bench
#include <benchmark/benchmark.h>

#include <string>

#include "history/saved_section.h"
#include "history/settings_file.h"

namespace {

using namespace orvanel;

void ReadLargestFile(benchmark::State& state, const std::string& line_end) {
  std::string bytes = "[History]" + line_end;
  while (bytes.size() < (16u << 20) - 64) bytes += "#" + line_end;
  bytes += "Total=42" + line_end;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        ReadSettingsFile(bytes, HistorySection().section, HistorySection().keys));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK_CAPTURE(ReadLargestFile, LineFeeds, std::string("\n"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadLargestFile, CarriageReturns, std::string("\r"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadLargestFile, BothLineEnds, std::string("\r\n"))
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
