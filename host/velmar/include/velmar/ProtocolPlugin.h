#pragma once

#include <memory>
#include <string>
#include <unordered_set>

#include "tessik/RandomAccess.h"
#include "tessik/StreamAccess.h"
#include "velmar/OptionMap.h"
#include "velmar/Plugin.h"

namespace velmar {

// Exported by a protocol plugin as `velmar_protocol_plugin`: reaches resources by URI.
class VELMAR_API ProtocolPlugin : public Plugin {
public:
    // URI schemes, lower case, without colon.
    virtual const std::unordered_set<std::string>& schemes() const = 0;
    virtual bool exists(const std::string& uri) = 0;
    virtual std::shared_ptr<tessik::RandomAccess> openRead(const std::string& uri,
                                                           const OptionMap& options) = 0;
    virtual std::shared_ptr<tessik::StreamAccess> openWrite(const std::string& uri,
                                                            const OptionMap& options) = 0;
    // URIs of the entries matching `pattern`, as seen from `host`.
    virtual std::unordered_set<std::string> list(const std::string& host,
                                                 const std::string& pattern) = 0;
    virtual void addCredentials(const std::string& host, const std::string& user,
                                const std::string& secret) = 0;
};

}  // namespace velmar
