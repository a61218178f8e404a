#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "random_pairs.h"
#include "read_ahead.h"

namespace orvanel {

// A file read as a stream of 32-bit signed little-endian integers, a pair at a
// time. The file is read ahead on a thread of its own (read_ahead.h): a call to
// the system costs more than the trial a pair is for, and a slow or hung file
// system must never hold up the window. Opened for reading only; a name with no
// file behind it is created empty. Only regular files are taken: a FIFO, a
// socket or a device could block the reader or never end. Positions and lengths
// are 64-bit, so files of 2 GiB and more are read to their end.
//
// The file is taken as it stands when a run of ticks begins (LookAgain): a file
// that shrank ends where it now ends, one that grew is read on, and bytes read
// ahead before the file was written are read again.
class PairFile {
 public:
  // Throws FileOpenError with a sentence naming the file and the reason. Never
  // waits for another process (the open does not block on a FIFO), nor longer
  // than `patience.open` for the file system.
  explicit PairFile(const std::string& utf8_name, ReadAheadPatience patience = {});
  // The same on a file opened by `open` (tests open one that can be made to wait).
  PairFile(const std::string& utf8_name, ReadAhead::Opener open, ReadAheadPatience patience);

  // Looks at the file as it stands now: once per run of ticks, before its first pair.
  void LookAgain() { bytes_.LookAgain(); }

  // What reading the next two numbers gives.
  enum class Outcome {
    kNumbers,     // both numbers
    kEnd,         // fewer than 8 bytes are left: the file has ended
    kNotArrived,  // the bytes are still on their way from the file system
  };
  struct Read {
    Outcome outcome = Outcome::kEnd;
    std::array<std::int32_t, 2> numbers{};
  };
  // Reads two 4-byte numbers at the current position, as the file stood at the
  // last LookAgain. A failing read throws FileReadError.
  [[nodiscard]] Read ReadTwoInt32();

  // 1-based position of the next byte to read.
  [[nodiscard]] std::int64_t Position() const { return bytes_.Taken() + 1; }

  // The open file's length at the last LookAgain (not that of whatever the
  // name points to by then).
  [[nodiscard]] std::int64_t Length() const { return bytes_.Length(); }

 private:
  ReadAhead bytes_;
};

// The file step of a trial: reads `first` and `second` (a 0 becomes 2 at once),
// then tests for the end: fewer than 8 bytes left gives the end, the partial
// pair being discarded. Otherwise each number is made positive, -2^31 becoming
// 2^31 - 1, and the pair lies in 1..2^31-1.
struct FilePair {
  PairFile::Outcome outcome = PairFile::Outcome::kEnd;
  Pair pair;
};
[[nodiscard]] FilePair ReadMappedPair(PairFile& file);

// How far through the file the next byte lies, as the floor of
// position / length * 100 in double precision, shown as `maximum` where it
// would pass it (files of 96 bytes or less after their last pair, or a file
// emptied while it is read).
[[nodiscard]] int ProgressPercent(std::int64_t position, std::int64_t length, int maximum);

}  // namespace orvanel
