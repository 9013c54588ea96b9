#include "WebPExtractor.h"

#include <fmt/format.h>
#include <webp/decode.h>
#include <webp/demux.h>
#include <algorithm>
#include <cstring>

#include "PluginIdentity.h"
#include "ViewOriginExtensionImpl.h"
#include "tessik/Error.h"
#include "tessik/ImageViewFactory.h"
#include "tessik/StreamAccessFactory.h"

namespace velmar::webp {

namespace {

// Bytes read from the stream at a time, for the header and for decoding.
constexpr std::uint64_t kReadBlock = 1048576;
// Bytes handed to the decoder at a time, so that it stops soon after the last wanted row.
constexpr std::uint64_t kAppendSlice = 16384;

constexpr std::int32_t kOriginStream = 0;
constexpr std::int32_t kOriginFile = 2;

// The metadata chunks whose presence the view reports, in the order of its children.
struct MetadataChunk {
    WebPFeatureFlags flag;
    const char* chunkId;
    const char* nodeName;
};
constexpr MetadataChunk kMetadataChunks[] = {
    {ICCP_FLAG, "ICCP", "ICCP"},
    {EXIF_FLAG, "EXIF", "EXIF"},
    {XMP_FLAG, "XMP ", "XMP"},
};

// An incremental decoder and the output buffer it fills, released together on every path.
class IncrementalDecoder {
public:
    IncrementalDecoder(WebPIDecoder* decoder, WebPDecBuffer* output)
        : m_decoder(decoder), m_output(output) {}
    ~IncrementalDecoder() {
        if (m_decoder != nullptr)
            WebPIDelete(m_decoder);
        WebPFreeDecBuffer(m_output);
    }
    IncrementalDecoder(const IncrementalDecoder&) = delete;
    IncrementalDecoder& operator=(const IncrementalDecoder&) = delete;

