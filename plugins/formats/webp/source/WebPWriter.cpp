#include "WebPWriter.h"

#include <fmt/format.h>
#include <spdlog/spdlog.h>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "ImagePreparation.h"
#include "InternalPluginLogger.h"
#include "PluginIdentity.h"
#include "tessik/Error.h"
#include "tessik/ImageViewFactory.h"
#include "tessik/StreamAccessFactory.h"
#include "velmar/Exceptions.h"

namespace velmar::webp {

namespace {

// Descriptions of libwebp's WebPEncodingError codes, by code.
constexpr std::array<const char*, 12> kEncodingErrors = {
    "Unknown error",
    "memory error allocating objects",
    "memory error while flushing bits",
    "a pointer parameter is NULL",
    "configuration is invalid",
    "picture has invalid width/height",
    "partition is bigger than 512k",
    " partition is bigger than 16M",
    "error while flushing bytes",
    "file is bigger than 4G",
    "abort request by user",
    "list terminator.always last",
};

const char* describeEncodingError(int code) {
    if (code <= 0 || code >= static_cast<int>(kEncodingErrors.size()))
        return kEncodingErrors[0];
    return kEncodingErrors[static_cast<std::size_t>(code)];
}

constexpr const char* kQualityText =
    "Quality should be between 0 (lossy: smallest, lossless: fastest) and 100 (lossy: largest, "
    "lossless: slowest/best)";
constexpr const char* kMethodText = "Method should be between 0 (fast) and 6 (slower-better)";
constexpr const char* kAlphaQualityText =
    "Alpha quality should be between 0 (smallest size) and 100 (lossless)";

// Picture dimensions beyond int are made invalid for libwebp rather than wrapped around.
int pictureExtent(std::uint64_t extent) {
    return static_cast<int>(std::min<std::uint64_t>(extent, std::numeric_limits<int>::max()));
}

using Converter = tessik::VariantDataValueConverter;

}  // namespace

// One writer option: its key, how it is read from an option map, and how a value given
// to setOption is converted.
struct WebPWriter::Option {
    const char* key;
    void (*fromOptions)(WebPWriter&, const velmar::OptionMap&, const std::string&);
    void (*fromValue)(WebPWriter&, const std::shared_ptr<tessik::VariantDataValue>&);
};

const WebPWriter::Option WebPWriter::kOptions[] = {
    {"lossless",
     [](WebPWriter& w, const velmar::OptionMap& o, const std::string& k) {
         w.setLossless(o.getBool(k));
     },
     [](WebPWriter& w, const auto& v) { w.setLossless(Converter::toInt64(v) != 0); }},
    {"quality",
     [](WebPWriter& w, const velmar::OptionMap& o, const std::string& k) {
         w.setQuality(o.getFloat(k));
     },
     [](WebPWriter& w, const auto& v) { w.setQuality(Converter::toDouble(v)); }},
    {"method",
     [](WebPWriter& w, const velmar::OptionMap& o, const std::string& k) {
         w.setMethod(o.getInt(k));
     },
     [](WebPWriter& w, const auto& v) { w.setMethod(Converter::toInt64(v)); }},
    {"alpha_compression",
     [](WebPWriter& w, const velmar::OptionMap& o, const std::string& k) {
         w.setAlphaCompression(o.getBool(k));
     },
     [](WebPWriter& w, const auto& v) { w.setAlphaCompression(Converter::toInt64(v) != 0); }},
    {"alpha_quality",
     [](WebPWriter& w, const velmar::OptionMap& o, const std::string& k) {
         w.setAlphaQuality(o.getInt(k));
     },
     [](WebPWriter& w, const auto& v) { w.setAlphaQuality(Converter::toInt64(v)); }},
};

WebPWriter::WebPWriter(std::shared_ptr<tessik::View> view,
                       std::shared_ptr<tessik::StreamAccess> stream, const std::string&,
                       const velmar::OptionMap& options)
    : m_output(std::move(stream)) {
    if (!m_output || !m_output->support(tessik::StreamAccessCapability::WRITE)) {
        throw tessik::InvalidArgument("output stream must support WRITE capability");
    }
    accept(std::move(view), options);
}

WebPWriter::WebPWriter(std::shared_ptr<tessik::View> view, const std::string& path,
                       const std::string&, const velmar::OptionMap& options) {
    accept(std::move(view), options);
    // Opened last: opening truncates, and a refused writer must not have destroyed the file.
    m_output = tessik::StreamAccessFactory::openFileWrite(path);
    m_ownsOutput = true;
}

void WebPWriter::accept(std::shared_ptr<tessik::View> view, const velmar::OptionMap& options) {
    m_inputImage = common::prepareImage(std::move(view));

    const tessik::DataType type = m_inputImage->dataType();
    if (type.primitiveType() != tessik::PrimitiveTypeId::UNSIGNED_INTEGER ||
        type.elementCount() > 4 || type.bitDepth() > 8) {
        throw velmar::UnsupportedFormat(
            fmt::format("Unsupported data type {}", type.toString()).c_str());
    }
    const auto properties = m_inputImage->properties();
    const auto interpretation = properties ? properties->imageInfo().interpretation()
                                           : tessik::ImageInterpretation::UNKNOWN;
    if (interpretation == tessik::ImageInterpretation::UNKNOWN && type.elementCount() >= 3) {
        throw tessik::Error("Cannot determine colorspace to apply");
    }

    if (!WebPConfigPreset(&m_config, WEBP_PRESET_DEFAULT, 60)) {
        throw tessik::Error("Error at Webp configuration preset");
    }
    m_config.lossless = 1;
    m_config.method = 3;
    m_config.alpha_compression = 1;
    m_config.alpha_quality = 100;
    for (const auto& option : kOptions) {
        if (options.has(option.key))
            option.fromOptions(*this, options, option.key);
    }
}

WebPWriter::~WebPWriter() {
    if (m_state != DONE) {
        // Without a logger (no setLogLevel yet) the record is dropped.
        if (auto logger = common::pluginLogger()) {
            logger->log(spdlog::source_loc{__FILE__, __LINE__, "WebPWriter::~WebPWriter"},
                        spdlog::level::warn, "WebPWriter not in DONE state, but will be destroyed");
        }
    }
    if (m_state == HEADER_WRITTEN || m_state == DATA_WRITTEN)
        WebPPictureFree(&m_picture);
}

// The range tests are written so that NaN fails them too.
void WebPWriter::setLossless(bool value) {
    m_config.lossless = value ? 1 : 0;
}

void WebPWriter::setQuality(double value) {
    if (!(value >= 0.0 && value <= 100.0))
        throw tessik::Error(kQualityText);
    m_config.quality = static_cast<float>(value);
}

void WebPWriter::setMethod(std::int64_t value) {
    if (value < 0 || value > 6)
        throw tessik::Error(kMethodText);
    m_config.method = static_cast<int>(value);
}

void WebPWriter::setAlphaCompression(bool value) {
    m_config.alpha_compression = value ? 1 : 0;
}

void WebPWriter::setAlphaQuality(std::int64_t value) {
    if (value < 0 || value > 100)
        throw tessik::Error(kAlphaQualityText);
    m_config.alpha_quality = static_cast<int>(value);
}

void WebPWriter::setOption(const std::string& name,
                           std::shared_ptr<tessik::VariantDataValue> value) {
    if (m_state != CREATED) {
        throw velmar::EncodingError("Calling setOption whereas header has already been written.");
    }
    for (const auto& option : kOptions) {
        if (name == option.key) {
            option.fromValue(*this, value);
            return;
        }
    }
    throw tessik::Error("Unknown option parameter. Impossible to set option");
}

void WebPWriter::write() {
    writeInit();
    writeData();
    finish();
}

void WebPWriter::writeInit() {
    if (m_state != CREATED) {
        throw velmar::EncodingError("Calling writeInit() whereas header has already been written.");
    }
    if (!WebPValidateConfig(&m_config)) {
        throw tessik::Error("Webp Configuration not correctly initialized");
    }
    if (!WebPPictureInit(&m_picture))
        throw tessik::Error("Version Error - cannot initialize picture");
    m_image = m_inputImage;
    const tessik::VectorX& shape = m_image->shape();
    m_picture.width = pictureExtent(shape.size() > 0 ? shape[0] : 0);
    // An image of one axis (a row whose channel axis was assembled) is one pixel high.
    m_picture.height = pictureExtent(shape.size() > 1 ? shape[1] : 1);
    m_picture.writer = &WebPWriter::writeOutput;
    m_picture.custom_ptr = this;
    m_state = HEADER_WRITTEN;
}

void WebPWriter::writeData() {
    if (m_state != HEADER_WRITTEN) {
        throw velmar::EncodingError("Writing data whereas header has not been written yet.");
    }
    const auto properties = m_image->properties();
    const auto interpretation = properties ? properties->imageInfo().interpretation()
                                           : tessik::ImageInterpretation::UNKNOWN;
    const bool colour = m_image->dataType().elementCount() >= 3;
    if (interpretation == tessik::ImageInterpretation::YUV) {
        importYuvPlanes();
    } else {
        importPacked(!(interpretation == tessik::ImageInterpretation::RGB && colour));
    }

    m_outputError = nullptr;
    if (!WebPEncode(&m_config, &m_picture)) {
        if (m_outputError)
            std::rethrow_exception(std::exchange(m_outputError, nullptr));
        throw tessik::Error(fmt::format("Error occured during encoding: '{}'",
                                        describeEncodingError(m_picture.error_code)));
    }
    m_state = DATA_WRITTEN;
}

void WebPWriter::finish() {
    if (m_state != DATA_WRITTEN) {
        m_output.reset();
        throw velmar::EncodingError("Finishing file whereas data have not been written yet.");
    }
    WebPPictureFree(&m_picture);
    auto output = std::move(m_output);
    m_image.reset();
    m_planeY.reset();
    m_planeU.reset();
    m_planeV.reset();
    m_state = DONE;
    // A file the writer opened itself is closed here, so that a failure to store it is
    // reported to the caller and not lost in a destructor.
    if (m_ownsOutput)
        output->close();
}

std::string WebPWriter::pluginName() const {
    return kPluginName;
}

std::string WebPWriter::pluginVersion() const {
    return kPluginVersion;
}

// Packed words (bytes blue, green, red, alpha in memory) from the samples. Colour images
// take red, green and blue from the first three samples; grey images repeat their first
// sample, so that the encoder gets full-range samples and a lossless file gives them back
// exactly. Alpha comes from the sample after the colour ones, when the image has alpha
// and its pixels have that sample; otherwise it is opaque.
void WebPWriter::importPacked(bool grey) {
    const tessik::VectorX shape = m_image->shape();
    const std::uint32_t elements = m_image->dataType().elementCount();
    const std::uint32_t pixelBytes = m_image->dataType().byteCount();
    const std::uint32_t alphaIndex = grey ? 1 : 3;
    const auto properties = m_image->properties();
    const bool alpha = properties && properties->imageInfo().hasAlpha() && elements > alphaIndex;

    auto packed =
        tessik::ImageViewFactory::allocate(shape, tessik::DataType(tessik::DataTypeId::UINT32));
    std::vector<std::uint8_t> samples(m_image->byteCount(), 0);
    m_image->readRegion(tessik::RegionX::createFullRegion(shape), samples.data());

    auto* out = static_cast<std::uint8_t*>(packed->buffer());
    const std::uint64_t count = shape.product();
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint8_t* s = samples.data() + i * pixelBytes;
        std::uint8_t* word = out + i * 4;
        word[0] = grey ? s[0] : s[2];
        word[1] = grey ? s[0] : s[1];
        word[2] = s[0];
        word[3] = alpha ? s[alphaIndex] : 255;
    }
    m_image = std::move(packed);
    m_picture.use_argb = 1;
    m_picture.argb = static_cast<std::uint32_t*>(m_image->buffer());
    m_picture.argb_stride = m_picture.width;
}

