#pragma once

#include <optional>

#include "regular_file.h"

namespace orvanel {

// The stamp of the file open as `descriptor`, on POSIX systems; nothing when
// it cannot be told. Linux asks the attributes the kernel holds (statx
// without a sync), in nanoseconds, so that asking never waits for a network or
// FUSE file system that stopped answering; other systems ask fstat.
[[nodiscard]] std::optional<FileStamp> StampOf(int descriptor);

}  // namespace orvanel
