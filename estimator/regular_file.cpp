#include "regular_file.h"

#include <cerrno>
#include <cwctype>
#include <filesystem>
#include <utility>

#include "errors.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvanel {
namespace {

#ifdef _WIN32
using FileStatus = struct _stat64;
bool IsFolder(const FileStatus& status) {
  return (status.st_mode & _S_IFMT) == _S_IFDIR;
}
bool IsRegular(const FileStatus& status) {
  return (status.st_mode & _S_IFMT) == _S_IFREG;
}
bool StatusOfName(const std::string& name, FileStatus& status) {
  const std::filesystem::path path(std::u8string(name.begin(), name.end()));
  return ::_wstat64(path.c_str(), &status) == 0;
}
bool StatusOfOpenFile(int descriptor, FileStatus& status) {
  return ::_fstat64(descriptor, &status) == 0;
}
#else
using FileStatus = struct stat;
bool IsFolder(const FileStatus& status) {
  return S_ISDIR(status.st_mode);
}
bool IsRegular(const FileStatus& status) {
  return S_ISREG(status.st_mode);
}
bool StatusOfName(const std::string& name, FileStatus& status) {
  return ::stat(name.c_str(), &status) == 0;
}
bool StatusOfOpenFile(int descriptor, FileStatus& status) {
  return ::fstat(descriptor, &status) == 0;
}
#endif

#ifdef _WIN32
// Windows opens a device, not a file, for the names of its devices (NUL, CON,
// COM1, …) in any folder and with any extension, and for any name in its device
// namespace (\\.\pipe\…, \\.\PhysicalDrive0): none may even be opened, as
// the open alone could wait for the device.
bool NamesADevice(const std::string& utf8_name) {
  const std::filesystem::path path(std::u8string(utf8_name.begin(), utf8_name.end()));
  std::wstring whole = path.native();
  for (auto& c : whole) c = c == L'/' ? L'\\' : static_cast<wchar_t>(std::towupper(c));
  if (whole.rfind(L"\\\\.\\", 0) == 0) return true;
  if (whole.rfind(L"\\\\?\\", 0) == 0) {
    // Long paths on a disk are fine: \\?\C:\… and \\?\UNC\…
    const std::wstring rest = whole.substr(4);
    const bool disk = rest.size() >= 2 && rest[1] == L':';
    if (!disk && rest.rfind(L"UNC\\", 0) != 0) return true;
  }
  std::wstring stem = path.filename().native();
  stem = stem.substr(0, stem.find(L'.'));
  while (!stem.empty() && (stem.back() == L' ' || stem.back() == L':')) stem.pop_back();
  for (auto& c : stem) c = static_cast<wchar_t>(std::towupper(c));
  for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
    if (stem == device) return true;
  }
  return stem.size() == 4 && (stem.rfind(L"COM", 0) == 0 || stem.rfind(L"LPT", 0) == 0) &&
         stem[3] >= L'1' && stem[3] <= L'9';
}
#endif

void RefuseAnythingButARegularFile(const std::string& name, const FileStatus& status) {
  if (IsFolder(status)) throw FileOpenError(name, FileOpenError::Reason::kFolder, 0);
  if (!IsRegular(status)) throw FileOpenError(name, FileOpenError::Reason::kNotRegular, 0);
}

