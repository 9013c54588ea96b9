#pragma once

#include "AbstractExtractorPlugin.h"
#include "WebPExtractor.h"
#include "velmar/Export.h"

namespace velmar::webp {

// The extractor plugin object of the WebP library: identity, log level, and the create
// operations of the common template over WebPExtractor.
class WebPExtractorPlugin final : public common::AbstractExtractorPlugin<WebPExtractor> {
public:
    ~WebPExtractorPlugin() override;
    int apiVersion() const override;
    const std::string& name() const override;
    const velmar::PluginVersion& version() const override;
    void setLogLevel(int level) override;
    const std::unordered_set<std::string>& formats() const override;
    const std::unordered_map<std::string, std::string>& extensions() const override;
};

}  // namespace velmar::webp

extern "C" VELMAR_API velmar::webp::WebPExtractorPlugin velmar_extractor_plugin;
