#pragma once

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "estimator/errors.h"
#include "estimator/estimator.h"
#include "estimator/pair_file.h"
#include "estimator/regular_file.h"

namespace orvanel::testing {

// A file in memory on a file system that can stop answering: while it is held,
// a read (or the open) waits, as on a network mount that went away.
struct HeldFileSystem {
  std::mutex mutex;
  std::condition_variable released;
  bool holdOpens = false;
  bool holdReads = false;
  bool failReads = false;
  std::vector<std::uint8_t> bytes;

  void Release() {
    const std::lock_guard lock(mutex);
    holdOpens = holdReads = false;
    released.notify_all();
  }
};

class HeldFile final : public OpenFileBytes {
 public:
  explicit HeldFile(std::shared_ptr<HeldFileSystem> system) : system_(std::move(system)) {}
  std::size_t ReadAt(std::int64_t offset, unsigned char* bytes, std::size_t size) override {
    std::unique_lock lock(system_->mutex);
    system_->released.wait(lock, [this] { return !system_->holdReads; });
    if (system_->failReads) throw FileReadError("held.bin", EIO);
    const auto& file = system_->bytes;
    const auto from = std::min<std::size_t>(static_cast<std::size_t>(offset), file.size());
    const std::size_t got = std::min(size, file.size() - from);
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(from), got, bytes);
    return got;
  }
  std::optional<FileStamp> Stamp() override {
    const std::lock_guard lock(system_->mutex);
    return FileStamp{static_cast<std::int64_t>(system_->bytes.size()), 0, 0};
  }

 private:
  std::shared_ptr<HeldFileSystem> system_;
};

// Opens a HeldFile on `system`, waiting while opens are held.
inline PairFileOpener HeldOpener(std::shared_ptr<HeldFileSystem> system,
                                 ReadAheadPatience patience) {
  return [system, patience](const std::string& name) {
    return std::make_unique<PairFile>(
        name,
        [system]() -> std::unique_ptr<OpenFileBytes> {
          std::unique_lock lock(system->mutex);
          system->released.wait(lock, [&system] { return !system->holdOpens; });
          return std::make_unique<HeldFile>(system);
        },
        patience);
  };
}

}  // namespace orvanel::testing
