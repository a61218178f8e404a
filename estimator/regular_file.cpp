#include "regular_file.h"

#include <cerrno>
#include <filesystem>

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

}  // namespace

int OpenRegularFileForReading(const std::string& utf8_name) {
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

std::size_t ReadBytes(int descriptor, unsigned char* bytes, std::size_t size,
                      const std::string& utf8_name) {
  std::size_t got = 0;
  while (got < size) {
#ifdef _WIN32
    const int read = ::_read(descriptor, bytes + got, static_cast<unsigned>(size - got));
#else
    const ssize_t read = ::read(descriptor, bytes + got, size - got);
    if (read < 0 && errno == EINTR) continue;
#endif
    if (read < 0) throw FileReadError(utf8_name, errno);
    if (read == 0) break;
    got += static_cast<std::size_t>(read);
  }
  return got;
}

std::optional<std::int64_t> LengthOfOpenFile(int descriptor) {
  FileStatus status{};
  if (!StatusOfOpenFile(descriptor, status)) return std::nullopt;
  return static_cast<std::int64_t>(status.st_size);
}

void CloseFile(int descriptor) {
#ifdef _WIN32
  ::_close(descriptor);
#else
  ::close(descriptor);
#endif
}

}  // namespace orvanel
