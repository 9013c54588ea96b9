#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "velmar/Export.h"

namespace velmar {

// Named options of one call, each of one kind. A getter of a missing key, or of a key of
// another kind, throws tessik::Error; getFloat also takes an integer.
class VELMAR_API OptionMap {
public:
    using Value = std::variant<bool, std::int64_t, double, std::string>;

    OptionMap() = default;

    OptionMap& set(const std::string& key, bool value);
    OptionMap& set(const std::string& key, std::int64_t value);
    OptionMap& set(const std::string& key, int value) { return set(key, std::int64_t{value}); }
    OptionMap& set(const std::string& key, double value);
    OptionMap& set(const std::string& key, std::string value);
    OptionMap& set(const std::string& key, const char* value) {
        return set(key, std::string(value));
    }

    bool has(const std::string& key) const;
    bool getBool(const std::string& key) const;
    std::int64_t getInt(const std::string& key) const;
    double getFloat(const std::string& key) const;
    std::string getString(const std::string& key) const;
    std::vector<std::string> keys() const;

private:
    const Value& find(const std::string& key) const;

    std::map<std::string, Value> m_values;
};

}  // namespace velmar
