#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvanel {

// The draws of a run with `key`, a pure function of the key and the draw's
// number, from draw `position` on: Philox4x32-10 of Random123, which passes
// TestU01's BigCrush. Its 128-bit counter is a draw's block of four, so that
// each block is computed once for its four draws. Each draw keeps 24 random
// bits, so that r is exactly k / 2^24 and never rounds up to 1.0.
class DrawStream {
 public:
  using Key = std::array<std::uint32_t, 2>;

  explicit DrawStream(const Key& key = {}, std::uint64_t position = 0);
  [[nodiscard]] float Next() {
    if (lane_ == draws_.size()) NextBlock();
    return draws_[lane_++];
  }
  // The number of the next draw.
  [[nodiscard]] std::uint64_t Position() const { return 4 * block_ + lane_; }

 private:
  [[nodiscard]] static std::array<float, 4> Block(const Key& key, std::uint64_t block);
  void NextBlock();

  Key key_;
  std::uint64_t block_;
  std::array<float, 4> draws_;
  std::size_t lane_;
};

}  // namespace orvanel
