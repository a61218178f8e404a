// The cost of redrawing the convergence chart at 640 x 440 with a full record,
// painted into an image as the screen would get it, and of a refresh of its
// window as the trials go on. (Qt Charts, which drew the chart before, took
// about five times as long for the same redraw, measured beside it.)
// Run: build/release/bench/chart_bench (offscreen unless QT_QPA_PLATFORM says otherwise).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "chart/convergence_record.h"
#include "chart/convergence_scale.h"
#include "gui/chart/convergence_chart.h"
#include "gui/chart/convergence_window.h"
#include "support/window_fakes.h"

namespace orvanel {
namespace {

constexpr QSize kSize(640, 440);

// A record at its capacity: a run of a billion pairs, its pairs without a common
// factor counted as a random run counts them (in steps, each of its expected
// count plus a normal spread), so that the estimate wanders towards pi as it
// does on screen.
const ConvergenceRecord& FullRecord() {
  static const ConvergenceRecord record = [] {
    ConvergenceRecord filled;
    std::mt19937_64 engine(5);
    std::normal_distribution<double> spread;
    constexpr double kShare = 6.0 / (std::numbers::pi * std::numbers::pi);
    double pairs = 0;
    double coprime = 0;
    for (double next = 1; next < 1e9; next = std::max(next + 1, next * 1.0005)) {
      const double step = next - pairs;
      coprime += step * kShare + std::sqrt(step * kShare * (1 - kShare)) * spread(engine);
      coprime = std::clamp(coprime, 1.0, next);
      pairs = next;
      filled.Add(static_cast<std::int64_t>(pairs), std::sqrt(6.0 / (coprime / pairs)));
    }
    return filled;
  }();
  return record;
}

void BM_ChartRedraw(benchmark::State& state) {
  ConvergenceChart chart(nullptr);
  chart.resize(kSize);
  chart.show();
  chart.Show(FullRecord().Points(), "3.1416 ± 0.0001 (95 %), 0.0000 from pi");
  QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    chart.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["points"] = static_cast<double>(FullRecord().Points().size());
}
BENCHMARK(BM_ChartRedraw)->Unit(benchmark::kMicrosecond);

// A refresh of the open chart window as the trials go on, painted: the record
// of a young run grows by a point each time.
void BM_ChartWindowRefresh(benchmark::State& state) {
  testing::ScriptedSaveDialog save_dialog;
  testing::RecordingMessenger messenger;
  Reporter reporter(messenger);
  QWidget main_window;
  ImageWrites writes(reporter, main_window);
  ConvergenceWindow window(save_dialog, writes, nullptr);
  window.show();
  ConvergenceRecord record;
  std::mt19937_64 engine(9);
  std::bernoulli_distribution coprime(6.0 / (std::numbers::pi * std::numbers::pi));
  std::int32_t total = 0;
  std::int32_t relatively_prime = 0;
  for (auto _ : state) {
    for (int pair = 0; pair < 2000; ++pair) {
      ++total;
      relatively_prime += coprime(engine);
    }
    const double estimate = std::sqrt(6.0 / (static_cast<double>(relatively_prime) / total));
    record.Add(total, estimate);
    window.Refresh(record, StatusFigures{estimate, total, relatively_prime});
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ChartWindowRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvanel

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
