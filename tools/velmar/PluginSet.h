#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tessik/ImageView.h"
#include "tessik/StreamAccess.h"
#include "velmar/PluginLoader.h"

namespace velmar::cli {

// A reference to an image or file: a local path, or a URI with a scheme of two or more
// letters ("C:/x" stays a path).
struct Location {
    std::string text;
    std::string scheme;             // empty for a plain path, lower case otherwise
    std::string path;               // the local path, or the URI's decoded path
    std::string extension() const;  // lower case, without the dot
};
Location locate(const std::string& text);

// The plugins the tool found, and what it picks among them.
class PluginSet {
public:
    // Loads every library of each folder; `explicitFolders` (--plugins, VELMAR_PLUGIN_PATH)
    // must be readable, the tool's own folder is skipped when it is absent.
    PluginSet(const std::string& ownFolder, const std::vector<std::string>& explicitFolders);

    const velmar::PluginLoader& loader() const { return m_loader; }

    // The image at `location`, opened by the extractor plugin of its extension.
    std::shared_ptr<tessik::ImageView> openImage(const Location& location) const;
    std::shared_ptr<velmar::WriterPlugin> writerFor(const Location& location) const;
    std::shared_ptr<velmar::ProtocolPlugin> protocolFor(const std::string& scheme) const;
    std::string formatOf(const velmar::FormatPlugin& plugin, const Location& location) const;

private:
    velmar::PluginLoader m_loader;
};

}  // namespace velmar::cli
