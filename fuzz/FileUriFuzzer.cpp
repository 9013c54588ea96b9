// URI-to-path on arbitrary strings, and the listing pattern's translation and match
// against names the input chooses; no file-system access. The input is split at its first
// zero byte: before it the URI or pattern, after it names separated by newlines.
#include <boost/system/system_error.hpp>
#include <regex>
#include <sstream>
#include <string>

#include "FileUri.h"
#include "ListingPattern.h"
#include "tessik/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return 0;  // long patterns only slow the search down
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto split = input.find('\0');
    const std::string text = input.substr(0, split);
    try {
        const std::string path = velmar::filesystem::uriToLocalPath(text);
        if (path.empty())
            __builtin_trap();  // an empty path must have been refused
    } catch (const tessik::InvalidArgument&) {
    } catch (const boost::system::system_error&) {
    }
    velmar::filesystem::isFileUri(text);
    try {
        const std::regex pattern = velmar::filesystem::compilePattern(text);
        std::istringstream names(split == std::string::npos ? std::string()
                                                            : input.substr(split + 1));
        std::string name;
        while (std::getline(names, name))
            std::regex_match(name, pattern);
        // A pattern without special characters always selects itself.
        if (text.find_first_of("\\.^$+()[]{}|?*") == std::string::npos &&
            !std::regex_match(text, pattern)) {
            __builtin_trap();
        }
    } catch (const std::regex_error&) {
    }
    return 0;
}
