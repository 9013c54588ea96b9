#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "tessik/Export.h"

namespace tessik {

// One value of a few kinds, used for option values and metadata values.
class TESSIK_API VariantDataValue {
public:
    using Storage = std::variant<std::monostate, bool, std::int64_t, double, std::string>;

    VariantDataValue() = default;
    explicit VariantDataValue(Storage value) : m_value(std::move(value)) {}

    static std::shared_ptr<VariantDataValue> create(bool v);
    static std::shared_ptr<VariantDataValue> create(std::int64_t v);
    static std::shared_ptr<VariantDataValue> create(int v) { return create(std::int64_t{v}); }
    static std::shared_ptr<VariantDataValue> create(double v);
    static std::shared_ptr<VariantDataValue> create(std::string v);

    const Storage& value() const { return m_value; }
    bool isNull() const { return std::holds_alternative<std::monostate>(m_value); }
    // "null", "bool", "int64", "double" or "string".
    const char* kindName() const;

private:
    Storage m_value;
};

// Conversions of a value into one C++ type. A null pointer, a null value or a value that
// cannot be represented (a fractional double as an integer, text that is not a number) is
// refused with tessik::Error.
class TESSIK_API VariantDataValueConverter {
public:
    static std::int64_t toInt64(const std::shared_ptr<VariantDataValue>& value);
    static double toDouble(const std::shared_ptr<VariantDataValue>& value);
    static bool toBool(const std::shared_ptr<VariantDataValue>& value);
    static std::string toString(const std::shared_ptr<VariantDataValue>& value);
};

}  // namespace tessik
