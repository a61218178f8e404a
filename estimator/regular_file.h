#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace orvanel {

// The few file operations a pair file needs, on the platform's own descriptors.

// Opens a regular file for reading, creating it empty when the name has no file
// behind it. Refuses folders, FIFOs, sockets and devices without ever waiting on
// one. Throws FileOpenError naming the file and the reason.
[[nodiscard]] int OpenRegularFileForReading(const std::string& utf8_name);

// Reads up to `size` bytes; fewer only at the end of the file. Throws
// FileReadError naming the file when the system reports a failure.
[[nodiscard]] std::size_t ReadBytes(int descriptor, unsigned char* bytes, std::size_t size,
                                    const std::string& utf8_name);

// The length of the open file, or nothing when the system cannot tell.
[[nodiscard]] std::optional<std::int64_t> LengthOfOpenFile(int descriptor);

void CloseFile(int descriptor);

}  // namespace orvanel
