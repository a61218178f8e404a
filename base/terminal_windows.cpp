#include <io.h>

#include <string>

#include "terminal.h"
#include "windows_api.h"

namespace orvanel {
namespace {

// The console of the terminal the program was started from, if any.
HANDLE ParentConsole() {
  static const HANDLE console = [] {
    if (::AttachConsole(ATTACH_PARENT_PROCESS) == 0 && ::GetLastError() != ERROR_ACCESS_DENIED) {
      return INVALID_HANDLE_VALUE;
    }
    return ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  }();
  return console;
}

// A console shows UTF-16 whatever its code page.
void WriteToConsole(HANDLE console, std::string_view text) {
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  wide.resize(static_cast<std::size_t>(
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), size)));
  DWORD written = 0;
  (void)::WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

}  // namespace

void WriteToTerminal(std::FILE* stream, std::string_view text) {
  (void)std::fflush(stream);
  const int descriptor = _fileno(stream);
  const auto handle =
      reinterpret_cast<HANDLE>(descriptor >= 0 ? _get_osfhandle(descriptor) : intptr_t{-1});
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
    if (ParentConsole() != INVALID_HANDLE_VALUE) WriteToConsole(ParentConsole(), text);
    return;
  }
  DWORD mode = 0;
  if (::GetConsoleMode(handle, &mode) != 0) {
    WriteToConsole(handle, text);
    return;
  }
  (void)std::fwrite(text.data(), 1, text.size(), stream);
  (void)std::fflush(stream);
}

}  // namespace orvanel
