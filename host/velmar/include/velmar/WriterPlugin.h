#pragma once

#include <memory>
#include <string>

#include "tessik/StreamAccess.h"
#include "tessik/View.h"
#include "tessik/Writer.h"
#include "velmar/FormatPlugin.h"
#include "velmar/OptionMap.h"

namespace velmar {

// Exported by a format plugin as `velmar_writer_plugin`: writes views as files.
class VELMAR_API WriterPlugin : public FormatPlugin {
public:
    virtual std::shared_ptr<tessik::Writer> createWriter(
        std::shared_ptr<tessik::View> view, std::shared_ptr<tessik::StreamAccess> stream,
        const std::string& format, const OptionMap& options) = 0;
    virtual std::shared_ptr<tessik::Writer> createWriter(std::shared_ptr<tessik::View> view,
                                                         const std::string& path,
                                                         const std::string& format,
                                                         const OptionMap& options) = 0;
};

}  // namespace velmar
