#include <atomic>
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include "windows_api.h"

#include "native_path.h"
#include "replace_file.h"
#include "windows_device_name.h"

namespace orvanel {
namespace {

// The C runtime's errno for what Windows said.
int ErrorNumber(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
      return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
      return ENOENT;
    default:
      return EIO;
  }
}

std::wstring TemporaryName(const std::wstring& target) {
  static std::atomic<unsigned long> attempts{0};
  return target + L".saving-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
         std::to_wstring(++attempts);
}

// Whether the process `id` has ended: its temporary files are abandoned.
bool Ended(DWORD id) {
  const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, id);
  if (process == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  ::CloseHandle(process);
  return ended;
}

// A temporary file of a save that never finished: its copy of the program is
// gone.
void RemoveAbandonedTemporaries(const std::filesystem::path& target) {
  const std::wstring prefix = target.filename().native() + L".saving-";
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), error)) {
    const std::wstring name = entry.path().filename().native();
    if (name.rfind(prefix, 0) != 0) continue;
    // The number after the mark is the process that made it; the attempt's follows.
    const std::wstring rest = name.substr(prefix.size());
    const auto dash = rest.find(L'-');
    if (dash == 0 || dash == std::wstring::npos) continue;
    DWORD owner = 0;
    bool digits = true;
    for (const wchar_t c : rest.substr(0, dash)) {
      if (c < L'0' || c > L'9') digits = false;
      owner = owner * 10 + static_cast<DWORD>(c - L'0');
    }
    if (digits && owner != ::GetCurrentProcessId() && Ended(owner)) {
      std::filesystem::remove(entry.path(), error);
    }
  }
}

}  // namespace

std::optional<FileFailure> WriteWholeFile(const std::string& path, std::string_view bytes) {
  const std::filesystem::path target = NativePath(path);
  if (NamesAWindowsDevice(target)) return FileFailure{FileFailure::Kind::kNotRegular, 0};
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileFailure{FileFailure::Kind::kFolder, 0};
    if (attributes & FILE_ATTRIBUTE_DEVICE) return FileFailure{FileFailure::Kind::kNotRegular, 0};
  }
  RemoveAbandonedTemporaries(target);
  const std::wstring temporary = TemporaryName(target.native());
  int descriptor = -1;
  if (const errno_t error = ::_wsopen_s(&descriptor, temporary.c_str(),
                                        _O_WRONLY | _O_BINARY | _O_CREAT | _O_EXCL | _O_NOINHERIT,
                                        _SH_DENYRW, _S_IREAD | _S_IWRITE);
      error != 0) {
    return SystemFailure(error);
  }
  int error = 0;
  while (error == 0 && !bytes.empty()) {
    const int written = ::_write(descriptor, bytes.data(), static_cast<unsigned>(bytes.size()));
    if (written < 0)
      error = errno;
    else
      bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  if (error == 0 && ::_commit(descriptor) != 0) error = errno;
  if (::_close(descriptor) != 0 && error == 0) error = errno;
  if (error == 0 && !::MoveFileExW(temporary.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = ErrorNumber(::GetLastError());
  }
  if (error != 0) {
    ::DeleteFileW(temporary.c_str());
    return SystemFailure(error);
  }
  return std::nullopt;
}

}  // namespace orvanel
