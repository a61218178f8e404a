#include "draw_stream.h"

#include <Random123/philox.h>

namespace orvanel {

std::array<float, 4> DrawStream::Block(const Key& key, std::uint64_t block) {
  constexpr float kScale = 1.0f / 16'777'216.0f;  // 2^-24, exact
  const r123::Philox4x32::ctr_type counter = {
      {static_cast<std::uint32_t>(block), static_cast<std::uint32_t>(block >> 32), 0, 0}};
  const auto bits = r123::Philox4x32()(counter, r123::Philox4x32::key_type{{key[0], key[1]}});
  std::array<float, 4> draws{};
  for (std::size_t i = 0; i < draws.size(); ++i) {
    draws[i] = static_cast<float>(bits[i] >> 8) * kScale;
  }
  return draws;
}

DrawStream::DrawStream(const Key& key, std::uint64_t position)
    : key_(key), block_(position / 4), draws_(Block(key, block_)), lane_(position % 4) {}

void DrawStream::NextBlock() {
  draws_ = Block(key_, ++block_);
  lane_ = 0;
}

}  // namespace orvanel
