// One copy per user on Windows: the named mark "Orvanel.Running", held until
// the process ends (the installer and the uninstaller ask for it too), and the
// first copy's main window, found by its title, brought forward by the later
// copy itself.
#include <QWidget>

#include <chrono>
#include <string>
#include <thread>

#include "base/windows_api.h"
#include "single_copy.h"

namespace orvanel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kAnswerPatience{1000};

struct Search {
  DWORD self = 0;
  HWND found = nullptr;
};

// Another process's main window called "Orvanel": not owned by another window,
// as its messages are.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM search_address) {
  auto& search = *reinterpret_cast<Search*>(search_address);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process == search.self || ::GetWindow(window, GW_OWNER) != nullptr) return TRUE;
  wchar_t title[16] = {};
  if (::GetWindowTextW(window, title, 16) <= 0 || std::wstring(title) != L"Orvanel") return TRUE;
  search.found = window;
  return FALSE;
}

// The first copy may have made its mark a moment ago and not show its window
// yet: looked for again until the patience runs out.
SingleCopy::Claim BringTheFirstForward() {
  const auto deadline = Clock::now() + kAnswerPatience;
  do {
    Search search{::GetCurrentProcessId(), nullptr};
    ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      DWORD_PTR ignored = 0;
      if (left.count() <= 0 ||
          ::SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                static_cast<UINT>(left.count()), &ignored) == 0) {
        break;
      }
      if (::IsIconic(search.found)) ::ShowWindow(search.found, SW_RESTORE);
      ::SetForegroundWindow(search.found);
      return SingleCopy::Claim::kBroughtForward;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (Clock::now() < deadline);
  return SingleCopy::Claim::kOtherDoesNotAnswer;
}

}  // namespace

struct SingleCopy::Place {};

SingleCopy::SingleCopy() {
  // Never closed: the system closes it with the process.
  const HANDLE mark = ::CreateMutexW(nullptr, FALSE, L"Orvanel.Running");
  if (mark != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mark);
    claim_ = BringTheFirstForward();
  }
}

SingleCopy::~SingleCopy() = default;

// The later copy brings the window forward itself.
void SingleCopy::BringForwardOnRequest(QWidget&) {}

}  // namespace orvanel
