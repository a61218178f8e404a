// Helper threads on Windows, where no signal ends the program.
//
// A helper nobody joins is a thread of the system's own, started with
// _beginthreadex and its handle closed at once. std::thread::detach() goes
// through the compiler's POSIX thread library, whose detach races with a thread
// that has already ended: the ended thread's record goes back to the library's
// pool while that thread's own exit still uses it, so that a thread started a
// moment later may begin with no work at all, or with a null one, and crash.
#include <process.h>

#include <cerrno>
#include <memory>
#include <system_error>
#include <thread>
#include <utility>

#include "helper_thread.h"
#include "windows_api.h"

namespace orvanel {
namespace {

unsigned __stdcall RunWork(void* start) {
  const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(start));
  (*work)();
  return 0;
}

}  // namespace

std::thread StartThreadWithoutEndingSignals(std::function<void()> work) {
  return std::thread(std::move(work));
}

void StartHelperThread(std::function<void()> work) {
  auto start = std::make_unique<std::function<void()>>(std::move(work));
  const std::uintptr_t thread = ::_beginthreadex(nullptr, 0, RunWork, start.get(), 0, nullptr);
  if (thread == 0) {
    throw std::system_error(errno == 0 ? EAGAIN : errno, std::generic_category(),
                            "cannot start a helper thread");
  }
  start.release();  // the thread owns it now
  ::CloseHandle(reinterpret_cast<HANDLE>(thread));
}

}  // namespace orvanel
