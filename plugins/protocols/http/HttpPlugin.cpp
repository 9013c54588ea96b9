#include "HttpPlugin.h"

#include "tessik/StreamAccessFactory.h"
#include "tessik/Uri.h"
#include "velmar/Exceptions.h"

namespace velmar::http {

namespace {
const std::string kName = "http_plugin";
const velmar::PluginVersion kVersion("1.0.0");
const std::unordered_set<std::string> kSchemes = {"http", "https"};
}  // namespace

}  // namespace velmar::http

velmar::http::HttpPlugin velmar_protocol_plugin;

namespace velmar::http {

HttpPlugin::~HttpPlugin() = default;
int HttpPlugin::apiVersion() const {
    return velmar::kPluginApiVersion;
}
const std::string& HttpPlugin::name() const {
    return kName;
}
const velmar::PluginVersion& HttpPlugin::version() const {
    return kVersion;
}
void HttpPlugin::setLogLevel(int) {}
const std::unordered_set<std::string>& HttpPlugin::schemes() const {
    return kSchemes;
}

bool HttpPlugin::exists(const std::string&) {
    throw velmar::UnsupportedOperation("Existence check is not supported for HTTP protocol");
}

std::shared_ptr<tessik::RandomAccess> HttpPlugin::openRead(const std::string& uri,
                                                           const velmar::OptionMap&) {
    const tessik::Uri parsed(uri);
    return tessik::RandomAccessFactory::openURIRead(parsed);
}

std::shared_ptr<tessik::StreamAccess> HttpPlugin::openWrite(const std::string& uri,
                                                            const velmar::OptionMap&) {
    const tessik::Uri parsed(uri);
    return tessik::StreamAccessFactory::openURIWrite(parsed);
}

std::unordered_set<std::string> HttpPlugin::list(const std::string&, const std::string&) {
    throw velmar::UnsupportedOperation("Listing is not supported for HTTP protocol");
}

void HttpPlugin::addCredentials(const std::string&, const std::string&, const std::string&) {
    throw velmar::UnsupportedOperation("Adding credentials is not supported for HTTP protocol");
}

}  // namespace velmar::http
