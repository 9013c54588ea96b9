#include "tessik/VariantDataValue.h"

#include <fmt/format.h>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "tessik/Error.h"

namespace tessik {

std::shared_ptr<VariantDataValue> VariantDataValue::create(bool v) {
    return std::make_shared<VariantDataValue>(Storage{v});
}
std::shared_ptr<VariantDataValue> VariantDataValue::create(std::int64_t v) {
    return std::make_shared<VariantDataValue>(Storage{v});
}
std::shared_ptr<VariantDataValue> VariantDataValue::create(double v) {
    return std::make_shared<VariantDataValue>(Storage{v});
}
std::shared_ptr<VariantDataValue> VariantDataValue::create(std::string v) {
    return std::make_shared<VariantDataValue>(Storage{std::move(v)});
}

const char* VariantDataValue::kindName() const {
    static constexpr const char* names[] = {"null", "bool", "int64", "double", "string"};
    return names[m_value.index()];
}

namespace {

[[noreturn]] void refuse(const VariantDataValue* value, const char* target) {
    throw Error(fmt::format("Cannot convert a {} value to {}",
                            value != nullptr ? value->kindName() : "null", target));
}

const VariantDataValue& require(const std::shared_ptr<VariantDataValue>& value,
                                const char* target) {
    if (!value || value->isNull())
        refuse(value.get(), target);
    return *value;
}

// Whole-string parses: "12x" is not a number.
bool parseInt(const std::string& text, std::int64_t& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool parseDouble(const std::string& text, double& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

}  // namespace

std::int64_t VariantDataValueConverter::toInt64(const std::shared_ptr<VariantDataValue>& value) {
    const auto& v = require(value, "int64").value();
    if (auto b = std::get_if<bool>(&v))
        return *b ? 1 : 0;
    if (auto i = std::get_if<std::int64_t>(&v))
        return *i;
    if (auto d = std::get_if<double>(&v)) {
        // Only whole numbers inside the int64 range convert.
        if (std::isfinite(*d) && std::trunc(*d) == *d && *d >= -9.2233720368547758e18 &&
            *d < 9.2233720368547758e18) {
            return static_cast<std::int64_t>(*d);
        }
        refuse(value.get(), "int64");
    }
    std::int64_t parsed = 0;
    if (parseInt(std::get<std::string>(v), parsed))
        return parsed;
    refuse(value.get(), "int64");
}

double VariantDataValueConverter::toDouble(const std::shared_ptr<VariantDataValue>& value) {
    const auto& v = require(value, "double").value();
    if (auto b = std::get_if<bool>(&v))
        return *b ? 1.0 : 0.0;
    if (auto i = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*i);
    if (auto d = std::get_if<double>(&v))
        return *d;
    double parsed = 0;
    if (parseDouble(std::get<std::string>(v), parsed))
        return parsed;
    refuse(value.get(), "double");
}

bool VariantDataValueConverter::toBool(const std::shared_ptr<VariantDataValue>& value) {
    const auto& v = require(value, "bool").value();
    if (auto b = std::get_if<bool>(&v))
        return *b;
    if (auto i = std::get_if<std::int64_t>(&v))
        return *i != 0;
    if (auto s = std::get_if<std::string>(&v)) {
        if (*s == "true" || *s == "1")
            return true;
        if (*s == "false" || *s == "0")
            return false;
    }
    refuse(value.get(), "bool");
}

std::string VariantDataValueConverter::toString(const std::shared_ptr<VariantDataValue>& value) {
    const auto& v = require(value, "string").value();
    if (auto b = std::get_if<bool>(&v))
        return *b ? "true" : "false";
    if (auto i = std::get_if<std::int64_t>(&v))
        return std::to_string(*i);
    if (auto d = std::get_if<double>(&v))
        return fmt::format("{}", *d);
    return std::get<std::string>(v);
}

}  // namespace tessik
