// "TGRY" files: the magic "TGRY", a width byte, a height byte, then one grey byte per
// pixel, row after row. Just enough format to drive the extractor framework end to end.
#include <fmt/format.h>
#include <cstring>
#include <vector>

#include "AbstractExtractor.h"
#include "AbstractExtractorPlugin.h"
#include "ViewOriginExtensionImpl.h"
#include "tessik/Error.h"
#include "tessik/StreamAccessFactory.h"

namespace {

class GreyExtractor final : public velmar::common::AbstractExtractor {
public:
    GreyExtractor(std::shared_ptr<tessik::RandomAccess> source, const std::string& format,
                  const velmar::OptionMap& options)
        : GreyExtractor(tessik::StreamAccessFactory::fromRandomAccess(std::move(source)), format,
                        options) {}
    GreyExtractor(std::shared_ptr<tessik::StreamAccess> source, const std::string&,
                  const velmar::OptionMap&)
        : m_stream(std::move(source)) {
        open(0);
    }
    GreyExtractor(const std::string& path, const std::string&, const velmar::OptionMap&)
        : m_stream(tessik::StreamAccessFactory::openFileRead(path)) {
        open(2);
    }

    void readRegion(const tessik::RegionX& region, void* dst) override {
        if (!tessik::RegionX::createFullRegion(m_shape).contains(region)) {
            throw tessik::InvalidArgument("Required region out of image bounds");
        }
        std::vector<std::uint8_t> pixels(m_shape.product());
        m_stream->seek(6, tessik::SeekOrigin::BEGIN);
        if (m_stream->read(pixels.size(), pixels.data()) != pixels.size()) {
            throw tessik::Error("TGRY pixels cut short");
        }
        auto* out = static_cast<std::uint8_t*>(dst);
        for (std::uint64_t y = 0; y < region.size()[1]; ++y) {
            std::memcpy(out + y * region.size()[0],
                        pixels.data() + (region.origin()[1] + y) * m_shape[0] + region.origin()[0],
                        region.size()[0]);
        }
    }

private:
    void open(std::int32_t originKind) {
        std::uint8_t header[6] = {};
        if (m_stream->read(6, header) != 6 || std::memcmp(header, "TGRY", 4) != 0) {
            throw tessik::Error("Not a TGRY file");
        }
        m_shape = {header[4], header[5]};
        m_dataType = tessik::DataType(tessik::DataTypeId::UINT8);
        m_properties = tessik::ImageProperties::fromDataType(m_dataType);
        m_properties->imageInfo().setInterpretation(tessik::ImageInterpretation::GRAYSCALE);
        m_metadata = tessik::MetadataNodeFactory::create("root", nullptr);
        m_capabilities = tessik::ImageCapability::READ;
        addExtension(tessik::kViewOriginExtensionId,
                     std::make_shared<velmar::common::ViewOriginExtensionImpl>("Grey Extractor",
                                                                               originKind));
        // A second registration under the same identifier is ignored.
        addExtension(tessik::kViewOriginExtensionId,
                     std::make_shared<velmar::common::ViewOriginExtensionImpl>("ignored", 5));
    }

    std::shared_ptr<tessik::StreamAccess> m_stream;
};

const std::unordered_set<std::string> kFormats = {"TGRY"};
const std::unordered_map<std::string, std::string> kExtensions = {{"tgry", "TGRY"}};
const std::string kName = "GreyTest";
const velmar::PluginVersion kVersion("0.1.0");

class GreyExtractorPlugin final : public velmar::common::AbstractExtractorPlugin<GreyExtractor> {
public:
    int apiVersion() const override { return 2; }
    const std::string& name() const override { return kName; }
    const velmar::PluginVersion& version() const override { return kVersion; }
    void setLogLevel(int) override {}
    const std::unordered_set<std::string>& formats() const override { return kFormats; }
    const std::unordered_map<std::string, std::string>& extensions() const override {
        return kExtensions;
    }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) GreyExtractorPlugin velmar_extractor_plugin;
GreyExtractorPlugin velmar_extractor_plugin;
