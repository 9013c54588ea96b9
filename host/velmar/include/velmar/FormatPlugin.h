#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "velmar/Plugin.h"

namespace velmar {

class VELMAR_API FormatPlugin : public Plugin {
public:
    // Format names, upper case ("WEBP").
    virtual const std::unordered_set<std::string>& formats() const = 0;
    // File extension without dot, lower case, to format name ("webp" to "WEBP").
    virtual const std::unordered_map<std::string, std::string>& extensions() const = 0;
};

}  // namespace velmar
