#pragma once

#include <memory>
#include <string>

#include "FormatCheck.h"
#include "velmar/WriterPlugin.h"

namespace velmar::common {

// Implements both createWriter operations for a writer class T. The format is checked
// before anything is opened or created; every further check is T's constructor's.
template <typename T>
class AbstractWriterPlugin : public velmar::WriterPlugin {
public:
    std::shared_ptr<tessik::Writer> createWriter(std::shared_ptr<tessik::View> view,
                                                 std::shared_ptr<tessik::StreamAccess> stream,
                                                 const std::string& format,
                                                 const velmar::OptionMap& options) override {
        requireFormat(*this, format);
        return std::make_shared<T>(std::move(view), std::move(stream), format, options);
    }

    std::shared_ptr<tessik::Writer> createWriter(std::shared_ptr<tessik::View> view,
                                                 const std::string& path, const std::string& format,
                                                 const velmar::OptionMap& options) override {
        requireFormat(*this, format);
        return std::make_shared<T>(std::move(view), path, format, options);
    }
};

}  // namespace velmar::common
