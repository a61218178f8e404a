// Regular files on POSIX systems: opened without ever blocking, read with pread.
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include "base/regular_descriptor.h"
#include "base/unique_descriptor.h"
#include "descriptor_stamp.h"
#include "errors.h"
#include "regular_file.h"

namespace orvanel {
namespace {

class RegularFile final : public OpenFileBytes {
 public:
  RegularFile(std::string name, int descriptor) : name_(std::move(name)), descriptor_(descriptor) {}

  std::size_t ReadAt(std::int64_t offset, unsigned char* bytes, std::size_t size) override {
    std::size_t got = 0;
    while (got < size) {
      const ssize_t read = ::pread(descriptor_.Get(), bytes + got, size - got,
                                   static_cast<off_t>(offset + static_cast<std::int64_t>(got)));
      if (read < 0 && errno == EINTR) continue;
      if (read < 0) throw FileReadError(name_, SystemFailure(errno));
      if (read == 0) break;
      got += static_cast<std::size_t>(read);
    }
    return got;
  }

  std::optional<FileStamp> Stamp() override { return StampOf(descriptor_.Get()); }

 private:
  std::string name_;
  UniqueDescriptor descriptor_;
};

}  // namespace

std::unique_ptr<OpenFileBytes> OpenRegularFile(const std::string& utf8_name) {
  const RegularOpen opened = OpenRegularDescriptor(utf8_name, O_RDONLY | O_CREAT);
  if (opened.failure) throw FileOpenError(utf8_name, *opened.failure);
  return std::make_unique<RegularFile>(utf8_name, opened.descriptor);
}

}  // namespace orvanel
