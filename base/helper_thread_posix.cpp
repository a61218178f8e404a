// Helper threads on POSIX systems: the signals that end the program are blocked
// in each, so the kernel delivers them to the window's thread, which acts on
// them.
#include <pthread.h>
#include <signal.h>

#include <thread>
#include <utility>

#include "helper_thread.h"

namespace orvanel {

std::thread StartThreadWithoutEndingSignals(std::function<void()> work) {
  // A new thread inherits the mask of the thread that starts it.
  sigset_t ending{};
  sigemptyset(&ending);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&ending, signal);
  sigset_t previous{};
  pthread_sigmask(SIG_BLOCK, &ending, &previous);
  struct RestoreMask {
    sigset_t mask;
    ~RestoreMask() { pthread_sigmask(SIG_SETMASK, &mask, nullptr); }
  } restore{previous};
  return std::thread(std::move(work));
}

void StartHelperThread(std::function<void()> work) {
  StartThreadWithoutEndingSignals(std::move(work)).detach();
}

}  // namespace orvanel
