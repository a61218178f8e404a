#include "pair_file.h"

#include <array>
#include <cmath>
#include <limits>

#include "regular_file.h"

namespace orvanel {
namespace {

std::int32_t ZeroToTwo(std::int32_t value) {
  return value == 0 ? 2 : value;
}

// -2^31 has no positive counterpart in 32 bits and becomes the largest value.
std::int32_t MakePositive(std::int32_t value) {
  if (value == std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return value < 0 ? -value : value;
}

}  // namespace

PairFile::PairFile(const std::string& utf8_name)
    : name_(utf8_name), descriptor_(OpenRegularFileForReading(utf8_name)) {
  lastLength_ = Length();
}

PairFile::~PairFile() {
  CloseFile(descriptor_);
}

std::int32_t PairFile::ReadInt32() {
  std::array<unsigned char, 4> bytes{};
  const std::size_t got = ReadBytes(descriptor_, bytes.data(), bytes.size(), name_);
  bytesRead_ += static_cast<std::int64_t>(got);
  atEnd_ = got < bytes.size();
  const std::uint32_t value = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                              std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
  return static_cast<std::int32_t>(value);  // two's complement, as the file stores it
}

std::int64_t PairFile::Length() {
  if (const auto length = LengthOfOpenFile(descriptor_)) lastLength_ = *length;
  return lastLength_;
}

std::optional<Pair> ReadMappedPair(PairFile& file) {
  const std::int32_t first = ZeroToTwo(file.ReadInt32());
  const std::int32_t second = ZeroToTwo(file.ReadInt32());
  if (file.AtEnd()) return std::nullopt;
  return Pair{MakePositive(first), MakePositive(second)};
}

int ProgressPercent(std::int64_t position, std::int64_t length, int maximum) {
  const double percent =
      std::floor(static_cast<double>(position) / static_cast<double>(length) * 100.0);
  return percent >= 0.0 && percent <= maximum ? static_cast<int>(percent) : maximum;
}

}  // namespace orvanel