int OpenOrCreate(const std::string& name) {
#ifdef _WIN32
  const std::filesystem::path path(std::u8string(name.begin(), name.end()));
  int descriptor = -1;
  errno = ::_wsopen_s(&descriptor, path.c_str(), _O_RDONLY | _O_BINARY | _O_CREAT | _O_NOINHERIT,
                      _SH_DENYNO, _S_IREAD | _S_IWRITE);
  return descriptor;
#else
  // O_NONBLOCK: a FIFO that slipped past the check below would otherwise wait
  // here for a writer, with the window's only thread.
  return ::open(name.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
#endif
}

void CloseFile(int descriptor) {
#ifdef _WIN32
  ::_close(descriptor);
#else
  ::close(descriptor);
#endif
}

int OpenRegularFileForReading(const std::string& utf8_name) {
#ifdef _WIN32
  if (NamesADevice(utf8_name))
    throw FileOpenError(utf8_name, FileOpenError::Reason::kNotRegular, 0);
#endif
  // Sockets cannot be opened at all, so what the name is must be asked first;
  // what was opened is asked again below, as the name may change in between.
  FileStatus status{};
  if (StatusOfName(utf8_name, status)) RefuseAnythingButARegularFile(utf8_name, status);

  errno = 0;
  const int descriptor = OpenOrCreate(utf8_name);
  if (descriptor < 0) {
    if (errno == EISDIR) throw FileOpenError(utf8_name, FileOpenError::Reason::kFolder, 0);
    throw FileOpenError(utf8_name, FileOpenError::Reason::kSystem, errno);
  }
  if (!StatusOfOpenFile(descriptor, status) || !IsRegular(status)) {
    const FileStatus what = status;
    CloseFile(descriptor);
    RefuseAnythingButARegularFile(utf8_name, what);
  }
#ifndef _WIN32
  // Reads of a regular file never wait for a writer; the flag has done its job.
  ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
#endif
  return descriptor;
}

class RegularFile final : public OpenFileBytes {
 public:
  RegularFile(std::string name, int descriptor) : name_(std::move(name)), descriptor_(descriptor) {}
  ~RegularFile() override { CloseFile(descriptor_); }
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  std::size_t ReadAt(std::int64_t offset, unsigned char* bytes, std::size_t size) override {
    std::size_t got = 0;
#ifdef _WIN32
    // The position is set before every read: some C runtimes keep answering
    // "end of file" after one, until the next seek, and the file may have grown.
    if (::_lseeki64(descriptor_, offset, SEEK_SET) < 0) throw FileReadError(name_, errno);
    while (got < size) {
      const int read = ::_read(descriptor_, bytes + got, static_cast<unsigned>(size - got));
      if (read < 0) throw FileReadError(name_, errno);
      if (read == 0) break;
      got += static_cast<std::size_t>(read);
    }
#else
    while (got < size) {
      const ssize_t read = ::pread(descriptor_, bytes + got, size - got,
                                   static_cast<off_t>(offset + static_cast<std::int64_t>(got)));
      if (read < 0 && errno == EINTR) continue;
      if (read < 0) throw FileReadError(name_, errno);
      if (read == 0) break;
      got += static_cast<std::size_t>(read);
    }
#endif
    return got;
  }

  std::optional<FileStamp> Stamp() override {
#if defined(__linux__)
    // From the attributes the kernel holds: a network or FUSE file system that
    // stopped answering is not asked.
    struct statx status {};
    if (::statx(descriptor_, "", AT_EMPTY_PATH | AT_STATX_DONT_SYNC,
                STATX_SIZE | STATX_MTIME | STATX_CTIME, &status) != 0) {
      return std::nullopt;
    }
    const auto nanoseconds = [](const statx_timestamp& t) {
      return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
    };
    return FileStamp{static_cast<std::int64_t>(status.stx_size), nanoseconds(status.stx_mtime),
                     nanoseconds(status.stx_ctime)};
#else
    FileStatus status{};
    if (!StatusOfOpenFile(descriptor_, status)) return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(status.st_size),
                     static_cast<std::int64_t>(status.st_mtime) * 1'000'000'000,
                     static_cast<std::int64_t>(status.st_ctime) * 1'000'000'000};
#endif
  }

 private:
  std::string name_;
  int descriptor_;
};

}  // namespace

std::unique_ptr<OpenFileBytes> OpenRegularFile(const std::string& utf8_name) {
  return std::make_unique<RegularFile>(utf8_name, OpenRegularFileForReading(utf8_name));
}

}  // namespace orvanel
