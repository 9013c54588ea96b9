#include "ListingPattern.h"

#include <fmt/format.h>

namespace velmar::filesystem {

namespace {
// Built with the library, before any call.
const std::regex kAsterisks("\\*+");
}  // namespace

std::string translatePattern(const std::string& pattern) {
    // The backslash is escaped too: left as it is, it would undo the escape of the next
    // character or start a back-reference, and a back-reference or brace followed by a
    // long number makes the standard library's expression compiler overflow.
    static const std::regex escaping("[\\.\\^\\$\\+\\(\\)\\[\\]\\{\\}\\|\\?\\\\]");
    const std::string escaped = std::regex_replace(pattern, escaping, "\\$&");
    return fmt::format("{}(.*)", std::regex_replace(escaped, kAsterisks, "[^/]*"));
}

std::regex compilePattern(const std::string& pattern) {
    return std::regex(translatePattern(pattern),
                      std::regex::ECMAScript | std::regex_constants::__polynomial);
}

}  // namespace velmar::filesystem
