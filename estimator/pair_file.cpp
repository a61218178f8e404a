#include "pair_file.h"

#include <algorithm>
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

std::array<std::int32_t, 2> PairFile::ReadTwoInt32() {
  std::array<unsigned char, 8> bytes{};
  std::size_t got = 0;
  while (got < bytes.size()) {
    if (aheadBegin_ == aheadEnd_) {
      aheadBegin_ = 0;
      aheadEnd_ = ReadBytes(descriptor_, ahead_.data(), ahead_.size(), name_);
      if (aheadEnd_ == 0) break;  // the end of the file, for now
    }
    const std::size_t take = std::min(bytes.size() - got, aheadEnd_ - aheadBegin_);
    std::copy_n(ahead_.begin() + static_cast<std::ptrdiff_t>(aheadBegin_), take,
                bytes.begin() + static_cast<std::ptrdiff_t>(got));
    aheadBegin_ += take;
    got += take;
  }
  bytesRead_ += static_cast<std::int64_t>(got);
  atEnd_ = got < bytes.size();
  const auto number = [&bytes](std::size_t at) {
    const std::uint32_t value = std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
                                std::uint32_t{bytes[at + 2]} << 16 |
                                std::uint32_t{bytes[at + 3]} << 24;
    return static_cast<std::int32_t>(value);  // two's complement, as the file stores it
  };
  return {number(0), number(4)};
}

std::int64_t PairFile::Length() {
  if (const auto length = LengthOfOpenFile(descriptor_)) lastLength_ = *length;
  return lastLength_;
}

std::optional<Pair> ReadMappedPair(PairFile& file) {
  const auto [read_first, read_second] = file.ReadTwoInt32();
  const std::int32_t first = ZeroToTwo(read_first);
  const std::int32_t second = ZeroToTwo(read_second);
  if (file.AtEnd()) return std::nullopt;
  return Pair{MakePositive(first), MakePositive(second)};
}

int ProgressPercent(std::int64_t position, std::int64_t length, int maximum) {
  const double percent =
      std::floor(static_cast<double>(position) / static_cast<double>(length) * 100.0);
  return percent >= 0.0 && percent <= maximum ? static_cast<int>(percent) : maximum;
}

}  // namespace orvanel
