#pragma once

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "estimator/errors.h"
#include "estimator/estimator.h"
#include "estimator/pair_file.h"
#include "estimator/regular_file.h"
#include "fakes.h"

namespace orvanel::testing {

// A file in memory on a file system that can stop answering: while it is held,
// an open, a read or a close waits, as on a network mount that went away. It
// counts what it did, so that a test can wait for a reader it left behind.
struct HeldFileSystem {
  std::mutex mutex;
  std::condition_variable changed;
  bool holdOpens = false;
  bool holdReads = false;
  bool holdCloses = false;
  bool failReads = false;
  std::vector<std::uint8_t> bytes;
  std::optional<std::int64_t> statedSize;  // what the file claims, when not its size
  int opened = 0;
  int closed = 0;
  int readsHeld = 0;  // reads waiting while reads are held

  void Release() {
    const std::lock_guard lock(mutex);
    holdOpens = holdReads = holdCloses = false;
    changed.notify_all();
  }
  // Whether `holds` came true within a time no load reaches.
  template <typename Condition>
  bool Within(Condition holds) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, kBeyondAnyLoad, holds);
  }
  // Whether every file opened was closed again.
  bool AllClosed() {
    return Within([this] { return closed == opened; });
  }
};

class HeldFile final : public OpenFileBytes {
 public:
  explicit HeldFile(std::shared_ptr<HeldFileSystem> system) : system_(std::move(system)) {}
  ~HeldFile() override {
    std::unique_lock lock(system_->mutex);
    system_->changed.wait(lock, [this] { return !system_->holdCloses; });
    ++system_->closed;
    system_->changed.notify_all();
  }
  std::size_t ReadAt(std::int64_t offset, unsigned char* bytes, std::size_t size) override {
    std::unique_lock lock(system_->mutex);
    ++system_->readsHeld;
    system_->changed.notify_all();
    system_->changed.wait(lock, [this] { return !system_->holdReads; });
    --system_->readsHeld;
    if (system_->failReads) throw FileReadError("held.bin", SystemFailure(EIO));
    const auto& file = system_->bytes;
    const auto from = std::min<std::size_t>(static_cast<std::size_t>(offset), file.size());
    const std::size_t got = std::min(size, file.size() - from);
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(from), got, bytes);
    return got;
  }
  std::optional<FileStamp> Stamp() override {
    const std::lock_guard lock(system_->mutex);
    return FileStamp{system_->statedSize.value_or(static_cast<std::int64_t>(system_->bytes.size())),
                     0, 0};
  }

 private:
  std::shared_ptr<HeldFileSystem> system_;
};

// Opens a HeldFile on `system`, waiting while opens are held.
inline ReadAhead::Opener HeldOpen(std::shared_ptr<HeldFileSystem> system) {
  return [system]() -> std::unique_ptr<OpenFileBytes> {
    std::unique_lock lock(system->mutex);
    system->changed.wait(lock, [&system] { return !system->holdOpens; });
    ++system->opened;
    system->changed.notify_all();
    return std::make_unique<HeldFile>(system);
  };
}

// Opens pair files on `system`.
inline PairFileOpener HeldOpener(std::shared_ptr<HeldFileSystem> system,
                                 ReadAheadPatience patience) {
  return [system, patience](const std::string& name) {
    return std::make_unique<PairFile>(name, HeldOpen(system), patience);
  };
}

}  // namespace orvanel::testing
