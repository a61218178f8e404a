#include "regular_descriptor.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace orvanel {
namespace {

using Outcome = RegularOpen::Outcome;

Outcome Kind(const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return Outcome::kFolder;
  return S_ISREG(status.st_mode) ? Outcome::kOpened : Outcome::kNotRegular;
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

}  // namespace orvanel
