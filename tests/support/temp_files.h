#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "beyond_any_load.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#endif

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

// Whether this process has closed every handle of its own on the file at
// `utf8_path` within `patience`: a pair file is closed by its reader thread,
// when that gets round to it. Sees only this process's handles on that file,
// never those the system or an emulator keeps for itself.
inline bool ClosedWithin(const std::string& utf8_path,
                         std::chrono::milliseconds patience = kBeyondAnyLoad) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
#ifdef _WIN32
  const std::filesystem::path path(std::u8string(utf8_path.begin(), utf8_path.end()));
  // Opening it with no sharing at all works only while nobody holds it open.
  const auto closed = [&path] {
    const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return ::GetLastError() != ERROR_SHARING_VIOLATION;
    ::CloseHandle(handle);
    return true;
  };
#else
  struct stat file {};
  if (::stat(utf8_path.c_str(), &file) != 0) return false;
  // No descriptor of this process refers to the file's inode.
  const auto closed = [&file] {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/fd", error)) {
      struct stat open {};
      if (::stat(entry.path().c_str(), &open) == 0 && open.st_dev == file.st_dev &&
          open.st_ino == file.st_ino) {
        return false;
      }
    }
    return !error;
  };
#endif
  while (!closed()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace orvanel::testing
