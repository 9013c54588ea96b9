#pragma once

#include <cstdint>
#include <functional>

#include "tessik/Region.h"
#include "tessik/Vector.h"

namespace tessik::detail {

// Calls `visit` with every index of a box of `size`, axis 0 fastest.
void forEachIndex(const VectorX& size, const std::function<void(const VectorX&)>& visit);

// Copies the box `region` of a packed image of `shape` at `image` into the packed buffer
// `dst` (extract), or the packed buffer `src` into that box (insert). Rows along axis 0 are
// moved with one memcpy each.
void extractRegion(const std::uint8_t* image, const VectorX& shape, std::uint64_t pixelBytes,
                   const RegionX& region, std::uint8_t* dst);
void insertRegion(std::uint8_t* image, const VectorX& shape, std::uint64_t pixelBytes,
                  const RegionX& region, const std::uint8_t* src);

// tessik::InvalidArgument "Required region out of image bounds" unless the image of `shape`
// contains `region`.
void requireInside(const VectorX& shape, const RegionX& region);

}  // namespace tessik::detail
