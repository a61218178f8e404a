#include "pair_file.h"

#include <array>
#include <cmath>
#include <limits>
#include <cerrno>
#include <system_error>

#include "errors.h"

namespace orvanel {
namespace {

std::filesystem::path PathFromUtf8(const std::string& name) {
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

[[noreturn]] void ThrowOpenError(const std::string& name, const std::string& reason) {
  throw FileError("The file \"" + name + "\" could not be opened: " + reason + ".");
}

std::int32_t ZeroToTwo(std::int32_t value) { return value == 0 ? 2 : value; }

// -2^31 has no positive counterpart in 32 bits and becomes the largest value.
std::int32_t MakePositive(std::int32_t value) {
  if (value == std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return value < 0 ? -value : value;
}

std::string ReasonFromErrno(int error) {
  if (error == 0) return "the system gave no reason";
  return std::generic_category().message(error);
}

}  // namespace

PairFile::PairFile(const std::string& utf8_name) : path_(PathFromUtf8(utf8_name)) {
  std::error_code status_error;
  const auto status = std::filesystem::status(path_, status_error);
  if (std::filesystem::is_directory(status)) ThrowOpenError(utf8_name, "it is a folder");
  if (status.type() == std::filesystem::file_type::not_found) {
    // A name with no file behind it is created empty; its analysis then ends at
    // the first trial, as for any empty file.
    errno = 0;
    std::ofstream create(path_, std::ios::binary | std::ios::app);
    if (!create) ThrowOpenError(utf8_name, ReasonFromErrno(errno));
  }
  errno = 0;
  stream_.open(path_, std::ios::binary | std::ios::in);
  if (!stream_) ThrowOpenError(utf8_name, ReasonFromErrno(errno));
  lastLength_ = Length();
}

std::int32_t PairFile::ReadInt32() {
  std::array<unsigned char, 4> bytes{};
  stream_.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
  const auto got = stream_.gcount();
  bytesRead_ += got;
  atEnd_ = got < static_cast<std::streamsize>(bytes.size());
  const std::uint32_t value = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                              std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
  return static_cast<std::int32_t>(value);  // two's complement, as the file stores it
}

std::int64_t PairFile::Length() {
  std::error_code error;
  const auto size = std::filesystem::file_size(path_, error);
  if (!error) lastLength_ = static_cast<std::int64_t>(size);
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
