#pragma once

#include <memory>
#include <string>

#include "tessik/Export.h"
#include "tessik/VariantDataValue.h"

namespace tessik {

// Writes one view to one target. Either write(), or writeInit(), writeData(), finish().
class TESSIK_API Writer {
public:
    virtual ~Writer();
    virtual void write() = 0;
    virtual void writeInit() = 0;
    virtual void writeData() = 0;
    virtual void finish() = 0;
    virtual std::string pluginName() const = 0;
    virtual std::string pluginVersion() const = 0;
    virtual void setOption(const std::string& name, std::shared_ptr<VariantDataValue> value) = 0;
};

}  // namespace tessik
