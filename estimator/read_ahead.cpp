#include "read_ahead.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "base/helper_thread.h"
#include "errors.h"

namespace orvanel {
namespace {

// A read brings at most a block; the reader stays at most kAhead bytes ahead;
// the caller's thread takes a chunk at a time.
constexpr std::size_t kBlock = 16 << 10;
constexpr std::size_t kAhead = 64 << 10;
constexpr std::size_t kChunk = 4 << 10;

}  // namespace

// Everything the caller's thread and the reader's share, under `mutex`. The
// reader never holds the mutex while it waits on the file system.
struct ReadAhead::Shared {
  std::mutex mutex;
  std::condition_variable readerWake;  // room, a new place to read, or the end
  std::condition_variable arrived;     // the file opened, bytes came, a read failed

  std::unique_ptr<OpenFileBytes> file;  // opened and closed by the reader alone
  bool opened = false;
  std::exception_ptr openError;

  // The file's bytes from `start` on, as read; `stamp` is the file's as they
  // were read, and the same for all of them.
  std::int64_t start = 0;
  std::vector<unsigned char> bytes;
  std::size_t front = 0;  // bytes before it were taken
  std::optional<FileStamp> stamp;
  bool atEndOfFile = false;      // the last read, at the end of `bytes`, found nothing
  std::exception_ptr readError;  // the read at the end of `bytes` failed
  std::uint64_t generation = 0;  // a read begun in an earlier one is of no use
  bool readerWaiting = false;
  bool closing = false;

  [[nodiscard]] std::size_t Available() const { return bytes.size() - front; }
  [[nodiscard]] std::int64_t Next() const {
    return start + static_cast<std::int64_t>(bytes.size());
  }

  // Starts the read-ahead again from `from`.
  void Drop(std::int64_t from) {
    start = from;
    bytes.clear();
    front = 0;
    stamp.reset();
    atEndOfFile = false;
    readError = nullptr;
    ++generation;
    readerWake.notify_all();
  }

