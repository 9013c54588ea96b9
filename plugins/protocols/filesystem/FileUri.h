#pragma once

#include <string>

namespace velmar::filesystem {

// The local path a URI reference names: its percent-decoded path, scheme, authority,
// query and fragment ignored. The leading "/" stays, except before a drive letter
// ("/C:/data" becomes "C:/data"). A string that is not a URI reference throws Boost.URL's
// boost::system::system_error; an empty path throws tessik::InvalidArgument
// "URI does not contain a valid path: {uri}".
std::string uriToLocalPath(const std::string& uri);

// True when the string parses as a URI whose scheme is "file" (in any case).
bool isFileUri(const std::string& text);

}  // namespace velmar::filesystem
