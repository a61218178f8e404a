#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "random_pairs.h"

namespace orvanel {

// A file read as a stream of 32-bit signed little-endian integers, a pair at a
// time. A call to the system costs more than the trial a pair is for, so the
// file is read ahead in blocks of 4 KiB; what was read is never read again, and
// a file that grows is read on. Opened for reading only; a name with no file
// behind it is created empty. Only regular files are taken: a FIFO, a
// socket or a device could block the reader or never end. Positions and lengths
// are 64-bit, so files of 2 GiB and more are read to their end.
class PairFile {
 public:
  // Throws FileOpenError with a sentence naming the file and the reason. Never
  // waits for another process (the open does not block on a FIFO).
  explicit PairFile(const std::string& utf8_name);
  ~PairFile();

  PairFile(const PairFile&) = delete;
  PairFile& operator=(const PairFile&) = delete;

  // Reads two 4-byte numbers at the current position. Reading at or past the end
  // is no error: the missing bytes read as zero and AtEnd() becomes true, exactly
  // as when the second of two separate reads comes up short. A failing read
  // throws FileReadError.
  [[nodiscard]] std::array<std::int32_t, 2> ReadTwoInt32();

  // True when the last read did not get all of its bytes.
  [[nodiscard]] bool AtEnd() const { return atEnd_; }

  // 1-based position of the next byte to read.
  [[nodiscard]] std::int64_t Position() const { return bytesRead_ + 1; }

  // The open file's length in bytes now (not that of whatever the name points to
  // by then); the last known length if it cannot be asked.
  [[nodiscard]] std::int64_t Length();

 private:
  std::string name_;
  int descriptor_ = -1;
  std::int64_t bytesRead_ = 0;
  std::int64_t lastLength_ = 0;
  std::array<unsigned char, 4096> ahead_{};  // read from the file, not yet taken
  std::size_t aheadBegin_ = 0;
  std::size_t aheadEnd_ = 0;
  bool atEnd_ = false;
};

// The file step of a trial: reads `first` and `second` (a 0 becomes 2 at once),
// then tests for the end: fewer than 8 bytes left gives nothing, the partial
// pair being discarded. Otherwise each number is made positive, -2^31 becoming
// 2^31 - 1, and the pair lies in 1..2^31-1.
[[nodiscard]] std::optional<Pair> ReadMappedPair(PairFile& file);

// How far through the file the next byte lies, as the floor of
// position / length * 100 in double precision, shown as `maximum` where it
// would pass it (files of 96 bytes or less after their last pair, or a file
// emptied while it is read).
[[nodiscard]] int ProgressPercent(std::int64_t position, std::int64_t length, int maximum);

}  // namespace orvanel
