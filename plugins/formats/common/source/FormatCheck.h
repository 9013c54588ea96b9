#pragma once

#include <fmt/format.h>
#include <string>

#include "velmar/Exceptions.h"
#include "velmar/FormatPlugin.h"

namespace velmar::common {

// velmar::UnsupportedFormat "Format {0} not supported by the plugin {1}" unless `format`
// is one of the plugin's formats (exact, case-sensitive match).
inline void requireFormat(const velmar::FormatPlugin& plugin, const std::string& format) {
    if (plugin.formats().count(format) == 0) {
        throw velmar::UnsupportedFormat(
            fmt::format("Format {0} not supported by the plugin {1}", format, plugin.name())
                .c_str());
    }
}

}  // namespace velmar::common
