#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "file_failure.h"

namespace orvanel {

// Puts `bytes` in the place of the regular file at `path`, or creates it in its
// folder: written to a temporary file beside it (its own name, for this attempt
// alone), flushed to the disk, then renamed over it, so that a reader sees the
// old file or the new one, whole, and two saves never touch each other's file.
// A link to a regular file is followed and stays a link; a link that leads to
// nothing has the file made where it leads. Anything else behind the name is
// never opened for writing, never replaced. The file keeps its permissions (a
// new one gets those the umask allows), always with reading and writing for
// its owner. Temporary files
// that a copy of the program left beside it when it was killed during a save
// are removed. May wait as long as the file system does.
// Nothing when the file holds the bytes, whole; else why not (a folder, not a
// regular file, or the system's reason).
[[nodiscard]] std::optional<FileFailure> WriteWholeFile(const std::string& path,
                                                        std::string_view bytes);

}  // namespace orvanel
