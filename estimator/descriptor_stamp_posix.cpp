#include <sys/stat.h>

#include "descriptor_stamp.h"

namespace orvanel {

std::optional<FileStamp> StampOf(int descriptor) {
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) return std::nullopt;
  return FileStamp{static_cast<std::int64_t>(status.st_size),
                   static_cast<std::int64_t>(status.st_mtime) * 1'000'000'000,
                   static_cast<std::int64_t>(status.st_ctime) * 1'000'000'000};
}

}  // namespace orvanel
