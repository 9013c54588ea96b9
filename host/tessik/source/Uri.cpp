#include "tessik/Uri.h"

#include <fmt/format.h>
#include <algorithm>
#include <boost/url/parse.hpp>
#include <boost/url/url_view.hpp>

#include "tessik/Error.h"

namespace tessik {

Uri::Uri(const std::string& text) : m_text(text) {
    const auto parsed = boost::urls::parse_uri(text);
    if (!parsed)
        throw InvalidArgument(fmt::format("Invalid URI: {}", text));
    const boost::urls::url_view& uri = *parsed;
    m_scheme = std::string(uri.scheme());
    std::transform(m_scheme.begin(), m_scheme.end(), m_scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    m_hasAuthority = uri.has_authority();
    m_userInfo = std::string(uri.encoded_userinfo());
    m_host = std::string(uri.encoded_host());
    m_port = std::string(uri.port());
    m_path = std::string(uri.encoded_path());
    if (uri.has_query())
        m_query = std::string(uri.encoded_query());
    if (uri.has_fragment())
        m_fragment = std::string(uri.encoded_fragment());
}

std::string Uri::decodedPath() const {
    return boost::urls::parse_uri(m_text)->path();
}

}  // namespace tessik
