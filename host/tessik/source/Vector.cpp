#include "tessik/Vector.h"

#include <fmt/format.h>

#include "tessik/Error.h"

namespace tessik {

namespace {
void requireSameSize(const VectorX& a, const VectorX& b) {
    if (a.size() != b.size()) {
        throw InvalidArgument(fmt::format("Vector sizes differ: {} and {}", a.size(), b.size()));
    }
}
}  // namespace

VectorX VectorX::createUniform(std::size_t count, std::uint64_t value) {
    VectorX v(count);
    for (auto& e : v.m_values)
        e = value;
    return v;
}

std::uint64_t VectorX::product() const {
    std::uint64_t p = 1;
    for (auto e : m_values)
        p *= e;
    return p;
}

VectorX VectorX::operator+(const VectorX& other) const {
    requireSameSize(*this, other);
    VectorX r(size());
    for (std::size_t i = 0; i < size(); ++i)
        r[i] = m_values[i] + other[i];
    return r;
}

VectorX VectorX::operator-(const VectorX& other) const {
    requireSameSize(*this, other);
    VectorX r(size());
    for (std::size_t i = 0; i < size(); ++i)
        r[i] = m_values[i] - other[i];
    return r;
}

VectorX VectorX::operator/(std::uint64_t divisor) const {
    if (divisor == 0)
        throw InvalidArgument("Vector division by zero");
    VectorX r(size());
    for (std::size_t i = 0; i < size(); ++i)
        r[i] = m_values[i] / divisor;
    return r;
}

}  // namespace tessik
