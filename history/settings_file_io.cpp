#include "settings_file_io.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/regular_descriptor.h"
#include "base/replace_file.h"
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

StoreFault FaultOf(const FileReplacement& replacement) {
  switch (replacement.outcome) {
    case FileReplacement::Outcome::kFolder:
    case FileReplacement::Outcome::kNotRegular:
      return NotRegular();
    case FileReplacement::Outcome::kSystem:
    case FileReplacement::Outcome::kReplaced:
      break;
  }
  return SystemFault(replacement.error);
}

// The folders between an existing `base` and `folder`, made one by one.
std::optional<StoreFault> MakeFoldersBelow(std::filesystem::path base,
                                           const std::filesystem::path& folder) {
  base = base.lexically_normal();
  if (!base.has_filename() && base != base.root_path()) base = base.parent_path();
  struct stat status {};
  if (base.empty() || base == base.root_path()) return SystemFault(ENOENT);
  if (::stat(base.c_str(), &status) != 0) return SystemFault(errno);
  if (!S_ISDIR(status.st_mode)) return SystemFault(ENOTDIR);
  std::filesystem::path made = base;
  for (const auto& part : folder.lexically_normal().lexically_relative(base)) {
    if (part == "." || part.empty()) continue;
    if (part == "..") return SystemFault(EACCES);  // not below the base: not ours to make
    made /= part;
    if (::mkdir(made.c_str(), 0700) == 0) {
      // Usable by its owner whatever the umask let the folder be made with.
      if (::chmod(made.c_str(), 0700) != 0) return SystemFault(errno);
    } else if (errno != EEXIST) {
      return SystemFault(errno);
    }
  }
  return std::nullopt;
}

// Renames `from` to `to` unless something is there already (EEXIST then): one
// call where the file system can, else a second name made and the first removed.
int RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  return ::unlink(from.c_str()) == 0 ? 0 : errno;
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
      // No file yet, also where a link leads to nothing: the save makes it.
      if (opened.error == ENOENT || opened.error == ENOTDIR) return read;
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

std::optional<StoreFault> ReplaceSettingsFile(const std::string& path, const std::string& text,
                                              const std::string& base_folder) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (const auto refused = MakeFoldersBelow(base_folder, folder)) return refused;
  const FileReplacement replaced = WriteWholeFile(path, text);
  if (replaced.outcome == FileReplacement::Outcome::kReplaced) return std::nullopt;
  return FaultOf(replaced);
}

std::optional<StoreFault> SettingsFileUnwritable(const std::string& path,
                                                 const std::string& base_folder) {
  // The nearest folder on the way that is there: a save replaces the file by a
  // rename, or makes the folders, in it.
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  const std::filesystem::path base = std::filesystem::path(base_folder).lexically_normal();
  struct stat status {};
  while (::stat(folder.c_str(), &status) != 0) {
    if (errno != ENOENT) return SystemFault(errno);
    if (folder == base || !folder.has_relative_path()) return SystemFault(ENOENT);
    folder = folder.parent_path();
  }
  if (!S_ISDIR(status.st_mode)) return SystemFault(ENOTDIR);
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return SystemFault(errno);
  return std::nullopt;
}

std::optional<StoreFault> SetAsideUnreadable(const std::string& path, const std::string& when) {
  std::string target = path;
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    return errno == ENOENT ? std::nullopt : std::optional(SystemFault(errno));
  }
  if (S_ISLNK(status.st_mode)) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!resolved) return errno == ENOENT ? std::nullopt : std::optional(SystemFault(errno));
    target = resolved.get();
  }
  const std::string aside = target + ".unreadable-" + when;
  for (int number = 1; number < 1000; ++number) {
    const std::string name = number == 1 ? aside : aside + "-" + std::to_string(number);
    const int error = RenameWithoutReplacing(target, name);
    if (error == EEXIST) continue;  // another copy set one aside under this name
    if (error == 0 || error == ENOENT) return std::nullopt;
    return SystemFault(error);
  }
  return SystemFault(EEXIST);
}

}  // namespace orvanel
