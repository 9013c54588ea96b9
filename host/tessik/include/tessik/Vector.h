#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "tessik/Export.h"

namespace tessik {

// A vector of unsigned 64-bit values whose size is chosen at run time: shapes, indices,
// region origins and sizes, axis 0 first.
class TESSIK_API VectorX {
public:
    VectorX() = default;
    explicit VectorX(std::size_t size) : m_values(size, 0) {}
    VectorX(std::initializer_list<std::uint64_t> values) : m_values(values) {}

    static VectorX createUniform(std::size_t count, std::uint64_t value);

    std::size_t size() const { return m_values.size(); }
    bool empty() const { return m_values.empty(); }
    std::uint64_t& operator[](std::size_t i) { return m_values[i]; }
    std::uint64_t operator[](std::size_t i) const { return m_values[i]; }
    const std::uint64_t* begin() const { return m_values.data(); }
    const std::uint64_t* end() const { return m_values.data() + m_values.size(); }

    // Product of the entries (1 for an empty vector).
    std::uint64_t product() const;

    // Entry by entry; the operands must have the same size (tessik::InvalidArgument).
    VectorX operator+(const VectorX& other) const;
    VectorX operator-(const VectorX& other) const;
    // Every entry divided by the number (integer division); division by zero is refused.
    VectorX operator/(std::uint64_t divisor) const;

    friend bool operator==(const VectorX&, const VectorX&) = default;

private:
    std::vector<std::uint64_t> m_values;
};

// A vector of fixed size: Vector<std::uint64_t, 2> for a 2-D index, Vector<std::uint8_t, 3>
// or Vector<std::uint8_t, 4> for a pixel.
template <typename T, std::size_t N>
struct Vector : std::array<T, N> {
    friend bool operator==(const Vector&, const Vector&) = default;
};

using Vector2u64 = Vector<std::uint64_t, 2>;
using Vector3u8 = Vector<std::uint8_t, 3>;
using Vector4u8 = Vector<std::uint8_t, 4>;

}  // namespace tessik
