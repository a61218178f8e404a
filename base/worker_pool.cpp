#include "worker_pool.h"

#include <system_error>
#include <utility>

#include "helper_thread.h"
#include "usable_cores.h"

namespace orvanel {

WorkerPool::WorkerPool(unsigned helpers) {
  // The signals that end the program go to the window's thread, which acts on
  // them, never to a worker.
  for (unsigned i = 0; i < helpers; ++i) {
    try {
      helpers_.push_back(StartThreadWithoutEndingSignals([this] { Work(); }));
    } catch (const std::system_error&) {
      break;  // fewer helpers: the caller and those there are share the parts
    }
  }
}

WorkerPool::~WorkerPool() {
  {
    const std::lock_guard lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  for (auto& helper : helpers_) helper.join();
}

unsigned WorkerPool::HelpersForThisMachine() {
  return UsableCores() - 1;
}

bool WorkerPool::TakePart(std::size_t& index) {
  if (part_ == nullptr || next_ >= parts_) return false;
  index = next_++;
  return true;
}

void WorkerPool::Run(std::size_t parts, const std::function<void(std::size_t)>& part) {
  std::unique_lock lock(mutex_);
  part_ = &part;
  parts_ = parts;
  next_ = 0;
  unfinished_ = parts;
  ++job_;
  lock.unlock();
  wake_.notify_all();
  lock.lock();
  std::size_t index = 0;
  while (TakePart(index)) {
    RunPart(part, index, lock);
    --unfinished_;
  }
  done_.wait(lock, [this] { return unfinished_ == 0; });
  part_ = nullptr;
  if (failed_) std::rethrow_exception(std::exchange(failed_, nullptr));
}

void WorkerPool::RunPart(const std::function<void(std::size_t)>& part, std::size_t index,
                         std::unique_lock<std::mutex>& lock) {
  lock.unlock();
  std::exception_ptr failed;
  try {
    part(index);
  } catch (...) {
    failed = std::current_exception();
  }
  lock.lock();
  if (failed && !failed_) failed_ = failed;
}

void WorkerPool::Work() {
  std::unique_lock lock(mutex_);
  unsigned long seen = 0;
  while (true) {
    wake_.wait(lock, [this, &seen] { return ending_ || (job_ != seen && part_ != nullptr); });
    if (ending_) return;
    seen = job_;
    std::size_t index = 0;
    while (TakePart(index)) {
      RunPart(*part_, index, lock);
      if (--unfinished_ == 0) done_.notify_all();
    }
  }
}

}  // namespace orvanel
