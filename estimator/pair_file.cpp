#include "pair_file.h"

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

PairFile::PairFile(const std::string& utf8_name, ReadAheadPatience patience)
    : PairFile(
          utf8_name, [utf8_name] { return OpenRegularFile(utf8_name); }, patience) {}

PairFile::PairFile(const std::string& utf8_name, ReadAhead::Opener open, ReadAheadPatience patience)
    : bytes_(utf8_name, std::move(open), patience) {}

PairFile::Read PairFile::ReadTwoInt32() {
  std::array<unsigned char, 8> bytes{};
  switch (bytes_.Take(bytes.data(), bytes.size())) {
    case ReadAhead::Took::kTaken:
      break;
    case ReadAhead::Took::kNotArrived:
      return Read{Outcome::kNotArrived, {}};
    case ReadAhead::Took::kEnd:
      // Fewer than 8 bytes left: the second of two 4-byte reads came up short.
      return Read{Outcome::kEnd, {}};
  }
  const auto number = [&bytes](std::size_t at) {
    const std::uint32_t value = std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
                                std::uint32_t{bytes[at + 2]} << 16 |
                                std::uint32_t{bytes[at + 3]} << 24;
    return static_cast<std::int32_t>(value);  // two's complement, as the file stores it
  };
  return Read{Outcome::kNumbers, {number(0), number(4)}};
}

FilePair ReadMappedPair(PairFile& file) {
  const PairFile::Read read = file.ReadTwoInt32();
  if (read.outcome != PairFile::Outcome::kNumbers) return FilePair{read.outcome, {}};
  const std::int32_t first = ZeroToTwo(read.numbers[0]);
  const std::int32_t second = ZeroToTwo(read.numbers[1]);
  return FilePair{read.outcome, Pair{MakePositive(first), MakePositive(second)}};
}

std::optional<int> ProgressPercent(std::int64_t position, std::int64_t length, int maximum) {
  if (length <= 0 || position - 1 > length) return std::nullopt;
  const double percent =
      std::floor(static_cast<double>(position) / static_cast<double>(length) * 100.0);
  return percent >= 0.0 && percent <= maximum ? static_cast<int>(percent) : maximum;
}

}  // namespace orvanel
