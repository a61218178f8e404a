// Regular files on POSIX systems: opened without ever blocking, read with pread.
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include "errors.h"
#include "posix_file_calls.h"
#include "regular_file.h"

namespace orvanel {
namespace {

using Outcome = RegularOpen::Outcome;

Outcome Kind(const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return Outcome::kFolder;
  return S_ISREG(status.st_mode) ? Outcome::kOpened : Outcome::kNotRegular;
}

class RegularFile final : public OpenFileBytes {
 public:
  RegularFile(std::string name, int descriptor) : name_(std::move(name)), descriptor_(descriptor) {}
  ~RegularFile() override { ::close(descriptor_); }
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  std::size_t ReadAt(std::int64_t offset, unsigned char* bytes, std::size_t size) override {
    std::size_t got = 0;
    while (got < size) {
      const ssize_t read = ::pread(descriptor_, bytes + got, size - got,
                                   static_cast<off_t>(offset + static_cast<std::int64_t>(got)));
      if (read < 0 && errno == EINTR) continue;
      if (read < 0) throw FileReadError(name_, errno);
      if (read == 0) break;
      got += static_cast<std::size_t>(read);
    }
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
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) return std::nullopt;
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

const PosixFileCalls& SystemFileCalls() {
  static const PosixFileCalls calls{
      [](const char* name, struct stat* status) { return ::stat(name, status); },
      [](const char* name, int flags, mode_t mode) { return ::open(name, flags, mode); },
      [](int descriptor, struct stat* status) { return ::fstat(descriptor, status); },
      [](int descriptor) { return ::close(descriptor); }};
  return calls;
}

RegularOpen OpenRegularDescriptor(const std::string& name, int flags, const PosixFileCalls& calls) {
  // Sockets cannot be opened at all, so what the name is must be asked first.
  struct stat status {};
  if (calls.statName(name.c_str(), &status) == 0 && Kind(status) != Outcome::kOpened) {
    return RegularOpen{Kind(status), -1, 0};
  }
  // O_NONBLOCK: a FIFO that slipped in after the look above would otherwise
  // make the open wait for a writer.
  errno = 0;
  const int descriptor = calls.open(name.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    if (errno == EISDIR) return RegularOpen{Outcome::kFolder, -1, 0};
    return RegularOpen{Outcome::kSystem, -1, errno};
  }
  // What was opened counts, whatever the name means by now.
  RegularOpen refused{Outcome::kSystem, -1, 0};
  if (calls.statOpen(descriptor, &status) != 0) {
    refused.error = errno;
  } else if (Kind(status) != Outcome::kOpened) {
    refused.outcome = Kind(status);
  } else {
    // Reads of a regular file never wait for a writer; the flag has done its job.
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return RegularOpen{Outcome::kOpened, descriptor, 0};
  }
  calls.close(descriptor);
  return refused;
}

std::unique_ptr<OpenFileBytes> OpenRegularFile(const std::string& utf8_name) {
  const RegularOpen opened = OpenRegularDescriptor(utf8_name, O_RDONLY | O_CREAT);
  switch (opened.outcome) {
    case Outcome::kOpened:
      return std::make_unique<RegularFile>(utf8_name, opened.descriptor);
    case Outcome::kFolder:
      throw FileOpenError(utf8_name, FileOpenError::Reason::kFolder, 0);
    case Outcome::kNotRegular:
      throw FileOpenError(utf8_name, FileOpenError::Reason::kNotRegular, 0);
    case Outcome::kSystem:
      break;
  }
  throw FileOpenError(utf8_name, FileOpenError::Reason::kSystem, opened.error);
}

}  // namespace orvanel
