#include "velmar/OptionMap.h"

#include <fmt/format.h>

#include "tessik/Error.h"

namespace velmar {

namespace {
constexpr const char* kKindNames[] = {"bool", "integer", "float", "string"};

[[noreturn]] void wrongKind(const std::string& key, const OptionMap::Value& value,
                            const char* asked) {
    throw tessik::Error(
        fmt::format("Option {} holds a {} value, not a {}", key, kKindNames[value.index()], asked));
}
}  // namespace

OptionMap& OptionMap::set(const std::string& key, bool value) {
    m_values[key] = value;
    return *this;
}
OptionMap& OptionMap::set(const std::string& key, std::int64_t value) {
    m_values[key] = value;
    return *this;
}
OptionMap& OptionMap::set(const std::string& key, double value) {
    m_values[key] = value;
    return *this;
}
OptionMap& OptionMap::set(const std::string& key, std::string value) {
    m_values[key] = std::move(value);
    return *this;
}

bool OptionMap::has(const std::string& key) const {
    return m_values.count(key) != 0;
}

const OptionMap::Value& OptionMap::find(const std::string& key) const {
    auto it = m_values.find(key);
    if (it == m_values.end())
        throw tessik::Error(fmt::format("Option {} not found", key));
    return it->second;
}

bool OptionMap::getBool(const std::string& key) const {
    const Value& v = find(key);
    if (auto b = std::get_if<bool>(&v))
        return *b;
    wrongKind(key, v, "bool");
}

std::int64_t OptionMap::getInt(const std::string& key) const {
    const Value& v = find(key);
    if (auto i = std::get_if<std::int64_t>(&v))
        return *i;
    wrongKind(key, v, "integer");
}

double OptionMap::getFloat(const std::string& key) const {
    const Value& v = find(key);
    if (auto d = std::get_if<double>(&v))
        return *d;
    if (auto i = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*i);
    wrongKind(key, v, "float");
}

std::string OptionMap::getString(const std::string& key) const {
    const Value& v = find(key);
    if (auto s = std::get_if<std::string>(&v))
        return *s;
    wrongKind(key, v, "string");
}

std::vector<std::string> OptionMap::keys() const {
    std::vector<std::string> result;
    for (const auto& [key, value] : m_values)
        result.push_back(key);
    return result;
}

}  // namespace velmar
