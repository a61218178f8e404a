#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "settings_store.h"

namespace orvanel {

// The two things the settings file needs of the file system, on Unix. Both
// follow a symbolic link to a regular file (the link stays a link), and a link
// that leads to nothing is as no file yet, made where the link leads; anything
// else behind the name (a FIFO, a device, a socket, a folder, a link to any of
// them) is refused as not a regular file and never opened for writing, never
// replaced.

struct SettingsFileRead {
  enum class Outcome { kAbsent, kRead, kFailed };
  Outcome outcome = Outcome::kAbsent;
  std::string bytes;  // kRead
  FileFailure fault;  // kFailed
};

// The whole file, read without ever waiting for another process (a FIFO that
// appears in its place is refused, not opened). No file, a link to none, or a
// folder on the way that is a file, is kAbsent. A file of more than `limit`
// bytes is kTooLarge.
[[nodiscard]] SettingsFileRead ReadSettingsFileBytes(const std::string& path, std::size_t limit);

// Puts `text` in the place of the file (base/replace_file.h), or creates it,
// with the folders between `base_folder` and the file that are missing (mode
// 0700, as the XDG rules ask, whatever the umask). `base_folder` must exist:
// nothing is made at or above it, nor right in the file system's root (a
// folder that is there is used, wherever it lies). Nothing when it worked,
// else why not.
[[nodiscard]] std::optional<FileFailure> ReplaceSettingsFile(const std::string& path,
                                                             const std::string& text,
                                                             const std::string& base_folder);

// Why a save to `path` would fail, as far as can be told without writing: the
// folder that is to hold the file, or the one below which it would be made,
// does not let this user write. Nothing when a save looks possible.
[[nodiscard]] std::optional<FileFailure> SettingsFileUnwritable(const std::string& path,
                                                                const std::string& base_folder);

// Keeps the file that could not be read under a name of its own beside it,
// `path` + ".unreadable-" + `when` (and "-2", "-3", … should that be taken,
// by this copy or another at the same moment: nothing there is ever replaced),
// so that a save never destroys a tally that nobody could read. A link stays a
// link: the file it points to is renamed, and the next save makes the new file
// where the link leads. Nothing to do when there is no file.
// Nothing when it worked, else why not.
[[nodiscard]] std::optional<FileFailure> SetAsideUnreadable(const std::string& path,
                                                            const std::string& when);

}  // namespace orvanel
