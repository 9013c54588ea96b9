#pragma once

#include "velmar/Export.h"
#include "velmar/ProtocolPlugin.h"

namespace velmar::http {

// The protocol plugin for "http" and "https" URIs: opening is the data model's URI access
// (see tessik/HttpUpload.h for uploads); existence checks, listing and credentials are
// refused. The URI string is handed on as it is, whatever its scheme.
class HttpPlugin final : public velmar::ProtocolPlugin {
public:
    ~HttpPlugin() override;
    int apiVersion() const override;
    const std::string& name() const override;
    const velmar::PluginVersion& version() const override;
    void setLogLevel(int level) override;
    const std::unordered_set<std::string>& schemes() const override;
    bool exists(const std::string& uri) override;
    std::shared_ptr<tessik::RandomAccess> openRead(const std::string& uri,
                                                   const velmar::OptionMap& options) override;
    std::shared_ptr<tessik::StreamAccess> openWrite(const std::string& uri,
                                                    const velmar::OptionMap& options) override;
    std::unordered_set<std::string> list(const std::string& host,
                                         const std::string& pattern) override;
    void addCredentials(const std::string& host, const std::string& user,
                        const std::string& secret) override;
};

}  // namespace velmar::http

extern "C" VELMAR_API velmar::http::HttpPlugin velmar_protocol_plugin;
