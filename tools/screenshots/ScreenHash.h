#pragma once
// One number for a rectangle of pixels, so that a program reading the screen
// (shot-helper's "watch") and the tests and benchmarks that know what it
// should see compare pictures by a few bytes each.
#include <cstddef>
#include <cstdint>

namespace rovenza::screen {

// FNV-1a over the pixels, 0x00RRGGBB (whatever the fourth byte holds), rows
// from the top.
inline std::uint64_t pixelsHash(const std::uint32_t* pixels, std::size_t count) {
  std::uint64_t hash = 14695981039346656037ull;
  for (std::size_t i = 0; i < count; ++i) hash = (hash ^ (pixels[i] & 0xFFFFFFu)) * 1099511628211ull;
  return hash;
}

}  // namespace rovenza::screen
