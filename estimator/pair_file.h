#pragma once

#include <array>
#include <cstdint>
#include <optional>
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
// ahead before the file was written are read again. The end is where a read
// comes back short, whatever size the file claims.
class PairFile {
 public:
  // Begins to open the file on the reader's thread and returns at once; never
  // waits for another process (the open does not block on a FIFO).
  explicit PairFile(const std::string& utf8_name, ReadAheadPatience patience = {});
  // The same on a file opened by `open` (tests open one that can be made to wait).
  PairFile(const std::string& utf8_name, ReadAhead::Opener open, ReadAheadPatience patience);

  // Whether the file is open; false while that is under way. Throws
  // FileOpenError naming the file and the reason, also once `patience.open`
  // has passed without an answer (read_ahead.h).
  [[nodiscard]] bool Opened() { return bytes_.Opened(); }
  // Waits for that, at most `patience.open` (tests, the benchmarks).
  void WaitUntilOpened() { bytes_.WaitUntilOpened(); }

  // Looks at the file as it stands now: once per run of ticks, before its first pair.
  void LookAgain() { bytes_.LookAgain(); }

  // What reading the next two numbers gives.
  enum class Outcome {
    kNumbers,     // both numbers
    kEnd,         // fewer than 8 bytes are left: a read came back short
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
  // name points to by then), as the file system tells it: only the bar goes by
  // it, as it may be wrong.
  [[nodiscard]] std::int64_t Length() const { return bytes_.Length(); }
  // Once the end has come: how many bytes the file held.
  [[nodiscard]] std::int64_t HeldAtEnd() const { return bytes_.HeldAtEnd(); }

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
// would pass it (files of 96 bytes or less after their last pair). Nothing
// where the length cannot be trusted: a file that claims no bytes, or fewer
// than were read from it (as files of /proc and /sys do).
[[nodiscard]] std::optional<int> ProgressPercent(std::int64_t position, std::int64_t length,
                                                 int maximum);

}  // namespace orvanel
