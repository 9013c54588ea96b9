#include "tessik/DataType.h"

#include <gtest/gtest.h>

using tessik::DataType;
using tessik::DataTypeId;
using tessik::PrimitiveTypeId;

namespace {

struct TypeCase {
    std::uint32_t id;
    PrimitiveTypeId primitive;
    std::uint32_t elements, bits, bytes;
    const char* text;
};

TEST(DataType, DecodesItsIdentifier) {
    const TypeCase cases[] = {
        {0x10308, PrimitiveTypeId::UNSIGNED_INTEGER, 3, 8, 3, "UINT8x3"},
        {0x10408, PrimitiveTypeId::UNSIGNED_INTEGER, 4, 8, 4, "UINT8x4"},
        {0x10120, PrimitiveTypeId::UNSIGNED_INTEGER, 1, 32, 4, "UINT32"},
        {0x10110, PrimitiveTypeId::UNSIGNED_INTEGER, 1, 16, 2, "UINT16"},
        {0x20108, PrimitiveTypeId::SIGNED_INTEGER, 1, 8, 1, "INT8"},
        {0x30240, PrimitiveTypeId::FLOATING_POINT, 2, 64, 16, "FLOAT64x2"},
        {0x10501, PrimitiveTypeId::UNSIGNED_INTEGER, 5, 1, 5, "UINT1x5"},
    };
    for (const auto& c : cases) {
        const DataType type(static_cast<DataTypeId>(c.id));
        EXPECT_EQ(type.primitiveType(), c.primitive) << c.text;
        EXPECT_EQ(type.elementCount(), c.elements) << c.text;
        EXPECT_EQ(type.bitDepth(), c.bits) << c.text;
        EXPECT_EQ(type.byteCount(), c.bytes) << c.text;
        EXPECT_EQ(type.toString(), c.text);
        EXPECT_EQ(DataType(c.primitive, c.elements, c.bits), type) << c.text;
    }
}

TEST(DataType, DefaultIsUnknownWithoutSize) {
    EXPECT_EQ(DataType().id(), DataTypeId::UNKNOWN);
    EXPECT_EQ(DataType().byteCount(), 0u);
    EXPECT_EQ(DataType().toString(), "UNKNOWN");
}

}  // namespace