  void Read(const ReadAhead::Opener& open);
};

void ReadAhead::Shared::Read(const ReadAhead::Opener& open) {
  std::unique_ptr<OpenFileBytes> opened_file;
  std::exception_ptr error;
  try {
    opened_file = open();
  } catch (...) {
    error = std::current_exception();
  }
  std::unique_lock lock(mutex);
  opened = true;
  openError = error;
  arrived.notify_all();
  if (error || closing) {
    lock.unlock();
    return;  // a file opened too late closes with opened_file, here
  }
  file = std::move(opened_file);

  std::vector<unsigned char> block(kBlock);
  while (true) {
    readerWaiting = true;
    readerWake.wait(
        lock, [this] { return closing || (Available() < kAhead && !atEndOfFile && !readError); });
    readerWaiting = false;
    if (closing) break;
    const std::uint64_t reading = generation;
    const std::int64_t offset = Next();
    const std::size_t wanted = std::min(kBlock, kAhead - Available());
    lock.unlock();
    std::size_t got = 0;
    std::exception_ptr failed;
    std::optional<FileStamp> before = file->Stamp();
    try {
      got = file->ReadAt(offset, block.data(), wanted);
    } catch (...) {
      failed = std::current_exception();
    }
    std::optional<FileStamp> after = file->Stamp();
    lock.lock();
    if (closing) break;
    if (reading != generation) continue;
    if (failed) {
      readError = failed;
    } else if (before != after) {
      // Written while it was read: read it again once the writer has had a moment.
      readerWake.wait_for(lock, std::chrono::milliseconds(1), [this] { return closing; });
      continue;
    } else if (stamp && after != stamp) {
      Drop(start + static_cast<std::int64_t>(front));  // the file changed since the rest was read
      continue;
    } else {
      stamp = after;
      bytes.insert(bytes.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(got));
      atEndOfFile = got < wanted;
    }
    arrived.notify_all();
  }
  // The last close may wait for a network mount's server: here, never on the
  // caller's thread.
  const std::unique_ptr<OpenFileBytes> closing_file = std::move(file);
  lock.unlock();
}

ReadAhead::ReadAhead(const std::string& name, Opener open, ReadAheadPatience patience,
                     HelperThreadStarter start)
    : name_(name),
      began_(std::chrono::steady_clock::now()),
      shared_(std::make_shared<Shared>()),
      patience_(patience) {
  try {
    start([shared = shared_, open = std::move(open)] { shared->Read(open); });
  } catch (const std::system_error& error) {
    throw FileOpenError(name, FileFailure{FileFailure::Kind::kNoThread, error.code().value()});
  }
}

bool ReadAhead::Opened() {
  if (opened_) return true;
  const std::lock_guard lock(shared_->mutex);
  auto& shared = *shared_;
  const bool patience_over = std::chrono::steady_clock::now() - began_ >= patience_.open;
  if (!shared.opened) {
    if (!patience_over) return false;
    shared.closing = true;
    shared.readerWake.notify_all();
    throw FileOpenError(name_, FileFailure{FileFailure::Kind::kNoAnswer, 0});
  }
  if (shared.openError) std::rethrow_exception(shared.openError);
  // Opened but with its first bytes late is no error: they are taken when they come.
  const bool first_bytes = shared.Available() > 0 || shared.atEndOfFile || shared.readError;
  if (!first_bytes && !patience_over) return false;
  if (shared.stamp) length_ = shared.stamp->size;
  opened_ = true;
  return true;
}

void ReadAhead::WaitUntilOpened() {
  {
    std::unique_lock lock(shared_->mutex);
    auto& shared = *shared_;
    shared.arrived.wait_until(lock, began_ + patience_.open, [&shared] {
      return shared.opened &&
             (shared.openError || shared.Available() > 0 || shared.atEndOfFile || shared.readError);
    });
  }
  while (!Opened()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

ReadAhead::~ReadAhead() {
  const std::lock_guard lock(shared_->mutex);
  shared_->closing = true;
  shared_->readerWake.notify_all();
}

void ReadAhead::LookAgain() {
  {
    const std::lock_guard lock(shared_->mutex);
    if (!shared_->file) return;
    // The stamp is asked outside the lock below, but the file stays open: the
    // reader closes it only once this is gone.
  }
  const std::optional<FileStamp> now = shared_->file->Stamp();
  if (!now) return;  // nothing new can be told; what was known stands
  length_ = now->size;
  const bool near_holds = near_.size() > nearFront_;
  const std::lock_guard lock(shared_->mutex);
  auto& shared = *shared_;
  const bool shared_holds = shared.Available() > 0 || shared.atEndOfFile || shared.readError;
  if ((near_holds && nearStamp_ != now) || (shared_holds && shared.stamp != now)) DropAll();
}

void ReadAhead::DropAll() {
  near_.clear();
  nearFront_ = 0;
  shared_->Drop(taken_);
}

ReadAhead::Took ReadAhead::Take(unsigned char* bytes, std::size_t size) {
  if (!Opened()) return Took::kNotArrived;
  if (near_.size() - nearFront_ < size) {
    const Took refilled = Refill(size);
    if (refilled != Took::kTaken) return refilled;
  }
  std::copy_n(near_.begin() + static_cast<std::ptrdiff_t>(nearFront_), size, bytes);
  nearFront_ += size;
  taken_ += static_cast<std::int64_t>(size);
  return Took::kTaken;
}

// Moves what has arrived, up to a chunk, to this thread: the mutex is taken
// once a chunk, not once a pair.
ReadAhead::Took ReadAhead::Refill(std::size_t size) {
  near_.erase(near_.begin(), near_.begin() + static_cast<std::ptrdiff_t>(nearFront_));
  nearFront_ = 0;
  const std::size_t needed = size - near_.size();
  std::unique_lock lock(shared_->mutex);
  auto& shared = *shared_;
  if (!near_.empty() && nearStamp_ != shared.stamp) {
    DropAll();  // the file changed between the two parts of a pair
    return Took::kNotArrived;
  }
  const auto ready = [&shared, needed] {
    return shared.Available() >= needed || shared.readError || shared.atEndOfFile;
  };
  if (!ready() && !stalled_) {
    stalled_ = !shared.arrived.wait_for(lock, patience_.bytes, ready);
  }
  if (shared.Available() < needed) {
    if (shared.readError) std::rethrow_exception(shared.readError);
    if (!shared.atEndOfFile) return Took::kNotArrived;
    heldAtEnd_ = taken_ + static_cast<std::int64_t>(near_.size() + shared.Available());
    return Took::kEnd;
  }
  const std::size_t moved = std::min(shared.Available(), std::max(needed, kChunk));
  const auto from = shared.bytes.begin() + static_cast<std::ptrdiff_t>(shared.front);
  near_.insert(near_.end(), from, from + static_cast<std::ptrdiff_t>(moved));
  nearStamp_ = shared.stamp;
  shared.front += moved;
  stalled_ = false;
  if (shared.front >= kAhead) {
    shared.bytes.erase(shared.bytes.begin(),
                       shared.bytes.begin() + static_cast<std::ptrdiff_t>(shared.front));
    shared.start += static_cast<std::int64_t>(shared.front);
    shared.front = 0;
  }
  // Waking the reader costs a call to the system: it is woken once half of
  // what it read ahead is taken.
  if (shared.readerWaiting && shared.Available() <= kAhead / 2) shared.readerWake.notify_all();
  return Took::kTaken;
}

}  // namespace orvanel
