#include "tick_workers.h"

#include <system_error>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#endif

namespace orvanel {

TickWorkers::TickWorkers(unsigned helpers) {
#ifndef _WIN32
  // The signals that end the program go to the window's thread, which acts on
  // them, never to a worker: a new thread inherits the mask of its maker.
  sigset_t ending{};
  sigemptyset(&ending);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&ending, signal);
  sigset_t previous{};
  pthread_sigmask(SIG_BLOCK, &ending, &previous);
#endif
  for (unsigned i = 0; i < helpers; ++i) {
    try {
      helpers_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
      break;  // fewer helpers: the caller and those there are share the parts
    }
  }
#ifndef _WIN32
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
#endif
}

TickWorkers::~TickWorkers() {
  {
    const std::lock_guard lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  for (auto& helper : helpers_) helper.join();
}

unsigned TickWorkers::HelpersForThisMachine() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 1 ? cores - 1 : 0;
}

bool TickWorkers::TakePart(std::size_t& index) {
  if (part_ == nullptr || next_ >= parts_) return false;
  index = next_++;
  return true;
}

void TickWorkers::Run(std::size_t parts, const std::function<void(std::size_t)>& part) {
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
    lock.unlock();
    part(index);
    lock.lock();
    --unfinished_;
  }
  done_.wait(lock, [this] { return unfinished_ == 0; });
  part_ = nullptr;
}

void TickWorkers::Work() {
  std::unique_lock lock(mutex_);
  unsigned long seen = 0;
  while (true) {
    wake_.wait(lock, [this, &seen] { return ending_ || (job_ != seen && part_ != nullptr); });
    if (ending_) return;
    seen = job_;
    std::size_t index = 0;
    while (TakePart(index)) {
      const auto* part = part_;
      lock.unlock();
      (*part)(index);
      lock.lock();
      if (--unfinished_ == 0) done_.notify_all();
    }
  }
}

}  // namespace orvanel
