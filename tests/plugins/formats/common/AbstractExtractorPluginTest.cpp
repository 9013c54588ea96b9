#include "AbstractExtractorPlugin.h"

#include <gtest/gtest.h>
#include <atomic>
#include <cstdlib>
#include <new>

#include "AbstractExtractor.h"
#include "CountingStream.h"
#include "ExpectThrow.h"
#include "TempDir.h"
#include "tessik/Error.h"
#include "tessik/MemoryStreamAccess.h"
#include "tessik/StreamAccessFactory.h"
#include "velmar/PluginLoader.h"

// Counts the allocations of this process, the loaded plugins' included.
namespace {
std::atomic<long> g_allocations{0};
}
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

std::vector<std::uint8_t> greyFile() {
    return {'T', 'G', 'R', 'Y', 3, 2, 10, 11, 12, 20, 21, 22};
}

// The test plugin library, loaded as the host loads plugins.
struct GreyPlugin {
    GreyPlugin() {
        library = loader.load(std::string(VELMAR_TEST_PLUGIN_DIR) + "/libvelmar-test-grey" +
                              VELMAR_DEBUG_POSTFIX + ".so");
        plugin = library->extractor;
    }
    velmar::PluginLoader loader;
    std::shared_ptr<const velmar::PluginLibrary> library;
    std::shared_ptr<velmar::ExtractorPlugin> plugin;
};

TEST(AbstractExtractorPlugin, IsFoundByFormatAndExtensionThroughTheLoader) {
    GreyPlugin grey;
    EXPECT_EQ(grey.loader.findExtractor("TGRY"), grey.plugin);
    EXPECT_EQ(grey.loader.findExtractorByExtension("TGRY"), grey.plugin);
    EXPECT_EQ(grey.loader.findExtractor("tgry"), nullptr);
}

TEST(AbstractExtractorPlugin, RefusesAnUnknownFormatBeforeTouchingTheSource) {
    GreyPlugin grey;
    auto stream = std::make_shared<velmar::test::CountingStream>(greyFile());
    const velmar::OptionMap none;
    for (const char* format : {"tgry", "Tgry", "", "WEBP"}) {
        const std::string expected =
            std::string("Format ") + format + " not supported by the plugin GreyTest";
        EXPECT_THROW_EXACT(grey.plugin->createExtractor(stream, format, none),
                           velmar::UnsupportedFormat, expected);
        EXPECT_THROW_EXACT(grey.plugin->createExtractor("/nonexistent/a.tgry", format, none),
                           velmar::UnsupportedFormat, expected);
        EXPECT_THROW_EXACT(
            grey.plugin->createExtractor(tessik::RandomAccessFactory::fromMemory({}), format, none),
            velmar::UnsupportedFormat, expected);
    }
    EXPECT_EQ(stream->touches, 0);
}

TEST(AbstractExtractorPlugin, BuildsTheExtractorFromEverySourceKind) {
    GreyPlugin grey;
    velmar::test::TempDir dir;
    velmar::test::writeBytes(dir.file("a.tgry"), greyFile());
    const velmar::OptionMap none;
    const std::pair<std::shared_ptr<tessik::ImageView>, std::int32_t> views[] = {
        {grey.plugin->createExtractor(dir.file("a.tgry"), "TGRY", none), 2},
        {grey.plugin->createExtractor(tessik::StreamAccessFactory::fromMemory(greyFile()), "TGRY",
                                      none),
         0},
        {grey.plugin->createExtractor(tessik::RandomAccessFactory::fromMemory(greyFile()), "TGRY",
                                      none),
         0},
    };
    for (const auto& [view, kind] : views) {
        EXPECT_EQ(view->shape(), (tessik::VectorX{3, 2}));
        EXPECT_EQ(&view->shape(), &view->shape());
        EXPECT_EQ(view->properties(), view->properties());
        EXPECT_EQ(view->metadata(), view->metadata());
        EXPECT_EQ(view->capabilities(), tessik::ImageCapability::READ);
        std::uint8_t pixels[2];
        view->readRegion(tessik::RegionX({1, 1}, {2, 1}), pixels);
        EXPECT_EQ(pixels[0], 21);
        EXPECT_EQ(pixels[1], 22);

        ASSERT_NE(view->viewOrigin(), nullptr);
        EXPECT_EQ(view->extension(3), view->extension(3));
        EXPECT_EQ(view->viewOrigin()->kind(), kind);
        EXPECT_EQ(view->viewOrigin()->description(), "Grey Extractor");  // first registration kept
        EXPECT_THROW_EXACT(view->extension(4), tessik::Error, "Extension 4 not found");
    }
}

TEST(AbstractExtractorPlugin, ConstructorErrorsReachTheCaller) {
    GreyPlugin grey;
    const velmar::OptionMap none;
    EXPECT_THROW_EXACT(
        grey.plugin->createExtractor(tessik::StreamAccessFactory::fromMemory({'x'}), "TGRY", none),
        tessik::Error, "Not a TGRY file");
    EXPECT_THROW(grey.plugin->createExtractor("/nonexistent/a.tgry", "TGRY", none), tessik::Error);
}

// An extractor whose constructor allocates nothing, so that every allocation counted while
// it is created is the plugin template's own.
class BareExtractor final : public velmar::common::AbstractExtractor {
public:
    template <typename Source>
    BareExtractor(Source, const std::string&, const velmar::OptionMap&) {}
};

class BarePlugin final : public velmar::common::AbstractExtractorPlugin<BareExtractor> {
public:
    int apiVersion() const override { return 2; }
    const std::string& name() const override { return m_name; }
    const velmar::PluginVersion& version() const override { return m_version; }
    void setLogLevel(int) override {}
    const std::unordered_set<std::string>& formats() const override { return m_formats; }
    const std::unordered_map<std::string, std::string>& extensions() const override {
        return m_ext;
    }

private:
    std::string m_name = "Bare";
    velmar::PluginVersion m_version{"1.0.0"};
    std::unordered_set<std::string> m_formats{"BARE"};
    std::unordered_map<std::string, std::string> m_ext;
};

TEST(AbstractExtractorPlugin, CreatesObjectAndCountInOneAllocation) {
    BarePlugin plugin;
    const velmar::OptionMap none;
    std::shared_ptr<tessik::StreamAccess> stream;  // null: BareExtractor never looks at it
    const long before = g_allocations.load();
    auto view = plugin.createExtractor(stream, "BARE", none);
    EXPECT_EQ(g_allocations.load() - before, 1);
    EXPECT_EQ(view.use_count(), 1);
}

}  // namespace
