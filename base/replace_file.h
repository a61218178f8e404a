#pragma once

#include <string>
#include <string_view>

namespace orvanel {

// What putting bytes in the place of a file gave.
struct FileReplacement {
  enum class Outcome {
    kReplaced,    // the file holds the bytes, whole
    kFolder,      // the name is a folder
    kNotRegular,  // a FIFO, a socket, a device, or a link to one
    kSystem,      // `error` says why
  };
  Outcome outcome = Outcome::kReplaced;
  int error = 0;  // errno
};

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
[[nodiscard]] FileReplacement WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace orvanel
