#pragma once

#include <memory>
#include <string>

#include "tessik/ImageView.h"
#include "tessik/RandomAccess.h"
#include "tessik/StreamAccess.h"
#include "velmar/FormatPlugin.h"
#include "velmar/OptionMap.h"

namespace velmar {

// Exported by a format plugin as `velmar_extractor_plugin`: opens images for reading.
class VELMAR_API ExtractorPlugin : public FormatPlugin {
public:
    virtual std::shared_ptr<tessik::ImageView> createExtractor(
        std::shared_ptr<tessik::RandomAccess> source, const std::string& format,
        const OptionMap& options) = 0;
    virtual std::shared_ptr<tessik::ImageView> createExtractor(
        std::shared_ptr<tessik::StreamAccess> source, const std::string& format,
        const OptionMap& options) = 0;
    virtual std::shared_ptr<tessik::ImageView> createExtractor(const std::string& filePath,
                                                               const std::string& format,
                                                               const OptionMap& options) = 0;
};

}  // namespace velmar
