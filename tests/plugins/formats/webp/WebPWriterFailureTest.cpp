// Every refusal of the writer, with its exact type and text; a refused writer leaves the
// file at its path as it was.
#include <fmt/format.h>
#include <cmath>
#include <functional>

#include "ExpectThrow.h"
#include "TestImages.h"
#include "WebPTestSupport.h"
#include "tessik/Error.h"
#include "tessik/MemoryStreamAccess.h"
#include "tessik/StreamAccessFactory.h"
#include "velmar/Exceptions.h"

using namespace velmar::test;
using tessik::ImageInterpretation;

namespace {

constexpr const char* kQualityText =
    "Quality should be between 0 (lossy: smallest, lossless: fastest) and 100 (lossy: largest, "
    "lossless: slowest/best)";
constexpr const char* kMethodText = "Method should be between 0 (fast) and 6 (slower-better)";
constexpr const char* kAlphaQualityText =
    "Alpha quality should be between 0 (smallest size) and 100 (lossless)";

std::shared_ptr<tessik::ImageView> rgb(std::uint64_t w = 4, std::uint64_t h = 4) {
    return makeNoise(w, h, 3, ImageInterpretation::RGB, false);
}

// A 2-D image that says it cannot be read.
class UnreadableImage final : public tessik::ImageView {
public:
    std::shared_ptr<tessik::Extension> extension(std::uint64_t) const override {
        throw tessik::Error("none");
    }
    tessik::FlagSet<tessik::ImageCapability> capabilities() const override { return {}; }
    const tessik::VectorX& shape() const override { return m_shape; }
    tessik::DataType dataType() const override {
        return tessik::DataType(tessik::DataTypeId::UINT8X3);
    }
    std::shared_ptr<const tessik::ImageProperties> properties() const override {
        return tessik::ImageProperties::fromDataType(dataType());
    }
    std::shared_ptr<tessik::MetadataNode> metadata() const override { return nullptr; }

private:
    tessik::VectorX m_shape{4, 4};
};

class EmptyStack final : public tessik::MultiImageView {
public:
    std::shared_ptr<tessik::Extension> extension(std::uint64_t) const override {
        throw tessik::Error("none");
    }
    tessik::FlagSet<tessik::MultiImageCapability> capabilities() const override {
        return tessik::MultiImageCapability::READ;
    }
    std::uint64_t imageCount() const override { return 0; }
    std::shared_ptr<tessik::ImageView> image(std::uint64_t) const override { return nullptr; }
};

std::shared_ptr<tessik::ImageView> volume() {
    auto image =
        tessik::ImageViewFactory::allocate({4, 4, 3}, tessik::DataType(tessik::DataTypeId::UINT8));
    auto properties = tessik::ImageProperties::fromDataType(image->dataType());
    properties->imageInfo().setAxesInterpretation(tessik::ImageTypeId::VOLUME);
    image->setProperties(properties);
    return image;
}

std::shared_ptr<tessik::ImageView> ofType(tessik::DataTypeId id,
                                          ImageInterpretation interpretation) {
    auto image = tessik::ImageViewFactory::allocate({4, 4}, tessik::DataType(id));
    auto properties = tessik::ImageProperties::fromDataType(image->dataType());
    properties->imageInfo().setInterpretation(interpretation);
    image->setProperties(properties);
    return image;
}

velmar::OptionMap option(const char* key, double value) {
    velmar::OptionMap options;
    options.set(key, value);
    return options;
}
velmar::OptionMap option(const char* key, int value) {
    velmar::OptionMap options;
    options.set(key, value);
    return options;
}

struct Refusal {
    const char* why;
    std::shared_ptr<tessik::View> view;
    velmar::OptionMap options;
    std::function<void(const std::function<void()>&)> expect;
};

template <typename E>
std::function<void(const std::function<void()>&)> throws(std::string message) {
    return [message](const std::function<void()>& call) { EXPECT_THROW_EXACT(call(), E, message); };
}

std::vector<Refusal> refusals() {
    const double nan = std::nan("");
    return {
        {"a view that is not an image",
         std::make_shared<EmptyStack>(),
         {},
         throws<tessik::Error>("Unsupported view type")},
        {"a null view", nullptr, {}, throws<tessik::Error>("Unsupported view type")},
        {"an unreadable 2-D image",
         std::make_shared<UnreadableImage>(),
         {},
         throws<tessik::Error>("Image is not readable")},
        {"a volume without channel axis",
         volume(),
         {},
         throws<tessik::Error>("Unsupported image dimension")},
        {"16-bit grey",
         ofType(tessik::DataTypeId::UINT16, ImageInterpretation::GRAYSCALE),
         {},
         throws<velmar::UnsupportedFormat>("Unsupported data type UINT16")},
        {"signed 8-bit",
         ofType(tessik::DataTypeId::INT8, ImageInterpretation::GRAYSCALE),
         {},
         throws<velmar::UnsupportedFormat>("Unsupported data type INT8")},
        {"five channels",
         ofType(static_cast<tessik::DataTypeId>(0x10508), ImageInterpretation::RGB),
         {},
         throws<velmar::UnsupportedFormat>("Unsupported data type UINT8x5")},
        {"32-bit float",
         ofType(tessik::DataTypeId::FLOAT32, ImageInterpretation::GRAYSCALE),
         {},
         throws<velmar::UnsupportedFormat>("Unsupported data type FLOAT32")},
        {"three channels without interpretation",
         ofType(tessik::DataTypeId::UINT8X3, ImageInterpretation::UNKNOWN),
         {},
         throws<tessik::Error>("Cannot determine colorspace to apply")},
        {"quality above 100", rgb(), option("quality", 100.5), throws<tessik::Error>(kQualityText)},
        {"quality below 0", rgb(), option("quality", -1.0), throws<tessik::Error>(kQualityText)},
        {"quality NaN", rgb(), option("quality", nan), throws<tessik::Error>(kQualityText)},
        {"method 7", rgb(), option("method", 7), throws<tessik::Error>(kMethodText)},
        {"method -1", rgb(), option("method", -1), throws<tessik::Error>(kMethodText)},
        {"alpha quality 101", rgb(), option("alpha_quality", 101),
         throws<tessik::Error>(kAlphaQualityText)},
        {"alpha quality -1", rgb(), option("alpha_quality", -1),
         throws<tessik::Error>(kAlphaQualityText)},
        {"method of the wrong kind", rgb(), option("method", 2.5),
         throws<tessik::Error>("Option method holds a float value, not a integer")},
    };
}

TEST(WebPWriterRefusal, EveryRefusalHasItsTypeAndText) {
    WebPPlugin webp;
    for (const auto& r : refusals()) {
        SCOPED_TRACE(r.why);
        auto stream = std::make_shared<tessik::MemoryStreamAccess>();
        r.expect([&] { webp.library->writer->createWriter(r.view, stream, "WEBP", r.options); });
        EXPECT_TRUE(stream->bytes().empty());
    }
}

TEST(WebPWriterRefusal, ARefusedPathWriterLeavesTheFileUntouchedAndCreatesNone) {
    WebPPlugin webp;
    TempDir dir;
    const std::vector<std::uint8_t> precious = {'k', 'e', 'e', 'p'};
    for (const auto& r : refusals()) {
        SCOPED_TRACE(r.why);
        writeBytes(dir.file("existing.webp"), precious);
        r.expect([&] {
            webp.library->writer->createWriter(r.view, dir.file("existing.webp"), "WEBP",
                                               r.options);
        });
        EXPECT_EQ(readBytes(dir.file("existing.webp")), precious);
        r.expect([&] {
            webp.library->writer->createWriter(r.view, dir.file("fresh.webp"), "WEBP", r.options);
        });
        EXPECT_FALSE(std::filesystem::exists(dir.file("fresh.webp")));
    }
    // A refused format name: nothing opened either.
    EXPECT_THROW_EXACT(
        webp.library->writer->createWriter(rgb(), dir.file("existing.webp"), "webp", {}),
        velmar::UnsupportedFormat, "Format webp not supported by the plugin Tarsine");
    EXPECT_EQ(readBytes(dir.file("existing.webp")), precious);
}

TEST(WebPWriterRefusal, ValuesAtTheEdgesOfTheRangesAndUnknownKeysAreAccepted) {
    WebPPlugin webp;
    velmar::OptionMap edges[5];
    edges[0].set("quality", 100.0).set("method", 6).set("alpha_quality", 0);
    edges[1].set("quality", 0).set("method", 0).set("alpha_quality", 100);
    edges[2].set("Quality", 500.0).set("unknown", "x");
    edges[3].set("lossless", false).set("alpha_compression", false);
    for (const auto& options : edges) {
        auto stream = std::make_shared<tessik::MemoryStreamAccess>();
        EXPECT_NO_THROW(
            webp.library->writer->createWriter(rgb(), stream, "WEBP", options)->write());
        EXPECT_FALSE(stream->bytes().empty());
    }
    // Two channels without interpretation are grey and alpha.
    auto stream = std::make_shared<tessik::MemoryStreamAccess>();
    EXPECT_NO_THROW(
        webp.library->writer
            ->createWriter(ofType(tessik::DataTypeId::UINT8X2, ImageInterpretation::UNKNOWN),
                           stream, "WEBP", {})
            ->write());
}

// A stream that takes one byte less than offered, or says it is read-only.
class ShortStream final : public tessik::MemoryStreamAccess {
public:
    std::uint64_t write(std::uint64_t count, const void* src) override {
        return MemoryStreamAccess::write(count > 0 ? count - 1 : 0, src);
    }
};
class ReadOnlyStream final : public tessik::MemoryStreamAccess {
public:
    tessik::FlagSet<tessik::StreamAccessCapability> capabilities() const override {
        return tessik::StreamAccessCapability::READ;
    }
};
class FailingStream final : public tessik::MemoryStreamAccess {
public:
    std::uint64_t write(std::uint64_t, const void*) override {
        throw tessik::Error("stream broke");
    }
};

TEST(WebPWriterRefusal, AReadOnlyStreamIsRefusedBeforeTheViewIsLookedAt) {
    WebPPlugin webp;
    EXPECT_THROW_EXACT(
        webp.library->writer->createWriter(nullptr, std::make_shared<ReadOnlyStream>(), "WEBP", {}),
        tessik::InvalidArgument, "output stream must support WRITE capability");
}

TEST(WebPWriterRefusal, EncodingFailuresReachTheCaller) {
    WebPPlugin webp;
    const std::string invalidSize =
        "Error occured during encoding: 'picture has invalid width/height'";
    const std::string flushing = "Error occured during encoding: 'error while flushing bytes'";
    struct Case {
        const char* why;
        std::shared_ptr<tessik::ImageView> image;
        std::shared_ptr<tessik::StreamAccess> stream;
        std::string message;
    } cases[] = {
        {"zero width", rgb(0, 5), std::make_shared<tessik::MemoryStreamAccess>(), invalidSize},
        {"zero height", rgb(5, 0), std::make_shared<tessik::MemoryStreamAccess>(), invalidSize},
        {"16384 wide", rgb(16384, 1), std::make_shared<tessik::MemoryStreamAccess>(), invalidSize},
        {"a stream that takes less", rgb(), std::make_shared<ShortStream>(), flushing},
        {"a full device", rgb(), tessik::StreamAccessFactory::openFileWrite("/dev/full"), flushing},
        {"a stream that throws", rgb(), std::make_shared<FailingStream>(), "stream broke"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto writer = webp.library->writer->createWriter(c.image, c.stream, "WEBP", {});
        writer->writeInit();
        EXPECT_THROW_EXACT(writer->writeData(), tessik::Error, c.message);
        // The state did not move: finishing is refused.
        EXPECT_THROW(writer->finish(), velmar::EncodingError);
    }
    // The path form reports a full device as well.
    EXPECT_THROW_EXACT(webp.library->writer->createWriter(rgb(), "/dev/full", "WEBP", {})->write(),
                       tessik::Error, flushing);
}

}  // namespace
