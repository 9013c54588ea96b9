#include "velmar/PluginVersion.h"

#include <fmt/format.h>
#include <charconv>
#include <cstring>

#include "tessik/Error.h"

namespace velmar {

namespace {
// Parses one decimal component ending at `stop` (or the end); advances `at`.
bool component(const char*& at, const char* end, char stop, unsigned& out) {
    const char* limit =
        stop == '\0' ? end : static_cast<const char*>(std::memchr(at, stop, end - at));
    if (limit == nullptr || limit == at)
        return false;
    auto [ptr, ec] = std::from_chars(at, limit, out);
    if (ec != std::errc() || ptr != limit)
        return false;
    at = limit == end ? end : limit + 1;
    return true;
}
}  // namespace

PluginVersion::PluginVersion(const char* text) {
    const std::string value = text != nullptr ? text : "";
    const char* at = value.data();
    const char* end = at + value.size();
    if (!component(at, end, '.', m_major) || !component(at, end, '.', m_minor) ||
        !component(at, end, '\0', m_patch)) {
        throw tessik::InvalidArgument(fmt::format("Invalid plugin version: {}", value));
    }
}

std::string PluginVersion::toString() const {
    return fmt::format("{}.{}.{}", m_major, m_minor, m_patch);
}

}  // namespace velmar
