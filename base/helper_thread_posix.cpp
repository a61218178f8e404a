// Helper threads on POSIX systems: the signals that end the program are blocked
// in each, so the kernel delivers them to the window's thread, which acts on
// them.
//
// A helper nobody joins is started detached. Detaching it afterwards
// (std::thread::detach) races with a thread that has already ended: under
// AddressSanitizer that detach read the ended thread's freed record and
// crashed, one run in twenty of 20,000 helpers.
#include <pthread.h>
#include <signal.h>

#include <exception>
#include <memory>
#include <system_error>
#include <thread>
#include <utility>

#include "helper_thread.h"

namespace orvanel {
namespace {

// Blocks the signals that end the program in this thread for its lifetime; a
// new thread inherits the mask of the thread that starts it.
class EndingSignalsBlocked {
 public:
  EndingSignalsBlocked() {
    sigset_t ending{};
    sigemptyset(&ending);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&ending, signal);
    pthread_sigmask(SIG_BLOCK, &ending, &previous_);
  }
  ~EndingSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  EndingSignalsBlocked(const EndingSignalsBlocked&) = delete;
  EndingSignalsBlocked& operator=(const EndingSignalsBlocked&) = delete;

 private:
  sigset_t previous_{};
};

extern "C" void* RunWork(void* start) {
  const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(start));
  try {
    (*work)();
  } catch (...) {
    std::terminate();  // as std::thread does
  }
  return nullptr;
}

}  // namespace

std::thread StartThreadWithoutEndingSignals(std::function<void()> work) {
  const EndingSignalsBlocked blocked;
  return std::thread(std::move(work));
}

void StartHelperThread(std::function<void()> work) {
  auto start = std::make_unique<std::function<void()>>(std::move(work));
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  pthread_t thread{};
  int error = 0;
  {
    const EndingSignalsBlocked blocked;
    error = pthread_create(&thread, &attributes, RunWork, start.get());
  }
  pthread_attr_destroy(&attributes);
  if (error != 0)
    throw std::system_error(error, std::generic_category(), "cannot start a helper thread");
  start.release();  // the thread owns it now
}

}  // namespace orvanel
