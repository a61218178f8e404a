// Regular files on POSIX systems: opened without ever blocking, read with pread.
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include "base/regular_descriptor.h"
#include "base/unique_descriptor.h"
#include "errors.h"
#include "regular_file.h"

namespace orvanel {
namespace {

using Outcome = RegularOpen::Outcome;

class RegularFile final : public OpenFileBytes {
 public:
  RegularFile(std::string name, int descriptor) : name_(std::move(name)), descriptor_(descriptor) {}

  std::size_t ReadAt(std::int64_t offset, unsigned char* bytes, std::size_t size) override {
    std::size_t got = 0;
    while (got < size) {
      const ssize_t read = ::pread(descriptor_.Get(), bytes + got, size - got,
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
    if (::statx(descriptor_.Get(), "", AT_EMPTY_PATH | AT_STATX_DONT_SYNC,
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
    if (::fstat(descriptor_.Get(), &status) != 0) return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(status.st_size),
                     static_cast<std::int64_t>(status.st_mtime) * 1'000'000'000,
                     static_cast<std::int64_t>(status.st_ctime) * 1'000'000'000};
#endif
  }

 private:
  std::string name_;
  UniqueDescriptor descriptor_;
};

}  // namespace

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
