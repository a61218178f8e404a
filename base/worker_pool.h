#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace orvanel {

// A parallel for: threads that work on the parts of one job together with the
// caller (Full Speed's ticks, split among the cores). The caller runs parts
// itself and returns when every part is done, so nothing of the job outlives
// the call. The threads wait, without cost, from
// one job to the next, and end with this object. Where the system starts fewer
// threads than asked (or none), the parts are shared among those there are.
class WorkerPool {
 public:
  // `helpers` threads beside the caller's.
  explicit WorkerPool(unsigned helpers);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // The threads that work on a job, the caller's included.
  [[nodiscard]] unsigned Count() const { return static_cast<unsigned>(helpers_.size()) + 1; }

  // Runs `part(0)` to `part(parts - 1)`, each once, on the workers and the
  // caller; returns when all are done. Should parts throw, the others still
  // run, and the first exception is thrown here, on the caller's thread.
  void Run(std::size_t parts, const std::function<void(std::size_t)>& part);

  // One less than the cores this process may use (usable_cores.h): with the
  // caller, every one of them.
  [[nodiscard]] static unsigned HelpersForThisMachine();

 private:
  void Work();
  bool TakePart(std::size_t& index);
  // Runs one part, keeping what it throws; the lock is not held meanwhile.
  void RunPart(const std::function<void(std::size_t)>& part, std::size_t index,
               std::unique_lock<std::mutex>& lock);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  const std::function<void(std::size_t)>* part_ = nullptr;
  std::size_t parts_ = 0;
  std::size_t next_ = 0;
  std::size_t unfinished_ = 0;
  unsigned long job_ = 0;
  bool ending_ = false;
  std::exception_ptr failed_;  // the first exception a part of the job threw
  std::vector<std::thread> helpers_;
};

}  // namespace orvanel
