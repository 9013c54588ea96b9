#include "FileUri.h"

#include <fmt/format.h>
#include <boost/url/parse.hpp>
#include <boost/url/url_view.hpp>
#include <cctype>

#include "tessik/Error.h"

namespace velmar::filesystem {

namespace {
bool isDrivePath(const std::string& path) {
    return path.size() >= 3 && path[0] == '/' &&
           std::isalpha(static_cast<unsigned char>(path[1])) && path[2] == ':';
}
}  // namespace

std::string uriToLocalPath(const std::string& uri) {
    const boost::urls::url_view view(uri);
    std::string path = view.path();
    if (path.empty())
        throw tessik::InvalidArgument(fmt::format("URI does not contain a valid path: {}", uri));
    if (isDrivePath(path))
        path.erase(0, 1);
    return path;
}

bool isFileUri(const std::string& text) {
    const auto parsed = boost::urls::parse_uri(text);
    if (!parsed)
        return false;
    const auto scheme = parsed->scheme();
    return scheme.size() == 4 && std::tolower(static_cast<unsigned char>(scheme[0])) == 'f' &&
           std::tolower(static_cast<unsigned char>(scheme[1])) == 'i' &&
           std::tolower(static_cast<unsigned char>(scheme[2])) == 'l' &&
           std::tolower(static_cast<unsigned char>(scheme[3])) == 'e';
}

}  // namespace velmar::filesystem
