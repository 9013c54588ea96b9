#pragma once

#include <optional>
#include <string>

#include "tessik/Export.h"

namespace tessik {

// An absolute URI (RFC 3986), parsed and validated at construction. Parts are kept as
// written (percent-encoded); decodedPath() decodes the path.
class TESSIK_API Uri {
public:
    // tessik::InvalidArgument "Invalid URI: {text}" for anything but an absolute URI.
    explicit Uri(const std::string& text);

    const std::string& toString() const { return m_text; }
    // Lower case, as schemes compare case-insensitively.
    const std::string& scheme() const { return m_scheme; }
    bool hasAuthority() const { return m_hasAuthority; }
    const std::string& userInfo() const { return m_userInfo; }
    const std::string& host() const { return m_host; }
    const std::string& port() const { return m_port; }
    const std::string& path() const { return m_path; }
    std::string decodedPath() const;
    const std::optional<std::string>& query() const { return m_query; }
    const std::optional<std::string>& fragment() const { return m_fragment; }

private:
    std::string m_text;
    std::string m_scheme;
    bool m_hasAuthority = false;
    std::string m_userInfo;
    std::string m_host;
    std::string m_port;
    std::string m_path;
    std::optional<std::string> m_query;
    std::optional<std::string> m_fragment;
};

}  // namespace tessik
