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

using FaultKind = FileFailure::Kind;

FileFailure NotRegular() {
  return FileFailure{FaultKind::kNotRegular, 0};
}

// A folder in the settings file's place is, for the settings, not a regular
// file either.
FileFailure AsSettingsFile(const FileFailure& failure) {
  return failure.kind == FaultKind::kFolder ? NotRegular() : failure;
}

// Whether `folder`, which is not there, would have to be made right in the
// file system's root: that is the administrator's to do, never a save's.
bool WouldBeMadeAtTheRoot(const std::filesystem::path& folder) {
  return folder.parent_path() == folder.root_path();
}

// The folders between an existing `base` and `folder`, made one by one where
// they are missing.
std::optional<FileFailure> MakeFoldersBelow(std::filesystem::path base,
                                            const std::filesystem::path& folder) {
  base = base.lexically_normal();
  if (!base.has_filename() && base != base.root_path()) base = base.parent_path();
  struct stat status {};
  if (base.empty()) return SystemFailure(ENOENT);
  if (::stat(base.c_str(), &status) != 0) return SystemFailure(errno);
  if (!S_ISDIR(status.st_mode)) return SystemFailure(ENOTDIR);
  std::filesystem::path made = base;
  for (const auto& part : folder.lexically_normal().lexically_relative(base)) {
    if (part == "." || part.empty()) continue;
    if (part == "..") return SystemFailure(EACCES);  // not below the base: not ours to make
    made /= part;
    if (::stat(made.c_str(), &status) == 0) continue;
    if (WouldBeMadeAtTheRoot(made)) return SystemFailure(ENOENT);
    if (::mkdir(made.c_str(), 0700) == 0) {
      // Usable by its owner whatever the umask let the folder be made with.
      if (::chmod(made.c_str(), 0700) != 0) return SystemFailure(errno);
    } else if (errno != EEXIST) {
      return SystemFailure(errno);
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
  const auto fail = [&read](FileFailure fault) {
    read.outcome = SettingsFileRead::Outcome::kFailed;
    read.fault = fault;
    return read;
  };
  const RegularOpen opened = OpenRegularDescriptor(path, O_RDONLY);
  if (const auto& failure = opened.failure) {
    // No file yet, also where a link leads to nothing: the save makes it.
    if (*failure == SystemFailure(ENOENT) || *failure == SystemFailure(ENOTDIR)) return read;
    return fail(AsSettingsFile(*failure));
  }
  const UniqueDescriptor descriptor(opened.descriptor);

  std::string bytes;
  char block[8192];
  while (true) {
    const ssize_t got = ::read(descriptor.Get(), block, sizeof block);
    if (got < 0) {
      if (errno == EINTR) continue;
      return fail(SystemFailure(errno));
    }
    if (got == 0) break;
    if (bytes.size() + static_cast<std::size_t>(got) > limit) {
      return fail(FileFailure{FaultKind::kTooLarge, 0});
    }
    bytes.append(block, static_cast<std::size_t>(got));
  }
  read.outcome = SettingsFileRead::Outcome::kRead;
  read.bytes = std::move(bytes);
  return read;
}

std::optional<FileFailure> ReplaceSettingsFile(const std::string& path, const std::string& text,
                                               const std::string& base_folder) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (const auto refused = MakeFoldersBelow(base_folder, folder)) return refused;
  if (const auto failure = WriteWholeFile(path, text)) return AsSettingsFile(*failure);
  return std::nullopt;
}

std::optional<FileFailure> SettingsFileUnwritable(const std::string& path,
                                                  const std::string& base_folder) {
  // The nearest folder on the way that is there: a save replaces the file by a
  // rename, or makes the folders, in it.
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  const std::filesystem::path base = std::filesystem::path(base_folder).lexically_normal();
  struct stat status {};
  while (::stat(folder.c_str(), &status) != 0) {
    if (errno != ENOENT) return SystemFailure(errno);
    if (folder == base || WouldBeMadeAtTheRoot(folder)) return SystemFailure(ENOENT);
    folder = folder.parent_path();
  }
  if (!S_ISDIR(status.st_mode)) return SystemFailure(ENOTDIR);
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return SystemFailure(errno);
  return std::nullopt;
}

std::optional<FileFailure> SetAsideUnreadable(const std::string& path, const std::string& when) {
  std::string target = path;
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    return errno == ENOENT ? std::nullopt : std::optional(SystemFailure(errno));
  }
  if (S_ISLNK(status.st_mode)) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!resolved) return errno == ENOENT ? std::nullopt : std::optional(SystemFailure(errno));
    target = resolved.get();
  }
  const std::string aside = target + ".unreadable-" + when;
  for (int number = 1; number < 1000; ++number) {
    const std::string name = number == 1 ? aside : aside + "-" + std::to_string(number);
    const int error = RenameWithoutReplacing(target, name);
    if (error == EEXIST) continue;  // another copy set one aside under this name
    if (error == 0 || error == ENOENT) return std::nullopt;
    return SystemFailure(error);
  }
  return SystemFailure(EEXIST);
}

}  // namespace orvanel
