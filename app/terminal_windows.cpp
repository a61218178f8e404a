#include "terminal.h"

#include <windows.h>

namespace orvanel {
namespace {

// The handle of `stream`: the one the program was given, else the console of
// the terminal it was started from, if any.
HANDLE HandleOf(std::FILE* stream) {
  const DWORD which = stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
    if (AttachConsole(ATTACH_PARENT_PROCESS) == 0 && GetLastError() != ERROR_ACCESS_DENIED) {
      return nullptr;
    }
    handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    SetStdHandle(which, handle);
  }
  return handle;
}

}  // namespace

void WriteToTerminal(std::FILE* stream, const QString& text) {
  HANDLE handle = HandleOf(stream);
  if (handle == nullptr) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode) != 0) {
    // A console shows UTF-16 whatever its code page.
    (void)WriteConsoleW(handle, reinterpret_cast<const wchar_t*>(text.utf16()),
                        static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  (void)std::fflush(stream);
  const QByteArray bytes = text.toUtf8();
  (void)WriteFile(handle, bytes.constData(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace orvanel
