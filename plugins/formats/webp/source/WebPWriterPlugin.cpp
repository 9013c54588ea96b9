#include "WebPWriterPlugin.h"

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
velmar::webp::WebPWriterPlugin velmar_writer_plugin;

namespace velmar::webp {

namespace {
const std::string kName = kPluginName;
const velmar::PluginVersion kVersion(kPluginVersion);
}  // namespace

WebPWriterPlugin::~WebPWriterPlugin() = default;
int WebPWriterPlugin::apiVersion() const {
    return kApiVersion;
}
const std::string& WebPWriterPlugin::name() const {
    return kName;
}
const velmar::PluginVersion& WebPWriterPlugin::version() const {
    return kVersion;
}
void WebPWriterPlugin::setLogLevel(int level) {
    common::InternalPluginLogger::initialize(kName, level);
}
const std::unordered_set<std::string>& WebPWriterPlugin::formats() const {
    return kFormats;
}
const std::unordered_map<std::string, std::string>& WebPWriterPlugin::extensions() const {
    return kExtensions;
}

}  // namespace velmar::webp
