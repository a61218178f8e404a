#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "settings_store.h"

namespace orvanel {

// The two things the settings file needs of the file system, on Unix. Both
// follow a symbolic link to a regular file (the link stays a link); anything
// else behind the name (a FIFO, a device, a socket, a folder, a link to any of
// them, or to nothing) is refused as not a regular file and never opened for
// writing, never replaced.

struct SettingsFileRead {
  enum class Outcome { kAbsent, kRead, kFailed };
  Outcome outcome = Outcome::kAbsent;
  std::string bytes;  // kRead
  StoreFault fault;   // kFailed
};

// The whole file, read without ever waiting for another process (a FIFO that
// appears in its place is refused, not opened). No file, or a folder on the way
// that is a file, is kAbsent. A file of more than `limit` bytes is kTooLarge.
[[nodiscard]] SettingsFileRead ReadSettingsFileBytes(const std::string& path, std::size_t limit);

// Puts `text` in the place of the file, or creates it with its folders: written
// to a temporary file beside it, flushed to the disk, then renamed over it, so
// that a reader sees either the old file or the new one, whole. The file keeps
// its permissions. Temporary files left by a copy of the program that was killed
// while saving are removed. Nothing when it worked, else why not.
[[nodiscard]] std::optional<StoreFault> ReplaceSettingsFile(const std::string& path,
                                                            const std::string& text);

}  // namespace orvanel
