#pragma once

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace orvanel {

// Starts `work` on a new thread in which the signals that end the program are
// blocked, so that they always reach a thread that can act on them. Throws
// std::system_error when the system can start no thread.
[[nodiscard]] std::thread StartThreadWithoutEndingSignals(std::function<void()> work);

// Starts `work` on a thread of its own that nobody joins. The signals that end
// the program are blocked in it, so that they always reach a thread that can
// act on them, never one that hangs in a read. Throws std::system_error when
// the system can start no thread; `work` then never runs: the caller's thread
// is the window's, and work meant for a helper may never end.
void StartHelperThread(std::function<void()> work);

// How a helper thread is started; tests put in one that cannot start any.
using HelperThreadStarter = void (*)(std::function<void()> work);

// Runs `work` on a helper thread and waits for it at most `patience`. Nothing
// when the time runs out: the helper is left to finish alone and its result is
// dropped, so a call that hangs in the system (a network mount that stopped
// answering) never holds up the caller. An exception of `work` reaches the
// caller, and so does the std::system_error of a thread that could not start.
template <typename Result>
[[nodiscard]] std::optional<Result> RunWithPatience(std::chrono::milliseconds patience,
                                                    std::function<Result()> work,
                                                    HelperThreadStarter start = StartHelperThread) {
  struct Outcome {
    std::mutex mutex;
    std::condition_variable done;
    std::optional<Result> result;
    std::exception_ptr error;
    bool finished = false;
  };
  const auto outcome = std::make_shared<Outcome>();
  start([outcome, work = std::move(work)] {
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
