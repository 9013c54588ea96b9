// Which of the ICCP, EXIF and XMP chunks a file holds, always in that order; and the same
// view from every kind of source.
#include <fmt/format.h>

#include "ExpectThrow.h"
#include "WebPTestSupport.h"
#include "tessik/Error.h"
#include "tessik/StreamAccessFactory.h"

using namespace velmar::test;

namespace {

std::vector<std::string> childNames(const tessik::ImageView& view) {
    std::vector<std::string> names;
    for (const auto& child : view.metadata()->children()) {
        names.push_back(child->name());
        EXPECT_EQ(child->value(), nullptr) << child->name();
        EXPECT_EQ(child->childCount(), 0u);
    }
    return names;
}

TEST(WebPMetadata, ReportsChunkPresenceInTheOrderIccpExifXmp) {
    VELMAR_REQUIRE_CORPUS();
    TempDir dir;
    writeBytes(dir.file("payload"), {'p', 'a', 'y', 'l', 'o', 'a', 'd'});
    struct Case {
        std::vector<std::string> chunks;  // as webpmux names them, in the order they are set
        std::vector<std::string> children;
    } cases[] = {
        {{}, {}},
        {{"icc"}, {"ICCP"}},
        {{"exif"}, {"EXIF"}},
        {{"xmp"}, {"XMP"}},
        {{"xmp", "icc"}, {"ICCP", "XMP"}},
        {{"xmp", "exif"}, {"EXIF", "XMP"}},
        {{"xmp", "exif", "icc"}, {"ICCP", "EXIF", "XMP"}},
    };
    WebPPlugin webp;
    for (const auto& c : cases) {
        std::string file = corpusFile("test.webp");
        for (std::size_t i = 0; i < c.chunks.size(); ++i) {
            const std::string out = dir.file(fmt::format("m{}.webp", i));
            ASSERT_TRUE(run(fmt::format("{} -set {} {} {} -o {}", VELMAR_WEBPMUX, c.chunks[i],
                                        dir.file("payload"), file, out)));
            std::filesystem::rename(out, dir.file("current.webp"));
            file = dir.file("current.webp");
        }
        auto view = webp.open(file);
        EXPECT_EQ(view->metadata()->name(), "root");
        EXPECT_EQ(view->metadata()->value(), nullptr);
        EXPECT_EQ(childNames(*view), c.children);
        EXPECT_EQ(readAll(*view), readAll(*webp.open(corpusFile("test.webp"))));
    }
}

TEST(WebPMetadata, ASimpleFileHasAChildlessRoot) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    for (const char* name : {"test.webp", "lossless1.webp", "lossy_alpha1.webp"}) {
        auto view = webp.open(corpusFile(name));
        ASSERT_NE(view->metadata(), nullptr);
        EXPECT_EQ(view->metadata()->childCount(), 0u) << name;
    }
}

TEST(WebPExtractor, OpensAlikeByPathStreamAndRandomAccess) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    const std::string path = corpusFile("lossy_alpha1.webp");
    const velmar::OptionMap none;
    const std::pair<std::shared_ptr<tessik::ImageView>, std::int32_t> views[] = {
        {webp.extractor().createExtractor(path, "WEBP", none), 2},
        {webp.extractor().createExtractor(tessik::StreamAccessFactory::openFileRead(path), "WEBP",
                                          none),
         0},
        {webp.extractor().createExtractor(tessik::RandomAccessFactory::fromMemory(readBytes(path)),
                                          "WEBP", none),
         0},
    };
    const auto reference = readAll(*views[0].first);
    for (const auto& [view, kind] : views) {
        EXPECT_EQ(view->shape(), views[0].first->shape());
        EXPECT_EQ(view->dataType(), views[0].first->dataType());
        EXPECT_EQ(view->capabilities(), tessik::ImageCapability::READ);
        EXPECT_EQ(view->properties()->imageInfo().hasAlpha(), true);
        EXPECT_EQ(childNames(*view), std::vector<std::string>{});
        EXPECT_EQ(readAll(*view), reference);
        const auto origin = view->viewOrigin();
        ASSERT_NE(origin, nullptr);
        EXPECT_EQ(view->extension(3), origin);
        EXPECT_EQ(origin->kind(), kind);
        EXPECT_EQ(origin->description(), "Tarsine Extractor");
        EXPECT_EQ(origin->parentCount(), 0u);
        EXPECT_THROW_EXACT(view->extension(4), tessik::Error, "Extension 4 not found");
        EXPECT_EQ(&view->shape(), &view->shape());
        EXPECT_EQ(view->properties(), view->properties());
    }
}

TEST(WebPExtractor, AnAnimatedFileOpensWithItsCanvasButDoesNotDecode) {
    VELMAR_REQUIRE_CORPUS();
    TempDir dir;
    const std::string grid = corpusFile("grid.png");
    // Two frames that differ, so that the tool keeps the animation.
    ASSERT_TRUE(run(fmt::format("{} -lossless -crop 0 0 16 16 {} -o {}", VELMAR_CWEBP,
                                corpusFile("peak.png"), dir.file("peak16.webp"))));
    ASSERT_TRUE(run(fmt::format("{} -lossless {} {} -o {}", VELMAR_IMG2WEBP, grid,
                                dir.file("peak16.webp"), dir.file("anim.webp"))));
    WebPPlugin webp;
    auto view = webp.open(dir.file("anim.webp"));
    EXPECT_EQ(view->shape(), (tessik::VectorX{16, 16}));
    std::vector<std::uint8_t> out(16 * 16 * 4);
    EXPECT_THROW_EXACT(
        view->readRegion(tessik::RegionX::createFullRegion(view->shape()), out.data()),
        tessik::Error, "Error occured during WEBP decoding");
}

}  // namespace
