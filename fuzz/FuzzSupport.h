#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "velmar/PluginLoader.h"

namespace velmar::fuzz {

// The WebP plugin, loaded once per process as the host loads it.
inline const velmar::PluginLibrary& webpPlugin() {
    static velmar::PluginLoader loader;
    static const auto library = loader.load(VELMAR_WEBP_PLUGIN);
    return *library;
}

// Reads the input front to back; past its end every value is zero.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::uint32_t below(std::uint32_t limit) { return limit == 0 ? 0 : byte() % limit; }
    const std::uint8_t* rest() const { return m_data + m_at; }
    std::size_t restSize() const { return m_size - m_at; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

}  // namespace velmar::fuzz
