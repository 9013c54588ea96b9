#pragma once

#include <fmt/format.h>
#include <memory>
#include <string>

#include "velmar/Exceptions.h"
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
        requireFormat(format);
        return std::make_shared<T>(std::move(view), std::move(stream), format, options);
    }

    std::shared_ptr<tessik::Writer> createWriter(std::shared_ptr<tessik::View> view,
                                                 const std::string& path, const std::string& format,
                                                 const velmar::OptionMap& options) override {
        requireFormat(format);
        return std::make_shared<T>(std::move(view), path, format, options);
    }

private:
    void requireFormat(const std::string& format) const {
        if (formats().count(format) == 0) {
            throw velmar::UnsupportedFormat(
                fmt::format("Format {0} not supported by the plugin {1}", format, name()).c_str());
        }
    }
};

}  // namespace velmar::common
