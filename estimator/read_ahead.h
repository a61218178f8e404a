#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/helper_thread.h"
#include "regular_file.h"

namespace orvanel {

// How long the caller's thread may wait for the file system, at most.
struct ReadAheadPatience {
  // For the file to open and its first bytes to arrive.
  std::chrono::milliseconds open{3000};
  // For bytes a read under way is about to bring; once a wait has run out, no
  // further wait until bytes arrive again, so a file system that hangs costs
  // one such wait, not one per tick.
  std::chrono::milliseconds bytes{2};
};

// The bytes of a file, from its start on, read ahead by a thread of its own, so
// that the caller never waits on the file system beyond its patience: a slow
// disk or a hung network mount only means that bytes have not arrived yet.
//
// The caller looks at the file once in a while (LookAgain: once per run of
// ticks) and takes bytes as they stand in the file at that moment. The end of
// the file is where a read comes back short, whatever size the file claims (a
// file of /proc claims 0, one of /sys 4096). Read-ahead
// is dropped whenever the file's stamp shows it was written since that part was
// read, or where the file is now shorter: nothing is taken that the file no
// longer holds.
//
// Destroying it never waits and never closes the file itself: the reader closes
// it (a close on a network mount may wait for the server), at once when it is
// idle, and a reader stuck in the file system is left behind to end when the
// system lets it.
class ReadAhead {
 public:
  using Opener = std::function<std::unique_ptr<OpenFileBytes>()>;

  // Begins to open the file with `open` on the reader's thread, and returns at
  // once. Throws FileOpenError for `name` of kind kNoThread when no reader
  // could be started (nothing is then opened).
  ReadAhead(const std::string& name, Opener open, ReadAheadPatience patience,
            HelperThreadStarter start = StartHelperThread);
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Whether the file is open, with its first bytes (or the news that it has
  // none) if they came within `patience.open`; false while that is under way.
  // Throws what `open` threw, or FileOpenError of kind kNoAnswer once
  // `patience.open` has passed without the file opening: the reader is then
  // left behind, and closes the file should it open after all.
  [[nodiscard]] bool Opened();
  // Waits until the file is open, as Opened() tells it, at most
  // `patience.open` (a caller that may wait: tests, the benchmarks).
  void WaitUntilOpened();

  // Takes the file's stamp as it is now (without waiting on a network file
  // system) and drops the read-ahead that no longer holds.
  void LookAgain();
  // The file's length at the last LookAgain.
  [[nodiscard]] std::int64_t Length() const { return length_; }
  // How many bytes were taken.
  [[nodiscard]] std::int64_t Taken() const { return taken_; }

  // What taking bytes gave.
  enum class Took {
    kTaken,       // the bytes asked for
    kNotArrived,  // not there yet: the file system has not brought them
    kEnd,         // fewer are left: a read came back short, at the file's end
  };
  // Takes the next `size` bytes into `bytes`. Throws FileReadError when the
  // read that was to bring them failed.
  [[nodiscard]] Took Take(unsigned char* bytes, std::size_t size);
  // How many bytes the file held when its end was met: those taken and those
  // left, too few to take.
  [[nodiscard]] std::int64_t HeldAtEnd() const { return heldAtEnd_; }

  struct Shared;

 private:
  Took Refill(std::size_t size);
  void DropAll();

  std::string name_;
  std::chrono::steady_clock::time_point began_;
  bool opened_ = false;
  std::shared_ptr<Shared> shared_;
  // Bytes moved from the reader's to this thread, with the file's stamp they
  // were read at; those before nearFront_ are taken.
  std::vector<unsigned char> near_;
  std::size_t nearFront_ = 0;
  std::optional<FileStamp> nearStamp_;
  ReadAheadPatience patience_;
  std::int64_t length_ = 0;
  std::int64_t taken_ = 0;
  std::int64_t heldAtEnd_ = 0;
  bool stalled_ = false;
};

}  // namespace orvanel
