// What the writer encodes comes back: exactly in lossless mode, within lossy error in lossy
// mode, and byte for byte what libwebp's own encoder makes of the same picture.
#include <fmt/format.h>
#include <webp/encode.h>
#include <cmath>

#include "TestImages.h"
#include "WebPTestSupport.h"
#include "tessik/MemoryStreamAccess.h"
#include "tessik/StreamAccessFactory.h"

using namespace velmar::test;
using tessik::ImageInterpretation;

namespace {

struct Encoded {
    std::vector<std::uint8_t> file;
    std::shared_ptr<tessik::ImageView> decoded;  // through the plugin's extractor
};

Encoded encode(const WebPPlugin& webp, const std::shared_ptr<tessik::ImageView>& image,
               const velmar::OptionMap& options = {}) {
    auto stream = std::make_shared<tessik::MemoryStreamAccess>();
    webp.library->writer->createWriter(image, stream, "WEBP", options)->write();
    Encoded out{stream->bytes(), nullptr};
    out.decoded = webp.extractor().createExtractor(
        tessik::StreamAccessFactory::fromMemory(out.file), "WEBP", velmar::OptionMap());
    return out;
}

struct Size {
    std::uint64_t w, h;
};
constexpr Size kSizes[] = {{1, 1}, {13, 1}, {1, 13}, {5, 3}, {300, 211}};

TEST(WebPWriterRoundTrip, LosslessColourComesBackExactly) {
    WebPPlugin webp;
    for (const auto [w, h] : kSizes) {
        for (const bool alpha : {false, true}) {
            SCOPED_TRACE(fmt::format("{}x{} alpha {}", w, h, alpha));
            const std::uint32_t channels = alpha ? 4 : 3;
            const auto image = makeNoise(w, h, channels, ImageInterpretation::RGB, alpha);
            const auto result = encode(webp, image);
            ASSERT_EQ(result.decoded->shape(), (tessik::VectorX{w, h}));
            ASSERT_EQ(result.decoded->dataType().elementCount(), channels);
            const auto pixels = readAll(*result.decoded);
            const auto* expected = samplesOf(*image);
            for (std::uint64_t i = 0; i < w * h; ++i) {
                const auto* got = pixels.data() + i * channels;
                const auto* want = expected + i * channels;
                if (alpha) {
                    ASSERT_EQ(got[3], want[3]) << "pixel " << i;
                }
                // A fully transparent pixel may lose its colour, as the encoder allows.
                if (alpha && want[3] == 0)
                    continue;
                ASSERT_TRUE(std::equal(got, got + 3, want)) << "pixel " << i;
            }
            // libwebp's own decoder reads the file alike.
            EXPECT_EQ(libwebpDecode(result.file, alpha), pixels);
        }
    }
}

TEST(WebPWriterRoundTrip, LosslessGreyAndGreyAlphaComeBackExactly) {
    WebPPlugin webp;
    for (const auto [w, h] : kSizes) {
        for (const bool alpha : {false, true}) {
            SCOPED_TRACE(fmt::format("{}x{} alpha {}", w, h, alpha));
            const std::uint32_t channels = alpha ? 2 : 1;
            const auto image = makeNoise(w, h, channels, ImageInterpretation::GRAYSCALE, alpha);
            const auto pixels = readAll(*encode(webp, image).decoded);
            const std::uint32_t outChannels = alpha ? 4 : 3;
            ASSERT_EQ(pixels.size(), w * h * outChannels);
            const auto* expected = samplesOf(*image);
            for (std::uint64_t i = 0; i < w * h; ++i) {
                const auto* got = pixels.data() + i * outChannels;
                const std::uint8_t grey = expected[i * channels];
                if (alpha) {
                    ASSERT_EQ(got[3], expected[i * channels + 1]) << "pixel " << i;
                }
                if (alpha && got[3] == 0)
                    continue;
                ASSERT_EQ(got[0], grey) << "pixel " << i;
                ASSERT_EQ(got[1], grey) << "pixel " << i;
                ASSERT_EQ(got[2], grey) << "pixel " << i;
            }
        }
    }
}

TEST(WebPWriterRoundTrip, ChannelsFollowTheElementCountNotTheAlphaFlag) {
    WebPPlugin webp;
    struct Case {
        std::uint32_t channels;
        ImageInterpretation interpretation;
        bool alphaFlag;
        bool alphaComesBack;
    } cases[] = {
        {4, ImageInterpretation::RGB, false, false},        // fourth sample ignored, opaque
        {3, ImageInterpretation::RGB, true, false},         // no fourth sample: opaque
        {2, ImageInterpretation::GRAYSCALE, false, false},  // channel 1 ignored
        {2, ImageInterpretation::UNKNOWN, true, true},      // grey and alpha
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(fmt::format("{} channels alpha {}", c.channels, c.alphaFlag));
        const auto image = makeNoise(7, 5, c.channels, c.interpretation, c.alphaFlag);
        const auto decoded = encode(webp, image).decoded;
        const auto pixels = readAll(*decoded);
        const std::uint32_t out = decoded->dataType().elementCount();
        EXPECT_EQ(out == 4, c.alphaComesBack);
        const bool grey = c.channels < 3;
        for (std::uint64_t i = 0; i < 35; ++i) {
            const auto* want = samplesOf(*image) + i * c.channels;
            const auto* got = pixels.data() + i * out;
            if (c.alphaComesBack) {
                ASSERT_EQ(got[3], want[grey ? 1 : 3]);
                if (got[3] == 0)
                    continue;
            }
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(got[k], want[grey ? 0 : k]) << "pixel " << i;
        }
    }
}

TEST(WebPWriterRoundTrip, AThreeAxisImageWithChannelAxisIsAssembled) {
    WebPPlugin webp;
    const tessik::DataType one(tessik::DataTypeId::UINT8);
    auto planes = tessik::ImageViewFactory::allocate({4, 2, 3}, one);
    auto* bytes = static_cast<std::uint8_t*>(planes->buffer());
    for (int i = 0; i < 24; ++i)
        bytes[i] = static_cast<std::uint8_t>(10 * i);
    auto properties = tessik::ImageProperties::fromDataType(one);
    properties->imageInfo().setInterpretation(ImageInterpretation::RGB);
    properties->imageInfo().setAxesInterpretation(tessik::ImageTypeId::IMAGE_CHANNELS);
    planes->setProperties(properties);
    const auto pixels = readAll(*encode(webp, planes).decoded);
    ASSERT_EQ(pixels.size(), 24u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(pixels[3 * i], 10 * i);
        EXPECT_EQ(pixels[3 * i + 1], 10 * (i + 8));
        EXPECT_EQ(pixels[3 * i + 2], 10 * (i + 16));
    }
}

// Limited-range BT.601, as the encoder reads YUV samples.
std::array<double, 3> yuvToRgb(double y, double u, double v) {
    const double c = 1.164 * (y - 16);
    return {c + 1.596 * (v - 128), c - 0.813 * (v - 128) - 0.391 * (u - 128),
            c + 2.018 * (u - 128)};
}

TEST(WebPWriterRoundTrip, YuvComesBackWithinLossyErrorAtEverySize) {
    WebPPlugin webp;
    for (const auto [w, h] : {Size{5, 3}, Size{1, 1}, Size{64, 48}, Size{33, 17}}) {
        for (const bool lossless : {true, false}) {
            SCOPED_TRACE(fmt::format("{}x{} lossless {}", w, h, lossless));
            // Smooth luma, chroma constant over each 2 x 2 block.
            const auto image =
                makeImage(w, h, 3, ImageInterpretation::YUV, false,
                          [](std::uint32_t c, std::uint64_t x, std::uint64_t y) {
                              if (c == 0)
                                  return std::uint8_t(60 + 2 * x + 3 * y);
                              return std::uint8_t(c == 1 ? 110 + 4 * (x / 2) : 150 - 3 * (y / 2));
                          });
            velmar::OptionMap options;
            options.set("lossless", lossless).set("quality", 95.0);
            const auto pixels = readAll(*encode(webp, image, options).decoded);
            double total = 0, worst = 0;
            for (std::uint64_t i = 0; i < w * h; ++i) {
                const auto* s = samplesOf(*image) + i * 3;
                const auto rgb = yuvToRgb(s[0], s[1], s[2]);
                for (int k = 0; k < 3; ++k) {
                    const double error =
                        std::abs(std::clamp(rgb[k], 0.0, 255.0) - pixels[i * 3 + k]);
                    total += error;
                    worst = std::max(worst, error);
                }
            }
            EXPECT_LT(total / double(w * h * 3), 4.0);
            EXPECT_LT(worst, 24.0);
        }
    }
}

TEST(WebPWriterRoundTrip, LowerQualityGivesASmallerLossyFile) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    const auto picture = webp.open(corpusFile("test.webp"));  // encoded straight from the reader
    std::vector<std::size_t> sizes;
    for (double quality : {30.0, 90.0}) {
        velmar::OptionMap options;
        options.set("lossless", false).set("quality", quality);
        sizes.push_back(encode(webp, picture, options).file.size());
    }
    EXPECT_LT(sizes[0], sizes[1]);
}

