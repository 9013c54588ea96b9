#pragma once

#include <string>

#include "velmar/Export.h"
#include "velmar/PluginVersion.h"

namespace velmar {

// The interface version every plugin of this framework reports.
inline constexpr int kPluginApiVersion = 2;

class VELMAR_API Plugin {
public:
    virtual ~Plugin() = default;
    virtual int apiVersion() const = 0;
    virtual const std::string& name() const = 0;
    virtual const PluginVersion& version() const = 0;
    virtual void setLogLevel(int level) = 0;
};

}  // namespace velmar
