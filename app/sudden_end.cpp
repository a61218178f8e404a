#include "sudden_end.h"

#include <atomic>
#include <cstdlib>
#include <thread>

#include "base/process_end.h"
#include "gui/main/main_window.h"

namespace orvanel {
namespace {

std::atomic<Main*> windowToSave{nullptr};
std::thread::id windowThread;

void SaveBeforeTheEnd() {
  if (std::this_thread::get_id() != windowThread) return;
  Main* const window = windowToSave.exchange(nullptr);
  if (window == nullptr) return;
  EndProcess(window->SaveForSessionEnd() ? kEndedFromOutsideTallySaved : 1);
}

}  // namespace

SaveAtSuddenEnd::SaveAtSuddenEnd(Main& window) {
  static const bool registered = std::atexit(SaveBeforeTheEnd) == 0;
  (void)registered;
  windowThread = std::this_thread::get_id();
  windowToSave = &window;
}

SaveAtSuddenEnd::~SaveAtSuddenEnd() {
  windowToSave = nullptr;
}

}  // namespace orvanel
