#include "record_text.h"

#include <charconv>
#include <cmath>

namespace orvanel {
namespace {

constexpr std::string_view kFirstLine = "Orvanel convergence record 1\n";
constexpr std::string_view kContinuedFrom = "continued from ";
// Far more than a record ever holds; a file with more is no record.
constexpr std::size_t kMostPoints = 10 * ConvergenceRecord::kCapacity;

template <typename Number>
bool ReadNumber(std::string_view& text, Number& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

bool ReadLineEnd(std::string_view& text) {
  if (text.empty() || text.front() != '\n') return false;
  text.remove_prefix(1);
  return true;
}

bool HasEstimate(std::int64_t pairs, double estimate) {
  return pairs > 0 && std::isfinite(estimate) && estimate > 0;
}

}  // namespace

std::string RecordText(const SavedRecord& record) {
  std::string text(kFirstLine);
  if (record.continuedFrom > 0) {
    text += kContinuedFrom;
    text += std::to_string(record.continuedFrom);
    text += '\n';
  }
  char line[64];
  for (const auto& point : record.points) {
    char* end = std::to_chars(line, line + sizeof line, point.pairs).ptr;
    *end++ = ' ';
    end =
        std::to_chars(end, line + sizeof line, point.estimate, std::chars_format::general, 17).ptr;
    *end++ = '\n';
    text.append(line, end);
  }
  return text;
}

std::optional<SavedRecord> ReadRecordText(std::string_view text) {
  if (!text.starts_with(kFirstLine)) return std::nullopt;
  text.remove_prefix(kFirstLine.size());
  SavedRecord record;
  if (text.starts_with(kContinuedFrom)) {
    text.remove_prefix(kContinuedFrom.size());
    if (!ReadNumber(text, record.continuedFrom) || record.continuedFrom <= 0 || !ReadLineEnd(text))
      return std::nullopt;
  }
  while (!text.empty()) {
    ConvergenceRecord::Point point;
    if (!ReadNumber(text, point.pairs) || !text.starts_with(' ')) return std::nullopt;
    text.remove_prefix(1);
    if (!ReadNumber(text, point.estimate) || !ReadLineEnd(text)) return std::nullopt;
    const bool in_order = HasEstimate(point.pairs, point.estimate) &&
                          (record.points.empty() || point.pairs > record.points.back().pairs);
    if (!in_order || record.points.size() == kMostPoints) return std::nullopt;
    record.points.push_back(point);
  }
  return record;
}

SavedRecord RecordUpTo(const ConvergenceRecord& record, std::int64_t total, double estimate) {
  SavedRecord saved{record.Points(), record.ContinuedFrom()};
  if (!HasEstimate(total, estimate)) return SavedRecord{{}, saved.continuedFrom};
  while (!saved.points.empty() && saved.points.back().pairs >= total) saved.points.pop_back();
  saved.points.push_back({total, estimate});
  return saved;
}

ConvergenceRecord CarriedRecord(const std::optional<SavedRecord>& saved, std::int64_t total,
                                double estimate) {
  if (total <= 0) return {};
  // The tally's estimate is saved with 15 significant digits, the record's
  // with 17.
  const bool ends_at_tally = saved && !saved->points.empty() &&
                             saved->points.back().pairs == total &&
                             std::abs(saved->points.back().estimate - estimate) <= 1e-12 * estimate;
  if (ends_at_tally) return ConvergenceRecord(saved->points, saved->continuedFrom);
  if (!HasEstimate(total, estimate)) return ConvergenceRecord({}, total);
  return ConvergenceRecord({{total, estimate}}, total);
}

}  // namespace orvanel
