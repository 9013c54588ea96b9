#pragma once

#include "velmar/Export.h"
#include "velmar/ProtocolPlugin.h"

namespace velmar::filesystem {

// The protocol plugin for "file" URIs: opens local files, tests paths, lists a folder.
class FileSystemPlugin final : public velmar::ProtocolPlugin {
public:
    ~FileSystemPlugin() override;
    int apiVersion() const override;
    const std::string& name() const override;
    const velmar::PluginVersion& version() const override;
    // The plugin has no logger: the level is ignored.
    void setLogLevel(int level) override;
    const std::unordered_set<std::string>& schemes() const override;
    // A "file" URI is turned into its local path first; any other string is a path as it
    // stands. Links are followed; a dangling link does not exist.
    bool exists(const std::string& uri) override;
    std::shared_ptr<tessik::RandomAccess> openRead(const std::string& uri,
                                                   const velmar::OptionMap& options) override;
    // Creates the file, or truncates it when it exists.
    std::shared_ptr<tessik::StreamAccess> openWrite(const std::string& uri,
                                                    const velmar::OptionMap& options) override;
    // The entries of the pattern's folder (one level) whose path, as written in the
    // pattern, matches it; each as a "file" URI of `host` naming the entry's absolute path.
    std::unordered_set<std::string> list(const std::string& host,
                                         const std::string& pattern) override;
    void addCredentials(const std::string& host, const std::string& user,
                        const std::string& secret) override;
};

}  // namespace velmar::filesystem

extern "C" VELMAR_API velmar::filesystem::FileSystemPlugin velmar_protocol_plugin;
