#include <fcntl.h>
#include <sys/stat.h>

#include "descriptor_stamp.h"

namespace orvanel {

std::optional<FileStamp> StampOf(int descriptor) {
  struct statx status {};
  if (::statx(descriptor, "", AT_EMPTY_PATH | AT_STATX_DONT_SYNC,
              STATX_SIZE | STATX_MTIME | STATX_CTIME, &status) != 0) {
    return std::nullopt;
  }
  const auto nanoseconds = [](const statx_timestamp& t) {
    return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
  };
  return FileStamp{static_cast<std::int64_t>(status.stx_size), nanoseconds(status.stx_mtime),
                   nanoseconds(status.stx_ctime)};
}

}  // namespace orvanel
