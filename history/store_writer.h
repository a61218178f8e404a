#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "base/helper_thread.h"
#include "settings_store.h"

namespace orvanel {

// What came of one write that runs on a thread of its own: the thread that
// began it looks, the writing thread tells.
class WriteOutcome {
 public:
  [[nodiscard]] bool Finished() const;
  // Once finished: the fault the write met; nothing when it held.
  [[nodiscard]] std::optional<FileFailure> Fault() const;
  // Waits until the write has finished, at most until `deadline`. True when it has.
  [[nodiscard]] bool FinishedBy(std::chrono::steady_clock::time_point deadline) const;
  void Finish(std::optional<FileFailure> fault);

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable finished_;
  bool done_ = false;
  std::optional<FileFailure> fault_;
};

// The writes of one store, one at a time, each on a helper thread, so that an
// older tally never lands after a newer one and the caller waits on the system
// no longer than it chooses: a write that outlives the caller's patience
// finishes alone, and the next one waits for it. Used from one thread.
class StoreWriter {
 public:
  // Writes what is to be written, on the helper; nothing when it held.
  using Write = std::function<std::optional<FileFailure>()>;

  explicit StoreWriter(std::string location, HelperThreadStarter start = StartHelperThread)
      : location_(std::move(location)), start_(start) {}

  // Whether a write is still under way.
  [[nodiscard]] bool Busy() const { return inFlight_ && !inFlight_->Finished(); }

  // Runs `write` once the write in flight has finished, waiting for both at
  // most until `deadline`. Throws HistoryError with the write's fault; with
  // kNoAnswer when the write in flight did not finish in time (nothing was
  // written), kUnfinished when this one did not (it may still land);
  // kNoThread when no helper could start.
  void Run(Write write, std::chrono::steady_clock::time_point deadline);

  // Begins `write` and returns at once with what will come of it; nothing when
  // a write is still under way (nothing is begun then). Throws HistoryError
  // kNoThread when no helper could start.
  [[nodiscard]] std::shared_ptr<const WriteOutcome> Begin(Write write);

 private:
  std::string location_;
  HelperThreadStarter start_;
  std::shared_ptr<const WriteOutcome> inFlight_;
};

}  // namespace orvanel
