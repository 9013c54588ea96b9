#include "velmar/PluginLoader.h"

#include <dlfcn.h>
#include <fmt/format.h>
#include <algorithm>
#include <filesystem>

#include "tessik/Error.h"

namespace velmar {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The plugin object under `symbol`, sharing ownership of the library; null when absent.
template <typename T>
std::shared_ptr<T> pluginObject(const std::shared_ptr<void>& handle, const char* symbol) {
    void* address = ::dlsym(handle.get(), symbol);
    if (address == nullptr)
        return nullptr;
    return std::shared_ptr<T>(handle, static_cast<T*>(address));
}

void requireApiVersion(const Plugin* plugin, const std::string& path, const char* symbol) {
    if (plugin == nullptr)
        return;
    const int version = plugin->apiVersion();
    if (version != kPluginApiVersion) {
        throw tessik::Error(
            fmt::format("Plugin library {} refused: {} has interface version {}, expected {}", path,
                        symbol, version, kPluginApiVersion));
    }
}

}  // namespace

std::shared_ptr<const PluginLibrary> PluginLoader::load(const std::string& path) {
    ::dlerror();
    void* raw = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (raw == nullptr) {
        const char* reason = ::dlerror();
        throw tessik::Error(fmt::format("Cannot load plugin library {}: {}", path,
                                        reason != nullptr ? reason : "unknown error"));
    }
    // Unloaded when the last plugin pointer of it goes, or right here on refusal.
    std::shared_ptr<void> handle(raw, [](void* h) { ::dlclose(h); });

    auto library = std::make_shared<PluginLibrary>();
    library->path = path;
    library->extractor = pluginObject<ExtractorPlugin>(handle, "velmar_extractor_plugin");
    library->writer = pluginObject<WriterPlugin>(handle, "velmar_writer_plugin");
    library->protocol = pluginObject<ProtocolPlugin>(handle, "velmar_protocol_plugin");
    if (!library->extractor && !library->writer && !library->protocol) {
        throw tessik::Error(
            fmt::format("Plugin library {} refused: it exports none of velmar_extractor_plugin, "
                        "velmar_writer_plugin, velmar_protocol_plugin",
                        path));
    }
    requireApiVersion(library->extractor.get(), path, "velmar_extractor_plugin");
    requireApiVersion(library->writer.get(), path, "velmar_writer_plugin");
    requireApiVersion(library->protocol.get(), path, "velmar_protocol_plugin");
    m_libraries.push_back(library);
    return library;
}

void PluginLoader::loadDirectory(const std::string& directory) {
    std::error_code error;
    std::vector<std::string> paths;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        const auto& entry = *it;
        if (entry.path().extension() == ".so")
            paths.push_back(entry.path().string());
    }
    if (error) {
        throw tessik::Error(
            fmt::format("Cannot read plugin folder {}: {}", directory, error.message()));
    }
    std::sort(paths.begin(), paths.end());
    for (const auto& path : paths) {
        try {
            load(path);
        } catch (const tessik::Error& refusal) {
            m_errors.emplace_back(refusal.what());
        }
    }
}

std::shared_ptr<ExtractorPlugin> PluginLoader::findExtractor(const std::string& format) const {
    for (const auto& library : m_libraries) {
        if (library->extractor && library->extractor->formats().count(format) != 0) {
            return library->extractor;
        }
    }
    return nullptr;
}

std::shared_ptr<ExtractorPlugin> PluginLoader::findExtractorByExtension(
    const std::string& extension) const {
    const std::string key = lower(extension);
    for (const auto& library : m_libraries) {
        if (library->extractor && library->extractor->extensions().count(key) != 0) {
            return library->extractor;
        }
    }
    return nullptr;
}

std::shared_ptr<WriterPlugin> PluginLoader::findWriter(const std::string& format) const {
    for (const auto& library : m_libraries) {
        if (library->writer && library->writer->formats().count(format) != 0)
            return library->writer;
    }
    return nullptr;
}

std::shared_ptr<WriterPlugin> PluginLoader::findWriterByExtension(
    const std::string& extension) const {
    const std::string key = lower(extension);
    for (const auto& library : m_libraries) {
        if (library->writer && library->writer->extensions().count(key) != 0)
            return library->writer;
    }
    return nullptr;
}

std::shared_ptr<ProtocolPlugin> PluginLoader::findProtocol(const std::string& scheme) const {
    const std::string key = lower(scheme);
    for (const auto& library : m_libraries) {
        if (library->protocol && library->protocol->schemes().count(key) != 0) {
            return library->protocol;
        }
    }
    return nullptr;
}

}  // namespace velmar