    WebPIDecoder* get() const { return m_decoder; }

private:
    WebPIDecoder* m_decoder;
    WebPDecBuffer* m_output;
};

class Demuxer {
public:
    explicit Demuxer(WebPDemuxer* demuxer) : m_demuxer(demuxer) {}
    ~Demuxer() { WebPDemuxDelete(m_demuxer); }
    Demuxer(const Demuxer&) = delete;
    Demuxer& operator=(const Demuxer&) = delete;
    WebPDemuxer* get() const { return m_demuxer; }

private:
    WebPDemuxer* m_demuxer;
};

void initializeConfig(WebPDecoderConfig& config) {
    if (!WebPInitDecoderConfig(&config))
        throw tessik::Error("WebP library cannot be initialized");
}

}  // namespace

WebPExtractor::WebPExtractor(std::shared_ptr<tessik::RandomAccess> source,
                             const std::string& format, const velmar::OptionMap& options)
    : WebPExtractor(tessik::StreamAccessFactory::fromRandomAccess(std::move(source)), format,
                    options) {}

WebPExtractor::WebPExtractor(std::shared_ptr<tessik::StreamAccess> source, const std::string&,
                             const velmar::OptionMap&)
    : WebPExtractor(std::move(source), kOriginStream) {}

WebPExtractor::WebPExtractor(const std::string& filePath, const std::string&,
                             const velmar::OptionMap&)
    : WebPExtractor(tessik::StreamAccessFactory::openFileRead(filePath), kOriginFile) {}

WebPExtractor::WebPExtractor(std::shared_ptr<tessik::StreamAccess> stream, std::int32_t originKind)
    : m_stream(std::move(stream)) {
    if (!m_stream)
        throw tessik::InvalidArgument("WebP source stream cannot be null");
    readHeader();
    readMetadata();
    addExtension(tessik::kViewOriginExtensionId,
                 std::make_shared<common::ViewOriginExtensionImpl>(
                     fmt::format("{0} Extractor", kPluginName), originKind));
}

WebPExtractor::~WebPExtractor() = default;

void WebPExtractor::readHeader() {
    m_capabilities = tessik::ImageCapability::READ;

    WebPDecoderConfig config;
    initializeConfig(config);
    {
        // The probe decoder only proves that the library can make one.
        const IncrementalDecoder probe(WebPINewDecoder(&config.output), &config.output);
        if (probe.get() == nullptr)
            throw tessik::Error("WebP decoder cannot be initialized");
    }

    m_buffer.resize(kReadBlock);
    std::uint64_t total = 0;
    WebPBitstreamFeatures features;
    VP8StatusCode status = VP8_STATUS_NOT_ENOUGH_DATA;
    while (true) {
        if (m_buffer.size() < total + kReadBlock)
            m_buffer.resize(total + kReadBlock);
        const std::uint64_t n = m_stream->read(kReadBlock, m_buffer.data() + total);
        total += n;
        status = WebPGetFeatures(m_buffer.data(), total, &features);
        // A read that brings nothing ends the loop like the end of the stream: a stream
        // that never reports its end must not make this spin.
        if (status != VP8_STATUS_NOT_ENOUGH_DATA || m_stream->isEof() || n == 0)
            break;
    }
    if (status != VP8_STATUS_OK) {
        throw tessik::Error("Problem occured during retrieving image informations");
    }

    m_shape = {static_cast<std::uint64_t>(features.width),
               static_cast<std::uint64_t>(features.height)};
    m_hasAlpha = features.has_alpha != 0;
    m_dataType =
        tessik::DataType(m_hasAlpha ? tessik::DataTypeId::UINT8X4 : tessik::DataTypeId::UINT8X3);
    m_properties = tessik::ImageProperties::fromDataType(m_dataType);
    auto& info = m_properties->imageInfo();
    info.setInterpretation(tessik::ImageInterpretation::RGB);
    info.setAlpha(features.has_alpha > 0);
    info.setAxesInterpretation(tessik::ImageTypeId::IMAGE);
}

void WebPExtractor::readMetadata() {
    auto root = tessik::MetadataNodeFactory::create("root", nullptr);

    m_stream->seek(0, tessik::SeekOrigin::END);
    const std::uint64_t length = m_stream->tell();
    m_stream->seek(0, tessik::SeekOrigin::BEGIN);
    std::vector<std::uint8_t> bytes(length, 0);
    const std::uint64_t n = m_stream->read(length, bytes.data());

    const WebPData data = {bytes.data(), static_cast<std::size_t>(n)};
    WebPDemuxState state = WEBP_DEMUX_PARSING_HEADER;
    const Demuxer demuxer(WebPDemuxPartial(&data, &state));
    if (state == WEBP_DEMUX_PARSE_ERROR)
        throw tessik::Error("Error during parsing");

    const std::uint32_t flags =
        demuxer.get() != nullptr ? WebPDemuxGetI(demuxer.get(), WEBP_FF_FORMAT_FLAGS) : 0;
    for (const auto& chunk : kMetadataChunks) {
        WebPChunkIterator iterator;
        std::memset(&iterator, 0, sizeof iterator);
        if ((flags & chunk.flag) != 0 &&
            WebPDemuxGetChunk(demuxer.get(), chunk.chunkId, 1, &iterator)) {
            root->addChild(tessik::MetadataNodeFactory::create(chunk.nodeName, nullptr));
        }
        WebPDemuxReleaseChunkIterator(&iterator);
    }
    m_metadata = std::move(root);
}

void WebPExtractor::read(const tessik::VectorX& index, void* dst) {
    WebPExtractor::readRegion(
        tessik::RegionX(index, tessik::VectorX::createUniform(index.size(), 1)), dst);
}

void WebPExtractor::readRegion(const tessik::RegionX& region, void* dst) {
    WebPDecoderConfig config;
    initializeConfig(config);

    const tessik::RegionX full = tessik::RegionX::createFullRegion(m_shape);
    if (!full.contains(region))
        throw tessik::InvalidArgument("Required region out of image bounds");
    if (region.elementCount() == 0)
        return;  // nothing to decode
    if (full != region)
        config.options.use_cropping = 1;

    // libwebp crops lossy images at even coordinates only, so an odd origin is decoded from
    // the even one below it and the requested part copied out afterwards.
    tessik::VectorX origin = region.origin();
    tessik::VectorX size = region.size();
    tessik::VectorX offset(2);
    const bool direct = origin[0] % 2 == 0 && origin[1] % 2 == 0;
    const std::uint32_t pixelBytes = m_dataType.byteCount();
    if (direct) {
        config.output.is_external_memory = 1;
        config.output.u.RGBA.rgba = static_cast<std::uint8_t*>(dst);
        config.output.u.RGBA.stride = static_cast<int>(size[0] * pixelBytes);
        config.output.u.RGBA.size = static_cast<std::size_t>(region.elementCount() * pixelBytes);
    } else {
        for (std::size_t axis = 0; axis < 2; ++axis) {
            if (origin[axis] % 2 != 0) {
                origin[axis] -= 1;
                size[axis] += 1;
                offset[axis] = 1;
            }
        }
    }
    config.output.colorspace = m_hasAlpha ? MODE_RGBA : MODE_RGB;
    config.options.bypass_filtering = 0;
    config.options.no_fancy_upsampling = 1;
    config.options.crop_left = static_cast<int>(origin[0]);
    config.options.crop_top = static_cast<int>(origin[1]);
    config.options.crop_width = static_cast<int>(size[0]);
    config.options.crop_height = static_cast<int>(size[1]);

    m_stream->seek(0, tessik::SeekOrigin::BEGIN);
    const IncrementalDecoder decoder(WebPIDecode(nullptr, 0, &config), &config.output);
    if (decoder.get() == nullptr)
        throw tessik::Error("Error at WEBP decoder initialization");

    // The incremental decoder decodes every row it has data for, even below the crop, so
    // each block is handed over in slices and feeding stops once the crop's last row is out.
    const int rowsWanted = config.options.crop_height;
    bool complete = false;
    while (!complete) {
        const std::uint64_t n = m_stream->read(kReadBlock, m_buffer.data());
        if (n == 0)
            break;  // no more bytes, whatever the end flag says
        for (std::uint64_t at = 0; at < n && !complete; at += kAppendSlice) {
            const std::size_t slice = static_cast<std::size_t>(std::min(kAppendSlice, n - at));
            const VP8StatusCode status = WebPIAppend(decoder.get(), m_buffer.data() + at, slice);
            if (status != VP8_STATUS_OK && status != VP8_STATUS_SUSPENDED) {
                throw tessik::Error("Error occured during WEBP decoding");
            }
            int rowsDone = 0;
            complete = status == VP8_STATUS_OK || (WebPIDecGetRGB(decoder.get(), &rowsDone, nullptr,
                                                                  nullptr, nullptr) != nullptr &&
                                                   rowsDone >= rowsWanted);
        }
        if (m_stream->isEof())
            break;
    }
    if (direct)
        return;

    // Copy only rows libwebp has decoded: a stream cut short leaves the rest of the
    // caller's buffer as it was, and before any row exists there is no output to read.
    int decodedRows = 0;
    if (config.output.u.RGBA.rgba == nullptr ||
        WebPIDecGetRGB(decoder.get(), &decodedRows, nullptr, nullptr, nullptr) == nullptr) {
        return;
    }
    const std::uint64_t availableRows =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(decodedRows), size[1]);
    if (availableRows <= offset[1])
        return;
    const std::uint64_t rows = std::min(region.size()[1], availableRows - offset[1]);
    const auto decoded = tessik::ImageViewFactory::fromBuffer(
        size, m_dataType, config.output.u.RGBA.rgba, config.output.u.RGBA.size);
    decoded->readRegion(tessik::RegionX(offset, {region.size()[0], rows}), dst);
}

}  // namespace velmar::webp