// libwebp's own encoder, handed the same packed picture and configuration.
std::vector<std::uint8_t> libwebpEncode(const tessik::ImageView& rgba, bool lossless, float quality,
                                        int method) {
    WebPConfig config;
    EXPECT_TRUE(WebPConfigPreset(&config, WEBP_PRESET_DEFAULT, 60));
    config.lossless = lossless ? 1 : 0;
    config.quality = quality;
    config.method = method;
    config.alpha_compression = 1;
    config.alpha_quality = 100;
    WebPPicture picture;
    EXPECT_TRUE(WebPPictureInit(&picture));
    picture.width = static_cast<int>(rgba.shape()[0]);
    picture.height = static_cast<int>(rgba.shape()[1]);
    picture.use_argb = 1;
    EXPECT_TRUE(WebPPictureImportRGBA(&picture, samplesOf(rgba), picture.width * 4));
    WebPMemoryWriter memory;
    WebPMemoryWriterInit(&memory);
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &memory;
    EXPECT_TRUE(WebPEncode(&config, &picture));
    std::vector<std::uint8_t> bytes(memory.mem, memory.mem + memory.size);
    WebPMemoryWriterClear(&memory);
    WebPPictureFree(&picture);
    return bytes;
}

TEST(WebPWriterRoundTrip, OutputEqualsLibwebpsOwnEncodeOfTheSamePicture) {
    WebPPlugin webp;
    const auto image = makeNoise(97, 61, 4, ImageInterpretation::RGB, true);
    struct Case {
        bool lossless;
        double quality;
        int method;
    } cases[] = {{true, 60, 3}, {false, 75, 4}, {false, 30, 0}};
    for (const auto& c : cases) {
        velmar::OptionMap options;
        options.set("lossless", c.lossless).set("quality", c.quality).set("method", c.method);
        EXPECT_EQ(encode(webp, image, options).file,
                  libwebpEncode(*image, c.lossless, static_cast<float>(c.quality), c.method))
            << "lossless " << c.lossless << " quality " << c.quality;
    }
}

}  // namespace
