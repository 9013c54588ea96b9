#include "InternalPluginLogger.h"

#include <spdlog/sinks/stdout_color_sinks.h>
#include <spdlog/spdlog.h>
#include <array>
#include <atomic>
#include <mutex>

#include "tessik/Error.h"

namespace velmar::common {

namespace {

// Host level number to spdlog level: the host counts up from "off", spdlog down to it.
constexpr std::array<spdlog::level::level_enum, 7> kLevels = {
    spdlog::level::off,  spdlog::level::critical, spdlog::level::err,   spdlog::level::warn,
    spdlog::level::info, spdlog::level::debug,    spdlog::level::trace,
};

std::once_flag g_created;
// Written once under the once-flag, read by log sites on any thread.
std::atomic<std::shared_ptr<InternalPluginLogger>> g_instance;

}  // namespace

spdlog::level::level_enum InternalPluginLogger::toSpdlogLevel(int level) {
    if (level < 0 || level >= static_cast<int>(kLevels.size())) {
        throw tessik::Error("unsupported log level");
    }
    return kLevels[static_cast<std::size_t>(level)];
}

InternalPluginLogger::InternalPluginLogger(const std::string& name, int level) : m_level(level) {
    const auto spdlogLevel = toSpdlogLevel(level);
    m_logger = spdlog::stdout_color_mt(name);
    m_logger->set_level(spdlogLevel);
}

InternalPluginLogger::~InternalPluginLogger() {
    // Unregister, so that the library can be loaded again in this process and get its
    // logger back under the same name.
    if (m_logger)
        spdlog::drop(m_logger->name());
}

void InternalPluginLogger::initialize(const std::string& name, int level) {
    std::call_once(g_created,
                   [&] { g_instance.store(std::make_shared<InternalPluginLogger>(name, level)); });
}

std::shared_ptr<InternalPluginLogger> InternalPluginLogger::instance() {
    return g_instance.load();
}

std::shared_ptr<spdlog::logger> pluginLogger() {
    const auto holder = InternalPluginLogger::instance();
    return holder ? holder->logger() : nullptr;
}

}  // namespace velmar::common
