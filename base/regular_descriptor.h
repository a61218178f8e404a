#pragma once

#include <optional>
#include <string>

#include <sys/stat.h>
#include <sys/types.h>

#include "file_failure.h"

namespace orvanel {

// Opening a file that must be a regular one, on POSIX systems: the pair files
// and the settings file are both opened this way. The system calls are passed
// in, so that a test can make one fail as a file system may.
struct PosixFileCalls {
  int (*statName)(const char* name, struct stat* status);
  int (*open)(const char* name, int flags, mode_t mode);
  int (*statOpen)(int descriptor, struct stat* status);
  int (*close)(int descriptor);
};

// The system's own.
[[nodiscard]] const PosixFileCalls& SystemFileCalls();

// What opening a name that must be a regular file gave: an open descriptor
// (blocking, close-on-exec), or why not.
struct RegularOpen {
  int descriptor = -1;
  std::optional<FileFailure> failure;
};

// Opens `name` with `flags` (O_RDONLY, or with O_CREAT) only when it is a
// regular file or a link to one, never waiting for a FIFO's writer or a
// device: what the name is is asked first (a socket cannot be opened at all),
// the open does not block, and what was opened is asked again, as the name may
// change in between. Never hands back a descriptor it closed. A name with
// nothing behind it, opened without O_CREAT, fails with ENOENT.
[[nodiscard]] RegularOpen OpenRegularDescriptor(const std::string& name, int flags,
                                                const PosixFileCalls& calls = SystemFileCalls());

}  // namespace orvanel
