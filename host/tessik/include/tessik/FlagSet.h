#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace tessik {

// A set of the flags of one enumeration whose values are distinct bits.
template <typename Flag>
class FlagSet {
    static_assert(std::is_enum_v<Flag>);
    using Bits = std::uint64_t;

public:
    constexpr FlagSet() = default;
    constexpr FlagSet(Flag flag) : m_bits(bit(flag)) {}  // NOLINT: a flag is a set of one
    constexpr FlagSet(std::initializer_list<Flag> flags) {
        for (Flag f : flags)
            m_bits |= bit(f);
    }

    constexpr bool has(Flag flag) const { return (m_bits & bit(flag)) == bit(flag); }
    // True when every flag of `flags` is in this set.
    constexpr bool has(FlagSet flags) const { return (m_bits & flags.m_bits) == flags.m_bits; }
    constexpr bool empty() const { return m_bits == 0; }
    constexpr FlagSet& set(Flag flag) {
        m_bits |= bit(flag);
        return *this;
    }
    constexpr FlagSet operator|(FlagSet other) const {
        FlagSet r;
        r.m_bits = m_bits | other.m_bits;
        return r;
    }
    friend constexpr bool operator==(FlagSet, FlagSet) = default;

private:
    static constexpr Bits bit(Flag f) { return static_cast<Bits>(f); }
    Bits m_bits = 0;
};

enum class ImageCapability : std::uint32_t { READ = 1, WRITE = 2, BUFFER = 4, RESHAPE = 8 };
enum class MultiImageCapability : std::uint32_t { READ = 1, WRITE = 2 };
enum class StreamAccessCapability : std::uint32_t { READ = 1, WRITE = 2, SEEK = 4 };

}  // namespace tessik
