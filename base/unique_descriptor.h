#pragma once

#include <cerrno>
#include <utility>

#include <unistd.h>

namespace orvanel {

// A POSIX file descriptor that closes itself.
class UniqueDescriptor {
 public:
  UniqueDescriptor() = default;
  explicit UniqueDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~UniqueDescriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  UniqueDescriptor(UniqueDescriptor&& other) noexcept : descriptor_(other.Release()) {}
  UniqueDescriptor& operator=(UniqueDescriptor&& other) noexcept {
    UniqueDescriptor(std::move(other)).Swap(*this);
    return *this;
  }
  UniqueDescriptor(const UniqueDescriptor&) = delete;
  UniqueDescriptor& operator=(const UniqueDescriptor&) = delete;

  [[nodiscard]] int Get() const { return descriptor_; }
  [[nodiscard]] bool IsOpen() const { return descriptor_ >= 0; }
  // Closes now, for the error a close can report (a write that failed late):
  // 0, or the errno value.
  [[nodiscard]] int Close() {
    const int result = ::close(Release());
    return result == 0 ? 0 : errno;
  }

 private:
  int Release() { return std::exchange(descriptor_, -1); }
  void Swap(UniqueDescriptor& other) noexcept { std::swap(descriptor_, other.descriptor_); }

  int descriptor_ = -1;
};

}  // namespace orvanel
