// Regular files on Windows: device names refused unopened, the file system's
// own times as the stamp.
#include <cerrno>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include "base/windows_api.h"

#include "base/native_path.h"
#include "base/windows_device_name.h"
#include "errors.h"
#include "regular_file.h"

namespace orvanel {
namespace {

bool IsFolder(const struct _stat64& status) {
  return (status.st_mode & _S_IFMT) == _S_IFDIR;
}

bool IsRegular(const struct _stat64& status) {
  return (status.st_mode & _S_IFMT) == _S_IFREG;
}

void Refuse(const std::string& name, const struct _stat64& status) {
  if (IsFolder(status)) throw FileOpenError(name, FileFailure{FileFailure::Kind::kFolder, 0});
  if (!IsRegular(status)) throw FileOpenError(name, FileFailure{FileFailure::Kind::kNotRegular, 0});
}

int OpenForReading(const std::string& utf8_name) {
  const std::filesystem::path path = NativePath(utf8_name);
  if (NamesAWindowsDevice(path))
    throw FileOpenError(utf8_name, FileFailure{FileFailure::Kind::kDevice, 0});
  struct _stat64 status {};
  if (::_wstat64(path.c_str(), &status) == 0) Refuse(utf8_name, status);

  int descriptor = -1;
  const errno_t error =
      ::_wsopen_s(&descriptor, path.c_str(), _O_RDONLY | _O_BINARY | _O_CREAT | _O_NOINHERIT,
                  _SH_DENYNO, _S_IREAD | _S_IWRITE);
  if (error != 0 || descriptor < 0) {
    if (error == EISDIR) throw FileOpenError(utf8_name, FileFailure{FileFailure::Kind::kFolder, 0});
    // The C runtime calls a file another program holds "permission denied";
    // Windows itself knows better.
    const unsigned long system_error = _doserrno;
    const bool in_use =
        system_error == ERROR_SHARING_VIOLATION || system_error == ERROR_LOCK_VIOLATION;
    throw FileOpenError(utf8_name, SystemFailure(in_use ? EBUSY : error));
  }
  if (::_fstat64(descriptor, &status) != 0) {
    const int fstat_error = errno;
    ::_close(descriptor);
    throw FileOpenError(utf8_name, SystemFailure(fstat_error));
  }
  if (!IsRegular(status)) {
    ::_close(descriptor);
    Refuse(utf8_name, status);
  }
  return descriptor;
}

class RegularFile final : public OpenFileBytes {
 public:
  RegularFile(std::string name, int descriptor) : name_(std::move(name)), descriptor_(descriptor) {}
  ~RegularFile() override { ::_close(descriptor_); }
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  std::size_t ReadAt(std::int64_t offset, unsigned char* bytes, std::size_t size) override {
    // The position is set before every read: some C runtimes keep answering
    // "end of file" after one, until the next seek, and the file may have grown.
    if (::_lseeki64(descriptor_, offset, SEEK_SET) < 0)
      throw FileReadError(name_, SystemFailure(errno));
    std::size_t got = 0;
    while (got < size) {
      const int read = ::_read(descriptor_, bytes + got, static_cast<unsigned>(size - got));
      if (read < 0) throw FileReadError(name_, SystemFailure(errno));
      if (read == 0) break;
      got += static_cast<std::size_t>(read);
    }
    return got;
  }

  // The C runtime's fstat has whole seconds, and its change time is the
  // creation time: a rewrite of the same length within a second would go
  // unseen. The file system's own times have 100 ns.
  std::optional<FileStamp> Stamp() override {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor_));
    FILE_BASIC_INFO times{};
    FILE_STANDARD_INFO standard{};
    if (handle == INVALID_HANDLE_VALUE ||
        !::GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times) ||
        !::GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard)) {
      return std::nullopt;
    }
    return FileStamp{standard.EndOfFile.QuadPart, times.LastWriteTime.QuadPart,
                     times.ChangeTime.QuadPart};
  }

 private:
  std::string name_;
  int descriptor_;
};

}  // namespace

std::unique_ptr<OpenFileBytes> OpenRegularFile(const std::string& utf8_name) {
  return std::make_unique<RegularFile>(utf8_name, OpenForReading(utf8_name));
}

}  // namespace orvanel
