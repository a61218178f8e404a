#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace orvanel {

// What a file looks like from outside: its length and when it was last written
// or changed. A file whose stamp is unchanged still holds the bytes read from it.
// Each platform takes it in its own way (descriptor_stamp.h; Windows: the file
// system's own last-write and change times, in units of 100 ns).
struct FileStamp {
  std::int64_t size = 0;
  std::int64_t modified = 0;  // on the file system's own clock
  std::int64_t changed = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// An open file, as the reader of a pair file needs it. The real one is below;
// tests replace it with one that can be made to wait. Destroying it closes the
// file, which on a network mount may wait for the server: only the reader's own
// thread does that.
class OpenFileBytes {
 public:
  virtual ~OpenFileBytes() = default;
  // Up to `size` bytes from `offset` on; fewer only at the end of the file.
  // May wait as long as the file system does. Throws FileReadError.
  [[nodiscard]] virtual std::size_t ReadAt(std::int64_t offset, unsigned char* bytes,
                                           std::size_t size) = 0;
  // The file's stamp now (see FileStamp for what may wait where). Nothing when
  // it cannot be told.
  [[nodiscard]] virtual std::optional<FileStamp> Stamp() = 0;
};

// Opens a regular file for reading, creating it empty when the name has no file
// behind it. Refuses folders, FIFOs, sockets and devices (on Windows also the
// names of devices, in any folder) without ever waiting on one. Throws
// FileOpenError naming the file and the reason.
[[nodiscard]] std::unique_ptr<OpenFileBytes> OpenRegularFile(const std::string& utf8_name);

}  // namespace orvanel
