#pragma once

#include <memory>
#include <string>
#include <vector>

#include "velmar/Export.h"
#include "velmar/ExtractorPlugin.h"
#include "velmar/ProtocolPlugin.h"
#include "velmar/WriterPlugin.h"

namespace velmar {

// One loaded plugin library and the plugin objects it exports. The plugin pointers share
// ownership of the library: it stays mapped while any of them, or the library, is held.
// Views and writers a plugin made must be released before its last plugin pointer.
struct VELMAR_API PluginLibrary {
    std::string path;
    std::shared_ptr<ExtractorPlugin> extractor;
    std::shared_ptr<WriterPlugin> writer;
    std::shared_ptr<ProtocolPlugin> protocol;
};

// Loads plugin libraries with dlopen and finds their plugins. Every refusal is a
// tessik::Error that names the library and the reason.
class VELMAR_API PluginLoader {
public:
    // Loads one library. Refused: a file that is not a loadable library, a library without
    // any of the plugin symbols, a plugin whose apiVersion() is not 2 (checked before
    // anything else is asked of it; the library is unloaded again).
    std::shared_ptr<const PluginLibrary> load(const std::string& path);
    // Loads every "*.so" file of a folder, in name order; a library that is refused is
    // skipped and its error kept in errors(). A folder that cannot be read throws.
    void loadDirectory(const std::string& directory);

    const std::vector<std::shared_ptr<const PluginLibrary>>& libraries() const {
        return m_libraries;
    }
    const std::vector<std::string>& errors() const { return m_errors; }

    // First plugin that handles the format name (exact match), or the file extension
    // (without dot, case-insensitive), or the URI scheme (case-insensitive); null if none.
    std::shared_ptr<ExtractorPlugin> findExtractor(const std::string& format) const;
    std::shared_ptr<ExtractorPlugin> findExtractorByExtension(const std::string& extension) const;
    std::shared_ptr<WriterPlugin> findWriter(const std::string& format) const;
    std::shared_ptr<WriterPlugin> findWriterByExtension(const std::string& extension) const;
    std::shared_ptr<ProtocolPlugin> findProtocol(const std::string& scheme) const;

private:
    std::vector<std::shared_ptr<const PluginLibrary>> m_libraries;
    std::vector<std::string> m_errors;
};

}  // namespace velmar
