#pragma once

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <vector>

#include "velmar/PluginLoader.h"

namespace velmar::bench {

inline std::string corpusFile(const std::string& name) {
    return std::string(VELMAR_WEBP_CORPUS) + "/" + name;
}

// The WebP plugin, loaded once for the whole run as the host loads it.
inline const velmar::PluginLibrary& webpPlugin() {
    static velmar::PluginLoader loader;
    static const auto library = loader.load(std::string(VELMAR_PLUGIN_DIR) + "/libvelmar-WebP" +
                                            VELMAR_DEBUG_POSTFIX + ".so");
    return *library;
}

// The file's bytes, read from disk: the plain-libwebp side of each pair pays for this too.
inline std::vector<std::uint8_t> readFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        std::uint8_t block[1 << 16];
        std::size_t n;
        while ((n = std::fread(block, 1, sizeof block, file)) > 0)
            bytes.insert(bytes.end(), block, block + n);
        std::fclose(file);
    }
    return bytes;
}

}  // namespace velmar::bench
