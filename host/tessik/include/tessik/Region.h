#pragma once

#include <cstddef>
#include <cstdint>

#include "tessik/Export.h"
#include "tessik/Vector.h"

namespace tessik {

// A box of an N-dimensional image: origin and size per axis.
class TESSIK_API RegionX {
public:
    RegionX() = default;
    // Origin and size must have the same number of entries (tessik::InvalidArgument).
    RegionX(VectorX origin, VectorX size);
    // A region of `dimensionCount` axes at the origin with zero size.
    explicit RegionX(std::size_t dimensionCount);

    static RegionX createFullRegion(const VectorX& shape);

    const VectorX& origin() const { return m_origin; }
    const VectorX& size() const { return m_size; }
    std::size_t dimensionCount() const { return m_size.size(); }
    // Number of pixels: the product of the sizes.
    std::uint64_t elementCount() const { return m_size.product(); }

    // True when `other` has as many axes as this region and lies wholly inside it.
    // Overflowing ends count as outside.
    bool contains(const RegionX& other) const;

    friend bool operator==(const RegionX&, const RegionX&) = default;

private:
    VectorX m_origin;
    VectorX m_size;
};

}  // namespace tessik
