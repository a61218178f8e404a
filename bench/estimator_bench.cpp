// The common-factor test against the literal divisor search, a whole tick, and
// the file step. Run: build/release/bench/estimator_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "estimator/common_factor.h"
#include "estimator/estimator.h"
#include "estimator/random_pairs.h"
#include "keeping_front_end.h"
#include "support/fakes.h"
#include "support/literal_common_factor.h"

namespace {

using namespace orvanel;

std::vector<Pair> RandomPairs() {
  testing::SeededGenerator generator(42);
  std::vector<Pair> pairs(4096);
  for (auto& pair : pairs) pair = DrawRandomPair(generator);
  return pairs;
}

// Equal primes near 2^31: no divisor ends the literal search early, and the
// fast test must prove the common divisor prime.
const std::vector<Pair> kWorstPairs = {{2147483629, 2147483629}, {2147483587, 2147483587},
                                       {2147483563, 2147483563}, {2147483549, 2147483549},
                                       {2147483647, 2147483647}, {2147483543, 2147483543}};

template <bool (*Test)(std::int32_t, std::int32_t)>
void Run(benchmark::State& state, const std::vector<Pair>& pairs) {
  std::size_t i = 0;
  for (auto _ : state) {
    const Pair& pair = pairs[i++ % pairs.size()];
    benchmark::DoNotOptimize(Test(pair.first, pair.second));
  }
}

void BM_LiteralRandomPairs(benchmark::State& state) {
  Run<testing::LiteralHasCommonFactor>(state, RandomPairs());
}
void BM_FastRandomPairs(benchmark::State& state) {
  Run<HasCommonFactor>(state, RandomPairs());
}
void BM_LiteralWorstPairs(benchmark::State& state) {
  Run<testing::LiteralHasCommonFactor>(state, kWorstPairs);
}
void BM_FastWorstPairs(benchmark::State& state) {
  Run<HasCommonFactor>(state, kWorstPairs);
}

BENCHMARK(BM_LiteralRandomPairs)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_FastRandomPairs)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_LiteralWorstPairs)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_FastWorstPairs)->Unit(benchmark::kNanosecond);

void BM_WholeRandomTick(benchmark::State& state) {
  bench::KeepingFrontEnd front_end;
  ClockSeededGenerator generator;
  generator.SeedFromClock();
  Estimator estimator(front_end, generator);
  for (auto _ : state) {
    estimator.Tick();
    if (estimator.Tally().Total > 2'000'000'000) estimator.Reset();
  }
}
BENCHMARK(BM_WholeRandomTick)->Unit(benchmark::kNanosecond);

// One file step with its progress update, per pair counted, on a 64 MiB file of
// random bytes read by the reading thread.
// Written once per run: the framework calls a benchmark several times.
const std::filesystem::path& RandomPairFile() {
  static const std::filesystem::path path = [] {
    const auto file = std::filesystem::temp_directory_path() / "orvanel-bench-pairs.bin";
    std::ofstream out(file, std::ios::binary);
    testing::SeededGenerator generator(3);
    std::vector<char> block(1 << 20);
    for (int mib = 0; mib < 64; ++mib) {
      for (auto& byte : block) byte = static_cast<char>(generator.Next() * 256);
      out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    return file;
  }();
  return path;
}

void BM_FilePairWithProgress(benchmark::State& state) {
  const auto& path = RandomPairFile();
  bench::KeepingFrontEnd front_end;
  testing::SeededGenerator generator(1);
  Estimator estimator(front_end, generator);
  front_end.choice = path.string();
  std::int64_t pairs = 0;
  for (auto _ : state) {
    if (!estimator.AnalyzingFile()) {
      estimator.AnalyzeFile();  // zeroes the tally once the file has opened
      while (estimator.OpeningFile()) estimator.LookAtOpening();
    }
    const std::int32_t before = estimator.Tally().Total;
    estimator.Tick();  // as many pairs as have arrived from the reading thread
    pairs += estimator.Tally().Total - before;
  }
  state.SetItemsProcessed(pairs);
  state.counters["ns_per_pair"] = benchmark::Counter(
      static_cast<double>(pairs), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FilePairWithProgress)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::temp_directory_path() / "orvanel-bench-pairs.bin",
                          ignored);
  return 0;
}
