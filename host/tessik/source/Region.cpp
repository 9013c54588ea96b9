#include "tessik/Region.h"

#include <fmt/format.h>

#include "tessik/Error.h"

namespace tessik {

RegionX::RegionX(VectorX origin, VectorX size)
    : m_origin(std::move(origin)), m_size(std::move(size)) {
    if (m_origin.size() != m_size.size()) {
        throw InvalidArgument(fmt::format("Region origin has {} axes but size has {}",
                                          m_origin.size(), m_size.size()));
    }
}

RegionX::RegionX(std::size_t dimensionCount) : m_origin(dimensionCount), m_size(dimensionCount) {}

RegionX RegionX::createFullRegion(const VectorX& shape) {
    return RegionX(VectorX(shape.size()), shape);
}

bool RegionX::contains(const RegionX& other) const {
    if (other.dimensionCount() != dimensionCount())
        return false;
    for (std::size_t i = 0; i < dimensionCount(); ++i) {
        const std::uint64_t begin = other.m_origin[i];
        const std::uint64_t end = begin + other.m_size[i];
        if (end < begin)
            return false;  // wrapped around
        if (begin < m_origin[i] || end > m_origin[i] + m_size[i])
            return false;
    }
    return true;
}

}  // namespace tessik
