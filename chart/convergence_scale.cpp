#include "convergence_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace orvanel {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr std::int64_t kShownSpan = 1000;  // the last three decades of pairs
constexpr double kShortestSpan = 2;        // a narrower run is widened to the left
constexpr double kRoom = 0.05;             // around what the estimate axis holds

// The smallest of 1, 2 and 5 times a power of ten that is at least `raw`.
double RoundStep(double raw) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * magnitude >= raw * (1 - 1e-9)) return factor * magnitude;
  }
  return 10.0 * magnitude;
}

}  // namespace

ChartPoints ShownPoints(const ChartPoints& points) {
  if (points.empty()) return {};
  const std::int64_t from = points.back().pairs / kShownSpan;
  ChartPoints shown;
  for (const auto& point : points) {
    if (point.pairs >= from) shown.push_back(point);
  }
  return shown;
}

PairsAxis PairsAxisFor(const ChartPoints& shown) {
  if (shown.empty()) return PairsAxis{};
  PairsAxis axis;
  const std::int64_t latest = shown.back().pairs;
  axis.high = static_cast<double>(std::max<std::int64_t>(latest, 2));
  axis.low = std::min(static_cast<double>(shown.front().pairs), axis.high / kShortestSpan);
  const auto round_counts = [&axis](std::initializer_list<std::int64_t> factors) {
    std::vector<std::int64_t> counts;
    for (std::int64_t decade = 1; decade <= axis.high; decade *= 10) {
      for (const std::int64_t factor : factors) {
        if (factor * decade <= axis.high) counts.push_back(factor * decade);
      }
    }
    return counts;
  };
  const auto from_low = [&axis](std::vector<std::int64_t> counts) {
    std::erase_if(counts, [&axis](std::int64_t count) { return count < axis.low; });
    return counts;
  };
  // Decades alone where three of them show; 2 and 5 times them as well where
  // fewer do; and at least two ticks, the axis reaching down to them where a
  // short span holds fewer (the span from 22,500,000 to 45,000,000 holds none).
  axis.ticks = from_low(round_counts({1}));
  if (axis.ticks.size() >= 3) return axis;
  const std::vector<std::int64_t> all = round_counts({1, 2, 5});
  axis.low = std::min(axis.low, static_cast<double>(all[all.size() - 2]));
  axis.ticks = from_low(all);
  return axis;
}

std::vector<std::vector<std::int64_t>> PairsLabelChoices(const PairsAxis& axis) {
  const auto is_decade = [](std::int64_t count) {
    while (count % 10 == 0) count /= 10;
    return count == 1;
  };
  std::vector<std::vector<std::int64_t>> choices{axis.ticks};
  const auto offer = [&choices](std::vector<std::int64_t> labels) {
    if (labels.size() >= 2 && labels != choices.back()) choices.push_back(std::move(labels));
  };
  offer([&] {
    auto labels = axis.ticks;
    std::erase_if(labels, [&](std::int64_t count) { return is_decade(count * 5); });  // 2, 20…
    return labels;
  }());
  std::vector<std::int64_t> decades = axis.ticks;
  std::erase_if(decades, [&](std::int64_t count) { return !is_decade(count); });
  offer(decades);
  // Every second, third… decade, counted back from the latest.
  for (std::size_t stride = 2; stride < decades.size(); ++stride) {
    std::vector<std::int64_t> labels;
    for (std::size_t i = decades.size(); i-- > 0;) {
      if ((decades.size() - 1 - i) % stride == 0) labels.insert(labels.begin(), decades[i]);
    }
    offer(labels);
  }
  // The two ends, which the narrowest plot still has room for.
  offer({axis.ticks.front(), axis.ticks.back()});
  return choices;
}

std::vector<double> RoundAxis::Ticks() const {
  std::vector<double> ticks;
  const auto count = std::lround((high - low) / step);
  for (long i = 0; i <= count; ++i) ticks.push_back(low + static_cast<double>(i) * step);
  return ticks;
}

RoundAxis RoundAxisFor(double low, double high, int intervals) {
  if (!(high > low)) {
    const double around = std::max(std::abs(low), 1.0) * 1e-6;
    low -= around;
    high += around;
  }
  const double step = RoundStep((high - low) / intervals);
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  return RoundAxis{std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step,
                   decimals};
}

RoundAxis EstimateAxisFor(const ChartPoints& shown, const PairsAxis& pairs) {
  const double band = ExpectedHalfWidth(pairs.low);
  // No estimate lies below zero, so neither need the band.
  double low = std::max(0.0, kPi - band);
  double high = kPi + band;
  for (const auto& point : shown) {
    low = std::min(low, point.estimate);
    high = std::max(high, point.estimate);
  }
  const double room = (high - low) * kRoom;
  return RoundAxisFor(std::max(0.0, low - room), high + room, 5);
}

ChartPoints PointsToDraw(const ChartPoints& shown, const PairsAxis& axis, double pixels) {
  ChartPoints drawn;
  const double per_pixel = std::log10(axis.high / axis.low) / std::max(pixels, 1.0);
  double last_drawn = -std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const double position = std::log10(static_cast<double>(shown[i].pairs));
    if (position - last_drawn < per_pixel && i + 1 < shown.size() && i > 0) continue;
    drawn.push_back(shown[i]);
    last_drawn = position;
  }
  return drawn;
}

}  // namespace orvanel
