#include "helper_thread.h"

#include <system_error>
#include <thread>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#endif

namespace orvanel {

void StartHelperThread(std::function<void()> work) {
#ifndef _WIN32
  // A new thread inherits the mask of the thread that starts it.
  sigset_t ending{};
  sigemptyset(&ending);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&ending, signal);
  sigset_t previous{};
  pthread_sigmask(SIG_BLOCK, &ending, &previous);
#endif
  bool started = true;
  try {
    std::thread(work).detach();
  } catch (const std::system_error&) {
    started = false;
  }
#ifndef _WIN32
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
#endif
  if (!started) work();
}

}  // namespace orvanel
