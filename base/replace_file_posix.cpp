#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "replace_file.h"
#include "unique_descriptor.h"

namespace orvanel {
namespace {

constexpr std::string_view kTemporaryMark = ".saving-";

// Where a link that leads to nothing (yet) leads: the file a save creates in
// its place, so that the link stays a link and comes to lead to it.
std::optional<FileFailure> DanglingLinkTarget(std::string& target) {
  for (int hops = 0; hops < 40; ++hops) {
    std::string leads_to(PATH_MAX, '\0');
    const ssize_t size = ::readlink(target.c_str(), leads_to.data(), leads_to.size());
    if (size < 0) return SystemFailure(errno);
    leads_to.resize(static_cast<std::size_t>(size));
    const std::filesystem::path next(leads_to);
    target = next.is_absolute() ? leads_to
                                : (std::filesystem::path(target).parent_path() / next).string();
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0) {
      return errno == ENOENT ? std::nullopt : std::optional(SystemFailure(errno));
    }
    if (!S_ISLNK(status.st_mode)) return FileFailure{FileFailure::Kind::kNotRegular, 0};
  }
  return SystemFailure(ELOOP);
}

// The file a save is to replace: the name itself, or the regular file a link
// points to (made there when there is none). Nothing else may be replaced.
std::optional<FileFailure> ResolveTarget(const std::string& path, std::string& target,
                                         mode_t& mode) {
  target = path;
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    return errno == ENOENT ? std::nullopt : std::optional(SystemFailure(errno));
  }
  if (S_ISLNK(status.st_mode)) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!resolved) {
      return errno == ENOENT ? DanglingLinkTarget(target) : std::optional(SystemFailure(errno));
    }
    target = resolved.get();
    if (::stat(target.c_str(), &status) != 0) return SystemFailure(errno);
  }
  if (S_ISDIR(status.st_mode)) return FileFailure{FileFailure::Kind::kFolder, 0};
  if (!S_ISREG(status.st_mode)) return FileFailure{FileFailure::Kind::kNotRegular, 0};
  // A file the program writes stays readable and writable by its owner.
  mode = (status.st_mode & 07777) | S_IRUSR | S_IWUSR;
  return std::nullopt;
}

int WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// The rename is lasting only once the folder that holds it is on the disk too.
void FlushFolder(const std::filesystem::path& folder) {
  const UniqueDescriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (descriptor.IsOpen()) ::fsync(descriptor.Get());
}

// The temporary file's own name: the target's, the mark, the process and the
// attempt, so that no two attempts ever share one.
std::string TemporaryName(const std::string& target) {
  static std::atomic<unsigned long> attempts{0};
  return target + std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" +
         std::to_string(++attempts);
}

// A temporary file of a save that never finished: its copy of the program is
// gone.
void RemoveAbandonedTemporaries(const std::string& path) {
  const std::filesystem::path target(path);
  const std::string prefix = target.filename().string() + std::string(kTemporaryMark);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    // The number after the mark is the process that made it; an attempt's
    // number may follow.
    const char* digits = name.data() + prefix.size();
    const char* end = name.data() + name.size();
    pid_t owner = 0;
    const auto parsed = std::from_chars(digits, end, owner);
    if (parsed.ec != std::errc() || (parsed.ptr != end && *parsed.ptr != '-') || owner <= 0) {
      continue;
    }
    if (owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH) {
      std::filesystem::remove(entry.path(), error);
    }
  }
}

}  // namespace

std::optional<FileFailure> WriteWholeFile(const std::string& path, std::string_view bytes) {
  std::string target;
  mode_t mode = 0;  // none for a new file
  if (const auto refused = ResolveTarget(path, target, mode)) return refused;
  RemoveAbandonedTemporaries(target);
  const std::string temporary = TemporaryName(target);
  UniqueDescriptor descriptor(
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!descriptor.IsOpen()) return SystemFailure(errno);
  int error = WriteAll(descriptor.Get(), bytes);
  // A new file is made as the user's umask allows, but always readable and
  // writable by its owner: else the next start could not read the tally.
  struct stat made {};
  if (error == 0 && mode == 0) {
    if (::fstat(descriptor.Get(), &made) == 0) {
      mode = (made.st_mode & 07777) | S_IRUSR | S_IWUSR;
    } else {
      error = errno;
    }
  }
  if (error == 0 && ::fchmod(descriptor.Get(), mode) != 0) error = errno;
  if (error == 0 && ::fsync(descriptor.Get()) != 0) error = errno;
  const int close_error = descriptor.Close();
  if (error == 0) error = close_error;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return SystemFailure(error);
  }
  FlushFolder(std::filesystem::path(target).parent_path());
  return std::nullopt;
}

}  // namespace orvanel
