#pragma once

#include <cstdint>
#include <vector>

#include "tessik/Export.h"
#include "tessik/Vector.h"

namespace tessik {

// Byte offsets of pixels in a packed layout, axis 0 fastest.
class TESSIK_API Indexer {
public:
    Indexer() = default;
    Indexer(const VectorX& shape, std::uint64_t pixelBytes);

    std::uint64_t offset(const VectorX& index) const;
    const std::vector<std::uint64_t>& strides() const { return m_strides; }

private:
    std::vector<std::uint64_t> m_strides;
};

}  // namespace tessik
