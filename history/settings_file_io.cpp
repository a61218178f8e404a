#include "settings_file_io.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/regular_descriptor.h"
#include "base/unique_descriptor.h"

namespace orvanel {
namespace {

using FaultKind = StoreFault::Kind;

StoreFault SystemFault(int error) {
  return StoreFault{FaultKind::kSystem, error};
}

StoreFault NotRegular() {
  return StoreFault{FaultKind::kNotRegularFile, 0};
}

bool IsDanglingLink(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

// The file a save is to replace: the name itself, or the regular file a link
// points to. Nothing else may be replaced.
std::optional<StoreFault> ResolveTarget(const std::string& path, std::string& target,
                                        std::optional<mode_t>& mode) {
  target = path;
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    return errno == ENOENT ? std::nullopt : std::optional(SystemFault(errno));
  }
  if (S_ISLNK(status.st_mode)) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!resolved) return errno == ENOENT ? NotRegular() : SystemFault(errno);
    target = resolved.get();
    if (::stat(target.c_str(), &status) != 0) return SystemFault(errno);
  }
  if (!S_ISREG(status.st_mode)) return NotRegular();
  mode = status.st_mode & 07777;
  return std::nullopt;
}

constexpr std::string_view kTemporaryMark = ".saving-";

// A temporary file of a save that never finished: its copy of the program is
// gone (the number after the mark is its process id).
void RemoveAbandonedTemporaries(const std::filesystem::path& folder, const std::string& name) {
  const std::string prefix = name + std::string(kTemporaryMark);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string entry_name = entry.path().filename().string();
    if (entry_name.rfind(prefix, 0) != 0) continue;
    const char* digits = entry_name.data() + prefix.size();
    const char* end = entry_name.data() + entry_name.size();
    pid_t owner = 0;
    const auto parsed = std::from_chars(digits, end, owner);
    if (parsed.ec != std::errc() || parsed.ptr != end || owner <= 0) continue;
    if (owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH) {
      std::filesystem::remove(entry.path(), error);
    }
  }
}

int WriteAll(int descriptor, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t result = ::write(descriptor, text.data() + written, text.size() - written);
    if (result < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    written += static_cast<std::size_t>(result);
  }
  return 0;
}

// The rename is lasting only once the folder that holds it is on the disk too.
void FlushFolder(const std::filesystem::path& folder) {
  const UniqueDescriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (descriptor.IsOpen()) ::fsync(descriptor.Get());
}

}  // namespace

SettingsFileRead ReadSettingsFileBytes(const std::string& path, std::size_t limit) {
  SettingsFileRead read;
  const auto fail = [&read](StoreFault fault) {
    read.outcome = SettingsFileRead::Outcome::kFailed;
    read.fault = fault;
    return read;
  };
  const RegularOpen opened = OpenRegularDescriptor(path, O_RDONLY);
  switch (opened.outcome) {
    case RegularOpen::Outcome::kOpened:
      break;
    case RegularOpen::Outcome::kFolder:
    case RegularOpen::Outcome::kNotRegular:
      return fail(NotRegular());
    case RegularOpen::Outcome::kSystem:
      if (opened.error == ENOENT || opened.error == ENOTDIR) {
        return IsDanglingLink(path) ? fail(NotRegular()) : read;
      }
      return fail(SystemFault(opened.error));
  }
  const UniqueDescriptor descriptor(opened.descriptor);

  std::string bytes;
  char block[8192];
  while (true) {
    const ssize_t got = ::read(descriptor.Get(), block, sizeof block);
    if (got < 0) {
      if (errno == EINTR) continue;
      return fail(SystemFault(errno));
    }
    if (got == 0) break;
    if (bytes.size() + static_cast<std::size_t>(got) > limit) {
      return fail(StoreFault{FaultKind::kTooLarge, 0});
    }
    bytes.append(block, static_cast<std::size_t>(got));
  }
  read.outcome = SettingsFileRead::Outcome::kRead;
  read.bytes = std::move(bytes);
  return read;
}

std::optional<StoreFault> ReplaceSettingsFile(const std::string& path, const std::string& text) {
  std::string target;
  std::optional<mode_t> mode;
  if (const auto refused = ResolveTarget(path, target, mode)) return refused;

  const std::filesystem::path target_path(target);
  const std::filesystem::path folder = target_path.parent_path();
  std::error_code folder_error;
  std::filesystem::create_directories(folder, folder_error);
  if (folder_error) return SystemFault(folder_error.value());
  RemoveAbandonedTemporaries(folder, target_path.filename().string());

  const std::string temporary = target + std::string(kTemporaryMark) + std::to_string(::getpid());
  ::unlink(temporary.c_str());  // an earlier attempt of this very process that failed half-way
  UniqueDescriptor descriptor(
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!descriptor.IsOpen()) return SystemFault(errno);
  int error = WriteAll(descriptor.Get(), text);
  if (error == 0 && mode && ::fchmod(descriptor.Get(), *mode) != 0) error = errno;
  if (error == 0 && ::fsync(descriptor.Get()) != 0) error = errno;
  const int close_error = descriptor.Close();
  if (error == 0) error = close_error;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return SystemFault(error);
  }
  FlushFolder(folder);
  return std::nullopt;
}

}  // namespace orvanel
