#pragma once

#include "AbstractWriterPlugin.h"
#include "WebPWriter.h"
#include "velmar/Export.h"

namespace velmar::webp {

// The writer plugin object of the WebP library: identity, log level, and the create
// operations of the common template over WebPWriter.
class WebPWriterPlugin final : public common::AbstractWriterPlugin<WebPWriter> {
public:
    ~WebPWriterPlugin() override;
    int apiVersion() const override;
    const std::string& name() const override;
    const velmar::PluginVersion& version() const override;
    void setLogLevel(int level) override;
    const std::unordered_set<std::string>& formats() const override;
    const std::unordered_map<std::string, std::string>& extensions() const override;
};

}  // namespace velmar::webp

extern "C" VELMAR_API velmar::webp::WebPWriterPlugin velmar_writer_plugin;
