#include "FileSystemPlugin.h"

#include <algorithm>
#include <boost/filesystem.hpp>
#include <boost/system/system_error.hpp>
#include <boost/url/static_url.hpp>

#include "FileUri.h"
#include "ListingPattern.h"
#include "tessik/StreamAccessFactory.h"
#include "velmar/Exceptions.h"

namespace velmar::filesystem {

namespace {
const std::string kName = "filesystem_plugin";
const velmar::PluginVersion kVersion("1.0.0");
const std::unordered_set<std::string> kSchemes = {"file"};
// Listed URIs are built in a fixed buffer of this many characters.
constexpr std::size_t kMaxUriLength = 1024;

std::string withForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
}  // namespace

}  // namespace velmar::filesystem

velmar::filesystem::FileSystemPlugin velmar_protocol_plugin;

namespace velmar::filesystem {

FileSystemPlugin::~FileSystemPlugin() = default;
int FileSystemPlugin::apiVersion() const {
    return velmar::kPluginApiVersion;
}
const std::string& FileSystemPlugin::name() const {
    return kName;
}
const velmar::PluginVersion& FileSystemPlugin::version() const {
    return kVersion;
}
void FileSystemPlugin::setLogLevel(int) {}
const std::unordered_set<std::string>& FileSystemPlugin::schemes() const {
    return kSchemes;
}

bool FileSystemPlugin::exists(const std::string& uri) {
    const std::string path = isFileUri(uri) ? uriToLocalPath(uri) : uri;
    return boost::filesystem::exists(boost::filesystem::path(path));
}

std::shared_ptr<tessik::RandomAccess> FileSystemPlugin::openRead(const std::string& uri,
                                                                 const velmar::OptionMap&) {
    return tessik::RandomAccessFactory::fromStream(
        tessik::StreamAccessFactory::openFileRead(uriToLocalPath(uri)));
}

std::shared_ptr<tessik::StreamAccess> FileSystemPlugin::openWrite(const std::string& uri,
                                                                  const velmar::OptionMap&) {
    return tessik::StreamAccessFactory::openFile(uriToLocalPath(uri));
}

std::unordered_set<std::string> FileSystemPlugin::list(const std::string& host,
                                                       const std::string& pattern) {
    namespace fs = boost::filesystem;
    std::unordered_set<std::string> result;
    const fs::path patternPath(pattern);
    const fs::path dir = patternPath.parent_path();
    const std::regex patternRegex = compilePattern(patternPath.string());
    if (!fs::exists(dir) || !fs::is_directory(dir))
        return result;

    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string entryPath = withForwardSlashes(entry.path().string());
        if (!std::regex_match(entryPath, patternRegex))
            continue;
        // The URI names the entry wherever the caller stands: a relative folder of the
        // pattern is resolved against the working directory. The name is kept as stored,
        // backslashes included, so that the URI opens this very entry.
        boost::urls::static_url<kMaxUriLength> uri;
        uri.set_scheme("file");
        uri.set_host(host);
        uri.set_path(fs::absolute(entry.path()).string());
        uri.set_path_absolute(true);
        // This Boost release fits one character more than the capacity into the buffer.
        if (uri.buffer().size() > kMaxUriLength) {
            throw boost::system::system_error(
                make_error_code(boost::system::errc::value_too_large));
        }
        result.insert(std::string(uri.buffer()));
    }
    return result;
}

void FileSystemPlugin::addCredentials(const std::string&, const std::string&, const std::string&) {
    throw velmar::UnsupportedOperation(
        "Adding credentials is not supported for FileSystem protocol");
}

}  // namespace velmar::filesystem
