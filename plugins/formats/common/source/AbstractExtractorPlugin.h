#pragma once

#include <memory>
#include <string>

#include "FormatCheck.h"
#include "velmar/ExtractorPlugin.h"

namespace velmar::common {

// Implements the three createExtractor operations for an extractor class T that has a
// constructor per source kind. The format is checked before the source is touched.
template <typename T>
class AbstractExtractorPlugin : public velmar::ExtractorPlugin {
public:
    std::shared_ptr<tessik::ImageView> createExtractor(std::shared_ptr<tessik::RandomAccess> source,
                                                       const std::string& format,
                                                       const velmar::OptionMap& options) override {
        requireFormat(*this, format);
        return std::make_shared<T>(std::move(source), format, options);
    }

    std::shared_ptr<tessik::ImageView> createExtractor(std::shared_ptr<tessik::StreamAccess> source,
                                                       const std::string& format,
                                                       const velmar::OptionMap& options) override {
        requireFormat(*this, format);
        return std::make_shared<T>(std::move(source), format, options);
    }

    std::shared_ptr<tessik::ImageView> createExtractor(const std::string& filePath,
                                                       const std::string& format,
                                                       const velmar::OptionMap& options) override {
        requireFormat(*this, format);
        return std::make_shared<T>(std::string(filePath), format, options);
    }
};

}  // namespace velmar::common
