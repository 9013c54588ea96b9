#include "WebPExtractorPlugin.h"

#include "InternalPluginLogger.h"
#include "PluginIdentity.h"

namespace velmar::webp {

namespace {
const std::unordered_set<std::string> kFormats = {kFormatName};
const std::unordered_map<std::string, std::string> kExtensions = {{kFileExtension, kFormatName}};
}  // namespace

}  // namespace velmar::webp

// Defined between the identity data so that static initialisation and destruction run in
// the library's fixed order: formats, extensions, plugin object, name, version.
velmar::webp::WebPExtractorPlugin velmar_extractor_plugin;

namespace velmar::webp {

namespace {
const std::string kName = kPluginName;
const velmar::PluginVersion kVersion(kPluginVersion);
}  // namespace

WebPExtractorPlugin::~WebPExtractorPlugin() = default;
int WebPExtractorPlugin::apiVersion() const {
    return kApiVersion;
}
const std::string& WebPExtractorPlugin::name() const {
    return kName;
}
const velmar::PluginVersion& WebPExtractorPlugin::version() const {
    return kVersion;
}
void WebPExtractorPlugin::setLogLevel(int level) {
    common::InternalPluginLogger::initialize(kName, level);
}
const std::unordered_set<std::string>& WebPExtractorPlugin::formats() const {
    return kFormats;
}
const std::unordered_map<std::string, std::string>& WebPExtractorPlugin::extensions() const {
    return kExtensions;
}

}  // namespace velmar::webp
