// Any rectangle reads as the matching part of the full image, whatever the parity of its
// origin; rectangles outside the image are refused before the stream is touched.
#include <fmt/format.h>

#include "CountingStream.h"
#include "ExpectThrow.h"
#include "WebPTestSupport.h"
#include "tessik/Error.h"
#include "tessik/MemoryStreamAccess.h"

using namespace velmar::test;
using tessik::RegionX;

namespace {

std::vector<std::uint8_t> crop(const std::vector<std::uint8_t>& full, std::uint64_t width,
                               std::uint64_t pixelBytes, const RegionX& region) {
    std::vector<std::uint8_t> out;
    for (std::uint64_t y = 0; y < region.size()[1]; ++y) {
        const auto* row =
            full.data() + ((region.origin()[1] + y) * width + region.origin()[0]) * pixelBytes;
        out.insert(out.end(), row, row + region.size()[0] * pixelBytes);
    }
    return out;
}

std::vector<RegionX> regionsOf(std::uint64_t w, std::uint64_t h) {
    return {
        RegionX({0, 0}, {1, 1}),
        RegionX({w - 1, 0}, {1, 1}),
        RegionX({0, h - 1}, {1, 1}),
        RegionX({w - 1, h - 1}, {1, 1}),  // each corner
        RegionX({0, 0}, {w, 1}),
        RegionX({0, h - 1}, {w, 1}),
        RegionX({0, 3}, {w, 2}),  // rows
        RegionX({0, 0}, {1, h}),
        RegionX({w - 1, 0}, {1, h}),
        RegionX({5, 0}, {3, h}),  // columns
        RegionX({2, 2}, {2, 2}),
        RegionX({1, 2}, {2, 2}),
        RegionX({2, 1}, {2, 2}),
        RegionX({1, 1}, {2, 2}),  // every origin parity
        RegionX({3, 5}, {w - 3, h - 5}),
        RegionX({1, 1}, {w - 1, h - 1}),  // to the far edges
        RegionX({w / 2 + 1, h / 2}, {w / 4, h / 3}),
    };
}

class RegionRead : public ::testing::TestWithParam<std::string> {};

TEST_P(RegionRead, EqualsTheMatchingPartOfTheFullImage) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    auto view = webp.open(corpusFile(GetParam()));
    const std::uint64_t w = view->shape()[0], h = view->shape()[1];
    const std::uint64_t pixelBytes = view->dataType().byteCount();
    const auto full = readAll(*view);
    for (const auto& region : regionsOf(w, h)) {
        SCOPED_TRACE(fmt::format("origin ({}, {}) size ({}, {})", region.origin()[0],
                                 region.origin()[1], region.size()[0], region.size()[1]));
        std::vector<std::uint8_t> out(region.elementCount() * pixelBytes, 0xCD);
        view->readRegion(region, out.data());
        EXPECT_EQ(out, crop(full, w, pixelBytes, region));
    }
    std::vector<std::uint8_t> pixel(pixelBytes);
    view->read({w - 1, h - 1}, pixel.data());
    EXPECT_EQ(pixel, crop(full, w, pixelBytes, RegionX({w - 1, h - 1}, {1, 1})));
    EXPECT_EQ(readAll(*view), full);  // a second read gives the same bytes
}

INSTANTIATE_TEST_SUITE_P(Files, RegionRead,
                         ::testing::Values<std::string>("test.webp", "small_31x13.webp",
                                                        "lossless1.webp", "lossy_alpha1.webp",
                                                        "alpha_filter_2.webp",
                                                        "lossless_vec_2_3.webp"),
                         fileTestName);

TEST(RegionRead, RefusesRegionsOutsideTheImageBeforeTouchingTheStream) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    auto stream =
        std::make_shared<velmar::test::CountingStream>(readBytes(corpusFile("small_31x13.webp")));
    auto view = webp.extractor().createExtractor(stream, "WEBP", velmar::OptionMap());
    const RegionX refused[] = {
        RegionX({1, 0}, {31, 1}),       // one past the right edge
        RegionX({0, 1}, {1, 13}),       // one past the bottom edge
        RegionX({31, 0}, {1, 1}),       // origin on the right edge
        RegionX({0, 13}, {1, 1}),       // origin on the bottom edge
        RegionX({0}, {1}),              // one axis
        RegionX({0, 0, 0}, {1, 1, 1}),  // three axes
    };
    std::uint8_t sink[31 * 13 * 4];
    stream->touches = 0;
    for (const auto& region : refused) {
        EXPECT_THROW_EXACT(view->readRegion(region, sink), tessik::InvalidArgument,
                           "Required region out of image bounds");
    }
    EXPECT_THROW_EXACT(view->read({31, 0}, sink), tessik::InvalidArgument,
                       "Required region out of image bounds");
    EXPECT_EQ(stream->touches, 0);
}

TEST(RegionRead, TheFourByFourExampleTakesBothPaths) {
    const std::string png = std::string(VELMAR_WEBP_CORPUS) + "/grid.png";
    VELMAR_REQUIRE_CORPUS();
    TempDir dir;
    // A 4x4 lossless picture cut from the 16x16 grid.
    ASSERT_TRUE(run(
        fmt::format("{} -lossless -crop 5 3 4 4 {} -o {}", VELMAR_CWEBP, png, dir.file("g.webp"))));
    WebPPlugin webp;
    auto view = webp.open(dir.file("g.webp"));
    ASSERT_EQ(view->shape(), (tessik::VectorX{4, 4}));
    const auto full = readAll(*view);
    const std::uint64_t px = view->dataType().byteCount();
    for (const auto& region : {RegionX({1, 2}, {2, 2}), RegionX({2, 2}, {2, 2})}) {
        std::vector<std::uint8_t> out(4 * px);
        view->readRegion(region, out.data());
        EXPECT_EQ(out, crop(full, 4, px, region));
    }
}

}  // namespace
