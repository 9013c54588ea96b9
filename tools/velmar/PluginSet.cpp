#include "PluginSet.h"

#include <fmt/format.h>
#include <algorithm>
#include <filesystem>

#include "tessik/Error.h"
#include "tessik/Uri.h"

namespace velmar::cli {

namespace {
std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
}  // namespace

std::string Location::extension() const {
    const std::string ext = std::filesystem::path(path).extension().string();
    return lower(ext.empty() ? ext : ext.substr(1));
}

Location locate(const std::string& text) {
    const auto colon = text.find(':');
    const bool uri =
        colon != std::string::npos && colon >= 2 &&
        std::isalpha(static_cast<unsigned char>(text[0])) &&
        std::all_of(text.begin(), text.begin() + static_cast<long>(colon), [](unsigned char c) {
            return std::isalnum(c) || c == '+' || c == '-' || c == '.';
        });
    if (!uri)
        return {text, "", text};
    const tessik::Uri parsed(text);
    return {text, parsed.scheme(), parsed.decodedPath()};
}

PluginSet::PluginSet(const std::string& ownFolder,
                     const std::vector<std::string>& explicitFolders) {
    if (!ownFolder.empty() && std::filesystem::is_directory(ownFolder))
        m_loader.loadDirectory(ownFolder);
    for (const auto& folder : explicitFolders)
        m_loader.loadDirectory(folder);
}

std::string PluginSet::formatOf(const velmar::FormatPlugin& plugin,
                                const Location& location) const {
    const auto it = plugin.extensions().find(location.extension());
    if (it != plugin.extensions().end())
        return it->second;
    return *plugin.formats().begin();
}

std::shared_ptr<tessik::ImageView> PluginSet::openImage(const Location& location) const {
    auto extractor = m_loader.findExtractorByExtension(location.extension());
    if (!extractor) {
        // No plugin claims the extension: the only format plugin there is decides.
        for (const auto& library : m_loader.libraries()) {
            if (library->extractor)
                extractor = library->extractor;
        }
    }
    if (!extractor)
        throw tessik::Error("No image format plugin found; see 'velmar plugins'");
    const std::string format = formatOf(*extractor, location);
    if (location.scheme.empty())
        return extractor->createExtractor(location.path, format, {});
    return extractor->createExtractor(protocolFor(location.scheme)->openRead(location.text, {}),
                                      format, {});
}

std::shared_ptr<velmar::WriterPlugin> PluginSet::writerFor(const Location& location) const {
    auto writer = m_loader.findWriterByExtension(location.extension());
    if (!writer) {
        throw tessik::Error(fmt::format("No writer plugin for .{} files; see 'velmar plugins'",
                                        location.extension()));
    }
    return writer;
}

std::shared_ptr<velmar::ProtocolPlugin> PluginSet::protocolFor(const std::string& scheme) const {
    auto protocol = m_loader.findProtocol(scheme);
    if (!protocol)
        throw tessik::Error(
            fmt::format("No protocol plugin for {} URIs; see 'velmar plugins'", scheme));
    return protocol;
}

}  // namespace velmar::cli
