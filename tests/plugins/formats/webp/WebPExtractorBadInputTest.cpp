// Bad input ends in one of the fixed messages, never a crash, a hang or a leak.
#include <fmt/format.h>
#include <set>

#include "ExpectThrow.h"
#include "WebPTestSupport.h"
#include "tessik/Error.h"
#include "tessik/MemoryStreamAccess.h"
#include "tessik/StreamAccessFactory.h"

using namespace velmar::test;

namespace {

constexpr const char* kHeaderError = "Problem occured during retrieving image informations";
constexpr const char* kDecodeError = "Error occured during WEBP decoding";

std::shared_ptr<tessik::ImageView> openBytes(const WebPPlugin& webp,
                                             std::vector<std::uint8_t> bytes) {
    return webp.extractor().createExtractor(
        tessik::StreamAccessFactory::fromMemory(std::move(bytes)), "WEBP", velmar::OptionMap());
}

TEST(WebPBadInput, FilesThatAreNotWebPAreRefusedAtOpening) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    TempDir dir;
    const std::string text = "This is a text file, not an image.\n";
    const std::vector<std::uint8_t> cases[] = {
        {},                                                   // empty
        {'R', 'I', 'F', 'F', 0x10, 0, 0, 0, 'W', 'E'},        // 10 bytes
        std::vector<std::uint8_t>(text.begin(), text.end()),  // text
        readBytes(corpusFile("grid.png")),                    // a PNG
    };
    for (const auto& bytes : cases) {
        writeBytes(dir.file("bad.webp"), bytes);
        EXPECT_THROW_EXACT(webp.open(dir.file("bad.webp")), tessik::Error, kHeaderError);
        EXPECT_THROW_EXACT(openBytes(webp, bytes), tessik::Error, kHeaderError);
    }
}

TEST(WebPBadInput, CorpusFilesCutShortOpenOrFailWithAFixedMessage) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    const std::set<std::string> fixed = {kHeaderError, "Error during parsing", kDecodeError};
    for (const char* name : {"test.webp", "lossless1.webp", "lossy_alpha1.webp",
                             "alpha_filter_2.webp", "small_1x1.webp", "lossless_vec_1_13.webp"}) {
        const auto bytes = readBytes(corpusFile(name));
        const std::size_t n = bytes.size();
        for (std::size_t length :
             {std::size_t{1}, std::size_t{11}, std::size_t{12}, std::size_t{20}, std::size_t{29},
              std::size_t{30}, std::size_t{40}, n / 4, n / 2, n - 1}) {
            if (length >= n)
                continue;
            SCOPED_TRACE(fmt::format("{} cut at {}", name, length));
            try {
                auto view =
                    openBytes(webp, {bytes.begin(), bytes.begin() + static_cast<long>(length)});
                std::vector<std::uint8_t> out(view->byteCount());
                view->readRegion(tessik::RegionX::createFullRegion(view->shape()), out.data());
                view->readRegion(
                    tessik::RegionX({1, 1}, {view->shape()[0] - 1, view->shape()[1] - 1}),
                    out.data());
            } catch (const tessik::Error& error) {
                EXPECT_EQ(fixed.count(error.what()), 1u) << error.what();
            }
        }
    }
}

TEST(WebPBadInput, APayloadLibwebpRejectsFailsAtDecoding) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    for (const char* name : {"lossless1.webp", "lossless2.webp", "lossless_color_transform.webp"}) {
        SCOPED_TRACE(name);
        auto bytes = readBytes(corpusFile(name));
        // Keep the container and the frame header, destroy the coded data of the first chunk.
        const std::size_t chunkEnd = std::min<std::size_t>(
            bytes.size(),
            20 + (bytes[16] | bytes[17] << 8 | bytes[18] << 16 | std::size_t{bytes[19]} << 24));
        std::fill(bytes.begin() + 40, bytes.begin() + static_cast<long>(chunkEnd),
                  std::uint8_t{0xFF});
        auto view = openBytes(webp, bytes);
        std::vector<std::uint8_t> out(view->byteCount());
        EXPECT_THROW_EXACT(
            view->readRegion(tessik::RegionX::createFullRegion(view->shape()), out.data()),
            tessik::Error, kDecodeError);
        // Still usable afterwards: the next call starts from the first byte again.
        EXPECT_THROW_EXACT(view->read({0, 0}, out.data()), tessik::Error, kDecodeError);
    }
}

