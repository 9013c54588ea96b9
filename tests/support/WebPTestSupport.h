#pragma once

#include <gtest/gtest.h>
#include <webp/decode.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "tessik/ImageView.h"
#include "velmar/PluginLoader.h"

namespace velmar::test {

inline std::filesystem::path corpusDir() {
    return VELMAR_WEBP_CORPUS;
}
inline bool hasCorpus() {
    return std::filesystem::is_directory(corpusDir());
}
inline std::string corpusFile(const std::string& name) {
    return (corpusDir() / name).string();
}

// The corpus's WebP files by name, sorted; empty when the corpus is absent.
inline std::vector<std::string> corpusWebPFiles() {
    std::vector<std::string> names;
    if (!hasCorpus())
        return names;
    for (const auto& entry : std::filesystem::directory_iterator(corpusDir())) {
        if (entry.path().extension() == ".webp")
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

#define VELMAR_REQUIRE_CORPUS()       \
    if (!::velmar::test::hasCorpus()) \
    GTEST_SKIP() << "WebP corpus not found at " VELMAR_WEBP_CORPUS

inline std::string pluginPath(const std::string& name) {
    return std::string(VELMAR_PLUGIN_DIR) + "/lib" + name + VELMAR_DEBUG_POSTFIX + ".so";
}

// The built WebP library, loaded through the loader as the host loads it.
struct WebPPlugin {
    WebPPlugin() : library(loader.load(pluginPath("velmar-WebP"))) {}
    velmar::PluginLoader loader;
    std::shared_ptr<const velmar::PluginLibrary> library;
    velmar::ExtractorPlugin& extractor() const { return *library->extractor; }
    std::shared_ptr<tessik::ImageView> open(const std::string& path) const {
        return library->extractor->createExtractor(path, "WEBP", velmar::OptionMap());
    }
};

inline std::vector<std::uint8_t> readAll(tessik::ImageView& view) {
    std::vector<std::uint8_t> out(view.byteCount());
    view.readRegion(tessik::RegionX::createFullRegion(view.shape()), out.data());
    return out;
}

// libwebp's own decode of a whole file, with simple upsampling, as RGB or RGBA.
inline std::vector<std::uint8_t> libwebpDecode(const std::vector<std::uint8_t>& file, bool alpha) {
    WebPDecoderConfig config;
    EXPECT_TRUE(WebPInitDecoderConfig(&config));
    EXPECT_EQ(WebPGetFeatures(file.data(), file.size(), &config.input), VP8_STATUS_OK);
    const int pixelBytes = alpha ? 4 : 3;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(config.input.width) *
                                     static_cast<std::size_t>(config.input.height) * pixelBytes);
    config.options.no_fancy_upsampling = 1;
    config.output.colorspace = alpha ? MODE_RGBA : MODE_RGB;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = pixels.data();
    config.output.u.RGBA.stride = config.input.width * pixelBytes;
    config.output.u.RGBA.size = pixels.size();
    EXPECT_EQ(WebPDecode(file.data(), file.size(), &config), VP8_STATUS_OK);
    return pixels;
}

// A test name made from a file name: its stem with every other character made "_".
inline std::string fileTestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = std::filesystem::path(info.param).stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

// Runs a shell command; true when it exits with status 0.
inline bool run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace velmar::test
