#include "helper_thread.h"

#include <thread>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#endif

namespace orvanel {

std::thread StartThreadWithoutEndingSignals(std::function<void()> work) {
#ifndef _WIN32
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
#endif
  return std::thread(std::move(work));
}

void StartHelperThread(std::function<void()> work) {
  StartThreadWithoutEndingSignals(std::move(work)).detach();
}

}  // namespace orvanel