// A stream that stops delivering bytes after `limit` without ever reporting its end.
class StallingStream final : public tessik::MemoryStreamAccess {
public:
    StallingStream(std::vector<std::uint8_t> bytes, std::uint64_t limit)
        : MemoryStreamAccess(std::move(bytes)), m_limit(limit) {}
    std::uint64_t read(std::uint64_t count, void* dst) override {
        const std::uint64_t available = tell() < m_limit ? m_limit - tell() : 0;
        const std::uint64_t n = MemoryStreamAccess::read(std::min(count, available), dst);
        return n;
    }
    bool isEof() const override { return false; }

private:
    std::uint64_t m_limit;
};

TEST(WebPBadInput, AStreamThatNeverReportsItsEndDoesNotHang) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    const auto bytes = readBytes(corpusFile("test.webp"));
    const velmar::OptionMap none;
    // Too short for the header: opening ends with the header error.
    EXPECT_THROW_EXACT(
        webp.extractor().createExtractor(std::make_shared<StallingStream>(bytes, 16), "WEBP", none),
        tessik::Error, kHeaderError);
    // Header complete, pixels missing: the read returns, the undecoded rows untouched.
    auto view = webp.extractor().createExtractor(
        std::make_shared<StallingStream>(bytes, bytes.size() / 2), "WEBP", none);
    std::vector<std::uint8_t> out(view->byteCount(), 0xCD);
    view->readRegion(tessik::RegionX::createFullRegion(view->shape()), out.data());
    EXPECT_EQ(out.back(), 0xCD);
}

TEST(WebPBadInput, ATruncatedFileReadAtAnOddOriginGivesOnlyDecodedRows) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    const auto bytes = readBytes(corpusFile("test.webp"));
    const auto full = readAll(*openBytes(webp, bytes));
    const std::uint64_t w = 128, h = 128;
    const tessik::RegionX odd({1, 1}, {w - 1, h - 1});

    // Cut in the middle of the pixel data: decoded rows match, the others stay as they were.
    auto half =
        openBytes(webp, {bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2)});
    std::vector<std::uint8_t> out(odd.elementCount() * 3, 0xCD);
    half->readRegion(odd, out.data());
    const std::uint64_t rowBytes = (w - 1) * 3;
    std::uint64_t decodedRows = 0;
    while (decodedRows < h - 1 &&
           !std::all_of(out.begin() + static_cast<long>(decodedRows * rowBytes),
                        out.begin() + static_cast<long>((decodedRows + 1) * rowBytes),
                        [](std::uint8_t b) { return b == 0xCD; })) {
        ++decodedRows;
    }
    EXPECT_GT(decodedRows, 0u);
    EXPECT_LT(decodedRows, h - 1);
    for (std::uint64_t y = 0; y < h - 1; ++y) {
        const auto* got = out.data() + y * rowBytes;
        if (y < decodedRows) {
            EXPECT_TRUE(std::equal(got, got + rowBytes, full.data() + ((y + 1) * w + 1) * 3))
                << "row " << y;
        } else {
            EXPECT_TRUE(std::all_of(got, got + rowBytes, [](std::uint8_t b) { return b == 0xCD; }))
                << "row " << y;
        }
    }

    // Cut right after the frame header: libwebp has made no output yet; nothing is written.
    auto headerOnly = openBytes(webp, {bytes.begin(), bytes.begin() + 40});
    std::vector<std::uint8_t> untouched(odd.elementCount() * 3, 0xCD);
    headerOnly->readRegion(odd, untouched.data());
    EXPECT_TRUE(
        std::all_of(untouched.begin(), untouched.end(), [](std::uint8_t b) { return b == 0xCD; }));
}

}  // namespace
