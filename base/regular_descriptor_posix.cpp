#include "regular_descriptor.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace orvanel {
namespace {

// Why `status` is no regular file; nothing when it is one.
std::optional<FileFailure> NotRegular(const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return FileFailure{FileFailure::Kind::kFolder, 0};
  if (!S_ISREG(status.st_mode)) return FileFailure{FileFailure::Kind::kNotRegular, 0};
  return std::nullopt;
}

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
  if (calls.statName(name.c_str(), &status) == 0) {
    if (auto refused = NotRegular(status)) return RegularOpen{-1, refused};
  }
  // O_NONBLOCK: a FIFO that slipped in after the look above would otherwise
  // make the open wait for a writer.
  errno = 0;
  const int descriptor = calls.open(name.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    if (errno == EISDIR) return RegularOpen{-1, FileFailure{FileFailure::Kind::kFolder, 0}};
    return RegularOpen{-1, SystemFailure(errno)};
  }
  // What was opened counts, whatever the name means by now.
  std::optional<FileFailure> refused;
  if (calls.statOpen(descriptor, &status) != 0) {
    refused = SystemFailure(errno);
  } else {
    refused = NotRegular(status);
  }
  if (!refused) {
    // Reads of a regular file never wait for a writer; the flag has done its job.
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return RegularOpen{descriptor, std::nullopt};
  }
  calls.close(descriptor);
  return RegularOpen{-1, refused};
}

}  // namespace orvanel
