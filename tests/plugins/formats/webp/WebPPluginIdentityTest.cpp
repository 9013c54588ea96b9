#include <fmt/format.h>
#include <cstdio>
#include <memory>

#include "ExpectThrow.h"
#include "ProcessHelpers.h"
#include "WebPTestSupport.h"
#include "velmar/Exceptions.h"

using namespace velmar::test;

namespace {

std::vector<const velmar::FormatPlugin*> pluginObjects(const WebPPlugin& webp) {
    std::vector<const velmar::FormatPlugin*> plugins = {webp.library->extractor.get()};
    if (webp.library->writer)
        plugins.push_back(webp.library->writer.get());
    return plugins;
}

TEST(WebPPlugin, AnswersItsIdentity) {
    WebPPlugin webp;
    ASSERT_NE(webp.library->extractor, nullptr);
    for (const auto* plugin : pluginObjects(webp)) {
        EXPECT_EQ(plugin->apiVersion(), 2);
        EXPECT_EQ(plugin->name(), "Tarsine");
        EXPECT_EQ(plugin->version(), velmar::PluginVersion("2.2.0"));
        EXPECT_EQ(plugin->formats(), (std::unordered_set<std::string>{"WEBP"}));
        EXPECT_EQ(plugin->extensions(),
                  (std::unordered_map<std::string, std::string>{{"webp", "WEBP"}}));
        EXPECT_EQ(&plugin->name(), &plugin->name());
    }
    EXPECT_EQ(webp.loader.findExtractor("WEBP"), webp.library->extractor);
    EXPECT_EQ(webp.loader.findExtractorByExtension("webp"), webp.library->extractor);
}

TEST(WebPPlugin, RefusesFormatNamesOtherThanWebpInUpperCaseBeforeOpening) {
    WebPPlugin webp;
    const velmar::OptionMap none;
    for (const char* format : {"webp", "WebP", "PNG"}) {
        EXPECT_THROW_EXACT(webp.extractor().createExtractor("/nonexistent/file.webp", format, none),
                           velmar::UnsupportedFormat,
                           fmt::format("Format {} not supported by the plugin Tarsine", format));
    }
}

TEST(WebPPlugin, ExportsItsPluginObjectsAsData) {
    EXPECT_TRUE(exportsDataSymbol(pluginPath("velmar-WebP"), "velmar_extractor_plugin"));
    EXPECT_TRUE(exportsDataSymbol(pluginPath("velmar-WebP"), "velmar_writer_plugin"));
}

}  // namespace
