#pragma once

#include <cstdint>
#include <string>

#include "tessik/Export.h"

namespace tessik {

enum class PrimitiveTypeId : std::uint8_t {
    UNKNOWN = 0,
    UNSIGNED_INTEGER = 1,
    SIGNED_INTEGER = 2,
    FLOATING_POINT = 3,
};

// (primitive << 16) | (elementCount << 8) | bitDepth. Any such value is a valid identifier;
// the names below are the common ones.
enum class DataTypeId : std::uint32_t {
    UNKNOWN = 0,
    UINT8 = 0x10108,
    UINT16 = 0x10110,
    UINT32 = 0x10120,
    UINT64 = 0x10140,
    INT8 = 0x20108,
    INT16 = 0x20110,
    INT32 = 0x20120,
    INT64 = 0x20140,
    FLOAT32 = 0x30120,
    FLOAT64 = 0x30140,
    UINT8X2 = 0x10208,
    UINT8X3 = 0x10308,
    UINT8X4 = 0x10408,
};

constexpr DataTypeId makeDataTypeId(PrimitiveTypeId primitive, std::uint32_t elementCount,
                                    std::uint32_t bitDepth) {
    return static_cast<DataTypeId>((static_cast<std::uint32_t>(primitive) << 16) |
                                   ((elementCount & 0xFFu) << 8) | (bitDepth & 0xFFu));
}

// Element type of one pixel: a primitive, a bit depth per element and an element count.
class TESSIK_API DataType {
public:
    DataType() = default;
    explicit DataType(DataTypeId id) : m_id(id) {}
    DataType(PrimitiveTypeId primitive, std::uint32_t elementCount, std::uint32_t bitDepth)
        : m_id(makeDataTypeId(primitive, elementCount, bitDepth)) {}

    DataTypeId id() const { return m_id; }
    PrimitiveTypeId primitiveType() const {
        return static_cast<PrimitiveTypeId>((raw() >> 16) & 0xFFu);
    }
    std::uint32_t elementCount() const { return (raw() >> 8) & 0xFFu; }
    std::uint32_t bitDepth() const { return raw() & 0xFFu; }
    // Bytes of one element, each rounded up to whole bytes.
    std::uint32_t elementByteCount() const { return (bitDepth() + 7) / 8; }
    // Bytes of one pixel: all its elements.
    std::uint32_t byteCount() const { return elementCount() * elementByteCount(); }
    // Same primitive and depth, another element count.
    DataType withElementCount(std::uint32_t count) const {
        return DataType(primitiveType(), count, bitDepth());
    }
    // "UINT8", "UINT8x3", "FLOAT32", or "UNKNOWN".
    std::string toString() const;

    friend bool operator==(const DataType&, const DataType&) = default;

private:
    std::uint32_t raw() const { return static_cast<std::uint32_t>(m_id); }

    DataTypeId m_id = DataTypeId::UNKNOWN;
};

}  // namespace tessik
