#pragma once

#include <filesystem>
#include <string>

namespace orvanel {

// The program speaks of file names in UTF-8; the file system of Windows takes
// UTF-16. A path made from a name, for the calls of either system.
[[nodiscard]] inline std::filesystem::path NativePath(const std::string& utf8_name) {
  return std::filesystem::path(std::u8string(utf8_name.begin(), utf8_name.end()));
}

// The name of a path, in UTF-8.
[[nodiscard]] inline std::string Utf8Name(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace orvanel
