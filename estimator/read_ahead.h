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
// ticks) and takes bytes as they stand in the file at that moment. Read-ahead
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

  // Opens the file with `open` on the reader's thread and waits for the outcome
  // (and the first bytes) at most `patience.open`. Throws what `open` throws,
  // or FileOpenError for `name`: of kind kNoAnswer when the time ran out,
  // kNoThread when no reader could be started (nothing is then opened).
  ReadAhead(const std::string& name, Opener open, ReadAheadPatience patience,
            HelperThreadStarter start = StartHelperThread);
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Takes the file's stamp as it is now (without waiting on a network file
  // system) and drops the read-ahead that no longer holds.
  void LookAgain();
  // The file's length at the last LookAgain.
  [[nodiscard]] std::int64_t Length() const { return length_; }
  // How many bytes were taken.
  [[nodiscard]] std::int64_t Taken() const { return taken_; }

  // Takes the next `size` bytes into `bytes`: false when they have not arrived
  // (yet). Throws FileReadError when the read that was to bring them failed.
  [[nodiscard]] bool Take(unsigned char* bytes, std::size_t size);

  struct Shared;

 private:
  bool Refill(std::size_t size);
  void DropAll();

  std::shared_ptr<Shared> shared_;
  // Bytes moved from the reader's to this thread, with the file's stamp they
  // were read at; those before nearFront_ are taken.
  std::vector<unsigned char> near_;
  std::size_t nearFront_ = 0;
  std::optional<FileStamp> nearStamp_;
  ReadAheadPatience patience_;
  std::int64_t length_ = 0;
  std::int64_t taken_ = 0;
  bool stalled_ = false;
};

}  // namespace orvanel
