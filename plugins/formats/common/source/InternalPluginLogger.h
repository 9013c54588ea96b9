#pragma once

#include <spdlog/common.h>
#include <spdlog/logger.h>
#include <memory>
#include <string>

namespace velmar::common {

// The one logger of a format plugin library, created by the first valid setLogLevel call
// and named after the plugin. Levels 0 (off) to 6 (trace).
class InternalPluginLogger {
public:
    // Checks the level first, so a refused level leaves nothing behind; then creates a
    // colour console logger on standard output, registered under `name`.
    InternalPluginLogger(const std::string& name, int level);
    ~InternalPluginLogger();
    InternalPluginLogger(const InternalPluginLogger&) = delete;
    InternalPluginLogger& operator=(const InternalPluginLogger&) = delete;

    // Creates the logger on the first call that succeeds; every later call changes
    // nothing. A refused level throws tessik::Error "unsupported log level" and leaves the
    // library without logger, so that a later valid call still creates it.
    static void initialize(const std::string& name, int level);
    // The logger, or null before the first successful initialize().
    static std::shared_ptr<InternalPluginLogger> instance();
    // tessik::Error "unsupported log level" outside 0 to 6.
    static spdlog::level::level_enum toSpdlogLevel(int level);

    std::shared_ptr<spdlog::logger> logger() const { return m_logger; }
    int level() const { return m_level; }

private:
    std::shared_ptr<spdlog::logger> m_logger;
    int m_level;
};

// The plugin's spdlog logger, or null while none exists: log sites skip their record then.
std::shared_ptr<spdlog::logger> pluginLogger();

}  // namespace velmar::common
