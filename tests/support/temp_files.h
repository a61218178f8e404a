#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace orvanel::testing {

// A fresh folder under the system's temporary folder, removed with its contents.
class TempFolder {
 public:
  TempFolder() {
    // Short, as a window that shows a path in it has only a screen's width;
    // a name already taken is drawn again.
    std::random_device device;
    do {
      char name[16];
      std::snprintf(name, sizeof name, "orv-%08x", static_cast<unsigned>(device()));
      path_ = std::filesystem::temp_directory_path() / name;
    } while (!std::filesystem::create_directory(path_));
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

  // Writes the bytes to a file in the folder; returns its full path, in UTF-8
  // as the program takes names.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const auto path = path_ / std::filesystem::path(std::u8string(name.begin(), name.end()));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
  }

 private:
  std::filesystem::path path_;
};

// The little-endian bytes of 32-bit records.
inline std::vector<std::uint8_t> Records(const std::vector<std::int32_t>& numbers) {
  std::vector<std::uint8_t> bytes;
  for (const std::int32_t number : numbers) {
    const auto value = static_cast<std::uint32_t>(number);
    for (int shift = 0; shift < 32; shift += 8)
      bytes.push_back(static_cast<std::uint8_t>(value >> shift));
  }
  return bytes;
}

// Open file descriptors of this process, where the system tells (-1 elsewhere).
inline int OpenDescriptorCount() {
  std::error_code error;
  std::filesystem::directory_iterator fds("/proc/self/fd", error);
  if (error) return -1;
  int count = 0;
  for (const auto& entry : fds) {
    (void)entry;
    ++count;
  }
  return count;
}

}  // namespace orvanel::testing
