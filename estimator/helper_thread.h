#pragma once

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace orvanel {

// Starts `work` on a thread of its own that nobody joins. The signals that end
// the program are blocked in it, so that they always reach a thread that can
// act on them, never one that hangs in a read. Where no thread can be started,
// `work` runs on the calling thread.
void StartHelperThread(std::function<void()> work);

// Runs `work` on a helper thread and waits for it at most `patience`. Nothing
// when the time runs out: the helper is left to finish alone and its result is
// dropped, so a call that hangs in the system (a network mount that stopped
// answering) never holds up the caller. An exception of `work` reaches the caller.
template <typename Result>
[[nodiscard]] std::optional<Result> RunWithPatience(std::chrono::milliseconds patience,
                                                    std::function<Result()> work) {
  struct Outcome {
    std::mutex mutex;
    std::condition_variable done;
    std::optional<Result> result;
    std::exception_ptr error;
    bool finished = false;
  };
  const auto outcome = std::make_shared<Outcome>();
  StartHelperThread([outcome, work = std::move(work)] {
    std::optional<Result> result;
    std::exception_ptr error;
    try {
      result.emplace(work());
    } catch (...) {
      error = std::current_exception();
    }
    const std::lock_guard lock(outcome->mutex);
    outcome->result = std::move(result);
    outcome->error = error;
    outcome->finished = true;
    outcome->done.notify_all();
  });
  std::unique_lock lock(outcome->mutex);
  if (!outcome->done.wait_for(lock, patience, [&outcome] { return outcome->finished; })) {
    return std::nullopt;
  }
  if (outcome->error) std::rethrow_exception(outcome->error);
  return std::move(outcome->result);
}

}  // namespace orvanel