// Luma and two chroma channels as planes; chroma sub-sampled by two, odd sizes rounded
// up, which is the (width + 1) / 2 by (height + 1) / 2 the encoder reads.
void WebPWriter::importYuvPlanes() {
    m_picture.use_argb = 0;
    const auto properties = m_image->properties();
    const bool alpha =
        properties && properties->imageInfo().hasAlpha() && m_image->dataType().elementCount() >= 4;
    using Factory = tessik::ImageViewFactory;
    m_planeY = Factory::copyInMemory(Factory::extractChannel(m_image, 0));
    m_planeU = Factory::copyInMemory(Factory::subSample(Factory::extractChannel(m_image, 1), 2));
    m_planeV = Factory::copyInMemory(Factory::subSample(Factory::extractChannel(m_image, 2), 2));
    m_picture.y = static_cast<std::uint8_t*>(m_planeY->buffer());
    m_picture.u = static_cast<std::uint8_t*>(m_planeU->buffer());
    m_picture.v = static_cast<std::uint8_t*>(m_planeV->buffer());
    m_picture.y_stride = static_cast<int>(m_planeY->shape()[0]);
    m_picture.uv_stride = static_cast<int>(m_planeU->shape()[0]);
    if (alpha) {
        m_picture.colorspace = WEBP_YUV420A;
        m_alphaPlane = Factory::copyInMemory(Factory::extractChannel(m_image, 3));
        m_picture.a = static_cast<std::uint8_t*>(m_alphaPlane->buffer());
        m_picture.a_stride = m_picture.y_stride;
    } else {
        m_picture.colorspace = WEBP_YUV420;
    }
}

int WebPWriter::writeOutput(const std::uint8_t* data, std::size_t size,
                            const WebPPicture* picture) {
    auto* writer = static_cast<WebPWriter*>(picture->custom_ptr);
    try {
        const auto stream = writer->m_output;
        return stream->write(size, data) == size ? 1 : 0;
    } catch (...) {
        writer->m_outputError = std::current_exception();
        return 0;
    }
}

}  // namespace velmar::webp
