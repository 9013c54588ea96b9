#include "tessik/VariantDataValue.h"

#include <gtest/gtest.h>
#include <cmath>

#include "tessik/Error.h"

using tessik::VariantDataValue;
using Converter = tessik::VariantDataValueConverter;

namespace {

TEST(VariantDataValueConverter, ConvertsRepresentableValues) {
    EXPECT_EQ(Converter::toInt64(VariantDataValue::create(true)), 1);
    EXPECT_EQ(Converter::toInt64(VariantDataValue::create(std::int64_t{-7})), -7);
    EXPECT_EQ(Converter::toInt64(VariantDataValue::create(6.0)), 6);
    EXPECT_EQ(Converter::toInt64(VariantDataValue::create(std::string("42"))), 42);
    EXPECT_DOUBLE_EQ(Converter::toDouble(VariantDataValue::create(3)), 3.0);
    EXPECT_DOUBLE_EQ(Converter::toDouble(VariantDataValue::create(std::string("2.5"))), 2.5);
    EXPECT_TRUE(std::isnan(Converter::toDouble(VariantDataValue::create(std::nan("")))));
    EXPECT_FALSE(Converter::toBool(VariantDataValue::create(0)));
    EXPECT_EQ(Converter::toString(VariantDataValue::create(5)), "5");
}

TEST(VariantDataValueConverter, RefusesValuesThatDoNotConvert) {
    const std::shared_ptr<VariantDataValue> refused[] = {
        nullptr,                                       // no value at all
        std::make_shared<VariantDataValue>(),          // a null value
        VariantDataValue::create(2.5),                 // fraction as integer
        VariantDataValue::create(std::nan("")),        // NaN as integer
        VariantDataValue::create(std::string("12x")),  // not wholly a number
        VariantDataValue::create(std::string("")),     // empty text
    };
    for (const auto& value : refused)
        EXPECT_THROW(Converter::toInt64(value), tessik::Error);
    EXPECT_THROW(Converter::toDouble(VariantDataValue::create(std::string("x"))), tessik::Error);
    EXPECT_THROW(Converter::toBool(VariantDataValue::create(1.0)), tessik::Error);
}

}  // namespace
