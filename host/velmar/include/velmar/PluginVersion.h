#pragma once

#include <compare>
#include <string>

#include "velmar/Export.h"

namespace velmar {

// "MAJOR.MINOR.PATCH", each a decimal number. Trivially destructible.
class VELMAR_API PluginVersion {
public:
    // tessik::InvalidArgument "Invalid plugin version: {text}" for anything else.
    explicit PluginVersion(const char* text);
    explicit PluginVersion(const std::string& text) : PluginVersion(text.c_str()) {}

    unsigned major() const { return m_major; }
    unsigned minor() const { return m_minor; }
    unsigned patch() const { return m_patch; }
    std::string toString() const;

    friend auto operator<=>(const PluginVersion&, const PluginVersion&) = default;

private:
    unsigned m_major = 0;
    unsigned m_minor = 0;
    unsigned m_patch = 0;
};

}  // namespace velmar
